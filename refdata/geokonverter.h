// Linear mapping between geographic coordinates and pixels of the map picture.
#pragma once

#include <cstdint>

struct TGeoPoint {
    long double Lon = 0; // degrees east
    long double Lat = 0; // degrees north
};

struct TPixel {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const TPixel&) const = default;
};

class TGeoConverter {
public:
    // Fixed by two reference points and their pixels; the offsets are rounded to whole pixels.
    TGeoConverter(TGeoPoint geo1, TGeoPoint geo2, TPixel pixel1, TPixel pixel2);
    virtual ~TGeoConverter() = default;

    // Rounded to the nearest pixel, halves to the even neighbour.
    virtual TPixel GeoToPixel(TGeoPoint p) const;
    virtual TGeoPoint PixelToGeo(TPixel q) const;

    long double ScaleX = 0;
    long double ScaleY = 0;
    std::int32_t OffsetX = 0;
    std::int32_t OffsetY = 0;
};

// The converter of the program's map picture: Saarbrücken at (62, 440), Schwerin at (278, 110).
TGeoConverter KartenKonverter();
