#include "SecurityFixture.h"
#include "security/Lockout.h"
#include "security/PasswordPolicy.h"
#include "security/forms/frmShowEncCC.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace vm;
using namespace vm::test;

class CardViewLimitTest : public SecurityTest {
protected:
    void SetUp() override {
        SecurityTest::SetUp();
        me = staff("John Doe", "jdoe", "JD", "Start001");
        setColumn(me, "CCViewPW", HashPassword("View0001"));
        env.logOn(me);
    }
    std::vector<Attempt> tryAll(const QStringList& typed) {
        std::vector<Attempt> out;
        for (const QString& t : typed)
            out.push_back(CheckCardViewAttempt(ctx(), t));
        return out;
    }
    qint64 me = 0;
};

TEST_F(CardViewLimitTest, WrongPasswordsCountAndARightOneStartsAgain) {
    useLockout(QVariant());
    const std::vector<Attempt> expected{Attempt::Wrong, Attempt::Right, Attempt::Wrong,
                                        Attempt::LastWarning, Attempt::Right};
    EXPECT_EQ(tryAll({"bad1", "view0001", "bad2", "bad3", "VIEW0001"}), expected);
    EXPECT_EQ(column(me, "CCViewFailures"), "0");

    // Without the lockout switch wrong passwords never lock.
    db().exec("UPDATE [Authorization] SET [Security2] = ?", {false});
    LoadGlobals(ctx());
    EXPECT_EQ(tryAll({"a", "b", "c", "d", "View0001"}),
              (std::vector<Attempt>{Attempt::Wrong, Attempt::Wrong, Attempt::Wrong, Attempt::Wrong,
                                    Attempt::Right}));
}

TEST_F(CardViewLimitTest, LockHoldsAcrossARestartUntilAManagerResetsTheCardPassword) {
    useLockout(QVariant());
    const qint64 ann = staff("Ann Other", "ann", "AO", "Annpass1");
    setColumn(ann, "CCViewPW", HashPassword("Annview1"));
    EXPECT_EQ(tryAll({"bad1", "bad2", "bad3", "View0001"}),
              (std::vector<Attempt>{Attempt::Wrong, Attempt::LastWarning, Attempt::Locked,
                                    Attempt::Locked}));
    EXPECT_TRUE(sharedLog().contains("User: John Doe Card viewing locked after 3 invalid card "
                                     "viewing passwords on: "));
    // The logon itself is not touched.
    EXPECT_EQ(column(me, "Status"), "A");

    restart();
    env.logOn(me);
    EXPECT_EQ(CheckCardViewAttempt(ctx(), "View0001"), Attempt::Locked);
    EXPECT_FALSE(CheckCardViewPassword(ctx(), "View0001"));
    EXPECT_EQ(ChangeCardPassword(ctx(), "View0001", "View0002", "View0002")->message,
              PasswordText::CardLocked);

    // Another member's card password is their own business.
    env.logOn(ann);
    EXPECT_EQ(CheckCardViewAttempt(ctx(), "Annview1"), Attempt::Right);

    ResetPasswordC(ctx(), me);
    env.logOn(me);
    EXPECT_EQ(CheckCardViewAttempt(ctx(), "jdoe"), Attempt::Right);
}

TEST_F(CardViewLimitTest, ChangingTheCardPasswordCountsAWrongCurrentOne) {
    useLockout(QVariant());
    auto change = [&](const QString& current) {
        const auto r = ChangeCardPassword(ctx(), current, "View0002", "View0002");
        return r ? r->message : QString();
    };
    EXPECT_EQ(change("bad1"), PasswordText::CardCurrentWrong);
    EXPECT_EQ(change("bad2"),
              PasswordText::CardCurrentWrong + CR + CR + PasswordText::CardLastWarning);
    EXPECT_EQ(change("bad3"), PasswordText::CardLocked);
    EXPECT_EQ(change("View0001"), PasswordText::CardLocked);
    EXPECT_TRUE(CheckPasswordHash("View0001", column(me, "CCViewPW")));
}

TEST_F(CardViewLimitTest, ViewingDialogWarnsLocksAndLogsEveryAttempt) {
    useLockout(QVariant());
    ctx().start.sendToSyslog = true;
    frmShowEncCC dlg(ctx(), 'L', 42, "xxxx xxxx xxxx 1111", "00", "42");
    dlg.show();
    auto* reason = dlg.findChild<QLineEdit*>("txtReason");
    auto* actual = dlg.findChild<QLineEdit*>("txtActualCCN");
    auto* show = dlg.findChild<QPushButton*>("cmdShowCCN");
    ASSERT_TRUE(reason && actual && show);
    QTest::keyClicks(reason, "Guest asked");
    for (const char* typed : {"bad1", "bad2", "bad3"}) {
        QTest::keyClicks(actual, typed);
        QTest::mouseClick(show, Qt::LeftButton);
    }
    EXPECT_EQ(env.prompt.texts(),
              (QStringList{PasswordText::CardWrong,
                           PasswordText::CardWrong + CR + CR + PasswordText::CardLastWarning,
                           PasswordText::CardLocked}));
    EXPECT_FALSE(show->isEnabled());
    EXPECT_EQ(dlg.clearNumber(), "");
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogbookCCV] WHERE [LogbookID] = 42 AND [Viewed] = ? "
                    "AND [Reason] = '~~ Invalid Password'",
                    {false}),
              3);
    QFile audit(ctx().workstation.outputFolder() + "vmmsgs.txt");
    ASSERT_TRUE(audit.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(audit.readAll()).count("Action=CreditCardViewed; ResultStatus=F;"),
              3);
}
