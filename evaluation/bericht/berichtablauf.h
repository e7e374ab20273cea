// The user's flow of a report: "Output Options", then the print dialog, the preview window or
// the file dialog, with the "Report Status" window while pages are laid out and printed.
#pragma once

#include "evaluation/bericht/berichtmaschine.h"

#include <QString>

#include <functional>

class QPrinter;
class QWidget;
class TAuswertungsBericht;
class TTabelle;
struct TParameterSatz;
struct TWirtschaftlichkeitsDaten;

// What the user chose in the "Output Options" window.
enum class TBerichtZiel { Drucker, Vorschau, Datei };
struct TAusgabeOptionen {
    TBerichtZiel Ziel = TBerichtZiel::Drucker;
    int Kopien = 1;
    int Von = 0; // page range, 1-based; 0 = all pages
    int Bis = 0;
    bool Anhang = true; // the pages of the engine's appendix, where it has one
};

// Replaceable steps of the user's flow, so that tests can run it headless.
// Chooses the PDF file, offering `vorschlag`; an empty path cancels.
using PdfDateiFunktion = std::function<QString(QWidget* eltern, const QString& vorschlag)>;
// Lets the user choose and set up the printer (the print dialog); false cancels.
using DruckerFunktion = std::function<bool(QWidget* eltern, QPrinter& drucker)>;
// Each returns the old function; an empty function restores the standard dialog.
PdfDateiFunktion SetzePdfDateiFunktion(PdfDateiFunktion f);
DruckerFunktion SetzeDruckerFunktion(DruckerFunktion f);

// Runs the flow for the engine's report. Printer and file errors are shown in message boxes;
// nothing is raised for them. Returns whether anything was printed, shown or written.
bool FuehreBerichtAus(QWidget* eltern, TBerichtMaschine& maschine);

// The flow for the report "Auswertung" of a working copy and the window's product table. With
// `wirtschaft`, the user may add the page "Wirtschaftlichkeit" (coverage over volume and the
// products' money figures).
bool DruckeAuswertung(QWidget* eltern, TAuswertungsBericht& bericht, const TParameterSatz& satz,
                      TTabelle& mtProd, const TWirtschaftlichkeitsDaten* wirtschaft = nullptr);
