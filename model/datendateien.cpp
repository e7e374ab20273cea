// Presence check and search path of the data files.
#include "model/datendateien.h"

#include <QFileInfo>

QStringList Datendateien()
{
    return {QStringLiteral("Data1.cry"), QStringLiteral("Data2.cry"), QStringLiteral("Data3.cry")};
}

QStringList FehlendeDateien(const QDir& ordner, const QStringList& namen)
{
    QStringList fehlend;
    for (const QString& name : namen) {
        if (!QFileInfo(ordner.filePath(name)).isFile())
            fehlend << name;
    }
    return fehlend;
}

QStringList FehlendeDatendateien(const QDir& ordner)
{
    return FehlendeDateien(ordner, Datendateien());
}

QStringList Datensuchpfad(const QString& explizit, const QString& programmOrdner)
{
    const QString gewaehlt =
        explizit.isEmpty() ? qEnvironmentVariable("TROPFWERK_DATEN") : explizit;
    if (!gewaehlt.isEmpty())
        return {QDir::cleanPath(QDir(gewaehlt).absolutePath())};

    QStringList pfad;
    const auto dazu = [&pfad](const QString& ordner) {
        const QString sauber = QDir::cleanPath(ordner);
        if (!pfad.contains(sauber))
            pfad << sauber;
    };
    const QString programm = QDir(programmOrdner).absolutePath();
    dazu(programm);
    dazu(programm + u'/' + QStringLiteral(TW_DATEN_RELATIV));
    dazu(QStringLiteral(TW_DATEN_INSTALLIERT));
    return pfad;
}

QString FindeDatenordner(const QStringList& suchpfad, const QStringList& namen)
{
    for (const QString& ordner : suchpfad) {
        if (FehlendeDateien(QDir(ordner), namen).isEmpty())
            return ordner;
    }
    return {};
}

QString GesuchtInZeile(const QStringList& suchpfad)
{
    QStringList zitiert;
    for (const QString& ordner : suchpfad)
        zitiert << u'„' + QDir::toNativeSeparators(ordner) + u'“';
    return QStringLiteral("Gesucht in: %1.").arg(zitiert.join(QStringLiteral(", ")));
}
