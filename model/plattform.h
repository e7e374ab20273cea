// Small platform functions: millisecond sleep and the high-resolution counter (both
// replaceable), and the user's settings store.
#pragma once

#include <QSettings>

#include <cstdint>
#include <functional>
#include <utility>

// The swap behind every replaceable function of the program: installs neu, or the standard
// function when neu is empty, and returns the function installed before.
template <class F, class S> F TauscheFunktion(F& platz, F neu, S standard)
{
    F alt = std::move(platz);
    platz = neu ? std::move(neu) : F(standard);
    return alt;
}

using SchlafFunktion = std::function<void(int millisekunden)>;
using ZaehlerFunktion = std::function<std::int64_t()>;

// Waits the given number of milliseconds (the simulation's pacing).
void Schlafe(int millisekunden);
// Reads the high-resolution performance counter (the random generator's seed).
std::int64_t LeseZaehler();

// Replace the functions; an empty function restores the default. Returns the previous one.
SchlafFunktion SetzeSchlafFunktion(SchlafFunktion f);
ZaehlerFunktion SetzeZaehlerFunktion(ZaehlerFunktion f);

// The user's settings of the program (an INI file in the user's configuration folder).
QSettings ProgrammEinstellungen();
