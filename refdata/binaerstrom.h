// Binary table stream: signature "TPF0", a version, the stored field and index definitions and
// the records as tagged values.
#pragma once

#include "refdata/tabelle.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

// Reads the records of a binary table stream into rows for `felder`, the fields of the target
// table: each record supplies one entry per data field in this order, read by that field's
// type. The stream's own definitions are checked and ignored; older record versions are
// skipped. Raises EFehler with "Ungültiges Stream-Format", "Ungültiger Eigenschaftswert",
// "Unbekannter Feldtyp (...)", a message for a truncated stream, or the error of a value that
// does not fit its field.
std::vector<TZeile> LiesBinaerStrom(QByteArrayView strom, const std::vector<TFeld>& felder);

// Reads a binary table stream with its stored definitions as the fields (for dumping a file).
TTabellenInhalt LiesBinaerStromMitDefinitionen(QByteArrayView strom);

// Writes the table's definitions and all rows in table order, one record version each with
// record state 0. `version` 100 to 251 selects the optional parts; before 249 a NULL is written
// as the empty value of its type. Raises EFehler for an unknown version or text that
// Windows-1252 cannot hold.
QByteArray SchreibeBinaer(const TTabelle& tabelle, int version = 251);

// The 10 bytes of an 80-bit extended value (64-bit significand with explicit integer bit,
// 15-bit exponent biased by 16383, sign), little-endian, computed without relying on the
// machine's own long double layout.
QByteArray ExtendedBytes(long double wert);
// The value of 10 such bytes (`bytes` must hold at least 10).
long double ExtendedWert(QByteArrayView bytes);
