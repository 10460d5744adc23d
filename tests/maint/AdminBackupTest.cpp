#include "AdminFixture.h"
#include "maint/Backup.h"

#include <QDirIterator>
#include <atomic>
#include <thread>

using namespace vm;
using namespace vm::maint;
using namespace vm::test;

using AdminBackupTest = AdminTest;

namespace {
QStringList filesUnder(const QString& folder) {
    QStringList out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << it.next();
    out.sort();
    return out;
}
const Lines quiet = [](const QString&) {};
} // namespace

TEST_F(AdminBackupTest, BackupWhileADeskWritesRestoresEqual) {
    env.openShared(); // contacts and events in a common database of their own folder
    populate();
    const QString dest = scratch("backup");
    const qint64 before = count("SELECT COUNT(*) FROM [LogbookHistory]");
    std::atomic<bool> stop{false};
    std::atomic<int> written{0};
    // Another desk saving history rows on a connection of its own all along.
    std::thread desk([&] {
        auto other = Database::open(LocationFor(ctx(), ctx().start.currentBase), false);
        while (!stop) {
            other->transaction([&] {
                other->exec("INSERT INTO [LogbookHistory] ([LogbookID], [Initials], "
                            "[LogDateTime], [Reason]) VALUES (1, 'XX', '2026/03/14 10:00', ?)",
                            {QString("desk %1").arg(written.load())});
            });
            ++written;
        }
        other.reset();
    });
    while (written < 5)
        std::this_thread::yield();
    Manifest m;
    {
        auto p = property();
        m = BackupProperty(*p, dest, quiet, {[&](const QString&) {
            const int now = written;
            while (written < now + 3)
                std::this_thread::yield();
        }});
    }
    stop = true;
    desk.join();

    ASSERT_EQ(m.databases.size(), 3);
    const qint64 saved = m.databases.first().find("LogbookHistory")->rows;
    EXPECT_GT(saved, before);
    EXPECT_LT(saved, before + written);
    EXPECT_EQ(m.databases.first().find("LogBook")->rows, 30);
    EXPECT_EQ(m.databases.at(1).find("LogBook")->rows, 1);

    // The restore matches the manifest, table for table.
    const PropertySource target = otherDatabase("restored");
    QStringList said;
    EXPECT_EQ(RestoreProperty(dest, target, ctx().workstation, env.clock,
                              [&](const QString& l) { said << l; }),
              QStringList());
    EXPECT_EQ(said.size(), 3);
    Property restored(target, ctx().workstation, env.clock);
    restored.open();
    EXPECT_EQ(restored.ctx().db().scalar("SELECT COUNT(*) FROM [LogbookHistory]").toLongLong(),
              saved);
}

TEST_F(AdminBackupTest, RestoreRefusesAPlaceThatIsNotEmptyAndWritesNothing) {
    const QString dest = scratch("backup");
    {
        auto p = property();
        BackupProperty(*p, dest, quiet);
        // A second backup into the same folder would write over the first.
        EXPECT_THROW(BackupProperty(*p, dest, quiet), AdminError);
    }
    const PropertySource target = otherDatabase("busy");
    if (UsingPostgres()) {
        Property busy(target, ctx().workstation, env.clock);
        auto db = Database::open(busy.locationOf("VelmA"), true);
        db->exec("CREATE TABLE [Keep] ([A] INTEGER)");
    } else {
        QDir().mkpath(target.folder);
        QFile f(target.folder + "notes.txt");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("mine");
    }
    try {
        RestoreProperty(dest, target, ctx().workstation, env.clock, quiet);
        FAIL() << "restored over something";
    } catch (const AdminError& e) {
        EXPECT_EQ(e.code(), ExitProblem);
        EXPECT_TRUE(e.text().endsWith("is not empty: nothing was written"))
            << e.text().toStdString();
    }
    Property after(target, ctx().workstation, env.clock);
    EXPECT_FALSE(after.exists("VelmP"));
    if (UsingPostgres())
        EXPECT_TRUE(after.exists("VelmA")); // the table that was there, and no more
    else
        EXPECT_EQ(filesUnder(target.folder), QStringList{target.folder + "notes.txt"});

    // A manifest that does not match its files is a failed restore, and what
    // it wrote is taken away again.
    if (!UsingPostgres()) {
        DbLocation archiveCopy;
        archiveCopy.file = dest + "VelmA.db";
        Database::open(archiveCopy, false)->exec("INSERT INTO [LogBook] ([LastName]) VALUES ('x')");
        const PropertySource empty = otherDatabase("mismatch");
        EXPECT_FALSE(RestoreProperty(dest, empty, ctx().workstation, env.clock, quiet).isEmpty());
        EXPECT_EQ(filesUnder(empty.folder), QStringList());
    }
}
