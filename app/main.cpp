// Program entry: the command line is read before the application object exists, so that
// --hilfe and --version answer without a display.
#include "app/anwendung.h"
#include "app/start.h"

#include <cstdio>

int main(int argc, char** argv)
{
    QStringList argumente;
    for (int i = 1; i < argc; ++i)
        argumente << QString::fromLocal8Bit(argv[i]);
    const TBefehlszeile zeile = LiesBefehlszeile(argumente);
    if (zeile.Ende) {
        std::fputs(zeile.Text.toLocal8Bit().constData(), zeile.Status == 0 ? stdout : stderr);
        return zeile.Status;
    }
    TAnwendung app(argc, argv);
    return ProgrammStart(zeile.Dateien, zeile.Datenordner);
}
