// Normally distributed random numbers: a subtractive uniform generator (table of 55 entries)
// and the polar method, which yields the normal deviates in pairs.
#pragma once

#include "simulation/kern/logarithmus.h"

#include <array>
#include <cmath>
#include <cstdint>

class TGaussGenerator {
public:
    // Seeds itself from the low 16 bits of the high-resolution counter: FSeed in -65535 … 0.
    TGaussGenerator();
    // Starts with the given seed; the table is built on the first draw.
    explicit TGaussGenerator(std::int32_t Seed);

    // Next uniform deviate in [0, 1). A negative Seed (and the very first draw) rebuilds the
    // table from it and sets Seed to 1.
    long double Uniform(std::int32_t& Seed);
    // Next standard normal deviate; the first call of a pair returns b × f, the second a × f.
    long double Gauss(std::int32_t& Seed);
    // Mean + Deviation × Gauss(FSeed).
    long double Normal(long double Deviation, long double Mean)
    {
        return Mean + Deviation * Gauss(FSeed);
    }
    // Two successive Normal calls in one: Erster = Mean1 + Deviation1 × Gauss(FSeed), then
    // Zweiter = Mean2 + Deviation2 × Gauss(FSeed). The same values, without caching the spare.
    void NormalPaar(long double Deviation1, long double Mean1, long double Deviation2,
                    long double Mean2, long double& Erster, long double& Zweiter);

    std::int32_t Seed() const { return FSeed; }

private:
    static constexpr std::int32_t Big = 4000000;
    static constexpr long double Faktor = 1.0L / 4000000.0L;

    void Initialisiere(std::int32_t Seed);
    // Builds the table when Seed is negative or no table exists yet; Seed then becomes 1.
    void Bereite(std::int32_t& Seed);
    // Next raw value mj of the table, 0 … Big − 1; the table must exist.
    std::int32_t Ziehe();
    // One accepted pair of the polar method: Erster = b × f, Zweiter = a × f.
    void PolarPaar(std::int32_t& Seed, long double& Erster, long double& Zweiter);

    std::int32_t FSeed;
    bool FInitialisiert = false;
    bool FHaveSpare = false;
    long double FSpare = 0;
    int FNext = 0;
    int FNextP = 0;
    // Index 1 … 55; integral values 0 … Big − 1, which a 32-bit integer holds exactly.
    std::array<std::int32_t, 56> FTable{};
};

inline void TGaussGenerator::Bereite(std::int32_t& Seed)
{
    if (Seed < 0 || !FInitialisiert) {
        Initialisiere(Seed);
        Seed = 1;
    }
}

inline std::int32_t TGaussGenerator::Ziehe()
{
    if (++FNext == 56)
        FNext = 1;
    if (++FNextP == 56)
        FNextP = 1;
    std::int32_t mj = FTable[FNext] - FTable[FNextP];
    if (mj < 0)
        mj += Big;
    FTable[FNext] = mj;
    return mj;
}

inline long double TGaussGenerator::Uniform(std::int32_t& Seed)
{
    Bereite(Seed);
    return static_cast<long double>(Ziehe()) * Faktor;
}

// Always inlined: a call would empty the x87 register stack in every time unit.
[[gnu::always_inline]] inline void
TGaussGenerator::PolarPaar(std::int32_t& Seed, long double& Erster, long double& Zweiter)
{
    Bereite(Seed); // Seed is 1 from here on, so the draws below need no check
    long double a, b, s;
    for (;;) {
        const std::int32_t ma = Ziehe();
        const std::int32_t mb = Ziehe();
        // Exactly, s = ((ma − Big/2)² + (mb − Big/2)²) / (Big/2)². Pairs clearly outside the
        // unit circle are discarded by this integer test alone; for all others the extended
        // test below decides, so the accepted pairs are the same.
        const std::int64_t da = ma - Big / 2, db = mb - Big / 2;
        if (da * da + db * db > std::int64_t{Big / 2} * (Big / 2) + 1000)
            continue;
        a = 2 * (static_cast<long double>(ma) * Faktor) - 1;
        b = 2 * (static_cast<long double>(mb) * Faktor) - 1;
        s = a * a + b * b;
        if (s > 0 && s < 1)
            break;
    }
    const long double f = std::sqrt(-2 * Logarithmus(s) / s);
    Erster = b * f;
    Zweiter = a * f;
}

inline long double TGaussGenerator::Gauss(std::int32_t& Seed)
{
    if (FHaveSpare) {
        FHaveSpare = false;
        return FSpare;
    }
    long double erster;
    PolarPaar(Seed, erster, FSpare);
    FHaveSpare = true;
    return erster;
}

inline void TGaussGenerator::NormalPaar(long double Deviation1, long double Mean1,
                                        long double Deviation2, long double Mean2,
                                        long double& Erster, long double& Zweiter)
{
    if (FHaveSpare) {
        Erster = Normal(Deviation1, Mean1);
        Zweiter = Normal(Deviation2, Mean2);
        return;
    }
    long double g1, g2;
    PolarPaar(FSeed, g1, g2);
    Erster = Mean1 + Deviation1 * g1;
    Zweiter = Mean2 + Deviation2 * g2;
}
