// Roof types of the wizard's area dialog and the runoff coefficient each one stands for.
#pragma once

#include <array>

struct TDachBeiwert {
    const char16_t* Dachart;
    long double Beiwert;
};

// In the order of the list.
inline constexpr std::array<TDachBeiwert, 5> DachBeiwerte{{
    {u"Schrägdach", 0.8L},
    {u"Flachdach, unbekiest", 0.8L},
    {u"Flachdach, bekiest", 0.6L},
    {u"Gründach, intensiv", 0.3L},
    {u"Gründach, extensiv", 0.5L},
}};
