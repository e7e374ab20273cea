// Takes the pictures of the program's windows for the README: every window is built with a
// worked example, shown and grabbed into a PNG file of the output folder.
#include "app/anwendung.h"
#include "app/hauptfenster.h"
#include "evaluation/auswertung.h"
#include "evaluation/detailempf.h"
#include "model/parametersatz.h"
#include "refdata/plzkonverter.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTextStream>
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
} // namespace

int main(int argc, char* argv[])
{
    TAnwendung app(argc, argv);
    RichteAnwendungEin(app);
    const QStringList args = app.arguments();
    const QString ordner = args.value(1, QStringLiteral("."));
    QDir().mkpath(ordner);
    PLZConverter = std::make_unique<TPLZConverter>(QStringLiteral("."));

    {
        TfrmMain haupt(false);
        Speichere(&haupt, ordner, QStringLiteral("hauptfenster"));
    }
    {
        TfrmAuswertung auswertung;
        auswertung.SetParameterSatz(Beispiel());
        auswertung.Vorbereiten(TfrmAuswertung::DetailSeite);
        Speichere(&auswertung, ordner, QStringLiteral("auswertung-ausfuehrlich"));
        auswertung.SelectPage(TfrmAuswertung::KompaktSeite);
        Speichere(&auswertung, ordner, QStringLiteral("auswertung-kompakt"));
        auswertung.SelectPage(TfrmAuswertung::SimulationsSeite);
        Speichere(&auswertung, ordner, QStringLiteral("auswertung-simulation"));
        TfrmDetailEmpf detail(auswertung.Produkte(), &auswertung);
        Speichere(&detail, ordner, QStringLiteral("produktempfehlung"));
    }
    PLZConverter.reset();
    return 0;
}
