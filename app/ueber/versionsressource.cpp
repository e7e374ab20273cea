// Version block: building, finding inside a file and path queries, all bounds-checked.
#include "app/ueber/versionsressource.h"

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <memory>

namespace versionsressource {

namespace {
constexpr int KopfGroesse = 6; // length, value length, type
// The root key, spelt in Latin-1 here so that its UTF-16 form appears in a program file only
// inside a real block.
constexpr char WurzelSchluessel[] = "VS_VERSION_INFO";
constexpr int WurzelSchluesselZeichen = sizeof(WurzelSchluessel) - 1;
// Header, key with its terminator, padding and the fixed information of a root node.
constexpr int WurzelPruefGroesse =
    KopfGroesse + (WurzelSchluesselZeichen + 1) * 2 + 2 + FesteInfoGroesse;

qsizetype Ausgerichtet(qsizetype n)
{
    return (n + 3) & ~qsizetype(3);
}

quint16 Wort(QByteArrayView d, qsizetype pos)
{
    return static_cast<quint16>(static_cast<quint8>(d[pos]) | static_cast<quint8>(d[pos + 1]) << 8);
}

quint32 Doppelwort(QByteArrayView d, qsizetype pos)
{
    return static_cast<quint32>(Wort(d, pos)) | static_cast<quint32>(Wort(d, pos + 2)) << 16;
}

void SchreibeWort(QByteArray& d, quint16 w)
{
    d.append(static_cast<char>(w & 0xFF));
    d.append(static_cast<char>(w >> 8));
}

void SchreibeDoppelwort(QByteArray& d, quint32 w)
{
    SchreibeWort(d, static_cast<quint16>(w & 0xFFFF));
    SchreibeWort(d, static_cast<quint16>(w >> 16));
}

void Auffuellen(QByteArray& d)
{
    while (d.size() % 4 != 0)
        d.append('\0');
}

QByteArray Utf16(const QString& text, bool mitEnde)
{
    QByteArray d;
    for (QChar c : text)
        SchreibeWort(d, c.unicode());
    if (mitEnde)
        SchreibeWort(d, 0);
    return d;
}

// A node read from a block: where its parts lie, relative to the block's start.
struct TSicht {
    QString Schluessel;
    quint16 Typ = 0;
    qsizetype WertAnfang = 0;
    qsizetype WertBytes = 0;
    qsizetype KinderAnfang = 0;
    qsizetype Ende = 0;
};

// Reads the node at pos, which must lie within grenze; nullopt when it does not fit.
std::optional<TSicht> LiesKnoten(QByteArrayView d, qsizetype pos, qsizetype grenze)
{
    if (pos < 0 || pos + KopfGroesse > grenze)
        return std::nullopt;
    const qsizetype laenge = Wort(d, pos);
    const quint16 wertLaenge = Wort(d, pos + 2);
    TSicht s;
    s.Typ = Wort(d, pos + 4);
    s.Ende = pos + laenge;
    if (laenge < KopfGroesse + 2 || s.Ende > grenze)
        return std::nullopt;
    qsizetype p = pos + KopfGroesse;
    for (;;) {
        if (p + 2 > s.Ende)
            return std::nullopt;
        const quint16 zeichen = Wort(d, p);
        p += 2;
        if (zeichen == 0)
            break;
        s.Schluessel.append(QChar(zeichen));
    }
    s.WertAnfang = pos + Ausgerichtet(p - pos);
    s.WertBytes = s.Typ == 1 ? qsizetype(wertLaenge) * 2 : wertLaenge;
    if (s.WertAnfang + s.WertBytes > s.Ende) {
        // Some writers count a text value's bytes, not its characters.
        if (s.Typ == 1 && s.WertAnfang + wertLaenge <= s.Ende)
            s.WertBytes = wertLaenge;
        else
            return std::nullopt;
    }
    s.KinderAnfang = pos + Ausgerichtet(s.WertAnfang + s.WertBytes - pos);
    return s;
}

// The child of eltern whose key equals schluessel.
std::optional<TSicht> FindeKind(QByteArrayView d, const TSicht& eltern, const QString& schluessel)
{
    qsizetype pos = eltern.KinderAnfang;
    while (pos + KopfGroesse <= eltern.Ende) {
        const auto kind = LiesKnoten(d, pos, eltern.Ende);
        if (!kind)
            return std::nullopt;
        if (kind->Schluessel.compare(schluessel, Qt::CaseInsensitive) == 0)
            return kind;
        if (kind->Ende <= pos)
            return std::nullopt;
        pos = Ausgerichtet(kind->Ende);
    }
    return std::nullopt;
}

using TDatei = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

TDatei Oeffne(const QString& datei, int& fehler)
{
    errno = 0;
    TDatei f(std::fopen(QFile::encodeName(datei).constData(), "rb"), &std::fclose);
    if (!f)
        fehler = errno != 0 ? errno : ENOENT;
    return f;
}

// Reads up to n bytes at pos; the number of bytes read.
qsizetype LiesAn(std::FILE* f, qint64 pos, char* ziel, qsizetype n)
{
    if (std::fseek(f, static_cast<long>(pos), SEEK_SET) != 0)
        return 0;
    return static_cast<qsizetype>(std::fread(ziel, 1, static_cast<size_t>(n), f));
}

// How well a candidate root header fits: 0 not at all, 1 a plausible node, 2 a node with a
// valid fixed information record.
int BewerteKandidat(std::FILE* f, qint64 kopf)
{
    QByteArray d(WurzelPruefGroesse, '\0');
    const qsizetype gelesen = LiesAn(f, kopf, d.data(), d.size());
    const qsizetype schluesselEnde = KopfGroesse + (WurzelSchluesselZeichen + 1) * 2;
    if (gelesen < schluesselEnde)
        return 0;
    const quint16 laenge = Wort(d, 0);
    const quint16 wertLaenge = Wort(d, 2);
    const quint16 typ = Wort(d, 4);
    if (typ > 1 || laenge < schluesselEnde || Wort(d, schluesselEnde - 2) != 0)
        return 0;
    const qsizetype wert = Ausgerichtet(schluesselEnde);
    if (wertLaenge == FesteInfoGroesse && gelesen >= wert + FesteInfoGroesse &&
        laenge >= wert + FesteInfoGroesse && Doppelwort(d, wert) == FesteInfoSignatur)
        return 2;
    return 1;
}

// Offset of the file's version block: the first candidate with a valid fixed information, else
// the first plausible one. -1 when there is none.
qint64 FindeBlock(std::FILE* f)
{
    QByteArray muster;
    for (char c : WurzelSchluessel)
        if (c != '\0')
            SchreibeWort(muster, static_cast<quint16>(c));
    SchreibeWort(muster, 0);

    constexpr qsizetype Stueck = 1 << 20;
    const qsizetype ueberhang = muster.size() - 1;
    QByteArray puffer;
    qint64 basis = 0; // file offset of puffer[0]
    qint64 lesePos = 0;
    qint64 ersterPlausibler = -1;
    const std::boyer_moore_horspool_searcher sucher(muster.cbegin(), muster.cend());
    for (;;) {
        const qsizetype alt = puffer.size();
        puffer.resize(alt + Stueck);
        const qsizetype n = LiesAn(f, lesePos, puffer.data() + alt, Stueck);
        puffer.resize(alt + n);
        lesePos += n;
        auto it = puffer.cbegin();
        while ((it = std::search(it, puffer.cend(), sucher)) != puffer.cend()) {
            const qint64 kopf = basis + (it - puffer.cbegin()) - KopfGroesse;
            if (kopf >= 0) {
                const int bewertung = BewerteKandidat(f, kopf);
                if (bewertung == 2)
                    return kopf;
                if (bewertung == 1 && ersterPlausibler < 0)
                    ersterPlausibler = kopf;
            }
            ++it;
        }
        if (n == 0)
            return ersterPlausibler;
        // Keep the tail, so that a key across two pieces is still found.
        const qsizetype behalten = std::min(ueberhang, puffer.size());
        basis += puffer.size() - behalten;
        puffer = puffer.right(behalten);
    }
}
} // namespace

TVersionsKnoten TextKnoten(const QString& schluessel, const QString& wert)
{
    TVersionsKnoten k;
    k.Schluessel = schluessel;
    k.Typ = 1;
    k.Wert = Utf16(wert, true);
    k.WertLaenge = static_cast<quint16>(wert.size() + 1);
    return k;
}

TVersionsKnoten StringTabelle(const QString& name,
                              const std::vector<std::pair<QString, QString>>& texte)
{
    TVersionsKnoten k;
    k.Schluessel = name;
    for (const auto& [schluessel, wert] : texte)
        k.Kinder.push_back(TextKnoten(schluessel, wert));
    return k;
}

TVersionsKnoten StringFileInfo(std::vector<TVersionsKnoten> tabellen)
{
    TVersionsKnoten k;
    k.Schluessel = QString::fromLatin1("StringFileInfo");
    k.Kinder = std::move(tabellen);
    return k;
}

TVersionsKnoten VarFileInfo(const std::vector<quint32>& uebersetzungen)
{
    TVersionsKnoten var;
    var.Schluessel = QString::fromLatin1("Translation");
    var.Typ = 0;
    for (quint32 u : uebersetzungen)
        SchreibeDoppelwort(var.Wert, u);
    var.WertLaenge = static_cast<quint16>(var.Wert.size());
    TVersionsKnoten k;
    k.Schluessel = QString::fromLatin1("VarFileInfo");
    k.Kinder.push_back(std::move(var));
    return k;
}

TVersionsKnoten Wurzel(const std::optional<TFesteDateiInfo>& feste,
                       std::vector<TVersionsKnoten> kinder)
{
    TVersionsKnoten k;
    k.Schluessel = QString::fromLatin1(WurzelSchluessel);
    k.Typ = 0;
    if (feste) {
        for (quint32 w :
             {feste->Signatur, feste->StrukturVersion, feste->DateiVersionMS, feste->DateiVersionLS,
              feste->ProduktVersionMS, feste->ProduktVersionLS, feste->DateiFlagsMaske,
              feste->DateiFlags, feste->DateiBS, feste->DateiTyp, feste->DateiUntertyp,
              feste->DateiDatumMS, feste->DateiDatumLS})
            SchreibeDoppelwort(k.Wert, w);
        k.WertLaenge = FesteInfoGroesse;
    }
    k.Kinder = std::move(kinder);
    return k;
}

QByteArray Serialisiere(const TVersionsKnoten& knoten)
{
    QByteArray d;
    SchreibeWort(d, 0); // length, filled in below
    SchreibeWort(d, knoten.WertLaenge);
    SchreibeWort(d, knoten.Typ);
    d.append(Utf16(knoten.Schluessel, true));
    Auffuellen(d);
    d.append(knoten.Wert);
    for (const auto& kind : knoten.Kinder) {
        Auffuellen(d);
        d.append(Serialisiere(kind));
    }
    const auto laenge = static_cast<quint16>(d.size());
    d[0] = static_cast<char>(laenge & 0xFF);
    d[1] = static_cast<char>(laenge >> 8);
    return d;
}

QByteArray BaueVersionsblock(const TVersionsAngaben& angaben)
{
    const auto hoch = [](const std::array<quint16, 4>& v) { return quint32(v[0]) << 16 | v[1]; };
    const auto tief = [](const std::array<quint16, 4>& v) { return quint32(v[2]) << 16 | v[3]; };
    TFesteDateiInfo feste;
    feste.DateiVersionMS = hoch(angaben.DateiVersion);
    feste.DateiVersionLS = tief(angaben.DateiVersion);
    feste.ProduktVersionMS = hoch(angaben.ProduktVersion);
    feste.ProduktVersionLS = tief(angaben.ProduktVersion);
    const QString tabelle = QStringLiteral("%1%2")
                                .arg(angaben.Sprache, 4, 16, QLatin1Char('0'))
                                .arg(angaben.CodePage, 4, 16, QLatin1Char('0'))
                                .toUpper();
    std::vector<TVersionsKnoten> tabellen;
    tabellen.push_back(StringTabelle(tabelle, angaben.Texte));
    std::vector<TVersionsKnoten> kinder;
    kinder.push_back(StringFileInfo(std::move(tabellen)));
    kinder.push_back(VarFileInfo({quint32(angaben.CodePage) << 16 | angaben.Sprache}));
    return Serialisiere(Wurzel(feste, std::move(kinder)));
}

int FehlerKeinBlock()
{
    return ENODATA;
}

int FehlerBlockAbgeschnitten()
{
    return EIO;
}

quint32 GetFileVersionInfoSize(const QString& datei, int& fehler)
{
    const TDatei f = Oeffne(datei, fehler);
    if (!f)
        return 0;
    const qint64 kopf = FindeBlock(f.get());
    QByteArray laenge(2, '\0');
    if (kopf < 0 || LiesAn(f.get(), kopf, laenge.data(), 2) != 2) {
        fehler = FehlerKeinBlock();
        return 0;
    }
    return Wort(laenge, 0);
}

bool GetFileVersionInfo(const QString& datei, quint32 groesse, QByteArray& daten, int& fehler)
{
    const TDatei f = Oeffne(datei, fehler);
    if (!f)
        return false;
    const qint64 kopf = FindeBlock(f.get());
    if (kopf < 0) {
        fehler = FehlerKeinBlock();
        return false;
    }
    daten.resize(groesse);
    if (LiesAn(f.get(), kopf, daten.data(), daten.size()) != daten.size()) {
        fehler = FehlerBlockAbgeschnitten();
        return false;
    }
    return true;
}

bool VerQueryValue(const QByteArray& daten, const QString& pfad, QByteArrayView& wert)
{
    const QByteArrayView d(daten);
    const auto wurzel = LiesKnoten(d, 0, d.size());
    if (!wurzel)
        return false;
    TSicht knoten = *wurzel;
    const QStringList teile = pfad.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (const QString& teil : teile) {
        const auto kind = FindeKind(d, knoten, teil);
        if (!kind)
            return false;
        knoten = *kind;
    }
    wert = d.sliced(knoten.WertAnfang, knoten.WertBytes);
    if (teile.isEmpty())
        return LiesFesteInfo(wert).has_value();
    return true;
}

std::optional<TFesteDateiInfo> LiesFesteInfo(QByteArrayView wert)
{
    if (wert.size() != FesteInfoGroesse || Doppelwort(wert, 0) != FesteInfoSignatur)
        return std::nullopt;
    TFesteDateiInfo f;
    quint32* felder[] = {&f.Signatur,        &f.StrukturVersion,  &f.DateiVersionMS,
                         &f.DateiVersionLS,  &f.ProduktVersionMS, &f.ProduktVersionLS,
                         &f.DateiFlagsMaske, &f.DateiFlags,       &f.DateiBS,
                         &f.DateiTyp,        &f.DateiUntertyp,    &f.DateiDatumMS,
                         &f.DateiDatumLS};
    for (int i = 0; i < 13; ++i)
        *felder[i] = Doppelwort(wert, i * 4);
    return f;
}

} // namespace versionsressource
