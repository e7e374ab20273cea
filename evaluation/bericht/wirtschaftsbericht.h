// The report page "Wirtschaftlichkeit": coverage and overflow over the tank volume as a chart,
// the point of diminishing returns, the money inputs and the recommended products' figures.
#pragma once

#include "evaluation/bericht/berichtmaschine.h"
#include "evaluation/wirtschaftlichkeit.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPolygonF>
#include <QRectF>

#include <vector>

class QPainter;

// Laid out on the definition's page with its repeated title lines, the second of them reading
// "Wirtschaftlichkeit", and the sentence on the point of diminishing returns. Products
// beyond the table's rows are counted in a closing line.
TBerichtSeite WirtschaftlichkeitsSeite(const TBerichtDefinition& definition,
                                       const TWirtschaftlichkeitsDaten& daten);

// Where the chart of that page puts its parts, in the painter's units: the plot area, the two
// curves, the vertical marks (the sizing rule's volume and the knee), the product markers and
// every label. Labels are placed so that none overlaps another, a curve, a mark or a marker.
struct TWirtschaftsDiagrammGeometrie {
    QRectF Feld;
    double Bis = 0;     // the x axis' end, a multiple of its step
    double Schritt = 0; // the x axis' step: 1, 2 or 5 × 10^n
    std::vector<QPolygonF> Kurven;
    std::vector<QLineF> Linien;
    std::vector<QRectF> Marker;
    std::vector<QString> Texte;         // a mark's label may break after its colon
    std::vector<QRectF> Beschriftungen; // one for each of Texte
};
TWirtschaftsDiagrammGeometrie WirtschaftsDiagrammGeometrie(const TWirtschaftlichkeitsDaten& daten,
                                                           const QRectF& kasten, double dpi,
                                                           const QFontMetricsF& masse);

// Draws that chart into `kasten` in the given font (the painter's device decides the dpi): grid,
// round ticks, curves, marks, numbered product markers (the chosen one filled), labels and a
// legend above the plot. The report page and the screen use it alike.
void ZeichneWirtschaftsDiagramm(QPainter& maler, const QRectF& kasten,
                                const TWirtschaftlichkeitsDaten& daten, const QFont& schrift);

// True when the segment touches the rectangle.
bool Schneidet(const QRectF& rechteck, const QLineF& strecke);
