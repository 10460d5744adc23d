#include "bookings/forms/frmTSPSchedule.h"

#include "bookings/TsCalendarLogic.h"
#include "bookings/TsSetup.h"
#include "bookings/forms/TsCalGuard.h"
#include "bookings/forms/TsPSchedWeek.h"
#include "core/Formats.h"
#include "platform/VersionedUpdate.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmTSPSchedule");
enum Tab { DefaultTab = 0, ExceptionTab = 1, MasterTab = 2 };

QPushButton* button(const QString& caption, const QString& name) {
    auto* b = named(new QPushButton(caption), name);
    b->setAutoDefault(false);
    return b;
}

QString tabName(const char* name, int tab) {
    return QString::fromLatin1(name) + u'_' + QString::number(tab);
}

template <class F> bool guarded(AppContext& ctx, const QString& procedure, F&& step) {
    return TsCalGuarded(ctx, procedure, FormName, std::forward<F>(step));
}

} // namespace

struct frmTSPSchedule::Ui : QObject {
    explicit Ui(QObject* owner) : QObject(owner) {}
    QTabWidget* tabs = nullptr;
    TsPSchedWeek* week[3] = {nullptr, nullptr, nullptr};
    DataGrid* grdExceptions = nullptr;
    DataGrid* grdMasters = nullptr;
    QLineEdit *txtStartDate = nullptr, *txtThroughDate = nullptr, *txtMasterName = nullptr,
              *txtFirstDay = nullptr;
    QComboBox* cboWeeks = nullptr;
    QPushButton* cmdClose = nullptr;
    std::vector<ProviderSchedule> schedules; // as listed: masters, then exceptions
};

frmTSPSchedule::frmTSPSchedule(AppContext& ctx, qint64 providerId, QWidget* parent)
    : QDialog(parent), ui(new Ui(this)), m_ctx(ctx), m_providerId(providerId) {
    setObjectName(FormName);
    QString name;
    guarded(ctx, "GetProviderName", [&] { name = GetProviderName(ctx, providerId); });
    setWindowTitle("Provider Schedule - " + name);
    build();
    loadDefault();
    refreshSchedules();
}

void frmTSPSchedule::build() {
    auto* top = new QVBoxLayout(this);
    ui->tabs = named(new QTabWidget, "tabSchedules");
    top->addWidget(ui->tabs, 1);

    // The default week.
    auto* defaultPage = new QWidget;
    auto* defaultLayout = new QVBoxLayout(defaultPage);
    defaultLayout->addWidget(ui->week[DefaultTab] = new TsPSchedWeek(m_ctx.prompt(), DefaultTab), 1);
    auto* defaultButtons = new QHBoxLayout;
    auto* cmdSaveDefault = button("&Save", tabName("cmdSave", DefaultTab));
    defaultButtons->addStretch();
    defaultButtons->addWidget(cmdSaveDefault);
    defaultLayout->addLayout(defaultButtons);
    ui->tabs->addTab(defaultPage, "Default Schedule");

    // Dated exceptions: the list, the dates and the week of the one chosen.
    auto* exceptionPage = new QWidget;
    auto* exceptionLayout = new QVBoxLayout(exceptionPage);
    ui->grdExceptions = named(new DataGrid, "grdExceptions");
    ui->grdExceptions->setHeaders({"Starting Date", "Through Date"});
    // Refusals name a row of the list as the store counts it: latest first.
    ui->grdExceptions->horizontalHeader()->setSectionsClickable(false);
    exceptionLayout->addWidget(ui->grdExceptions, 1);
    auto* dates = new QFormLayout;
    ui->txtStartDate = makeLineEdit(this, "txtStartDate", false, 10);
    ui->txtThroughDate = makeLineEdit(this, "txtThroughDate", false, 10);
    for (QLineEdit* e : {ui->txtStartDate, ui->txtThroughDate})
        e->setPlaceholderText(Formats::ShortDateHint);
    dates->addRow("Starting Date:", ui->txtStartDate);
    dates->addRow("Through Date:", ui->txtThroughDate);
    exceptionLayout->addLayout(dates);
    exceptionLayout->addWidget(ui->week[ExceptionTab] =
                                   new TsPSchedWeek(m_ctx.prompt(), ExceptionTab), 2);
    auto* exceptionButtons = new QHBoxLayout;
    auto* cmdNewException = button("&New", tabName("cmdNew", ExceptionTab));
    auto* cmdSaveException = button("&Save", tabName("cmdSave", ExceptionTab));
    auto* cmdDeleteException = button("&Delete", tabName("cmdDelete", ExceptionTab));
    exceptionButtons->addStretch();
    for (QPushButton* b : {cmdNewException, cmdSaveException, cmdDeleteException})
        exceptionButtons->addWidget(b);
    exceptionLayout->addLayout(exceptionButtons);
    ui->tabs->addTab(exceptionPage, "Schedule Exceptions");

    // Named master weeks, and applying them over a number of weeks.
    auto* masterPage = new QWidget;
    auto* masterLayout = new QVBoxLayout(masterPage);
    ui->grdMasters = named(new DataGrid, "grdMasters");
    ui->grdMasters->setHeaders({"Master Schedule Name"});
    // The masters rotate in the order listed.
    ui->grdMasters->horizontalHeader()->setSectionsClickable(false);
    masterLayout->addWidget(ui->grdMasters, 1);
    auto* masterName = new QFormLayout;
    ui->txtMasterName = makeLineEdit(this, "txtMasterName", false, 50);
    masterName->addRow("Master Schedule Name:", ui->txtMasterName);
    masterLayout->addLayout(masterName);
    masterLayout->addWidget(ui->week[MasterTab] = new TsPSchedWeek(m_ctx.prompt(), MasterTab), 2);
    auto* masterButtons = new QHBoxLayout;
    auto* cmdNewMaster = button("&New", tabName("cmdNew", MasterTab));
    auto* cmdSaveMaster = button("&Save", tabName("cmdSave", MasterTab));
    auto* cmdDeleteMaster = button("&Delete", tabName("cmdDelete", MasterTab));
    masterButtons->addStretch();
    for (QPushButton* b : {cmdNewMaster, cmdSaveMaster, cmdDeleteMaster})
        masterButtons->addWidget(b);
    masterLayout->addLayout(masterButtons);

    auto* applyBox = new QGroupBox("Apply the Master Schedules");
    auto* apply = new QHBoxLayout(applyBox);
    ui->txtFirstDay = makeLineEdit(this, "txtFirstDay", false, 10);
    ui->txtFirstDay->setPlaceholderText(Formats::ShortDateHint);
    ui->txtFirstDay->setText(Formats::ShortDate(m_ctx.clock().today()));
    ui->cboWeeks = named(new QComboBox, "cboWeeks");
    ui->cboWeeks->addItem(QString());
    for (int w = 1; w <= 52; ++w)
        ui->cboWeeks->addItem(QString::number(w));
    auto* cmdApply = button("&Apply", "cmdApply");
    apply->addWidget(new QLabel("First Day:"));
    apply->addWidget(ui->txtFirstDay);
    apply->addWidget(new QLabel("Number of Weeks:"));
    apply->addWidget(ui->cboWeeks);
    apply->addWidget(cmdApply);
    apply->addStretch();
    masterLayout->addWidget(applyBox);
    ui->tabs->addTab(masterPage, "Master Schedules");

    auto* bottom = new QHBoxLayout;
    ui->cmdClose = button("&Close", "cmdClose");
    bottom->addStretch();
    bottom->addWidget(ui->cmdClose);
    top->addLayout(bottom);
    resize(640, 560);

    connect(cmdSaveDefault, &QPushButton::clicked, this, &frmTSPSchedule::saveDefault);
    connect(cmdNewException, &QPushButton::clicked, this, &frmTSPSchedule::newException);
    connect(cmdSaveException, &QPushButton::clicked, this, &frmTSPSchedule::saveException);
    connect(cmdDeleteException, &QPushButton::clicked, this, &frmTSPSchedule::deleteException);
    connect(cmdNewMaster, &QPushButton::clicked, this, &frmTSPSchedule::newMaster);
    connect(cmdSaveMaster, &QPushButton::clicked, this, &frmTSPSchedule::saveMaster);
    connect(cmdDeleteMaster, &QPushButton::clicked, this, &frmTSPSchedule::deleteMaster);
    connect(cmdApply, &QPushButton::clicked, this, &frmTSPSchedule::applyMasters);
    connect(ui->cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    // The selected row, not the current one: "New" clears the selection but
    // the grid keeps its current row.
    connect(ui->grdExceptions->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] {
                const QList<qint64> keys = ui->grdExceptions->selectedKeys();
                if (!keys.isEmpty()) showException(keys.first());
            });
    connect(ui->grdMasters->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QList<qint64> keys = ui->grdMasters->selectedKeys();
        if (!keys.isEmpty()) showMaster(keys.first());
    });
}

void frmTSPSchedule::loadDefault() {
    std::optional<Provider> p;
    if (!guarded(m_ctx, "GetProviderData", [&] { p = GetProviderData(m_ctx, m_providerId); }))
        return;
    ui->week[DefaultTab]->setWeek(p ? p->week : TsWeek{});
}

void frmTSPSchedule::refreshSchedules(qint64 exceptionToShow, qint64 masterToShow) {
    ui->schedules.clear();
    guarded(m_ctx, "BuildScheduleGrids",
            [&] { ui->schedules = GetProviderSchedules(m_ctx, m_providerId); });
    ui->grdExceptions->clearRows();
    ui->grdMasters->clearRows();
    for (const ProviderSchedule& s : ui->schedules) {
        if (s.isMaster())
            ui->grdMasters->setRow(s.id, {s.endDate});
        else
            ui->grdExceptions->setRow(s.id, {Formats::ShortDateOfStored(s.startDate),
                                             ExceptionDateShown(s.endDate)});
    }
    if (scheduleOf(exceptionToShow))
        ui->grdExceptions->selectKey(exceptionToShow);
    else
        newException();
    if (scheduleOf(masterToShow))
        ui->grdMasters->selectKey(masterToShow);
    else
        newMaster();
}

const ProviderSchedule* frmTSPSchedule::scheduleOf(qint64 id) const {
    if (id == 0) return nullptr;
    for (const ProviderSchedule& s : ui->schedules)
        if (s.id == id) return &s;
    return nullptr;
}

void frmTSPSchedule::showException(qint64 id) {
    const ProviderSchedule* s = scheduleOf(id);
    if (!s || s->isMaster()) return;
    m_exceptionId = s->id;
    ui->txtStartDate->setText(Formats::ShortDateOfStored(s->startDate));
    ui->txtThroughDate->setText(ExceptionDateShown(s->endDate));
    ui->week[ExceptionTab]->setWeek(s->week);
}

void frmTSPSchedule::showMaster(qint64 id) {
    const ProviderSchedule* s = scheduleOf(id);
    if (!s || !s->isMaster()) return;
    m_masterId = s->id;
    ui->txtMasterName->setText(s->endDate);
    ui->week[MasterTab]->setWeek(s->week);
}

void frmTSPSchedule::newException() {
    m_exceptionId = 0;
    ui->grdExceptions->clearSelection();
    ui->txtStartDate->clear();
    ui->txtThroughDate->clear();
    ui->week[ExceptionTab]->clear();
}

void frmTSPSchedule::newMaster() {
    m_masterId = 0;
    ui->grdMasters->clearSelection();
    ui->txtMasterName->clear();
    ui->week[MasterTab]->clear();
}

bool frmTSPSchedule::typedWeek(int tab, TsWeek& week) {
    TypedWeekDay days[7];
    ui->week[tab]->typed(days);
    const QString refusal = CheckTypedWeek(days);
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return false;
    }
    week = WeekFromTyped(days);
    return true;
}

void frmTSPSchedule::saveDefault() {
    TsWeek week;
    if (!typedWeek(DefaultTab, week)) return;
    QString refusal;
    const bool done = guarded(m_ctx, "UpdateProvider", [&] {
        std::optional<Provider> p = GetProviderData(m_ctx, m_providerId);
        if (!p) {
            refusal = GoneElsewhereMessage("Provider");
            return;
        }
        p->week = week;
        refusal = SaveProvider(m_ctx, *p);
    });
    if (!done) return;
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return;
    }
    loadDefault();
    emit schedulesChanged();
}

void frmTSPSchedule::saveException() {
    TsWeek week;
    if (!typedWeek(ExceptionTab, week)) return;
    ProviderSchedule s;
    s.id = m_exceptionId;
    s.providerId = m_providerId;
    s.week = week;
    QString refusal;
    if (!guarded(m_ctx, m_exceptionId ? "UpdateProviderSchedule" : "InsertProviderSchedule", [&] {
            refusal = SaveScheduleException(m_ctx, s, ui->txtStartDate->text(),
                                            ui->txtThroughDate->text());
        }))
        return;
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return;
    }
    refreshSchedules(s.id, m_masterId);
    emit schedulesChanged();
}

void frmTSPSchedule::deleteException() {
    if (m_exceptionId == 0) {
        m_ctx.prompt().message(MsgSchedNoException);
        return;
    }
    if (m_ctx.prompt().ask(MsgSchedDeleteException, {}, Buttons::YesNo, Icon::Question,
                           Answer::No) != Answer::Yes)
        return;
    if (!guarded(m_ctx, "DeleteProviderSchedule",
                 [&] { DeleteProviderSchedule(m_ctx, m_exceptionId); }))
        return;
    refreshSchedules(0, m_masterId);
    emit schedulesChanged();
}

void frmTSPSchedule::saveMaster() {
    TsWeek week;
    if (!typedWeek(MasterTab, week)) return;
    ProviderSchedule s;
    s.id = m_masterId;
    s.providerId = m_providerId;
    s.startDate = QStringLiteral("Master");
    s.endDate = ui->txtMasterName->text();
    s.week = week;
    QString refusal;
    if (!guarded(m_ctx, m_masterId ? "UpdateMasterSchedule" : "InsertMasterSchedule",
                 [&] { refusal = SaveMasterSchedule(m_ctx, s); }))
        return;
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return;
    }
    refreshSchedules(m_exceptionId, s.id);
    emit schedulesChanged();
}

void frmTSPSchedule::deleteMaster() {
    if (m_masterId == 0) {
        m_ctx.prompt().message(MsgSchedNoMaster);
        return;
    }
    if (m_ctx.prompt().ask(MsgSchedDeleteMaster, {}, Buttons::YesNo, Icon::Question, Answer::No) !=
        Answer::Yes)
        return;
    if (!guarded(m_ctx, "DeleteProviderSchedule",
                 [&] { DeleteProviderSchedule(m_ctx, m_masterId); }))
        return;
    refreshSchedules(m_exceptionId, 0);
    emit schedulesChanged();
}

void frmTSPSchedule::applyMasters() {
    // A first day that is no date is refused by the store, after the masters and weeks.
    const QDate firstDay = Formats::ParseShortDate(ui->txtFirstDay->text());
    QString refusal;
    {
        WaitCursor wait;
        if (!guarded(m_ctx, "BuildScheduleException", [&] {
                refusal = ApplyMasterSchedules(m_ctx, m_providerId, firstDay,
                                               ui->cboWeeks->currentText());
            }))
            return;
    }
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return;
    }
    refreshSchedules(m_exceptionId, m_masterId);
    emit schedulesChanged();
}

} // namespace vm
