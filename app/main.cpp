// Program entry.
#include "app/anwendung.h"
#include "app/start.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    TAnwendung app(argc, argv);
    return ProgrammStart(QCoreApplication::arguments().mid(1));
}
