// German display and entry of numbers, and the invariant number format of the data files.
//
// Rounding works on the decimal expansion of a value: first its 18 significant digits (correctly
// rounded), then that digit string is rounded with halves away from zero. So 12.5 to two digits
// gives 13, and 2.675 to two decimals gives 2,68 although 2.675 is not exact in binary.
// Decimals and significant digits are limited to 0..18 and 1..18.
#include "model/zahlenformat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string_view>
#include <vector>

namespace zahl {
namespace {

constexpr int kMaxStellen = 18;
constexpr int kMaxPraezision = 18;

locale_t cLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", locale_t{});
    return loc;
}

// Switches the calling thread to the "C" locale while it lives (printf's decimal point).
class CLocaleScope {
public:
    CLocaleScope() : alt_(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(alt_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t alt_;
};

// Decimal digits of a magnitude: value = 0.ziffern × 10^punkt. No trailing zeros; zero has no
// digits at all.
struct Dezimalzahl {
    bool negativ = false;
    std::string ziffern;
    int punkt = 0; // digits before the decimal point (may be zero or negative)

    bool istNull() const { return ziffern.empty(); }
    // Digit at position i counted from the first digit; zeros outside.
    char ziffer(int i) const
    {
        return i >= 0 && i < static_cast<int>(ziffern.size()) ? ziffern[static_cast<size_t>(i)]
                                                              : '0';
    }
};

void schneideNullenAb(std::string& z)
{
    while (!z.empty() && z.back() == '0')
        z.pop_back();
}

// The 18 significant digits of a finite value.
Dezimalzahl zerlege(long double wert)
{
    Dezimalzahl d;
    d.negativ = std::signbit(wert);
    if (wert == 0)
        return d;
    char puffer[64];
    {
        CLocaleScope c;
        std::snprintf(puffer, sizeof puffer, "%.17Le", std::fabs(wert));
    }
    const char* p = puffer;
    for (; *p != '\0' && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            d.ziffern += *p;
    }
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    d.punkt = exponent + 1;
    schneideNullenAb(d.ziffern);
    return d;
}

// Keeps the first `behalten` digits, rounding half away from zero.
void runde(Dezimalzahl& d, int behalten)
{
    if (behalten >= static_cast<int>(d.ziffern.size()))
        return;
    if (behalten < 0) {
        d.ziffern.clear();
        return;
    }
    const bool auf = d.ziffern[static_cast<size_t>(behalten)] >= '5';
    d.ziffern.resize(static_cast<size_t>(behalten));
    if (auf) {
        int i = behalten - 1;
        while (i >= 0 && d.ziffern[static_cast<size_t>(i)] == '9') {
            d.ziffern[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.ziffern[static_cast<size_t>(i)];
        } else {
            d.ziffern.insert(d.ziffern.begin(), '1');
            ++d.punkt;
        }
    }
    schneideNullenAb(d.ziffern);
}

// Integer digits of a rounded number; empty below 1.
std::string ganzeZiffern(const Dezimalzahl& d)
{
    std::string s;
    for (int i = 0; i < d.punkt; ++i)
        s += d.ziffer(i);
    return s;
}

QString festText(const Dezimalzahl& d, int stellen)
{
    std::string s;
    if (d.negativ && !d.istNull())
        s += '-';
    const std::string ganz = ganzeZiffern(d);
    s += ganz.empty() ? std::string("0") : ganz;
    if (stellen > 0) {
        s += ',';
        for (int i = 0; i < stellen; ++i)
            s += d.ziffer(d.punkt + i);
    }
    return QString::fromLatin1(s);
}

// Exponent form "-d,dddE+N": trailing zeros of the mantissa dropped, the exponent's sign always
// written, the exponent without leading zeros.
QString exponentText(const Dezimalzahl& d)
{
    std::string s;
    if (d.negativ)
        s += '-';
    s += d.ziffern.front();
    if (d.ziffern.size() > 1) {
        s += ',';
        s += d.ziffern.substr(1);
    }
    const int exponent = d.punkt - 1;
    s += exponent < 0 ? "E-" : "E+";
    s += std::to_string(std::abs(exponent));
    return QString::fromLatin1(s);
}

QString nichtEndlich(long double wert)
{
    if (std::isnan(wert))
        return QStringLiteral("NAN");
    return wert < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// Shared grammar of typed and stored numbers: optional sign, digits with an optional decimal
// separator (at least one digit in all), optional exponent with at least one digit. Underflow
// is accepted (the value becomes subnormal or 0); overflow is refused.
std::optional<long double> leseZahl(std::string_view text, char trenner)
{
    const auto istZiffer = [](char c) { return c >= '0' && c <= '9'; };
    const size_t n = text.size();
    size_t i = 0;
    std::string norm;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        norm += text[i++];
    int ziffern = 0;
    for (; i < n && istZiffer(text[i]); ++i, ++ziffern)
        norm += text[i];
    if (i < n && text[i] == trenner) {
        norm += '.';
        for (++i; i < n && istZiffer(text[i]); ++i, ++ziffern)
            norm += text[i];
    }
    if (ziffern == 0)
        return std::nullopt;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        norm += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            norm += text[i++];
        int expZiffern = 0;
        for (; i < n && istZiffer(text[i]); ++i, ++expZiffern)
            norm += text[i];
        if (expZiffern == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    char* ende = nullptr;
    const long double wert = strtold_l(norm.c_str(), &ende, cLocale());
    if (ende != norm.c_str() + norm.size() || !std::isfinite(wert))
        return std::nullopt;
    return wert;
}

bool liestZurueck(const QString& text, long double wert)
{
    const auto gelesen = Lies(text);
    return gelesen && *gelesen == wert;
}

// One section of a display pattern, with its digit placeholders counted.
struct Abschnitt {
    QString text;
    int ganzPlaetze = 0; // placeholders before the decimal point
    int minGanz = 0;     // from the first '0' before the point on
    int nachPlaetze = 0; // placeholders after the point = most decimals
    int minNach = 0;     // up to the last '0' after the point
};

// Calls f(kind, char) for each element of a pattern: kind 'q' quoted literal text, 'l' other
// literal, '0'/'#' placeholder, '.' decimal point.
template <typename F> void durchlaufe(const QString& muster, F f)
{
    for (qsizetype i = 0; i < muster.size(); ++i) {
        const QChar c = muster[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype ende = muster.indexOf(c, i + 1);
            const qsizetype bis = ende < 0 ? muster.size() : ende;
            f('q', muster.mid(i + 1, bis - i - 1));
            i = bis;
        } else if (c == u'0' || c == u'#') {
            f(static_cast<char>(c.unicode()), QString(c));
        } else if (c == u'.') {
            f('.', QString(c));
        } else {
            f('l', QString(c));
        }
    }
}

Abschnitt analysiere(const QString& text)
{
    Abschnitt a;
    a.text = text;
    bool nachPunkt = false;
    int ersteNull = -1;
    durchlaufe(text, [&](char art, const QString&) {
        if (art == '.') {
            nachPunkt = true;
        } else if (art == '0' || art == '#') {
            if (!nachPunkt) {
                if (art == '0' && ersteNull < 0)
                    ersteNull = a.ganzPlaetze;
                ++a.ganzPlaetze;
            } else {
                ++a.nachPlaetze;
                if (art == '0')
                    a.minNach = a.nachPlaetze;
            }
        }
    });
    a.minGanz = ersteNull < 0 ? 0 : a.ganzPlaetze - ersteNull;
    return a;
}

// Sections split at ';' outside quotes.
std::vector<QString> abschnitte(const QString& muster)
{
    std::vector<QString> teile(1);
    for (qsizetype i = 0; i < muster.size(); ++i) {
        const QChar c = muster[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype ende = muster.indexOf(c, i + 1);
            const qsizetype bis = ende < 0 ? muster.size() - 1 : ende;
            teile.back() += muster.mid(i, bis - i + 1);
            i = bis;
        } else if (c == u';') {
            teile.emplace_back();
        } else {
            teile.back() += c;
        }
    }
    return teile;
}

// Writes a rounded magnitude into a section. Integer digits beyond the placeholders go to the
// first one, or before the point when there is none; the decimal comma appears only when a
// decimal is shown. A section without placeholders shows only its literal text.
QString fuelleAus(const Abschnitt& a, const Dezimalzahl& d, bool minus)
{
    std::string ganz = ganzeZiffern(d);
    if (static_cast<int>(ganz.size()) < a.minGanz)
        ganz.insert(0, static_cast<size_t>(a.minGanz) - ganz.size(), '0');
    std::string nach;
    for (int i = 0; i < a.nachPlaetze; ++i)
        nach += d.ziffer(d.punkt + i);
    while (static_cast<int>(nach.size()) > a.minNach && nach.back() == '0')
        nach.pop_back();

    QString aus;
    if (minus)
        aus += u'-';
    const int ueberzaehlig = static_cast<int>(ganz.size()) - a.ganzPlaetze;
    bool nachPunkt = false;
    int ganzIndex = 0;
    int nachIndex = 0;
    durchlaufe(a.text, [&](char art, const QString& teil) {
        if (art == 'q' || art == 'l' || (art == '.' && nachPunkt)) {
            if (art != '.')
                aus += teil;
        } else if (art == '.') {
            nachPunkt = true;
            if (a.ganzPlaetze == 0)
                aus += QString::fromLatin1(ganz);
            if (!nach.empty())
                aus += u',';
        } else if (!nachPunkt) {
            if (ganzIndex == 0 && ueberzaehlig > 0)
                aus += QString::fromLatin1(ganz.substr(0, static_cast<size_t>(ueberzaehlig)));
            const int j = ueberzaehlig + ganzIndex;
            if (j >= 0)
                aus += QChar::fromLatin1(ganz[static_cast<size_t>(j)]);
            ++ganzIndex;
        } else {
            if (nachIndex < static_cast<int>(nach.size()))
                aus += QChar::fromLatin1(nach[static_cast<size_t>(nachIndex)]);
            ++nachIndex;
        }
    });
    return aus;
}

} // namespace

QString Fest(long double wert, int stellen, int praezision)
{
    if (!std::isfinite(wert))
        return nichtEndlich(wert);
    stellen = std::clamp(stellen, 0, kMaxStellen);
    praezision = std::clamp(praezision, 1, kMaxPraezision);
    Dezimalzahl d = zerlege(wert);
    runde(d, std::min(praezision, d.punkt + stellen));
    if (!d.istNull() && d.punkt > praezision)
        return exponentText(d);
    return festText(d, stellen);
}

QString FestVerlustfrei(long double wert, int stellen, int praezision, int maxStellen)
{
    QString text = Fest(wert, stellen, praezision);
    if (!std::isfinite(wert) || liestZurueck(text, wert))
        return text;
    const int von = std::clamp(stellen, 0, kMaxStellen);
    const int bis = std::clamp(maxStellen, von, kMaxStellen);
    for (int s = von; s <= bis; ++s) {
        text = Dezimal(wert, s);
        if (liestZurueck(text, wert))
            break;
    }
    return text;
}

QString Umkehrbar(long double wert, int stellen, int praezision, int verschiebung)
{
    if (!std::isfinite(wert))
        return nichtEndlich(wert);
    const long double faktor = std::pow(10.0L, verschiebung);
    const long double gezeigt = wert * faktor;
    const auto treu = [&](const QString& text) {
        const auto gelesen = Lies(text);
        return gelesen && *gelesen / faktor == wert;
    };
    QString text = Fest(gezeigt, stellen, praezision);
    if (treu(text))
        return text;
    for (int s = std::clamp(stellen, 0, kMaxStellen); s <= kMaxStellen; ++s) {
        text = Dezimal(gezeigt, s);
        if (treu(text))
            return text;
    }
    // The shortest digits that read back as wert, with the point moved.
    Dezimalzahl d;
    d.negativ = std::signbit(wert);
    {
        CLocaleScope c;
        char puffer[64] = {};
        for (int genauigkeit = 1; genauigkeit <= 21; ++genauigkeit) {
            std::snprintf(puffer, sizeof puffer, "%.*Le", genauigkeit - 1, std::fabs(wert));
            if (strtold_l(puffer, nullptr, cLocale()) == std::fabs(wert))
                break;
        }
        const char* p = puffer;
        for (; *p != '\0' && *p != 'e'; ++p) {
            if (*p >= '0' && *p <= '9')
                d.ziffern += *p;
        }
        d.punkt = (*p == 'e' ? std::atoi(p + 1) : 0) + 1 + verschiebung;
    }
    schneideNullenAb(d.ziffern);
    const int nachkomma = static_cast<int>(d.ziffern.size()) - d.punkt;
    if (d.punkt > 21 || nachkomma > 21)
        return exponentText(d);
    return festText(d, std::max(std::clamp(stellen, 0, kMaxStellen), nachkomma));
}

QString Dezimal(long double wert, int stellen)
{
    if (!std::isfinite(wert))
        return nichtEndlich(wert);
    stellen = std::clamp(stellen, 0, kMaxStellen);
    Dezimalzahl d = zerlege(wert);
    runde(d, d.punkt + stellen);
    return festText(d, stellen);
}

// Sections "positive;negative;zero". The value is rounded with the first section; if that gives
// zero, the zero section (or else the first, without sign) is used. A negative value uses the
// negative section as written, or else the first one with a leading '-'. An empty section falls
// back to the first. An empty pattern gives the shortest exact text with a decimal comma.
QString Muster(long double wert, const QString& muster)
{
    if (!std::isfinite(wert))
        return nichtEndlich(wert);
    if (muster.isEmpty())
        return QString::fromStdString(Invariant(wert)).replace(u'.', u',').replace(u'e', u'E');

    const std::vector<QString> teile = abschnitte(muster);
    const Abschnitt erster = analysiere(teile[0]);
    Dezimalzahl d = zerlege(wert);
    runde(d, d.punkt + erster.nachPlaetze);
    if (d.istNull()) {
        if (teile.size() >= 3 && !teile[2].isEmpty())
            return fuelleAus(analysiere(teile[2]), Dezimalzahl{}, false);
        return fuelleAus(erster, d, false);
    }
    if (d.negativ && teile.size() >= 2 && !teile[1].isEmpty()) {
        const Abschnitt negativ = analysiere(teile[1]);
        Dezimalzahl n = zerlege(wert);
        runde(n, n.punkt + negativ.nachPlaetze);
        return fuelleAus(negativ, n, false);
    }
    return fuelleAus(erster, d, d.negativ);
}

// Blanks and tabs around the text are ignored.
std::optional<long double> Lies(const QString& text)
{
    qsizetype von = 0;
    qsizetype bis = text.size();
    while (von < bis && (text[von] == u' ' || text[von] == u'\t'))
        ++von;
    while (bis > von && (text[bis - 1] == u' ' || text[bis - 1] == u'\t'))
        --bis;
    std::string ascii;
    for (qsizetype i = von; i < bis; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80)
            return std::nullopt;
        ascii += static_cast<char>(c);
    }
    return leseZahl(ascii, ',');
}

// Only blanks may lead. A sign may stand before the hexadecimal prefix ("-$10" is -16); the
// result must lie in the signed 32-bit range in either base.
std::optional<std::int32_t> LiesGanzzahl(const QString& text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == u' ')
        ++i;
    bool negativ = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negativ = text[i] == u'-';
        ++i;
    }
    int basis = 10;
    if (i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        basis = 16;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        basis = 16;
        i += 2;
    }
    if (i == n)
        return std::nullopt;
    constexpr std::uint64_t grenze = std::uint64_t{1} << 31;
    std::uint64_t wert = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        int ziffer = -1;
        if (c >= u'0' && c <= u'9')
            ziffer = c - u'0';
        else if (basis == 16 && c >= u'a' && c <= u'f')
            ziffer = c - u'a' + 10;
        else if (basis == 16 && c >= u'A' && c <= u'F')
            ziffer = c - u'A' + 10;
        if (ziffer < 0)
            return std::nullopt;
        wert = wert * static_cast<std::uint64_t>(basis) + static_cast<std::uint64_t>(ziffer);
        if (wert > grenze)
            return std::nullopt;
    }
    if (!negativ && wert == grenze)
        return std::nullopt;
    const std::int64_t ergebnis =
        negativ ? -static_cast<std::int64_t>(wert) : static_cast<std::int64_t>(wert);
    return static_cast<std::int32_t>(ergebnis);
}

// Negative zero is written as "0"; non-finite values as "nan", "inf", "-inf" (never read back).
std::string Invariant(long double wert)
{
    if (std::isnan(wert))
        return "nan";
    if (std::isinf(wert))
        return wert < 0 ? "-inf" : "inf";
    if (wert == 0)
        return "0";
    CLocaleScope c;
    char puffer[64] = {};
    int genauigkeit = 1;
    for (; genauigkeit <= 21; ++genauigkeit) {
        std::snprintf(puffer, sizeof puffer, "%.*Lg", genauigkeit, wert);
        if (strtold_l(puffer, nullptr, cLocale()) == wert)
            break;
    }
    // %g switches to an exponent as soon as the digits do not reach the point ("4e+01");
    // within the range of ordinary table values the plain form is written instead.
    const char* e = std::strchr(puffer, 'e');
    if (e != nullptr) {
        const int exponent = std::atoi(e + 1);
        if (exponent >= -5 && exponent < 16) {
            const int stellen = std::max(0, genauigkeit - 1 - exponent);
            std::snprintf(puffer, sizeof puffer, "%.*Lf", stellen, wert);
        }
    }
    return puffer;
}

std::string Gerundet(long double wert, int stellen)
{
    if (!std::isfinite(wert) || wert == 0)
        return Invariant(wert);
    CLocaleScope c;
    char puffer[64] = {};
    std::snprintf(puffer, sizeof puffer, "%.*Lg", std::clamp(stellen, 1, 21), wert);
    return puffer;
}

std::optional<long double> LiesInvariant(std::string_view text)
{
    return leseZahl(text, '.');
}

std::optional<long double> LiesBetrag(const QString& text)
{
    const QString punkt = text.trimmed().replace(u',', u'.');
    if (punkt.count(u'.') > 1)
        return std::nullopt;
    return LiesInvariant(punkt.toStdString());
}

} // namespace zahl
