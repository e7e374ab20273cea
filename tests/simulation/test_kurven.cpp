// Curve preparation of the fill-level page without a window: slider positions, the rain curve,
// the curves of a set and the bar of a time unit.
#include "model/parametersatz.h"
#include "simulation/kern/kurven.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

TEST(Kurven, SliderPositionsInWholeMillimetres)
{
    const struct {
        long double meter;
        int position;
    } faelle[] = {{0, 200},
                  {0.064L, 136},
                  {0.0645L, 136},
                  {0.2L, 0},
                  {0.3L, 0},
                  {-0.01L, 200},
                  {std::numeric_limits<long double>::quiet_NaN(), 0}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(static_cast<double>(f.meter));
        EXPECT_EQ(ReglerPosition(f.meter, 200), f.position);
    }
    EXPECT_EQ(ReglerMeter(136, 200), 0.064L);
    EXPECT_EQ(Millimeter(0.064L), 64);
}

TEST(Kurven, RainCurveSpreadsTheTwelveMonthsOverItsPoints)
{
    std::vector<long double> monate(12, 0.05L);
    monate[11] = 0.08L;
    const auto kurve = Regenkurve(monate, 22);
    ASSERT_EQ(kurve.size(), 22u);
    EXPECT_EQ(kurve[0], 0.05L);                           // month 1
    EXPECT_NEAR(kurve[21], 0.05L + 0.5L * 0.03L, 1e-12L); // month 11.5
    EXPECT_TRUE(Regenkurve(monate, 0).empty());
    EXPECT_TRUE(Regenkurve(monate, -3).empty());
}

TEST(Kurven, SetCurvesCoverTheInterval)
{
    TSimulationSet set;
    InitParameterSatz(set.ParameterSatz);
    set.IntervalFrom = 1;
    set.IntervalTo = 365;
    std::array<bool, 12> garten{};
    BereiteKurvenVor(set, std::vector<long double>(12, 0.05L), garten);
    EXPECT_EQ(set.RainCurve.size(), 365u);
    EXPECT_EQ(set.SpareCurve.size(), 365u);
}

TEST(Kurven, BarOfATimeUnit)
{
    TSimulationSet set;
    set.IntervalFrom = 1;
    set.IntervalTo = 12;
    const struct {
        std::int32_t zeit;
        std::optional<std::size_t> balken;
    } faelle[] = {{0, 1}, {1, 1}, {12, 12}, {13, 12}, {-12, std::nullopt}, {24, std::nullopt}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.zeit);
        EXPECT_EQ(BalkenDerZeiteinheit(f.zeit, set, 13), f.balken);
    }
    set.IntervalTo = 0; // no time unit: no bar
    EXPECT_EQ(BalkenDerZeiteinheit(1, set, 13), std::nullopt);
}
