// Main window and the central flow RunInput.
#include "app/hauptfenster.h"

#include "app/logo.h"
#include "model/berechnung.h"
#include "model/berechnungsdatei.h"
#include "model/fehler.h"
#include "ui/berechnungsdateien.h"
#include "ui/bilder.h"
#include "ui/fehlerwaechter.h"
#include "ui/formbasis.h"
#include "ui/hilfe.h"
#include "ui/werkzeug.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <memory>

namespace {
constexpr int MenueHoehe = 24;
constexpr int BildHoehe = 523;
constexpr int StreifenHoehe = 12;
constexpr int Breite = 448;
} // namespace

TfrmMain::TfrmMain(bool mitSplash, QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tropfwerk 2003"));
    FesterRahmen(this,
                 Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                     Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                     Qt::MSWindowsFixedSizeDialogHint,
                 Breite, MenueHoehe + BildHoehe + StreifenHoehe);
    setWindowIcon(QIcon(LadeBild(QStringLiteral("ICON"), QSize(64, 64))));

    ErzeugeAktionen();
    ErzeugeMenue();
    ErzeugeFlaeche();
    Verbinde();

    InstalliereHilfeTaste(this, HilfeDatei::Anwendung, HilfeKontext::Hauptfenster);
    ZentriereAufBildschirm(this);

    if (mitSplash) {
        {
            TfrmLogo splash(this);
            splash.exec();
        }
        show();
    }
}

void TfrmMain::ErzeugeAktionen()
{
    aAssistent = new QAction(QStringLiteral("Eingabe-&Assistent"), this);
    aExpert = new QAction(QStringLiteral("&Experteneingabe"), this);
    aOeffnen = new QAction(QStringLiteral("Berechnung ö&ffnen..."), this);
    aOeffnen->setObjectName(QStringLiteral("aOeffnen"));
    aOeffnen->setShortcut(QKeySequence::Open);
    aOeffnen->setStatusTip(QStringLiteral("Öffnet eine gespeicherte Berechnung"));
    for (size_t i = 0; i < aZuletzt.size(); ++i) {
        aZuletzt[i] = new QAction(this);
        aZuletzt[i]->setObjectName(QStringLiteral("aZuletzt%1").arg(i + 1));
        aZuletzt[i]->setVisible(false);
        VerbindeBewacht(aZuletzt[i], &QAction::triggered, this,
                        [this, i] { OeffneBerechnung(aZuletzt[i]->data().toString()); });
    }
    aExit = new QAction(QStringLiteral("&Beenden"), this);
    aInfo = new QAction(QStringLiteral("Ueber..."), this);
    aAssistent->setObjectName(QStringLiteral("aAssistent"));
    aExpert->setObjectName(QStringLiteral("aExpert"));
    aExit->setObjectName(QStringLiteral("aExit"));
    aInfo->setObjectName(QStringLiteral("aInfo"));
    aAssistent->setStatusTip(QStringLiteral("Startet den Eingabe-Assistenten"));
    aExpert->setStatusTip(QStringLiteral("Startet die Experten-Eingabe"));
}

void TfrmMain::ErzeugeMenue()
{
    mDatei = menuBar()->addMenu(QStringLiteral("&Datei"));
    mDatei->setObjectName(QStringLiteral("mDatei"));
    mDatei->addAction(aAssistent);
    mDatei->addAction(aExpert);
    mDatei->addAction(aOeffnen);
    for (QAction* zuletzt : aZuletzt)
        mDatei->addAction(zuletzt);
    mDatei->addSeparator();
    mDatei->addAction(aExit);
    QMenu* info = menuBar()->addMenu(QStringLiteral("&Info"));
    info->setObjectName(QStringLiteral("mInfo"));
    info->addAction(aInfo);
    menuBar()->setFixedHeight(MenueHoehe);
}

// The title picture with the two entry buttons, and the white strip below it.
void TfrmMain::ErzeugeFlaeche()
{
    auto* flaeche = new QWidget(this);
    flaeche->setObjectName(QStringLiteral("pClient"));
    setCentralWidget(flaeche);

    imgMain = new QLabel(flaeche);
    imgMain->setObjectName(QStringLiteral("imgMain"));
    imgMain->setGeometry(0, 0, Breite, BildHoehe);
    imgMain->setPixmap(LadeBild(QStringLiteral("TITEL"), QSize(Breite, BildHoehe)));
    // At a larger font the window grows and the picture with it.
    imgMain->setScaledContents(true);

    btnExperte = Knopf(flaeche, "btnExperte", QStringLiteral("&Experte"), QRect(8, 491, 73, 29),
                       QStringLiteral("Startet die Experten-Eingabe"));
    btnAssistent =
        Knopf(flaeche, "btnAssistent", QStringLiteral("&Assistent"), QRect(368, 491, 73, 29),
              QStringLiteral("Startet den Eingabe-Assistenten"));

    Panel1 = new QWidget(flaeche);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, BildHoehe, Breite, StreifenHoehe);
    WeisserHintergrund(Panel1);
}

void TfrmMain::Verbinde()
{
    VerbindeBewacht(aAssistent, &QAction::triggered, this, [this] { StarteEingabe(Assistent); });
    VerbindeBewacht(aExpert, &QAction::triggered, this, [this] { StarteEingabe(Experte); });
    VerbindeBewacht(aOeffnen, &QAction::triggered, this, [this] {
        const QString pfad = FrageBerechnungZumOeffnen(this);
        if (!pfad.isEmpty())
            OeffneBerechnung(pfad);
    });
    VerbindeBewacht(mDatei, &QMenu::aboutToShow, this, &TfrmMain::ZeigeZuletztVerwendet);
    ZeigeZuletztVerwendet();
    connect(aExit, &QAction::triggered, this, &QWidget::close);
    VerbindeBewacht(aInfo, &QAction::triggered, this, [this] {
        if (Info)
            Info(this);
    });
    connect(btnExperte, &QPushButton::clicked, aExpert, &QAction::trigger);
    connect(btnAssistent, &QPushButton::clicked, aAssistent, &QAction::trigger);
}

void TfrmMain::StarteEingabe(const InputFormFabrik& formular)
{
    if (!formular)
        return;
    TParameterSatz satz;
    InitParameterSatz(satz);
    RunInput(formular, satz);
}

void TfrmMain::RunInput(const InputFormFabrik& formular, const TParameterSatz& satz)
{
    TParameterSatz arbeit;
    int ergebnis = QDialog::Rejected;
    {
        std::unique_ptr<TInputForm> form(formular(this));
        form->SetParameterSatz(satz);
        ergebnis = form->exec();
        form->GetParameterSatz(arbeit);
    }
    if (ergebnis != QDialog::Accepted)
        return;
    if (BerechneAlles(arbeit) != BerechnungOk)
        throw EFehler(QStringLiteral("Kann Berechnung nicht durchführen! Ungültige Parameter!"));
    ZeigeAuswertung(arbeit);
}

void TfrmMain::OeffneBerechnung(const QString& pfad)
{
    TParameterSatz satz;
    try {
        satz = LadeBerechnung(pfad);
    } catch (const EFehler&) {
        VergissVerwendet(pfad);
        ZeigeZuletztVerwendet();
        throw;
    }
    MerkeVerwendet(pfad);
    ZeigeZuletztVerwendet();
    ZeigeAuswertung(satz, QFileInfo(pfad).absoluteFilePath()); // results computed by the reader
}

void TfrmMain::OeffneBeimStart(const QStringList& argumente)
{
    for (const QString& argument : argumente) {
        if (argument.startsWith(u'-'))
            continue;
        QTimer::singleShot(0, this,
                           [this, argument] { Bewacht([&] { OeffneBerechnung(argument); }); });
        return;
    }
}

void TfrmMain::ZeigeAuswertung(const TParameterSatz& satz, const QString& datei)
{
    if (!Auswertung)
        return;
    std::unique_ptr<TOutputForm> auswertung(Auswertung(this));
    auswertung->SetParameterSatz(satz);
    auswertung->SetDatei(datei);
    auswertung->Execute(1);
}

void TfrmMain::ZeigeZuletztVerwendet()
{
    const QStringList liste = ZuletztVerwendet();
    for (size_t i = 0; i < aZuletzt.size(); ++i) {
        QAction* eintrag = aZuletzt[i];
        const bool belegt = static_cast<qsizetype>(i) < liste.size();
        eintrag->setVisible(belegt);
        if (!belegt)
            continue;
        const QString& pfad = liste[static_cast<qsizetype>(i)];
        // "&&" keeps an ampersand of the file name from becoming a shortcut.
        eintrag->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(
            QFileInfo(pfad).fileName().replace(u'&', QStringLiteral("&&"))));
        eintrag->setData(pfad);
        eintrag->setStatusTip(QDir::toNativeSeparators(pfad));
        eintrag->setToolTip(QDir::toNativeSeparators(pfad));
    }
}
