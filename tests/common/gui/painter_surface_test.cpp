#include <gtest/gtest.h>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include "common/gui/painter_surface.h"
#include "common/gui/view_font.h"

namespace tvx::gui {
namespace {

QImage WhiteImage(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

int DarkPixels(const QImage& image, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) n += qGray(image.pixel(x, y)) < 128;
    }
    return n;
}

TEST(PainterSurface, MapsUserScaleAndOriginToTheTarget) {
    QImage image = WhiteImage(200, 100);
    QPainter painter(&image);
    PainterSurface s(painter, QRectF(10, 0, 100, 50));
    s.SetScale(0, 0, 1000, 500);
    EXPECT_EQ(s.ToDevice(500, 250), QPointF(60, 25));
    s.SetScaleOrigin(-100, -50);  // page point (100, 50) becomes the local (0, 0)
    EXPECT_EQ(s.ToDevice(0, 0), QPointF(20, 5));
    EXPECT_EQ(s.ScaleWidth(), 1000);
    const QPointF back = s.ToUser(QPointF(60, 25));
    EXPECT_DOUBLE_EQ(back.x(), 400);
    EXPECT_DOUBLE_EQ(back.y(), 200);
}

TEST(PainterSurface, FontSizeStaysInPointsWhateverTheScale) {
    QImage image = WhiteImage(400, 400);
    QPainter painter(&image);
    PainterSurface s(painter, QRectF(0, 0, 400, 400));
    s.SetFontSize(10);
    s.SetScale(0, 0, 400, 400);
    const double oneToOne = s.TextWidth(QStringLiteral("1234"));
    s.SetScale(0, 0, 800, 800);  // zoomed out: the same text covers twice the user units
    EXPECT_NEAR(s.TextWidth(QStringLiteral("1234")), 2 * oneToOne, 1e-9);
    s.SetFontSize(20);
    EXPECT_NEAR(s.TextWidth(QStringLiteral("1234")), 4 * oneToOne, oneToOne * 0.2);
}

TEST(PainterSurface, PrintMovesTheCurrentPositionBehindTheText) {
    QImage image = WhiteImage(300, 100);
    QPainter painter(&image);
    PainterSurface s(painter, QRectF(0, 0, 300, 100));
    s.SetScale(0, 0, 300, 100);
    s.SetFontSize(12);
    s.PrintAt(5, 10, QString::fromUtf8("パネル"));
    EXPECT_NEAR(s.CurrentX(), 5 + s.TextWidth(QString::fromUtf8("パネル")), 1e-9);
    EXPECT_EQ(s.CurrentY(), 10);
    painter.end();
    EXPECT_GT(DarkPixels(image, QRect(5, 10, 60, 20)), 20) << "Japanese text left no ink";
}

TEST(PainterSurface, WhiteHatchOverBlackHatchLeavesThePartWhite) {
    QImage image = WhiteImage(200, 200);
    QPainter painter(&image);
    PainterSurface s(painter, QRectF(0, 0, 200, 200));
    s.SetScale(0, 0, 200, 200);
    s.SetFillStyle(FillStyle::UpwardDiagonal);
    s.SetFillColor(Qt::black);
    s.Box(0, 0, 199, 199);
    s.SetFillColor(Qt::white);
    s.Box(50, 50, 149, 149);
    painter.end();
    EXPECT_GT(DarkPixels(image, QRect(10, 10, 30, 30)), 30) << "waste is hatched";
    EXPECT_EQ(DarkPixels(image, QRect(55, 55, 90, 90)), 0) << "the part is white inside";
}

TEST(PainterSurface, WhiteDrawModeWipesAnOutline) {
    QImage image = WhiteImage(100, 100);
    QPainter painter(&image);
    PainterSurface s(painter, QRectF(0, 0, 100, 100));
    s.SetScale(0, 0, 100, 100);
    s.Line(10, 50, 90, 50);
    s.SetDrawMode(DrawMode::White);
    s.Line(10, 50, 90, 50);
    s.SetDrawMode(DrawMode::Copy);
    painter.end();
    EXPECT_EQ(DarkPixels(image, QRect(0, 45, 100, 10)), 0);
}

TEST(PainterSurface, DottedLinesLeaveGaps) {
    QImage image = WhiteImage(200, 20);
    QPainter painter(&image);
    PainterSurface s(painter, QRectF(0, 0, 200, 20));
    s.SetScale(0, 0, 200, 20);
    s.SetLineStyle(LineStyle::Dotted);
    s.Line(0, 10, 199, 10);
    painter.end();
    const int ink = DarkPixels(image, QRect(0, 9, 200, 3));
    EXPECT_GT(ink, 40);
    EXPECT_LT(ink, 160);
}

TEST(PainterSurface, NewPageOnAPdfMakesAnotherPage) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        PainterSurface s(painter, QRectF(0, 0, writer.width(), writer.height()), &writer);
        EXPECT_TRUE(s.IsPrinter());
        s.SetScale(0, 0, 100, 100);
        s.PrintAt(10, 10, QStringLiteral("one"));
        EXPECT_TRUE(s.NewPage());
        s.PrintAt(10, 10, QStringLiteral("two"));
    }
    EXPECT_EQ(buffer.data().count("/Type /Page\n") + buffer.data().count("/Type /Page\r"), 2);
}

TEST(ViewFont, PrefersTheInstalledJapaneseGothic) {
    const QString family = ViewFontFamily();
    EXPECT_FALSE(family.isEmpty());
    EXPECT_EQ(family, QStringLiteral("IPAGothic"));
}

}  // namespace
}  // namespace tvx::gui
