#include "app/IniDocument.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>

#include <limits>
#include <stdexcept>

namespace sm {

namespace {

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

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
    QString text = QString::fromUtf8(file.readAll());
    // A byte-order mark left by a text editor would hide the first section header.
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return FromText(text);
}

IniDocument IniDocument::FromText(const QString& text)
{
    IniDocument doc;
    std::vector<Line>* target = &doc.preamble_;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            target = &doc.sectionFor(line.mid(1, line.size() - 2).trimmed()).lines;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || line.startsWith(QLatin1Char(';')))
            target->push_back({QString(), line});
        else
            target->push_back({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
    return doc;
}

QString IniDocument::text() const
{
    QString out;
    auto writeLines = [&out](const std::vector<Line>& lines) {
        for (const Line& l : lines)
            out += (l.key.isEmpty() ? l.value : l.key + QLatin1Char('=') + l.value) + QLatin1Char('\n');
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
    QSaveFile file(path);
    const QByteArray bytes = text().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("Cannot write " + path.toStdString() + ": " + file.errorString().toStdString());
}

const IniDocument::Section* IniDocument::findSection(const QString& name) const
{
    for (const Section& s : sections_)
        if (SameName(s.name, name))
            return &s;
    return nullptr;
}

IniDocument::Section& IniDocument::sectionFor(const QString& name)
{
    for (Section& s : sections_)
        if (SameName(s.name, name))
            return s;
    sections_.push_back({name, {}});
    return sections_.back();
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    if (const Section* s = findSection(section))
        for (const Line& l : s->lines)
            if (!l.key.isEmpty() && SameName(l.key, key))
                return l.value;
    return std::nullopt;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    Section& s = sectionFor(section);
    for (Line& l : s.lines)
        if (!l.key.isEmpty() && SameName(l.key, key)) {
            l.value = value;
            return;
        }
    s.lines.push_back({key, value});
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
