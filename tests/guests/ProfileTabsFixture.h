#pragma once
// A logged-on desk member (not a manager) with guest profiles, the lookup
// lists of the profile screen and helpers to drive its tabs.  Today is
// 2026/03/14.

#include "guests/Profiles.h"
#include "logbook/LogbookFixture.h"
#include "support/StaffRights.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

namespace vm::test {

class ProfileTabsFixture : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        EnsureApplication();
        for (const char* t : {"Telephone", "Letter", "Email"})
            addOther("Contacted", t);
        for (const char* r : {"Booked", "No Answer"})
            addOther("Result", r);
    }

    void addOther(const QString& type, const QString& value) {
        env.db().exec("INSERT INTO [Other]([OtherType], [OtherValue]) VALUES(?, ?)", {type, value});
    }

    qint64 profile(const QString& first, const QString& last) {
        Profile p;
        p.firstName = first;
        p.lastName = last;
        return InsertProfile(*env.ctx, p);
    }
    Profile load(qint64 id) {
        auto p = GetProfile(*env.ctx, id);
        if (!p) throw std::runtime_error("no such profile");
        return *p;
    }

    void indicatorType(const QString& name, int sequence, const QString& hint = {},
                       bool isPrivate = false) {
        IndicatorType t;
        t.name = name;
        t.sequence = sequence;
        t.hint = hint;
        t.isPrivate = isPrivate;
        if (const QString refusal = AddIndicatorType(*env.ctx, t); !refusal.isEmpty())
            throw std::runtime_error("type not added: " + refusal.toStdString());
    }

    // Grants or takes away one position of the member's Profiles rights.
    void grantProfiles(int position, bool allowed) {
        SetStaffRight(env.db(), staffId, {RightsArea::Profiles, position}, allowed);
    }
};

inline void typeInto(QObject& root, const QString& name, const QString& text) {
    screen::type(root, name, text);
}
using screen::choose;

} // namespace vm::test
