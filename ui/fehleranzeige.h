// The central error handler's display and the one way the program ends on a fatal error.
#pragma once

#include <QString>
#include <exception>

inline constexpr const char16_t* AnwendungsTitel = u"Tropfwerk 2003";
inline constexpr const char16_t* SchwererFehlerTitel = u"Schwerer Fehler";

// Shows an error that no window caught: its message with the full-stop rule, caption the
// application title, error icon. A fatal error (ESchwererFehler) ends the program instead.
void ZeigeUnbehandeltenFehler(const std::exception& fehler);

// Shows the message with the caption "Schwerer Fehler" and ends the program with exit status 1.
[[noreturn]] void SchwererFehler(const QString& meldung);

// What SchwererFehler does after its box: by default std::exit(1). Tests replace it with a
// function that throws, so that the fatal path can be observed without ending the test.
using BeendenFunktion = void (*)(int status);
BeendenFunktion SetzeBeendenFunktion(BeendenFunktion f);
