// The providers page: name, gender, commission and the default week.

#include "bookings/BookingTimes.h"
#include "bookings/TsSetup.h"
#include "bookings/forms/TimedServiceTabs.h"
#include "bookings/forms/frmTSPSchedule.h"
#include "bookings/forms/frmTimedServiceRules.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vm {

namespace {

const char* const DayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

QString cellText(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

QString shownTime(int minute) {
    return minute < 0 ? QString() : Hhmm(minute);
}

} // namespace

TimedServiceProvidersTab::TimedServiceProvidersTab(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabProviders");
    auto* top = new QHBoxLayout(this);
    lstProviders = named(new QListWidget, "lstProviders");
    lstProviders->setMaximumWidth(240);
    top->addWidget(lstProviders);

    auto* right = new QVBoxLayout;
    top->addLayout(right, 1);
    auto* form = new QGridLayout;
    right->addLayout(form);
    txtProviderName = makeLineEdit(this, "txtProviderName");
    form->addWidget(new QLabel("Provider:"), 0, 0);
    form->addWidget(txtProviderName, 0, 1, 1, 3);
    optFemale = named(new QRadioButton("Female"), "optFemale");
    optMale = named(new QRadioButton("Male"), "optMale");
    form->addWidget(new QLabel("Gender:"), 1, 0);
    form->addWidget(optFemale, 1, 1);
    form->addWidget(optMale, 1, 2);
    txtCommission = makeLineEdit(this, "txtCommission", false, 12);
    AcceptAmounts(txtCommission);
    form->addWidget(new QLabel("Commission:"), 2, 0);
    form->addWidget(txtCommission, 2, 1);

    right->addWidget(new QLabel("Default week (times as HH:MM; the second pair is the meal break):"));
    grdWeek = named(new QTableWidget(7, 5), "grdWeek");
    grdWeek->setHorizontalHeaderLabels({"Day of Week", "Start", "End", "Start", "End"});
    grdWeek->verticalHeader()->hide();
    grdWeek->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int d = 0; d < 7; ++d) {
        auto* name = new QTableWidgetItem(DayNames[d]);
        name->setFlags(Qt::ItemIsEnabled);
        grdWeek->setItem(d, 0, name);
    }
    right->addWidget(grdWeek, 1);
    auto* works = new QHBoxLayout;
    works->addWidget(new QLabel("Works on:"));
    for (int d = 0; d < 7; ++d) {
        chkWork[d] = named(new QCheckBox(QString(DayNames[d]).left(3)),
                           QString("chkWorkSchedule_%1").arg(d));
        works->addWidget(chkWork[d]);
    }
    works->addStretch();
    right->addLayout(works);

    cmdSaveProvider = named(new QPushButton("&Save"), "cmdSaveProvider");
    cmdDeleteProvider = named(new QPushButton("&Delete"), "cmdDeleteProvider");
    cmdNewProvider = named(new QPushButton("&New"), "cmdNewProvider");
    cmdSchedule = named(new QPushButton("Schedule..."), "cmdSchedule");
    auto* buttons =
        ButtonRow({cmdSaveProvider, cmdDeleteProvider, cmdNewProvider, cmdSchedule});
    buttons->addStretch();
    right->addLayout(buttons);

    connect(lstProviders, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) {
                if (item) showProvider(item->data(Qt::UserRole).toLongLong());
            });
    connect(cmdSaveProvider, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDeleteProvider, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdNewProvider, &QPushButton::clicked, this, [this] {
        lstProviders->setCurrentItem(nullptr);
        clearProvider();
    });
    connect(cmdSchedule, &QPushButton::clicked, this, [this] { cmdSchedule_Click(); });
    reload();
    clearProvider();
}

void TimedServiceProvidersTab::reload(qint64 selectId) {
    const QSignalBlocker quiet(lstProviders);
    lstProviders->clear();
    try {
        for (const auto& [id, name] : GetProviders(m_ctx)) {
            auto* item = new QListWidgetItem(name.trimmed(), lstProviders);
            item->setData(Qt::UserRole, id);
            if (id == selectId) lstProviders->setCurrentItem(item);
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetProviders", "modDatabaseTS");
    }
}

void TimedServiceProvidersTab::clearProvider() {
    m_id = 0;
    m_allServices = false;
    txtProviderName->clear();
    txtCommission->clear();
    // Neither gender until one is chosen.
    optFemale->setAutoExclusive(false);
    optMale->setAutoExclusive(false);
    optFemale->setChecked(false);
    optMale->setChecked(false);
    optFemale->setAutoExclusive(true);
    optMale->setAutoExclusive(true);
    showWeek(TsWeek());
}

void TimedServiceProvidersTab::showWeek(const TsWeek& w) {
    for (int d = 0; d < 7; ++d) {
        const TsDay day = w.day(d + 1);
        chkWork[d]->setChecked(day.works);
        const int minutes[4] = {day.start, day.end, day.mealStart, day.mealEnd};
        for (int c = 0; c < 4; ++c)
            grdWeek->setItem(d, c + 1, new QTableWidgetItem(shownTime(minutes[c])));
    }
}

void TimedServiceProvidersTab::showProvider(qint64 id) {
    std::optional<Provider> p;
    try {
        p = GetProviderData(m_ctx, id);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetProviderData", "modDatabaseTS");
        return;
    }
    clearProvider();
    if (!p) return;
    m_id = p->id;
    m_allServices = p->allServices;
    txtProviderName->setText(p->name.trimmed());
    if (p->female) (*p->female ? optFemale : optMale)->setChecked(true);
    txtCommission->setText(Formats::FormatNumber(p->commission, "#.00"));
    showWeek(p->week);
}

void TimedServiceProvidersTab::cmdSave_Click() {
    Provider p;
    p.id = m_id;
    p.name = txtProviderName->text();
    if (optFemale->isChecked()) p.female = true;
    if (optMale->isChecked()) p.female = false;
    p.commission = QLocale::c().toDouble(txtCommission->text().trimmed());
    p.allServices = m_allServices;
    TypedWeekDay days[7];
    for (int d = 0; d < 7; ++d) {
        days[d].works = chkWork[d]->isChecked();
        days[d].start = cellText(grdWeek, d, 1);
        days[d].end = cellText(grdWeek, d, 2);
        days[d].mealStart = cellText(grdWeek, d, 3);
        days[d].mealEnd = cellText(grdWeek, d, 4);
    }
    try {
        // The name and the gender are asked for first, then the week.
        if (!p.name.trimmed().isEmpty() && p.female)
            if (const QString refusal = CheckTypedWeek(days); !refusal.isEmpty()) {
                m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
                grdWeek->setFocus();
                return;
            }
        p.week = WeekFromTyped(days);
        if (const QString refusal = SaveProvider(m_ctx, p); !refusal.isEmpty()) {
            m_ctx.prompt().message(refusal,
                                   refusal == MsgProviderRequired ? TitleFormIncomplete : QString(),
                                   Icon::Exclamation);
            (refusal == MsgProviderRequired ? static_cast<QWidget*>(txtProviderName)
                                              : static_cast<QWidget*>(optFemale))
                ->setFocus();
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, m_id ? "UpdateProvider" : "InsertProvider", "modDatabaseTS");
        return;
    }
    reload(p.id);
    showProvider(p.id);
    Q_EMIT changed();
}

void TimedServiceProvidersTab::cmdDelete_Click() {
    if (m_id <= 0) {
        m_ctx.prompt().message(MsgProviderDeleteNone, {}, Icon::Exclamation);
        return;
    }
    try {
        if (const QString refusal = DeleteProvider(m_ctx, m_id); !refusal.isEmpty()) {
            m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "DeleteProvider", "modDatabaseTS");
        return;
    }
    reload();
    clearProvider();
    Q_EMIT changed();
}

void TimedServiceProvidersTab::cmdSchedule_Click() {
    if (m_id <= 0) {
        m_ctx.prompt().message(MsgTsSaveProviderFirst, {}, Icon::Exclamation);
        return;
    }
    frmTSPSchedule schedule(m_ctx, m_id, this);
    bool schedulesChanged = false;
    connect(&schedule, &frmTSPSchedule::schedulesChanged, this, [&] { schedulesChanged = true; });
    schedule.exec();
    if (schedulesChanged) {
        showProvider(m_id); // the default week may have been changed there
        Q_EMIT changed();
    }
}

} // namespace vm
