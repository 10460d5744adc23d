#include "AdminFixture.h"
#include "maint/Check.h"
#include "maint/Copy.h"

using namespace vm;
using namespace vm::maint;
using namespace vm::test;

using AdminCopyTest = AdminTest;

namespace {
const Lines quiet = [](const QString&) {};

qint64 rowsOf(const QList<DatabaseSums>& sums, const QString& store, const QString& table) {
    for (const DatabaseSums& d : sums)
        if (d.store == store) return d.find(table)->rows;
    return -2;
}
} // namespace

// Within one engine (both runs): every row arrives, keys and all, and the copy
// is a working property whose next keys follow the copied ones.
TEST_F(AdminCopyTest, CopyGivesEqualChecksumsAndAWorkingProperty) {
    env.openShared();
    populate();
    auto from = property();
    const PropertySource to = elsewhere("copy");
    const CopyResult r = CopyProperty(*from, to, ctx().workstation, env.clock, quiet);
    EXPECT_EQ(r.differences, QStringList());
    EXPECT_EQ(r.source.size(), 3);
    EXPECT_EQ(rowsOf(r.target, "current", "LogBook"), 30);
    EXPECT_GT(rowsOf(r.target, "current", "LogText"), 30);
    EXPECT_GT(rowsOf(r.target, "current", "LogbookHistory"), 0);
    EXPECT_EQ(rowsOf(r.target, "current", "ProfileCC"), 12);
    EXPECT_EQ(rowsOf(r.target, "current", "TimedService"), 24);
    EXPECT_EQ(rowsOf(r.target, "archive", "LogBook"), 1);

    Property copy(to, ctx().workstation, env.clock);
    copy.open();
    EXPECT_TRUE(CheckProperty(copy).ok()) << CheckProperty(copy).problems.join("\n").toStdString();
    const qint64 maxProfile = db().scalar("SELECT MAX([ProfileID]) FROM [Profile]").toLongLong();
    const qint64 next = copy.ctx().db().insert("INSERT INTO [Profile] ([LastName]) VALUES ('New')",
                                               {}, "ProfileID");
    EXPECT_GT(next, maxProfile);

    // A second copy into the same place is refused before anything is written.
    EXPECT_THROW(CopyProperty(*from, to, ctx().workstation, env.clock, quiet), AdminError);
    EXPECT_EQ(copy.ctx().db().scalar("SELECT COUNT(*) FROM [Profile]").toLongLong(),
              count("SELECT COUNT(*) FROM [Profile]") + 1);
}

TEST_F(AdminCopyTest, ChecksumsSeeValuesNotEngines) {
    using schema::Type;
    // The same value as each engine hands it over normalises alike ...
    EXPECT_EQ(NormalisedValue(QVariant(1), Type::Boolean),
              NormalisedValue(QVariant(true), Type::Boolean));
    EXPECT_EQ(NormalisedValue(QVariant("2026-03-14 09:30:00"), Type::Date),
              NormalisedValue(QVariant(QDateTime(QDate(2026, 3, 14), QTime(9, 30))), Type::Date));
    EXPECT_EQ(NormalisedValue(QVariant(qlonglong(7)), Type::Long),
              NormalisedValue(QVariant(7.0), Type::Long));
    // ... while a NULL, an empty text and a changed value stay apart.
    EXPECT_NE(NormalisedValue(QVariant(), Type::Text), NormalisedValue(QVariant(""), Type::Text));
    EXPECT_NE(NormalisedValue(QVariant("Ann"), Type::Text),
              NormalisedValue(QVariant("ann"), Type::Text));
    EXPECT_NE(NormalisedValue(QVariant(0.1), Type::Currency),
              NormalisedValue(QVariant(0.1 + 1e-12), Type::Currency));

    populate();
    auto p = property();
    const DatabaseSums before = SumDatabase(p->ctx().db(), "VelmP", schema::Current);
    db().exec("UPDATE [LogText] SET [NoteField] = [NoteField] || 'x' WHERE [LogID] = 3 AND "
              "[Sequence] = 1");
    const DatabaseSums after = SumDatabase(p->ctx().db(), "VelmP", schema::Current);
    EXPECT_EQ(CompareSums({before}, {after}).size(), 1);
    EXPECT_TRUE(CompareSums({before}, {after}).first().startsWith("VelmP LogText:"));
}

// Files to a server and back: registered only where there is a server to go to.
class AdminCopyRoundTrip : public AdminTest {
public:
    void TestBody() override;
};

namespace {
const bool roundTripRegistered =
    UsingPostgres() &&
    (::testing::RegisterTest("AdminCopyServerTest", "RoundTripThroughTheOtherEngineKeepsEveryRow",
                             nullptr, nullptr, __FILE__, __LINE__,
                             []() -> AdminTest* { return new AdminCopyRoundTrip; }),
     true);
} // namespace

void AdminCopyRoundTrip::TestBody() {
    populate();
    auto server = property();
    // The server property goes to files, from there to new schemas and back to files.
    const PropertySource files = FolderSource(scratch("files"));
    const CopyResult down = CopyProperty(*server, files, ctx().workstation, env.clock, quiet);
    ASSERT_EQ(down.differences, QStringList());
    Property sqlite(files, ctx().workstation, env.clock);
    sqlite.open();
    const PropertySource up = elsewhere("up");
    const CopyResult there = CopyProperty(sqlite, up, ctx().workstation, env.clock, quiet);
    ASSERT_EQ(there.differences, QStringList());
    Property again(up, ctx().workstation, env.clock);
    again.open();
    const CopyResult back =
        CopyProperty(again, FolderSource(scratch("back")), ctx().workstation, env.clock, quiet);
    EXPECT_EQ(back.differences, QStringList());
    EXPECT_EQ(CompareSums(down.source, back.target), QStringList());
    EXPECT_EQ(rowsOf(back.target, "current", "LogBook"), 30);
}
