// Product detail window: the recommended products one at a time with description, address,
// web link and picture, on the evaluation window's product table and its current row.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;
class QTableView;
class TTabelle;

class TfrmDetailEmpf : public QDialog {
    Q_OBJECT
public:
    // The modal result of closing the window.
    static constexpr int mrCancel = 2;

    TfrmDetailEmpf(TTabelle& mtProd, QWidget* parent = nullptr);

    // Opens "http://" followed by the current row's URL.
    void dbURLClick();

    QLabel* Label1;
    QTableView* dbgProd;
    QLabel* DBText1;
    QScrollArea* sbDesc;
    QLabel* dbBeschreibung;
    QLabel* ZistImg;
    QScrollArea* sbAdresse;
    QLabel* dbAdresse;
    QLabel* dbURL;
    QPushButton* btnClose;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    // Shows the texts and the picture of the current row.
    void dsrcProdDataChange();
    // Sizes the columns to the widest maker, volume and price in the grid's font; the product
    // column takes the rest.
    void PasseSpaltenAn();

    TTabelle& mtProd;
};
