// The map picture compiled into the program: size, bit depth, background and city marks.
#include "refdata/geokonverter.h"
#include "ui/bilder.h"

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <algorithm>
#include <gtest/gtest.h>

namespace {
constexpr QRgb Hintergrund = qRgb(252, 2, 252);

bool IstHintergrund(QRgb farbe)
{
    return (farbe & RGB_MASK) == (Hintergrund & RGB_MASK);
}

QImage Karte()
{
    return QImage(QStringLiteral(":/bilder/karte.bmp")).convertToFormat(QImage::Format_RGB32);
}
} // namespace

TEST(KartenBild, IsA24BitBitmapOf471By602)
{
    QFile datei(QStringLiteral(":/bilder/karte.bmp"));
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    const QByteArray kopf = datei.read(54);
    ASSERT_EQ(kopf.size(), 54);
    const auto* p = reinterpret_cast<const uchar*>(kopf.constData());
    EXPECT_EQ(kopf.left(2), QByteArray("BM"));
    EXPECT_EQ(qFromLittleEndian<qint32>(p + 18), 471);
    EXPECT_EQ(qFromLittleEndian<qint32>(p + 22), 602); // positive: rows stored bottom-up
    EXPECT_EQ(qFromLittleEndian<quint16>(p + 28), 24);
    EXPECT_EQ(qFromLittleEndian<quint32>(p + 30), 0u); // uncompressed

    EXPECT_EQ(LadeBild(QStringLiteral("KARTE")).size(), QSize(471, 602));
    EXPECT_EQ(BildGroesse(QStringLiteral("KARTE")), QSize(471, 602));
}

TEST(KartenBild, BackgroundOutsideNearlyWhiteInside)
{
    const QImage bild = Karte();
    ASSERT_EQ(bild.size(), QSize(471, 602));
    // Corners, the North Sea, France, Switzerland and Poland.
    const QPoint aussen[] = {{0, 0},     {470, 0}, {0, 601},  {470, 601}, {5, 5},
                             {460, 590}, {40, 80}, {20, 520}, {120, 590}, {465, 250}};
    for (const QPoint p : aussen)
        EXPECT_TRUE(IstHintergrund(bild.pixel(p))) << p.x() << "," << p.y();
    // Inland points away from borders, marks and labels: nearly white.
    const QPoint innen[] = {{200, 250}, {300, 350}, {120, 500}, {330, 480}, {410, 230}, {170, 60}};
    for (const QPoint p : innen)
        EXPECT_GE(std::min({qRed(bild.pixel(p)), qGreen(bild.pixel(p)), qBlue(bild.pixel(p))}), 240)
            << p.x() << "," << p.y();
}

TEST(KartenBild, ReferenceMarksAreCentredOnTheConverterPixels)
{
    const QImage bild = Karte();
    const TGeoConverter konverter = KartenKonverter();
    struct Marke {
        const char* stadt;
        TGeoPoint ort;
        TPixel pixel;
    };
    // The converter's reference points and the city centres of the two marked cities.
    const Marke marken[] = {
        {"Saarbrücken", {7.0L, 49.233L}, {62, 440}},
        {"Schwerin", {11.412L, 53.628L}, {278, 110}},
        {"Saarbrücken (Stadtmitte)", {7.0098L, 49.2326L}, {62, 440}},
        {"Schwerin (Stadtmitte)", {11.4132L, 53.6294L}, {278, 110}},
    };
    for (const Marke& m : marken) {
        SCOPED_TRACE(m.stadt);
        ASSERT_EQ(konverter.GeoToPixel(m.ort), m.pixel);
        const QRgb mitte = bild.pixel(m.pixel.x, m.pixel.y);
        EXPECT_FALSE(IstHintergrund(mitte));
        EXPECT_LT(qGray(mitte), 80) << "no dark mark on the reference pixel";
        // The mark's dark core is balanced about the reference pixel.
        double sx = 0, sy = 0, n = 0;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                if (qGray(bild.pixel(m.pixel.x + dx, m.pixel.y + dy)) < 60) {
                    sx += dx;
                    sy += dy;
                    ++n;
                }
        ASSERT_GT(n, 4);
        EXPECT_NEAR(sx / n, 0.0, 0.25);
        EXPECT_NEAR(sy / n, 0.0, 0.25);
        // The mark's core is land, so a click on it counts (Saarbrücken lies two pixels from
        // the French border).
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                EXPECT_FALSE(IstHintergrund(bild.pixel(m.pixel.x + dx, m.pixel.y + dy)));
    }
}

TEST(KartenBild, LandNeverBlendsWithTheBackground)
{
    // Drawn transparently, any pixel mixed from land and background would show as a pink fringe.
    const QImage bild = Karte();
    int land = 0;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x) {
            const QRgb farbe = bild.pixel(x, y);
            if (IstHintergrund(farbe))
                continue;
            ++land;
            const bool rosa = qGreen(farbe) + 60 < qRed(farbe) && qGreen(farbe) + 60 < qBlue(farbe);
            ASSERT_FALSE(rosa) << x << "," << y;
        }
    // Germany covers roughly half of its bounding box.
    EXPECT_GT(land, bild.width() * bild.height() * 4 / 10);
    EXPECT_LT(land, bild.width() * bild.height() * 7 / 10);
}
