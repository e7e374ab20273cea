// Evaluation window: page switching, the compact page, reset and editing the set, the glue of
// the economics page.
#include "evaluation/auswertung.h"

#include "evaluation/bericht/auswertungsbericht.h"
#include "evaluation/bericht/berichtablauf.h"
#include "evaluation/detailempf.h"
#include "evaluation/gestaltung.h"
#include "evaluation/wirtschaftlichkeitsfenster.h"
#include "evaluation/wirtschaftlichkeitsseite.h"
#include "model/berechnung.h"
#include "model/berechnungsdatei.h"
#include "model/zahlenformat.h"
#include "refdata/produkte.h"
#include "simulation/fenster/fuellstandseite.h"
#include "ui/berechnungsdateien.h"
#include "ui/bilder.h"
#include "ui/fehlerwaechter.h"
#include "ui/hilfe.h"
#include "ui/meldung.h"
#include "ui/tabellenansicht.h"
#include "ui/zugang.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

namespace {
constexpr int Breite = FensterBreite;
constexpr int Hoehe = 516;
constexpr int KopfHoehe = 73;
constexpr int FussHoehe = 81;

struct TSeitenInfo {
    const char* Titel;
    const char* Bild;
};
constexpr std::array<TSeitenInfo, 4> Seiten{{
    {"Kompakt-Auswertung", "KAUSWERT"},
    {"ausführliche Auswertung", "AAUSWERT"},
    {"Füllstand-Simulation", "SIMULATION"},
    {"Wirtschaftlichkeit", "WIRTSCHAFT"},
}};

// The four page buttons share the row; their widths follow their captions when shown.
constexpr int SeitenKnopfBreite = 125;
constexpr int SeitenKnopfAbstand = 5;

QToolButton* SeitenKnopf(QWidget* eltern, const char* name, const char* text, int tag)
{
    auto* knopf = new QToolButton(eltern);
    knopf->setObjectName(QString::fromLatin1(name));
    knopf->setText(QString::fromUtf8(text));
    knopf->setCheckable(true);
    knopf->setProperty("Tag", tag);
    AlsSeitenknopf(knopf);
    knopf->setGeometry(8 + tag * (SeitenKnopfBreite + SeitenKnopfAbstand), 8, SeitenKnopfBreite,
                       28);
    return knopf;
}

// The page buttons share their row by the width of their captions in the window's font, so that
// each keeps that font. Only where even that leaves a caption too wide do all of them get the
// same smaller font, down to 6 points.
void VerteileSeitenknoepfe(const std::array<QToolButton*, 4>& knoepfe)
{
    const int links = knoepfe.front()->x();
    const int rechts = knoepfe.back()->geometry().right();
    const int abstand = (knoepfe[1]->x() - knoepfe[0]->geometry().right() - 1);
    const auto textbreite = [](const QToolButton* knopf) {
        const QString text = QString(knopf->text()).remove(QLatin1Char('&'));
        return knopf->fontMetrics().horizontalAdvance(text) + 8;
    };
    const auto verteile = [&] {
        std::array<int, 4> breite{};
        int summe = 0;
        for (std::size_t i = 0; i < knoepfe.size(); ++i)
            summe += breite[i] = textbreite(knoepfe[i]);
        const int frei = rechts - links + 1 - 3 * abstand - summe;
        if (frei < 0)
            return false;
        int x = links;
        for (std::size_t i = 0; i < knoepfe.size(); ++i) {
            const int w = i + 1 < knoepfe.size() ? breite[i] + frei / 4 : rechts - x + 1;
            knoepfe[i]->setGeometry(x, knoepfe[i]->y(), w, knoepfe[i]->height());
            x += w + abstand;
        }
        return true;
    };
    QFont schrift = knoepfe.front()->font();
    while (!verteile() && schrift.pointSizeF() > 6) {
        schrift.setPointSizeF(schrift.pointSizeF() - 0.5);
        for (QToolButton* knopf : knoepfe)
            knopf->setFont(schrift);
    }
}

} // namespace

TfrmAuswertung::TfrmAuswertung(QWidget* parent)
    : TOutputForm(parent), mtProd(ErzeugeProduktTabelle()),
      FBericht(std::make_unique<TAuswertungsBericht>())
{
    setObjectName(QStringLiteral("frmAuswertung"));
    setWindowTitle(QStringLiteral("Auswertung"));
    FesterRahmen(this,
                 Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                     Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                     Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint,
                 Breite, Hoehe);
    mtProd->setObjectName(QStringLiteral("mtProd"));

    ErzeugeKopf();
    ErzeugeSeiten();
    ErzeugeFuss();
    ErzeugeKompaktSeite();
    ErzeugeDetailSeite();
    ErzeugeSimulationsSeite();
    ErzeugeWirtschaftlichkeitsSeite();
    LegeReihenfolgeFest();
    // Enter never presses a button the user did not focus; above all it never resets.
    for (QPushButton* knopf : findChildren<QPushButton*>())
        KeinStandardKnopf({knopf});

    VerbindeBewacht(pcAuswertung, &QTabWidget::currentChanged, this,
                    &TfrmAuswertung::pcAuswertungChange);
    InstalliereHilfeTaste(this, HilfeDatei::Anwendung, [this] { return Hilfekontext(); });
}

void TfrmAuswertung::ErzeugeKopf()
{
    pTop = new QWidget(this);
    pTop->setObjectName(QStringLiteral("pTop"));
    pTop->setGeometry(0, 0, Breite, KopfHoehe);
    pTop->setAutoFillBackground(true);
    QPalette weiss = pTop->palette();
    weiss.setColor(QPalette::Window, Qt::white);
    weiss.setColor(QPalette::WindowText, Qt::black);
    pTop->setPalette(weiss);
    iThema = new QLabel(pTop);
    iThema->setObjectName(QStringLiteral("iThema"));
    iThema->setGeometry(2, 2, 71, 69);
    iThema->setAlignment(Qt::AlignCenter);
    lCaption = Text(pTop, "lCaption", QString(), {88, 8, Breite - 100, KopfHoehe - 16}, true);
    lCaption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lCaption->setFont(Fett(lCaption->font(), 4));
    Trennlinie(this, QString(), {0, KopfHoehe - 1, Breite, 2});
}

void TfrmAuswertung::ErzeugeSeiten()
{
    pcAuswertung = new QTabWidget(this);
    pcAuswertung->setObjectName(QStringLiteral("pcAuswertung"));
    pcAuswertung->setGeometry(0, KopfHoehe + 1, Breite, Hoehe - KopfHoehe - FussHoehe - 1);
    pcAuswertung->tabBar()->hide();
    pcAuswertung->tabBar()->setFocusPolicy(Qt::NoFocus);
    pcAuswertung->setFocusPolicy(Qt::NoFocus);
    pcAuswertung->setDocumentMode(true);
    tsAExpert = new QWidget;
    tsAExpert->setObjectName(QStringLiteral("tsAExpert"));
    tsAInfo = new QWidget;
    tsAInfo->setObjectName(QStringLiteral("tsAInfo"));
    tsASimu = new QWidget;
    tsASimu->setObjectName(QStringLiteral("tsASimu"));
    tsAWirtschaft = new QWidget;
    tsAWirtschaft->setObjectName(QStringLiteral("tsAWirtschaft"));
    pcAuswertung->addTab(tsAExpert, QString::fromUtf8(Seiten[0].Titel));
    pcAuswertung->addTab(tsAInfo, QString::fromUtf8(Seiten[1].Titel));
    pcAuswertung->addTab(tsASimu, QString::fromUtf8(Seiten[2].Titel));
    pcAuswertung->addTab(tsAWirtschaft, QString::fromUtf8(Seiten[3].Titel));
}

void TfrmAuswertung::ErzeugeFuss()
{
    pBottom = new QFrame(this);
    pBottom->setObjectName(QStringLiteral("pBottom"));
    pBottom->setGeometry(0, Hoehe - FussHoehe, Breite, FussHoehe);
    static_cast<QFrame*>(pBottom)->setFrameShape(QFrame::StyledPanel);
    // The page buttons are one group of tabs for assistive technology.
    auto* seiten = new QWidget(pBottom);
    seiten->setObjectName(QStringLiteral("pSeiten"));
    seiten->setGeometry(0, 0, Breite, 41);
    AlsSeitenliste(seiten, QStringLiteral("Seiten"));
    btnKInfo = SeitenKnopf(seiten, "btnKInfo", "&Kompakt-Auswertung", 0);
    btnAInfo = SeitenKnopf(seiten, "btnAInfo", "&ausführliche Auswertung", 1);
    btnSimu = SeitenKnopf(seiten, "btnSimu", "&Füllstand-Simulation", 2);
    btnWirtschaft = SeitenKnopf(seiten, "btnWirtschaft", "&Wirtschaftlichkeit", 3);
    FSeitenKnoepfe = new QButtonGroup(this);
    FSeitenKnoepfe->setExclusive(true);
    for (QToolButton* knopf : {btnKInfo, btnAInfo, btnSimu, btnWirtschaft}) {
        FSeitenKnoepfe->addButton(knopf);
        VerbindeBewacht(knopf, &QToolButton::clicked, this, [this, knopf] {
            SelectPage(knopf->property("Tag").toInt()); // btnSelectPageClick
        });
    }
    Trennlinie(pBottom, QString(), {8, 41, Breite - 16, 2});
    btnReset =
        Knopf(pBottom, "btnReset", QStringLiteral("&Originalwerte herstellen"), {8, 48, 150, 25});
    btnPrintReport =
        Knopf(pBottom, "btnPrintReport", QStringLiteral("Auswertung &drucken"), {164, 48, 130, 25});
    btnSpeichern = Knopf(pBottom, "btnSpeichern", QStringLiteral("Berechnung spei&chern..."),
                         {300, 48, 150, 25},
                         QStringLiteral("Speichert die Berechnung mit Ihren Änderungen (Strg+S)"));
    btnHelp = Knopf(pBottom, "btnHelp", QStringLiteral("&Hilfe"), {Breite - 78, 48, 70, 25});
    VerbindeBewacht(btnReset, &QPushButton::clicked, this, &TfrmAuswertung::btnResetClick);
    VerbindeBewacht(btnPrintReport, &QPushButton::clicked, this,
                    &TfrmAuswertung::btnPrintReportClick);
    VerbindeBewacht(btnSpeichern, &QPushButton::clicked, this, &TfrmAuswertung::btnSpeichernClick);
    auto* speichern = new QShortcut(QKeySequence::Save, this);
    VerbindeBewacht(speichern, &QShortcut::activated, this, &TfrmAuswertung::btnSpeichernClick);
    VerbindeBewacht(btnHelp, &QPushButton::clicked, this,
                    [this] { OeffneHilfe(HilfeDatei::Anwendung, Hilfekontext()); });
}

TfrmAuswertung::~TfrmAuswertung() = default;

void TfrmAuswertung::LegeReihenfolgeFest()
{
    std::vector<QWidget*> folge;
    for (QWidget* seite : {tsAExpert, tsAInfo, tsASimu, tsAWirtschaft}) {
        const std::vector<QWidget*> stopps = TabStopps(seite);
        folge.insert(folge.end(), stopps.begin(), stopps.end());
    }
    folge.insert(folge.end(), {btnKInfo, btnAInfo, btnSimu, btnWirtschaft, btnReset, btnPrintReport,
                               btnSpeichern, btnHelp});
    TabReihenfolge(folge);
}

void TfrmAuswertung::showEvent(QShowEvent* ereignis)
{
    // The buttons have their final width only now that the window is scaled.
    VerteileSeitenknoepfe({btnKInfo, btnAInfo, btnSimu, btnWirtschaft});
    TOutputForm::showEvent(ereignis);
}

void TfrmAuswertung::keyPressEvent(QKeyEvent* ereignis)
{
    if (ereignis->key() == Qt::Key_Escape && ereignis->modifiers() == Qt::NoModifier &&
        FParameterSatz != FOriginalSatz) {
        const auto antwort = ZeigeMeldung(
            {this,
             QStringLiteral("Ihre Änderungen an den Werten gehen verloren. Auswertung trotzdem "
                            "schließen?"),
             QStringLiteral("Auswertung"), QMessageBox::Question,
             QMessageBox::Yes | QMessageBox::No});
        if (antwort != QMessageBox::Yes) {
            ereignis->accept();
            return;
        }
    }
    TOutputForm::keyPressEvent(ereignis);
}

void TfrmAuswertung::ErzeugeKompaktSeite()
{
    auto* gbExpert =
        Gruppe(tsAExpert, "gbExpert", QStringLiteral("Berechnung"), {8, 6, Breite - 16, 122});
    gbExpert->setFont(Fett(gbExpert->font()));
    const std::array<QLabel**, 4> werte{&lEBedarf, &lEErtrag, &lEVolumen, &lERate};
    for (size_t i = 0; i < Ergebniszeilen.size(); ++i)
        *werte[i] = Ergebniszeile(gbExpert, "lE", Ergebniszeilen[i], 22 + static_cast<int>(i) * 23,
                                  {140, 160, 40});

    Fett(Text(tsAExpert, "lEmpfehlung", QStringLiteral("Empfehlung"), {8, 136, 200, 18}));
    dbProd = ErzeugeTabellenansicht(
        tsAExpert, "dbProd", *mtProd,
        {{"Hersteller", 150}, {"Produkt", 150}, {"Volumen", 80}, {"Preis", 80}});
    dbProd->setGeometry(8, 156, Breite - 16, 150);
    dbProd->setAccessibleName(QStringLiteral("Empfehlung"));

    btnEdit = Knopf(tsAExpert, "btnEdit", QStringLiteral("&Parametersatz bearbeiten"),
                    {Breite - 218, 314, 210, 28});
    VerbindeBewacht(btnEdit, &QPushButton::clicked, this, &TfrmAuswertung::btnEditClick);
}

int TfrmAuswertung::Execute(int startSeite)
{
    Vorbereiten(startSeite);
    return exec();
}

void TfrmAuswertung::Vorbereiten(int startSeite)
{
    // An opened case brings its money inputs; otherwise the page keeps the remembered ones.
    if (FParameterSatz.Kosten)
        WirtschaftlichkeitsSeite->SetzeKosten(*FParameterSatz.Kosten);
    LoadProducts();
    Recalculate();
    SetConsumerSliderRanges();
    FuellstandSeite->InterpolateLine();
    SelectPage(startSeite);
    // The values as opened (the sliders change none of them), so that reset brings back exactly
    // the values and results the window opened with.
    CopyParameterSatz(FParameterSatz, FOriginalSatz);
}

void TfrmAuswertung::Recalculate()
{
    BerechneAllesOhneAbbruch(FParameterSatz);
    WirtschaftlichkeitVeraltet();
}

void TfrmAuswertung::SelectPage(int seite)
{
    if (seite < 0 || seite >= pcAuswertung->count())
        return;
    const std::array<QToolButton*, 4> knoepfe{btnKInfo, btnAInfo, btnSimu, btnWirtschaft};
    knoepfe[static_cast<size_t>(seite)]->setChecked(true);
    {
        // The page control reports only the user's changes, not this one.
        const QSignalBlocker sperre(pcAuswertung);
        pcAuswertung->setCurrentIndex(seite);
    }
    ShowCurrentPage();
}

void TfrmAuswertung::pcAuswertungChange()
{
    ShowCurrentPage();
}

void TfrmAuswertung::ShowCurrentPage()
{
    const int seite = pcAuswertung->currentIndex();
    switch (seite) {
    case KompaktSeite:
        ShowCompactResults();
        break;
    case DetailSeite:
        FillAreaGrid();
        ShowDetailedResults();
        break;
    case SimulationsSeite:
        ZeigeSimulationsSeite();
        break;
    case WirtschaftSeite:
        ZeigeWirtschaftlichkeitsSeite();
        break;
    default:
        return;
    }
    lCaption->setText(QString::fromUtf8(Seiten[static_cast<size_t>(seite)].Titel));
    iThema->setPixmap(LadeBild(QString::fromLatin1(Seiten[static_cast<size_t>(seite)].Bild)));
}

void TfrmAuswertung::ShowCompactResults()
{
    Recalculate();
    ZeigeErgebnis(lEErtrag, zahl::Fest(FParameterSatz.Ertrag, 2, 6));
    ZeigeErgebnis(lEBedarf, zahl::Fest(FParameterSatz.Bedarf, 2, 6));
    ZeigeErgebnis(lEVolumen, zahl::Fest(FParameterSatz.Volumen, 2, 6));
    ZeigeErgebnis(lERate, zahl::Fest(FParameterSatz.Rate, 2, 6));
    FilterProducts(FParameterSatz.Volumen);
}

void TfrmAuswertung::FilterProducts(long double volumen)
{
    ::FilterProducts(*mtProd, volumen);
}

void TfrmAuswertung::LoadProducts()
{
    ::LoadProducts(*mtProd, Datenordner);
}

void TfrmAuswertung::btnResetClick()
{
    CopyParameterSatz(FOriginalSatz, FParameterSatz);
    Recalculate();
    SetConsumerSliderRanges();
    ShowCurrentPage();
}

void TfrmAuswertung::btnEditClick()
{
    if (!Bearbeitung)
        return;
    const std::unique_ptr<TInputForm> form(Bearbeitung(this, FParameterSatz));
    if (form->exec() != QDialog::Accepted)
        return;
    form->GetParameterSatz(FParameterSatz);
    Recalculate();
    SetConsumerSliderRanges();
    ShowCurrentPage();
}

void TfrmAuswertung::btnDetailEmpfClick()
{
    FilterProducts(FParameterSatz.Volumen);
    const std::unique_ptr<TfrmDetailEmpf> fenster(new TfrmDetailEmpf(*mtProd, this));
    fenster->exec();
}

void TfrmAuswertung::btnPrintReportClick()
{
    DruckeAuswertung(this, *FBericht, FParameterSatz, *mtProd, &Wirtschaftlichkeit());
}

void TfrmAuswertung::btnSpeichernClick()
{
    const QString pfad = FrageBerechnungZumSpeichern(
        this, FDatei.isEmpty() ? BerechnungsVorschlag(FParameterSatz) : FDatei);
    if (pfad.isEmpty())
        return;
    FParameterSatz.Kosten = WirtschaftlichkeitsSeite->Kosten();
    SpeichereBerechnung(pfad, FParameterSatz);
    MerkeVerwendet(pfad);
    FDatei = pfad;
}

void TfrmAuswertung::ErzeugeSimulationsSeite()
{
    FuellstandSeite = new TFuellstandSeite(FParameterSatz, *mtProd, tsASimu);
    auto* anordnung = new QVBoxLayout(tsASimu);
    anordnung->setContentsMargins(0, 0, 0, 0);
    anordnung->addWidget(FuellstandSeite);
}

void TfrmAuswertung::ZeigeSimulationsSeite()
{
    FuellstandSeite->ShowSimulationPage();
}

void TfrmAuswertung::done(int ergebnis)
{
    FuellstandSeite->BeendeFuerSchliessen();
    WirtschaftlichkeitsFenster->hide();
    TOutputForm::done(ergebnis);
}

void TfrmAuswertung::closeEvent(QCloseEvent* ereignis)
{
    FuellstandSeite->BeendeFuerSchliessen();
    WirtschaftlichkeitsFenster->hide();
    TOutputForm::closeEvent(ereignis);
}

void TfrmAuswertung::ErzeugeWirtschaftlichkeitsSeite()
{
    // The fixed page sums up; the figures themselves get a window that can grow.
    lblWStandort = Text(tsAWirtschaft, "lblWStandort", QString(), {8, 8, Breite - 16, 36}, true);
    lblWWahl = Fett(Text(tsAWirtschaft, "lblWWahl", QString(), {8, 48, Breite - 16, 68}, true));
    lblWKnick = Text(tsAWirtschaft, "lblWKnick", QString(), {8, 120, Breite - 16, 36}, true);
    Text(tsAWirtschaft, "lblWFenster",
         QStringLiteral("Das Diagramm des %1s über dem Speichervolumen, Ihre Geldbeträge "
                        "und alle empfohlenen Zisternen mit Ersparnis und Amortisation zeigt ein "
                        "eigenes Fenster, das Sie beliebig vergrößern können.")
             .arg(QString::fromUtf16(Regenwasseranteil)),
         {8, 160, Breite - 16, 54}, true);
    btnWirtschaftOeffnen = Knopf(
        tsAWirtschaft, "btnWirtschaftOeffnen", QStringLiteral("Diagramm und &Tabelle öffnen..."),
        {8, 220, 230, 28}, QStringLiteral("Öffnet das Fenster „Wirtschaftlichkeit“"));
    VerbindeBewacht(btnWirtschaftOeffnen, &QPushButton::clicked, this,
                    &TfrmAuswertung::btnWirtschaftOeffnenClick);

    WirtschaftlichkeitsFenster = new TfrmWirtschaftlichkeit(this);
    WirtschaftlichkeitsSeite = WirtschaftlichkeitsFenster->Seite;
    FWirtschaftsTakt = new QTimer(this);
    FWirtschaftsTakt->setSingleShot(true);
    FWirtschaftsTakt->setInterval(0);
    VerbindeBewacht(FWirtschaftsTakt, &QTimer::timeout, this, [this] {
        if (WirtschaftSichtbar())
            ZeigeWirtschaftlichkeitsSeite();
    });
    // The money inputs are typed in the window itself: its figures follow at once.
    VerbindeBewacht(WirtschaftlichkeitsSeite, &TWirtschaftlichkeitsSeite::KostenGeaendert, this,
                    [this] {
                        WirtschaftlichkeitVeraltet();
                        if (WirtschaftSichtbar())
                            ZeigeWirtschaftlichkeitsSeite();
                    });
    for (QCheckBox* monat : FuellstandSeite->cbMon)
        VerbindeBewacht(monat, &QCheckBox::toggled, this,
                        &TfrmAuswertung::WirtschaftlichkeitVeraltet);
    // Another product chosen on the compact page is marked at once; the figures stay.
    VerbindeBewacht(mtProd.get(), &TTabelle::AktuelleZeileGeaendert, this, [this](int zeile) {
        if (FWirtschaftVeraltet)
            return;
        const auto gewaehlt = GewaehlteZeile(zeile, FWirtschaft.Produkte.size());
        if (gewaehlt == FWirtschaft.Gewaehlt)
            return;
        FWirtschaft.Gewaehlt = gewaehlt;
        FWirtschaftsSeiteVeraltet = true;
        if (WirtschaftSichtbar())
            FWirtschaftsTakt->start();
    });
}

bool TfrmAuswertung::WirtschaftSichtbar() const
{
    return pcAuswertung->currentIndex() == WirtschaftSeite ||
           WirtschaftlichkeitsFenster->isVisible();
}

void TfrmAuswertung::btnWirtschaftOeffnenClick()
{
    ZeigeWirtschaftlichkeitsSeite();
    WirtschaftlichkeitsFenster->Oeffne();
}

QString TfrmAuswertung::Standort() const
{
    return StandortText(FParameterSatz, Postleitzahlen);
}

void TfrmAuswertung::WirtschaftlichkeitVeraltet()
{
    FWirtschaftVeraltet = true;
    if (WirtschaftSichtbar())
        FWirtschaftsTakt->start();
}

const TWirtschaftlichkeitsDaten& TfrmAuswertung::Wirtschaftlichkeit()
{
    if (FWirtschaftVeraltet) {
        FilterProducts(FParameterSatz.Volumen);
        FWirtschaft =
            RechneWirtschaftlichkeit(FParameterSatz, FuellstandSeite->Gartenmonate(), *mtProd,
                                     WirtschaftlichkeitsSeite->Kosten(), FDeckungsrechner);
        FWirtschaftVeraltet = false;
        FWirtschaftsSeiteVeraltet = true;
    }
    return FWirtschaft;
}

void TfrmAuswertung::ZeigeWirtschaftlichkeitsSeite()
{
    FWirtschaftsTakt->stop();
    Wirtschaftlichkeit();
    if (!FWirtschaftsSeiteVeraltet)
        return;
    const QString standort = Standort();
    WirtschaftlichkeitsSeite->Zeige(FWirtschaft, standort);
    lblWStandort->setText(standort);
    lblWWahl->setText(WahlText(FWirtschaft));
    lblWKnick->setText(KnickText(FWirtschaft.Ergebnis));
    FWirtschaftsSeiteVeraltet = false;
}

int TfrmAuswertung::Hilfekontext() const
{
    return pcAuswertung->currentIndex() == WirtschaftSeite ? HilfeKontext::Wirtschaftlichkeit
                                                           : HilfeKontext::Auswertung;
}
