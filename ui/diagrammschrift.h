// Charts speak in the application's font: title, legend, axis labels and axis titles.
#pragma once

#include <QAbstractAxis>
#include <QApplication>
#include <QChart>
#include <QLegend>

inline void SchriftDerAnwendung(QChart* chart)
{
    const QFont schrift = QApplication::font();
    QFont titel = schrift;
    titel.setBold(true);
    chart->setTitleFont(titel);
    chart->legend()->setFont(schrift);
    for (QAbstractAxis* achse : chart->axes()) {
        achse->setLabelsFont(schrift);
        achse->setTitleFont(schrift);
    }
}
