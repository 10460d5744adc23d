#include "demo/PropertyGenerator.h"

#include <algorithm>

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Staff.h"
#include "demo/BulkLoad.h"
#include "demo/Words.h"
#include "desk/Messages.h"
#include "logbook/Categories.h"
#include "logbook/Designs.h"
#include "platform/PasswordHash.h"

#include <QDateTime>
#include <stdexcept>

namespace vm::demo {

using namespace words;

namespace {

// Categories whose entries carry a designed first block of lines.
struct DesignOf {
    const char* category;
    QList<const char*> labels;
};
const QList<DesignOf> Designs = {
    {"Restaurant Reservation", {"Restaurant:", "Party of:", "Time:", "Confirmation:"}},
    {"Transportation", {"Pick-up:", "Destination:", "Vehicle:", "Passengers:"}},
    {"Spa Appointment", {"Treatment:", "Therapist:", "Duration:"}},
    {"Theatre Tickets", {"Show:", "Seats:", "Pick-up:"}},
    {"Tour Booking", {"Tour:", "Meeting point:", "Guests:"}},
    {"Golf Tee Time", {"Course:", "Players:", "Carts:"}},
    {"Limousine", {"Pick-up:", "Destination:", "Driver:"}},
};

const QString ManagerPassword = QStringLiteral("Manager26");
const QString DeskPassword = QStringLiteral("Desk2026");

} // namespace

PropertySize PropertySize::Demo() {
    return PropertySize{};
}

PropertySize PropertySize::Decade() {
    PropertySize s;
    s.staff = 25;
    s.logbookEntries = 1'000'000;
    s.logbookDays = 3653;
    s.profiles = 200'000;
    s.contacts = 50'000;
    s.storedCards = 100'000;
    s.bookingDays = 365;
    s.lostAndFound = 100'000;
    s.messages = 100'000;
    s.groups = 2'000;
    s.events = 5'000;
    s.eventDays = 1095;
    s.keys = 5'000;
    s.keyEmployees = 500;
    s.keyLoans = 200'000;
    s.rentals = 3'000;
    return s;
}

QList<DemoLogon> PropertyGenerator::Logons(int staffCount) {
    QList<DemoLogon> out;
    const int n = std::min<int>(staffCount, int(std::size(Staff)));
    for (int i = 0; i < n; ++i) {
        const QString name = Staff[i][0];
        DemoLogon l;
        l.name = name;
        l.logon = name.section(' ', 0, 0).toUpper();
        const bool manager = i == 0;
        const bool restricted = i == n - 1 && n > 2;
        l.password = manager ? ManagerPassword : DeskPassword;
        l.role = manager ? "Manager" : restricted ? "Security, restricted" : "Concierge";
        out << l;
    }
    return out;
}

QStringList PropertyGenerator::CategoryNames() {
    QStringList out;
    for (const char* c : words::CategoryNames)
        out << c;
    return out;
}

PropertyGenerator::PropertyGenerator(AppContext& ctx, const PropertySize& size, quint64 seed)
    : m_ctx(ctx), m_size(size), m_seed(seed), m_today(ctx.clock().today()) {}

void PropertyGenerator::step(const QString& name, qint64 done, qint64 total) const {
    if (m_progress) m_progress(name, done, total);
}

QRandomGenerator PropertyGenerator::rngFor(int part) const {
    // Each part draws from its own stream: one part's counts never shift another's rows.
    return QRandomGenerator(quint32(m_seed) ^ quint32(m_seed >> 32) ^ quint32(part * 0x9E3779B9u));
}

void PropertyGenerator::generate() {
    settings();
    staff();
    categories();
    groups();
    profiles();
    contacts();
    events();
    logbook();
    bookings();
    operations();
    messages();
    step("Done", 1, 1);
}

void PropertyGenerator::settings() {
    Database& db = m_ctx.db();
    db.exec("UPDATE [Authorization] SET [MapName] = ?", {QString("Harbour View Hotel")});
    m_ctx.globals.propertyName = "Harbour View Hotel";
}

void PropertyGenerator::staff() {
    const QList<DemoLogon> logons = Logons(m_size.staff);
    // One hash per password: scrypt is slow on purpose, and a hash verifies
    // however many rows hold it.
    const QString managerHash = HashPassword(ManagerPassword);
    const QString deskHash = HashPassword(DeskPassword);
    if (managerHash.isEmpty() || deskHash.isEmpty())
        throw std::runtime_error("the staff passwords could not be hashed");
    m_staffNames.clear();
    m_staffInitials.clear();
    for (int i = 0; i < logons.size(); ++i) {
        const DemoLogon& l = logons[i];
        NewConcierge c;
        c.logonName = l.logon;
        c.initials = Staff[i][1];
        c.passwordHash = l.password == ManagerPassword ? managerHash : deskHash;
        c.ccViewHash = c.passwordHash;
        c.name = l.name;
        c.manager = l.role == "Manager";
        c.restricted = l.role.startsWith("Security");
        c.allLogs = !c.restricted;
        c.allRentals = true;
        c.messageGroup = i % 3 == 0 ? "Front" : "Bell";
        c.jobTitle = c.manager ? "Chief Concierge" : c.restricted ? "Security" : "Concierge";
        c.email = l.logon.toLower() + "@harbourview.example";
        c.telephone = QString("x%1").arg(200 + i);
        InsertConcierge(m_ctx, c);
        m_staffNames << l.name;
        m_staffInitials << c.initials;
        step("Staff", i + 1, logons.size());
    }
}

void PropertyGenerator::adoptStaff() {
    const QList<DemoLogon> logons = Logons(m_size.staff);
    m_staffNames.clear();
    m_staffInitials.clear();
    for (int i = 0; i < logons.size(); ++i) {
        m_staffNames << logons[i].name;
        m_staffInitials << Staff[i][1];
    }
}

void PropertyGenerator::categories() {
    Database& db = m_ctx.db();
    db.transaction([&] {
        const QStringList names = CategoryNames();
        for (int i = 0; i < names.size(); ++i) {
            InsertCategory(db, names[i]);
            if (i >= RestrictedFrom)
                db.exec("UPDATE [LogType] SET [Restricted] = ? WHERE [LogType] = ?",
                        {true, names[i]});
        }
        for (const DesignOf& d : Designs) {
            const qint64 typeId = GetLogTypeID(db, d.category);
            int seq = 0;
            for (const char* label : d.labels)
                db.exec("INSERT INTO [DEDesign] ([LogTypeID], [SequenceNo], [LabelText], "
                        "[EncryptThis], [DoNotPrint], [ResortClubLocked], [Contact2DE]) VALUES "
                        "(?, ?, ?, ?, ?, ?, ?)",
                        {typeId, ++seq, NormaliseLabel(label), false, false, false,
                         seq == 1 && QString(label) == "Restaurant:"});
        }
        for (const char* v : NotifiedValues)
            db.exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('Notified', ?)",
                    {QString(v)});
    });
    step("Categories", 1, 1);
}

void PropertyGenerator::messages() {
    BulkLoad(m_ctx.db(), {"MsgTimer", "MsgText"}, [&] {
        Database& db = m_ctx.db();
        QRandomGenerator rng = rngFor(11);
        const QDateTime now(m_today, QTime(10, 0));
        const int staffCount = int(m_staffNames.size());
        if (staffCount == 0) return;
        const char* const texts[] = {
            "Please call the guest in room %1 back about the dinner booking.",
            "The florist will deliver at four; please send the arrangement to room %1.",
            "Car for room %1 confirmed for tomorrow morning.",
            "Guest in %1 asked for theatre tickets; check with the box office.",
            "Reminder: VIP arrival in %1 this afternoon, amenity on the way.",
            "Housekeeping needs the late check-out list before noon (room %1).",
        };
        db.transaction([&] {
            for (int i = 0; i < m_size.messages; ++i) {
                const int to = int(rng.bounded(staffCount));
                const int from = int(rng.bounded(staffCount));
                // A month back to a week ahead; what is older than a day is mostly read.
                const QDateTime due = now.addSecs(-qint64(rng.bounded(30 * 24 * 60)) * 60 +
                                                  qint64(rng.bounded(7 * 24 * 60)) * 60);
                const bool read = due < now.addDays(-1) && rng.bounded(10) < 8;
                const bool toGroup = rng.bounded(5) == 0;
                const qint64 id = db.insert(
                    "INSERT INTO [MsgTimer] ([MsgDateTime], [TypeOfMessage], [SentFrom], "
                    "[ConciergeName], [CreateDateTime], [LogbookID]) VALUES (?, ?, ?, ?, ?, ?)",
                    {Formats::StoredDateTime(due), rng.bounded(20) == 0 ? "U" : " ",
                     m_staffNames[from] + (toGroup ? GroupSenderSuffix : QString()),
                     m_staffNames[to], Formats::StoredDateTime(due.addSecs(-3600)),
                     read ? qint64(-1) : qint64(0)},
                    "TimerID");
                const QString text =
                    QString(texts[rng.bounded(int(std::size(texts)))]).arg(100 + rng.bounded(900));
                db.exec("INSERT INTO [MsgText] ([TimerID], [Sequence], [MsgText]) VALUES (?, 1, ?)",
                        {id, CleanSqlText(text)});
                if ((i + 1) % 5000 == 0) step("Messages", i + 1, m_size.messages);
            }
        });
        step("Messages", m_size.messages, m_size.messages);
    });
}

void PropertyGenerator::operations() {
    OperationsSize s;
    s.lostAndFound = m_size.lostAndFound;
    s.keys = m_size.keys;
    s.keyEmployees = m_size.keyEmployees;
    s.keyLoans = m_size.keyLoans;
    // About one key in ten is out at any time (never more loans out than keys).
    s.openLoans = std::clamp(std::min(m_size.keyLoans / 20, m_size.keys / 10), 1, m_size.keys);
    s.stuff = m_size.rentals;
    s.rentalLoansPerItem = m_size.rentals > 1000 ? 25 : 3;
    if (m_size.rentals <= 1000) s.rentalCategories = {"Bicycles", "Beach Gear", "Strollers"};
    // A short logbook has a short history of the rest too (never under a year).
    if (m_size.logbookDays < 3653) s.historyDays = std::max(365, m_size.logbookDays);
    QRandomGenerator rng = rngFor(10);
    step("Lost and found, keys, rentals", 0, 1);
    GenerateOperations(m_ctx.db(), s, m_today, rng);
    step("Lost and found, keys, rentals", 1, 1);
}

} // namespace vm::demo
