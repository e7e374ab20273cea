// The map window: a click on Germany picks the nearest weather station's postal code.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <functional>

class QLabel;
class QMouseEvent;
class TPLZConverter;

// Modeless. The owner registers a callback, shows the window and learns the outcome when it
// closes: 1 with a chosen postal code, 2 when the user closed it without a choice.
class TfrmKarteDialog : public QDialog {
    Q_OBJECT
public:
    using TCloseCallback = std::function<void(int closeResult)>;

    // The engine answers the clicks; it must outlive the window.
    explicit TfrmKarteDialog(TPLZConverter& plz, QWidget* owner = nullptr);

    // Called once when the window closes. The owner releases the window in it (deleteLater);
    // without a callback the window releases itself.
    void SetCloseCallback(TCloseCallback callback);

    // The chosen postal code (wildcards written as 0), or empty.
    QString SelectedPLZ() const { return FSelectedPLZ; }
    // 0 while open without a choice, 1 after a choice, 2 after closing without one.
    int CloseResult() const { return FCloseResult; }

    QLabel* Label1;
    QLabel* iKarte;

    // Releasing a mouse button over the map at (x, y) in picture pixels. Errors of the
    // postal-code engine, a missing engine included, propagate to the caller; the window then
    // stays open. A click on the picture shows them through the error guard.
    void iKarteMouseUp(Qt::MouseButton knopf, int x, int y);

public slots:
    // Escape closes like the close box.
    void reject() override;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;

private:
    void ErzeugeKarte();

    TPLZConverter& FPLZ;
    QImage FKarte;
    QString FSelectedPLZ;
    int FCloseResult = 0;
    bool FGemeldet = false;
    TCloseCallback FCloseCallback;
};
