#include <gtest/gtest.h>

#include <QRect>

#include "imaging/QtTextRasterizer.h"

namespace sm {
namespace {

LogicalFont Font(const QString& face, int height)
{
    LogicalFont font;
    font.face = face;
    font.height = height;
    return font;
}

Bitmap Draw(const LogicalFont& font, const QString& text, QSize size, QPoint start = {})
{
    Bitmap grey(size.width(), size.height(), 8);
    DefaultTextRasterizer().draw(font, text, start, grey);
    return grey;
}

QRect InkedArea(const Bitmap& grey)
{
    QRect area;
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            if (grey.row(y)[x] > 64)
                area |= QRect(x, y, 1, 1);
    return area;
}

TEST(QtTextRasterizer, PointSizesBecomePixelsAt96DotsPerInch)
{
    const struct {
        int points, pixels;
    } cases[] = {{8, 11}, {9, 12}, {10, 13}, {12, 16}, {72, 96}};
    for (const auto& c : cases)
        EXPECT_EQ(LogicalFontFromDesc(FontDesc{QStringLiteral("Verdana"), clWhite, c.points}).height, c.pixels);
    FontDesc bold;
    bold.style = FontDesc::Bold | FontDesc::Italic;
    EXPECT_EQ(LogicalFontFromDesc(bold).weight, 700);
    EXPECT_TRUE(LogicalFontFromDesc(bold).italic);
}

TEST(QtTextRasterizer, AMissingFaceFallsBackAndStillDrawsTheText)
{
    const LogicalFont font = Font(QStringLiteral("No Such Face At All"), 44);
    const QSize extent = DefaultTextRasterizer().measure(font, QStringLiteral("00:12:34"));
    EXPECT_GT(extent.width(), 100);
    EXPECT_GE(extent.height(), 44);
    const QRect ink = InkedArea(Draw(font, QStringLiteral("00:12:34"), extent));
    EXPECT_GT(ink.width(), extent.width() * 3 / 4);
    EXPECT_TRUE(QRect(QPoint(), extent).contains(ink));
    EXPECT_EQ(DefaultTextRasterizer().measure(font, QString()).width(), 0);
}

TEST(QtTextRasterizer, ChineseTextGetsRealGlyphsNotBoxes)
{
    // Missing glyphs would all come out as the same box; real ones all differ.
    const QString text = QStringLiteral("视频截图测试");
    for (const QString& face : {QStringLiteral("Verdana"), QStringLiteral("SimSun")}) {
        const LogicalFont font = Font(face, 40);
        std::vector<Bitmap> glyphs;
        for (const QChar c : text) {
            const QSize extent = DefaultTextRasterizer().measure(font, QString(c));
            ASSERT_GT(extent.width(), 20);
            glyphs.push_back(Draw(font, QString(c), QSize(48, 60)));
            EXPECT_FALSE(InkedArea(glyphs.back()).isEmpty());
        }
        for (std::size_t i = 0; i < glyphs.size(); ++i)
            for (std::size_t j = i + 1; j < glyphs.size(); ++j)
                EXPECT_NE(glyphs[i], glyphs[j]) << face.toStdString() << " " << i << " " << j;
    }
}

TEST(QtTextRasterizer, AnEscapementTurnsTheTextCounterClockwiseAboutItsStart)
{
    LogicalFont font = Font(QStringLiteral("DejaVu Sans"), 30);
    font.escapement = 900;
    const QRect ink = InkedArea(Draw(font, QStringLiteral("HHHH"), QSize(200, 200), QPoint(50, 150)));
    EXPECT_GT(ink.height(), 60);  // runs upward from the start point
    EXPECT_LE(ink.bottom(), 150);
    EXPECT_GE(ink.left(), 50);
    EXPECT_LE(ink.right(), 50 + 40);
}

TEST(QtTextRasterizer, OnlyEightBitBitmapsAreDrawnInto)
{
    Bitmap colour(10, 10, 24);
    EXPECT_THROW(DefaultTextRasterizer().draw(Font("DejaVu Sans", 10), "a", {}, colour), std::invalid_argument);
}

}  // namespace
}  // namespace sm
