#pragma once
// A logged-on desk member (not a manager) with guest profiles, the lookup
// lists of the profile screen and helpers to drive its tabs.  Today is
// 2026/03/14.

#include "guests/Profiles.h"
#include "logbook/LogbookFixture.h"

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
        const QString column = RightsColumn(RightsArea::Profiles);
        const QString rights =
            env.db()
                .scalar("SELECT [" + column + "] FROM [ConciergePlus] WHERE [ConciergeID] = ?",
                        {staffId})
                .toString();
        env.db().exec("UPDATE [ConciergePlus] SET [" + column + "] = ? WHERE [ConciergeID] = ?",
                      {SetRightChar(rights, position, allowed), staffId});
    }

    // Runs `inside` on the next modal dialog once it is up (a dialog the
    // step did not open fails the test where it is used).
    template <class Dialog> void onDialog(std::function<void(Dialog&)> inside) {
        QTimer::singleShot(0, [inside] {
            auto* d = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
            if (!d) {
                ADD_FAILURE() << "no dialog came up";
                if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                    other->reject();
                return;
            }
            inside(*d);
            if (d->isVisible()) d->reject();
        });
    }
};

inline void typeInto(QObject& root, const QString& name, const QString& text) {
    auto* box = control<QLineEdit>(root, name);
    box->clear();
    QTest::keyClicks(box, text);
}

inline void choose(QObject& root, const QString& name, const QString& text) {
    auto* box = control<QComboBox>(root, name);
    const int at = box->findText(text);
    if (at < 0) throw std::runtime_error("no item " + text.toStdString());
    box->setCurrentIndex(at);
}

} // namespace vm::test
