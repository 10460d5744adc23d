#include "AdminFixture.h"
#include "maint/Copy.h"

using namespace vm;
using namespace vm::maint;
using namespace vm::test;

using AdminCopyBatchTest = AdminTest;

namespace {
const Lines quiet = [](const QString&) {};

// Awkward text a row may hold: quotes, marks the statement uses itself, a
// backslash, characters beyond ASCII, blanks at the ends, an empty text.
QVariant awkward(int i) {
    switch (i % 8) {
    case 0: return QVariant(); // NULL
    case 1: return QString("O'Brien \"the elder\"");
    case 2: return QString("what? (?, ?) $1 :0");
    case 3: return QString("C:\\temp\\x");
    case 4: return QString::fromUtf8("Zoë Ångström – 東京");
    case 5: return QString("  padded  ");
    case 6: return QString("");
    default: return QString("Guest %1").arg(i);
    }
}

std::vector<QVariantList> profiles(Database& db) {
    std::vector<QVariantList> out;
    for (const Row& r : db.query("SELECT [ProfileID], [LastName], [FirstName], [GroupID] FROM "
                                 "[Profile] ORDER BY [ProfileID]"))
        out.push_back({r.value(0).toLongLong(), r.value(1), r.value(2),
                       r.value(3).isNull() ? QVariant() : QVariant(r.value(3).toLongLong())});
    return out;
}
} // namespace

// Rows go over in batches: a table of two full batches and a part of one, with
// NULLs and awkward text in every batch, arrives value for value, keys kept.
TEST_F(AdminCopyBatchTest, RowsOverSeveralBatchesArriveExactly) {
    const int rows = 2 * CopyBatchRows + 37;
    db().transaction([&] {
        for (int i = 0; i < rows; ++i)
            db().exec("INSERT INTO [Profile] ([ProfileID], [LastName], [FirstName], [GroupID]) "
                      "VALUES (?, ?, ?, ?)",
                      {3 * i + 5, awkward(i), awkward(i + 3),
                       i % 5 == 0 ? QVariant() : QVariant(i)});
    });
    auto from = property();
    const PropertySource to = elsewhere("batches");
    const CopyResult r = CopyProperty(*from, to, ctx().workstation, env.clock, quiet);
    EXPECT_EQ(r.differences, QStringList());

    Property copy(to, ctx().workstation, env.clock);
    copy.open();
    const auto copied = profiles(copy.ctx().db());
    const auto original = profiles(db());
    ASSERT_EQ(copied.size(), size_t(rows));
    for (size_t i = 0; i < copied.size(); ++i) {
        ASSERT_EQ(copied[i].size(), original[i].size());
        for (qsizetype c = 0; c < copied[i].size(); ++c) {
            EXPECT_EQ(copied[i][c].isNull(), original[i][c].isNull()) << i << "/" << c;
            EXPECT_EQ(copied[i][c].toString(), original[i][c].toString()) << i << "/" << c;
        }
    }
    // The next key follows the copied ones.
    const qint64 next = copy.ctx().db().insert("INSERT INTO [Profile] ([LastName]) VALUES ('New')",
                                               {}, "ProfileID");
    EXPECT_GT(next, 3 * (rows - 1) + 5);
}
