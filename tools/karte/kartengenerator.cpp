// Draws the map picture of the location window from the state borders and the city list:
// 471 x 602 pixels, 24-bit, RGB(252, 2, 252) outside the country and nowhere inside it, placed
// with the map's geographic converter so that the city marks fall on the converter's pixels.
//
//   tropfwerk-karte --staaten <laender.geojson> --staedte <staedte.csv> --aus <karte.bmp>
//                   [--png <karte.png>]
#include "refdata/geokonverter.h"

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QTextStream>
#include <QtEndian>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

constexpr int Breite = 471;
constexpr int Hoehe = 602;

const QColor Hintergrund(252, 2, 252);
const QColor Grenze(150, 150, 150);
const QColor Staatsgrenze(80, 80, 80);
const QColor Markenfarbe(35, 35, 35);
const QColor Schrift(40, 40, 40);
const QColor Halo(255, 255, 255, 200);

// Very light tints, chosen so that neighbouring states differ.
const std::map<QString, QColor> Flaechenfarben = {
    {QStringLiteral("Schleswig-Holstein"), QColor(246, 249, 252)},
    {QStringLiteral("Hamburg"), QColor(252, 249, 242)},
    {QStringLiteral("Niedersachsen"), QColor(250, 251, 243)},
    {QStringLiteral("Bremen"), QColor(252, 249, 242)},
    {QStringLiteral("Nordrhein-Westfalen"), QColor(252, 249, 242)},
    {QStringLiteral("Hessen"), QColor(246, 249, 252)},
    {QStringLiteral("Rheinland-Pfalz"), QColor(250, 251, 243)},
    {QStringLiteral("Baden-Württemberg"), QColor(252, 248, 246)},
    {QStringLiteral("Bayern"), QColor(246, 249, 252)},
    {QStringLiteral("Saarland"), QColor(252, 249, 242)},
    {QStringLiteral("Berlin"), QColor(252, 248, 246)},
    {QStringLiteral("Brandenburg"), QColor(250, 251, 243)},
    {QStringLiteral("Mecklenburg-Vorpommern"), QColor(252, 249, 242)},
    {QStringLiteral("Sachsen"), QColor(252, 248, 246)},
    {QStringLiteral("Sachsen-Anhalt"), QColor(246, 249, 252)},
    {QStringLiteral("Thüringen"), QColor(250, 251, 243)},
};
const QColor Landfarbe(251, 251, 247);

// Where a city's name stands relative to its mark.
enum class Seite { Rechts, Links, Oben, Unten, RechtsOben, RechtsUnten, LinksOben, LinksUnten };

const std::map<QString, Seite> Beschriftung = {
    {QStringLiteral("Berlin"), Seite::RechtsOben},
    {QStringLiteral("Hamburg"), Seite::Links},
    {QStringLiteral("München"), Seite::Rechts},
    {QStringLiteral("Köln"), Seite::RechtsUnten},
    {QStringLiteral("Frankfurt am Main"), Seite::Rechts},
    {QStringLiteral("Stuttgart"), Seite::Rechts},
    {QStringLiteral("Düsseldorf"), Seite::RechtsOben},
    {QStringLiteral("Leipzig"), Seite::Links},
    {QStringLiteral("Dresden"), Seite::Links},
    {QStringLiteral("Bremen"), Seite::Links},
    {QStringLiteral("Hannover"), Seite::Rechts},
    {QStringLiteral("Nürnberg"), Seite::Rechts},
    {QStringLiteral("Saarbrücken"), Seite::RechtsOben},
    {QStringLiteral("Schwerin"), Seite::Unten},
};

struct TStaat {
    QString Name;
    QPainterPath Umriss;
};

struct TStadt {
    QString Name;
    TPixel Punkt;
};

[[noreturn]] void Abbruch(const QString& text)
{
    throw std::runtime_error(text.toStdString());
}

QByteArray LiesDatei(const QString& pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        Abbruch(QStringLiteral("%1: kann nicht gelesen werden").arg(pfad));
    return datei.readAll();
}

// Sub-pixel position of a geographic point in painter coordinates: the converter's unrounded
// value, moved by half a pixel so that GeoToPixel's pixel is the one whose centre is nearest.
QPointF Projiziere(const TGeoConverter& konverter, double lon, double lat)
{
    const long double x = lon * konverter.ScaleX + konverter.OffsetX;
    const long double y = lat * konverter.ScaleY + konverter.OffsetY;
    return {static_cast<double>(x) + 0.5, static_cast<double>(y) + 0.5};
}

void RingHinzu(QPainterPath& pfad, const QJsonArray& ring, const TGeoConverter& konverter)
{
    if (ring.size() < 3)
        return;
    for (qsizetype i = 0; i < ring.size(); ++i) {
        const QJsonArray punkt = ring[i].toArray();
        if (punkt.size() < 2)
            Abbruch(QStringLiteral("Koordinate ohne Länge und Breite"));
        const QPointF p = Projiziere(konverter, punkt[0].toDouble(), punkt[1].toDouble());
        if (i == 0)
            pfad.moveTo(p);
        else
            pfad.lineTo(p);
    }
    pfad.closeSubpath();
}

// States with their outlines in pixels; holes (Berlin in Brandenburg, Bremen in Niedersachsen)
// are subpaths filled odd-even.
std::vector<TStaat> LiesStaaten(const QString& pfad, const TGeoConverter& konverter)
{
    QJsonParseError fehler;
    const QJsonDocument dokument = QJsonDocument::fromJson(LiesDatei(pfad), &fehler);
    if (dokument.isNull())
        Abbruch(QStringLiteral("%1: %2").arg(pfad, fehler.errorString()));
    std::vector<TStaat> staaten;
    for (const QJsonValue merkmal : dokument.object().value(QStringLiteral("features")).toArray()) {
        const QJsonObject objekt = merkmal.toObject();
        const QJsonObject geometrie = objekt.value(QStringLiteral("geometry")).toObject();
        const QString typ = geometrie.value(QStringLiteral("type")).toString();
        const QJsonArray koordinaten = geometrie.value(QStringLiteral("coordinates")).toArray();
        TStaat staat;
        staat.Name = objekt.value(QStringLiteral("properties"))
                         .toObject()
                         .value(QStringLiteral("name"))
                         .toString();
        staat.Umriss.setFillRule(Qt::OddEvenFill);
        std::vector<QJsonArray> polygone;
        if (typ == QStringLiteral("Polygon"))
            polygone.push_back(koordinaten);
        else if (typ == QStringLiteral("MultiPolygon"))
            for (const QJsonValue polygon : koordinaten)
                polygone.push_back(polygon.toArray());
        else
            Abbruch(QStringLiteral("%1: Geometrie %2 wird nicht unterstützt").arg(pfad, typ));
        for (const QJsonArray& polygon : polygone)
            for (const QJsonValue ring : polygon)
                RingHinzu(staat.Umriss, ring.toArray(), konverter);
        staaten.push_back(std::move(staat));
    }
    if (staaten.empty())
        Abbruch(QStringLiteral("%1: keine Länder gefunden").arg(pfad));
    return staaten;
}

std::vector<TStadt> LiesStaedte(const QString& pfad, const TGeoConverter& konverter)
{
    QString text = QString::fromUtf8(LiesDatei(pfad));
    QTextStream strom(&text);
    const QStringList kopf = strom.readLine().split(QLatin1Char(','));
    const qsizetype name = kopf.indexOf(QStringLiteral("name"));
    const qsizetype lon = kopf.indexOf(QStringLiteral("lon"));
    const qsizetype lat = kopf.indexOf(QStringLiteral("lat"));
    if (name < 0 || lon < 0 || lat < 0)
        Abbruch(QStringLiteral("%1: Spalten name, lon, lat erwartet").arg(pfad));
    std::vector<TStadt> staedte;
    while (!strom.atEnd()) {
        const QString zeile = strom.readLine().trimmed();
        if (zeile.isEmpty())
            continue;
        const QStringList felder = zeile.split(QLatin1Char(','));
        if (felder.size() < kopf.size())
            Abbruch(QStringLiteral("%1: unvollständige Zeile: %2").arg(pfad, zeile));
        bool okLon = false;
        bool okLat = false;
        const TGeoPoint punkt{felder[lon].toDouble(&okLon), felder[lat].toDouble(&okLat)};
        if (!okLon || !okLat)
            Abbruch(QStringLiteral("%1: ungültige Koordinate: %2").arg(pfad, zeile));
        staedte.push_back({felder[name], konverter.GeoToPixel(punkt)});
    }
    return staedte;
}

// Every pixel whose centre lies in a state: the land, drawn without antialiasing.
QImage Landmaske(const std::vector<TStaat>& staaten)
{
    QImage maske(Breite, Hoehe, QImage::Format_Grayscale8);
    maske.fill(0);
    QPainter maler(&maske);
    maler.setPen(Qt::NoPen);
    maler.setBrush(QColor(255, 255, 255));
    for (const TStaat& staat : staaten)
        maler.drawPath(staat.Umriss);
    return maske;
}

bool IstLand(const QImage& maske, int x, int y)
{
    return x >= 0 && y >= 0 && x < maske.width() && y < maske.height() &&
           maske.constScanLine(y)[x] != 0;
}

// True when every pixel the rectangle touches is land.
bool GanzImLand(const QImage& maske, const QRectF& rechteck)
{
    const QRect pixel = rechteck.toAlignedRect();
    for (int y = pixel.top(); y <= pixel.bottom(); ++y)
        for (int x = pixel.left(); x <= pixel.right(); ++x)
            if (!IstLand(maske, x, y))
                return false;
    return true;
}

QRectF Beschriftungsrechteck(const QFontMetricsF& metrik, const QString& text, QPointF mitte,
                             Seite seite)
{
    constexpr double Abstand = 5.5;
    const double breite = metrik.horizontalAdvance(text);
    const double hoehe = metrik.ascent() + metrik.descent();
    QRectF r(0, 0, breite, hoehe);
    switch (seite) {
    case Seite::Rechts:
        r.moveCenter({mitte.x() + Abstand + breite / 2, mitte.y()});
        break;
    case Seite::Links:
        r.moveCenter({mitte.x() - Abstand - breite / 2, mitte.y()});
        break;
    case Seite::Oben:
        r.moveCenter({mitte.x(), mitte.y() - Abstand - hoehe / 2});
        break;
    case Seite::Unten:
        r.moveCenter({mitte.x(), mitte.y() + Abstand + hoehe / 2});
        break;
    case Seite::RechtsOben:
        r.moveBottomLeft({mitte.x() + Abstand - 1.5, mitte.y() - 1.5});
        break;
    case Seite::RechtsUnten:
        r.moveTopLeft({mitte.x() + Abstand - 1.5, mitte.y() + 1.5});
        break;
    case Seite::LinksOben:
        r.moveBottomRight({mitte.x() - Abstand + 1.5, mitte.y() - 1.5});
        break;
    case Seite::LinksUnten:
        r.moveTopRight({mitte.x() - Abstand + 1.5, mitte.y() + 1.5});
        break;
    }
    return r;
}

QImage ZeichneKarte(const std::vector<TStaat>& staaten, const std::vector<TStadt>& staedte,
                    const QImage& maske)
{
    // Everything is drawn on an opaque land-coloured canvas; only the mask decides what is land,
    // so antialiased edges never mix with the background colour.
    QImage bild(Breite, Hoehe, QImage::Format_RGB32);
    bild.fill(Landfarbe);
    QPainter maler(&bild);

    QPainterPath land;
    land.setFillRule(Qt::WindingFill);
    for (const TStaat& staat : staaten) {
        const auto farbe = Flaechenfarben.find(staat.Name);
        maler.setPen(Qt::NoPen);
        maler.setBrush(farbe != Flaechenfarben.end() ? farbe->second : Landfarbe);
        maler.drawPath(staat.Umriss);
        land.addPath(staat.Umriss);
    }

    maler.setRenderHint(QPainter::Antialiasing);
    maler.setBrush(Qt::NoBrush);
    maler.setPen(QPen(Grenze, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const TStaat& staat : staaten)
        maler.drawPath(staat.Umriss);
    // The national border: half of the stroke lies outside and is cut away by the mask.
    maler.setPen(QPen(Staatsgrenze, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    maler.drawPath(land.simplified());

    QFont schrift(QStringLiteral("Liberation Sans"));
    schrift.setStyleHint(QFont::SansSerif);
    schrift.setPixelSize(11);
    schrift.setHintingPreference(QFont::PreferFullHinting);
    QFont hauptstadt = schrift;
    hauptstadt.setBold(true);

    QStringList ueberstehend;
    for (const TStadt& stadt : staedte) {
        const QPointF mitte(stadt.Punkt.x + 0.5, stadt.Punkt.y + 0.5);
        const bool istHauptstadt = stadt.Name == QStringLiteral("Berlin");
        maler.setPen(QPen(QColor(255, 255, 255), 1.0));
        maler.setBrush(Markenfarbe);
        if (istHauptstadt) {
            maler.drawEllipse(mitte, 4.2, 4.2);
            maler.setPen(Qt::NoPen);
            maler.setBrush(QColor(255, 255, 255));
            maler.drawEllipse(mitte, 2.2, 2.2);
            maler.setBrush(Markenfarbe);
            maler.drawEllipse(mitte, 1.3, 1.3);
        } else {
            maler.drawEllipse(mitte, 3.0, 3.0);
        }

        const QFont& font = istHauptstadt ? hauptstadt : schrift;
        const QFontMetricsF metrik(font);
        const auto seite = Beschriftung.find(stadt.Name);
        const QRectF rechteck = Beschriftungsrechteck(
            metrik, stadt.Name, mitte, seite != Beschriftung.end() ? seite->second : Seite::Rechts);
        if (!GanzImLand(maske, rechteck.adjusted(-1, 0, 1, 0)))
            ueberstehend << stadt.Name;

        const QPointF grundlinie(rechteck.left(), rechteck.top() + metrik.ascent());
        QPainterPath schriftzug;
        schriftzug.addText(grundlinie, font, stadt.Name);
        maler.setBrush(Qt::NoBrush);
        maler.setPen(QPen(Halo, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        maler.drawPath(schriftzug);
        maler.setFont(font);
        maler.setPen(Schrift);
        maler.drawText(grundlinie, stadt.Name);
    }
    maler.end();
    if (!ueberstehend.isEmpty())
        Abbruch(QStringLiteral("Beschriftung ragt über die Landesgrenze: %1")
                    .arg(ueberstehend.join(QStringLiteral(", "))));

    // Cut the country out: outside the mask only the background colour remains.
    const QRgb aussen = Hintergrund.rgb();
    for (int y = 0; y < Hoehe; ++y) {
        auto* zeile = reinterpret_cast<QRgb*>(bild.scanLine(y));
        for (int x = 0; x < Breite; ++x) {
            if (!IstLand(maske, x, y))
                zeile[x] = aussen;
            else if ((zeile[x] & 0xffffff) == (aussen & 0xffffff))
                Abbruch(
                    QStringLiteral("Landpixel (%1, %2) hat die Hintergrundfarbe").arg(x).arg(y));
        }
    }
    return bild;
}

// 24-bit Windows bitmap: file header, BITMAPINFOHEADER, bottom-up rows padded to 4 bytes.
QByteArray Bitmap24(const QImage& bild)
{
    const int zeilenlaenge = (bild.width() * 3 + 3) / 4 * 4;
    const int datenlaenge = zeilenlaenge * bild.height();
    QByteArray daten(14 + 40 + datenlaenge, '\0');
    auto* p = reinterpret_cast<uchar*>(daten.data());
    auto le16 = [&](int pos, quint16 wert) { qToLittleEndian(wert, p + pos); };
    auto le32 = [&](int pos, quint32 wert) { qToLittleEndian(wert, p + pos); };
    p[0] = 'B';
    p[1] = 'M';
    le32(2, static_cast<quint32>(daten.size()));
    le32(10, 14 + 40);
    le32(14, 40);
    le32(18, static_cast<quint32>(bild.width()));
    le32(22, static_cast<quint32>(bild.height()));
    le16(26, 1);
    le16(28, 24);
    le32(30, 0); // BI_RGB
    le32(34, static_cast<quint32>(datenlaenge));
    le32(38, 3780); // 96 dpi
    le32(42, 3780);
    for (int y = 0; y < bild.height(); ++y) {
        uchar* ziel = p + 54 + static_cast<qsizetype>(bild.height() - 1 - y) * zeilenlaenge;
        const auto* quelle = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
        for (int x = 0; x < bild.width(); ++x) {
            *ziel++ = static_cast<uchar>(qBlue(quelle[x]));
            *ziel++ = static_cast<uchar>(qGreen(quelle[x]));
            *ziel++ = static_cast<uchar>(qRed(quelle[x]));
        }
    }
    return daten;
}

void Schreibe(const QString& pfad, const QByteArray& inhalt)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        datei.write(inhalt) != inhalt.size())
        Abbruch(QStringLiteral("%1: kann nicht geschrieben werden").arg(pfad));
}

void PruefeMarke(const std::vector<TStadt>& staedte, const QString& name, TPixel erwartet)
{
    for (const TStadt& stadt : staedte)
        if (stadt.Name == name) {
            if (!(stadt.Punkt == erwartet))
                Abbruch(QStringLiteral("%1 liegt auf (%2, %3) statt (%4, %5)")
                            .arg(name)
                            .arg(stadt.Punkt.x)
                            .arg(stadt.Punkt.y)
                            .arg(erwartet.x)
                            .arg(erwartet.y));
            return;
        }
    Abbruch(QStringLiteral("%1 fehlt in der Städteliste").arg(name));
}

int Aufruf(const char* programm)
{
    std::fprintf(stderr,
                 "Aufruf: %s --staaten <laender.geojson> --staedte <staedte.csv> --aus <karte.bmp> "
                 "[--png <karte.png>]\n",
                 programm);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // Fonts need a GUI application, but no window system.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString staatenPfad, staedtePfad, ausPfad, pngPfad;
    const QStringList argumente = QGuiApplication::arguments();
    for (qsizetype i = 1; i < argumente.size(); ++i) {
        const QString& a = argumente[i];
        if (i + 1 >= argumente.size())
            return Aufruf(argv[0]);
        const QString& wert = argumente[++i];
        if (a == QStringLiteral("--staaten"))
            staatenPfad = wert;
        else if (a == QStringLiteral("--staedte"))
            staedtePfad = wert;
        else if (a == QStringLiteral("--aus"))
            ausPfad = wert;
        else if (a == QStringLiteral("--png"))
            pngPfad = wert;
        else
            return Aufruf(argv[0]);
    }
    if (staatenPfad.isEmpty() || staedtePfad.isEmpty() || ausPfad.isEmpty())
        return Aufruf(argv[0]);

    try {
        const TGeoConverter konverter = KartenKonverter();
        const std::vector<TStaat> staaten = LiesStaaten(staatenPfad, konverter);
        const std::vector<TStadt> staedte = LiesStaedte(staedtePfad, konverter);
        PruefeMarke(staedte, QStringLiteral("Saarbrücken"), {62, 440});
        PruefeMarke(staedte, QStringLiteral("Schwerin"), {278, 110});

        const QImage maske = Landmaske(staaten);
        for (const TStadt& stadt : staedte)
            if (!IstLand(maske, stadt.Punkt.x, stadt.Punkt.y))
                Abbruch(QStringLiteral("%1 liegt außerhalb des Landes").arg(stadt.Name));
        const QImage karte = ZeichneKarte(staaten, staedte, maske);

        Schreibe(ausPfad, Bitmap24(karte));
        if (!pngPfad.isEmpty() && !karte.save(pngPfad, "PNG"))
            Abbruch(QStringLiteral("%1: kann nicht geschrieben werden").arg(pngPfad));
    } catch (const std::exception& fehler) {
        std::fprintf(stderr, "tropfwerk-karte: %s\n", fehler.what());
        return 1;
    }
    return 0;
}
