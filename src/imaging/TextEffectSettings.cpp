#include "imaging/TextEffectSettings.h"

#include <algorithm>

namespace sm {

namespace {

// Stores the value and reports it, only when it really changes.
template <typename T>
void Store(TNotifyClass& owner, T& field, T value)
{
    if (field == value)
        return;
    field = value;
    owner.Changed();
}

}  // namespace

void TNotifyClass::Assign(const TNotifyClass&) {}

void TNotifyClass::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TNotifyClass::DoChange(TNotifyClass*) { Changed(); }

void TEnabledClass::SetEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    // Switching off must be reported too, so bypass Changed's check.
    TNotifyClass::Changed();
}

void TEnabledClass::Changed()
{
    if (enabled_)
        TNotifyClass::Changed();
}

void TEnabledClass::Assign(const TNotifyClass& source)
{
    TNotifyClass::Assign(source);
    if (auto* other = dynamic_cast<const TEnabledClass*>(&source))
        SetEnabled(other->enabled_);
}

void TIAShadow::SetBlur(int blur) { Store(*this, blur_, std::clamp(blur, 0, 100)); }
void TIAShadow::SetAlpha(int alpha) { Store(*this, alpha_, std::clamp(alpha, 0, 100)); }
void TIAShadow::SetColor(ColorValue color) { Store(*this, color_, color); }
void TIAShadow::SetOffsetX(int offset) { Store(*this, offsetX_, std::clamp(offset, -20, 20)); }
void TIAShadow::SetOffsetY(int offset) { Store(*this, offsetY_, std::clamp(offset, -20, 20)); }

void TIAShadow::Assign(const TNotifyClass& source)
{
    TEnabledClass::Assign(source);
    if (auto* other = dynamic_cast<const TIAShadow*>(&source)) {
        SetBlur(other->blur_);
        SetAlpha(other->alpha_);
        SetColor(other->color_);
        SetOffsetX(other->offsetX_);
        SetOffsetY(other->offsetY_);
    }
}

void TIAGradual::SetStyle(TGradualStyle style) { Store(*this, style_, std::min(style, gsCenterToTB)); }

void TIAGradual::SetStartColor(ColorValue color) { Store(*this, startColor_, color); }
void TIAGradual::SetEndColor(ColorValue color) { Store(*this, endColor_, color); }

void TIAGradual::Assign(const TNotifyClass& source)
{
    TEnabledClass::Assign(source);
    if (auto* other = dynamic_cast<const TIAGradual*>(&source)) {
        SetStyle(other->style_);
        SetStartColor(other->startColor_);
        SetEndColor(other->endColor_);
    }
}

void TIATexture::SetMode(TTextureMode mode) { Store(*this, mode_, std::min(mode, tmNormal)); }

void TIATexture::SetPicture(const Bitmap& picture)
{
    if (&picture != &picture_)
        picture_ = picture;
    Changed();
}

void TIATexture::Assign(const TNotifyClass& source)
{
    TEnabledClass::Assign(source);
    if (auto* other = dynamic_cast<const TIATexture*>(&source)) {
        SetMode(other->mode_);
        SetPicture(other->picture_);
    }
}

TIAEffect::TIAEffect(ChangeHandler onChange)
    : TNotifyClass(std::move(onChange)),
      shadow_([this](TNotifyClass* sender) { DoChange(sender); }),
      gradual_([this](TNotifyClass* sender) { DoChange(sender); }),
      texture_([this](TNotifyClass* sender) { DoChange(sender); })
{
}

void TIAEffect::SetShadow(const TIAShadow& shadow)
{
    shadow_.Assign(shadow);
    Changed();
}

void TIAEffect::SetGradual(const TIAGradual& gradual)
{
    gradual_.Assign(gradual);
    Changed();
}

void TIAEffect::SetTexture(const TIATexture& texture)
{
    texture_.Assign(texture);
    Changed();
}

void TIAEffect::SetAlpha(int alpha) { Store(*this, alpha_, std::clamp(alpha, 0, 100)); }
void TIAEffect::SetBlur(int blur) { Store(*this, blur_, std::clamp(blur, 0, 100)); }
void TIAEffect::SetAngle(int angle) { Store(*this, angle_, std::clamp(angle, -360, 360)); }
void TIAEffect::SetNoise(int noise) { Store(*this, noise_, std::clamp(noise, 0, 255)); }
void TIAEffect::SetSpray(int spray) { Store(*this, spray_, std::clamp(spray, 0, 100)); }
void TIAEffect::SetOutline(bool outline) { Store(*this, outline_, outline); }
void TIAEffect::SetHorzMirror(bool mirror) { Store(*this, horzMirror_, mirror); }
void TIAEffect::SetVertMirror(bool mirror) { Store(*this, vertMirror_, mirror); }

void TIAEffect::Assign(const TNotifyClass& source)
{
    TNotifyClass::Assign(source);
    auto* other = dynamic_cast<const TIAEffect*>(&source);
    if (!other)
        return;
    SetAlpha(other->alpha_);
    SetBlur(other->blur_);
    SetAngle(other->angle_);
    SetNoise(other->noise_);
    SetSpray(other->spray_);
    SetOutline(other->outline_);
    SetHorzMirror(other->horzMirror_);
    SetVertMirror(other->vertMirror_);
    shadow_.Assign(other->shadow_);
    gradual_.Assign(other->gradual_);
    texture_.Assign(other->texture_);
}

}  // namespace sm
