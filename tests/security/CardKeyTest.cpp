#include "core/CardKey.h"
#include "SecurityFixture.h"
#include "core/Databases.h"
#include "core/Settings.h"
#include "security/CardData.h"
#include "security/CardStore.h"

#include <QFile>
#include <QSettings>

using namespace vm;
using namespace vm::test;

namespace {
constexpr QFileDevice::Permissions kOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                             QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                             QFileDevice::WriteOther | QFileDevice::ExeOther;
const QString kMissingWithCards = "The card key is missing from this workstation's location file";
} // namespace

class CardKeyTest : public SecurityTest {
protected:
    QString locationFile() { return ctx().workstation.userConfigFolder + "location"; }
    QString storedTemplate() {
        return QSettings(locationFile(), QSettings::IniFormat).value("KeyTemplate").toString();
    }
    void setStoredTemplate(const QVariant& value) {
        QSettings s(locationFile(), QSettings::IniFormat);
        if (value.isValid())
            s.setValue("KeyTemplate", value);
        else
            s.remove("KeyTemplate");
        s.sync();
    }
    CardKeyState reopen() {
        CloseDatabase(ctx());
        env.prompt.clear();
        EXPECT_EQ(env.open(), 0);
        return ctx().start.cardKey;
    }
    bool ownerOnly(const QString& file) {
        const auto p = QFile::permissions(file);
        return (p & kOthers) == 0 && (p & QFileDevice::ReadOwner) && (p & QFileDevice::WriteOwner);
    }
    ProfileCard visa() {
        ProfileCard c;
        c.profileId = 12;
        c.cardType = "Visa";
        c.number = "4111 1111 1111 1111";
        c.expires = "12/29";
        return c;
    }
    qint64 profileCards() { return count("SELECT COUNT(*) FROM [ProfileCC]"); }
};

TEST_F(CardKeyTest, NewPropertyKeepsEnhancedEncryptionAndMakesItsKeyOnce) {
    EXPECT_EQ(ReadEnhancedEncryption(db()), std::optional<bool>(true));
    EXPECT_EQ(ctx().start.cardKey, CardKeyState::Ready);
    const QString key = ctx().start.keyTemplate;
    EXPECT_EQ(key.size(), 64);
    // The file holds the template wrapped, never in clear, and only its owner reads it.
    ASSERT_TRUE(QFile::exists(locationFile()));
    EXPECT_FALSE(storedTemplate().isEmpty());
    EXPECT_NE(storedTemplate(), key);
    EXPECT_TRUE(ownerOnly(locationFile()));

    const qint64 card = InsertProfileCC(ctx(), visa());
    ASSERT_GT(card, 0);
    EXPECT_EQ(reopen(), CardKeyState::Ready);
    EXPECT_EQ(ctx().start.keyTemplate, key) << "the same key at every start";
    const QString enc =
        db().scalar("SELECT [EncCC] FROM [ProfileCC] WHERE [ProfileCCID] = ?", {card}).toString();
    EXPECT_EQ(DecryptCC(ctx(), enc, "12"), "4111111111111111");
}

TEST_F(CardKeyTest, MissingKeyWhileCardsAreStoredIsRefusedNotReplaced) {
    const qint64 card = InsertProfileCC(ctx(), visa());
    ASSERT_GT(card, 0);
    const QString enc =
        db().scalar("SELECT [EncCC] FROM [ProfileCC] WHERE [ProfileCCID] = ?", {card}).toString();
    const QString wrapped = storedTemplate();

    setStoredTemplate(QVariant());
    EXPECT_EQ(reopen(), CardKeyState::TemplateMissing);
    EXPECT_TRUE(env.prompt.sawPart(kMissingWithCards));
    EXPECT_TRUE(ctx().start.keyTemplate.isEmpty());
    EXPECT_TRUE(storedTemplate().isEmpty()) << "no new key over stored cards";

    // Neither stored nor shown, and the refusal says why.
    env.prompt.clear();
    EXPECT_EQ(InsertProfileCC(ctx(), visa()), 0);
    EXPECT_EQ(profileCards(), 1);
    EXPECT_EQ(DecryptCC(ctx(), enc, "12"), "");
    EXPECT_EQ(env.prompt.texts(), QStringList(2, CardsRefusedText(CardKeyState::TemplateMissing)));

    // The restored file brings every stored card back.
    setStoredTemplate(wrapped);
    EXPECT_EQ(reopen(), CardKeyState::Ready);
    EXPECT_EQ(DecryptCC(ctx(), enc, "12"), "4111111111111111");
}

TEST_F(CardKeyTest, AnyStoredCardKeepsAMissingKeyMissing) {
    struct Case {
        const char* table;
        bool archive;
    } cases[] = {
        {"LogBook", false}, {"LogBook", true}, {"ProfileCC", false}, {"LostAndFound", false}};
    for (const Case& c : cases) {
        Database& where = c.archive ? *ctx().archive : db();
        where.exec(QString("INSERT INTO [%1] ([EncCC]) VALUES ('0A1B2C')").arg(c.table));
        setStoredTemplate(QVariant());
        EXPECT_EQ(reopen(), CardKeyState::TemplateMissing) << c.table << c.archive;
        EXPECT_TRUE(storedTemplate().isEmpty()) << c.table << c.archive;
        EXPECT_TRUE(HoldsEncryptedCards(ctx())) << c.table << c.archive;

        // Without the card the property may have a new key.
        Database& again = c.archive ? *ctx().archive : db();
        again.exec(QString("DELETE FROM [%1]").arg(c.table));
        EXPECT_FALSE(HoldsEncryptedCards(ctx())) << c.table << c.archive;
        EXPECT_EQ(reopen(), CardKeyState::Ready) << c.table << c.archive;
        EXPECT_FALSE(storedTemplate().isEmpty()) << c.table << c.archive;
    }
}

TEST_F(CardKeyTest, UnreadableKeyIsReportedAndKept) {
    setStoredTemplate("NOT-A-KEY");
    EXPECT_EQ(reopen(), CardKeyState::TemplateUnreadable);
    EXPECT_EQ(env.prompt.texts(), QStringList{CardsRefusedText(CardKeyState::TemplateUnreadable)});
    EXPECT_EQ(storedTemplate(), "NOT-A-KEY");
    env.prompt.clear();
    EXPECT_EQ(InsertProfileCC(ctx(), visa()), 0);
    EXPECT_EQ(profileCards(), 0);
}

TEST_F(CardKeyTest, KeyThatCannotBeKeptIsNotUsed) {
    // The location "file" is a folder: nothing can be written into it.
    ASSERT_TRUE(QFile::remove(locationFile()));
    ASSERT_TRUE(QDir().mkpath(locationFile()));
    EXPECT_EQ(reopen(), CardKeyState::TemplateNotStored);
    EXPECT_TRUE(ctx().start.keyTemplate.isEmpty());
    EXPECT_TRUE(env.prompt.saw(CardsRefusedText(CardKeyState::TemplateNotStored)));
    EXPECT_EQ(EncryptCC(ctx(), "4111111111111111", "1"), "");
    QFile::setPermissions(locationFile(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(CardKeyTest, RewrittenLocationFileBecomesOwnerOnly) {
    // An older file, readable by everybody, without a key yet.
    setStoredTemplate(QVariant());
    ASSERT_TRUE(
        QFile::setPermissions(locationFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup | QFileDevice::ReadOther));
    ASSERT_FALSE(ownerOnly(locationFile()));
    EXPECT_EQ(reopen(), CardKeyState::Ready);
    EXPECT_FALSE(storedTemplate().isEmpty());
    EXPECT_TRUE(ownerOnly(locationFile()));
}

TEST_F(CardKeyTest, SwitchedOffEncryptionMakesNoKeyAndStoresNoCard) {
    setStoredTemplate(QVariant());
    ASSERT_TRUE(SetBooleanSetting(db(), "EnhancedEncryption", false));
    EXPECT_EQ(reopen(), CardKeyState::EncryptionOff);
    EXPECT_TRUE(env.prompt.shown.isEmpty()) << "the property's own choice is said on use";
    EXPECT_TRUE(storedTemplate().isEmpty());
    EXPECT_TRUE(ctx().start.keyTemplate.isEmpty());
    EXPECT_EQ(InsertProfileCC(ctx(), visa()), 0);
    EXPECT_EQ(env.prompt.texts(), QStringList{CardsRefusedText(CardKeyState::EncryptionOff)});
    EXPECT_EQ(profileCards(), 0);
}
