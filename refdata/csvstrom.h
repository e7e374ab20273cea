// CSV table stream: field definitions, a header naming the columns by display label, and one
// line per record; text in Windows-1252 with percent escapes.
#pragma once

#include "refdata/tabelle.h"

#include <QByteArray>
#include <QByteArrayView>

// Reads a CSV table stream into fields created from its definitions and the rows of its data
// lines. Raises EFehler when the stream has no definitions, names an unknown field type or
// kind, or holds a value that does not convert to its field's type.
TTabellenInhalt LiesCsvStrom(QByteArrayView strom);

// Writes all rows of the table, in table order, as a CSV table stream: version line,
// definitions, header by display label, values with a trailing comma, CR LF line ends.
// Raises EFehler when a text holds a character that Windows-1252 cannot hold.
QByteArray SchreibeCsv(const TTabelle& tabelle);
