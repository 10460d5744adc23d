#include "desk/MessagePoller.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "desk/MessageRules.h"

namespace vm {

MessagePoller::MessagePoller(AppContext& ctx, Seams seams)
    : m_ctx(ctx), m_seams(std::move(seams)) {}

namespace {
// Guests have no messages; nobody logged on has none either.
bool mayPoll(const AppContext& ctx) {
    return ctx.current && ctx.session.loggedOn() && !ctx.session.guest;
}
} // namespace

void MessagePoller::tick() {
    if (m_presenting || m_polling) return;
    const QDateTime now = m_ctx.clock().now();
    const bool due = m_retry || !m_lastPoll.isValid() || now < m_lastPoll ||
                     m_lastPoll.secsTo(now) >= MessagePollSeconds;
    if (due) poll(false);
}

int MessagePoller::retrieveNow() {
    if (m_presenting || m_polling) return m_count;
    return poll(true);
}

int MessagePoller::poll(bool everything) {
    m_lastPoll = m_ctx.clock().now();
    m_retry = false;
    if (!mayPoll(m_ctx)) {
        reset();
        return 0;
    }
    m_polling = true;
    try {
        m_member = m_ctx.session.name;
        updateCount();
        m_queue.clear();
        if (m_count > 0) {
            if (m_seams.mayPresentNow && !m_seams.mayPresentNow()) {
                // A dialog is open: try again at the next step of the timer.
                m_retry = true;
            } else {
                const bool urgentOnly = !everything && DoNotInterrupt(m_ctx);
                const QList<StaffMsg> due = urgentOnly ? GetDueUrgentMessages(m_ctx, m_member)
                                                       : GetDueMessages(m_ctx, m_member);
                for (const StaffMsg& m : due)
                    m_queue.push_back(m.timerId);
            }
        }
        m_errorShown = false;
    } catch (const DbError& e) {
        // The timer would repeat the same failure every few seconds.
        if (!m_errorShown) {
            m_errorShown = true;
            ReportError(m_ctx.prompt(), e, "GetDueMessages", "frmSearch", true);
        }
    }
    m_polling = false;
    const int count = m_count;
    presentNext();
    return count;
}

void MessagePoller::updateCount() {
    m_count = CountDueMessages(m_ctx, m_member);
    const bool quiet = GetBooleanSetting(m_ctx.db(), "NoMailMsg", &m_ctx.prompt());
    if (m_seams.showCaption) m_seams.showCaption(quiet ? QString() : MailCaption(m_count));
    if (m_seams.showCount) m_seams.showCount(m_count);
}

void MessagePoller::presentNext() {
    try {
        while (!m_queue.empty() && !m_presenting) {
            if (!mayPoll(m_ctx) || m_ctx.session.name != m_member) {
                m_queue.clear();
                return;
            }
            const qint64 id = m_queue.front();
            m_queue.pop_front();
            // Read again: another desk may have disposed of it or rewritten
            // its text (completed for everybody) since the list was read.
            const std::optional<StaffMsg> m = GetMessage(m_ctx, id);
            const QString now = Formats::StoredDateTime(m_ctx.clock().now());
            if (!m || m->logId == -1 || m->due > now ||
                m->recipient.compare(m_member, Qt::CaseInsensitive) != 0)
                continue;
            m_presenting = true;
            if (m_seams.present) m_seams.present(*m);
            return;
        }
    } catch (const DbError& e) {
        m_queue.clear();
        ReportError(m_ctx.prompt(), e, "GetMessage", "frmSearch", true);
    }
}

void MessagePoller::presenterClosed(bool disposed) {
    m_presenting = false;
    if (!disposed || !mayPoll(m_ctx) || m_ctx.session.name != m_member) {
        m_queue.clear();
        if (!mayPoll(m_ctx)) {
            reset();
            return;
        }
    }
    try {
        updateCount();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "CountDueMessages", "frmSearch", true);
    }
    if (m_queue.empty()) return;
    if (m_seams.mayPresentNow && !m_seams.mayPresentNow()) {
        m_queue.clear();
        m_retry = true;
        return;
    }
    presentNext();
}

void MessagePoller::reset() {
    m_queue.clear();
    m_lastPoll = QDateTime();
    m_retry = false;
    m_count = 0;
    m_member.clear();
    if (m_seams.showCaption) m_seams.showCaption(QString());
    if (m_seams.showCount) m_seams.showCount(0);
}

} // namespace vm
