// Natural logarithm in extended precision for the random generator's hot path: a table of
// 257 logarithms and a short series instead of the microcoded x87 instructions, which take
// about as long as all the rest of a simulated time unit.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace logarithmus {

inline constexpr int EMin = -64;
inline constexpr int EMax = 16;

struct TTabelle {
    TTabelle();
    // Index j = 256 … 512 (below 256 unused): the point c, 1 / c, ln(c), and 1 when c = j/512.
    std::array<long double, 513> c{};
    std::array<long double, 513> kehrwert{};
    std::array<long double, 513> lnc{};
    std::array<int, 513> verschiebung{};
    std::array<long double, EMax - EMin + 2> skala{}; // 2^-e for e = EMin … EMax + 1
};

extern const TTabelle Tabelle;

inline constexpr long double Ln2 = 0.693147180559945309417232121458176568L;

} // namespace logarithmus

// ln(x) for every x, within about two units in the last place of the C library's logl.
// Fast for 2^-64 ≤ x < 2^16, the library function elsewhere.
//
// ln(x) = e × ln 2 + ln(c) + ln(1 + r), with c the table point nearest to x / 2^e and
// r = (x / 2^e − c) / c, |r| ≤ 1/512. The table points are j/256 for j = 256 … 383 (e as in
// x = m × 2^e, 1 ≤ m < 2) and j/512 for j = 384 … 512 (e + 1), so that values near 1 take c
// near 1 and lose nothing by cancellation.
inline long double Logarithmus(long double x)
{
    using namespace logarithmus;
    if (!(x >= 0x1p-64L && x < 0x1p16L))
        return std::log(x);
    // Exponent and leading nine fraction bits, read from the double nearest to x; the rounding
    // to double can only move x to a neighbouring table point, which keeps |r| small.
    const double d = static_cast<double>(x);
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    const int e = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
    const unsigned oben = static_cast<unsigned>((bits >> 43) & 0x1FF) | 0x200; // 512 … 1023
    const unsigned j = (oben + 1) >> 1;                                        // 256 … 512
    const int e2 = e + Tabelle.verschiebung[j];
    const long double m = x * Tabelle.skala[e2 - EMin]; // exact
    const long double r = (m - Tabelle.c[j]) * Tabelle.kehrwert[j];
    // ln(1 + r) up to r^8 / 8 (the next term is below 2^-70 of r), grouped so that the
    // products can be formed side by side.
    const long double r2 = r * r;
    const long double q1 = 1.0L / 3 - r * (1.0L / 4);
    const long double q2 = 1.0L / 5 - r * (1.0L / 6);
    const long double q3 = 1.0L / 7 - r * (1.0L / 8);
    const long double reihe = r - r2 * 0.5L + r2 * r * (q1 + r2 * (q2 + r2 * q3));
    return e2 * Ln2 + (Tabelle.lnc[j] + reihe);
}
