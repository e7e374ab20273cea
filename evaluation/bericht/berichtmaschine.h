// The report engine: lays a report definition out with the rows of its data sources and paints
// the pages on any paged device (a PDF writer, a printer) or painter. It knows tables, not their
// meaning: every table the definition names is asked for through a data source with "opened"
// and "released" notifications, and every value is printed as its table's display text. Needs
// Qt Gui only; the user's flow to printer, preview and file is in berichtablauf.h.
#pragma once

#include "evaluation/bericht/berichtdefinition.h"

#include <QObject>
#include <QPageLayout>
#include <QRectF>
#include <QString>

#include <functional>
#include <map>
#include <vector>

class QPainter;
class QPagedPaintDevice;
class TTabelle;

// Where a table comes from. Geoeffnet runs before the engine reads the table, Freigegeben after
// it has laid the report out (also when laying out failed).
struct TDatenquelle {
    TTabelle* Tabelle = nullptr;
    std::function<void()> Geoeffnet;
    std::function<void()> Freigegeben;
};

// A picture its maker paints into a box of the page: Kasten in inches, Male gets the box in
// the painter's device units.
struct TBerichtZeichnung {
    QRectF Kasten;
    std::function<void(QPainter& maler, const QRectF& kasten)> Male;
};

// A laid-out page: positions in inches, data fields with their display text in Text; the
// pictures are painted after the elements.
struct TBerichtSeite {
    std::vector<TBerichtElement> Elemente;
    std::vector<TBerichtZeichnung> Zeichnungen;
};

// Title of every print job and PDF file.
inline constexpr char16_t Druckauftragstitel[] = u"ReportPrinter Report";

// Paints a laid-out page on a painter whose device maps inches by its logical resolution
// (a printer, a PDF writer, the preview, an image). A value wider than its box ends in "…".
void ZeichneBerichtSeite(QPainter& maler, const TBerichtSeite& seite);

// The definition's page size without margins; 8.5 x 11 inches is named Letter.
QPageLayout BerichtSeitenlayout(const TBerichtDefinition& definition);

class TBerichtMaschine : public QObject {
    Q_OBJECT

public:
    explicit TBerichtMaschine(TBerichtDefinition definition, QObject* eltern = nullptr);
    ~TBerichtMaschine() override;

    const TBerichtDefinition& Definition() const { return m_definition; }
    void SetzeDatenquelle(const QString& tabelle, TDatenquelle quelle);

    // Pages that follow the report's own, laid out by the caller (e.g. "Wirtschaftlichkeit").
    // They count in the foot line "Seite N von M" and carry it like the report's own pages. An
    // empty title removes them.
    void SetzeAnhang(const QString& titel, std::function<std::vector<TBerichtSeite>()> seiten);
    const QString& Anhangtitel() const { return m_anhangTitel; }
    // Whether the next reports carry the pages of the appendix (the default).
    void SetzeAnhangAktiv(bool aktiv) { m_anhangAktiv = aktiv; }

    // Opens the data sources in the order of first use, lays out every page and releases the
    // sources. Raises EFehler for a table without data source or a field the table lacks.
    // `seite` is told each page number as it is laid out.
    std::vector<TBerichtSeite> Erzeuge(const std::function<void(int seite)>& seite = {});

    // Lays the report out and writes it to a PDF file, without any window. Raises EFehler
    // when the file cannot be written.
    void SchreibePdf(const QString& pfad);

    // Paints pages von..bis (1-based) `kopien` times on the device, reporting "Printing page N"
    // for each page (also to `zeige` when set); false when the device fails.
    bool Male(QPagedPaintDevice& geraet, const std::vector<TBerichtSeite>& seiten, int von, int bis,
              int kopien, const std::function<void(const QString&)>& zeige = {});
    // Reports a status text.
    void Melde(const QString& text);

signals:
    // Every text the status window shows ("Generating page 1", "Printing page 1").
    void Status(const QString& text);

private:
    using TSeiten = std::vector<TBerichtSeite>;
    // Opens the sources, checks the fields and lays out the pages; sources opened are added
    // to `offen`.
    TSeiten setze(std::vector<TDatenquelle*>& offen, const std::function<void(int)>& seite);
    TBerichtSeite setzeSeite(int s);
    TTabelle& tabelle(const QString& name) const;

    TBerichtDefinition m_definition;
    std::map<QString, TDatenquelle> m_quellen;
    QString m_anhangTitel;
    std::function<std::vector<TBerichtSeite>()> m_anhang;
    bool m_anhangAktiv = true;
};
