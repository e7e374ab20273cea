// A postal-code engine over a few hand-made rows.
#include "kleinetabellen.h"

#include "refdata/plzkonverter.h"
#include "refdata/tabelle.h"

#include <utility>
#include <vector>

std::unique_ptr<TPLZConverter> KleineTabellen()
{
    auto plz = std::make_unique<TTabelle>();
    plz->DefiniereFelder(
        {FeldDefinition("Postleitzahl", TFeldTyp::String, 40),
         FeldDefinition("Stadt", TFeldTyp::String, 40), FeldDefinition("Lon", TFeldTyp::Float),
         FeldDefinition("Lat", TFeldTyp::Float), FeldDefinition("Ort", TFeldTyp::String, 40)});
    struct Zeile {
        const char* code;
        const char16_t* stadt;
        long double lon, lat;
        const char16_t* ort;
    };
    for (const Zeile& z : {Zeile{"66???", u"Saarbrücken", 7.0L, 49.233L, u""},
                           Zeile{"66111", u"Saarbrücken", 6.99L, 49.24L, u"Saarbrücken"},
                           Zeile{"80???", u"München", 11.58L, 48.14L, u""},
                           Zeile{"70???", u"Nirgendwo", 9.18L, 48.78L, u""},
                           Zeile{"19???", u"Schwerin", 11.412L, 53.628L, u""}})
        plz->ZeileAnhaengen({QString::fromLatin1(z.code), QString::fromUtf16(z.stadt), z.lon, z.lat,
                             QString::fromUtf16(z.ort)});
    auto station = std::make_unique<TTabelle>();
    std::vector<TFeld> felder{FeldDefinition("Station", TFeldTyp::String, 40)};
    for (const char* m : Monatsfelder)
        felder.push_back(FeldDefinition(m, TFeldTyp::Float));
    station->DefiniereFelder(felder);
    for (const auto& [name, mm] :
         {std::pair{u"Saarbrücken", 40}, {u"München", 70}, {u"Schwerin", 50}}) {
        TZeile zeile{QString::fromUtf16(name)};
        for (int m = 0; m < 12; ++m)
            zeile.emplace_back(static_cast<long double>(mm + m));
        station->ZeileAnhaengen(std::move(zeile));
    }
    return std::make_unique<TPLZConverter>(std::move(plz), std::move(station));
}
