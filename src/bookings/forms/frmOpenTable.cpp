#include "bookings/forms/frmOpenTable.h"

#include "bookings/forms/frmOpenTableEntry.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmOpenTable");

const QString MsgNoDate = QStringLiteral("Please select the Reservation date.  Thank you.");
const QString MsgNoServiceId =
    QStringLiteral("Selected restaurant does not have an Open Table ID.  "
                   "Please use the Contacts panel to set the Open Table ID.");
const QString MsgNoTimes = QStringLiteral("No times found for given Date / Restaurant.");
const QString MsgNotContact =
    QStringLiteral("This restaurant is not configured as a Contact. Please configure an existing "
                   "Contact to have this restaurant ID and try the search again.");
const QString MsgNotConfirmed = QStringLiteral("Unable to confirm reservation at this time.");
const QString MsgChooseTime =
    QStringLiteral("Please click one of the offered times before booking.  Thank you.");
const QString MsgPartyMissing = QStringLiteral("Please enter the number of persons in the party.");
const QString MsgPartyDigits =
    QStringLiteral("The number of persons in the party must be Numbers ONLY.");
const QString MsgPartyRange =
    QStringLiteral("The number of persons in the party must be in the range of from 1 through 20.");

// Grid columns of the three offered times, in slot order.
constexpr int FirstTimeColumn = 4;

QString confirmedText(const QString& number) {
    return "Reservation confirmed, confirmation #" + number + ".";
}

// Said when the service confirmed but the entry could not take the number:
// the desk must not lose it.
QString notRecordedText(const QString& number) {
    return "Reservation #" + number +
           " is confirmed, but the logbook entry could not be updated with it.  Please note the "
           "confirmation number in the entry by hand.";
}

// An offered time as the grid shows it.
QString slotText(const OTSlot& slot) {
    if (slot.isEmpty()) return {};
    const auto t = ParseOTTime(slot.time);
    return t ? OTTimeText(*t) : slot.time;
}

} // namespace

frmOpenTable::frmOpenTable(AppContext& ctx, const LogEntry& entry, const OTConfig& config,
                           const OTEntryRequest& request, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_entry(entry), m_config(config),
      m_service(std::make_unique<OTService>(ctx.prompt(), config)) {
    setObjectName(FormName);
    build();
    m_service->statusChanged = [this](const QString& text) { lblStatus->setText(text); };
    m_service->busyChanged = [this](bool busy) { setBusy(busy); };
    try {
        m_restaurants = GetOpenTables(ctx.db());
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "GetOpenTables", FormName, true);
    }
    fill(request);
}

frmOpenTable::~frmOpenTable() {
    m_service->statusChanged = {};
    m_service->busyChanged = {};
    m_service->Disconnect();
}

void frmOpenTable::build() {
    auto* top = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow("Restaurant:", cboRestaurant = named(new QComboBox, "cboRestaurant"));
    form->addRow("Date:", txtDate = makeLineEdit(this, "txtDate", false, 10));
    txtDate->setPlaceholderText(Formats::ShortDateHint);
    auto* time = new QHBoxLayout;
    time->addWidget(cboHour = named(new QComboBox, "cboHour"));
    time->addWidget(cboMinute = named(new QComboBox, "cboMinute"));
    time->addWidget(cboAMPM = named(new QComboBox, "cboAMPM"));
    time->addStretch();
    for (int h = 1; h <= 12; ++h)
        cboHour->addItem(QString("%1").arg(h, 2, 10, QLatin1Char('0')));
    for (int m = 0; m < 60; m += 5)
        cboMinute->addItem(QString("%1").arg(m, 2, 10, QLatin1Char('0')));
    cboAMPM->addItems({"AM", "PM"});
    form->addRow("Time:", time);
    form->addRow("Party Size:", txtPartySize = makeLineEdit(this, "txtPartySize", false, 3));
    form->addRow("First Name:", txtFirstName = makeLineEdit(this, "txtFirstName"));
    form->addRow("Last Name:", txtLastName = makeLineEdit(this, "txtLastName"));
    form->addRow("Phone:", txtPhone = makeLineEdit(this, "txtPhone", false, 30));
    form->addRow("Notes:", txtNotes = makeLineEdit(this, "txtNotes", false, 250));
    auto* flags = new QHBoxLayout;
    flags->addWidget(chkBusiness = named(new QCheckBox("Business"), "chkBusiness"));
    flags->addWidget(chkFirstTime = named(new QCheckBox("First Visit"), "chkFirstTime"));
    flags->addWidget(chkArea = named(new QCheckBox("Search the whole area"), "chkArea"));
    flags->addStretch();
    form->addRow(flags);
    top->addLayout(form);

    auto* search = new QHBoxLayout;
    search->addWidget(cmdSearch = named(new QPushButton("&Search"), "cmdSearch"));
    search->addWidget(lblStatus = named(new QLabel, "lblStatus"), 1);
    top->addLayout(search);
    top->addWidget(grdResults = named(new DataGrid, "grdResults"), 1);
    grdResults->setHeaders(
        {"Restaurant Name", "Neighborhood", "Cuisine", "Price", "Earlier", "Exact", "Later"});
    top->addWidget(lblChosen = named(new QLabel, "lblChosen"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSave = named(new QPushButton("&Book"), "cmdSave"));
    buttons->addStretch();
    buttons->addWidget(cmdExit = named(new QPushButton("E&xit"), "cmdExit"));
    top->addLayout(buttons);
    for (QPushButton* b : {cmdSearch, cmdSave, cmdExit})
        b->setAutoDefault(false);
    cmdSave->setEnabled(false);

    setTabOrder(cboRestaurant, txtDate);
    setTabOrder(txtDate, cboHour);
    setTabOrder(cboHour, cboMinute);
    setTabOrder(cboMinute, cboAMPM);
    setTabOrder(cboAMPM, txtPartySize);
    setTabOrder(txtPartySize, txtFirstName);
    setTabOrder(txtFirstName, txtLastName);
    setTabOrder(txtLastName, txtPhone);
    setTabOrder(txtPhone, txtNotes);
    setTabOrder(txtNotes, cmdSearch);
    setTabOrder(cmdSearch, grdResults);
    setTabOrder(grdResults, cmdSave);
    setTabOrder(cmdSave, cmdExit);

    connect(cmdSearch, &QPushButton::clicked, this, &frmOpenTable::cmdSearch_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmOpenTable::cmdSave_Click);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
    connect(grdResults, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& i) { cellClicked(i.row(), i.column()); });
    connect(cboRestaurant, &QComboBox::currentIndexChanged, this, [this] {
        updateTitle();
        clearChoice();
    });
    connect(txtDate, &QLineEdit::textChanged, this, &frmOpenTable::updateTitle);
}

void frmOpenTable::fill(const OTEntryRequest& request) {
    for (const OTRestaurant& r : m_restaurants)
        cboRestaurant->addItem(r.name, r.contactId);
    // The entry's restaurant by name, else the entry's contact when it is one.
    int at = -1;
    for (int n = 0; n < int(m_restaurants.size()) && at < 0; ++n)
        if (m_restaurants[size_t(n)].name.trimmed().compare(request.restaurant.trimmed(),
                                                            Qt::CaseInsensitive) == 0)
            at = n;
    if (at < 0 && m_entry.contactId > 0) at = cboRestaurant->findData(m_entry.contactId);
    cboRestaurant->setCurrentIndex(at);

    const QDate day = Formats::ParseStoredDate(m_entry.referDate);
    txtDate->setText(day.isValid() ? Formats::ShortDate(day) : QString());

    // The pickers start at 12:00 AM until the entry names a time.
    QString hour = "12", minute = "00", half = "AM";
    if (const auto t = ParseOTTime(request.time)) {
        const QString text = OTTimeText(*t); // "hh:mm AM/PM"
        hour = text.left(2);
        minute = text.mid(3, 2);
        half = text.right(2);
    }
    if (cboMinute->findText(minute) < 0) cboMinute->addItem(minute);
    cboHour->setCurrentText(hour);
    cboMinute->setCurrentText(minute);
    cboAMPM->setCurrentText(half);

    txtPartySize->setText(request.partySize > 0 ? QString::number(request.partySize)
                                                : request.values.number);
    txtFirstName->setText(m_entry.firstName.trimmed());
    txtLastName->setText(m_entry.lastName.trimmed());
    txtPhone->setText(request.values.phone);
    txtNotes->setText(request.values.notes);
    updateTitle();
}

void frmOpenTable::updateTitle() {
    const QDate day = Formats::ParseShortDate(txtDate->text().trimmed());
    setWindowTitle("Open Table Reservations - " + cboRestaurant->currentText() + " - " +
                   (day.isValid() ? Formats::LongDate(day) : QString()));
}

QString frmOpenTable::chosenTime() const {
    return cboHour->currentText() + ":" + cboMinute->currentText() + " " + cboAMPM->currentText();
}

const OTRestaurant* frmOpenTable::chosenRestaurant() const {
    const qint64 contactId = cboRestaurant->currentData().toLongLong();
    for (const OTRestaurant& r : m_restaurants)
        if (r.contactId == contactId && cboRestaurant->currentIndex() >= 0) return &r;
    return nullptr;
}

int frmOpenTable::checkedParty() {
    const QString typed = txtPartySize->text().trimmed();
    QString refusal;
    if (typed.isEmpty())
        refusal = MsgPartyMissing;
    else if (!std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.isDigit(); }))
        refusal = MsgPartyDigits;
    else if (typed.toInt() < 1 || typed.toInt() > 20)
        refusal = MsgPartyRange;
    if (refusal.isEmpty()) return typed.toInt();
    m_ctx.prompt().message(refusal);
    txtPartySize->setFocus();
    return 0;
}

void frmOpenTable::clearChoice() {
    m_chosenResult = -1;
    m_chosenSlot = 0;
    lblChosen->clear();
    cmdSave->setEnabled(false);
}

void frmOpenTable::cmdSearch_Click() {
    if (m_busy) return;
    const QDate day = Formats::ParseShortDate(txtDate->text().trimmed());
    if (!day.isValid()) {
        m_ctx.prompt().message(MsgNoDate);
        txtDate->setFocus();
        return;
    }
    const bool area = chkArea->isChecked();
    const OTRestaurant* restaurant = chosenRestaurant();
    if (!area && (!restaurant || restaurant->restaurantId <= 0)) {
        m_ctx.prompt().message(MsgNoServiceId);
        return;
    }
    const int party = checkedParty();
    if (party <= 0) return;

    clearChoice();
    grdResults->clearRows();
    m_results.clear();
    // The restaurant's own host when it has one, else the service's standard one.
    const QString host = area ? m_config.standardHost : OTHostFor(*restaurant, m_config);
    if (!m_service->Connect(host)) return;
    const QString date = Formats::ShortDate(day);
    OTSearch found = area ? m_service->SearchArea(date, chosenTime(), party)
                          : m_service->SearchRestaurant(restaurant->restaurantId, date,
                                                        chosenTime(), party);
    if (found.outcome != OTSearchOutcome::Found) return; // the service said why
    FillFromContacts(found.results, m_restaurants);
    m_results = std::move(found.results);
    int key = 0;
    for (const OTSearchResult& r : m_results)
        grdResults->setRow(++key, {r.name, r.neighborhood, r.cuisine, r.price, slotText(r.earlier),
                                   slotText(r.exact), slotText(r.later)});
    if (m_results.empty()) m_ctx.prompt().message(MsgNoTimes);
}

void frmOpenTable::cellClicked(int shownRow, int column) {
    if (m_busy || shownRow < 0 || shownRow >= grdResults->rowCount()) return;
    const int index = int(grdResults->keyAt(shownRow)) - 1;
    const int slotNo = column - FirstTimeColumn + 1;
    if (index < 0 || index >= int(m_results.size()) || slotNo < OTEarlier || slotNo > OTLater)
        return;
    const OTSearchResult& r = m_results[size_t(index)];
    const OTSlot* slot = r.slot(slotNo);
    if (!slot || slot->isEmpty()) return;
    if (r.contactId <= 0) {
        m_ctx.prompt().message(MsgNotContact);
        clearChoice();
        return;
    }
    m_chosenResult = index;
    m_chosenSlot = slotNo;
    lblChosen->setText(r.name + " at " + slotText(*slot) + " on " + r.date);
    cmdSave->setEnabled(true);
}

void frmOpenTable::cmdSave_Click() {
    if (m_busy) return;
    if (m_chosenResult < 0 || m_chosenResult >= int(m_results.size())) {
        m_ctx.prompt().message(MsgChooseTime);
        return;
    }
    const int party = checkedParty();
    if (party <= 0) return;
    OTSearchResult& r = m_results[size_t(m_chosenResult)];
    r.partySize = party;
    const QString time = slotText(*r.slot(m_chosenSlot));
    const QString notes = txtNotes->text().trimmed();
    const QString number =
        r.Reserve(m_chosenSlot, txtFirstName->text().trimmed(), txtLastName->text().trimmed(),
                  txtPhone->text().trimmed(), notes, chkBusiness->isChecked(),
                  chkFirstTime->isChecked());
    if (number.trimmed().isEmpty()) {
        m_ctx.prompt().message(MsgNotConfirmed);
        return;
    }
    // The confirmation goes into the stored entry before anything else can
    // happen to the screen.
    OtBooked booked;
    booked.confirmation = number.trimmed();
    booked.time = time;
    booked.restaurant = r.name;
    booked.contactId = r.contactId;
    booked.party = party;
    booked.notes = notes;
    SaveOutcome outcome = SaveOutcome::Gone;
    try {
        LogEntry saved;
        outcome = SaveOtBookingToEntry(m_ctx, m_entry.logId, booked, saved);
        if (outcome == SaveOutcome::Saved) m_entry = saved;
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdSave_Click", FormName, true);
    }
    m_booked = true;
    m_ctx.prompt().message(confirmedText(booked.confirmation));
    if (outcome != SaveOutcome::Saved)
        m_ctx.prompt().message(notRecordedText(booked.confirmation), {}, Icon::Exclamation);
    accept();
}

void frmOpenTable::setBusy(bool busy) {
    if (busy == m_busy) return;
    m_busy = busy;
    for (QWidget* w : std::initializer_list<QWidget*>{
             cboRestaurant, txtDate, cboHour, cboMinute, cboAMPM, txtPartySize, txtFirstName,
             txtLastName, txtPhone, txtNotes, chkArea, chkBusiness, chkFirstTime, cmdSearch,
             grdResults, cmdExit})
        w->setEnabled(!busy);
    cmdSave->setEnabled(!busy && m_chosenResult >= 0);
    if (busy)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

void frmOpenTable::closeEvent(QCloseEvent* e) {
    // A request still running would answer into a closed screen.
    if (m_busy) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void frmOpenTable::reject() {
    if (!m_busy) QDialog::reject();
}

} // namespace vm
