// Simulation dialog: settings are checked in a fixed order when "&Start" is pressed, and
// handed out only when all of them pass.
#include "simulation/fenster/simulationsdialog.h"

#include "model/fehler.h"
#include "model/plattform.h"
#include "model/zahlenformat.h"
#include "refdata/tabelle.h"
#include "ui/fehlerwaechter.h"
#include "ui/tabellenansicht.h"
#include "ui/werkzeug.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStyle>
#include <QTableView>
#include <QToolButton>

#include <algorithm>

namespace {
constexpr int UsrUnitsMin = 12;
constexpr int UsrUnitsMax = 366;
// Typed time units: at most one per hour of a leap year.
constexpr int UsrUnitsGrenze = 366 * 24;
// Everything below the weather group moves down by its height.
constexpr int WetterHoehe = 72;

const QString WetterSchluessel = QStringLiteral("Simulation/Wetter");
const QString VereinfachtWert = QStringLiteral("Vereinfacht");

QRadioButton* Radio(QWidget* eltern, const char* name, const QString& text, int tag,
                    const QRect& lage)
{
    auto* radio = new QRadioButton(text, eltern);
    radio->setObjectName(QString::fromLatin1(name));
    radio->setProperty("Tag", tag);
    radio->setGeometry(lage);
    return radio;
}

} // namespace

TWetterModell GespeichertesWettermodell()
{
    return ProgrammEinstellungen().value(WetterSchluessel).toString() == VereinfachtWert
               ? TWetterModell::Vereinfacht
               : TWetterModell::Tageswetter;
}

void SpeichereWettermodell(TWetterModell modell)
{
    ProgrammEinstellungen().setValue(WetterSchluessel, modell == TWetterModell::Vereinfacht
                                                           ? VereinfachtWert
                                                           : QStringLiteral("Tageswetter"));
}

TUpDown::TUpDown(QLineEdit* Associate, int Min, int Max, int Position, QWidget* eltern)
    : QWidget(eltern), FAssociate(Associate), FMin(Min), FMax(Max), FPosition(Position)
{
    // Sits at the right edge of the edit, as high as it is.
    const QRect feld = Associate->geometry();
    setGeometry(feld.right() + 1, feld.top(), 15, feld.height());
    const int halb = feld.height() / 2;
    btnAuf = new QToolButton(this);
    btnAuf->setObjectName(QStringLiteral("btnAuf"));
    btnAuf->setArrowType(Qt::UpArrow);
    btnAuf->setGeometry(0, 0, 15, halb);
    btnAb = new QToolButton(this);
    btnAb->setObjectName(QStringLiteral("btnAb"));
    btnAb->setArrowType(Qt::DownArrow);
    btnAb->setGeometry(0, halb, 15, feld.height() - halb);
    btnAuf->setAccessibleName(QStringLiteral("Erhöhen"));
    btnAb->setAccessibleName(QStringLiteral("Verringern"));
    for (QToolButton* knopf : {btnAuf, btnAb}) {
        knopf->setAutoRepeat(true);
        knopf->setFocusPolicy(Qt::NoFocus);
    }
    VerbindeBewacht(btnAuf, &QToolButton::clicked, this, [this] { Schritt(1); });
    VerbindeBewacht(btnAb, &QToolButton::clicked, this, [this] { Schritt(-1); });
    Associate->installEventFilter(this);
}

void TUpDown::Schritt(int richtung)
{
    if (const auto getippt = zahl::LiesGanzzahl(FAssociate->text()))
        FPosition = std::clamp(*getippt, FMin, FMax);
    FPosition = std::clamp(FPosition + richtung, FMin, FMax);
    FAssociate->setText(zahl::Dezimal(FPosition, 0));
}

bool TUpDown::eventFilter(QObject* objekt, QEvent* ereignis)
{
    // The arrow keys in the edit step like the buttons.
    if (objekt == FAssociate && ereignis->type() == QEvent::KeyPress && isEnabled()) {
        const int taste = static_cast<QKeyEvent*>(ereignis)->key();
        if (taste == Qt::Key_Up || taste == Qt::Key_Down) {
            Bewacht([&] { Schritt(taste == Qt::Key_Up ? 1 : -1); });
            return true;
        }
    }
    return QWidget::eventFilter(objekt, ereignis);
}

TFSimulationDialog::TFSimulationDialog(TTabelle& mtProd, QWidget* parent)
    : QDialog(parent), FProdukte(mtProd)
{
    setObjectName(QStringLiteral("FSimulationDialog"));
    setWindowTitle(QStringLiteral("Simulationsparameter festlegen"));
    FesterDialogRahmen(this, 419, 401 + WetterHoehe);
    ZentriereAufBildschirm(this);

    ErzeugeGrundeinstellungen();
    ErzeugeZeitintervall();
    ErzeugeWetterwahl();
    ErzeugeZieldaten();

    btnStart =
        Knopf(this, "btnStart", QStringLiteral("&Start"), QRect(192, 368 + WetterHoehe, 107, 25));
    btnStart->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    btnStart->setDefault(true);
    btnAbort = Knopf(this, "btnAbort", QStringLiteral("A&bbrechen"),
                     QRect(304, 368 + WetterHoehe, 107, 25));
    btnAbort->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

    for (QRadioButton* radio : {rbMonth, rbDay, rbUser})
        VerbindeBewacht(radio, &QRadioButton::toggled, this, [this, radio](bool an) {
            if (an)
                rbIntervalClick(radio->property("Tag").toInt());
        });
    for (QRadioButton* radio : {rbCalc, rbZisterne})
        VerbindeBewacht(radio, &QRadioButton::toggled, this, [this] { rbCalcClick(); });
    VerbindeBewacht(gridProd, &QTableView::clicked, this, &TFSimulationDialog::gridProdCellClick);
    VerbindeBewacht(btnStart, &QPushButton::clicked, this, &TFSimulationDialog::btnStartClick);
    connect(btnAbort, &QPushButton::clicked, this, &TFSimulationDialog::btnAbortClick);

    FormCreate();
}

void TFSimulationDialog::ErzeugeGrundeinstellungen()
{
    gbBase = Gruppe(this, "gbBase", QStringLiteral("Grundeinstellungen"), QRect(8, 8, 201, 137));
    edRunsLabel =
        Text(gbBase, "edRunsLabel", QStringLiteral("Anzahl der Durchläufe"), QRect(8, 18, 185, 16));
    edRuns = Feld(gbBase, "edRuns", QRect(8, 34, 121, 21), QStringLiteral("100"));
    edRunsLabel->setBuddy(edRuns);
    Label1 = Text(gbBase, "Label1", QStringLiteral("Jahre"), QRect(134, 34, 59, 21));
    edVolMinLabel = Text(gbBase, "edVolMinLabel", QStringLiteral("Mindest-Füllstand der Zisterne"),
                         QRect(8, 62, 185, 16));
    edVolMin = Feld(gbBase, "edVolMin", QRect(8, 78, 121, 21), QStringLiteral("0"));
    edVolMinLabel->setBuddy(edVolMin);
    Label2 = Text(gbBase, "Label2", QStringLiteral("m³"), QRect(134, 78, 59, 21));
    cbGraphics = new QCheckBox(QStringLiteral("Grafische Ausgabe "), gbBase);
    cbGraphics->setObjectName(QStringLiteral("cbGraphics"));
    cbGraphics->setGeometry(8, 110, 185, 17);
    cbGraphics->setChecked(true);
}

void TFSimulationDialog::ErzeugeZeitintervall()
{
    gbInterval =
        Gruppe(this, "gbInterval", QStringLiteral("Zeitintervall"), QRect(216, 8, 193, 137));
    rbMonth = Radio(gbInterval, "rbMonth", QStringLiteral("Monatlich"), 0, QRect(8, 20, 177, 17));
    rbDay = Radio(gbInterval, "rbDay", QStringLiteral("Täglich"), 1, QRect(8, 42, 177, 17));
    rbUser =
        Radio(gbInterval, "rbUser", QStringLiteral("Benutzerdefiniert"), 2, QRect(8, 64, 177, 17));
    edUsrUnits = Feld(gbInterval, "edUsrUnits", QRect(24, 92, 49, 21), QStringLiteral("12"));
    udUsrUnits = new TUpDown(edUsrUnits, UsrUnitsMin, UsrUnitsMax, UsrUnitsMin, gbInterval);
    udUsrUnits->setObjectName(QStringLiteral("udUsrUnits"));
    edUsrUnitsLabel =
        Text(gbInterval, "edUsrUnitsLabel", QStringLiteral("Zeiteinheiten"), QRect(94, 92, 91, 21));
    edUsrUnitsLabel->setBuddy(edUsrUnits);
}

void TFSimulationDialog::ErzeugeWetterwahl()
{
    gbWetter =
        Gruppe(this, "gbWetter", QStringLiteral("Wetter"), QRect(8, 152, 401, WetterHoehe - 7));
    rbTageswetter =
        Radio(gbWetter, "rbTageswetter", QStringLiteral("Tageswetter wie an echten Stationen"), -1,
              QRect(8, 20, 385, 17));
    rbTageswetter->setToolTip(
        QStringLiteral("Erzeugtes Tageswetter des Standorts mit Trocken- und Regenperioden, "
                       "dasselbe wie auf der Seite Wirtschaftlichkeit. Jeder Tag wird für sich "
                       "gerechnet: zuerst der Verbrauch aus dem Vorrat, dann füllt der Regen auf "
                       "und der Rest läuft über."));
    rbVereinfacht =
        Radio(gbWetter, "rbVereinfacht",
              QStringLiteral("Vereinfachtes Modell (Monatsmittel mit geringer Streuung)"), -1,
              QRect(8, 42, 385, 17));
    rbVereinfacht->setToolTip(
        QStringLiteral("Jede Zeiteinheit erhält die Regenmenge der Kurve mit geringer Streuung, "
                       "ohne Trockenperioden. Die Zisterne erscheint dadurch fast nie leer."));
    for (QRadioButton* radio : {rbTageswetter, rbVereinfacht})
        radio->setAccessibleName(radio->text());
    (GespeichertesWettermodell() == TWetterModell::Vereinfacht ? rbVereinfacht : rbTageswetter)
        ->setChecked(true);
}

void TFSimulationDialog::ErzeugeZieldaten()
{
    gbZisterne = Gruppe(this, "gbZisterne", QStringLiteral("Zieldaten"),
                        QRect(8, 152 + WetterHoehe, 401, 201));
    rbCalc = Radio(gbZisterne, "rbCalc",
                   QStringLiteral("Mit berechneten Werten simulieren (optimales Ergebnis)"), -1,
                   QRect(8, 20, 385, 17));
    rbZisterne = Radio(gbZisterne, "rbZisterne",
                       QStringLiteral("Mit gewählter Zisterne simulieren (reales Ergebnis)"), -1,
                       QRect(8, 44, 385, 17));
    rbCalc->setChecked(true);

    gridProd = ErzeugeTabellenansicht(gbZisterne, "gridProd", FProdukte,
                                      {{"Hersteller", 120}, {"Produkt", 120}, {"Volumen", 80}});
    gridProd->setGeometry(32, 72, 353, 113);
    gridProd->setAccessibleName(QStringLiteral("Zisterne"));
    gridProd->setShowGrid(true);
    gridProd->verticalHeader()->hide();
    gridProd->verticalHeader()->setDefaultSectionSize(18);
    gridProd->horizontalHeader()->setHighlightSections(false);
    gridProd->setEnabled(false);
}

TFSimulationDialog::~TFSimulationDialog() = default;

void TFSimulationDialog::FormCreate()
{
    // Checking it runs its handler once, which disables the user-defined units.
    rbMonth->setChecked(false);
    rbMonth->setChecked(true);
}

void TFSimulationDialog::SetSimulationSet(const TSimulationSet& Set)
{
    CopySimulationSet(Set, FSimulationSet);
}

void TFSimulationDialog::GetSimulationSet(TSimulationSet& Set) const
{
    CopySimulationSet(FSimulationSet, Set);
}

void TFSimulationDialog::rbIntervalClick(int Tag)
{
    switch (Tag) {
    case 0:
    case 1:
        edUsrUnits->setEnabled(false);
        udUsrUnits->setEnabled(false);
        break;
    case 2:
        edUsrUnits->setEnabled(true);
        udUsrUnits->setEnabled(true);
        break;
    default:
        throw EFehler(QStringLiteral("Ungültiger Radiobutton"));
    }
}

void TFSimulationDialog::rbCalcClick()
{
    gridProd->setEnabled(rbZisterne->isChecked());
    gridProd->viewport()->update();
}

void TFSimulationDialog::gridProdCellClick(const QModelIndex& index)
{
    if (index.isValid())
        rbZisterne->setChecked(true);
}

void TFSimulationDialog::btnAbortClick()
{
    reject();
}

void TFSimulationDialog::btnStartClick()
{
    // Completed in a copy: a failed step hands nothing out and leaves the received volume.
    TSimulationSet satz;
    CopySimulationSet(FSimulationSet, satz);

    satz.IntervalFrom = 1;
    if (rbMonth->isChecked()) {
        satz.IntervalTo = 12;
    } else if (rbDay->isChecked()) {
        satz.IntervalTo = 365;
    } else if (rbUser->isChecked()) {
        const auto einheiten = zahl::LiesGanzzahl(edUsrUnits->text());
        if (!einheiten || *einheiten < UsrUnitsMin)
            throw EInvalidValueException(
                QStringLiteral("Bitte geben Sie eine ganze Zahl >= 12 für die Zeiteinheiten an."));
        if (*einheiten > UsrUnitsGrenze)
            throw EInvalidValueException(
                QStringLiteral("Bitte geben Sie eine ganze Zahl <= %1 für die Zeiteinheiten an.")
                    .arg(UsrUnitsGrenze));
        satz.IntervalTo = *einheiten;
    } else {
        throw EFehler(QStringLiteral("Bitte wählen Sie ein Zeitinterval."));
    }

    const auto runs = zahl::LiesGanzzahl(edRuns->text());
    if (!runs || *runs < 1)
        throw EInvalidValueException(QStringLiteral(
            "Bitte geben Sie eine ganze Zahl >= 1 für die Anzahl der Durchläufe ein."));
    satz.Runs = *runs;

    if (rbZisterne->isChecked()) {
        const TWert& volumen = FProdukte.AktuellerWert(u"Volumen");
        if (IstNull(volumen)) // no product row selected
            throw EInvalidValueException(
                QStringLiteral("Bitte wählen Sie eine Zisterne aus der Liste."));
        satz.ParameterSatz.Volumen = AlsZahl(volumen);
    }

    const auto volMin = zahl::Lies(edVolMin->text());
    if (!volMin || *volMin < 0 || *volMin > satz.ParameterSatz.Volumen)
        throw EInvalidValueException(
            QStringLiteral("Bitte geben Sie eine eine Zahl größer als 0 und kleiner als das "
                           "maximale Volumen der Zisterne für den Mindestfüllstand an."));
    satz.VolMin = *volMin + 0.0L; // "-0" counts as 0

    switch (cbGraphics->checkState()) {
    case Qt::Checked:
        satz.Graphics = true;
        break;
    case Qt::Unchecked:
        satz.Graphics = false;
        break;
    default:
        throw EFehler(
            QStringLiteral("Bitte wählen Sie einen gültigen Wert für die Grafikausgabe."));
    }

    satz.Wetter =
        rbVereinfacht->isChecked() ? TWetterModell::Vereinfacht : TWetterModell::Tageswetter;
    SpeichereWettermodell(satz.Wetter);

    FSimulationSet = std::move(satz);
    accept();
}
