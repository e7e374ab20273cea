// The report engine's windows: "Output Options", "Report Status" and "Report Preview".
#pragma once

#include "evaluation/bericht/berichtablauf.h"

#include <QDialog>
#include <QWidget>

#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;

// Destination (printer, preview or file), copies and page range; for a report with an
// appendix (its title in `anhang`) whether to add its pages.
class TfrmAusgabeOptionen : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAusgabeOptionen(QWidget* eltern = nullptr, const QString& anhang = {});
    TAusgabeOptionen Optionen() const;

    QRadioButton* rbDrucker;
    QRadioButton* rbVorschau;
    QRadioButton* rbDatei;
    QSpinBox* sbKopien;
    QRadioButton* rbAlleSeiten;
    QRadioButton* rbSeiten;
    QSpinBox* sbVon;
    QSpinBox* sbBis;
    QCheckBox* cbAnhang; // hidden without an appendix
    QPushButton* btnOK;
    QPushButton* btnAbbrechen;

private:
    void Abgleichen();
};

// Shows which page is being laid out or printed. Not modal: the engine works on without
// waiting for it and keeps user input back while it runs.
class TfrmBerichtStatus : public QDialog {
    Q_OBJECT
public:
    explicit TfrmBerichtStatus(QWidget* eltern = nullptr);
    // Shows the text and paints it at once.
    void Zeige(const QString& text);

    QLabel* lStatus;
};

// One page at 100 % zoom: an inch of the page is an inch of the screen.
class TBerichtSeitenAnsicht : public QWidget {
    Q_OBJECT
public:
    TBerichtSeitenAnsicht(double breite, double hoehe, QWidget* eltern = nullptr);
    void SetzeSeite(const TBerichtSeite* seite);

protected:
    void paintEvent(QPaintEvent* ereignis) override;

private:
    const TBerichtSeite* m_seite = nullptr;
};

// Pages through the laid-out report. Its owner connects "Print".
class TfrmBerichtVorschau : public QDialog {
    Q_OBJECT
public:
    TfrmBerichtVorschau(const TBerichtDefinition& definition,
                        const std::vector<TBerichtSeite>& seiten, QWidget* eltern = nullptr);
    int Seite() const { return m_seite; } // 1-based
    void ZeigeSeite(int seite);

    QScrollArea* saSeite;
    TBerichtSeitenAnsicht* pSeite;
    QLabel* lSeite;
    QLabel* lZoom;
    QPushButton* btnErsteSeite;
    QPushButton* btnVorigeSeite;
    QPushButton* btnNaechsteSeite;
    QPushButton* btnLetzteSeite;
    QPushButton* btnDrucken;
    QPushButton* btnSchliessen;

private:
    const std::vector<TBerichtSeite>& m_seiten;
    int m_seite = 1;
};
