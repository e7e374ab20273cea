// The application object: title, German texts, and the central error handler.
#pragma once

#include <QApplication>

class TAnwendung : public QApplication {
    Q_OBJECT
public:
    TAnwendung(int& argc, char** argv);

    // Every error escaping an event handler ends up here and is shown; the program goes on.
    bool notify(QObject* empfaenger, QEvent* ereignis) override;
};

// German locale, Qt's German texts and the application title; used by the program and the tests.
void RichteAnwendungEin(QApplication& app);
