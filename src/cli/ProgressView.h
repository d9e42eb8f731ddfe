#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <map>

namespace sm {

// The progress of a run on stderr and its result lines on stdout. On a terminal each
// running video has a line of its own with its shots done and planned, redrawn in
// place below the results; otherwise a plain line tells when a video starts.
class ProgressView {
public:
    ProgressView(const QStringList& paths, bool terminal, std::FILE* progress, std::FILE* results);

    void Started(int index);
    void Planned(int index, int shots);
    void ShotDone(int index, int done);
    // Writes a result line; the video's progress line goes.
    void Result(int index, const QString& line);

private:
    struct Running {
        int done = 0;
        int planned = -1;  // not known yet
    };

    QString Heading(int index, const QString& name) const;
    void Clear();
    void Draw();

    const QStringList paths_;
    const bool terminal_;
    std::FILE* progress_;
    std::FILE* results_;
    std::map<int, Running> running_;
    int drawnLines_ = 0;
    int finished_ = 0;
};

}  // namespace sm
