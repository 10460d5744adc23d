// The day sheet and the booking fields of the timed-services screen.

#include "bookings/TsSetup.h"
#include "bookings/forms/TimedServiceTabs.h"
#include "bookings/forms/frmTimedServiceRules.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "guests/OtherLists.h"
#include "guests/forms/ProfileWindows.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/WidgetPrompt.h"
#include "security/CardData.h"
#include "security/forms/frmCCQuery.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmTimedService");
const char* const StatusCaptions[3] = {"Confirmed", "Paid", "Arrived"};

QLabel* caption(const QString& text) {
    auto* l = new QLabel(text);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

} // namespace

void FillIdCombo(QComboBox* box, const std::vector<std::pair<qint64, QString>>& items) {
    const qint64 keep = ComboId(box);
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItem(QString(), 0);
    for (const auto& [id, text] : items)
        box->addItem(text, id);
    SelectComboId(box, keep);
}

qint64 ComboId(const QComboBox* box) {
    return box->currentIndex() < 0 ? 0 : box->currentData().toLongLong();
}

bool SelectComboId(QComboBox* box, qint64 id) {
    const int at = box->findData(id);
    box->setCurrentIndex(at < 0 ? 0 : at);
    return at >= 0;
}

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    for (QPushButton* b : buttons) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    return row;
}

void AcceptAmounts(QLineEdit* box) {
    auto* amount = new QDoubleValidator(0, 1e9, 2, box);
    amount->setNotation(QDoubleValidator::StandardNotation);
    amount->setLocale(QLocale::c());
    box->setValidator(amount);
}

std::vector<std::pair<qint64, QString>> LookupItems(AppContext& ctx, const QString& type) {
    std::vector<std::pair<qint64, QString>> items;
    for (const OtherValue& v : GetOtherData(ctx, type))
        items.emplace_back(v.id, v.value.trimmed());
    return items;
}

TimedServiceBookingTab::TimedServiceBookingTab(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("tabBooking");
    auto* top = new QHBoxLayout(this);
    auto* sheet = new QGridLayout;
    auto* fields = new QGridLayout;
    top->addLayout(sheet, 3);
    top->addLayout(fields, 2);
    buildSheet(sheet);
    buildFields(fields);
    reloadLists();
    newBooking(false);
}

void TimedServiceBookingTab::buildSheet(QGridLayout* grid) {
    dtpReferDate = named(new QDateEdit(m_ctx.clock().today()), "dtpReferDate");
    dtpReferDate->setDisplayFormat("MM/dd/yyyy");
    dtpReferDate->setCalendarPopup(true);
    cboShowProvider = named(new QComboBox, "cboShowProvider");
    cboShowLocation = named(new QComboBox, "cboShowLocation");
    grid->addWidget(caption("Date:"), 0, 0);
    grid->addWidget(dtpReferDate, 0, 1);
    grid->addWidget(caption("Provider:"), 1, 0);
    grid->addWidget(cboShowProvider, 1, 1);
    grid->addWidget(caption("Location:"), 2, 0);
    grid->addWidget(cboShowLocation, 2, 1);

    grdSheet = named(new DataGrid, "grdSheet");
    grdSheet->setHeaders({"Time", "Service Information"});
    grdSheet->horizontalHeader()->setSectionsClickable(false); // the day keeps its order
    grdSheet->setSelectionMode(QAbstractItemView::MultiSelection);
    grdSheet->setColumnWidth(0, 80);
    grid->addWidget(grdSheet, 3, 0, 1, 2);
    grid->setRowStretch(3, 1);
    lblOutside = named(new QLabel("Booked outside the rows of the day:"), "lblOutside");
    lstOutside = named(new QListWidget, "lstOutside");
    lstOutside->setMaximumHeight(70);
    grid->addWidget(lblOutside, 4, 0, 1, 2);
    grid->addWidget(lstOutside, 5, 0, 1, 2);

    connect(dtpReferDate, &QDateEdit::dateChanged, this, [this](const QDate& d) {
        redraw();
        Q_EMIT dayChanged(d);
    });
    for (QComboBox* b : {cboShowProvider, cboShowLocation})
        connect(b, &QComboBox::currentIndexChanged, this, [this] {
            redraw();
            if (ComboId(cboShowProvider) || ComboId(cboShowLocation)) warnWithoutServices();
        });
    connect(grdSheet, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& i) { rowClicked(i.row()); });
    connect(grdSheet, &DataGrid::rowActivated, this, [this](qint64 key) {
        // Enter or a double-click: the row as the grid shows it (keys are row numbers + 1).
        if (key > 0) rowClicked(int(key - 1));
    });
}

void TimedServiceBookingTab::buildFields(QGridLayout* grid) {
    int r = 0;
    const auto row = [&](const QString& text, QWidget* w, QWidget* extra = nullptr) {
        grid->addWidget(caption(text), r, 0);
        if (extra) {
            auto* h = new QHBoxLayout;
            h->addWidget(w, 1);
            h->addWidget(extra);
            grid->addLayout(h, r, 1);
        } else {
            grid->addWidget(w, r, 1);
        }
        ++r;
    };
    cboCategory = named(new QComboBox, "cboCategory");
    cboService = named(new QComboBox, "cboService");
    lblDuration = named(new QLabel, "lblDuration");
    lblPrice = named(new QLabel, "lblPrice");
    cboProvider = named(new QComboBox, "cboProvider");
    lblLocation = named(new QLabel, "lblLocation");
    lblTime = named(new QLabel, "lblTime");
    row("Category:", cboCategory);
    row("Service:", cboService);
    row("Duration:", lblDuration);
    row("Price:", lblPrice);
    row("Provider:", cboProvider);
    row("Location:", lblLocation);
    row("Time:", lblTime);

    fraGuestName = named(new QWidget, "fraGuestName");
    auto* names = new QHBoxLayout(fraGuestName);
    names->setContentsMargins(0, 0, 0, 0);
    txtLastName = makeLineEdit(fraGuestName, "txtLastName");
    txtFirstName = makeLineEdit(fraGuestName, "txtFirstName");
    names->addWidget(txtLastName);
    names->addWidget(new QLabel("First:"));
    names->addWidget(txtFirstName);
    row("Last Name:", fraGuestName);

    txtGratuity = makeLineEdit(this, "txtGratuity", false, 12);
    AcceptAmounts(txtGratuity);
    row("Gratuity:", txtGratuity);
    txtConfirmation = makeLineEdit(this, "txtConfirmation");
    row("Confirmation:", txtConfirmation);
    txtPOSNumber = makeLineEdit(this, "txtPOSNumber");
    row("POS Number:", txtPOSNumber);

    auto* statuses = new QWidget;
    auto* sl = new QHBoxLayout(statuses);
    sl->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        chkStatus[i] = named(new QCheckBox(StatusCaptions[i]), QString("chkStatus_%1").arg(i));
        sl->addWidget(chkStatus[i]);
    }
    sl->addStretch();
    row("Status:", statuses);

    txtInstructions = named(new QPlainTextEdit, "txtInstructions");
    txtInstructions->setTabChangesFocus(true);
    txtInstructions->setMaximumHeight(80);
    row("Instructions:", txtInstructions);

    lblProfile = named(new QLabel, "lblProfile");
    cmdProfile = named(new QPushButton("Profile..."), "cmdProfile");
    cmdClearProfile = named(new QPushButton("Clear"), "cmdClearProfile");
    auto* profileButtons = new QWidget;
    auto* pl = new QHBoxLayout(profileButtons);
    pl->setContentsMargins(0, 0, 0, 0);
    pl->addWidget(cmdProfile);
    pl->addWidget(cmdClearProfile);
    row("Guest Profile:", lblProfile, profileButtons);

    txtCardNumber = makeLineEdit(this, "txtCardNumber", true, 24);
    lblCardNumber = caption("Card Number:");
    grid->addWidget(lblCardNumber, r, 0);
    grid->addWidget(txtCardNumber, r++, 1);

    lblTSID = named(new QLabel("0"), "lblTSID");
    row("Booking ID:", lblTSID);

    cmdSave = named(new QPushButton("&Save"), "cmdBookSS_0");
    cmdDelete = named(new QPushButton("&Delete"), "cmdBookSS_3");
    cmdNew = named(new QPushButton("&New"), "cmdNew");
    cmdCalendar = named(new QPushButton("&Calendar..."), "cmdCalendar");
    grid->addLayout(ButtonRow({cmdSave, cmdDelete, cmdNew, cmdCalendar}), r++, 0, 1, 2);
    grid->setRowStretch(r, 1);

    connect(cboCategory, &QComboBox::currentIndexChanged, this, [this] { categoryChanged(); });
    connect(cboService, &QComboBox::currentIndexChanged, this, [this] { serviceChanged(); });
    connect(cmdProfile, &QPushButton::clicked, this, [this] { pickProfile(); });
    connect(cmdClearProfile, &QPushButton::clicked, this, [this] { clearProfile(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdNew, &QPushButton::clicked, this, [this] {
        newBooking(false);
        grdSheet->clearSelection();
    });
    connect(cmdCalendar, &QPushButton::clicked, this, [this] { openCalendar(); });
}

QDate TimedServiceBookingTab::day() const {
    return dtpReferDate->date();
}

void TimedServiceBookingTab::reloadLists() {
    try {
        FillIdCombo(cboShowProvider, GetProviders(m_ctx));
        FillIdCombo(cboShowLocation, LookupItems(m_ctx, "TSVenue"));
        FillIdCombo(cboCategory, LookupItems(m_ctx, "TService"));
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "Form_Load", FormName, true);
    }
    categoryChanged();
    redraw();
}

void TimedServiceBookingTab::categoryChanged() {
    std::vector<std::pair<qint64, QString>> services;
    try {
        if (const qint64 category = ComboId(cboCategory))
            for (const Service& s : GetServicesByC(m_ctx, category))
                services.emplace_back(s.id, s.name);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetServicesByC", "modDatabaseTS");
    }
    FillIdCombo(cboService, services);
    serviceChanged();
    updateCardBox();
}

void TimedServiceBookingTab::serviceChanged() {
    lblDuration->clear();
    lblPrice->clear();
    lblLocation->clear();
    std::vector<std::pair<qint64, QString>> providers;
    try {
        if (const qint64 id = ComboId(cboService)) {
            if (const std::optional<Service> s = GetService(m_ctx, id)) {
                lblDuration->setText(DurationCaption(s->duration));
                lblPrice->setText(Formats::FormatNumber(s->price, "#.00"));
                lblLocation->setText(TsLocationName(m_ctx, s->locationId));
            }
            providers = GetProvidersByS(m_ctx, id);
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetProvidersByS", "modDatabaseTS");
    }
    FillIdCombo(cboProvider, providers);
    // The provider whose sheet is shown is the likely one.
    if (ComboId(cboProvider) == 0 && ComboId(cboShowProvider) != 0)
        SelectComboId(cboProvider, ComboId(cboShowProvider));
}

void TimedServiceBookingTab::updateCardBox() {
    // The card goes with the logbook entry: offered only when the category
    // files one and card numbers may be stored.
    bool show = false;
    try {
        if (const qint64 category = ComboId(cboCategory))
            show = GetTsLogLink(m_ctx, category).has_value() &&
                   CardNumbersState(m_ctx) == CardKeyState::Ready;
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetTsLogLink", "modDatabaseTS");
    }
    if (!show) txtCardNumber->clear();
    txtCardNumber->setVisible(show);
    lblCardNumber->setVisible(show);
}

void TimedServiceBookingTab::redraw() {
    const qint64 provider = ComboId(cboShowProvider), location = ComboId(cboShowLocation);
    grdSheet->clearRows();
    m_sheet = DaySheet();
    if (provider == 0 && location == 0) {
        lblOutside->hide();
        lstOutside->hide();
        return;
    }
    const SheetKind kind = provider && location ? SheetKind::Combined
                           : provider           ? SheetKind::Provider
                                                : SheetKind::Location;
    try {
        WaitCursor wait;
        m_sheet = BuildDaySheet(m_ctx, kind, day(), provider, location);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetTimedServices", "modDatabaseTS");
        return;
    }
    for (size_t i = 0; i < m_sheet.rows.size(); ++i) {
        const SheetRow& row = m_sheet.rows[i];
        grdSheet->setRow(qint64(i) + 1, {row.time, row.text}, {}, row.color, false);
    }
    lstOutside->clear();
    lstOutside->addItems(m_sheet.outside);
    lblOutside->setVisible(!m_sheet.outside.isEmpty());
    lstOutside->setVisible(!m_sheet.outside.isEmpty());
    // What was chosen stays chosen on the new sheet.
    if (m_id > 0)
        highlightBooking(m_id);
    else if (const int at = m_sheet.rowOf(m_time); at >= 0)
        highlightRows(at, TsSlotCount(chosenMinutes()));
}

void TimedServiceBookingTab::warnWithoutServices() {
    try {
        const qint64 location = ComboId(cboShowLocation);
        const std::vector<Service> services = GetServices(m_ctx);
        const bool none = std::none_of(services.begin(), services.end(), [location](const Service& s) {
            return location == 0 || s.locationId == location;
        });
        if (none) m_ctx.prompt().message(MsgTsNoSheetSetUp);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetServices", "modDatabaseTS");
    }
}

int TimedServiceBookingTab::chosenMinutes() const {
    const QString shown = lblDuration->text().section(' ', 0, 0);
    const int minutes = shown.toInt();
    return minutes > 0 ? minutes : TsSlotMinutes;
}

void TimedServiceBookingTab::highlightRows(int first, int count) {
    grdSheet->clearSelection();
    QItemSelection rows;
    const int last = std::min(first + count, int(m_sheet.rows.size())) - 1;
    if (first < 0 || last < first) return;
    rows.select(grdSheet->model()->index(first, 0), grdSheet->model()->index(last, 1));
    grdSheet->selectionModel()->select(rows, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    grdSheet->scrollTo(grdSheet->model()->index(first, 0));
}

void TimedServiceBookingTab::highlightBooking(qint64 id) {
    int first = -1, count = 0;
    for (size_t i = 0; i < m_sheet.rows.size(); ++i)
        if (m_sheet.rows[i].state == SlotState::Booking && m_sheet.rows[i].bookingId == id) {
            if (first < 0) first = int(i);
            ++count;
        }
    if (first >= 0)
        highlightRows(first, count);
    else
        grdSheet->clearSelection();
}

void TimedServiceBookingTab::rowClicked(int row) {
    if (row < 0 || row >= int(m_sheet.rows.size())) return;
    const SheetRow& r = m_sheet.rows[size_t(row)];
    if (r.state == SlotState::Booking && r.bookingId > 0) {
        loadBooking(r.bookingId);
        return;
    }
    const QString refusal = CheckSlotChoice(m_sheet, row, chosenMinutes());
    if (!refusal.isEmpty()) {
        m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
        // Nothing is chosen; a booking on the screen stays chosen.
        if (m_id > 0)
            highlightBooking(m_id);
        else if (const int at = m_sheet.rowOf(m_time); at >= 0)
            highlightRows(at, TsSlotCount(chosenMinutes()));
        else
            grdSheet->clearSelection();
        return;
    }
    // A booking on the screen gives way to a new one; typed guest fields stay.
    if (m_id > 0) newBooking(true);
    m_time = r.time;
    lblTime->setText(r.time);
    highlightRows(row, TsSlotCount(chosenMinutes()));
    if (ComboId(cboProvider) == 0) SelectComboId(cboProvider, m_sheet.providerId);
}

void TimedServiceBookingTab::newBooking(bool keepService) {
    m_id = 0;
    lblTSID->setText("0");
    lockBooked(false);
    if (!keepService) {
        SelectComboId(cboCategory, 0);
        m_time.clear();
        lblTime->clear();
    }
    for (QLineEdit* e : {txtLastName, txtFirstName, txtGratuity, txtConfirmation, txtPOSNumber,
                         txtCardNumber})
        e->clear();
    for (QCheckBox* c : chkStatus)
        c->setChecked(false);
    txtInstructions->clear();
    clearProfile();
}

void TimedServiceBookingTab::lockBooked(bool locked) {
    // A saved booking keeps what it books; moving it is a delete and a new booking.
    for (QWidget* w : std::initializer_list<QWidget*>{cboCategory, cboService, cboProvider,
                                                      dtpReferDate}) {
        w->setEnabled(!locked);
        w->setToolTip(locked ? TsMoveTip : QString());
    }
    lblTime->setToolTip(locked ? TsMoveTip : QString());
}

void TimedServiceBookingTab::loadBooking(qint64 timedServiceId) {
    std::optional<TsBooking> b;
    try {
        b = GetTimedService(m_ctx, timedServiceId);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetTimedService", "modDatabaseTS");
        return;
    }
    if (!b) {
        m_ctx.prompt().message(MsgTsBookingGone, {}, Icon::Exclamation);
        redraw();
        return;
    }
    showBooking(*b);
}

void TimedServiceBookingTab::showBooking(const TsBooking& b) {
    lockBooked(false);
    const QDate d = Formats::ParseStoredDate(b.referDate);
    m_id = b.id; // kept through the redraw a new date brings
    if (d.isValid() && d != day()) dtpReferDate->setDate(d);
    SelectComboId(cboCategory, b.categoryId);
    SelectComboId(cboService, b.serviceId);
    if (!SelectComboId(cboProvider, b.providerId)) {
        // No longer assigned to the service: the booking still names the provider.
        cboProvider->addItem(GetProviderName(m_ctx, b.providerId), b.providerId);
        SelectComboId(cboProvider, b.providerId);
    }
    lblLocation->setText(TsLocationName(m_ctx, b.locationId));
    lblDuration->setText(DurationCaption(b.duration));
    lblPrice->setText(Formats::FormatNumber(b.price, "#.00"));
    m_time = b.referTime;
    lblTime->setText(b.referTime);
    txtLastName->setText(b.lastName.trimmed());
    txtFirstName->setText(b.firstName.trimmed());
    txtGratuity->setText(Formats::FormatNumber(b.gratuity, "#.00"));
    txtConfirmation->setText(b.confirmation.trimmed());
    txtPOSNumber->setText(b.posNumber.trimmed());
    for (int i = 0; i < 3; ++i)
        chkStatus[i]->setChecked(b.status[i]);
    txtInstructions->setPlainText(ToDisplayText(b.instructions));
    txtCardNumber->clear();
    m_profileId = b.profileId;
    lblProfile->setText(b.profileId > 0 ? b.lastName.trimmed() + ", " + b.firstName.trimmed()
                                        : QString());
    m_id = b.id;
    lblTSID->setText(QString::number(b.id));
    lockBooked(true);
    highlightBooking(b.id);
}

void TimedServiceBookingTab::showChoice(const TsCalendarChoice& c) {
    newBooking(false);
    {
        const QSignalBlocker a(dtpReferDate), p(cboShowProvider), l(cboShowLocation);
        dtpReferDate->setDate(c.day);
        SelectComboId(cboShowProvider, c.providerId);
        SelectComboId(cboShowLocation, c.locationId);
    }
    SelectComboId(cboCategory, c.categoryId);
    SelectComboId(cboService, c.serviceId);
    SelectComboId(cboProvider, c.providerId);
    redraw();
    Q_EMIT dayChanged(c.day);
    const int row = m_sheet.rowOf(c.time);
    if (row < 0) {
        m_ctx.prompt().message(MsgSlotNotFullDuration, {}, Icon::Exclamation);
        return;
    }
    rowClicked(row);
}

void TimedServiceBookingTab::pickProfile() {
    PickedProfile seed;
    seed.firstName = txtFirstName->text();
    seed.lastName = txtLastName->text();
    const std::optional<PickedProfile> p = PickProfile(m_ctx, seed, this);
    if (!p) return;
    m_profileId = p->profileId;
    lblProfile->setText(p->lastName + ", " + p->firstName);
    if (txtLastName->text().trimmed().isEmpty()) txtLastName->setText(p->lastName);
    if (txtFirstName->text().trimmed().isEmpty()) txtFirstName->setText(p->firstName);
}

void TimedServiceBookingTab::clearProfile() {
    m_profileId = 0;
    lblProfile->clear();
}

void TimedServiceBookingTab::openCalendar() {
    auto* calendar = new frmTSCalendar(m_ctx, day(), this);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    connect(calendar, &frmTSCalendar::timeSelected, this,
            [this](const TsCalendarChoice& c) { showChoice(c); });
    connect(calendar, &frmTSCalendar::bookingChosen, this,
            [this](qint64 id) { loadBooking(id); });
    calendar->show();
}

TypedTsBooking TimedServiceBookingTab::typed() const {
    TypedTsBooking t;
    t.referDate = Formats::ShortDate(day());
    t.categoryId = ComboId(cboCategory);
    t.serviceId = ComboId(cboService);
    t.providerId = ComboId(cboProvider);
    t.referTime = m_time;
    t.lastName = txtLastName->text();
    t.firstName = txtFirstName->text();
    t.gratuity = txtGratuity->text().trimmed();
    t.confirmation = txtConfirmation->text();
    t.posNumber = txtPOSNumber->text();
    for (int i = 0; i < 3; ++i)
        t.status[i] = chkStatus[i]->isChecked();
    t.profileId = m_profileId;
    t.instructions = ToStoredText(txtInstructions->toPlainText());
    if (txtCardNumber->isVisible()) t.typedCard = txtCardNumber->text();
    return t;
}

void TimedServiceBookingTab::focusFor(const QString& refusal) {
    const std::pair<const char*, QWidget*> fields[] = {
        {"Reference Date", dtpReferDate}, {"Category", cboCategory},
        {"Provider", cboProvider},        {"Service Time", grdSheet},
        {"select the Service", cboService}, {"Last Name", txtLastName},
        {"First Name", txtFirstName}};
    for (const auto& [words, w] : fields)
        if (refusal.contains(QLatin1String(words))) {
            w->setFocus();
            return;
        }
}

void TimedServiceBookingTab::cmdSave_Click() {
    try {
        TypedTsBooking t = typed();
        if (const QString refusal = CheckTsBooking(m_ctx, t); !refusal.isEmpty()) {
            m_ctx.prompt().message(refusal, {}, Icon::Exclamation);
            focusFor(refusal);
            return;
        }
        // Card numbers do not belong in the names.
        if (ScreenTsBookingNames(m_ctx, t, m_id, [this](const QString& form, const QString& field) {
                return AskCCQuery(form, field, this);
            }) > 0) {
            txtLastName->setText(t.lastName);
            txtFirstName->setText(t.firstName);
        }
        TsSaveResult result;
        {
            WaitCursor wait;
            result = SaveTimedService(m_ctx, m_id, t);
        }
        if (!result.saved) {
            m_ctx.prompt().message(result.message, {}, Icon::Exclamation);
            redraw();
            return;
        }
        m_id = result.id;
        lblTSID->setText(QString::number(result.id));
        txtCardNumber->clear();
        lockBooked(true);
        redraw();
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdBookSS_Click", FormName, true);
        redraw();
    }
}

void TimedServiceBookingTab::cmdDelete_Click() {
    if (m_id <= 0) {
        m_ctx.prompt().message(MsgTsSelectDelete, {}, Icon::Exclamation);
        return;
    }
    if (m_ctx.prompt().ask(MsgTsDeleteQuestion, {}, Buttons::YesNo, Icon::Question,
                           Answer::No) != Answer::Yes)
        return;
    try {
        if (!DeleteTimedService(m_ctx, m_id))
            m_ctx.prompt().message(MsgTsBookingGone, {}, Icon::Exclamation);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "DeleteTimedService", "modDatabaseTS");
    }
    newBooking(true);
    m_time.clear();
    lblTime->clear();
    redraw();
}

} // namespace vm
