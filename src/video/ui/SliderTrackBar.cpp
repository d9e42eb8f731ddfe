#include "video/ui/SliderTrackBar.h"

#include <QMouseEvent>
#include <QSlider>

namespace sm {

SliderTrackBar::SliderTrackBar(QSlider& slider, QObject* parent) : QObject(parent), slider_(slider)
{
    slider_.installEventFilter(this);
}

int SliderTrackBar::Minimum() const { return slider_.minimum(); }

int SliderTrackBar::Maximum() const { return slider_.maximum(); }

int SliderTrackBar::Position() const { return slider_.value(); }

void SliderTrackBar::SetMaximum(int maximum) { slider_.setRange(0, maximum); }

void SliderTrackBar::SetPosition(int position) { slider_.setValue(position); }

bool SliderTrackBar::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (watched == &slider_ && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease)
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (type == QEvent::MouseButtonPress) {
            held_ = true;
        } else if (held_) {
            // The slider handles the release after this filter; the bar counts as held
            // until then, so that no position report moves it before Released is seen.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    held_ = false;
                    emit Released();
                },
                Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace sm
