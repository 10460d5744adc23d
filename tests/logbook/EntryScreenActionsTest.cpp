#include "LogbookFixture.h"

#include "core/Rights.h"
#include "logbook/EntryRules.h"
#include "logbook/NotifiedValues.h"
#include "logbook/forms/LogbookPanel.h"
#include "logbook/forms/NotifiedValuesDialog.h"
#include "logbook/forms/frmLogbook.h"
#include "platform/forms/DataGrid.h"
#include "security/CardStore.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

using namespace vm;
using namespace vm::test;

class EntryScreenActions : public LogbookFixture {
protected:
    // Runs `drive` on the list editor once the entry screen has opened it.
    void onEditor(frmLogbook& f, std::function<void(NotifiedValuesDialog&)> drive) {
        QTimer::singleShot(0, &f, [&f, drive] {
            auto* d = f.findChild<NotifiedValuesDialog*>();
            EXPECT_NE(d, nullptr);
            if (!d) return;
            drive(*d);
            d->accept();
        });
    }
    static void select(NotifiedValuesDialog& d, const QString& value) {
        const auto found = d.lstOther->findItems(value, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << value.toStdString();
        d.lstOther->setCurrentItem(found.first());
    }
    static QStringList items(const QComboBox* box) {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
    LogbookScreenHooks hooks;
};

TEST_F(EntryScreenActions, NotificationListNeedsTheRightAndTheEntryFollowsARename) {
    category("Dining");
    InsertNotifiedValue(env.db(), "Phone");
    LogEntry e = entry("Smith", "Dining", "2026/03/14");
    e.notified = "Phone";
    const qint64 id = add(e);
    frmLogbook f(*env.ctx, hooks, id);

    grant(17, false);
    click(f, "cmdOther");
    EXPECT_EQ(env.prompt.last(), MsgMaintainNotifications);
    EXPECT_EQ(f.findChild<NotifiedValuesDialog*>(), nullptr);

    grant(17);
    env.prompt.clear();
    onEditor(f, [&](NotifiedValuesDialog& d) {
        EXPECT_EQ(d.windowTitle(), NotifiedListTitle);
        QTest::keyClicks(d.txtOtherValue, "Doorman");
        QTest::mouseClick(d.cmdAdd, Qt::LeftButton);
        d.txtOtherValue->setText("doorman");
        QTest::mouseClick(d.cmdAdd, Qt::LeftButton);
        EXPECT_EQ(env.prompt.last(), MsgValueExists);
        select(d, "Phone");
        d.txtOtherValue->setText("Telephone");
        QTest::mouseClick(d.cmdChange, Qt::LeftButton);
        // In use by the entry: refused before any question.
        select(d, "Telephone");
        QTest::mouseClick(d.cmdDelete, Qt::LeftButton);
        EXPECT_EQ(env.prompt.last(), NotifiedInUseMessage(1));
        // Renamed twice in one visit: the entry follows to the last name.
        d.txtOtherValue->setText("Room phone");
        QTest::mouseClick(d.cmdChange, Qt::LeftButton);
        select(d, "Doorman");
        env.prompt.answer(Answer::No);
        QTest::mouseClick(d.cmdDelete, Qt::LeftButton);
        EXPECT_EQ(env.prompt.last(), MsgDeleteValue);
        EXPECT_EQ(d.lstOther->count(), 2);
    });
    click(f, "cmdOther");
    auto* notified = control<QComboBox>(f, "cboNotified");
    EXPECT_EQ(items(notified), QStringList({"", "Doorman", "Room phone"}));
    EXPECT_EQ(notified->currentText(), "Room phone");
    EXPECT_FALSE(f.isChanged());
    // The rename is not taken for another desk's change of this entry.
    control<QPlainTextEdit>(f, "txtDescription")->setPlainText("Called the room");
    ASSERT_TRUE(save(f)) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(store().GetTheLogEntry(id)->notified, "Room phone");

    onEditor(f, [&](NotifiedValuesDialog& d) {
        select(d, "Doorman");
        env.prompt.answer(Answer::Yes);
        QTest::mouseClick(d.cmdDelete, Qt::LeftButton);
    });
    click(f, "cmdOther");
    EXPECT_EQ(items(notified), QStringList({"", "Room phone"}));
}

TEST_F(EntryScreenActions, NextGoesDownTheListAskingAboutUnsavedChanges) {
    category("Dining");
    category("Spa");
    const qint64 a = add(entry("Ames", "Dining", "2026/03/14", "first"));
    const qint64 b = add(entry("Bell", "Dining", "2026/03/14", "second"));
    const qint64 c = add(entry("Cole", "Dining", "2026/03/14", "third"));
    LogbookPanel p(*env.ctx, hooks);
    p.refreshCategories();
    click(p, "cmdToday"); // sorted by reference date and name
    ASSERT_EQ(p.grdLogbook->rowCount(), 3);
    std::unique_ptr<frmLogbook> f(p.openEntry(a));
    EXPECT_TRUE(control(*f, "imgNext")->isVisibleTo(f.get()));

    auto* room = control<QLineEdit>(*f, "txtRoomNumber");
    QTest::keyClicks(room, "12");
    env.prompt.answer(Answer::No); // discard
    click(*f, "imgNext");
    EXPECT_EQ(env.prompt.last(), MsgSaveChanges);
    EXPECT_EQ(f->logId(), b);
    EXPECT_EQ(control<QLineEdit>(*f, "txtLastName")->text(), "Bell");
    EXPECT_EQ(f->entry().entryType, "Dining");
    EXPECT_EQ(control<QComboBox>(*f, "cboTypes")->currentText(), "Dining");
    EXPECT_EQ(store().GetTheLogEntry(a)->roomNumber, "");
    EXPECT_EQ(p.grdLogbook->currentKey(), b);

    // Yes saves; a save the rules refuse stays on the entry.
    auto* reference = control<QLineEdit>(*f, "txtSelect_0");
    room->setText("14");
    reference->setText("13/45/2026");
    QTest::keyClicks(room, "5");
    env.prompt.answer(Answer::Yes);
    click(*f, "imgNext");
    EXPECT_EQ(f->logId(), b);
    reference->setText("03/14/2026");
    env.prompt.answer(Answer::Yes);
    click(*f, "imgNext");
    EXPECT_EQ(f->logId(), c);
    EXPECT_EQ(store().GetTheLogEntry(b)->roomNumber, "145");

    env.prompt.clear();
    click(*f, "imgNext"); // the end of the list: nothing happens
    EXPECT_EQ(f->logId(), c);
    EXPECT_TRUE(env.prompt.shown.isEmpty());

    // A screen opened without a list has no next entry.
    frmLogbook alone(*env.ctx, hooks, a);
    EXPECT_FALSE(control(alone, "imgNext")->isVisibleTo(&alone));
    env.prompt.answer(Answer::Yes); // change the category
    control<QComboBox>(alone, "cboTypes")->setCurrentText("Spa");
    EXPECT_EQ(control<QComboBox>(alone, "cboTypes")->currentText(), "Spa");
    EXPECT_EQ(alone.entry().entryType, "Dining"); // as loaded
}

class CloneCard : public EntryScreenActions {
protected:
    void SetUp() override {
        EntryScreenActions::SetUp();
        // A stand-in cipher bound to the entry's id, as the real one is.
        hooks.encryptCard = [](const QString& number, qint64 logId) {
            return QString("%1:%2").arg(logId).arg(number);
        };
        hooks.decryptCard = [](const QString& stored, qint64 logId) {
            const QString prefix = QString("%1:").arg(logId);
            return stored.startsWith(prefix) ? stored.mid(prefix.size()) : QString();
        };
        category("Dining");
        LogEntry e = entry("Smith", "Dining", "2026/03/14");
        original = LogbookStore(*env.ctx, &hooks).InsertLogBook(e, Card);
        ASSERT_EQ(store().GetTheLogEntry(original)->encCC, QString::number(original) + ":" + Card);
    }
    const QString Card = QStringLiteral("4111111111111111");
    qint64 original = 0;
};

TEST_F(CloneCard, CardIsCarriedOnlyWithTheRightAndThePassword) {
    struct Case {
        const char* name;
        bool right;
        std::optional<QString> typed;
        bool cloned, carried;
        QString lastMessage;
    };
    const Case cases[] = {
        {"no right", false, std::nullopt, true, false, MsgCloneCards},
        {"cancelled", true, std::nullopt, false, false, kClonePasswordText},
        {"wrong password", true, QString("nope"), false, false, ""},
        {"skip", true, QString("skip"), true, false, kClonePasswordText},
        {"password", true, QString("anncc1"), true, true, kClonePasswordText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.right) grant(18);
        env.prompt.clear();
        if (c.right) env.prompt.type(c.typed);
        frmLogbook f(*env.ctx, hooks, original);
        click(f, "cmdCloneEntry");
        if (!c.lastMessage.isEmpty()) {
            EXPECT_EQ(env.prompt.last(), c.lastMessage);
        }
        if (!c.cloned) {
            EXPECT_EQ(f.logId(), original); // the screen is as it was
            EXPECT_EQ(control<QLabel>(f, "lblLogBookID")->text(), QString::number(original));
            EXPECT_FALSE(f.isChanged());
            continue;
        }
        EXPECT_EQ(control<QLabel>(f, "lblLogBookID")->text(), "0");
        ASSERT_TRUE(save(f)) << env.prompt.texts().join("|").toStdString();
        const qint64 clone = f.logId();
        ASSERT_NE(clone, original);
        // Carried: encrypted again under the clone's own id, so it can be read there.
        EXPECT_EQ(store().GetTheLogEntry(clone)->encCC,
                  c.carried ? QString::number(clone) + ":" + Card : QString());
        EXPECT_EQ(store().GetTheLogEntry(original)->encCC, QString::number(original) + ":" + Card);
    }
}

TEST_F(EntryScreenActions, LogbookPageFiltersByProfileTypeInsteadOfCategory) {
    category("Dining");
    category("Spa");
    for (const char* type : {"VIP", "Regular"})
        env.db().exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('ProType', ?)",
                      {QString(type)});
    const qint64 vip = env.db().insert("INSERT INTO [Profile] ([FirstName], [LastName], "
                                       "[ProfileType]) VALUES ('Pat', 'Vale', 'VIP')",
                                       {}, "ProfileID");
    LogEntry linked = entry("Vale", "Spa", "2026/03/14");
    linked.profileId = vip;
    add(linked);
    add(entry("Ames", "Dining", "2026/03/14"));

    LogbookPanel p(*env.ctx, hooks);
    p.refreshCategories();
    EXPECT_EQ(items(p.cboProfileType), QStringList({"", "Regular", "VIP"}));
    p.cboSelectBy->setCurrentText("Refer Date");
    p.txtFrom->setText("03/14/2026");
    p.cboCategory->setCurrentText("Dining");

    QTest::mouseClick(p.cmdToggleCategory, Qt::LeftButton);
    EXPECT_EQ(p.lblCategory->text(), "Profile Type (Opt):");
    EXPECT_TRUE(p.cboProfileType->isVisibleTo(&p));
    EXPECT_FALSE(p.cboCategory->isVisibleTo(&p));
    p.cboProfileType->setCurrentText("VIP");
    click(p, "cmdSearch");
    ASSERT_EQ(p.grdLogbook->rowCount(), 1); // the category chosen before does not apply
    EXPECT_EQ(p.grdLogbook->cell(0, ColLastName), "Vale (VIP)");
    EXPECT_TRUE(p.lblDescription->text().contains("Profile Type is VIP"))
        << p.lblDescription->text().toStdString();

    QTest::mouseClick(p.cmdToggleCategory, Qt::LeftButton);
    EXPECT_EQ(p.lblCategory->text(), "Category (Opt):");
    click(p, "cmdSearch");
    ASSERT_EQ(p.grdLogbook->rowCount(), 1);
    EXPECT_EQ(p.grdLogbook->cell(0, ColLastName), "Ames");
}
