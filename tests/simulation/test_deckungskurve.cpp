// Generated daily weather, coverage over volume, the point of diminishing returns and the
// money figures.
#include "../support/beispiel.h"
#include "model/berechnung.h"
#include "model/wirtschaftlichkeit.h"
#include "simulation/kern/deckungskurve.h"
#include "simulation/kern/wettergenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

TParameterSatz Berechnet(TParameterSatz satz)
{
    BerechneAlles(satz);
    return satz;
}

} // namespace

TEST(Wettergenerator, LongRunMonthlyMeansAndWetDays)
{
    TNiederschlag mittel = Beispiel().Niederschlag;
    mittel[1] = 0.008L; // a dry February: few, persistent wet days
    mittel[6] = 0.160L; // a wet July
    const int jahre = 3000;
    const std::vector<double> tage = ErzeugeWetter(mittel, jahre, 20031);
    ASSERT_EQ(tage.size(), static_cast<std::size_t>(jahre) * TageJeJahr);

    const TWetterParameter& p = AngepassteWetterParameter();
    std::size_t t = 0;
    bool vorher = false;
    for (std::size_t m = 0; m < 12; ++m) {
        SCOPED_TRACE(m + 1);
        double summe = 0;
        int nass = 0;
        int nachNass = 0, nassNachNass = 0, nachTrocken = 0, nassNachTrocken = 0;
        for (int j = 0; j < jahre; ++j)
            for (int d = 0; d < Monatstage[m]; ++d) {
                const std::size_t i = static_cast<std::size_t>(j) * TageJeJahr + t + d;
                const bool heute = tage[i] > 0;
                vorher = i > 0 && tage[i - 1] > 0;
                summe += tage[i];
                nass += heute;
                (vorher ? nachNass : nachTrocken) += 1;
                (vorher ? nassNachNass : nassNachTrocken) += heute;
            }
        t += static_cast<std::size_t>(Monatstage[m]);
        const double soll = static_cast<double>(mittel[m]);
        EXPECT_NEAR(summe / jahre, soll, 0.04 * soll);
        const double anteil = NassAnteil(soll * 1000, p);
        EXPECT_NEAR(nass / (jahre * double(Monatstage[m])), anteil, 0.01);
        const double persistenz =
            double(nassNachNass) / nachNass - double(nassNachTrocken) / nachTrocken;
        EXPECT_NEAR(persistenz, p.Persistenz[m], 0.03);
    }

    EXPECT_EQ(ErzeugeWetter(mittel, 2, 7), ErzeugeWetter(mittel, 2, 7));
    EXPECT_NE(ErzeugeWetter(mittel, 2, 7), ErzeugeWetter(mittel, 2, 8));
    // A month without rain, or with no valid mean, stays dry.
    mittel[2] = 0;
    mittel[3] = std::numeric_limits<long double>::quiet_NaN();
    const auto trocken = ErzeugeWetter(mittel, 50, 3);
    for (int j = 0; j < 50; ++j)
        for (int d = 31 + 28; d < 31 + 28 + 31 + 30; ++d)
            ASSERT_EQ(trocken[static_cast<std::size_t>(j * TageJeJahr + d)], 0.0);
}

TEST(Deckungskurve, EqualsThePlainDailyLoopAndRisesWithTheVolume)
{
    const TParameterSatz satz = Berechnet(Beispiel());
    const THausTage haus = HausTage(satz, StandardGartenmonate);
    ASSERT_DOUBLE_EQ(haus.ErtragJeMeter, 100 * 0.9 * 0.9);
    const std::vector<double> wetter = ErzeugeWetter(satz.Niederschlag, 30, WetterSaat(satz));
    const std::vector<double> volumina = Volumenraster(satz.Volumen, 6);
    const auto kurve = BerechneDeckung(haus, wetter, volumina);
    ASSERT_EQ(kurve.size(), volumina.size());

    for (std::size_t i = 0; i < volumina.size(); ++i) {
        SCOPED_TRACE(volumina[i]);
        double stand = 0, geliefert = 0, ueberlauf = 0, regen = 0, bedarf = 0;
        for (std::size_t t = 0; t < wetter.size(); ++t) {
            const double zufluss = wetter[t] * haus.ErtragJeMeter;
            const double entnahme = haus.Bedarf[t % TageJeJahr];
            regen += zufluss;
            bedarf += entnahme;
            const double vorhanden = stand + zufluss;
            const double genommen = std::min(entnahme, vorhanden);
            geliefert += genommen;
            stand = vorhanden - genommen;
            if (stand > volumina[i]) {
                ueberlauf += stand - volumina[i];
                stand = volumina[i];
            }
        }
        EXPECT_NEAR(kurve[i].Deckung, geliefert / bedarf, 1e-9);
        EXPECT_NEAR(kurve[i].Ueberlauf, ueberlauf / regen, 1e-9);
        if (i > 0) {
            EXPECT_GE(kurve[i].Deckung, kurve[i - 1].Deckung);
            EXPECT_LE(kurve[i].Ueberlauf, kurve[i - 1].Ueberlauf);
        }
    }
}

TEST(Deckungskurve, StaysWithinWhatTheYieldCanCover)
{
    // Roofs of 20, 60 and 200 m²: yield well below, near and far above the demand.
    for (const long double flaeche : {20.0L, 60.0L, 200.0L}) {
        SCOPED_TRACE(static_cast<double>(flaeche));
        TParameterSatz satz = Beispiel();
        satz.Flaechen = {{flaeche, 0.9L}};
        satz.Garten = 100;
        satz.GartenV = 0.06L;
        satz = Berechnet(satz);
        TDeckungsrechner rechner;
        const TDeckungsErgebnis e = rechner.Rechne(satz, StandardGartenmonate, {1.5, 30});
        ASSERT_GE(e.Kurve.size(), static_cast<std::size_t>(KurvenPunkteMindestens + 1));
        EXPECT_EQ(e.Kurve.front().Volumen, 0.0);
        EXPECT_GE(e.Kurve.back().Volumen, std::max(3 * static_cast<double>(satz.Volumen), 31.0));
        const double grenze = std::min(1.0, static_cast<double>(satz.Ertrag / satz.Bedarf));
        for (const TDeckungsPunkt& p : e.Kurve) {
            EXPECT_LE(p.Deckung, grenze + 0.03);
            EXPECT_GE(p.Ueberlauf, 0.0);
        }
        // Far more yield than demand: a large tank covers nearly all of it.
        if (flaeche == 200) {
            EXPECT_GT(e.Produkte[1].Deckung, 0.97);
        }
        // The same case gives the same curve; a new engine generates the same weather.
        TDeckungsrechner zweiter;
        const TDeckungsErgebnis f = zweiter.Rechne(satz, StandardGartenmonate, {1.5, 30});
        EXPECT_EQ(f.Produkte[0].Deckung, e.Produkte[0].Deckung);
        EXPECT_EQ(f.Kurve.back().Deckung, e.Kurve.back().Deckung);
    }
}

TEST(Deckungskurve, VolumeGridAndPointOfDiminishingReturns)
{
    const struct {
        long double volumen, produkt;
        double schritt, bis;
    } raster[] = {{3.168L, 0, 0.2, 9.6},
                  {0, 0, 0.025, 1},
                  {1, 9, 0.25, 10},
                  {std::numeric_limits<long double>::quiet_NaN(), -1, 0.025, 1},
                  {400, 0, 25, 1200}};
    for (const auto& r : raster) {
        SCOPED_TRACE(r.bis);
        const auto v = Volumenraster(r.volumen, r.produkt);
        ASSERT_GE(v.size(), static_cast<std::size_t>(KurvenPunkteMindestens + 1));
        EXPECT_NEAR(v[1], r.schritt, 1e-12);
        EXPECT_NEAR(v.back(), r.bis, 1e-9);
    }

    // Constructed curves over 0 … 10 m³ in steps of 0,25.
    auto kurve = [](auto deckung) {
        std::vector<TDeckungsPunkt> k;
        for (int i = 0; i <= 40; ++i)
            k.push_back({i * 0.25, deckung(i * 0.25), 0});
        return k;
    };
    // 1 − e^(−V/2): a further m³ adds e^(−V/2)(1 − e^(−1/2)), below 0,01 from V = 7,34.
    EXPECT_EQ(Knickpunkt(kurve([](double v) { return 1 - std::exp(-v / 2); })), 7.5);
    EXPECT_EQ(Knickpunkt(kurve([](double) { return 0.4; })), 0.0);
    // Still 2 points per m³ at the end: no point qualifies.
    EXPECT_EQ(Knickpunkt(kurve([](double v) { return 0.02 * v; })), std::nullopt);
    // Flat, then steep again: only the flat part after the last steep stretch counts.
    EXPECT_EQ(Knickpunkt(
                  kurve([](double v) { return v < 5 ? 0.5 : std::min(0.5 + (v - 5) * 0.1, 0.9); })),
              9.0);
    EXPECT_EQ(Knickpunkt({{0, 0.1, 0}, {0.5, 0.1, 0}}), std::nullopt);
    EXPECT_EQ(Knickpunkt({}), std::nullopt);
}

TEST(Wirtschaftlichkeit, SavingAndPayback)
{
    const TKosten kosten{2.0L, 0.25L, 50, 2500, 0};
    const struct {
        long double deckung, bedarf, preis;
        TKosten kosten;
        long double regenwasser, ersparnis;
        std::optional<long double> jahre;
    } faelle[] = {
        {0.8L, 50, 1500, kosten, 40, 40 * 1.75L - 50, 4000 / 20.0L},
        {0.8L, 50, 1500, {2.0L, 0.25L, 50, 2500, 30}, 40, 50, 80},
        {0.5L, 50, 1500, kosten, 25, 25 * 1.75L - 50, std::nullopt}, // 43,75 < 50: never
        {0.5L, 0, 1500, {2.0L, 0.25L, 0, 0, 0}, 0, 0, std::nullopt},
        {1, 100, 0, {2.0L, 0.25L, 0, 0, 0}, 100, 175, 0},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(static_cast<double>(f.ersparnis));
        const TWirtschaftlichkeit w =
            BerechneWirtschaftlichkeit(f.deckung, f.bedarf, f.preis, f.kosten);
        EXPECT_NEAR(static_cast<double>(w.Regenwasser), static_cast<double>(f.regenwasser), 1e-12);
        EXPECT_NEAR(static_cast<double>(w.Ersparnis), static_cast<double>(f.ersparnis), 1e-12);
        ASSERT_EQ(w.Amortisation.has_value(), f.jahre.has_value());
        if (f.jahre) {
            EXPECT_NEAR(static_cast<double>(*w.Amortisation), static_cast<double>(*f.jahre), 1e-12);
        }
    }
}
