#include "simulation/kern/wettergenerator.h"

#include <algorithm>
#include <cmath>

const TWetterParameter& AngepassteWetterParameter()
{
    // Fitted by tropfwerk-wetter anpassen on the fit half of data/daily (southern Germany 2000 to
    // 2019 and all of Germany 1979 to 2008; Datenbasis: Deutscher Wetterdienst).
    static const TWetterParameter parameter{
        -1.4534,
        0.3413,
        {0.383, 0.398, 0.429, 0.382, 0.338, 0.310, 0.329, 0.291, 0.366, 0.395, 0.355, 0.398},
        0.50,
        0.30,
        1.25,
        -0.60};
    return parameter;
}

namespace {

std::uint64_t SplitMix(std::uint64_t& x)
{
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint64_t Rotiere(std::uint64_t x, int k)
{
    return (x << k) | (x >> (64 - k));
}

} // namespace

TZufall::TZufall(std::uint64_t saat)
{
    for (auto& z : FZustand)
        z = SplitMix(saat);
}

std::uint64_t TZufall::Bits()
{
    auto& s = FZustand;
    const std::uint64_t ergebnis = Rotiere(s[1] * 5, 7) * 9;
    const std::uint64_t t = s[1] << 17;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = Rotiere(s[3], 45);
    return ergebnis;
}

double TZufall::Gleich()
{
    // 52 random bits, shifted by half a step: odd multiples of 2^-53, so neither 0 nor 1 (53
    // bits plus a half would round up to 1 at the top).
    return (static_cast<double>(Bits() >> 12) + 0.5) * 0x1.0p-52;
}

double TZufall::Normal()
{
    if (FHatReserve) {
        FHatReserve = false;
        return FReserve;
    }
    double a = 0;
    double b = 0;
    double q = 0;
    do {
        a = 2 * Gleich() - 1;
        b = 2 * Gleich() - 1;
        q = a * a + b * b;
    } while (q >= 1);
    const double f = std::sqrt(-2 * std::log(q) / q);
    FReserve = b * f;
    FHatReserve = true;
    return a * f;
}

double TZufall::Gamma(double form)
{
    // Shape ½ is half the square of a standard normal; Marsaglia and Tsang for the others, below
    // shape 1 through Gamma(form + 1) × U^(1/form).
    if (form == 0.5) {
        const double z = Normal();
        return 0.5 * z * z;
    }
    if (form < 1)
        return Gamma(form + 1) * std::pow(Gleich(), 1 / form);
    const double d = form - 1.0 / 3;
    const double c = 1 / std::sqrt(9 * d);
    for (;;) {
        double x = 0;
        double v = 0;
        do {
            x = Normal();
            v = 1 + c * x;
        } while (v <= 0);
        v = v * v * v;
        const double u = Gleich();
        if (u < 1 - 0.0331 * x * x * x * x || std::log(u) < 0.5 * x * x + d * (1 - v + std::log(v)))
            return d * v;
    }
}

double Sommeranteil(const TNiederschlag& monatsmittel)
{
    double jahr = 0;
    double sommer = 0;
    for (std::size_t m = 0; m < 12; ++m) {
        const double wert = static_cast<double>(monatsmittel[m]);
        if (!(wert > 0))
            continue;
        jahr += wert;
        if (m >= 3 && m <= 8)
            sommer += wert;
    }
    return jahr > 0 ? sommer / jahr : SommerBezug;
}

double NassAnteil(double monatsmittelMm, const TWetterParameter& p)
{
    if (!(monatsmittelMm > 0))
        return 0;
    const double z = p.NassA + p.NassB * std::log(monatsmittelMm);
    return std::clamp(1 / (1 + std::exp(-z)), 0.02, 0.98);
}

std::vector<double> ErzeugeWetter(const TNiederschlag& monatsmittel, int jahre, std::uint64_t saat,
                                  const TWetterParameter& p)
{
    struct TMonat {
        double P01 = 0;    // dry to wet
        double P11 = 0;    // wet to wet
        double Mittel = 0; // mean amount of a wet day, m
        double Sockel = 0; // the least amount of a wet day, m
        double Anteil = 0;
        double Persistenz = 0;
    };
    std::array<TMonat, 12> monate{};
    const double persistenzVersatz =
        p.PersistenzSommer * (Sommeranteil(monatsmittel) - SommerBezug);
    for (std::size_t m = 0; m < 12; ++m) {
        const double mm = static_cast<double>(monatsmittel[m]) * 1000;
        const double pi = NassAnteil(mm, p);
        if (pi <= 0)
            continue;
        const double r = std::clamp(p.Persistenz[m] + persistenzVersatz, 0.0, 0.95);
        monate[m].Anteil = pi;
        monate[m].Persistenz = r;
        monate[m].P01 = pi * (1 - r);
        monate[m].P11 = monate[m].P01 + r;
        monate[m].Mittel = mm / 1000 / (Monatstage[m] * pi);
        monate[m].Sockel = std::min(monate[m].Mittel, NassAbMeter);
    }

    const double streuung = p.Monatsstreuung * p.Monatsstreuung;
    // E[faktor^Haeufung] of the gamma factor, so that the wet-day share keeps its mean.
    const double haeufungsMittel =
        streuung > 0 && p.Haeufung != 0
            ? std::exp(std::lgamma(1 / streuung + p.Haeufung) - std::lgamma(1 / streuung) +
                       p.Haeufung * std::log(streuung))
            : 1.0;
    TZufall zufall(saat);
    std::vector<double> tage;
    tage.reserve(static_cast<std::size_t>(std::max(jahre, 0)) * TageJeJahr);
    bool nass = false;
    for (int j = 0; j < jahre; ++j)
        for (std::size_t m = 0; m < 12; ++m) {
            const TMonat& monat = monate[m];
            const double faktor = streuung > 0 ? zufall.Gamma(1 / streuung) * streuung : 1.0;
            // A wet day has the least amount plus a gamma-distributed rest that the month's
            // factor scales, so that the mean stays the month's.
            double p01 = monat.P01;
            double p11 = monat.P11;
            double mengeFaktor = faktor;
            if (p.Haeufung != 0 && monat.Anteil > 0) {
                const double nassFaktor = std::pow(faktor, p.Haeufung) / haeufungsMittel;
                const double anteil = std::min(monat.Anteil * nassFaktor, 0.98);
                p01 = anteil * (1 - monat.Persistenz);
                p11 = p01 + monat.Persistenz;
                mengeFaktor = faktor * monat.Anteil / anteil;
            }
            const double menge = (monat.Mittel - monat.Sockel) * mengeFaktor / p.Form;
            for (int t = 0; t < Monatstage[m]; ++t) {
                nass = zufall.Gleich() < (nass ? p11 : p01);
                tage.push_back(nass ? monat.Sockel + menge * zufall.Gamma(p.Form) : 0.0);
            }
        }
    return tage;
}

std::uint64_t WetterSaat(const TParameterSatz& satz)
{
    // FNV-1a over the means in micrometres and the postal code.
    std::uint64_t h = 0xCBF29CE484222325ULL;
    auto mische = [&h](std::uint64_t wert) {
        for (int i = 0; i < 8; ++i) {
            h ^= (wert >> (8 * i)) & 0xFF;
            h *= 0x100000001B3ULL;
        }
    };
    for (const long double wert : satz.Niederschlag)
        mische(std::isfinite(wert) && std::fabs(wert) < 1e6L
                   ? static_cast<std::uint64_t>(std::llround(wert * 1e6L))
                   : ~std::uint64_t{0});
    for (const QChar zeichen : satz.PLZ)
        mische(zeichen.unicode());
    return h;
}
