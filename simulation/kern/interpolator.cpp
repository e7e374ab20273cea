// Piecewise-linear interpolation between the nearest knots below and above the abscissa.
#include "simulation/kern/interpolator.h"

#include <algorithm>

void TInterpolator::Interpolate(std::span<const long double> X, std::span<const long double> Y,
                                long double At, long double& Value) const
{
    const std::size_t anzahl = std::min(X.size(), Y.size());
    if (anzahl == 0) {
        Value = 0;
        return;
    }
    const std::size_t n = anzahl - 1;
    long double xl = X[0], yl = Y[0];
    long double xu = X[n], yu = Y[n];
    for (std::size_t i = 0; i <= n; ++i) {
        if (X[i] <= At && X[i] > xl) {
            xl = X[i];
            yl = Y[i];
        }
        if (X[i] >= At && X[i] < xu) {
            xu = X[i];
            yu = Y[i];
        }
    }
    // Equal ends: At lies on a knot, or outside the knots (then xl is the nearest end).
    if (xl == At || xu == xl)
        Value = yl;
    else
        Value = yl + (yu - yl) / (xu - xl) * (At - xl);
}

long double TInterpolator::Interpolate(std::span<const long double> X,
                                       std::span<const long double> Y, long double At) const
{
    long double wert;
    Interpolate(X, Y, At, wert);
    return wert;
}
