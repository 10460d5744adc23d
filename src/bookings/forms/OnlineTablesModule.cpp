#include "bookings/forms/OnlineTablesModule.h"

#include "app/forms/frmSearch.h"
#include "bookings/OnlineTables.h"
#include "bookings/forms/frmOTCancel.h"
#include "bookings/forms/frmOpenTable.h"
#include "bookings/forms/frmOpenTableEntry.h"
#include "core/DataAccess.h"
#include "core/Settings.h"
#include "logbook/LogbookStore.h"
#include "logbook/forms/LogbookModule.h"

namespace vm {

namespace {

const QString ModuleName = QStringLiteral("OnlineTables");

const QString MsgNotSwitchedOn =
    QStringLiteral("Online restaurant reservations are not switched on for this property.  "
                   "Please use the Configuration Options panel to switch them on.");
const QString MsgNoEntry =
    QStringLiteral("This Logbook Entry no longer exists: it was deleted at another desk.");
const QString MsgNoReservation =
    QStringLiteral("This logbook entry has no Open Table reservation.");
const QString MsgRestaurantUnknown =
    QStringLiteral("The restaurant of this reservation is not a Contact with an Open Table ID, "
                   "so the reservation cannot be cancelled from here.  Please follow up with the "
                   "restaurant.");

QString alreadyBookedText(const QString& number) {
    return "This logbook entry already holds Open Table reservation #" + number +
           ".  Please cancel it before booking another table.";
}

QString cancelQuestion(const QString& number, const QString& restaurant) {
    return "Do you wish to cancel Open Table reservation #" + number +
           (restaurant.isEmpty() ? QString() : " at " + restaurant) + "?";
}

bool switchedOn(AppContext& ctx) {
    if (GetBooleanSetting(ctx.db(), "OpenTable")) return true;
    ctx.prompt().message(MsgNotSwitchedOn);
    return false;
}

std::optional<LogEntry> savedEntry(AppContext& ctx, qint64 logId) {
    auto e = LogbookStore(ctx).GetTheLogEntry(logId);
    if (!e) ctx.prompt().message(MsgNoEntry, {}, Icon::Exclamation);
    return e;
}

} // namespace

bool OpenOnlineTable(AppContext& ctx, qint64 logId, QWidget* parent) {
    std::optional<OTEntryRequest> request;
    std::optional<OTConfig> config;
    std::optional<LogEntry> entry;
    try {
        if (!switchedOn(ctx)) return false;
        if (!(entry = savedEntry(ctx, logId))) return false;
        if (!(request = CheckOpenTableEntry(ctx, *entry))) return false;
        // A second booking would take the entry's only link to the first one.
        if (entry->openTableId > 0) {
            ctx.prompt().message(alreadyBookedText(OtConfirmationOf(ctx.db(), *entry)));
            return false;
        }
        if (!(config = GetOpenTableService(ctx))) return false;
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "imgOpenTable_Click", ModuleName, true);
        return false;
    }
    frmOpenTable search(ctx, *entry, *config, *request, parent);
    search.exec();
    return search.booked();
}

bool CancelOnlineTable(AppContext& ctx, qint64 logId, QWidget* parent) {
    std::optional<OTConfig> config;
    OTRestaurant restaurant;
    QString number;
    try {
        if (!switchedOn(ctx)) return false;
        const std::optional<LogEntry> entry = savedEntry(ctx, logId);
        if (!entry) return false;
        number = OtConfirmationOf(ctx.db(), *entry);
        if (entry->openTableId <= 0 || number.isEmpty()) {
            ctx.prompt().message(MsgNoReservation);
            return false;
        }
        // The reservation was booked at the entry's restaurant contact.
        for (const OTRestaurant& r : GetOpenTables(ctx.db()))
            if (entry->contactId > 0 && r.contactId == entry->contactId) restaurant = r;
        if (ctx.prompt().ask(cancelQuestion(number, restaurant.name), "Cancel Reservation",
                             Buttons::YesNo, Icon::Question, Answer::No) != Answer::Yes)
            return false;
        if (restaurant.restaurantId <= 0) {
            ctx.prompt().message(MsgRestaurantUnknown, {}, Icon::Exclamation);
            return false;
        }
        if (!(config = GetOpenTableService(ctx))) return false;
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "imgOTEntry_Click", ModuleName, true);
        return false;
    }
    frmOTCancel cancel(ctx, logId, *config, restaurant, number, parent);
    cancel.exec();
    return cancel.cancelled();
}

void FillOnlineTableHooks(AppContext& ctx, LogbookScreenHooks& hooks) {
    hooks.openTable = [&ctx](qint64 logId, QWidget* parent) {
        OpenOnlineTable(ctx, logId, parent);
    };
    hooks.cancelTable = [&ctx](qint64 logId, QWidget* parent) {
        CancelOnlineTable(ctx, logId, parent);
    };
    // The restaurant is the contact of the entry that holds the reservation.
    hooks.reservationContact = [&ctx](qint64 openTableId) {
        return GetOTReservationContact(ctx.db(), openTableId);
    };
}

void InstallOnlineTables(AppContext& ctx, frmSearch& window) {
    if (auto* logbook = window.findChild<LogbookModule*>("LogbookModule"))
        FillOnlineTableHooks(ctx, logbook->hooks);
}

} // namespace vm
