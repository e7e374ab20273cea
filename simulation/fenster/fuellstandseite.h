// Fill-level page of the evaluation window: the precipitation curve as twelve sliders over a
// drawn line, the garden months, and the animated bar chart of a running simulation.
#pragma once

#include "model/parametersatz.h"
#include "simulation/kern/simulation.h"
#include "simulation/kern/simulationsset.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QBarSeries;
class QBarSet;
class QChart;
class QChartView;
class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QValueAxis;
class TTabelle;

class TFuellstandSeite : public QWidget {
    Q_OBJECT
public:
    // satz: the evaluation window's working copy (read when the page is shown and when a run
    // starts); mtProd: the window's product table (filtered before the dialog opens).
    TFuellstandSeite(const TParameterSatz& satz, TTabelle& mtProd, QWidget* eltern = nullptr);
    ~TFuellstandSeite() override;

    // The page became the active one: the sliders take the set's curve again.
    void ShowSimulationPage();
    // Twelve values in metres per month; each slider clamps into 0 … 200 mm. Raises EFehler
    // for another count; the sliders count as set afterwards in every case.
    void SetSliders(const std::vector<long double>& Values);
    // Values must hold twelve entries (else EFehler); receives the slider values in metres.
    void GetSliders(std::vector<long double>& Values) const;
    // Redraws the value labels and the curve behind the sliders, once they have been set.
    void InterpolateLine();
    // Starts a simulation, or asks the running one to stop.
    void btnSimulierenClick();
    // Progress of the engine: moves the bar of the time unit to the level, waits 10 ms and
    // processes pending events. True asks the engine to stop.
    bool SimulationProgress(std::int32_t Time, const TSimulationSet& Set, long double Level);

    bool SimulationLaeuft() const { return FSimRunning; }
    // The window closes: the running simulation stops without its stop message.
    void BeendeFuerSchliessen();
    // The checked garden months, January first.
    std::array<bool, 12> Gartenmonate() const;

    // Creates the engine of a run; replaceable for tests.
    std::function<std::unique_ptr<TSimulation>()> SimulationsFabrik;

    TSimulationSet FSimulationSet;
    bool FSimRunning = false;
    bool FSimAbort = false;
    bool FSlidersReady = false;

    static constexpr int Max = 200; // slider range 0 … Max, one step per millimetre

    QChartView* cSimu;
    QChart* FChart;
    QBarSeries* Series1;
    QBarSet* FBalken;
    QValueAxis* FAchseX;
    QValueAxis* FAchseY;
    QPushButton* btnSimulieren;
    QLabel* Label2;
    QLabel* iRegler1;
    std::array<QSlider*, 12> tbR{};
    std::array<QLabel*, 12> FMonatsLabels{}; // Label3 … Label14
    std::array<QLabel*, 12> lR{};
    QLabel* Label1;
    std::array<QCheckBox*, 12> cbMon{};

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void ErzeugeDiagramm();
    void ErzeugeRegler();
    // One run from the prepared settings, with the result window or the stop message.
    void Simuliere(QWidget* fenster, const QPointer<TFuellstandSeite>& selbst);

    const TParameterSatz& FSatz;
    TTabelle& FProdukte;
    bool FSchliessen = false;      // the run stops because the window closes
    QPointer<QWidget> FBeobachtet; // the window watched during a run
};
