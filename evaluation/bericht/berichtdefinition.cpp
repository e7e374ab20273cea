// Reading report definitions from JSON.
#include "evaluation/bericht/berichtdefinition.h"

#include "model/fehler.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

class TLeser {
public:
    explicit TLeser(QString quelle) : m_quelle(std::move(quelle)) {}

    [[noreturn]] void Fehler(const QString& text) const
    {
        const QString name = m_quelle.isEmpty() ? QString() : u' ' + m_quelle;
        throw EFehler(QStringLiteral("Fehler in der Berichtsdefinition%1: %2").arg(name, text));
    }

    double Zahl(const QJsonObject& o, const char* name, std::optional<double> vorgabe = {}) const
    {
        const QJsonValue v = o.value(QLatin1String(name));
        if (v.isUndefined() && vorgabe)
            return *vorgabe;
        if (!v.isDouble() || v.toDouble() < 0)
            Fehler(QStringLiteral("\"%1\" muss eine Zahl >= 0 sein").arg(QLatin1String(name)));
        return v.toDouble();
    }

    QString Text(const QJsonObject& o, const char* name) const
    {
        const QJsonValue v = o.value(QLatin1String(name));
        if (!v.isString() || v.toString().isEmpty())
            Fehler(QStringLiteral("\"%1\" fehlt").arg(QLatin1String(name)));
        return v.toString();
    }

    QJsonArray Liste(const QJsonObject& o, const char* name) const
    {
        const QJsonValue v = o.value(QLatin1String(name));
        if (v.isUndefined())
            return {};
        if (!v.isArray())
            Fehler(QStringLiteral("\"%1\" muss eine Liste sein").arg(QLatin1String(name)));
        return v.toArray();
    }

    QJsonObject Objekt(const QJsonValue& v) const
    {
        if (!v.isObject())
            Fehler(QStringLiteral("ein Element ist kein Objekt"));
        return v.toObject();
    }

    TBerichtElement Element(const QJsonObject& o, bool imBand) const
    {
        if (o.contains(QLatin1String("linie"))) {
            const QJsonArray p = o.value(QLatin1String("linie")).toArray();
            if (p.size() != 4 ||
                !std::all_of(p.begin(), p.end(), [](const QJsonValue& v) { return v.isDouble(); }))
                Fehler(QStringLiteral("\"linie\" braucht vier Zahlen"));
            return TBerichtLinie{p[0].toDouble(), p[1].toDouble(), p[2].toDouble(), p[3].toDouble(),
                                 Zahl(o, "staerke", 1.0)};
        }
        TBerichtText t;
        if (o.contains(QLatin1String("feld"))) {
            const QString feld = Text(o, "feld");
            const qsizetype punkt = feld.indexOf(u'.');
            if (imBand) {
                if (punkt >= 0)
                    Fehler(QStringLiteral("das Feld %1 eines Bandes nennt eine Tabelle").arg(feld));
                t.Feld = feld;
            } else {
                if (punkt <= 0 || punkt == feld.size() - 1)
                    Fehler(QStringLiteral("das Feld %1 braucht die Form Tabelle.Feld").arg(feld));
                t.Tabelle = feld.left(punkt);
                t.Feld = feld.mid(punkt + 1);
            }
        } else if (o.value(QLatin1String("text")).isString()) {
            t.Text = o.value(QLatin1String("text")).toString();
        } else {
            Fehler(QStringLiteral("ein Element ist weder Text noch Feld noch Linie"));
        }
        t.Links = Zahl(o, "links");
        t.Oben = Zahl(o, "oben");
        t.Breite = Zahl(o, "breite");
        t.Schrift = {m_schrift, Zahl(o, "groesse", 10.0), o.value(QLatin1String("fett")).toBool()};
        t.JedeSeite = o.value(QLatin1String("jede_seite")).toBool();
        if (t.Schrift.Groesse <= 0)
            Fehler(QStringLiteral("\"groesse\" muss größer als 0 sein"));
        const QString ausrichtung =
            o.value(QLatin1String("ausrichtung")).toString(QStringLiteral("links"));
        if (ausrichtung == u"links")
            t.Ausrichtung = TAusrichtung::Links;
        else if (ausrichtung == u"rechts")
            t.Ausrichtung = TAusrichtung::Rechts;
        else if (ausrichtung == u"zentriert")
            t.Ausrichtung = TAusrichtung::Zentriert;
        else
            Fehler(QStringLiteral("unbekannte Ausrichtung \"%1\"").arg(ausrichtung));
        return t;
    }

    std::vector<TBerichtElement> Elemente(const QJsonArray& liste) const
    {
        std::vector<TBerichtElement> ergebnis;
        for (const QJsonValue& v : liste)
            ergebnis.push_back(Element(Objekt(v), false));
        return ergebnis;
    }

    TBerichtBereich Bereich(const QJsonObject& o) const
    {
        TBerichtBereich b;
        b.Tabelle = Text(o, "tabelle");
        b.Links = Zahl(o, "links");
        b.Oben = Zahl(o, "oben");
        b.Breite = Zahl(o, "breite");
        b.Hoehe = Zahl(o, "hoehe");
        b.Bandhoehe = Zahl(o, "bandhoehe");
        if (b.Bandhoehe <= 0)
            Fehler(QStringLiteral("\"bandhoehe\" muss größer als 0 sein"));
        b.Kopf = Elemente(Liste(o, "kopf"));
        for (const QJsonValue& v : Liste(o, "band")) {
            TBerichtElement e = Element(Objekt(v), true);
            if (!std::holds_alternative<TBerichtText>(e))
                Fehler(QStringLiteral("ein Band enthält nur Texte und Felder"));
            b.Band.push_back(std::get<TBerichtText>(std::move(e)));
        }
        return b;
    }

    QString m_quelle;
    QString m_schrift = QStringLiteral("Arial");
};

} // namespace

int TBerichtBereich::Zeilen() const
{
    // In binary floating point 0.6 / 0.2 is a hair below 3.
    return std::max(1, static_cast<int>(std::floor(Hoehe / Bandhoehe + 1e-9)));
}

QStringList TBerichtDefinition::Tabellen() const
{
    QStringList namen;
    for (const TBerichtElement& e : Elemente)
        if (const auto* t = std::get_if<TBerichtText>(&e); t && t->IstDatenfeld())
            if (!namen.contains(t->Tabelle))
                namen.append(t->Tabelle);
    for (const TBerichtBereich& b : Bereiche)
        if (!namen.contains(b.Tabelle))
            namen.append(b.Tabelle);
    return namen;
}

TBerichtDefinition LiesBerichtDefinition(const QByteArray& json)
{
    QJsonParseError fehler;
    const QJsonDocument dokument = QJsonDocument::fromJson(json, &fehler);
    TLeser leser(QString{});
    if (fehler.error != QJsonParseError::NoError)
        leser.Fehler(
            QStringLiteral("%1 bei Zeichen %2").arg(fehler.errorString()).arg(fehler.offset));
    if (!dokument.isObject())
        leser.Fehler(QStringLiteral("kein JSON-Objekt"));
    const QJsonObject wurzel = dokument.object();

    TBerichtDefinition d;
    d.Name = leser.Text(wurzel, "name");
    leser.m_quelle = d.Name;
    if (wurzel.contains(QLatin1String("schrift")))
        leser.m_schrift = leser.Text(wurzel, "schrift");
    const QJsonObject seite = wurzel.value(QLatin1String("seite")).toObject();
    d.Seitenbreite = leser.Zahl(seite, "breite", 8.5);
    d.Seitenhoehe = leser.Zahl(seite, "hoehe", 11.0);
    if (d.Seitenbreite <= 0 || d.Seitenhoehe <= 0)
        leser.Fehler(QStringLiteral("die Seite hat keine Fläche"));
    d.Elemente = leser.Elemente(leser.Liste(wurzel, "elemente"));
    if (wurzel.contains(QLatin1String("seitenfuss"))) {
        const TBerichtElement fuss =
            leser.Element(leser.Objekt(wurzel.value(QLatin1String("seitenfuss"))), false);
        const auto* text = std::get_if<TBerichtText>(&fuss);
        if (!text || text->IstDatenfeld())
            leser.Fehler(QStringLiteral("\"seitenfuss\" muss ein Text sein"));
        d.Seitenfuss = *text;
    }
    for (const QJsonValue& v : leser.Liste(wurzel, "bereiche"))
        d.Bereiche.push_back(leser.Bereich(leser.Objekt(v)));
    return d;
}

TBerichtDefinition LadeBerichtDefinition(const QString& pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        throw EFehler(
            QStringLiteral("Die Berichtsdefinition %1 kann nicht gelesen werden").arg(pfad));
    return LiesBerichtDefinition(datei.readAll());
}
