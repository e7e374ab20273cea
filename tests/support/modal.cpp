// Timer-driven answers to modal windows.
#include "modal.h"

#include <QApplication>
#include <QDialog>

ModalFolge::ModalFolge(std::vector<ModalAntwort> antworten, int zeitlimitMs)
    : m_antworten(std::move(antworten)), m_verbleibendMs(zeitlimitMs)
{
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Pruefe(); });
    m_timer.start();
}

ModalFolge::~ModalFolge() = default;

void ModalFolge::Pruefe()
{
    m_verbleibendMs -= m_timer.interval();
    if (m_naechste >= static_cast<int>(m_antworten.size()) || m_verbleibendMs < 0) {
        // Nothing more to answer, or the window never came: close whatever is modal so that
        // a failing test does not hang.
        if (m_verbleibendMs < 0)
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                d->reject();
        if (m_naechste >= static_cast<int>(m_antworten.size()))
            m_timer.stop();
        return;
    }
    QWidget* fenster = QApplication::activeModalWidget();
    if (!fenster || fenster == m_letztes || !fenster->isVisible())
        return;
    m_letztes = fenster;
    m_fenster.emplace_back(fenster);
    m_antworten[static_cast<size_t>(m_naechste++)](fenster);
}

ModalAntwort Annehmen()
{
    return [](QWidget* f) {
        if (auto* d = qobject_cast<QDialog*>(f))
            d->accept();
    };
}

ModalAntwort Ablehnen()
{
    return [](QWidget* f) {
        if (auto* d = qobject_cast<QDialog*>(f))
            d->reject();
    };
}
