// Guest profiles (indicators, contact history, stored cards), the contact
// directory, groups and events of a generated property.

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "demo/BulkLoad.h"
#include "demo/PropertyGenerator.h"
#include "demo/Words.h"
#include "guests/Profiles.h"
#include "security/CardStore.h"

#include <QDateTime>

namespace vm::demo {

using namespace words;

namespace {

struct IndicatorPool {
    const char* type;
    double share; // of the profiles that have one
    QStringList values;
};
const QList<IndicatorPool> Indicators = {
    {"Pillow", 0.30, {"Feather", "Foam", "Buckwheat", "Extra firm"}},
    {"Newspaper", 0.40, {"Times", "Financial", "Le Monde", "Herald", "None"}},
    {"Allergy", 0.08, {"Shellfish", "Peanuts", "Gluten", "Dairy", "Feathers", "Latex"}},
    {"Drink", 0.25, {"Still Water", "Sparkling Water", "Champagne", "Green Tea", "Espresso"}},
    {"Room", 0.30, {"High floor", "Quiet side", "Sea view", "Near elevator", "Twin beds"}},
    {"Spouse Name", 0.15, {"Alex", "Sam", "Pat", "Chris", "Robin", "Jamie"}},
};
template <size_t N> QString pick(const char* const (&list)[N], QRandomGenerator& rng) {
    return QString::fromUtf8(list[rng.bounded(int(N))]);
}
QString pick(const QStringList& list, QRandomGenerator& rng) {
    return list[int(rng.bounded(qsizetype(list.size())))];
}

const QStringList ContactTypes = {"Phone", "Email", "Letter", "Visit"};
const QStringList ContactResults = {"", "Booked", "No Answer", "Declined", "Sent"};

const QStringList Cities = {"Boston", "Chicago", "Denver",  "Seattle", "London",
                            "Paris",  "Munich",  "Toronto", "Sydney",  "Zurich"};
const QStringList States = {"MA", "IL", "CO", "WA", " ", " ", " ", "ON", "NSW", " "};

// The directory's vocabulary: names are a word and a kind, keywords from a
// small list, addresses on a few streets.
const QStringList Keywords = {
    "Dinner",    "Lunch",   "Breakfast", "Italian",  "French", "Seafood",   "Steakhouse",
    "Sushi",     "Bar",     "Wine",      "Shopping", "Spa",    "Museum",    "Theatre",
    "Tours",     "Golf",    "Florist",   "Pharmacy", "Doctor", "Dentist",   "Car Rental",
    "Limousine", "Taxi",    "Bakery",    "Cafe",     "Jazz",   "Nightclub", "Gallery",
    "Bookstore", "Jeweler", "Tailor",    "Salon",    "Gym",    "Yoga",      "Kids",
    "Zoo",       "Park",    "Beach",     "Boating",  "Fishing"};
const QStringList ContactWords = {"Harbour", "Golden",  "Blue",     "Olive",   "Cedar",   "Maple",
                                  "Royal",   "Silver",  "Corner",   "Garden",  "Union",   "Market",
                                  "Bridge",  "River",   "Summit",   "Lantern", "Anchor",  "Copper",
                                  "Willow",  "Granite", "Crescent", "Orchard", "Pioneer", "Beacon"};
const QStringList ContactKinds = {"Grill",  "Bistro", "Tavern", "House",  "Kitchen", "Shop",
                                  "Studio", "Lounge", "Market", "Clinic", "Gallery", "Cafe"};
const QStringList Streets = {"Main St",  "Pier Rd",   "Elm St",    "Oak Ave",  "Harbor Blvd",
                             "Park Ave", "Market St", "Union Sq",  "Cedar Ln", "Bay St",
                             "State St", "Water St",  "Church St", "High St",  "Mill Rd",
                             "Lake Dr",  "Hill Rd",   "Court St",  "Front St", "King St"};

// Every word with every kind once, then again with a number.
QString contactName(int i) {
    const int w = int(ContactWords.size()), k = int(ContactKinds.size());
    const QString name = ContactWords[i % w] + " " + ContactKinds[(i / w) % k];
    return i < w * k ? name : name + " " + QString::number(i / (w * k) + 1);
}

// A large directory spreads over many towns.
QString contactCity(int count, QRandomGenerator& rng) {
    if (count <= 1000) return pick(Cities, rng);
    const int i = int(rng.bounded(200));
    return "City " + QString(QChar('A' + i % 26)) + QString::number(i / 26 + 1);
}

const QStringList EventTypes = {"Concert", "Theatre", "Festival",  "Exhibition",
                                "Sports",  "Family",  "Nightlife", "Tour"};

QString lastName(QRandomGenerator& rng) {
    if (rng.bounded(100) < 35) return pick(Heads, rng) + pick(Middles, rng) + pick(Tails, rng);
    return pick(CommonLastNames, rng);
}

// A 16-digit number that passes the Luhn check.
QString cardNumber(QRandomGenerator& rng) {
    QString digits = "4";
    for (int i = 0; i < 14; ++i)
        digits += QChar('0' + rng.bounded(10));
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        int d = digits[14 - i].digitValue();
        if (i % 2 == 0) d = d * 2 > 9 ? d * 2 - 9 : d * 2;
        sum += d;
    }
    return digits + QChar('0' + (10 - sum % 10) % 10);
}

} // namespace

void PropertyGenerator::profiles() {
    BulkLoad(m_ctx.db(), {"Profile", "ProfilePI", "ProfileCH", "ProfileCC"}, [&] {
        Database& db = m_ctx.db();
        QRandomGenerator rng = rngFor(1);
        int sequence = 10;
        for (const IndicatorPool& i : Indicators) {
            IndicatorType t;
            t.name = i.type;
            t.sequence = sequence += 10;
            t.hint = " ";
            AddIndicatorType(m_ctx, t);
        }
        m_profileIds.clear();
        const int cardEvery =
            m_size.storedCards > 0 ? std::max(1, m_size.profiles / m_size.storedCards) : 0;
        int cards = 0;
        constexpr int batch = 5000;
        for (int from = 0; from < m_size.profiles; from += batch) {
            db.transaction([&] {
                for (int n = from; n < std::min(m_size.profiles, from + batch); ++n) {
                    Profile p;
                    p.firstName = pick(FirstNames, rng);
                    p.lastName = lastName(rng);
                    p.salutation = QStringList{"Mr.", "Ms.", "Dr.", " "}[n % 4];
                    const int city = int(rng.bounded(qsizetype(Cities.size())));
                    p.home.line1 = QString::number(1 + rng.bounded(999)) + " " + pick(Streets, rng);
                    p.home.city = Cities[city];
                    p.home.state = States[city];
                    p.home.postalCode = QString("%1").arg(rng.bounded(99999), 5, 10, QChar('0'));
                    p.email = p.firstName.toLower() + "." + QString::number(n + 1) + "@example.com";
                    p.homePhone = QString("(617) 555-%1").arg(n % 10000, 4, 10, QChar('0'));
                    p.profileType = pick(ProfileTypes, rng).trimmed();
                    p.colorCode = p.profileType == "VIP";
                    if (p.colorCode) p.color = ProfileColorGreen;
                    p.groupId = !m_groupIds.isEmpty() && n % 25 == 0
                                    ? m_groupIds[n % m_groupIds.size()]
                                    : 0;
                    p.notes = n % 7 == 0 ? "Prefers to be called by first name." : QString();
                    const qint64 id = InsertProfile(m_ctx, p);
                    m_profileIds << id;
                    for (const IndicatorPool& i : Indicators)
                        if (rng.generateDouble() < i.share)
                            InsertProfilePI(m_ctx, id, i.type, pick(i.values, rng));
                    const int history = int(rng.bounded(4));
                    for (int h = 0; h < history; ++h)
                        InsertProfileCH(m_ctx, id, m_today.addDays(-int(rng.bounded(1100))),
                                        pick(ContactTypes, rng), pick(ContactResults, rng));
                    if (cardEvery && n % cardEvery == 0 && cards < m_size.storedCards) {
                        ProfileCard card;
                        card.profileId = id;
                        card.cardType = "Visa";
                        card.number = cardNumber(rng);
                        card.expires = QString("%1/%2")
                                           .arg(1 + rng.bounded(12), 2, 10, QChar('0'))
                                           .arg(m_today.year() % 100 + 1 + rng.bounded(4));
                        if (InsertProfileCC(m_ctx, card) == 0)
                            throw std::runtime_error("a stored card could not be encrypted");
                        ++cards;
                    }
                }
            });
            step("Profiles", std::min(m_size.profiles, from + batch), m_size.profiles);
        }
    });
}

void PropertyGenerator::contacts() {
    BulkLoad(m_ctx.contactsDb(), {"Contact"}, [&] {
        Database& db = m_ctx.contactsDb();
        QRandomGenerator rng = rngFor(2);
        m_contactIds.clear();
        db.transaction([&] {
            for (int i = 0; i < 20; ++i)
                db.exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)",
                        {"Area", "Area " + QString::number(i + 1)});
            for (const QString& k : Keywords)
                db.exec("INSERT INTO [Keyword] ([Keyword]) VALUES (?)", {k});
            for (int i = 0; i < m_size.contacts; ++i) {
                QStringList keys;
                const int n = 1 + int(rng.bounded(3));
                while (keys.size() < n) {
                    const QString k = pick(Keywords, rng);
                    if (!keys.contains(k)) keys << k;
                }
                const QString day = Formats::StoredDate(m_today.addDays(-int(rng.bounded(700))));
                m_contactIds << db.insert(
                    "INSERT INTO [Contact] ([ContactName], [NickName], [Address], [CrossStreets], "
                    "[City], [State], [Country], [PostalCode], [Affiliation], [KeywordSet], "
                    "[CommissionType], [DocumentLink], [Rating], [Ranking], [Proximity], "
                    "[PublicPrivate], [Commissionable], [IsReserved], [IsClosed], [GraphicFile], "
                    "[GuestInfo], [EnteredBy], [EntryDate], [EntryTime], [LUInitials], "
                    "[UpdateDate], [OTRestaurantID]) VALUES (?, ?, ?, ' ', ?, ?, ' ', ?, ?, ?, ?, "
                    "?, "
                    "?, ?, ?, ?, ?, ?, ?, ' ', ' ', ?, ?, '09:00', ?, ?, ?)",
                    {contactName(i),
                     QString("(617) 555-%1").arg(i % 10000, 4, 10, QChar('0')),
                     QString::number(1 + rng.bounded(999)) + " " + pick(Streets, rng),
                     contactCity(m_size.contacts, rng),
                     "MA",
                     QString("02%1").arg(rng.bounded(1000), 3, 10, QChar('0')),
                     "Dining",
                     keys.join(", "),
                     rng.bounded(10) < 9 ? "0" : "1",
                     "Area " + QString::number(1 + rng.bounded(20)),
                     int(rng.bounded(6)),
                     int(rng.bounded(5)),
                     QString::number(rng.bounded(30)) + " blocks",
                     rng.bounded(50) == 0,
                     rng.bounded(3) == 0,
                     rng.bounded(20) == 0,
                     rng.bounded(40) == 0,
                     m_staffNames.value(0, " "),
                     day,
                     m_staffInitials.value(0, " "),
                     day,
                     rng.bounded(25) == 0 ? qint64(1000 + i) : qint64(0)},
                    "ContactID");
                if ((i + 1) % 5000 == 0) step("Contacts", i + 1, m_size.contacts);
            }
        });
        step("Contacts", m_size.contacts, m_size.contacts);
    });
}

void PropertyGenerator::groups() {
    Database& db = m_ctx.db();
    QRandomGenerator rng = rngFor(3);
    const QStringList kinds = {"Wedding",        "Medical Congress", "Sales Meeting",
                               "Incentive Trip", "Reunion",          "Film Crew"};
    m_groupIds.clear();
    db.transaction([&] {
        for (int g = 0; g < m_size.groups; ++g) {
            // The first groups are in house today; the rest spread over the years.
            const QDate arrival = g < 3 ? m_today.addDays(-g)
                                        : m_today.addDays(-int(rng.bounded(m_size.logbookDays)));
            const QDate departure = arrival.addDays(2 + g % 5);
            m_groupIds << db.insert(
                "INSERT INTO [Group] ([GroupName], [Attendees], [ArrivalDate], "
                "[DepartureDate], [GroupMgr], [SalesMgr], [MeetingPlanner], [GroupContact], "
                "[Notes]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                {pick(CommonLastNames, rng) + " " + kinds[g % kinds.size()] +
                     (m_size.groups > 50 ? " " + QString::number(g + 1) : QString()),
                 10 + int(rng.bounded(190)), Formats::StoredDate(arrival),
                 Formats::StoredDate(departure), m_staffNames.value(0, " "),
                 pick(FirstNames, rng) + " " + pick(CommonLastNames, rng),
                 pick(FirstNames, rng) + " " + pick(CommonLastNames, rng), " ",
                 "Welcome amenity on arrival."},
                "GroupID");
        }
    });
    step("Groups", m_size.groups, m_size.groups);
}

void PropertyGenerator::events() {
    BulkLoad(m_ctx.eventsDb(), {"Event"}, [&] {
        Database& db = m_ctx.eventsDb();
        QRandomGenerator rng = rngFor(4);
        const QString sql =
            "INSERT INTO [Event] ([EventName], [StartingDate], [ThroughDate], "
            "[EventTime], [Location], [Telephone], [LowPrice], [HighPrice], [Dark], "
            "[PrintOnList], [EventType], [EnteredBy], [EntryDate], [EntryTime], "
            "[LUInitials], [UpdateDate]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
            "?, ?, ?, ?)";
        const int back = m_size.eventDays * 2 / 3;
        db.transaction([&] {
            for (const QString& t : EventTypes)
                db.exec("INSERT INTO [EventType] ([EventType]) VALUES (?)", {t});
            for (int i = 0; i < m_size.events; ++i) {
                // Two thirds of the window back, one ahead; one in twenty continuous,
                // two in five for one day.
                const QDate start =
                    m_today.addDays(int(rng.bounded(std::max(1, m_size.eventDays))) - back);
                const int kind = int(rng.bounded(20));
                const QVariant starting = kind == 0 ? QVariant(QMetaType(QMetaType::QString))
                                                    : QVariant(Formats::StoredDate(start));
                const QString through =
                    kind < 9 ? QString(" ")
                             : Formats::StoredDate(start.addDays(int(rng.bounded(1, 45))));
                const double low = double(rng.bounded(100));
                const QString type = pick(EventTypes, rng);
                db.exec(sql,
                        {type + " at the " + ContactWords[i % ContactWords.size()] + " Hall " +
                             QString::number(i + 1),
                         starting, through, "8:00 PM", "Venue " + QString::number(rng.bounded(60)),
                         "555-0100", low, low + double(rng.bounded(50)), " ", rng.bounded(10) != 0,
                         type, m_staffNames.value(0, " "), Formats::StoredDate(start.addDays(-30)),
                         "10:00", m_staffInitials.value(0, " "),
                         Formats::StoredDate(start.addDays(-30))});
            }
        });
        step("Events", m_size.events, m_size.events);
    });
}

} // namespace vm::demo
