// Opening a web or mail address with the user's browser or mail program.
#pragma once

#include <QString>
#include <functional>

using AdressFunktion = std::function<void(const QString& adresse)>;

void OeffneAdresse(const QString& adresse);
// Replaces the function; an empty function restores the desktop's handler. Returns the old one.
AdressFunktion SetzeAdressFunktion(AdressFunktion f);
