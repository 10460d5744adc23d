#include "StatisticsFixture.h"

#include "platform/CsvWriter.h"

#include "desk/forms/StatisticsTab.h"
#include "logbook/Categories.h"
#include "platform/forms/DataGrid.h"
#include "support/CsvReader.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace vm::test {
namespace {

class StatsTab : public StatisticsFixture {
protected:
    void SetUp() override {
        EnsureApplication();
        StatisticsFixture::SetUp();
        env.clock.set(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    }

    template <class T = QWidget> T* find(StatisticsTab& tab, const char* name) {
        T* w = tab.findChild<T*>(name);
        if (!w) throw std::runtime_error(std::string("no control named ") + name);
        return w;
    }
    void chooseView(StatisticsTab& tab, StatView view) {
        auto* views = find<QComboBox>(tab, "cboStatView");
        views->setCurrentIndex(views->findData(int(view)));
    }
    void type(StatisticsTab& tab, const char* name, const QString& text) {
        auto* box = find<QLineEdit>(tab, name);
        box->clear();
        QTest::keyClicks(box, text);
    }
    void press(StatisticsTab& tab, const char* name) {
        QTest::mouseClick(find<QPushButton>(tab, name), Qt::LeftButton);
    }
    // The values of each bar set of the chart, set by set.
    QList<QList<double>> bars(StatisticsTab& tab) {
        QList<QList<double>> out;
        auto* view = find<QChartView>(tab, "chartStats");
        for (QAbstractSeries* s : view->chart()->series()) {
            auto* series = qobject_cast<QBarSeries*>(s);
            if (!series) continue;
            for (QBarSet* set : series->barSets()) {
                QList<double> values;
                for (int i = 0; i < set->count(); ++i)
                    values << set->at(i);
                out << values;
            }
        }
        return out;
    }
};

TEST_F(StatsTab, RunningACategoryDrawsItsMonthsAsBarsAndFillsTheGrid) {
    add({{"Dining", "2026/01/31"},
         {"Dining", "2026/02/01"},
         {"Dining", "2026/02/14"},
         {"Theatre", "2026/02/20"},
         {"Dining", "2026/11/30", "2026/12/01"}});
    InsertCategory(env.db(), "Theatre");
    InsertCategory(env.db(), "Dining");
    StatisticsTab tab(*env.ctx);
    EXPECT_EQ(tab.objectName(), "StatisticsTab");
    chooseView(tab, StatView::EntriesByMonth);
    type(tab, "txtStatYear", "2026");
    auto* categories = find<QComboBox>(tab, "cboStatCategory");
    ASSERT_EQ(categories->itemText(0), AllCategories);
    categories->setCurrentIndex(categories->findText("Dining"));
    ASSERT_GT(categories->currentIndex(), 0);
    press(tab, "cmdStatRun");
    EXPECT_TRUE(env.prompt.shown.isEmpty()) << env.prompt.texts().join("|").toStdString();

    const QList<double> months{1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0};
    EXPECT_EQ(bars(tab), QList<QList<double>>{months});
    auto* grid = find<DataGrid>(tab, "grdStats");
    ASSERT_EQ(grid->rowCount(), 13);
    EXPECT_EQ(grid->cell(1, 0), "Feb");
    EXPECT_EQ(grid->cell(1, 1), "2");
    EXPECT_EQ(grid->cell(12, 0), "Total");
    EXPECT_EQ(grid->cell(12, 1), "4");

    // The entry date moves November's entry into December.
    QTest::mouseClick(find<QRadioButton>(tab, "optEntryDate"), Qt::LeftButton);
    press(tab, "cmdStatRun");
    EXPECT_EQ(bars(tab).value(0).value(10), 0);
    EXPECT_EQ(bars(tab).value(0).value(11), 1);
}

TEST_F(StatsTab, ATableOfMonthsDrawsASetPerRow) {
    add({{"Dining", "2026/03/05"}, {"Spa", "2026/03/06"}, {"Spa", "2026/04/06"}});
    StatisticsTab tab(*env.ctx);
    chooseView(tab, StatView::CategoriesByMonth);
    type(tab, "txtStatYear", "2026");
    press(tab, "cmdStatRun");
    const QList<QList<double>> sets = bars(tab);
    ASSERT_EQ(sets.size(), 2);
    EXPECT_EQ(sets[0].size(), 12); // the total column is not drawn
    EXPECT_EQ(sets[1][2], 1);
    EXPECT_EQ(sets[1][3], 1);
}

TEST_F(StatsTab, TheExportWritesTheShownTableAndSaysSo) {
    add({{"Dining", "2026/03/01"}, {"Dining", "2026/03/01"}, {"Spa", "2026/03/07"}});
    StatisticsTab tab(*env.ctx);
    // Nothing to export before a run.
    EXPECT_FALSE(find<QPushButton>(tab, "cmdStatExport")->isEnabled());
    chooseView(tab, StatView::ByWeekday);
    EXPECT_FALSE(find<QLineEdit>(tab, "txtStatYear")->isEnabled());
    type(tab, "txtStatFrom", "03/01/2026");
    type(tab, "txtStatThrough", "03/07/2026");
    press(tab, "cmdStatRun");
    press(tab, "cmdStatExport");
    const QString path = StatisticsCsvPath(*env.ctx, StatView::ByWeekday);
    ASSERT_TRUE(path.endsWith("VmDoWGraph.csv"));
    EXPECT_EQ(env.prompt.texts(), QStringList{FileWrittenMessage(path, true)});
    const QList<QStringList> rows = ReadCsv(path);
    ASSERT_EQ(rows.size(), 9);
    EXPECT_EQ(rows[0], (QStringList{"Day", "Entries"}));
    EXPECT_EQ(rows[1], (QStringList{"Sun", "2"}));
    EXPECT_EQ(rows[7], (QStringList{"Sat", "1"}));
    EXPECT_EQ(rows[8], (QStringList{"Total", "3"}));
}

TEST_F(StatsTab, RefusalsLeaveTheLastTableInPlace) {
    add({{"Dining", "2026/03/01"}});
    StatisticsTab tab(*env.ctx);
    chooseView(tab, StatView::EntriesByStaff);
    type(tab, "txtStatFrom", "03/01/2026");
    type(tab, "txtStatThrough", "03/31/2026");
    press(tab, "cmdStatRun");
    ASSERT_TRUE(tab.table().has_value());
    EXPECT_EQ(tab.table()->total.counts[0], 1);

    type(tab, "txtStatThrough", "03/01/2026");
    press(tab, "cmdStatRun");
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgThroughAfterFrom});
    EXPECT_EQ(tab.table()->view, StatView::EntriesByStaff);
    EXPECT_EQ(find<DataGrid>(tab, "grdStats")->rowCount(), 2);
}

TEST_F(StatsTab, MembersWithoutTheRightRestrictedMembersAndTheGuestViewerAreRefused) {
    add({{"Dining", "2026/03/01"}});
    struct Case {
        const char* name;
        std::function<void()> arrange;
        QString refusal;
    };
    const QString restricted =
        "As a Restricted User or Guest Viewer you are not\r\nauthorized to use these features.";
    const QList<Case> cases{
        {"no right", [&] { grantGlobals(1, false); },
         "You are not authorized to work with Logbook Activity Graphs."},
        {"restricted", [&] { env.ctx->session.restricted = true; }, restricted},
        {"guest viewer", [&] { env.ctx->session.guest = true; }, restricted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        env.logOn(staffId);
        grantGlobals(1, true);
        c.arrange();
        env.prompt.clear();
        StatisticsTab tab(*env.ctx);
        press(tab, "cmdStatRun");
        EXPECT_EQ(env.prompt.texts(), QStringList{c.refusal});
        EXPECT_FALSE(tab.table().has_value());
        EXPECT_TRUE(bars(tab).isEmpty());
    }
}

} // namespace
} // namespace vm::test
