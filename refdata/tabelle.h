// In-memory table: typed fields with display formats, rows of values with NULLs, loading of the
// CSV and binary table streams, sorting by a field, a range filter and one current row that all
// views of the table share.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <QStringView>

#include <optional>
#include <variant>
#include <vector>

// Field types of the two table streams, in the order of their type names.
enum class TFeldTyp {
    String,
    SmallInt,
    Integer,
    Word,
    Boolean,
    Float,
    Currency,
    BCD,
    Date,
    Time,
    DateTime,
    Bytes,
    VarBytes,
    AutoInc,
    Blob,
    Memo,
    Graphic,
    FmtMemo,
    ParadoxOle,
    DBaseOle,
    TypedBinary,
    FixedChar,
    LargeInt,
    ADT,
    Array,
    HugeBlob,
    HugeClob,
    SQLTimeStamp,
    FMTBcdField
};

enum class TFeldArt { Data, Calculated, Lookup, InternalCalc, Aggregate };

// How a field holds its values.
enum class TWertArt {
    Text,       // QString (decoded from Windows-1252)
    Ganzzahl,   // qint64
    Gleitkomma, // long double; dates and times as days since 30.12.1899
    Logisch,    // bool
    Bytes       // QByteArray, raw
};

// Type name as the streams write it ("String", "Float", ...); nullopt for an unknown name.
std::optional<TFeldTyp> FeldTypAusName(QStringView name);
QString FeldTypName(TFeldTyp typ);
std::optional<TFeldArt> FeldArtAusName(QStringView name);
QString FeldArtName(TFeldArt art);
TWertArt WertArtVon(TFeldTyp typ);
bool IstDatumstyp(TFeldTyp typ); // Date, Time, DateTime, SQLTimeStamp

struct TFeld {
    QString Name;
    TFeldTyp Typ = TFeldTyp::String;
    int Groesse = 0;       // characters of text fields, 0 otherwise
    QString Anzeigename;   // display label; the name when empty
    QString Anzeigeformat; // pattern of zahl::Muster for numeric fields
    QString Editiermaske;
    int Anzeigebreite = 10;
    bool Pflicht = false;   // required
    bool NurLesen = false;  // read-only
    bool Versteckt = false; // hidden
    TFeldArt Art = TFeldArt::Data;
    QString Vorgabe; // default expression, kept but not evaluated

    QString Beschriftung() const { return Anzeigename.isEmpty() ? Name : Anzeigename; }
    bool operator==(const TFeld&) const = default;
};

// A field definition: name, type, size of a text field and display format; the display label
// falls back to the name.
TFeld FeldDefinition(const char* name, TFeldTyp typ, int groesse = 0, const char* format = "");

// One value: NULL (monostate) or the alternative of the field's TWertArt.
using TWert = std::variant<std::monostate, long double, qint64, bool, QString, QByteArray>;
using TZeile = std::vector<TWert>;

// A table's definitions and rows as a stream reader delivers them.
struct TTabellenInhalt {
    std::vector<TFeld> Felder;
    std::vector<TZeile> Zeilen;
};

inline bool IstNull(const TWert& w)
{
    return std::holds_alternative<std::monostate>(w);
}
// Whether the value is NULL or of the alternative the field type holds.
bool PasstZu(const TWert& w, TFeldTyp typ);
// Numeric view of a value: NULL is 0, text is read in the invariant format; raises EFehler
// for text that is no number and for bytes.
long double AlsZahl(const TWert& w);
// Text view: NULL is empty, numbers in the invariant format, bytes decoded from Windows-1252.
QString AlsText(const TWert& w);
// Bytes view: NULL is empty, text encoded to Windows-1252 ('?' for what does not fit).
QByteArray AlsBytes(const TWert& w);

// Days since 30.12.1899 and the stream text of dates ("dd/mm/yyyy", "hh:mm:ss",
// "dd/mm/yyyy hh:mm:ss"); nullopt when the text is no such date or time.
std::optional<long double> LiesDatumText(QStringView text, TFeldTyp typ);
QString DatumText(long double tage, TFeldTyp typ);
// Whether `tage` lies between 1.1.0001 and 31.12.9999.
bool DatumImBereich(long double tage);

// Converts the text of a stream value to the field's type; raises EFehler when it does not
// convert ("Ungültiger Wert für das Feld ...").
TWert WertAusText(const TFeld& feld, QByteArrayView bytes);
// Raises the error of a value that does not fit its field.
[[noreturn]] void WertFehler(const TFeld& feld, const QString& text);

class TTabelle : public QObject {
    Q_OBJECT

public:
    explicit TTabelle(QObject* eltern = nullptr);

    // --- fields
    int FeldAnzahl() const { return static_cast<int>(m_felder.size()); }
    const TFeld& Feld(int i) const { return m_felder.at(static_cast<size_t>(i)); }
    const std::vector<TFeld>& Felder() const { return m_felder; }
    // Index of the field with this name, letters compared without regard to case; -1 if none.
    int FeldIndex(QStringView name) const;
    // Like FeldIndex, raising EFehler "Feld 'x' nicht gefunden" when there is none.
    int FeldIndexPflicht(QStringView name) const;
    // Replaces all fields; the rows are removed, sort order and filter are switched off.
    void DefiniereFelder(std::vector<TFeld> felder);
    // Appends a field; existing rows get NULL in it.
    void FeldHinzu(const TFeld& feld);

    // --- rows
    // Removes all rows; fields, sort field and filter stay.
    void Leeren();
    // Appends a row (missing trailing values NULL); raises EFehler when a value does not fit.
    void ZeileAnhaengen(TZeile werte);
    // All rows, in table order, regardless of the filter.
    int GesamtAnzahl() const { return static_cast<int>(m_zeilen.size()); }
    const TZeile& GesamtZeile(int i) const { return m_zeilen.at(static_cast<size_t>(i)); }

    // --- the visible rows: those passing the filter, in table order
    int Anzahl() const { return static_cast<int>(m_sichtbar.size()); }
    const TWert& Wert(int zeile, int feld) const;
    const TWert& Wert(int zeile, QStringView feld) const;
    // The value as every view shows it: display format applied, NULL empty.
    QString Anzeigetext(int zeile, int feld) const;
    QString Anzeigetext(int zeile, QStringView feld) const;
    // Sets one value of a visible row; raises EFehler when it does not fit the field.
    void SetzeWert(int zeile, int feld, TWert wert);

    // --- current row, an index among the visible rows; -1 when there is none
    int AktuelleZeile() const { return m_aktuell; }
    void SetzeAktuelleZeile(int zeile);
    const TWert& AktuellerWert(QStringView feld) const; // NULL without a current row
    QString AktuellerText(QStringView feld) const;

    // --- order and filter
    // Sorts all rows ascending by the field (stable; NULL first).
    void Sortiere(QStringView feld);
    void Sortiere(int feld);
    QString Sortierfeld() const { return m_sortierfeld; }
    // Shows only rows whose value of `feld` lies in [unten, oben]; NULL never passes. The
    // comparison is made at double precision, the precision of a typed bound, so that a value
    // stored as the double nearest a bound counts as equal to it.
    void SetzeFilter(QStringView feld, long double unten, long double oben);
    void SetzeFilter(int feld, long double unten, long double oben);
    void FilterAus();
    bool FilterAktiv() const { return m_filterFeld >= 0; }

    // --- streams
    // Replaces fields and rows with those of a CSV table stream; the filter is switched off.
    void LadeCsv(QByteArrayView strom);
    // Replaces the rows with those of a binary table stream, read into the fields defined
    // here; the stream's own definitions are read and ignored. The filter stays in force.
    void LadeBinaer(QByteArrayView strom);
    // Replaces fields and rows at once (the readers' result).
    void Uebernimm(TTabellenInhalt inhalt);

signals:
    // Around every change of fields, rows, order or filter; views reset themselves.
    void ZuruecksetzenBeginnt();
    void Zurueckgesetzt();
    // A single value of visible row `zeile` changed.
    void WertGeaendert(int zeile, int feld);
    // The current row is now `zeile` (-1: none).
    void AktuelleZeileGeaendert(int zeile);

private:
    void pruefeZeile(int zeile) const;
    void pruefeWert(int feld, const TWert& wert) const;
    bool bestehtFilter(const TZeile& z) const;
    // Recomputes the visible rows and restores the current row (same row if still visible,
    // else the first); `vorher` is the table row that was current.
    void ordneNeu(int vorher);
    int aktuelleTabellenzeile() const;
    template <typename F> void aendere(F&& aenderung, bool zeileBehalten);

    std::vector<TFeld> m_felder;
    std::vector<TZeile> m_zeilen;
    std::vector<int> m_sichtbar; // table rows of the visible rows
    int m_aktuell = -1;
    QString m_sortierfeld;
    int m_filterFeld = -1;
    double m_unten = 0;
    double m_oben = 0;
};
