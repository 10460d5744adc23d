#include "RecordsData.h"

#include "core/AppContext.h"
#include "core/Formats.h"
#include "demo/PropertyGenerator.h"
#include "logbook/EntryRules.h"
#include "platform/Database.h"

#include <QStringList>
#include <algorithm>

namespace vm::bench {

void GenerateRecords(AppContext& ctx) {
    demo::PropertyGenerator generator(ctx, demo::PropertySize::Decade());
    generator.staff();
    generator.groups();
    generator.bookings();
    AddRecordDetails(ctx.db());
}

void AddRecordDetails(Database& db) {
    const QStringList times = {FormatReferTime("8:00 AM").value, FormatReferTime("10:30 AM").value,
                               FormatReferTime("2:00 PM").value, FormatReferTime("7:00 PM").value};
    const QStringList functions = {"Breakfast Briefing", "General Session", "Workshop", "Dinner"};
    db.transaction([&] {
        const auto groups = db.query("SELECT [GroupID], [ArrivalDate], [DepartureDate] FROM "
                                     "[Group] ORDER BY [GroupID]");
        for (const Row& g : groups) {
            const QDate arrival = Formats::ParseStoredDate(g.text("ArrivalDate").trimmed());
            const QDate departure = Formats::ParseStoredDate(g.text("DepartureDate").trimmed());
            if (!arrival.isValid()) continue;
            const int nights = std::max<qint64>(1, arrival.daysTo(departure));
            for (int m = 0; m < MeetingsPerGroup; ++m)
                db.exec("INSERT INTO [GroupSchedule] ([GroupID], [MeetingDate], [MeetingTime], "
                        "[EndTime], [Function], [Venue]) VALUES (?, ?, ?, ?, ?, ?)",
                        {g.number("GroupID"), Formats::StoredDate(arrival.addDays(m % nights)),
                         times[m], " ", functions[m], "Ballroom " + QString::number(1 + m % 3)});
        }
        // The lists with bookings (rental categories share the table).
        const auto lists = db.query("SELECT [ResTypeID] FROM [ResType] WHERE [ResTypeID] IN "
                                    "(SELECT [ResTypeID] FROM [Reservation]) ORDER BY "
                                    "[ResTypeID]");
        for (const Row& l : lists) {
            const qint64 list = l.number("ResTypeID");
            for (int d = 0; d < RecordDays; ++d) {
                const QString day = Formats::StoredDate(Today.addDays(d));
                for (int w = 0; w < WaitListPerDay; ++w)
                    db.exec("INSERT INTO [ResWaitList] ([ResTypeID], [RequestedDate], "
                            "[RequestedBy], [HowToContact]) VALUES (?, ?, ?, ?)",
                            {list, day, "Guest " + QString::number(d * WaitListPerDay + w),
                             "Room " + QString::number(100 + (d + w) % 400)});
                db.exec("INSERT INTO [ResTrackUn] ([ResTypeID], [RequestedDate], "
                        "[RequestCount]) VALUES (?, ?, ?)",
                        {list, day, 1 + (d + int(list)) % 6});
            }
        }
    });
}

} // namespace vm::bench
