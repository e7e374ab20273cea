// Seeding and table set-up of the random generator.
#include "simulation/kern/gaussgenerator.h"

#include "model/plattform.h"

#include <cstdlib>

TGaussGenerator::TGaussGenerator()
    : TGaussGenerator(-static_cast<std::int32_t>(LeseZaehler() & 0xFFFF))
{
}

TGaussGenerator::TGaussGenerator(std::int32_t Seed) : FSeed(Seed) {}

void TGaussGenerator::Initialisiere(std::int32_t Seed)
{
    constexpr std::int64_t SeedKonstante = 1618033;
    std::int64_t mj = (SeedKonstante - std::llabs(static_cast<long long>(Seed))) % Big;
    if (mj < 0)
        mj += Big;
    FTable[55] = static_cast<std::int32_t>(mj);
    std::int32_t mk = 1;
    for (int i = 1; i <= 54; ++i) {
        const int ii = (21 * i) % 55;
        FTable[ii] = mk;
        mk = static_cast<std::int32_t>(mj) - mk;
        if (mk < 0)
            mk += Big;
        mj = FTable[ii];
    }
    for (int pass = 0; pass < 4; ++pass) {
        for (int k = 1; k <= 55; ++k) {
            FTable[k] -= FTable[1 + (k + 30) % 55];
            if (FTable[k] < 0)
                FTable[k] += Big;
        }
    }
    FNext = 0;
    FNextP = 31;
    FInitialisiert = true;
}
