// The chart of coverage and overflow over the tank volume on the screen, drawn as on the report
// page: round ticks, numbered product markers (the user's filled) and labels that overlap nothing.
#pragma once

#include "evaluation/bericht/wirtschaftsbericht.h"
#include "evaluation/wirtschaftlichkeit.h"

#include <QWidget>

class TDeckungsDiagramm : public QWidget {
    Q_OBJECT
public:
    explicit TDeckungsDiagramm(QWidget* eltern = nullptr);

    void Zeige(const TWirtschaftlichkeitsDaten& daten);
    const TWirtschaftlichkeitsDaten& Daten() const { return FDaten; }
    // Where the chart puts its parts at the widget's present size and font.
    TWirtschaftsDiagrammGeometrie Geometrie() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* ereignis) override;

private:
    QRectF Kasten() const;

    TWirtschaftlichkeitsDaten FDaten;
};
