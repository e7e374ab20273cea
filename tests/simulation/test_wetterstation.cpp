// The generator against a real station: a house's coverage curve from weather generated out of
// the station's monthly means stays close to the curve from the station's own daily series.
#include "simulation/kern/deckungskurve.h"
#include "simulation/kern/wettergenerator.h"

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(Wetterstation, GeneratedCurveFollowsTheRealSeries)
{
    // Whole years of a station of the check half, 29 February dropped.
    QFile datei(QStringLiteral(TW_TESTDATEN "/wetterstation.csv"));
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly | QIODevice::Text));
    std::vector<double> echt;
    while (!datei.atEnd()) {
        const QString zeile = QString::fromUtf8(datei.readLine()).trimmed();
        if (zeile.startsWith(u'#') || zeile.startsWith(u"date") || zeile.contains(u"-02-29"))
            continue;
        bool ok = false;
        const double mm = zeile.section(u',', 1, 1).toDouble(&ok);
        ASSERT_TRUE(ok && mm >= 0) << zeile.toStdString();
        echt.push_back(mm / 1000);
    }
    ASSERT_EQ(echt.size(), 15u * TageJeJahr);

    TNiederschlag mittel{};
    for (std::size_t t = 0; t < echt.size(); ++t) {
        std::size_t m = 0;
        for (int tag = static_cast<int>(t % TageJeJahr); tag >= Monatstage[m]; ++m)
            tag -= Monatstage[m];
        mittel[m] += echt[t] / 15;
    }

    // 120 m² roof × 0,9 × WGrad 0,9; 52,8 m³ a year, evenly.
    THausTage haus;
    haus.ErtragJeMeter = 120 * 0.9 * 0.9;
    haus.Bedarf.assign(TageJeJahr, 52.8 / TageJeJahr);
    std::vector<double> volumina;
    for (int i = 1; i <= 16; ++i)
        volumina.push_back(0.5 * i);

    // The seed the check of the fit gives this station (column index 51).
    const auto kurveEcht = BerechneDeckung(haus, echt, volumina);
    const auto kurveErzeugt =
        BerechneDeckung(haus, ErzeugeWetter(mittel, 200, 20031 + 51), volumina);
    ASSERT_EQ(kurveErzeugt.size(), volumina.size());
    for (std::size_t i = 0; i < volumina.size(); ++i)
        EXPECT_NEAR(kurveErzeugt[i].Deckung, kurveEcht[i].Deckung, 0.03) << volumina[i] << " m³";
    // The curve is not flat: the volume matters at this station.
    EXPECT_GT(kurveEcht.back().Deckung - kurveEcht.front().Deckung, 0.2);
}
