#pragma once
// Desks that send and present staff messages: the test's own property (desk
// A) and further desks on the same databases, each with its own context,
// prompt, fixed clock and main window with messaging installed.

#include "app/forms/frmSearch.h"
#include "core/Databases.h"
#include "core/Formats.h"
#include "desk/Messages.h"
#include "desk/forms/MessagingModule.h"
#include "desk/forms/frmPresentMsg.h"
#include "logbook/forms/LogbookModule.h"
#include "security/Logon.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <memory>

namespace vm::test {

// A real double-click: press and release, then the double-click itself.
inline void DoubleClickItem(QListWidget* list, QListWidgetItem* item) {
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// One workstation: a context on the shared databases and its main window.
struct Desk {
    ~Desk() {
        window.reset();
        if (ctx) CloseDatabase(*ctx);
    }
    // Logs the member on through the window (as the logon dialog would).
    void logOn(qint64 conciergeId) {
        window->setLogonHandler([this, conciergeId] {
            auto r = ctx->db().queryOne("SELECT * FROM [Concierge] WHERE [ConciergeID] = ?",
                                        {conciergeId});
            if (r) FillSessionFromStaffRow(ctx->session, *r);
            return r.has_value();
        });
        window->Logon();
        // Later logons (after a log-off) are the test's to make.
        window->setLogonHandler([] { return false; });
    }
    MessagingModule* module() const {
        return window->findChild<MessagingModule*>("MessagingModule");
    }
    frmPresentMsg* presenter() const {
        frmPresentMsg* f = module()->presenter();
        return f && f->isVisible() ? f : nullptr;
    }
    // Waits (on the window's own timer) until a message is presented.
    frmPresentMsg* waitForPresenter(int ms = 5000) const {
        QTest::qWaitFor([this] { return presenter() != nullptr; }, ms);
        return presenter();
    }
    // The Messages page shown, so its lists can be clicked.
    void showMessagesPage() {
        window->show();
        window->tabs()->setCurrentWidget(window->tabPage("Messages"));
        QApplication::processEvents();
    }
    template <class W> W* find(const QString& name) const { return window->findChild<W*>(name); }
    // Double-clicks an entry of a list, as the member moves recipients.
    void doubleClick(const QString& list, const QString& entry) {
        auto* l = find<QListWidget>(list);
        ASSERT_NE(l, nullptr);
        const auto items = l->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << entry.toStdString();
        l->scrollToItem(items.first());
        DoubleClickItem(l, items.first());
    }

    RecordingPrompt prompt;
    RecordingDesktop desktop;
    FixedClock clock;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<frmSearch> window;
};

class MessagingFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        anna = env.addStaff("Anna Bell", "anna", "AB");
        ben = env.addStaff("Ben Carter", "ben", "BC");
        carl = env.addStaff("Carl Dunn", "carl", "CD");
        dora = env.addStaff("Dora Enns", "dora", "DE");
        env.clock.set(at(10, 0));
    }

    static QDateTime at(int hour, int minute, int day = 14) {
        return QDateTime(QDate(2026, 3, day), QTime(hour, minute));
    }

    // A workstation on the test's databases with its own clock set to `now`.
    std::unique_ptr<Desk> desk(qint64 member, const QDateTime& now, bool withLogbook = false) {
        auto d = std::make_unique<Desk>();
        d->clock.set(now);
        d->ctx = std::make_unique<AppContext>(env.ctx->workstation, d->prompt, d->clock);
        d->ctx->setDesktop(&d->desktop);
        d->ctx->daily.wait = [](int) {};
        d->ctx->start.databaseFolder = env.ctx->start.databaseFolder;
        d->ctx->start.postgres = env.ctx->start.postgres;
        d->ctx->start.postgresSchemaPrefix = env.ctx->start.postgresSchemaPrefix;
        EXPECT_EQ(OpenDatabase(*d->ctx), 0) << d->prompt.texts().join("|").toStdString();
        InstallMessagesStore(*d->ctx);
        d->window = std::make_unique<frmSearch>(*d->ctx);
        if (withLogbook) InstallLogbook(*d->ctx, *d->window);
        InstallMessaging(*d->ctx, *d->window);
        d->logOn(member);
        return d;
    }

    // A message straight into the store, as another desk would send it.
    void send(const QString& from, const QString& to, const QDateTime& due, const QString& text,
              bool urgent = false, qint64 logId = 0) {
        OutgoingMessage m;
        m.sender = from;
        m.recipient = to;
        m.due = due;
        m.text = text;
        m.urgent = urgent;
        m.logId = logId;
        ASSERT_FALSE(InsertTheMessage(*env.ctx, m).isEmpty());
    }

    struct StoredMsg {
        QString recipient, sentFrom, due, type;
        qint64 logId = 0;
        QString text;
    };
    // Every stored message, oldest key first, with its text.
    QList<StoredMsg> rows() {
        QList<StoredMsg> out;
        for (const vm::Row& r :
             env.db().query("SELECT [TimerID] FROM [MsgTimer] ORDER BY [TimerID]")) {
            const auto m = GetMessage(*env.ctx, r.number("TimerID"));
            if (m) out.append({m->recipient, m->sentFrom, m->due, m->type, m->logId, m->text});
        }
        return out;
    }
    QStringList recipients() {
        QStringList out;
        for (const StoredMsg& r : rows())
            out << r.recipient;
        return out;
    }
    void setGroups(qint64 member, const QString& groups) {
        env.db().exec("UPDATE [Concierge] SET [MessageGroup] = ? WHERE [ConciergeID] = ?",
                      {groups, member});
    }

    TestEnv env;
    qint64 anna = 0, ben = 0, carl = 0, dora = 0;
};

} // namespace vm::test
