// Splash window: shown modally for two seconds at start-up; cannot be closed earlier.
#pragma once

#include <QDialog>

class QTimer;

class TfrmLogo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLogo(QWidget* parent = nullptr, int dauerMs = 2000);
    QTimer* tDelay;

    void reject() override;

protected:
    void closeEvent(QCloseEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;

private:
    void tDelayTimer();
};
