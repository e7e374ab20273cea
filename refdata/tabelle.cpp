// In-memory table with typed fields, shared current row, sorting and a range filter.
#include "refdata/tabelle.h"

#include "model/fehler.h"
#include "model/zahlenformat.h"
#include "refdata/binaerstrom.h"
#include "refdata/cp1252.h"
#include "refdata/csvstrom.h"

#include <QDate>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

struct TTypInfo {
    TFeldTyp typ;
    const char* name;
    TWertArt art;
};

constexpr TTypInfo kTypen[] = {
    {TFeldTyp::String, "String", TWertArt::Text},
    {TFeldTyp::SmallInt, "SmallInt", TWertArt::Ganzzahl},
    {TFeldTyp::Integer, "Integer", TWertArt::Ganzzahl},
    {TFeldTyp::Word, "Word", TWertArt::Ganzzahl},
    {TFeldTyp::Boolean, "Boolean", TWertArt::Logisch},
    {TFeldTyp::Float, "Float", TWertArt::Gleitkomma},
    {TFeldTyp::Currency, "Currency", TWertArt::Gleitkomma},
    {TFeldTyp::BCD, "BCD", TWertArt::Gleitkomma},
    {TFeldTyp::Date, "Date", TWertArt::Gleitkomma},
    {TFeldTyp::Time, "Time", TWertArt::Gleitkomma},
    {TFeldTyp::DateTime, "DateTime", TWertArt::Gleitkomma},
    {TFeldTyp::Bytes, "Bytes", TWertArt::Bytes},
    {TFeldTyp::VarBytes, "VarBytes", TWertArt::Bytes},
    {TFeldTyp::AutoInc, "AutoInc", TWertArt::Ganzzahl},
    {TFeldTyp::Blob, "Blob", TWertArt::Bytes},
    {TFeldTyp::Memo, "Memo", TWertArt::Text},
    {TFeldTyp::Graphic, "Graphic", TWertArt::Bytes},
    {TFeldTyp::FmtMemo, "FmtMemo", TWertArt::Text},
    {TFeldTyp::ParadoxOle, "ParadoxOle", TWertArt::Bytes},
    {TFeldTyp::DBaseOle, "dBaseOle", TWertArt::Bytes},
    {TFeldTyp::TypedBinary, "TypedBinary", TWertArt::Bytes},
    {TFeldTyp::FixedChar, "FixedChar", TWertArt::Text},
    {TFeldTyp::LargeInt, "LargeInt", TWertArt::Ganzzahl},
    {TFeldTyp::ADT, "ADT", TWertArt::Bytes},
    {TFeldTyp::Array, "Array", TWertArt::Bytes},
    {TFeldTyp::HugeBlob, "HugeBlob", TWertArt::Bytes},
    {TFeldTyp::HugeClob, "HugeClob", TWertArt::Text},
    {TFeldTyp::SQLTimeStamp, "SQLTimeStamp", TWertArt::Gleitkomma},
    {TFeldTyp::FMTBcdField, "FMTBcdField", TWertArt::Gleitkomma},
};

constexpr const char* kArten[] = {"Data", "Calculated", "Lookup", "InternalCalc", "Aggregate"};

const TTypInfo& Info(TFeldTyp typ)
{
    return kTypen[static_cast<int>(typ)];
}

const QDate& Nulltag()
{
    static const QDate tag(1899, 12, 30);
    return tag;
}

// Range of the integer types.
std::pair<qint64, qint64> Bereich(TFeldTyp typ)
{
    switch (typ) {
    case TFeldTyp::SmallInt:
        return {-32768, 32767};
    case TFeldTyp::Word:
        return {0, 65535};
    case TFeldTyp::LargeInt:
        return {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()};
    default:
        return {std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()};
    }
}

// Unsigned decimal number of 1 to `max` digits at `pos`; advances `pos`.
std::optional<int> Ziffern(QStringView t, qsizetype& pos, int min, int max)
{
    int wert = 0;
    int n = 0;
    while (pos < t.size() && n < max && t[pos] >= u'0' && t[pos] <= u'9') {
        wert = wert * 10 + (t[pos].unicode() - u'0');
        ++pos;
        ++n;
    }
    if (n < min)
        return std::nullopt;
    return wert;
}

bool Zeichen(QStringView t, qsizetype& pos, char16_t c)
{
    if (pos < t.size() && t[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

std::optional<long double> LiesTag(QStringView t, qsizetype& pos)
{
    const auto tag = Ziffern(t, pos, 1, 2);
    if (!tag || !Zeichen(t, pos, u'/'))
        return std::nullopt;
    const auto monat = Ziffern(t, pos, 1, 2);
    if (!monat || !Zeichen(t, pos, u'/'))
        return std::nullopt;
    const auto jahr = Ziffern(t, pos, 1, 4);
    if (!jahr)
        return std::nullopt;
    const QDate datum(*jahr, *monat, *tag);
    if (!datum.isValid() || *jahr < 1)
        return std::nullopt;
    return static_cast<long double>(Nulltag().daysTo(datum));
}

std::optional<long double> LiesUhrzeit(QStringView t, qsizetype& pos)
{
    const auto stunde = Ziffern(t, pos, 1, 2);
    if (!stunde || !Zeichen(t, pos, u':'))
        return std::nullopt;
    const auto min = Ziffern(t, pos, 2, 2);
    if (!min)
        return std::nullopt;
    int sek = 0;
    if (Zeichen(t, pos, u':')) {
        const auto s = Ziffern(t, pos, 2, 2);
        if (!s)
            return std::nullopt;
        sek = *s;
    }
    if (*stunde > 23 || *min > 59 || sek > 59)
        return std::nullopt;
    return (*stunde * 3600 + *min * 60 + sek) / 86400.0L;
}

// Splits days into whole days and seconds of the day.
std::pair<qint64, int> Zerlege(long double tage)
{
    const long double ganz = std::floor(tage);
    qint64 tag = static_cast<qint64>(ganz);
    auto sek = static_cast<int>(std::llround((tage - ganz) * 86400.0L));
    if (sek >= 86400) {
        ++tag;
        sek -= 86400;
    }
    return {tag, sek};
}

QString ZahlAllgemein(long double wert)
{
    QString s = QString::number(static_cast<double>(wert), 'g', 15);
    s.replace(u'.', u',');
    s.replace(u'e', u'E');
    return s;
}

int VergleicheWerte(const TWert& a, const TWert& b)
{
    if (a.index() != b.index())
        return a.index() < b.index() ? -1 : 1; // NULL (index 0) first
    switch (a.index()) {
    case 1: {
        const long double x = std::get<long double>(a);
        const long double y = std::get<long double>(b);
        if (std::isnan(x) || std::isnan(y))
            return std::isnan(x) == std::isnan(y) ? 0 : (std::isnan(x) ? 1 : -1);
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    case 2:
        return std::get<qint64>(a) < std::get<qint64>(b)   ? -1
               : std::get<qint64>(b) < std::get<qint64>(a) ? 1
                                                           : 0;
    case 3:
        return int(std::get<bool>(a)) - int(std::get<bool>(b));
    case 4:
        return std::get<QString>(a).compare(std::get<QString>(b));
    case 5:
        return std::get<QByteArray>(a).compare(std::get<QByteArray>(b));
    default:
        return 0;
    }
}

} // namespace

std::optional<TFeldTyp> FeldTypAusName(QStringView name)
{
    for (const auto& t : kTypen)
        if (name == QLatin1StringView(t.name))
            return t.typ;
    return std::nullopt;
}

QString FeldTypName(TFeldTyp typ)
{
    return QString::fromLatin1(Info(typ).name);
}

std::optional<TFeldArt> FeldArtAusName(QStringView name)
{
    for (int i = 0; i < 5; ++i)
        if (name == QLatin1StringView(kArten[i]))
            return static_cast<TFeldArt>(i);
    return std::nullopt;
}

QString FeldArtName(TFeldArt art)
{
    return QString::fromLatin1(kArten[static_cast<int>(art)]);
}

TWertArt WertArtVon(TFeldTyp typ)
{
    return Info(typ).art;
}

bool IstDatumstyp(TFeldTyp typ)
{
    return typ == TFeldTyp::Date || typ == TFeldTyp::Time || typ == TFeldTyp::DateTime ||
           typ == TFeldTyp::SQLTimeStamp;
}

bool PasstZu(const TWert& w, TFeldTyp typ)
{
    switch (WertArtVon(typ)) {
    case TWertArt::Text:
        return IstNull(w) || std::holds_alternative<QString>(w);
    case TWertArt::Ganzzahl: {
        if (IstNull(w))
            return true;
        if (!std::holds_alternative<qint64>(w))
            return false;
        const auto [min, max] = Bereich(typ);
        return std::get<qint64>(w) >= min && std::get<qint64>(w) <= max;
    }
    case TWertArt::Gleitkomma:
        return IstNull(w) || std::holds_alternative<long double>(w);
    case TWertArt::Logisch:
        return IstNull(w) || std::holds_alternative<bool>(w);
    case TWertArt::Bytes:
        return IstNull(w) || std::holds_alternative<QByteArray>(w);
    }
    return false;
}

long double AlsZahl(const TWert& w)
{
    if (const auto* g = std::get_if<long double>(&w))
        return *g;
    if (const auto* i = std::get_if<qint64>(&w))
        return static_cast<long double>(*i);
    if (const auto* b = std::get_if<bool>(&w))
        return *b ? 1 : 0;
    if (const auto* t = std::get_if<QString>(&w)) {
        const auto z = zahl::LiesInvariant(t->toStdString());
        if (!z)
            throw EFehler(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(*t));
        return *z;
    }
    if (std::holds_alternative<QByteArray>(w))
        throw EFehler(QStringLiteral("Binärdaten sind kein gültiger Gleitkommawert"));
    return 0;
}

QString AlsText(const TWert& w)
{
    if (const auto* g = std::get_if<long double>(&w))
        return QString::fromStdString(zahl::Invariant(*g));
    if (const auto* i = std::get_if<qint64>(&w))
        return QString::number(*i);
    if (const auto* b = std::get_if<bool>(&w))
        return *b ? QStringLiteral("True") : QStringLiteral("False");
    if (const auto* t = std::get_if<QString>(&w))
        return *t;
    if (const auto* d = std::get_if<QByteArray>(&w))
        return cp1252::Dekodiere(*d);
    return {};
}

QByteArray AlsBytes(const TWert& w)
{
    if (const auto* d = std::get_if<QByteArray>(&w))
        return *d;
    if (IstNull(w))
        return {};
    return cp1252::KodiereErsetzend(AlsText(w));
}

std::optional<long double> LiesDatumText(QStringView text, TFeldTyp typ)
{
    qsizetype pos = 0;
    std::optional<long double> wert;
    if (typ == TFeldTyp::Time) {
        wert = LiesUhrzeit(text, pos);
    } else {
        wert = LiesTag(text, pos);
        if (wert && typ != TFeldTyp::Date && Zeichen(text, pos, u' ')) {
            const auto zeit = LiesUhrzeit(text, pos);
            if (!zeit)
                return std::nullopt;
            *wert += *zeit;
        }
    }
    if (pos != text.size())
        return std::nullopt;
    return wert;
}

bool DatumImBereich(long double tage)
{
    // 1.1.0001 and 31.12.9999 counted from 30.12.1899
    return tage >= -693593.0L && tage < 2958466.0L;
}

QString DatumText(long double tage, TFeldTyp typ)
{
    if (!DatumImBereich(tage))
        return QString::fromStdString(zahl::Invariant(tage));
    const auto [tag, sek] = Zerlege(tage);
    const QDate d = Nulltag().addDays(tag);
    const QString datum = QString::asprintf("%02d/%02d/%04d", d.day(), d.month(), d.year());
    const QString zeit = QString::asprintf("%02d:%02d:%02d", sek / 3600, sek / 60 % 60, sek % 60);
    if (typ == TFeldTyp::Date)
        return datum;
    if (typ == TFeldTyp::Time)
        return zeit;
    return datum + u' ' + zeit;
}

void WertFehler(const TFeld& feld, const QString& text)
{
    throw EFehler(QStringLiteral("Ungültiger Wert für das Feld %1 (%2)").arg(feld.Name, text));
}

TWert WertAusText(const TFeld& feld, QByteArrayView bytes)
{
    const TWertArt art = WertArtVon(feld.Typ);
    if (art == TWertArt::Text)
        return cp1252::Dekodiere(bytes);
    if (art == TWertArt::Bytes)
        return bytes.toByteArray();
    if (bytes.isEmpty())
        return {};
    if (art == TWertArt::Logisch)
        return bytes == QByteArrayView("True");
    if (art == TWertArt::Ganzzahl) {
        const char* anfang = bytes.data();
        const char* ende = anfang + bytes.size();
        if (anfang != ende && *anfang == '+' && ende - anfang > 1 && anfang[1] != '-')
            ++anfang;
        qint64 wert = 0;
        const auto [p, ec] = std::from_chars(anfang, ende, wert);
        if (ec != std::errc() || p != ende || !PasstZu(TWert(wert), feld.Typ))
            WertFehler(feld, cp1252::Dekodiere(bytes));
        return wert;
    }
    std::optional<long double> wert;
    if (IstDatumstyp(feld.Typ))
        wert = LiesDatumText(cp1252::Dekodiere(bytes), feld.Typ);
    else
        wert = zahl::LiesInvariant(std::string_view(bytes.data(), size_t(bytes.size())));
    if (!wert)
        WertFehler(feld, cp1252::Dekodiere(bytes));
    return *wert;
}

// --- TTabelle

TTabelle::TTabelle(QObject* eltern) : QObject(eltern) {}

int TTabelle::FeldIndex(QStringView name) const
{
    for (size_t i = 0; i < m_felder.size(); ++i)
        if (name.compare(m_felder[i].Name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

int TTabelle::FeldIndexPflicht(QStringView name) const
{
    const int i = FeldIndex(name);
    if (i < 0)
        throw EFehler(QStringLiteral("Feld '%1' nicht gefunden").arg(name));
    return i;
}

template <typename F> void TTabelle::aendere(F&& aenderung, bool zeileBehalten)
{
    const int vorherIndex = m_aktuell;
    const int vorher = aktuelleTabellenzeile();
    emit ZuruecksetzenBeginnt();
    const int behalten = aenderung(zeileBehalten ? vorher : -1);
    ordneNeu(behalten);
    emit Zurueckgesetzt();
    if (m_aktuell != vorherIndex || aktuelleTabellenzeile() != vorher || !zeileBehalten)
        emit AktuelleZeileGeaendert(m_aktuell);
}

void TTabelle::DefiniereFelder(std::vector<TFeld> felder)
{
    aendere(
        [&](int) {
            m_felder = std::move(felder);
            m_zeilen.clear();
            m_sortierfeld.clear();
            m_filterFeld = -1;
            return -1;
        },
        false);
}

void TTabelle::FeldHinzu(const TFeld& feld)
{
    aendere(
        [&](int vorher) {
            m_felder.push_back(feld);
            for (auto& z : m_zeilen)
                z.emplace_back();
            return vorher;
        },
        true);
}

void TTabelle::Leeren()
{
    aendere(
        [&](int) {
            m_zeilen.clear();
            return -1;
        },
        false);
}

void TTabelle::pruefeWert(int feld, const TWert& wert) const
{
    const TFeld& f = Feld(feld);
    if (!PasstZu(wert, f.Typ))
        WertFehler(f, AlsText(wert));
}

void TTabelle::ZeileAnhaengen(TZeile werte)
{
    if (werte.size() > m_felder.size())
        throw EFehler(QStringLiteral("Die Zeile hat mehr Werte als die Tabelle Felder"));
    for (size_t i = 0; i < werte.size(); ++i)
        pruefeWert(static_cast<int>(i), werte[i]);
    werte.resize(m_felder.size());
    aendere(
        [&](int vorher) {
            m_zeilen.push_back(std::move(werte));
            return vorher;
        },
        true);
}

void TTabelle::pruefeZeile(int zeile) const
{
    if (zeile < 0 || zeile >= Anzahl())
        throw EFehler(QStringLiteral("Zeile %1 außerhalb der Tabelle").arg(zeile));
}

const TWert& TTabelle::Wert(int zeile, int feld) const
{
    pruefeZeile(zeile);
    if (feld < 0 || feld >= FeldAnzahl())
        throw EFehler(QStringLiteral("Feld %1 außerhalb der Tabelle").arg(feld));
    return m_zeilen[static_cast<size_t>(m_sichtbar[static_cast<size_t>(zeile)])]
                   [static_cast<size_t>(feld)];
}

const TWert& TTabelle::Wert(int zeile, QStringView feld) const
{
    return Wert(zeile, FeldIndexPflicht(feld));
}

QString TTabelle::Anzeigetext(int zeile, int feld) const
{
    const TWert& w = Wert(zeile, feld);
    const TFeld& f = Feld(feld);
    if (IstNull(w))
        return {};
    if (const auto* g = std::get_if<long double>(&w)) {
        if (IstDatumstyp(f.Typ)) {
            if (!DatumImBereich(*g))
                return ZahlAllgemein(*g);
            const auto [tag, sek] = Zerlege(*g);
            const QDate d = Nulltag().addDays(tag);
            const QString datum = QString::asprintf("%02d.%02d.%04d", d.day(), d.month(), d.year());
            const QString zeit =
                QString::asprintf("%02d:%02d:%02d", sek / 3600, sek / 60 % 60, sek % 60);
            if (f.Typ == TFeldTyp::Date)
                return datum;
            if (f.Typ == TFeldTyp::Time)
                return zeit;
            return datum + u' ' + zeit;
        }
        return f.Anzeigeformat.isEmpty() ? ZahlAllgemein(*g) : zahl::Muster(*g, f.Anzeigeformat);
    }
    if (const auto* i = std::get_if<qint64>(&w))
        return f.Anzeigeformat.isEmpty()
                   ? QString::number(*i)
                   : zahl::Muster(static_cast<long double>(*i), f.Anzeigeformat);
    if (std::holds_alternative<QByteArray>(w))
        return f.Typ == TFeldTyp::Graphic ? QStringLiteral("(Bild)") : QStringLiteral("(Daten)");
    return AlsText(w);
}

QString TTabelle::Anzeigetext(int zeile, QStringView feld) const
{
    return Anzeigetext(zeile, FeldIndexPflicht(feld));
}

void TTabelle::SetzeWert(int zeile, int feld, TWert wert)
{
    pruefeZeile(zeile);
    if (feld < 0 || feld >= FeldAnzahl())
        throw EFehler(QStringLiteral("Feld %1 außerhalb der Tabelle").arg(feld));
    pruefeWert(feld, wert);
    m_zeilen[static_cast<size_t>(m_sichtbar[static_cast<size_t>(zeile)])]
            [static_cast<size_t>(feld)] = std::move(wert);
    emit WertGeaendert(zeile, feld);
}

void TTabelle::SetzeAktuelleZeile(int zeile)
{
    if (Anzahl() == 0)
        zeile = -1;
    else
        zeile = std::clamp(zeile, 0, Anzahl() - 1);
    if (zeile == m_aktuell)
        return;
    m_aktuell = zeile;
    emit AktuelleZeileGeaendert(m_aktuell);
}

const TWert& TTabelle::AktuellerWert(QStringView feld) const
{
    static const TWert kNull;
    const int f = FeldIndexPflicht(feld);
    return m_aktuell < 0 ? kNull : Wert(m_aktuell, f);
}

QString TTabelle::AktuellerText(QStringView feld) const
{
    const int f = FeldIndexPflicht(feld);
    return m_aktuell < 0 ? QString() : Anzeigetext(m_aktuell, f);
}

int TTabelle::aktuelleTabellenzeile() const
{
    return m_aktuell < 0 ? -1 : m_sichtbar[static_cast<size_t>(m_aktuell)];
}

void TTabelle::Sortiere(QStringView feld)
{
    Sortiere(FeldIndexPflicht(feld));
}

void TTabelle::Sortiere(int f)
{
    if (f < 0 || f >= FeldAnzahl())
        throw EFehler(QStringLiteral("Feld %1 außerhalb der Tabelle").arg(f));
    aendere(
        [&](int vorher) {
            std::vector<int> folge(m_zeilen.size());
            std::iota(folge.begin(), folge.end(), 0);
            std::stable_sort(folge.begin(), folge.end(), [&](int a, int b) {
                return VergleicheWerte(m_zeilen[size_t(a)][size_t(f)],
                                       m_zeilen[size_t(b)][size_t(f)]) < 0;
            });
            std::vector<TZeile> neu;
            neu.reserve(m_zeilen.size());
            int behalten = -1;
            for (size_t i = 0; i < folge.size(); ++i) {
                neu.push_back(std::move(m_zeilen[size_t(folge[i])]));
                if (folge[i] == vorher)
                    behalten = static_cast<int>(i);
            }
            m_zeilen = std::move(neu);
            m_sortierfeld = Feld(f).Name;
            return behalten;
        },
        true);
}

bool TTabelle::bestehtFilter(const TZeile& z) const
{
    if (m_filterFeld < 0)
        return true;
    const TWert& w = z[static_cast<size_t>(m_filterFeld)];
    double wert;
    if (const auto* g = std::get_if<long double>(&w))
        wert = static_cast<double>(*g);
    else if (const auto* i = std::get_if<qint64>(&w))
        wert = static_cast<double>(*i);
    else
        return false;
    return m_unten <= wert && wert <= m_oben;
}

void TTabelle::SetzeFilter(QStringView feld, long double unten, long double oben)
{
    SetzeFilter(FeldIndexPflicht(feld), unten, oben);
}

void TTabelle::SetzeFilter(int f, long double unten, long double oben)
{
    if (f < 0 || f >= FeldAnzahl())
        throw EFehler(QStringLiteral("Feld %1 außerhalb der Tabelle").arg(f));
    const TWertArt art = WertArtVon(Feld(f).Typ);
    if (art != TWertArt::Gleitkomma && art != TWertArt::Ganzzahl)
        throw EFehler(QStringLiteral("Feld '%1' ist kein Zahlenfeld").arg(Feld(f).Name));
    aendere(
        [&](int vorher) {
            m_filterFeld = f;
            m_unten = static_cast<double>(unten);
            m_oben = static_cast<double>(oben);
            return vorher;
        },
        true);
}

void TTabelle::FilterAus()
{
    aendere(
        [&](int vorher) {
            m_filterFeld = -1;
            return vorher;
        },
        true);
}

void TTabelle::ordneNeu(int vorher)
{
    m_sichtbar.clear();
    m_aktuell = -1;
    for (size_t i = 0; i < m_zeilen.size(); ++i) {
        if (!bestehtFilter(m_zeilen[i]))
            continue;
        if (static_cast<int>(i) == vorher)
            m_aktuell = static_cast<int>(m_sichtbar.size());
        m_sichtbar.push_back(static_cast<int>(i));
    }
    if (m_aktuell < 0 && !m_sichtbar.empty())
        m_aktuell = 0;
}

void TTabelle::LadeCsv(QByteArrayView strom)
{
    Uebernimm(LiesCsvStrom(strom));
}

void TTabelle::LadeBinaer(QByteArrayView strom)
{
    std::vector<TZeile> zeilen = LiesBinaerStrom(strom, m_felder);
    aendere(
        [&](int) {
            m_zeilen = std::move(zeilen);
            m_sortierfeld.clear();
            return -1;
        },
        false);
}

void TTabelle::Uebernimm(TTabellenInhalt inhalt)
{
    for (auto& z : inhalt.Zeilen) {
        if (z.size() > inhalt.Felder.size())
            throw EFehler(QStringLiteral("Die Zeile hat mehr Werte als die Tabelle Felder"));
        for (size_t i = 0; i < z.size(); ++i)
            if (!PasstZu(z[i], inhalt.Felder[i].Typ))
                WertFehler(inhalt.Felder[i], AlsText(z[i]));
        z.resize(inhalt.Felder.size());
    }
    aendere(
        [&](int) {
            m_felder = std::move(inhalt.Felder);
            m_zeilen = std::move(inhalt.Zeilen);
            m_sortierfeld.clear();
            m_filterFeld = -1;
            return -1;
        },
        false);
}

TFeld FeldDefinition(const char* name, TFeldTyp typ, int groesse, const char* format)
{
    TFeld f;
    f.Name = QString::fromUtf8(name);
    f.Typ = typ;
    f.Groesse = groesse;
    f.Anzeigeformat = QString::fromUtf8(format);
    return f;
}
