// Piecewise-linear interpolation of a curve given at ascending knots.
#pragma once

#include <span>

class TInterpolator {
public:
    // Value of the polyline through (X[i], Y[i]) at At. X ascending, Y at least as long as X.
    // Outside the knots the nearest end value is returned; without knots, 0.
    void Interpolate(std::span<const long double> X, std::span<const long double> Y, long double At,
                     long double& Value) const;
    long double Interpolate(std::span<const long double> X, std::span<const long double> Y,
                            long double At) const;
};
