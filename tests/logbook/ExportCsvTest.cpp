// The logbook export's file as a spreadsheet reads it, and the export screen's
// use of the desktop.
#include "LogbookFixture.h"

#include "logbook/Designs.h"
#include "logbook/LogbookExport.h"
#include "logbook/forms/frmExport.h"
#include "support/CsvReader.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace vm::test {

class ExportCsv : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        dining = designedCategory("Dining", {"Vendor:", "Commission:"});
        for (const DesignElement& d : GetDEElements(env.db(), dining))
            items.push_back(d.designId);
        file = env.root() + "/out.csv";
    }

    ExportCriteria criteria(std::vector<qint64> chosen) {
        ExportCriteria c;
        c.categories.push_back({dining, std::move(chosen)});
        return c;
    }

    qint64 dining = 0;
    std::vector<qint64> items;
    QString file;
};

TEST_F(ExportCsv, FormulaLikeTextExportsAsTextAndEveryLineHasTheHeadersColumns) {
    LogEntry e =
        entry("=SUM(A1:A9)", "Dining", "2026/03/20", "Vendor: =1+1\r\nCommission: -15.00\r\n");
    e.roomNumber = "@101";
    const qint64 id = add(e);
    add(entry("Baker, Jr", "Dining", "2026/03/21", "Vendor: Chez Nous, Bar\r\n"));
    ASSERT_EQ(RunLogbookExport(*env.ctx, criteria(items), file), 2);

    const QList<QStringList> rows = ReadCsv(file);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], ExportFixedHeaders() + QStringList({"Vendor:", "Commission:"}));
    for (const QStringList& r : rows)
        EXPECT_EQ(r.size(), rows[0].size());
    EXPECT_EQ(rows[1][0], "'=SUM(A1:A9)");
    EXPECT_EQ(rows[1][8], QString::number(id));
    EXPECT_EQ(rows[1][9], "'@101");
    EXPECT_EQ(rows[1][10], "'=1+1");
    EXPECT_EQ(rows[1][11], "-15.00"); // an amount stays a number
    EXPECT_EQ(rows[2][0], "Baker, Jr");
    EXPECT_EQ(rows[2][10], "Chez Nous, Bar");
    EXPECT_EQ(rows[2][11], "");
}

TEST_F(ExportCsv, DesignValuesAreReadAsEveryOtherScreenReadsThem) {
    // Found whatever the case, up to the line end; a line cut short by a
    // missing line end is damaged, not a value.
    add(entry("Case", "Dining", "2026/03/20", "vendor: Ace\r\nCOMMISSION: 10\r\n"));
    add(entry("Cut", "Dining", "2026/03/21", "Commission: 12\r\nVendor: Bar"));
    ASSERT_EQ(RunLogbookExport(*env.ctx, criteria(items), file), 2);
    const QList<QStringList> rows = ReadCsv(file);
    ASSERT_EQ(rows.size(), 3);
    const int vendor = int(ExportFixedHeaders().size());
    EXPECT_EQ(rows[1].mid(vendor), (QStringList{"Ace", "10"}));
    EXPECT_EQ(rows[2].mid(vendor), (QStringList{"** Damaged Data", "12"}));
}

TEST_F(ExportCsv, ACategoryWithoutChosenItemsHasNoEmptyHeaderColumn) {
    add(entry("Alpha", "Dining", "2026/03/20", "Vendor: Chez Nous\r\n"));
    ASSERT_EQ(RunLogbookExport(*env.ctx, criteria({}), file), 1);
    const QList<QStringList> rows = ReadCsv(file);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0], ExportFixedHeaders());
    EXPECT_EQ(rows[1].size(), ExportFixedHeaders().size());
}

TEST_F(ExportCsv, TheScreenChoosesTheFileAndShowsItThroughTheDesktop) {
    EnsureApplication();
    add(entry("Alpha", "Dining", "2026/03/20", "Vendor: Chez Nous\r\n"));
    frmExport f(*env.ctx, "Dining");
    f.show();

    // Browse: the save dialog of the desktop; a name without its extension gets ".csv".
    env.desktop.choose(env.root() + "/picked");
    QTest::mouseClick(f.findChild<QPushButton*>("cmdBrowse"), Qt::LeftButton);
    ASSERT_EQ(env.desktop.dialogs.size(), 1);
    EXPECT_TRUE(env.desktop.dialogs[0].save);
    EXPECT_EQ(env.desktop.dialogs[0].filter, "Comma Separated Values (*.csv)");
    const QString picked = env.root() + "/picked.csv";
    EXPECT_EQ(f.findChild<QLineEdit*>("txtOutputFile")->text(), QDir::toNativeSeparators(picked));

    // A cancelled dialog keeps the file.
    env.desktop.choose({});
    QTest::mouseClick(f.findChild<QPushButton*>("cmdBrowse"), Qt::LeftButton);
    EXPECT_EQ(f.findChild<QLineEdit*>("txtOutputFile")->text(), QDir::toNativeSeparators(picked));

    env.prompt.answer(Answer::Yes); // view it now
    QTest::mouseClick(f.findChild<QPushButton*>("cmdExport"), Qt::LeftButton);
    EXPECT_EQ(env.prompt.shown.last().title, TitleExportComplete);
    ASSERT_EQ(env.desktop.opened.size(), 1);
    EXPECT_EQ(env.desktop.opened[0], QUrl::fromLocalFile(picked));
    EXPECT_EQ(ReadCsv(picked).size(), 2);
}

} // namespace vm::test
