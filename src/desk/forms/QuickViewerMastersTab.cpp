// The "Master Tasks" page: the recurring duties the day's tasks are built from.

#include "core/Formats.h"
#include "core/Staff.h"
#include "desk/QuickViewer.h"
#include "desk/QuickViewerRights.h"
#include "desk/forms/QuickViewerTabs.h"
#include "guests/OtherLists.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const char* const DayBoxes[7] = {"chkSun", "chkMon", "chkTue", "chkWed",
                                 "chkThu", "chkFri", "chkSat"};

QString monthName(int month) {
    return QLocale(QLocale::English).monthName(month, QLocale::LongFormat);
}

void chooseText(QComboBox* box, const QString& text) {
    int at = box->findText(text);
    if (at < 0 && !text.isEmpty()) {
        // A value no longer in its list still shows as stored.
        box->addItem(text, text);
        at = box->count() - 1;
    }
    box->setCurrentIndex(std::max(0, at));
}

} // namespace

MastersTab::MastersTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabMasters");
    build();
}

void MastersTab::build() {
    auto* layout = new QVBoxLayout(this);
    grdMasters = named(new DataGrid(this), "grdMasters");
    grdMasters->setHeaders({"Recurrence", "Category", "Task Description", "Assigned to", "Days",
                            "Month", "Day", "Sequence", "Message Group", "Message Time"});
    layout->addWidget(grdMasters, 1);

    auto* form = new QGridLayout;
    cboRecurrence = named(new QComboBox(this), "cboRecurrence");
    cboRecurrence->addItems({"Daily", "Weekly", "Monthly", "Yearly"});
    cboMasterCategory = named(new QComboBox(this), "cboMasterCategory");
    txtMasterDescription = named(new QPlainTextEdit(this), "txtMasterDescription");
    txtMasterDescription->setMaximumHeight(60);
    cboMasterInitials = named(new QComboBox(this), "cboMasterInitials");
    auto* days = new QHBoxLayout;
    const QStringList dayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int i = 0; i < 7; ++i) {
        chkDays[i] = named(new QCheckBox(dayNames[i], this), DayBoxes[i]);
        days->addWidget(chkDays[i]);
    }
    cboMonth = named(new QComboBox(this), "cboMonth");
    cboMonth->addItem(QString(), 0);
    for (int m = 1; m <= 12; ++m)
        cboMonth->addItem(monthName(m), m);
    txtDay = makeLineEdit(this, "txtDay", false, 2);
    txtSequence = makeLineEdit(this, "txtSequence", false, 5);
    cboMessageGroup = named(new QComboBox(this), "cboMessageGroup");
    txtMessageTime = makeLineEdit(this, "txtMessageTime", false, 8);
    txtMessageTime->setPlaceholderText("HH:MM");

    form->addWidget(new QLabel("Recurrence:", this), 0, 0);
    form->addWidget(cboRecurrence, 0, 1);
    form->addWidget(new QLabel("Category:", this), 0, 2);
    form->addWidget(cboMasterCategory, 0, 3);
    form->addWidget(new QLabel("Assigned to:", this), 0, 4);
    form->addWidget(cboMasterInitials, 0, 5);
    form->addWidget(new QLabel("Description:", this), 1, 0);
    form->addWidget(txtMasterDescription, 1, 1, 1, 5);
    form->addWidget(new QLabel("Days:", this), 2, 0);
    form->addLayout(days, 2, 1, 1, 3);
    form->addWidget(new QLabel("Month:", this), 3, 0);
    form->addWidget(cboMonth, 3, 1);
    form->addWidget(new QLabel("Day (99 = last):", this), 3, 2);
    form->addWidget(txtDay, 3, 3);
    form->addWidget(new QLabel("Sequence:", this), 3, 4);
    form->addWidget(txtSequence, 3, 5);
    form->addWidget(new QLabel("Message:", this), 4, 0);
    form->addWidget(cboMessageGroup, 4, 1, 1, 3);
    form->addWidget(new QLabel("At:", this), 4, 4);
    form->addWidget(txtMessageTime, 4, 5);
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(QvButton(this, "cmdNewMaster", "New", [this] { cmdNewMaster_Click(); }));
    buttons->addWidget(QvButton(this, "cmdSaveMaster", "Save", [this] { cmdSaveMaster_Click(); }));
    buttons->addWidget(
        QvButton(this, "cmdDeleteMaster", "Delete", [this] { cmdDeleteMaster_Click(); }));
    buttons->addWidget(
        QvButton(this, "cmdResequence", "Resequence", [this] { cmdResequence_Click(); }));
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(cboRecurrence, &QComboBox::currentIndexChanged, this, [this] { recurrenceChanged(); });
    OnCurrentRow(grdMasters, this, [this] { showMaster(grdMasters->currentKey()); });
    recurrenceChanged();
}

void MastersTab::refresh() {
    cboMasterCategory->clear();
    cboMasterCategory->addItem(QString());
    cboMasterCategory->addItems(GetOtherValues(m_ctx, "TaskType"));
    FillStaffInitials(m_ctx, cboMasterInitials);
    cboMessageGroup->clear();
    cboMessageGroup->addItem(QString());
    for (const StaffEntry& s : GetAllConcierges(m_ctx.db(), true))
        cboMessageGroup->addItem(s.text);
    loadMasters();
}

void MastersTab::loadMasters() {
    QSignalBlocker quiet(grdMasters->selectionModel());
    grdMasters->clearRows();
    for (const TaskMasterRow& t : GetTaskMasters(m_ctx))
        grdMasters->setRow(t.masterId,
                           {t.recurrence, t.category, t.description, t.initials, t.taskDoW,
                            t.month ? monthName(t.month) : QString(),
                            t.day ? QString::number(t.day) : QString(), QString::number(t.sequence),
                            t.messageGroup, t.messageTime});
    if (m_masterId) grdMasters->selectKey(m_masterId);
}

void MastersTab::recurrenceChanged() {
    const QString r = cboRecurrence->currentText();
    for (QCheckBox* box : chkDays)
        box->setEnabled(r == "Weekly");
    cboMonth->setEnabled(r == "Yearly");
    txtDay->setEnabled(r == "Monthly" || r == "Yearly");
}

void MastersTab::showMaster(qint64 id) {
    for (const TaskMasterRow& t : GetTaskMasters(m_ctx)) {
        if (t.masterId != id) continue;
        m_masterId = id;
        cboRecurrence->setCurrentIndex(std::max(0, cboRecurrence->findText(t.recurrence)));
        chooseText(cboMasterCategory, t.category);
        txtMasterDescription->setPlainText(t.description);
        const int who = cboMasterInitials->findData(t.initials);
        if (who < 0 && !t.initials.isEmpty()) cboMasterInitials->addItem(t.initials, t.initials);
        cboMasterInitials->setCurrentIndex(std::max(0, cboMasterInitials->findData(t.initials)));
        for (int i = 0; i < 7; ++i)
            chkDays[i]->setChecked(i < t.weekdayMask.size() && t.weekdayMask[i] == '1');
        cboMonth->setCurrentIndex(std::max(0, cboMonth->findData(t.month)));
        txtDay->setText(t.day ? QString::number(t.day) : QString());
        txtSequence->setText(QString::number(t.sequence));
        chooseText(cboMessageGroup, t.messageGroup);
        txtMessageTime->setText(t.messageTime);
        return;
    }
}

void MastersTab::cmdNewMaster_Click() {
    m_masterId = 0;
    grdMasters->clearSelection();
    grdMasters->setCurrentIndex({});
    cboRecurrence->setCurrentIndex(0);
    cboMasterCategory->setCurrentIndex(0);
    txtMasterDescription->clear();
    cboMasterInitials->setCurrentIndex(0);
    for (QCheckBox* box : chkDays)
        box->setChecked(false);
    cboMonth->setCurrentIndex(0);
    txtDay->clear();
    txtSequence->clear();
    cboMessageGroup->setCurrentIndex(0);
    txtMessageTime->clear();
}

void MastersTab::cmdSaveMaster_Click() {
    if (!QvMayOrSay(m_ctx, QvFeature::MasterTasks)) return;
    TaskMasterRow row;
    row.masterId = m_masterId;
    row.recurrence = cboRecurrence->currentText();
    row.category = cboMasterCategory->currentText().trimmed();
    row.description = txtMasterDescription->toPlainText().trimmed();
    row.initials = cboMasterInitials->currentData().toString();
    row.weekdayMask.clear();
    for (QCheckBox* box : chkDays)
        row.weekdayMask += box->isChecked() ? '1' : '0';
    row.month = cboMonth->currentData().toInt();
    row.day = txtDay->text().trimmed().toInt();
    row.sequence = txtSequence->text().trimmed().toInt();
    row.messageGroup = cboMessageGroup->currentText().trimmed();
    // "9:5 am" and "09:05" are the same time; anything else goes as typed
    // and the store refuses it.
    const QString typed = txtMessageTime->text().trimmed();
    const QTime at = Formats::ParseTime(typed);
    row.messageTime = at.isValid() ? Formats::Time24(at) : typed;
    const QString refusal = SaveTaskMaster(m_ctx, row);
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
        return;
    }
    m_masterId = row.masterId;
    loadMasters();
}

void MastersTab::cmdDeleteMaster_Click() {
    if (!m_masterId || !QvMayOrSay(m_ctx, QvFeature::MasterTasks)) return;
    if (m_ctx.prompt().ask(MsgDeleteMasterTask, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    DeleteTask(m_ctx, m_masterId);
    cmdNewMaster_Click();
    loadMasters();
}

void MastersTab::cmdResequence_Click() {
    if (!QvMayOrSay(m_ctx, QvFeature::MasterTasks)) return;
    ResequenceTasks(m_ctx);
    loadMasters();
}

} // namespace vm
