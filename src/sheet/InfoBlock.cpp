#include "sheet/InfoBlock.h"

#include <QPoint>

#include <algorithm>

#include "common/AnsiText.h"
#include "imaging/TextStamp.h"
#include "settings/Texts.h"
#include "sheet/InfoPlaceholders.h"
#include "sheet/SheetTiles.h"
#include "sheet/TextPieces.h"

namespace sm {

namespace {

const QString kUserLineSeparator = QStringLiteral("|");

}  // namespace

QStringList FixedInfoLineTexts()
{
    return {lang::kInfoFileName, lang::kInfoFileSize, lang::kInfoDuration, lang::kInfoDecoder};
}

QStringList InfoLineTexts(const AppSettings& settings)
{
    return FixedInfoLineTexts() + UserLinesFrom(settings.AddText);
}

QString FilledInfoLine(int index, const QString& text, const VideoFacts& video)
{
    if (index < 0 || index >= kFixedInfoLines)
        return text;
    // Each fixed line fills its own placeholder; the decoder line is cut as a whole.
    const QString name = InfoPlaceholderNames()[index];
    const QString line = ReplaceText(text, u'{' + name + u'}', PlaceholderValue(name, video), true);
    return index == 3 ? CutAfterBytes(line, kDecoderLineBytes) : line;
}

QStringList CommandLineInfoTexts(const QStringList& givenLines, const VideoFacts& video, const AppSettings& settings)
{
    QStringList texts;
    if (!givenLines.isEmpty()) {
        for (const QString& line : givenLines)
            texts << FillPlaceholders(line, video);
        return texts;
    }
    const QStringList lines = InfoLineTexts(settings);
    for (int i = 0; i < int(lines.size()); ++i)
        texts << FilledInfoLine(i, lines[i], video);
    return texts;
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
    QStringList texts;
    for (int i = 0; i < int(lines.size()); ++i)
        if (lines[std::size_t(i)].Ticked)
            texts << FilledInfoLine(i, lines[std::size_t(i)].Text, video);
    DrawInfoTexts(sheet, scratch, blockTop, blockHeight, texts, settings);
}

void DrawInfoTexts(Bitmap& sheet, Bitmap& scratch, int blockTop, int blockHeight, const QStringList& texts,
                   const AppSettings& settings)
{
    const int lineHeight = settings.AddonFont.size + 4;
    FillBitmap(scratch, sheet.width(), blockHeight, clWhite);
    for (int n = 0; n < int(texts.size()); ++n)
        StampText(scratch, texts[n], settings.AddonFont, 1, 0, n * lineHeight, 0, 100, false);
    DrawAt(sheet, scratch, QPoint(0, blockTop));
}

}  // namespace sm
