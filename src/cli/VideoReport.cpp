#include "cli/VideoReport.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

#include "app/Texts.h"

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

}  // namespace

VideoReport ReportFromRun(const BatchVideoResult& run)
{
    VideoReport report = NotRunReport(VideoOutcome::Ok, {}, run.Path);
    report.shots = int(run.ShotFiles.size());
    report.sheet = run.SheetFile;
    const auto set = [&report](VideoOutcome outcome, const QString& reason) {
        report.outcome = outcome;
        report.reason = reason;
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
            set(VideoOutcome::Failed, lang::kCliNotWritten.arg(run.WriteFailures).arg(run.FirstWriteError));
        else if (run.ShotsPlanned > 0 && run.ShotsTaken == 0)
            set(VideoOutcome::Failed, lang::kCliNoPicture);
        break;
    }
    return report;
}

VideoReport NotRunReport(VideoOutcome outcome, const QString& reason, const QString& path)
{
    VideoReport report;
    report.outcome = outcome;
    report.reason = reason;
    report.path = path;
    return report;
}

void ReportColors(VideoReport& report, const VideoColor& color, bool toneMapping)
{
    report.hdr = color.hdr;
    report.toneMapped = toneMapping && color.hdr != HdrTransfer::None;
    report.note = color.ColorsInexact() ? lang::kCliDolbyVisionNote : QString();
}

QString TextLine(const VideoReport& report)
{
    QString status = OutcomeName(report.outcome);
    if (!report.reason.isEmpty())
        status += QStringLiteral(": ") + report.reason;
    QStringList fields{status, report.path, QString::number(report.shots), report.sheet};
    if (!report.note.isEmpty())
        fields << QStringLiteral("note: ") + report.note;
    return fields.join(u'\t');
}

QString JsonLine(const VideoReport& report)
{
    const QJsonObject object{
        {QStringLiteral("status"), OutcomeName(report.outcome)},
        {QStringLiteral("reason"), report.reason.isEmpty() ? QJsonValue() : QJsonValue(report.reason)},
        {QStringLiteral("path"), report.path},
        {QStringLiteral("shots"), report.shots},
        {QStringLiteral("sheet"), report.sheet.isEmpty() ? QJsonValue() : QJsonValue(report.sheet)},
        {QStringLiteral("hdr"), HdrName(report.hdr)},
        {QStringLiteral("tonemapped"), report.toneMapped},
        {QStringLiteral("note"), report.note.isEmpty() ? QJsonValue() : QJsonValue(report.note)},
    };
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

int ExitCodeFor(const std::vector<VideoReport>& reports, bool interrupted)
{
    if (interrupted)
        return 130;
    const bool allOk = std::all_of(reports.cbegin(), reports.cend(),
                                   [](const VideoReport& report) { return report.outcome == VideoOutcome::Ok; });
    return allOk ? 0 : 1;
}

}  // namespace sm
