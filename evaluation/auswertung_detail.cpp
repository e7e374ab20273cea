// Detailed what-if page: sliders for persons and the selected area, results following each step.
#include "evaluation/auswertung.h"
#include "evaluation/gestaltung.h"
#include "model/zahlenformat.h"
#include "ui/fehlerwaechter.h"
#include "ui/werkzeug.h"
#include "ui/zugang.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <cmath>
#include <optional>

namespace {
// The decorative connector lines from the two upper groups to the results.
class TVerbinder : public QWidget {
public:
    struct TLinie {
        QColor Farbe;
        std::array<QPoint, 3> Punkte;
    };

    TVerbinder(QWidget* eltern, std::array<TLinie, 2> linien) : QWidget(eltern), m_linien(linien)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter maler(this);
        // The points are given at the layout's size.
        maler.scale(width() / static_cast<double>(FensterBreite),
                    width() / static_cast<double>(FensterBreite));
        for (const TLinie& linie : m_linien) {
            maler.setPen(QPen(linie.Farbe, 2));
            maler.drawPolyline(linie.Punkte.data(), static_cast<int>(linie.Punkte.size()));
        }
    }

private:
    std::array<TLinie, 2> m_linien;
};

struct TBereichsregel {
    long double Faktor;
    long double Grenze;
};

// Range rule of a slider by its Tag: 1 to 3 persons, 4 the area.
std::optional<TBereichsregel> RegelFuer(int tag)
{
    if (tag >= 1 && tag <= 3)
        return TBereichsregel{1.5L, 10};
    if (tag == 4)
        return TBereichsregel{2, 100};
    return std::nullopt;
}

QSlider* Regler(QWidget* eltern, const char* name, int tag, const QRect& lage)
{
    auto* slider = new QSlider(Qt::Horizontal, eltern);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setProperty("Tag", tag);
    slider->setGeometry(lage);
    slider->setRange(0, 100);
    slider->setTickInterval(10);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setValue(1);
    return slider;
}

// A text in the group's font without its bold.
QLabel* Beschriftung(QWidget* eltern, const char* name, const QString& text, const QRect& lage,
                     Qt::Alignment ausrichtung = Qt::AlignLeft)
{
    QLabel* label = Text(eltern, name ? name : "", text, lage);
    QFont normal = eltern->font();
    normal.setBold(false);
    label->setFont(normal);
    label->setAlignment(ausrichtung | Qt::AlignVCenter);
    return label;
}

QString PersonenText(long double personen)
{
    // One decimal; the count is never cut to two significant digits (12,3 stays 12,3).
    return zahl::Fest(personen, 1, 18);
}
} // namespace

void TfrmAuswertung::ErzeugeDetailSeite()
{
    ErzeugeErbringer();
    ErzeugeVerbraucher();

    auto* gbBerechnung =
        Gruppe(tsAInfo, "gbBerechnung", QStringLiteral("Berechnung"), {124, 246, 276, 108});
    gbBerechnung->setFont(Fett(gbBerechnung->font()));
    const std::array<QLabel**, 4> werte{&lBedarf, &lErtrag, &lVolumen, &lRate};
    for (size_t i = 0; i < Ergebniszeilen.size(); ++i)
        *werte[i] = Ergebniszeile(gbBerechnung, "l", Ergebniszeilen[i],
                                  20 + static_cast<int>(i) * 21, {130, 90, 30});

    auto* linien = new TVerbinder(
        tsAInfo, {{{QColor(0, 128, 0), {QPoint(108, 232), QPoint(108, 300), QPoint(124, 300)}},
                   {QColor(128, 0, 0), {QPoint(440, 232), QPoint(440, 300), QPoint(400, 300)}}}});
    linien->setObjectName(QStringLiteral("Verbinder"));
    linien->setGeometry(0, 0, FensterBreite, 360);
    linien->lower();

    btnDetailEmpf = Knopf(tsAInfo, "btnDetailEmpf", QStringLiteral("&Empfehlung"),
                          {FensterBreite - 118, 320, 110, 28});
    VerbindeBewacht(btnDetailEmpf, &QPushButton::clicked, this,
                    &TfrmAuswertung::btnDetailEmpfClick);

    for (QSlider* slider : {tbPersWCSpar, tbPersWCNorm, tbPersWasch, tbFlaeche})
        VerbindeBewacht(slider, &QSlider::valueChanged, this,
                        [this, slider] { tbPersWCSparChange(slider); });
}

void TfrmAuswertung::ErzeugeErbringer()
{
    auto* gbPlus = Gruppe(tsAInfo, "gbPlus", QStringLiteral("Erbringer"), {8, 6, 200, 226});
    gbPlus->setFont(Fett(gbPlus->font()));
    Beschriftung(gbPlus, "lAuffangflaechen", QStringLiteral("Auffangflächen"), {10, 18, 180, 18});
    sgFlaeche = new QTableWidget(0, 2, gbPlus);
    sgFlaeche->setObjectName(QStringLiteral("sgFlaeche"));
    sgFlaeche->setAccessibleName(QStringLiteral("Auffangflächen"));
    sgFlaeche->setGeometry(10, 38, 180, 114);
    QFont normal = font();
    normal.setBold(false);
    sgFlaeche->setFont(normal);
    sgFlaeche->horizontalHeader()->setFont(normal);
    sgFlaeche->setHorizontalHeaderLabels(
        {QStringLiteral("Fläche (m²)"), QStringLiteral("Abflussbeiwert")});
    sgFlaeche->setColumnWidth(0, 80);
    sgFlaeche->setColumnWidth(1, 80);
    sgFlaeche->verticalHeader()->hide();
    sgFlaeche->verticalHeader()->setMinimumSectionSize(15);
    sgFlaeche->verticalHeader()->setDefaultSectionSize(std::max(15, fontMetrics().height() + 2));
    sgFlaeche->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sgFlaeche->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgFlaeche->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgFlaeche->setSelectionMode(QAbstractItemView::SingleSelection);
    sgFlaeche->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgFlaeche->setTabKeyNavigation(false);
    sgFlaeche->horizontalHeader()->setHighlightSections(false);
    VerbindeBewacht(sgFlaeche, &QTableWidget::currentCellChanged, this,
                    [this](int zeile) { sgFlaecheSelectCell(zeile + 1); });
    tbFlaeche = Regler(gbPlus, "tbFlaeche", 4, {10, 158, 180, 26});
    tbFlaeche->setAccessibleName(QStringLiteral("Gewählte Auffangfläche"));
    SprichInEinheit(tbFlaeche, 0.1, 0, QStringLiteral("m²"), 2);
    Beschriftung(gbPlus, "lminFlaeche", QStringLiteral("0"), {10, 186, 40, 16});
    lmaxFlaeche = Beschriftung(gbPlus, "lmaxFlaeche", QStringLiteral("10"), {110, 186, 80, 16},
                               Qt::AlignRight);
}

void TfrmAuswertung::ErzeugeVerbraucher()
{
    auto* gbMinus = Gruppe(tsAInfo, "gbMinus", QStringLiteral("Verbraucher"),
                           {216, 6, FensterBreite - 224, 226});
    gbMinus->setFont(Fett(gbMinus->font()));
    struct TVerbraucherZeile {
        const char* Text;
        const char* Slider;
        const char* Wert;
        const char* Max;
        QSlider** ZielSlider;
        QLabel** ZielWert;
        QLabel** ZielMax;
    };
    const std::array<TVerbraucherZeile, 3> zeilen{{
        {"Anz. Pers. Spar-WC", "tbPersWCSpar", "lPersWCSpar", "lmaxPersSparWC", &tbPersWCSpar,
         &lPersWCSpar, &lmaxPersSparWC},
        {"Anz. Pers. Normal-WC", "tbPersWCNorm", "lPersWCNorm", "lmaxPersNormWC", &tbPersWCNorm,
         &lPersWCNorm, &lmaxPersNormWC},
        {"Anz. Pers. Waschmaschine", "tbPersWasch", "lPersWasch", "lmaxPersWasch", &tbPersWasch,
         &lPersWasch, &lmaxPersWasch},
    }};
    for (int i = 0; i < 3; ++i) {
        const TVerbraucherZeile& z = zeilen[static_cast<size_t>(i)];
        const int y = 18 + i * 68;
        Beschriftung(gbMinus, nullptr, QString::fromUtf8(z.Text), {10, y, 220, 18});
        *z.ZielSlider = Regler(gbMinus, z.Slider, i + 1, {10, y + 18, 220, 26});
        (*z.ZielSlider)->setAccessibleName(QString::fromUtf8(z.Text));
        SprichInEinheit(*z.ZielSlider, 0.1, 0, QStringLiteral("Personen"), 1);
        *z.ZielWert = Beschriftung(gbMinus, z.Wert, QStringLiteral("1"), {236, y + 20, 56, 20},
                                   Qt::AlignRight);
        (*z.ZielWert)->setFont(Fett((*z.ZielWert)->font()));
        Beschriftung(gbMinus, nullptr, QStringLiteral("0"), {10, y + 46, 40, 16});
        *z.ZielMax = Beschriftung(gbMinus, z.Max, QStringLiteral("10"), {150, y + 46, 80, 16},
                                  Qt::AlignRight);
    }
}

void TfrmAuswertung::SetSliderRange(QSlider* slider, QLabel* maxLabel, long double wert)
{
    const auto regel = RegelFuer(slider->property("Tag").toInt());
    if (regel) {
        const int maximum = regel->Grenze > wert
                                ? static_cast<int>(regel->Grenze * 10)
                                : static_cast<int>(std::trunc(wert * 10 * regel->Faktor));
        // Only the slider moves: the value stays as it is (12,37 m² stays 12,37 m² while the
        // slider stands at 123) until the user moves the slider.
        {
            const QSignalBlocker sperre(slider);
            slider->setMaximum(maximum);
            slider->setTickInterval(maximum / 10);
            slider->setValue(static_cast<int>(std::trunc(wert * 10)));
        }
        if (QLabel* label = PersonenLabel(slider->property("Tag").toInt()))
            label->setText(PersonenText(wert));
    }
    maxLabel->setText(QString::number(slider->maximum() / 10));
}

void TfrmAuswertung::SetConsumerSliderRanges()
{
    SetSliderRange(tbPersWCSpar, lmaxPersSparWC, FParameterSatz.PersWCSpar);
    SetSliderRange(tbPersWCNorm, lmaxPersNormWC, FParameterSatz.PersWCNorm);
    SetSliderRange(tbPersWasch, lmaxPersWasch, FParameterSatz.PersWasch);
}

QLabel* TfrmAuswertung::PersonenLabel(int tag) const
{
    const std::array<QLabel*, 3> labels{lPersWCSpar, lPersWCNorm, lPersWasch};
    return tag >= 1 && tag <= 3 ? labels[static_cast<size_t>(tag - 1)] : nullptr;
}

void TfrmAuswertung::tbPersWCSparChange(QSlider* slider)
{
    const long double wert = slider->value() / 10.0L;
    const int tag = slider->property("Tag").toInt();
    switch (tag) {
    case 1:
    case 2:
    case 3: {
        const std::array<long double TParameterSatz::*, 3> felder{
            &TParameterSatz::PersWCSpar, &TParameterSatz::PersWCNorm, &TParameterSatz::PersWasch};
        FParameterSatz.*felder[static_cast<size_t>(tag - 1)] = wert;
        PersonenLabel(tag)->setText(PersonenText(wert));
        break;
    }
    case 4: {
        const int index = FSliderZeile - 1;
        if (index < 0 || index >= static_cast<int>(FParameterSatz.Flaechen.size()))
            break;
        FParameterSatz.Flaechen[static_cast<size_t>(index)].Flaeche = wert;
        if (QTableWidgetItem* zelle = sgFlaeche->item(index, 0))
            zelle->setText(zahl::Fest(wert, 2, 6));
        break;
    }
    default:
        break;
    }
    ShowDetailedResults();
}

void TfrmAuswertung::ShowDetailedResults()
{
    Recalculate();
    ZeigeErgebnis(lErtrag, zahl::Fest(FParameterSatz.Ertrag, 2, 6));
    ZeigeErgebnis(lBedarf, zahl::Fest(FParameterSatz.Bedarf, 2, 6));
    ZeigeErgebnis(lVolumen, zahl::Fest(FParameterSatz.Volumen, 2, 6));
    ZeigeErgebnis(lRate, zahl::Fest(FParameterSatz.Rate, 2, 6));
}

void TfrmAuswertung::FillAreaGrid()
{
    const QSignalBlocker sperre(sgFlaeche);
    sgFlaeche->setCurrentCell(-1, -1);
    const auto& flaechen = FParameterSatz.Flaechen;
    sgFlaeche->setRowCount(static_cast<int>(flaechen.size()));
    for (int i = 0; i < static_cast<int>(flaechen.size()); ++i) {
        const TFlaeche& f = flaechen[static_cast<size_t>(i)];
        for (int spalte = 0; spalte < 2; ++spalte) {
            const QString text =
                spalte == 0 ? zahl::Fest(f.Flaeche, 2, 6) : zahl::Fest(f.Beiwert, 2, 2);
            auto* zelle = new QTableWidgetItem(text);
            zelle->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            sgFlaeche->setItem(i, spalte, zelle);
        }
    }
    FSliderZeile = 1;
    if (flaechen.empty()) {
        tbFlaeche->setEnabled(false);
        return;
    }
    tbFlaeche->setEnabled(true);
    sgFlaeche->setCurrentCell(0, 0);
    SetSliderRange(tbFlaeche, lmaxFlaeche, flaechen.front().Flaeche);
}

void TfrmAuswertung::sgFlaecheSelectCell(int zeile)
{
    if (zeile < 1 || zeile > static_cast<int>(FParameterSatz.Flaechen.size()))
        return;
    FSliderZeile = zeile;
    SetSliderRange(tbFlaeche, lmaxFlaeche,
                   FParameterSatz.Flaechen[static_cast<size_t>(zeile - 1)].Flaeche);
}
