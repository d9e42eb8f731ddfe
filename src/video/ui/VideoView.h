#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include "video/MediaEngine.h"

namespace sm {

// The video window: shows the picture the engine presents, scaled to fit with its
// aspect ratio kept, on black. It fetches the newest picture only when it paints, so a
// hidden window costs no conversions however many pictures are presented meanwhile;
// decoding never runs on the UI thread.
class VideoView : public QWidget {
    Q_OBJECT
public:
    explicit VideoView(QWidget* parent = nullptr);

    // Follows the engine's presented pictures from now on (nullptr: none).
    void SetEngine(MediaEngine* engine);
    // The picture last painted; null before the first one.
    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // The engine need not decode pictures for a view that nobody can see.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FetchPresentedFrame();

    QPointer<MediaEngine> engine_;
    QMetaObject::Connection presented_;
    QImage picture_;
    bool newFrame_ = false;  // a picture was presented since the last fetch
};

}  // namespace sm
