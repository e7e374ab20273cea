// The report page "Wirtschaftlichkeit": coverage and overflow over the tank volume as a chart,
// the point of diminishing returns, the money inputs and the recommended products' figures.
#pragma once

#include "evaluation/bericht/berichtmaschine.h"
#include "evaluation/wirtschaftlichkeit.h"

// Laid out on the definition's page with its repeated title lines, the second of them reading
// "Wirtschaftlichkeit", and the sentence on the point of diminishing returns. Products
// beyond the table's rows are counted in a closing line.
TBerichtSeite WirtschaftlichkeitsSeite(const TBerichtDefinition& definition,
                                       const TWirtschaftlichkeitsDaten& daten);
