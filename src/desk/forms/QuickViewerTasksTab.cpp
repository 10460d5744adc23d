// The "Today" and "Tasks" pages: the day's summary, and the tasks of a day
// ticked off with notes, undone, or added for one day only.

#include "core/Formats.h"
#include "desk/QuickViewer.h"
#include "desk/forms/QuickViewerTabs.h"
#include "guests/OtherLists.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QStringList TaskColumns = {"Done",        "Category",     "Task Description",
                                 "Assigned to", "Completed by", "Date/Time Done",
                                 "Notes"};
} // namespace

DashboardTab::DashboardTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabDashboard");
    auto* layout = new QVBoxLayout(this);
    lblToday = named(new QLabel(this), "lblToday");
    QFont big = lblToday->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    lblToday->setFont(big);
    layout->addWidget(lblToday);
    for (int i = 0; i < 3; ++i) {
        lblLines[i] = named(new QLabel(this), QString("lblSummary%1").arg(i + 1));
        layout->addWidget(lblLines[i]);
    }
    layout->addStretch();
}

void DashboardTab::refresh() {
    const QDate today = m_ctx.clock().today();
    lblToday->setText(Formats::DayName(today) + "\n" + Formats::MonthDayYear(today));
    const QStringList lines = DashboardLines(m_ctx, today);
    for (int i = 0; i < 3; ++i)
        lblLines[i]->setText(lines.value(i));
}

TasksTab::TasksTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabTasks");
    m_day = ctx.clock().today();
    build();
    refresh();
}

void TasksTab::build() {
    auto* layout = new QVBoxLayout(this);
    auto* choose = new QHBoxLayout;
    cboTaskCategory = named(new QComboBox(this), "cboTaskCategory");
    optToday = named(new QRadioButton("Today", this), "optToday");
    optYesterday = named(new QRadioButton("Yesterday", this), "optYesterday");
    optTaskDate = named(new QRadioButton("Date:", this), "optTaskDate");
    txtTaskDate = QvDateBox(this, "txtTaskDate");
    optToday->setChecked(true);
    choose->addWidget(new QLabel("Category:", this));
    choose->addWidget(cboTaskCategory);
    for (QWidget* w : {static_cast<QWidget*>(optToday), static_cast<QWidget*>(optYesterday),
                       static_cast<QWidget*>(optTaskDate), static_cast<QWidget*>(txtTaskDate)})
        choose->addWidget(w);
    choose->addStretch();
    choose->addWidget(QvButton(this, "cmdPrintTasks", "Print", [this] { cmdPrintTasks_Click(); }));
    layout->addLayout(choose);

    grdTasks = named(new DataGrid(this), "grdTasks");
    grdTasks->setHeaders(TaskColumns);
    layout->addWidget(grdTasks, 1);

    auto* tick = new QHBoxLayout;
    chkDone = named(new QCheckBox("Done", this), "chkDone");
    txtTaskNotes = named(new QPlainTextEdit(this), "txtTaskNotes");
    txtTaskNotes->setMaximumHeight(60);
    cmdSaveTask = QvButton(this, "cmdSaveTask", "Save", [this] { cmdSaveTask_Click(); });
    cmdUndo = QvButton(this, "cmdUndo", "Undo", [this] { cmdUndo_Click(); });
    tick->addWidget(chkDone);
    tick->addWidget(new QLabel("Notes:", this));
    tick->addWidget(txtTaskNotes, 1);
    tick->addWidget(cmdSaveTask);
    tick->addWidget(cmdUndo);
    layout->addLayout(tick);

    auto* oneTime = new QGroupBox("One-Time Task", this);
    auto* row = new QHBoxLayout(oneTime);
    txtOneTimeDate = QvDateBox(oneTime, "txtOneTimeDate");
    cboOneTimeCategory = named(new QComboBox(oneTime), "cboOneTimeCategory");
    txtOneTimeDescription = makeLineEdit(oneTime, "txtOneTimeDescription", false, 2000);
    cboOneTimeInitials = named(new QComboBox(oneTime), "cboOneTimeInitials");
    row->addWidget(new QLabel("Date:", oneTime));
    row->addWidget(txtOneTimeDate);
    row->addWidget(cboOneTimeCategory);
    row->addWidget(txtOneTimeDescription, 1);
    row->addWidget(new QLabel("Assigned to:", oneTime));
    row->addWidget(cboOneTimeInitials);
    cmdOneTimeTask =
        QvButton(oneTime, "cmdOneTimeTask", "Add Task", [this] { cmdOneTimeTask_Click(); });
    row->addWidget(cmdOneTimeTask);
    layout->addWidget(oneTime);

    connect(cboTaskCategory, &QComboBox::activated, this, [this] { loadTasks(); });
    connect(optToday, &QRadioButton::clicked, this, [this] { chooseDay(m_ctx.clock().today()); });
    connect(optYesterday, &QRadioButton::clicked, this,
            [this] { chooseDay(m_ctx.clock().today().addDays(-1)); });
    const auto typedDay = [this] {
        const QDate d = Formats::ParseShortDate(txtTaskDate->text());
        if (!d.isValid()) {
            m_ctx.prompt().message(MsgValidDate, {}, Icon::Exclamation);
            return;
        }
        optTaskDate->setChecked(true);
        chooseDay(d);
    };
    connect(txtTaskDate, &QLineEdit::returnPressed, this, typedDay);
    connect(optTaskDate, &QRadioButton::clicked, this, typedDay);
    OnCurrentRow(grdTasks, this, [this] { showCurrent(); });
}

void TasksTab::refresh() {
    const QString category = cboTaskCategory->currentText();
    const QStringList categories = GetOtherValues(m_ctx, "TaskType");
    cboTaskCategory->clear();
    cboTaskCategory->addItem("All");
    cboTaskCategory->addItems(categories);
    cboTaskCategory->setCurrentIndex(std::max(0, cboTaskCategory->findText(category)));
    cboOneTimeCategory->clear();
    cboOneTimeCategory->addItem(QString());
    cboOneTimeCategory->addItems(categories);
    FillStaffInitials(m_ctx, cboOneTimeInitials);
    if (txtOneTimeDate->text().isEmpty())
        txtOneTimeDate->setText(Formats::ShortDate(m_ctx.clock().today()));
    if (optToday->isChecked()) m_day = m_ctx.clock().today();
    loadTasks();
}

void TasksTab::chooseDay(const QDate& day) {
    if (!TasksDayAvailable(day, m_ctx.clock().today())) {
        m_ctx.prompt().message(MsgTasksOnlyLast31, {}, Icon::Exclamation);
        return;
    }
    m_day = day;
    loadTasks();
}

void TasksTab::loadTasks() {
    const qint64 current = grdTasks->currentKey();
    grdTasks->clearRows();
    for (const TaskStatusRow& t : GetTheTasks(m_ctx, m_day, cboTaskCategory->currentText())) {
        const QDateTime done = Formats::ParseStoredDateTime(t.completionDateTime);
        const QString when =
            done.isValid() ? Formats::ShortDate(done.date()) + " " + Formats::Time12(done.time())
                           : t.completionDateTime;
        grdTasks->setRow(t.statusId, {t.completed, t.category, t.description, t.initials,
                                      t.completedBy, when, t.notes});
    }
    if (current) grdTasks->selectKey(current);
    showCurrent();
}

void TasksTab::showCurrent() {
    const int row = [this] {
        for (int r = 0; r < grdTasks->rowCount(); ++r)
            if (grdTasks->keyAt(r) == grdTasks->currentKey()) return r;
        return -1;
    }();
    const bool any = row >= 0 && grdTasks->currentKey() != 0;
    chkDone->setChecked(any && grdTasks->cell(row, 0) == "Yes");
    txtTaskNotes->setPlainText(any ? grdTasks->cell(row, 6) : QString());
    for (QWidget* w : {static_cast<QWidget*>(chkDone), static_cast<QWidget*>(txtTaskNotes),
                       static_cast<QWidget*>(cmdSaveTask), static_cast<QWidget*>(cmdUndo)})
        w->setEnabled(any);
}

void TasksTab::cmdSaveTask_Click() {
    const qint64 id = grdTasks->currentKey();
    if (!id) return;
    const QString refusal =
        UpdateTaskStatus(m_ctx, id, chkDone->isChecked(), txtTaskNotes->toPlainText().trimmed());
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
        return;
    }
    loadTasks();
    Q_EMIT changed();
}

void TasksTab::cmdUndo_Click() {
    const qint64 id = grdTasks->currentKey();
    if (!id) return;
    if (m_ctx.prompt().ask(MsgTaskUndoQuestion, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    UndoTaskStatus(m_ctx, id);
    loadTasks();
    Q_EMIT changed();
}

void TasksTab::cmdOneTimeTask_Click() {
    const QDate day = Formats::ParseShortDate(txtOneTimeDate->text());
    QString refusal;
    if (!day.isValid())
        refusal = MsgValidDate;
    else if (txtOneTimeDescription->text().trimmed().isEmpty())
        refusal = MsgTaskDescription;
    else if (cboOneTimeCategory->currentText().trimmed().isEmpty())
        refusal = MsgTaskCategory;
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
        return;
    }
    InsertOneTimeTask(m_ctx, day, cboOneTimeCategory->currentText(),
                      txtOneTimeDescription->text().trimmed(),
                      cboOneTimeInitials->currentData().toString());
    txtOneTimeDescription->clear();
    loadTasks();
    Q_EMIT changed();
}

void TasksTab::cmdPrintTasks_Click() {
    QvPrint(m_ctx, this, "PrintDailyDuties", "Task List",
            {{"date", Formats::StoredDate(m_day)}, {"category", cboTaskCategory->currentText()}});
}

} // namespace vm
