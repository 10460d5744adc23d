// Log-off, by the command or after idle minutes, leaves nothing of the last
// session on screen: entry windows and card dialogs close, and the next
// member cannot save through them.

#include "platform/forms/SessionWindows.h"
#include "app/forms/frmSearch.h"
#include "core/CardKey.h"
#include "core/Databases.h"
#include "logbook/EntryRules.h"
#include "logbook/LogbookFixture.h"
#include "logbook/forms/LogbookModule.h"
#include "logbook/forms/frmLogbook.h"
#include "security/CardData.h"
#include "security/Logon.h"
#include "security/forms/IdleLogoff.h"
#include "security/forms/SecurityModule.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace vm;
using namespace vm::test;

class SessionWindowsTest : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        category("Dining");
        entryId = add(entry("Smith", "Dining", "2026/03/14"));
        const QString card = EncryptCC(*env.ctx, "4111111111111111", QString::number(entryId));
        ASSERT_FALSE(card.isEmpty());
        env.db().exec("UPDATE [LogBook] SET [EncCC] = ? WHERE [LogID] = ?", {card, entryId});
        grant(Rights::LogbookCloneCards.position); // may see card numbers
        env.ctx->session.clear();
    }

    // The main window with the security and logbook subsystems; the logon
    // dialog is replaced by a logon of the fixture's member (once).
    void startDesk() {
        window = std::make_unique<frmSearch>(*env.ctx);
        InstallSecurity(*env.ctx, *window);
        InstallLogbook(*env.ctx, *window);
        window->setLogonHandler([this] {
            if (++logons > 1) return false;
            env.logOn(staffId);
            UpdateLogonDate(*env.ctx);
            return true;
        });
        window->Logon();
        ASSERT_TRUE(env.ctx->session.loggedOn());
        module = window->findChild<LogbookModule*>("LogbookModule");
        ASSERT_TRUE(module);
    }

    frmLogbook* openEntry() {
        frmLogbook* f = module->openEntry(entryId);
        if (f) f->show();
        return f;
    }
    template <class W> W* control(QWidget* in, const char* name) {
        auto* w = in->findChild<W*>(name);
        EXPECT_TRUE(w) << name;
        return w;
    }
    QString storedLastName() {
        return env.db()
            .scalar("SELECT [LastName] FROM [LogBook] WHERE [LogID] = ?", {entryId})
            .toString();
    }
    QString offStamp() {
        return env.db().scalar("SELECT [OffDateTime] FROM [LoggedOn]").toString().trimmed();
    }
    bool anyQuestion() const {
        for (const Shown& s : env.prompt.shown)
            if (s.question) return true;
        return false;
    }
    void idleTooLong() {
        env.clock.advanceSecs(16 * 60); // past the 15 minutes of a new property
        window->findChild<IdleLogoff*>()->tick();
    }

    qint64 entryId = 0;
    int logons = 0;
    std::unique_ptr<frmSearch> window;
    LogbookModule* module = nullptr;
};

TEST_F(SessionWindowsTest, ManualLogoffAsksEachWindowItsQuestionThenClosesIt) {
    struct Case {
        Answer answer;
        const char* stored;
    } cases[] = {{Answer::No, "Smith"}, {Answer::Yes, "Smithson"}};
    for (const Case& c : cases) {
        logons = 0;
        startDesk();
        QPointer<frmLogbook> f = openEntry();
        ASSERT_TRUE(f);
        QTest::keyClicks(control<QLineEdit>(f, "txtLastName"), "son");
        env.prompt.clear();
        env.prompt.answer(c.answer);
        window->findChild<QAction*>("cmdLogoff")->trigger();

        EXPECT_EQ(env.prompt.texts(), QStringList{MsgDataChanged});
        EXPECT_FALSE(env.ctx->session.loggedOn());
        EXPECT_TRUE(QTest::qWaitFor([&] { return f.isNull(); }, 5000));
        EXPECT_TRUE(window->sessionWindows()->windows().isEmpty());
        EXPECT_EQ(storedLastName(), c.stored) << "saved, if at all, by the member who typed it";
        EXPECT_FALSE(offStamp().isEmpty());
        EXPECT_EQ(logons, 2) << "the logon dialog is asked for again";
        env.db().exec("UPDATE [LogBook] SET [LastName] = 'Smith' WHERE [LogID] = ?", {entryId});
        window.reset();
    }
}

TEST_F(SessionWindowsTest, AWindowThatCannotCloseKeepsTheSession) {
    startDesk();
    QPointer<frmLogbook> older = openEntry();
    QPointer<frmLogbook> f = openEntry();
    ASSERT_TRUE(older && f);
    // A note with the reserved separator cannot be saved, so the window stays.
    QTest::keyClicks(control<QPlainTextEdit>(f, "txtDescription"), "call back ~~~");
    env.prompt.clear();
    env.prompt.answer(Answer::Yes);
    EXPECT_FALSE(window->Logoff());

    EXPECT_EQ(env.prompt.texts(), (QStringList{MsgDataChanged, MsgSeparator}));
    EXPECT_TRUE(env.ctx->session.loggedOn());
    EXPECT_TRUE(f && f->isVisible());
    EXPECT_TRUE(older && older->isVisible()) << "the windows behind it are not asked";
    EXPECT_EQ(window->sessionWindows()->windows().size(), 2);
    EXPECT_TRUE(offStamp().isEmpty());

    // Discarded this time, the log-off goes through.
    env.prompt.answer(Answer::No);
    EXPECT_TRUE(window->Logoff());
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.isNull() && older.isNull(); }, 5000));
    EXPECT_FALSE(env.ctx->session.loggedOn());
}

TEST_F(SessionWindowsTest, IdleLogoffClosesWindowsWithoutAQuestionAndDropsTheirChanges) {
    startDesk();
    QPointer<frmLogbook> f = openEntry();
    ASSERT_TRUE(f);
    QTest::keyClicks(control<QLineEdit>(f, "txtLastName"), "son");
    env.prompt.clear();
    idleTooLong();

    EXPECT_TRUE(QTest::qWaitFor([&] { return f.isNull(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !env.ctx->session.loggedOn(); }, 5000));
    EXPECT_FALSE(anyQuestion()) << env.prompt.texts().join(" | ").toStdString();
    EXPECT_EQ(storedLastName(), "Smith");
    EXPECT_FALSE(offStamp().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return logons == 2; }, 5000));
}

TEST_F(SessionWindowsTest, IdleLogoffEndsAnOpenCardDialogAndItsEntryWindow) {
    startDesk();
    QPointer<frmLogbook> f = openEntry();
    ASSERT_TRUE(f);
    QPointer<QLineEdit> shownNumber;
    bool dialogSeen = false;
    // The card dialog runs modally; the idle minutes pass while it shows the number.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != "frmShowEncCC") return;
        dialogSeen = true;
        QTest::keyClicks(control<QLineEdit>(dialog, "txtReason"), "Guest asked for it");
        QTest::keyClicks(control<QLineEdit>(dialog, "txtActualCCN"), "anncc1");
        control<QPushButton>(dialog, "cmdShowCCN")->click();
        shownNumber = control<QLineEdit>(dialog, "txtActualCCN");
        EXPECT_EQ(shownNumber->text(), "4111111111111111");
        idleTooLong();
    });
    control<QPushButton>(f, "cmdShowEncCC")->click();

    EXPECT_TRUE(dialogSeen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(shownNumber.isNull()) << "the clear number went with its dialog";
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.isNull(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !env.ctx->session.loggedOn(); }, 5000));
    EXPECT_FALSE(anyQuestion());
}

// The member pressed Save and walked away from the card question: the save
// ends as the member started it, but the number does not stay unanswered.
TEST_F(SessionWindowsTest, IdleLogoffDuringTheCardQuestionRemovesTheNumber) {
    startDesk();
    QPointer<frmLogbook> f = openEntry();
    ASSERT_TRUE(f);
    QTest::keyClicks(control<QPlainTextEdit>(f, "txtLogEntry"), " 4111 1111 1111 1111");
    bool asked = false;
    QTimer::singleShot(0, [&] {
        QWidget* question = QApplication::activeModalWidget();
        asked = question && question->objectName() == "frmCCQuery";
        idleTooLong();
    });
    control<QPushButton>(f, "cmdSave")->click();

    EXPECT_TRUE(asked);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.isNull(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !env.ctx->session.loggedOn(); }, 5000));
    const auto saved = store().GetTheLogEntry(entryId);
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->text.contains(kCardDeletedText)) << saved->text.toStdString();
    EXPECT_FALSE(saved->text.contains("1111"));
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [Suspicious]").toInt(), 0);
}

TEST_F(SessionWindowsTest, WithoutACardKeyTheEntrySavesWithoutTheCardAndNothingIsShown) {
    // The key went missing while this entry holds a card: refused, not replaced.
    QSettings location(env.ctx->workstation.userConfigFolder + "location", QSettings::IniFormat);
    location.remove("KeyTemplate");
    location.sync();
    CloseDatabase(*env.ctx);
    ASSERT_EQ(env.open(), 0);
    ASSERT_EQ(env.ctx->start.cardKey, CardKeyState::TemplateMissing);
    const QString card =
        env.db().scalar("SELECT [EncCC] FROM [LogBook] WHERE [LogID] = ?", {entryId}).toString();
    startDesk();
    EXPECT_FALSE(bool(module->hooks.encryptCard));

    QPointer<frmLogbook> f = openEntry();
    ASSERT_TRUE(f);
    EXPECT_FALSE(control<QLineEdit>(f, "txtActualCCN")->isVisibleTo(f)) << "no field to type into";
    env.prompt.clear();
    control<QPushButton>(f, "cmdShowEncCC")->click();
    EXPECT_EQ(env.prompt.texts(), QStringList{CardsRefusedText(CardKeyState::TemplateMissing)});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [LogbookCCV]").toInt(), 0);

    QTest::keyClicks(control<QLineEdit>(f, "txtLastName"), "son");
    control<QPushButton>(f, "cmdSave")->click();
    EXPECT_EQ(storedLastName(), "Smithson");
    EXPECT_EQ(env.db().scalar("SELECT [EncCC] FROM [LogBook] WHERE [LogID] = ?", {entryId}), card)
        << "the stored card is kept as it was";
}

// The registry on its own: a window that closed by itself drops out, and the
// newest window is asked first.
TEST(SessionWindows, AsksNewestFirstAndForgetsWindowsThatClosed) {
    EnsureApplication();
    struct Window : QWidget {
        QStringList* order;
        bool refuse = false;
        void closeEvent(QCloseEvent* e) override {
            *order << objectName();
            if (refuse) e->ignore();
        }
    };
    QStringList order;
    SessionWindows registry;
    auto first = std::make_unique<Window>();
    auto gone = std::make_unique<Window>();
    auto last = std::make_unique<Window>();
    for (auto* w : {first.get(), gone.get(), last.get()}) {
        w->order = &order;
        registry.track(w);
        registry.track(w); // once only
    }
    first->setObjectName("first");
    last->setObjectName("last");
    gone.reset();
    EXPECT_EQ(registry.windows(), (QList<QWidget*>{first.get(), last.get()}));

    first->refuse = true;
    EXPECT_FALSE(registry.closeAll());
    EXPECT_EQ(order, (QStringList{"last", "first"}));
    EXPECT_EQ(registry.windows(), QList<QWidget*>{first.get()});
    first->refuse = false;
    EXPECT_TRUE(registry.closeAll());
    EXPECT_TRUE(registry.windows().isEmpty());
}
