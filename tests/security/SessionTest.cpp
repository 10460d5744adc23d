#include "SecurityFixture.h"
#include "security/Audit.h"
#include "security/CardData.h"
#include "security/CardStore.h"
#include "security/Logon.h"
#include "security/PasswordPolicy.h"
#include "security/forms/IdleLogoff.h"
#include "security/forms/frmCCQuery.h"
#include "security/forms/frmShowEncCC.h"
#include "security/forms/frmWarning.h"

#include <QDirIterator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <memory>

using namespace vm;
using namespace vm::test;

class IdleTest : public SecurityTest {
protected:
    void SetUp() override {
        SecurityTest::SetUp();
        env.logOn(env.addStaff("John Doe", "jdoe", "JD"));
        ctx().globals.security5 = true;
        ctx().globals.inactiveMinutes = 5;
    }
    // An idle watch that counts its warnings and log-offs; the warning is
    // answered with `respond`.
    std::unique_ptr<IdleLogoff> countingIdle() {
        return std::make_unique<IdleLogoff>(
            ctx(),
            [this] {
                ++warnings;
                return respond;
            },
            [this] { ++logoffs; });
    }
    int warnings = 0;
    int logoffs = 0;
    bool respond = false;
};

TEST_F(IdleTest, WarnsAtTheLimitAndLogsOffAfterIt) {
    auto idlePtr = countingIdle();
    IdleLogoff& idle = *idlePtr;
    env.clock.advanceSecs(4 * 60 + 59);
    idle.tick();
    EXPECT_EQ(warnings, 0);
    env.clock.advanceSecs(1);
    idle.tick();
    idle.tick(); // still the same minute: one warning only
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(logoffs, 0);
    env.clock.advanceSecs(60);
    idle.tick();
    EXPECT_EQ(logoffs, 1);
}

TEST_F(IdleTest, AnAnswerOrAnyKeyStartsTheCountAgain) {
    auto idlePtr = countingIdle();
    IdleLogoff& idle = *idlePtr;
    respond = true;
    env.clock.advanceSecs(5 * 60);
    idle.tick();
    env.clock.advanceSecs(60);
    idle.tick();
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(logoffs, 0);

    qApp->installEventFilter(&idle);
    QWidget w;
    env.clock.advanceSecs(4 * 60);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(&w, &key);
    env.clock.advanceSecs(4 * 60);
    idle.tick();
    EXPECT_EQ(idle.idleMinutes(), 4);
    EXPECT_EQ(logoffs, 0);
    qApp->removeEventFilter(&idle);
}

TEST_F(IdleTest, NothingHappensWhenSwitchedOffOrNobodyIsLoggedOn) {
    auto idlePtr = countingIdle();
    IdleLogoff& idle = *idlePtr;
    ctx().globals.security5 = false;
    env.clock.advanceSecs(60 * 60);
    idle.tick();
    ctx().globals.security5 = true;
    ctx().session.clear();
    idle.tick();
    EXPECT_EQ(warnings + logoffs, 0);
}

TEST(IdleWarning, ClosesItselfOrKeepsTheSessionOnAnswer) {
    EnsureApplication();
    // The shortest warning still shows before it closes itself.
    frmWarning w(1);
    w.show();
    EXPECT_TRUE(w.isVisible());
    // QTRY_* report to QTest, not to this test: wait on the condition here.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 5000));
    EXPECT_FALSE(w.responded());

    frmWarning answered(60);
    answered.show();
    QTest::mouseClick(answered.findChild<QPushButton*>("cmdResponse"), Qt::LeftButton);
    EXPECT_TRUE(answered.responded());
    EXPECT_FALSE(answered.isVisible());
}

// Everything the security code writes, in files and in tables, is free of
// clear card numbers and clear passwords.
TEST_F(SecurityTest, NoClearCardNumberOrPasswordIsWrittenAnywhere) {
    ctx().start.sendToSyslog = true;
    ctx().globals.security3 = true;
    const qint64 id = staff("John Doe", "jdoe", "JD", "Hidden42x");
    setColumn(id, "CCViewPW", HashPassword("Viewing7k"));
    CheckLogon(ctx(), "jdoe", "Wrong77pw");
    ASSERT_EQ(CheckLogon(ctx(), "jdoe", "hidden42x").result, LogonResult::Ok);
    UpdateLogonDate(ctx());
    ASSERT_FALSE(VerifyPassword(ctx(), "jdoe", "Hidden42x", "Newer99pw", "Newer99pw", false));

    const qint64 card = InsertProfileCC(ctx(), {3, "Visa", "4111 1111 1111 1111", "12/27"});
    frmShowEncCCP view(ctx(), 3, card, "xxxxxxxxxxxx1111",
                       db().scalar("SELECT [EncCC] FROM [ProfileCC]").toString(), "3");
    QTest::keyClicks(view.findChild<QLineEdit*>("txtActualCCN"), "Viewing7k");
    QTest::mouseClick(view.findChild<QPushButton*>("cmdShowCCN"), Qt::LeftButton);
    ASSERT_EQ(view.clearNumber(), "4111111111111111");
    view.accept();

    QWidget form;
    auto* note = new QTextEdit(&form);
    note->setObjectName("txtNotes");
    note->setPlainText("Card 4111 1111 1111 1111 for the spa");
    CheckFormCCFields(ctx(), &form, "Guest Profile", 3,
                      [](const QString&, const QString&) { return false; });
    CheckFormCCFields(ctx(), &form, "Guest Profile", 3,
                      [](const QString&, const QString&) { return true; });
    UpdateLogoffDate(ctx());

    const QStringList secrets{
        "4111111111111111", "4111 1111 1111 1111", "Hidden42x", "HIDDEN42X", "Wrong77pw",
        "WRONG77PW",        "Newer99pw",           "NEWER99PW", "Viewing7k", "VIEWING7K"};
    QString tables;
    for (const QString& t : db().tables())
        for (const Row& r : db().query("SELECT * FROM [" + t + "]"))
            for (int i = 0; i < r.record().count(); ++i)
                tables += r.record().value(i).toString() + "\n";
    ASSERT_TRUE(tables.contains("xxxxxxxxxxxx1111")); // the scan does read the rows

    int files = 0;
    QDirIterator it(env.root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    QByteArray bytes;
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly)) {
            bytes += f.readAll();
            ++files;
        }
    }
    ASSERT_GE(files, 2); // at least the shared log and vmmsgs.txt
    for (const QString& s : secrets) {
        EXPECT_FALSE(tables.contains(s, Qt::CaseInsensitive)) << s.toStdString();
        EXPECT_FALSE(bytes.contains(s.toUtf8())) << s.toStdString();
    }
}

namespace {
// A stand-in for the employee-directory program: writes `answer` to the
// return file beside it and keeps its arguments.
void fakeDirectoryProgram(const AppContext& ctx, const QString& answer) {
    const QString folder = ctx.workstation.programFolder;
    QDir().mkpath(folder);
    QFile f(folder + "/VerifyEID");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(("#!/bin/sh\nd=$(dirname \"$0\")\necho \"$1\" >> \"$d/args.txt\"\n"
             "case \"$1\" in /EID*) echo " +
             answer + " > \"$d/eidres.txt\";; esac\n")
                .toUtf8());
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}
QString readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
} // namespace

TEST_F(SecurityTest, EmployeeReportedDisabledLosesTheSession) {
    const qint64 id = staff("John Doe", "jdoe", "JD", "Start001");
    setColumn(id, "EUserID", "E42");
    ASSERT_EQ(CheckLogon(ctx(), "jdoe", "Start001").result, LogonResult::Ok);
    // Without the program there is nobody to ask.
    EXPECT_TRUE(VerifyEmployee(ctx()));

    fakeDirectoryProgram(ctx(), "ENABLED");
    EXPECT_TRUE(VerifyEmployee(ctx()));
    EXPECT_TRUE(readFile(ctx().workstation.programFolder + "/args.txt").contains("/EID:E42"));
    EXPECT_TRUE(readFile(ctx().workstation.programFolder + "/VerifyEID.ini")
                    .contains("CallerVersion=8.0.000(C31)"));

    fakeDirectoryProgram(ctx(), "DISABLED");
    EXPECT_FALSE(VerifyEmployee(ctx()));
    EXPECT_FALSE(ctx().session.loggedOn());
    EXPECT_EQ(column(id, "Status"), "I");
    EXPECT_EQ(env.prompt.shown.last().title, "Unauthorized Employee");
    EXPECT_EQ(env.prompt.last(),
              "The employee id 'E42' is not authorized to access Velmora.\r\n\r\n"
              "The Corvella Directory status lists 'E42' as DISABLED.");
}

TEST_F(SecurityTest, AuditLineGoesToTheCollectorProgram) {
    ctx().start.sendToSyslog = true;
    fakeDirectoryProgram(ctx(), "ENABLED");
    EXPECT_TRUE(SendSyslogMessage(ctx(), PCIDSS(PCIDSS::AuditTrailAccess, true, "E1")));
    ASSERT_EQ(env.desktop.started.size(), 1);
    EXPECT_EQ(env.desktop.started[0].program, ctx().workstation.programFolder + "/VerifyEID");
    ASSERT_EQ(env.desktop.started[0].arguments.size(), 1);
    EXPECT_TRUE(env.desktop.started[0].arguments[0].startsWith("/MSG<181>Mar 14 09:30:00 DESK-1 "));

    // The outcome of each start is noted.
    env.desktop.starts = false;
    EXPECT_FALSE(SendSyslogMessage(ctx(), PCIDSS(PCIDSS::AuditTrailAccess, true, "E1")));
    QFile out(ctx().workstation.outputFolder() + "vmmsgs.txt");
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = out.readAll().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith("Action=AuditTrailAccess; ResultStatus=S; "
                                  "TimeStamp=2026/03/14 09:30:00;; SUCCESS\r"));
    EXPECT_TRUE(lines[1].endsWith(";; FAILED\r"));
}
