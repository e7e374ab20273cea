// Fill-level simulation: settings checks, the time-unit loops and the garden-month demand curve.
#include "simulation/kern/simulation.h"

#include "model/berechnung.h"
#include "model/fehler.h"
#include "model/zahlenformat.h"
#include "simulation/kern/deckungskurve.h"
#include "simulation/kern/tagesbilanz.h"
#include "simulation/kern/wettergenerator.h"

#include <algorithm>
#include <cmath>

TSimulation::TSimulation() = default;

TSimulation::TSimulation(std::unique_ptr<TNormalQuelle> Quelle) : FQuelle(std::move(Quelle)) {}

TSimulation::~TSimulation() = default;

void TSimulation::SetParameters(const TSimulationSet& Set)
{
    // 64-bit so that interval bounds near the ends of the 32-bit range cannot overflow.
    const std::int64_t von = Set.IntervalFrom;
    const std::int64_t bis = Set.IntervalTo;
    if (bis < von + 11)
        throw EInvalidValueException(
            QStringLiteral("Das angegebene Zeitinterval (%1 - %2) ist ungültig.")
                .arg(Set.IntervalFrom)
                .arg(Set.IntervalTo));
    if (Set.StartTime < Set.IntervalFrom || Set.StartTime > Set.IntervalTo)
        throw EInvalidValueException(
            QStringLiteral("%1 ist eine ungültige Startzeit.").arg(Set.StartTime));
    if (!(Set.StartLevel >= 0))
        throw EInvalidValueException(zahl::Dezimal(Set.StartLevel, 2) +
                                     QStringLiteral(" ist ein ungültiger Startwasserstand."));
    if (Set.Runs < 1)
        throw EInvalidValueException(
            QStringLiteral("%1 ist eine ungültige Anzahl an Durchläufen.").arg(Set.Runs));
    CopySimulationSet(Set, FSet);
}

void TSimulation::SetOnProgress(TSimulationProgress Callback)
{
    FOnProgress = std::move(Callback);
}

bool TSimulation::Run()
{
    FStop.store(false, std::memory_order_relaxed);
    if (FSet.Wetter == TWetterModell::Tageswetter)
        return SimuliereTageswetter();
    // The own generator is called directly, so that its draws inline into the loop.
    return FQuelle ? Simuliere(*FQuelle) : Simuliere(FGenerator);
}

void TSimulation::GetResults(std::int64_t& Overflows, std::int64_t& Empties,
                             long double& MakeUp) const
{
    Overflows = FOverflows;
    Empties = FEmpties;
    MakeUp = FMakeUp;
}

long double TSimulation::Regenwasseranteil() const
{
    if (!(FBedarf > 0))
        return 0;
    return std::clamp(FGeliefert / FBedarf, 0.0L, 1.0L);
}

bool TSimulation::Melde(std::int64_t k, long double level)
{
    return FOnProgress(static_cast<std::int32_t>(FSet.IntervalFrom + k), FSet, level);
}

namespace {
// Precipitation of a time unit, then its consumption.
inline void ZieheMengen(TNormalQuelle& quelle, long double regenAbweichung, long double regenMittel,
                        long double verbrauchAbweichung, long double verbrauchMittel,
                        long double& regen, long double& verbrauch)
{
    regen = quelle.Normal(regenAbweichung, regenMittel);
    verbrauch = quelle.Normal(verbrauchAbweichung, verbrauchMittel);
}

inline void ZieheMengen(TGaussGenerator& generator, long double regenAbweichung,
                        long double regenMittel, long double verbrauchAbweichung,
                        long double verbrauchMittel, long double& regen, long double& verbrauch)
{
    generator.NormalPaar(regenAbweichung, regenMittel, verbrauchAbweichung, verbrauchMittel, regen,
                         verbrauch);
}
} // namespace

// Kept out of line: alone, the few values of the level stay in the x87 registers instead of
// going through memory with every time unit.
[[gnu::noinline]] std::size_t TSimulation::Fuelle(const TMengen* mengen, std::size_t anzahl,
                                                  long double volMin, long double volumen,
                                                  TStand& stand, const std::atomic<bool>& stop)
{
    long double level = stand.Level;
    long double nachspeisung = stand.MakeUp;
    std::int64_t leer = 0;
    std::int64_t ueber = 0;
    std::size_t b = 0;
    while (b < anzahl) {
        level = (level + mengen[b].Ertrag) - mengen[b].Verbrauch;
        if (level <= volMin) {
            ++leer;
            nachspeisung += std::fabs(volMin - level);
            level = volMin;
        } else if (level >= volumen) {
            ++ueber;
            level = volumen;
        }
        ++b;
        if (stop.load(std::memory_order_relaxed))
            break;
    }
    stand.Level = level;
    stand.MakeUp = nachspeisung;
    stand.Empties += leer;
    stand.Overflows += ueber;
    return b;
}

template <typename Quelle> bool TSimulation::Simuliere(Quelle& quelle)
{
    FOverflows = 0;
    FEmpties = 0;
    FMakeUp = 0;
    FBedarf = 0;
    FGeliefert = 0;
    TParameterSatz satz;
    CopyParameterSatz(FSet.ParameterSatz, satz);

    const std::int64_t n = std::int64_t{FSet.IntervalTo} - FSet.IntervalFrom + 1;
    if (FSet.Runs < 1 || n < 1)
        return true;
    const auto nn = static_cast<std::size_t>(n);
    const long double nLang = static_cast<long double>(n);

    // The demand's inputs do not change during a run: one evaluation serves every time unit.
    BerechneBedarf(satz);
    const long double bedarfJeEinheit = satz.Bedarf / nLang;
    const bool mitKurve = FSet.SpareCurve.size() == nn;
    // Means of every time unit, formed once per run. A rain curve shorter than the year
    // counts the missing time units as dry.
    FMittel.resize(nn);
    for (std::size_t k = 0; k < nn; ++k) {
        const long double c = k < FSet.RainCurve.size() ? FSet.RainCurve[k] : 0.0L;
        FMittel[k].Regen = 12 * c / nLang;
        FMittel[k].Verbrauch = mitKurve ? FSet.SpareCurve[k] : bedarfJeEinheit;
    }
    const TMittel* const mittel = FMittel.data();

    // The yield of a time unit is the sum over the areas of Flaeche × Beiwert × p × WGrad;
    // the sum of Flaeche × Beiwert, in list order, is formed once and multiplied by p × WGrad.
    long double flaechenSumme = 0;
    for (const TFlaeche& f : satz.Flaechen)
        flaechenSumme += f.Flaeche * f.Beiwert;

    const long double wgrad = satz.WGrad;
    const long double regenAbweichung = 0.1L / nLang;
    const long double verbrauchAbweichung = 0.1L;
    const bool melden = FSet.Graphics && static_cast<bool>(FOnProgress);
    TStand stand{FSet.StartLevel, 0, 0, 0};
    auto ende = [&](bool fertig) {
        FOverflows = stand.Overflows;
        FEmpties = stand.Empties;
        FMakeUp = stand.MakeUp;
        FGeliefert = FBedarf - FMakeUp; // what the make-up water did not have to supply
        return fertig;
    };

    // All runs as one sequence of time units: the level carries over from run to run, and
    // every run starts at StartTime. The amounts of a block of time units are drawn first and
    // the level follows them afterwards, so that the generator's long arithmetic does not
    // wait for the level. With a callback a block is one time unit, so that nothing is drawn
    // after the callback asked to stop.
    const std::int64_t gesamt = std::int64_t{FSet.Runs} * n;
    const std::int64_t blockLaenge = melden ? 1 : static_cast<std::int64_t>(FBlock.size());
    std::int64_t k = ((std::int64_t{FSet.StartTime} - FSet.IntervalFrom) % n + n) % n;
    for (std::int64_t erledigt = 0; erledigt < gesamt;) {
        const auto laenge = static_cast<std::size_t>(std::min(blockLaenge, gesamt - erledigt));
        for (std::size_t b = 0; b < laenge; ++b) {
            long double p, verbrauch;
            ZieheMengen(quelle, regenAbweichung, mittel[k].Regen, verbrauchAbweichung,
                        mittel[k].Verbrauch, p, verbrauch);
            FBlock[b] = {flaechenSumme * p * wgrad, verbrauch};
            if (++k == n)
                k = 0;
        }
        const std::size_t gefuellt =
            Fuelle(FBlock.data(), laenge, FSet.VolMin, satz.Volumen, stand, FStop);
        erledigt += static_cast<std::int64_t>(gefuellt);
        for (std::size_t b = 0; b < gefuellt; ++b)
            FBedarf += FBlock[b].Verbrauch;
        if (melden) {
            ende(false); // totals so far, readable from the callback
            if (Melde((k + n - 1) % n, stand.Level))
                return false;
        }
        if (gefuellt < laenge || FStop.load(std::memory_order_relaxed))
            return ende(false);
    }
    return ende(true);
}

namespace {
// A day, or the share of a day, that a time unit takes.
struct TAbschnitt {
    std::size_t Tag;        // 0 … 364
    std::size_t Teile = 1;  // time units that share the day
    std::size_t Stelle = 0; // the unit's place among them
};

// The days of the year that each of the n time units takes: whole days where a unit is a day
// or longer (months by the weather's calendar), an even share of its day where a unit is
// shorter. Unit k takes abschnitte[beginn[k]] … abschnitte[beginn[k + 1] - 1].
void OrdneTageZu(std::uint64_t n, std::vector<TAbschnitt>& abschnitte,
                 std::vector<std::size_t>& beginn)
{
    constexpr std::uint64_t tage = TageJeJahr;
    auto aufgerundet = [](std::uint64_t a, std::uint64_t b) { return (a + b - 1) / b; };
    abschnitte.clear();
    beginn.assign(1, 0);
    if (n == Monatstage.size()) {
        std::size_t tag = 0;
        for (const int laenge : Monatstage) {
            for (int t = 0; t < laenge; ++t)
                abschnitte.push_back({tag++});
            beginn.push_back(abschnitte.size());
        }
        return;
    }
    for (std::uint64_t k = 0; k < n; ++k) {
        if (n <= tage) {
            for (std::uint64_t d = aufgerundet(tage * k, n); d < aufgerundet(tage * (k + 1), n);
                 ++d)
                abschnitte.push_back({static_cast<std::size_t>(d)});
        } else {
            const std::uint64_t d = tage * k / n;
            const std::uint64_t erste = aufgerundet(n * d, tage);
            abschnitte.push_back({static_cast<std::size_t>(d),
                                  static_cast<std::size_t>(aufgerundet(n * (d + 1), tage) - erste),
                                  static_cast<std::size_t>(k - erste)});
        }
        beginn.push_back(abschnitte.size());
    }
}
} // namespace

bool TSimulation::SimuliereTageswetter()
{
    FOverflows = 0;
    FEmpties = 0;
    FMakeUp = 0;
    FBedarf = 0;
    FGeliefert = 0;
    const std::int64_t n = std::int64_t{FSet.IntervalTo} - FSet.IntervalFrom + 1;
    if (FSet.Runs < 1 || n < 1)
        return true;
    std::vector<TAbschnitt> abschnitte;
    std::vector<std::size_t> beginn;
    OrdneTageZu(static_cast<std::uint64_t>(n), abschnitte, beginn);
    const THausTage haus = HausTage(FSet.ParameterSatz, FSet.Gartenmonate);
    if (haus.Bedarf.size() != static_cast<std::size_t>(TageJeJahr))
        return true;

    // The level above the minimum is what rainwater can supply; make-up water keeps the
    // minimum and covers the demand that rainwater leaves open.
    const auto volMin = static_cast<double>(FSet.VolMin);
    const double raum = std::max(static_cast<double>(FSet.ParameterSatz.Volumen) - volMin, 0.0);
    double nutzbar = static_cast<double>(FSet.StartLevel) - volMin;
    if (nutzbar < 0) {
        FMakeUp += -nutzbar;
        nutzbar = 0;
    }
    const bool melden = FSet.Graphics && static_cast<bool>(FOnProgress);

    // Weather in blocks of the curve's years, the first with the set's seed: a run of that
    // length plays the curve's very days.
    std::vector<double> wetter;
    // A day shared by several time units is played once, at the first of them, and its
    // amounts are spread evenly over them; the level moves in even steps through the day.
    TTagesErgebnis geteilt;
    double vorher = 0;
    std::int64_t gespielt = -1;
    std::int64_t k = ((std::int64_t{FSet.StartTime} - FSet.IntervalFrom) % n + n) % n;
    for (std::int32_t run = 0; run < FSet.Runs; ++run) {
        const std::int32_t jahr = run % KurvenJahre;
        if (jahr == 0)
            wetter = ErzeugeWetter(FSet.ParameterSatz.Niederschlag,
                                   std::min(KurvenJahre, FSet.Runs - run),
                                   FSet.Saat + static_cast<std::uint64_t>(run / KurvenJahre));
        const double* regen = wetter.data() + static_cast<std::size_t>(jahr) * TageJeJahr;
        for (std::int64_t j = 0; j < n; ++j) {
            double bedarf = 0;
            double geliefert = 0;
            double fehlt = 0;
            double ueberlauf = 0;
            double anzeige = nutzbar;
            const auto einheit = static_cast<std::size_t>(k);
            for (std::size_t a = beginn[einheit]; a < beginn[einheit + 1]; ++a) {
                const TAbschnitt& abschnitt = abschnitte[a];
                const double tagesbedarf = haus.Bedarf[abschnitt.Tag];
                const double zufluss = regen[abschnitt.Tag] * haus.ErtragJeMeter;
                if (abschnitt.Teile == 1) {
                    const TTagesErgebnis tag = Tagesbilanz(nutzbar, zufluss, tagesbedarf, raum);
                    bedarf += tagesbedarf;
                    geliefert += tag.Geliefert;
                    fehlt += tagesbedarf - tag.Geliefert;
                    ueberlauf += tag.Ueberlauf;
                    anzeige = nutzbar;
                    continue;
                }
                const std::int64_t tagNr =
                    std::int64_t{run} * TageJeJahr + static_cast<std::int64_t>(abschnitt.Tag);
                if (tagNr != gespielt) {
                    vorher = nutzbar;
                    geteilt = Tagesbilanz(nutzbar, zufluss, tagesbedarf, raum);
                    gespielt = tagNr;
                }
                const double anteil = 1.0 / static_cast<double>(abschnitt.Teile);
                bedarf += tagesbedarf * anteil;
                geliefert += geteilt.Geliefert * anteil;
                fehlt += (tagesbedarf - geteilt.Geliefert) * anteil;
                ueberlauf += geteilt.Ueberlauf * anteil;
                anzeige = abschnitt.Stelle + 1 == abschnitt.Teile
                              ? nutzbar
                              : vorher + (nutzbar - vorher) *
                                             static_cast<double>(abschnitt.Stelle + 1) * anteil;
            }
            if (fehlt > 0) {
                ++FEmpties;
                FMakeUp += fehlt;
            }
            if (ueberlauf > 0)
                ++FOverflows;
            FBedarf += bedarf;
            FGeliefert += geliefert;
            if (melden && Melde(k, volMin + anzeige))
                return false;
            if (FStop.load(std::memory_order_relaxed))
                return false;
            if (++k == n)
                k = 0;
        }
    }
    return true;
}

std::vector<long double> BerechneSpareCurve(const TParameterSatz& Satz, std::int32_t N,
                                            const std::array<bool, 12>& Gartenmonate)
{
    if (N < 1)
        return {};
    TParameterSatz satz;
    CopyParameterSatz(Satz, satz);
    const bool gueltig = BerechneBedarf(satz) == BerechnungOk;
    const long double bedarf = satz.Bedarf;
    const long double nLang = N;
    // The same quotient the engine forms without a curve, so that an even curve changes nothing.
    std::vector<long double> kurve(static_cast<std::size_t>(N), bedarf / nLang);

    const long double garten = gueltig ? satz.Garten * satz.GartenV : 0;
    const auto gewaehlt = std::count(Gartenmonate.begin(), Gartenmonate.end(), true);
    if (garten == 0 || gewaehlt == 0 || gewaehlt == 12)
        return kurve;

    auto bewaessert = [&](std::int64_t k) { return Gartenmonate[(12 * k) / N]; };
    std::int64_t einheiten = 0;
    for (std::int64_t k = 0; k < N; ++k)
        einheiten += bewaessert(k) ? 1 : 0;
    if (einheiten == 0)
        return kurve;

    const long double rest = (bedarf - garten) / nLang;
    const long double gartenJeEinheit = garten / static_cast<long double>(einheiten);
    for (std::int64_t k = 0; k < N; ++k)
        kurve[static_cast<std::size_t>(k)] = bewaessert(k) ? rest + gartenJeEinheit : rest;
    return kurve;
}
