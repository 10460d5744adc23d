// The reservation service's settings, its restaurants, the entry's mapped
// lines and the checks made before a search is opened.

#include "bookings/OnlineTables.h"

#include "core/AppContext.h"
#include "core/DataAccess.h"
#include "core/Settings.h"
#include "logbook/DesignText.h"
#include "platform/Database.h"

#include <cmath>
#include <limits>

namespace vm {

namespace {

qint64 wholeId(double value) {
    return std::isfinite(value) ? qint64(std::llround(value)) : 0;
}

bool allDigits(const QString& text) {
    for (QChar c : text)
        if (c < '0' || c > '9')
            return false;
    return !text.isEmpty();
}

QString valueUnder(const QString& text, const QString& label) {
    return label.isEmpty() ? QString() : ReadDesignValue(text, label).trimmed();
}

} // namespace

QString GetOpenTableConciergeID(Database& db, const QString& initials) {
    if (initials.isEmpty())
        return {};
    const auto row = db.queryOne("SELECT [OTConciergeID] FROM [Concierge] WHERE [Initials] = ?",
                                 {initials});
    return row ? StoredText(row->text("OTConciergeID")) : QString();
}

OTConfig GetOpenTableA(AppContext& ctx) {
    Database& db = ctx.db();
    OTConfig config;
    config.hotelId = wholeId(GetDoubleSetting(db, "OTHotelID", &ctx.prompt()));
    config.areaId = wholeId(GetDoubleSetting(db, "OTAreaID", &ctx.prompt()));
    // The partner id is kept as text; anything but a whole number means "not set".
    const auto row = db.queryOne("SELECT [OTPartnerID] FROM [Authorization]");
    if (row)
        config.partnerId = StoredText(row->text("OTPartnerID")).toLongLong();
    config.standardHost = GetVmSetting(db, kOTStandardHostKey).trimmed();
    return config;
}

std::optional<OTConfig> GetOpenTableService(AppContext& ctx) {
    OTConfig config = GetOpenTableA(ctx);
    config.conciergeId = GetOpenTableConciergeID(ctx.db(), ctx.session.initials);
    if (config.conciergeId.isEmpty()) {
        ctx.prompt().message("Missing Open Table ID for logged in user.  Please use the "
                             "Concierge Staff panel to set the proper value.",
                             {}, Icon::Exclamation);
        return std::nullopt;
    }
    if (config.hotelId == 0 || config.areaId == 0) {
        ctx.prompt().message("Missing one or more OpenTable configuration elements. Please use "
                             "the Configuration Options panel and ensure all elements have a "
                             "value.",
                             {}, Icon::Exclamation);
        return std::nullopt;
    }
    return config;
}

qint64 GetOTReservationContact(Database& db, qint64 openTableId) {
    if (openTableId <= 0) return 0;
    return db
        .scalar("SELECT [ContactID] FROM [LogBook] WHERE [OpenTableID] = ? ORDER BY [LogID] DESC",
                {openTableId})
        .toLongLong();
}

std::vector<OTRestaurant> GetOpenTables(Database& db) {
    std::vector<OTRestaurant> list;
    db.forEach("SELECT [ContactID], [ContactName], [OTRestaurantID], [OTCuisine], "
               "[OTNeighborhood], [OTPrice], [OTHost] FROM [Contact] "
               "WHERE [OTRestaurantID] > 0 ORDER BY [ContactName]",
               {}, [&](const Row& r) {
                   OTRestaurant t;
                   t.contactId = r.number("ContactID");
                   t.name = r.trimmedText("ContactName");
                   t.restaurantId = r.number("OTRestaurantID");
                   t.cuisine = r.trimmedText("OTCuisine");
                   t.neighborhood = r.trimmedText("OTNeighborhood");
                   t.price = r.trimmedText("OTPrice");
                   t.host = r.trimmedText("OTHost");
                   list.push_back(std::move(t));
                   return true;
               });
    return list;
}

void FillFromContacts(std::vector<OTSearchResult>& results,
                      const std::vector<OTRestaurant>& restaurants) {
    for (OTSearchResult& r : results) {
        r.contactId = 0;
        for (const OTRestaurant& t : restaurants) {
            if (t.restaurantId != r.restaurantId)
                continue;
            r.contactId = t.contactId;
            r.name = t.name;
            r.neighborhood = t.neighborhood;
            r.cuisine = t.cuisine;
            r.price = t.price;
            break;
        }
    }
}

OTLabels GetOTLabels(Database& db) {
    const auto get = [&](const char* name) { return GetTextSetting(db, name).trimmed(); };
    OTLabels l;
    l.name = get("OTName");
    l.number = get("OTNumber");
    l.time = get("OTTime");
    l.phone = get("OTPhone");
    l.resPhone = get("OTResPhone");
    l.notes = get("OTNotes");
    l.confirmation = get("OTConfirmation");
    l.category = get("OTCategory");
    l.metroArea = get("MetroArea");
    return l;
}

OTEntryValues ReadOTEntryValues(const QString& entryText, const OTLabels& labels) {
    OTEntryValues v;
    v.name = valueUnder(entryText, labels.name);
    v.number = valueUnder(entryText, labels.number);
    v.time = valueUnder(entryText, labels.time);
    v.phone = valueUnder(entryText, labels.phone);
    v.resPhone = valueUnder(entryText, labels.resPhone);
    v.notes = valueUnder(entryText, labels.notes);
    v.confirmation = valueUnder(entryText, labels.confirmation);
    return v;
}

QString WriteOTBooking(const QString& entryText, const std::vector<DesignItem>& items,
                       const OTLabels& labels, const OTBooking& booking) {
    const QList<QPair<QString, QString>> mapped = {
        {labels.confirmation, booking.confirmation},
        {labels.time, booking.time},
        {labels.name, booking.restaurant},
        {labels.number, booking.partySize},
        {labels.notes, booking.notes},
    };
    QStringList values;
    bool any = false;
    for (const DesignItem& item : items) {
        QString value; // null: the line stays as it is
        for (const auto& [label, v] : mapped) {
            if (!label.isEmpty() && label.compare(item.labelText.trimmed(), Qt::CaseInsensitive) == 0) {
                value = v.isNull() ? QString("") : v;
                any = true;
                break;
            }
        }
        values.append(value);
    }
    return any ? WriteDesignValues(entryText, items, values) : entryText;
}

SaveOutcome RecordOTBooking(AppContext& ctx, LogEntry& entry, bool cancelledAsLoaded,
                            const std::vector<DesignItem>& items, const OTLabels& labels,
                            const OTBooking& booking) {
    entry.text = WriteOTBooking(entry.text, items, labels, booking);
    // The column is a 32-bit number; a longer or lettered confirmation stays in the text only.
    bool ok = false;
    const qint64 number = booking.confirmation.trimmed().toLongLong(&ok);
    entry.openTableId = ok && number > 0 && number <= std::numeric_limits<qint32>::max() ? number : 0;
    LogbookStore store(ctx);
    if (entry.logId == 0) {
        store.InsertLogBook(entry);
        return SaveOutcome::Saved;
    }
    return store.UpdateLogBook(entry, cancelledAsLoaded);
}

std::optional<OTEntryRequest> CheckOpenTableEntry(AppContext& ctx, const LogEntry& entry) {
    Prompt& prompt = ctx.prompt();
    const auto refuse = [&](const QString& text, const QString& title = {}) {
        prompt.message(text, title, Icon::Exclamation);
        return std::nullopt;
    };
    if (entry.cancelled)
        return refuse("This Reservation has been cancelled.  Cannot go to Open Table.");
    if (GetOpenTableConciergeID(ctx.db(), ctx.session.initials).isEmpty())
        return refuse("Your Open Table ID has not been recorded.   Please use the "
                      "Administration/Concierge Staff feature to add your Open Table ID and try "
                      "again.");
    const OTConfig config = GetOpenTableA(ctx);
    const QString notMember = "Your Property is not configured as a Open Table member.   Please "
                              "use the Administration/Interface Options panel to add your ";
    if (config.hotelId == 0)
        return refuse(notMember + "Hotel Open Table ID and try again.");
    if (config.areaId == 0)
        return refuse(notMember + "Metropolitan Area Number and try again.");

    const OTLabels labels = GetOTLabels(ctx.db());
    if (labels.name.isEmpty())
        return refuse("There is no data entry element defined for the Restaurant Name.  Please "
                      "use the Configuration Options panel to define how we will interface with "
                      "Open Table.");
    OTEntryRequest request;
    request.values = ReadOTEntryValues(entry.text, labels);
    if (request.values.name.isEmpty())
        return refuse("Please enter the name of the Restaurant.");
    request.restaurant = request.values.name;

    const QString party = request.values.number;
    if (party.isEmpty())
        return refuse("Please enter the number of persons in the party.");
    if (!allDigits(party))
        return refuse("The number of persons in the party must be Numbers ONLY.");
    bool ok = false;
    request.partySize = party.toInt(&ok);
    if (!ok || request.partySize < 1 || request.partySize > 20)
        return refuse(
            "The number of persons in the party must be in the range of from 1 through 20.");

    if (request.values.time.isEmpty())
        return refuse("Please enter the requested reservation time.");
    const auto time = NormaliseOTTime(request.values.time);
    if (!time)
        return refuse("Please enter a valid time for the reservation.  The preferred format is "
                      "HH:MM am/pm.  Thank you.",
                      kOTTitleOops);
    request.time = *time;
    return request;
}

} // namespace vm
