#include "security/forms/IdleLogoff.h"

#include <QEvent>

namespace vm {

IdleLogoff::IdleLogoff(AppContext& ctx, std::function<bool()> warn, std::function<void()> logoff,
                       QObject* parent)
    : QObject(parent), m_ctx(ctx), m_warn(std::move(warn)), m_logoff(std::move(logoff)),
      m_last(ctx.clock().now()) {}

void IdleLogoff::resetActivity() {
    m_last = m_ctx.clock().now();
    m_warned = false;
}

qint64 IdleLogoff::idleMinutes() const {
    return m_ctx.clock().now().toSecsSinceEpoch() / 60 - m_last.toSecsSinceEpoch() / 60;
}

void IdleLogoff::tick() {
    if (m_busy || !m_ctx.globals.security5 || !m_ctx.session.loggedOn()) {
        if (!m_ctx.session.loggedOn()) resetActivity();
        return;
    }
    const int limit = m_ctx.globals.inactiveMinutes;
    if (limit < 1) return;
    const qint64 minutes = idleMinutes();
    m_busy = true;
    if (minutes == limit && !m_warned) {
        m_warned = true;
        if (m_warn && m_warn()) resetActivity();
    } else if (minutes > limit) {
        if (m_logoff) m_logoff();
        resetActivity();
    }
    m_busy = false;
}

bool IdleLogoff::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        m_last = m_ctx.clock().now();
        m_warned = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, e);
}

} // namespace vm
