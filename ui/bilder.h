// Pictures of the program, loaded by resource name ("STANDORT", "AAUSWERT", "ZISTDEF", ...).
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// Renders the named picture at the given size, or at its own size when none is given.
// Raises EFehler when the program has no picture of that name.
QPixmap LadeBild(const QString& name, QSize groesse = QSize());

// The picture's own size in pixels (its drawing's size); an invalid size for an unknown name.
QSize BildGroesse(const QString& name);
