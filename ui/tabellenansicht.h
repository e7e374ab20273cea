// Read-only grids on a TTabelle: whole-row selection that follows and moves the table's
// current row, shared with every other view of the same table.
#pragma once

#include <QStringList>
#include <QTableView>
#include <initializer_list>

class TTabelle;
class TTabellenModell;

struct TSpalte {
    const char* Feld;
    int Breite; // pixels
};

// A grid named `name` showing the given columns of `tabelle`; its model is a child of the view.
// Selecting a row makes it the table's current row; a current row moved elsewhere is selected
// here.
QTableView* ErzeugeTabellenansicht(QWidget* eltern, const char* name, TTabelle& tabelle,
                                   std::initializer_list<TSpalte> spalten);

// The model behind a grid made by ErzeugeTabellenansicht.
TTabellenModell* ModellVon(QTableView* ansicht);
