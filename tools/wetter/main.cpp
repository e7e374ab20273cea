// tropfwerk-wetter: fits and checks the daily weather generator on daily station series.
#include "wetter.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream aus(stdout);
    QTextStream fehler(stderr);
    QStringList argumente = QCoreApplication::arguments();
    argumente.removeFirst();
    return FuehreWetterAus(argumente, aus, fehler);
}
