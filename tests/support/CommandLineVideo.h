#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "common/Bitmap.h"

namespace sm::test {

// The first picture the ffmpeg command line makes of a file through `filters`, as 24-bit
// BGR of the size given; empty when the tool fails or gives another size.
Bitmap CommandLinePicture(const QString& path, const QString& filters, int width, int height);

// How the colour bars of WriteColorBars are carried.
enum class BarsTransfer { Sdr, Pq, Hlg };

// Writes three frames of the HD colour bars as lossless 10-bit HEVC: tagged BT.709 for
// SDR, or carried through zscale to BT.2020 with the PQ or HLG transfer and tagged so.
// A Dolby Vision profile other than 0 is declared in the file's configuration record
// (Matroska). Throws std::runtime_error when the tool fails.
void WriteColorBars(const QString& path, BarsTransfer transfer, int width, int height, int dolbyVisionProfile = 0);

// The x of the centre of each of the seven bars (white to blue) of WriteColorBars' bars,
// and a y inside them.
std::vector<int> ColorBarCentres(int width);
int ColorBarRow(int height);

// A soft-edged disc moving `speed` pixels a source frame to the right over a flat
// background, 50 source frames a second: 2 x `frames` of them as progressive FFV1, or
// `frames` frames woven of them at 25 a second, top field first (frame n's top field
// from source frame 2n, its bottom field from 2n + 1), as MPEG-2 or H.264 (MBAFF).
enum class DiscVideo { Progressive, InterlacedMpeg2, InterlacedH264 };
void WriteMovingDisc(const QString& path, DiscVideo kind, int width, int height, int speed, int frames);
// The x of the disc's centre in source frame n (50 a second).
int DiscCentreX(int speed, int sourceFrame);

// Mean absolute difference between neighbouring rows over that between rows two apart,
// on the green channel: about 0.5 for smooth pictures, far above 1 for combed ones.
double CombMeasure(const Bitmap& picture);

}  // namespace sm::test
