#pragma once
// A fresh property with a manager logged on, and helpers to write import
// files and count what reached the database.

#include "core/Settings.h"
#include "guests/Events.h"
#include "guests/import/CsvImport.h"
#include "support/TestEnv.h"

#include <QFile>
#include <string>

namespace vm::test {

class ImpFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        env.logOn(env.addStaff("Mia Manager", "mia", "MM", true));
        for (const char* type : {"Concert", "Festival"})
            ASSERT_EQ(InsertEventType(*env.ctx, type), "");
    }

    AppContext& ctx() { return *env.ctx; }

    // Writes `text` (UTF-8, as given) into a file of the test's folder.
    QString file(const QString& name, const QByteArray& text) {
        const QString path = env.root() + "/" + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return path;
    }

    qint64 count(Database& db, const QString& table) {
        return db.scalar("SELECT COUNT(*) FROM [" + table + "]").toLongLong();
    }

    // The problems' texts, one a line (readable in a failure report).
    static std::string texts(const std::vector<ImportProblem>& problems) {
        QStringList out;
        for (const ImportProblem& p : problems)
            out << p.text();
        return out.join("\n").toStdString();
    }
    static std::string lines(const QStringList& texts) { return texts.join("\n").toStdString(); }

    TestEnv env;
};

} // namespace vm::test
