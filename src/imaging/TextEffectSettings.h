#pragma once

// Holds the TIA* settings objects: the text engine's classes keep the names its parts know them by.

#include <cstdint>
#include <functional>

#include "common/Bitmap.h"
#include "common/ColorValue.h"

namespace sm {

enum TGradualStyle : std::uint8_t {
    gsLeftToRight = 0,
    gsRightToLeft = 1,
    gsTopToBottom = 2,
    gsBottomToTop = 3,
    gsCenterToLR = 4,
    gsCenterToTB = 5,
};

enum TTextureMode : std::uint8_t {
    tmTiled = 0,
    tmStretched = 1,
    tmCenter = 2,
    tmNormal = 3,
};

// A settings object that tells a handler when one of its values really changes. Not
// copyable: owners bind handlers to `this`; use Assign to copy values.
class TNotifyClass {
public:
    using ChangeHandler = std::function<void(TNotifyClass* sender)>;

    explicit TNotifyClass(ChangeHandler onChange = {}) : OnChange(std::move(onChange)) {}
    TNotifyClass(const TNotifyClass&) = delete;
    TNotifyClass& operator=(const TNotifyClass&) = delete;
    virtual ~TNotifyClass() = default;

    ChangeHandler OnChange;

    // Copies the values this class and the source have in common.
    virtual void Assign(const TNotifyClass& source);
    // Calls OnChange with this object as sender, when a handler is set.
    virtual void Changed();
    // A handler that owners bind to their sub-objects' OnChange.
    void DoChange(TNotifyClass* sender);
};

// A settings group that can be switched off. While it is off its values change
// silently; switching it on or off is always reported.
class TEnabledClass : public TNotifyClass {
public:
    using TNotifyClass::TNotifyClass;

    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    void Assign(const TNotifyClass& source) override;
    void Changed() override;

private:
    bool enabled_ = false;
};

// A drop shadow: blur 0..100, opacity 0..100 %, offsets -20..20 pixels.
class TIAShadow : public TEnabledClass {
public:
    using TEnabledClass::TEnabledClass;

    int Blur() const { return blur_; }
    int Alpha() const { return alpha_; }
    ColorValue Color() const { return color_; }
    int OffsetX() const { return offsetX_; }
    int OffsetY() const { return offsetY_; }
    // Values outside a range are clamped into it.
    void SetBlur(int blur);
    void SetAlpha(int alpha);
    void SetColor(ColorValue color);
    void SetOffsetX(int offset);
    void SetOffsetY(int offset);

    void Assign(const TNotifyClass& source) override;

private:
    int blur_ = 80;
    int alpha_ = 70;
    ColorValue color_ = RgbColor(0x44, 0x44, 0x44);
    int offsetX_ = 2;
    int offsetY_ = 2;
};

// A colour gradient across or along the text.
class TIAGradual : public TEnabledClass {
public:
    using TEnabledClass::TEnabledClass;

    TGradualStyle Style() const { return style_; }
    ColorValue StartColor() const { return startColor_; }
    ColorValue EndColor() const { return endColor_; }
    // A style outside the enumeration is clamped to the last one.
    void SetStyle(TGradualStyle style);
    void SetStartColor(ColorValue color);
    void SetEndColor(ColorValue color);

    void Assign(const TNotifyClass& source) override;

private:
    TGradualStyle style_ = gsLeftToRight;
    ColorValue startColor_ = clWhite;
    ColorValue endColor_ = clBlack;
};

// A picture that fills the letters, of any depth.
class TIATexture : public TEnabledClass {
public:
    using TEnabledClass::TEnabledClass;

    TTextureMode Mode() const { return mode_; }
    const Bitmap& Picture() const { return picture_; }
    // A mode outside the enumeration is clamped to the last one.
    void SetMode(TTextureMode mode);
    // Copies the picture; reported like any change.
    void SetPicture(const Bitmap& picture);

    void Assign(const TNotifyClass& source) override;

private:
    TTextureMode mode_ = tmTiled;
    Bitmap picture_;
};

// Everything about how the text engine draws: shadow, gradient and texture groups,
// whose changes it passes on as its own, and the scalar effects.
class TIAEffect : public TNotifyClass {
public:
    explicit TIAEffect(ChangeHandler onChange = {});

    TIAShadow& Shadow() { return shadow_; }
    const TIAShadow& Shadow() const { return shadow_; }
    TIAGradual& Gradual() { return gradual_; }
    const TIAGradual& Gradual() const { return gradual_; }
    TIATexture& Texture() { return texture_; }
    const TIATexture& Texture() const { return texture_; }
    // Copy the values of the given group into the owned one, then report a change.
    void SetShadow(const TIAShadow& shadow);
    void SetGradual(const TIAGradual& gradual);
    void SetTexture(const TIATexture& texture);

    int Alpha() const { return alpha_; }
    int Blur() const { return blur_; }
    int Angle() const { return angle_; }
    int Noise() const { return noise_; }
    int Spray() const { return spray_; }
    bool Outline() const { return outline_; }
    bool HorzMirror() const { return horzMirror_; }
    bool VertMirror() const { return vertMirror_; }
    // Values outside a range are clamped into it: alpha, blur and spray 0..100, angle
    // -360..360 degrees counter-clockwise, noise 0..255.
    void SetAlpha(int alpha);
    void SetBlur(int blur);
    void SetAngle(int angle);
    void SetNoise(int noise);
    void SetSpray(int spray);
    void SetOutline(bool outline);
    void SetHorzMirror(bool mirror);
    void SetVertMirror(bool mirror);

    void Assign(const TNotifyClass& source) override;

private:
    TIAShadow shadow_;
    TIAGradual gradual_;
    TIATexture texture_;
    int alpha_ = 100;
    int blur_ = 0;
    int angle_ = 0;
    int noise_ = 0;
    int spray_ = 0;
    bool outline_ = false;
    bool horzMirror_ = false;
    bool vertMirror_ = false;
};

}  // namespace sm
