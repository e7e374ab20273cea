// Texts of a PDF file with their boxes, read with pdftotext -bbox (poppler-utils).
#pragma once

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

// One run of words on a line; positions in inches from the top-left corner of the page.
struct TPdfText {
    int Seite = 0; // 1-based
    QString Text;
    double Links = 0;
    double Oben = 0;
    double Rechts = 0;
    double Unten = 0;
};

inline void PrintTo(const TPdfText& t, std::ostream* aus)
{
    *aus << "S." << t.Seite << " \"" << t.Text.toStdString() << "\" [" << t.Links << ", " << t.Oben
         << " - " << t.Rechts << "]";
}

// Words of one line that lie closer than half their height join into one text.
inline std::vector<TPdfText> LiesPdfText(const QString& pfad)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), pfad, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(20000) || pdftotext.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext -bbox " << pfad.toStdString() << " failed";
        return {};
    }
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression ausdruck(QStringLiteral(
        R"x(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)x"));
    std::vector<TPdfText> woerter;
    int seite = 0;
    for (auto it = ausdruck.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++seite;
            continue;
        }
        QString wort = m.captured(5);
        wort.replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&quot;"), QLatin1String("\""))
            .replace(QLatin1String("&amp;"), QLatin1String("&"));
        woerter.push_back({seite, wort, m.captured(1).toDouble() / 72,
                           m.captured(2).toDouble() / 72, m.captured(3).toDouble() / 72,
                           m.captured(4).toDouble() / 72});
    }
    std::sort(woerter.begin(), woerter.end(), [](const TPdfText& a, const TPdfText& b) {
        if (a.Seite != b.Seite)
            return a.Seite < b.Seite;
        if (std::abs(a.Oben - b.Oben) > 0.01)
            return a.Oben < b.Oben;
        return a.Links < b.Links;
    });
    std::vector<TPdfText> texte;
    for (const TPdfText& w : woerter) {
        if (!texte.empty()) {
            TPdfText& t = texte.back();
            if (t.Seite == w.Seite && std::abs(t.Oben - w.Oben) <= 0.01 &&
                w.Links - t.Rechts < (w.Unten - w.Oben) / 2) {
                t.Text += u' ' + w.Text;
                t.Rechts = w.Rechts;
                continue;
            }
        }
        texte.push_back(w);
    }
    return texte;
}

inline int PdfSeiten(const std::vector<TPdfText>& texte)
{
    return texte.empty() ? 0 : texte.back().Seite;
}

// The texts of one page whose top lies within [oben, unten) and which overlap [links, rechts].
inline std::vector<TPdfText> TexteIn(const std::vector<TPdfText>& texte, int seite, double links,
                                     double oben, double rechts, double unten)
{
    std::vector<TPdfText> ergebnis;
    for (const TPdfText& t : texte)
        if (t.Seite == seite && t.Oben >= oben && t.Oben < unten && t.Rechts > links &&
            t.Links < rechts)
            ergebnis.push_back(t);
    return ergebnis;
}
