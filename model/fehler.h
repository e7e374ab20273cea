// The program's error hierarchy: every error carries a German message for the user.
#pragma once

#include <QString>
#include <exception>
#include <string>

// The general error type. Errors that no window catches reach the central error handler.
class EFehler : public std::exception {
public:
    explicit EFehler(QString meldung);
    const QString& Meldung() const noexcept { return m_meldung; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_meldung;
    std::string m_utf8;
};

// An error in user input whose message is written for the user.
class EInvalidValueException : public EFehler {
public:
    using EFehler::EFehler;
};

// Malformed postal code.
class EInvalidPLZ : public EFehler {
public:
    using EFehler::EFehler;
};

// Postal code or station without a matching row.
class EInvalidCity : public EFehler {
public:
    using EFehler::EFehler;
};

// Failure while reading a program file's version block.
class EOvoVersionInfo : public EFehler {
public:
    using EFehler::EFehler;
};

// A data error the program cannot go on after: shown with the caption "Schwerer Fehler",
// then the program ends with a non-zero exit status.
class ESchwererFehler : public EFehler {
public:
    using EFehler::EFehler;
};

// The central error handler's text: the message, with a full stop appended when it is not
// empty and its last character has a greater character code than the full stop.
QString MitSchlusspunkt(const QString& meldung);

// A short German text for a system error number ("Zugriff verweigert" for EACCES), for
// messages that name a file and why it could not be read or written.
QString Systemgrund(int fehlernummer);
