#include "desk/QuickViewerScreenFixture.h"

#include "app/forms/frmSearch.h"
#include "desk/QuickViewerRights.h"
#include "desk/forms/QuickViewerTabs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

using namespace vm;
using namespace vm::test;

namespace {

using screen::type;

class QuickViewerScreen : public QuickViewerScreenFixture {
public:
    // Three of today's duties and one of Mondays, built by whichever desk comes first.
    void threeMasters() {
        master("Daily", "Front Desk", "Check the theatre tickets", "AD");
        master("Weekly", "Bell Stand", "Polish the luggage carts", "BB", "0000001");
        master("Daily", "Bell Stand", "Restock the umbrellas", "");
        master("Weekly", "Front Desk", "Order the flowers", "AD", "0100000");
    }
    std::optional<Row> status(qint64 statusId) {
        return env.db().queryOne("SELECT * FROM [TaskStatus] WHERE [StatusID] = ?", {statusId});
    }
    qint64 statusOf(const QString& description) {
        return env.db()
            .scalar("SELECT [StatusID] FROM [TaskStatus] WHERE [Description] = ?", {description})
            .toLongLong();
    }
};

} // namespace

// Building the day once across desks has its own tests (DailyTasks); here the
// tab shows what was built.
TEST_F(QuickViewerScreen, TodaysTasksShowByCategoryAndAreCounted) {
    threeMasters();
    ASSERT_EQ(BuildTodaysTasks(*env.ctx), 3);

    open("tabTasks");
    auto* grid = control<DataGrid>(*viewer, "grdTasks");
    EXPECT_EQ(GridHeaders(grid), QStringList({"Done", "Category", "Task Description", "Assigned to",
                                              "Completed by", "Date/Time Done", "Notes"}));
    QStringList tasks = GridColumn(grid, 2);
    tasks.sort();
    EXPECT_EQ(tasks, QStringList({"Check the theatre tickets", "Polish the luggage carts",
                                  "Restock the umbrellas"}));
    EXPECT_EQ(GridColumn(grid, 0), QStringList({"No", "No", "No"}));

    // One category at a time.
    screen::pick(*viewer, "cboTaskCategory", "Front Desk");
    EXPECT_EQ(GridColumn(grid, 2), QStringList({"Check the theatre tickets"}));
    EXPECT_EQ(GridColumn(grid, 3), QStringList({"AD"}));
    screen::pick(*viewer, "cboTaskCategory", "All");
    EXPECT_EQ(grid->rowCount(), 3);

    // The summary counts them.
    viewer->showTab("tabDashboard");
    const QStringList lines = DashboardLines(*env.ctx, env.clock.today());
    EXPECT_EQ(control<QLabel>(*viewer, "lblSummary2")->text(), lines.value(1));
    EXPECT_TRUE(lines.value(1).contains("3")) << lines.value(1).toStdString();
    EXPECT_EQ(control<QLabel>(*viewer, "lblToday")->text(), "Saturday\nMarch 14, 2026");
}

TEST_F(QuickViewerScreen, TickingATaskNeedsANoteWhenNotDoneAndUndoClearsIt) {
    threeMasters();
    BuildTodaysTasks(*env.ctx);
    const qint64 id = statusOf("Check the theatre tickets");
    ASSERT_GT(id, 0);
    open("tabTasks");
    auto* grid = control<DataGrid>(*viewer, "grdTasks");
    auto* done = control<QCheckBox>(*viewer, "chkDone");
    auto* notes = control<QPlainTextEdit>(*viewer, "txtTaskNotes");
    EXPECT_FALSE(control<QAbstractButton>(*viewer, "cmdSaveTask")->isEnabled())
        << "nothing to save while no task is chosen";
    grid->selectKey(id);

    // Saved as not done without a note: refused, nothing written.
    ASSERT_FALSE(done->isChecked());
    click(*viewer, "cmdSaveTask");
    EXPECT_EQ(env.prompt.last(),
              "If the Task is not marked as complete\r\nyou must enter a note to explain.");
    EXPECT_EQ(status(id)->text("CompletedBy").trimmed(), "");

    env.clock.set(QDateTime(QDate(2026, 3, 14), QTime(10, 5)));
    done->setChecked(true);
    notes->setPlainText("Two pairs for the Tosca matinee");
    click(*viewer, "cmdSaveTask");
    auto row = status(id);
    EXPECT_EQ(row->text("Completed"), "Yes");
    EXPECT_EQ(row->text("CompletedBy"), "AD");
    EXPECT_EQ(row->text("CompletionDateTime"), "2026/03/14 10:05");
    EXPECT_EQ(row->text("TaskNotes"), "Two pairs for the Tosca matinee");
    const int shown = [&] {
        for (int r = 0; r < grid->rowCount(); ++r)
            if (grid->keyAt(r) == id) return r;
        return -1;
    }();
    ASSERT_GE(shown, 0);
    EXPECT_EQ(grid->cell(shown, 0), "Yes");
    EXPECT_EQ(grid->cell(shown, 4), "AD");
    EXPECT_EQ(grid->cell(shown, 5), "03/14/2026 10:05 AM");
    EXPECT_EQ(grid->cell(shown, 6), "Two pairs for the Tosca matinee");

    // Undo asks first; No keeps the tick.
    grid->selectKey(id);
    env.prompt.answer(Answer::No);
    click(*viewer, "cmdUndo");
    EXPECT_EQ(env.prompt.last(), MsgTaskUndoQuestion);
    EXPECT_EQ(status(id)->text("Completed"), "Yes");
    env.prompt.answer(Answer::Yes);
    click(*viewer, "cmdUndo");
    row = status(id);
    EXPECT_EQ(row->text("Completed"), "No");
    EXPECT_EQ(row->text("CompletedBy").trimmed(), "");
    EXPECT_EQ(row->text("TaskNotes").trimmed(), "");
    EXPECT_FALSE(done->isChecked());
    EXPECT_EQ(notes->toPlainText(), "");
}

TEST_F(QuickViewerScreen, OneTimeTaskAndTheDaysThatCanBeShown) {
    open("tabTasks");
    auto* grid = control<DataGrid>(*viewer, "grdTasks");
    // Missing pieces are refused one by one.
    const struct {
        QString date, category, description, refusal;
    } refused[] = {{"13/45/2026", "Front Desk", "Call the florist", MsgValidDate},
                   {"03/15/2026", "Front Desk", "", MsgTaskDescription},
                   {"03/15/2026", "", "Call the florist", MsgTaskCategory}};
    for (const auto& c : refused) {
        type(*viewer, "txtOneTimeDate", c.date);
        screen::pick(*viewer, "cboOneTimeCategory", c.category);
        type(*viewer, "txtOneTimeDescription", c.description);
        click(*viewer, "cmdOneTimeTask");
        EXPECT_EQ(env.prompt.last(), c.refusal);
    }
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [TaskStatus]").toInt(), 0);

    // Today's one-time task shows at once; tomorrow's only on its day.
    for (const QString& day : {QString("03/14/2026"), QString("03/15/2026")}) {
        type(*viewer, "txtOneTimeDate", day);
        screen::pick(*viewer, "cboOneTimeCategory", "Front Desk");
        type(*viewer, "txtOneTimeDescription", "Call the florist " + day);
        auto* who = control<QComboBox>(*viewer, "cboOneTimeInitials");
        who->setCurrentIndex(who->findData("BB"));
        click(*viewer, "cmdOneTimeTask");
    }
    EXPECT_EQ(GridColumn(grid, 2), QStringList({"Call the florist 03/14/2026"}));
    EXPECT_EQ(GridColumn(grid, 3), QStringList({"BB"}));
    EXPECT_LT(env.db().scalar("SELECT MAX([TaskID]) FROM [TaskStatus]").toLongLong(), 0)
        << "one-time tasks count down from -1";

    // Today and the 31 days before can be shown; the grid keeps the day it showed.
    const auto showDay = [this](const QString& day) {
        type(*viewer, "txtTaskDate", day);
        QTest::keyClick(control<QLineEdit>(*viewer, "txtTaskDate"), Qt::Key_Return);
    };
    const int before = env.prompt.shown.size();
    showDay("02/11/2026");
    EXPECT_EQ(env.prompt.shown.size(), before) << "2026/02/11 is 31 days back";
    EXPECT_EQ(grid->rowCount(), 0);
    for (const QString& day : {QString("02/10/2026"), QString("03/15/2026")}) {
        showDay(day);
        EXPECT_EQ(env.prompt.last(), MsgTasksOnlyLast31) << day.toStdString();
    }
    EXPECT_EQ(env.prompt.shown.size(), before + 2);
    EXPECT_EQ(grid->rowCount(), 0) << "still 2026/02/11";

    // The next morning the second task is today's, the first yesterday's.
    env.clock.advanceDays(1);
    control<QRadioButton>(*viewer, "optToday")->click();
    EXPECT_EQ(GridColumn(grid, 2), QStringList({"Call the florist 03/15/2026"}));
    control<QRadioButton>(*viewer, "optYesterday")->click();
    EXPECT_EQ(GridColumn(grid, 2), QStringList({"Call the florist 03/14/2026"}));
}

TEST_F(QuickViewerScreen, ADocumentConfirmedByTwoStaffIsListedAsReadByThem) {
    setRight(ann, Rights::GlobalsDocumentLinks, true);
    const QString file = env.root() + "/House rules.txt";
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Guests first.\n");
    }
    open("tabDocuments");
    env.desktop.choose(file);
    click(*viewer, "cmdBrowseDoc");
    EXPECT_EQ(control<QLineEdit>(*viewer, "txtDocFile")->text(), file);
    type(*viewer, "txtDocDescription", "House rules 2026");
    type(*viewer, "txtDocEffective", "03/01/2026");
    click(*viewer, "cmdAddDoc");
    auto* docs = control<DataGrid>(*viewer, "grdDocuments");
    ASSERT_EQ(docs->rowCount(), 1);
    const qint64 doc = docs->keyAt(0);
    EXPECT_EQ(docs->cell(0, 1), "House rules 2026");
    EXPECT_EQ(docs->cell(0, 2), "") << "not read yet";

    // Ann opens it and, on leaving it, says she has read it.
    docs->selectKey(doc);
    click(*viewer, "cmdOpenDoc");
    ASSERT_EQ(env.desktop.opened.size(), 1);
    EXPECT_EQ(env.desktop.opened[0].toLocalFile(), file);
    env.prompt.answer(Answer::Yes);
    viewer->showTab("tabTasks");
    EXPECT_EQ(env.prompt.last(), MsgDocumentReadQuestion);

    // Opening it again asks nothing: it is read (the strict prompt would fail).
    viewer->showTab("tabDocuments");
    docs->selectKey(doc);
    click(*viewer, "cmdOpenDoc");
    viewer->showTab("tabTasks");

    // Bob, at the other desk, reads it too and closes his window.
    env.clock.set(QDateTime(QDate(2026, 3, 15), QTime(8, 0)));
    SecondDesk deskB(env, bob, "DESK-B");
    RecordingDesktop bobsDesktop;
    deskB.ctx.setDesktop(&bobsDesktop);
    {
        frmQuickViewer bobs(deskB.ctx);
        bobs.show();
        ASSERT_TRUE(bobs.showTab("tabDocuments"));
        auto* bobsDocs = control<DataGrid>(bobs, "grdDocuments");
        bobsDocs->selectKey(doc);
        click(bobs, "cmdOpenDoc");
        deskB.prompt.answer(Answer::Yes);
        bobs.close();
        EXPECT_EQ(deskB.prompt.last(), MsgDocumentReadQuestion);
    }

    viewer->showTab("tabDocuments");
    control<QRadioButton>(*viewer, "optDocsAll")->click();
    docs->selectKey(doc);
    auto* readers = control<DataGrid>(*viewer, "grdDocsRead");
    QStringList lines;
    for (int r = 0; r < readers->rowCount(); ++r)
        if (!readers->cell(r, 1).isEmpty())
            lines << readers->cell(r, 0) + " " + readers->cell(r, 1);
    EXPECT_EQ(lines, QStringList({"Ann Desk 03/14/2026", "Bob Bell 03/15/2026"}));
    EXPECT_EQ(
        env.db().scalar("SELECT COUNT(*) FROM [DocsRead] WHERE [DocumentID] = ?", {doc}).toInt(),
        2);
}

TEST_F(QuickViewerScreen, DeletingADocumentLinkAsksAndKeepsTheFile) {
    setRight(ann, Rights::GlobalsDocumentLinks, true);
    const QString file = env.root() + "/Menu.txt";
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QvDocument link;
    link.description = "Spring menu";
    link.effective = "2026/03/01";
    link.fileName = file;
    ASSERT_EQ(InsertDocument(*env.ctx, link), "");
    open("tabDocuments");
    auto* docs = control<DataGrid>(*viewer, "grdDocuments");
    docs->selectKey(link.documentId);
    env.prompt.answer(Answer::No);
    click(*viewer, "cmdDeleteDoc");
    EXPECT_EQ(env.prompt.last(), MsgDeleteDocumentLink());
    EXPECT_EQ(docs->rowCount(), 1);
    env.prompt.answer(Answer::Yes);
    click(*viewer, "cmdDeleteDoc");
    EXPECT_EQ(docs->rowCount(), 0);
    EXPECT_TRUE(QFile::exists(file));
}

TEST_F(QuickViewerScreen, MaintenanceIsRefusedWithoutItsRightAndToRestrictedStaff) {
    struct Case {
        const char* what;
        Right right;
        QString refusal;
        std::function<void(QuickViewerScreen&)> act;
        std::function<bool(QuickViewerScreen&)> untouched;
    };
    const auto addLink = [](QuickViewerScreen& t) {
        const QString file = t.env.root() + "/Rules.txt";
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        t.open("tabDocuments");
        type(*t.viewer, "txtDocFile", file);
        type(*t.viewer, "txtDocDescription", "Rules");
        type(*t.viewer, "txtDocEffective", "03/01/2026");
        click(*t.viewer, "cmdAddDoc");
    };
    const auto addCategory = [](QuickViewerScreen& t) {
        t.open("tabLists");
        click(*t.viewer, "cmdNewCategory");
        type(*t.viewer, "txtCategory", "Taxis");
        type(*t.viewer, "txtLabel1", "Company");
        click(*t.viewer, "cmdSaveCategory");
    };
    const auto masters = [](QuickViewerScreen& t) {
        t.open("tabDashboard");
        t.viewer->tabs()->setCurrentWidget(t.viewer->findChild<QWidget*>("tabMasters"));
    };
    const std::vector<Case> cases = {
        {"document links", Rights::GlobalsDocumentLinks, MsgQvNotAuthorizedDocuments, addLink,
         [](QuickViewerScreen& t) {
             return t.env.db().scalar("SELECT COUNT(*) FROM [Documents]").toInt() == 0;
         }},
        {"categories", Rights::GlobalsQuickViewerCategories, MsgQvNotAuthorizedCategories,
         addCategory,
         [](QuickViewerScreen& t) {
             return t.env.db().scalar("SELECT COUNT(*) FROM [QVCategory]").toInt() == 0;
         }},
        {"master tasks", Rights::GlobalsMasterTasks, MsgQvNotAuthorizedMasterTasks, masters,
         [](QuickViewerScreen& t) { return t.shownTab() == "tabDashboard"; }},
    };
    const qint64 rita = env.addStaff("Rita Rest", "rita", "RR", false, true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Without the right.
        env.logOn(ann);
        setRight(ann, c.right, false);
        c.act(*this);
        EXPECT_EQ(env.prompt.last(), c.refusal);
        EXPECT_TRUE(c.untouched(*this));
        // A restricted member is refused even with the right.
        env.logOn(rita);
        setRight(rita, c.right, true);
        env.prompt.clear();
        c.act(*this);
        EXPECT_EQ(env.prompt.last(), "As a Restricted User or Guest Viewer you are not\r\n"
                                     "authorized to use these features.");
        EXPECT_TRUE(c.untouched(*this));
        // With the right it goes through.
        env.logOn(ann);
        setRight(ann, c.right, true);
        env.prompt.clear();
        c.act(*this);
        EXPECT_FALSE(c.untouched(*this));
        EXPECT_TRUE(env.prompt.shown.isEmpty()) << env.prompt.last().toStdString();
    }
}

TEST_F(QuickViewerScreen, MainWindowOpensOneViewerWithItsRightAndShowsTheSummaryLine) {
    master("Daily", "Front Desk", "Check the theatre tickets", "AD");
    BuildTodaysTasks(*env.ctx);
    frmSearch window(*env.ctx);
    InstallQuickViewer(*env.ctx, window);
    env.ctx->session.clear();
    window.setLogonHandler([this] {
        env.logOn(ann);
        return true;
    });
    window.Logon();
    auto* line = window.statusBar()->findChild<QLabel*>("lblDashboard");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->text(), DashboardLine(*env.ctx));
    EXPECT_TRUE(line->text().contains(DashboardLines(*env.ctx, env.clock.today()).value(1)));

    setRight(ann, Rights::TabQuickViewer, false);
    window.launch("cmdQuickViewer");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to use the Quick Viewer.");
    EXPECT_FALSE(window.findChild<frmQuickViewer*>());

    setRight(ann, Rights::TabQuickViewer, true);
    window.launch("cmdQuickViewer");
    window.launch("cmdQuickViewer");
    const auto viewers = window.findChildren<frmQuickViewer*>();
    ASSERT_EQ(viewers.size(), 1);

    // Ticking the task done updates the line at once.
    const QString before = line->text();
    viewers[0]->showTab("tabTasks");
    auto* grid = control<DataGrid>(*viewers[0], "grdTasks");
    grid->selectKey(grid->keyAt(0));
    control<QCheckBox>(*viewers[0], "chkDone")->setChecked(true);
    click(*viewers[0], "cmdSaveTask");
    EXPECT_NE(line->text(), before);
    EXPECT_EQ(line->text(), DashboardLine(*env.ctx));
}

TEST_F(QuickViewerScreen, MasterTasksAreKeptThroughTheScreen) {
    setRight(ann, Rights::GlobalsMasterTasks, true);
    open("tabMasters");
    auto* grid = control<DataGrid>(*viewer, "grdMasters");
    click(*viewer, "cmdNewMaster");
    screen::pick(*viewer, "cboRecurrence", "Weekly");
    screen::pick(*viewer, "cboMasterCategory", "Front Desk");
    control<QPlainTextEdit>(*viewer, "txtMasterDescription")->setPlainText("Order the flowers");
    click(*viewer, "cmdSaveMaster");
    EXPECT_EQ(env.prompt.last(), "Please select the Day(s) of the Week for this task.");
    EXPECT_EQ(grid->rowCount(), 0);

    control<QCheckBox>(*viewer, "chkMon")->setChecked(true);
    control<QCheckBox>(*viewer, "chkThu")->setChecked(true);
    auto* who = control<QComboBox>(*viewer, "cboMasterInitials");
    who->setCurrentIndex(who->findData("BB"));
    screen::pick(*viewer, "cboMessageGroup", "Bob Bell");
    type(*viewer, "txtMessageTime", "9:05 AM");
    click(*viewer, "cmdSaveMaster");
    ASSERT_EQ(grid->rowCount(), 1);
    const QList<TaskMasterRow> stored = GetTaskMasters(*env.ctx);
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0].taskDoW, "MonThu");
    EXPECT_EQ(stored[0].initials, "BB");
    EXPECT_EQ(stored[0].messageGroup, "Bob Bell");
    EXPECT_EQ(stored[0].messageTime, "09:05");

    // Chosen again from the grid, changed and saved: the same master.
    click(*viewer, "cmdNewMaster");
    grid->selectKey(stored[0].masterId);
    EXPECT_EQ(control<QPlainTextEdit>(*viewer, "txtMasterDescription")->toPlainText(),
              "Order the flowers");
    EXPECT_TRUE(control<QCheckBox>(*viewer, "chkThu")->isChecked());
    control<QCheckBox>(*viewer, "chkThu")->setChecked(false);
    click(*viewer, "cmdSaveMaster");
    ASSERT_EQ(GetTaskMasters(*env.ctx).size(), 1);
    EXPECT_EQ(GetTaskMasters(*env.ctx)[0].taskDoW, "Mon");

    env.prompt.answer(Answer::Yes);
    click(*viewer, "cmdDeleteMaster");
    EXPECT_EQ(env.prompt.last(), MsgDeleteMasterTask);
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_TRUE(GetTaskMasters(*env.ctx).isEmpty());
}

TEST_F(QuickViewerScreen, ListsShowTheirLabelledColumnsAndDeleteWithTheirRows) {
    setRight(ann, Rights::GlobalsQuickViewerCategories, true);
    open("tabLists");
    click(*viewer, "cmdNewCategory");
    type(*viewer, "txtCategory", "Taxis");
    type(*viewer, "txtLabel1", "Company");
    type(*viewer, "txtLabel3", "Telephone");
    click(*viewer, "cmdSaveCategory");
    auto* grid = control<DataGrid>(*viewer, "grdQVData");
    EXPECT_EQ(GridHeaders(grid), QStringList({"Company", "Telephone"}));
    EXPECT_FALSE(control<QLineEdit>(*viewer, "txtData2")->isEnabled());

    for (const auto& [company, phone] :
         {std::pair{"Yellow Cab", "555-0101"}, std::pair{"Blue Line", "555-0199"}}) {
        click(*viewer, "cmdNewRow");
        type(*viewer, "txtData1", company);
        type(*viewer, "txtData3", phone);
        click(*viewer, "cmdSaveRow");
    }
    EXPECT_EQ(GridColumn(grid, 0), QStringList({"Blue Line", "Yellow Cab"}));
    EXPECT_EQ(GridColumn(grid, 2), QStringList({"555-0199", "555-0101"}));

    env.prompt.answer(Answer::No);
    click(*viewer, "cmdDeleteCategory");
    EXPECT_EQ(env.prompt.last(), "There are 2 data elements in this category.\r\n"
                                 "Do you wish to delete all of them with this category?");
    EXPECT_EQ(grid->rowCount(), 2);
    env.prompt.answer(Answer::Yes);
    click(*viewer, "cmdDeleteCategory");
    EXPECT_EQ(control<QComboBox>(*viewer, "cboQVCategory")->count(), 0);
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [QVData]").toInt(), 0);
}

TEST_F(QuickViewerScreen, DiaryNotesOverARunOfDaysInTheirColour) {
    open("tabDiary");
    viewer->findChild<DiaryTab*>("tabDiary")->setNoteColor(QColor(0, 0, 255));
    control<QPlainTextEdit>(*viewer, "txtNoteText")->setPlainText("Pool closed until noon");
    type(*viewer, "txtStartDate", "03/14/2026");
    type(*viewer, "txtThroughDate", "03/28/2026");
    screen::pick(*viewer, "cboRepeat", "Weekly");
    screen::pick(*viewer, "cboWeekday", "Saturday");
    click(*viewer, "cmdAddNote");
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [DayNotes]").toInt(), 3);
    EXPECT_EQ(env.db().scalar("SELECT MAX([ColorCode]) FROM [DayNotes]").toLongLong(), 0xFF0000)
        << "blue as a Windows colour value";
    auto* notes = control<QListWidget>(*viewer, "lstNotes");
    ASSERT_EQ(notes->count(), 1);
    EXPECT_EQ(notes->item(0)->text(), "Pool closed until noon");
    EXPECT_EQ(notes->item(0)->foreground().color(), QColor(0, 0, 255));

    type(*viewer, "txtDiaryDate", "03/21/2026");
    QTest::keyClick(control<QLineEdit>(*viewer, "txtDiaryDate"), Qt::Key_Return);
    EXPECT_EQ(notes->count(), 1);
    type(*viewer, "txtDiaryDate", "03/20/2026");
    QTest::keyClick(control<QLineEdit>(*viewer, "txtDiaryDate"), Qt::Key_Return);
    EXPECT_EQ(notes->count(), 0);

    // Another member may not delete Ann's note.
    type(*viewer, "txtDiaryDate", "03/21/2026");
    QTest::keyClick(control<QLineEdit>(*viewer, "txtDiaryDate"), Qt::Key_Return);
    env.logOn(bob);
    notes->setCurrentRow(0);
    click(*viewer, "cmdDeleteNote");
    EXPECT_EQ(env.prompt.last(), "You may not delete another person's note.");
    EXPECT_EQ(notes->count(), 1);
    env.logOn(ann);
    click(*viewer, "cmdDeleteNote");
    EXPECT_EQ(notes->count(), 0);
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [DayNotes]").toInt(), 2);
}

TEST_F(QuickViewerScreen, TheWindowHoldsItsTabsAndTheCalculatorTakesClicksAndKeys) {
    open();
    QStringList tabs, names;
    for (int i = 0; i < viewer->tabs()->count(); ++i) {
        tabs << viewer->tabs()->tabText(i);
        names << viewer->tabs()->widget(i)->objectName();
    }
    EXPECT_EQ(tabs, QStringList({"Today", "Tasks", "Master Tasks", "Daily Diary", "Documents",
                                 "Lists", "Statistics", "Calculator"}));
    EXPECT_EQ(names, QStringList({"tabDashboard", "tabTasks", "tabMasters", "tabDiary",
                                  "tabDocuments", "tabLists", "StatisticsTab", "tabCalculator"}));

    ASSERT_TRUE(viewer->showTab("tabCalculator"));
    auto* display = control<QLineEdit>(*viewer, "txtCalcDisplay");
    for (const char* key : {"cmdCalc1", "cmdCalc2", "cmdCalcAdd", "cmdCalc3", "cmdCalcMultiply",
                            "cmdCalc2", "cmdCalcEquals"})
        QTest::mouseClick(control<QAbstractButton>(*viewer, key), Qt::LeftButton);
    EXPECT_EQ(display->text(), "30");
    click(*viewer, "cmdCalcMPlus");
    EXPECT_EQ(control<QLabel>(*viewer, "lblCalcMemory")->text(), "M");
    auto* calculator = control<QWidget>(*viewer, "tabCalculator");
    QTest::keyClicks(calculator, "7/0");
    QTest::keyClick(calculator, Qt::Key_Return);
    EXPECT_EQ(display->text(), "Error");
    QTest::keyClick(calculator, Qt::Key_Escape);
    EXPECT_EQ(display->text(), "0");
    click(*viewer, "cmdCalcMR");
    EXPECT_EQ(display->text(), "30");
}
