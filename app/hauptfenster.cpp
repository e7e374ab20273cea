// Main window and the central flow RunInput.
#include "app/hauptfenster.h"

#include "app/logo.h"
#include "model/berechnung.h"
#include "model/berechnungsdatei.h"
#include "model/fehler.h"
#include "ui/berechnungsdateien.h"
#include "ui/bilder.h"
#include "ui/formbasis.h"
#include "ui/hilfe.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
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
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon(LadeBild(QStringLiteral("ICON"), QSize(64, 64))));

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
        connect(aZuletzt[i], &QAction::triggered, this,
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

    QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("mDatei"));
    datei->addAction(aAssistent);
    datei->addAction(aExpert);
    datei->addAction(aOeffnen);
    for (QAction* zuletzt : aZuletzt)
        datei->addAction(zuletzt);
    datei->addSeparator();
    datei->addAction(aExit);
    QMenu* info = menuBar()->addMenu(QStringLiteral("&Info"));
    info->setObjectName(QStringLiteral("mInfo"));
    info->addAction(aInfo);
    menuBar()->setFixedHeight(MenueHoehe);

    auto* flaeche = new QWidget(this);
    flaeche->setObjectName(QStringLiteral("pClient"));
    setCentralWidget(flaeche);

    imgMain = new QLabel(flaeche);
    imgMain->setObjectName(QStringLiteral("imgMain"));
    imgMain->setGeometry(0, 0, Breite, BildHoehe);
    imgMain->setPixmap(LadeBild(QStringLiteral("TITEL"), QSize(Breite, BildHoehe)));

    btnExperte = new QPushButton(QStringLiteral("&Experte"), flaeche);
    btnExperte->setObjectName(QStringLiteral("btnExperte"));
    btnExperte->setGeometry(8, 491, 73, 29);
    btnExperte->setToolTip(QStringLiteral("Startet die Experten-Eingabe"));

    btnAssistent = new QPushButton(QStringLiteral("&Assistent"), flaeche);
    btnAssistent->setObjectName(QStringLiteral("btnAssistent"));
    btnAssistent->setGeometry(368, 491, 73, 29);
    btnAssistent->setToolTip(QStringLiteral("Startet den Eingabe-Assistenten"));

    Panel1 = new QWidget(flaeche);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, BildHoehe, Breite, StreifenHoehe);
    Panel1->setAutoFillBackground(true);
    QPalette weiss = Panel1->palette();
    weiss.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(weiss);

    setFixedSize(Breite, MenueHoehe + BildHoehe + StreifenHoehe);

    connect(aAssistent, &QAction::triggered, this, [this] { StarteEingabe(Assistent); });
    connect(aExpert, &QAction::triggered, this, [this] { StarteEingabe(Experte); });
    connect(aOeffnen, &QAction::triggered, this, [this] {
        const QString pfad = FrageBerechnungZumOeffnen(this);
        if (!pfad.isEmpty())
            OeffneBerechnung(pfad);
    });
    connect(datei, &QMenu::aboutToShow, this, &TfrmMain::ZeigeZuletztVerwendet);
    ZeigeZuletztVerwendet();
    connect(aExit, &QAction::triggered, this, &QWidget::close);
    connect(aInfo, &QAction::triggered, this, [this] {
        if (Info)
            Info(this);
    });
    connect(btnExperte, &QPushButton::clicked, aExpert, &QAction::trigger);
    connect(btnAssistent, &QPushButton::clicked, aAssistent, &QAction::trigger);

    InstalliereHilfeTaste(this, HilfeDatei::Anwendung, HilfeKontext::Hauptfenster);

    if (const QScreen* bildschirm = QGuiApplication::primaryScreen())
        move(bildschirm->availableGeometry().center() - rect().center());

    if (mitSplash) {
        {
            TfrmLogo splash(this);
            splash.exec();
        }
        show();
    }
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
    if (BerechneAlles(satz) != BerechnungOk)
        throw EFehler(QStringLiteral("Kann Berechnung nicht durchführen! Ungültige Parameter!"));
    ZeigeAuswertung(satz);
}

void TfrmMain::OeffneBeimStart(const QStringList& argumente)
{
    for (const QString& argument : argumente) {
        if (argument.startsWith(u'-'))
            continue;
        QTimer::singleShot(0, this, [this, argument] { OeffneBerechnung(argument); });
        return;
    }
}

void TfrmMain::ZeigeAuswertung(const TParameterSatz& satz)
{
    if (!Auswertung)
        return;
    std::unique_ptr<TOutputForm> auswertung(Auswertung(this));
    auswertung->SetParameterSatz(satz);
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
