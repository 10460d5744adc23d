#pragma once
// A logged-on desk on a fresh property with helpers for events.

#include "core/Databases.h"
#include "core/Formats.h"
#include "core/Rights.h"
#include "guests/EventLists.h"
#include "guests/Events.h"
#include "security/Logon.h"
#include "support/ScreenDriver.h"
#include "support/StaffRights.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QDir>
#include <stdexcept>

namespace vm::test {

// Clicks the button as the user does: a disabled one does nothing.
inline void click(const QObject& root, const QString& name) {
    auto* b = root.findChild<QAbstractButton*>(name);
    if (!b) throw std::runtime_error("no button named " + name.toStdString());
    b->click();
}

template <class T = QWidget> T* find(const QObject& root, const QString& name) {
    return screen::control<T>(root, name);
}

class EventsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        staffId = env.addStaff("Ann Desk", "ann", "AD");
        env.logOn(staffId);
    }

    // Events (and contacts) in the common database, as a property sharing them.
    void openShared() { env.openShared(); }

    // A stored day `offset` days from the clock's today ("" for none).
    QString day(int offset) { return Formats::StoredDate(env.clock.today().addDays(offset)); }

    qint64 addEvent(const QString& name, const QString& start, const QString& through = {},
                    const QString& type = "Concert", const QString& location = "Main Hall",
                    bool printOnList = true) {
        Event e;
        e.name = name;
        e.startingDate = start;
        e.throughDate = through;
        e.eventType = type;
        e.location = location;
        e.printOnList = printOnList;
        if (InsertEvent(*env.ctx, e) != EventSave::Saved)
            throw std::runtime_error("event not added: " + name.toStdString());
        return e.id;
    }

    // Grants or takes away one position of the member's Events rights.
    void grant(int position, bool allowed = true) {
        grant({RightsArea::Events, position}, allowed);
    }
    void grant(const Right& right, bool allowed = true) {
        SetStaffRight(env.db(), staffId, right, allowed);
    }

    static QStringList names(const std::vector<Event>& events) {
        QStringList out;
        for (const Event& e : events)
            out << e.name;
        return out;
    }

    TestEnv env;
    qint64 staffId = 0;
};

} // namespace vm::test
