#pragma once

#include <cstdint>

#include "common/Bitmap.h"
#include "imaging/RandomSource.h"
#include "imaging/TextEffectSettings.h"

namespace sm {

// The fills that paint a text's foreground picture. Each makes `foreground` a 24-bit
// picture of exactly width x height first. Colours are 0x00BBGGRR or system colours.

// A linear gradient by the style: from the start colour (left or top) toward the end
// colour, reversed for the right-to-left, bottom-to-top and centre styles; the centre
// styles run from the end colour at both edges toward the start colour in the middle.
void FillGradient(Bitmap& foreground, int width, int height, const TIAGradual& gradual);

// Every channel of every pixel is the base colour's plus a uniform draw in
// -amount div 2 .. amount - 1 - amount div 2, clamped to 0..255.
void FillNoise(Bitmap& foreground, int width, int height, ColorValue base, int amount, RandomSource& random);

// Adds the same kind of noise to every byte of the pixels already there.
void AddNoise(Bitmap& foreground, int amount, RandomSource& random);

// The font colour with the texture picture drawn over it by the texture's mode: tiled
// from the top left, stretched over the whole, centred (cropped evenly when larger), or
// once at the top left.
void FillTexture(Bitmap& foreground, int width, int height, ColorValue fontColor, const TIATexture& texture);

}  // namespace sm
