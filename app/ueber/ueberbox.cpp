// The program's about box: product page and maker page.
#include "app/ueber/ueberbox.h"

#include "app/ueber/ovoaboutbox.h"
#include "model/parametersatz.h"
#include "ui/bilder.h"

#include <QStringList>
#include <QWidget>

namespace {
const char* const Name = "AboutBox";

// The sources of the reference data with the notes their licences ask for.
QString Lizenz()
{
    return QString::fromUtf8("Datenbasis: Deutscher Wetterdienst, eigene Bearbeitung\n"
                             "© GeoNames (www.geonames.org), CC BY 4.0, bearbeitet\n"
                             "Ortsnamen z. T. © OpenStreetMap contributors, ODbL\n"
                             "© GeoBasis-DE / BKG (2023), Daten verändert,\n"
                             "dl-de/by-2-0 (www.govdata.de/dl-de/by-2-0)");
}

void Fuelle(TOvoAboutBox& box)
{
    box.Caption = QString::fromUtf8("Über Tropfwerk 2003");
    box.Pages = TAboutBoxPages(abHersteller) | abProdukt;
    box.SetProduktName(QStringLiteral("Tropfwerk 2003"));
    box.SetProduktVersion(QStringLiteral("Version 1.0"));
    box.SetLizenz(Lizenz());
    box.SetCopyright(QString::fromUtf8("Copyright © 2003 Brunnhuber & Kessler"));
    box.SetProduktLogo(LadeBild(QStringLiteral("PRODUKTLOGO")));
    box.SetHerstellerLogo(LadeBild(QStringLiteral("HERSTELLERLOGO")));
    box.UseVersionInfo = false;

    box.SetHerstellerAdresse(
        QStringList{Hersteller.Firma, Hersteller.Strasse, Hersteller.Ort, Hersteller.Telefon}.join(
            QLatin1Char('\n')));
    box.SetHerstellerWeb(Hersteller.Web);
    box.SetHerstellerEMail(Hersteller.EMail);

    // The customer page is not shown, but its fields carry the maker's contact data too.
    box.SetKundeAdresse(Hersteller.Strasse);
    box.SetKundeWeb(Hersteller.Web);
    box.SetKundeEMail(Hersteller.EMail);
    box.SetKundeTelNr(Hersteller.Telefon);
}
} // namespace

TOvoAboutBox* UeberTropfwerk(QWidget* besitzer)
{
    if (besitzer)
        if (auto* box = besitzer->findChild<TOvoAboutBox*>(QString::fromLatin1(Name),
                                                           Qt::FindDirectChildrenOnly))
            return box;
    auto* box = new TOvoAboutBox(besitzer);
    box->setObjectName(QString::fromLatin1(Name));
    Fuelle(*box);
    return box;
}

void ZeigeUeberTropfwerk(QWidget* besitzer)
{
    if (besitzer) {
        UeberTropfwerk(besitzer)->Execute();
        return;
    }
    TOvoAboutBox box;
    Fuelle(box);
    box.Execute();
}
