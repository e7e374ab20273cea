// Report definitions of the report engine: fixed texts, data fields, lines and detail bands,
// positioned in inches from the top-left corner of the page, read from a JSON file.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

enum class TAusrichtung { Links, Rechts, Zentriert };

struct TBerichtSchrift {
    QString Name;
    double Groesse = 10; // points
    bool Fett = false;

    bool operator==(const TBerichtSchrift&) const = default;
};

// A text box: a fixed text, or the display text of a data field. The box starts at (Links,
// Oben), is Breite wide and one line high; the text is aligned within its width.
struct TBerichtText {
    double Links = 0;
    double Oben = 0;
    double Breite = 0;
    TBerichtSchrift Schrift;
    TAusrichtung Ausrichtung = TAusrichtung::Links;
    QString Text;
    // Data field: table and field name. Inside a band the table is the band's own.
    QString Tabelle;
    QString Feld;
    // Printed on every page, not only on the first.
    bool JedeSeite = false;

    bool IstDatenfeld() const { return !Feld.isEmpty(); }
    bool operator==(const TBerichtText&) const = default;
};

// A straight line from (X1, Y1) to (X2, Y2), Staerke points wide.
struct TBerichtLinie {
    double X1 = 0;
    double Y1 = 0;
    double X2 = 0;
    double Y2 = 0;
    double Staerke = 1;

    bool operator==(const TBerichtLinie&) const = default;
};

using TBerichtElement = std::variant<TBerichtText, TBerichtLinie>;

// A region filled by a detail band, printed once per visible row of its table. Rows that do not
// fit continue on further pages, each repeating the region's headings (Kopf).
struct TBerichtBereich {
    QString Tabelle;
    double Links = 0;
    double Oben = 0;
    double Breite = 0;
    double Hoehe = 0;
    double Bandhoehe = 0;
    std::vector<TBerichtElement> Kopf; // page positions
    std::vector<TBerichtText> Band;    // positions within the band

    // Bands that fit into the region (at least one).
    int Zeilen() const;
};

struct TBerichtDefinition {
    QString Name;
    double Seitenbreite = 8.5;
    double Seitenhoehe = 11;
    std::vector<TBerichtElement> Elemente; // printed on the first page, or on every page
    std::vector<TBerichtBereich> Bereiche;
    // Printed at the foot of every page of a report with more than one page; "%1" stands for
    // the page number, "%2" for the number of pages.
    std::optional<TBerichtText> Seitenfuss;

    // The tables the report reads, in the order of their first use.
    QStringList Tabellen() const;
};

// Reads a definition:
//   { "name", "seite": {"breite", "hoehe"}, "schrift": default font name,
//     "elemente": [element...], "seitenfuss": text element,
//     "bereiche": [{"tabelle", "links", "oben", "breite", "hoehe", "bandhoehe",
//                   "kopf": [element...], "band": [text element...]}] }
// An element is {"text": ...} or {"feld": "table.field"} (in a band just "field") with "links",
// "oben", "breite" and optional "groesse" (10), "fett" (false), "ausrichtung" ("links",
// "rechts", "zentriert") and "jede_seite" (false); or {"linie": [x1, y1, x2, y2]} with optional
// "staerke" (1 point).
// Raises EFehler naming the report and the fault.
TBerichtDefinition LiesBerichtDefinition(const QByteArray& json);
// Reads a definition from a file or resource path (":/bericht/auswertung.json").
TBerichtDefinition LadeBerichtDefinition(const QString& pfad);
