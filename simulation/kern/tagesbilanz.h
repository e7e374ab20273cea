// The daily balance of the cistern, yield after spillage: the day's demand is served from what
// the tank held at the start of the day, then the day's rain fills it up to its volume and the
// rest overflows. Shared by the coverage curve and the fill-level simulation.
#pragma once

#include <algorithm>

struct TTagesErgebnis {
    double Geliefert = 0; // rainwater supplied to the consumers
    double Ueberlauf = 0; // yield lost through the overflow
};

// Plays one day: `stand` is the level at the start of the day and becomes the level at its end.
// All quantities in m³, none negative.
inline TTagesErgebnis Tagesbilanz(double& stand, double zufluss, double bedarf, double volumen)
{
    const double geliefert = std::min(bedarf, stand);
    const double gefuellt = stand + zufluss;
    const double ueberlauf = std::max(gefuellt - volumen, 0.0);
    stand = gefuellt - ueberlauf - geliefert;
    return {geliefert, ueberlauf};
}
