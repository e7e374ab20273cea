// Takes the pictures of the program's windows for the README: every window is built with a
// worked example, shown and grabbed into a PNG file of the output folder (arguments: the folder
// and, optionally, the font size in points).
#include "app/anwendung.h"
#include "app/hauptfenster.h"
#include "app/ueber/ueberbox.h"
#include "evaluation/auswertung.h"
#include "evaluation/bericht/auswertungsbericht.h"
#include "evaluation/detailempf.h"
#include "evaluation/wirtschaftlichkeitsfenster.h"
#include "input/assistent.h"
#include "input/expert.h"
#include "model/parametersatz.h"
#include "model/plattform.h"
#include "refdata/plzkonverter.h"
#include "simulation/fenster/fuellstandseite.h"
#include "simulation/fenster/simulationsdialog.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

namespace {
// Berlin-Dahlem, a roof of 120 m² and a garage of 18 m², four persons, 150 m² of garden.
TParameterSatz Beispiel()
{
    TParameterSatz satz;
    InitParameterSatz(satz);
    satz.Flaechen = {{120, 0.8L}, {18, 0.5L}};
    satz.WGrad = 0.9L;
    satz.PersWCSpar = 4;
    satz.PersWasch = 4;
    satz.Garten = 150;
    satz.PLZ = QStringLiteral("14195");
    if (PLZConverter) {
        PLZConverter->GetNiederschlagPLZ(satz.PLZ, satz.Niederschlag);
    }
    return satz;
}

void Speichere(QWidget* fenster, const QString& ordner, const QString& name)
{
    fenster->show();
    QApplication::setActiveWindow(fenster);
    (void)QTest::qWaitForWindowExposed(fenster);
    QTest::qWait(150);
    const QString pfad = QDir(ordner).filePath(name + QStringLiteral(".png"));
    if (!fenster->grab().save(pfad))
        throw std::runtime_error("cannot write " + pfad.toStdString());
    QTextStream(stdout) << pfad << '\n';
}
// Grabs the next modal window `name` once it shows, then lets `danach` answer it.
void FotoVomNaechstenModal(const QString& ordner, const QString& name,
                           std::function<void(QWidget*)> danach)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget* fenster = QApplication::activeModalWidget();
        if (!fenster || !fenster->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        QTest::qWait(150);
        const QString pfad = QDir(ordner).filePath(name + QStringLiteral(".png"));
        fenster->grab().save(pfad);
        QTextStream(stdout) << pfad << '\n';
        danach(fenster);
    });
    timer->start(50);
}

void Schliesse(QWidget* fenster)
{
    fenster->close();
}
} // namespace

int main(int argc, char* argv[])
{
    TAnwendung app(argc, argv);
    RichteAnwendungEin(app);
    const QStringList args = app.arguments();
    const QString ordner = args.value(1, QStringLiteral("."));
    // A font size after the folder stands in for a desktop with that font.
    if (args.size() > 2) {
        QFont schrift = QApplication::font();
        schrift.setPointSizeF(args.at(2).toDouble());
        QApplication::setFont(schrift);
    }
    QDir().mkpath(ordner);
    PLZConverter = std::make_unique<TPLZConverter>(QStringLiteral("."));

    {
        TfrmMain haupt(false);
        Speichere(&haupt, ordner, QStringLiteral("hauptfenster"));
    }
    {
        TfrmAuswertung auswertung;
        auswertung.Postleitzahlen = PLZConverter.get();
        auswertung.SetParameterSatz(Beispiel());
        auswertung.Vorbereiten(TfrmAuswertung::DetailSeite);
        Speichere(&auswertung, ordner, QStringLiteral("auswertung-ausfuehrlich"));
        auswertung.SelectPage(TfrmAuswertung::KompaktSeite);
        Speichere(&auswertung, ordner, QStringLiteral("auswertung-kompakt"));
        auswertung.SelectPage(TfrmAuswertung::SimulationsSeite);
        {
            TfrmDetailEmpf detail(auswertung.Produkte(), &auswertung);
            Speichere(&detail, ordner, QStringLiteral("produktempfehlung"));
        }

        // A monthly simulation of 100 years with its bars, the dialog and the result window.
        SetzeSchlafFunktion([](int) {});
        FotoVomNaechstenModal(ordner, QStringLiteral("simulationsdialog"), [&](QWidget* dialog) {
            FotoVomNaechstenModal(
                ordner, QStringLiteral("simulationsergebnis"), [&](QWidget* ergebnis) {
                    Speichere(&auswertung, ordner, QStringLiteral("auswertung-simulation"));
                    Schliesse(ergebnis);
                });
            static_cast<TFSimulationDialog*>(dialog)->btnStart->click();
        });
        auswertung.FuellstandSeite->btnSimulieren->click();
        auswertung.SelectPage(TfrmAuswertung::WirtschaftSeite);
        Speichere(&auswertung, ordner, QStringLiteral("auswertung-wirtschaftlichkeit"));
        // The economics window at its default size for a 1280 × 1024 screen.
        auswertung.btnWirtschaftOeffnenClick();
        TfrmWirtschaftlichkeit* wirtschaft = auswertung.WirtschaftlichkeitsFenster;
        wirtschaft->resize(wirtschaft->Vorgabegroesse(QSize(1280, 1024)));
        Speichere(wirtschaft, ordner, QStringLiteral("wirtschaftlichkeit"));
        wirtschaft->hide();

        // Both pages, as the evaluation window prints them; the README shows the first.
        TAuswertungsBericht bericht;
        const TAuswertungsBericht::TAnhang anhang(bericht, &auswertung.Wirtschaftlichkeit());
        bericht.DruckeAlsPdf(QDir(ordner).filePath(QStringLiteral("auswertung.pdf")),
                             auswertung.Arbeitskopie(), auswertung.Produkte());
    }
    {
        TfrmAssistent assistent(PLZConverterOderErsatz());
        assistent.SetParameterSatz(Beispiel());
        assistent.show();
        assistent.edPLZ->setText(QStringLiteral("14195"));
        const char* namen[] = {"assistent-standort", "assistent-hausdaten", "assistent-haushalt",
                               "assistent-technik"};
        for (int seite = 0; seite < 4; ++seite) {
            assistent.pcAssistent->setCurrentIndex(seite);
            Speichere(&assistent, ordner, QString::fromLatin1(namen[seite]));
        }
    }
    {
        TfrmExpert experte(PLZConverterOderErsatz());
        experte.SetParameterSatz(Beispiel());
        Speichere(&experte, ordner, QStringLiteral("experteneingabe"));
    }
    {
        TfrmMain haupt(false);
        FotoVomNaechstenModal(ordner, QStringLiteral("ueber"), Schliesse);
        ZeigeUeberTropfwerk(&haupt);
    }
    PLZConverter.reset();
    return 0;
}
