// Any AddText and any facts of a video: the user lines split and join back to the text,
// and filling the lines never fails; the decoder line stays within its length.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/AnsiText.h"
#include "sheet/InfoBlock.h"
#include "sheet/TextPieces.h"

namespace {

// The next piece of the input, up to a NUL byte.
QString Piece(const char*& at, const char* end)
{
    const char* stop = static_cast<const char*>(std::memchr(at, '\0', std::size_t(end - at)));
    if (!stop)
        stop = end;
    const QString piece = QString::fromUtf8(at, stop - at);
    at = stop == end ? end : stop + 1;
    return piece;
}

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::int64_t duration = 0;
    if (size >= sizeof duration) {
        std::memcpy(&duration, data, sizeof duration);
        data += sizeof duration;
        size -= sizeof duration;
    }
    const char* at = reinterpret_cast<const char*>(data);
    const char* const end = at + size;
    const QString addText = Piece(at, end);
    sm::VideoFacts video;
    video.Duration = duration;
    video.FileName = Piece(at, end);
    video.DecoderList = Piece(at, end);
    const QString pattern = Piece(at, end);

    const QStringList userLines = sm::UserLinesFrom(addText);
    if (sm::AddTextFrom(userLines) != addText)
        Fail("the user lines do not join back to AddText");
    QStringList lines = sm::FixedInfoLineTexts();
    lines << userLines << addText;
    for (int i = 0; i < int(lines.size()); ++i) {
        const QString filled = sm::FilledInfoLine(i, lines[i], video);
        if (i == 3 && sm::AnsiByteCount(filled) > sm::kDecoderLineBytes + 3)
            Fail("the decoder line is longer than its limit");
        if (i >= sm::kFixedInfoLines && filled != lines[i])
            Fail("a user line was changed");
    }
    sm::AcceptedNewLine(addText);
    for (const bool matchCase : {true, false})
        sm::ReplaceText(addText, pattern, video.FileName, matchCase);
    sm::SplitText(addText, pattern);
    return 0;
}
