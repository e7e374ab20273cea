// The coverage chart as a widget: the report's drawing in the desktop's font on white.
#include "evaluation/deckungsdiagramm.h"

#include <QPainter>

TDeckungsDiagramm::TDeckungsDiagramm(QWidget* eltern) : QWidget(eltern)
{
    setAutoFillBackground(true);
    QPalette farben = palette();
    farben.setColor(QPalette::Window, Qt::white);
    farben.setColor(QPalette::WindowText, Qt::black);
    setPalette(farben);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TDeckungsDiagramm::Zeige(const TWirtschaftlichkeitsDaten& daten)
{
    FDaten = daten;
    update();
}

QRectF TDeckungsDiagramm::Kasten() const
{
    const int rand = fontMetrics().height() / 2;
    return QRectF(rect()).adjusted(rand, rand / 2, -rand, -rand / 2);
}

TWirtschaftsDiagrammGeometrie TDeckungsDiagramm::Geometrie() const
{
    return WirtschaftsDiagrammGeometrie(FDaten, Kasten(), logicalDpiX(),
                                        QFontMetricsF(font(), this));
}

QSize TDeckungsDiagramm::sizeHint() const
{
    const int zeile = fontMetrics().height();
    return {70 * zeile, 22 * zeile};
}

QSize TDeckungsDiagramm::minimumSizeHint() const
{
    const int zeile = fontMetrics().height();
    return {40 * zeile, 14 * zeile};
}

void TDeckungsDiagramm::paintEvent(QPaintEvent* /*ereignis*/)
{
    QPainter maler(this);
    maler.setRenderHint(QPainter::Antialiasing);
    ZeichneWirtschaftsDiagramm(maler, Kasten(), FDaten, font());
}
