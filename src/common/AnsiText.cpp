#include "common/AnsiText.h"

namespace sm {

namespace {

// The end (exclusive) of the character that starts at i, and its size in bytes.
qsizetype CharacterEnd(const QString& text, qsizetype i, int& bytes)
{
    const QChar c = text.at(i);
    bytes = c.unicode() < 0x80 ? 1 : 2;
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
        return i + 2;
    return i + 1;
}

}  // namespace

int AnsiByteCount(const QString& text)
{
    int total = 0;
    for (qsizetype i = 0; i < text.size();) {
        int bytes = 0;
        i = CharacterEnd(text, i, bytes);
        total += bytes;
    }
    return total;
}

QString AnsiLeft(const QString& text, int maxBytes)
{
    int total = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        int bytes = 0;
        const qsizetype end = CharacterEnd(text, i, bytes);
        if (total + bytes > maxBytes)
            break;
        total += bytes;
        i = end;
    }
    return text.left(i);
}

}  // namespace sm
