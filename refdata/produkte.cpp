// Product catalogue: fields of mtProd, loading and the recommendation filter.
#include "refdata/produkte.h"

#include "model/zahlenformat.h"
#include "refdata/datendatei.h"

#include <limits>

namespace {

TFeld Feld(const char* name, TFeldTyp typ, int groesse = 0, const char* format = "")
{
    TFeld f;
    f.Name = QString::fromLatin1(name);
    f.Typ = typ;
    f.Groesse = groesse;
    f.Anzeigeformat = QString::fromUtf8(format);
    return f;
}

// A bound as the filter text writes it: two decimals, at most five significant digits.
std::pair<long double, QString> Grenze(long double wert)
{
    const QString text = zahl::Fest(wert, 2, 5);
    const auto gelesen = zahl::Lies(text);
    return {gelesen.value_or(std::numeric_limits<long double>::quiet_NaN()), text};
}

} // namespace

void DefiniereProduktFelder(TTabelle& mtProd)
{
    TFeld id = Feld("ID", TFeldTyp::Integer);
    id.Pflicht = true;
    mtProd.DefiniereFelder({
        id,
        Feld("Hersteller", TFeldTyp::String, 30),
        Feld("Produkt", TFeldTyp::String, 30),
        Feld("Volumen", TFeldTyp::Float, 0, "##0.0' m³'"),
        Feld("Preis", TFeldTyp::Float, 0, "#0.00' EUR'"),
        Feld("Beschreibung", TFeldTyp::String, 200),
        Feld("URL", TFeldTyp::String, 50),
        Feld("Adresse", TFeldTyp::String, 200),
        Feld("Bild", TFeldTyp::Graphic),
    });
}

std::unique_ptr<TTabelle> ErzeugeProduktTabelle()
{
    auto mtProd = std::make_unique<TTabelle>();
    mtProd->setObjectName(QStringLiteral("mtProd"));
    DefiniereProduktFelder(*mtProd);
    return mtProd;
}

void LadeProdukte(TTabelle& mtProd, QByteArrayView strom)
{
    mtProd.LadeBinaer(strom);
    mtProd.Sortiere(u"Volumen");
}

void LoadProducts(TTabelle& mtProd, const QString& ordner)
{
    const QByteArray strom = LeseDatendatei(Data3, ordner);
    LadeProdukte(mtProd, strom);
}

TProduktfilter Produktfilter(long double volumen)
{
    const auto [unten, untenText] = Grenze(volumen - 0.5L);
    const auto [oben, obenText] = Grenze(volumen + 0.5L);
    return {unten, oben,
            QStringLiteral("VOLUMEN >= %1 AND VOLUMEN <= %2").arg(untenText, obenText)};
}

QString FilterProducts(TTabelle& mtProd, long double volumen)
{
    const TProduktfilter f = Produktfilter(volumen);
    mtProd.SetzeFilter(u"VOLUMEN", f.Unten, f.Oben);
    return f.Text;
}
