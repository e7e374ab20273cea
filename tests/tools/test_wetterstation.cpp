// The generator against a real station: a house's coverage curve from weather generated out of
// the station's monthly means stays close to the curve from the station's own daily series.
#include "wetter.h"

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

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

    // The typical houses at 0,5 … 8 m³, fed as the check of the fit feeds this station
    // (column index 51 of the first file).
    const std::vector<double> kurveEcht = TypischeDeckung(echt);
    const std::vector<double> kurveErzeugt =
        TypischeDeckung(ErzeugeWetter(Monatsmittel(echt), GeneratorJahre, StationsSaat(0, 51)));
    ASSERT_EQ(kurveErzeugt.size(), 32u);
    for (std::size_t i = 0; i < kurveErzeugt.size(); ++i)
        EXPECT_NEAR(kurveErzeugt[i], kurveEcht[i], 0.03)
            << (i < 16 ? 120 : 80) << " m², " << 0.5 * (i % 16 + 1) << " m³";
    // The curve is not flat: the volume matters at this station.
    EXPECT_GT(kurveEcht[15] - kurveEcht[0], 0.2);

    // What a perfect generator would score: samples of 5 years stray further from the
    // generator's own curve than samples of 1000.
    const std::vector<double> grenze =
        Zufallsgrenze({{"kurz", 5, StationsSaat(0, 51), Monatsmittel(echt), {}},
                       {"lang", 1000, StationsSaat(0, 51), Monatsmittel(echt), {}}},
                      AngepassteWetterParameter());
    ASSERT_EQ(grenze.size(), 2u * ZufallsWiederholungen);
    const auto mittel = [&grenze](std::size_t station) {
        double summe = 0;
        for (std::size_t w = 0; w < ZufallsWiederholungen; ++w)
            summe += grenze[station * ZufallsWiederholungen + w];
        return summe / static_cast<double>(ZufallsWiederholungen);
    };
    EXPECT_GT(mittel(0), 1.5 * mittel(1));
}
