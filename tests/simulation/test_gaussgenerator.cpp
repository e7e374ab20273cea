// Random generator: known answers for two seeds, seeding from the counter, re-seeding, the
// order within a pair, and the logarithm of its hot path.
#include "model/plattform.h"
#include "simulation/kern/gaussgenerator.h"
#include "simulation/kern/logarithmus.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QStringList>

#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <vector>

namespace {

struct Referenz {
    std::vector<std::int32_t> roh;
    std::vector<long double> gauss;
};

// tests/data/random.txt: "seed S raw v…" and "seed S gauss v…".
std::map<std::int32_t, Referenz> LiesReferenz()
{
    std::map<std::int32_t, Referenz> werte;
    QFile f(QStringLiteral(TW_TESTDATEN "/random.txt"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return werte;
    while (!f.atEnd()) {
        const QString zeile = QString::fromUtf8(f.readLine()).trimmed();
        if (zeile.isEmpty() || zeile.startsWith(u'#'))
            continue;
        const QStringList teile = zeile.split(u' ', Qt::SkipEmptyParts);
        if (teile.size() < 4 || teile[0] != QStringLiteral("seed"))
            continue;
        Referenz& r = werte[teile[1].toInt()];
        for (qsizetype i = 3; i < teile.size(); ++i) {
            if (teile[2] == QStringLiteral("raw"))
                r.roh.push_back(teile[i].toInt());
            else
                r.gauss.push_back(static_cast<long double>(teile[i].toDouble()));
        }
    }
    return werte;
}

// Replaces the counter for one test.
class Zaehler {
public:
    explicit Zaehler(std::int64_t wert) : m_alt(SetzeZaehlerFunktion([wert] { return wert; })) {}
    ~Zaehler() { SetzeZaehlerFunktion(m_alt); }

private:
    ZaehlerFunktion m_alt;
};

class Generator : public ::testing::TestWithParam<std::int32_t> {
protected:
    static void SetUpTestSuite() { s_referenz = LiesReferenz(); }
    const Referenz& Ref()
    {
        const auto it = s_referenz.find(GetParam());
        if (it == s_referenz.end())
            throw std::runtime_error("no reference values");
        return it->second;
    }
    static std::map<std::int32_t, Referenz> s_referenz;
};
std::map<std::int32_t, Referenz> Generator::s_referenz;

} // namespace

TEST_P(Generator, UniformMatchesRawReference)
{
    const Referenz& r = Ref();
    ASSERT_EQ(r.roh.size(), 20u);
    TGaussGenerator g(GetParam());
    std::int32_t seed = GetParam();
    for (std::size_t i = 0; i < r.roh.size(); ++i) {
        const long double u = g.Uniform(seed);
        EXPECT_EQ(u, r.roh[i] * 2.5e-7L) << "draw " << i;
        EXPECT_EQ(seed, 1);
    }
}

TEST_P(Generator, GaussMatchesReferenceInPairOrder)
{
    const Referenz& r = Ref();
    ASSERT_EQ(r.gauss.size(), 10u);
    TGaussGenerator g(GetParam());
    std::int32_t seed = GetParam();
    for (std::size_t i = 0; i < r.gauss.size(); ++i)
        EXPECT_NEAR(g.Gauss(seed), r.gauss[i], 1e-12L) << "value " << i;
}

TEST_P(Generator, NormalUsesOwnSeedAndScales)
{
    const Referenz& r = Ref();
    TGaussGenerator g(GetParam());
    // Deviation first, mean second.
    EXPECT_NEAR(g.Normal(2, 10), 10 + 2 * r.gauss[0], 1e-11L);
    EXPECT_NEAR(g.Normal(0.5L, -1), -1 + 0.5L * r.gauss[1], 1e-11L);
    EXPECT_EQ(g.Seed(), 1);
}

TEST_P(Generator, SeedFromLow16BitsOfCounter)
{
    const Referenz& r = Ref();
    // Only the low 16 bits count: the high ones differ from the seed.
    Zaehler z(0x5A5A0000 + static_cast<std::int64_t>(-GetParam()));
    TGaussGenerator g;
    EXPECT_EQ(g.Seed(), GetParam());
    for (std::size_t i = 0; i < r.gauss.size(); ++i)
        EXPECT_NEAR(g.Normal(1, 0), r.gauss[i], 1e-12L);
}

TEST_P(Generator, NegativeSeedRestartsSequence)
{
    const Referenz& r = Ref();
    TGaussGenerator g(GetParam());
    std::int32_t seed = GetParam();
    for (int i = 0; i < 7; ++i)
        g.Uniform(seed);
    // Seed 0 is not negative; -4000000 reduces to the same table (1618033 - 4000000 + 4000000).
    seed = GetParam() == 0 ? -4000000 : GetParam();
    EXPECT_EQ(g.Uniform(seed), r.roh[0] * 2.5e-7L);
    EXPECT_EQ(g.Uniform(seed), r.roh[1] * 2.5e-7L);
}

INSTANTIATE_TEST_SUITE_P(Referenzwerte, Generator, ::testing::Values(0, -1),
                         [](const auto& fall) { return fall.param == 0 ? "Seed0" : "SeedMinus1"; });

TEST(GaussGenerator, CounterSeedStaysWithinRange)
{
    for (std::int64_t wert : {std::int64_t{0}, std::int64_t{0xFFFF}, std::int64_t{0x10000},
                              std::int64_t{-1}, std::numeric_limits<std::int64_t>::max()}) {
        Zaehler z(wert);
        TGaussGenerator g;
        EXPECT_EQ(g.Seed(), -static_cast<std::int32_t>(wert & 0xFFFF)) << wert;
        EXPECT_GE(g.Seed(), -65535);
        EXPECT_LE(g.Seed(), 0);
    }
}

TEST(GaussGenerator, ExtremeSeedsGiveDeviatesInRange)
{
    for (std::int32_t start :
         {std::numeric_limits<std::int32_t>::min(), -1618033, -1618034, -4000000, 5}) {
        TGaussGenerator g(start);
        std::int32_t seed = start;
        for (int i = 0; i < 200; ++i) {
            const long double u = g.Uniform(seed);
            ASSERT_GE(u, 0) << start;
            ASSERT_LT(u, 1) << start;
        }
        EXPECT_EQ(seed, 1);
    }
}

TEST(GaussGenerator, NormalPaarEqualsTwoNormalCalls)
{
    TGaussGenerator a(-4711), b(-4711);
    for (int runde = 0; runde < 500; ++runde) {
        if (runde == 250) {
            // A pending spare: the pair must take it first, like two Normal calls would.
            std::int32_t seedA = 1, seedB = 1; // both tables exist by now
            EXPECT_EQ(a.Gauss(seedA), b.Gauss(seedB));
        }
        long double p, d;
        a.NormalPaar(0.25L, 3, 0.1L, -2, p, d);
        const long double p2 = b.Normal(0.25L, 3);
        const long double d2 = b.Normal(0.1L, -2);
        ASSERT_EQ(p, p2) << runde;
        ASSERT_EQ(d, d2) << runde;
    }
}

TEST(GaussGenerator, PolarMethodOverTheUniformDeviates)
{
    // The polar method written out over Uniform: the same pairs must be accepted, in the same
    // order, for many pairs (the generator discards most rejected pairs by an integer test).
    TGaussGenerator g(-99), u(-99);
    std::int32_t seedG = -99, seedU = -99;
    for (int paar = 0; paar < 100000; ++paar) {
        long double a, b, s;
        do {
            a = 2 * u.Uniform(seedU) - 1;
            b = 2 * u.Uniform(seedU) - 1;
            s = a * a + b * b;
        } while (!(s > 0 && s < 1));
        const long double f = std::sqrt(-2 * std::log(s) / s);
        ASSERT_NEAR(g.Gauss(seedG), b * f, 1e-15L) << paar;
        ASSERT_NEAR(g.Gauss(seedG), a * f, 1e-15L) << paar;
    }
}

TEST(GaussGenerator, MomentsOfManyDeviates)
{
    TGaussGenerator g(-12345);
    constexpr int n = 200000;
    long double summe = 0, quadrate = 0;
    for (int i = 0; i < n; ++i) {
        const long double x = g.Normal(1, 0);
        summe += x;
        quadrate += x * x;
    }
    const long double mittel = summe / n;
    EXPECT_NEAR(mittel, 0, 5 / std::sqrt(static_cast<long double>(n)));
    EXPECT_NEAR(quadrate / n - mittel * mittel, 1, 0.02L);
}

TEST(Logarithmus, WithinFourUlpOfLibrary)
{
    std::mt19937_64 zufall(7);
    std::uniform_real_distribution<long double> exponent(-70, 18);
    std::uniform_real_distribution<long double> nahe(-1e-6L, 1e-6L);
    auto pruefe = [](long double x) {
        const long double erwartet = std::log(x);
        const long double ulp =
            std::nextafter(std::fabs(erwartet), std::numeric_limits<long double>::infinity()) -
            std::fabs(erwartet);
        ASSERT_LE(std::fabs(Logarithmus(x) - erwartet), 4 * ulp) << static_cast<double>(x);
    };
    for (int i = 0; i < 200000; ++i)
        pruefe(std::exp2(exponent(zufall)));
    for (int i = 0; i < 100000; ++i)
        pruefe(1 + nahe(zufall)); // values near 1, where the result is tiny
    for (long double x : {1.0L, 0.5L, 0.75L, 1.5L, 2.0L, 0x1p-64L, 0x1p16L, 0.99999999999999999L,
                          1.4990234375L, 1.5009765625L, 2.5e-13L})
        pruefe(x);
    EXPECT_EQ(Logarithmus(1), 0);
}

TEST(Logarithmus, SpecialValuesAsLibrary)
{
    const long double inf = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(Logarithmus(0), -inf);
    EXPECT_EQ(Logarithmus(inf), inf);
    EXPECT_TRUE(std::isnan(Logarithmus(-1)));
    EXPECT_TRUE(std::isnan(Logarithmus(std::numeric_limits<long double>::quiet_NaN())));
    const long double klein = std::numeric_limits<long double>::denorm_min();
    EXPECT_EQ(Logarithmus(klein), std::log(klein));
}
