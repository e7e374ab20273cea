// The wizard's dialog for one catchment area: area from length × width, coefficient from a
// list of roof types.
#pragma once

#include <QDialog>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class TfrmFAssistentDialog : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFAssistentDialog(QWidget* parent = nullptr);
    ~TfrmFAssistentDialog() override;

    // Valid after the dialog closed with the OK result.
    long double GetFlaeche() const { return FFlaeche; } // m²
    long double GetBeiwert() const { return FBeiwert; }

    QLabel* lBeschreibung;
    QLineEdit* edLaenge;
    QLineEdit* edBreite;
    QLineEdit* edFlaeche;
    QFrame* bTrenner1;
    QLabel* lDachart;
    QComboBox* cbBeiwert;
    QLineEdit* edBeiwert;
    QFrame* bTrenner2;
    QPushButton* btnPlus;
    QPushButton* btnAbort;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void ErzeugeFlaeche();
    void ErzeugeBeiwert();

    // Length or width typed: the area follows when both are numbers.
    void edLaengeChange();
    // Area typed and left: length and width go unless they give the same area.
    void edFlaecheExit();
    void cbBeiwertSelect(int index);
    void edBeiwertChange();
    // Closes with OK, or raises EInvalidValueException naming the first wrong value.
    void btnPlusClick();

    long double FFlaeche = 0;
    long double FBeiwert = 0;
};
