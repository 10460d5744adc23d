#pragma once
// A logged-on desk (the logbook fixture's) with every Profiles right, helpers to store profiles,
// indicator types and list values, and to work the modal dialogs a click opens.

#include "core/Rights.h"
#include "guests/Profiles.h"
#include "logbook/LogbookFixture.h"
#include "support/StaffRights.h"

#include <QApplication>
#include <QTimer>
#include <functional>

namespace vm::test {

class ProfileDesk : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        EnsureApplication();
        setRights(RightsArea::Profiles, QString(14, '1'));
        setRights(RightsArea::Tabs, ManagerRights(RightsArea::Tabs));
        setRights(RightsArea::Logbook, ManagerRights(RightsArea::Logbook));
    }
    void setRights(RightsArea area, const QString& rights) {
        env.db().exec("UPDATE [ConciergePlus] SET [" + RightsColumn(area) +
                          "] = ? WHERE [ConciergeID] = ?",
                      {rights, staffId});
    }
    void deny(const Right& right) { SetStaffRight(env.db(), staffId, right, false); }
    Profile sample(const QString& first, const QString& last) {
        Profile p;
        p.firstName = first;
        p.lastName = last;
        p.home.line1 = "1 Elm St";
        p.home.city = "Springfield";
        p.home.state = "IL";
        p.home.postalCode = "62701";
        p.email = first.toLower() + "@example.com";
        p.homePhone = "(217) 555-0101";
        return p;
    }
    qint64 addProfile(Profile p) { return InsertProfile(*env.ctx, p); }
    void addIndicatorType(const QString& name, bool isPrivate = false, int sequence = 10,
                          const QString& email = {}) {
        IndicatorType t;
        t.name = name;
        t.isPrivate = isPrivate;
        t.sequence = sequence;
        t.email = email;
        const QString refusal = AddIndicatorType(*env.ctx, t);
        ASSERT_TRUE(refusal.isEmpty()) << refusal.toStdString();
    }
    void addOther(const QString& type, const QString& value) {
        env.db().exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)",
                      {type, value});
    }
    // Runs `work` on the modal dialog the next click opens (checked by object name).
    void onModal(const QString& name, std::function<void(QWidget&)> work) {
        QTimer::singleShot(0, [name, work] {
            QWidget* d = QApplication::activeModalWidget();
            if (!d || d->objectName() != name) {
                ADD_FAILURE() << "no modal " << name.toStdString();
                if (d) d->close();
                return;
            }
            work(*d);
        });
    }
};

} // namespace vm::test
