#include "settings/VideoOpenFilters.h"

#include "settings/Texts.h"

namespace sm {

QStringList AllVideoPatterns()
{
    // Without today's containers the first filter would hide most videos a user has.
    return QStringLiteral("*.wmv;*.asf;*.flv;*.asx;*.wvx;*.wm;*.wmx;*.ra;*.rm;*.rmj;*.rms;*.mnd;*.ram;*.rmm;*.r1m;"
                          "*.rom;*.mns;*.rp;*.rtx;*.rt;*.rmx;*.mpg;*.mpeg;*.mpa;*.mp2;*.dat;*.avi;*.mov;*.qt;*.vob;"
                          "*.mp4;*.m4v;*.mkv;*.webm;*.ts;*.m2ts;*.mts;*.3gp")
        .split(QLatin1Char(';'));
}

QStringList VideoOpenFilters()
{
    const QString windowsMedia = QStringLiteral("*.wmv;*.asf;*.asx;*.wvx;*.wm;*.wmx");
    const QString realMedia
        = QStringLiteral("*.ra;*.rm;*.rmj;*.rms;*.mnd;*.ram;*.rmm;*.r1m;*.rom;*.mns;*.rp;*.rtx;*.rt;*.rmx");
    const QString mpeg = QStringLiteral("*.mpg;*.mpeg;*.mpa;*.mp2;*.dat");
    auto entry
        = [](const QString& description, const QString& patterns) { return description + QLatin1Char('|') + patterns; };
    return {
        entry(lang::kFilterAllVideo, AllVideoPatterns().join(QLatin1Char(';'))),
        entry(lang::kFilterWindowsMedia, windowsMedia),
        entry(lang::kFilterRealMedia, realMedia),
        entry(lang::kFilterMpeg, mpeg),
        entry(lang::kFilterAvi, QStringLiteral("*.avi")),
        entry(lang::kFilterFlash, QStringLiteral("*.flv")),
        entry(lang::kFilterDvd, QStringLiteral("*.vob")),
        entry(lang::kFilterQuickTime, QStringLiteral("*.mov;*.qt")),
        entry(lang::kFilterAllFiles, QStringLiteral("*.*")),
    };
}

}  // namespace sm
