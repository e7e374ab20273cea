// Table of the logarithm: points, their reciprocals and logarithms, and the powers of two.
#include "simulation/kern/logarithmus.h"

namespace logarithmus {

TTabelle::TTabelle()
{
    for (int j = 256; j <= 512; ++j) {
        const bool halb = j >= 384;
        c[j] = halb ? j / 512.0L : j / 256.0L;
        kehrwert[j] = 1 / c[j];
        lnc[j] = std::log(c[j]);
        verschiebung[j] = halb ? 1 : 0;
    }
    for (int e = EMin; e <= EMax + 1; ++e)
        skala[e - EMin] = std::ldexp(1.0L, -e);
}

const TTabelle Tabelle;

} // namespace logarithmus
