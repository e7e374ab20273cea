// The chart of coverage and overflow over the tank volume.
#include "evaluation/wirtschaftlichkeit.h"

#include "model/zahlenformat.h"
#include "ui/diagrammschrift.h"

#include <QChart>
#include <QFont>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>

namespace {
const QColor DeckungsFarbe(0x1A, 0x6B, 0xB4);
const QColor UeberlaufFarbe(0xA9, 0x48, 0x2A);
const QColor VolumenFarbe(0x5F, 0x6B, 0x76);
const QColor ProduktFarbe(0x4C, 0x9F, 0x2E);
const QColor KnickFarbe(0xD0, 0x1C, 0x1C);
constexpr int ProduktnameZeichen = 14;
// Products lie close together: their names stand one below the other under the curve, this many
// percentage points apart.
constexpr double NamensAbstand = 9;

// A series of one marked point whose label is the given text.
QScatterSeries* Markierung(const QString& name, const QString& beschriftung, double x, double y,
                           const QColor& farbe, QScatterSeries::MarkerShape form, double groesse)
{
    auto* punkt = new QScatterSeries;
    punkt->setName(name);
    punkt->append(x, y);
    punkt->setColor(farbe);
    punkt->setBorderColor(Qt::white);
    punkt->setMarkerShape(form);
    punkt->setMarkerSize(groesse);
    // A label format without placeholders shows as it stands; '@' would start one.
    QString text = beschriftung;
    text.replace(QLatin1Char('@'), QStringLiteral("(at)"));
    punkt->setPointLabelsFormat(text);
    punkt->setPointLabelsVisible(true);
    punkt->setPointLabelsColor(farbe.darker(130));
    punkt->setPointLabelsClipping(false);
    QFont schrift = punkt->pointLabelsFont();
    schrift.setPointSizeF(8);
    punkt->setPointLabelsFont(schrift);
    return punkt;
}

QString Kurzname(const QString& name)
{
    if (name.size() <= ProduktnameZeichen)
        return name;
    return name.left(ProduktnameZeichen - 1) + QChar(0x2026);
}
} // namespace

QChart* ErzeugeDeckungsdiagramm(const TWirtschaftlichkeitsDaten& daten)
{
    auto* chart = new QChart;
    chart->setLocale(QLocale(QLocale::German, QLocale::Germany));
    chart->setLocalizeNumbers(true);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignRight);

    const std::vector<TDeckungsPunkt>& kurve = daten.Ergebnis.Kurve;
    double bis = 1;
    for (const TDeckungsPunkt& p : kurve)
        bis = std::max(bis, p.Volumen);

    auto* achseX = new QValueAxis;
    achseX->setTitleText(QStringLiteral("Speichervolumen in m³"));
    achseX->setRange(0, bis);
    achseX->setTickCount(6);
    auto* achseY = new QValueAxis;
    achseY->setTitleText(QStringLiteral("Anteil in %"));
    achseY->setRange(0, 100);
    achseY->setTickCount(6);
    achseY->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(achseX, Qt::AlignBottom);
    chart->addAxis(achseY, Qt::AlignLeft);
    SchriftDerAnwendung(chart);
    const auto anhaengen = [&](QAbstractSeries* reihe) {
        chart->addSeries(reihe);
        reihe->attachAxis(achseX);
        reihe->attachAxis(achseY);
    };

    auto* deckung = new QLineSeries;
    deckung->setName(QString::fromUtf16(Regenwasseranteil));
    deckung->setPen(QPen(DeckungsFarbe, 2.5));
    auto* ueberlauf = new QLineSeries;
    ueberlauf->setName(QStringLiteral("Überlauf"));
    ueberlauf->setPen(QPen(UeberlaufFarbe, 2));
    for (const TDeckungsPunkt& p : kurve) {
        deckung->append(p.Volumen, p.Deckung * 100);
        ueberlauf->append(p.Volumen, p.Ueberlauf * 100);
    }
    anhaengen(deckung);
    anhaengen(ueberlauf);

    const double volumen = static_cast<double>(daten.Volumen);
    if (volumen > 0) {
        auto* linie = new QLineSeries;
        linie->setName(QStringLiteral("Speichergröße %1 m³").arg(zahl::Fest(daten.Volumen, 2, 6)));
        QPen stift(VolumenFarbe, 1.5, Qt::DashLine);
        linie->setPen(stift);
        linie->append(volumen, 0);
        linie->append(volumen, 100);
        anhaengen(linie);
    }

    const auto ohneLegende = [&](QAbstractSeries* reihe) {
        for (QLegendMarker* marker : chart->legend()->markers(reihe))
            marker->setVisible(false);
    };
    for (size_t i = 0; i < daten.Produkte.size(); ++i) {
        const TProduktWirtschaft& p = daten.Produkte[i];
        const double v = static_cast<double>(p.Volumen);
        const double d = static_cast<double>(p.Deckung) * 100;
        QScatterSeries* punkt = Markierung(QStringLiteral("Empfohlene Produkte"), QString(), v, d,
                                           ProduktFarbe, QScatterSeries::MarkerShapeRectangle, 9);
        punkt->setPointLabelsVisible(false);
        anhaengen(punkt);
        // One legend entry stands for all products.
        if (i > 0)
            ohneLegende(punkt);
        const double hoehe = std::max(4.0, d - NamensAbstand * (static_cast<double>(i) + 1.5));
        QScatterSeries* name = Markierung(QString(), Kurzname(p.Produkt), v, hoehe, ProduktFarbe,
                                          QScatterSeries::MarkerShapeCircle, 1);
        name->setColor(Qt::transparent);
        name->setBorderColor(Qt::transparent);
        anhaengen(name);
        ohneLegende(name);
    }

    if (const auto knick = daten.Ergebnis.Knick) {
        anhaengen(Markierung(KnickMarke(*knick), KnickVolumen(*knick), *knick,
                             DeckungBei(kurve, *knick) * 100, KnickFarbe,
                             QScatterSeries::MarkerShapeCircle, 11));
    }
    return chart;
}
