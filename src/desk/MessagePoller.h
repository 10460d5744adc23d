#pragma once
// Polls for the logged-on member's due messages on the main window's timer,
// keeps the mail indicator's count and caption, and hands due messages to
// the presenter one at a time.  The presenter is a seam: the screen shows a
// message and reports back when it closed; nothing here waits for it, so the
// timer (and the idle log-off on it) keeps running while a message is shown.

#include "desk/Messages.h"

#include <deque>
#include <functional>

namespace vm {

class MessagePoller {
public:
    struct Seams {
        // False while something modal is on screen: presenting then waits.
        std::function<bool()> mayPresentNow;
        // Shows one message; presenterClosed() follows when it closes.
        std::function<void(const StaffMsg&)> present;
        // The main window caption's suffix ("" for none).
        std::function<void(const QString&)> showCaption;
        // The indicator's count changed.
        std::function<void(int)> showCount;
    };

    MessagePoller(AppContext& ctx, Seams seams);

    // One step of the timer: polls every MessagePollSeconds, and at every
    // step while due messages wait for a modal dialog to close.
    void tick();
    // Polls at once (the member asked): every due message is presented, the
    // urgent-only rule of do-not-interrupt members set aside.  Answers how
    // many are due; nothing happens while a message is being presented.
    int retrieveNow();
    // The presenter closed; `disposed` is false when it was ended without a
    // disposition (log-off), which ends this round of presenting.
    void presenterClosed(bool disposed);
    // A member logged on or off: start afresh, caption cleared.
    void reset();

    bool presenting() const { return m_presenting; }
    int dueCount() const { return m_count; }

private:
    int poll(bool everything);
    void updateCount();
    void presentNext();

    AppContext& m_ctx;
    Seams m_seams;
    QDateTime m_lastPoll;
    bool m_retry = false;
    bool m_polling = false;
    bool m_presenting = false;
    bool m_errorShown = false;
    int m_count = 0;
    QString m_member;
    std::deque<qint64> m_queue;
};

} // namespace vm
