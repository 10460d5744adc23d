#pragma once
// A manager logged on at a fresh property, with the address-book files read
// back through a CSV reader of its own.

#include "core/Rights.h"
#include "support/CsvReader.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QString>
#include <ostream>
#include <QVariantMap>

// Failures show texts as texts.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace vm::test {

// Values that break a careless writer: a comma, quotes, a line break, accents
// and a leading "=" (which the file carries as text, with a "'" before it).
struct Tricky {
    QString stored, written;
};
inline const Tricky Comma{"Smith, Jr", "Smith, Jr"};
inline const Tricky Quote{"say \"hi\"", "say \"hi\""};
inline const Tricky Lines{"line one\r\nline two", "line one\r\nline two"};
inline const Tricky Accents{"Zoë Ångström", "Zoë Ångström"};
inline const Tricky Formula{"=1+1", "'=1+1"};

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
    // A row of `table` with these columns; answers its key.
    static qint64 insert(Database& db, const QString& table, const QString& key,
                         const QVariantMap& values) {
        QStringList cols, marks;
        for (const QString& c : values.keys()) {
            cols << "[" + c + "]";
            marks << "?";
        }
        return db.insert("INSERT INTO [" + table + "] (" + cols.join(", ") + ") VALUES (" +
                             marks.join(", ") + ")",
                         values.values(), key);
    }
    // The pieces go in last first: only their Sequence orders them.
    void note(Database& db, qint64 key, const QString& kind, const QStringList& pieces) {
        for (int i = int(pieces.size()) - 1; i >= 0; --i)
            db.exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
                    "VALUES (?, ?, ?, ?)",
                    {key, kind, i + 1, pieces[i]});
    }
    void setRight(const Right& right, bool allowed) {
        const QString col = RightsColumn(right.area);
        const QString rights = env.db()
                                   .scalar("SELECT [" + col + "] FROM [ConciergePlus] WHERE "
                                           "[ConciergeID] = ?",
                                           {env.ctx->session.conciergeId})
                                   .toString();
        env.db().exec("UPDATE [ConciergePlus] SET [" + col + "] = ? WHERE [ConciergeID] = ?",
                      {SetRightChar(rights, right.position, allowed),
                       env.ctx->session.conciergeId});
    }

    TestEnv env;
    qint64 managerId = 0, clerkId = 0;
};

} // namespace vm::test
