// Tables of reservation lists and timed services.  Dates are text "YYYY/MM/DD"
// and compare as text; slot times are the text the grids show ("hh:mm AM/PM").
// Sign-up sheets, provider-service links and booking instructions live in the
// shared lookup and long-text stores of the guests subsystem.

#include "core/schema/Schema.h"

namespace vm::schema {

namespace {

void declareReservations(Registry& r) {
    r.table("ResType", "bookings")
        .id("ResTypeID")
        .text("Category")
        .integer("TypeOfList")     // 0 timed list, 1 item list
        .integer("MinuteInterval") // index: 6, 10, 15, 30, 60 minutes
        .dbl("Price")              // price per unit, or places per slot
        .text("DayOfWeek")         // "SunMon..." of the open days
        .text("AvailableFrom")
        .text("AvailableThrough")
        .text("ColumnHeader")
        .boolean("Option1")
        .boolean("Option2")
        .boolean("Option3")
        .boolean("Option4")
        .boolean("Option5")
        .index({"Category"});

    r.table("ResItem", "bookings")
        .id("ResItemID")
        .lng("ResTypeID")
        .integer("Sequence")
        .text("ItemName", 50)
        .index({"ResTypeID", "Sequence"});

    // One row per booked slot or day.
    r.table("Reservation", "bookings")
        .id("ReservationID")
        .lng("ResTypeID")
        .text("ReservationDate")
        .text("ReservationFor")
        .text("ListItem")
        .dbl("Price") // price, or the number in party
        .text("AvailableHere")
        .text("AvailableFrom")
        .text("AvailableThrough")
        .lng("ConciergeID")
        .addedAt(81063)
        // the day's grid, places taken per row, and day-range checks
        .index({"ResTypeID", "ReservationDate", "AvailableHere"})
        .index({"ResTypeID", "ListItem"})
        .index({"ReservationDate"});

    r.table("ResRowLimits", "bookings")
        .id("ResRowID")
        .lng("ResTypeID")
        .text("ReservationDate")
        .text("RowText")
        .lng("RowTotal")
        .index({"ResTypeID", "ReservationDate", "RowText"})
        .index({"ReservationDate"});

    r.table("ResTrackUn", "bookings")
        .id("TrackUnID")
        .lng("ResTypeID")
        .text("RequestedDate")
        .lng("RequestCount")
        .index({"ResTypeID", "RequestedDate"})
        .index({"RequestedDate"});

    // The lowest id of a date and category is offered first.
    r.table("ResWaitList", "bookings")
        .id("WaitListID")
        .lng("ResTypeID")
        .text("RequestedDate")
        .text("RequestedBy")
        .text("HowToContact")
        .index({"ResTypeID", "RequestedDate"})
        .index({"RequestedDate"});
}

// A week: 7 work flags ("1"/"0", Sunday first) and four strings of seven
// 5-character "HH:MM" slots, blank where the day has none.
void addWeek(Table& t) {
    const QString noSlots(35, QLatin1Char(' '));
    t.text("WorkSchedule", 7)
        .defaultsTo(QStringLiteral("0000000"))
        .text("StartArray", 35)
        .defaultsTo(noSlots)
        .text("EndArray", 35)
        .defaultsTo(noSlots)
        .text("StartMeal", 35)
        .defaultsTo(noSlots)
        .text("EndMeal", 35)
        .defaultsTo(noSlots);
}

void declareTimedServices(Registry& r) {
    Table& providers = r.table("Providers", "bookings")
                           .id("ProvidersID")
                           .text("ProviderName")
                           .boolean("Gender") // true: female
                           .dbl("Commission")
                           .boolean("AllServices");
    addWeek(providers);
    providers.index({"ProviderName"});

    // StartDate is a date for an exception or "Master" for a named master
    // week, whose name is then kept in EndDate.
    Table& schedules = r.table("ProviderSchedule", "bookings")
                           .id("PScheduleID")
                           .lng("ProvidersID")
                           .text("StartDate")
                           .text("EndDate");
    addWeek(schedules);
    schedules.index({"ProvidersID", "StartDate", "EndDate"});
    // The weeks in force on a day, for every provider at once: past
    // exceptions pile up, the ones still running are few.
    schedules.index({"EndDate", "StartDate"});

    r.table("Services", "bookings")
        .id("ServicesID")
        .text("ServiceName")
        .lng("CategoryID") // lookup list "TService"
        .lng("LocationID") // lookup list "TSVenue"
        .currency("Price")
        .lng("Duration") // minutes
        .index({"CategoryID", "ServiceName"})
        .index({"LocationID"});

    r.table("TimedService", "bookings")
        .id("TimedServiceID")
        .lng("CategoryID")
        .lng("ServicesID")
        .lng("ProviderID")
        .lng("LocationID")
        .lng("LogbookID")
        .defaultsTo(0) // 0 = no logbook entry
        .lng("ProfileID")
        .defaultsTo(0) // 0 = no profile
        .lng("Duration")
        .currency("Price")
        .currency("Gratuity")
        .text("LastName")
        .text("FirstName")
        .text("ReferDate")
        .text("ReferTime")
        .text("Confirmation")
        .text("POSNumber")
        .boolean("Status0")
        .boolean("Status1")
        .boolean("Status2")
        .boolean("Status3")
        .boolean("Status4")
        .index({"ProviderID", "ReferDate", "ReferTime"})
        .index({"LocationID", "ReferDate", "ReferTime"})
        .index({"ServicesID"})
        .index({"ReferDate"})
        .index({"LogbookID"});
}

} // namespace

void declareBookingsTables(Registry& r) {
    declareReservations(r);
    declareTimedServices(r);
}

} // namespace vm::schema
