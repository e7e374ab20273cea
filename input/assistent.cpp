// Input wizard. Each page is checked when the user moves on; input errors are shown by the
// wizard itself, every other error goes on to the central error handler. The fields start
// with their own defaults, not with the values of the set handed in.
#include "input/assistent.h"

#include "input/fassistentdialog.h"
#include "input/niederschlageditor.h"
#include "model/fehler.h"
#include "model/grenzen.h"
#include "model/zahlenformat.h"
#include "refdata/kartendialog.h"
#include "refdata/plzkonverter.h"
#include "ui/bilder.h"
#include "ui/fehlerwaechter.h"
#include "ui/hilfe.h"
#include "ui/meldung.h"
#include "ui/werkzeug.h"

#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <cmath>
#include <initializer_list>

namespace {
const QString Fehlertitel = QStringLiteral("Fehler");

const QString GartenMeldung =
    QStringLiteral("Bitte geben Sie einen Wert zwischen %0.0f und %0.0f für die Gartenfläche ein.");
const QString GartenVMeldung = QStringLiteral("Bitte geben Sie einen Wert zwischen %0.0f und "
                                              "%0.0f für den Verbrauch der Gartenbewässerung ein.");
const QString PersonenMeldung = QStringLiteral(
    "Bitte geben Sie einen Wert zwischen %0.0f und %0.0f für die Anzahl der Personen ein.");
const QString VerbrauchMeldung =
    QStringLiteral("Bitte geben Sie einen Wert zwischen %0.2f und %0.2f für den Verbrauch ein.");
const QString WGradMeldung = QStringLiteral(
    "Bitte geben Sie einen Wert zwischen %0.0f und %0.0f für den Filterwirkungsgrad ein.");
const QString LBeiwertMeldung =
    QStringLiteral("Bitte geben Sie einen Wert zwischen %0.0f und %0.0f für den Ladebeiwert ein.");

// Topic of the information system that "&Info" opens.
constexpr int InfoKontext = 10;

// Pale green of the fields whose defaults need no change.
const QColor Blassgruen(192, 220, 192);

// Fills the "%0.<n>f" placeholders of the format in turn, German style.
QString Fuelle(const QString& format, std::initializer_list<long double> werte)
{
    QString text;
    auto wert = werte.begin();
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (wert != werte.end() && format.mid(i, 3) == QStringLiteral("%0.") &&
            i + 4 < format.size() && format[i + 3].isDigit() && format[i + 4] == u'f') {
            text += zahl::Dezimal(*wert++, format[i + 3].digitValue());
            i += 4;
            continue;
        }
        text += format[i];
    }
    return text;
}

// Cuts the value to `stellen` decimals and gives the nearest long double of the cut decimal, so
// that a value typed with no more decimals stays exactly as read (multiplying by 0,1^n instead
// drifts by a unit in the last place: 1 would end up above its bound). A value that is the
// nearest long double of a decimal but lies just below it counts as that decimal.
long double Abgeschnitten(long double wert, int stellen)
{
    long double skala = 1;
    for (int i = 0; i < stellen; ++i)
        skala *= 10;
    long double n = std::floor(wert * skala);
    const auto dezimal = [&](long double k) {
        return zahl::Lies(zahl::Dezimal(k / skala, stellen));
    };
    if (const auto naechste = dezimal(n + 1); naechste && *naechste <= wert)
        n += 1;
    return dezimal(n).value_or(wert) + 0.0L; // no -0
}

void Blassgruener(QWidget* feld)
{
    QPalette farben = feld->palette();
    farben.setColor(QPalette::Base, Blassgruen);
    feld->setPalette(farben);
}

// A page of the wizard, named and titled.
QWidget* Seite(QTabWidget* seiten, const char* name, const QString& titel)
{
    auto* seite = new QWidget;
    seite->setObjectName(QString::fromLatin1(name));
    seiten->addTab(seite, titel);
    return seite;
}

constexpr int Breite = 453;
constexpr int Hoehe = 331;
constexpr int KopfHoehe = 73;
constexpr int KnopfLeisteHoehe = 41;
constexpr int TextBreite = 437;
} // namespace

TfrmAssistent::TfrmAssistent(TPLZConverter& plz, QWidget* besitzer)
    : TInputForm(besitzer), FPLZ(plz)
{
    setObjectName(QStringLiteral("frmAssistent"));
    setWindowTitle(QStringLiteral("Eingabe-Assistent"));
    FesterDialogRahmen(this, Breite, Hoehe);

    ErzeugeKopf();
    ErzeugeStandort();
    ErzeugeHausdaten();
    ErzeugeHaushalt();
    ErzeugeTechnik();
    ErzeugeKnoepfe();
    LegeReihenfolgeFest();
    Verbinde();

    FiltereAlleTasten(this);
    InstalliereHilfeTaste(this, HilfeDatei::Anwendung, HilfeKontext::Assistent);
    ZentriereAufBildschirm(this);

    ManualNS = false;
    pcAssistent->setCurrentIndex(0);
    pcAssistentChange();
}

// White header with the page's picture and title.
void TfrmAssistent::ErzeugeKopf()
{
    pBeschreibung = new QWidget(this);
    pBeschreibung->setObjectName(QStringLiteral("pBeschreibung"));
    pBeschreibung->setGeometry(0, 0, Breite, KopfHoehe);
    WeisserHintergrund(pBeschreibung);
    {
        QPalette schwarz = pBeschreibung->palette();
        schwarz.setColor(QPalette::WindowText, Qt::black);
        pBeschreibung->setPalette(schwarz);
    }
    iThema = new QLabel(pBeschreibung);
    iThema->setObjectName(QStringLiteral("iThema"));
    iThema->setGeometry(4, 1, 71, 69);
    iThema->setAlignment(Qt::AlignCenter);
    lThema = Fett(Text(pBeschreibung, "lThema", QString(), QRect(88, 0, 357, 71), false));
    {
        QFont titel = lThema->font();
        titel.setPointSizeF(titel.pointSizeF() * 1.4);
        lThema->setFont(titel);
    }
    Trennlinie(pBeschreibung, QStringLiteral("bKopf"), QRect(0, KopfHoehe - 2, Breite, 2));

    pcAssistent = new QTabWidget(this);
    pcAssistent->setObjectName(QStringLiteral("pcAssistent"));
    pcAssistent->setGeometry(0, KopfHoehe, Breite, Hoehe - KopfHoehe - KnopfLeisteHoehe);
    pcAssistent->setDocumentMode(true);
    pcAssistent->tabBar()->hide();
    pcAssistent->setFocusPolicy(Qt::NoFocus);
}

// Location.
void TfrmAssistent::ErzeugeStandort()
{
    tsStandort = Seite(pcAssistent, "tsStandort", QStringLiteral("Standort"));
    Text(tsStandort, "lStandort",
         QStringLiteral("Dieser Dialog dient dazu, um die durchschnittliche Niederschlagsmenge an "
                        "Ihrem Standort zu bestimmen. Dazu muss die nächste Wetterstation in Ihrer "
                        "Nähe bestimmt werden. Wählen Sie dafür ihren Standpunkt auf der Landkarte "
                        "oder geben Sie Ihre Postleitzahl ein."),
         QRect(8, 6, TextBreite, 58), true);
    btnKarte = Knopf(tsStandort, "btnKarte", QStringLiteral("&Landkarte"), QRect(8, 70, 100, 25),
                     QStringLiteral("Wählen Sie Ihren Standort auf der Landkarte aus."));
    iPfeil = Bild(tsStandort, "iPfeil", QStringLiteral("PFEIL"), QRect(116, 75, 24, 16));
    edPLZ = BeschriftetesFeld(tsStandort, QStringLiteral("edPLZ"), QStringLiteral("&Postleitzahl"),
                              QRect(148, 72, 76, 21), QRect(226, 72, 70, 21));
    edPLZ->setToolTip(QStringLiteral("Postleitzahl der nächten Wetterstation"));
    InfoHintergrund(edPLZ);
    Text(tsStandort, "lAutomatisch",
         QStringLiteral("Bei Eingabe der Postleitzahl ändert sich diese automatisch zur "
                        "Postleitzahl nächsten bekannten Wetterstation."),
         QRect(8, 102, TextBreite, 30), true);
    Bild(tsStandort, "iInfo", QStringLiteral("INFO"), QRect(8, 138, 32, 32));
    Text(
        tsStandort, "lBearbeiten",
        QStringLiteral("Wenn Sie die Niederschlagswerte Ihres Standortes kennen, oder nachträglich "
                       "verändern möchten, dann klicken Sie folgende Schaltfläche."),
        QRect(48, 138, TextBreite - 40, 44), true);
    btnEditNS = Knopf(tsStandort, "btnEditNS", QStringLiteral("Niederschlagswerte &bearbeiten"),
                      QRect(48, 184, 210, 25),
                      QStringLiteral("Niederschlagswerte eingeben oder nachträglich ändern"));
}

// House data.
void TfrmAssistent::ErzeugeHausdaten()
{
    tsHausdaten = Seite(pcAssistent, "tsHausdaten", QStringLiteral("Hausdaten"));
    Fett(Text(tsHausdaten, "lAuffangflaechen", QStringLiteral("Auffangflächen"),
              QRect(8, 6, TextBreite, 16), false));
    Text(tsHausdaten, "lAuffangText",
         QStringLiteral("Auffangflächen sind die Flächen, die Regenwasser auffangen und dieses der "
                        "Zisterne zuführen."),
         QRect(8, 24, TextBreite, 30), true);
    // Both columns beside a vertical scroll bar.
    lvFlaechen = Spaltenliste(tsHausdaten, "lvFlaechen",
                              {QStringLiteral("Fläche (m²)"), QStringLiteral("Abflussbeiwert")},
                              QRect(8, 56, 204, 100), 90);
    lvFlaechen->setToolTip(QStringLiteral("Liste aller Auffangflächen"));
    lvFlaechen->setAccessibleName(QStringLiteral("Auffangflächen"));
    btnPlus = Knopf(tsHausdaten, "btnPlus", QStringLiteral("Hinzu&fügen"), QRect(220, 56, 100, 25),
                    QStringLiteral("Klicken Sie hier, um eine Fläche hinzuzufügen"));
    btnMinus = Knopf(tsHausdaten, "btnMinus", QStringLiteral("&Entfernen"), QRect(220, 86, 100, 25),
                     QStringLiteral("Klicken Sie hier, um die gewählte Fläche zu entfernen"));
    edGarten =
        BeschriftetesFeld(tsHausdaten, QStringLiteral("edGarten"), QStringLiteral("Gartenfläche"),
                          QRect(8, 164, 292, 21), QRect(304, 164, 80, 21));
    edGarten->setToolTip(
        QStringLiteral("Tragen Sie hier die tatsächlich bewässerte Gartenfläche ein."));
    Text(tsHausdaten, "lGartenEinheit", QStringLiteral("m²"), QRect(390, 164, 40, 21), false);
    edGartenV = BeschriftetesFeld(tsHausdaten, QStringLiteral("edGartenV"),
                                  QStringLiteral("Wasserverbrauch für Gartenbewässerung / Jahr"),
                                  QRect(8, 190, 292, 21), QRect(304, 190, 80, 21));
    edGartenV->setToolTip(QStringLiteral("Vorgabewert (0,06) braucht nicht geändert zu werden."));
    edGartenV->setText(QStringLiteral("0,06"));
    Text(tsHausdaten, "lGartenVEinheit", QStringLiteral("m³"), QRect(390, 190, 40, 21), false);
}

// Household: one row per consumer, a picture, the persons and the consumption per person.
void TfrmAssistent::ErzeugeHaushalt()
{
    tsHaushalt = Seite(pcAssistent, "tsHaushalt", QStringLiteral("Haushalt"));
    Text(tsHaushalt, "lHaushalt",
         QStringLiteral("Bitte geben Sie an, wieviele Personen welche Verbraucher nutzen"),
         QRect(8, 6, TextBreite, 16), false);
    Text(tsHaushalt, "lAnzahl", QStringLiteral("Anzahl Personen"), QRect(44, 28, 102, 16), false);
    Text(tsHaushalt, "lVerbrauch", QStringLiteral("Verbrauch / Jahr"), QRect(148, 28, 110, 16),
         false);
    struct Zeile {
        const char* bildName;
        const char* bild;
        const char* pers;
        const char* persHinweis;
        const char* mal;
        const char* verbrauch;
        const char* einheit;
        const char* einheitText;
        const char* hinweis;
        const char* anfang;
    };
    const Zeile zeilen[] = {
        {"iWCSpar", "WCSPAR", "edPersWCSpar",
         "Anzahl der Personen, die ein WC mit Spar/Stoptaste nutzen", "lWCSparMal", "edPersWCSparV",
         "lWCSparV", "m³ für Toilettenspülung mit Spar/Stoptaste",
         "Vorgabewert (8,8) braucht nicht geändert zu werden.", "8,8"},
        {"iWCNorm", "WCNORM", "edPersWCNorm",
         "Anzahl der Personen, die ein WC ohne Spar/Stoptaste nutzen", "lWCNormMal",
         "edPersWCNormV", "lWCNormV", "m³ für Toilettenspülung ohne Spar/Stoptaste",
         "Vorgabewert (14,0) braucht nicht geändert zu werden.", "14,0"},
        {"iWasch", "WASCH", "edPersWasch", "Anzahl der Personen, die eine Waschmaschine nutzen",
         "lWaschMal", "edPersWaschV", "lWaschV", "m³ für Waschmaschine",
         "Vorgabewert (4,4) braucht nicht geändert zu werden.", "4,4"},
    };
    QLineEdit* haushalt[6] = {};
    for (int i = 0; i < 3; ++i) {
        const Zeile& z = zeilen[i];
        const int y = 48 + 54 * i;
        Bild(tsHaushalt, z.bildName, QString::fromLatin1(z.bild), QRect(8, y, 32, 32));
        haushalt[2 * i] = Feld(tsHaushalt, z.pers, QRect(44, y + 5, 80, 21), QString(),
                               QString::fromUtf8(z.persHinweis));
        Text(tsHaushalt, z.mal, QStringLiteral("x"), QRect(130, y + 5, 12, 21), false);
        haushalt[2 * i + 1] = Feld(tsHaushalt, z.verbrauch, QRect(148, y + 5, 60, 21),
                                   QString::fromUtf8(z.anfang), QString::fromUtf8(z.hinweis));
        haushalt[2 * i]->setAccessibleName(QString::fromUtf8(z.persHinweis));
        Blassgruener(haushalt[2 * i + 1]);
        QLabel* einheit = Text(tsHaushalt, z.einheit, QString::fromUtf8(z.einheitText),
                               QRect(214, y, 231, 32), true);
        einheit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        einheit->setBuddy(haushalt[2 * i + 1]);
    }
    edPersWCSpar = haushalt[0];
    edPersWCSparV = haushalt[1];
    edPersWCNorm = haushalt[2];
    edPersWCNormV = haushalt[3];
    edPersWasch = haushalt[4];
    edPersWaschV = haushalt[5];
}

// Technical values.
void TfrmAssistent::ErzeugeTechnik()
{
    tsTechnik = Seite(pcAssistent, "tsTechnik", QStringLiteral("Technik"));
    Text(tsTechnik, "lTechnik",
         QStringLiteral("Dieser Dialog dient zur Ermittlung von zwei technischen Werten, dem "
                        "Filterwirkungsgrad und dem Ladebeiwert."),
         QRect(8, 6, TextBreite, 30), true);
    Text(tsTechnik, "lFilter",
         QStringLiteral("Der Filterwirkungsgrad bezieht sich auf den Filter, der direkt an den "
                        "Regenwasserauffang angeschlossen ist. Der Wirkungsgrad ist üblicherweise "
                        "am Filter oder in der technischen Dokumentation dazu angegeben. Bei "
                        "modernen Regenwasserzisternen beträgt er ca. 90%."),
         QRect(8, 38, TextBreite, 58), true);
    edWGrad = BeschriftetesFeld(tsTechnik, QStringLiteral("edWGrad"),
                                QStringLiteral("Filterwirkungsgrad"), QRect(8, 100, 130, 21),
                                QRect(140, 100, 60, 21));
    edWGrad->setToolTip(QStringLiteral("hydraulischer Filterwirkungsgrad in Prozent"));
    edWGrad->setText(QStringLiteral("90"));
    Text(tsTechnik, "lProzent", QStringLiteral("%"), QRect(206, 100, 20, 21), false);
    Text(tsTechnik, "lLadebeiwert",
         QStringLiteral("Mit dem Ladebeiwert wird das Speichervolumen der Zisterne berechnet. Er "
                        "ist ein statistischer Mittelwert und braucht im Normalfall nicht geändert "
                        "zu werden."),
         QRect(8, 130, TextBreite, 44), true);
    edLBeiwert =
        BeschriftetesFeld(tsTechnik, QStringLiteral("edLBeiwert"), QStringLiteral("Ladebeiwert"),
                          QRect(8, 178, 130, 21), QRect(140, 178, 60, 21));
    edLBeiwert->setToolTip(
        QStringLiteral("Diese Vorgabe (0,06) sollten Sie für eine korrekte Simulation nicht "
                       "verändern."));
    edLBeiwert->setText(QStringLiteral("0,06"));
    Blassgruener(edLBeiwert);
}

// Buttons.
void TfrmAssistent::ErzeugeKnoepfe()
{
    pButtons = new QWidget(this);
    pButtons->setObjectName(QStringLiteral("pButtons"));
    pButtons->setGeometry(0, Hoehe - KnopfLeisteHoehe, Breite, KnopfLeisteHoehe);
    Trennlinie(pButtons, QStringLiteral("bKnoepfe"), QRect(0, 0, Breite, 2));
    btnInfo = Knopf(pButtons, "btnInfo", QStringLiteral("&Info"), QRect(8, 9, 68, 25),
                    QStringLiteral("Öffntet das Informationssystem"));
    btnHilfe = Knopf(pButtons, "btnHilfe", QStringLiteral("&Hilfe"), QRect(80, 9, 68, 25),
                     QStringLiteral("Bietet Hilfe zum aktuellen Dialog"));
    btnAbbrechen = Knopf(pButtons, "btnAbbrechen", QStringLiteral("Abb&rechen"),
                         QRect(152, 9, 72, 25), QStringLiteral("Eingaben verwerfen (Esc)"));
    btnZurueck = Knopf(pButtons, "btnZurueck", QStringLiteral("&Zurück"), QRect(233, 9, 68, 25),
                       QStringLiteral("Zum vorherigen Dialog wechseln"));
    btnWeiter = Knopf(pButtons, "btnWeiter", QStringLiteral("&Weiter"), QRect(305, 9, 68, 25),
                      QStringLiteral("Zum nächsten Dialog wechseln"));
    btnAuswertung = Knopf(pButtons, "btnAuswertung", QStringLiteral("&Auswerten"),
                          QRect(377, 9, 68, 25), QStringLiteral("Mit der Auswertung beginnen"));
    // Enter is handled by the wizard.
    KeinStandardKnopf({btnKarte, btnEditNS, btnPlus, btnMinus, btnInfo, btnHilfe, btnAbbrechen,
                       btnZurueck, btnWeiter, btnAuswertung});
}

// The pages' fields, their pictures and the tab order across pages and buttons.
void TfrmAssistent::LegeReihenfolgeFest()
{
    FSeitenFelder = {{
        {btnKarte, edPLZ, btnEditNS},
        {lvFlaechen, btnPlus, btnMinus, edGarten, edGartenV},
        {edPersWCSpar, edPersWCSparV, edPersWCNorm, edPersWCNormV, edPersWasch, edPersWaschV},
        {edWGrad, edLBeiwert},
    }};
    FSeitenBilder = {QStringLiteral("STANDORT"), QStringLiteral("HAUSDATEN"),
                     QStringLiteral("HAUSHALT"), QStringLiteral("TECHNIK")};
    std::vector<QWidget*> reihenfolge;
    for (const auto& felder : FSeitenFelder)
        reihenfolge.insert(reihenfolge.end(), felder.begin(), felder.end());
    reihenfolge.insert(reihenfolge.end(),
                       {btnInfo, btnHilfe, btnAbbrechen, btnZurueck, btnWeiter, btnAuswertung});
    for (size_t i = 1; i < reihenfolge.size(); ++i)
        setTabOrder(reihenfolge[i - 1], reihenfolge[i]);
}

// Buttons and the postal-code field.
void TfrmAssistent::Verbinde()
{
    VerbindeBewacht(pcAssistent, &QTabWidget::currentChanged, this,
                    &TfrmAssistent::pcAssistentChange);
    VerbindeBewacht(btnWeiter, &QPushButton::clicked, this, &TfrmAssistent::btnWeiterClick);
    VerbindeBewacht(btnZurueck, &QPushButton::clicked, this, &TfrmAssistent::btnZurueckClick);
    VerbindeBewacht(btnAuswertung, &QPushButton::clicked, this, &TfrmAssistent::btnAuswertungClick);
    connect(btnAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
    VerbindeBewacht(btnHilfe, &QPushButton::clicked, this,
                    [] { OeffneHilfe(HilfeDatei::Anwendung, HilfeKontext::Assistent); });
    VerbindeBewacht(btnInfo, &QPushButton::clicked, this,
                    [] { OeffneHilfe(HilfeDatei::Information, InfoKontext); });
    VerbindeBewacht(btnKarte, &QPushButton::clicked, this, &TfrmAssistent::btnKarteClick);
    VerbindeBewacht(btnEditNS, &QPushButton::clicked, this, &TfrmAssistent::btnEditNSClick);
    VerbindeBewacht(btnPlus, &QPushButton::clicked, this, &TfrmAssistent::btnPlusClick);
    VerbindeBewacht(btnMinus, &QPushButton::clicked, this, &TfrmAssistent::btnMinusClick);
    VerbindeBewacht(edPLZ, &QLineEdit::textChanged, this, &TfrmAssistent::edPLZChange);
}

TfrmAssistent::~TfrmAssistent()
{
    disconnect(edPLZ, nullptr, this, nullptr);
    if (KarteDialog)
        KarteDialog->SetCloseCallback({});
}

void TfrmAssistent::pcAssistentChange()
{
    const int seite = pcAssistent->currentIndex();
    if (seite < 0)
        return;
    lThema->setText(pcAssistent->tabText(seite));
    try {
        const QString& name = FSeitenBilder[static_cast<size_t>(seite)];
        QSize groesse = BildGroesse(name);
        if (groesse.isValid())
            groesse.scale(iThema->size(), Qt::KeepAspectRatio);
        iThema->setPixmap(LadeBild(name, groesse));
    } catch (const std::exception&) {
        // The previous picture stays.
    }
    FSeitenFelder[static_cast<size_t>(seite)].front()->setFocus(Qt::TabFocusReason);
    const int letzte = pcAssistent->count() - 1;
    btnZurueck->setEnabled(seite > 0);
    btnWeiter->setEnabled(seite < letzte);
    btnAuswertung->setEnabled(seite == letzte);
}

bool TfrmAssistent::Pruefe(void (TfrmAssistent::*check)())
{
    try {
        (this->*check)();
        return true;
    } catch (const EInvalidValueException& fehler) {
        ZeigeFehlermeldung(this, fehler.Meldung(), Fehlertitel);
        return false;
    }
}

void TfrmAssistent::btnWeiterClick()
{
    const int seite = pcAssistent->currentIndex();
    void (TfrmAssistent::*check)() = nullptr;
    switch (seite) {
    case 0:
        check = &TfrmAssistent::CheckStandort;
        break;
    case 1:
        check = &TfrmAssistent::CheckHausdaten;
        break;
    case 2:
        check = &TfrmAssistent::CheckHaushalt;
        break;
    default:
        throw EFehler(QStringLiteral("Ungültiger Seitenindex!"));
    }
    if (Pruefe(check))
        pcAssistent->setCurrentIndex(seite + 1);
}

void TfrmAssistent::btnZurueckClick()
{
    if (pcAssistent->currentIndex() > 0)
        pcAssistent->setCurrentIndex(pcAssistent->currentIndex() - 1);
}

void TfrmAssistent::btnAuswertungClick()
{
    if (Pruefe(&TfrmAssistent::CheckTechnik))
        accept();
}

void TfrmAssistent::ReadRangeValue(QLineEdit* feld, long double& wert, const TGrenze& grenze,
                                   const QString& format, int stellen, int verschiebung)
{
    wert = -1;
    const long double faktor = std::pow(10.0L, verschiebung);
    const long double unten = grenze.Min * faktor;
    const long double oben = grenze.Max * faktor;
    const auto gelesen = zahl::Lies(feld->text());
    if (!gelesen || *gelesen < unten || *gelesen > oben) {
        Fokussiere(feld);
        throw EInvalidValueException(Fuelle(format, {unten, oben}));
    }
    wert = Abgeschnitten(*gelesen, stellen);
}

void TfrmAssistent::CheckStandort()
{
    if (ManualNS)
        return;
    TPLZConverter& plz = FPLZ;
    // Curve and annual sum both from the nearest known code, which edPLZ already shows.
    const QString code = plz.ApproximatePLZ(edPLZ->text());
    plz.GetNiederschlagPLZ(code, FParameterSatz.Niederschlag);
    FParameterSatz.Menge = plz.GetMengePLZ(code);
}

void TfrmAssistent::CheckHausdaten()
{
    if (lvFlaechen->topLevelItemCount() == 0)
        throw EInvalidValueException(
            QStringLiteral("Bitte geben mindestens eine Auffangfäche an."));
    FParameterSatz.Flaechen.clear();
    for (int i = 0; i < lvFlaechen->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* zeile = lvFlaechen->topLevelItem(i);
        FParameterSatz.Flaechen.push_back(
            {zahl::Lies(zeile->text(0)).value_or(0), zahl::Lies(zeile->text(1)).value_or(0)});
    }
    ReadRangeValue(edGarten, FParameterSatz.Garten, grenzen::Garten, GartenMeldung, 4);
    ReadRangeValue(edGartenV, FParameterSatz.GartenV, grenzen::Verbrauch, GartenVMeldung, 4);
}

void TfrmAssistent::CheckHaushalt()
{
    TParameterSatz& s = FParameterSatz;
    ReadRangeValue(edPersWCSpar, s.PersWCSpar, grenzen::Personen, PersonenMeldung, 1);
    ReadRangeValue(edPersWCSparV, s.PersWCSparV, grenzen::Verbrauch, VerbrauchMeldung, 4);
    ReadRangeValue(edPersWCNorm, s.PersWCNorm, grenzen::Personen, PersonenMeldung, 1);
    ReadRangeValue(edPersWCNormV, s.PersWCNormV, grenzen::Verbrauch, VerbrauchMeldung, 4);
    ReadRangeValue(edPersWasch, s.PersWasch, grenzen::Personen, PersonenMeldung, 1);
    ReadRangeValue(edPersWaschV, s.PersWaschV, grenzen::Verbrauch, VerbrauchMeldung, 4);
}

void TfrmAssistent::CheckTechnik()
{
    ReadRangeValue(edWGrad, FParameterSatz.WGrad, grenzen::Anteil, WGradMeldung, 4, 2);
    FParameterSatz.WGrad /= 100;
    ReadRangeValue(edLBeiwert, FParameterSatz.LadeBeiwert, grenzen::Anteil, LBeiwertMeldung, 4);
}

void TfrmAssistent::edPLZChange()
{
    ManualNS = false;
    if (FPLZSetzen)
        return;
    const QString text = edPLZ->text();
    if (text.size() < 5)
        return;
    const QString fuenf = text.left(5).trimmed();
    const auto nummer = zahl::LiesGanzzahl(fuenf);
    if (!nummer || *nummer < 0 || *nummer > 99999)
        return;
    TPLZConverter& plz = FPLZ;
    FParameterSatz.PLZ = plz.ApproximatePLZ(fuenf);
    if (edPLZ->text() != FParameterSatz.PLZ) {
        TSperre sperre(FPLZSetzen);
        edPLZ->setText(FParameterSatz.PLZ);
    }
    plz.GetNiederschlagPLZ(FParameterSatz.PLZ, FParameterSatz.Niederschlag);
}

void TfrmAssistent::btnKarteClick()
{
    // One map window at a time: asking again brings it to the front.
    if (KarteDialog) {
        KarteDialog->show();
        KarteDialog->raise();
        KarteDialog->activateWindow();
        return;
    }
    auto* karte = new TfrmKarteDialog(FPLZ, this);
    KarteDialog = karte;
    karte->SetCloseCallback([this](int closeResult) { KarteClosed(closeResult); });
    karte->show();
}

void TfrmAssistent::KarteClosed(int closeResult)
{
    TfrmKarteDialog* karte = KarteDialog;
    // Released whatever happens below, also when the chosen code cannot be looked up.
    const auto freigabe = qScopeGuard([this, karte] {
        KarteDialog = nullptr;
        if (karte)
            karte->deleteLater();
    });
    if (closeResult != 1 || !karte)
        return;
    const QString code = karte->SelectedPLZ();
    if (edPLZ->text() == code)
        edPLZChange(); // the same text changes nothing, but the choice still counts
    else
        edPLZ->setText(code);
}

void TfrmAssistent::btnEditNSClick()
{
    if (BearbeiteNiederschlag(this, FPLZ, FParameterSatz, edPLZ, !ManualNS))
        ManualNS = true; // after emptying the field, whose change clears it
}

void TfrmAssistent::btnPlusClick()
{
    TfrmFAssistentDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Shown as entered: the list's texts are what the page check reads back.
    auto* zeile = new QTreeWidgetItem(lvFlaechen, {zahl::Umkehrbar(dialog.GetFlaeche(), 2, 10),
                                                   zahl::Umkehrbar(dialog.GetBeiwert(), 2, 2)});
    zeile->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
}

void TfrmAssistent::btnMinusClick()
{
    const QList<QTreeWidgetItem*> auswahl = lvFlaechen->selectedItems();
    if (!auswahl.isEmpty())
        delete auswahl.front();
}

bool TfrmAssistent::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (ereignis->type() == QEvent::KeyPress) {
        const auto* taste = static_cast<QKeyEvent*>(ereignis);
        // Esc cancels the wizard, as "Abbrechen" and the close box do.
        if (taste->key() == Qt::Key_Escape && taste->modifiers() == Qt::NoModifier) {
            reject();
            return true;
        }
    }
    if (IstEnterTaste(ereignis) && objekt->isWidgetType()) {
        auto* control = static_cast<QWidget*>(objekt);
        const int seite = pcAssistent->currentIndex();
        if (seite >= 0 && control->parentWidget() == pcAssistent->currentWidget()) {
            // The last control of the page leads to the button that moves on, without pressing it.
            QWidget* letztes = nullptr;
            for (QWidget* feld : FSeitenFelder[static_cast<size_t>(seite)])
                if (feld->isEnabled() && feld->isVisible())
                    letztes = feld;
            if (control == letztes)
                (seite == pcAssistent->count() - 1 ? btnAuswertung : btnWeiter)
                    ->setFocus(Qt::TabFocusReason);
            else
                focusNextChild();
            return true;
        }
        // A focused button elsewhere is pressed.
        if (auto* knopf = qobject_cast<QPushButton*>(control); knopf && knopf->isEnabled()) {
            knopf->click();
            return true;
        }
    }
    return TInputForm::eventFilter(objekt, ereignis);
}

void TfrmAssistent::done(int ergebnis)
{
    if (TfrmKarteDialog* karte = KarteDialog) {
        KarteDialog = nullptr;
        karte->SetCloseCallback({});
        karte->hide();
        karte->deleteLater();
    }
    TInputForm::done(ergebnis);
}
