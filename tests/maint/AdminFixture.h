#pragma once
// A property for the administrator's command: the test's databases named by a
// location file, and a populated property (entries with text pieces and
// history, profiles with cards, bookings, an archived entry).

#include "core/Databases.h"
#include "core/Settings.h"
#include "guests/Profiles.h"
#include "logbook/LogbookServices.h"
#include "logbook/LogbookStore.h"
#include "maint/AdminProperty.h"
#include "platform/LocationProvider.h"
#include "security/CardData.h"
#include "security/CardStore.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>

namespace vm::test {

inline const QString kVisa = QStringLiteral("4111111111111111");
inline const QString kMaster = QStringLiteral("5555555555554444");

class AdminTest : public ::testing::Test {
protected:
    void SetUp() override { env.openOrFail(); }

    AppContext& ctx() { return *env.ctx; }
    Database& db() { return env.db(); }
    qint64 count(const QString& sql) { return db().scalar(sql).toLongLong(); }
    QString locationFile() { return ctx().workstation.userConfigFolder + "location"; }
    QString scratch(const QString& name) { return env.root() + "/" + name + "/"; }

    // The test's property as a location file names it.
    maint::PropertySource source() {
        WriteLocationFile(locationFile(), {{"Folder", env.databaseFolder()},
                                           {"PostgreSQL", ctx().start.postgres},
                                           {"Schema", ctx().start.postgresSchemaPrefix}});
        return maint::ReadLocationFile(locationFile());
    }
    std::unique_ptr<maint::Property> property() {
        auto p = std::make_unique<maint::Property>(source(), ctx().workstation, env.clock);
        p->open();
        return p;
    }
    // A place for a second property: a folder, or schemas of their own on the server.
    maint::PropertySource elsewhere(const QString& name) {
        if (!UsingPostgres()) return maint::FolderSource(scratch(name));
        m_extraPrefixes << ctx().start.postgresSchemaPrefix + name + "_";
        return maint::ServerSource(ctx().start.postgres, m_extraPrefixes.last());
    }
    // The same place in another database of the server (a restore there keeps
    // the schema names of the backup).
    maint::PropertySource otherDatabase(const QString& name) {
        if (!UsingPostgres()) return maint::FolderSource(scratch(name));
        QString conn;
        for (const auto& [k, v] : parseConnInfo(ctx().start.postgres))
            if (k != "dbname") conn += k + "=" + v + " ";
        m_extraDatabases << ("velmora_" + ctx().start.postgresSchemaPrefix + name).toLower();
        return maint::ServerSource(conn + "dbname=" + m_extraDatabases.last(),
                                   ctx().start.postgresSchemaPrefix);
    }
    void TearDown() override {
        if (m_extraPrefixes.isEmpty() && m_extraDatabases.isEmpty()) return;
        DbLocation loc = LocationFor(ctx(), "x");
        loc.schema.clear();
        auto server = Database::open(loc, false);
        for (const QString& prefix : m_extraPrefixes)
            for (const char* base : {"VelmP", "VelmA", "VelmCE"})
                server->exec("DROP SCHEMA IF EXISTS " + server->quoteName(prefix + QString(base)) +
                             " CASCADE");
        for (const QString& database : m_extraDatabases)
            server->exec("DROP DATABASE IF EXISTS " + server->quoteName(database));
    }

    // A few dozen rows of everything, through the stores where they exist.
    void populate() {
        const qint64 member = env.addStaff("Ann Hale", "ann", "AH", true);
        env.logOn(member);
        LogbookServices services;
        services.encryptCard = [this](const QString& n, qint64 id) {
            return EncryptCC(ctx(), n, QString::number(id));
        };
        LogbookStore store(ctx(), &services);
        const QString category = db().scalar("SELECT MIN([LogType]) FROM [LogType]").toString();
        for (int i = 0; i < 30; ++i) {
            LogEntry e;
            e.entryType = category;
            e.firstName = "Guest";
            e.lastName = QString("Number %1").arg(i);
            e.referDate = QString("2026/03/%1").arg(i % 28 + 1, 2, 10, QChar('0'));
            e.referTime = "19:30";
            e.text = QString("Table for two by the window, %1. ").arg(i).repeated(20);
            e.complete = i % 4 == 0;
            store.InsertLogBook(e, i % 5 == 0 ? kVisa : QString());
            e.text += " Changed.";
            store.UpdateLogBook(e, false);
        }
        for (int i = 0; i < 24; ++i) {
            Profile p;
            p.firstName = i % 3 ? "Mara" : "";
            p.lastName = QString("Lind %1").arg(i);
            p.email = QString("m%1@example.org").arg(i);
            p.dnuEmail = i % 2;
            InsertProfile(ctx(), p);
            if (i % 2 == 0)
                InsertProfileCC(ctx(), {p.id, "Visa", i % 4 ? kVisa : kMaster, "12/29"});
        }
        for (int i = 0; i < 24; ++i) {
            db().exec(
                "INSERT INTO [Reservation] ([ResTypeID], [ReservationDate], [ReservationFor], "
                "[ListItem], [Price], [AvailableHere]) VALUES (?, ?, ?, ?, ?, ?)",
                {1 + i % 3, QString("2026/04/%1").arg(i % 28 + 1, 2, 10, QChar('0')),
                 QString("Guest %1").arg(i), "Table 4", 2.5 * i, i % 2 ? "" : QVariant()});
            db().exec("INSERT INTO [TimedService] ([ServicesID], [LogbookID], [ProfileID], "
                      "[Duration], [Price]) VALUES (?, ?, ?, ?, ?)",
                      {i % 4, i < 10 ? 1 + i : 0, 0, 60, 49.95});
        }
        // One entry already in the archive, with its card.
        Database& archive = *ctx().archive;
        archive.exec("INSERT INTO [LogBook] ([LogID], [LastName], [EntryType], [ReferDate], "
                     "[Complete], [EncCC], [CC_CreatedDate]) VALUES (?, ?, ?, ?, ?, ?, ?)",
                     {9001, "Archived", category, "2025/01/02", true,
                      EncryptCC(ctx(), kMaster, "9001"), env.clock.now().addDays(-400)});
        ASSERT_EQ(env.prompt.texts(), QStringList());
    }

    TestEnv env;

private:
    QStringList m_extraPrefixes, m_extraDatabases;
};

} // namespace vm::test
