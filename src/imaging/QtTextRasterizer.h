#pragma once

#include <mutex>

#include <QFont>
#include <QHash>

#include "imaging/TextRasterizer.h"

namespace sm {

// Text measuring and drawing on the installed fonts through QtGui. A QGuiApplication
// (or QApplication) must exist before the first call; without one both operations
// throw std::logic_error instead of letting QtGui abort.
class QtTextRasterizer final : public TextRasterizer {
public:
    QSize measure(const LogicalFont& font, const QString& text) const override;
    void draw(const LogicalFont& font, const QString& text, QPoint start, Bitmap& grey) const override;

    // The QFont for a logical font. A face that is not installed gives way to the
    // system's nearest substitute; Chinese faces stand behind it so that Chinese text
    // always finds its glyphs.
    QFont MakeFont(const LogicalFont& font) const;

private:
    QString InstalledFamily(const LogicalFont& font) const;

    // Asking the font configuration for a substitute is slow; each face is asked once.
    mutable std::mutex familiesMutex_;
    mutable QHash<QString, QString> families_;  // guarded by familiesMutex_
};

}  // namespace sm
