// Reader and writer of the CSV table stream.
#include "refdata/csvstrom.h"

#include "model/fehler.h"
#include "model/zahlenformat.h"
#include "refdata/cp1252.h"

#include <QHash>

namespace {

const QByteArrayView kVersion("@@FILE VERSION@@");
const QByteArrayView kTabelleAnfang("@@TABLEDEF START@@");
const QByteArrayView kTabelleEnde("@@TABLEDEF END@@");
const QByteArrayView kIndexAnfang("@@INDEXDEF START@@");
const QByteArrayView kIndexEnde("@@INDEXDEF END@@");

bool IstZeilenende(char c)
{
    return c == '\r' || c == '\n' || c == '\0';
}

bool IstLeer(char c)
{
    return c == ' ' || c == '\t';
}

// Walks the lines of the stream; any run of CR, LF and zero bytes is one line end.
class TZeilenleser {
public:
    explicit TZeilenleser(QByteArrayView s) : m_s(s) {}
    bool Naechste(QByteArrayView& zeile)
    {
        while (m_pos < m_s.size() && IstZeilenende(m_s[m_pos]))
            ++m_pos;
        if (m_pos >= m_s.size())
            return false;
        const qsizetype anfang = m_pos;
        while (m_pos < m_s.size() && !IstZeilenende(m_s[m_pos]))
            ++m_pos;
        zeile = m_s.sliced(anfang, m_pos - anfang);
        return true;
    }

private:
    QByteArrayView m_s;
    qsizetype m_pos = 0;
};

// One value of a line before conversion: unquoted and empty means NULL.
struct TRohwert {
    QByteArray Bytes;
    bool Null = false;
};

// Percent escapes: %% percent, %0 zero byte, %c CR, %n LF; any other % stays as it is.
QByteArray Entschluessele(QByteArray s)
{
    if (!s.contains('%'))
        return s;
    QByteArray aus;
    aus.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '%' && i + 1 < s.size()) {
            const char n = s[i + 1];
            const char ersatz = n == '%'   ? '%'
                                : n == '0' ? '\0'
                                : n == 'c' ? '\r'
                                : n == 'n' ? '\n'
                                           : 1;
            if (ersatz != 1) {
                aus.append(ersatz);
                ++i;
                continue;
            }
        }
        aus.append(c);
    }
    return aus;
}

QByteArray Verschluessele(QByteArrayView s)
{
    QByteArray aus;
    aus.reserve(s.size() + 2);
    for (const char c : s) {
        switch (c) {
        case '%':
            aus.append("%%");
            break;
        case '\0':
            aus.append("%0");
            break;
        case '\r':
            aus.append("%c");
            break;
        case '\n':
            aus.append("%n");
            break;
        default:
            aus.append(c);
        }
    }
    return aus;
}

// Reads a quoted item starting at the opening quote; a doubled quote stands for one.
// Without a closing quote the item runs to the end.
QByteArray LiesGequotet(QByteArrayView s, qsizetype& pos)
{
    QByteArray aus;
    ++pos;
    while (pos < s.size()) {
        const char c = s[pos++];
        if (c != '"') {
            aus.append(c);
        } else if (pos < s.size() && s[pos] == '"') {
            aus.append('"');
            ++pos;
        } else {
            break;
        }
    }
    return aus;
}

// Splits a line at its commas; a comma at the very end adds no value.
void Werte(QByteArrayView zeile, std::vector<TRohwert>& werte)
{
    werte.clear();
    qsizetype pos = 0;
    while (pos < zeile.size()) {
        TRohwert w;
        if (zeile[pos] == '"') {
            w.Bytes = LiesGequotet(zeile, pos);
            // text after the closing quote belongs to the value
            const qsizetype rest = pos;
            while (pos < zeile.size() && zeile[pos] != ',')
                ++pos;
            w.Bytes.append(zeile.sliced(rest, pos - rest));
        } else {
            const qsizetype anfang = pos;
            while (pos < zeile.size() && zeile[pos] != ',')
                ++pos;
            w.Bytes = zeile.sliced(anfang, pos - anfang).toByteArray();
            w.Null = w.Bytes.isEmpty();
        }
        w.Bytes = Entschluessele(std::move(w.Bytes));
        werte.push_back(std::move(w));
        if (pos < zeile.size())
            ++pos; // the comma
    }
}

QByteArray ErsterWert(QByteArrayView zeile)
{
    std::vector<TRohwert> werte;
    Werte(zeile, werte);
    return werte.empty() ? QByteArray() : werte.front().Bytes;
}

// Items of a definition: separated by commas, blanks around them skipped; a quoted item may
// hold commas and blanks, an unquoted one ends at a comma or blank; empty items count.
std::vector<QByteArray> Elemente(QByteArrayView s)
{
    std::vector<QByteArray> elemente;
    qsizetype pos = 0;
    const auto ueberspringe = [&] {
        while (pos < s.size() && IstLeer(s[pos]))
            ++pos;
    };
    ueberspringe();
    while (pos < s.size()) {
        if (s[pos] == '"') {
            elemente.push_back(LiesGequotet(s, pos));
        } else {
            const qsizetype anfang = pos;
            while (pos < s.size() && s[pos] != ',' && !IstLeer(s[pos]))
                ++pos;
            elemente.push_back(s.sliced(anfang, pos - anfang).toByteArray());
        }
        ueberspringe();
        if (pos < s.size() && s[pos] == ',') {
            ++pos;
            ueberspringe();
            if (pos == s.size())
                elemente.emplace_back();
        }
    }
    return elemente;
}

std::optional<int> Dezimal(QByteArrayView s)
{
    if (s.isEmpty() || s.size() > 9)
        return std::nullopt;
    int wert = 0;
    for (const char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        wert = wert * 10 + (c - '0');
    }
    return wert;
}

TFeld LiesDefinition(const QByteArray& inhalt)
{
    const QString zeile = cp1252::Dekodiere(inhalt);
    const qsizetype gleich = inhalt.indexOf('=');
    if (gleich < 0)
        throw EFehler(QStringLiteral("Ungültige Felddefinition in der CSV Datei. (%1)").arg(zeile));
    TFeld f;
    f.Name = cp1252::Dekodiere(QByteArrayView(inhalt).first(gleich));
    const std::vector<QByteArray> e = Elemente(QByteArrayView(inhalt).sliced(gleich + 1));
    const auto element = [&](size_t i) {
        return i < e.size() ? cp1252::Dekodiere(e[i]) : QString();
    };
    const QString typname = element(0);
    const auto typ = FeldTypAusName(typname);
    if (!typ)
        throw EFehler(
            QStringLiteral("Unbekannter Feldtyp (%1) in der CSV Datei. (%2)").arg(typname, zeile));
    f.Typ = *typ;
    if (e.size() > 1 && !e[1].isEmpty()) {
        const auto groesse = Dezimal(e[1]);
        if (!groesse)
            throw EFehler(QStringLiteral("Ungültige Feldgröße (%1) in der CSV Datei. (%2)")
                              .arg(element(1), zeile));
        f.Groesse = *groesse;
    }
    f.Anzeigename = element(2);
    f.Editiermaske = element(3);
    f.Anzeigebreite = e.size() > 4 ? Dezimal(e[4]).value_or(0) : 0;
    QString art = QStringLiteral("Data");
    if (e.size() > 6) {
        art = element(e.size() - 2);
        f.Vorgabe = element(e.size() - 1);
    } else if (e.size() == 6) {
        art = element(5);
    }
    const auto feldart = FeldArtAusName(art);
    if (!feldart)
        throw EFehler(
            QStringLiteral("Unbekannte Feldart (%1) in der CSV Datei. (%2)").arg(art, zeile));
    f.Art = *feldart;
    f.Pflicht = inhalt.contains(",REQ");
    f.NurLesen = inhalt.contains(",RO");
    f.Versteckt = inhalt.contains(",INV");
    return f;
}

// Letters a to z without regard to case, every other character as it is.
QString OhneGross(QString s)
{
    for (QChar& c : s)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return s;
}

QByteArray Gequotet(QByteArrayView s)
{
    QByteArray aus;
    aus.reserve(s.size() + 2);
    aus.append('"');
    for (const char c : s) {
        if (c == '"')
            aus.append('"');
        aus.append(c);
    }
    aus.append('"');
    return aus;
}

QByteArray TextWert(const QString& text)
{
    return Gequotet(Verschluessele(cp1252::Kodiere(text)));
}

} // namespace

TTabellenInhalt LiesCsvStrom(QByteArrayView strom)
{
    enum class TAbschnitt { Vorspann, Definitionen, Index, Daten };
    TAbschnitt abschnitt = TAbschnitt::Vorspann;
    TAbschnitt nachIndex = TAbschnitt::Vorspann;
    TTabellenInhalt inhalt;
    bool definiert = false;
    std::vector<int> spalten; // field of each header column, -1 when none
    std::vector<TRohwert> werte;
    // Every row costs its fields' worth of memory even when the line is short. A written line
    // has a comma per field, so its row costs less than two values per byte of the line; short
    // lines may use a generous fixed allowance on top.
    constexpr qint64 Wertgroesse = sizeof(TWert);
    const qint64 hoechstensBytes = 128 * 1024 * 1024 + 2 * Wertgroesse * qint64(strom.size());
    qint64 bytesGesamt = 0;
    const auto ohneDefinitionen = [] {
        return EFehler(QStringLiteral("Die CSV Datei enthält keine Felddefinitionen."));
    };

    TZeilenleser leser(strom);
    QByteArrayView zeile;
    while (leser.Naechste(zeile)) {
        if (abschnitt == TAbschnitt::Daten) {
            Werte(zeile, werte);
            bytesGesamt += qint64(sizeof(TZeile)) + Wertgroesse * qint64(inhalt.Felder.size());
            if (bytesGesamt > hoechstensBytes)
                throw EFehler(QStringLiteral(
                    "Die CSV Datei enthält mehr Datenzeilen, als ihre Größe zulässt."));
            TZeile z(inhalt.Felder.size());
            const size_t n = std::min(werte.size(), spalten.size());
            for (size_t i = 0; i < n; ++i) {
                const int f = spalten[i];
                if (f >= 0 && !werte[i].Null)
                    z[size_t(f)] = WertAusText(inhalt.Felder[size_t(f)], werte[i].Bytes);
            }
            inhalt.Zeilen.push_back(std::move(z));
            continue;
        }
        const QByteArray erster = ErsterWert(zeile);
        if (abschnitt == TAbschnitt::Index) {
            if (erster == kIndexEnde)
                abschnitt = nachIndex;
            else if (erster == kTabelleEnde)
                abschnitt = TAbschnitt::Vorspann;
            continue;
        }
        if (erster == kVersion || erster == kIndexEnde)
            continue;
        if (erster == kTabelleAnfang) {
            inhalt.Felder.clear();
            definiert = true;
            abschnitt = TAbschnitt::Definitionen;
            continue;
        }
        if (erster == kTabelleEnde) {
            abschnitt = TAbschnitt::Vorspann;
            continue;
        }
        if (erster == kIndexAnfang) {
            nachIndex = abschnitt;
            abschnitt = TAbschnitt::Index;
            continue;
        }
        if (abschnitt == TAbschnitt::Definitionen) {
            inhalt.Felder.push_back(LiesDefinition(erster));
            continue;
        }
        // the header line
        if (!definiert || inhalt.Felder.empty())
            throw ohneDefinitionen();
        // insert() keeps the last; walk backwards so that the first field with a label wins
        QHash<QString, int> nachBeschriftung;
        for (size_t i = inhalt.Felder.size(); i-- > 0;)
            if (inhalt.Felder[i].Art == TFeldArt::Data)
                nachBeschriftung.insert(OhneGross(inhalt.Felder[i].Beschriftung()), int(i));
        Werte(zeile, werte);
        std::vector<bool> vergeben(inhalt.Felder.size());
        for (const TRohwert& w : werte) {
            int f = nachBeschriftung.value(OhneGross(cp1252::Dekodiere(w.Bytes)), -1);
            if (f >= 0 && vergeben[size_t(f)])
                f = -1; // the first column naming a field fills it
            if (f >= 0)
                vergeben[size_t(f)] = true;
            spalten.push_back(f);
        }
        abschnitt = TAbschnitt::Daten;
    }
    if (!definiert || inhalt.Felder.empty())
        throw ohneDefinitionen();
    return inhalt;
}

QByteArray SchreibeCsv(const TTabelle& tabelle)
{
    const QByteArray ende = ",\r\n";
    QByteArray aus;
    aus += Gequotet(kVersion) + ',' + Gequotet("251") + ende;
    aus += Gequotet(kTabelleAnfang) + ende;
    for (const TFeld& f : tabelle.Felder()) {
        QString def = f.Name + u'=' + FeldTypName(f.Typ) + u',' + QString::number(f.Groesse) + u',';
        const auto quote = [](const QString& s) {
            return u'"' + QString(s).replace(u'"', QStringLiteral("\"\"")) + u'"';
        };
        def += quote(f.Anzeigename) + u',' + quote(f.Editiermaske) + u',' +
               QString::number(f.Anzeigebreite);
        if (f.Pflicht)
            def += QStringLiteral(",REQ");
        if (f.NurLesen)
            def += QStringLiteral(",RO");
        if (f.Versteckt)
            def += QStringLiteral(",INV");
        def += u',' + FeldArtName(f.Art) + u',' + quote(f.Vorgabe);
        aus += TextWert(def) + ende;
    }
    aus += Gequotet(kTabelleEnde) + ende;
    for (const TFeld& f : tabelle.Felder())
        aus += TextWert(f.Beschriftung()) + ',';
    aus += "\r\n";
    for (int z = 0; z < tabelle.GesamtAnzahl(); ++z) {
        const TZeile& zeile = tabelle.GesamtZeile(z);
        for (size_t i = 0; i < zeile.size(); ++i) {
            const TWert& w = zeile[i];
            const TFeld& f = tabelle.Feld(int(i));
            if (const auto* t = std::get_if<QString>(&w))
                aus += TextWert(*t);
            else if (const auto* b = std::get_if<QByteArray>(&w))
                aus += Gequotet(Verschluessele(*b));
            else if (const auto* g = std::get_if<long double>(&w))
                aus += IstDatumstyp(f.Typ) ? DatumText(*g, f.Typ).toLatin1()
                                           : QByteArray::fromStdString(zahl::Invariant(*g));
            else if (!IstNull(w))
                aus += AlsText(w).toLatin1();
            aus += ',';
        }
        aus += "\r\n";
    }
    return aus;
}
