#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

#include "common/Bitmap.h"
#include "settings/Settings.h"
#include "video/MediaFacts.h"

namespace sm {

// One line of the information list and whether it is ticked.
struct InfoLine {
    QString Text;
    bool Ticked = true;
};

// What the information block tells about the open video.
struct VideoFacts {
    QString FileName;           // the full path
    std::int64_t Duration = 0;  // whole seconds
    QString DecoderList;        // the engine's element names, each followed by a CR
    MediaFacts Media = {};      // what the file says of itself (the command line's lines)
};

// The first four lines are fixed: file name, file size, duration and decoders, with
// placeholders; the user's lines follow them.
constexpr int kFixedInfoLines = 4;
// The decoder line is cut after this many bytes (AnsiByteCount) and ends in "...".
constexpr int kDecoderLineBytes = 45;

// The four fixed lines, in order.
QStringList FixedInfoLineTexts();
// The lines the thumbnail window lists when it opens: the fixed ones, then the user lines
// of AddText.
QStringList InfoLineTexts(const AppSettings& settings);

// The text of line `index` with its placeholder filled from the video; the decoder line
// names the decoders first and the demultiplexer next, separates the names by " / " and is
// cut to kDecoderLineBytes; user lines (index 4 and on) exactly as typed.
QString FilledInfoLine(int index, const QString& text, const VideoFacts& video);

// The lines of a command-line sheet's block: the given lines with every placeholder
// filled (FillPlaceholders), or, when none are given, the lines the thumbnail window
// shows ticked when it opens (InfoLineTexts), each filled as it fills them.
QStringList CommandLineInfoTexts(const QStringList& givenLines, const VideoFacts& video, const AppSettings& settings);

// The trimmed text of a new user line, or nothing when it is at most one byte long.
std::optional<QString> AcceptedNewLine(const QString& typed);

// The user lines of the stored AddText (nothing for an empty text), and back.
QStringList UserLinesFrom(const QString& addText);
QString AddTextFrom(const QStringList& userLines);

// Renders the ticked lines, each filled, one below the other in AddonFont from (2, 2)
// on, into `scratch` (as wide as the sheet and blockHeight high, white) and draws it onto
// the sheet at y = blockTop. The text stamp's errors are the caller's.
void DrawInfoBlock(Bitmap& sheet, Bitmap& scratch, int blockTop, int blockHeight, const std::vector<InfoLine>& lines,
                   const VideoFacts& video, const AppSettings& settings);
// The same for lines filled already, every one drawn.
void DrawInfoTexts(Bitmap& sheet, Bitmap& scratch, int blockTop, int blockHeight, const QStringList& texts,
                   const AppSettings& settings);

}  // namespace sm
