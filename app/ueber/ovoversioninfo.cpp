// Version block reader on top of the portable block reader.
#include "app/ueber/ovoversioninfo.h"

#include "model/fehler.h"

namespace vr = versionsressource;

namespace {
const char* const StandardSchluessel[] = {"CompanyName",  "FileDescription", "FileVersion",
                                          "InternalName", "LegalCopyright",  "OriginalFilename",
                                          "Productname",  "ProductVersion"};

QString Hex4(quint16 wert)
{
    return QStringLiteral("%1").arg(wert, 4, 16, QLatin1Char('0')).toUpper();
}
} // namespace

TOvoVersionInfo::TOvoVersionInfo(QString fileName) : FFileName(std::move(fileName)) {}

TOvoVersionInfo::~TOvoVersionInfo()
{
    if (FLoaded)
        Unload();
}

void TOvoVersionInfo::Load()
{
    // A failed load must not leave an earlier block readable.
    if (FLoaded)
        Unload();
    int fehler = 0;
    const quint32 groesse = vr::GetFileVersionInfoSize(FFileName, fehler);
    if (groesse == 0)
        throw EOvoVersionInfo(QStringLiteral("GetFileVersionInfoSize: Error: %1").arg(fehler));
    try {
        FSize = groesse;
        FData.clear();
        if (!vr::GetFileVersionInfo(FFileName, groesse, FData, fehler))
            throw EOvoVersionInfo(QStringLiteral("GetFileVersionInfo: Error: %1").arg(fehler));
        QByteArrayView wert;
        if (!vr::VerQueryValue(FData, QStringLiteral("\\"), wert))
            throw EOvoVersionInfo(QStringLiteral("VerQueryValue: Error reading %1").arg("Root"));
        FFixedFileInfo = *vr::LiesFesteInfo(wert);
        if (!vr::VerQueryValue(FData, QStringLiteral("\\VarFileInfo\\Translation"), wert))
            throw EOvoVersionInfo(
                QStringLiteral("VerQueryValue: Error reading %1").arg("Translation"));
        // Only the first entry is taken over; the others stay zero.
        FTranslations.assign(static_cast<size_t>(wert.size() / 4), TOvoTranslation{});
        if (FTranslations.empty())
            throw EOvoVersionInfo(QStringLiteral("Translation array smaller than 1"));
        const auto wort = [&](int pos) {
            return static_cast<quint16>(static_cast<quint8>(wert[pos]) |
                                        static_cast<quint8>(wert[pos + 1]) << 8);
        };
        FTranslations[0] = {wort(0), wort(2)};
        SelectTranslation(0);
        FLoaded = true;
    } catch (...) {
        Unload();
        throw;
    }
}

void TOvoVersionInfo::Unload()
{
    FData = QByteArray();
    FSize = 0;
    FLoaded = false;
}

void TOvoVersionInfo::SelectTranslation(int index)
{
    if (index < 0 || index >= static_cast<int>(FTranslations.size()))
        return;
    const TOvoTranslation& t = FTranslations[static_cast<size_t>(index)];
    FPrefix = QStringLiteral("\\StringFileInfo\\") + Hex4(t.Language) + Hex4(t.CodePage) +
              QStringLiteral("\\");
}

QString TOvoVersionInfo::GetValue(int key) const
{
    if (key < viCompanyName || key > viProductVersion)
        return QString();
    return GetValueByName(QString::fromLatin1(StandardSchluessel[key]));
}

QString TOvoVersionInfo::GetValueByName(const QString& name) const
{
    if (!FLoaded)
        return QString();
    QByteArrayView wert;
    if (!vr::VerQueryValue(FData, FPrefix + name, wert))
        return QString();
    QString text;
    for (qsizetype i = 0; i + 1 < wert.size(); i += 2) {
        const auto zeichen = static_cast<char16_t>(static_cast<quint8>(wert[i]) |
                                                   static_cast<quint8>(wert[i + 1]) << 8);
        if (zeichen == 0)
            break;
        text.append(QChar(zeichen));
    }
    return text;
}
