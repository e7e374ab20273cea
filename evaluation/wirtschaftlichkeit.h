// Coverage over tank volume and the money figures of the recommended products, as the fourth
// page of the evaluation window and the second report page show them.
#pragma once

#include "model/parametersatz.h"
#include "model/wirtschaftlichkeit.h"
#include "simulation/kern/deckungskurve.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

class TPLZConverter;
class TTabelle;

// One recommended product with its figures.
struct TProduktWirtschaft {
    QString Hersteller;
    QString Produkt;
    long double Volumen = 0; // m³
    long double Preis = 0;   // EUR
    long double Deckung = 0; // 0 to 1
    TWirtschaftlichkeit Zahlen;
};

struct TWirtschaftlichkeitsDaten {
    TDeckungsErgebnis Ergebnis;
    TKosten Kosten;
    long double Volumen = 0; // the volume of the sizing rule, m³
    std::vector<TProduktWirtschaft> Produkte;
    // The product chosen on the compact page (mtProd's current row), if any.
    std::optional<std::size_t> Gewaehlt;
};

// Why a product stands out in the table and the chart: the user's choice, the quickest payback.
inline constexpr char16_t GewaehltHinweis[] = u"Ihre Wahl";
inline constexpr char16_t ZuerstHinweis[] = u"amortisiert sich zuerst";

// The user's product summed up: "Ihre Wahl auf der Seite Kompakt-Auswertung: Nr. 2, maker
// product, 4,00 m³ – Regenwasseranteil 62,0 %, Ersparnis 180,00 €/Jahr, Amortisation 17,0 Jahre.";
// without a chosen product the sentence that says so.
QString WahlText(const TWirtschaftlichkeitsDaten& daten);

// The site of the set: "Standort: PLZ 14195, Wetterstation Berlin-Dahlem, Jahresniederschlag
// 0,589 m"; the station is looked up with `konverter` (none, or an unknown code: said so), and a
// set without postal code is said to have its rain typed in by hand.
QString StandortText(const TParameterSatz& satz, TPLZConverter* konverter);

// The curve of the set and the figures of the products that mtProd recommends (its filter as
// it stands). `rechner` keeps the weather of the site between calls.
TWirtschaftlichkeitsDaten RechneWirtschaftlichkeit(const TParameterSatz& satz,
                                                   const std::array<bool, 12>& gartenmonate,
                                                   TTabelle& mtProd, const TKosten& kosten,
                                                   TDeckungsrechner& rechner);

// The same in steps, for computing the coverage elsewhere: the products mtProd recommends
// (its current row as the chosen one) without figures, their volumes, and the figures from a
// coverage computed for those volumes.
TWirtschaftlichkeitsDaten WirtschaftlichkeitsProdukte(const TParameterSatz& satz, TTabelle& mtProd,
                                                      const TKosten& kosten);
std::vector<double> ProduktVolumina(const TWirtschaftlichkeitsDaten& daten);
void BewerteProdukte(TWirtschaftlichkeitsDaten& daten, const TParameterSatz& satz,
                     TDeckungsErgebnis ergebnis);

// The knee's volume in the steps it is refined to: one decimal below 10 m³, none from there on
// ("6,2 m³", "6,0 m³", "14 m³"). The sentence, the chart marks and the calculator all use it.
QString KnickVolumen(double knick);
// The knee's mark in the charts: "Knickpunkt: 6,2 m³".
QString KnickMarke(double knick);

// "Ab 4,5 m³ bringt jeder weitere Kubikmeter weniger als 1 Prozentpunkt Regenwasseranteil." or,
// without such a volume in the range, the sentence that says so.
QString KnickText(const std::optional<double>& knick);
// The same for a curve; without yield or demand the sentence that nothing is covered.
QString KnickText(const TDeckungsErgebnis& ergebnis);

// The payback in years with one decimal ("207,3"), or "nie".
QString AmortisationsText(const TWirtschaftlichkeit& zahlen);

// The user's product: the product table's current row, none outside the products.
std::optional<std::size_t> GewaehlteZeile(int zeile, std::size_t produkte);
// The index of the product that pays back first; none when no product pays back.
std::optional<std::size_t> ZuerstAmortisiert(const std::vector<TProduktWirtschaft>& produkte);
