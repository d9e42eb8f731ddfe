#include "sheet/InfoPlaceholders.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include "common/AnsiText.h"
#include "common/PathText.h"
#include "imaging/TimeLabel.h"
#include "settings/Texts.h"
#include "sheet/FileSizeText.h"

namespace sm {

namespace {

const QRegularExpression& PlaceholderPattern()
{
    static const QRegularExpression pattern(QStringLiteral("\\{([A-Za-z0-9_]+)\\}"));
    return pattern;
}

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

QString FrameRateText(const MediaFacts& facts)
{
    if (facts.FrameRateNum <= 0 || facts.FrameRateDen <= 0)
        return {};
    if (facts.FrameRateNum % facts.FrameRateDen == 0)
        return QString::number(facts.FrameRateNum / facts.FrameRateDen);
    QString text = QString::number(double(facts.FrameRateNum) / facts.FrameRateDen, 'f', 3);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

QString BitRateText(std::int64_t bitsPerSecond)
{
    if (bitsPerSecond <= 0)
        return {};
    if (bitsPerSecond >= 1'000'000)
        return QStringLiteral("%1 Mb/s").arg(double(bitsPerSecond) / 1e6, 0, 'f', 1);
    if (bitsPerSecond >= 1'000)
        return QStringLiteral("%1 kb/s").arg((bitsPerSecond + 500) / 1000);
    return QStringLiteral("%1 b/s").arg(bitsPerSecond);
}

QString AudioCodecText(const MediaFacts& facts)
{
    if (facts.AudioCodec.isEmpty())
        return {};
    QStringList parts{facts.AudioCodec};
    if (facts.AudioSampleRate > 0)
        parts << QStringLiteral("%1 Hz").arg(facts.AudioSampleRate);
    if (!facts.AudioChannels.isEmpty())
        parts << facts.AudioChannels;
    return parts.join(u' ');
}

QString ModificationDateText(const QString& path)
{
    const QDateTime modified = QFileInfo(path).lastModified();
    if (!modified.isValid())
        return {};
    return modified.toOffsetFromUtc(modified.offsetFromUtc()).toString(Qt::ISODate);
}

}  // namespace

const QStringList& InfoPlaceholderNames()
{
    static const QStringList names{
        QStringLiteral("FILENAME"),   QStringLiteral("FILESIZE"),   QStringLiteral("DURATION"),
        QStringLiteral("DECODER"),    QStringLiteral("RESOLUTION"), QStringLiteral("FPS"),
        QStringLiteral("VIDEOCODEC"), QStringLiteral("AUDIOCODEC"), QStringLiteral("BITRATE"),
        QStringLiteral("DATE"),
    };
    return names;
}

QString UnknownPlaceholder(const QString& text)
{
    for (const QRegularExpressionMatch& match : PlaceholderPattern().globalMatch(text))
        if (!InfoPlaceholderNames().contains(match.captured(1)))
            return match.captured(0);
    return {};
}

QString PlaceholderValue(const QString& name, const VideoFacts& video)
{
    const MediaFacts& media = video.Media;
    switch (InfoPlaceholderNames().indexOf(name)) {
    case 0:
        return FileNameOf(video.FileName);
    case 1:
        return FileSizeText(FileSizeOf(video.FileName));
    case 2:
        return FormatTimeLabel(std::int32_t(video.Duration));
    case 3:
        return DecoderLineText(video.DecoderList);
    case 4:
        if (media.DisplayWidth <= 0 || media.DisplayHeight <= 0)
            return {};
        return QStringLiteral("%1x%2").arg(media.DisplayWidth).arg(media.DisplayHeight);
    case 5:
        return FrameRateText(media);
    case 6:
        return media.VideoProfile.isEmpty() || media.VideoCodec.isEmpty()
                   ? media.VideoCodec
                   : media.VideoCodec + u' ' + media.VideoProfile;
    case 7:
        return AudioCodecText(media);
    case 8:
        return BitRateText(media.BitRate);
    case 9:
        return ModificationDateText(video.FileName);
    default:
        return {};
    }
}

QString FillPlaceholders(const QString& text, const VideoFacts& video)
{
    QString filled;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& match : PlaceholderPattern().globalMatch(text)) {
        const QString name = match.captured(1);
        if (!InfoPlaceholderNames().contains(name))
            continue;
        QString value = PlaceholderValue(name, video);
        if (name == QLatin1String("DECODER"))
            value = CutAfterBytes(value, kDecoderLineBytes);
        filled += text.mid(from, match.capturedStart() - from) + value;
        from = match.capturedEnd();
    }
    return filled + text.mid(from);
}

QString CutAfterBytes(const QString& text, int maxBytes)
{
    if (AnsiByteCount(text) <= maxBytes)
        return text;
    return AnsiLeft(text, maxBytes) + QStringLiteral("...");
}

}  // namespace sm
