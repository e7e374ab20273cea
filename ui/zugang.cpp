// Accessible interfaces for the sliders and page buttons, made by one factory.
#include "ui/zugang.h"

#include "model/zahlenformat.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QSlider>

#include <algorithm>
#include <cmath>

namespace {
const char* const EinheitMerkmal = "zugangEinheit";
const char* const FaktorMerkmal = "zugangFaktor";
const char* const VersatzMerkmal = "zugangVersatz";
const char* const StellenMerkmal = "zugangStellen";
const char* const SeitenknopfMerkmal = "zugangSeitenknopf";
const char* const SeitenlisteMerkmal = "zugangSeitenliste";
const char* const BeschriftungMerkmal = "zugangBeschriftung";

class TReglerZugang : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit TReglerZugang(QSlider* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType art) override
    {
        if (art == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(art);
    }

    QString text(QAccessible::Text art) const override
    {
        if (art != QAccessible::Value)
            return QAccessibleWidget::text(art);
        return zahl::Fest(Wert(regler()->value()), Stellen(), 18) + QLatin1Char(' ') +
               regler()->property(EinheitMerkmal).toString();
    }

    QVariant currentValue() const override { return Wert(regler()->value()); }
    void setCurrentValue(const QVariant& wert) override
    {
        regler()->setValue(static_cast<int>(std::lround((wert.toDouble() - Versatz()) / Faktor())));
    }
    QVariant maximumValue() const override
    {
        return std::max(Wert(regler()->minimum()), Wert(regler()->maximum()));
    }
    QVariant minimumValue() const override
    {
        return std::min(Wert(regler()->minimum()), Wert(regler()->maximum()));
    }
    QVariant minimumStepSize() const override { return std::abs(Faktor()); }

private:
    QSlider* regler() const { return static_cast<QSlider*>(widget()); }
    double Faktor() const { return regler()->property(FaktorMerkmal).toDouble(); }
    double Versatz() const { return regler()->property(VersatzMerkmal).toDouble(); }
    int Stellen() const { return regler()->property(StellenMerkmal).toInt(); }
    double Wert(int position) const { return Faktor() * position + Versatz(); }
};

class TSeitenknopfZugang : public QAccessibleWidget {
public:
    explicit TSeitenknopfZugang(QAbstractButton* knopf)
        : QAccessibleWidget(knopf, QAccessible::PageTab)
    {
    }

    QString text(QAccessible::Text art) const override
    {
        if (art == QAccessible::Name && knopf()->accessibleName().isEmpty())
            return QString(knopf()->text()).remove(QLatin1Char('&'));
        return QAccessibleWidget::text(art);
    }

    QAccessible::State state() const override
    {
        QAccessible::State zustand = QAccessibleWidget::state();
        zustand.selectable = true;
        zustand.selected = knopf()->isChecked();
        zustand.checkable = false;
        zustand.checked = false;
        return zustand;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& aktion) override
    {
        if (aktion == pressAction() && knopf()->isEnabled())
            knopf()->click();
    }

private:
    QAbstractButton* knopf() const { return static_cast<QAbstractButton*>(widget()); }
};

class TSeitenlisteZugang : public QAccessibleWidget {
public:
    explicit TSeitenlisteZugang(QWidget* gruppe)
        : QAccessibleWidget(gruppe, QAccessible::PageTabList)
    {
    }
};

QAccessibleInterface* Fabrik(const QString&, QObject* objekt)
{
    if (!objekt || !objekt->isWidgetType())
        return nullptr;
    if (auto* slider = qobject_cast<QSlider*>(objekt);
        slider && slider->property(EinheitMerkmal).isValid())
        return new TReglerZugang(slider);
    if (auto* knopf = qobject_cast<QAbstractButton*>(objekt);
        knopf && knopf->property(SeitenknopfMerkmal).toBool())
        return new TSeitenknopfZugang(knopf);
    if (objekt->property(SeitenlisteMerkmal).toBool())
        return new TSeitenlisteZugang(static_cast<QWidget*>(objekt));
    return nullptr;
}

void RichteFabrikEin()
{
    static const bool eingerichtet = [] {
        QAccessible::installFactory(Fabrik);
        return true;
    }();
    (void)eingerichtet;
}

// An interface made before the object was marked is dropped, so that the next one comes from
// the factory.
template <typename T> void ErneuereZugang(QObject* objekt)
{
    if (QAccessibleInterface* alt = QAccessible::queryAccessibleInterface(objekt);
        alt && !dynamic_cast<T*>(alt))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(alt));
}
} // namespace

void SprichInEinheit(QSlider* slider, double faktor, double versatz, const QString& einheit,
                     int stellen)
{
    RichteFabrikEin();
    slider->setProperty(FaktorMerkmal, faktor);
    slider->setProperty(VersatzMerkmal, versatz);
    slider->setProperty(StellenMerkmal, stellen);
    slider->setProperty(EinheitMerkmal, einheit);
    ErneuereZugang<TReglerZugang>(slider);
}

void AlsSeitenliste(QWidget* gruppe, const QString& name)
{
    RichteFabrikEin();
    gruppe->setProperty(SeitenlisteMerkmal, true);
    ErneuereZugang<TSeitenlisteZugang>(gruppe);
    gruppe->setAccessibleName(name);
}

void AlsSeitenknopf(QAbstractButton* knopf)
{
    RichteFabrikEin();
    knopf->setProperty(SeitenknopfMerkmal, true);
    ErneuereZugang<TSeitenknopfZugang>(knopf);
}

void AlsErgebnis(QLabel* wert, const QString& beschriftung, const QString& einheit)
{
    wert->setProperty(BeschriftungMerkmal, beschriftung);
    wert->setProperty(EinheitMerkmal, einheit);
    ZeigeErgebnis(wert, wert->text());
}

void ZeigeErgebnis(QLabel* wert, const QString& text)
{
    wert->setText(text);
    const QString name = wert->property(BeschriftungMerkmal).toString() + QLatin1Char(' ') + text +
                         QLatin1Char(' ') + wert->property(EinheitMerkmal).toString();
    // Setting the name announces it.
    if (wert->accessibleName() != name)
        wert->setAccessibleName(name);
}
