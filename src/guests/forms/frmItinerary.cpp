#include "guests/forms/frmItinerary.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "guests/forms/ItineraryPanel.h"
#include "guests/reports/ItineraryReports.h"
#include "output/forms/PrintPreview.h"
#include "platform/forms/FormHelpers.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmItinerary");
const QString WindowTitle = QStringLiteral("Create a Guest Itinerary");
// The print job of all arrivals carries the caption the desk has always seen.
const QString ArrivalsPrintTitle = QStringLiteral("Guest Intinerary");

enum ItemRole { LastRole = Qt::UserRole, FirstRole, ProfileRole };

void FillGuests(QListWidget* list, const std::vector<ItineraryGuest>& guests) {
    list->clear();
    for (const ItineraryGuest& g : guests) {
        auto* item = new QListWidgetItem(g.caption(), list);
        item->setData(LastRole, g.lastName);
        item->setData(FirstRole, g.firstName);
        item->setData(ProfileRole, g.profileId);
    }
}

} // namespace

ItineraryGuest GuestOfItem(const QListWidgetItem* item) {
    if (!item) return {};
    return {item->data(LastRole).toString(), item->data(FirstRole).toString(),
            item->data(ProfileRole).toLongLong()};
}

frmItinerary::frmItinerary(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(FormName);
    setWindowTitle(WindowTitle);
    auto* top = new QVBoxLayout(this);
    auto* select = new QGroupBox("Select Guest for Itinerary Creation");
    auto* grid = new QGridLayout(select);
    grid->addWidget(new QLabel("Enter the Last Name:"), 0, 0);
    grid->addWidget(txtLastName = makeLineEdit(this, "txtLastName", false, 50), 0, 1);
    grid->addWidget(cmdByName = named(new QPushButton("Select Guests by Last Name"), "cmdByName"),
                    0, 2);
    cmdByName->setToolTip("Show All Guest Names with Last Name Entered");
    grid->addWidget(new QLabel("Double-Click Guest Name to Select -->"), 1, 0, 1, 2);
    grid->addWidget(lstGuests = named(new QListWidget, "lstGuests"), 1, 2);
    grid->addWidget(new QLabel("Arrival Date:"), 2, 0);
    grid->addWidget(dtpArrival = makeLineEdit(this, "dtpArrival", false, 10), 2, 1);
    dtpArrival->setPlaceholderText(Formats::ShortDateHint);
    dtpArrival->setText(Formats::ShortDate(ctx.clock().today()));
    grid->addWidget(cmdByArrival = named(new QPushButton("Search"), "cmdByArrival"), 2, 2);
    cmdByArrival->setToolTip("Select Guests by Arrival Date");
    grid->addWidget(new QLabel("Double-Click Guest Name to Remove -->"), 3, 0, 1, 2);
    grid->addWidget(lstArrivals = named(new QListWidget, "lstArrivals"), 3, 2);
    grid->addWidget(cmdPrintArrivals =
                        named(new QPushButton("Print All Arrivals by Date"), "cmdPrintArrivals"),
                    4, 2);
    top->addWidget(select);
    top->addWidget(panel = named(new ItineraryPanel(ctx), "ItineraryPanel"), 1);
    resize(980, 820);

    connect(cmdByName, &QPushButton::clicked, this, &frmItinerary::cmdByName_Click);
    connect(txtLastName, &QLineEdit::returnPressed, this, &frmItinerary::cmdByName_Click);
    connect(lstGuests, &QListWidget::itemDoubleClicked, this, &frmItinerary::guestChosen);
    connect(cmdByArrival, &QPushButton::clicked, this, &frmItinerary::cmdByArrival_Click);
    connect(lstArrivals, &QListWidget::itemDoubleClicked, this,
            [](QListWidgetItem* item) { delete item; });
    connect(cmdPrintArrivals, &QPushButton::clicked, this, &frmItinerary::cmdPrintArrivals_Click);
}

void frmItinerary::cmdByName_Click() {
    std::vector<ItineraryGuest> guests;
    try {
        guests = ItineraryGuestsByName(m_ctx, txtLastName->text());
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cmdByName_Click", FormName, true);
        return;
    }
    if (guests.empty()) {
        m_ctx.prompt().message(MsgNoGuestsFound);
        return;
    }
    FillGuests(lstGuests, guests);
}

void frmItinerary::cmdByArrival_Click() {
    const QDate arrival = Formats::ParseShortDate(dtpArrival->text());
    if (!arrival.isValid()) {
        m_ctx.prompt().message(MsgInvalidArrival);
        return;
    }
    try {
        FillGuests(lstArrivals, ItineraryGuestsByArrival(m_ctx, arrival));
        m_arrival = arrival;
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cmdByArrival_Click", FormName, true);
    }
}

void frmItinerary::guestChosen(QListWidgetItem* item) {
    try {
        panel->setEntries(ItineraryEntries(m_ctx, GuestOfItem(item)));
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "lstGuests_DblClick", FormName, true);
    }
}

void frmItinerary::cmdPrintArrivals_Click() {
    if (lstArrivals->count() == 0 || !m_arrival.isValid()) {
        m_ctx.prompt().message(MsgNoArrivals);
        return;
    }
    QVariantList itineraries;
    try {
        for (int i = 0; i < lstArrivals->count(); ++i) {
            QVariantList ids;
            for (const LogEntry& e :
                 ItineraryEntriesArriving(m_ctx, GuestOfItem(lstArrivals->item(i)), m_arrival))
                ids << e.logId;
            if (!ids.isEmpty()) itineraries << QVariant(ids);
        }
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cmdPrintArrivals_Click", FormName, true);
        return;
    }
    QVariantMap args = ItineraryArgs(panel->options());
    args.insert(ArgItineraries, itineraries);
    OpenReport(m_ctx, {"PrintGuestItinerary", ArrivalsPrintTitle, args}, this);
}

frmItineraryGI::frmItineraryGI(AppContext& ctx, const QString& guestId, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmItineraryGI");
    setWindowTitle(WindowTitle);
    auto* top = new QVBoxLayout(this);
    top->addWidget(lblGuest = named(new QLabel, "lblGuest"));
    top->addWidget(panel = named(new ItineraryPanel(ctx), "ItineraryPanel"), 1);
    resize(900, 640);
    try {
        const std::vector<LogEntry> entries = ItineraryEntriesOfGuestId(ctx, guestId);
        panel->setEntries(entries);
        // The guest's name is the one on the first entry.
        lblGuest->setText(entries.empty() ? MsgNoGuestEntries
                                          : entries.front().firstName.trimmed() + " " +
                                                entries.front().lastName.trimmed() +
                                                "   (Guest ID: " + guestId.trimmed() + ")");
    } catch (const std::exception& e) {
        ReportError(ctx.prompt(), e, "Form_Load", "frmItineraryGI", true);
    }
}

} // namespace vm
