#include "security/CardStore.h"
#include "SecurityFixture.h"
#include "core/Settings.h"
#include "platform/RegistryValues.h"
#include "security/Audit.h"
#include "security/CardData.h"
#include "security/Logon.h"
#include "security/forms/frmCCQuery.h"
#include "security/forms/frmShowEncCC.h"

#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

using namespace vm;
using namespace vm::test;

namespace {
const QString kVisa = "4111111111111111";
}

class CardTest : public SecurityTest {
protected:
    void SetUp() override {
        SecurityTest::SetUp();
        me = env.addStaff("John Doe", "jdoe", "JD"); // viewing password "jdoecc1"
        env.logOn(me);
    }
    qint64 logbookEntry(const QString& note, const QString& number, const QVariant& created,
                        const QString& referDate = "2026/03/20") {
        const qint64 id = db().insert("INSERT INTO [LogBook] ([FirstName], [LastName], "
                                      "[NoteField], [ReferDate]) VALUES ('Ann', 'Guest', ?, ?)",
                                      {note, referDate}, "LogID");
        db().exec("UPDATE [LogBook] SET [EncCC] = ?, [CC_CreatedDate] = ? WHERE [LogID] = ?",
                  {number.isEmpty() ? QString() : EncryptCC(ctx(), number, QString::number(id)),
                   created, id});
        return id;
    }
    QString vmmsgs() {
        QFile f(ctx().workstation.outputFolder() + "vmmsgs.txt");
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    qint64 me = 0;
};

TEST(Audit, EventActionsAndLevels) {
    struct Case {
        int event;
        bool ok;
        const char* action;
        int level;
    } cases[] = {
        {1, true, "CreditCardViewed", 5},
        {2, true, "CreditCardAdded", 5},
        {3, true, "CreditCardDeleted", 5},
        {4, true, "CreditCardModified", 5},
        {5, true, "PrivilegedUserLogin", 5},
        {5, false, "UserLogin", 5},
        {6, true, "AccountCreation:user=(E7)", 4},
        {7, true, "AccountDeletion::user=(E7)", 5},
        {8, true, "AccountModified:user=(E7)", 5},
        {9, true, "AccountClassUpgrade:user=(E7)", 3},
        {10, true, "AccountClassDowngrade:user=(E7)", 5},
        {11, true, "AuditTrailAccess", 4},
        {12, true, "AuditTrailModification", 5},
        {13, true, "", 2},
    };
    for (const Case& c : cases) {
        PCIDSS e;
        e.MessageLevel = 2;
        e.EUserID = "E7";
        e.Successful = c.ok;
        e.setPCIEvent(c.event);
        EXPECT_EQ(e.PCIEventAction(), QString(c.action)) << c.event;
        EXPECT_EQ(e.MessageLevel, c.level) << c.event;
        EXPECT_EQ(e.PCIResultStatus(), c.ok ? "S" : "F");
    }
}

TEST(Audit, LineHasTheCollectorsExactForm) {
    const PCIDSS e(PCIDSS::UserLogin, true, "E123");
    EXPECT_EQ(SyslogLine(e, QDateTime(QDate(2026, 3, 4), QTime(9, 5, 7)), "DESK-1", "velmora", "X"),
              "<181>Mar 04 09:05:07 DESK-1 Velmora: AppName=VelmoraV8.0.000(C31); "
              "UserName=E123; Standard=PCI; Destination=DESK-1; Resource=velmora.exe; "
              "Action=PrivilegedUserLogin; ResultStatus=S; TimeStamp=2026/03/04 09:05:07;;");
    const PCIDSS noUser(PCIDSS::CreditCardViewed, false);
    EXPECT_TRUE(SyslogLine(noUser, QDateTime(QDate(2026, 3, 4), QTime(9, 5)), "D", "v", "E9")
                    .contains("; UserName=E9; "));
}

TEST_F(CardTest, AuditIsSentOnlyWhenSwitchedOnAndItsOutcomeNoted) {
    SendSyslogMessage(ctx(), PCIDSS(PCIDSS::AuditTrailAccess, true));
    EXPECT_EQ(vmmsgs(), "");
    ctx().start.sendToSyslog = true;
    setColumn(me, "EUserID", "E555");
    EXPECT_FALSE(SendSyslogMessage(ctx(), PCIDSS(PCIDSS::AuditTrailAccess, true)));
    const QString line = vmmsgs();
    EXPECT_TRUE(line.startsWith("03/14/2026 <181>Mar 14 09:30:00 DESK-1 Velmora: "))
        << line.toStdString();
    EXPECT_TRUE(line.contains("UserName=E555; ")) << line.toStdString();
    EXPECT_TRUE(line.endsWith(";; FAILED\r\n")) << line.toStdString();
}

TEST_F(CardTest, CardInANoteIsRemovedOrKeptAsTheUserAnswers) {
    QWidget form;
    auto* note = new QTextEdit(&form);
    note->setObjectName("txtLogEntry");
    auto* name = new QLineEdit(&form);
    name->setObjectName("txtLastName");
    name->setText("Smith");
    auto* secret = new QLineEdit(&form);
    secret->setObjectName("txtPassword");
    secret->setEchoMode(QLineEdit::Password);
    secret->setText(kVisa);
    QStringList asked;
    bool remove = true;
    auto ask = [&](const QString& f, const QString& field) {
        asked << f + "/" + field;
        return remove;
    };

    note->setPlainText("  Dinner for 2, card 4111 1111 1111 1111 exp 12/27  ");
    EXPECT_EQ(CheckFormCCFields(ctx(), &form, "Logbook", 42, ask), 1);
    EXPECT_EQ(asked, QStringList{"Logbook/txtLogEntry"});
    EXPECT_EQ(note->toPlainText(), "Dinner for 2, card DELETED CC# exp 12/27");
    EXPECT_EQ(count("SELECT COUNT(*) FROM [Suspicious]"), 0);
    EXPECT_TRUE(sharedLog().contains("User: John Doe Prevented a possible credit card number from "
                                     "being stored in the form 'Logbook' for 'txtLogEntry' on: "));

    remove = false;
    note->setPlainText("Dinner for 2, card 4111 1111 1111 1111 exp 12/27");
    EXPECT_EQ(CheckFormCCFields(ctx(), &form, "Logbook", 42, ask), 1);
    EXPECT_EQ(note->toPlainText(), "Dinner for 2, card 4111 1111 1111 1111 exp 12/27");
    auto s = db().queryOne("SELECT * FROM [Suspicious]");
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->number("RecordID"), 42);
    EXPECT_EQ(s->text("VmModule"), "Logbook");
    EXPECT_EQ(s->text("FieldSA"), "txtLogEntry");
    EXPECT_EQ(s->text("Concierge"), "John Doe");
    EXPECT_EQ(s->text("DataSA"), "Dinner for 2, card xxxx xxxx xxxx 1111 exp 12/27");
    EXPECT_TRUE(sharedLog().contains("User: John Doe Allowed a possible credit card number to be "
                                     "stored in the form 'Logbook' for 'txtLogEntry' on: "));

    asked.clear();
    note->setPlainText("Tracking Number 4111111111111111 for the parcel");
    EXPECT_EQ(CheckFormCCFields(ctx(), &form, "Logbook", 42, ask), 0);
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(CardTest, CardQueryCannotBeClosedWithoutAnAnswer) {
    frmCCQuery q("Logbook", "txtLogEntry");
    q.show();
    q.close();
    q.reject();
    EXPECT_TRUE(q.isVisible());
    QTest::mouseClick(q.findChild<QPushButton*>("cmdYes"), Qt::LeftButton);
    EXPECT_FALSE(q.isVisible());
    EXPECT_TRUE(q.removeNumber());
}

TEST_F(CardTest, ViewingNeedsReasonAndPasswordAndEveryAttemptIsLogged) {
    ctx().start.sendToSyslog = true;
    const qint64 log = logbookEntry("Table for 2", kVisa, env.clock.now());
    const QString stored =
        db().scalar("SELECT [EncCC] FROM [LogBook] WHERE [LogID] = ?", {log}).toString();
    frmShowEncCC dlg(ctx(), 'L', log, MaskCard(kVisa), stored, QString::number(log));
    dlg.show();
    auto* reason = dlg.findChild<QLineEdit*>("txtReason");
    auto* actual = dlg.findChild<QLineEdit*>("txtActualCCN");
    auto* show = dlg.findChild<QPushButton*>("cmdShowCCN");
    ASSERT_TRUE(reason && actual && show);

    QTest::mouseClick(show, Qt::LeftButton);
    EXPECT_EQ(env.prompt.last(), "Please enter the Reason why you wish to see the actual Credit "
                                 "Card Number.  Thank you.");
    QTest::keyClicks(reason, "Guest asked for the card on file");
    QTest::mouseClick(show, Qt::LeftButton);
    EXPECT_EQ(env.prompt.last(), "Please enter the Password you created to view the Unmasked "
                                 "Credit Card Information.  Thank you.");
    QTest::keyClicks(actual, "guess");
    QTest::mouseClick(show, Qt::LeftButton);
    EXPECT_EQ(env.prompt.last(), "The Password you entered to view the actual Credit Card Number "
                                 "does not match the Password you created.");
    EXPECT_EQ(dlg.clearNumber(), "");
    QTest::keyClicks(actual, "JDOECC1");
    QTest::mouseClick(show, Qt::LeftButton);
    EXPECT_EQ(actual->text(), kVisa);
    EXPECT_FALSE(show->isEnabled());

    const auto views = db().query("SELECT * FROM [LogbookCCV] ORDER BY [Viewed]");
    ASSERT_EQ(views.size(), 2u);
    EXPECT_FALSE(views[0].flag("Viewed"));
    EXPECT_EQ(views[0].text("Reason"), "~~ Invalid Password");
    EXPECT_TRUE(views[1].flag("Viewed"));
    EXPECT_EQ(views[1].text("Reason"), "Guest asked for the card on file");
    EXPECT_EQ(views[1].text("MsgSource"), "L");
    EXPECT_EQ(views[1].number("LogbookID"), log);
    EXPECT_TRUE(sharedLog().contains("User: John Doe Failed to view a credit card for the Logbook "
                                     "entry (" +
                                     QString::number(log) + ") on: "));
    EXPECT_TRUE(sharedLog().contains("User: John Doe Viewed a credit card for the Logbook entry (" +
                                     QString::number(log) + ") on: "));
    EXPECT_TRUE(vmmsgs().contains("Action=CreditCardViewed; ResultStatus=S;"));

    QTest::mouseClick(dlg.findChild<QPushButton*>("cmdExit"), Qt::LeftButton);
    EXPECT_EQ(actual->text(), "");

    const auto bad = GetCCVLComplete(ctx(), "Bad");
    ASSERT_EQ(bad.size(), 1u);
    EXPECT_EQ(bad[0].text("LastName"), "Guest");
    EXPECT_EQ(GetCCVLComplete(ctx(), "All").size(), 2u);
    EXPECT_TRUE(
        sharedLog().contains("User: John Doe Viewed the Logbook Credit Card viewing log for "
                             "with the scope of (Bad)"));
    EXPECT_TRUE(vmmsgs().contains("Action=AuditTrailAccess;"));
    env.clock.advanceDays(31);
    EXPECT_EQ(DeleteCCLViews(ctx(), 30), 2);
    EXPECT_TRUE(vmmsgs().contains("Action=AuditTrailModification;"));
}

TEST_F(CardTest, ProfileCardIsStoredMaskedAndViewedWithoutReason) {
    const qint64 profile = db().insert("INSERT INTO [Profile] ([FirstName], [LastName]) VALUES "
                                       "('Ann', 'Guest')",
                                       {}, "ProfileID");
    const qint64 card = InsertProfileCC(ctx(), {profile, "Visa", "4111 1111 1111 1111", "12/27"});
    ASSERT_GT(card, 0);
    const auto row = GetProfileCC(ctx(), profile);
    ASSERT_EQ(row.size(), 1u);
    EXPECT_EQ(row[0].text("CardNumber"), "xxxxxxxxxxxx1111");
    EXPECT_EQ(row[0].text("Expires"), "xx/xx");
    frmShowEncCCP dlg(ctx(), profile, card, row[0].text("CardNumber"), row[0].text("EncCC"),
                      QString::number(profile));
    dlg.show();
    QTest::keyClicks(dlg.findChild<QLineEdit*>("txtActualCCN"), "jdoecc1");
    QTest::mouseClick(dlg.findChild<QPushButton*>("cmdShowCCN"), Qt::LeftButton);
    EXPECT_EQ(dlg.clearNumber(), kVisa);
    EXPECT_EQ(GetCCVHistory(ctx(), profile, card).size(), 1u);
    EXPECT_EQ(GetCCVComplete(ctx(), "Good").size(), 1u);
}

TEST_F(CardTest, PurgeNeedsAPolicy) {
    logbookEntry("old", kVisa, env.clock.now().addDays(-400));
    EXPECT_EQ(CheckForCCPolicy(ctx()), 0);
    EXPECT_FALSE(PurgeCreditCards(ctx()));
    EXPECT_EQ(GetVmSetting(db(), "Purge_Last_Run").trimmed(), "");
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogbookDeletedCC]"), 0);
}

TEST_F(CardTest, PurgeRemovesOldNumbersOnceADay) {
    SetValueFromKey(db(), "Purge_CC_N_Days", "30");
    const QDateTime now = env.clock.now();
    const qint64 oldLog =
        logbookEntry("Spa, card xxxxxxxxxxxx1111 on file", kVisa, now.addDays(-31));
    const qint64 newLog = logbookEntry("Dinner", kVisa, now.addDays(-29));
    const qint64 undated = logbookEntry("Theatre", kVisa, QVariant());
    const qint64 profile = 7;
    const qint64 oldCard = InsertProfileCC(ctx(), {profile, "Visa", kVisa, "12/27"});
    const qint64 newCard = InsertProfileCC(ctx(), {profile, "Visa", kVisa, "12/28"});
    db().exec("UPDATE [ProfileCC] SET [CreatedDate] = ? WHERE [ProfileCCID] = ?",
              {now.addDays(-31), oldCard});

    QStringList labels;
    ASSERT_TRUE(PurgeCreditCards(ctx(), [&](const QString& l) { labels << l; }));
    EXPECT_EQ(labels, (QStringList{"Validating Logbook Entries...", "Logbook: Removing 1 of 1",
                                   "Validating Profile Entries...", "Profiles: Removing 1 of 1"}));
    auto entry = [&](qint64 id) {
        return *db().queryOne("SELECT * FROM [LogBook] WHERE [LogID] = ?", {id});
    };
    EXPECT_EQ(entry(oldLog).text("EncCC").trimmed(), "");
    EXPECT_TRUE(entry(oldLog).isNull("CC_CreatedDate"));
    EXPECT_FALSE(entry(newLog).text("EncCC").isEmpty());
    EXPECT_FALSE(entry(undated).isNull("CC_CreatedDate"));
    auto history = db().queryOne("SELECT * FROM [LogbookHistory] WHERE [LogbookID] = ?", {oldLog});
    ASSERT_TRUE(history.has_value());
    EXPECT_EQ(history->text("Initials"), "CCPOL");
    EXPECT_EQ(history->text("LogDateTime"), "2026/03/14 09:30");
    EXPECT_EQ(history->text("Reason"), "CC xxxxxxxxxxxx1111 removed by Credit Card Policy.");
    EXPECT_EQ(
        db().scalar("SELECT [DeletedBy] FROM [LogbookDeletedCC] WHERE [LogbookID] = ?", {oldLog})
            .toString(),
        "CC_POL");

    auto card = [&](qint64 id) {
        return *db().queryOne("SELECT * FROM [ProfileCC] WHERE [ProfileCCID] = ?", {id});
    };
    EXPECT_EQ(card(oldCard).text("CardNumber"), "Rem by CC Policy");
    EXPECT_EQ(card(oldCard).text("EncCC").trimmed(), "");
    EXPECT_EQ(card(oldCard).text("EncExp").trimmed(), "");
    EXPECT_EQ(card(newCard).text("CardNumber"), "xxxxxxxxxxxx1111");
    EXPECT_EQ(
        db().scalar("SELECT [DeletedBy] FROM [ProfileDeletedCC] WHERE [ProfileID] = ?", {profile})
            .toString(),
        "Credit Card Policy (30 days)");
    EXPECT_EQ(GetVmSetting(db(), "Purge_Last_Run"), "03/14/2026");
    EXPECT_TRUE(HasCCPurgeRunToday(ctx()));

    // The same day again: nothing; the next day the newer ones are due.
    env.clock.advanceSecs(3600);
    EXPECT_FALSE(PurgeCreditCards(ctx()));
    env.clock.advanceDays(2);
    EXPECT_TRUE(PurgeCreditCards(ctx()));
    EXPECT_EQ(entry(newLog).text("EncCC").trimmed(), "");
    EXPECT_EQ(card(newCard).text("CardNumber"), "xxxxxxxxxxxx1111"); // stored today
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogbookDeletedCC]"), 2);
}

TEST_F(CardTest, PurgeTakesEveryDueCardInBatchesAndReadsContinuedTexts) {
    SetValueFromKey(db(), "Purge_CC_N_Days", "30");
    const QDateTime old = env.clock.now().addDays(-40);
    // More cards than one batch; one number is masked in the entry's second text piece.
    const QString enc = EncryptCC(ctx(), kVisa, "1");
    db().transaction([&] {
        for (int i = 0; i < 1203; ++i)
            db().insert("INSERT INTO [LogBook] ([FirstName], [LastName], [NoteField], [EncCC], "
                        "[CC_CreatedDate]) VALUES ('Ann', 'Guest', 'Dinner', ?, ?)",
                        {enc, old}, "LogID");
    });
    const qint64 longOne = logbookEntry(QString(255, 'a'), kVisa, old);
    db().exec("INSERT INTO [LogText] ([LogID], [Sequence], [NoteField]) VALUES (?, 1, ?)",
              {longOne, "card xxxxxxxxxxxx1111 held"});

    QStringList labels;
    ASSERT_TRUE(PurgeCreditCards(ctx(), [&](const QString& l) { labels << l; }));
    EXPECT_TRUE(labels.contains("Logbook: Removing 1204 of 1204"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogBook] WHERE TRIM([EncCC]) <> ''"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogbookDeletedCC]"), 1204);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogbookHistory] WHERE [Initials] = 'CCPOL'"), 1204);
    EXPECT_EQ(db().scalar("SELECT [Reason] FROM [LogbookHistory] WHERE [LogbookID] = ?", {longOne})
                  .toString(),
              "CC xxxxxxxxxxxx1111 removed by Credit Card Policy.");
}

TEST_F(CardTest, PurgeByReferenceDateWhenThatRuleIsSet) {
    SetValueFromKey(db(), "Purge_CC_N_Days", "365");
    SetValueFromKey(db(), "Purge_CC_LogRefer_N_Days", "3");
    const qint64 past = logbookEntry("x", kVisa, env.clock.now(), "2026/03/10");
    const qint64 soon = logbookEntry("y", kVisa, env.clock.now(), "2026/03/11");
    ASSERT_TRUE(PurgeCreditCards(ctx()));
    EXPECT_EQ(
        db().scalar("SELECT [EncCC] FROM [LogBook] WHERE [LogID] = ?", {past}).toString().trimmed(),
        "");
    EXPECT_NE(
        db().scalar("SELECT [EncCC] FROM [LogBook] WHERE [LogID] = ?", {soon}).toString().trimmed(),
        "");
    EXPECT_EQ(db().scalar("SELECT [Reason] FROM [LogbookHistory] WHERE [LogbookID] = ?", {past})
                  .toString(),
              "Credit Card was removed by Credit Card Policy.");
}

TEST_F(CardTest, ProfileReminderNamesTheRetention) {
    SetValueFromKey(db(), "Purge_CC_N_Days", "30");
    env.prompt.answer(Answer::No);
    EXPECT_FALSE(ConfirmProfileCardPolicy(ctx()));
    EXPECT_EQ(env.prompt.shown.last().title, "Credit Card Storage Information");
    EXPECT_TRUE(env.prompt.last().startsWith(
        "Credit cards entered in Guest Profiles will be removed after 30 days, \r\n"));
    EXPECT_EQ(INIRead("Settings", "DNS_ProCcWarning", ctx().iniFile(), "False"), "False");
    // Ticking "do not show again" keeps the reminder away from then on.
    env.prompt.answer(Answer::Yes);
    env.prompt.tickDoNotShowAgain();
    EXPECT_TRUE(ConfirmProfileCardPolicy(ctx()));
    EXPECT_EQ(INIRead("Settings", "DNS_ProCcWarning", ctx().iniFile()), "True");
    env.prompt.clear();
    EXPECT_TRUE(ConfirmProfileCardPolicy(ctx()));
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(CardTest, CloningAsksForTheCardPasswordOrSkip) {
    env.prompt.type(QString("skip"));
    EXPECT_EQ(AskCloneCardPassword(ctx()), CloneCardAnswer::Skip);
    EXPECT_EQ(env.prompt.last(), kClonePasswordText);
    env.prompt.type(QString("wrong"));
    EXPECT_EQ(AskCloneCardPassword(ctx()), CloneCardAnswer::Refused);
    env.prompt.type(std::nullopt);
    EXPECT_EQ(AskCloneCardPassword(ctx()), CloneCardAnswer::Refused);
    env.prompt.type(QString("JdoeCC1"));
    EXPECT_EQ(AskCloneCardPassword(ctx()), CloneCardAnswer::Carry);
}
