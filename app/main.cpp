// Program entry.
#include "app/anwendung.h"
#include "app/start.h"

int main(int argc, char** argv)
{
    TAnwendung app(argc, argv);
    return ProgrammStart();
}
