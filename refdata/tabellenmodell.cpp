// Qt item model adapter over TTabelle.
#include "refdata/tabellenmodell.h"

TTabellenModell::TTabellenModell(TTabelle& tabelle, QStringList spalten, QObject* eltern)
    : QAbstractTableModel(eltern), m_tabelle(tabelle), m_namen(std::move(spalten))
{
    ordneSpalten();
    connect(&m_tabelle, &TTabelle::ZuruecksetzenBeginnt, this, &TTabellenModell::beginResetModel);
    connect(&m_tabelle, &TTabelle::Zurueckgesetzt, this, [this] {
        ordneSpalten();
        endResetModel();
    });
    connect(&m_tabelle, &TTabelle::WertGeaendert, this, [this](int zeile, int feld) {
        for (size_t s = 0; s < m_felder.size(); ++s)
            if (m_felder[s] == feld) {
                const QModelIndex i = index(zeile, static_cast<int>(s));
                emit dataChanged(i, i);
            }
    });
    connect(&m_tabelle, &TTabelle::AktuelleZeileGeaendert, this,
            [this](int zeile) { emit AktuellerIndexGeaendert(ZeileZuIndex(zeile)); });
    connect(&m_tabelle, &QObject::destroyed, this, [this] {
        m_tabelleWeg = true;
        beginResetModel();
        m_felder.clear();
        endResetModel();
    });
}

void TTabellenModell::ordneSpalten()
{
    m_felder.clear();
    if (m_namen.isEmpty()) {
        for (int i = 0; i < m_tabelle.FeldAnzahl(); ++i)
            m_felder.push_back(i);
        return;
    }
    for (const QString& name : m_namen)
        m_felder.push_back(m_tabelle.FeldIndex(name));
}

int TTabellenModell::FeldVonSpalte(int spalte) const
{
    return spalte >= 0 && spalte < columnCount() ? m_felder[static_cast<size_t>(spalte)] : -1;
}

QModelIndex TTabellenModell::ZeileZuIndex(int zeile) const
{
    if (zeile < 0 || zeile >= rowCount() || columnCount() == 0)
        return {};
    return index(zeile, 0);
}

void TTabellenModell::SetzeAktuell(const QModelIndex& index)
{
    if (!m_tabelleWeg && index.isValid() && index.model() == this)
        m_tabelle.SetzeAktuelleZeile(index.row());
}

int TTabellenModell::rowCount(const QModelIndex& eltern) const
{
    return eltern.isValid() || m_felder.empty() ? 0 : m_tabelle.Anzahl();
}

int TTabellenModell::columnCount(const QModelIndex& eltern) const
{
    return eltern.isValid() ? 0 : static_cast<int>(m_felder.size());
}

QVariant TTabellenModell::data(const QModelIndex& index, int rolle) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int feld = m_felder[static_cast<size_t>(index.column())];
    if (feld < 0)
        return {};
    switch (rolle) {
    case Qt::DisplayRole:
        return m_tabelle.Anzeigetext(index.row(), feld);
    case Qt::TextAlignmentRole: {
        const TWertArt art = WertArtVon(m_tabelle.Feld(feld).Typ);
        const bool zahl = (art == TWertArt::Ganzzahl || art == TWertArt::Gleitkomma) &&
                          !IstDatumstyp(m_tabelle.Feld(feld).Typ);
        return QVariant::fromValue(
            Qt::Alignment((zahl ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    case Qt::UserRole: {
        const TWert& w = m_tabelle.Wert(index.row(), feld);
        if (const auto* g = std::get_if<long double>(&w))
            return static_cast<double>(*g);
        if (const auto* i = std::get_if<qint64>(&w))
            return *i;
        if (const auto* b = std::get_if<bool>(&w))
            return *b;
        if (const auto* t = std::get_if<QString>(&w))
            return *t;
        if (const auto* d = std::get_if<QByteArray>(&w))
            return *d;
        return {};
    }
    default:
        return {};
    }
}

QVariant TTabellenModell::headerData(int abschnitt, Qt::Orientation richtung, int rolle) const
{
    if (richtung != Qt::Horizontal || rolle != Qt::DisplayRole || abschnitt < 0 ||
        abschnitt >= columnCount())
        return {};
    const int feld = m_felder[static_cast<size_t>(abschnitt)];
    if (feld < 0)
        return m_namen.value(abschnitt);
    return m_tabelle.Feld(feld).Beschriftung();
}

Qt::ItemFlags TTabellenModell::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
