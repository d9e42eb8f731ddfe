#pragma once

#include <QString>
#include <QStringList>

#include "sheet/InfoBlock.h"

namespace sm {

// The placeholders a command-line information line may hold, by name without braces:
// FILENAME, FILESIZE, DURATION, DECODER (those of the four fixed lines, in their order),
// RESOLUTION, FPS, VIDEOCODEC, AUDIOCODEC, BITRATE, DATE.
const QStringList& InfoPlaceholderNames();

// The first "{NAME}" of the text (NAME of ASCII letters, digits and "_") that is none of
// the placeholders, braces included; empty when there is none. Other braces are text.
QString UnknownPlaceholder(const QString& text);

// What a placeholder shows for the video; empty where the file does not tell (and for
// a name that is none). FILENAME, FILESIZE and DURATION as the information block's fixed
// lines show them; DECODER the decoders first and the demultiplexer next, between " / ";
// RESOLUTION the display size ("1920x1080"); FPS the average rate to at most three
// decimals ("23.976", "25"); VIDEOCODEC the format and its profile ("h264 High");
// AUDIOCODEC the format, rate and channels ("aac 48000 Hz stereo"); BITRATE the whole
// file's ("4.2 Mb/s", "800 kb/s"); DATE the file's modification time in ISO 8601 with
// its offset from UTC.
QString PlaceholderValue(const QString& name, const VideoFacts& video);

// The text with every placeholder filled, left to right, a value never scanned again;
// the decoders cut after kDecoderLineBytes bytes and "..." as on the fixed line.
QString FillPlaceholders(const QString& text, const VideoFacts& video);

// The text's leading part of at most maxBytes bytes (AnsiByteCount) followed by "...",
// or the whole text when it is no longer.
QString CutAfterBytes(const QString& text, int maxBytes);

}  // namespace sm
