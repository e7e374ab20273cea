// Money figures of a cistern: what the rainwater used saves per year against its running
// costs, and after how many years that pays for the tank and its installation.
#pragma once

#include <optional>

// The share of the demand that rainwater from the cistern covers, under this one name wherever
// the program shows it; "Deckungsrate" stays the yearly yield ÷ demand.
inline constexpr char16_t Regenwasseranteil[] = u"Regenwasseranteil";
// What each of the two figures is and how they relate, for tooltips.
inline constexpr char16_t RegenwasseranteilErklaerung[] =
    u"Regenwasseranteil: der Teil des Wasserbedarfs, den Regenwasser aus der Zisterne deckt; "
    u"den Rest liefert die Nachspeisung. Gerechnet wird Tag für Tag: der Verbrauch kommt aus "
    u"dem Vorrat, Regen füllt bis zum Volumen auf, der Rest läuft über. Die Deckungsrate der "
    u"Seiten „Kompakt-Auswertung“ und „ausführliche Auswertung“ ist dagegen der Jahresertrag "
    u"geteilt durch den Bedarf, ohne Überlauf und Trockenzeiten. Sie kann über 100 % liegen, "
    u"der Regenwasseranteil nicht; weil Überlauf verloren geht und Trockenzeiten den Vorrat "
    u"leeren, liegt er meist deutlich unter der Deckungsrate.";
inline constexpr char16_t DeckungsrateErklaerung[] =
    u"Deckungsrate: der Jahresertrag der Dachflächen geteilt durch den Wasserbedarf. Sie sagt, "
    u"ob über das Jahr genug Regen fällt, nicht wie viel davon die Zisterne wirklich liefert: "
    u"das zeigt der Regenwasseranteil auf der Seite „Wirtschaftlichkeit“ und in der "
    u"Füllstand-Simulation, der wegen Überlauf und Trockenzeiten niedriger liegt.";

struct TKosten {
    long double Wasserpreis = 2.10L; // drinking water, EUR per m³
    long double Pumpe = 0.25L;       // pump's power, EUR per m³ of rainwater
    long double Wartung = 50;        // EUR per year
    long double Einbau = 2500;       // EUR, on top of the product's price
    long double Gebuehr = 0;         // saving on the rainwater fee, EUR per year

    bool operator==(const TKosten&) const = default;
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
