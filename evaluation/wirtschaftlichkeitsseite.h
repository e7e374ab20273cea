// Content of the economics window, laid out to grow with it: the site, the user's product summed
// up, coverage over tank volume as a chart, the point of diminishing returns, the money inputs
// and the payback of each recommended product.
#pragma once

#include "evaluation/wirtschaftlichkeit.h"
#include "model/wirtschaftlichkeit.h"

#include <QWidget>

#include <array>

class QLabel;
class TDeckungsDiagramm;
class QLineEdit;
class QTableWidget;

class TWirtschaftlichkeitsSeite : public QWidget {
    Q_OBJECT
public:
    // Reads the money inputs the user left last time (TKosten's defaults the first time).
    explicit TWirtschaftlichkeitsSeite(QWidget* eltern = nullptr);
    ~TWirtschaftlichkeitsSeite() override;

    // Chart, knee sentence, summary and product table of these figures, at the given site.
    void Zeige(const TWirtschaftlichkeitsDaten& daten, const QString& standort);
    // The money inputs as last accepted.
    const TKosten& Kosten() const { return FKosten; }
    // Shows the money inputs of an opened case; the remembered ones stay as they are.
    void SetzeKosten(const TKosten& kosten);
    // Takes a field's text (decimal comma or point): a valid value is shown formatted and becomes
    // the input (kept for the next start) and KostenGeaendert follows when it changed; anything
    // else is refused with a message and the focus goes back to the field. False when refused.
    bool PruefeFeld(QLineEdit* feld);

    // The table's columns.
    enum Spalte {
        NrSpalte,
        HerstellerSpalte,
        ProduktSpalte,
        VolumenSpalte,
        PreisSpalte,
        AnteilSpalte,
        RegenwasserSpalte,
        ErsparnisSpalte,
        AmortisationSpalte,
        HinweisSpalte,
        Spalten
    };

    QLabel* lblStandort;
    QLabel* lblWahl;
    TDeckungsDiagramm* chDeckung;
    QLabel* lblKnick;
    QLineEdit* edWasserpreis;
    QLineEdit* edPumpe;
    QLineEdit* edWartung;
    QLineEdit* edEinbau;
    QLineEdit* edGebuehr;
    QTableWidget* sgWirtschaft;
    QLabel* lblHinweis;

signals:
    void KostenGeaendert();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void ZeigeKosten();
    void Speichere() const;

    TKosten FKosten;
    bool FPruefungLaeuft = false;
};
