#include "platform/forms/SessionWindows.h"

#include "core/AppContext.h"

#include <QApplication>
#include <QDialog>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace vm {

namespace {

// How many event loops are running: a window's own code can only be on the
// stack while the loop depth is above the depth at which it opened.
int loopLevel() {
    return QThread::currentThread()->loopLevel();
}

// Closes a window without its close question: a dialog ends as cancelled
// (the base class's done(), so a dialog that insists on an answer ends too),
// any other window is hidden.  Ending a dialog also ends its exec().
void dismiss(QWidget* w) {
    if (auto* d = qobject_cast<QDialog*>(w)) d->QDialog::done(QDialog::Rejected);
    if (w->isVisible()) w->hide();
}

// Ends every modal dialog on screen (messages, questions, card dialogs); each
// exec() returns to its caller as cancelled.  Answers how many there were.
int endModals() {
    int ended = 0;
    for (; ended < 32; ++ended) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) break;
        dismiss(modal);
    }
    return ended;
}

} // namespace

SessionWindows::SessionWindows(QObject* parent) : QObject(parent) {
    setObjectName("SessionWindows");
    m_settle = new QTimer(this);
    m_settle->setSingleShot(true);
    m_settle->setInterval(50);
    connect(m_settle, &QTimer::timeout, this, &SessionWindows::settle);
}

SessionWindows::~SessionWindows() = default;

void SessionWindows::prune() {
    m_open.erase(
        std::remove_if(m_open.begin(), m_open.end(), [](const Entry& e) { return !e.window; }),
        m_open.end());
}

void SessionWindows::track(QWidget* window) {
    if (!window) return;
    prune();
    for (const Entry& e : m_open)
        if (e.window == window) return;
    m_open.push_back(Entry{window, loopLevel(), false});
}

QList<QWidget*> SessionWindows::windows() const {
    QList<QWidget*> out;
    for (const Entry& e : m_open)
        if (e.window) out << e.window.data();
    return out;
}

bool SessionWindows::closeAll() {
    prune();
    while (!m_open.empty()) {
        Entry e = m_open.back();
        QWidget* w = e.window.data();
        if (!w) {
            m_open.pop_back();
            continue;
        }
        // Deleted later by settle(): its close may run inside its own code.
        e.deleteIt = w->testAttribute(Qt::WA_DeleteOnClose);
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        const bool closed = w->close();
        if (e.window && !closed) {
            w->setAttribute(Qt::WA_DeleteOnClose, e.deleteIt);
            settle();
            return false;
        }
        m_open.pop_back();
        retire(e);
    }
    settle();
    return true;
}

void SessionWindows::discardAll(std::function<void()> then) {
    prune();
    // The dialogs ended here return into the code that opened them; `then`
    // waits until that code has run out.
    int level = std::max(0, loopLevel() - endModals());
    while (!m_open.empty()) {
        Entry e = m_open.back();
        m_open.pop_back();
        QWidget* w = e.window.data();
        if (!w) continue;
        e.deleteIt = w->testAttribute(Qt::WA_DeleteOnClose);
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        dismiss(w);
        level = std::min(level, e.level);
        retire(e);
    }
    if (then) {
        m_thenLevel = m_then.empty() ? level : std::min(m_thenLevel, level);
        m_then.push_back(std::move(then));
    }
    settle();
}

void SessionWindows::retire(Entry e) {
    if (e.deleteIt && e.window) m_retired.push_back(e);
}

void SessionWindows::settle() {
    const int level = loopLevel();
    for (auto it = m_retired.begin(); it != m_retired.end();) {
        if (!it->window) {
            it = m_retired.erase(it);
        } else if (level <= it->level) {
            it->window->deleteLater();
            it = m_retired.erase(it);
        } else {
            ++it;
        }
    }
    if (!m_then.empty()) {
        if (level <= m_thenLevel) {
            const auto then = std::move(m_then);
            m_then.clear();
            for (const auto& f : then)
                f();
        } else {
            // Code still unwinding may ask more; nobody is there to answer.
            endModals();
        }
    }
    if (!m_retired.empty() || !m_then.empty()) m_settle->start();
}

void TrackSessionWindow(AppContext& ctx, QWidget* window) {
    if (ctx.sessionWindows) ctx.sessionWindows->track(window);
}

} // namespace vm
