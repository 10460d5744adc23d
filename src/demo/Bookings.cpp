// Reservation lists and timed services of a generated property, booked for
// the coming weeks.

#include "bookings/BookingTimes.h"
#include "bookings/DaySheet.h"
#include "bookings/Reservations.h"
#include "core/Formats.h"
#include "demo/PropertyGenerator.h"
#include "demo/Words.h"

#include <utility>
#include <vector>

namespace vm::demo {

using namespace words;

namespace {

QString everyDay(const QString& slot) {
    return slot.repeated(7);
}

QString guestName(QRandomGenerator& rng) {
    return QString::fromUtf8(CommonLastNames[rng.bounded(int(std::size(CommonLastNames)))]) + ", " +
           QString::fromUtf8(FirstNames[rng.bounded(int(std::size(FirstNames)))]);
}

} // namespace

void PropertyGenerator::bookings() {
    Database& db = m_ctx.db();
    QRandomGenerator rng = rngFor(6);
    const qint64 member =
        db.scalar("SELECT MIN([ConciergeID]) FROM [Concierge] WHERE [Concierge] = ?",
                  {m_staffNames.value(0, " ")})
            .toLongLong();

    // Two reservation lists: tennis courts by the half hour, and the beach
    // cabanas for the day.
    ResCategory courts;
    courts.category = "Tennis Courts";
    courts.kind = ResListKind::Timed;
    courts.intervalIndex = 3; // 30 minutes
    courts.dayOfWeek = "SunMonTueWedThuFriSat";
    courts.availableFrom = "08:00 AM";
    courts.availableThrough = "08:00 PM";
    ResCategory cabanas;
    cabanas.category = "Beach Cabanas";
    cabanas.kind = ResListKind::Items;
    cabanas.dayOfWeek = "SunMonTueWedThuFriSat";
    cabanas.columnHeader = "Cabana";
    const QStringList courtNames = {"Court 1", "Court 2", "Court 3"};
    QStringList cabanaNames;
    for (int i = 1; i <= 8; ++i)
        cabanaNames << "Cabana " + QString::number(i);
    db.transaction([&] {
        SaveResType(m_ctx, courts);
        SaveResType(m_ctx, cabanas);
        using Listed = std::pair<ResCategory*, const QStringList*>;
        for (const auto& [list, names] :
             {Listed{&courts, &courtNames}, Listed{&cabanas, &cabanaNames}}) {
            int seq = 0;
            for (const QString& name : *names) {
                ResItem item;
                item.resTypeId = list->id;
                item.sequence = ++seq;
                item.itemName = name;
                SaveResItem(m_ctx, *list, item);
            }
        }
        const QStringList slotTexts = ResSlots(courts);
        const QString sql = "INSERT INTO [Reservation] ([ResTypeID], [ReservationDate], "
                            "[ReservationFor], [ListItem], [Price], [AvailableHere], "
                            "[AvailableFrom], [AvailableThrough], [ConciergeID]) VALUES (?, ?, "
                            "?, ?, ?, ?, ?, ?, ?)";
        for (int d = 0; d < m_size.bookingDays; ++d) {
            const QString day = Formats::StoredDate(m_today.addDays(d));
            // Each court is booked for a few hours of the day, an hour at a time.
            for (const QString& court : courtNames)
                for (int s = 0; s + 1 < slotTexts.size(); s += 2)
                    if (rng.bounded(100) < 35) {
                        const QString name = guestName(rng);
                        for (int k = s; k < s + 2; ++k)
                            db.insert(sql,
                                      {courts.id, day, name, court, 20.0, slotTexts[k],
                                       slotTexts[s], slotTexts[s + 1], member},
                                      "ReservationID");
                    }
            for (const QString& cabana : cabanaNames)
                if (rng.bounded(100) < 50)
                    db.insert(sql,
                              {cabanas.id, day, guestName(rng), QString(" "), 75.0, cabana, cabana,
                               QString(" "), member},
                              "ReservationID");
        }
    });
    step("Reservations", 1, 1);

    // Timed services: the spa's treatments, its therapists and their days.
    db.transaction([&] {
        const QStringList categoryNames = {"Massage", "Facial", "Hair"};
        const QStringList roomNames = {"Treatment Room 1", "Treatment Room 2", "Salon"};
        QList<qint64> categories, locations;
        for (const QString& c : categoryNames)
            categories << db.insert("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)",
                                    {"TService", c}, "OtherID");
        for (const QString& r : roomNames)
            locations << db.insert("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)",
                                   {"TSVenue", r}, "OtherID");
        struct Svc {
            qint64 id, category, location;
            int minutes;
            double price;
        };
        const QList<std::tuple<QString, int, int>> offered = {
            {"Swedish Massage", 0, 60}, {"Deep Tissue Massage", 0, 90}, {"Hot Stone", 0, 60},
            {"Classic Facial", 1, 50},  {"Express Facial", 1, 30},      {"Cut and Style", 2, 60},
            {"Blow Dry", 2, 30}};
        std::vector<Svc> services;
        for (const auto& [name, category, minutes] : offered) {
            Svc s{0, categories[category], locations[category], minutes, 40.0 + minutes};
            s.id = db.insert("INSERT INTO [Services] ([ServiceName], [CategoryID], [LocationID], "
                             "[Price], [Duration]) VALUES (?, ?, ?, ?, ?)",
                             {name, s.category, s.location, s.price, s.minutes}, "ServicesID");
            services.push_back(s);
        }
        const QStringList therapists = {"Lena Ortiz", "Marco Bellini", "Sun Hee Park",
                                        "Tomas Varga"};
        QList<qint64> providers;
        for (int i = 0; i < therapists.size(); ++i)
            providers << db.insert(
                "INSERT INTO [Providers] ([ProviderName], [Gender], [Commission], [AllServices], "
                "[WorkSchedule], [StartArray], [EndArray], [StartMeal], [EndMeal]) VALUES (?, ?, "
                "?, ?, ?, ?, ?, ?, ?)",
                {therapists[i], i % 2 == 1, 10.0, true, "1111111", everyDay("09:00"),
                 everyDay("19:00"), everyDay("12:00"), everyDay("12:30")},
                "ProvidersID");
        // Each therapist's day is filled from nine on, around the meal, with gaps.
        for (int d = 0; d < m_size.bookingDays; ++d) {
            const QString date = Formats::StoredDate(m_today.addDays(d));
            for (qint64 p : providers) {
                int at = 9 * 60;
                while (true) {
                    const Svc& s = services[size_t(rng.bounded(int(services.size())))];
                    if (at < 12 * 60 + 30 && at + s.minutes > 12 * 60) at = 12 * 60 + 30;
                    if (at + s.minutes > 18 * 60) break;
                    if (rng.bounded(100) < 60)
                        db.insert(
                            "INSERT INTO [TimedService] ([CategoryID], [ServicesID], "
                            "[ProviderID], [LocationID], [LogbookID], [ProfileID], "
                            "[Duration], [Gratuity], [Price], [LastName], [FirstName], "
                            "[ReferDate], [ReferTime], [Confirmation], [POSNumber], "
                            "[Status0], [Status1], [Status2], [Status3], [Status4]) VALUES "
                            "(?, ?, ?, ?, 0, 0, ?, 5, ?, ?, ?, ?, ?, ' ', ' ', ?, ?, ?, ?, "
                            "?)",
                            {s.category, s.id, p, s.location, s.minutes, s.price,
                             QString::fromUtf8(
                                 CommonLastNames[rng.bounded(int(std::size(CommonLastNames)))]),
                             QString::fromUtf8(FirstNames[rng.bounded(int(std::size(FirstNames)))]),
                             date, SlotText(at), false, false, false, false, false},
                            "TimedServiceID");
                    at += TsSlotCount(s.minutes) * TsSlotMinutes + 10 * int(rng.bounded(3));
                }
            }
        }
    });
    step("Timed services", 1, 1);
}

} // namespace vm::demo
