// Geographic converter of the map picture.
#include "refdata/geokonverter.h"

#include <cmath>

namespace {
std::int32_t Runde(long double wert)
{
    // The default floating-point environment rounds halves to the even neighbour.
    return static_cast<std::int32_t>(std::nearbyintl(wert));
}
} // namespace

TGeoConverter::TGeoConverter(TGeoPoint geo1, TGeoPoint geo2, TPixel pixel1, TPixel pixel2)
{
    ScaleX = static_cast<long double>(pixel2.x - pixel1.x) / (geo2.Lon - geo1.Lon);
    ScaleY = static_cast<long double>(pixel2.y - pixel1.y) / (geo2.Lat - geo1.Lat);
    OffsetX = Runde(pixel1.x - ScaleX * geo1.Lon);
    OffsetY = Runde(pixel1.y - ScaleY * geo1.Lat);
}

TPixel TGeoConverter::GeoToPixel(TGeoPoint p) const
{
    return {Runde(p.Lon * ScaleX + OffsetX), Runde(p.Lat * ScaleY + OffsetY)};
}

TGeoPoint TGeoConverter::PixelToGeo(TPixel q) const
{
    return {(q.x - OffsetX) / ScaleX, (q.y - OffsetY) / ScaleY};
}

TGeoConverter KartenKonverter()
{
    return TGeoConverter({7.0L, 49.233L}, {11.412L, 53.628L}, {62, 440}, {278, 110});
}
