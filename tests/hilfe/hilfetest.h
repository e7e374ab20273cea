// Shared helpers of the help tests: the pages of a help file, their links and anchors.
#pragma once

#include "ui/hilfe.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

namespace hilfetest {

inline QString Ordner(HilfeDatei datei)
{
    return datei == HilfeDatei::Anwendung ? QStringLiteral(":/hilfe/anwendung")
                                          : QStringLiteral(":/hilfe/information");
}

// File names of every page of the help file, sorted.
inline QStringList Seiten(HilfeDatei datei)
{
    QStringList seiten;
    QDirIterator it(Ordner(datei), {QStringLiteral("*.html")}, QDir::Files);
    while (it.hasNext()) {
        it.next();
        seiten << it.fileName();
    }
    seiten.sort();
    return seiten;
}

inline QUrl Adresse(HilfeDatei datei, const QString& seite)
{
    return QUrl(QStringLiteral("qrc") + Ordner(datei) + QLatin1Char('/') + seite);
}

inline QString Lies(const QString& pfad)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

// Every href and src of the page, in order.
inline QStringList Verweise(const QString& html)
{
    static const QRegularExpression muster(QStringLiteral("\\b(?:href|src)\\s*=\\s*\"([^\"]*)\""),
                                           QRegularExpression::CaseInsensitiveOption);
    QStringList verweise;
    auto treffer = muster.globalMatch(html);
    while (treffer.hasNext())
        verweise << treffer.next().captured(1);
    return verweise;
}

// The anchor names a QTextDocument finds in the page, i.e. the targets QTextBrowser scrolls to.
inline QSet<QString> Anker(const QString& html)
{
    QTextDocument dokument;
    dokument.setHtml(html);
    QSet<QString> anker;
    for (QTextBlock block = dokument.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            for (const QString& name : it.fragment().charFormat().anchorNames())
                anker.insert(name);
        }
    }
    return anker;
}

inline bool IstExtern(const QUrl& url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https") ||
           url.scheme() == QLatin1String("mailto");
}

// Links of `html` (shown at `basis`) that point to no resource or to a missing anchor,
// each as "link (reason)". External addresses need a scheme and a host or mail address.
inline QStringList DefekteVerweise(const QUrl& basis, const QString& html)
{
    QStringList defekt;
    for (const QString& verweis : Verweise(html)) {
        const QUrl ziel = basis.resolved(QUrl(verweis));
        if (IstExtern(ziel)) {
            if (ziel.host().isEmpty() && ziel.path().isEmpty())
                defekt << verweis + QStringLiteral(" (leere Adresse)");
            continue;
        }
        if (ziel.scheme() != QLatin1String("qrc")) {
            defekt << verweis + QStringLiteral(" (unbekanntes Schema)");
            continue;
        }
        const QString pfad = QLatin1Char(':') + ziel.path();
        if (!QFile::exists(pfad)) {
            defekt << verweis + QStringLiteral(" (fehlt)");
            continue;
        }
        if (ziel.hasFragment() && !Anker(Lies(pfad)).contains(ziel.fragment()))
            defekt << verweis + QStringLiteral(" (Anker fehlt)");
    }
    return defekt;
}

} // namespace hilfetest
