#pragma once

namespace sm {

// The position bar under the video as playback control sees it: a range from 0 to a
// maximum in whole seconds and a position that the bar keeps inside that range.
class TrackBarView {
public:
    virtual ~TrackBarView() = default;

    virtual int Minimum() const = 0;
    virtual int Maximum() const = 0;
    virtual int Position() const = 0;
    // Sets the range to 0..maximum.
    virtual void SetMaximum(int maximum) = 0;
    // Sets the position, clamped to the range.
    virtual void SetPosition(int position) = 0;
    // True while the left mouse button is held down on the bar.
    virtual bool IsHeld() const = 0;
};

}  // namespace sm
