#include "simulation/kern/deckungskurve.h"

#include "model/berechnung.h"
#include "simulation/kern/tagesbilanz.h"
#include "simulation/kern/wettergenerator.h"

#include <algorithm>
#include <array>
#include <cmath>

THausTage HausTage(const TParameterSatz& satz, const std::array<bool, 12>& gartenmonate)
{
    THausTage haus;
    TParameterSatz kopie;
    CopyParameterSatz(satz, kopie);
    kopie.Menge = 1;
    if (BerechneErtrag(kopie) == BerechnungOk)
        haus.ErtragJeMeter = static_cast<double>(kopie.Ertrag);
    const bool gueltig = BerechneBedarf(kopie) == BerechnungOk;
    const double bedarf = static_cast<double>(kopie.Bedarf);
    // The year's demand evenly over its days, the garden's part over the days of the garden
    // months, in the weather's calendar.
    int gartentage = 0;
    for (std::size_t m = 0; m < 12; ++m)
        gartentage += gartenmonate[m] ? Monatstage[m] : 0;
    const double garten = gueltig && gartentage > 0 && gartentage < TageJeJahr
                              ? static_cast<double>(kopie.Garten * kopie.GartenV)
                              : 0.0;
    const double rest = (bedarf - garten) / TageJeJahr;
    haus.Bedarf.reserve(TageJeJahr);
    for (std::size_t m = 0; m < 12; ++m)
        haus.Bedarf.insert(haus.Bedarf.end(), static_cast<std::size_t>(Monatstage[m]),
                           gartenmonate[m] && garten > 0 ? rest + garten / gartentage : rest);
    return haus;
}

namespace {

// Plays the days through every volume: `stand` and `geliefert` per volume. Free of branches
// (and built without trapping math), so that the compiler plays several volumes per
// instruction; where the processor has AVX2, four at a time, with AVX-512 eight.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__)) &&                            \
    !defined(__SANITIZE_ADDRESS__)
__attribute__((target_clones("avx512f", "avx2", "default")))
#endif
void SpieleTage(const double* __restrict regen, double ertragJeMeter,
                const double* __restrict entnahme, std::size_t tage, const double* __restrict v,
                double* __restrict s, double* __restrict g, std::size_t n)
{
    // Four days per pass over the volumes, each volume's days in their order.
    constexpr std::size_t Block = 4;
    std::size_t t = 0;
    for (; t + Block <= tage; t += Block) {
        std::array<double, Block> z{};
        std::array<double, Block> e{};
        for (std::size_t k = 0; k < Block; ++k) {
            z[k] = regen[t + k] * ertragJeMeter;
            e[k] = entnahme[(t + k) % TageJeJahr];
        }
        for (std::size_t i = 0; i < n; ++i) {
            double stand = s[i];
            double summe = g[i];
            for (std::size_t k = 0; k < Block; ++k)
                summe += Tagesbilanz(stand, z[k], e[k], v[i]).Geliefert;
            s[i] = stand;
            g[i] = summe;
        }
    }
    for (; t < tage; ++t) {
        const double z = regen[t] * ertragJeMeter;
        const double e = entnahme[t % TageJeJahr];
        for (std::size_t i = 0; i < n; ++i)
            g[i] += Tagesbilanz(s[i], z, e, v[i]).Geliefert;
    }
}

// Four running sums, so that the additions do not wait for each other.
double Summe(const double* werte, std::size_t anzahl)
{
    std::array<double, 4> teil{};
    std::size_t i = 0;
    for (; i + 4 <= anzahl; i += 4)
        for (std::size_t k = 0; k < 4; ++k)
            teil[k] += werte[i + k];
    for (; i < anzahl; ++i)
        teil[0] += werte[i];
    return (teil[0] + teil[1]) + (teil[2] + teil[3]);
}

} // namespace

std::vector<TDeckungsPunkt> BerechneDeckung(const THausTage& haus,
                                            const std::vector<double>& wetter,
                                            const std::vector<double>& volumina)
{
    const std::size_t n = volumina.size();
    std::vector<double> stand(n, 0.0);
    std::vector<double> geliefert(n, 0.0);
    const std::size_t tage = haus.Bedarf.size() == TageJeJahr ? wetter.size() : 0;
    // The inflow is computed where it is played, not kept: an array of it would cost more in
    // fresh memory than the multiplications.
    const double regen = Summe(wetter.data(), tage) * haus.ErtragJeMeter;
    const double bedarf =
        tage > 0 ? Summe(haus.Bedarf.data(), TageJeJahr) * static_cast<double>(tage / TageJeJahr) +
                       Summe(haus.Bedarf.data(), tage % TageJeJahr)
                 : 0.0;
    SpieleTage(wetter.data(), haus.ErtragJeMeter, haus.Bedarf.data(), tage, volumina.data(),
               stand.data(), geliefert.data(), n);
    std::vector<TDeckungsPunkt> kurve(n);
    for (std::size_t i = 0; i < n; ++i) {
        kurve[i].Volumen = volumina[i];
        kurve[i].Deckung = bedarf > 0 ? std::clamp(geliefert[i] / bedarf, 0.0, 1.0) : 0.0;
        // What neither reached the consumers nor stayed in the tank overflowed.
        kurve[i].Ueberlauf =
            regen > 0 ? std::clamp((regen - geliefert[i] - stand[i]) / regen, 0.0, 1.0) : 0.0;
    }
    return kurve;
}

std::vector<double> Volumenraster(long double volumen, long double groessteEmpfehlung)
{
    double bis = 1;
    for (const long double kandidat : {3 * volumen, groessteEmpfehlung + 1})
        if (std::isfinite(kandidat) && kandidat > bis)
            bis = static_cast<double>(std::min(kandidat, 1e9L));
    const double ziel = bis / KurvenPunkteMindestens;
    const double basis = std::pow(10.0, std::floor(std::log10(ziel)));
    double schritt = basis;
    for (const double faktor : {5.0, 2.5, 2.0})
        if (faktor * basis <= ziel * (1 + 1e-9)) {
            schritt = faktor * basis;
            break;
        }
    const auto anzahl = static_cast<std::size_t>(std::ceil(bis / schritt - 1e-9));
    std::vector<double> raster(anzahl + 1);
    for (std::size_t i = 0; i <= anzahl; ++i)
        raster[i] = static_cast<double>(i) * schritt;
    return raster;
}

double DeckungBei(const std::vector<TDeckungsPunkt>& kurve, double volumen)
{
    if (kurve.empty())
        return 0;
    const auto hinter =
        std::lower_bound(kurve.begin(), kurve.end(), volumen,
                         [](const TDeckungsPunkt& p, double v) { return p.Volumen < v; });
    if (hinter == kurve.begin())
        return kurve.front().Deckung;
    if (hinter == kurve.end())
        return kurve.back().Deckung;
    const TDeckungsPunkt& a = *(hinter - 1);
    const TDeckungsPunkt& b = *hinter;
    const double t = (volumen - a.Volumen) / (b.Volumen - a.Volumen);
    return a.Deckung + t * (b.Deckung - a.Deckung);
}

namespace {
constexpr double KnickSchwelle = 0.01; // a cubic metre more adds less than one point
} // namespace

std::optional<double> Knickpunkt(const std::vector<TDeckungsPunkt>& kurve)
{
    if (kurve.empty())
        return std::nullopt;
    const double ende = kurve.back().Volumen;
    std::optional<double> knick;
    // From the end backwards: the knee is the first point of the last run of points whose next
    // cubic metre stays below one percentage point.
    for (auto p = kurve.rbegin(); p != kurve.rend(); ++p) {
        if (p->Volumen + 1 > ende + 1e-9)
            continue;
        if (DeckungBei(kurve, p->Volumen + 1) - p->Deckung >= KnickSchwelle)
            break;
        knick = p->Volumen;
    }
    return knick;
}

namespace {

constexpr double GrenzAbstand = 0.005; // the curve ends this close to what the yield can cover
constexpr int Verlaengerungen = 16;    // at most 2^16 times the chart's range

// What the yield can cover at most over the weather, min(1, yield ÷ demand); none without
// yield or without demand.
std::optional<double> Grenze(const THausTage& haus, const std::vector<double>& wetter)
{
    const double regen = Summe(wetter.data(), wetter.size()) * haus.ErtragJeMeter;
    const double jahr = Summe(haus.Bedarf.data(), haus.Bedarf.size());
    const double bedarf = jahr * static_cast<double>(wetter.size() / TageJeJahr);
    if (!(regen > 0) || !(bedarf > 0) || haus.Bedarf.size() != TageJeJahr)
        return std::nullopt;
    return std::min(1.0, regen / bedarf);
}

// The knee in steps of a tenth of its order of magnitude (0,1 m³ below 10 m³, 1 m³ below
// 100 m³, …), whatever the chart's step: the grid's knee and the points of that step down to
// the chart's point before it, each with its next cubic metre played exactly.
double Verfeinert(const THausTage& haus, const std::vector<double>& wetter,
                  const std::vector<TDeckungsPunkt>& kurve, double knick)
{
    const auto k = std::find_if(kurve.begin(), kurve.end(),
                                [knick](const TDeckungsPunkt& p) { return p.Volumen == knick; });
    if (k == kurve.begin() || k == kurve.end())
        return knick;
    const double schritt = std::pow(10.0, std::floor(std::log10(std::max(knick, 1.0)))) / 10;
    const double teiler = std::round(1 / schritt);
    const auto punkt = [&](double j) { return schritt < 1 ? j / teiler : j * schritt; };
    const double von = std::floor((k - 1)->Volumen / schritt + 1e-9) + 1;
    const double bis = std::ceil(knick / schritt - 1e-9);
    if (!(bis >= von) || bis - von > 100)
        return knick;
    std::vector<double> volumina;
    for (double j = von; j <= bis; ++j)
        volumina.insert(volumina.end(), {punkt(j), punkt(j) + 1});
    const std::vector<TDeckungsPunkt> genau = BerechneDeckung(haus, wetter, volumina);
    double ergebnis = punkt(bis);
    for (std::size_t i = genau.size(); i >= 2; i -= 2) {
        if (genau[i - 1].Deckung - genau[i - 2].Deckung >= KnickSchwelle)
            break;
        ergebnis = genau[i - 2].Volumen;
    }
    return ergebnis;
}

} // namespace

TDeckungsErgebnis RechneDeckung(const TParameterSatz& satz,
                                const std::array<bool, 12>& gartenmonate,
                                const std::vector<double>& wetter,
                                const std::vector<double>& produktVolumina, bool mitKurve)
{
    long double groesste = 0;
    for (const double v : produktVolumina)
        groesste = std::max<long double>(groesste, v);
    std::vector<double> volumina =
        mitKurve ? Volumenraster(satz.Volumen, groesste) : std::vector<double>();
    const std::size_t raster = volumina.size();
    for (const double v : produktVolumina)
        volumina.push_back(std::isfinite(v) ? std::max(v, 0.0) : 0.0);

    const THausTage haus = HausTage(satz, gartenmonate);
    const std::vector<TDeckungsPunkt> alle = BerechneDeckung(haus, wetter, volumina);
    TDeckungsErgebnis ergebnis;
    ergebnis.Kurve.assign(alle.begin(), alle.begin() + static_cast<std::ptrdiff_t>(raster));
    ergebnis.Produkte.assign(alle.begin() + static_cast<std::ptrdiff_t>(raster), alle.end());

    const std::optional<double> grenze = Grenze(haus, wetter);
    ergebnis.OhneErtragOderBedarf = !grenze;
    if (!grenze || !mitKurve)
        return ergebnis;
    // The curve goes on until it shows the knee or comes close to its limit, each round to
    // twice its end with as many points as the chart, so each round costs the same.
    std::vector<TDeckungsPunkt>& kurve = ergebnis.Kurve;
    std::optional<double> knick = Knickpunkt(kurve);
    const std::size_t n = raster - 1;
    for (int runde = 0; !knick && runde < Verlaengerungen && n > 0 &&
                        kurve.back().Deckung < *grenze - GrenzAbstand;
         ++runde) {
        const double ende = kurve.back().Volumen;
        std::vector<double> weiter(n);
        for (std::size_t i = 1; i <= n; ++i)
            weiter[i - 1] = ende + ende * static_cast<double>(i) / static_cast<double>(n);
        const std::vector<TDeckungsPunkt> dazu = BerechneDeckung(haus, wetter, weiter);
        kurve.insert(kurve.end(), dazu.begin(), dazu.end());
        knick = Knickpunkt(kurve);
    }
    if (knick)
        ergebnis.Knick = Verfeinert(haus, wetter, kurve, *knick);
    return ergebnis;
}

const std::vector<double>& TDeckungsrechner::Wetter(const TParameterSatz& satz)
{
    const std::uint64_t saat = WetterSaat(satz);
    if (FSaat != saat) {
        FWetter = ErzeugeWetter(satz.Niederschlag, KurvenJahre, saat);
        FSaat = saat;
    }
    return FWetter;
}

TDeckungsErgebnis TDeckungsrechner::Rechne(const TParameterSatz& satz,
                                           const std::array<bool, 12>& gartenmonate,
                                           const std::vector<double>& produktVolumina)
{
    return RechneDeckung(satz, gartenmonate, Wetter(satz), produktVolumina);
}
