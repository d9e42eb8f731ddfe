#include "sheet/InfoBlock.h"

#include <QPoint>

#include <algorithm>

#include "common/AnsiText.h"
#include "common/PathText.h"
#include "imaging/TextStamp.h"
#include "imaging/TimeLabel.h"
#include "settings/Texts.h"
#include "sheet/FileSizeText.h"
#include "sheet/SheetTiles.h"
#include "sheet/TextPieces.h"

namespace sm {

namespace {

const QString kUserLineSeparator = QStringLiteral("|");

// Whether an element name is the pattern's ("%1 decoder") filled with a name.
bool IsNamed(const QString& pattern, const QString& name)
{
    const qsizetype slot = pattern.indexOf(QStringLiteral("%1"));
    const QString before = pattern.left(slot);
    const QString after = pattern.mid(slot + 2);
    return name.size() > before.size() + after.size() && name.startsWith(before) && name.endsWith(after);
}

// How much an element tells about the file: its decoders most, then its container.
int Telling(const QString& name)
{
    return IsNamed(lang::kDecoderName, name) ? 0 : IsNamed(lang::kDemultiplexerName, name) ? 1 : 2;
}

// The element names (each ended by a CR) on one line, joined by " / ": the decoders first,
// in the engine's order (video before audio), then the demultiplexer, then the rest, so
// that a cut line still tells what decodes the file.
QString DecoderLineText(const QString& decoderList)
{
    QStringList names = decoderList.split(QChar(13), Qt::SkipEmptyParts);
    std::stable_sort(names.begin(), names.end(),
                     [](const QString& a, const QString& b) { return Telling(a) < Telling(b); });
    return names.join(QStringLiteral(" / "));
}

}  // namespace

QStringList FixedInfoLineTexts()
{
    return {lang::kInfoFileName, lang::kInfoFileSize, lang::kInfoDuration, lang::kInfoDecoder};
}

QString FilledInfoLine(int index, const QString& text, const VideoFacts& video)
{
    switch (index) {
    case 0:
        return ReplaceText(text, QStringLiteral("{FILENAME}"), FileNameOf(video.FileName), true);
    case 1:
        return ReplaceText(text, QStringLiteral("{FILESIZE}"), FileSizeText(FileSizeOf(video.FileName)), true);
    case 2:
        return ReplaceText(text, QStringLiteral("{DURATION}"), FormatTimeLabel(std::int32_t(video.Duration)), true);
    case 3: {
        const QString line = ReplaceText(text, QStringLiteral("{DECODER}"), DecoderLineText(video.DecoderList), true);
        if (AnsiByteCount(line) <= kDecoderLineBytes)
            return line;
        return AnsiLeft(line, kDecoderLineBytes) + QStringLiteral("...");
    }
    default:
        return text;
    }
}

std::optional<QString> AcceptedNewLine(const QString& typed)
{
    const QString line = typed.trimmed();
    if (AnsiByteCount(line) <= 1)
        return std::nullopt;
    return line;
}

QStringList UserLinesFrom(const QString& addText)
{
    if (addText.isEmpty())
        return {};
    return SplitText(addText, kUserLineSeparator);
}

QString AddTextFrom(const QStringList& userLines) { return userLines.join(kUserLineSeparator); }

void DrawInfoBlock(Bitmap& sheet, Bitmap& scratch, int blockTop, int blockHeight, const std::vector<InfoLine>& lines,
                   const VideoFacts& video, const AppSettings& settings)
{
    const int lineHeight = settings.AddonFont.size + 4;
    FillBitmap(scratch, sheet.width(), blockHeight, clWhite);
    int n = 0;
    for (int i = 0; i < int(lines.size()); ++i) {
        if (!lines[std::size_t(i)].Ticked)
            continue;
        StampText(scratch, FilledInfoLine(i, lines[std::size_t(i)].Text, video), settings.AddonFont, 1, 0,
                  n * lineHeight, 0, 100, false);
        ++n;
    }
    DrawAt(sheet, scratch, QPoint(0, blockTop));
}

}  // namespace sm
