#include "platform/forms/DataGrid.h"
#include "support/TestEnv.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

using namespace vm;

TEST(DataGrid, SortsOnHeaderClickAndKeepsKeysWithTheirRows) {
    test::EnsureApplication();
    DataGrid g;
    g.setHeaders({"Name", "Room"});
    g.setRow(10, {"cole", "300"}, QColor(Qt::red));
    g.setRow(20, {"Abel", "100"});
    g.setRow(30, {"baker", "200"});
    EXPECT_EQ(g.keyAt(0), 10); // the order rows were given
    g.show();
    QTest::mouseClick(g.horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(g.horizontalHeader()->sectionPosition(0) + 5, 5));
    EXPECT_EQ(g.cell(0, 0), "Abel");
    EXPECT_EQ(g.keyAt(2), 10);
    EXPECT_EQ(g.foreground(2), QColor(Qt::red));
    QTest::mouseClick(g.horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(g.horizontalHeader()->sectionPosition(0) + 5, 5));
    EXPECT_EQ(g.cell(0, 0), "cole"); // second click: descending

    g.setRow(20, {"Abel", "101"}); // same key: replaced in place
    EXPECT_EQ(g.rowCount(), 3);
    EXPECT_TRUE(g.removeKey(30));
    EXPECT_FALSE(g.removeKey(30));
    EXPECT_EQ(g.rowCount(), 2);
}

TEST(DataGrid, EnterAndDoubleClickReportTheRowsKey) {
    test::EnsureApplication();
    DataGrid g;
    g.setHeaders({"Name"});
    g.setRow(7, {"one"});
    g.setRow(8, {"two"});
    g.show();
    QSignalSpy spy(&g, &DataGrid::rowActivated);
    g.selectKey(8);
    QTest::keyClick(&g, Qt::Key_Return);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toLongLong(), 8);
    const QRect r = g.visualRect(g.model()->index(0, 0));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, r.center());
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(1).at(0).toLongLong(), 7);
}

TEST(DataGrid, AlternationSparesRowsWithTheirOwnBackground) {
    test::EnsureApplication();
    DataGrid g;
    g.setHeaders({"Name"});
    g.setRow(1, {"a"});
    g.setRow(2, {"b"}, {}, QColor(Qt::white));
    g.setRow(3, {"c"}, {}, QColor("#FFD8B0"));
    g.setAlternation(true, QColor("#111111"), QColor("#222222"));
    EXPECT_EQ(g.background(0), QColor("#111111"));
    EXPECT_EQ(g.background(1), QColor("#222222"));
    EXPECT_EQ(g.background(2), QColor("#FFD8B0"));
    g.setAlternation(false);
    EXPECT_FALSE(g.background(0).isValid());
}

TEST(DataGrid, ColoursFromSettings) {
    EXPECT_EQ(DataGrid::colorFromSetting("255"), QColor(255, 0, 0)); // red in the low byte
    EXPECT_EQ(DataGrid::colorFromSetting("16711680"), QColor(0, 0, 255));
    EXPECT_EQ(DataGrid::colorFromSetting("#C8F0C8"), QColor(0xC8, 0xF0, 0xC8));
    EXPECT_FALSE(DataGrid::colorFromSetting("").isValid());
    EXPECT_FALSE(DataGrid::colorFromSetting("-5").isValid());
    EXPECT_FALSE(DataGrid::colorFromSetting("not a colour").isValid());
}
