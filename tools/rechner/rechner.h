// tropfwerk-rechner: computes calculation files and prints their results for planners.
#pragma once

#include "evaluation/wirtschaftlichkeit.h"
#include "model/parametersatz.h"
#include "simulation/kern/deckungskurve.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QTextStream;
class TTabelle;

enum class TAusgabeFormat { Text, Csv, Json };

// A money input given on the command line: it replaces the file's value (or the default).
struct TKostenVorgabe {
    long double TKosten::*Wert;
    long double Betrag;
};
using TKostenVorgaben = std::vector<TKostenVorgabe>;

struct TRechnerAufruf {
    TAusgabeFormat Format = TAusgabeFormat::Text;
    QString Datenordner; // --daten; empty: the search path (Datensuchpfad)
    QStringList Dateien; // files, or folders whose *.tropfwerk files are computed
    bool Kurve = false;  // print the coverage curve and its knee
    TKostenVorgaben Kosten;
};

// One recommended product with its figures and its texts in the catalogue's display formats
// ("2,7 m³", "1849,00 EUR").
struct TEmpfehlung : TProduktWirtschaft {
    QString VolumenText;
    QString PreisText;
};

// One computed case.
struct TFall {
    QString Datei;
    TParameterSatz Satz;
    std::vector<TEmpfehlung> Produkte;
    TDeckungsErgebnis Deckung; // over generated daily weather, garden months April to September
};

// Reads the command line (without the program name); nullopt-like false with a reason in
// `fehler` for a wrong call.
bool LiesAufruf(const QStringList& argumente, TRechnerAufruf& aufruf, QString& fehler);

// The files to compute: the named files, and every entry ending in .tropfwerk of the named
// folders (by name). Entries that cannot be computed for sure (a name that is not UTF-8), a
// folder named like a calculation file, an unreadable or empty folder go to `fehler`.
QStringList Falldateien(const QStringList& pfade, QStringList& fehler);

// Reads and computes one case with the recommendations from mtProd (its filter is changed), the
// coverage curve and each product's money figures, with the file's money inputs (the defaults
// without them) and the given ones over them. Raises EFehler for a file that is no valid
// calculation.
TFall RechneFall(const QString& datei, TTabelle& mtProd, const TKostenVorgaben& kosten = {});

// One file of a batch: its case, or the message why it could not be computed.
struct TFallErgebnis {
    std::optional<TFall> Fall;
    QString Fehler;
};

// Computes the files like RechneFall, in their order: the cases of one site share its
// generated weather, and the sites are spread over the machine's cores. Without `kurve` the
// products' coverage only (TFall::Deckung without curve and knee).
std::vector<TFallErgebnis> RechneFaelle(const QStringList& dateien, TTabelle& mtProd,
                                        const TKostenVorgaben& kosten = {}, bool kurve = true);

// Prints the cases in the format, all at once (JSON is one array, CSV has one header line);
// with `kurve` also the coverage curve and its knee (not in CSV).
void GibAus(const std::vector<TFall>& faelle, TAusgabeFormat format, QTextStream& aus,
            bool kurve = false);

// "Die Ausgabe konnte nicht vollständig geschrieben werden (<reason>)."
QString Ausgabefehler(int fehlernummer);

// The whole program: 0 when every case was computed and written, 1 when a file, the data or
// the output failed,
// 2 for a wrong call (with the usage on `fehler`).
int FuehreRechnerAus(const QStringList& argumente, const QString& programmOrdner, QTextStream& aus,
                     QTextStream& fehler);
