// Item model over one TTabelle: the visible rows and chosen columns, as every grid shows them.
// All models and views of a table share its filter and its current row.
#pragma once

#include "refdata/tabelle.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

class TTabellenModell : public QAbstractTableModel {
    Q_OBJECT

public:
    // `spalten`: field names of the columns in order; empty means every field of the table.
    explicit TTabellenModell(TTabelle& tabelle, QStringList spalten = {},
                             QObject* eltern = nullptr);

    TTabelle& Tabelle() const { return m_tabelle; }
    // Field index of a column, -1 when the table has no field of that name.
    int FeldVonSpalte(int spalte) const;

    // Index of the first column of a visible row (invalid for -1 or out of range) and back.
    QModelIndex ZeileZuIndex(int zeile) const;
    static int IndexZuZeile(const QModelIndex& index) { return index.isValid() ? index.row() : -1; }
    QModelIndex AktuellerIndex() const
    {
        return m_tabelleWeg ? QModelIndex() : ZeileZuIndex(m_tabelle.AktuelleZeile());
    }
    // Makes the row of `index` the table's current row (what a view's selection reports).
    void SetzeAktuell(const QModelIndex& index);

    int rowCount(const QModelIndex& eltern = QModelIndex()) const override;
    int columnCount(const QModelIndex& eltern = QModelIndex()) const override;
    // DisplayRole: the display text; TextAlignmentRole: numbers right; UserRole: a value
    // of the field as a QVariant (floats as double, NULL invalid).
    QVariant data(const QModelIndex& index, int rolle = Qt::DisplayRole) const override;
    // Horizontal: the field's display label.
    QVariant headerData(int abschnitt, Qt::Orientation richtung,
                        int rolle = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The table's current row moved; `index` is its first column (invalid: no row).
    void AktuellerIndexGeaendert(const QModelIndex& index);

private:
    void ordneSpalten();

    TTabelle& m_tabelle;
    QStringList m_namen;
    std::vector<int> m_felder; // field of each column
    bool m_tabelleWeg = false; // the table is being destroyed
};
