#include "video/ui/VideoView.h"

#include <QPainter>

namespace sm {

VideoView::VideoView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("VideoView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VideoView::SetEngine(MediaEngine* engine)
{
    disconnect(presented_);
    engine_ = engine;
    if (!engine)
        return;
    engine->SetPicturesWatched(isVisible());
    presented_ = connect(engine, &MediaEngine::FramePresented, this, [this] {
        // A hidden window gets no paint event: the picture waits until it is shown.
        newFrame_ = true;
        update();
    });
}

void VideoView::showEvent(QShowEvent*)
{
    if (engine_)
        engine_->SetPicturesWatched(true);
}

void VideoView::hideEvent(QHideEvent*)
{
    if (engine_)
        engine_->SetPicturesWatched(false);
}

void VideoView::FetchPresentedFrame()
{
    newFrame_ = false;
    Bitmap frame;
    if (!engine_ || !engine_->GrabFrame(frame) || frame.bitsPerPixel() != 24)
        return;
    picture_
        = QImage(frame.bits(), frame.width(), frame.height(), qsizetype(frame.stride()), QImage::Format_BGR888).copy();
}

void VideoView::paintEvent(QPaintEvent*)
{
    if (newFrame_)
        FetchPresentedFrame();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (picture_.isNull())
        return;
    QRect target(QPoint(), picture_.size().scaled(size(), Qt::KeepAspectRatio));
    target.moveCenter(rect().center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture_);
}

}  // namespace sm
