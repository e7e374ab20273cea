// Small building blocks shared by the pages of the evaluation window.
#pragma once

#include "model/wirtschaftlichkeit.h"
#include "ui/werkzeug.h"
#include "ui/zugang.h"

#include <QFont>
#include <QLabel>
#include <QRect>
#include <array>

// Client width of the evaluation window.
inline constexpr int FensterBreite = 532;

// One result row: caption, bold right-aligned value (objectName), unit.
struct TErgebniszeile {
    const char* Beschriftung;
    const char* Wert;
    const char* Einheit;
    const char16_t* Hinweis = nullptr; // tooltip of caption and value
};

// The four result rows of the compact and the detailed page; values named without prefix.
inline constexpr std::array<TErgebniszeile, 4> Ergebniszeilen{{
    {"Regenwasserbedarf :", "Bedarf", "m³"},
    {"Regenwasserertrag :", "Ertrag", "m³"},
    {"Speichergröße :", "Volumen", "m³"},
    {"Deckungsrate :", "Rate", "%", DeckungsrateErklaerung},
}};

// Column widths of a result row: caption, value, unit.
struct TSpaltenbreiten {
    int Beschriftung;
    int Wert;
    int Einheit;
};

// Creates the row's labels in `gruppe` at height y; the value label is named `praefix` + Wert
// and reads "0". Returns the value label.
inline QLabel* Ergebniszeile(QWidget* gruppe, const char* praefix, const TErgebniszeile& zeile,
                             int y, TSpaltenbreiten breiten)
{
    QFont normal = gruppe->font();
    normal.setBold(false);
    auto* beschriftung = new QLabel(QString::fromUtf8(zeile.Beschriftung), gruppe);
    beschriftung->setFont(normal);
    beschriftung->setGeometry(12, y, breiten.Beschriftung, 20);
    auto* wert = new QLabel(QStringLiteral("0"), gruppe);
    wert->setObjectName(QString::fromLatin1(praefix) + QString::fromLatin1(zeile.Wert));
    wert->setFont(Fett(normal));
    wert->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    wert->setGeometry(12 + breiten.Beschriftung, y, breiten.Wert, 20);
    auto* einheit = new QLabel(QString::fromUtf8(zeile.Einheit), gruppe);
    einheit->setFont(normal);
    einheit->setGeometry(12 + breiten.Beschriftung + breiten.Wert + 6, y, breiten.Einheit, 20);
    if (zeile.Hinweis) {
        beschriftung->setToolTip(QString::fromUtf16(zeile.Hinweis));
        wert->setToolTip(beschriftung->toolTip());
    }
    AlsErgebnis(wert, beschriftung->text().remove(QStringLiteral(" :")), einheit->text());
    return wert;
}
