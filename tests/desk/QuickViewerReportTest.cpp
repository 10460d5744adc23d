#include "desk/QuickViewerScreenFixture.h"

#include "desk/reports/QuickViewerReports.h"
#include "output/Document.h"

using namespace vm;
using namespace vm::test;

namespace {

class QuickViewerReports : public QuickViewerScreenFixture {
public:
    void SetUp() override {
        QuickViewerScreenFixture::SetUp();
        RegisterQuickViewerReports(catalogue);
    }
    QString text(const QString& routine, const QVariantMap& args = {}) {
        const ReportRoutine* r = catalogue.find(routine);
        if (!r) throw std::runtime_error("no routine " + routine.toStdString());
        return doc::PlainText(r->build(*env.ctx, {routine, {}, args}));
    }
    QString refusal(const QString& routine, const QVariantMap& args = {}) {
        try {
            text(routine, args);
        } catch (const ReportRefused& e) {
            return e.message();
        }
        return {};
    }
    qint64 document(const QString& description, const QString& effective) {
        QvDocument link;
        link.description = description;
        link.effective = effective;
        link.fileName = env.root() + "/" + description + ".txt";
        EXPECT_EQ(InsertDocument(*env.ctx, link), "");
        return link.documentId;
    }

    ReportCatalogue catalogue;
};

} // namespace

TEST_F(QuickViewerReports, NothingToPrintIsSaidPerRoutine) {
    const struct {
        const char* routine;
        QVariantMap args;
        QString refusal;
    } cases[] = {
        {"PrintDailyDuties", {{"date", "2026/03/14"}}, MsgNoTasksToPrint},
        {"PrintDailyDiary", {{"date", "2026/03/14"}}, MsgNoDiaryToPrint},
        {"PrintQVList", {{"categoryId", 4711}}, MsgQvListGone},
        {"PrintDocRead", {{"documentId", 4711}}, MsgDocumentGone},
        {"PrintDocsRead", {}, MsgNoDocumentsToPrint},
        {"PrintDocsByConcierge", {}, MsgNoDocumentsToPrint},
    };
    for (const auto& c : cases)
        EXPECT_EQ(refusal(c.routine, c.args), c.refusal) << c.routine;
}

TEST_F(QuickViewerReports, DailyDutiesPrintTheDaysTasksOfTheCategory) {
    master("Daily", "Front Desk", "Check the theatre tickets", "AD");
    master("Daily", "Bell Stand", "Restock the umbrellas", "BB");
    BuildTodaysTasks(*env.ctx);
    const qint64 id =
        env.db()
            .scalar("SELECT [StatusID] FROM [TaskStatus] WHERE [Category] = 'Front Desk'")
            .toLongLong();
    ASSERT_EQ(UpdateTaskStatus(*env.ctx, id, true, "Done early"), "");
    const QString all = text("PrintDailyDuties", {{"date", "2026/03/14"}, {"category", "All"}});
    EXPECT_TRUE(inOrder(all, {"Done\tCategory\tTask Description\tAssigned to\tCompleted by",
                              "Restock the umbrellas",
                              "Yes\tFront Desk\tCheck the theatre "
                              "tickets\tAD\tAD\t03/14/2026 09:30 AM\t"
                              "Done early"}))
        << all.toStdString();
    const QString bell =
        text("PrintDailyDuties", {{"date", "2026/03/14"}, {"category", "Bell Stand"}});
    EXPECT_TRUE(bell.contains("Restock the umbrellas"));
    EXPECT_FALSE(bell.contains("theatre"));
    EXPECT_EQ(refusal("PrintDailyDuties", {{"date", "2026/03/13"}}), MsgNoTasksToPrint);
}

TEST_F(QuickViewerReports, DocumentListsShowWhoReadWhat) {
    const qint64 rules = document("House rules", "2026/03/01");
    document("Spring menu", "2026/03/10");
    InsertConfirmation(*env.ctx, rules);
    env.logOn(bob);
    env.clock.advanceDays(1);
    InsertConfirmation(*env.ctx, rules);

    const QString one = text("PrintDocRead", {{"documentId", rules}});
    EXPECT_TRUE(
        inOrder(one, {"Staff Member\tDate Read", "Ann Desk\t03/14/2026", "Bob Bell\t03/15/2026"}))
        << one.toStdString();

    const QString all = text("PrintDocsRead");
    EXPECT_TRUE(inOrder(all, {"Spring menu", "Ann Desk\t" + NotReadYet, "Bob Bell\t" + NotReadYet,
                              "House rules", "Ann Desk\t03/14/2026", "Bob Bell\t03/15/2026"}))
        << all.toStdString();

    const QString byStaff = text("PrintDocsByConcierge");
    EXPECT_TRUE(
        inOrder(byStaff, {"Ann Desk", "Spring menu\t" + NotReadYet, "House rules\t03/14/2026",
                          "Bob Bell", "Spring menu\t" + NotReadYet, "House rules\t03/15/2026"}))
        << byStaff.toStdString();
}

TEST_F(QuickViewerReports, AReferenceListPrintsItsLabelledColumns) {
    QVCategory c;
    c.category = "Taxis";
    c.labels[0] = "Company";
    c.labels[2] = "Telephone";
    c.notes = "Call ahead on race days";
    ASSERT_EQ(SaveQVCategory(*env.ctx, c), "");
    for (const auto& [company, phone] :
         {std::pair{"Yellow Cab", "555-0101"}, std::pair{"Blue Line", "555-0199"}}) {
        QVRow row;
        row.categoryId = c.id;
        row.data[0] = company;
        row.data[1] = "unused";
        row.data[2] = phone;
        SaveQVData(*env.ctx, row);
    }
    const QString list = text("PrintQVList", {{"categoryId", c.id}});
    EXPECT_TRUE(inOrder(list, {"Call ahead on race days", "Company\tTelephone",
                               "Blue Line\t555-0199", "Yellow Cab\t555-0101"}))
        << list.toStdString();
    EXPECT_FALSE(list.contains("unused"));
}
