#include "settings/IniDocument.h"

#include <QFile>
#include <QFileDevice>
#include <QStringDecoder>

#include <limits>
#include <stdexcept>

#include "common/SafeFileWrite.h"

namespace sm {

namespace {

// The form under which names are indexed, so they match without regard to case.
QString NameKey(const QString& name) { return name.toCaseFolded(); }

// UTF-8 when the bytes are valid UTF-8 (a byte-order mark dropped), otherwise GB18030,
// which contains the GBK code page that files of the earlier platform are written in.
QString DecodeFileText(const QByteArray& bytes, const QString& path)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder gb18030("GB18030");
    if (!gb18030.isValid())
        throw std::runtime_error("Cannot read " + path.toStdString() + ": no GB18030 decoder for its text");
    return gb18030(bytes);
}

// A file nobody may write: what a read-only file is here, even for a program run as
// root (for which the system would allow the write).
bool IsReadOnlyFile(const QString& path)
{
    constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return QFile::exists(path) && !(QFile::permissions(path) & anyWrite);
}

}  // namespace

std::optional<int> ParseIniInteger(const QString& text)
{
    QString digits = text.trimmed();
    bool negative = false;
    if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+'))) {
        negative = digits.startsWith(QLatin1Char('-'));
        digits.remove(0, 1);
    }
    int base = 10;
    if (digits.startsWith(QLatin1Char('$'))) {
        base = 16;
        digits.remove(0, 1);
    } else if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        digits.remove(0, 2);
    }
    if (digits.isEmpty() || digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+')))
        return std::nullopt;

    bool ok = false;
    const qulonglong magnitude = digits.toULongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    if (base == 16) {
        // Hexadecimal names a bit pattern: anything that fits 32 bits.
        if (magnitude > std::numeric_limits<quint32>::max())
            return std::nullopt;
        const auto bits = static_cast<qint32>(static_cast<quint32>(magnitude));
        return negative ? static_cast<int>(0u - static_cast<quint32>(bits)) : bits;
    }
    const qlonglong limit
        = negative ? -qlonglong(std::numeric_limits<int>::min()) : qlonglong(std::numeric_limits<int>::max());
    if (magnitude > qulonglong(limit))
        return std::nullopt;
    return static_cast<int>(negative ? -qlonglong(magnitude) : qlonglong(magnitude));
}

IniDocument IniDocument::Load(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("Cannot read " + path.toStdString() + ": " + file.errorString().toStdString());
    return FromText(DecodeFileText(file.readAll(), path));
}

IniDocument IniDocument::FromText(const QString& text)
{
    IniDocument doc;
    Section* target = nullptr;  // none before the first section header
    const qsizetype size = text.size();
    for (qsizetype start = 0; start < size;) {
        qsizetype end = start;
        while (end < size && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        const QStringView line = QStringView(text).sliced(start, end - start).trimmed();
        const bool crlf = end + 1 < size && text[end] == QLatin1Char('\r') && text[end + 1] == QLatin1Char('\n');
        start = end + (crlf ? 2 : 1);
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            target = &doc.sectionFor(line.sliced(1, line.size() - 2).trimmed().toString());
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        Line parsed = eq <= 0 || line.startsWith(QLatin1Char(';'))
                          ? Line{QString(), line.toString()}
                          : Line{line.left(eq).trimmed().toString(), line.sliced(eq + 1).trimmed().toString()};
        if (target)
            addLine(*target, std::move(parsed));
        else
            doc.preamble_.push_back(std::move(parsed));
    }
    return doc;
}

QString IniDocument::text() const
{
    QString out;
    auto writeLines = [&out](const std::vector<Line>& lines) {
        for (const Line& l : lines) {
            if (!l.key.isEmpty())
                out += l.key + QLatin1Char('=');
            out += l.value + QLatin1Char('\n');
        }
    };
    writeLines(preamble_);
    for (const Section& s : sections_) {
        out += QLatin1Char('[') + s.name + QLatin1String("]\n");
        writeLines(s.lines);
        out += QLatin1Char('\n');
    }
    return out;
}

void IniDocument::Save(const QString& path) const
{
    if (IsReadOnlyFile(path))
        throw FileWriteError("Cannot write " + path.toStdString() + ": the file is read-only");
    const QByteArray bytes = text().toUtf8();
    WriteFileAtomically(path, [&bytes](QIODevice& file) { file.write(bytes); });
}

const IniDocument::Section* IniDocument::findSection(const QString& name) const
{
    const auto found = sectionIndex_.constFind(NameKey(name));
    return found == sectionIndex_.cend() ? nullptr : &sections_[*found];
}

IniDocument::Section& IniDocument::sectionFor(const QString& name)
{
    // One look-up that finds the section or makes room for a new one.
    const qsizetype known = sectionIndex_.size();
    std::size_t& position = sectionIndex_[NameKey(name)];
    if (sectionIndex_.size() != known) {
        position = sections_.size();
        sections_.push_back({name, {}, {}});
    }
    return sections_[position];
}

void IniDocument::addLine(Section& section, Line line)
{
    // The first line of a key is the one read and changed, as a reader scanning the file would.
    if (!line.key.isEmpty()) {
        const qsizetype known = section.keyIndex.size();
        std::size_t& position = section.keyIndex[NameKey(line.key)];
        if (section.keyIndex.size() != known)
            position = section.lines.size();
    }
    section.lines.push_back(std::move(line));
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    const auto found = s->keyIndex.constFind(NameKey(key));
    if (found == s->keyIndex.cend())
        return std::nullopt;
    return s->lines[*found].value;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    Section& s = sectionFor(section);
    if (const auto found = s.keyIndex.constFind(NameKey(key)); found != s.keyIndex.cend())
        s.lines[*found].value = value;
    else
        addLine(s, {key, value});
}

QString IniDocument::readString(const QString& section, const QString& key, const QString& fallback) const
{
    return value(section, key).value_or(fallback);
}

int IniDocument::readInteger(const QString& section, const QString& key, int fallback) const
{
    const std::optional<QString> text = value(section, key);
    if (!text)
        return fallback;
    return ParseIniInteger(*text).value_or(fallback);
}

bool IniDocument::readBool(const QString& section, const QString& key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniDocument::writeString(const QString& section, const QString& key, const QString& value)
{
    setValue(section, key, value);
}

void IniDocument::writeInteger(const QString& section, const QString& key, int value)
{
    setValue(section, key, QString::number(value));
}

void IniDocument::writeBool(const QString& section, const QString& key, bool value)
{
    setValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace sm
