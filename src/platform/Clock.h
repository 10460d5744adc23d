#pragma once
#include <QDateTime>

namespace vm {

// "Now" for every rule that depends on the date or the time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that stands still until told to move (tests, replays).
class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime t = QDateTime(QDate(2026, 3, 14), QTime(9, 30))) : m_now(t) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& t) { m_now = t; }
    void advanceSecs(qint64 s) { m_now = m_now.addSecs(s); }
    void advanceDays(qint64 d) { m_now = m_now.addDays(d); }

private:
    QDateTime m_now;
};

} // namespace vm
