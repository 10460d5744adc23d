#include "app/Startup.h"
#include "core/Databases.h"
#include "core/Settings.h"
#include "core/StartOfDay.h"
#include "platform/LocationProvider.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

using namespace vm;
using namespace vm::test;

TEST(Startup, ProviderAnswerChoosesFolderAndFileNames) {
    TestEnv env;
    RegistryValues registry(env.ctx->workstation);
    ApplyProviderAnswer(*env.ctx, "  /srv/velmora/db/ABCDEF  ", registry);
    EXPECT_EQ(env.ctx->start.databaseFolder, "/srv/velmora/db/");
    EXPECT_EQ(env.ctx->start.currentBase, "VelmP");
    EXPECT_FALSE(env.ctx->start.masked);

    ApplyProviderAnswer(*env.ctx, "ABCDEF", registry);
    EXPECT_EQ(env.ctx->start.databaseFolder, "") << "no separator leaves the folder empty";

    registry.setLocation("/srv/masked");
    ApplyProviderAnswer(*env.ctx, "Corvella MaskedABCDEF", registry);
    EXPECT_TRUE(env.ctx->start.masked);
    EXPECT_EQ(env.ctx->start.databaseFolder, "/srv/masked/");
    EXPECT_EQ(env.ctx->start.currentBase, "VelmPM");
    EXPECT_EQ(env.ctx->start.archiveBase, "VelmAM");
    EXPECT_EQ(env.ctx->start.commonBase, "VelmCEM");

    SavePathToRegistry(*env.ctx, registry);
    EXPECT_EQ(registry.fullDbPath(), "/srv/masked/VelmPM.db");
}

TEST(Startup, DefaultLocationIsMadeOnceForItsOwnerOnly) {
    TestEnv env;
    LocationProvider provider(env.ctx->workstation);
    const QString first = provider.answer();
    EXPECT_EQ(first, env.ctx->workstation.userDataFolder + "Database/")
        << "the key template comes with the first open of the databases";
    EXPECT_EQ(provider.answer(), first);
    const QString file = env.ctx->workstation.userConfigFolder + "location";
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(QFile::permissions(file) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST(Startup, LocationFileIsNarrowedToItsOwnerWhenRewritten) {
    TestEnv env;
    const QString file = env.root() + "/etc/location";
    QDir().mkpath(env.root() + "/etc");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[General]\nFolder=/srv/velmora/\n");
    }
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther));
    ASSERT_TRUE(StoreKeyTemplate(file, "ABCDEF"));
    EXPECT_EQ(QFile::permissions(file) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QSettings s(file, QSettings::IniFormat);
    EXPECT_EQ(s.value("KeyTemplate").toString(), "ABCDEF");
    EXPECT_EQ(s.value("Folder").toString(), "/srv/velmora/") << "the other keys stay";
}

TEST(Startup, EmptyFolderWritesTheFileThatIsOpened) {
    TestEnv env;
    RegistryValues registry(env.ctx->workstation);
    ApplyProviderAnswer(*env.ctx, "ABCDEF", registry);
    ASSERT_EQ(env.ctx->start.databaseFolder, "");
    // An empty folder is the current directory.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(env.root()));
    SavePathToRegistry(*env.ctx, registry);
    const QString written = registry.fullDbPath();
    EXPECT_EQ(written, QDir(env.root()).absoluteFilePath("VelmP.db"));
    EXPECT_NE(written, "/VelmP.db");
    if (!UsingPostgres()) {
        ASSERT_EQ(env.open(), 0) << env.prompt.texts().join("\n").toStdString();
        EXPECT_TRUE(QFileInfo::exists(written)) << "the database opened is the one written";
        CloseDatabase(*env.ctx);
    }
    QDir::setCurrent(before);

    // A folder is written as it is, with the current file name.
    ApplyProviderAnswer(*env.ctx, "/srv/velmora/db/ABCDEF", registry);
    SavePathToRegistry(*env.ctx, registry);
    EXPECT_EQ(registry.fullDbPath(), "/srv/velmora/db/VelmP.db");
}

TEST(Startup, SplashOnlyForTheDeskProgramsNames) {
    struct Case {
        const char* executable;
        bool splash;
    } cases[] = {
        {"velmora", true}, {"VelmM", true},    {"@VelmM", true},     {"VELMM", false},
        {"velmm", false},  {"Velmora", false}, {"VelmMaint", false}, {"velmora-bench", false},
        {"@velmm", false}, {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShowsSplash(c.executable), c.splash) << c.executable;
}

TEST(Startup, RefusesToRunFromTheDatabaseFolder) {
    TestEnv env;
    env.ctx->start.databaseFolder = env.ctx->workstation.programFolder + "/";
    EXPECT_EQ(RefusalToRunFromServer(*env.ctx),
              "You may NOT run the program from the network.\rPlease call your IT support person "
              "to repair your shortcut.\r\rThe shortcut should call the program from the "
              "installation directory\r(" +
                  env.ctx->workstation.programFolder + ") on your computer.\rThank you.");
    env.ctx->start.databaseFolder = env.root() + "/db/";
    EXPECT_EQ(RefusalToRunFromServer(*env.ctx), "");
}

TEST(Startup, NewerProgramInTheDatabaseFolderEndsTheStart) {
    TestEnv env;
    const QString local = env.ctx->workstation.programFolder + "/velmora";
    const QString shared = env.databaseFolder() + "velmora";
    for (const QString& f : {local, shared}) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QFile(local).open(QIODevice::ReadWrite);
    QFile l(local);
    l.open(QIODevice::ReadWrite);
    l.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime);
    l.close();
    EXPECT_EQ(CheckNewVersion(*env.ctx), VersionCheck::Launch);
    EXPECT_TRUE(
        NewVersionMessage(*env.ctx).startsWith("There is a NEW version of Velmora\navailable in "));

    QFile s(shared);
    s.open(QIODevice::ReadWrite);
    s.setFileTime(QDateTime::currentDateTime().addDays(-5), QFileDevice::FileModificationTime);
    s.close();
    EXPECT_EQ(CheckNewVersion(*env.ctx), VersionCheck::Current);
}

TEST(Startup, LocalSettingsFileIsCreatedWithItsTwoLines) {
    TestEnv env;
    PrepareLocalSettings(*env.ctx);
    QFile f(env.ctx->iniFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(content.startsWith("[Settings]"));
    EXPECT_TRUE(content.contains("Skin=WinXPLuna"));
    EXPECT_EQ(INIRead("Settings", "Vm_Version", env.ctx->iniFile()), VersionText());
    EXPECT_TRUE(VersionText().endsWith(" (C31)"));
}

TEST(Startup, LoadStoresDefaultsAndRunsTheDayOnce) {
    TestEnv env;
    int builds = 0;
    env.ctx->daily.buildTodaysTasks = [&](AppContext&) { ++builds; };
    ASSERT_EQ(LoadMainWindowData(*env.ctx), 0) << env.prompt.texts().join("\n").toStdString();
    Database& db = env.db();
    EXPECT_EQ(GetVmSetting(db, "MapProvider"), "Google");
    EXPECT_EQ(GetVmSetting(db, "PropertyID"), "0");
    EXPECT_EQ(GetVmSetting(db, "OdsLimoInterface"), "false");
    EXPECT_EQ(db.scalar("SELECT [DailyDate] FROM [Authorization]").toString(), "2026/03/14");
    EXPECT_EQ(builds, 1);

    // Old rows go on a new day; a second start on the same day does nothing.
    db.exec("INSERT INTO [TicklerNotes] ([ThroughDate]) VALUES ('2026/02/01'), ('2026/03/10')");
    db.exec("INSERT INTO [ResRowLimits] ([ReservationDate]) VALUES ('2026/03/14'), ('2026/03/15')");
    db.exec(
        "INSERT INTO [Documents] ([ExpirationDate]) VALUES ('2026/03/15'), ('2026/03/20'), (' ')");
    EXPECT_FALSE(RunStartOfDay(*env.ctx));
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [TicklerNotes]").toInt(), 2);

    env.clock.advanceDays(1);
    EXPECT_TRUE(RunStartOfDay(*env.ctx));
    EXPECT_EQ(builds, 2);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [TicklerNotes]").toInt(), 1);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [ResRowLimits]").toInt(), 1);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [Documents]").toInt(), 3)
        << "shown through its expiry day";
    EXPECT_FALSE(RunStartOfDay(*env.ctx));
    env.clock.advanceDays(1);
    EXPECT_TRUE(RunStartOfDay(*env.ctx));
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [Documents]").toInt(), 2)
        << "expired yesterday goes, blank stays";
}

TEST(Startup, ADayTakenByAnotherDeskMeanwhileIsNotRunAgain) {
    TestEnv env;
    env.openOrFail();
    env.db().exec("INSERT INTO [TicklerNotes] ([ThroughDate]) VALUES ('2026/02/01')");
    int builds = 0;
    // Another desk starts the day while this one builds the tasks.
    env.ctx->daily.buildTodaysTasks = [&](AppContext& c) {
        ++builds;
        c.db().exec("UPDATE [Authorization] SET [DailyDate] = '2026/03/14'");
    };
    EXPECT_FALSE(RunStartOfDay(*env.ctx));
    EXPECT_EQ(builds, 1) << "the tasks' builder decides for itself whether the day is its own";
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [TicklerNotes]").toInt(), 1)
        << "the other desk does the day's purges";
}

TEST(Startup, CardPurgeIsDueOncePerDayWithAPolicy) {
    TestEnv env;
    env.openOrFail();
    EXPECT_FALSE(env.ctx->start.purgeAtStart) << "no retention policy, no purge";
    SetValueFromKey(env.db(), "Purge_CC_N_Days", "30");
    SetValueFromKey(env.db(), "Purge_Last_Run", "03/13/2026");
    CloseDatabase(*env.ctx);
    env.openOrFail();
    EXPECT_TRUE(env.ctx->start.purgeAtStart);
    SetValueFromKey(env.db(), "Purge_Last_Run", "03/14/2026");
    CloseDatabase(*env.ctx);
    env.openOrFail();
    EXPECT_FALSE(env.ctx->start.purgeAtStart);
}

TEST(Startup, MaskedDayStartsTheDepartedStaffCheckOrSaysItIsMissing) {
    TestEnv env;
    env.openOrFail();
    env.ctx->start.masked = true;
    const QString program = env.databaseFolder() + "Departed";
    EXPECT_TRUE(RunStartOfDay(*env.ctx));
    EXPECT_TRUE(env.desktop.started.isEmpty());
    EXPECT_EQ(env.prompt.shown.last().title, "Missing Required File");
    EXPECT_EQ(env.prompt.last(), "The following required file is missing:\r\n" + program +
                                     "\r\n\r\nPlease call Orvanta Technical Support");

    QFile f(program);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    env.clock.advanceDays(1);
    env.prompt.clear();
    EXPECT_TRUE(RunStartOfDay(*env.ctx));
    ASSERT_EQ(env.desktop.started.size(), 1);
    EXPECT_EQ(env.desktop.started[0].program, program);
    EXPECT_TRUE(env.desktop.started[0].arguments.isEmpty());
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}
