#include "video/VideoSession.h"

#include <QFileInfo>

#include <algorithm>

#include "video/DelayWithMessages.h"

namespace sm {

VideoSession::VideoSession(MediaEngine& engine) : engine_(engine), wait_(DelayWithMessages) {}

std::int64_t VideoSession::SeriesSpan() const
{
    return pictureEnd_ > 0 ? std::min(VideoDuration, pictureEnd_) : VideoDuration;
}

LoadedVideo VideoSession::LoadVideo(const QString& path, const PictureOptions& pictures)
{
    LoadedVideo found;
    if (!QFileInfo(path).isFile())
        return found;

    EngineFileName = path;
    try {
        engine_.SetActive(false);
        wait_(1000);
        engine_.SetActive(true);
        engine_.ClearGraph();
        engine_.SetPictureOptions(pictures);
        engine_.OpenMedia(path);
    } catch (...) {
        try {
            engine_.SetActive(false);
        } catch (...) {
        }
        return found;
    }

    try {
        // The engine leaves the size untouched for a file without pictures.
        int width = -1;
        int height = -1;
        engine_.GetVideoSize(width, height);
        if (width >= 0 && height >= 0)
            found.NativeSize = QSize(width, height);
        VideoDuration = engine_.GetDuration();
        pictureEnd_ = engine_.GetPictureEnd();
        found.Duration = VideoDuration;
        found.Loaded = true;
    } catch (...) {
    }
    return found;
}

}  // namespace sm
