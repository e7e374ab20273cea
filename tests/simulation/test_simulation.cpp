// Simulation engine: settings checks and messages, deep copies, the time-unit loop driven by a
// scripted source of normal variates, the real generator end to end, the run on generated
// daily weather, and the garden-month demand curve.
#include "../support/beispiel.h"
#include "model/berechnung.h"
#include "model/fehler.h"
#include "model/plattform.h"
#include "simulation/kern/deckungskurve.h"
#include "simulation/kern/simulation.h"
#include "simulation/kern/tagesbilanz.h"
#include "simulation/kern/wettergenerator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numeric>
#include <type_traits>
#include <vector>

namespace {

// Records every draw and answers with the mean unless a script says otherwise.
class TSkript : public TNormalQuelle {
public:
    struct Aufruf {
        long double abweichung, mittel;
    };
    long double Normal(long double Deviation, long double Mean) override
    {
        aufrufe.push_back({Deviation, Mean});
        return wert ? wert(aufrufe.size() - 1, Mean) : Mean;
    }
    std::vector<Aufruf> aufrufe;
    // (index of the draw, counted from 0; mean) -> value. Even indexes are precipitation.
    std::function<long double(std::size_t, long double)> wert;
};

// Monthly, one run, one area of 100 m² with Beiwert 1 and WGrad 1, volume 10 m³, demand
// 12 m³ a year, 0,01 m of rain per time unit: the means give a yield of 1 m³ and a
// consumption of 1 m³ in every time unit.
TSimulationSet Grundeinstellung()
{
    TSimulationSet s;
    InitParameterSatz(s.ParameterSatz);
    s.ParameterSatz.Flaechen = {{100, 1}};
    s.ParameterSatz.WGrad = 1;
    s.ParameterSatz.PersWCSpar = 1;
    s.ParameterSatz.PersWCSparV = 12;
    s.ParameterSatz.Volumen = 10;
    s.StartLevel = 0;
    s.Runs = 1;
    s.VolMin = 0;
    s.IntervalFrom = 1;
    s.IntervalTo = 12;
    s.StartTime = 1;
    s.Graphics = true;
    s.RainCurve.assign(12, 0.01L);
    return s;
}

struct Engine {
    Engine()
    {
        auto q = std::make_unique<TSkript>();
        skript = q.get();
        sim = std::make_unique<TSimulation>(std::move(q));
    }
    struct Meldung {
        std::int32_t zeit;
        long double level;
    };
    // Sets the settings and a callback that records every report.
    void Setze(const TSimulationSet& s, std::function<bool(std::size_t)> stop = {})
    {
        sim->SetParameters(s);
        sim->SetOnProgress([this, stop](std::int32_t t, const TSimulationSet& set, long double l) {
            EXPECT_EQ(&set, &sim->GetSimulationSet());
            meldungen.push_back({t, l});
            return stop ? stop(meldungen.size()) : false;
        });
    }
    struct Summen {
        std::int64_t ueber = -1, leer = -1;
        long double nach = -1;
    };
    Summen Ergebnis() const
    {
        Summen s;
        sim->GetResults(s.ueber, s.leer, s.nach);
        return s;
    }
    TSkript* skript;
    std::unique_ptr<TSimulation> sim;
    std::vector<Meldung> meldungen;
};

QString Meldung(const TSimulationSet& s)
{
    TSimulation sim;
    try {
        sim.SetParameters(s);
    } catch (const EInvalidValueException& e) {
        return e.Meldung();
    }
    return QStringLiteral("<kein Fehler>");
}

std::string S(const QString& q)
{
    return q.toStdString();
}

class Zaehler {
public:
    explicit Zaehler(std::int64_t wert) : m_alt(SetzeZaehlerFunktion([wert] { return wert; })) {}
    ~Zaehler() { SetzeZaehlerFunktion(m_alt); }

private:
    ZaehlerFunktion m_alt;
};

} // namespace

// --- SetParameters -------------------------------------------------------------------------

TEST(SimulationSetParameters, MessagesInCheckOrder)
{
    struct Fall {
        const char* name;
        void (*aendern)(TSimulationSet&);
        const char* meldung;
    };
    const Fall faelle[] = {
        {"ElfEinheiten", [](TSimulationSet& s) { s.IntervalTo = 11; },
         "Das angegebene Zeitinterval (1 - 11) ist ungültig."},
        {"VerschobenZuKurz",
         [](TSimulationSet& s) { s.IntervalFrom = 5, s.IntervalTo = 15, s.StartTime = 5; },
         "Das angegebene Zeitinterval (5 - 15) ist ungültig."},
        {"Umgekehrt", [](TSimulationSet& s) { s.IntervalFrom = 12, s.IntervalTo = 1; },
         "Das angegebene Zeitinterval (12 - 1) ist ungültig."},
        {"AmRandDesBereichs",
         [](TSimulationSet& s) {
             s.IntervalFrom = std::numeric_limits<std::int32_t>::max() - 5;
             s.IntervalTo = std::numeric_limits<std::int32_t>::max();
         },
         "Das angegebene Zeitinterval (2147483642 - 2147483647) ist ungültig."},
        {"StartVorIntervall", [](TSimulationSet& s) { s.StartTime = 0; },
         "0 ist eine ungültige Startzeit."},
        {"StartNachIntervall", [](TSimulationSet& s) { s.StartTime = 13; },
         "13 ist eine ungültige Startzeit."},
        {"StartLevelNegativ", [](TSimulationSet& s) { s.StartLevel = -0.5L; },
         "-0,50 ist ein ungültiger Startwasserstand."},
        {"StartLevelGerundet", [](TSimulationSet& s) { s.StartLevel = -1234.567L; },
         "-1234,57 ist ein ungültiger Startwasserstand."},
        {"KeinLauf", [](TSimulationSet& s) { s.Runs = 0; },
         "0 ist eine ungültige Anzahl an Durchläufen."},
        {"NegativeLaeufe", [](TSimulationSet& s) { s.Runs = -3; },
         "-3 ist eine ungültige Anzahl an Durchläufen."},
        // Several faults: the first check wins.
        {"AllesFalsch",
         [](TSimulationSet& s) {
             s.IntervalTo = 5, s.StartTime = 9, s.StartLevel = -1, s.Runs = 0;
         },
         "Das angegebene Zeitinterval (1 - 5) ist ungültig."},
        {"StartUndLevel",
         [](TSimulationSet& s) { s.StartTime = 14, s.StartLevel = -1, s.Runs = 0; },
         "14 ist eine ungültige Startzeit."},
        {"LevelUndLaeufe", [](TSimulationSet& s) { s.StartLevel = -2, s.Runs = 0; },
         "-2,00 ist ein ungültiger Startwasserstand."},
    };
    for (const Fall& f : faelle) {
        TSimulationSet s = Grundeinstellung();
        f.aendern(s);
        EXPECT_EQ(S(Meldung(s)), f.meldung) << f.name;
    }
}

TEST(SimulationSetParameters, AcceptedLimitsAndUncheckedFields)
{
    const struct {
        const char* name;
        void (*aendern)(TSimulationSet&);
    } faelle[] = {
        {"ZwoelfEinheiten", [](TSimulationSet&) {}},
        {"StartAmEnde", [](TSimulationSet& s) { s.StartTime = 12; }},
        {"StartLevelNull", [](TSimulationSet& s) { s.StartLevel = 0; }},
        {"Verschoben",
         [](TSimulationSet& s) { s.IntervalFrom = -20, s.IntervalTo = -9, s.StartTime = -9; }},
        {"Taeglich", [](TSimulationSet& s) { s.IntervalTo = 365, s.RainCurve.assign(365, 0); }},
        {"VolMinUngeprueft",
         [](TSimulationSet& s) { s.VolMin = -5, s.ParameterSatz.Volumen = -1; }},
        {"RegenkurveUngeprueft", [](TSimulationSet& s) { s.RainCurve.clear(); }},
    };
    for (const auto& f : faelle) {
        TSimulationSet s = Grundeinstellung();
        f.aendern(s);
        EXPECT_EQ(S(Meldung(s)), "<kein Fehler>") << f.name;
    }
    TSimulationSet s = Grundeinstellung();
    s.StartLevel = std::numeric_limits<long double>::quiet_NaN();
    EXPECT_TRUE(Meldung(s).endsWith(QStringLiteral(" ist ein ungültiger Startwasserstand.")));
}

TEST(SimulationSetParameters, KeepsDeepCopyAndIsUnchangedByFailure)
{
    TSimulation sim;
    TSimulationSet s = Grundeinstellung();
    sim.SetParameters(s);
    const TSimulationSet gespeichert = sim.GetSimulationSet();
    EXPECT_EQ(gespeichert, s);

    s.ParameterSatz.Flaechen.push_back({50, 0.5L});
    s.RainCurve[3] = 7;
    s.SpareCurve.push_back(1);
    EXPECT_EQ(sim.GetSimulationSet(), gespeichert);

    s.Runs = 0;
    EXPECT_THROW(sim.SetParameters(s), EInvalidValueException);
    EXPECT_EQ(sim.GetSimulationSet(), gespeichert);
}

TEST(SimulationSet, CopyIsDeepAndSelfCopyHarmless)
{
    TSimulationSet quelle = Grundeinstellung();
    quelle.ParameterSatz.Flaechen = {{1, 0.1L}, {2, 0.2L}, {3, 0.3L}};
    quelle.SpareCurve = {1, 2, 3};
    quelle.Wetter = TWetterModell::Tageswetter;
    quelle.Saat = 77;
    quelle.Gartenmonate[4] = true;
    TSimulationSet ziel;
    ziel.RainCurve = {9, 9};
    CopySimulationSet(quelle, ziel);
    EXPECT_EQ(ziel, quelle);
    ziel.ParameterSatz.Flaechen.pop_back();
    ziel.RainCurve[0] = 5;
    ziel.SpareCurve[2] = 5;
    EXPECT_EQ(quelle.ParameterSatz.Flaechen.size(), 3u);
    EXPECT_EQ(quelle.RainCurve[0], 0.01L);
    EXPECT_EQ(quelle.SpareCurve[2], 3);
    CopySimulationSet(quelle, quelle);
    EXPECT_EQ(quelle.SpareCurve.size(), 3u);
}

// --- Run with a scripted source --------------------------------------------------------------

TEST(SimulationRun, DrawsPrecipitationThenConsumptionWithTheirMeansAndDeviations)
{
    Engine e;
    TSimulationSet s = Grundeinstellung();
    for (int k = 0; k < 12; ++k)
        s.RainCurve[static_cast<std::size_t>(k)] = 0.001L * (k + 1);
    s.ParameterSatz.Garten = 50; // demand 12 + 3 = 15 m³
    e.Setze(s);
    ASSERT_TRUE(e.sim->Run());
    ASSERT_EQ(e.skript->aufrufe.size(), 24u);
    for (std::size_t k = 0; k < 12; ++k) {
        const auto& regen = e.skript->aufrufe[2 * k];
        const auto& verbrauch = e.skript->aufrufe[2 * k + 1];
        EXPECT_EQ(regen.abweichung, 0.1L / 12);
        EXPECT_EQ(regen.mittel, 12 * s.RainCurve[k] / 12);
        EXPECT_EQ(verbrauch.abweichung, 0.1L);
        EXPECT_EQ(verbrauch.mittel, 15.0L / 12);
    }
}

TEST(SimulationRun, StartTimeAtIntervalEndWrapsInEveryRun)
{
    Engine e;
    TSimulationSet s = Grundeinstellung();
    s.IntervalFrom = 3; // units 3 … 14
    s.IntervalTo = 14;
    s.StartTime = 14;
    s.Runs = 2;
    for (int k = 0; k < 12; ++k)
        s.RainCurve[static_cast<std::size_t>(k)] = k;
    e.Setze(s);
    ASSERT_TRUE(e.sim->Run());
    ASSERT_EQ(e.meldungen.size(), 24u);
    const std::vector<std::int32_t> jahr{14, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    for (std::size_t i = 0; i < 24; ++i) {
        const std::int32_t t = jahr[i % 12];
        EXPECT_EQ(e.meldungen[i].zeit, t) << i;
        EXPECT_EQ(e.skript->aufrufe[2 * i].mittel, 12 * s.RainCurve[t - 3] / 12) << i;
    }
}

TEST(SimulationRun, LevelEndingExactlyAtMinimumIsEmptyWithoutMakeUp)
{
    Engine e;
    TSimulationSet s = Grundeinstellung();
    s.VolMin = 2;
    s.StartLevel = 2; // +1 −1 leaves it at exactly 2
    e.Setze(s);
    ASSERT_TRUE(e.sim->Run());
    const auto r = e.Ergebnis();
    EXPECT_EQ(r.leer, 12);
    EXPECT_EQ(r.ueber, 0);
    EXPECT_EQ(r.nach, 0);
}

TEST(SimulationRun, LevelEndingExactlyAtVolumeIsOverflow)
{
    Engine e;
    TSimulationSet s = Grundeinstellung();
    s.StartLevel = 10;
    e.Setze(s);
    ASSERT_TRUE(e.sim->Run());
    const auto r = e.Ergebnis();
    EXPECT_EQ(r.ueber, 12);
    EXPECT_EQ(r.leer, 0);
    EXPECT_EQ(r.nach, 0);
    for (const auto& m : e.meldungen)
        EXPECT_EQ(m.level, 10);
}

TEST(SimulationRun, MinimumEqualToVolumeCountsEveryUnitOneWay)
{
    Engine e;
    TSimulationSet s = Grundeinstellung();
    s.VolMin = 5;
    s.ParameterSatz.Volumen = 5;
    s.StartLevel = 5;
    s.Runs = 3;
    // Yield alternately 3 and −1 m³ (negative rain is not clipped), consumption 1: the level
    // moves by +2 and −2 and is clamped back to 5 every time.
    e.skript->wert = [](std::size_t i, long double mittel) -> long double {
        if (i % 2 == 1)
            return mittel;
        return (i / 2) % 2 == 0 ? 0.03L : -0.01L;
    };
    e.Setze(s);
    ASSERT_TRUE(e.sim->Run());
    const auto r = e.Ergebnis();
    EXPECT_EQ(r.ueber + r.leer, 36);
    EXPECT_EQ(r.ueber, 18);
    EXPECT_NEAR(r.nach, 18 * 2, 1e-15L);
}

TEST(SimulationRun, EmptyBeforeOverflowWhenBothHold)
{
    // A volume below the minimum: a level at or below the minimum is empty, never overflow.
    Engine e;
    TSimulationSet s = Grundeinstellung();
    s.VolMin = 4;
    s.ParameterSatz.Volumen = 1;
    s.StartLevel = 3;
    e.Setze(s);
    ASSERT_TRUE(e.sim->Run());
    const auto r = e.Ergebnis();
    EXPECT_EQ(r.leer, 12);
    EXPECT_EQ(r.ueber, 0);
}

TEST(SimulationRun, MakeUpIsTheShortfallBelowMinimum)
{
    Engine e;
    TSimulationSet s = Grundeinstellung();
    s.VolMin = 0.5L;
    s.StartLevel = 0.5L;
    // No rain, consumption 1,25: every unit falls 1,25 below the minimum.
    e.skript->wert = [](std::size_t i, long double) { return i % 2 == 0 ? 0.0L : 1.25L; };
    e.Setze(s);
    ASSERT_TRUE(e.sim->Run());
    const auto r = e.Ergebnis();
    EXPECT_EQ(r.leer, 12);
    EXPECT_EQ(r.nach, 15);
    for (const auto& m : e.meldungen)
        EXPECT_EQ(m.level, 0.5L);
}

TEST(SimulationRun, YieldOverAllAreasWithFilterEfficiency)
{
    Engine e;
    TSimulationSet s = Grundeinstellung();
    s.ParameterSatz.Flaechen = {{100, 0.5L}, {50, 1}, {20, 0}};
    s.ParameterSatz.WGrad = 0.9L;
    s.ParameterSatz.Volumen = 1000;
    e.skript->wert = [](std::size_t i, long double) { return i % 2 == 0 ? 0.02L : 0.0L; };
    e.Setze(s);
    ASSERT_TRUE(e.sim->Run());
    ASSERT_EQ(e.meldungen.size(), 12u);
    for (std::size_t i = 0; i < 12; ++i)
        EXPECT_NEAR(e.meldungen[i].level, (i + 1) * 1.8L, 1e-15L) << i;
    EXPECT_EQ(e.Ergebnis().ueber, 0);
}

TEST(SimulationRun, LevelCarriesFromRunToRun)
{
    Engine e;
    TSimulationSet s = Grundeinstellung();
    s.Runs = 3;
    s.ParameterSatz.Volumen = 100;
    s.StartLevel = 0.25L;
    // Yield 1,5, consumption 1: +0,5 a unit.
    e.skript->wert = [](std::size_t i, long double m) { return i % 2 == 0 ? 0.015L : m; };
    e.Setze(s);
    ASSERT_TRUE(e.sim->Run());
    ASSERT_EQ(e.meldungen.size(), 36u);
    EXPECT_NEAR(e.meldungen[0].level, 0.75L, 1e-15L);
    EXPECT_NEAR(e.meldungen[11].level, 6.25L, 1e-15L);
    EXPECT_NEAR(e.meldungen[12].level, 6.75L, 1e-15L); // not 0,75: the level is not reset
    EXPECT_NEAR(e.meldungen[35].level, 18.25L, 1e-14L);
}

TEST(SimulationRun, LevelCarriesWithoutGraphicsToo)
{
    // Rising 0,5 a unit from 0 towards a volume of 9: with the level carried over, the second
    // run overflows from its sixth unit on (units 18 … 24 of both runs).
    Engine e;
    TSimulationSet s = Grundeinstellung();
    s.Graphics = false;
    s.Runs = 2;
    s.ParameterSatz.Volumen = 9;
    e.skript->wert = [](std::size_t i, long double m) { return i % 2 == 0 ? 0.015L : m; };
    e.Setze(s);
    ASSERT_TRUE(e.sim->Run());
    EXPECT_TRUE(e.meldungen.empty());
    EXPECT_EQ(e.Ergebnis().ueber, 24 - 17);
    EXPECT_EQ(e.skript->aufrufe.size(), 48u);
}

TEST(SimulationRun, NoRunsDoNothing)
{
    // A fresh engine holds no settings, hence no runs.
    Engine e;
    EXPECT_TRUE(e.sim->Run());
    const auto r = e.Ergebnis();
    EXPECT_EQ(r.ueber, 0);
    EXPECT_EQ(r.leer, 0);
    EXPECT_EQ(r.nach, 0);
    EXPECT_TRUE(e.skript->aufrufe.empty());
}

TEST(SimulationRun, CallbackStopsAtOnceKeepingTotalsSoFar)
{
    Engine e;
    TSimulationSet s = Grundeinstellung();
    s.StartLevel = 10;
    s.Runs = 5;
    e.Setze(s, [](std::size_t gemeldet) { return gemeldet == 17; });
    EXPECT_FALSE(e.sim->Run());
    EXPECT_EQ(e.meldungen.size(), 17u);
    EXPECT_EQ(e.skript->aufrufe.size(), 34u); // nothing drawn after the stop
    EXPECT_EQ(e.Ergebnis().ueber, 17);

    // A new Run starts the totals afresh.
    e.meldungen.clear();
    e.Setze(s, {});
    EXPECT_TRUE(e.sim->Run());
    EXPECT_EQ(e.Ergebnis().ueber, 60);
}

TEST(SimulationRun, StopFromCallbackEndsRun)
{
    Engine e;
    TSimulationSet s = Grundeinstellung();
    e.sim->SetParameters(s);
    int gemeldet = 0;
    e.sim->SetOnProgress([&](std::int32_t, const TSimulationSet&, long double) {
        if (++gemeldet == 3)
            e.sim->Stop();
        return false;
    });
    EXPECT_FALSE(e.sim->Run());
    EXPECT_EQ(gemeldet, 3);
    // The request belonged to that run only.
    gemeldet = 100;
    EXPECT_TRUE(e.sim->Run());
}

TEST(SimulationRun, NoCallbackWithoutGraphics)
{
    Engine e;
    TSimulationSet s = Grundeinstellung();
    s.Graphics = false;
    e.Setze(s, [](std::size_t) { return true; });
    EXPECT_TRUE(e.sim->Run());
    EXPECT_TRUE(e.meldungen.empty());

    // Graphics without a callback runs through as well.
    TSimulation ohne(std::make_unique<TSkript>());
    ohne.SetParameters(Grundeinstellung());
    EXPECT_TRUE(ohne.Run());
}

TEST(SimulationRun, RunLeavesSettingsUnchanged)
{
    Engine e;
    TSimulationSet s = Grundeinstellung();
    s.Runs = 2;
    e.Setze(s);
    ASSERT_TRUE(e.sim->Run());
    EXPECT_EQ(e.sim->GetSimulationSet(), s);
}

TEST(SimulationRun, ShortRainCurveCountsMissingUnitsAsDry)
{
    Engine e;
    TSimulationSet s = Grundeinstellung();
    s.RainCurve = {0.01L, 0.02L};
    e.Setze(s);
    ASSERT_TRUE(e.sim->Run());
    EXPECT_EQ(e.skript->aufrufe[0].mittel, 0.01L);
    EXPECT_EQ(e.skript->aufrufe[2].mittel, 0.02L);
    for (std::size_t k = 2; k < 12; ++k)
        EXPECT_EQ(e.skript->aufrufe[2 * k].mittel, 0);
}

TEST(SimulationRun, InvalidConsumerGivesNoDemand)
{
    Engine e;
    TSimulationSet s = Grundeinstellung();
    s.ParameterSatz.PersWasch = -1;
    e.Setze(s);
    ASSERT_TRUE(e.sim->Run());
    for (std::size_t k = 0; k < 12; ++k)
        EXPECT_EQ(e.skript->aufrufe[2 * k + 1].mittel, 0);
}

TEST(SimulationRun, TotalsAreCountedIn64Bits)
{
    std::int64_t ueber, leer;
    long double nach;
    TSimulation sim;
    sim.GetResults(ueber, leer, nach);
    static_assert(std::is_same_v<decltype(ueber), std::int64_t>);
    // 2^31 empty time units would overflow 32 bits; the counters must go past them.
    static_assert(std::numeric_limits<decltype(leer)>::max() > 366LL * 0x7FFFFFFF);
    EXPECT_EQ(ueber, 0);
}

// --- Generated daily weather ----------------------------------------------------------------

// The worked example's house through generated days, as the fill-level page hands it over.
TSimulationSet Tageswetter(std::int32_t einheiten, long double volumen, long double volMin,
                           long double start, std::int32_t jahre)
{
    TSimulationSet s;
    s.ParameterSatz = Beispiel();
    s.ParameterSatz.Volumen = volumen;
    s.Wetter = TWetterModell::Tageswetter;
    s.Saat = WetterSaat(s.ParameterSatz);
    s.Gartenmonate = StandardGartenmonate;
    s.IntervalFrom = 1;
    s.IntervalTo = einheiten;
    s.StartTime = 1;
    s.Runs = jahre;
    s.VolMin = volMin;
    s.StartLevel = start;
    s.Graphics = true;
    return s;
}

TEST(SimulationTageswetter, PlaysTheDailyBalanceOnTheGeneratedDays)
{
    // Every interval plays the same days: units longer than a day add them up, shorter ones
    // share them.
    const struct {
        std::int32_t einheiten;
        long double volumen, volMin, start;
    } faelle[] = {{365, 3, 0, 0},    {365, 1.5, 0.5, 0}, {12, 3, 0, 2},
                  {52, 0.8, 0.2, 5}, {730, 3, 0, 0},     {400, 0.5, 0, 0}};
    const std::int32_t jahre = 3;
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.einheiten << " units, " << f.volumen << " m³, min "
                                        << f.volMin << ", start " << f.start);
        const TSimulationSet s = Tageswetter(f.einheiten, f.volumen, f.volMin, f.start, jahre);
        // The plain loop over the days: what stands above the minimum serves the demand.
        const THausTage haus = HausTage(s.ParameterSatz, s.Gartenmonate);
        const std::vector<double> wetter =
            ErzeugeWetter(s.ParameterSatz.Niederschlag, jahre, s.Saat);
        double nutzbar = static_cast<double>(f.start - f.volMin);
        double nachspeisung = std::max(-nutzbar, 0.0);
        nutzbar = std::max(nutzbar, 0.0);
        double bedarf = 0, geliefert = 0;
        std::int64_t leer = 0, ueber = 0;
        for (std::size_t t = 0; t < wetter.size(); ++t) {
            const double b = haus.Bedarf[t % TageJeJahr];
            const TTagesErgebnis tag = Tagesbilanz(nutzbar, wetter[t] * haus.ErtragJeMeter, b,
                                                   static_cast<double>(f.volumen - f.volMin));
            bedarf += b;
            geliefert += tag.Geliefert;
            nachspeisung += b - tag.Geliefert;
            leer += tag.Geliefert < b ? 1 : 0;
            ueber += tag.Ueberlauf > 0 ? 1 : 0;
        }
        ASSERT_GT(leer, 0); // the cases reach both limits
        ASSERT_GT(ueber, 0);

        TSimulation sim;
        sim.SetParameters(s);
        std::int64_t meldungen = 0;
        bool imBereich = true;
        sim.SetOnProgress([&](std::int32_t zeit, const TSimulationSet&, long double level) {
            imBereich = imBereich && zeit == 1 + meldungen % f.einheiten && level >= f.volMin &&
                        level <= f.volumen;
            ++meldungen;
            return false;
        });
        ASSERT_TRUE(sim.Run());
        EXPECT_EQ(meldungen, std::int64_t{jahre} * f.einheiten);
        EXPECT_TRUE(imBereich);
        std::int64_t simUeber, simLeer;
        long double simNach;
        sim.GetResults(simUeber, simLeer, simNach);
        EXPECT_NEAR(static_cast<double>(sim.Regenwasseranteil()), geliefert / bedarf, 1e-12);
        EXPECT_NEAR(static_cast<double>(simNach), nachspeisung, 1e-9);
        if (f.einheiten % TageJeJahr == 0) {
            // Each unit of a day that ran short or overflowed counts.
            EXPECT_EQ(simLeer, leer * (f.einheiten / TageJeJahr));
            EXPECT_EQ(simUeber, ueber * (f.einheiten / TageJeJahr));
        } else if (f.einheiten > TageJeJahr) {
            EXPECT_GT(simLeer, leer);
            EXPECT_LT(simLeer, 2 * leer);
        } else {
            // A longer unit counts once however many of its days ran short or overflowed.
            EXPECT_GT(simLeer, 0);
            EXPECT_LE(simLeer, std::min<std::int64_t>(leer, jahre * f.einheiten));
            EXPECT_GT(simUeber, 0);
            EXPECT_LE(simUeber, std::min<std::int64_t>(ueber, jahre * f.einheiten));
        }
    }
}

TEST(SimulationTageswetter, StopsAtOnceAndRunsPastTheCurvesYears)
{
    TSimulationSet s = Tageswetter(12, 3, 0, 0, 5);
    TSimulation sim;
    sim.SetParameters(s);
    int gemeldet = 0;
    sim.SetOnProgress(
        [&](std::int32_t, const TSimulationSet&, long double) { return ++gemeldet == 20; });
    EXPECT_FALSE(sim.Run());
    EXPECT_EQ(gemeldet, 20);
    std::int64_t ueber, leer;
    long double nach;
    sim.GetResults(ueber, leer, nach);
    EXPECT_LE(leer + ueber, 2 * 20);

    // Past the curve's years the weather goes on in a further block.
    s = Tageswetter(365, 3, 0, 0, KurvenJahre + 1);
    s.Graphics = false;
    sim.SetParameters(s);
    ASSERT_TRUE(sim.Run());
    const long double lang = sim.Regenwasseranteil();
    s.Runs = KurvenJahre;
    sim.SetParameters(s);
    ASSERT_TRUE(sim.Run());
    EXPECT_GT(lang, 0.3L);
    EXPECT_NEAR(static_cast<double>(lang), static_cast<double>(sim.Regenwasseranteil()), 0.01);
}

// Daily units from empty without a minimum give the curve's coverage at the same volume over
// the same years.
TEST(SimulationTageswetter, AgreesWithTheCoverageCurve)
{
    const std::vector<double> volumina{0.5, 1, 3.168, 8};
    TSimulationSet s = Tageswetter(365, 0, 0, 0, KurvenJahre);
    s.Graphics = false;
    TDeckungsrechner rechner;
    const auto kurve = rechner.Rechne(s.ParameterSatz, s.Gartenmonate, volumina).Produkte;
    ASSERT_EQ(kurve.size(), volumina.size());
    for (std::size_t i = 0; i < volumina.size(); ++i) {
        SCOPED_TRACE(volumina[i]);
        s.ParameterSatz.Volumen = volumina[i];
        TSimulation sim;
        sim.SetParameters(s);
        ASSERT_TRUE(sim.Run());
        EXPECT_NEAR(static_cast<double>(sim.Regenwasseranteil()), kurve[i].Deckung, 0.003);
    }
}

// --- The engine's own generator --------------------------------------------------------------

TEST(SimulationGenerator, LongRunFollowsTheMeans)
{
    // No clamping: a huge volume and a minimum far below. 2000 years of 12 units with a yield of
    // 5 m³ and a consumption of 4 m³ on average gain 24000 m³; one standard deviation of the
    // sum is about 16 m³.
    Zaehler z(0x1234);
    TSimulation sim;
    TSimulationSet s = Grundeinstellung();
    s.RainCurve.assign(12, 0.05L);
    s.ParameterSatz.PersWCSparV = 48;
    s.ParameterSatz.Volumen = 1e12L;
    s.VolMin = -1e12L;
    s.Runs = 2000;
    sim.SetParameters(s);
    long double letzter = 0;
    long double quadrate = 0, vorher = 0;
    sim.SetOnProgress([&](std::int32_t, const TSimulationSet&, long double level) {
        quadrate += (level - vorher - 1) * (level - vorher - 1);
        vorher = letzter = level;
        return false;
    });
    ASSERT_TRUE(sim.Run());
    EXPECT_NEAR(letzter, 24000, 100);
    // Per unit: deviation of the yield 100 × 0,1 / 12, of the consumption 0,1.
    const long double varianz = quadrate / 24000;
    const long double erwartet = (100 * 0.1L / 12) * (100 * 0.1L / 12) + 0.01L;
    EXPECT_NEAR(varianz, erwartet, 0.05L * erwartet);
    std::int64_t ueber, leer;
    long double nach;
    sim.GetResults(ueber, leer, nach);
    EXPECT_EQ(ueber + leer, 0);
}

TEST(SimulationGenerator, SameCounterSameResultsWithAndWithoutGraphics)
{
    TSimulationSet s = Grundeinstellung();
    s.IntervalTo = 365;
    s.RainCurve.assign(365, 0.06L);
    s.ParameterSatz.Volumen = 3;
    s.Runs = 7;
    auto lauf = [&](bool grafik) {
        Zaehler z(0xBEEF);
        TSimulation sim;
        s.Graphics = grafik;
        sim.SetParameters(s);
        sim.SetOnProgress([](std::int32_t, const TSimulationSet&, long double) { return false; });
        EXPECT_TRUE(sim.Run());
        std::array<long double, 3> r{};
        std::int64_t u, l;
        sim.GetResults(u, l, r[2]);
        r[0] = static_cast<long double>(u);
        r[1] = static_cast<long double>(l);
        return r;
    };
    const auto a = lauf(false);
    const auto b = lauf(true);
    EXPECT_EQ(a, b);
    EXPECT_GT(a[0] + a[1], 0);
}

TEST(SimulationGenerator, SecondRunContinuesTheSequence)
{
    Zaehler z(0x0777);
    TSimulation sim;
    TGaussGenerator zwilling; // same counter, same seed
    TSimulationSet s = Grundeinstellung();
    s.Graphics = false;
    sim.SetParameters(s);
    ASSERT_TRUE(sim.Run());
    ASSERT_TRUE(sim.Run());
    for (int i = 0; i < 48; ++i)
        zwilling.Normal(1, 0);
    EXPECT_EQ(sim.Generator().Normal(1, 0), zwilling.Normal(1, 0));
}

// --- Garden months ---------------------------------------------------------------------------

namespace {
using Monate = std::array<bool, 12>;
constexpr Monate Alle{true, true, true, true, true, true, true, true, true, true, true, true};
constexpr Monate Keine{};
constexpr Monate Sommer{false, false, false, true,  true,  true,
                        true,  true,  true,  false, false, false};

TParameterSatz Haushalt()
{
    TParameterSatz p;
    InitParameterSatz(p);
    p.PersWCSpar = 4; // 35,2 m³
    p.Garten = 100;   // 6 m³
    p.Volumen = 4;
    p.Flaechen = {{150, 0.8L}};
    p.WGrad = 0.9L;
    return p;
}

long double Bedarf(TParameterSatz p)
{
    BerechneBedarf(p);
    return p.Bedarf;
}
} // namespace

TEST(Gartenmonate, EvenSpreadWithoutChoiceOrGarden)
{
    for (std::int32_t n : {12, 365, 400}) {
        TParameterSatz p = Haushalt();
        const long double gleich = Bedarf(p) / n;
        for (const Monate& m : {Alle, Keine}) {
            const auto kurve = BerechneSpareCurve(p, n, m);
            ASSERT_EQ(kurve.size(), static_cast<std::size_t>(n));
            for (long double x : kurve)
                ASSERT_EQ(x, gleich);
        }
        p.Garten = 0;
        for (long double x : BerechneSpareCurve(p, n, Sommer))
            ASSERT_EQ(x, Bedarf(p) / n);
    }
}

TEST(Gartenmonate, GardenShareOnlyInCheckedMonths)
{
    const TParameterSatz p = Haushalt();
    const auto kurve = BerechneSpareCurve(p, 12, Sommer);
    ASSERT_EQ(kurve.size(), 12u);
    for (std::size_t k = 0; k < 12; ++k) {
        const long double erwartet = 35.2L / 12 + (Sommer[k] ? 1.0L : 0.0L);
        EXPECT_NEAR(kurve[k], erwartet, 1e-15L) << k;
    }
}

TEST(Gartenmonate, DailyUnitsBelongToTheirMonths)
{
    // With 365 units, January holds k = 0 … 30 (floor(12 k / 365) = 0), February starts at 31.
    const TParameterSatz p = Haushalt();
    Monate januar{};
    januar[0] = true;
    const auto kurve = BerechneSpareCurve(p, 365, januar);
    const long double rest = 35.2L / 365;
    for (std::size_t k = 0; k < 365; ++k)
        EXPECT_NEAR(kurve[k], rest + (k <= 30 ? 6.0L / 31 : 0.0L), 1e-15L) << k;
}

TEST(Gartenmonate, CurveSumsToTheAnnualDemand)
{
    const TParameterSatz p = Haushalt();
    const Monate muster[] = {
        Sommer,
        {true},
        {false, false, false, false, false, false, false, false, false, false, false, true}};
    for (std::int32_t n : {12, 13, 100, 365, 366, 1000}) {
        for (const Monate& m : muster) {
            const auto kurve = BerechneSpareCurve(p, n, m);
            const long double summe = std::accumulate(kurve.begin(), kurve.end(), 0.0L);
            EXPECT_NEAR(summe, 41.2L, 1e-12L) << n;
            // Every checked month holds at least one unit, so its garden share is never lost.
            for (std::int32_t k = 0; k < n; ++k) {
                const bool bewaessert = m[static_cast<std::size_t>(12 * k / n)];
                EXPECT_EQ(kurve[static_cast<std::size_t>(k)] > 35.2L / n + 1e-12L, bewaessert)
                    << n << ' ' << k;
            }
        }
    }
}

TEST(Gartenmonate, InvalidDemandAndNoUnits)
{
    TParameterSatz p = Haushalt();
    p.GartenV = -0.06L;
    for (long double x : BerechneSpareCurve(p, 12, Sommer))
        EXPECT_EQ(x, 0);
    EXPECT_TRUE(BerechneSpareCurve(Haushalt(), 0, Sommer).empty());
    EXPECT_TRUE(BerechneSpareCurve(Haushalt(), -5, Sommer).empty());
}

TEST(Gartenmonate, EngineTakesCurveOnlyWithOneEntryPerUnit)
{
    TSimulationSet s = Grundeinstellung();
    s.ParameterSatz = Haushalt();
    s.SpareCurve = BerechneSpareCurve(s.ParameterSatz, 12, Sommer);
    {
        Engine e;
        e.Setze(s);
        ASSERT_TRUE(e.sim->Run());
        for (std::size_t k = 0; k < 12; ++k)
            EXPECT_EQ(e.skript->aufrufe[2 * k + 1].mittel, s.SpareCurve[k]) << k;
    }
    s.SpareCurve.pop_back();
    {
        Engine e;
        e.Setze(s);
        ASSERT_TRUE(e.sim->Run());
        for (std::size_t k = 0; k < 12; ++k)
            EXPECT_EQ(e.skript->aufrufe[2 * k + 1].mittel, 41.2L / 12) << k;
    }
}

TEST(Gartenmonate, AllMonthsGiveTheResultsOfTheEvenSpread)
{
    TSimulationSet s = Grundeinstellung();
    s.ParameterSatz = Haushalt();
    s.IntervalTo = 365;
    s.RainCurve.assign(365, 0.06L);
    s.Runs = 10;
    s.Graphics = false;
    auto lauf = [](const TSimulationSet& set) {
        Zaehler z(0x4242);
        TSimulation sim;
        sim.SetParameters(set);
        EXPECT_TRUE(sim.Run());
        std::int64_t u, l;
        long double n;
        sim.GetResults(u, l, n);
        return std::tuple{u, l, n};
    };
    const auto ohne = lauf(s);
    s.SpareCurve = BerechneSpareCurve(s.ParameterSatz, 365, Alle);
    EXPECT_EQ(lauf(s), ohne);
    s.SpareCurve = BerechneSpareCurve(s.ParameterSatz, 365, Keine);
    EXPECT_EQ(lauf(s), ohne);
    // The summer months do change the outcome.
    s.SpareCurve = BerechneSpareCurve(s.ParameterSatz, 365, Sommer);
    EXPECT_NE(lauf(s), ohne);
}
