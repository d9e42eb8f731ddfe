#pragma once

#include <QByteArray>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace sm {

// What a seek-bar preview track is asked to be: a picture every Every seconds from 0,
// each Width pixels wide, Columns x Rows of them to a sprite.
struct PreviewTrackShape {
    int Every = 10;
    int Width = 320;
    int Columns = 10;
    int Rows = 10;
};

// The bounds the options accept.
inline constexpr int kMinPreviewEvery = 1;
inline constexpr int kMaxPreviewEvery = 3600;
inline constexpr int kMinPreviewWidth = 16;
inline constexpr int kMaxPreviewWidth = 3840;
inline constexpr int kMaxPreviewGridSide = 100;

// "CxR" (or "CXR") with both sides from 1 to kMaxPreviewGridSide as columns and rows.
std::optional<QSize> ParsePreviewGrid(const QString& text);

// One cue of the track: the milliseconds it covers, the second whose picture it shows,
// the sprite (from 0) that holds the picture and where in it.
struct PreviewCue {
    std::int64_t startMs = 0;
    std::int64_t endMs = 0;
    int second = 0;
    int sprite = 0;
    QRect cell;
};

// Where every picture of a track goes.
struct PreviewTrackPlan {
    QSize picture;  // the size of every picture
    std::vector<PreviewCue> cues;
    std::vector<QSize> sprites;  // the size of each sprite
};

// The height of a picture `width` wide of a video shown at `display` size: the display
// aspect kept, rounded to the nearest even number, at least 2.
int PreviewPictureHeight(int width, QSize display);

// The plan of a video of durationMs (above 0) shown at `display` size (not empty): cue k
// from k x Every seconds to (k + 1) x Every, the last one ending at durationMs, at least
// one cue however short the video; the pictures fill the sprites row by row without
// gaps, each sprite Columns x Rows of them, but the last only as many rows (and, with a
// single row, columns) as it fills.
PreviewTrackPlan PlanPreviewTrack(std::int64_t durationMs, QSize display, const PreviewTrackShape& shape);

// HH:MM:SS.mmm (hours in two digits or more).
QString VttTimestamp(std::int64_t ms);

// The track file: the WEBVTT header and one cue per picture whose text is the file name
// of its sprite (spriteNames, beside the track file, percent-encoded here as a URL needs)
// with #xywh=x,y,w,h of its cell.
QByteArray VttText(const PreviewTrackPlan& plan, const QStringList& spriteNames);

// The files of a video's track in `folder` (ending in a separator): folder + the shot
// prefix + "sprite_" + n (from 1, at least three digits) + extension, and folder + the
// base name + ".vtt".
QString SpriteFileName(const QString& folder, const QString& videoPath, int number, const QString& extension);
QString PreviewTrackFileName(const QString& folder, const QString& videoPath);

}  // namespace sm
