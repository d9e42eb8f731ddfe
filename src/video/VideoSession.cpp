#include "video/VideoSession.h"

#include <QFileInfo>

#include "common/PathText.h"
#include "video/DelayWithMessages.h"

namespace sm {

QString ShotPrefixForVideo(const QString& path) { return BaseNameOf(path) + QLatin1Char('_'); }

VideoSession::VideoSession(MediaEngine& engine) : engine_(engine), wait_(DelayWithMessages) {}

bool VideoSession::LoadVideo(const QString& path, AppSettings& settings, QString& prefix)
{
    if (!QFileInfo(path).isFile())
        return false;

    try {
        engine_.SetActive(false);
        wait_(1000);
        engine_.SetActive(true);
        engine_.ClearGraph();
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
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace sm
