// Message boxes of the program go through one replaceable function.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

struct Meldung {
    QWidget* Besitzer = nullptr;
    QString Text;
    QString Titel;
    QMessageBox::Icon Symbol = QMessageBox::NoIcon;
    QMessageBox::StandardButtons Knoepfe = QMessageBox::Ok;
};

// Shows the box modally and returns the button pressed.
using MeldungsFunktion = std::function<QMessageBox::StandardButton(const Meldung&)>;

QMessageBox::StandardButton ZeigeMeldung(const Meldung& meldung);

// Error box with an OK button: the form used by field checks and the error handlers.
void ZeigeFehlermeldung(QWidget* besitzer, const QString& text, const QString& titel);

// Replaces the function; an empty function restores the real message box. Returns the old one.
MeldungsFunktion SetzeMeldungsFunktion(MeldungsFunktion f);
