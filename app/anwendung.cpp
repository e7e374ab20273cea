// Application set-up and the notify override that catches errors of event handlers.
#include "app/anwendung.h"

#include "ui/fehleranzeige.h"

#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
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

    // The windows are laid out for a small sans-serif face with Arial's metrics.
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9));

    auto* uebersetzung = new QTranslator(&app);
    if (uebersetzung->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(uebersetzung);
}
