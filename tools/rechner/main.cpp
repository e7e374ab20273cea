// tropfwerk-rechner: computes calculation files from the command line.
#include "rechner.h"

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
    return FuehreRechnerAus(argumente, QCoreApplication::applicationDirPath(), aus, fehler);
}
