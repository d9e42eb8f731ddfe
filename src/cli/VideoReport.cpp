#include "cli/VideoReport.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "settings/Texts.h"
#include "sheet/InfoPlaceholders.h"

namespace sm {
namespace {

QString OutcomeName(VideoOutcome outcome)
{
    switch (outcome) {
    case VideoOutcome::Ok:
        return QStringLiteral("ok");
    case VideoOutcome::Skipped:
        return QStringLiteral("skipped");
    case VideoOutcome::Failed:
        break;
    }
    return QStringLiteral("failed");
}

QJsonArray MovedList(const std::vector<MovedShot>& moved)
{
    QJsonArray list;
    for (const MovedShot& shot : moved)
        list.append(QJsonObject{{QStringLiteral("planned"), shot.Planned}, {QStringLiteral("kept"), shot.Kept}});
    return list;
}

QJsonValue HdrName(HdrTransfer hdr)
{
    switch (hdr) {
    case HdrTransfer::Pq:
        return QStringLiteral("pq");
    case HdrTransfer::Hlg:
        return QStringLiteral("hlg");
    case HdrTransfer::None:
        break;
    }
    return QJsonValue();
}

QJsonArray ShotListJson(const std::vector<BatchShot>& shots)
{
    QJsonArray list;
    for (const BatchShot& shot : shots) {
        // Whole milliseconds, so that the text carries no binary fraction's tail.
        const std::int64_t ms = (shot.FrameUnits + (shot.FrameUnits < 0 ? -5'000 : 5'000)) / 10'000;
        list.append(QJsonObject{
            {QStringLiteral("file"), shot.File.isEmpty() ? QJsonValue() : QJsonValue(shot.File)},
            {QStringLiteral("label"), shot.Label},
            {QStringLiteral("planned"), shot.Planned},
            {QStringLiteral("time"), double(ms) / 1000.0},
        });
    }
    return list;
}

QJsonValue FactsJson(const std::optional<MediaFacts>& facts, const QString& path)
{
    if (!facts)
        return QJsonValue();
    VideoFacts video;
    video.FileName = path;
    video.Media = *facts;
    QJsonObject object;
    for (const char* name : {"RESOLUTION", "FPS", "VIDEOCODEC", "AUDIOCODEC", "BITRATE"})
        object.insert(QString::fromLatin1(name).toLower(), PlaceholderValue(QString::fromLatin1(name), video));
    return object;
}

}  // namespace

VideoReport ReportFromRun(const BatchVideoResult& run)
{
    VideoReport report = NotRunReport(VideoOutcome::Ok, {}, run.Path);
    report.Shots = int(run.ShotFiles.size());
    report.Sheet = run.SheetFile;
    report.ShotList = run.Shots;
    if (run.Status != BatchVideoStatus::NotTicked && run.Status != BatchVideoStatus::NotLoaded)
        report.Facts = run.Facts;
    report.Moved = run.MovedShots;
    const auto set = [&report](VideoOutcome outcome, const QString& reason) {
        report.Outcome = outcome;
        report.Reason = reason;
    };
    switch (run.Status) {
    case BatchVideoStatus::NotTicked:
        set(VideoOutcome::Skipped, lang::kCliNotTicked);
        break;
    case BatchVideoStatus::NotLoaded:
        set(VideoOutcome::Failed, QFileInfo::exists(run.Path) ? lang::kCliNotAVideo : lang::kCliNoSuchFile);
        break;
    case BatchVideoStatus::StartAfterEnd:
        set(VideoOutcome::Skipped, lang::kCliStartBeyondEnd);
        break;
    case BatchVideoStatus::Aborted:
        set(VideoOutcome::Failed, lang::kCliInterrupted);
        break;
    case BatchVideoStatus::Done:
        if (run.WriteFailures > 0)
            set(VideoOutcome::Failed, lang::kCliNotWritten.arg(run.WriteFailures).arg(run.FirstWriteError.Message()));
        else if (run.ShotsPlanned > 0 && run.ShotsTaken == 0)
            set(VideoOutcome::Failed, lang::kCliNoPicture);
        break;
    }
    return report;
}

VideoReport NotRunReport(VideoOutcome outcome, const QString& reason, const QString& path)
{
    VideoReport report;
    report.Outcome = outcome;
    report.Reason = reason;
    report.Path = path;
    return report;
}

void ReportColors(VideoReport& report, const VideoColor& color, bool toneMapping)
{
    report.Hdr = color.hdr;
    report.ToneMapped = toneMapping && color.hdr != HdrTransfer::None;
    report.Note = color.ColorsInexact() ? lang::kCliDolbyVisionNote : QString();
}

QString TextLine(const VideoReport& report)
{
    QString status = OutcomeName(report.Outcome);
    if (!report.Reason.isEmpty())
        status += QStringLiteral(": ") + report.Reason;
    QStringList fields{status, report.Path, QString::number(report.Shots), report.Sheet};
    if (!report.Note.isEmpty())
        fields << QStringLiteral("note: ") + report.Note;
    return fields.join(u'\t');
}

QString JsonLine(const VideoReport& report)
{
    const QJsonObject object{
        {QStringLiteral("status"), OutcomeName(report.Outcome)},
        {QStringLiteral("reason"), report.Reason.isEmpty() ? QJsonValue() : QJsonValue(report.Reason)},
        {QStringLiteral("path"), report.Path},
        {QStringLiteral("shots"), ShotListJson(report.ShotList)},
        {QStringLiteral("sheet"), report.Sheet.isEmpty() ? QJsonValue() : QJsonValue(report.Sheet)},
        {QStringLiteral("hdr"), HdrName(report.Hdr)},
        {QStringLiteral("tonemapped"), report.ToneMapped},
        {QStringLiteral("note"), report.Note.isEmpty() ? QJsonValue() : QJsonValue(report.Note)},
        {QStringLiteral("facts"), FactsJson(report.Facts, report.Path)},
        {QStringLiteral("moved"), MovedList(report.Moved)},
    };
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

bool CountsAsDone(const VideoReport& report) { return report.Outcome == VideoOutcome::Ok || report.OutputThere; }

int RunExitCode(bool everyVideoDone, bool interrupted)
{
    if (interrupted)
        return 130;
    return everyVideoDone ? 0 : 1;
}

}  // namespace sm
