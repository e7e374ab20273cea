// Answering modal windows in tests: each answer handles the next modal window that appears.
#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

using ModalAntwort = std::function<void(QWidget* fenster)>;

// Arm before the call that shows the window(s). Each answer is called once, for the next modal
// window that becomes active after the previous answer ran. The object must outlive the call.
class ModalFolge {
public:
    explicit ModalFolge(std::vector<ModalAntwort> antworten, int zeitlimitMs = 10000);
    ~ModalFolge();
    // Number of answers given so far.
    int Beantwortet() const { return m_naechste; }
    // The windows that were answered, in order (null once they are released).
    const std::vector<QPointer<QWidget>>& Fenster() const { return m_fenster; }

private:
    void Pruefe();
    std::vector<ModalAntwort> m_antworten;
    std::vector<QPointer<QWidget>> m_fenster;
    QPointer<QWidget> m_letztes;
    int m_naechste = 0;
    int m_verbleibendMs;
    QTimer m_timer;
};

// Convenience answers.
ModalAntwort Annehmen();
ModalAntwort Ablehnen();

template <typename T> T* FindeKind(QWidget* fenster, const char* name)
{
    return fenster->findChild<T*>(QString::fromLatin1(name));
}
