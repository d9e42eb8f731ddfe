#include "cli/CliOptions.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "capture/CaptureSchedule.h"
#include "imaging/PictureQuality.h"
#include "settings/Texts.h"
#include "sheet/InfoPlaceholders.h"

namespace sm {
namespace {

// The picture formats by the name -f takes, in the order of SaveFormat.
const QStringList kFormatNames
    = {QStringLiteral("jpg"), QStringLiteral("png"),  QStringLiteral("bmp"), QStringLiteral("gif"),
       QStringLiteral("tif"), QStringLiteral("webp"), QStringLiteral("avif")};

constexpr int kMaxJobs = 1024;
constexpr int kMaxTimeout = 86400;

std::optional<int> IntegerIn(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

// Reads a whole number from low to high into `into`; returns `error` when the value is
// none such.
QString WholeNumber(int& into, const QString& value, int low, int high, const QString& error)
{
    const std::optional<int> number = IntegerIn(value, low, high);
    if (!number)
        return error;
    into = *number;
    return {};
}

struct OptionRule {
    const char* shortName;  // "" when there is none
    const char* longName;
    bool takesValue;
    // Applies the option; returns an error text, empty when it is fine.
    std::function<QString(CliOptions& options, const QString& value, const QString& spelled)> apply;
};

// An option that turns a boolean setting on or off.
QString OnOff(const char* key, CliOptions& options, const QString& value, const QString& spelled)
{
    const QString lower = value.toLower();
    if (lower != QLatin1String("on") && lower != QLatin1String("off"))
        return lang::kCliWantsFormat.arg(spelled, QStringLiteral("on|off"), value);
    options.assignments.push_back(
        {QLatin1String(key), lower == QLatin1String("on") ? QStringLiteral("1") : QStringLiteral("0"), spelled});
    return {};
}

QString Flag(bool CliOptions::*member, bool value, CliOptions& options)
{
    options.*member = value;
    return {};
}

// Notes the first option that shapes the preview track, for the message when --webvtt
// is missing.
QString Tuned(CliOptions& options, const QString& spelled)
{
    if (options.previewTuning.isEmpty())
        options.previewTuning = spelled;
    return {};
}

// Shots, sheets and their seconds are what a preview track replaces.
QString PreviewTrackConflict(const CliOptions& options)
{
    if (options.action != CliOptions::Action::Run)
        return {};
    if (!options.webVtt)
        return options.previewTuning.isEmpty() ? QString() : lang::kCliNeedsWebVtt.arg(options.previewTuning);
    const QString webVtt = QStringLiteral("--webvtt");
    if (!options.thumbnails)
        return lang::kCliOptionsConflict.arg(webVtt, QStringLiteral("--no-sheet"));
    if (options.sheetOnly)
        return lang::kCliOptionsConflict.arg(webVtt, QStringLiteral("--sheet-only"));
    if (options.info)
        return lang::kCliOptionsConflict.arg(webVtt, options.infoLines.isEmpty() ? QStringLiteral("--info")
                                                                                 : QStringLiteral("--info-line"));
    static const QStringList replaced
        = {QStringLiteral("-n"), QStringLiteral("--count"), QStringLiteral("-e"),        QStringLiteral("--every"),
           QStringLiteral("-s"), QStringLiteral("--start"), QStringLiteral("--no-shots")};
    for (const SettingText& assignment : options.assignments)
        if (replaced.contains(assignment.option))
            return lang::kCliOptionsConflict.arg(webVtt, assignment.option);
    return {};
}

const std::vector<OptionRule>& Rules()
{
    using O = CliOptions;
    static const std::vector<OptionRule> rules = {
        {"h", "help", false,
         [](O& o, const QString&, const QString&) {
             o.action = O::Action::Help;
             return QString();
         }},
        {"V", "version", false,
         [](O& o, const QString&, const QString&) {
             o.action = O::Action::Version;
             return QString();
         }},
        {"o", "output", true,
         [](O& o, const QString& v, const QString& s) {
             o.assignments.push_back({QStringLiteral("OutputFolder"), v, s});
             return QString();
         }},
        {"n", "count", true,
         [](O& o, const QString& v, const QString& s) {
             if (!IntegerIn(v, kMinCountFrames, kMaxCountFrames))
                 return lang::kCliWantsCount.arg(s).arg(kMinCountFrames).arg(kMaxCountFrames).arg(v);
             o.assignments.push_back({QStringLiteral("CaptureMethod"), QStringLiteral("0"), s});
             o.assignments.push_back({QStringLiteral("CountFrames"), v, s});
             return QString();
         }},
        {"e", "every", true,
         [](O& o, const QString& v, const QString& s) {
             if (!IntegerIn(v, kMinEveryFrame, kMaxEveryFrame))
                 return lang::kCliWantsSeconds.arg(s).arg(kMinEveryFrame).arg(kMaxEveryFrame).arg(v);
             o.assignments.push_back({QStringLiteral("CaptureMethod"), QStringLiteral("1"), s});
             o.assignments.push_back({QStringLiteral("EveryFrame"), v, s});
             return QString();
         }},
        {"s", "start", true,
         [](O& o, const QString& v, const QString& s) {
             o.assignments.push_back({QStringLiteral("StartTime"), v, s});
             return QString();
         }},
        {"f", "format", true,
         [](O& o, const QString& v, const QString& s) {
             const int index = int(kFormatNames.indexOf(v.toLower()));
             if (index < 0)
                 return lang::kCliWantsFormat.arg(s, kFormatNames.join(u'|'), v);
             o.assignments.push_back({QStringLiteral("SaveFormat"), QString::number(index), s});
             return QString();
         }},
        {"", "no-shots", false,
         [](O& o, const QString&, const QString& s) {
             o.assignments.push_back({QStringLiteral("SaveDirectly"), QStringLiteral("0"), s});
             return QString();
         }},
        {"", "tonemap", true, [](O& o, const QString& v, const QString& s) { return OnOff("ToneMapping", o, v, s); }},
        {"", "deinterlace", true,
         [](O& o, const QString& v, const QString& s) { return OnOff("Deinterlace", o, v, s); }},
        {"", "no-sheet", false, [](O& o, const QString&, const QString&) { return Flag(&O::thumbnails, false, o); }},
        {"", "skip-blank", false,
         [](O& o, const QString&, const QString& s) {
             o.assignments.push_back({QStringLiteral("SkipBlank"), QStringLiteral("1"), s});
             return QString();
         }},
        {"", "skip-blurred", false,
         [](O& o, const QString&, const QString& s) {
             o.assignments.push_back({QStringLiteral("SkipBlurred"), QStringLiteral("1"), s});
             return QString();
         }},
        {"", "skip-seconds", true,
         [](O& o, const QString& v, const QString& s) {
             if (!IntegerIn(v, kMinSkipSeconds, kMaxSkipSeconds))
                 return lang::kCliWantsSeconds.arg(s).arg(kMinSkipSeconds).arg(kMaxSkipSeconds).arg(v);
             o.assignments.push_back({QStringLiteral("SkipSeconds"), v, s});
             return QString();
         }},
        {"", "set", true,
         [](O& o, const QString& v, const QString& s) {
             const qsizetype equals = v.indexOf(u'=');
             if (equals <= 0)
                 return lang::kCliWantsAssignment.arg(s, v);
             o.assignments.push_back({v.left(equals).trimmed(), v.mid(equals + 1), s});
             return QString();
         }},
        {"", "settings", true,
         [](O& o, const QString& v, const QString&) {
             o.settingsFile = v;
             return QString();
         }},
        {"", "mask", true,
         [](O& o, const QString& v, const QString&) {
             o.mask = v;
             return QString();
         }},
        {"r", "recursive", false, [](O& o, const QString&, const QString&) { return Flag(&O::recursive, true, o); }},
        {"", "skip-existing", false,
         [](O& o, const QString&, const QString&) { return Flag(&O::skipExisting, true, o); }},
        {"", "keyframes", false, [](O& o, const QString&, const QString&) { return Flag(&O::keyFrames, true, o); }},
        {"", "json", false, [](O& o, const QString&, const QString&) { return Flag(&O::json, true, o); }},
        {"", "sheet-only", false, [](O& o, const QString&, const QString&) { return Flag(&O::sheetOnly, true, o); }},
        {"", "info", false, [](O& o, const QString&, const QString&) { return Flag(&O::info, true, o); }},
        {"", "info-line", true,
         [](O& o, const QString& v, const QString& s) {
             const QString unknown = UnknownPlaceholder(v);
             if (!unknown.isEmpty())
                 return lang::kCliUnknownPlaceholder.arg(s, unknown);
             o.info = true;
             o.infoLines << v;
             return QString();
         }},
        {"", "webvtt", false, [](O& o, const QString&, const QString&) { return Flag(&O::webVtt, true, o); }},
        {"", "vtt-every", true,
         [](O& o, const QString& v, const QString& s) {
             Tuned(o, s);
             return WholeNumber(o.previewShape.Every, v, kMinPreviewEvery, kMaxPreviewEvery,
                                lang::kCliWantsSeconds.arg(s).arg(kMinPreviewEvery).arg(kMaxPreviewEvery).arg(v));
         }},
        {"", "vtt-width", true,
         [](O& o, const QString& v, const QString& s) {
             Tuned(o, s);
             return WholeNumber(o.previewShape.Width, v, kMinPreviewWidth, kMaxPreviewWidth,
                                lang::kCliWantsWidth.arg(s).arg(kMinPreviewWidth).arg(kMaxPreviewWidth).arg(v));
         }},
        {"", "vtt-grid", true,
         [](O& o, const QString& v, const QString& s) {
             const std::optional<QSize> grid = ParsePreviewGrid(v);
             if (!grid)
                 return lang::kCliWantsGrid.arg(s).arg(kMaxPreviewGridSide).arg(v);
             o.previewShape.Columns = grid->width();
             o.previewShape.Rows = grid->height();
             return Tuned(o, s);
         }},
        {"j", "jobs", true,
         [](O& o, const QString& v, const QString& s) {
             return WholeNumber(o.jobs, v, 1, kMaxJobs, lang::kCliWantsJobs.arg(s).arg(kMaxJobs).arg(v));
         }},
        {"", "timeout", true,
         [](O& o, const QString& v, const QString& s) {
             return WholeNumber(o.timeout, v, 0, kMaxTimeout, lang::kCliWantsTimeout.arg(s).arg(kMaxTimeout).arg(v));
         }},
    };
    return rules;
}

const OptionRule* FindShort(QChar letter)
{
    for (const OptionRule& rule : Rules())
        if (*rule.shortName && QLatin1Char(rule.shortName[0]) == letter)
            return &rule;
    return nullptr;
}

const OptionRule* FindLong(const QString& name)
{
    for (const OptionRule& rule : Rules())
        if (name == QLatin1String(rule.longName))
            return &rule;
    return nullptr;
}

// Options that ask for opposite things, whatever their order.
QString ConflictOf(const CliOptions& options)
{
    if (!options.sheetOnly)
        return {};
    if (!options.thumbnails)
        return lang::kCliOptionsConflict.arg(QStringLiteral("--sheet-only"), QStringLiteral("--no-sheet"));
    const auto noShots = [](const SettingText& s) { return s.option == QLatin1String("--no-shots"); };
    if (std::any_of(options.assignments.cbegin(), options.assignments.cend(), noShots))
        return lang::kCliOptionsConflict.arg(QStringLiteral("--sheet-only"), QStringLiteral("--no-shots"));
    return {};
}

}  // namespace

CliParse ParseCliArguments(const QStringList& arguments)
{
    CliParse parse;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size() && parse.error.isEmpty(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || argument == u'-' || !argument.startsWith(u'-')) {
            parse.options.inputs << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const OptionRule* rule = nullptr;
        QString spelled;
        std::optional<QString> value;
        if (argument.startsWith(QLatin1String("--"))) {
            const qsizetype equals = argument.indexOf(u'=');
            spelled = argument.left(equals);
            if (equals > 0)
                value = argument.mid(equals + 1);
            rule = FindLong(spelled.mid(2));
        } else {
            spelled = argument.left(2);
            if (argument.size() > 2)
                value = argument.mid(2);
            rule = FindShort(argument[1]);
        }
        if (!rule) {
            parse.error = lang::kCliUnknownOption.arg(spelled);
            break;
        }
        if (!rule->takesValue && value) {
            parse.error = lang::kCliTakesNoValue.arg(spelled);
            break;
        }
        if (rule->takesValue && !value) {
            if (i + 1 >= arguments.size()) {
                parse.error = lang::kCliWantsValue.arg(spelled);
                break;
            }
            value = arguments[++i];
        }
        parse.error = rule->apply(parse.options, value.value_or(QString()), spelled);
    }
    if (parse.error.isEmpty())
        parse.error = ConflictOf(parse.options);
    if (parse.error.isEmpty())
        parse.error = PreviewTrackConflict(parse.options);
    return parse;
}

}  // namespace sm
