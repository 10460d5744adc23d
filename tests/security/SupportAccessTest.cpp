#include "security/SupportAccess.h"
#include "SecurityFixture.h"
#include "platform/RegistryValues.h"
#include "platform/Signature.h"
#include "security/Logon.h"
#include "security/forms/frmLogon.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

using namespace vm;
using namespace vm::test;

namespace {
// The code a challenge line shows.
QString shownCode(const QLabel* line) {
    static const QRegularExpression code("[0-9A-Z]{4}(-[0-9A-Z]{4}){3}");
    return line ? code.match(line->text()).captured(0) : QString();
}
} // namespace

class SupportTest : public SecurityTest {
protected:
    void SetUp() override {
        SecurityTest::SetUp();
        const auto keys = GenerateEd25519();
        ASSERT_TRUE(keys);
        desk = keys->privatePem;
        publicKey = SupportPublicKeyText(keys->publicKey);
    }
    void writeLocation(const QString& folder, const QString& key) {
        QDir().mkpath(folder);
        QSettings file(folder + "location", QSettings::IniFormat);
        file.setValue("SupportPublicKey", key);
        file.sync();
    }
    void trustDesk() { writeLocation(ctx().workstation.systemConfigFolder, publicKey); }
    QString answer(const QString& challenge) { return SignSupportChallenge(desk, challenge); }

    QByteArray desk;
    QString publicKey;
};

TEST_F(SupportTest, AnswerVerifiesForItsChallengeAndKeyOnly) {
    const auto other = GenerateEd25519();
    ASSERT_TRUE(other);
    SupportChallenge a, b;
    ASSERT_TRUE(a.isOpen() && b.isOpen());
    EXPECT_NE(a.code(), b.code());
    EXPECT_EQ(a.code().size(), 19);
    const QString good = answer(a.code());
    ASSERT_FALSE(good.isEmpty());

    EXPECT_TRUE(VerifySupportResponse(publicKey, a.code(), good));
    EXPECT_FALSE(VerifySupportResponse(publicKey, b.code(), good)) << "another challenge";
    EXPECT_FALSE(VerifySupportResponse(SupportPublicKeyText(other->publicKey), a.code(), good))
        << "another key";
    EXPECT_FALSE(b.redeem(publicKey, good));
    EXPECT_TRUE(b.isOpen()) << "a wrong answer leaves the challenge open";
}

TEST_F(SupportTest, AnswerIsTypedFreelyButMustBeTheWholeSignature) {
    SupportChallenge c;
    const QString good = answer(c.code());
    QString flipped = good;
    flipped[10] = flipped[10] == 'A' ? 'B' : 'A';
    QString typo = good;
    typo.replace('0', 'o').replace('1', 'l');
    struct Case {
        QString typed;
        bool verifies;
    } cases[] = {
        {good, true},
        {good.toLower(), true},
        {QString(good).remove('-'), true},
        {QString(good).replace('-', ' '), true},
        {typo, true}, // O and L read as 0 and 1
        {flipped, false},
        {good.left(good.size() - 1), false},
        {good + "0", false},
        {good.left(20), false}, // a cut signature is not a signature
        {"", false},
        {QString(good).replace(good.indexOf(QRegularExpression("[0-9A-Z]")), 1, "U"), false},
    };
    for (const Case& k : cases)
        EXPECT_EQ(VerifySupportResponse(publicKey, c.code(), k.typed), k.verifies)
            << k.typed.toStdString();
    // The desk may read the challenge back in any case, without dashes.
    EXPECT_EQ(answer(QString(c.code()).remove('-').toLower()), good);
    EXPECT_EQ(answer("NOT-A-CHALLENGE"), "");
    EXPECT_EQ(SignSupportChallenge("not a key", c.code()), "");
    EXPECT_FALSE(VerifySupportResponse("", c.code(), good));
    EXPECT_FALSE(VerifySupportResponse("not base64!", c.code(), good));
}

TEST_F(SupportTest, AnswerIsGoodOnceAndOnlyWhileTheChallengeIsOpen) {
    SupportChallenge c;
    const QString code = c.code();
    const QString good = answer(code);
    EXPECT_TRUE(c.redeem(publicKey, good));
    EXPECT_FALSE(c.isOpen());
    EXPECT_FALSE(c.redeem(publicKey, good)) << "replayed";
    SupportChallenge next;
    EXPECT_FALSE(next.redeem(publicKey, good)) << "replayed on a new challenge";

    SupportChallenge closed;
    const QString late = answer(closed.code());
    closed.discard();
    EXPECT_FALSE(closed.redeem(publicKey, late));
}

TEST_F(SupportTest, OnlyTheMachineWideKeyIsTrusted) {
    EXPECT_EQ(SupportPublicKey(ctx().workstation), "");
    writeLocation(ctx().workstation.userConfigFolder, publicKey);
    EXPECT_EQ(SupportPublicKey(ctx().workstation), "");
    SupportChallenge c;
    EXPECT_EQ(CheckLogon(ctx(), "SUPPORT", answer(c.code()), &c).result, LogonResult::NotFound);
    trustDesk();
    EXPECT_EQ(SupportPublicKey(ctx().workstation), publicKey);
}

TEST_F(SupportTest, SupportLogonNeedsTheAnswerToThisChallenge) {
    trustDesk();
    db().exec("UPDATE [Concierge] SET [Status] = 'I', [LastPWChange] = '2001/01/01' "
              "WHERE [UserProfile] = 'SUPPORT'");
    ctx().globals.security4 = true;
    ctx().globals.passwordDays = 90;
    SupportChallenge c;
    const QString good = answer(c.code());
    EXPECT_NE(CheckLogon(ctx(), "SUPPORT", good).result, LogonResult::Ok) << "no challenge";
    EXPECT_NE(CheckLogon(ctx(), "SUPPORT", "SUPPORT", &c).result, LogonResult::Ok);
    EXPECT_EQ(CheckLogon(ctx(), "support", good.toLower(), &c).result, LogonResult::Ok);
    EXPECT_TRUE(ctx().session.support);
    EXPECT_EQ(ctx().session.initials, "@@");
    EXPECT_EQ(
        db().scalar("SELECT [Status] FROM [Concierge] WHERE [UserProfile] = 'SUPPORT'").toString(),
        "A");
    EXPECT_NE(CheckLogon(ctx(), "SUPPORT", good, &c).result, LogonResult::Ok) << "replayed";
}

TEST_F(SupportTest, LogonDialogShowsAChallengeForSupportAndAcceptsItsAnswerOnce) {
    trustDesk();
    QString firstCode, firstAnswer;
    {
        frmLogon dlg(ctx());
        dlg.show();
        auto* name = dlg.findChild<QLineEdit*>("txtLogonName");
        auto* password = dlg.findChild<QLineEdit*>("txtPassword");
        auto* line = dlg.findChild<QLabel*>("lblSupportChallenge");
        ASSERT_TRUE(name && password && line);
        EXPECT_FALSE(line->isVisible());
        QTest::keyClicks(password, "typed first");
        QTest::keyClicks(name, "support");
        EXPECT_TRUE(line->isVisible());
        EXPECT_EQ(password->text(), "") << "what was typed before is not shown in the clear";
        EXPECT_EQ(password->echoMode(), QLineEdit::Normal);
        firstCode = shownCode(line);
        ASSERT_FALSE(firstCode.isEmpty());

        // A wrong answer is refused and the challenge stays.
        QTest::keyClicks(password, answer("0000-0000-0000-0000"));
        QTest::mouseClick(dlg.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        EXPECT_EQ(env.prompt.last(), frmLogon::AccessDeniedText());
        EXPECT_EQ(shownCode(line), firstCode);

        firstAnswer = answer(firstCode);
        password->setText(firstAnswer);
        QTest::mouseClick(dlg.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_TRUE(ctx().session.support);
    }
    ctx().session.clear();

    // A new dialog: a new challenge, and the old answer is worth nothing.
    frmLogon again(ctx());
    again.show();
    QTest::keyClicks(again.findChild<QLineEdit*>("txtLogonName"), "SUPPORT");
    const QString code = shownCode(again.findChild<QLabel*>("lblSupportChallenge"));
    EXPECT_NE(code, firstCode);
    QTest::keyClicks(again.findChild<QLineEdit*>("txtPassword"), firstAnswer);
    QTest::mouseClick(again.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    EXPECT_EQ(env.prompt.last(), frmLogon::AccessDeniedText());
    EXPECT_FALSE(ctx().session.loggedOn());
    // Another name hides the challenge and masks the password again.
    auto* name = again.findChild<QLineEdit*>("txtLogonName");
    name->setText("jdoe");
    EXPECT_FALSE(again.findChild<QLabel*>("lblSupportChallenge")->isVisible());
    EXPECT_EQ(again.findChild<QLineEdit*>("txtPassword")->echoMode(), QLineEdit::Password);
}

TEST_F(SupportTest, MaskedModePasscodeIsTheAnswerToTheDialogsChallenge) {
    ctx().start.masked = true;
    trustDesk();
    frmLogon dlg(ctx());
    dlg.show();
    auto* passcode = dlg.findChild<QLineEdit*>("txtPasscode");
    auto* line = dlg.findChild<QLabel*>("lblPasscodeChallenge");
    auto* ok = dlg.findChild<QPushButton*>("cmdOK");
    ASSERT_TRUE(passcode && line && ok);
    EXPECT_TRUE(passcode->isVisible());
    EXPECT_TRUE(line->isVisible());
    EXPECT_FALSE(dlg.findChild<QLineEdit*>("txtLogonName")->isEnabled());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(env.prompt.shown.last().title, "Enter Passcode");
    QTest::keyClicks(passcode, "ABC");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(env.prompt.last(),
              "The Passcode entered 'ABC' is not correct.\r\nPlease re-enter the passcode.");
    // The answer to another dialog's challenge is not this dialog's passcode.
    SupportChallenge elsewhere;
    passcode->setText(answer(elsewhere.code()));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_TRUE(env.prompt.last().startsWith("The Passcode entered '"));
    EXPECT_TRUE(passcode->isVisible());

    passcode->setText(answer(shownCode(line)));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(passcode->isVisible());
    EXPECT_FALSE(line->isVisible());
    EXPECT_TRUE(dlg.findChild<QLineEdit*>("txtLogonName")->isEnabled());
    EXPECT_EQ(INIRead("Settings", "CorvellaDbPath", ctx().iniFile()), ctx().start.databaseFolder);

    // The same folder next time: no passcode.
    frmLogon again(ctx());
    again.show();
    EXPECT_FALSE(again.findChild<QLineEdit*>("txtPasscode")->isVisible());
    EXPECT_FALSE(again.findChild<QLabel*>("lblPasscodeChallenge")->isVisible());
}
