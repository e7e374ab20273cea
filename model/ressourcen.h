// The program's string table, addressed by number.
#pragma once

#include <QString>

// The text with that number, or an empty text when the table has none.
QString LoadResString(int id);
