// Reader and writer of the binary table stream.
#include "refdata/binaerstrom.h"

#include "model/fehler.h"
#include "model/zahlenformat.h"
#include "refdata/cp1252.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

enum : unsigned char {
    kListenende = 0x00,
    kListe = 0x01,
    kInt8 = 0x02,
    kInt16 = 0x03,
    kInt32 = 0x04,
    kExtended = 0x05,
    kString = 0x06,
    kFalse = 0x08,
    kTrue = 0x09,
    kLString = 0x0C,
    kWString = 0x12,
    kInt64 = 0x13,
    kUtf8String = 0x14,
};

EFehler Ungueltig()
{
    return EFehler(QStringLiteral("Ungültiger Eigenschaftswert"));
}

EFehler Formatfehler()
{
    return EFehler(QStringLiteral("Ungültiges Stream-Format"));
}

EFehler Unvollstaendig()
{
    return EFehler(QStringLiteral("Der Datenstrom der Tabelle endet unerwartet."));
}

// Cursor over the stream; every read checks what remains before it takes bytes.
class TLeser {
public:
    explicit TLeser(QByteArrayView s) : m_s(s) {}

    qsizetype Position() const { return m_pos; }
    qsizetype Rest() const { return m_s.size() - m_pos; }

    unsigned char Blick() const
    {
        if (m_pos >= m_s.size())
            throw Unvollstaendig();
        return static_cast<unsigned char>(m_s[m_pos]);
    }
    unsigned char Byte()
    {
        const unsigned char b = Blick();
        ++m_pos;
        return b;
    }
    QByteArrayView Bytes(qint64 anzahl)
    {
        if (anzahl < 0)
            throw Ungueltig();
        if (anzahl > m_s.size() - m_pos)
            throw Unvollstaendig();
        const QByteArrayView teil = m_s.sliced(m_pos, static_cast<qsizetype>(anzahl));
        m_pos += static_cast<qsizetype>(anzahl);
        return teil;
    }
    std::uint64_t Ohne(int anzahl)
    {
        const QByteArrayView b = Bytes(anzahl);
        std::uint64_t w = 0;
        for (int i = anzahl - 1; i >= 0; --i)
            w = (w << 8) | static_cast<unsigned char>(b[i]);
        return w;
    }
    qint64 Ganzzahl()
    {
        switch (Byte()) {
        case kInt8:
            return static_cast<std::int8_t>(Ohne(1));
        case kInt16:
            return static_cast<std::int16_t>(Ohne(2));
        case kInt32:
            return static_cast<std::int32_t>(Ohne(4));
        case kInt64:
            return std::bit_cast<std::int64_t>(Ohne(8));
        default:
            throw Ungueltig();
        }
    }
    long double Gleitkomma()
    {
        if (Blick() != kExtended)
            return static_cast<long double>(Ganzzahl());
        Byte();
        return ExtendedWert(Bytes(10));
    }
    // The raw bytes of a string; wide and UTF-8 strings become single-byte text.
    QByteArray Zeichenkette()
    {
        switch (Byte()) {
        case kString:
            return Bytes(Byte()).toByteArray();
        case kLString:
            return Bytes(Laenge()).toByteArray();
        case kWString: {
            const QByteArrayView b = Bytes(2 * Laenge());
            QString text(b.size() / 2, Qt::Uninitialized);
            for (qsizetype i = 0; i < text.size(); ++i)
                text[i] = QChar(char16_t(static_cast<unsigned char>(b[2 * i]) |
                                         static_cast<unsigned char>(b[2 * i + 1]) << 8));
            return cp1252::KodiereErsetzend(text);
        }
        case kUtf8String:
            return cp1252::KodiereErsetzend(QString::fromUtf8(Bytes(Laenge())));
        default:
            throw Ungueltig();
        }
    }
    bool Logisch() { return Byte() == kTrue; }
    void Listenanfang()
    {
        if (Byte() != kListe)
            throw Ungueltig();
    }
    // Consumes the end-of-list tag when it comes next.
    bool Listenende()
    {
        if (Blick() != kListenende)
            return false;
        ++m_pos;
        return true;
    }

private:
    qint64 Laenge() { return static_cast<std::int32_t>(Ohne(4)); }

    QByteArrayView m_s;
    qsizetype m_pos = 0;
};

struct TKopf {
    int Version = 100;
    std::vector<TFeld> Felder;
};

TKopf LiesKopf(TLeser& l)
{
    TKopf kopf;
    if (l.Rest() < 4 || l.Bytes(4) != QByteArrayView("TPF0"))
        throw Formatfehler();
    if (l.Blick() != kListe) {
        const qint64 v = l.Ganzzahl();
        if (v < 100 || v > 251)
            throw Formatfehler();
        kopf.Version = static_cast<int>(v);
    }
    const int v = kopf.Version;
    l.Listenanfang();
    while (!l.Listenende()) {
        TFeld f;
        f.Name = cp1252::Dekodiere(l.Zeichenkette());
        const QString typ = cp1252::Dekodiere(l.Zeichenkette());
        const auto feldtyp = FeldTypAusName(typ);
        if (!feldtyp)
            throw EFehler(QStringLiteral("Unbekannter Feldtyp (%1)").arg(typ));
        f.Typ = *feldtyp;
        f.Groesse = static_cast<int>(std::clamp<qint64>(l.Ganzzahl(), 0, INT32_MAX));
        f.Anzeigename = cp1252::Dekodiere(l.Zeichenkette());
        f.Editiermaske = cp1252::Dekodiere(l.Zeichenkette());
        f.Anzeigebreite = static_cast<int>(std::clamp<qint64>(l.Ganzzahl(), 0, INT32_MAX));
        f.Pflicht = l.Logisch();
        f.NurLesen = l.Logisch();
        if (v >= 250)
            f.Art = FeldArtAusName(cp1252::Dekodiere(l.Zeichenkette())).value_or(TFeldArt::Data);
        if (v >= 251)
            f.Vorgabe = cp1252::Dekodiere(l.Zeichenkette());
        kopf.Felder.push_back(std::move(f));
    }
    if (v >= 200) {
        l.Listenanfang();
        while (!l.Listenende()) {
            for (int i = 0; i < 3; ++i) // name, fields, display name
                l.Zeichenkette();
            for (int i = 0; i < 4; ++i) // descending, case-insensitive, not maintained, unique
                l.Logisch();
        }
    }
    return kopf;
}

QString ZahlText(long double w)
{
    return QString::fromStdString(zahl::Invariant(w));
}

TWert LiesWert(TLeser& l, const TFeld& f)
{
    switch (f.Typ) {
    case TFeldTyp::SmallInt:
    case TFeldTyp::Integer:
    case TFeldTyp::Word:
    case TFeldTyp::AutoInc: {
        const TWert w = l.Ganzzahl();
        if (!PasstZu(w, f.Typ))
            WertFehler(f, AlsText(w));
        return w;
    }
    case TFeldTyp::Boolean:
        return l.Logisch();
    case TFeldTyp::Float:
    case TFeldTyp::Currency:
    case TFeldTyp::BCD: {
        const long double w = l.Gleitkomma();
        if (!std::isfinite(w))
            WertFehler(f, ZahlText(w));
        return w;
    }
    case TFeldTyp::LargeInt: {
        const long double w = l.Gleitkomma();
        constexpr long double grenze = 9223372036854775808.0L; // 2^63
        if (!(w >= -grenze && w < grenze) || std::trunc(w) != w)
            WertFehler(f, ZahlText(w));
        return static_cast<qint64>(w);
    }
    case TFeldTyp::Date:
    case TFeldTyp::Time:
    case TFeldTyp::DateTime: {
        const long double w = l.Gleitkomma();
        if (w == 0)
            return {};
        if (!DatumImBereich(w))
            WertFehler(f, ZahlText(w));
        return w;
    }
    default:
        break;
    }
    const QByteArray bytes = l.Zeichenkette();
    switch (WertArtVon(f.Typ)) {
    case TWertArt::Text:
        return cp1252::Dekodiere(bytes);
    case TWertArt::Bytes:
        return bytes;
    default: // SQLTimeStamp, FMTBcdField as their text
        return WertAusText(f, bytes);
    }
}

TZeile LiesVersion(TLeser& l, int version, const std::vector<TFeld>& felder)
{
    TZeile z(felder.size());
    for (size_t i = 0; i < felder.size(); ++i) {
        if (felder[i].Art != TFeldArt::Data)
            continue;
        if (version >= 249 && l.Logisch())
            continue; // NULL
        z[i] = LiesWert(l, felder[i]);
    }
    return z;
}

std::vector<TZeile> LiesDatensaetze(TLeser& l, int version, const std::vector<TFeld>& felder)
{
    std::vector<TZeile> zeilen;
    // Fields without data cost no bytes in a record but memory in a row: a stream may not hold
    // more values than it has bytes (plus a margin).
    const qint64 hoechstensWerte = l.Position() + l.Rest() + 65536;
    qint64 werte = 0;
    const auto neueZeile = [&] {
        werte += static_cast<qint64>(felder.size());
        if (werte > hoechstensWerte)
            throw EFehler(QStringLiteral(
                "Der Datenstrom der Tabelle enthält mehr Datensätze, als seine Größe zulässt."));
    };
    l.Listenanfang();
    while (!l.Listenende()) {
        if (version < 230) {
            const qsizetype vorher = l.Position();
            neueZeile();
            zeilen.push_back(LiesVersion(l, version, felder));
            if (l.Position() == vorher)
                throw Ungueltig(); // a record without data fields cannot end the list
            continue;
        }
        l.Listenanfang();
        bool erste = true;
        while (!l.Listenende()) {
            l.Ganzzahl(); // record state
            TZeile z = LiesVersion(l, version, felder);
            if (erste) {
                neueZeile();
                zeilen.push_back(std::move(z)); // later versions are older states
            }
            erste = false;
        }
    }
    return zeilen;
}

// --- writer

void Ganzzahl(QByteArray& a, qint64 w)
{
    int bytes = 8;
    if (w >= INT8_MIN && w <= INT8_MAX) {
        a.append(char(kInt8));
        bytes = 1;
    } else if (w >= INT16_MIN && w <= INT16_MAX) {
        a.append(char(kInt16));
        bytes = 2;
    } else if (w >= INT32_MIN && w <= INT32_MAX) {
        a.append(char(kInt32));
        bytes = 4;
    } else {
        a.append(char(kInt64));
    }
    const auto u = std::bit_cast<std::uint64_t>(w);
    for (int i = 0; i < bytes; ++i)
        a.append(static_cast<char>((u >> (8 * i)) & 0xFF));
}

void Zeichenkette(QByteArray& a, QByteArrayView b)
{
    if (b.size() <= 255) {
        a.append(char(kString));
        a.append(static_cast<char>(b.size()));
    } else {
        a.append(char(kLString));
        const auto n = static_cast<std::uint32_t>(b.size());
        for (int i = 0; i < 4; ++i)
            a.append(static_cast<char>((n >> (8 * i)) & 0xFF));
    }
    a.append(b);
}

void Text(QByteArray& a, const QString& t)
{
    Zeichenkette(a, cp1252::Kodiere(t));
}

void Logisch(QByteArray& a, bool w)
{
    a.append(char(w ? kTrue : kFalse));
}

void Gleitkomma(QByteArray& a, long double w)
{
    a.append(char(kExtended));
    a.append(ExtendedBytes(w));
}

void SchreibeWert(QByteArray& a, const TFeld& f, const TWert& w)
{
    switch (f.Typ) {
    case TFeldTyp::SmallInt:
    case TFeldTyp::Integer:
    case TFeldTyp::Word:
    case TFeldTyp::AutoInc:
        Ganzzahl(a, IstNull(w) ? 0 : std::get<qint64>(w));
        return;
    case TFeldTyp::Boolean:
        Logisch(a, !IstNull(w) && std::get<bool>(w));
        return;
    case TFeldTyp::LargeInt:
        Gleitkomma(a, IstNull(w) ? 0 : static_cast<long double>(std::get<qint64>(w)));
        return;
    case TFeldTyp::Float:
    case TFeldTyp::Currency:
    case TFeldTyp::BCD:
    case TFeldTyp::Date:
    case TFeldTyp::Time:
    case TFeldTyp::DateTime:
        Gleitkomma(a, IstNull(w) ? 0 : std::get<long double>(w));
        return;
    case TFeldTyp::SQLTimeStamp:
        Text(a, IstNull(w) ? QString() : DatumText(std::get<long double>(w), f.Typ));
        return;
    case TFeldTyp::FMTBcdField:
        Text(a, IstNull(w) ? QString() : ZahlText(std::get<long double>(w)));
        return;
    default:
        break;
    }
    if (const auto* t = std::get_if<QString>(&w))
        Text(a, *t);
    else
        Zeichenkette(a, AlsBytes(w));
}

} // namespace

QByteArray ExtendedBytes(long double wert)
{
    std::uint64_t mantisse = 0;
    unsigned exponent = 0;
    const bool negativ = std::signbit(wert);
    const long double betrag = std::fabs(wert);
    if (std::isnan(wert)) {
        exponent = 0x7FFF;
        mantisse = 0xC000000000000000ULL;
    } else if (std::isinf(wert)) {
        exponent = 0x7FFF;
        mantisse = 0x8000000000000000ULL;
    } else if (betrag != 0) {
        int e = 0;
        const long double m = std::frexp(betrag, &e); // betrag = m * 2^e, 0.5 <= m < 1
        const int biased = e - 1 + 16383;
        if (biased >= 0x7FFF) {
            exponent = 0x7FFF;
            mantisse = 0x8000000000000000ULL;
        } else if (biased <= 0) {
            mantisse = static_cast<std::uint64_t>(std::ldexp(betrag, 16383 + 62));
        } else {
            exponent = static_cast<unsigned>(biased);
            mantisse = static_cast<std::uint64_t>(std::ldexp(m, 64));
        }
    }
    if (negativ)
        exponent |= 0x8000;
    QByteArray a(10, Qt::Uninitialized);
    for (int i = 0; i < 8; ++i)
        a[i] = static_cast<char>((mantisse >> (8 * i)) & 0xFF);
    a[8] = static_cast<char>(exponent & 0xFF);
    a[9] = static_cast<char>(exponent >> 8);
    return a;
}

long double ExtendedWert(QByteArrayView bytes)
{
    std::uint64_t mantisse = 0;
    for (int i = 7; i >= 0; --i)
        mantisse = (mantisse << 8) | static_cast<unsigned char>(bytes[i]);
    const unsigned se = static_cast<unsigned char>(bytes[8]) |
                        static_cast<unsigned>(static_cast<unsigned char>(bytes[9])) << 8;
    const int exponent = static_cast<int>(se & 0x7FFF);
    long double wert;
    if (exponent == 0x7FFF)
        wert = (mantisse << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                    : std::numeric_limits<long double>::quiet_NaN();
    else
        wert = std::ldexp(static_cast<long double>(mantisse),
                          (exponent == 0 ? 1 : exponent) - 16383 - 63);
    return (se & 0x8000) ? -wert : wert;
}

std::vector<TZeile> LiesBinaerStrom(QByteArrayView strom, const std::vector<TFeld>& felder)
{
    TLeser l(strom);
    const TKopf kopf = LiesKopf(l);
    return LiesDatensaetze(l, kopf.Version, felder);
}

TTabellenInhalt LiesBinaerStromMitDefinitionen(QByteArrayView strom)
{
    TLeser l(strom);
    TTabellenInhalt inhalt;
    const TKopf kopf = LiesKopf(l);
    inhalt.Felder = kopf.Felder;
    inhalt.Zeilen = LiesDatensaetze(l, kopf.Version, inhalt.Felder);
    return inhalt;
}

QByteArray SchreibeBinaer(const TTabelle& tabelle, int version)
{
    if (version < 100 || version > 251)
        throw EFehler(QStringLiteral("Ungültige Version %1 des Datenstroms").arg(version));
    QByteArray a("TPF0");
    if (version != 100)
        Ganzzahl(a, version);
    a.append(char(kListe));
    for (const TFeld& f : tabelle.Felder()) {
        Text(a, f.Name);
        Text(a, FeldTypName(f.Typ));
        Ganzzahl(a, f.Groesse);
        Text(a, f.Anzeigename);
        Text(a, f.Editiermaske);
        Ganzzahl(a, f.Anzeigebreite);
        Logisch(a, f.Pflicht);
        Logisch(a, f.NurLesen);
        if (version >= 250)
            Text(a, FeldArtName(f.Art));
        if (version >= 251)
            Text(a, f.Vorgabe);
    }
    a.append(char(kListenende));
    if (version >= 200) {
        a.append(char(kListe));
        a.append(char(kListenende));
    }
    a.append(char(kListe));
    for (int z = 0; z < tabelle.GesamtAnzahl(); ++z) {
        const TZeile& zeile = tabelle.GesamtZeile(z);
        if (version >= 230) {
            a.append(char(kListe));
            Ganzzahl(a, 0);
        }
        for (size_t i = 0; i < zeile.size(); ++i) {
            const TFeld& f = tabelle.Feld(static_cast<int>(i));
            if (f.Art != TFeldArt::Data)
                continue;
            if (version >= 249) {
                Logisch(a, IstNull(zeile[i]));
                if (IstNull(zeile[i]))
                    continue;
            }
            SchreibeWert(a, f, zeile[i]);
        }
        if (version >= 230)
            a.append(char(kListenende));
    }
    a.append(char(kListenende));
    return a;
}
