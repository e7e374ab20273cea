// Application set-up and the notify override that catches errors of event handlers.
#include "app/anwendung.h"

#include "ui/fehleranzeige.h"
#include "ui/werkzeug.h"

#include <QColor>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QPalette>
#include <QTranslator>

TAnwendung::TAnwendung(int& argc, char** argv) : QApplication(argc, argv)
{
    RichteAnwendungEin(*this);
}

bool TAnwendung::notify(QObject* empfaenger, QEvent* ereignis)
{
    try {
        return QApplication::notify(empfaenger, ereignis);
    } catch (const std::exception& fehler) {
        ZeigeUnbehandeltenFehler(fehler);
    }
    return false;
}

void RichteAnwendungEin(QApplication& app)
{
    // The program is made for the German number format, whatever the machine says.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QApplication::setApplicationName(QString::fromUtf16(AnwendungsTitel));
    QApplication::setOrganizationName(QStringLiteral("Brunnhuber & Kessler"));

    // The windows are laid out for a sans-serif face with Arial's metrics; the size stays the
    // desktop's, and the windows laid out by hand grow with it.
    QFont schrift = QApplication::font();
    schrift.setFamily(QStringLiteral("Liberation Sans"));
    QApplication::setFont(schrift);
    SkaliereFensterBeimZeigen(&app);

    // The selected row stands out from its white text by at least 4,5 : 1, with or without focus.
    QPalette farben = QApplication::palette();
    for (const auto gruppe : {QPalette::Active, QPalette::Inactive}) {
        farben.setColor(gruppe, QPalette::Highlight, QColor(0x1f, 0x5f, 0x99));
        farben.setColor(gruppe, QPalette::HighlightedText, Qt::white);
    }
    QApplication::setPalette(farben);

    auto* uebersetzung = new QTranslator(&app);
    if (uebersetzung->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(uebersetzung);
    // The report windows' English texts in German, from the program's resources.
    auto* eigene = new QTranslator(&app);
    if (eigene->load(QLocale(QLocale::German), QStringLiteral("tropfwerk"), QStringLiteral("_"),
                     QStringLiteral(":/uebersetzungen")))
        QApplication::installTranslator(eigene);
}
