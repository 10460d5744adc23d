#pragma once
// The windows a logged-on member has open on records and card data.  Record
// windows and card dialogs register here when they open; log-off closes every
// one of them, so the next member finds nothing of the last session on screen
// and cannot save through its windows.

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QTimer;
class QWidget;

namespace vm {

class AppContext;

class SessionWindows : public QObject {
    Q_OBJECT
public:
    explicit SessionWindows(QObject* parent = nullptr);
    ~SessionWindows() override;

    // Registers a window when it opens; one that closes by itself drops out.
    void track(QWidget* window);
    // The registered windows that still exist, oldest first.
    QList<QWidget*> windows() const;

    // Manual log-off: each window is asked to close, newest first, and asks
    // its own questions (save changes?).  A window that refuses stays open, as
    // do the older ones; the answer is then false.
    bool closeAll();

    // Idle log-off: nobody is there to answer, so every window closes without
    // a question and unsaved changes are dropped.  Open messages, questions
    // and other modal dialogs are ended first (they answer as if cancelled).
    // `then` runs once no code of a closed window is running any more: at once
    // when none was busy, else as soon as the dialogs have unwound.
    void discardAll(std::function<void()> then);

private:
    struct Entry {
        QPointer<QWidget> window;
        int level = 0;         // event-loop depth when it opened
        bool deleteIt = false; // it was meant to go with its close
    };
    void prune();
    void retire(Entry e);
    void settle();

    std::vector<Entry> m_open;
    std::vector<Entry> m_retired;
    std::vector<std::function<void()>> m_then;
    int m_thenLevel = 0;
    QTimer* m_settle = nullptr;
};

// Registers `window` with the main window's registry; with none (a screen used
// on its own, as in some tests) nothing happens.
void TrackSessionWindow(AppContext& ctx, QWidget* window);

} // namespace vm
