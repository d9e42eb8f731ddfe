#include "imaging/QtTextRasterizer.h"

#include <algorithm>
#include <stdexcept>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace sm {

namespace {

void RequireGuiApplication()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw std::logic_error("Text rendering needs a QGuiApplication");
}

}  // namespace

QString QtTextRasterizer::InstalledFamily(const LogicalFont& font) const
{
    const bool fixed = font.pitch == FontDesc::FixedPitch;
    const QString key = font.face + (fixed ? QStringLiteral("\n1") : QStringLiteral("\n0"));
    const std::lock_guard lock(familiesMutex_);
    auto known = families_.constFind(key);
    if (known != families_.cend())
        return *known;
    QString family = font.face;
    if (!QFontDatabase::hasFamily(font.face)) {
        // Let the system's font configuration name the nearest face, as it would for a
        // document that asks for a font this machine lacks.
        QFont probe(font.face);
        probe.setStyleHint(fixed ? QFont::TypeWriter : QFont::AnyStyle);
        family = QFontInfo(probe).family();
    }
    families_.insert(key, family);
    return family;
}

QFont QtTextRasterizer::MakeFont(const LogicalFont& font) const
{
    QFont result;
    result.setFamilies({InstalledFamily(font), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK TC"),
                        QStringLiteral("Noto Sans CJK JP")});
    result.setPixelSize(std::max(font.height, 1));
    result.setWeight(QFont::Weight(std::clamp(font.weight, 1, 1000)));
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStrikeOut(font.strikeOut);
    result.setFixedPitch(font.pitch == FontDesc::FixedPitch);
    result.setStyleStrategy(QFont::PreferAntialias);
    if (font.width > 0) {
        const int natural = QFontMetrics(result).averageCharWidth();
        if (natural > 0)
            result.setStretch(std::clamp(font.width * 100 / natural, 1, 4000));
    }
    return result;
}

QSize QtTextRasterizer::measure(const LogicalFont& font, const QString& text) const
{
    RequireGuiApplication();
    if (font.height <= 0)
        return QSize(0, 0);
    const QFontMetrics metrics(MakeFont(font));
    return QSize(text.isEmpty() ? 0 : metrics.horizontalAdvance(text), metrics.height());
}

void QtTextRasterizer::draw(const LogicalFont& font, const QString& text, QPoint start, Bitmap& grey) const
{
    RequireGuiApplication();
    if (grey.bitsPerPixel() != 8)
        throw std::invalid_argument("Text is drawn into 8-bit grey bitmaps only");
    if (font.height <= 0 || text.isEmpty() || grey.isEmpty())
        return;
    QImage image(grey.bits(), grey.width(), grey.height(), qsizetype(grey.stride()), QImage::Format_Grayscale8);
    QPainter painter;
    if (!painter.begin(&image))
        throw std::runtime_error("Cannot draw text into a bitmap of this size");
    const QFont qfont = MakeFont(font);
    painter.setFont(qfont);
    painter.setPen(Qt::white);
    painter.translate(start);
    if (font.escapement != 0)
        painter.rotate(-font.escapement / 10.0);
    painter.drawText(QPointF(0, QFontMetrics(qfont).ascent()), text);
}

}  // namespace sm
