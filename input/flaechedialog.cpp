// Simple catchment-area dialog: both values typed, zero allowed, errors shown by the dialog.
#include "input/flaechedialog.h"

#include "model/grenzen.h"
#include "model/zahlenformat.h"
#include "ui/fehlerwaechter.h"
#include "ui/meldung.h"
#include "ui/werkzeug.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace {
QString Bereichsmeldung(const TGrenze& grenze)
{
    return QStringLiteral("Bitte geben Sie einen Wert ") + Bereichstext(grenze) +
           QStringLiteral(" an.");
}

// A number in the range.
bool LiesImBereich(const QString& text, const TGrenze& grenze, long double& wert)
{
    const auto gelesen = zahl::Lies(text);
    if (!gelesen || !ImBereich(*gelesen, grenze))
        return false;
    wert = *gelesen + 0.0L; // "-0" counts as 0
    return true;
}
} // namespace

TfrmFlaecheDialog::TfrmFlaecheDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFlaecheDialog"));
    setWindowTitle(QStringLiteral("Auffangfläche hinzufügen"));
    FesterDialogRahmen(this, 242, 119);

    edFlaeche =
        BeschriftetesFeld(this, QStringLiteral("edFlaeche"), QStringLiteral("Auffangfläche (m²)"),
                          QRect(8, 12, 112, 21), QRect(124, 12, 110, 21));
    edFlaeche->setText(QStringLiteral("0"));
    edBeiwert =
        BeschriftetesFeld(this, QStringLiteral("edBeiwert"), QStringLiteral("Abflussbeiwert"),
                          QRect(8, 42, 112, 21), QRect(124, 42, 110, 21));
    edBeiwert->setText(QStringLiteral("0,8"));

    bTrenner = Trennlinie(this, QStringLiteral("bTrenner"), QRect(8, 75, 226, 2));

    btnOK = Knopf(this, "btnOK", QStringLiteral("&Hinzufügen"), QRect(68, 86, 80, 25));
    btnCancel = Knopf(this, "btnCancel", QStringLiteral("A&bbrechen"), QRect(154, 86, 80, 25));

    setTabOrder(edFlaeche, edBeiwert);
    setTabOrder(edBeiwert, btnOK);
    setTabOrder(btnOK, btnCancel);
    edFlaeche->setFocus();

    VerbindeBewacht(btnOK, &QPushButton::clicked, this, &TfrmFlaecheDialog::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    edFlaeche->installEventFilter(this);
    edBeiwert->installEventFilter(this);

    ZentriereAufBildschirm(this);
}

bool TfrmFlaecheDialog::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (IstEnterTaste(ereignis)) {
        if (objekt == edFlaeche) {
            Fokussiere(edBeiwert);
            return true;
        }
        if (objekt == edBeiwert) {
            btnOK->click();
            return true;
        }
    }
    return QDialog::eventFilter(objekt, ereignis);
}

void TfrmFlaecheDialog::btnOKClick()
{
    long double flaeche = 0;
    long double beiwert = 0;
    if (!LiesImBereich(edFlaeche->text(), grenzen::Flaeche, flaeche)) {
        Fokussiere(edFlaeche);
        ZeigeFehlermeldung(this, Bereichsmeldung(grenzen::Flaeche), QStringLiteral("Fehler"));
        return;
    }
    if (!LiesImBereich(edBeiwert->text(), grenzen::Anteil, beiwert)) {
        Fokussiere(edBeiwert);
        ZeigeFehlermeldung(this, Bereichsmeldung(grenzen::Anteil), QStringLiteral("Fehler"));
        return;
    }
    FFlaeche = flaeche;
    FBeiwert = beiwert;
    accept();
}
