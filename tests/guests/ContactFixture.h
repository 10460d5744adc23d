#pragma once
// A property with contact types, a logged-on member and, on request, the
// contacts kept in the common database.

#include "core/Databases.h"
#include "guests/Contacts.h"
#include "support/TestEnv.h"

#include <QDir>

namespace vm::test {

class ContactFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        env.logOn(env.addStaff("Pat Desk", "pat", "PD"));
    }

    // Contacts (and events) in the common database from here on.
    void openShared() { env.openShared(); }

    qint64 addType(const QString& name, const QString& kind, int sequence) {
        return env.ctx->contactsDb().insert(
            "INSERT INTO [ContactType] ([ContactType], [TypeOfType], [Sequence]) VALUES (?, ?, ?)",
            {name, kind, sequence}, "TypeID");
    }

    void addOther(const QString& type, const QString& value) {
        env.db().exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)",
                      {type, value});
    }

    Contact sample(const QString& name = "Trattoria Roma") {
        Contact c;
        c.name = name;
        c.keywordSet = "Dinner, Italian";
        c.city = "Springfield";
        return c;
    }

    qint64 insert(Contact c) { return InsertContact(*env.ctx, c); }

    int count(Database& db, const QString& sql, const QVariantList& params = {}) {
        return db.scalar(sql, params).toInt();
    }

    TestEnv env;
};

} // namespace vm::test
