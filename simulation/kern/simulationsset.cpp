// Deep copy of the simulation settings.
#include "simulation/kern/simulationsset.h"

void CopySimulationSet(const TSimulationSet& Source, TSimulationSet& Destination)
{
    if (&Source == &Destination)
        return;
    CopyParameterSatz(Source.ParameterSatz, Destination.ParameterSatz);
    Destination.StartLevel = Source.StartLevel;
    Destination.Runs = Source.Runs;
    Destination.VolMin = Source.VolMin;
    Destination.IntervalFrom = Source.IntervalFrom;
    Destination.IntervalTo = Source.IntervalTo;
    Destination.StartTime = Source.StartTime;
    Destination.Graphics = Source.Graphics;
    Destination.RainCurve.assign(Source.RainCurve.begin(), Source.RainCurve.end());
    Destination.SpareCurve.assign(Source.SpareCurve.begin(), Source.SpareCurve.end());
    Destination.Wetter = Source.Wetter;
    Destination.Saat = Source.Saat;
    Destination.Gartenmonate = Source.Gartenmonate;
}
