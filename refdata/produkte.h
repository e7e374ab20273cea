// The product table mtProd: its nine fields, loading from Data3.cry and the recommendation
// filter around a storage volume.
#pragma once

#include "refdata/tabelle.h"

#include <QByteArrayView>
#include <QString>

#include <memory>

// Defines the nine product fields on `mtProd` (rows are removed):
// ID, Hersteller, Produkt, Volumen, Preis, Beschreibung, URL, Adresse, Bild.
void DefiniereProduktFelder(TTabelle& mtProd);
std::unique_ptr<TTabelle> ErzeugeProduktTabelle();

// Fills mtProd from a decrypted binary table stream (stored definitions ignored) and sorts it
// by Volumen. Raises EFehler when the stream does not parse.
void LadeProdukte(TTabelle& mtProd, QByteArrayView strom);
// Reads Data3.cry in `ordner` into mtProd and sorts it by Volumen. An access error of the file,
// running out of memory included, raises ESchwererFehler; a payload that does not parse raises
// EFehler "Die Datei Data3.cry enthält keine gültige Tabelle (<Grund>)."
void LoadProducts(TTabelle& mtProd, const QString& ordner = QStringLiteral("."));

// The bounds V - 0,5 and V + 0,5, each rounded to two decimals as the filter text shows them.
struct TProduktfilter {
    long double Unten;
    long double Oben;
    QString Text; // "VOLUMEN >= 3,88 AND VOLUMEN <= 4,88" for V = 4,38
};
TProduktfilter Produktfilter(long double volumen);

// Shows only the products with Unten <= Volumen <= Oben (both bounds included); returns the
// filter text.
QString FilterProducts(TTabelle& mtProd, long double volumen);
