#include "bookings/DaySheet.h"

#include "bookings/BookingTimes.h"
#include "bookings/TsBookings.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/LongText.h"

#include <QHash>
#include <algorithm>

namespace vm {

namespace {

const QColor OwnColor(0xFF, 0xFF, 0xC0);   // a booking of the sheet's own provider, meal rows
const QColor OtherColor(0xE0, 0xE0, 0xE0); // a booking of another provider

// A booking of the day with the minute it starts (-1 when its time is none).
struct SheetBooking : TsBooking {
    int start = -1;
};

// Names looked up once per sheet.
class NameCache {
public:
    explicit NameCache(AppContext& ctx) : m_ctx(ctx) {}
    QString category(qint64 id) {
        return cached(m_categories, id, [&] { return TsCategoryName(m_ctx, id); });
    }
    QString location(qint64 id) {
        return cached(m_locations, id, [&] { return TsLocationName(m_ctx, id); });
    }
    QString provider(qint64 id) {
        return cached(m_providers, id, [&] { return GetProviderName(m_ctx, id); });
    }
    QString service(qint64 id) {
        return cached(m_services, id, [&] {
            const auto s = GetService(m_ctx, id);
            return s ? s->name : QString();
        });
    }

private:
    template <class F> QString cached(QHash<qint64, QString>& map, qint64 id, F look) {
        auto it = map.constFind(id);
        if (it != map.constEnd()) return *it;
        return map.insert(id, StoredText(look())).value();
    }
    AppContext& m_ctx;
    QHash<qint64, QString> m_categories, m_locations, m_providers, m_services;
};

std::vector<SheetBooking> readBookings(Database& db, SheetKind kind, const QString& day,
                                       qint64 providerId, qint64 locationId) {
    QString where;
    QVariantList params;
    switch (kind) {
    case SheetKind::Provider:
        where = "[ProviderID] = ? AND [ReferDate] = ?";
        params = {providerId, day};
        break;
    case SheetKind::Location:
        where = "[LocationID] = ? AND [ReferDate] = ?";
        params = {locationId, day};
        break;
    case SheetKind::Combined:
        where = "[ReferDate] = ? AND ([ProviderID] = ? OR [LocationID] = ?)";
        params = {day, providerId, locationId};
        break;
    }
    const std::vector<Row> rows = db.query("SELECT * FROM [TimedService] WHERE " + where, params);
    // The instructions of all of them at once, in their pieces' order.
    QHash<qint64, QString> instructions;
    for (const Row& r : db.query("SELECT [EvConKey], [NoteField] FROM [EvConText] WHERE "
                                 "[EvConType] = ? AND [EvConKey] IN (SELECT [TimedServiceID] "
                                 "FROM [TimedService] WHERE " +
                                     where + ") ORDER BY [EvConKey], [Sequence]",
                                 QVariantList{TextKind::BookingInstructions} + params))
        instructions[r.number("EvConKey")] += r.text("NoteField");
    std::vector<SheetBooking> out;
    out.reserve(rows.size());
    for (const Row& r : rows) {
        SheetBooking b;
        static_cast<TsBooking&>(b) = TsBookingFromRow(r);
        b.start = SlotMinute(b.referTime);
        b.instructions = instructions.value(b.id);
        out.push_back(std::move(b));
    }
    // Stored times are "hh:mm AM" text, whose order is not the day's order.
    std::stable_sort(out.begin(), out.end(), [](const SheetBooking& a, const SheetBooking& b) {
        return a.start != b.start ? a.start < b.start : a.id < b.id;
    });
    return out;
}

} // namespace

int TsSlotCount(int minutes) {
    return std::max(1, RoundHalfEven(minutes / double(TsSlotMinutes)));
}

int DaySheet::rowOf(const QString& time) const {
    const int minute = SlotMinute(time);
    if (minute < 0) return -1;
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].minute == minute) return int(i);
    return -1;
}

QStringList TsBookingLines(const QString& firstName, const QString& lastName,
                           const QString& category, const QString& service, const QString& provider,
                           const QString& location, double price, double gratuity,
                           const QString& instructions) {
    QStringList lines{firstName + " " + lastName, category + ": " + service,
                      provider + ": " + location,
                      "Price:  " + Formats::FormatNumber(price, "#.00") +
                          ",   Gratuity = " + Formats::FormatNumber(gratuity, "#.00")};
    // A row shows one line: the instructions' own line breaks become blanks.
    QString text = instructions.trimmed();
    text.replace("\r\n", " ").replace('\n', ' ').replace('\r', ' ');
    if (!text.isEmpty()) lines << text;
    return lines;
}

DaySheet BuildDaySheet(AppContext& ctx, SheetKind kind, const QDate& day, qint64 providerId,
                       qint64 locationId) {
    DaySheet sheet;
    sheet.kind = kind;
    sheet.day = day;
    sheet.providerId = providerId;
    sheet.locationId = locationId;
    if (!day.isValid()) return sheet;

    // Rows of 10 minutes from the earliest start; the last one starts 10
    // minutes before the latest end.
    const auto [earliest, latest] = GetTimedServiceHours(ctx, day);
    const int first = earliest - TsSlotMinutes;
    const int count = RoundHalfEven((latest - first) / double(TsSlotMinutes));
    for (int k = 1; k < count; ++k) {
        SheetRow row;
        row.minute = first + k * TsSlotMinutes;
        if (row.minute >= 24 * 60) break;
        row.time = SlotText(row.minute);
        sheet.rows.push_back(row);
    }

    if (kind == SheetKind::Provider) {
        const TsDay d = GetProviderScheduleForDate(ctx, providerId, day).day(WeekdayNumber(day));
        if (d.hasMeal())
            for (SheetRow& row : sheet.rows)
                if (row.minute >= d.mealStart && row.minute <= d.mealEnd) {
                    row.text = MealBreakText;
                    row.state = SlotState::Meal;
                    row.color = OwnColor;
                }
    }

    NameCache names(ctx);
    for (const SheetBooking& b :
         readBookings(ctx.db(), kind, Formats::StoredDate(day), providerId, locationId)) {
        const int at = sheet.rowOf(b.referTime);
        if (b.start < 0) {
            // A stored time that is no time: nothing to place, but it is said.
            sheet.outside << b.referTime + "  " + b.firstName + " " + b.lastName;
            continue;
        }
        if (at < 0) sheet.outside << SlotText(b.start) + "  " + b.firstName + " " + b.lastName;

        // A location sheet shown without a provider treats every booking as its own.
        const bool own =
            b.providerId == providerId || (kind == SheetKind::Location && providerId == 0);
        const QStringList lines =
            TsBookingLines(b.firstName, b.lastName, names.category(b.categoryId),
                           names.service(b.serviceId), names.provider(b.providerId),
                           names.location(b.locationId), b.price, b.gratuity, b.instructions);

        // The rows the booking covers, wherever it starts: a row is covered
        // when its 10 minutes meet the booking's.
        const int end = b.start + TsSlotCount(b.duration) * TsSlotMinutes;
        int line = 0;
        for (SheetRow& row : sheet.rows) {
            if (row.minute + TsSlotMinutes <= b.start || row.minute >= end) continue;
            row.state = own ? SlotState::Booking : SlotState::OtherProvider;
            row.bookingId = b.id;
            row.color = own ? OwnColor : OtherColor;
            row.text = line < lines.size() ? lines.at(line) : QString();
            ++line;
        }
    }
    return sheet;
}

QString CheckSlotChoice(const DaySheet& sheet, int row, int minutes) {
    if (row < 0 || row >= int(sheet.rows.size())) return MsgSlotNotFullDuration;
    if (sheet.rows[size_t(row)].state == SlotState::OtherProvider) return MsgSlotOtherProvider;
    const int n = TsSlotCount(minutes);
    if (row + n > int(sheet.rows.size())) return MsgSlotNotFullDuration;
    for (int k = row; k < row + n; ++k)
        if (sheet.rows[size_t(k)].state != SlotState::Free) return MsgSlotNotFullDuration;
    return {};
}

} // namespace vm
