// tropfwerk-rechner: computes calculation files from the command line.
#include "rechner.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <QTextStream>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

int main(int argc, char* argv[])
{
    // A closed pipe is a write error to report, not a signal that ends the program silently.
    std::signal(SIGPIPE, SIG_IGN);
    // A closed stdout would be taken by the next file opened, and the results written into it.
    if (::fcntl(STDOUT_FILENO, F_GETFD) == -1) {
        QTextStream(stderr) << Ausgabefehler(EBADF) << '\n';
        return 1;
    }
    QCoreApplication app(argc, argv);
    int status = 0;
    {
        QTextStream aus(stdout);
        QTextStream fehler(stderr);
        // A name that is not UTF-8 would be decoded to another name: reported, not looked for.
        QStringList argumente;
        bool ausgelassen = false;
        for (int i = 1; i < argc; ++i) {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString argument = utf8(QByteArrayView(argv[i]));
            if (!utf8.hasError()) {
                argumente << argument;
                continue;
            }
            fehler << QStringLiteral("Die Datei „%1“ kann nicht gelesen werden (ihr Name ist kein "
                                     "gültiges UTF-8).")
                          .arg(argument)
                   << '\n';
            ausgelassen = true;
        }
        fehler.flush();
        status = FuehreRechnerAus(argumente, QCoreApplication::applicationDirPath(), aus, fehler);
        if (ausgelassen && status == 0)
            status = 1;
    }
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        if (status != 1) {
            QTextStream(stderr) << Ausgabefehler(errno) << '\n';
        }
        return 1;
    }
    return status;
}
