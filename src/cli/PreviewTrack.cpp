#include "cli/PreviewTrack.h"

#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

#include "capture/ShotFiles.h"
#include "common/PathText.h"

namespace sm {

std::optional<QSize> ParsePreviewGrid(const QString& text)
{
    static const QRegularExpression grid(QStringLiteral("^(\\d{1,3})[xX](\\d{1,3})$"));
    const QRegularExpressionMatch match = grid.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int columns = match.captured(1).toInt();
    const int rows = match.captured(2).toInt();
    if (columns < 1 || rows < 1 || columns > kMaxPreviewGridSide || rows > kMaxPreviewGridSide)
        return std::nullopt;
    return QSize(columns, rows);
}

int PreviewPictureHeight(int width, QSize display)
{
    const std::int64_t halfHeight
        = (std::int64_t(width) * display.height() + display.width()) / (2 * std::int64_t(display.width()));
    return int(std::max<std::int64_t>(2, 2 * halfHeight));
}

PreviewTrackPlan PlanPreviewTrack(std::int64_t durationMs, QSize display, const PreviewTrackShape& shape)
{
    PreviewTrackPlan plan;
    plan.picture = QSize(shape.Width, PreviewPictureHeight(shape.Width, display));
    const std::int64_t everyMs = std::int64_t(shape.Every) * 1000;
    const std::int64_t count = std::max<std::int64_t>(1, (durationMs + everyMs - 1) / everyMs);
    const int perSprite = shape.Columns * shape.Rows;
    for (std::int64_t k = 0; k < count; ++k) {
        const int inSprite = int(k % perSprite);
        const QPoint corner((inSprite % shape.Columns) * plan.picture.width(),
                            (inSprite / shape.Columns) * plan.picture.height());
        plan.cues.push_back({k * everyMs, std::min((k + 1) * everyMs, durationMs), int(k * shape.Every),
                             int(k / perSprite), QRect(corner, plan.picture)});
    }
    for (std::int64_t first = 0; first < count; first += perSprite) {
        const int filled = int(std::min<std::int64_t>(perSprite, count - first));
        const int columns = std::min(filled, shape.Columns);
        const int rows = (filled + shape.Columns - 1) / shape.Columns;
        plan.sprites.emplace_back(columns * plan.picture.width(), rows * plan.picture.height());
    }
    return plan;
}

QString VttTimestamp(std::int64_t ms)
{
    const QLatin1Char zero('0');
    return QStringLiteral("%1:%2:%3.%4")
        .arg(ms / 3'600'000, 2, 10, zero)
        .arg(ms / 60'000 % 60, 2, 10, zero)
        .arg(ms / 1000 % 60, 2, 10, zero)
        .arg(ms % 1000, 3, 10, zero);
}

QByteArray VttText(const PreviewTrackPlan& plan, const QStringList& spriteNames)
{
    // Everything but the unreserved characters is encoded, so that a name can hold no
    // "#", "%", space, line break or "-->" that a player would read otherwise.
    QList<QByteArray> urls;
    for (const QString& name : spriteNames)
        urls << QUrl::toPercentEncoding(name);
    QByteArray text = "WEBVTT\n";
    for (const PreviewCue& cue : plan.cues) {
        const QRect& c = cue.cell;
        text += '\n' + VttTimestamp(cue.startMs).toLatin1() + " --> " + VttTimestamp(cue.endMs).toLatin1() + '\n'
                + urls.value(cue.sprite) + "#xywh=" + QByteArray::number(c.x()) + ',' + QByteArray::number(c.y()) + ','
                + QByteArray::number(c.width()) + ',' + QByteArray::number(c.height()) + '\n';
    }
    return text;
}

QString SpriteFileName(const QString& folder, const QString& videoPath, int number, const QString& extension)
{
    return folder + ShotPrefixForVideo(videoPath) + QStringLiteral("sprite_%1").arg(number, 3, 10, QLatin1Char('0'))
           + extension;
}

QString PreviewTrackFileName(const QString& folder, const QString& videoPath)
{
    return folder + BaseNameOf(videoPath) + QStringLiteral(".vtt");
}

}  // namespace sm
