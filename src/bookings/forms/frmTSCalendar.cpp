#include "bookings/forms/frmTSCalendar.h"

#include "bookings/TsCalendarLogic.h"
#include "bookings/DaySheet.h"
#include "bookings/TsBookings.h"
#include "bookings/forms/TsCalGuard.h"
#include "core/Formats.h"
#include "guests/OtherLists.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmTSCalendar");
enum Picker { CategoryPicker, ServicePicker, LocationPicker, ProviderPicker };
// The result grid's columns: what is shown, then the ids the selection needs.
enum ResultColumn { ResCategory, ResService, ResProvider, ResCategoryId, ResServiceId, ResProviderId };

template <class F> bool guarded(AppContext& ctx, const QString& procedure, F&& step) {
    return TsCalGuarded(ctx, procedure, FormName, std::forward<F>(step));
}

// A picker's entries after an empty one (nothing chosen), each with its id.
void fill(QComboBox* c, const std::vector<std::pair<qint64, QString>>& entries) {
    const QSignalBlocker quiet(c);
    c->clear();
    c->addItem(QString(), qint64(0));
    for (const auto& [id, name] : entries)
        c->addItem(name, id);
    c->setCurrentIndex(0);
}

void choose(QComboBox* c, qint64 id) {
    const int i = c->findData(id);
    c->setCurrentIndex(i < 0 ? 0 : i);
}

} // namespace

struct frmTSCalendar::Ui : QObject {
    explicit Ui(QObject* owner) : QObject(owner) {}
    QCalendarWidget* calDate = nullptr;
    QComboBox* picker[4] = {nullptr, nullptr, nullptr, nullptr};
    QLabel* lblMode = nullptr;
    DataGrid* grdTimes = nullptr;
    DataGrid* grdAvailability = nullptr;
    QPushButton *cmdSearch = nullptr, *cmdProvider = nullptr, *cmdSelect = nullptr,
                *cmdClose = nullptr;
    DaySheet sheet; // what the time grid shows
    std::vector<TsAvailability> results;
};

frmTSCalendar::frmTSCalendar(AppContext& ctx, const QDate& day, QWidget* parent)
    : QDialog(parent), ui(new Ui(this)), m_ctx(ctx),
      m_day(day.isValid() ? day : ctx.clock().today()) {
    setObjectName(FormName);
    build();
    fillChoices();
    dayChanged();
}

void frmTSCalendar::build() {
    auto* top = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    ui->calDate = named(new QCalendarWidget, "calDate");
    ui->calDate->setGridVisible(true);
    ui->calDate->setSelectedDate(m_day);
    left->addWidget(ui->calDate);
    auto* choices = new QFormLayout;
    const char* const names[4] = {"cboCategory", "cboService", "cboLocation", "cboProvider"};
    const char* const captions[4] = {"Category:", "Service:", "Location:", "Provider:"};
    for (int i = 0; i < 4; ++i) {
        ui->picker[i] = named(new QComboBox, names[i]);
        choices->addRow(captions[i], ui->picker[i]);
        if (i == LocationPicker) {
            auto* search = new QHBoxLayout;
            search->addStretch();
            search->addWidget(ui->cmdSearch = named(new QPushButton("&Service Search"), "cmdSearch"));
            choices->addRow(search);
        }
    }
    auto* provider = new QHBoxLayout;
    provider->addStretch();
    provider->addWidget(ui->cmdProvider = named(new QPushButton("&Provider Search"), "cmdProvider"));
    choices->addRow(provider);
    left->addLayout(choices);
    left->addStretch();
    top->addLayout(left);

    auto* right = new QVBoxLayout;
    right->addWidget(ui->lblMode = named(new QLabel, "lblMode"));
    ui->grdTimes = named(new DataGrid, "grdTimes");
    ui->grdTimes->setHeaders({"Time", "Service Information"});
    // The rows are the times of the day, in order.
    ui->grdTimes->horizontalHeader()->setSectionsClickable(false);
    ui->grdTimes->installEventFilter(this);
    right->addWidget(ui->grdTimes, 3);
    ui->grdAvailability = named(new DataGrid, "grdAvailability");
    ui->grdAvailability->setHeaders(
        {"Category", "Service", "Provider", "CategoryID", "ServicesID", "ProvidersID"});
    for (int c : {ResCategoryId, ResServiceId, ResProviderId})
        ui->grdAvailability->setColumnHidden(c, true);
    right->addWidget(ui->grdAvailability, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ui->cmdSelect = named(new QPushButton("Se&lect"), "cmdSelect"));
    buttons->addWidget(ui->cmdClose = named(new QPushButton("&Close"), "cmdClose"));
    right->addLayout(buttons);
    top->addLayout(right, 1);
    for (QPushButton* b : {ui->cmdSearch, ui->cmdProvider, ui->cmdSelect, ui->cmdClose})
        b->setAutoDefault(false);
    resize(900, 620);

    connect(ui->calDate, &QCalendarWidget::selectionChanged, this, [this] {
        if (ui->calDate->selectedDate() == m_day) return;
        m_day = ui->calDate->selectedDate();
        dayChanged();
    });
    connect(ui->picker[CategoryPicker], &QComboBox::currentIndexChanged, this,
            &frmTSCalendar::categoryChanged);
    connect(ui->picker[ServicePicker], &QComboBox::currentIndexChanged, this,
            &frmTSCalendar::serviceChanged);
    connect(ui->cmdSearch, &QPushButton::clicked, this, &frmTSCalendar::cmdSearch_Click);
    connect(ui->cmdProvider, &QPushButton::clicked, this, &frmTSCalendar::cmdProvider_Click);
    connect(ui->cmdSelect, &QPushButton::clicked, this, &frmTSCalendar::cmdSelect_Click);
    connect(ui->cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->grdTimes, &QTableView::clicked, this,
            [this](const QModelIndex& i) { timeClicked(i.row()); });
    connect(ui->grdAvailability->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmTSCalendar::resultChosen);
    connect(ui->grdAvailability, &DataGrid::rowActivated, this, &frmTSCalendar::cmdSelect_Click);
}

// Enter on a time row chooses it as a click does.
bool frmTSCalendar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->grdTimes && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            ui->grdTimes->currentIndex().isValid()) {
            timeClicked(ui->grdTimes->currentIndex().row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmTSCalendar::fillChoices() {
    std::vector<std::pair<qint64, QString>> categories, providers;
    guarded(m_ctx, "GetServices", [&] {
        for (const OtherValue& v : GetOtherData(m_ctx, "TService"))
            categories.emplace_back(v.id, v.value);
        providers = GetProviders(m_ctx);
    });
    fill(ui->picker[CategoryPicker], categories);
    fill(ui->picker[ProviderPicker], providers);
    categoryChanged();
}

// The services of the category, and the locations they are given at (every
// location while no category is chosen).
void frmTSCalendar::categoryChanged() {
    const qint64 category = chosen(CategoryPicker);
    std::vector<std::pair<qint64, QString>> services, locations;
    guarded(m_ctx, "GetServicesByC", [&] {
        const std::vector<OtherValue> all = GetOtherData(m_ctx, "TSVenue");
        if (category == 0) {
            for (const OtherValue& v : all)
                locations.emplace_back(v.id, v.value);
            return;
        }
        for (const Service& s : GetServicesByC(m_ctx, category))
            services.emplace_back(s.id, s.name);
        const QList<qint64> used = GetLocationsByC(m_ctx, category);
        for (const OtherValue& v : all)
            if (used.contains(v.id)) locations.emplace_back(v.id, v.value);
    });
    fill(ui->picker[ServicePicker], services);
    fill(ui->picker[LocationPicker], locations);
}

// A service is given at its own location.
void frmTSCalendar::serviceChanged() {
    const qint64 service = chosen(ServicePicker);
    if (service == 0) return;
    std::optional<Service> s;
    guarded(m_ctx, "GetLocationsByS", [&] { s = GetService(m_ctx, service); });
    if (s) choose(ui->picker[LocationPicker], s->locationId);
}

qint64 frmTSCalendar::chosen(int picker) const {
    return ui->picker[picker]->currentData().toLongLong();
}

void frmTSCalendar::dayChanged() {
    setWindowTitle("Timed Services Calendar - " + Formats::LongDate(m_day));
    clearResults();
    if (m_mode == 'P' && chosen(ProviderPicker) != 0)
        showProviderDay(chosen(ProviderPicker));
    else
        showEmptyDay();
}

void frmTSCalendar::clearResults() {
    m_time.clear();
    ui->results.clear();
    ui->grdAvailability->clearRows();
}

void frmTSCalendar::showEmptyDay() {
    ui->sheet = DaySheet{};
    ui->sheet.day = m_day;
    guarded(m_ctx, "GetTimedServiceHours", [&] { ui->sheet.rows = EmptyDayRows(m_ctx, m_day); });
    drawSheet();
}

bool frmTSCalendar::showProviderDay(qint64 providerId) {
    WaitCursor wait;
    DaySheet sheet;
    if (!guarded(m_ctx, "GetTimedServicePS", [&] {
            sheet = BuildDaySheet(m_ctx, SheetKind::Provider, m_day, providerId, 0);
        }))
        return false;
    ui->sheet = std::move(sheet);
    drawSheet();
    return true;
}

void frmTSCalendar::drawSheet() {
    ui->lblMode->setText(m_mode == 'P' ? QStringLiteral("Provider Search")
                                       : QStringLiteral("Service Search"));
    ui->grdTimes->clearRows();
    for (size_t i = 0; i < ui->sheet.rows.size(); ++i) {
        const SheetRow& r = ui->sheet.rows[i];
        ui->grdTimes->setRow(qint64(i) + 1, {r.time, r.text}, {}, r.color, false);
    }
    // The time of the service search stays chosen while providers are looked at.
    const int row = m_time.isEmpty() ? -1 : ui->sheet.rowOf(m_time);
    if (row >= 0) ui->grdTimes->selectKey(row + 1);
}

void frmTSCalendar::cmdSearch_Click() {
    m_mode = 'S';
    clearResults();
    QString refusal;
    if (!guarded(m_ctx, "GetAvailability", [&] {
            refusal = CheckCalendarChoice(m_ctx, chosen(CategoryPicker), chosen(ServicePicker),
                                          chosen(LocationPicker));
        }))
        return;
    showEmptyDay();
    if (!refusal.isEmpty()) m_ctx.prompt().message(refusal);
}

void frmTSCalendar::cmdProvider_Click() {
    const qint64 provider = chosen(ProviderPicker);
    if (provider == 0) {
        m_ctx.prompt().message(MsgCalNoProvider);
        return;
    }
    m_mode = 'P';
    clearResults();
    showProviderDay(provider);
}

void frmTSCalendar::timeClicked(int row) {
    if (row < 0 || row >= int(ui->sheet.rows.size())) return;
    const SheetRow& r = ui->sheet.rows[size_t(row)];
    // A booking of the provider shown opens on the booking screen, in either mode.
    if (r.state == SlotState::Booking && r.bookingId > 0) {
        emit bookingChosen(r.bookingId);
        accept();
        return;
    }
    if (m_mode == 'P') {
        m_ctx.prompt().message(MsgCalProviderSearch);
        return;
    }
    const qint64 category = chosen(CategoryPicker), service = chosen(ServicePicker),
                 location = chosen(LocationPicker);
    QString refusal;
    std::vector<TsAvailability> found;
    {
        WaitCursor wait;
        if (!guarded(m_ctx, "GetAvailability", [&] {
                refusal = CheckCalendarChoice(m_ctx, category, service, location);
                if (refusal.isEmpty())
                    found = GetAvailability(m_ctx, category, service, location, m_day, r.minute);
            }))
            return;
    }
    clearResults();
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return;
    }
    m_time = r.time;
    ui->results = std::move(found);
    for (size_t i = 0; i < ui->results.size(); ++i) {
        const TsAvailability& a = ui->results[i];
        ui->grdAvailability->setRow(
            qint64(i) + 1,
            {a.categoryName, a.serviceName, a.providerName, QString::number(a.categoryId),
             QString::number(a.serviceId), QString::number(a.providerId)},
            {}, {}, false);
    }
    if (ui->results.empty()) {
        m_ctx.prompt().message(MsgCalNoneAvailable);
        return;
    }
    ui->grdTimes->selectKey(row + 1);
}

const TsAvailability* frmTSCalendar::chosenResult() const {
    const qint64 key = ui->grdAvailability->currentKey();
    if (key < 1 || key > qint64(ui->results.size())) return nullptr;
    return &ui->results[size_t(key - 1)];
}

// The provider of the chosen result: their day in the time grid.
void frmTSCalendar::resultChosen() {
    if (const TsAvailability* a = chosenResult()) showProviderDay(a->providerId);
}

void frmTSCalendar::cmdSelect_Click() {
    if (m_mode == 'P') {
        m_ctx.prompt().message(MsgCalProviderSearch);
        return;
    }
    if (m_time.isEmpty()) {
        m_ctx.prompt().message(MsgTsTime);
        return;
    }
    const TsAvailability* a = chosenResult();
    if (!a) {
        m_ctx.prompt().message(MsgTsProvider);
        return;
    }
    // The provider's day as it is now: another desk may have booked meanwhile.
    const TsAvailability choice = *a;
    if (!showProviderDay(choice.providerId)) return;
    const QString refusal = CheckCalendarTime(ui->sheet, m_time, choice.duration);
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        return;
    }
    const int row = ui->sheet.rowOf(m_time);
    ui->sheet.rows[size_t(row)].text = SelectedTimeText;
    ui->grdTimes->setRow(row + 1, {m_time, SelectedTimeText}, {}, ui->sheet.rows[size_t(row)].color);

    TsCalendarChoice c;
    c.day = m_day;
    c.categoryId = choice.categoryId;
    c.serviceId = choice.serviceId;
    c.providerId = choice.providerId;
    c.locationId = choice.locationId;
    c.time = m_time;
    emit timeSelected(c);
    accept();
}

} // namespace vm
