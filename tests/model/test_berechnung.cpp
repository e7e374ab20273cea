// Sizing calculation: worked example, failures and the order of the five routines.
#include "../support/beispiel.h"
#include "model/berechnung.h"

#include <gtest/gtest.h>

namespace {
constexpr long double Eps = 1e-12L;

} // namespace

TEST(Berechnung, WorkedExample)
{
    TParameterSatz s = Beispiel();
    ASSERT_EQ(BerechneAlles(s), BerechnungOk);
    EXPECT_NEAR(s.Menge, 0.715L, Eps);
    EXPECT_NEAR(s.Ertrag, 57.915L, Eps);
    EXPECT_NEAR(s.Bedarf, 52.8L, Eps);
    EXPECT_NEAR(s.Volumen, 3.168L, Eps);
    EXPECT_NEAR(s.Rate, 109.6875L, Eps);
}

TEST(Berechnung, NoConsumersGivesZeroWithoutDivision)
{
    TParameterSatz s = Beispiel();
    s.PersWCSpar = s.PersWasch = 0;
    ASSERT_EQ(BerechneAlles(s), BerechnungOk);
    EXPECT_EQ(s.Bedarf, 0);
    EXPECT_EQ(s.Volumen, 0);
    EXPECT_EQ(s.Rate, 0);
    EXPECT_GT(s.Ertrag, 0);
}

TEST(Berechnung, BadCoefficientOnSecondAreaDiscardsEarlierShares)
{
    TParameterSatz s = Beispiel();
    s.Flaechen = {{100, 0.9L}, {50, 1.2L}, {30, 0.5L}};
    s.Ertrag = 99; // stale value must be cleared
    BerechneMenge(s);
    EXPECT_EQ(BerechneErtrag(s), BerechnungUngueltig);
    EXPECT_EQ(s.Ertrag, 0);
    EXPECT_EQ(BerechneAlles(s), BerechnungUngueltig);
}

struct Grenzfall {
    const char* name;
    void (*aendern)(TParameterSatz&);
    int erwartet;
};

class BerechnungGrenzen : public ::testing::TestWithParam<Grenzfall> {};

TEST_P(BerechnungGrenzen, StatusOfBerechneAlles)
{
    TParameterSatz s = Beispiel();
    GetParam().aendern(s);
    EXPECT_EQ(BerechneAlles(s), GetParam().erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, BerechnungGrenzen,
    ::testing::Values(
        Grenzfall{"BeiwertEins", [](TParameterSatz& s) { s.Flaechen[0].Beiwert = 1; }, 0},
        Grenzfall{"BeiwertNull", [](TParameterSatz& s) { s.Flaechen[0].Beiwert = 0; }, 0},
        Grenzfall{"BeiwertNegativ", [](TParameterSatz& s) { s.Flaechen[0].Beiwert = -0.01L; }, -2},
        Grenzfall{"FlaecheNull", [](TParameterSatz& s) { s.Flaechen[0].Flaeche = 0; }, 0},
        Grenzfall{"FlaecheNegativ", [](TParameterSatz& s) { s.Flaechen[0].Flaeche = -1; }, -2},
        Grenzfall{"LadeBeiwertEins", [](TParameterSatz& s) { s.LadeBeiwert = 1; }, 0},
        Grenzfall{"LadeBeiwertZuGross", [](TParameterSatz& s) { s.LadeBeiwert = 1.01L; }, -2},
        Grenzfall{"LadeBeiwertNegativ", [](TParameterSatz& s) { s.LadeBeiwert = -0.1L; }, -2},
        Grenzfall{"PersonenNegativ", [](TParameterSatz& s) { s.PersWCNorm = -1; }, -2},
        Grenzfall{"GartenVNegativ", [](TParameterSatz& s) { s.GartenV = -0.06L; }, -2},
        Grenzfall{"KeineFlaechen", [](TParameterSatz& s) { s.Flaechen.clear(); }, 0},
        Grenzfall{"NegativerMonat", [](TParameterSatz& s) { s.Niederschlag[3] = -0.1L; }, 0},
        Grenzfall{"NegativeJahresmenge", [](TParameterSatz& s) { s.Niederschlag.fill(-0.01L); },
                  -2},
        Grenzfall{"WGradUngeprueft", [](TParameterSatz& s) { s.WGrad = 2; }, 0}),
    [](const auto& fall) { return std::string(fall.param.name); });

TEST(Berechnung, LadeBeiwertTooLargeKeepsYieldAndDemand)
{
    TParameterSatz s = Beispiel();
    s.LadeBeiwert = 1.01L;
    s.Volumen = 5;
    EXPECT_EQ(BerechneAlles(s), BerechnungUngueltig);
    EXPECT_NEAR(s.Ertrag, 57.915L, Eps);
    EXPECT_NEAR(s.Bedarf, 52.8L, Eps);
    EXPECT_EQ(s.Volumen, 0);
}

TEST(Berechnung, NegativeMonthIsSummed)
{
    TParameterSatz s = Beispiel();
    s.Niederschlag[0] = -0.1L;
    BerechneMenge(s);
    EXPECT_NEAR(s.Menge, 0.715L - 0.055L - 0.1L, Eps);
}

TEST(Berechnung, FreshSetYieldsNothingBecauseFilterIsZero)
{
    TParameterSatz s;
    InitParameterSatz(s);
    s.Flaechen = {{200, 0.8L}};
    ASSERT_EQ(BerechneAlles(s), BerechnungOk);
    EXPECT_EQ(s.Ertrag, 0);
}

TEST(Berechnung, VolumeUsesSmallerOfYieldAndDemand)
{
    TParameterSatz s;
    InitParameterSatz(s);
    s.LadeBeiwert = 0.5L;
    s.Ertrag = 10;
    s.Bedarf = 20;
    EXPECT_EQ(BerechneVolumen(s), BerechnungOk);
    EXPECT_EQ(s.Volumen, 5);
    s.Ertrag = 30;
    EXPECT_EQ(BerechneVolumen(s), BerechnungOk);
    EXPECT_EQ(s.Volumen, 10);
    s.Ertrag = -1;
    EXPECT_EQ(BerechneVolumen(s), BerechnungUngueltig);
    EXPECT_EQ(BerechneRate(s), BerechnungUngueltig);
    EXPECT_EQ(s.Rate, 0);
}

TEST(Berechnung, WithoutAbortRunsAllStepsOnZero)
{
    TParameterSatz s = Beispiel();
    s.Flaechen.push_back({10, 1.5L});
    BerechneAllesOhneAbbruch(s);
    EXPECT_EQ(s.Ertrag, 0);
    EXPECT_NEAR(s.Bedarf, 52.8L, Eps); // later steps still run
    EXPECT_EQ(s.Volumen, 0);
    EXPECT_EQ(s.Rate, 0);
}
