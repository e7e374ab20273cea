// Presence check of the data files.
#include "model/datendateien.h"

QStringList Datendateien()
{
    return {QStringLiteral("Data1.cry"), QStringLiteral("Data2.cry"), QStringLiteral("Data3.cry")};
}

QStringList FehlendeDatendateien(const QDir& ordner)
{
    QStringList fehlend;
    for (const QString& name : Datendateien()) {
        if (!QFileInfo(ordner.filePath(name)).isFile())
            fehlend << name;
    }
    return fehlend;
}
