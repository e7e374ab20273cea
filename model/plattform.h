// Small replaceable platform functions: millisecond sleep and the high-resolution counter.
#pragma once

#include <cstdint>
#include <functional>

using SchlafFunktion = std::function<void(int millisekunden)>;
using ZaehlerFunktion = std::function<std::int64_t()>;

// Waits the given number of milliseconds (the simulation's pacing).
void Schlafe(int millisekunden);
// Reads the high-resolution performance counter (the random generator's seed).
std::int64_t LeseZaehler();

// Replace the functions; an empty function restores the default. Returns the previous one.
SchlafFunktion SetzeSchlafFunktion(SchlafFunktion f);
ZaehlerFunktion SetzeZaehlerFunktion(ZaehlerFunktion f);
