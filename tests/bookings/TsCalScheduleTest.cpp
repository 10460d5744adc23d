// The provider schedule window: the default week typed into its grid and
// saved, dated exceptions, master weeks applied over a span, and deletes.

#include "TsCalFixture.h"

#include "bookings/TsCalendarLogic.h"
#include "bookings/forms/frmTSPSchedule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>

using namespace vm;
using namespace vm::test;

namespace {

const char* const WorkBox[8] = {"", "chkSun", "chkMon", "chkTue", "chkWed",
                                "chkThu", "chkFri", "chkSat"};
const QString Blank5(5, QLatin1Char(' '));

QString tabbed(const QString& name, int tab) { return name + "_" + QString::number(tab); }

class TsCalSchedule : public TsCalFixture {
protected:
    void SetUp() override {
        TsCalFixture::SetUp();
        anna = provider("Anna", true);
    }
    std::unique_ptr<frmTSPSchedule> open() {
        auto f = std::make_unique<frmTSPSchedule>(*env.ctx, anna);
        f->show();
        return f;
    }
    DataGrid* grid(frmTSPSchedule& f, const QString& name) { return control<DataGrid>(f, name); }
    // Works the day (1 = Sunday) on the tab's week, times set through the pickers.
    void setDay(frmTSPSchedule& f, int tab, int weekday, const QString& start, const QString& end,
                const QString& mealStart = {}, const QString& mealEnd = {}) {
        auto* box = control<QCheckBox>(f, tabbed(WorkBox[weekday], tab));
        if (!box->isChecked()) box->click();
        clickRow(grid(f, tabbed("grdWeek", tab)), weekday - 1);
        control<QComboBox>(f, tabbed("cboStart", tab))->setCurrentText(start);
        control<QComboBox>(f, tabbed("cboEnd", tab))->setCurrentText(end);
        control<QComboBox>(f, tabbed("cboMealStart", tab))->setCurrentText(mealStart);
        control<QComboBox>(f, tabbed("cboMealEnd", tab))->setCurrentText(mealEnd);
        click(f, tabbed("cmdSetTimes", tab));
    }
    std::optional<Row> providerRow() {
        return env.db().queryOne("SELECT * FROM [Providers] WHERE [ProvidersID] = ?", {anna});
    }
    std::vector<Row> exceptionRows() {
        return env.db().query("SELECT * FROM [ProviderSchedule] WHERE [ProvidersID] = ? AND "
                              "[StartDate] <> 'Master' ORDER BY [StartDate]",
                              {anna});
    }
    qint64 anna = 0;
};

TEST_F(TsCalSchedule, DefaultWeekTypedInTheGridIsStoredSlotBySlot) {
    auto f = open();
    EXPECT_EQ(f->windowTitle(), "Provider Schedule - Anna");
    QSignalSpy changed(f.get(), &frmTSPSchedule::schedulesChanged);

    // The pickers need a day chosen on the grid, and a day the provider works.
    click(*f, "cmdSetTimes_0");
    EXPECT_EQ(env.prompt.last(), MsgSchedSelectDay);
    clickRow(grid(*f, "grdWeek_0"), 2); // Tuesday, not worked
    click(*f, "cmdSetTimes_0");
    EXPECT_EQ(env.prompt.last(), MsgSchedNotWorking);

    setDay(*f, 0, 2, "09:00", "17:00", "12:00", "13:00");
    setDay(*f, 0, 4, "10:00", "14:00");
    // A Thursday that ends before it starts is refused, naming the day.
    setDay(*f, 0, 5, "11:00", "10:00");
    env.prompt.clear();
    click(*f, "cmdSave_0");
    ASSERT_EQ(env.prompt.shown.size(), 1);
    EXPECT_TRUE(env.prompt.last().contains("Thu")) << env.prompt.last().toStdString();
    EXPECT_EQ(providerRow()->text("WorkSchedule"), "0000000");
    EXPECT_EQ(changed.count(), 0);

    // Thursday's times cleared and the day off again.
    setDay(*f, 0, 5, "", "");
    control<QCheckBox>(*f, "chkThu_0")->click();
    click(*f, "cmdSave_0");
    EXPECT_EQ(changed.count(), 1) << env.prompt.texts().join("|").toStdString();
    const auto row = providerRow();
    EXPECT_EQ(row->text("WorkSchedule"), "0101000");
    EXPECT_EQ(row->text("StartArray"), Blank5 + "09:00" + Blank5 + "10:00" + QString(15, ' '));
    EXPECT_EQ(row->text("EndArray"), Blank5 + "17:00" + Blank5 + "14:00" + QString(15, ' '));
    EXPECT_EQ(row->text("StartMeal"), Blank5 + "12:00" + QString(25, ' '));
    EXPECT_EQ(row->text("EndMeal"), Blank5 + "13:00" + QString(25, ' '));

    // The stored week comes back into the grid.
    f.reset();
    f = open();
    const DataGrid* week = grid(*f, "grdWeek_0");
    EXPECT_EQ(column(week, 0), QStringList({"Sunday", "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"}));
    EXPECT_EQ(QStringList({week->cell(1, 1), week->cell(1, 2), week->cell(1, 3), week->cell(1, 4)}),
              QStringList({"09:00", "17:00", "12:00", "13:00"}));
    EXPECT_EQ(week->cell(3, 2), "14:00");
    EXPECT_TRUE(control<QCheckBox>(*f, "chkMon_0")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(*f, "chkTue_0")->isChecked());
}

TEST_F(TsCalSchedule, ExceptionOfOneDayIsShownAndAnOverlappingOneIsRefused) {
    auto f = open();
    QSignalSpy changed(f.get(), &frmTSPSchedule::schedulesChanged);
    control<QLineEdit>(*f, "txtStartDate")->setText("03/32/2026");
    click(*f, "cmdSave_1");
    EXPECT_EQ(env.prompt.last(),
              "Please enter a valid Starting Date for this Schedule Exception.  Thank you.");

    control<QLineEdit>(*f, "txtStartDate")->setText("03/09/2026");
    setDay(*f, 1, 2, "08:00", "12:00");
    click(*f, "cmdSave_1");
    ASSERT_EQ(changed.count(), 1) << env.prompt.texts().join("|").toStdString();
    auto rows = exceptionRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text("StartDate"), "2026/03/09");
    EXPECT_EQ(rows[0].text("EndDate"), "2026/03/09");
    EXPECT_EQ(rows[0].text("WorkSchedule"), "0100000");
    const DataGrid* list = grid(*f, "grdExceptions");
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->cell(0, 0), "03/09/2026");
    EXPECT_EQ(list->cell(0, 1), "03/09/2026");

    // A new exception over that day is refused and nothing is written.
    click(*f, "cmdNew_1");
    EXPECT_TRUE(control<QLineEdit>(*f, "txtStartDate")->text().isEmpty());
    control<QLineEdit>(*f, "txtStartDate")->setText("03/01/2026");
    control<QLineEdit>(*f, "txtThroughDate")->setText("03/15/2026");
    env.prompt.clear();
    click(*f, "cmdSave_1");
    EXPECT_EQ(env.prompt.shown.size(), 1);
    EXPECT_EQ(exceptionRows().size(), 1u);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(TsCalSchedule, OpenEndedExceptionShowsEmptyAndStaysOpenWhenSavedAgain) {
    env.db().insert("INSERT INTO [ProviderSchedule] ([ProvidersID], [StartDate], [EndDate], "
                    "[WorkSchedule], [StartArray], [EndArray], [StartMeal], [EndMeal]) "
                    "VALUES (?, '2026/04/01', '9999/12/31', '0000000', ?, ?, ?, ?)",
                    {anna, QString(35, ' '), QString(35, ' '), QString(35, ' '), QString(35, ' ')},
                    "PScheduleID");
    auto f = open();
    DataGrid* list = grid(*f, "grdExceptions");
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->cell(0, 1), "");
    clickRow(list, 0);
    EXPECT_EQ(control<QLineEdit>(*f, "txtStartDate")->text(), "04/01/2026");
    EXPECT_EQ(control<QLineEdit>(*f, "txtThroughDate")->text(), "");
    setDay(*f, 1, 7, "10:00", "16:00");
    click(*f, "cmdSave_1");
    const auto rows = exceptionRows();
    ASSERT_EQ(rows.size(), 1u) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(rows[0].text("EndDate"), "9999/12/31");
    EXPECT_EQ(rows[0].text("WorkSchedule"), "0000001");
}

TEST_F(TsCalSchedule, TwoMastersOverFourWeeksMakeFourExceptionsInRotation) {
    auto f = open();
    QSignalSpy changed(f.get(), &frmTSPSchedule::schedulesChanged);
    control<QLineEdit>(*f, "txtFirstDay")->setText("03/01/2026"); // a Sunday
    control<QComboBox>(*f, "cboWeeks")->setCurrentText("4");
    click(*f, "cmdApply");
    EXPECT_EQ(env.prompt.last(), "There are no Master Schedules defined.");

    const auto master = [&](const QString& name, int weekday) {
        click(*f, "cmdNew_2");
        control<QLineEdit>(*f, "txtMasterName")->setText(name);
        setDay(*f, 2, weekday, "09:00", "17:00");
        click(*f, "cmdSave_2");
    };
    master("Week A", 2);
    master("Week B", 3);
    ASSERT_EQ(column(grid(*f, "grdMasters"), 0), QStringList({"Week A", "Week B"}))
        << env.prompt.texts().join("|").toStdString();

    click(*f, "cmdApply");
    const DataGrid* list = grid(*f, "grdExceptions");
    EXPECT_EQ(column(list, 0),
              QStringList({"03/22/2026", "03/15/2026", "03/08/2026", "03/01/2026"}))
        << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(column(list, 1),
              QStringList({"03/28/2026", "03/21/2026", "03/14/2026", "03/07/2026"}));
    QStringList worked;
    for (const Row& r : exceptionRows())
        worked << r.text("WorkSchedule");
    EXPECT_EQ(worked, QStringList({"0100000", "0010000", "0100000", "0010000"}));
    EXPECT_EQ(changed.count(), 3);

    // Three masters do not divide seven weeks.
    master("Week C", 4);
    control<QLineEdit>(*f, "txtFirstDay")->setText("05/03/2026");
    control<QComboBox>(*f, "cboWeeks")->setCurrentText("7");
    click(*f, "cmdApply");
    EXPECT_EQ(env.prompt.last(),
              "The Number of Weeks must be a multiple of the number of Master Schedules.");
    EXPECT_EQ(exceptionRows().size(), 4u);
}

TEST_F(TsCalSchedule, DeletesNeedASelectionAndAYes) {
    auto f = open();
    QSignalSpy changed(f.get(), &frmTSPSchedule::schedulesChanged);
    click(*f, "cmdDelete_1");
    click(*f, "cmdDelete_2");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgSchedNoException, MsgSchedNoMaster}));

    control<QLineEdit>(*f, "txtStartDate")->setText("03/09/2026");
    click(*f, "cmdSave_1");
    control<QLineEdit>(*f, "txtMasterName")->setText("Winter");
    click(*f, "cmdSave_2");
    ASSERT_EQ(changed.count(), 2) << env.prompt.texts().join("|").toStdString();

    struct Case {
        const char* grid;
        const char* button;
        QString question;
    };
    for (const Case& c : {Case{"grdExceptions", "cmdDelete_1", MsgSchedDeleteException},
                          Case{"grdMasters", "cmdDelete_2", MsgSchedDeleteMaster}}) {
        DataGrid* list = grid(*f, c.grid);
        ASSERT_EQ(list->rowCount(), 1);
        clickRow(list, 0);
        env.prompt.clear();
        env.prompt.answer(Answer::No);
        click(*f, c.button);
        EXPECT_EQ(env.prompt.texts(), QStringList{c.question});
        EXPECT_EQ(list->rowCount(), 1);
        env.prompt.answer(Answer::Yes);
        click(*f, c.button);
        EXPECT_EQ(list->rowCount(), 0) << c.grid;
    }
    EXPECT_EQ(changed.count(), 4);
    EXPECT_TRUE(env.db()
                    .query("SELECT * FROM [ProviderSchedule] WHERE [ProvidersID] = ?", {anna})
                    .empty());
}

} // namespace
