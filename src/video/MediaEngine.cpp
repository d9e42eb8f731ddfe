#include "video/MediaEngine.h"

#include "video/SeekSeries.h"

namespace sm {

bool MediaEngine::GrabFrame(Bitmap& bitmap)
{
    std::int64_t frameUnits = 0;
    return GrabTimedFrame(bitmap, frameUnits);
}

bool MediaEngine::GrabSeekFrame(Bitmap& bitmap, int waitMs)
{
    std::int64_t frameUnits = 0;
    return GrabTimedSeekFrame(bitmap, waitMs, frameUnits);
}

std::unique_ptr<SeekSeries> MediaEngine::StartSeekSeries(std::vector<std::int64_t> seconds, const SkipRule& skip)
{
    return std::make_unique<EngineSeekSeries>(*this, std::move(seconds), skip);
}

QString MediaEngine::EventText(int code)
{
    switch (code) {
    case EC_COMPLETE:
        return QStringLiteral("EC_COMPLETE - All data from a particular stream has been rendered.");
    case EC_USERABORT:
        return QStringLiteral("EC_USERABORT - The user has terminated playback.");
    case EC_ERRORABORT:
        return QStringLiteral("EC_ERRORABORT - An operation was aborted because of an error.");
    case EC_TIME:
        return QStringLiteral("EC_TIME - A requested reference-clock time has passed.");
    case EC_REPAINT:
        return QStringLiteral("EC_REPAINT - The video renderer requires a repaint.");
    case EC_STREAM_ERROR_STOPPED:
        return QStringLiteral("EC_STREAM_ERROR_STOPPED - A stream has stopped because of an error.");
    case EC_STREAM_ERROR_STILLPLAYING:
        return QStringLiteral(
            "EC_STREAM_ERROR_STILLPLAYING - A stream error occurred, but the stream is still playing.");
    case EC_ERROR_STILLPLAYING:
        return QStringLiteral("EC_ERROR_STILLPLAYING - An error occurred, but the graph is still playing.");
    case EC_PALETTE_CHANGED:
        return QStringLiteral("EC_PALETTE_CHANGED - The video palette has changed.");
    case EC_VIDEO_SIZE_CHANGED:
        return QStringLiteral("EC_VIDEO_SIZE_CHANGED - The native video size has changed.");
    case EC_QUALITY_CHANGE:
        return QStringLiteral("EC_QUALITY_CHANGE - Frames are being dropped to keep up with playback.");
    case EC_SHUTTING_DOWN:
        return QStringLiteral("EC_SHUTTING_DOWN - The graph is shutting down.");
    case EC_CLOCK_CHANGED:
        return QStringLiteral("EC_CLOCK_CHANGED - The reference clock has changed.");
    case EC_PAUSED:
        return QStringLiteral("EC_PAUSED - A pause request has completed.");
    default:
        return QStringLiteral("Unknow Graph Event ($%1)").arg(QString::number(unsigned(code), 16));
    }
}

}  // namespace sm
