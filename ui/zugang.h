// What assistive technology reads from the windows: sliders that speak their value in the unit
// of their label, page buttons that are tabs of one group, result labels that announce changes.
#pragma once

#include <QString>

class QAbstractButton;
class QLabel;
class QSlider;
class QWidget;

// The slider reports faktor × position + versatz with that many decimals and the unit as its
// value ("2,0 Personen"); setting the value through the interface moves the thumb.
void SprichInEinheit(QSlider* slider, double faktor, double versatz, const QString& einheit,
                     int stellen);

// The buttons inside `gruppe` that carry the page-button mark are announced as tabs of the
// page list `gruppe`, selected while checked.
void AlsSeitenliste(QWidget* gruppe, const QString& name);
void AlsSeitenknopf(QAbstractButton* knopf);

// A result label: its name is caption, value and unit, so a new value is announced.
void AlsErgebnis(QLabel* wert, const QString& beschriftung, const QString& einheit);
// Shows the value; the label's name follows.
void ZeigeErgebnis(QLabel* wert, const QString& text);
