#include "settings/SettingsStore.h"

#include <QDir>

#include "settings/IniDocument.h"

namespace sm {

namespace {

const QString kSettingsSection = QStringLiteral("Settings");
const QString kTimeFontSection = QStringLiteral("TimeFont");
const QString kAddonFontSection = QStringLiteral("AddonFont");

// Visits every value in the order of the file: the loader and the saver share it, so
// reading and writing can never disagree about keys, order or sections.
template <typename Visitor>
void VisitInFileOrder(Visitor& v)
{
    using S = AppSettings;
    const QString& set = kSettingsSection;
    v.integer(set, "CaptureMethod", &S::CaptureMethod);
    v.integer(set, "EveryFrame", &S::EveryFrame);
    v.integer(set, "CountFrames", &S::CountFrames);
    v.text(set, "StartTime", &S::StartTime);
    v.integer(set, "SaveFormat", &S::SaveFormat);
    v.text(set, "OutputFolder", &S::OutputFolder);
    v.boolean(set, "NeedResize", &S::NeedResize);
    v.integer(set, "ShotsWidth", &S::ShotsWidth);
    v.integer(set, "ShotsHeight", &S::ShotsHeight);
    v.integer(set, "JpgCompress", &S::JpgCompress);
    v.integer(set, "PngCompress", &S::PngCompress);
    v.integer(set, "MaxColor", &S::MaxColor);
    v.integer(set, "ThumbWidth", &S::ThumbWidth);
    v.integer(set, "ThumbHeight", &S::ThumbHeight);
    v.integer(set, "ThumbCols", &S::ThumbCols);
    v.integer(set, "ThumbRows", &S::ThumbRows);
    v.integer(set, "ThumbSpace", &S::ThumbSpace);
    v.integer(set, "ResizeType", &S::ResizeType);
    v.integer(set, "FillColor", &S::FillColor);
    v.boolean(set, "AddTimeStamp", &S::AddTimeStamp);
    v.integer(set, "TimeTrans", &S::TimeTrans);
    v.integer(set, "TimePosit", &S::TimePosit);
    v.integer(set, "CaptureSpeed", &S::CaptureSpeed);
    v.boolean(set, "StopSound", &S::StopSound);
    v.font(kTimeFontSection, &S::TimeFont);
    v.boolean(set, "Add2List", &S::Add2List);
    v.boolean(set, "Aggregate", &S::Aggregate);
    v.boolean(set, "SaveDirectly", &S::SaveDirectly);
    v.text(set, "InitDir", &S::InitDir);
    v.boolean(set, "Addon", &S::Addon);
    v.integer(set, "TxtLocation", &S::TxtLocation);
    v.text(set, "AddText", &S::AddText);
    v.font(kAddonFontSection, &S::AddonFont);
    v.integer(set, "WinWidth", &S::WinWidth);
    v.integer(set, "WinHeight", &S::WinHeight);
    v.integer(set, "WinState", &S::WinState);
    v.boolean(set, "ToneMapping", &S::ToneMapping);
    v.boolean(set, "Deinterlace", &S::Deinterlace);
    v.boolean(set, "SkipBlank", &S::SkipBlank);
    v.boolean(set, "SkipBlurred", &S::SkipBlurred);
    v.integer(set, "SkipSeconds", &S::SkipSeconds);
}

// The six keys of a font record, in file order.
template <typename Visitor>
void VisitFont(Visitor& v, const QString& sec, FontDesc AppSettings::*font)
{
    v.fontText(sec, "Name", font, &FontDesc::name);
    v.fontInteger(sec, "Color", font, &FontDesc::color);
    v.fontInteger(sec, "Size", font, &FontDesc::size);
    v.fontInteger(sec, "CharSet", font, &FontDesc::charSet);
    v.fontInteger(sec, "Style", font, &FontDesc::style);
    v.fontInteger(sec, "Pitch", font, &FontDesc::pitch);
}

using FontPtr = FontDesc AppSettings::*;

// Every value takes its default from a default-constructed AppSettings.
struct Loader {
    const IniDocument& doc;
    AppSettings& out;
    const AppSettings defaults{};

    void integer(const QString& sec, const char* key, int AppSettings::*m)
    {
        out.*m = doc.readInteger(sec, QLatin1String(key), defaults.*m);
    }
    void boolean(const QString& sec, const char* key, bool AppSettings::*m)
    {
        out.*m = doc.readBool(sec, QLatin1String(key), defaults.*m);
    }
    void text(const QString& sec, const char* key, QString AppSettings::*m)
    {
        out.*m = doc.readString(sec, QLatin1String(key), defaults.*m);
    }
    void font(const QString& sec, FontPtr font) { VisitFont(*this, sec, font); }
    void fontText(const QString& sec, const char* key, FontPtr font, QString FontDesc::*m)
    {
        (out.*font).*m = doc.readString(sec, QLatin1String(key), (defaults.*font).*m);
    }
    void fontInteger(const QString& sec, const char* key, FontPtr font, int FontDesc::*m)
    {
        (out.*font).*m = doc.readInteger(sec, QLatin1String(key), (defaults.*font).*m);
    }
};

struct Saver {
    IniDocument& doc;
    const AppSettings& in;

    void integer(const QString& sec, const char* key, int AppSettings::*m)
    {
        doc.writeInteger(sec, QLatin1String(key), in.*m);
    }
    void boolean(const QString& sec, const char* key, bool AppSettings::*m)
    {
        doc.writeBool(sec, QLatin1String(key), in.*m);
    }
    void text(const QString& sec, const char* key, QString AppSettings::*m)
    {
        doc.writeString(sec, QLatin1String(key), in.*m);
    }
    void font(const QString& sec, FontPtr font) { VisitFont(*this, sec, font); }
    void fontText(const QString& sec, const char* key, FontPtr font, QString FontDesc::*m)
    {
        doc.writeString(sec, QLatin1String(key), (in.*font).*m);
    }
    void fontInteger(const QString& sec, const char* key, FontPtr font, int FontDesc::*m)
    {
        doc.writeInteger(sec, QLatin1String(key), (in.*font).*m);
    }
};

// Finds the one key asked for and parses its value as the loader would, but strictly:
// a value that does not parse is refused instead of giving way to the default.
struct Assigner {
    const QString& wanted;
    const QString& value;
    AppSettings& out;
    SettingAssignment result = SettingAssignment::UnknownKey;

    bool matches(const QString& sec, const char* key) const
    {
        const QString name = sec == kSettingsSection ? QLatin1String(key) : sec + u'.' + QLatin1String(key);
        return QString::compare(name, wanted, Qt::CaseInsensitive) == 0;
    }
    void assignInteger(int& target)
    {
        const std::optional<int> parsed = ParseIniInteger(value);
        result = parsed ? SettingAssignment::Done : SettingAssignment::BadValue;
        if (parsed)
            target = *parsed;
    }
    void integer(const QString& sec, const char* key, int AppSettings::*m)
    {
        if (matches(sec, key))
            assignInteger(out.*m);
    }
    void boolean(const QString& sec, const char* key, bool AppSettings::*m)
    {
        if (!matches(sec, key))
            return;
        int parsed = 0;
        assignInteger(parsed);
        if (result == SettingAssignment::Done)
            out.*m = parsed != 0;
    }
    void text(const QString& sec, const char* key, QString AppSettings::*m)
    {
        if (matches(sec, key)) {
            out.*m = value;
            result = SettingAssignment::Done;
        }
    }
    void font(const QString& sec, FontPtr font) { VisitFont(*this, sec, font); }
    void fontText(const QString& sec, const char* key, FontPtr font, QString FontDesc::*m)
    {
        if (matches(sec, key)) {
            (out.*font).*m = value;
            result = SettingAssignment::Done;
        }
    }
    void fontInteger(const QString& sec, const char* key, FontPtr font, int FontDesc::*m)
    {
        if (matches(sec, key))
            assignInteger((out.*font).*m);
    }
};

}  // namespace

QString SettingsFilePath(const QString& folder) { return QDir(folder).filePath(QStringLiteral("Settings.dat")); }

void LoadSettings(const QString& folder, AppSettings& settings)
{
    LoadSettingsFile(SettingsFilePath(folder), settings);
}

void LoadSettingsFile(const QString& path, AppSettings& settings)
{
    const IniDocument doc = IniDocument::Load(path);
    Loader loader{doc, settings};
    VisitInFileOrder(loader);
}

SettingAssignment AssignSetting(AppSettings& settings, const QString& key, const QString& value)
{
    Assigner assigner{key, value, settings};
    VisitInFileOrder(assigner);
    return assigner.result;
}

void SaveSettings(const QString& folder, const AppSettings& settings)
{
    const QString path = SettingsFilePath(folder);
    IniDocument doc = IniDocument::Load(path);
    Saver saver{doc, settings};
    VisitInFileOrder(saver);
    doc.Save(path);
}

}  // namespace sm
