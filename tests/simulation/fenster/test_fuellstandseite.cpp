// Fill-level page: slider values and the drawn curve, the bar of a time unit, and the run
// behind the button: cancelled dialog, completed run with its averages, stop by the same
// button, closing the window during a run, and an error during a run.
#include "../../support/modal.h"
#include "../../support/rekorder.h"
#include "fenstertest.h"
#include "model/fehler.h"
#include "model/plattform.h"
#include "model/zahlenformat.h"
#include "simulation/fenster/fuellstandseite.h"
#include "simulation/fenster/simuauswertung.h"
#include "simulation/fenster/simulationsdialog.h"
#include "simulation/kern/wettergenerator.h"

#include <QBarSet>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QValueAxis>
#include <gtest/gtest.h>
#include <new>

namespace {
// Every variate is its mean: runs become exact.
class Mittelwerte : public TNormalQuelle {
public:
    long double Normal(long double, long double Mean) override { return Mean; }
};

// Answers the simulation dialog: adjusts it, then "&Start".
ModalAntwort Dialog(std::function<void(TFSimulationDialog&)> einstellen = {})
{
    return [einstellen](QWidget* f) {
        auto* d = qobject_cast<TFSimulationDialog*>(f);
        ASSERT_NE(d, nullptr);
        if (einstellen)
            einstellen(*d);
        d->btnStart->click();
    };
}

struct Ergebnis {
    int fenster = 0;
    QString leer, ueber, fuell, anteil;
};

// Reads and closes the result window; counts any other modal window too.
ModalAntwort Auswertung(Ergebnis& e)
{
    return [&e](QWidget* f) {
        ++e.fenster;
        if (auto* w = qobject_cast<TfrmSimuAuswertung*>(f)) {
            e.leer = w->lLeer->text();
            e.ueber = w->lUeber->text();
            e.fuell = w->lFuell->text();
            e.anteil = w->lAnteil->text();
        }
        if (auto* d = qobject_cast<QDialog*>(f))
            d->accept();
    };
}

class Seite : public ::testing::Test {
protected:
    Seite()
    {
        InitParameterSatz(satz);
        satz.PersWCSpar = 2; // 2 × 8,8 m³
        satz.Garten = 100;   // 100 m² × 0,06 m³
        satz.GartenV = 0.06L;
        satz.Volumen = 3.2L;
        ProgrammEinstellungen().remove(QStringLiteral("Simulation"));
        seite = new TFuellstandSeite(satz, *produkte, &fenster);
        fenster.resize(seite->minimumSize());
        fenster.show();
        alterSchlaf = SetzeSchlafFunktion([this](int ms) {
            pausen.push_back(ms);
            if (beiPause)
                beiPause(static_cast<int>(pausen.size()));
        });
    }
    ~Seite() override { SetzeSchlafFunktion(alterSchlaf); }

    // The simplified model with every variate at its mean.
    void Exakt()
    {
        SpeichereWettermodell(TWetterModell::Vereinfacht);
        seite->SimulationsFabrik = [] {
            return std::make_unique<TSimulation>(std::make_unique<Mittelwerte>());
        };
    }
    void Klicke() { QTest::mouseClick(seite->btnSimulieren, Qt::LeftButton); }
    std::vector<long double> Regler() const
    {
        std::vector<long double> werte(12);
        seite->GetSliders(werte);
        return werte;
    }
    QRgb Pixel(int x, int y) const { return seite->iRegler1->pixmap().toImage().pixel(x, y); }

    TParameterSatz satz;
    std::unique_ptr<TTabelle> produkte = KleineProduktTabelle();
    QDialog fenster;
    TFuellstandSeite* seite;
    MeldungsRekorder meldungen;
    std::vector<int> pausen;
    std::function<void(int pause)> beiPause;
    SchlafFunktion alterSchlaf;
};

const QRgb Rot = qRgb(255, 0, 0);

TEST_F(Seite, VorgabenVorDemErstenLauf)
{
    EXPECT_EQ(seite->btnSimulieren->text(), QStringLiteral("&Simulation starten"));
    EXPECT_EQ(seite->FAchseX->min(), 0);
    EXPECT_EQ(seite->FAchseX->max(), 13);
    EXPECT_EQ(seite->FAchseY->max(), 10);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(seite->cbMon[i]->isChecked(), i >= 3 && i <= 8) << i; // April … September
    // Nothing is drawn before the sliders were set.
    seite->InterpolateLine();
    EXPECT_TRUE(seite->lR[0]->text().isEmpty());
    EXPECT_TRUE(seite->iRegler1->pixmap().isNull());
}

TEST_F(Seite, ReglerwerteInMillimeterSchritten)
{
    const struct {
        long double wert;
        int position;
        long double gelesen;
        const char* label;
    } faelle[] = {
        {0.2L, 0, 0.2L, "200"},       {0, 200, 0, "0"},
        {0.25L, 0, 0.2L, "200"},      {-0.01L, 200, 0, "0"},
        {0.064L, 136, 0.064L, "64"},  {0.128L, 72, 0.128L, "128"},
        {0.0559L, 145, 0.055L, "55"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(static_cast<double>(f.wert));
        std::vector<long double> werte(12, 0.1L);
        werte[4] = f.wert;
        seite->SetSliders(werte); // draws nothing itself
        seite->InterpolateLine();
        EXPECT_EQ(seite->tbR[4]->value(), f.position);
        EXPECT_EQ(Regler()[4], f.gelesen);
        EXPECT_EQ(seite->lR[4]->text(), QString::fromLatin1(f.label));
        EXPECT_EQ(seite->lR[5]->text(), QStringLiteral("100"));
    }
}

TEST_F(Seite, FalscheAnzahlAnWerten)
{
    try {
        seite->SetSliders(std::vector<long double>(11, 0.1L));
        ADD_FAILURE() << "no error";
    } catch (const EFehler& e) {
        EXPECT_EQ(e.Meldung(), QStringLiteral("SetSliders: array hat ungültige Länge!"));
    }
    EXPECT_TRUE(seite->FSlidersReady);
    std::vector<long double> werte(13);
    try {
        seite->GetSliders(werte);
        ADD_FAILURE() << "no error";
    } catch (const EFehler& e) {
        EXPECT_EQ(e.Meldung(), QStringLiteral("GetSliders: array hat ungültige Länge!"));
    }
}

TEST_F(Seite, KurveZweiPixelBreitInRot)
{
    // Level curves: 0 mm on row 117, 100 mm on row 61, 200 mm on row 4.
    for (const auto& [wert, zeile] : {std::pair{0.0L, 117}, {0.1L, 61}, {0.2L, 4}}) {
        SCOPED_TRACE(zeile);
        seite->SetSliders(std::vector<long double>(12, wert));
        seite->InterpolateLine();
        ASSERT_EQ(seite->iRegler1->pixmap().size(), QSize(281, 121));
        for (const int x : {0, 140, 280}) {
            EXPECT_EQ(Pixel(x, zeile), Rot);
            EXPECT_EQ(Pixel(x, zeile + 1), Rot);
            EXPECT_NE(Pixel(x, zeile - 1), Rot);
            EXPECT_NE(Pixel(x, zeile + 2), Rot);
        }
    }
    // January 0 mm rising to February's 200 mm: column 0 at January's row, then upwards.
    std::vector<long double> werte(12, 0.2L);
    werte[0] = 0;
    seite->SetSliders(werte);
    seite->InterpolateLine();
    EXPECT_EQ(Pixel(0, 117), Rot);
    EXPECT_EQ(Pixel(13, 60), Rot); // At = 1,509: 101,8 mm
    EXPECT_EQ(Pixel(26, 4), Rot);  // past February's knot
    EXPECT_NE(Pixel(13, 117), Rot);
}

TEST_F(Seite, SeiteZeigtDieKurveDesParametersatzes)
{
    seite->ShowSimulationPage();
    EXPECT_EQ(Regler(),
              std::vector<long double>(satz.Niederschlag.begin(), satz.Niederschlag.end()));
    EXPECT_EQ(seite->lR[0]->text(), QStringLiteral("55"));
    EXPECT_EQ(seite->lR[7]->text(), QStringLiteral("90"));
    seite->tbR[0]->setValue(10);
    EXPECT_EQ(seite->lR[0]->text(), QStringLiteral("190"));
    seite->ShowSimulationPage(); // every activation takes the set's curve again
    EXPECT_EQ(seite->lR[0]->text(), QStringLiteral("55"));
    EXPECT_TRUE(seite->tbR[0]->isEnabled());
}

TEST_F(Seite, BalkenEinerZeiteinheit)
{
    seite->FBalken->append(QList<qreal>(366, 0.0));
    TSimulationSet taeglich;
    taeglich.IntervalFrom = 1;
    taeglich.IntervalTo = 365;
    for (const auto& [tag, balken] :
         {std::pair{1, 1}, {33, 1}, {34, 2}, {66, 2}, {67, 3}, {332, 11}, {364, 11}, {365, 12}}) {
        SCOPED_TRACE(tag);
        EXPECT_FALSE(seite->SimulationProgress(tag, taeglich, tag / 100.0L));
        EXPECT_EQ(seite->FBalken->at(balken), tag / 100.0);
    }
    TSimulationSet monatlich;
    monatlich.IntervalFrom = 1;
    monatlich.IntervalTo = 12;
    for (int monat = 1; monat <= 12; ++monat)
        seite->SimulationProgress(monat, monatlich, monat);
    for (int monat = 1; monat <= 12; ++monat)
        EXPECT_EQ(seite->FBalken->at(monat), monat);
    EXPECT_EQ(seite->FBalken->at(0), 0);
    EXPECT_EQ(seite->FBalken->at(13), 0);
    seite->FSimAbort = true;
    EXPECT_TRUE(seite->SimulationProgress(1, monatlich, 0));
    // Each time unit pauses 10 ms.
    EXPECT_EQ(pausen, std::vector<int>(21, 10));
}

TEST_F(Seite, AbgebrochenerDialogAendertNichts)
{
    seite->ShowSimulationPage();
    const TSimulationSet vorher = seite->FSimulationSet;
    bool erzeugt = false;
    seite->SimulationsFabrik = [&] {
        erzeugt = true;
        return std::make_unique<TSimulation>();
    };
    ModalFolge folge({Ablehnen()});
    Klicke();
    EXPECT_EQ(folge.Beantwortet(), 1);
    EXPECT_FALSE(erzeugt);
    EXPECT_EQ(seite->btnSimulieren->text(), QStringLiteral("&Simulation starten"));
    EXPECT_EQ(seite->FBalken->count(), 0);
    EXPECT_EQ(seite->FAchseY->max(), 10);
    EXPECT_EQ(seite->FSimulationSet, vorher);
    EXPECT_FALSE(seite->SimulationLaeuft());
    EXPECT_TRUE(meldungen.Meldungen.empty());
    EXPECT_EQ(produkte->Anzahl(), 3); // the dialog showed the products around 3,2 m³
}

TEST_F(Seite, DurchlaufZeigtDieJahresmittel)
{
    Exakt();
    seite->ShowSimulationPage();
    bool beschriftungWaehrendDesLaufs = false;
    beiPause = [&](int) {
        beschriftungWaehrendDesLaufs =
            seite->btnSimulieren->text() == QStringLiteral("Simulation a&bbrechen") &&
            seite->SimulationLaeuft();
    };
    Ergebnis e;
    ModalFolge folge({Dialog(), Auswertung(e)});
    Klicke();
    EXPECT_EQ(folge.Beantwortet(), 2);
    EXPECT_TRUE(beschriftungWaehrendDesLaufs);
    // No rain: every month ends empty and the whole demand of 23,6 m³ is made up.
    EXPECT_EQ(e.leer, QStringLiteral("12,00"));
    EXPECT_EQ(e.ueber, QStringLiteral("0,00"));
    EXPECT_EQ(e.fuell, QStringLiteral("23,60"));
    EXPECT_TRUE(meldungen.Meldungen.empty());
    EXPECT_EQ(pausen.size(), 1200u);
    EXPECT_EQ(seite->btnSimulieren->text(), QStringLiteral("&Simulation starten"));
    EXPECT_FALSE(seite->SimulationLaeuft());

    // The bars: x = 0 … 12, the left axis up to the storage volume.
    EXPECT_EQ(seite->FBalken->count(), 13);
    EXPECT_EQ(seite->FAchseY->max(), 3.2);

    // Rain per time unit sampled from the sliders at 1 + 11 × i / 12.
    const auto& regen = seite->FSimulationSet.RainCurve;
    ASSERT_EQ(regen.size(), 12u);
    EXPECT_EQ(regen[0], 0.055L);
    EXPECT_NEAR(static_cast<double>(regen[6]), 0.0825, 1e-15); // halfway June … July
    EXPECT_NEAR(static_cast<double>(regen[11]), 0.045 + 0.005 / 12, 1e-15);
}

TEST_F(Seite, GartenmonateFormenDenBedarf)
{
    Exakt();
    seite->ShowSimulationPage();
    for (QCheckBox* monat : seite->cbMon)
        monat->setChecked(false);
    seite->cbMon[6]->setChecked(true); // July only
    Ergebnis e;
    ModalFolge folge({Dialog([](TFSimulationDialog& d) {
                          d.rbUser->click();
                          d.edUsrUnits->setText(QStringLiteral("24"));
                          d.cbGraphics->setChecked(false);
                      }),
                      Auswertung(e)});
    Klicke();
    const auto& bedarf = seite->FSimulationSet.SpareCurve;
    ASSERT_EQ(bedarf.size(), 24u);
    EXPECT_NEAR(static_cast<double>(bedarf[12]), 17.6 / 24 + 3, 1e-12);
    EXPECT_NEAR(static_cast<double>(bedarf[13]), 17.6 / 24 + 3, 1e-12);
    EXPECT_NEAR(static_cast<double>(bedarf[14]), 17.6 / 24, 1e-12);
    EXPECT_EQ(e.leer, QStringLiteral("24,00"));
    EXPECT_EQ(e.fuell, QStringLiteral("23,60"));
    EXPECT_EQ(seite->FBalken->count(), 25);
    EXPECT_TRUE(pausen.empty()); // without graphic output no progress is reported
}

TEST_F(Seite, AbbruchMitDemselbenKnopf)
{
    Exakt();
    seite->ShowSimulationPage();
    // The fifth pause finds a click on the button waiting.
    beiPause = [this](int pause) {
        if (pause == 5)
            QMetaObject::invokeMethod(
                seite->btnSimulieren, [this] { Klicke(); }, Qt::QueuedConnection);
    };
    Ergebnis e;
    {
        ModalFolge folge({Dialog([](TFSimulationDialog& d) { d.rbDay->click(); }), Auswertung(e)},
                         1000);
        Klicke();
    }
    EXPECT_EQ(e.fenster, 0); // no result window
    EXPECT_EQ(pausen.size(), 5u);
    ASSERT_EQ(meldungen.Meldungen.size(), 1u);
    const Meldung& m = meldungen.Meldungen[0];
    EXPECT_EQ(m.Text, QStringLiteral("Die Simulation wurde vom Anwender abgebrochen."));
    EXPECT_EQ(m.Titel, QStringLiteral("Abbruch"));
    EXPECT_EQ(m.Symbol, QMessageBox::Critical);
    EXPECT_EQ(m.Besitzer, &fenster);
    EXPECT_EQ(seite->btnSimulieren->text(), QStringLiteral("&Simulation starten"));
    EXPECT_FALSE(seite->SimulationLaeuft());
    EXPECT_EQ(seite->FBalken->count(), 366);
    EXPECT_EQ(seite->FSimulationSet.IntervalTo, 365);
}

TEST_F(Seite, SchliessenDesFenstersBeendetDenLauf)
{
    Exakt();
    seite->ShowSimulationPage();
    beiPause = [this](int pause) {
        if (pause == 3)
            QMetaObject::invokeMethod(&fenster, &QDialog::close, Qt::QueuedConnection);
    };
    Ergebnis e;
    ModalFolge folge({Dialog(), Auswertung(e)}, 2000);
    Klicke();
    EXPECT_FALSE(fenster.isVisible());
    EXPECT_EQ(pausen.size(), 3u);
    EXPECT_EQ(e.fenster, 0);
    EXPECT_TRUE(meldungen.Meldungen.empty()); // no stop message behind a closed window
    EXPECT_FALSE(seite->SimulationLaeuft());
    EXPECT_EQ(seite->btnSimulieren->text(), QStringLiteral("&Simulation starten"));
}

TEST_F(Seite, FehlerImLaufStelltDenKnopfZurueck)
{
    const struct {
        std::function<void()> fehler;
        QString meldung;
    } faelle[] = {
        {[] { throw EFehler(QStringLiteral("Kein Speicher für die Simulation")); },
         QStringLiteral("Kein Speicher für die Simulation.")},
        // A failed allocation is reported; the page stays usable.
        {[] { throw std::bad_alloc(); },
         QStringLiteral("Für diese Simulation reicht der Arbeitsspeicher nicht aus. "
                        "Bitte wählen Sie weniger Zeiteinheiten.")},
    };
    for (const auto& f : faelle) {
        meldungen.Meldungen.clear();
        seite->SimulationsFabrik = [&f]() -> std::unique_ptr<TSimulation> {
            f.fehler();
            return nullptr;
        };
        ModalFolge folge({Dialog()});
        Klicke();
        ASSERT_EQ(meldungen.Meldungen.size(), 1u);
        EXPECT_EQ(meldungen.Meldungen[0].Text, f.meldung);
        EXPECT_EQ(seite->btnSimulieren->text(), QStringLiteral("&Simulation starten"));
        EXPECT_FALSE(seite->SimulationLaeuft());
    }
}

TEST_F(Seite, TageswetterDesStandortsMitVerschobenemRegler)
{
    satz.Flaechen = {{120, 0.9L}};
    satz.WGrad = 0.9L;
    seite->ShowSimulationPage();
    seite->tbR[2]->setValue(50); // March at 150 mm
    Ergebnis e;
    ModalFolge folge(
        {Dialog([](TFSimulationDialog& d) { d.cbGraphics->setChecked(false); }), Auswertung(e)});
    Klicke();
    ASSERT_EQ(e.fenster, 1);
    const TSimulationSet& s = seite->FSimulationSet;
    EXPECT_EQ(s.Wetter, TWetterModell::Tageswetter);
    EXPECT_EQ(s.Saat, WetterSaat(satz));
    EXPECT_EQ(s.Gartenmonate, seite->Gartenmonate());
    // Untouched sliders keep the site's means to the last digit, the moved one gives its value.
    TNiederschlag mittel = satz.Niederschlag;
    mittel[2] = 0.15L;
    EXPECT_EQ(s.ParameterSatz.Niederschlag, mittel);

    TSimulation sim;
    sim.SetParameters(s);
    ASSERT_TRUE(sim.Run());
    const long double anteil = sim.Regenwasseranteil();
    EXPECT_GT(anteil, 0.3L);
    EXPECT_EQ(e.anteil, zahl::Fest(anteil * 100, 1, 6));
}

TEST_F(Seite, TaeglichOhneGrafikHundertJahreSofort)
{
    seite->ShowSimulationPage();
    Ergebnis e;
    ModalFolge folge({Dialog([](TFSimulationDialog& d) {
                          d.rbDay->click();
                          d.cbGraphics->setChecked(false);
                      }),
                      Auswertung(e)});
    QElapsedTimer uhr;
    uhr.start();
    Klicke();
    EXPECT_EQ(e.fenster, 1);
    EXPECT_FALSE(e.leer.isEmpty());
    EXPECT_TRUE(pausen.empty());
    EXPECT_LT(uhr.elapsed(), 5000);
    EXPECT_EQ(seite->FSimulationSet.RainCurve.size(), 365u);
    EXPECT_EQ(seite->FSimulationSet.Runs, 100);
}
} // namespace
