#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include "video/MediaEngine.h"

namespace sm {

// The video window: shows the picture the engine presents, scaled to fit with its
// aspect ratio kept, on black. It only copies finished pictures; decoding never runs
// on the UI thread.
class VideoView : public QWidget {
    Q_OBJECT
public:
    explicit VideoView(QWidget* parent = nullptr);

    // Follows the engine's presented pictures from now on (nullptr: none).
    void SetEngine(MediaEngine* engine);
    // The picture shown; null before the first one.
    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowPresentedFrame();

    QPointer<MediaEngine> engine_;
    QMetaObject::Connection presented_;
    QImage picture_;
};

}  // namespace sm
