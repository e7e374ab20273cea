// The calculator: reads calculation files, computes them like the program does and prints the
// results with the recommended products.
#include "rechner.h"

#include "model/berechnungsdatei.h"
#include "model/fehler.h"
#include "model/zahlenformat.h"
#include "refdata/produkte.h"
#include "refdata/tabelle.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <exception>
#include <memory>

namespace {

const QString Aufruf = QStringLiteral(
    "Aufruf: tropfwerk-rechner [--format text|csv|json] [--daten ORDNER] DATEI…\n"
    "Berechnet jede Berechnungsdatei (*.tropfwerk) und gibt ihre Ergebnisse aus.\n"
    "Ein Ordner steht für alle Berechnungsdateien darin.\n"
    "  --format text|csv|json  Ausgabe: deutsche Zahlen (text), Dezimalpunkt (csv, json);\n"
    "                          Vorgabe text\n"
    "  --daten ORDNER          Ordner mit der Produktdatei Data3.cry;\n"
    "                          Vorgabe: der Ordner des Programms\n"
    "  --hilfe                 diese Übersicht\n");

// A result for other programs: decimal point, 15 significant digits (57.915, not the
// 57.915000000000000004 of the extended sum).
QString Inv(long double wert)
{
    return QString::number(static_cast<double>(wert), 'g', 15);
}

QString CsvFeld(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

void Text(const std::vector<TFall>& faelle, QTextStream& aus)
{
    bool erster = true;
    for (const TFall& fall : faelle) {
        const TParameterSatz& s = fall.Satz;
        if (!erster)
            aus << '\n';
        erster = false;
        aus << "Datei:                " << fall.Datei << '\n'
            << "Postleitzahl:         "
            << (s.PLZ.isEmpty() ? QStringLiteral("(Niederschlag von Hand eingegeben)") : s.PLZ)
            << '\n'
            << "Jahresniederschlag:   " << zahl::Fest(s.Menge, 3, 6) << " m\n"
            << "Ertrag:               " << zahl::Fest(s.Ertrag, 2, 6) << " m³/Jahr\n"
            << "Bedarf:               " << zahl::Fest(s.Bedarf, 2, 6) << " m³/Jahr\n"
            << "Volumen:              " << zahl::Fest(s.Volumen, 2, 6) << " m³\n"
            << "Deckungsrate:         " << zahl::Fest(s.Rate, 2, 6) << " %\n";
        if (fall.Produkte.empty()) {
            aus << "Empfohlene Zisternen: keine\n";
            continue;
        }
        aus << "Empfohlene Zisternen:\n";
        for (const TEmpfehlung& p : fall.Produkte)
            aus << "  " << p.Hersteller << " | " << p.Produkt << " | " << p.VolumenText << " | "
                << p.PreisText << '\n';
    }
}

void Csv(const std::vector<TFall>& faelle, QTextStream& aus)
{
    aus << "Datei,PLZ,Niederschlag,Ertrag,Bedarf,Volumen,Rate,Hersteller,Produkt,"
           "Produktvolumen,Preis\n";
    for (const TFall& fall : faelle) {
        const TParameterSatz& s = fall.Satz;
        const QString kopf = CsvFeld(fall.Datei) + u',' + CsvFeld(s.PLZ) + u',' + Inv(s.Menge) +
                             u',' + Inv(s.Ertrag) + u',' + Inv(s.Bedarf) + u',' + Inv(s.Volumen) +
                             u',' + Inv(s.Rate);
        if (fall.Produkte.empty())
            aus << kopf << ",,,,\n";
        for (const TEmpfehlung& p : fall.Produkte)
            aus << kopf << ',' << CsvFeld(p.Hersteller) << ',' << CsvFeld(p.Produkt) << ','
                << Inv(p.Volumen) << ',' << Inv(p.Preis) << '\n';
    }
}

void Json(const std::vector<TFall>& faelle, QTextStream& aus)
{
    aus << '[';
    for (size_t i = 0; i < faelle.size(); ++i) {
        const TFall& fall = faelle[i];
        const TParameterSatz& s = fall.Satz;
        aus << (i == 0 ? "\n" : ",\n")
            << "  {\"Datei\": " << QString::fromStdString(JsonText(fall.Datei))
            << ", \"PLZ\": " << QString::fromStdString(JsonText(s.PLZ))
            << ", \"Niederschlag\": " << Inv(s.Menge) << ", \"Ertrag\": " << Inv(s.Ertrag)
            << ", \"Bedarf\": " << Inv(s.Bedarf) << ", \"Volumen\": " << Inv(s.Volumen)
            << ", \"Rate\": " << Inv(s.Rate) << ", \"Produkte\": [";
        for (size_t j = 0; j < fall.Produkte.size(); ++j) {
            const TEmpfehlung& p = fall.Produkte[j];
            aus << (j == 0 ? "" : ", ")
                << "{\"Hersteller\": " << QString::fromStdString(JsonText(p.Hersteller))
                << ", \"Produkt\": " << QString::fromStdString(JsonText(p.Produkt))
                << ", \"Volumen\": " << Inv(p.Volumen) << ", \"Preis\": " << Inv(p.Preis) << '}';
        }
        aus << "]}";
    }
    aus << (faelle.empty() ? "]\n" : "\n]\n");
}

} // namespace

bool LiesAufruf(const QStringList& argumente, TRechnerAufruf& aufruf, QString& fehler)
{
    for (qsizetype i = 0; i < argumente.size(); ++i) {
        QString arg = argumente[i];
        QString wert;
        const bool mitWert = arg == u"--format" || arg == u"--daten";
        if (mitWert) {
            if (i + 1 >= argumente.size()) {
                fehler = QStringLiteral("%1 braucht einen Wert.").arg(arg);
                return false;
            }
            wert = argumente[++i];
        } else if (arg.startsWith(u"--format=") || arg.startsWith(u"--daten=")) {
            wert = arg.mid(arg.indexOf(u'=') + 1);
            arg = arg.left(arg.indexOf(u'='));
        }
        if (arg == u"--format") {
            if (wert == u"text")
                aufruf.Format = TAusgabeFormat::Text;
            else if (wert == u"csv")
                aufruf.Format = TAusgabeFormat::Csv;
            else if (wert == u"json")
                aufruf.Format = TAusgabeFormat::Json;
            else {
                fehler = QStringLiteral("Unbekanntes Format „%1“.").arg(wert);
                return false;
            }
        } else if (arg == u"--daten") {
            aufruf.Datenordner = wert;
        } else if (arg == u"--") {
            aufruf.Dateien += argumente.mid(i + 1);
            break;
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            fehler = QStringLiteral("Unbekannte Option „%1“.").arg(arg);
            return false;
        } else {
            aufruf.Dateien << arg;
        }
    }
    if (aufruf.Dateien.isEmpty()) {
        fehler = QStringLiteral("Keine Datei angegeben.");
        return false;
    }
    return true;
}

QStringList Falldateien(const QStringList& pfade)
{
    QStringList dateien;
    for (const QString& pfad : pfade) {
        const QFileInfo info(pfad);
        if (!info.isDir()) {
            dateien << pfad;
            continue;
        }
        const QDir ordner(pfad);
        for (const QString& name :
             ordner.entryList({u'*' + BerechnungsEndung}, QDir::Files | QDir::Readable, QDir::Name))
            dateien << ordner.filePath(name);
    }
    return dateien;
}

TFall RechneFall(const QString& datei, TTabelle& mtProd)
{
    TFall fall{datei, LadeBerechnung(datei), {}};
    FilterProducts(mtProd, fall.Satz.Volumen);
    for (int zeile = 0; zeile < mtProd.Anzahl(); ++zeile)
        fall.Produkte.push_back(
            {AlsText(mtProd.Wert(zeile, u"Hersteller")), AlsText(mtProd.Wert(zeile, u"Produkt")),
             AlsZahl(mtProd.Wert(zeile, u"Volumen")), AlsZahl(mtProd.Wert(zeile, u"Preis")),
             mtProd.Anzeigetext(zeile, u"Volumen"), mtProd.Anzeigetext(zeile, u"Preis")});
    return fall;
}

void GibAus(const std::vector<TFall>& faelle, TAusgabeFormat format, QTextStream& aus)
{
    switch (format) {
    case TAusgabeFormat::Text:
        Text(faelle, aus);
        break;
    case TAusgabeFormat::Csv:
        Csv(faelle, aus);
        break;
    case TAusgabeFormat::Json:
        Json(faelle, aus);
        break;
    }
    aus.flush();
}

int FuehreRechnerAus(const QStringList& argumente, const QString& programmOrdner, QTextStream& aus,
                     QTextStream& fehler)
{
    if (argumente.contains(u"--hilfe") || argumente.contains(u"--help")) {
        aus << Aufruf;
        aus.flush();
        return 0;
    }
    TRechnerAufruf aufruf;
    QString grund;
    if (!LiesAufruf(argumente, aufruf, grund)) {
        fehler << grund << '\n' << Aufruf;
        fehler.flush();
        return 2;
    }
    const std::unique_ptr<TTabelle> mtProd = ErzeugeProduktTabelle();
    try {
        LoadProducts(*mtProd, aufruf.Datenordner.isEmpty() ? programmOrdner : aufruf.Datenordner);
    } catch (const EFehler& f) {
        fehler << MitSchlusspunkt(f.Meldung()) << '\n';
        fehler.flush();
        return 1;
    } catch (const std::exception& f) {
        fehler << MitSchlusspunkt(QString::fromLocal8Bit(f.what())) << '\n';
        fehler.flush();
        return 1;
    }

    int status = 0;
    std::vector<TFall> faelle;
    for (const QString& datei : Falldateien(aufruf.Dateien)) {
        try {
            faelle.push_back(RechneFall(datei, *mtProd));
        } catch (const EFehler& f) {
            fehler << MitSchlusspunkt(f.Meldung()) << '\n';
            status = 1;
        } catch (const std::exception& f) {
            fehler << datei << ": " << MitSchlusspunkt(QString::fromLocal8Bit(f.what())) << '\n';
            status = 1;
        }
    }
    fehler.flush();
    GibAus(faelle, aufruf.Format, aus);
    return status;
}
