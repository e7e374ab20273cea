// Result window of the fill-level simulation.
#include "simulation/fenster/simuauswertung.h"

#include "model/wirtschaftlichkeit.h"
#include "model/zahlenformat.h"
#include "ui/werkzeug.h"

#include <QLabel>
#include <QPushButton>

namespace {
// A value label right-aligned in front of its unit text.
QLabel* Wert(QWidget* eltern, const char* name, int y)
{
    QLabel* label = Text(eltern, name, QStringLiteral("0"), QRect(8, y, 41, 17));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QString Mittel(long double wert)
{
    return zahl::Fest(wert, 2, 6);
}
} // namespace

TfrmSimuAuswertung::TfrmSimuAuswertung(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSimuAuswertung"));
    setWindowTitle(QStringLiteral("Simulations-Auswertung"));
    FesterDialogRahmen(this, 327, 262 + 32);
    ZentriereAufBildschirm(this);

    Label1 =
        Fett(Text(this, "Label1", QStringLiteral("Die Simulation wurde erfolgreich abgeschlossen:"),
                  QRect(8, 8, 311, 17)));
    Label2 =
        Text(this, "Label2", QStringLiteral("Die Zisterne wird in einem Jahr durchschnittlich"),
             QRect(8, 40, 311, 17));
    lUeber = Wert(this, "lUeber", 64);
    Label6 = Text(this, "Label6", QStringLiteral("mal überlaufen und"), QRect(56, 64, 263, 17));
    lLeer = Wert(this, "lLeer", 88);
    Label4 = Text(this, "Label4", QStringLiteral("mal leerlaufen."), QRect(56, 88, 263, 17));
    Label7 = Text(this, "Label7",
                  QStringLiteral("Durchschnittlich muss jährlich folgende Wassermenge "
                                 "nachgespeist werden:"),
                  QRect(8, 124, 311, 34));
    Label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label7->setWordWrap(true);
    lFuell = Wert(this, "lFuell", 168);
    Label9 = Text(this, "Label9", QStringLiteral("m³"), QRect(56, 168, 263, 17));
    lAnteilLabel = Text(this, "lAnteilLabel",
                        QString::fromUtf16(Regenwasseranteil) + QStringLiteral(" am Bedarf:"),
                        QRect(8, 200, 311, 17));
    lAnteilLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lAnteil = Wert(this, "lAnteil", 224);
    lAnteilEinheit = Text(this, "lAnteilEinheit", QStringLiteral("%"), QRect(56, 224, 263, 17));
    for (QLabel* label : {lAnteilLabel, lAnteil})
        label->setToolTip(QString::fromUtf16(RegenwasseranteilErklaerung));
    lAnteil->setAccessibleName(QString::fromUtf16(Regenwasseranteil));

    btnOK = Knopf(this, "btnOK", QStringLiteral("&OK"), QRect(126, 224 + 32, 75, 25));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmSimuAuswertung::SetzeWerte(long double Empties, long double Overflows, long double MakeUp,
                                    long double Anteil)
{
    lLeer->setText(Mittel(Empties));
    lUeber->setText(Mittel(Overflows));
    lFuell->setText(Mittel(MakeUp));
    lAnteil->setText(zahl::Fest(Anteil * 100, 1, 6));
}

void TfrmSimuAuswertung::ShowResults(long double Empties, long double Overflows, long double MakeUp,
                                     long double Anteil)
{
    SetzeWerte(Empties, Overflows, MakeUp, Anteil);
    exec();
}
