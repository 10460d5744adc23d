#include "AdminFixture.h"
#include "maint/CardMaintenance.h"
#include "platform/Cipher.h"

#include <QSettings>

using namespace vm;
using namespace vm::maint;
using namespace vm::test;

class AdminCardsTest : public AdminTest {
protected:
    // Replacement files of the location file that were not put in place.
    QStringList leftovers() {
        return QDir(ctx().workstation.userConfigFolder).entryList({"location?*"}, QDir::Files);
    }
};

namespace {
const Lines quiet = [](const QString&) {};

// Every stored card value with the record value that keys it.
struct StoredCard {
    QString where, stored, record;
    bool operator==(const StoredCard& o) const {
        return where == o.where && stored == o.stored && record == o.record;
    }
};

std::vector<StoredCard> storedCards(AppContext& ctx) {
    std::vector<StoredCard> out;
    for (const Row& r : ctx.db().query("SELECT [LogID], [EncCC] FROM [LogBook] WHERE "
                                       "TRIM([EncCC]) <> '' ORDER BY [LogID]"))
        out.push_back({"L" + r.text(0), r.text(1), r.text(0)});
    for (const Row& r : ctx.db().query("SELECT [ProfileCCID], [ProfileID], [EncCC], [EncExp] "
                                       "FROM [ProfileCC] ORDER BY [ProfileCCID]")) {
        out.push_back({"C" + r.text(0), r.text(2), r.text(1)});
        out.push_back({"E" + r.text(0), r.text(3), r.text(1)});
    }
    for (const Row& r : ctx.archive->query("SELECT [LogID], [EncCC] FROM [LogBook]"))
        out.push_back({"A" + r.text(0), r.text(1), r.text(0)});
    return out;
}

QStringList clearTexts(const std::vector<StoredCard>& cards, const QString& key) {
    QStringList out;
    for (const StoredCard& c : cards) {
        const CipherResult r = TryDecryptWithTemplate(c.stored, key, c.record);
        out << (r.ok() ? r.text : "<unreadable>");
    }
    return out;
}

QByteArray bytesOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST_F(AdminCardsTest, RekeyEncryptsEveryCardAgainAndThenReplacesTheKey) {
    populate();
    const QString oldKey = ctx().start.keyTemplate;
    const auto before = storedCards(ctx());
    ASSERT_EQ(before.size(), 6u + 12u * 2u + 1u);
    const QStringList clear = clearTexts(before, oldKey);
    ASSERT_FALSE(clear.contains("<unreadable>"));
    ASSERT_TRUE(clear.contains(kVisa) && clear.contains(kMaster) && clear.contains("12/29"));
    auto p = property();
    // Readable by others before: the new file is not.
    QFile::setPermissions(locationFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadOther);
    const RekeyResult r = RekeyCards(*p, quiet);
    EXPECT_EQ(r.values, int(before.size()));

    const QString sealed =
        QSettings(locationFile(), QSettings::IniFormat).value("KeyTemplate").toString();
    const QString newKey = DecryptOriginal(sealed, false, CipherKeys::builtIn(false));
    ASSERT_EQ(newKey.size(), 64);
    EXPECT_NE(newKey, oldKey);
    const auto after = storedCards(ctx());
    EXPECT_EQ(clearTexts(after, newKey), clear);
    for (const QString& t : clearTexts(after, oldKey))
        EXPECT_EQ(t, "<unreadable>");
    // The rest of the location file is kept, and it is its owner's alone.
    EXPECT_EQ(QSettings(locationFile(), QSettings::IniFormat).value("Folder").toString(),
              env.databaseFolder());
    EXPECT_EQ(QFile::permissions(locationFile()) &
                  ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(leftovers(), QStringList());

    // The program started again reads the cards with the new key.
    CloseDatabase(ctx());
    ASSERT_EQ(env.open(), 0);
    EXPECT_EQ(DecryptCC(ctx(), after.front().stored, after.front().record), clear.front());
}

TEST_F(AdminCardsTest, ARekeyThatFailsHalfWayChangesNothing) {
    populate();
    auto p = property();
    const auto before = storedCards(ctx());
    const QByteArray file = bytesOf(locationFile());
    for (const int failAt : {1, 20, int(before.size())}) {
        RekeyHooks hooks;
        hooks.afterValue = [&](int written) {
            if (written == failAt) throw DbError(DbErrorNumber::General, "disk full");
        };
        EXPECT_THROW(RekeyCards(*p, quiet, hooks), DbError);
        EXPECT_EQ(storedCards(ctx()), before) << failAt;
        EXPECT_EQ(bytesOf(locationFile()), file);
        EXPECT_EQ(leftovers(), QStringList());
    }
    // A value that the present key cannot read stops it before anything changes.
    db().exec("UPDATE [LogBook] SET [EncCC] = 'ABCDEF' WHERE [LogID] = 6");
    const auto damaged = storedCards(ctx());
    EXPECT_THROW(RekeyCards(*p, quiet), AdminError);
    EXPECT_EQ(storedCards(ctx()), damaged);
    EXPECT_EQ(bytesOf(locationFile()), file);

    // Cards stored but no key in the location file: nothing to read them with.
    QSettings(locationFile(), QSettings::IniFormat).remove("KeyTemplate");
    const QByteArray keyless = bytesOf(locationFile());
    try {
        RekeyCards(*property(), quiet);
        FAIL() << "rekeyed without a key";
    } catch (const AdminError& e) {
        EXPECT_TRUE(e.text().endsWith("holds no card key")) << e.text().toStdString();
    }
    EXPECT_EQ(storedCards(ctx()), damaged);
    EXPECT_EQ(bytesOf(locationFile()), keyless);
}

TEST_F(AdminCardsTest, PurgeCardsRunsThePolicyOnceADay) {
    populate();
    auto p = property();
    EXPECT_FALSE(PurgeCards(p->ctx()).ran); // no policy
    SetValueFromKey(db(), "Purge_CC_N_Days", "30");
    const QDateTime old = env.clock.now().addDays(-31);
    db().exec("UPDATE [LogBook] SET [CC_CreatedDate] = ? WHERE [LogID] IN (1, 6)", {old});
    db().exec("UPDATE [ProfileCC] SET [CreatedDate] = ? WHERE [ProfileCCID] <= 3", {old});
    const PurgeResult r = PurgeCards(p->ctx());
    EXPECT_TRUE(r.ran);
    EXPECT_EQ(r.days, 30);
    EXPECT_EQ(r.logbook, 2);
    EXPECT_EQ(r.profiles, 3);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogBook] WHERE TRIM([EncCC]) <> ''"), 4);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [ProfileCC] WHERE [CardNumber] = 'Rem by CC Policy'"), 3);
    const PurgeResult again = PurgeCards(p->ctx());
    EXPECT_FALSE(again.ran);
    EXPECT_EQ(again.why, "the purge has run today already");
}
