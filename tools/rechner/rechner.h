// tropfwerk-rechner: computes calculation files and prints their results for planners.
#pragma once

#include "evaluation/wirtschaftlichkeit.h"
#include "model/parametersatz.h"
#include "simulation/kern/deckungskurve.h"

#include <QString>
#include <QStringList>

#include <vector>

class QTextStream;
class TTabelle;

enum class TAusgabeFormat { Text, Csv, Json };

struct TRechnerAufruf {
    TAusgabeFormat Format = TAusgabeFormat::Text;
    QString Datenordner; // --daten; empty: the search path (Datensuchpfad)
    QStringList Dateien; // files, or folders whose *.tropfwerk files are computed
    bool Kurve = false;  // print the coverage curve and its knee
    TKosten Kosten;
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

// The files to compute: the named files, and the *.tropfwerk files of named folders (by name).
QStringList Falldateien(const QStringList& pfade);

// Reads and computes one case with the recommendations from mtProd (its filter is changed), the
// coverage curve and each product's money figures. Raises EFehler for a file that is no valid
// calculation.
TFall RechneFall(const QString& datei, TTabelle& mtProd, const TKosten& kosten = {});

// Prints the cases in the format, all at once (JSON is one array, CSV has one header line);
// with `kurve` also the coverage curve and its knee (not in CSV).
void GibAus(const std::vector<TFall>& faelle, TAusgabeFormat format, QTextStream& aus,
            bool kurve = false);

// The whole program: 0 when every case was computed, 1 when a file or the data failed,
// 2 for a wrong call (with the usage on `fehler`).
int FuehreRechnerAus(const QStringList& argumente, const QString& programmOrdner, QTextStream& aus,
                     QTextStream& fehler);
