#include "LogbookFixture.h"

#include "logbook/Designs.h"
#include "logbook/Categories.h"
#include "logbook/LogbookExport.h"
#include "logbook/forms/frmExport.h"
#include "platform/RegistryValues.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace vm::test {

namespace {

QString ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

} // namespace

class LogbookExport : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        dining = designedCategory("Dining", {"Vendor:", "Party:"});
        for (const DesignElement& d : GetDEElements(env.db(), dining))
            items.push_back(d.designId);
        file = env.root() + "/out.csv";
    }

    ExportCriteria diningCriteria() {
        ExportCriteria c;
        c.categories.push_back({dining, {items[0]}});
        return c;
    }

    qint64 dining = 0;
    std::vector<qint64> items;
    QString file;
};

TEST_F(LogbookExport, SerializesOnlyTheChosenSectionsAndReadsThemBack) {
    ExportCriteria c;
    c.categories.push_back({12, {5, 7}});
    c.categories.push_back({3, {9}});
    c.sort[0] = {3, 1};
    EXPECT_EQ(SerializeExportCriteria(c), QString("Logbook Categories:12=5,7:3=9") + QChar(0xF1) +
                                              "Database Location:0" + QChar(0xF1) +
                                              "Sort:3,1,0,0,0,0" + QChar(0xF1));

    c.dateType = ExportDateType::Entry;
    c.dateFrom = QDate(2025, 1, 2);
    c.dateTo = QDate(2025, 12, 31);
    c.profileTypes = {"VIP", "Owner"};
    c.staff = {"Peña, Ana: Desk", "Bo 50%"}; // separators inside names survive
    c.groups = {4, 8};
    c.status = 2;
    c.cancelled = 1;
    c.database = 1;
    c.categories.push_back({20, {}}); // a category without items stays chosen
    const QString saved = SerializeExportCriteria(c);
    EXPECT_TRUE(
        saved.contains("Date Ranges:Type=Entry Date:DateFrom=01/02/2025:DateTo=12/31/2025"));
    EXPECT_TRUE(saved.contains(QString("Profile Types:VIP,Owner") + QChar(0xF1)));
    EXPECT_TRUE(saved.contains(QString("Status:2,1") + QChar(0xF1)));
    const ExportCriteria back = ParseExportCriteria(saved);
    EXPECT_EQ(SerializeExportCriteria(back), saved);
    EXPECT_EQ(back.staff, c.staff);
    ASSERT_EQ(back.categories.size(), 3u);
    EXPECT_TRUE(back.categories[2].designIds.empty());
    EXPECT_EQ(back.dateTo, c.dateTo);
}

TEST_F(LogbookExport, BuildsOneParameterPerValueWithinParenthesisedSections) {
    ExportCriteria c;
    c.staff = {"Ann Desk", "Bo"};
    EXPECT_EQ(GetConciergeSQL(c).sql, "([LogBook].[EnteredBy] IN (?, ?))");
    EXPECT_EQ(GetConciergeSQL(c).params, (QVariantList{"Ann Desk", "Bo"}));
    c.dateType = ExportDateType::Reference;
    c.dateFrom = QDate(2026, 3, 1);
    c.dateTo = QDate(2026, 3, 31);
    EXPECT_EQ(GetDateRangeSQL(c).params, (QVariantList{"2026/03/01", "2026/03/31"}));
    c.status = 2; // all, cancelled left out: the cancelled condition alone
    c.cancelled = 1;
    EXPECT_EQ(GetStatusSQL(c).sql, "([LogBook].[Cancelled]=?)");
    c.status = 0;
    EXPECT_EQ(GetStatusSQL(c).params, (QVariantList{false, false}));
    c.profileTypes = {"VIP"};
    const SqlPart all = BuildExportCondition(c, {"Dining"}, false);
    EXPECT_EQ(all.sql.count(" AND ("), 4);
    EXPECT_EQ(all.params.size(), 8);
    EXPECT_FALSE(BuildExportCondition(c, {"Dining"}, true).sql.contains("Profile"));
    // Most of the categories: the same choice, without the category index.
    EXPECT_TRUE(BuildExportCondition(c, {"Dining"}, false, 3).sql.startsWith("([LogBook].[Entry"));
    EXPECT_TRUE(BuildExportCondition(c, {"Dining", "Spa"}, false, 3)
                    .sql.startsWith("(COALESCE([LogBook].[EntryType], '') IN (?, ?))"));
}

TEST_F(LogbookExport, WritesDesignColumnsQuotedAndSortedByArrivalDate) {
    LogEntry a = entry("Alpha", "Dining", "2026/03/20",
                       QString(300, 'x') + "\r\nVendor: Chez Nous, Bar\r\nParty: 4\r\n");
    a.arrivalDate = "2026/03/01";
    a.guestId = "G1";
    a.roomNumber = "101";
    LogEntry b = entry("Bravo", "Dining", "2026/03/10", "Party: 2\r\n");
    b.arrivalDate = "2026/03/05";
    b.guestId = "G2";
    b.roomNumber = "102";
    const qint64 idA = add(a), idB = add(b);
    ExportCriteria c = diningCriteria();
    c.sort[0] = {3, 1}; // "Entry Date", descending: latest arrival first
    ASSERT_EQ(RunLogbookExport(*env.ctx, c, file), 2);
    const QStringList lines = ReadFile(file).split("\r\n");
    EXPECT_EQ(lines[0], "Last Name,First Name,Guest ID,Entry Date,Refer Date,Refer Time,"
                        "Concierge,Logbook Type,Logbook ID,Room Number,Vendor:");
    EXPECT_EQ(lines[1],
              QString("Bravo,Pat,G2,2026/03/14,2026/03/10,19:30,Ann Desk,Dining,%1,102,").arg(idB));
    EXPECT_EQ(lines[2], QString("Alpha,Pat,G1,2026/03/14,2026/03/20,19:30,Ann Desk,Dining,%1,101,"
                                "\"Chez Nous, Bar\"")
                            .arg(idA));
}

TEST_F(LogbookExport, MostCategoriesChosenLeaveOutOnlyTheOthers) {
    designedCategory("Spa", {"Room:"});
    designedCategory("Tours", {"Bus:"});
    const auto all = GetLogbookCategories(env.db());
    ASSERT_EQ(all.size(), 3u);
    ExportCriteria c;
    QString left;
    for (const auto& [id, name] : all) {
        if (left.isEmpty() && id != dining) {
            left = name;
            continue;
        }
        c.categories.push_back({id, id == dining ? std::vector<qint64>{items[0]} : std::vector<qint64>{}});
    }
    add(entry("Alpha", "Dining", "2026/03/20", QString(300, 'x') + "\r\nVendor: Far\r\n"));
    add(entry("Beta", left, "2026/03/20"));
    ASSERT_EQ(RunLogbookExport(*env.ctx, c, file), 1);
    const QStringList lines = ReadFile(file).split("\r\n");
    EXPECT_TRUE(lines[1].startsWith("Alpha,"));
    EXPECT_TRUE(lines[1].endsWith(",Far")); // read across the text's pieces
}

TEST_F(LogbookExport, NothingMatchingLeavesTheOldFileAlone) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    EXPECT_EQ(RunLogbookExport(*env.ctx, diningCriteria(), file), 0);
    EXPECT_EQ(ReadFile(file), "old");
    const QString none = env.root() + "/none.csv";
    EXPECT_EQ(RunLogbookExport(*env.ctx, diningCriteria(), none), 0);
    EXPECT_FALSE(QFile::exists(none));
    add(entry("Alpha", "Dining", "2026/03/20"));
    EXPECT_THROW(RunLogbookExport(*env.ctx, diningCriteria(), env.root() + "/no/such/x.csv"),
                 ExportFileError);
}

TEST_F(LogbookExport, ExportsFromTheArchive) {
    ASSERT_TRUE(env.ctx->hasArchive());
    env.ctx->archive->exec("INSERT INTO [LogBook] ([LastName], [EntryType], [NoteField], "
                           "[ProfileID], [Complete], [Cancelled]) VALUES(?, ?, ?, ?, ?, ?)",
                           {"Old", "Dining", "Vendor: Gone\r\n", 0, true, false});
    add(entry("Current", "Dining", "2026/03/20"));
    ExportCriteria c = diningCriteria();
    c.database = 1;
    c.status = 1;
    c.sort[0] = {6, 0}; // no profiles in the archive: skipped
    ASSERT_EQ(RunLogbookExport(*env.ctx, c, file), 1);
    EXPECT_TRUE(ReadFile(file).split("\r\n")[1].startsWith("Old,"));
    EXPECT_TRUE(ReadFile(file).split("\r\n")[1].endsWith(",Gone"));
}

TEST_F(LogbookExport, SavesLoadsAndDeletesDefinitions) {
    const qint64 id = CreateExportDefinition(env.db(), "Dinners");
    ASSERT_GT(id, 0);
    EXPECT_EQ(CreateExportDefinition(env.db(), "dinners"), 0);
    EXPECT_FALSE(LoadExportDefinition(env.db(), id).has_value());
    EXPECT_EQ(EmptyDefinitionMessage("Dinners"),
              "The definition for 'Dinners' is empty. Please\r\n"
              "select your definition criteria and click the save button.");
    SaveExportDefinition(*env.ctx, id, diningCriteria(), "/tmp/d.csv");
    EXPECT_EQ(INIRead("CsvExports", "ExportID_" + QString::number(id), env.ctx->iniFile()),
              "/tmp/d.csv");
    EXPECT_EQ(SerializeExportCriteria(*LoadExportDefinition(env.db(), id)),
              SerializeExportCriteria(diningCriteria()));
    DeleteExportDefinition(*env.ctx, id);
    EXPECT_TRUE(LoadSavedExportDefinitions(env.db()).empty());
    EXPECT_EQ(INIRead("CsvExports", "ExportID_" + QString::number(id), env.ctx->iniFile()), "");
}

TEST_F(LogbookExport, ScreenExportsTheTickedItemAndSavesADefinition) {
    EnsureApplication();
    add(entry("Alpha", "Dining", "2026/03/20", "Vendor: Chez Nous\r\n"));
    frmExport f(*env.ctx);
    auto* exportButton = f.findChild<QPushButton*>("cmdExport");
    QTest::mouseClick(exportButton, Qt::LeftButton);
    EXPECT_EQ(env.prompt.shown.last().title, TitleNoCategory);

    auto* cats = f.findChild<QListWidget*>("lstCategories");
    const auto found = cats->findItems("Dining", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    cats->setCurrentItem(found[0]);
    f.findChild<QListWidget*>("lstItems")->item(0)->setCheckState(Qt::Checked);
    EXPECT_EQ(found[0]->checkState(), Qt::Checked); // ticking an item chooses its category
    f.findChild<QLineEdit*>("txtOutputFile")->setText(file);
    env.prompt.answer(Answer::No);
    QTest::mouseClick(exportButton, Qt::LeftButton);
    EXPECT_EQ(env.prompt.shown.last().title, TitleExportComplete);
    EXPECT_TRUE(env.prompt.last().startsWith("You have successfully exported 1 records"));
    EXPECT_TRUE(ReadFile(file).contains(",Chez Nous\r\n"));

    env.prompt.answer(Answer::Yes); // overwrite
    env.prompt.answer(Answer::No);
    QTest::mouseClick(exportButton, Qt::LeftButton);
    EXPECT_TRUE(env.prompt.saw(MsgFileExists));

    env.prompt.type(QString("Dinners"));
    QTest::mouseClick(f.findChild<QPushButton*>("cmdSaveDef"), Qt::LeftButton);
    ASSERT_EQ(LoadSavedExportDefinitions(env.db()).size(), 1u);
    EXPECT_EQ(ExportOutputFile(*env.ctx, LoadSavedExportDefinitions(env.db())[0].id), file);
}

} // namespace vm::test
