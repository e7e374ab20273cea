// Generated daily weather, coverage over volume, the point of diminishing returns and the
// money figures.
#include "../support/beispiel.h"
#include "model/berechnung.h"
#include "model/wirtschaftlichkeit.h"
#include "simulation/kern/deckungskurve.h"
#include "simulation/kern/tagesbilanz.h"
#include "simulation/kern/wettergenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

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
    // The fitted parameters, and the same with a month's factor on the amounts alone.
    TWetterParameter nurMengen = AngepassteWetterParameter();
    nurMengen.Haeufung = 0;
    // Year-to-year variance of a month's number of wet days, summed over the months.
    std::array<double, 2> streuung{};
    const double versatz = nurMengen.PersistenzSommer * (Sommeranteil(mittel) - SommerBezug);
    for (const bool gehaeuft : {true, false}) {
        SCOPED_TRACE(gehaeuft);
        const TWetterParameter& p = gehaeuft ? AngepassteWetterParameter() : nurMengen;
        const std::vector<double> tage = ErzeugeWetter(mittel, jahre, 20031, p);
        ASSERT_EQ(tage.size(), static_cast<std::size_t>(jahre) * TageJeJahr);
        std::size_t t = 0;
        for (std::size_t m = 0; m < 12; ++m) {
            SCOPED_TRACE(m + 1);
            double summe = 0;
            int nass = 0;
            double nassQuadrate = 0;
            int nachNass = 0, nassNachNass = 0, nachTrocken = 0, nassNachTrocken = 0;
            for (int j = 0; j < jahre; ++j) {
                int nassImMonat = 0;
                for (int d = 0; d < Monatstage[m]; ++d) {
                    const std::size_t i = static_cast<std::size_t>(j) * TageJeJahr + t + d;
                    const bool heute = tage[i] > 0;
                    const bool vorher = i > 0 && tage[i - 1] > 0;
                    summe += tage[i];
                    nassImMonat += heute;
                    (vorher ? nachNass : nachTrocken) += 1;
                    (vorher ? nassNachNass : nassNachTrocken) += heute;
                }
                nass += nassImMonat;
                nassQuadrate += double(nassImMonat) * nassImMonat;
            }
            t += static_cast<std::size_t>(Monatstage[m]);
            const double soll = static_cast<double>(mittel[m]);
            EXPECT_NEAR(summe / jahre, soll, 0.04 * soll);
            const double anteil = NassAnteil(soll * 1000, p);
            // A month's wet-day share varies from year to year, and the chain enters each month
            // in the state of the month before.
            EXPECT_NEAR(nass / (jahre * double(Monatstage[m])), anteil, gehaeuft ? 0.02 : 0.01);
            const double mittelNass = double(nass) / jahre;
            streuung[gehaeuft ? 0 : 1] += nassQuadrate / jahre - mittelNass * mittelNass;
            // Wet and dry months of the years add to the persistence within a month.
            const double persistenz =
                double(nassNachNass) / nachNass - double(nassNachTrocken) / nachTrocken;
            if (gehaeuft)
                EXPECT_GT(persistenz, p.Persistenz[m] + versatz + 0.02);
            else
                EXPECT_NEAR(persistenz, p.Persistenz[m] + versatz, 0.03);
        }
    }
    // A dry month has fewer wet days: their number varies more from year to year.
    EXPECT_GT(streuung[0], 1.5 * streuung[1]);

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

TEST(Wettergenerator, SummerRainComesInShorterSpells)
{
    // Sites with 100 mm in the summer half and 40 mm in the winter half, and the reverse.
    TWetterParameter p = AngepassteWetterParameter();
    p.Haeufung = 0;
    ASSERT_LT(p.PersistenzSommer, 0);
    std::array<TNiederschlag, 2> orte{};
    for (std::size_t m = 0; m < 12; ++m) {
        const bool sommer = m >= 3 && m <= 8;
        orte[0][m] = sommer ? 0.100L : 0.040L;
        orte[1][m] = sommer ? 0.040L : 0.100L;
    }
    EXPECT_NEAR(Sommeranteil(orte[0]), 600.0 / 840, 1e-12);
    const int jahre = 2000;
    std::array<std::array<double, 12>, 2> persistenz{};
    for (std::size_t o = 0; o < 2; ++o) {
        const std::vector<double> tage = ErzeugeWetter(orte[o], jahre, 20031, p);
        // [month][from][to] over the days after the first of a month.
        std::array<std::array<std::array<double, 2>, 2>, 12> n{};
        std::size_t i = 0;
        for (int j = 0; j < jahre; ++j)
            for (std::size_t m = 0; m < 12; ++m)
                for (int d = 0; d < Monatstage[m]; ++d, ++i)
                    if (d > 0)
                        n[m][tage[i - 1] > 0][tage[i] > 0] += 1;
        for (std::size_t m = 0; m < 12; ++m)
            persistenz[o][m] =
                n[m][1][1] / (n[m][1][0] + n[m][1][1]) - n[m][0][1] / (n[m][0][0] + n[m][0][1]);
    }
    const double soll = p.PersistenzSommer * (Sommeranteil(orte[0]) - Sommeranteil(orte[1]));
    for (std::size_t m = 0; m < 12; ++m)
        EXPECT_NEAR(persistenz[0][m] - persistenz[1][m], soll, 0.03) << m + 1;
}

TEST(Wettergenerator, KnownAnswersForAFixedSeed)
{
    // xoshiro256** seeded through splitmix64, as its reference describes.
    TZufall bits(20031);
    for (const std::uint64_t soll : {0xBF06BEDBF4E2B66FULL, 0x54258981F0AA11F9ULL,
                                     0xA700064C298B949DULL, 0xCEC5164BC617AAFEULL})
        EXPECT_EQ(bits.Bits(), soll);
    TZufall normal(20031);
    for (const double soll :
         {1.1736304199448335, -0.81660527501546276, 0.54406310669631863, 1.0988634714902541})
        EXPECT_EQ(normal.Normal(), soll);
    // Shape ½ is half the square of the first normals above; 2,5 and 0,7 take the other paths.
    TZufall gamma(20031);
    const std::pair<double, double> gammas[] = {
        {0.5, 0.68870418130994315}, {0.5, 0.3334220875915398}, {2.5, 3.070226270462999},
        {2.5, 4.2200367490783535},  {0.7, 1.3169192497494151}, {0.7, 0.61126014407991802}};
    for (const auto& [form, soll] : gammas)
        EXPECT_EQ(gamma.Gamma(form), soll) << form;

    // The first 60 days of a year under fixed parameters; every wet day has at least 0,1 mm.
    const TWetterParameter p{
        -1.3447,
        0.3067,
        {0.368, 0.379, 0.435, 0.372, 0.320, 0.309, 0.317, 0.279, 0.362, 0.395, 0.350, 0.392},
        0.50,
        0.35,
        1.25,
        -0.60};
    const TNiederschlag mittel{0.065L, 0.055L, 0.060L, 0.050L, 0.070L, 0.080L,
                               0.085L, 0.075L, 0.060L, 0.060L, 0.065L, 0.070L};
    const std::vector<double> soll{0,
                                   0,
                                   0.0027341832206628949,
                                   0.0014086256544668051,
                                   0,
                                   0.0012492670488593685,
                                   0.045046726793690255,
                                   0.0025104886232604502,
                                   0.0005687463918477775,
                                   0.00020069950315096226,
                                   0.018388003738521768,
                                   0.0021862470513429135,
                                   0.00084564005164569677,
                                   0.0060138978722009242,
                                   0.00010574794647700536,
                                   0.001962140791253487,
                                   0.0023882394590301675,
                                   0.00029971780507936631,
                                   0,
                                   0.00043800660744656951,
                                   0.00043898105830712683,
                                   0.00016153432359204125,
                                   0.00015983758154391306,
                                   0,
                                   0.00018524027965647729,
                                   0.013901158813340577,
                                   0.00084671553731527826,
                                   0,
                                   0,
                                   0,
                                   0.00039285543631358021,
                                   0,
                                   0.009487225319206153,
                                   0,
                                   0.019641922825250905,
                                   0.008160422931680832,
                                   0.0078749159075159249,
                                   0.00024593553445916548,
                                   0,
                                   0,
                                   0,
                                   0,
                                   0,
                                   0,
                                   0,
                                   0.011822516705259363,
                                   0.00035872434894855488,
                                   0.007664511007007861,
                                   0,
                                   0.0032993801413105663,
                                   0,
                                   0,
                                   0.00024876293115624095,
                                   0,
                                   0,
                                   0,
                                   0.023815508443054235,
                                   0.00041163128305161885,
                                   0.00017881742072922956,
                                   0};
    const std::vector<double> tage = ErzeugeWetter(mittel, 1, 20031, p);
    ASSERT_EQ(tage.size(), static_cast<std::size_t>(TageJeJahr));
    for (std::size_t t = 0; t < soll.size(); ++t)
        EXPECT_EQ(tage[t], soll[t]) << "Tag " << t;
    for (const double tag : tage)
        EXPECT_TRUE(tag == 0 || tag >= NassAbMeter) << tag;
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

    // The demand in the weather's calendar: 1 January has no garden, 1 April (day 90) has its
    // share of the 183 days of April to September; the year adds up to the house's demand.
    const double garten = static_cast<double>(satz.Garten * satz.GartenV);
    const double rest = (static_cast<double>(satz.Bedarf) - garten) / TageJeJahr;
    EXPECT_DOUBLE_EQ(haus.Bedarf[89], rest);
    EXPECT_DOUBLE_EQ(haus.Bedarf[90], rest + garten / 183);
    EXPECT_DOUBLE_EQ(haus.Bedarf[272], rest + garten / 183);
    EXPECT_DOUBLE_EQ(haus.Bedarf[273], rest);
    double jahr = 0;
    for (const double tag : haus.Bedarf)
        jahr += tag;
    EXPECT_NEAR(jahr, static_cast<double>(satz.Bedarf), 1e-9);

    for (std::size_t i = 0; i < volumina.size(); ++i) {
        SCOPED_TRACE(volumina[i]);
        double stand = 0, geliefert = 0, ueberlauf = 0, regen = 0, bedarf = 0;
        for (std::size_t t = 0; t < wetter.size(); ++t) {
            const double zufluss = wetter[t] * haus.ErtragJeMeter;
            const double entnahme = haus.Bedarf[t % TageJeJahr];
            regen += zufluss;
            bedarf += entnahme;
            const TTagesErgebnis tag = Tagesbilanz(stand, zufluss, entnahme, volumina[i]);
            geliefert += tag.Geliefert;
            ueberlauf += tag.Ueberlauf;
        }
        EXPECT_NEAR(kurve[i].Deckung, geliefert / bedarf, 1e-12);
        EXPECT_NEAR(kurve[i].Ueberlauf, ueberlauf / regen, 1e-12);
        if (i > 0) {
            EXPECT_GE(kurve[i].Deckung, kurve[i - 1].Deckung);
            EXPECT_LE(kurve[i].Ueberlauf, kurve[i - 1].Ueberlauf);
        }
    }
}

TEST(Deckungskurve, DailyBalanceOnHandMadeDays)
{
    // 1 mm of rain yields 1 m³, the demand is 1 m³ a day; a year with 2 mm on its first day and
    // 3 mm on its third.
    THausTage haus;
    haus.ErtragJeMeter = 1000;
    haus.Bedarf.assign(TageJeJahr, 1.0);
    std::vector<double> wetter(TageJeJahr, 0.0);
    wetter[0] = 0.002;
    wetter[2] = 0.003;
    const struct {
        double volumen;
        double geliefert; // m³ over the year
        double ueberlauf; // m³
    } faelle[] = {
        // No tank: the rain of the day is not used on that day, all of it overflows.
        {0, 0, 5},
        // 1,5 m³: 0,5 overflows on day 1; day 2 takes 1 from the full tank; day 3 serves the
        // 0,5 left, fills up and loses 2; day 4 takes 1.
        {1.5, 2.5, 2.5},
        // Room for everything: day 2 takes 1, day 3 takes 1 and stores 3, days 4 to 6 take 3.
        {10, 5, 0},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.volumen);
        const auto kurve = BerechneDeckung(haus, wetter, {f.volumen});
        ASSERT_EQ(kurve.size(), 1u);
        EXPECT_DOUBLE_EQ(kurve[0].Deckung, f.geliefert / TageJeJahr);
        EXPECT_DOUBLE_EQ(kurve[0].Ueberlauf, f.ueberlauf / 5);
    }
    // A full tank on a dry day serves the demand from what it holds.
    double stand = 2;
    const TTagesErgebnis trocken = Tagesbilanz(stand, 0, 0.5, 2);
    EXPECT_EQ(trocken.Geliefert, 0.5);
    EXPECT_EQ(trocken.Ueberlauf, 0.0);
    EXPECT_EQ(stand, 1.5);
}

TEST(Deckungskurve, KneeBelongsToTheHouse)
{
    // A roof of 150 m² and 62,6 m³ a year under storage coefficients of 0,02, 0,04 and 0,06:
    // the charts end at 3 × their volumes (the first one before the knee, in steps of 0,05,
    // 0,1 and 0,25 m³), the knee is the same.
    const auto haus = [](long double flaeche, long double bedarf, long double lade) {
        TParameterSatz satz = Beispiel();
        satz.Flaechen = {{flaeche, 0.9L}};
        satz.PersWasch = 0;
        satz.PersWCSpar = 1;
        satz.PersWCSparV = bedarf;
        satz.LadeBeiwert = lade;
        return Berechnet(satz);
    };
    TDeckungsrechner rechner;
    const TDeckungsErgebnis klein =
        rechner.Rechne(haus(150, 62.6L, 0.02L), StandardGartenmonate, {});
    ASSERT_TRUE(klein.Knick.has_value());
    EXPECT_GT(*klein.Knick + 1, 3 * 0.02 * 62.6);
    for (const long double lade : {0.04L, 0.06L})
        EXPECT_EQ(rechner.Rechne(haus(150, 62.6L, lade), StandardGartenmonate, {}).Knick,
                  klein.Knick)
            << static_cast<double>(lade);
    EXPECT_GE(klein.Kurve.back().Volumen, *klein.Knick + 1);
    // Each further cubic metre from the knee on adds less than a point, the one before it more.
    EXPECT_LT(DeckungBei(klein.Kurve, *klein.Knick + 1) - DeckungBei(klein.Kurve, *klein.Knick),
              0.01);
    EXPECT_GE(DeckungBei(klein.Kurve, *klein.Knick - 0.1 + 1) -
                  DeckungBei(klein.Kurve, *klein.Knick - 0.1),
              0.0095);

    // Without demand or without yield nothing is covered, and there is no knee.
    for (const TParameterSatz& satz : {haus(150, 0, 0.05L), haus(0, 62.6L, 0.05L)}) {
        const TDeckungsErgebnis e = rechner.Rechne(satz, StandardGartenmonate, {2});
        EXPECT_TRUE(e.OhneErtragOderBedarf);
        EXPECT_EQ(e.Knick, std::nullopt);
        EXPECT_EQ(e.Produkte[0].Deckung, 0.0);
    }
    EXPECT_FALSE(klein.OhneErtragOderBedarf);
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
