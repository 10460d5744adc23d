#include "LogbookFixture.h"

#include "logbook/DesignText.h"
#include "logbook/Designs.h"
#include "logbook/ReportWriter.h"
#include "logbook/ReportWriterOutput.h"
#include "support/CsvReader.h"

#include <QDir>
#include <QFile>

using namespace vm;
using namespace vm::test;

namespace {

const QString Crlf = QStringLiteral("\r\n");

QString designText(const QString& vendor, const QString& commission) {
    return "Vendor: " + vendor + Crlf + "Commission: " + commission + Crlf + "Window table";
}

ReportCriteria dining(const QStringList& labels = {"Commission:"}) {
    ReportCriteria c;
    c.category = "Dining";
    c.fromText = "03/01/2026";
    c.throughText = "03/31/2026";
    c.labels = labels;
    return c;
}

QString paragraphText(const doc::Block& b) {
    QString out;
    if (const auto* p = std::get_if<doc::Paragraph>(&b))
        for (const doc::Run& r : p->runs)
            out += r.text;
    return out;
}

} // namespace

class ReportWriter : public LogbookFixture {
protected:
    qint64 addEntry(const QString& last, const QString& text,
                    const QString& referDate = "2026/03/14", const QString& category = "Dining") {
        return add(entry(last, category, referDate, text));
    }
    ReportResult run(const ReportCriteria& c) {
        return GetTheVCLogEntries(*env.ctx, c, BuildReportSelection(c));
    }
    static QStringList names(const ReportResult& r) {
        QStringList out;
        for (const ReportRow& row : r.rows)
            out << row.cells[RcLastName];
        return out;
    }
};

TEST(ReportWriterCriteria, RefusalsComeInTheScreensOrder) {
    struct Case {
        const char* what;
        QString category, from, through;
        QStringList labels;
        bool hasDesign;
        QString expected;
    };
    const Case cases[] = {
        {"nothing chosen", "", "bad", "bad", {}, true, MsgReportNoCategory},
        {"unreadable from date", "Dining", "13/45/2026", "03/31/2026", {}, true, MsgReportBadDate},
        {"empty through date", "Dining", "03/01/2026", "", {"Commission:"}, true, MsgReportBadDate},
        {"through before from",
         "Dining",
         "03/31/2026",
         "03/01/2026",
         {},
         true,
         MsgReportThroughBeforeFrom},
        {"design without a label",
         "Dining",
         "03/01/2026",
         "03/31/2026",
         {},
         true,
         MsgReportNoLabel},
        {"placeholder still shown",
         "Dining",
         "03/01/2026",
         "03/31/2026",
         {LabelPlaceholder, "Vendor:"},
         true,
         MsgReportNoLabel},
        {"no design needs no label", "Dining", "03/01/2026", "03/31/2026", {}, false, ""},
        {"one day", "Dining", "03/14/2026", "03/14/2026", {"Vendor:"}, true, ""},
    };
    for (const Case& k : cases) {
        ReportCriteria c;
        c.category = k.category;
        c.fromText = k.from;
        c.throughText = k.through;
        c.labels = k.labels;
        EXPECT_EQ(CheckReportCriteria(c, k.hasDesign), k.expected) << k.what;
    }
}

TEST(ReportWriterCriteria, NamesTravelAsValuesAndTheDescriptionReadsThem) {
    ReportCriteria c = dining();
    c.category = "Chef's Table";
    c.groupId = 7;
    c.groupName = "Smith Wedding";
    c.concierge = "Pat O'Brien";
    c.status = ReportStatus::Open;
    c.noCancels = true;
    const ReportSelection s = BuildReportSelection(c);
    EXPECT_FALSE(s.where.contains('\''));
    EXPECT_FALSE(s.where.contains('"'));
    EXPECT_EQ(s.where.count('?'), s.params.size());
    EXPECT_EQ(s.params, (QVariantList{"2026/03/01", "2026/04/01", "Chef's Table", qint64(7),
                                      "Pat O'Brien", false, false}));
    EXPECT_EQ(SortedDescription(s.description, "Last Name"),
              "Where Reference Date is between  03/01/2026 and 03/31/2026 And Category is Chef's "
              "Table And Group Name is Smith Wedding And Concierge Name is Pat O'Brien And Status "
              "is Open, Sorted by Last Name");

    c.byEntryDate = true;
    c.groupId = 0;
    c.concierge.clear();
    c.conciergeGroup = "Bell Desk";
    c.status = ReportStatus::Closed;
    c.noCancels = false;
    const ReportSelection closed = BuildReportSelection(c, true);
    EXPECT_TRUE(closed.where.startsWith("[EntryDate] >= ?"));
    EXPECT_EQ(closed.params,
              (QVariantList{"2026/03/01", "2026/04/01", "Chef's Table", true, true}));
    EXPECT_EQ(closed.description, "Where Entry Date is between  03/01/2026 and 03/31/2026 And "
                                  "Category is Chef's Table And Concierge Group is Bell Desk And "
                                  "Status is Closed");
}

TEST(ReportWriterValues, NumbersCountTextsDoNot) {
    const std::pair<QString, std::optional<double>> cases[] = {
        {"12.50", 12.5},
        {"$1,250.00", 1250},
        {" 7 ", 7},
        {"-3", -3},
        {"€5", 5},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {DamagedDesignValue, std::nullopt},
        {"1e3", std::nullopt},
        {"nan", std::nullopt},
        {"12.5.1", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(DesignNumber(text, "€"), expected) << text.toStdString();
    EXPECT_EQ(ReportCountText(0), "0 Entries were selected.");
    EXPECT_EQ(ReportCountText(1), "1 Entries were selected");
    EXPECT_EQ(ReportCountText(12345), "12,345 Entries were selected");
    EXPECT_EQ(StatusColorSetting("Cancelled"), "ColorCancel");
    EXPECT_EQ(StatusColorSetting("OnHold"), "ColorOnHold");
    EXPECT_EQ(StatusColorSetting("Incomplete"), "ColorIncomplete");
}

TEST_F(ReportWriter, RowsCarryMarksFieldsAndATotalOfTheNumbers) {
    designedCategory("Dining", {"Vendor:", "Commission:"});
    category("Spa");
    LogEntry both = entry("Smith", "Dining", "2026/03/14", designText("Chez Nous", "12.50"));
    both.cancelled = true;
    both.profileId = 5;
    add(both);
    // The commission line lies beyond the first 255 characters.
    addEntry("Adams", "Vendor: Le Jardin" + Crlf + "Note: " + QString(300, 'x') + Crlf +
                          "Commission: $1,000.00" + Crlf + "Window table");
    addEntry("Brown", "Window table, no fields");
    addEntry("Cole", "Vendor: Harbor" + Crlf + "Commission: 7"); // no line end: damaged
    addEntry("Dunn", designText("Harbor", "call back"));         // not a number
    addEntry("Evans", designText("Harbor", "5"), "2026/04/01");  // after the range
    addEntry("Ford", designText("Harbor", "5"), "2026/03/14", "Spa");

    const ReportResult r = run(dining({"Vendor:", "Commission:"}));
    ASSERT_EQ(r.entries, 5);
    EXPECT_EQ(names(r),
              (QStringList{"Adams", "Brown", "Cole", "Dunn", "Smith  (CXL) (P)", TotalLabel}));
    EXPECT_EQ(r.headers, (QStringList{"Last Name", "First Name", "Refer Date", "Who",
                                      "Vendor:", "Commission:", LabelPlaceholder, "Log ID",
                                      "Room #", "When Entered", "Complete"}));
    const ReportRow& adams = r.rows[0];
    EXPECT_EQ(adams.cells[RcLabel1], "Le Jardin");
    EXPECT_EQ(adams.cells[RcLabel2], "$1,000.00");
    EXPECT_EQ(adams.cells[RcLabel3], "");
    EXPECT_EQ(adams.cells[RcReferDate], "2026/03/14");
    EXPECT_EQ(adams.cells[RcWho], "AD");
    EXPECT_EQ(adams.cells[RcWhenEntered], "2026/03/14 09:30");
    EXPECT_EQ(adams.cells[RcComplete], "False");
    EXPECT_EQ(adams.status, "Incomplete");
    EXPECT_EQ(r.rows[1].cells[RcLabel2], "");                 // Brown: no such line
    EXPECT_EQ(r.rows[2].cells[RcLabel2], DamagedDesignValue); // Cole
    EXPECT_EQ(r.rows[4].status, "Cancelled");
    const ReportRow& total = r.rows.back();
    EXPECT_EQ(total.logId, TotalRowKey);
    EXPECT_EQ(total.cells[RcLabel2], "1012.50"); // 12.50 + 1,000.00; damaged and text skipped
    EXPECT_EQ(total.cells[RcLabel1], ".00");     // no vendor is a number
    EXPECT_EQ(total.cells[RcLabel3], "");        // column not used
    EXPECT_EQ(r.countText, "5 Entries were selected");
}

TEST_F(ReportWriter, CategoryWithAnApostropheAndTheEntryDateAreRead) {
    designedCategory("Chef's Table", {"Commission:"});
    addEntry("Gale", designText("Chef", "4"), "2026/05/01", "Chef's Table");
    ReportCriteria c = dining();
    c.category = "Chef's Table";
    EXPECT_EQ(run(c).entries, 0); // referred to in May
    c.byEntryDate = true;         // but entered on March 14
    const ReportResult r = run(c);
    ASSERT_EQ(r.entries, 1);
    EXPECT_EQ(r.rows[0].cells[RcReferDate], "2026/03/14");
    EXPECT_EQ(r.rows.back().cells[RcLabel1], "4.00");
}

TEST_F(ReportWriter, StatusAndCancelledChoicesFilter) {
    designedCategory("Dining", {"Commission:"});
    LogEntry cancelled = entry("Cancelled", "Dining", "2026/03/14", designText("A", "1"));
    cancelled.cancelled = true;
    add(cancelled);
    LogEntry done = entry("Done", "Dining", "2026/03/14", designText("A", "2"));
    done.complete = true;
    add(done);
    addEntry("Open", designText("A", "4"));

    struct Case {
        ReportStatus status;
        bool noCancels;
        QStringList expected;
    };
    const Case cases[] = {
        {ReportStatus::All, false, {"Cancelled  (CXL)", "Done", "Open", TotalLabel}},
        {ReportStatus::All, true, {"Done", "Open", TotalLabel}},
        {ReportStatus::Open, false, {"Cancelled  (CXL)", "Open", TotalLabel}},
        {ReportStatus::Closed, true, {"Done", TotalLabel}},
    };
    for (const Case& k : cases) {
        ReportCriteria c = dining();
        c.status = k.status;
        c.noCancels = k.noCancels;
        EXPECT_EQ(names(run(c)), k.expected) << int(k.status) << k.noCancels;
    }
    ReportCriteria none = dining();
    none.fromText = none.throughText = "01/01/2020";
    const ReportResult empty = run(none);
    EXPECT_TRUE(empty.rows.empty()); // no total row without entries
    EXPECT_EQ(empty.countText, "0 Entries were selected.");
}

TEST_F(ReportWriter, GroupConciergeAndConciergeGroupFilter) {
    designedCategory("Dining", {"Commission:"});
    const qint64 group = env.db().insert("INSERT INTO [Group] ([GroupName]) VALUES (?)",
                                         {"Smith Wedding"}, "GroupID");
    LogEntry grouped = entry("Grouped", "Dining", "2026/03/14", designText("A", "1"));
    grouped.groupId = group;
    add(grouped);
    addEntry("Ann's", designText("A", "2"));
    // Entries of two more members: one in the bell desk group, one in a group
    // whose name merely contains it.
    const qint64 bell = env.addStaff("Bo Bell", "bo", "QB");
    const qint64 other = env.addStaff("Cy Belle", "cy", "QC");
    env.db().exec("UPDATE [Concierge] SET [MessageGroup] = ? WHERE [ConciergeID] = ?",
                  {"Night, Bell Desk", bell});
    env.db().exec("UPDATE [Concierge] SET [MessageGroup] = ? WHERE [ConciergeID] = ?",
                  {"Bell Desk Two", other});
    env.logOn(bell);
    addEntry("Bo's", designText("A", "4"));
    env.logOn(other);
    addEntry("Cy's", designText("A", "8"));

    EXPECT_EQ(ConciergeGroupInitials(env.db(), "bell desk"), QStringList{"QB"});
    ReportCriteria c = dining();
    c.groupId = group;
    c.groupName = "Smith Wedding";
    EXPECT_EQ(names(run(c)), (QStringList{"Grouped", TotalLabel}));
    c = dining();
    c.concierge = "Ann Desk";
    EXPECT_EQ(names(run(c)), (QStringList{"Ann's", "Grouped", TotalLabel}));
    c = dining();
    c.conciergeGroup = "Bell Desk";
    const ReportResult r = run(c);
    EXPECT_EQ(names(r), (QStringList{"Bo's", TotalLabel}));
    EXPECT_EQ(r.rows.back().cells[RcLabel1], "4.00");
}

TEST_F(ReportWriter, ArchiveEntriesTakeTheirTextFromTheArchive) {
    designedCategory("Dining", {"Commission:"});
    Database& archive = *env.ctx->archive;
    const QString head = "Vendor: Old Place" + Crlf + "Note: " + QString(260, 'y');
    const qint64 id = archive.insert("INSERT INTO [LogBook] ([LastName], [EntryType], [ReferDate], "
                                     "[Cancelled], [Complete], [NoteField]) VALUES "
                                     "('Archived', 'Dining', '2026/03/10', ?, ?, ?)",
                                     {false, true, head.left(255)}, "LogID");
    archive.exec("INSERT INTO [LogText] ([LogID], [Sequence], [NoteField]) VALUES (?, 1, ?)",
                 {id, head.mid(255) + Crlf + "Commission: 30" + Crlf});
    // The current database has overflow text under the same id.
    env.db().exec("INSERT INTO [LogText] ([LogID], [Sequence], [NoteField]) VALUES (?, 1, ?)",
                  {id, "Commission: 999" + Crlf});

    ReportCriteria c = dining();
    c.source = LogSource::Archive;
    const ReportResult r = run(c);
    ASSERT_EQ(r.entries, 1);
    EXPECT_EQ(r.rows[0].cells[RcLabel1], "30");
    EXPECT_EQ(r.rows[0].cells[RcComplete], "True");
    EXPECT_EQ(r.rows.back().cells[RcLabel1], "30.00");
}

TEST_F(ReportWriter, ExtractsTakeTheNextFreeNameAndReadBack) {
    const QString folder = env.ctx->workstation.outputFolder();
    QDir().mkpath(folder);
    const QStringList headers{"Last Name", "Commission:"};
    const QList<QStringList> rows{
        {"Smith, Jr", "12.50"}, {"Say \"hi\"", "=1+2"}, {TotalLabel, "12.50"}};

    const QString first = NextExtractFile(folder);
    EXPECT_EQ(QFileInfo(first).fileName(), "VmVenComm.csv");
    ASSERT_TRUE(WriteReportExtract(first, headers, rows));
    const QString second = NextExtractFile(folder);
    EXPECT_EQ(QFileInfo(second).fileName(), "VmVenComm1.csv");
    ASSERT_TRUE(WriteReportExtract(second, headers, rows.mid(0, 1)));
    EXPECT_EQ(QFileInfo(NextExtractFile(folder)).fileName(), "VmVenComm2.csv");

    const QList<QStringList> read = ReadCsv(first);
    ASSERT_EQ(read.size(), 4);
    EXPECT_EQ(read[0], headers);
    EXPECT_EQ(read[1], rows[0]); // the comma survives
    EXPECT_EQ(read[2][0], "Say \"hi\"");
    EXPECT_EQ(read[3], rows[2]);
    EXPECT_EQ(ReadCsv(second).size(), 2); // the first extract was not touched by the second

    QFile keep(QDir(folder).filePath("Other.csv"));
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.close();
    EXPECT_TRUE(EraseReportExtracts(folder).isEmpty());
    EXPECT_EQ(QDir(folder).entryList({"*.csv"}, QDir::Files), QStringList{"Other.csv"});
}

TEST_F(ReportWriter, PrintedListsShowTheGridWithTheTotalLastAndRefuseAnEmptyOne) {
    ReportCatalogue catalogue;
    RegisterReportWriterReports(catalogue);
    ASSERT_TRUE(catalogue.find("PrintVCLogs"));
    ASSERT_TRUE(catalogue.find("PrintVCLogsDE1"));
    EXPECT_EQ(catalogue.find("PrintVCLogs")->window, PreviewWindow::List);

    ReportPrintout p;
    p.headers = ReportHeaders(dining({"Vendor:"}));
    QStringList zed(ReportColumnCount), amy(ReportColumnCount), total(ReportColumnCount);
    zed[RcLastName] = "Zed";
    zed[RcLabel1] = "Harbor";
    amy[RcLastName] = "Amy";
    amy[RcLabel1] = "Chez Nous";
    total[RcLastName] = TotalLabel;
    total[RcLabel1] = ".00";
    p.rows = {zed, amy, total};
    p.description =
        "Where Reference Date is between  03/01/2026 and 03/31/2026, Sorted by Last Name";
    p.countText = "2 Entries were selected";

    // The list keeps the grid's order; the placeholder columns are not printed.
    const PrintRequest list = ReportPrintRequest(p);
    EXPECT_EQ(list.routine, "PrintVCLogs");
    EXPECT_EQ(list.title, "Report Writer List");
    const doc::Document d = catalogue.find(list.routine)->build(*env.ctx, list);
    const QString text = doc::PlainText(d);
    EXPECT_TRUE(text.contains(p.description));
    EXPECT_FALSE(text.contains(LabelPlaceholder));
    EXPECT_LT(text.indexOf("Zed"), text.indexOf("Amy"));
    EXPECT_LT(text.indexOf("Amy"), text.indexOf(TotalLabel));
    EXPECT_TRUE(text.trimmed().endsWith("2 Entries were selected"));
    EXPECT_EQ(paragraphText(d.header.value(0)), ReportWriterHeading);

    // By the field: its values in order, the total still last.
    p.byLabel = "Vendor:";
    const PrintRequest by = ReportPrintRequest(p);
    EXPECT_EQ(by.routine, "PrintVCLogsDE1");
    EXPECT_EQ(by.title, "Report Writer By Vendor");
    const doc::Document v = catalogue.find(by.routine)->build(*env.ctx, by);
    const QString vText = doc::PlainText(v);
    EXPECT_LT(vText.indexOf("Chez Nous"), vText.indexOf("Harbor"));
    EXPECT_LT(vText.indexOf("Harbor"), vText.indexOf(TotalLabel));
    EXPECT_EQ(paragraphText(v.header.value(1)), "By Vendor:");

    p.rows.clear();
    try {
        BuildReportWriterList(p);
        ADD_FAILURE() << "an empty list was printed";
    } catch (const ReportRefused& e) {
        EXPECT_EQ(e.message(), MsgReportNothingToPrint);
    }
}

TEST_F(ReportWriter, ManyLongEntriesAreCompletedAcrossTextBatches) {
    designedCategory("Dining", {"Commission:"});
    // More long texts than one batch of continuations holds.
    const int entries = 1200;
    Database& db = env.db();
    db.transaction([&] {
        for (int i = 1; i <= entries; ++i) {
            const QString text = "Note: " + QString(260, 'n') + Crlf +
                                 "Commission: " + QString::number(i) + Crlf + "Window";
            const qint64 id = db.insert(
                "INSERT INTO [LogBook] ([LastName], [FirstName], [EntryType], [ReferDate], "
                "[Cancelled], [Complete], [NoteField]) VALUES (?, 'Pat', 'Dining', '2026/03/14', "
                "?, ?, ?)",
                {QString("Guest %1").arg(i, 4, 10, QChar('0')), false, false, text.left(255)},
                "LogID");
            db.exec("INSERT INTO [LogText] ([LogID], [Sequence], [NoteField]) VALUES (?, 1, ?)",
                    {id, text.mid(255)});
        }
    });
    const ReportResult r = run(dining());
    ASSERT_EQ(r.entries, entries);
    EXPECT_EQ(r.rows[0].cells[RcLabel1], "1");
    EXPECT_EQ(r.rows[entries - 1].cells[RcLabel1], QString::number(entries));
    EXPECT_EQ(r.rows.back().cells[RcLabel1], "720600.00"); // 1 + 2 + ... + 1200
    EXPECT_EQ(r.countText, "1,200 Entries were selected");
}
