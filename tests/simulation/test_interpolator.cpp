// Piecewise-linear interpolation: knots, between knots, the page's sample points and abscissas
// outside the knots.
#include "model/parametersatz.h"
#include "simulation/kern/interpolator.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

namespace {
const std::vector<long double> Monate{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
}

TEST(Interpolator, KnotsGiveTheirValuesExactly)
{
    const TInterpolator ip;
    for (std::size_t i = 0; i < 12; ++i) {
        long double wert = -1;
        ip.Interpolate(Monate, StandardNiederschlag, Monate[i], wert);
        EXPECT_EQ(wert, StandardNiederschlag[i]) << "knot " << i + 1;
    }
}

TEST(Interpolator, BetweenKnotsOnTheLine)
{
    const TInterpolator ip;
    const std::vector<long double> y{0.055L, 0.045L, 0.035L, 0.055L};
    const std::vector<long double> x{1, 2, 3, 4};
    struct Fall {
        long double at, erwartet;
    };
    for (const Fall& f : {Fall{1.5L, 0.05L}, Fall{2.25L, 0.0425L}, Fall{3.5L, 0.045L},
                          Fall{3.9L, 0.053L}, Fall{1.0000001L, 0.055L - 0.0000001L * 0.01L}})
        EXPECT_NEAR(ip.Interpolate(x, y, f.at), f.erwartet, 1e-17L) << static_cast<double>(f.at);
}

TEST(Interpolator, UnevenKnotsAndLongerOrdinates)
{
    const TInterpolator ip;
    const std::vector<long double> x{0, 1, 4};
    const std::vector<long double> y{0, 2, 8, 999}; // the extra ordinate is never read
    EXPECT_NEAR(ip.Interpolate(x, y, 2.5L), 5, 1e-18L);
    EXPECT_NEAR(ip.Interpolate(x, y, 0.25L), 0.5L, 1e-18L);
    EXPECT_EQ(ip.Interpolate(x, y, 4), 8);
    EXPECT_EQ(ip.Interpolate(x, y, 7), 8);
}

TEST(Interpolator, PageSamplePointsStayBetweenNeighbours)
{
    // The fill-level page samples the month curve at 1 + 11 × i / N.
    const TInterpolator ip;
    for (int n : {12, 365, 400}) {
        for (int i = 0; i < n; ++i) {
            const long double at = static_cast<long double>(i) / n * 11 + 1;
            const long double wert = ip.Interpolate(Monate, StandardNiederschlag, at);
            const auto links = static_cast<std::size_t>(at) - 1;
            const long double a = StandardNiederschlag[links], b = StandardNiederschlag[links + 1];
            EXPECT_GE(wert, std::min(a, b) - 1e-18L) << n << ' ' << i;
            EXPECT_LE(wert, std::max(a, b) + 1e-18L) << n << ' ' << i;
        }
        EXPECT_EQ(ip.Interpolate(Monate, StandardNiederschlag, 1), StandardNiederschlag[0]);
    }
}

TEST(Interpolator, OutsideTheKnotsNearestEndInsteadOfDivisionByZero)
{
    const TInterpolator ip;
    const long double inf = std::numeric_limits<long double>::infinity();
    struct Fall {
        long double at, erwartet;
    };
    for (const Fall& f : {Fall{0.5L, StandardNiederschlag[0]}, Fall{-inf, StandardNiederschlag[0]},
                          Fall{13, StandardNiederschlag[11]}, Fall{inf, StandardNiederschlag[11]},
                          Fall{12.0000001L, StandardNiederschlag[11]}}) {
        const long double wert = ip.Interpolate(Monate, StandardNiederschlag, f.at);
        EXPECT_EQ(wert, f.erwartet) << static_cast<double>(f.at);
    }
}

TEST(Interpolator, SingleKnotAndNoKnots)
{
    const TInterpolator ip;
    const std::array<long double, 1> x{3}, y{7};
    for (long double at : {2.0L, 3.0L, 4.0L})
        EXPECT_EQ(ip.Interpolate(x, y, at), 7);
    long double wert = 5;
    ip.Interpolate({}, {}, 1, wert);
    EXPECT_EQ(wert, 0);
}
