// The calculator: reads calculation files, computes them like the program does and prints the
// results with the recommended products.
#include "rechner.h"

#include "model/berechnungsdatei.h"
#include "model/datendateien.h"
#include "model/fehler.h"
#include "model/grenzen.h"
#include "model/zahlenformat.h"
#include "refdata/datendatei.h"
#include "refdata/produkte.h"
#include "refdata/tabelle.h"
#include "simulation/kern/wettergenerator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <thread>

#include <dirent.h>

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
    "  --kurve                 dazu die Deckungskurve (Regenwasseranteil und Überlauf\n"
    "                          über dem Volumen) und das Volumen, ab dem jeder weitere\n"
    "                          Kubikmeter weniger als 1 Prozentpunkt Regenwasseranteil\n"
    "                          bringt (nicht bei csv)\n"
    "  --wasserpreis EUR       Trinkwasserpreis je m³; Vorgabe %1\n"
    "  --pumpe EUR             Pumpenstrom je m³ Regenwasser; Vorgabe %2\n"
    "  --wartung EUR           Wartung je Jahr; Vorgabe %3\n"
    "  --einbau EUR            Einbau zusätzlich zum Produktpreis; Vorgabe %4\n"
    "  --gebuehr EUR           Ersparnis bei der Niederschlagswassergebühr je Jahr;\n"
    "                          Vorgabe %5\n"
    "                          Beträge mit Dezimalkomma oder -punkt; ohne Option gilt\n"
    "                          der Betrag der Datei (Objekt \"wirtschaftlichkeit\"),\n"
    "                          sonst die Vorgabe.\n"
    "  --hilfe, --help         diese Übersicht\n"
    "Regenwasseranteil (der Teil des Bedarfs, den Regenwasser deckt; in csv und json das\n"
    "Feld Deckung, 0 bis 1), Ersparnis und Amortisation jeder Zisterne gelten für\n"
    "erzeugtes Tageswetter über %6 Jahre; der Garten wird von April bis September\n"
    "bewässert. Die Deckungsrate ist dagegen der Jahresertrag geteilt durch den Bedarf.\n");

// The usage with the money defaults.
QString Aufruf()
{
    const TKosten k;
    return AufrufVorlage.arg(zahl::Fest(k.Wasserpreis, 2, 9), zahl::Fest(k.Pumpe, 2, 9),
                             zahl::FestVerlustfrei(k.Wartung, 0, 9),
                             zahl::FestVerlustfrei(k.Einbau, 0, 9),
                             zahl::FestVerlustfrei(k.Gebuehr, 0, 9), QString::number(KurvenJahre));
}

// The money input of option `name`, or null.
long double TKosten::*Betrag(const QString& name)
{
    if (name == u"--wasserpreis")
        return &TKosten::Wasserpreis;
    if (name == u"--pumpe")
        return &TKosten::Pumpe;
    if (name == u"--wartung")
        return &TKosten::Wartung;
    if (name == u"--einbau")
        return &TKosten::Einbau;
    if (name == u"--gebuehr")
        return &TKosten::Gebuehr;
    return nullptr;
}

// A result for other programs: decimal point, 15 significant digits (57.915, not the
// 57.915000000000000004 of the extended sum).
QString Inv(long double wert)
{
    return QString::fromStdString(zahl::Gerundet(wert));
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
                << p.PreisText << " | " << QString::fromUtf16(Regenwasseranteil) << ' '
                << zahl::Fest(100 * p.Deckung, 1, 9) << " % | Ersparnis "
                << zahl::Fest(p.Zahlen.Ersparnis, 2, 9) << " EUR/Jahr | Amortisation "
                << (p.Zahlen.Amortisation
                        ? zahl::Fest(*p.Zahlen.Amortisation, 1, 9) + QStringLiteral(" Jahre")
                        : QStringLiteral("nie"))
                << '\n';
        if (!kurve)
            continue;
        // Each column as wide as its widest cell, so that any volume stays aligned.
        std::vector<std::array<QString, 3>> zeilen{{QStringLiteral("Volumen"),
                                                    QString::fromUtf16(Regenwasseranteil),
                                                    QStringLiteral("Überlauf")}};
        for (const TDeckungsPunkt& k : fall.Deckung.Kurve)
            zeilen.push_back({zahl::Fest(k.Volumen, 2, 9) + QStringLiteral(" m³"),
                              zahl::Fest(100 * k.Deckung, 1, 9) + QStringLiteral(" %"),
                              zahl::Fest(100 * k.Ueberlauf, 1, 9) + QStringLiteral(" %")});
        std::array<qsizetype, 3> breite{};
        for (const auto& zeile : zeilen)
            for (size_t i = 0; i < breite.size(); ++i)
                breite[i] = std::max(breite[i], zeile[i].size());
        aus << "Deckungskurve:\n";
        for (const auto& zeile : zeilen) {
            for (size_t i = 0; i < breite.size(); ++i)
                aus << "  " << zeile[i].rightJustified(breite[i]);
            aus << '\n';
        }
        aus << KnickText(fall.Deckung) << '\n';
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

QString Ausgabefehler(int fehlernummer)
{
    return QStringLiteral("Die Ausgabe konnte nicht vollständig geschrieben werden (%1).")
        .arg(Systemgrund(fehlernummer));
}

bool LiesAufruf(const QStringList& argumente, TRechnerAufruf& aufruf, QString& fehler)
{
    for (qsizetype i = 0; i < argumente.size(); ++i) {
        QString arg = argumente[i];
        QString wert;
        const auto mitWert = [](const QString& name) {
            return name == u"--format" || name == u"--daten" || Betrag(name) != nullptr;
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
        } else if (long double TKosten::*betrag = Betrag(arg)) {
            const std::optional<long double> zahl = zahl::LiesBetrag(wert);
            if (!zahl) {
                fehler = QStringLiteral("Ungültiger Betrag „%1“ für %2: erwartet wird eine Zahl "
                                        "mit Dezimalkomma oder -punkt.")
                             .arg(wert, arg);
                return false;
            }
            const TGrenze& grenze = KostenGrenze(betrag);
            if (!ImBereich(*zahl, grenze)) {
                fehler =
                    QStringLiteral("Der Betrag für %1 muss %2 %3 liegen („%4“).")
                        .arg(arg, Bereichstext(grenze), QString::fromUtf16(grenze.Einheit), wert);
                return false;
            }
            aufruf.Kosten.push_back({betrag, *zahl + 0.0L});
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

QStringList Falldateien(const QStringList& pfade, QStringList& fehler)
{
    QStringList dateien;
    for (const QString& pfad : pfade) {
        const QFileInfo info(pfad);
        if (!info.isDir()) {
            dateien << pfad; // the reader says what is wrong with it
            continue;
        }
        const QString ordnerName = QDir::toNativeSeparators(pfad);
        if (info.fileName().endsWith(BerechnungsEndung, Qt::CaseInsensitive)) {
            fehler
                << QStringLiteral("„%1“ ist ein Ordner, keine Berechnungsdatei.").arg(ordnerName);
            continue;
        }
        // Every entry by its bytes, so that no name is lost in decoding.
        DIR* ordner = ::opendir(QFile::encodeName(pfad).constData());
        if (!ordner) {
            fehler << QStringLiteral("Der Ordner „%1“ kann nicht gelesen werden (%2).")
                          .arg(ordnerName, Systemgrund(errno));
            continue;
        }
        const QByteArray endung = BerechnungsEndung.toUtf8().toLower();
        QStringList gefunden;
        bool leer = true;
        while (const dirent* eintrag = ::readdir(ordner)) {
            const QByteArray name(eintrag->d_name);
            if (name.size() <= endung.size() || !name.toLower().endsWith(endung))
                continue;
            leer = false;
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString text = utf8(name);
            if (utf8.hasError()) {
                fehler << QStringLiteral("Die Datei „%1“ kann nicht gelesen werden (ihr Name ist "
                                         "kein gültiges UTF-8).")
                              .arg(QDir::toNativeSeparators(QDir(pfad).filePath(text)));
                continue;
            }
            gefunden << QDir(pfad).filePath(text);
        }
        ::closedir(ordner);
        if (leer)
            fehler << QStringLiteral("Der Ordner „%1“ enthält keine Berechnungsdateien (*%2).")
                          .arg(ordnerName, BerechnungsEndung);
        gefunden.sort();
        dateien << gefunden;
    }
    return dateien;
}

namespace {

// A case read with its recommendations, before its coverage is computed.
struct TVorbereitet {
    TFall Fall;
    TWirtschaftlichkeitsDaten Daten;
    QStringList VolumenTexte;
    QStringList PreisTexte;
};

TVorbereitet Vorbereite(const QString& datei, TTabelle& mtProd, const TKostenVorgaben& vorgaben)
{
    TVorbereitet v{{datei, LadeBerechnung(datei), {}, {}}, {}, {}, {}};
    FilterProducts(mtProd, v.Fall.Satz.Volumen);
    TKosten kosten = v.Fall.Satz.Kosten.value_or(TKosten{});
    for (const TKostenVorgabe& vorgabe : vorgaben)
        kosten.*vorgabe.Wert = vorgabe.Betrag;
    v.Daten = WirtschaftlichkeitsProdukte(v.Fall.Satz, mtProd, kosten);
    for (int zeile = 0; zeile < mtProd.Anzahl(); ++zeile) {
        v.VolumenTexte << mtProd.Anzeigetext(zeile, u"Volumen");
        v.PreisTexte << mtProd.Anzeigetext(zeile, u"Preis");
    }
    return v;
}

// Coverage (with the curve or without) and money figures through the site's weather; needs no
// table.
TFall Vollende(TVorbereitet&& v, const std::vector<double>& wetter, bool kurve)
{
    BewerteProdukte(
        v.Daten, v.Fall.Satz,
        RechneDeckung(v.Fall.Satz, StandardGartenmonate, wetter, ProduktVolumina(v.Daten), kurve));
    for (std::size_t i = 0; i < v.Daten.Produkte.size(); ++i) {
        const auto zeile = static_cast<qsizetype>(i);
        v.Fall.Produkte.push_back({std::move(v.Daten.Produkte[i]), v.VolumenTexte.value(zeile),
                                   v.PreisTexte.value(zeile)});
    }
    v.Fall.Deckung = std::move(v.Daten.Ergebnis);
    return std::move(v.Fall);
}

// Runs arbeit(0 … anzahl − 1) on the machine's cores.
void AufAllenKernen(std::size_t anzahl, const std::function<void(std::size_t)>& arbeit)
{
    std::atomic<std::size_t> naechste{0};
    const auto faden = [&] {
        for (std::size_t i = naechste++; i < anzahl; i = naechste++)
            arbeit(i);
    };
    const std::size_t kerne =
        std::min<std::size_t>(std::max(std::thread::hardware_concurrency(), 1U), anzahl);
    std::vector<std::thread> helfer;
    for (std::size_t k = 1; k < kerne; ++k)
        helfer.emplace_back(faden);
    faden();
    for (std::thread& t : helfer)
        t.join();
}

} // namespace

TFall RechneFall(const QString& datei, TTabelle& mtProd, const TKostenVorgaben& kosten)
{
    TVorbereitet v = Vorbereite(datei, mtProd, kosten);
    TDeckungsrechner rechner;
    const std::vector<double>& wetter = rechner.Wetter(v.Fall.Satz);
    return Vollende(std::move(v), wetter, true);
}

std::vector<TFallErgebnis> RechneFaelle(const QStringList& dateien, TTabelle& mtProd,
                                        const TKostenVorgaben& kosten, bool kurve)
{
    std::vector<TFallErgebnis> ergebnisse(static_cast<std::size_t>(dateien.size()));
    std::vector<std::optional<TVorbereitet>> vorbereitet(ergebnisse.size());
    // The cases of one site, which share its weather.
    std::map<std::uint64_t, std::vector<std::size_t>> orte;
    for (std::size_t i = 0; i < ergebnisse.size(); ++i) {
        const QString& datei = dateien[static_cast<qsizetype>(i)];
        try {
            vorbereitet[i] = Vorbereite(datei, mtProd, kosten);
            orte[WetterSaat(vorbereitet[i]->Fall.Satz)].push_back(i);
        } catch (const EFehler& f) {
            ergebnisse[i].Fehler = MitSchlusspunkt(f.Meldung());
        } catch (const std::exception& f) {
            ergebnisse[i].Fehler =
                datei + QStringLiteral(": ") + MitSchlusspunkt(QString::fromLocal8Bit(f.what()));
        }
    }
    const std::vector<std::vector<std::size_t>> gruppen = [&orte] {
        std::vector<std::vector<std::size_t>> g;
        for (auto& [saat, faelle] : orte)
            g.push_back(std::move(faelle));
        return g;
    }();
    AufAllenKernen(gruppen.size(), [&](std::size_t g) {
        TDeckungsrechner rechner;
        for (const std::size_t i : gruppen[g]) {
            try {
                const std::vector<double>& wetter = rechner.Wetter(vorbereitet[i]->Fall.Satz);
                ergebnisse[i].Fall = Vollende(std::move(*vorbereitet[i]), wetter, kurve);
            } catch (const std::exception& f) {
                ergebnisse[i].Fehler = dateien[static_cast<qsizetype>(i)] + QStringLiteral(": ") +
                                       MitSchlusspunkt(QString::fromLocal8Bit(f.what()));
            }
        }
    });
    return ergebnisse;
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

    QStringList ausgelassen;
    const QStringList dateien = Falldateien(aufruf.Dateien, ausgelassen);
    int status = ausgelassen.isEmpty() ? 0 : 1;
    for (const QString& meldung : ausgelassen)
        fehler << meldung << '\n';
    std::vector<TFall> faelle;
    for (TFallErgebnis& e : RechneFaelle(dateien, *mtProd, aufruf.Kosten, aufruf.Kurve)) {
        if (e.Fall) {
            faelle.push_back(std::move(*e.Fall));
        } else {
            fehler << e.Fehler << '\n';
            status = 1;
        }
    }
    fehler.flush();
    GibAus(faelle, aufruf.Format, aus, aufruf.Kurve);
    if (aus.status() != QTextStream::Ok) {
        fehler << Ausgabefehler(errno) << '\n';
        fehler.flush();
        return 1;
    }
    return status;
}
