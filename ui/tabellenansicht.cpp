// Read-only grids bound to the current row of a TTabelle.
#include "ui/tabellenansicht.h"

#include "refdata/tabellenmodell.h"

#include <QHeaderView>
#include <QItemSelectionModel>

QTableView* ErzeugeTabellenansicht(QWidget* eltern, const char* name, TTabelle& tabelle,
                                   std::initializer_list<TSpalte> spalten)
{
    QStringList felder;
    for (const TSpalte& s : spalten)
        felder << QString::fromLatin1(s.Feld);

    auto* ansicht = new QTableView(eltern);
    ansicht->setObjectName(QString::fromLatin1(name));
    auto* modell = new TTabellenModell(tabelle, felder, ansicht);
    ansicht->setModel(modell);
    ansicht->setSelectionBehavior(QAbstractItemView::SelectRows);
    ansicht->setSelectionMode(QAbstractItemView::SingleSelection);
    ansicht->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ansicht->setTabKeyNavigation(false);
    ansicht->verticalHeader()->setDefaultSectionSize(ansicht->fontMetrics().height() + 4);
    ansicht->verticalHeader()->setFixedWidth(12);
    ansicht->horizontalHeader()->setHighlightSections(false);
    int spalte = 0;
    for (const TSpalte& s : spalten)
        ansicht->setColumnWidth(spalte++, s.Breite);

    // The table's current row is shown as the selected row of every view.
    const auto zeigeAktuelle = [ansicht, modell] {
        const QModelIndex index = modell->AktuellerIndex();
        QItemSelectionModel* auswahl = ansicht->selectionModel();
        if (!index.isValid()) {
            auswahl->clear();
            return;
        }
        if (auswahl->currentIndex().row() != index.row())
            auswahl->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
        ansicht->scrollTo(index);
    };
    QObject::connect(modell, &TTabellenModell::AktuellerIndexGeaendert, ansicht, zeigeAktuelle);
    QObject::connect(modell, &QAbstractItemModel::modelReset, ansicht, zeigeAktuelle);
    QObject::connect(ansicht->selectionModel(), &QItemSelectionModel::currentRowChanged, modell,
                     [modell](const QModelIndex& neu) { modell->SetzeAktuell(neu); });
    zeigeAktuelle();
    return ansicht;
}

TTabellenModell* ModellVon(QTableView* ansicht)
{
    return qobject_cast<TTabellenModell*>(ansicht->model());
}
