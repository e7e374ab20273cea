// Coverage curve and money figures of the recommended products; the knee sentence.
#include "evaluation/wirtschaftlichkeit.h"

#include "model/wirtschaftlichkeit.h"
#include "model/zahlenformat.h"
#include "refdata/plzkonverter.h"
#include "refdata/tabelle.h"

#include <cmath>

TWirtschaftlichkeitsDaten WirtschaftlichkeitsProdukte(const TParameterSatz& satz, TTabelle& mtProd,
                                                      const TKosten& kosten)
{
    TWirtschaftlichkeitsDaten daten;
    daten.Kosten = kosten;
    daten.Volumen = satz.Volumen;
    for (int zeile = 0; zeile < mtProd.Anzahl(); ++zeile) {
        TProduktWirtschaft p;
        p.Hersteller = AlsText(mtProd.Wert(zeile, u"Hersteller"));
        p.Produkt = AlsText(mtProd.Wert(zeile, u"Produkt"));
        p.Volumen = AlsZahl(mtProd.Wert(zeile, u"Volumen"));
        p.Preis = AlsZahl(mtProd.Wert(zeile, u"Preis"));
        daten.Produkte.push_back(std::move(p));
    }
    daten.Gewaehlt = GewaehlteZeile(mtProd.AktuelleZeile(), daten.Produkte.size());
    return daten;
}

std::optional<std::size_t> GewaehlteZeile(int zeile, std::size_t produkte)
{
    if (zeile < 0 || static_cast<std::size_t>(zeile) >= produkte)
        return std::nullopt;
    return static_cast<std::size_t>(zeile);
}

std::vector<double> ProduktVolumina(const TWirtschaftlichkeitsDaten& daten)
{
    std::vector<double> volumina;
    for (const TProduktWirtschaft& p : daten.Produkte)
        volumina.push_back(static_cast<double>(p.Volumen));
    return volumina;
}

void BewerteProdukte(TWirtschaftlichkeitsDaten& daten, const TParameterSatz& satz,
                     TDeckungsErgebnis ergebnis)
{
    daten.Ergebnis = std::move(ergebnis);
    for (size_t i = 0; i < daten.Produkte.size() && i < daten.Ergebnis.Produkte.size(); ++i) {
        TProduktWirtschaft& p = daten.Produkte[i];
        p.Deckung = daten.Ergebnis.Produkte[i].Deckung;
        p.Zahlen = BerechneWirtschaftlichkeit(p.Deckung, satz.Bedarf, p.Preis, daten.Kosten);
    }
}

TWirtschaftlichkeitsDaten RechneWirtschaftlichkeit(const TParameterSatz& satz,
                                                   const std::array<bool, 12>& gartenmonate,
                                                   TTabelle& mtProd, const TKosten& kosten,
                                                   TDeckungsrechner& rechner)
{
    TWirtschaftlichkeitsDaten daten = WirtschaftlichkeitsProdukte(satz, mtProd, kosten);
    BewerteProdukte(daten, satz, rechner.Rechne(satz, gartenmonate, ProduktVolumina(daten)));
    return daten;
}

QString KnickText(const std::optional<double>& knick)
{
    const QString name = QString::fromUtf16(Regenwasseranteil);
    if (!knick)
        return QStringLiteral("Im dargestellten Bereich bringt jeder weitere Kubikmeter noch "
                              "mindestens 1 Prozentpunkt %1.")
            .arg(name);
    return QStringLiteral("Ab %1 bringt jeder weitere Kubikmeter weniger als 1 Prozentpunkt %2.")
        .arg(KnickVolumen(*knick), name);
}

QString KnickVolumen(double knick)
{
    return zahl::Dezimal(knick, std::abs(knick) < 9.95 ? 1 : 0) + QStringLiteral(" m³");
}

QString KnickMarke(double knick)
{
    return QStringLiteral("Knickpunkt: ") + KnickVolumen(knick);
}

QString KnickText(const TDeckungsErgebnis& ergebnis)
{
    if (ergebnis.OhneErtragOderBedarf)
        return QStringLiteral("Ohne Regenertrag oder ohne Bedarf deckt auch ein größerer Speicher "
                              "nichts.");
    return KnickText(ergebnis.Knick);
}

QString AmortisationsText(const TWirtschaftlichkeit& zahlen)
{
    if (!zahlen.Amortisation)
        return QStringLiteral("nie");
    return zahl::Fest(*zahlen.Amortisation, 1, 6);
}

std::optional<std::size_t> ZuerstAmortisiert(const std::vector<TProduktWirtschaft>& produkte)
{
    std::optional<std::size_t> erster;
    for (std::size_t i = 0; i < produkte.size(); ++i) {
        const auto& jahre = produkte[i].Zahlen.Amortisation;
        if (jahre && (!erster || *jahre < *produkte[*erster].Zahlen.Amortisation))
            erster = i;
    }
    return erster;
}

QString StandortText(const TParameterSatz& satz, TPLZConverter* konverter)
{
    const QString menge =
        QStringLiteral("Jahresniederschlag %1 m").arg(zahl::Fest(satz.Menge, 3, 6));
    if (satz.PLZ.isEmpty())
        return QStringLiteral("Standort: ohne Postleitzahl, Niederschlag von Hand eingegeben (%1)")
            .arg(menge);
    QString station;
    QString ort;
    try {
        if (konverter) {
            station = konverter->GetStation(satz.PLZ);
            ort = konverter->GetOrt(satz.PLZ);
        }
    } catch (const std::exception&) {
        station.clear(); // an unknown code names no station
    }
    // "14195 Berlin" where the table knows the code's place, else "PLZ 14195".
    const QString code =
        ort.isEmpty() ? QStringLiteral("PLZ ") + satz.PLZ : satz.PLZ + QLatin1Char(' ') + ort;
    if (station.isEmpty())
        return QStringLiteral("Standort: %1 (Wetterstation nicht bekannt), %2").arg(code, menge);
    return QStringLiteral("Standort: %1, Wetterstation %2, %3").arg(code, station, menge);
}

QString WahlText(const TWirtschaftlichkeitsDaten& daten)
{
    if (daten.Produkte.empty())
        return QStringLiteral("Für dieses Volumen ist kein Produkt im Katalog.");
    if (!daten.Gewaehlt || *daten.Gewaehlt >= daten.Produkte.size())
        return QStringLiteral("Wählen Sie auf der Seite Kompakt-Auswertung eine Zisterne, um sie "
                              "hier hervorzuheben.");
    const TProduktWirtschaft& p = daten.Produkte[*daten.Gewaehlt];
    const QString jahre = p.Zahlen.Amortisation
                              ? AmortisationsText(p.Zahlen) + QStringLiteral(" Jahre")
                              : AmortisationsText(p.Zahlen);
    return QStringLiteral("%1 auf der Seite Kompakt-Auswertung: Nr. %2, %3 %4, %5 m³ – %6 %7 %, "
                          "Ersparnis %8 €/Jahr, Amortisation %9.")
        .arg(QString::fromUtf16(GewaehltHinweis), QString::number(*daten.Gewaehlt + 1),
             p.Hersteller, p.Produkt, zahl::Fest(p.Volumen, 2, 6),
             QString::fromUtf16(Regenwasseranteil), zahl::Fest(p.Deckung * 100, 1, 6),
             zahl::Fest(p.Zahlen.Ersparnis, 2, 8), jahre);
}
