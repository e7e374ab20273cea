// Product catalogue: fields of mtProd, loading and the recommendation filter.
#include "refdata/produkte.h"

#include "model/fehler.h"
#include "model/zahlenformat.h"
#include "refdata/datendatei.h"

#include <exception>
#include <limits>

namespace {

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
    TFeld id = FeldDefinition("ID", TFeldTyp::Integer);
    id.Pflicht = true;
    mtProd.DefiniereFelder({
        id,
        FeldDefinition("Hersteller", TFeldTyp::String, 30),
        FeldDefinition("Produkt", TFeldTyp::String, 30),
        FeldDefinition("Volumen", TFeldTyp::Float, 0, "##0.0' m³'"),
        FeldDefinition("Preis", TFeldTyp::Float, 0, "#0.00' EUR'"),
        FeldDefinition("Beschreibung", TFeldTyp::String, 200),
        FeldDefinition("URL", TFeldTyp::String, 50),
        FeldDefinition("Adresse", TFeldTyp::String, 200),
        FeldDefinition("Bild", TFeldTyp::Graphic),
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
    const QString name = QString::fromLatin1(Data3.Name);
    const QByteArray strom = LeseDatendatei(Data3, ordner);
    try {
        LadeProdukte(mtProd, strom);
    } catch (const EFehler& fehler) {
        throw EFehler(Tabellenfehler(name, fehler.Meldung()));
    } catch (const std::exception&) {
        throw Zugriffsfehler(name); // out of memory while loading
    }
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
