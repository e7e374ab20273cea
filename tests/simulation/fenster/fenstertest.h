// Helpers of the simulation window tests: a small product table and readable texts.
#pragma once

#include "refdata/produkte.h"

#include <QString>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* aus)
{
    *aus << '"' << text.toStdString() << '"';
}

// Four cisterns of 2,7 / 3,0 / 3,3 / 6,0 m³, sorted by volume.
inline std::unique_ptr<TTabelle> KleineProduktTabelle()
{
    auto mtProd = ErzeugeProduktTabelle();
    const struct {
        qint64 id;
        const char* produkt;
        long double volumen;
    } zeilen[] = {{1, "Klein", 2.7L}, {2, "Mittel", 3.0L}, {3, "Gross", 3.3L}, {4, "Riesig", 6.0L}};
    for (const auto& z : zeilen)
        mtProd->ZeileAnhaengen({z.id, QStringLiteral("Beispiel GmbH"),
                                QString::fromLatin1(z.produkt), z.volumen, 999.0L});
    mtProd->Sortiere(u"Volumen");
    return mtProd;
}
