#pragma once

#include <QObject>

#include "video/TrackBarView.h"

class QSlider;

namespace sm {

// Presents a horizontal slider as the position bar, and tells when the user lets go
// of it with the left button (after dragging the handle or clicking the groove).
class SliderTrackBar : public QObject, public TrackBarView {
    Q_OBJECT
public:
    // The slider belongs to the caller and outlives this object.
    explicit SliderTrackBar(QSlider& slider, QObject* parent = nullptr);

    int Minimum() const override;
    int Maximum() const override;
    int Position() const override;
    void SetMaximum(int maximum) override;
    void SetPosition(int position) override;
    bool IsHeld() const override { return held_; }

signals:
    // The left button was released on the slider and the slider has taken its final
    // position; IsHeld() is false again from here on.
    void Released();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSlider& slider_;
    bool held_ = false;
};

}  // namespace sm
