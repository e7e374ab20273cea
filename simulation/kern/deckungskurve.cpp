#include "simulation/kern/deckungskurve.h"

#include "model/berechnung.h"
#include "simulation/kern/simulation.h"
#include "simulation/kern/wettergenerator.h"

#include <algorithm>
#include <cmath>

THausTage HausTage(const TParameterSatz& satz, const std::array<bool, 12>& gartenmonate)
{
    THausTage haus;
    TParameterSatz kopie;
    CopyParameterSatz(satz, kopie);
    kopie.Menge = 1;
    if (BerechneErtrag(kopie) == BerechnungOk)
        haus.ErtragJeMeter = static_cast<double>(kopie.Ertrag);
    const std::vector<long double> bedarf = BerechneSpareCurve(satz, TageJeJahr, gartenmonate);
    haus.Bedarf.assign(bedarf.begin(), bedarf.end());
    return haus;
}

std::vector<TDeckungsPunkt> BerechneDeckung(const THausTage& haus,
                                            const std::vector<double>& wetter,
                                            const std::vector<double>& volumina)
{
    const std::size_t n = volumina.size();
    std::vector<double> stand(n, 0.0);
    std::vector<double> ueber(n, 0.0);
    std::vector<double> fehl(n, 0.0);
    double regen = 0;
    double bedarf = 0;
    const std::size_t tage = haus.Bedarf.size() == TageJeJahr ? wetter.size() : 0;
    double* __restrict s = stand.data();
    double* __restrict u = ueber.data();
    double* __restrict f = fehl.data();
    const double* __restrict v = volumina.data();
    for (std::size_t t = 0; t < tage; ++t) {
        const double zufluss = wetter[t] * haus.ErtragJeMeter;
        const double entnahme = haus.Bedarf[t % TageJeJahr];
        regen += zufluss;
        bedarf += entnahme;
        const double netto = zufluss - entnahme;
        // Free of branches (and built without trapping math), so that the compiler plays
        // several volumes per instruction.
        for (std::size_t i = 0; i < n; ++i) {
            const double x = s[i] + netto;
            const double zuviel = std::max(x - v[i], 0.0);
            const double zuwenig = std::max(-x, 0.0);
            s[i] = x - zuviel + zuwenig;
            u[i] += zuviel;
            f[i] += zuwenig;
        }
    }
    std::vector<TDeckungsPunkt> kurve(n);
    for (std::size_t i = 0; i < n; ++i) {
        kurve[i].Volumen = volumina[i];
        kurve[i].Deckung = bedarf > 0 ? std::clamp(1 - fehl[i] / bedarf, 0.0, 1.0) : 0.0;
        kurve[i].Ueberlauf = regen > 0 ? std::clamp(ueber[i] / regen, 0.0, 1.0) : 0.0;
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
        if (DeckungBei(kurve, p->Volumen + 1) - p->Deckung >= 0.01)
            break;
        knick = p->Volumen;
    }
    return knick;
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
    long double groesste = 0;
    for (const double v : produktVolumina)
        groesste = std::max<long double>(groesste, v);
    std::vector<double> volumina = Volumenraster(satz.Volumen, groesste);
    const std::size_t raster = volumina.size();
    for (const double v : produktVolumina)
        volumina.push_back(std::isfinite(v) ? std::max(v, 0.0) : 0.0);

    const std::vector<TDeckungsPunkt> alle =
        BerechneDeckung(HausTage(satz, gartenmonate), Wetter(satz), volumina);
    TDeckungsErgebnis ergebnis;
    ergebnis.Kurve.assign(alle.begin(), alle.begin() + static_cast<std::ptrdiff_t>(raster));
    ergebnis.Produkte.assign(alle.begin() + static_cast<std::ptrdiff_t>(raster), alle.end());
    ergebnis.Knick = Knickpunkt(ergebnis.Kurve);
    return ergebnis;
}
