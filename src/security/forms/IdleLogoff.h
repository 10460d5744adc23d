#pragma once
// Logs the member off after InactiveMinutes without activity (switch
// Security5), with a warning at the last minute.  Any key or mouse action
// anywhere in the program counts as activity.

#include "core/AppContext.h"

#include <QObject>
#include <functional>

namespace vm {

class IdleLogoff : public QObject {
    Q_OBJECT
public:
    // `warn` shows the warning modally and answers whether the member responded;
    // `logoff` logs the member off (the main window restores itself first).
    IdleLogoff(AppContext& ctx, std::function<bool()> warn, std::function<void()> logoff,
               QObject* parent = nullptr);

    // One step of the main window's timer.
    void tick();
    void resetActivity();
    // Minute boundaries crossed since the last activity.
    qint64 idleMinutes() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    AppContext& m_ctx;
    std::function<bool()> m_warn;
    std::function<void()> m_logoff;
    QDateTime m_last;
    bool m_warned = false;
    bool m_busy = false;
};

} // namespace vm
