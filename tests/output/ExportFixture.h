#pragma once
// A manager logged on at a fresh property; the address-book files are read
// back with a CSV reader of their own.

#include "core/Rights.h"
#include "guests/Groups.h"
#include "support/CsvReader.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QVariantMap>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace vm::test {

// Values that break a careless writer; a leading "=" comes back guarded.
inline const QString Comma = "Smith, Jr", Quote = "say \"hi\"", Lines = "one\r\ntwo",
                     Accents = "Zoë Ångström", Formula = "=1+1", Guarded = "'=1+1";

class ExportFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        managerId = env.addStaff("Mara Keel", "mara", "MK", true);
        clerkId = env.addStaff("Olli Penn", "olli", "OP");
        env.logOn(managerId);
    }
    QString path(const QString& file) const { return env.ctx->workstation.outputFolder() + file; }
    QList<QStringList> read(const QString& file) const { return ReadCsv(path(file)); }
    QByteArray bytes(const QString& file) const {
        QFile f(path(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static qint64 insert(Database& db, const QString& table, const QVariantMap& values) {
        const QStringList cols = values.keys();
        return db.insert("INSERT INTO [" + table + "] ([" + cols.join("], [") + "]) VALUES (" +
                             QStringList(cols.size(), "?").join(", ") + ")",
                         values.values(), table == "LogBook" ? "LogID" : table + "ID");
    }
    // A group from 2026/03/14 to 2026/03/16.
    qint64 group(const QString& name) {
        Group g;
        g.name = name;
        g.attendees = 12;
        g.arrivalDate = "2026/03/14";
        g.departureDate = "2026/03/16";
        return InsertGroup(*env.ctx, g);
    }
    // The pieces go in last first: only their Sequence orders them.
    static void note(Database& db, qint64 key, const QString& kind, const QStringList& pieces) {
        for (auto i = pieces.size(); i-- > 0;)
            db.exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
                    "VALUES (?, ?, ?, ?)",
                    {key, kind, int(i) + 1, pieces[i]});
    }
    void setRight(const Right& right, bool allowed) {
        const QString col = RightsColumn(right.area);
        const QVariantList id{env.ctx->session.conciergeId};
        const QString rights =
            env.db()
                .scalar("SELECT [" + col + "] FROM [ConciergePlus] WHERE [ConciergeID] = ?", id)
                .toString();
        env.db().exec("UPDATE [ConciergePlus] SET [" + col + "] = ? WHERE [ConciergeID] = ?",
                      {SetRightChar(rights, right.position, allowed), id[0]});
    }

    TestEnv env;
    qint64 managerId = 0, clerkId = 0;
};

} // namespace vm::test
