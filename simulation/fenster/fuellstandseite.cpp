// Fill-level page. The simulation runs inside the button's click handler; the progress
// callback keeps the window responsive, so a second click on the same button stops the run.
#include "simulation/fenster/fuellstandseite.h"

#include "model/fehler.h"
#include "model/plattform.h"
#include "model/zahlenformat.h"
#include "refdata/produkte.h"
#include "simulation/fenster/simuauswertung.h"
#include "simulation/fenster/simulationsdialog.h"
#include "simulation/kern/deckungskurve.h"
#include "simulation/kern/kurven.h"
#include "ui/diagrammschrift.h"
#include "ui/fehlerwaechter.h"
#include "ui/meldung.h"
#include "ui/werkzeug.h"
#include "ui/zugang.h"

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScopeGuard>
#include <QSlider>
#include <QValueAxis>

#include <new>

namespace {
constexpr int BildBreite = 281;
constexpr int BildHoehe = 121;
constexpr int ReglerLinks = 240;
constexpr int ReglerOben = 24;
constexpr int ReglerAbstand = 24;

const QString Starten = QStringLiteral("&Simulation starten");
const QString Abbrechen = QStringLiteral("Simulation a&bbrechen");

// A thin groove without fill, so that the curve behind shows, and a thumb 15 pixels long.
const QString ReglerStil = QStringLiteral(
    "QSlider::groove:vertical { background: palette(mid); width: 3px; }"
    "QSlider::add-page:vertical, QSlider::sub-page:vertical { background: transparent; }"
    "QSlider::handle:vertical { background: palette(button); border: 1px solid palette(shadow);"
    " border-radius: 2px; height: 13px; margin: 0 -6px; }");

constexpr std::array<const char16_t*, 12> Initialen{u"J", u"F", u"M", u"A", u"M", u"J",
                                                    u"J", u"A", u"S", u"O", u"N", u"D"};
constexpr std::array<const char16_t*, 12> Monate{
    u"Januar", u"Februar", u"März",      u"April",   u"Mai",      u"Juni",
    u"Juli",   u"August",  u"September", u"Oktober", u"November", u"Dezember"};

} // namespace

TFuellstandSeite::TFuellstandSeite(const TParameterSatz& satz, TTabelle& mtProd, QWidget* eltern)
    : QWidget(eltern), FSatz(satz), FProdukte(mtProd)
{
    setObjectName(QStringLiteral("pSimu"));
    setMinimumSize(529, 345);
    SimulationsFabrik = [] { return std::make_unique<TSimulation>(); };

    ErzeugeDiagramm();
    btnSimulieren = Knopf(this, "btnSimulieren", Starten, QRect(8, 304, 225, 33));
    VerbindeBewacht(btnSimulieren, &QPushButton::clicked, this,
                    &TFuellstandSeite::btnSimulierenClick);
    ErzeugeRegler();
}

// A run still on the stack notices through its guard that the page has gone.
TFuellstandSeite::~TFuellstandSeite() = default;

void TFuellstandSeite::ErzeugeDiagramm()
{
    FChart = new QChart();
    FChart->setTitle(QStringLiteral("Füllstands-Simulation"));
    FChart->legend()->hide();
    FChart->setAnimationOptions(QChart::NoAnimation);
    FChart->setBackgroundRoundness(0);
    FChart->setBackgroundBrush(Qt::white);
    FChart->setPlotAreaBackgroundVisible(false);
    FChart->setMargins(QMargins(0, 0, 8, 0));
    FChart->setLocalizeNumbers(true);

    FBalken = new QBarSet(QStringLiteral("Balken"));
    FBalken->setColor(Qt::red);
    FBalken->setBorderColor(Qt::red);
    Series1 = new QBarSeries();
    Series1->setObjectName(QStringLiteral("Series1"));
    Series1->setBarWidth(0.5);
    Series1->setLabelsVisible(false);
    Series1->append(FBalken);
    FChart->addSeries(Series1);

    FAchseX = new QValueAxis();
    FAchseX->setObjectName(QStringLiteral("FAchseX"));
    FAchseX->setRange(0, 13);
    FAchseX->setTickType(QValueAxis::TicksDynamic);
    FAchseX->setTickAnchor(0);
    FAchseX->setTickInterval(2); // every month would not leave room for the labels
    FAchseX->setMinorTickCount(0);
    FAchseX->setLabelFormat(QStringLiteral("%.0f"));
    FAchseX->setTitleText(QStringLiteral("Monat"));
    FAchseY = new QValueAxis();
    FAchseY->setObjectName(QStringLiteral("FAchseY"));
    FAchseY->setRange(0, 10);
    FAchseY->setMinorTickCount(0);
    FAchseY->setLabelFormat(QStringLiteral("%.1f"));
    FAchseY->setTitleText(QStringLiteral("Füllstand (m³)"));
    FChart->addAxis(FAchseX, Qt::AlignBottom);
    FChart->addAxis(FAchseY, Qt::AlignLeft);
    SchriftDerAnwendung(FChart);
    Series1->attachAxis(FAchseX);
    Series1->attachAxis(FAchseY);

    cSimu = new QChartView(FChart, this);
    cSimu->setObjectName(QStringLiteral("cSimu"));
    cSimu->setAccessibleName(FChart->title());
    cSimu->setAccessibleDescription(QStringLiteral("Füllstand der Zisterne in m³ über die Monate"));
    cSimu->setGeometry(8, 8, 225, 281);
    cSimu->setRenderHint(QPainter::Antialiasing, false);
    cSimu->setRubberBand(QChartView::NoRubberBand);
    cSimu->setFrameShape(QFrame::NoFrame);
}

void TFuellstandSeite::ErzeugeRegler()
{
    Label2 = Fett(Text(this, "Label2", QStringLiteral("Niederschlagskurve (in mm je Monat)"),
                       QRect(240, 8, 281, 16)));

    // The picture lies under the sliders: created first, it stays behind them.
    iRegler1 =
        Text(this, "iRegler1", QString(), QRect(ReglerLinks, ReglerOben, BildBreite, BildHoehe));
    iRegler1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Drawn at the layout's size, stretched with the window.
    iRegler1->setScaledContents(true);

    for (int i = 0; i < 12; ++i) {
        const QString nummer = zahl::Dezimal(i + 1, 0);
        const int links = ReglerLinks + ReglerAbstand * i;
        auto* regler = new QSlider(Qt::Vertical, this);
        regler->setObjectName(QStringLiteral("tbR") + nummer);
        regler->setGeometry(links, ReglerOben, 17, BildHoehe);
        regler->setRange(0, Max);
        // Position 0 at the top, and the arrow keys move the thumb the way they point.
        regler->setInvertedAppearance(true);
        regler->setInvertedControls(true);
        regler->setTickPosition(QSlider::NoTicks);
        regler->setStyleSheet(ReglerStil);
        regler->setAccessibleName(QStringLiteral("Niederschlag ") +
                                  QString::fromUtf16(Monate[static_cast<size_t>(i)]));
        // Millimetres count from the bottom, positions from the top.
        SprichInEinheit(regler, -1, Max, QStringLiteral("mm"), 0);
        VerbindeBewacht(regler, &QSlider::valueChanged, this, [this] { InterpolateLine(); });
        tbR[static_cast<size_t>(i)] = regler;

        // Initial and value label centred under the slider.
        const QRect spalte(links - 4, 0, 25, 13);
        const QByteArray monat = "Label" + zahl::Dezimal(i + 3, 0).toLatin1();
        FMonatsLabels[static_cast<size_t>(i)] =
            Text(this, monat.constData(), QString::fromUtf16(Initialen[static_cast<size_t>(i)]),
                 spalte.translated(0, 148));
        const QByteArray wert = "lR" + nummer.toLatin1();
        lR[static_cast<size_t>(i)] =
            Text(this, wert.constData(), QString(), spalte.translated(0, 160));
        FMonatsLabels[static_cast<size_t>(i)]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        lR[static_cast<size_t>(i)]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }

    Label1 = Fett(Text(this, "Label1", QStringLiteral("Gartenbewässerung in folgenden Monaten:"),
                       QRect(240, 176, 281, 16)));
    for (int i = 0; i < 12; ++i) {
        auto* monat = new QCheckBox(QString::fromUtf16(Monate[static_cast<size_t>(i)]), this);
        monat->setObjectName(QStringLiteral("cbMon") + zahl::Dezimal(i + 1, 0));
        monat->setGeometry(i < 6 ? 248 : 360, 200 + 16 * (i % 6), 105, 17);
        monat->setChecked(StandardGartenmonate[static_cast<size_t>(i)]);
        cbMon[static_cast<size_t>(i)] = monat;
    }
}

void TFuellstandSeite::ShowSimulationPage()
{
    SetSliders(std::vector<long double>(FSatz.Niederschlag.begin(), FSatz.Niederschlag.end()));
    InterpolateLine();
    for (QSlider* regler : tbR)
        regler->setEnabled(true);
}

void TFuellstandSeite::SetSliders(const std::vector<long double>& Values)
{
    FSlidersReady = false;
    const auto bereit = qScopeGuard([this] { FSlidersReady = true; });
    if (Values.size() != tbR.size())
        throw EFehler(QStringLiteral("SetSliders: array hat ungültige Länge!"));
    for (size_t i = 0; i < tbR.size(); ++i)
        tbR[i]->setValue(ReglerPosition(Values[i], Max));
}

void TFuellstandSeite::GetSliders(std::vector<long double>& Values) const
{
    if (Values.size() != tbR.size())
        throw EFehler(QStringLiteral("GetSliders: array hat ungültige Länge!"));
    for (size_t i = 0; i < tbR.size(); ++i)
        Values[i] = ReglerMeter(tbR[i]->value(), Max);
}

void TFuellstandSeite::InterpolateLine()
{
    if (!FSlidersReady)
        return;
    std::vector<long double> werte(12);
    GetSliders(werte);
    for (size_t i = 0; i < lR.size(); ++i)
        lR[i]->setText(zahl::Dezimal(Millimeter(werte[i]), 0));

    QImage bild(BildBreite, BildHoehe, QImage::Format_RGB32);
    bild.fill(palette().color(QPalette::Button));
    const std::vector<long double> kurve = Regenkurve(werte, BildBreite);
    const QRgb rot = qRgb(255, 0, 0);
    for (int c = 0; c < BildBreite; ++c) {
        const long double zeile = 117 - Abgerundet(kurve[static_cast<size_t>(c)] * 1130 / 2);
        for (const long double r : {zeile, zeile + 1})
            if (r >= 0 && r < BildHoehe)
                bild.setPixel(c, static_cast<int>(r), rot);
    }
    iRegler1->setPixmap(QPixmap::fromImage(bild));
}

std::array<bool, 12> TFuellstandSeite::Gartenmonate() const
{
    std::array<bool, 12> monate{};
    for (size_t i = 0; i < cbMon.size(); ++i)
        monate[i] = cbMon[i]->isChecked();
    return monate;
}

void TFuellstandSeite::BeendeFuerSchliessen()
{
    if (!FSimRunning)
        return;
    FSimAbort = true;
    FSchliessen = true;
}

bool TFuellstandSeite::eventFilter(QObject* objekt, QEvent* ereignis)
{
    // The window going away while a run goes on: the run ends first.
    if (objekt == FBeobachtet && ereignis->type() == QEvent::Hide && !ereignis->spontaneous() &&
        !FBeobachtet->isMinimized())
        BeendeFuerSchliessen();
    return QWidget::eventFilter(objekt, ereignis);
}

void TFuellstandSeite::btnSimulierenClick()
{
    if (FSimRunning) {
        FSimAbort = true;
        return;
    }
    FilterProducts(FProdukte, FSatz.Volumen);

    QWidget* const fenster = window();
    // Prepared in a copy: a cancelled dialog leaves the page as it was.
    TSimulationSet vorlage;
    CopySimulationSet(FSimulationSet, vorlage);
    vorlage.Runs = 100;
    vorlage.StartLevel = 0;
    vorlage.IntervalFrom = 1;
    vorlage.IntervalTo = 12;
    vorlage.StartTime = vorlage.IntervalFrom;
    CopyParameterSatz(FSatz, vorlage.ParameterSatz);
    {
        TFSimulationDialog dialog(FProdukte, fenster);
        dialog.SetSimulationSet(vorlage);
        if (dialog.exec() != QDialog::Accepted)
            return;
        dialog.GetSimulationSet(FSimulationSet);
    }

    FSimRunning = true;
    FSimAbort = false;
    FSchliessen = false;
    btnSimulieren->setText(Abbrechen);
    FBeobachtet = fenster;
    fenster->installEventFilter(this);
    // Runs also when an error leaves the handler; after the engine is gone. The page may
    // have been destroyed while events were processed.
    const QPointer<TFuellstandSeite> selbst(this);
    const auto ende = qScopeGuard([this, selbst] {
        if (!selbst)
            return;
        if (FBeobachtet)
            FBeobachtet->removeEventFilter(this);
        FBeobachtet = nullptr;
        btnSimulieren->setText(Starten);
        FSimRunning = false;
    });

    try {
        Simuliere(fenster, selbst);
    } catch (const std::bad_alloc&) {
        throw EFehler(QStringLiteral("Für diese Simulation reicht der Arbeitsspeicher nicht aus. "
                                     "Bitte wählen Sie weniger Zeiteinheiten."));
    }
}

void TFuellstandSeite::Simuliere(QWidget* fenster, const QPointer<TFuellstandSeite>& selbst)
{
    std::vector<long double> werte(12);
    GetSliders(werte);
    BereiteKurvenVor(FSimulationSet, werte, Gartenmonate());
    FSimulationSet.ParameterSatz.Niederschlag = Wettermittel(FSatz.Niederschlag, werte, Max);

    FBalken->remove(0, FBalken->count());
    FAchseY->setMax(static_cast<double>(FSimulationSet.ParameterSatz.Volumen));
    FBalken->append(QList<qreal>(static_cast<qsizetype>(FSimulationSet.RainCurve.size()) + 1, 0.0));

    const std::unique_ptr<TSimulation> simulation = SimulationsFabrik();
    simulation->SetParameters(FSimulationSet);
    simulation->SetOnProgress(
        [this, selbst](std::int32_t Time, const TSimulationSet& Set, long double Level) {
            return !selbst || SimulationProgress(Time, Set, Level);
        });
    const bool fertig = simulation->Run();
    if (!selbst)
        return;

    if (fertig) {
        std::int64_t overflows = 0;
        std::int64_t empties = 0;
        long double makeUp = 0;
        simulation->GetResults(overflows, empties, makeUp);
        const auto runs = static_cast<long double>(FSimulationSet.Runs);
        TfrmSimuAuswertung auswertung(fenster);
        auswertung.ShowResults(static_cast<long double>(empties) / runs,
                               static_cast<long double>(overflows) / runs, makeUp / runs,
                               simulation->Regenwasseranteil());
    } else if (!FSchliessen) {
        ZeigeMeldung({fenster, QStringLiteral("Die Simulation wurde vom Anwender abgebrochen."),
                      QStringLiteral("Abbruch"), QMessageBox::Critical, QMessageBox::Ok});
    }
}

bool TFuellstandSeite::SimulationProgress(std::int32_t Time, const TSimulationSet& Set,
                                          long double Level)
{
    if (const auto balken =
            BalkenDerZeiteinheit(Time, Set, static_cast<std::size_t>(FBalken->count())))
        FBalken->replace(static_cast<qsizetype>(*balken), static_cast<double>(Level));

    const QPointer<TFuellstandSeite> selbst(this);
    Schlafe(10);
    QApplication::processEvents();
    return !selbst || FSimAbort;
}
