// Money figures of a cistern: what the rainwater used saves per year against its running
// costs, and after how many years that pays for the tank and its installation.
#pragma once

#include <optional>

struct TKosten {
    long double Wasserpreis = 2.10L; // drinking water, EUR per m³
    long double Pumpe = 0.25L;       // pump's power, EUR per m³ of rainwater
    long double Wartung = 50;        // EUR per year
    long double Einbau = 2500;       // EUR, on top of the product's price
    long double Gebuehr = 0;         // saving on the rainwater fee, EUR per year
};

struct TWirtschaftlichkeit {
    long double Regenwasser = 0; // m³ per year
    long double Ersparnis = 0;   // EUR per year, after pump and maintenance
    // Years until the saving has paid for price and installation; none when the yearly saving
    // does not exceed the costs.
    std::optional<long double> Amortisation;
};

// deckung: share of the yearly demand `bedarf` (m³) covered by rainwater.
TWirtschaftlichkeit BerechneWirtschaftlichkeit(long double deckung, long double bedarf,
                                               long double preis, const TKosten& kosten);
