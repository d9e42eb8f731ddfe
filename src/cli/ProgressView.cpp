#include "cli/ProgressView.h"

#include "common/PathText.h"
#include "settings/Texts.h"

namespace sm {

ProgressView::ProgressView(const QStringList& paths, bool terminal, std::FILE* progress, std::FILE* results)
    : paths_(paths), terminal_(terminal), progress_(progress), results_(results)
{
}

QString ProgressView::Heading(int index, const QString& name) const
{
    return QStringLiteral("[%1/%2] %3").arg(index + 1).arg(paths_.size()).arg(name);
}

void ProgressView::Started(int index)
{
    running_[index] = Running{};
    if (terminal_) {
        Draw();
        return;
    }
    std::fputs((Heading(index, paths_[index]) + u'\n').toUtf8().constData(), progress_);
    std::fflush(progress_);
}

void ProgressView::Planned(int index, int shots)
{
    running_[index].planned = shots;
    if (terminal_)
        Draw();
}

void ProgressView::ShotDone(int index, int done)
{
    running_[index].done = done;
    if (terminal_)
        Draw();
}

void ProgressView::Result(int index, const QString& line)
{
    running_.erase(index);
    ++finished_;
    Clear();
    std::fputs((line + u'\n').toUtf8().constData(), results_);
    std::fflush(results_);
    if (terminal_)
        Draw();
}

void ProgressView::Clear()
{
    if (drawnLines_ == 0)
        return;
    // Up to the first progress line and away with everything below it.
    std::fprintf(progress_, "\x1b[%dF\x1b[J", drawnLines_);
    std::fflush(progress_);
    drawnLines_ = 0;
}

void ProgressView::Draw()
{
    Clear();
    for (const auto& [index, state] : running_) {
        const QString shots
            = state.planned < 0 ? lang::kCliOpening : lang::kCliShotsProgress.arg(state.done).arg(state.planned);
        const QString line = lang::kCliProgressLine.arg(Heading(index, FileNameOf(paths_[index])), shots)
                                 .arg(finished_)
                                 .arg(paths_.size());
        std::fputs((line + u'\n').toUtf8().constData(), progress_);
        ++drawnLines_;
    }
    std::fflush(progress_);
}

}  // namespace sm
