// The calculator: reads calculation files, computes them like the program does and prints the
// results with the recommended products.
#include "rechner.h"

#include "model/berechnungsdatei.h"
#include "model/datendateien.h"
#include "model/fehler.h"
#include "model/zahlenformat.h"
#include "refdata/datendatei.h"
#include "refdata/produkte.h"
#include "refdata/tabelle.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <exception>
#include <memory>
#include <optional>

namespace {

const QString AufrufVorlage = QStringLiteral(
    "Aufruf: tropfwerk-rechner [--format text|csv|json] [--daten ORDNER] [--kurve]\n"
    "         [--wasserpreis EUR] [--pumpe EUR] [--wartung EUR] [--einbau EUR]\n"
    "         [--gebuehr EUR] DATEI…\n"
    "Berechnet jede Berechnungsdatei (*.tropfwerk) und gibt ihre Ergebnisse aus.\n"
    "Ein Ordner steht für alle Berechnungsdateien darin.\n"
    "  --format text|csv|json  Ausgabe: deutsche Zahlen (text), Dezimalpunkt (csv, json);\n"
    "                          Vorgabe text\n"
    "  --daten ORDNER          Ordner mit der Produktdatei Data3.cry; Vorgabe: die\n"
    "                          Umgebungsvariable TROPFWERK_DATEN, sonst der Ordner des\n"
    "                          Programms, dann der installierte Datenordner share/tropfwerk\n"
    "  --kurve                 dazu die Deckungskurve (Deckung und Überlauf über dem\n"
    "                          Volumen) und das Volumen, ab dem jeder weitere Kubikmeter\n"
    "                          weniger als 1 Prozentpunkt Deckung bringt (nicht bei csv)\n"
    "  --wasserpreis EUR       Trinkwasserpreis je m³; Vorgabe %1\n"
    "  --pumpe EUR             Pumpenstrom je m³ Regenwasser; Vorgabe %2\n"
    "  --wartung EUR           Wartung je Jahr; Vorgabe %3\n"
    "  --einbau EUR            Einbau zusätzlich zum Produktpreis; Vorgabe %4\n"
    "  --gebuehr EUR           Ersparnis bei der Niederschlagswassergebühr je Jahr;\n"
    "                          Vorgabe %5\n"
    "                          Beträge mit Dezimalkomma oder -punkt, nicht negativ.\n"
    "  --hilfe, --help         diese Übersicht\n"
    "Deckung, Ersparnis und Amortisation jeder Zisterne gelten für erzeugtes Tageswetter\n"
    "über %6 Jahre; der Garten wird von April bis September bewässert.\n");

// The usage with the money defaults.
QString Aufruf()
{
    const TKosten k;
    return AufrufVorlage.arg(zahl::Fest(k.Wasserpreis, 2, 9), zahl::Fest(k.Pumpe, 2, 9),
                             zahl::FestVerlustfrei(k.Wartung, 0, 9),
                             zahl::FestVerlustfrei(k.Einbau, 0, 9),
                             zahl::FestVerlustfrei(k.Gebuehr, 0, 9), QString::number(KurvenJahre));
}

// The money option `name` of `kosten`, or null.
long double* Betrag(TKosten& kosten, const QString& name)
{
    if (name == u"--wasserpreis")
        return &kosten.Wasserpreis;
    if (name == u"--pumpe")
        return &kosten.Pumpe;
    if (name == u"--wartung")
        return &kosten.Wartung;
    if (name == u"--einbau")
        return &kosten.Einbau;
    if (name == u"--gebuehr")
        return &kosten.Gebuehr;
    return nullptr;
}

// An amount with a decimal comma or point; no grouping, no blanks.
std::optional<long double> LiesBetrag(const QString& text)
{
    const QString punkt = QString(text).replace(u',', u'.');
    if (punkt.count(u'.') > 1)
        return std::nullopt;
    return zahl::LiesInvariant(punkt.toStdString());
}

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

void Text(const std::vector<TFall>& faelle, QTextStream& aus, bool kurve)
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
        if (fall.Produkte.empty())
            aus << "Empfohlene Zisternen: keine\n";
        else
            aus << "Empfohlene Zisternen:\n";
        for (const TEmpfehlung& p : fall.Produkte)
            aus << "  " << p.Hersteller << " | " << p.Produkt << " | " << p.VolumenText << " | "
                << p.PreisText << " | Deckung " << zahl::Fest(100 * p.Deckung, 1, 9)
                << " % | Ersparnis " << zahl::Fest(p.Zahlen.Ersparnis, 2, 9)
                << " EUR/Jahr | Amortisation "
                << (p.Zahlen.Amortisation
                        ? zahl::Fest(*p.Zahlen.Amortisation, 1, 9) + QStringLiteral(" Jahre")
                        : QStringLiteral("nie"))
                << '\n';
        if (!kurve)
            continue;
        aus << "Deckungskurve:\n"
            << "    Volumen  Deckung  Überlauf\n";
        for (const TDeckungsPunkt& k : fall.Deckung.Kurve)
            aus << "  " << (zahl::Fest(k.Volumen, 2, 9) + QStringLiteral(" m³")).rightJustified(9)
                << "  "
                << (zahl::Fest(100 * k.Deckung, 1, 9) + QStringLiteral(" %")).rightJustified(7)
                << "  "
                << (zahl::Fest(100 * k.Ueberlauf, 1, 9) + QStringLiteral(" %")).rightJustified(8)
                << '\n';
        aus << KnickText(fall.Deckung.Knick) << '\n';
    }
}

void Csv(const std::vector<TFall>& faelle, QTextStream& aus)
{
    aus << "Datei,PLZ,Niederschlag,Ertrag,Bedarf,Volumen,Rate,Hersteller,Produkt,"
           "Produktvolumen,Preis,Deckung,Regenwasser,Ersparnis,Amortisation\n";
    for (const TFall& fall : faelle) {
        const TParameterSatz& s = fall.Satz;
        const QString kopf = CsvFeld(fall.Datei) + u',' + CsvFeld(s.PLZ) + u',' + Inv(s.Menge) +
                             u',' + Inv(s.Ertrag) + u',' + Inv(s.Bedarf) + u',' + Inv(s.Volumen) +
                             u',' + Inv(s.Rate);
        if (fall.Produkte.empty())
            aus << kopf << ",,,,,,,,\n";
        for (const TEmpfehlung& p : fall.Produkte)
            aus << kopf << ',' << CsvFeld(p.Hersteller) << ',' << CsvFeld(p.Produkt) << ','
                << Inv(p.Volumen) << ',' << Inv(p.Preis) << ',' << Inv(p.Deckung) << ','
                << Inv(p.Zahlen.Regenwasser) << ',' << Inv(p.Zahlen.Ersparnis) << ','
                << (p.Zahlen.Amortisation ? Inv(*p.Zahlen.Amortisation) : QString()) << '\n';
    }
}

void Json(const std::vector<TFall>& faelle, QTextStream& aus, bool kurve)
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
                << ", \"Volumen\": " << Inv(p.Volumen) << ", \"Preis\": " << Inv(p.Preis)
                << ", \"Deckung\": " << Inv(p.Deckung)
                << ", \"Regenwasser\": " << Inv(p.Zahlen.Regenwasser)
                << ", \"Ersparnis\": " << Inv(p.Zahlen.Ersparnis) << ", \"Amortisation\": "
                << (p.Zahlen.Amortisation ? Inv(*p.Zahlen.Amortisation) : QStringLiteral("null"))
                << '}';
        }
        aus << ']';
        if (kurve) {
            aus << ", \"Kurve\": [";
            for (size_t j = 0; j < fall.Deckung.Kurve.size(); ++j) {
                const TDeckungsPunkt& k = fall.Deckung.Kurve[j];
                aus << (j == 0 ? "" : ", ") << "{\"Volumen\": " << Inv(k.Volumen)
                    << ", \"Deckung\": " << Inv(k.Deckung)
                    << ", \"Ueberlauf\": " << Inv(k.Ueberlauf) << '}';
            }
            aus << "], \"Knick\": "
                << (fall.Deckung.Knick ? Inv(*fall.Deckung.Knick) : QStringLiteral("null"));
        }
        aus << '}';
    }
    aus << (faelle.empty() ? "]\n" : "\n]\n");
}

// Loads Data3.cry found along the search path into mtProd. Returns the message of a failure,
// naming the folder and the file, or an empty string.
QString LadeProduktdatei(TTabelle& mtProd, const QString& explizit, const QString& programmOrdner)
{
    const QString name = QString::fromLatin1(Data3.Name);
    const QStringList suchpfad = Datensuchpfad(explizit, programmOrdner);
    const QString ordner = FindeDatenordner(suchpfad, {name});
    if (ordner.isEmpty()) {
        if (suchpfad.size() == 1 && !QFileInfo(suchpfad.front()).isDir())
            return QStringLiteral("Der Datenordner „%1“ existiert nicht; darin wird die "
                                  "Produktdatei %2 gesucht.")
                .arg(QDir::toNativeSeparators(suchpfad.front()), name);
        return QStringLiteral("Die Datei %1 wurde nicht gefunden.\n").arg(name) +
               GesuchtInZeile(suchpfad);
    }
    const QString datei = QDir::toNativeSeparators(QDir(ordner).filePath(name));
    try {
        LoadProducts(mtProd, ordner);
    } catch (const ESchwererFehler&) {
        return QFileInfo(datei).isReadable()
                   ? QStringLiteral("Die Datei „%1“ ist unvollständig oder beschädigt.").arg(datei)
                   : QStringLiteral("Die Datei „%1“ kann nicht gelesen werden.").arg(datei);
    } catch (const EFehler& f) {
        return MitSchlusspunkt(f.Meldung()) + QStringLiteral("\nGelesen aus „%1“.").arg(datei);
    } catch (const std::exception& f) {
        return MitSchlusspunkt(QString::fromLocal8Bit(f.what())) +
               QStringLiteral("\nGelesen aus „%1“.").arg(datei);
    }
    return {};
}

} // namespace

bool LiesAufruf(const QStringList& argumente, TRechnerAufruf& aufruf, QString& fehler)
{
    for (qsizetype i = 0; i < argumente.size(); ++i) {
        QString arg = argumente[i];
        QString wert;
        const auto mitWert = [&aufruf](const QString& name) {
            return name == u"--format" || name == u"--daten" ||
                   Betrag(aufruf.Kosten, name) != nullptr;
        };
        if (mitWert(arg)) {
            if (i + 1 >= argumente.size()) {
                fehler = QStringLiteral("%1 braucht einen Wert.").arg(arg);
                return false;
            }
            wert = argumente[++i];
        } else if (arg.startsWith(u"--") && mitWert(arg.left(arg.indexOf(u'=')))) {
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
        } else if (long double* betrag = Betrag(aufruf.Kosten, arg)) {
            const std::optional<long double> zahl = LiesBetrag(wert);
            if (!zahl) {
                fehler = QStringLiteral("Ungültiger Betrag „%1“ für %2: erwartet wird eine Zahl "
                                        "mit Dezimalkomma oder -punkt.")
                             .arg(wert, arg);
                return false;
            }
            if (*zahl < 0) {
                fehler = QStringLiteral("Der Betrag für %1 darf nicht negativ sein („%2“).")
                             .arg(arg, wert);
                return false;
            }
            if (*zahl > 1e9L) {
                fehler = QStringLiteral("Der Betrag für %1 ist zu groß („%2“).").arg(arg, wert);
                return false;
            }
            *betrag = *zahl;
        } else if (arg == u"--kurve") {
            aufruf.Kurve = true;
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

TFall RechneFall(const QString& datei, TTabelle& mtProd, const TKosten& kosten)
{
    TFall fall{datei, LadeBerechnung(datei), {}, {}};
    FilterProducts(mtProd, fall.Satz.Volumen);
    // A calculator of its own per case: the weather depends on the site only.
    TDeckungsrechner rechner;
    TWirtschaftlichkeitsDaten daten =
        RechneWirtschaftlichkeit(fall.Satz, StandardGartenmonate, mtProd, kosten, rechner);
    for (int zeile = 0; zeile < mtProd.Anzahl(); ++zeile)
        fall.Produkte.push_back({std::move(daten.Produkte[static_cast<size_t>(zeile)]),
                                 mtProd.Anzeigetext(zeile, u"Volumen"),
                                 mtProd.Anzeigetext(zeile, u"Preis")});
    fall.Deckung = std::move(daten.Ergebnis);
    return fall;
}

void GibAus(const std::vector<TFall>& faelle, TAusgabeFormat format, QTextStream& aus, bool kurve)
{
    switch (format) {
    case TAusgabeFormat::Text:
        Text(faelle, aus, kurve);
        break;
    case TAusgabeFormat::Csv:
        Csv(faelle, aus);
        break;
    case TAusgabeFormat::Json:
        Json(faelle, aus, kurve);
        break;
    }
    aus.flush();
}

int FuehreRechnerAus(const QStringList& argumente, const QString& programmOrdner, QTextStream& aus,
                     QTextStream& fehler)
{
    if (argumente.contains(u"--hilfe") || argumente.contains(u"--help")) {
        aus << Aufruf();
        aus.flush();
        return 0;
    }
    TRechnerAufruf aufruf;
    QString grund;
    if (!LiesAufruf(argumente, aufruf, grund)) {
        fehler << grund << '\n' << Aufruf();
        fehler.flush();
        return 2;
    }
    const std::unique_ptr<TTabelle> mtProd = ErzeugeProduktTabelle();
    const QString datenfehler = LadeProduktdatei(*mtProd, aufruf.Datenordner, programmOrdner);
    if (!datenfehler.isEmpty()) {
        fehler << datenfehler << '\n';
        fehler.flush();
        return 1;
    }

    int status = 0;
    std::vector<TFall> faelle;
    for (const QString& datei : Falldateien(aufruf.Dateien)) {
        try {
            faelle.push_back(RechneFall(datei, *mtProd, aufruf.Kosten));
        } catch (const EFehler& f) {
            fehler << MitSchlusspunkt(f.Meldung()) << '\n';
            status = 1;
        } catch (const std::exception& f) {
            fehler << datei << ": " << MitSchlusspunkt(QString::fromLocal8Bit(f.what())) << '\n';
            status = 1;
        }
    }
    fehler.flush();
    GibAus(faelle, aufruf.Format, aus, aufruf.Kurve);
    return status;
}
