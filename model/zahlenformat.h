// Every number the program shows, reads or stores goes through this module.
// Shown and typed numbers are German: decimal comma, no thousands separator, whatever the
// machine's locale. The data files use the invariant format with a decimal point.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace zahl {

// Fixed-point with exactly `stellen` decimals after rounding to at most `praezision` significant
// digits (halves away from zero). When the integer part has more digits than `praezision`, the
// value is written in exponent notation instead ("1,2345678E+10").
// Examples: Fest(12.5, 2, 2) == "13,00", Fest(0.06, 2, 2) == "0,06", Fest(57.915, 2, 6) == "57,92".
QString Fest(long double wert, int stellen, int praezision);

// Like Fest, but never changes the value by showing it: when rounding to `stellen` decimals and
// `praezision` digits would alter the value, further decimals are added (up to `maxStellen`) and
// the cap on significant digits is dropped as far as needed. Fest(12.5, 2, 2) gives "13,00", this
// gives "12,50"; 0.065 with 2 decimals gives "0,065".
QString FestVerlustfrei(long double wert, int stellen, int praezision, int maxStellen = 4);

// Text of wert × 10^verschiebung that reads back as wert (the typed number divided by
// 10^verschiebung), so that showing a value and confirming it never changes it: the display format
// where that suffices, else the fewest further decimals, else the shortest decimal of wert itself,
// shifted (up to 21 significant digits; exponent form far from 1). Millimetres of a value in
// metres: Umkehrbar(0.05235, 0, 4, 3) == "52,35"; Umkehrbar(8.81234, 2, 2) == "8,81234".
QString Umkehrbar(long double wert, int stellen, int praezision, int verschiebung = 0);

// printf-style "%0.<stellen>f" with a decimal comma: all integer digits, no significant-digit cap.
QString Dezimal(long double wert, int stellen);

// Display pattern of a table field: '0' digit, '#' optional digit, '.' decimal separator (shown
// as comma), text in single or double quotes literal, other characters literal; an optional ';'
// section for negative values. Examples: Muster(4.5, "##0.0' m³'") == "4,5 m³",
// Muster(899, "#0.00' EUR'") == "899,00 EUR", Muster(90, "#0.#' %'") == "90 %".
QString Muster(long double wert, const QString& muster);

// Reads a typed German number: surrounding blanks, optional sign, digits with an optional decimal
// comma, optional exponent (e/E, optional sign, digits). Refuses empty text, a decimal point,
// thousands separators, "inf", "nan", anything else and values outside the finite range.
std::optional<long double> Lies(const QString& text);

// Integer conversion: optional leading blanks, optional sign, then decimal digits, or hexadecimal
// digits after "$", "x", "X", "0x" or "0X". Nothing may follow. Refuses values outside 32 bits.
std::optional<std::int32_t> LiesGanzzahl(const QString& text);

// Invariant format of the data files: decimal point, no grouping, shortest text that reads back
// to the same long double ("53.628", "0.055", "-2", "1e-20").
std::string Invariant(long double wert);

// Invariant format of a result for other programs: at most `stellen` significant digits, the
// trailing zeros dropped ("58.8" for 58.800000000000000003, "1.5e+20"). Non-finite as Invariant.
std::string Gerundet(long double wert, int stellen = 15);

// Reads the invariant format: optional sign, digits, optional point and digits, optional exponent.
// No blanks, no comma, no "inf"/"nan".
std::optional<long double> LiesInvariant(std::string_view text);

// Reads an amount as people type it: surrounding blanks, then the invariant format with a
// decimal comma or point ("4,50" and "4.50"); no grouping.
std::optional<long double> LiesBetrag(const QString& text);

} // namespace zahl
