#include "AdminFixture.h"

#include <QProcess>

using namespace vm;
using namespace vm::test;

using AdminProgramTest = AdminTest;

namespace {
struct Outcome {
    int code = -1;
    QString out, err;
};

Outcome admin(const QStringList& args) {
    QProcess proc;
    proc.start(VELMORA_ADMIN_PROGRAM, args);
    proc.waitForFinished(60000);
    return {proc.exitStatus() == QProcess::NormalExit ? proc.exitCode() : -1,
            QString::fromLocal8Bit(proc.readAllStandardOutput()),
            QString::fromLocal8Bit(proc.readAllStandardError())};
}
} // namespace

TEST_F(AdminProgramTest, ExitCodesOfTheBuiltCommand) {
    const Outcome help = admin({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.startsWith("usage: velmora-admin")) << help.out.toStdString();
    const Outcome more = admin({"help", "rekey"});
    EXPECT_EQ(more.code, 0);
    EXPECT_TRUE(more.out.contains("one\n  transaction")) << more.out.toStdString();

    const Outcome bad = admin({"frobnicate"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(bad.err.startsWith("velmora-admin: no command 'frobnicate'"))
        << bad.err.toStdString();
    EXPECT_EQ(admin({"backup"}).code, 2);
    EXPECT_EQ(admin({"--folder", scratch("nothing"), "check"}).code, 2);

    // A sound property checks clean; a planted orphan makes it exit 1.
    source();
    const Outcome clean = admin({"--location", locationFile(), "check"});
    EXPECT_EQ(clean.code, 0) << clean.out.toStdString() << clean.err.toStdString();
    EXPECT_TRUE(clean.out.endsWith("all is well\n"));

    // Backup and restore from the command line; a backup restores on its own engine only.
    const QString dest = scratch("backup");
    EXPECT_EQ(admin({"--location", locationFile(), "backup", dest}).code, 0);
    const Outcome restore = admin({"restore", dest, "--to", scratch("restored")});
    EXPECT_EQ(restore.code, UsingPostgres() ? 2 : 0) << restore.err.toStdString();
    if (!UsingPostgres()) {
        EXPECT_TRUE(restore.out.endsWith("restored and verified against the manifest\n"));
        EXPECT_EQ(admin({"restore", dest, "--to", scratch("restored")}).code, 1);
        EXPECT_EQ(
            admin({"--location", locationFile(), "copy", "--to", "sqlite", scratch("c")}).code, 2);
    } else {
        // The server's property moves to files.
        const Outcome copy =
            admin({"--location", locationFile(), "copy", "--to", "sqlite", scratch("c")});
        EXPECT_EQ(copy.code, 0) << copy.err.toStdString();
        EXPECT_TRUE(copy.out.endsWith("every table is equal on both sides\n"));
        EXPECT_TRUE(QFile::exists(scratch("c") + "VelmP.db"));
    }

    db().exec("INSERT INTO [LogText] ([LogID], [Sequence], [NoteField]) VALUES (4242, 1, 'lost')");
    const Outcome found = admin({"--location", locationFile(), "check"});
    EXPECT_EQ(found.code, 1);
    EXPECT_TRUE(found.out.contains("PROBLEM: VelmP: logbook text pieces whose entry is gone: 1"))
        << found.out.toStdString();
}
