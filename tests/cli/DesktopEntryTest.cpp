// The installed desktop entry offers the program for the videos its open dialog lists.
#include <QFile>
#include <QMimeDatabase>

#include <gtest/gtest.h>

#include "settings/VideoOpenFilters.h"

namespace sm {
namespace {

TEST(DesktopEntry, NamesTheVideoTypeOfEveryPatternOfTheOpenDialog)
{
    QFile file(QStringLiteral(STILLMARK_DESKTOP_ENTRY));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList types;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith("MimeType="))
            types = QString::fromUtf8(line.mid(9)).split(u';', Qt::SkipEmptyParts);
    ASSERT_FALSE(types.isEmpty());

    const QMimeDatabase database;
    for (const QString& pattern : AllVideoPatterns()) {
        const QMimeType type
            = database.mimeTypeForFile(QStringLiteral("x") + pattern.mid(1), QMimeDatabase::MatchExtension);
        // Extensions the system knows as text, pictures or nothing at all are not claimed.
        if (!type.name().startsWith(u"video/"))
            continue;
        QStringList names = type.aliases();
        names << type.name();
        const bool listed
            = std::any_of(names.cbegin(), names.cend(), [&](const QString& n) { return types.contains(n); });
        EXPECT_TRUE(listed) << pattern.toStdString() << " is " << type.name().toStdString();
    }
}

}  // namespace
}  // namespace sm
