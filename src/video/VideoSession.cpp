#include "video/VideoSession.h"

#include <QFileInfo>

#include <algorithm>

#include "common/PathText.h"
#include "video/DelayWithMessages.h"

namespace sm {

QString ShotPrefixForVideo(const QString& path) { return BaseNameOf(path) + QLatin1Char('_'); }

PictureOptions PictureOptionsOf(const AppSettings& settings) { return {settings.ToneMapping, settings.Deinterlace}; }

VideoSession::VideoSession(MediaEngine& engine) : engine_(engine), wait_(DelayWithMessages) {}

std::int64_t VideoSession::SeriesSpan() const
{
    return pictureEnd_ > 0 ? std::min(VideoDuration, pictureEnd_) : VideoDuration;
}

bool VideoSession::LoadVideo(const QString& path, AppSettings& settings, QString& prefix)
{
    if (!QFileInfo(path).isFile())
        return false;

    try {
        engine_.SetActive(false);
        wait_(1000);
        engine_.SetActive(true);
        engine_.ClearGraph();
        engine_.SetPictureOptions(PictureOptionsOf(settings));
        engine_.OpenMedia(path);
    } catch (...) {
        try {
            engine_.SetActive(false);
        } catch (...) {
        }
        return false;
    }

    try {
        engine_.GetVideoSize(settings.ShotsWidth, settings.ShotsHeight);
        prefix = ShotPrefixForVideo(path);
        VideoDuration = engine_.GetDuration();
        pictureEnd_ = engine_.GetPictureEnd();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace sm
