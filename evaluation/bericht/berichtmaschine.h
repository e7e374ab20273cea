// The report engine: lays a report definition out with the rows of its data sources and sends
// the pages to a printer, the preview window or a PDF file. It knows tables, not their meaning:
// every table the definition names is asked for through a data source with "opened" and
// "released" notifications, and every value is printed as its table's display text.
#pragma once

#include "evaluation/bericht/berichtdefinition.h"

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <vector>

class QPainter;
class QPagedPaintDevice;
class QPrinter;
class QWidget;
class TTabelle;
class TfrmBerichtStatus;

// Where a table comes from. Geoeffnet runs before the engine reads the table, Freigegeben after
// it has laid the report out (also when laying out failed).
struct TDatenquelle {
    TTabelle* Tabelle = nullptr;
    std::function<void()> Geoeffnet;
    std::function<void()> Freigegeben;
};

// A laid-out page: positions in inches, data fields with their display text in Text.
struct TBerichtSeite {
    std::vector<TBerichtElement> Elemente;
};

// What the user chose in the "Output Options" window.
enum class TBerichtZiel { Drucker, Vorschau, Datei };
struct TAusgabeOptionen {
    TBerichtZiel Ziel = TBerichtZiel::Drucker;
    int Kopien = 1;
    int Von = 0; // page range, 1-based; 0 = all pages
    int Bis = 0;
};

// Replaceable steps of the user's flow, so that tests can run it headless.
// Chooses the PDF file, offering `vorschlag`; an empty path cancels.
using PdfDateiFunktion = std::function<QString(QWidget* eltern, const QString& vorschlag)>;
// Lets the user choose and set up the printer (the print dialog); false cancels.
using DruckerFunktion = std::function<bool(QWidget* eltern, QPrinter& drucker)>;
// Each returns the old function; an empty function restores the standard dialog.
PdfDateiFunktion SetzePdfDateiFunktion(PdfDateiFunktion f);
DruckerFunktion SetzeDruckerFunktion(DruckerFunktion f);

// Title of every print job and PDF file.
inline constexpr char16_t Druckauftragstitel[] = u"ReportPrinter Report";

// Paints a laid-out page on a painter whose device maps inches by its logical resolution
// (a printer, a PDF writer, the preview, an image). A value wider than its box ends in "…".
void ZeichneBerichtSeite(QPainter& maler, const TBerichtSeite& seite);

class TBerichtMaschine : public QObject {
    Q_OBJECT

public:
    explicit TBerichtMaschine(TBerichtDefinition definition, QObject* eltern = nullptr);
    ~TBerichtMaschine() override;

    const TBerichtDefinition& Definition() const { return m_definition; }
    void SetzeDatenquelle(const QString& tabelle, TDatenquelle quelle);

    // Opens the data sources in the order of first use, lays out every page and releases the
    // sources. Raises EFehler for a table without data source or a field the table lacks.
    // `seite` is told each page number as it is laid out.
    std::vector<TBerichtSeite> Erzeuge(const std::function<void(int seite)>& seite = {});

    // Lays the report out and writes it to a PDF file, without any window. Raises EFehler
    // when the file cannot be written.
    void SchreibePdf(const QString& pfad);

    // The user's flow: "Output Options", then the print dialog, the preview window or the file
    // dialog, with the "Report Status" window while pages are laid out and printed. Printer and
    // file errors are shown in message boxes; nothing is raised for them. Returns whether
    // anything was printed, shown or written.
    bool Ausfuehren(QWidget* eltern);

signals:
    // Every text the status window shows ("Generating page 1", "Printing page 1").
    void Status(const QString& text);

private:
    using TSeiten = std::vector<TBerichtSeite>;
    TSeiten erzeugeMitStatus(QWidget* eltern);
    bool druckeAufDrucker(QWidget* eltern, const TSeiten& seiten, const TAusgabeOptionen& optionen);
    bool schreibeDatei(QWidget* eltern, const QString& pfad, const TSeiten& seiten,
                       const TAusgabeOptionen& optionen);
    // Paints pages von..bis (1-based) `kopien` times, reporting each page (also in `fenster`
    // when set); false when the device fails.
    bool male(QPagedPaintDevice& geraet, const TSeiten& seiten, int von, int bis, int kopien,
              TfrmBerichtStatus* fenster);
    // Reports a status text; with `fenster` also shows it there.
    void melde(const QString& text, TfrmBerichtStatus* fenster);

    TBerichtDefinition m_definition;
    std::map<QString, TDatenquelle> m_quellen;
};
