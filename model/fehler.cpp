// Error hierarchy and the full-stop rule of the central error handler.
#include "model/fehler.h"

#include <cerrno>

EFehler::EFehler(QString meldung) : m_meldung(std::move(meldung)), m_utf8(m_meldung.toStdString())
{
}

QString MitSchlusspunkt(const QString& meldung)
{
    if (!meldung.isEmpty() && meldung.back().unicode() > u'.')
        return meldung + u'.';
    return meldung;
}

QString Systemgrund(int fehlernummer)
{
    switch (fehlernummer) {
    case ENOENT:
        return QStringLiteral("Datei oder Ordner nicht gefunden");
    case EACCES:
    case EPERM:
        return QStringLiteral("Zugriff verweigert");
    case ELOOP:
        return QStringLiteral("zu viele Ebenen symbolischer Verknüpfungen");
    case EISDIR:
        return QStringLiteral("ist ein Ordner");
    case ENOTDIR:
        return QStringLiteral("ein Teil des Pfads ist kein Ordner");
    case ENAMETOOLONG:
        return QStringLiteral("Dateiname zu lang");
    case ENOSPC:
        return QStringLiteral("kein Speicherplatz mehr auf dem Gerät");
    case EDQUOT:
        return QStringLiteral("Speicherkontingent überschritten");
    case EFBIG:
        return QStringLiteral("Datei zu groß");
    case EROFS:
        return QStringLiteral("Dateisystem nur lesbar");
    case EPIPE:
        return QStringLiteral("die Gegenseite hat die Verbindung geschlossen");
    case EBADF:
        return QStringLiteral("Ausgabe geschlossen");
    case EIO:
        return QStringLiteral("Ein-/Ausgabefehler");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("zu viele offene Dateien");
    case ENOMEM:
        return QStringLiteral("zu wenig Speicher");
    case EINTR:
        return QStringLiteral("unterbrochen");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("Gerät nicht vorhanden");
    default:
        return QStringLiteral("Systemfehler %1").arg(fehlernummer);
    }
}
