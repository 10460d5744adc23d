// "velmora --demo FOLDER": the property is made once in FOLDER and the
// program starts on it, while the user's own location file, registry file and
// default database stay as they were.

#include "demo/DemoFolder.h"
#include "app/Startup.h"
#include "core/Databases.h"
#include "platform/LocationProvider.h"
#include "platform/RegistryValues.h"
#include "security/CardData.h"
#include "security/Logon.h"
#include "support/RecordingPrompt.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace vm::test {
namespace {

QByteArray readAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A user whose home is a temporary folder, with a location file of their own.
class DemoFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* v : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            saved << qgetenv(v);
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
        qputenv("XDG_DATA_HOME", (home.path() + "/.local/share").toUtf8());
        userLocation = home.path() + "/.config/Orvanta/location";
        ASSERT_TRUE(WriteLocationFile(
            userLocation, {{"Folder", home.path() + "/hotel/"}, {"KeyTemplate", "ABCDEF0123"}}));
        userLocationBytes = readAll(userLocation);
        demoFolder = home.path() + "/try/demo";
    }
    void TearDown() override {
        int i = 0;
        for (const char* v : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            qputenv(v, saved[i++]);
    }

    // The start of the program on the demo folder, as main() runs it.
    std::unique_ptr<AppContext> start(demo::DemoPreparation& prepared) {
        auto ctx = std::make_unique<AppContext>(
            demo::DemoWorkstation(Workstation::detect(), demoFolder), prompt, clock);
        ctx->daily.wait = [](int) {};
        prepared = demo::PrepareDemoFolder(*ctx, demoFolder);
        if (!prepared.ok) return ctx;
        RegistryValues registry(ctx->workstation);
        LocationProvider provider(ctx->workstation);
        ApplyProviderAnswer(*ctx, provider.answer(), registry);
        SavePathToRegistry(*ctx, registry);
        EXPECT_EQ(LoadMainWindowData(*ctx), 0) << prompt.texts().join("\n").toStdString();
        return ctx;
    }

    QTemporaryDir home{TestFolderTemplate()};
    QList<QByteArray> saved;
    QString userLocation, demoFolder;
    QByteArray userLocationBytes;
    RecordingPrompt prompt;
    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(9, 0))};
};

TEST_F(DemoFolderTest, DemoStartsOnItsOwnFolderAndLeavesTheUsersFilesAlone) {
    demo::DemoPreparation prepared;
    {
        std::unique_ptr<AppContext> ctx = start(prepared);
        ASSERT_TRUE(prepared.ok) << prepared.error.toStdString();
        EXPECT_TRUE(prepared.generated);
        EXPECT_EQ(QDir(ctx->start.databaseFolder).absolutePath(), QDir(demoFolder).absolutePath());
        EXPECT_TRUE(QFileInfo::exists(demoFolder + "/VelmP.db"));
        EXPECT_FALSE(QFileInfo::exists(demoFolder + "/generating"));

        // The property's card key lives in the demo's own location file.
        const LocationInfo where = LocationProvider(ctx->workstation).info();
        EXPECT_EQ(where.sourceFile, demo::DemoLocationFile(demoFolder));
        EXPECT_FALSE(where.keyTemplate.isEmpty());
        const std::optional<Row> card =
            ctx->db().queryOne("SELECT [ProfileID], [EncCC] FROM [ProfileCC] ORDER BY 1");
        ASSERT_TRUE(card.has_value());
        EXPECT_TRUE(LuhnCheck(
            DecryptCC(*ctx, card->text("EncCC"), QString::number(card->number("ProfileID")))));

        const demo::DemoLogon manager = demo::PropertyGenerator::Logons(12).first();
        const LogonCheck check = CheckLogon(*ctx, manager.logon, manager.password);
        EXPECT_EQ(check.result, LogonResult::Ok);
        EXPECT_FALSE(check.mustChange);
        CloseDatabase(*ctx);
    }
    EXPECT_EQ(readAll(userLocation), userLocationBytes);
    EXPECT_FALSE(QFileInfo::exists(home.path() + "/.config/Orvanta/VmDatabase.ini"));
    EXPECT_FALSE(QFileInfo::exists(home.path() + "/.local/share/Orvanta/Velmora/Database"));
    EXPECT_FALSE(QFileInfo::exists(home.path() + "/.local/share/Orvanta/Velmora/VmSettings.ini"));
    EXPECT_FALSE(QFileInfo::exists(home.path() + "/hotel"));

    // The second start finds its property and generates nothing.
    const qint64 entries = [&] {
        auto again = start(prepared);
        EXPECT_TRUE(prepared.ok) << prepared.error.toStdString();
        EXPECT_FALSE(prepared.generated);
        const qint64 n = again->db().scalar("SELECT COUNT(*) FROM [LogBook]").toLongLong();
        CloseDatabase(*again);
        return n;
    }();
    EXPECT_EQ(entries, demo::PropertySize::Demo().logbookEntries);
    EXPECT_EQ(readAll(userLocation), userLocationBytes);
}

TEST_F(DemoFolderTest, AFolderHoldingAnotherPropertyIsRefusedAndLeftAsItIs) {
    // The user's own database folder named by mistake.
    demoFolder = home.path() + "/hotel";
    QDir().mkpath(demoFolder);
    {
        QFile db(demoFolder + "/VelmP.db");
        ASSERT_TRUE(db.open(QIODevice::WriteOnly));
        db.write("not a demonstration");
    }
    demo::DemoPreparation prepared;
    start(prepared);
    EXPECT_FALSE(prepared.ok);
    EXPECT_TRUE(prepared.error.contains("not a demonstration")) << prepared.error.toStdString();
    EXPECT_EQ(readAll(demoFolder + "/VelmP.db"), "not a demonstration");
    EXPECT_FALSE(QFileInfo::exists(demo::DemoLocationFile(demoFolder)));
    EXPECT_EQ(demo::InspectDemoFolder(home.path() + "/elsewhere"), demo::DemoFolderState::Empty);
}

TEST(DemoFolderArgument, NamesTheFolderAfterDemo) {
    using demo::DemoFolderArgument;
    EXPECT_EQ(DemoFolderArgument({"velmora"}), QString());
    EXPECT_EQ(DemoFolderArgument({"velmora", "--demo", "/tmp/desk"}), QString("/tmp/desk"));
    EXPECT_EQ(DemoFolderArgument({"velmora", "-style", "fusion", "--demo", "d"}), QString("d"));
    EXPECT_EQ(DemoFolderArgument({"velmora", "--demo"}), std::nullopt);
    EXPECT_EQ(DemoFolderArgument({"velmora", "--demo", "--other"}), std::nullopt);
    EXPECT_EQ(DemoFolderArgument({"velmora", "--demo", ""}), std::nullopt);
}

} // namespace
} // namespace vm::test
