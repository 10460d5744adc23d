#include "bookings/forms/TsPSchedWeek.h"

#include "bookings/BookingTimes.h"
#include "bookings/TsCalendarLogic.h"
#include "bookings/TsSchedule.h"
#include "platform/Prompt.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const char* const WorkBoxNames[7] = {"chkSun", "chkMon", "chkTue", "chkWed",
                                     "chkThu", "chkFri", "chkSat"};

QString suffixed(const char* name, int tab) {
    return QString::fromLatin1(name) + u'_' + QString::number(tab);
}

// A picker offers the day in 10-minute steps and takes any typed time; empty
// means no time.
QComboBox* timePicker(const QString& name) {
    auto* c = named(new QComboBox, name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItem(QString());
    for (int m = 0; m < 24 * 60; m += 10)
        c->addItem(Hhmm(m));
    return c;
}

QStringList cellsOf(int weekday, const TypedWeekDay& d) {
    return {WeekdayName(weekday), d.start, d.end, d.mealStart, d.mealEnd};
}

} // namespace

TsPSchedWeek::TsPSchedWeek(Prompt& prompt, int tab, QWidget* parent)
    : QWidget(parent), m_prompt(prompt), m_days(new TypedWeekDay[7]) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);

    grdWeek = named(new DataGrid, suffixed("grdWeek", tab));
    grdWeek->setHeaders({"Day of Week", "Start", "End", "Start", "End"});
    // The rows are the days of the week, Sunday first, whatever is clicked.
    grdWeek->horizontalHeader()->setSectionsClickable(false);
    top->addWidget(grdWeek, 1);

    auto* work = new QHBoxLayout;
    work->addWidget(new QLabel("Works on:"));
    for (int i = 0; i < 7; ++i) {
        auto* box = named(new QCheckBox(WeekdayName(i + 1).left(3)), suffixed(WorkBoxNames[i], tab));
        chkWork[size_t(i)] = box;
        work->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this, i](bool on) { m_days[i].works = on; });
    }
    work->addStretch();
    top->addLayout(work);

    auto* pickers = new QGridLayout;
    cboStart = timePicker(suffixed("cboStart", tab));
    cboEnd = timePicker(suffixed("cboEnd", tab));
    cboMealStart = timePicker(suffixed("cboMealStart", tab));
    cboMealEnd = timePicker(suffixed("cboMealEnd", tab));
    pickers->addWidget(new QLabel("Work Start:"), 0, 0);
    pickers->addWidget(cboStart, 0, 1);
    pickers->addWidget(new QLabel("Work End:"), 0, 2);
    pickers->addWidget(cboEnd, 0, 3);
    pickers->addWidget(new QLabel("Meal Start:"), 1, 0);
    pickers->addWidget(cboMealStart, 1, 1);
    pickers->addWidget(new QLabel("Meal End:"), 1, 2);
    pickers->addWidget(cboMealEnd, 1, 3);
    cmdSetTimes = named(new QPushButton("Set &Times"), suffixed("cmdSetTimes", tab));
    cmdSetTimes->setAutoDefault(false);
    pickers->addWidget(cmdSetTimes, 0, 4, 2, 1);
    pickers->setColumnStretch(5, 1);
    top->addLayout(pickers);

    connect(grdWeek->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) showDay(int(grdWeek->keyAt(current.row())));
            });
    connect(cmdSetTimes, &QPushButton::clicked, this, &TsPSchedWeek::cmdSetTimes_Click);
    setWeek(TsWeek{});
}

TsPSchedWeek::~TsPSchedWeek() = default;

void TsPSchedWeek::setWeek(const TsWeek& week) {
    TypedWeekDay days[7];
    TypedWeekFrom(week, days);
    for (int i = 0; i < 7; ++i)
        m_days[i] = days[i];
    grdWeek->clearRows();
    for (int d = 1; d <= 7; ++d) {
        grdWeek->setRow(d, cellsOf(d, m_days[d - 1]));
        // The boxes follow the week; their toggles write the same value back.
        chkWork[size_t(d - 1)]->setChecked(m_days[d - 1].works);
    }
    for (QComboBox* c : {cboStart, cboEnd, cboMealStart, cboMealEnd})
        c->setCurrentIndex(0);
}

void TsPSchedWeek::clear() { setWeek(TsWeek{}); }

void TsPSchedWeek::typed(TypedWeekDay (&days)[7]) const {
    for (int i = 0; i < 7; ++i)
        days[i] = m_days[i];
}

void TsPSchedWeek::showDay(int weekday) {
    if (weekday < 1 || weekday > 7) return;
    const TypedWeekDay& d = m_days[weekday - 1];
    cboStart->setCurrentText(d.start);
    cboEnd->setCurrentText(d.end);
    cboMealStart->setCurrentText(d.mealStart);
    cboMealEnd->setCurrentText(d.mealEnd);
}

void TsPSchedWeek::cmdSetTimes_Click() {
    const int weekday = int(grdWeek->currentKey());
    if (weekday < 1 || weekday > 7) {
        m_prompt.message(MsgSchedSelectDay);
        return;
    }
    if (!chkWork[size_t(weekday - 1)]->isChecked()) {
        m_prompt.message(MsgSchedNotWorking);
        return;
    }
    TypedWeekDay& d = m_days[weekday - 1];
    d.start = cboStart->currentText().trimmed();
    d.end = cboEnd->currentText().trimmed();
    d.mealStart = cboMealStart->currentText().trimmed();
    d.mealEnd = cboMealEnd->currentText().trimmed();
    grdWeek->setRow(weekday, cellsOf(weekday, d));
}

} // namespace vm
