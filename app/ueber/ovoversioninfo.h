// Reader of a program file's version block: fixed file information, translation table and the
// texts of one string table.
#pragma once

#include "app/ueber/versionsressource.h"

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

// One entry of the translation table.
struct TOvoTranslation {
    quint16 Language = 0;
    quint16 CodePage = 0;
};

class TOvoVersionInfo {
public:
    // Indices of GetValue.
    enum TKey {
        viCompanyName,
        viFileDescription,
        viFileVersion,
        viInternalName,
        viLegalCopyright,
        viOriginalFilename,
        viProductName,
        viProductVersion,
    };

    explicit TOvoVersionInfo(QString fileName = QString());
    ~TOvoVersionInfo();
    TOvoVersionInfo(const TOvoVersionInfo&) = delete;
    TOvoVersionInfo& operator=(const TOvoVersionInfo&) = delete;

    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& fileName) { FFileName = fileName; }

    // Reads the version block of FileName. Raises EOvoVersionInfo and stays unloaded on failure.
    void Load();
    void Unload();
    bool Loaded() const { return FLoaded; }

    // Makes the string table of that translation the one GetValue reads; an index outside the
    // table is ignored.
    void SelectTranslation(int index);
    // One of the eight standard texts; empty for an index outside 0 to 7.
    QString GetValue(int key) const;
    // The text stored under the selected table's name; empty when not loaded, missing or empty.
    QString GetValueByName(const QString& name) const;

    const std::vector<TOvoTranslation>& Translations() const { return FTranslations; }
    const QString& Prefix() const { return FPrefix; }
    const versionsressource::TFesteDateiInfo& FixedFileInfo() const { return FFixedFileInfo; }
    quint32 Size() const { return FSize; }

private:
    QString FFileName;
    std::vector<TOvoTranslation> FTranslations;
    QString FPrefix;
    versionsressource::TFesteDateiInfo FFixedFileInfo;
    QByteArray FData;
    quint32 FSize = 0;
    bool FLoaded = false;
};
