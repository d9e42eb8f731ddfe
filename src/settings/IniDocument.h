#pragma once

#include <QHash>
#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

namespace sm {

// An INI file held in memory: sections in file order, each with its lines in file
// order. Lines the program does not understand (comments, lines without "=") and
// sections and keys it does not know are kept, so a document read, changed and
// written back loses nothing. Section and key names match without regard to case;
// both are indexed, so reading and writing a document grow linearly with its size.
class IniDocument {
public:
    // An empty document when the file does not exist. A file that is not valid UTF-8
    // is read as GB18030 (files of the earlier platform are in the GBK code page).
    // Throws std::runtime_error when an existing file cannot be read.
    static IniDocument Load(const QString& path);
    static IniDocument FromText(const QString& text);

    // The whole document as text: lines before the first section, then for each
    // section its bracketed name line, its lines and one empty line.
    QString text() const;
    // Replaces the file atomically with the text in UTF-8, so a failed write leaves the
    // old file as it was. A file that is read-only (no write permission for anyone) is
    // kept as it is, also for a program run as root. Throws std::runtime_error when the
    // file is not replaced.
    void Save(const QString& path) const;

    // The value of a key, or nothing when the section or key is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;
    // Changes the key in place, or appends it after the section's last key; a new
    // section is appended after the existing ones.
    void setValue(const QString& section, const QString& key, const QString& value);

    QString readString(const QString& section, const QString& key, const QString& fallback) const;
    // Decimal, or hexadecimal with a "0x" or "$" prefix; the fallback when the key is
    // missing or its value is not a 32-bit integer.
    int readInteger(const QString& section, const QString& key, int fallback) const;
    // True for any integer other than 0.
    bool readBool(const QString& section, const QString& key, bool fallback) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    // Written as "1" or "0".
    void writeBool(const QString& section, const QString& key, bool value);

private:
    struct Line {
        QString key;    // empty for a line that is not "key=value"
        QString value;  // the value, or the whole text of a line that is not "key=value"
    };
    struct Section {
        QString name;
        std::vector<Line> lines;
        QHash<QString, std::size_t> keyIndex;  // case-folded key -> its first line
    };

    const Section* findSection(const QString& name) const;
    Section& sectionFor(const QString& name);
    static void addLine(Section& section, Line line);

    std::vector<Line> preamble_;
    std::vector<Section> sections_;
    QHash<QString, std::size_t> sectionIndex_;  // case-folded name -> position in sections_
};

// Parses a 32-bit integer as settings files write it: optional sign, then decimal
// digits or hexadecimal digits after "0x" or "$" (up to 32 bits, so "$FFFFFFFF" is -1).
std::optional<int> ParseIniInteger(const QString& text);

}  // namespace sm
