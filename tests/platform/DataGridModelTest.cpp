// The shared grid's model and its sorting proxy keep Qt's model contract
// through everything the screens do to them: fill, sort, refill, clear.
#include "platform/forms/DataGrid.h"
#include "support/TestEnv.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLoggingCategory>
#include <QSortFilterProxyModel>
#include <QTest>

using namespace vm;

namespace {

// The tester reports broken rules as warnings of its own category; they are
// collected here so that each one fails the test.
QStringList g_complaints;
QtMessageHandler g_previous = nullptr;

void collect(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (context.category && QByteArray(context.category) == "qt.modeltest" && type >= QtWarningMsg)
        g_complaints << text;
    else if (g_previous)
        g_previous(type, context, text);
}

class DataGridModelContract : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        g_complaints.clear();
        g_previous = qInstallMessageHandler(collect);
        grid = std::make_unique<DataGrid>();
        proxy = qobject_cast<QSortFilterProxyModel*>(grid->model());
        ASSERT_NE(proxy, nullptr);
        using Mode = QAbstractItemModelTester::FailureReportingMode;
        sourceTester =
            std::make_unique<QAbstractItemModelTester>(proxy->sourceModel(), Mode::Warning);
        proxyTester = std::make_unique<QAbstractItemModelTester>(proxy, Mode::Warning);
    }
    void TearDown() override {
        proxyTester.reset();
        sourceTester.reset();
        grid.reset();
        qInstallMessageHandler(g_previous);
        EXPECT_TRUE(g_complaints.isEmpty()) << g_complaints.join("\n").toStdString();
    }

    void fill(int rows) {
        for (int i = 0; i < rows; ++i)
            grid->setRow(100 + i, {QString("name %1").arg((i * 7) % rows), QString::number(i)},
                         i % 3 ? QColor() : QColor(Qt::red));
    }
    void clickHeader(int column) {
        QHeaderView* h = grid->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionPosition(column) + 5, 5));
    }

    std::unique_ptr<DataGrid> grid;
    QSortFilterProxyModel* proxy = nullptr;
    std::unique_ptr<QAbstractItemModelTester> sourceTester, proxyTester;
};

} // namespace

TEST_F(DataGridModelContract, FillSortRefillAndClear) {
    grid->show();
    grid->setHeaders({"Name", "Room"});
    fill(25);
    ASSERT_EQ(grid->rowCount(), 25);
    grid->setAlternation(true, QColor("#EEEEEE"), QColor("#FFFFFF"));

    clickHeader(0); // ascending
    clickHeader(0); // descending
    clickHeader(1);
    EXPECT_EQ(grid->cell(0, 1), "0"); // text order: "0", "1", "10", ...
    grid->selectKey(110);
    EXPECT_EQ(grid->currentKey(), 110);

    // Changes while sorted: replace in place, add, remove, recolour.
    grid->setRow(110, {"renamed", "10"});
    grid->setRow(999, {"added", "99"});
    EXPECT_TRUE(grid->removeKey(100));
    grid->setDefaultColors(Qt::black, Qt::white);
    EXPECT_EQ(grid->rowCount(), 25);

    // A new list: the old sort is dropped and the rows show in the order given.
    grid->clearRows();
    EXPECT_EQ(grid->rowCount(), 0);
    fill(7);
    EXPECT_EQ(grid->keys(), QList<qint64>({100, 101, 102, 103, 104, 105, 106}));
    grid->setHeaders({"Name", "Room", "Extra"});
    EXPECT_EQ(grid->cell(0, 2), "");

    grid->clearRows();
    grid->setDefaultColors({}, {});
    EXPECT_EQ(grid->keys(), QList<qint64>());
}

TEST_F(DataGridModelContract, RowsBeforeHeadersAndHeadersOnly) {
    // Screens may fill before naming the columns, or name them and show none.
    fill(3);
    grid->setRow(101, {"again", "1"});
    grid->setDefaultColors(Qt::black, Qt::white);
    EXPECT_TRUE(grid->removeKey(102));
    grid->setHeaders({"Name"});
    EXPECT_EQ(grid->rowCount(), 2);
    grid->clearRows();
    grid->setHeaders({});
    EXPECT_EQ(grid->model()->columnCount(), 0);
}
