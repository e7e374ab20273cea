// The report's flows to printer, preview and file.
#include "evaluation/bericht/berichtablauf.h"

#include "evaluation/bericht/auswertungsbericht.h"
#include "evaluation/bericht/berichtfenster.h"
#include "model/plattform.h"
#include "ui/berechnungsdateien.h"
#include "ui/fehlerwaechter.h"
#include "ui/meldung.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>
#include <climits>

namespace {

using TSeiten = std::vector<TBerichtSeite>;

QString Fenstertitel()
{
    return QCoreApplication::translate("TfrmBerichtStatus", "Report Status");
}

QString StandardPdfDatei(QWidget* eltern, const QString& vorschlag)
{
    QString pfad = QFileDialog::getSaveFileName(
        eltern, QCoreApplication::translate("Bericht", "Save Report"), vorschlag,
        QCoreApplication::translate("Bericht", "PDF files (*.pdf)"));
    if (!pfad.isEmpty() && QFileInfo(pfad).suffix().isEmpty())
        pfad += QStringLiteral(".pdf");
    return pfad;
}

bool StandardDrucker(QWidget* eltern, QPrinter& drucker)
{
    QPrintDialog dialog(&drucker, eltern);
    return dialog.exec() == QDialog::Accepted;
}

PdfDateiFunktion& PdfDatei()
{
    static PdfDateiFunktion f = StandardPdfDatei;
    return f;
}

DruckerFunktion& Drucker()
{
    static DruckerFunktion f = StandardDrucker;
    return f;
}

// Lays the report out with the status window showing each page.
TSeiten ErzeugeMitStatus(QWidget* eltern, TBerichtMaschine& maschine)
{
    TfrmBerichtStatus fenster(eltern);
    return maschine.Erzeuge([&](int s) {
        const QString text = QCoreApplication::translate("Bericht", "Generating page %1").arg(s);
        maschine.Melde(text);
        fenster.Zeige(text);
    });
}

// Paints the pages with the status window showing each page.
bool MaleMitStatus(TBerichtMaschine& maschine, QPagedPaintDevice& geraet, const TSeiten& seiten,
                   int von, int bis, int kopien, TfrmBerichtStatus& fenster)
{
    return maschine.Male(geraet, seiten, von, bis, kopien,
                         [&fenster](const QString& text) { fenster.Zeige(text); });
}

// The pages von..bis of the options within the report; false (and a message) when none is left.
bool Seitenbereich(QWidget* eltern, int von, int bis, int anzahl, int& ersteSeite, int& letzteSeite)
{
    ersteSeite = von > 0 ? von : 1;
    letzteSeite = von > 0 ? std::min(bis, anzahl) : anzahl;
    if (ersteSeite <= letzteSeite)
        return true;
    ZeigeFehlermeldung(
        eltern,
        QCoreApplication::translate(
            "Bericht", "The report has %1 page(s); there is nothing to print from page %2.")
            .arg(anzahl)
            .arg(ersteSeite),
        Fenstertitel());
    return false;
}

bool DruckeAufDrucker(QWidget* eltern, TBerichtMaschine& maschine, const TSeiten& seiten,
                      const TAusgabeOptionen& optionen)
{
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setDocName(QString::fromUtf16(Druckauftragstitel));
    drucker.setPageSize(BerichtSeitenlayout(maschine.Definition()).pageSize());
    drucker.setFullPage(true);
    drucker.setCopyCount(optionen.Kopien);
    if (optionen.Von > 0) {
        drucker.setPrintRange(QPrinter::PageRange);
        drucker.setFromTo(optionen.Von, optionen.Bis);
    }
    if (!Drucker()(eltern, drucker))
        return false;

    const bool bereich = drucker.printRange() == QPrinter::PageRange && drucker.fromPage() > 0;
    int von = 0;
    int bis = 0;
    if (!Seitenbereich(eltern, bereich ? drucker.fromPage() : 0,
                       bereich && drucker.toPage() > 0 ? drucker.toPage() : INT_MAX,
                       static_cast<int>(seiten.size()), von, bis))
        return false;
    // Where the printer does not make the copies itself, they are printed one after another.
    const int kopien = drucker.supportsMultipleCopies() ? 1 : std::max(1, drucker.copyCount());

    TfrmBerichtStatus fenster(eltern);
    if (MaleMitStatus(maschine, drucker, seiten, von, bis, kopien, fenster) &&
        drucker.printerState() != QPrinter::Error)
        return true;
    fenster.hide();
    const QString name = drucker.outputFileName().isEmpty()
                             ? drucker.printerName()
                             : QDir::toNativeSeparators(drucker.outputFileName());
    ZeigeFehlermeldung(
        eltern,
        QCoreApplication::translate("Bericht", "The report could not be printed on %1.").arg(name),
        Fenstertitel());
    return false;
}

bool SchreibeDatei(QWidget* eltern, TBerichtMaschine& maschine, const QString& pfad,
                   const TSeiten& seiten, const TAusgabeOptionen& optionen)
{
    int von = 0;
    int bis = 0;
    if (!Seitenbereich(eltern, optionen.Von, optionen.Bis, static_cast<int>(seiten.size()), von,
                       bis))
        return false;
    QPdfWriter schreiber(pfad);
    schreiber.setPageLayout(BerichtSeitenlayout(maschine.Definition()));
    schreiber.setTitle(QString::fromUtf16(Druckauftragstitel));
    TfrmBerichtStatus fenster(eltern);
    if (MaleMitStatus(maschine, schreiber, seiten, von, bis, 1, fenster))
        return true;
    fenster.hide();
    ZeigeFehlermeldung(eltern,
                       QCoreApplication::translate("Bericht", "The file %1 could not be written.")
                           .arg(QDir::toNativeSeparators(pfad)),
                       Fenstertitel());
    return false;
}

} // namespace

PdfDateiFunktion SetzePdfDateiFunktion(PdfDateiFunktion f)
{
    return TauscheFunktion(PdfDatei(), std::move(f), StandardPdfDatei);
}

DruckerFunktion SetzeDruckerFunktion(DruckerFunktion f)
{
    return TauscheFunktion(Drucker(), std::move(f), StandardDrucker);
}

bool FuehreBerichtAus(QWidget* eltern, TBerichtMaschine& maschine)
{
    TAusgabeOptionen optionen;
    {
        TfrmAusgabeOptionen dialog(eltern, maschine.Anhangtitel());
        if (dialog.exec() != QDialog::Accepted)
            return false;
        optionen = dialog.Optionen();
    }
    maschine.SetzeAnhangAktiv(optionen.Anhang);
    switch (optionen.Ziel) {
    case TBerichtZiel::Datei: {
        const QString pfad = PdfDatei()(
            eltern,
            QDir(Dateiordner()).filePath(maschine.Definition().Name + QStringLiteral(".pdf")));
        if (pfad.isEmpty())
            return false;
        return SchreibeDatei(eltern, maschine, pfad, ErzeugeMitStatus(eltern, maschine), optionen);
    }
    case TBerichtZiel::Vorschau: {
        const TSeiten seiten = ErzeugeMitStatus(eltern, maschine);
        TfrmBerichtVorschau vorschau(maschine.Definition(), seiten, eltern);
        VerbindeBewacht(vorschau.btnDrucken, &QPushButton::clicked, &vorschau,
                        [&] { DruckeAufDrucker(&vorschau, maschine, seiten, TAusgabeOptionen{}); });
        vorschau.exec();
        return true;
    }
    case TBerichtZiel::Drucker:
        break;
    }
    return DruckeAufDrucker(eltern, maschine, ErzeugeMitStatus(eltern, maschine), optionen);
}

bool DruckeAuswertung(QWidget* eltern, TAuswertungsBericht& bericht, const TParameterSatz& satz,
                      TTabelle& mtProd, const TWirtschaftlichkeitsDaten* wirtschaft)
{
    const TAuswertungsBericht::TLauf lauf(bericht, satz, mtProd);
    const TAuswertungsBericht::TAnhang anhang(bericht, wirtschaft);
    return FuehreBerichtAus(eltern, bericht.Maschine);
}
