// Lost and found, key control and rentals of a generated property.

#include "core/Formats.h"
#include "demo/PropertyGenerator.h"
#include "platform/Database.h"

#include <QDateTime>
#include <QSet>
#include <QStringList>

namespace vm::demo {

namespace {

// The first day of the records' history.
QDate HistoryStart(const OperationsSize& size, const QDate& today) {
    return size.historyDays > 0 ? today.addDays(-size.historyDays) : today.addYears(-10);
}

const char* const Things[] = {
    "Black umbrella",  "Leather wallet",   "Phone charger", "Sunglasses",         "Silver bracelet",
    "Reading glasses", "Blue scarf",       "Kindle reader", "Child's teddy bear", "Car keys",
    "Passport wallet", "Wedding ring",     "Laptop sleeve", "Tennis racket",      "Denim jacket",
    "Straw hat",       "Wireless earbuds", "Camera bag",    "Gold watch",         "Hair dryer"};
const char* const Surnames[] = {"Smith",  "Johnson", "Williams", "Brown",   "Jones",
                                "Garcia", "Miller",  "Davis",    "Rossi",   "Müller",
                                "Dubois", "Tanaka",  "Kowalski", "O'Brien", "Nguyen",
                                "Silva",  "Hansen",  "Novak",    "Costa",   "Ivanova"};
const char* const Givens[] = {"Anna", "Ben",  "Carla", "David", "Elena", "Felix", "Grace",
                              "Hugo", "Iris", "Jonas", "Keiko", "Liam",  "Maya",  "Nils"};

template <size_t N> QString pick(const char* const (&list)[N], QRandomGenerator& rng) {
    return QString::fromUtf8(list[rng.bounded(int(N))]);
}

QStringList addOther(Database& db, const QString& type, const QString& stem, int count) {
    QStringList values;
    for (int i = 1; i <= count; ++i) {
        values << stem + " " + QString::number(i);
        db.exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)",
                {type, values.last()});
    }
    return values;
}

void lostAndFound(Database& db, const OperationsSize& size, const QDate& today,
                  QRandomGenerator& rng) {
    const QStringList categories = addOther(db, "LFCategory", "Category", 20);
    const QStringList locations = addOther(db, "LFLocation", "Location", 30);
    const QStringList storage = addOther(db, "LFStorage", "Shelf", 10);
    const QStringList dispositions = addOther(db, "Disposal", "Disposition", 5);
    const QStringList returns = addOther(db, "LFReturns", "Return", 4);
    const int days = int(HistoryStart(size, today).daysTo(today));
    for (int i = 0; i < size.lostAndFound; ++i) {
        // The newest items are the open ones: lost and found reports of the last months.
        const bool open = i >= size.lostAndFound - size.lostAndFound / 10;
        const int age = open ? int(rng.bounded(120)) : int(rng.bounded(days));
        const QDate day = today.addDays(-age);
        const QString status = open ? (i % 2 ? "L" : "F") : "D";
        const QString text = pick(Things, rng) + " " + QString::number(i % 97);
        const QString lost = status != "F" ? Formats::StoredDate(day) : " ";
        const QString found = status != "L" ? Formats::StoredDate(day.addDays(1)) : " ";
        const QString disposed = status == "D" ? Formats::StoredDate(day.addDays(20)) : " ";
        db.exec(
            "INSERT INTO [LostAndFound] ([ItemStatus], [ItemText], [Category], [RoomNumber], "
            "[LostDate], [LostLocation], [EstValueLost], [FoundDate], [FoundLocation], "
            "[StoredLocation], [TagNumber], [FinderName], [EstValueFound], [PhotographName], "
            "[FirstName], [LastName], [Address], [City], [State], [PostalCode], [HomePhone], "
            "[WorkPhone], [OtherPhone], [EmailAddress], [Disposition], [DisposedDate], "
            "[ReturnDate], [ReturnMethod], [PaymentMethod], [ReturnCharge], [EncCC], "
            "[MatchDisposition], [LastStatusBy], [LastStatusDateTime]) VALUES (?, ?, ?, ?, ?, ?, "
            "?, ?, ?, ?, ?, ?, ?, ' ', ?, ?, '1 Main Street', 'Springfield', 'IL', '62701', "
            "'555-0100', ' ', ' ', ' ', ?, ?, ?, ?, 'Cash', 0, ' ', ' ', 'Ann Desk', ?)",
            {status,
             text,
             categories[i % categories.size()],
             QString::number(100 + i % 900),
             lost,
             locations[rng.bounded(int(locations.size()))],
             25.0,
             found,
             locations[rng.bounded(int(locations.size()))],
             storage[rng.bounded(int(storage.size()))],
             "T" + QString::number(i),
             pick(Givens, rng) + " Finder",
             20.0,
             status == "F" ? QString(" ") : pick(Givens, rng),
             pick(Surnames, rng),
             status == "D" ? dispositions[i % dispositions.size()] : QString(" "),
             disposed,
             status == "D" ? disposed : QString(" "),
             status == "D" ? returns[i % returns.size()] : QString(" "),
             Formats::StoredDate(day) + " 10:00"});
    }
}

void keyControl(Database& db, const OperationsSize& size, const QDate& today,
                QRandomGenerator& rng) {
    const QStringList groups = addOther(db, "KeyGroup", "Group", 50);
    for (int e = 1; e <= size.keyEmployees; ++e)
        db.exec("INSERT INTO [KeyEmployee] ([EmployeeName], [EmployeeNumber], [JobTitle]) "
                "VALUES (?, ?, ?)",
                {pick(Givens, rng) + " " + pick(Surnames, rng) + " " + QString::number(e),
                 QString::number(10000 + e), e % 5 ? "Housekeeping" : "Engineering"});
    for (int k = 1; k <= size.keys; ++k)
        db.exec("INSERT INTO [KeyMaster] ([KeyNumber], [KeyGroupName], [Description], "
                "[OutDuration], [OutHoursDays], [KeyStatus], [DateTimeOut], [DateTimeDue], "
                "[KeyEmployeeID]) VALUES (?, ?, ?, ?, ?, 'I', ' ', ' ', 0)",
                {QString::number(k), groups[k % groups.size()], "Door " + QString::number(k),
                 k % 3 ? 8 : 2, k % 3 ? "Hours" : "Days"});
    // Each employee may borrow the keys of two groups.
    for (int e = 1; e <= size.keyEmployees; ++e)
        for (int k = 1; k <= size.keys; ++k)
            if (k % groups.size() == e % groups.size() ||
                k % groups.size() == (e + 7) % groups.size())
                db.exec("INSERT INTO [KeyAssignment] ([KeyEmployeeID], [KeyMasterID]) VALUES "
                        "(?, ?)",
                        {e, k});
    // Loans, oldest first, eight hours each; the last few are still out.
    const QDateTime first(HistoryStart(size, today), QTime(7, 0));
    const qint64 span = first.secsTo(QDateTime(today, QTime(6, 0)));
    // A key is out on one loan at most: the loans still out take keys not yet out.
    QSet<int> keysOut;
    for (int n = 0; n < size.keyLoans; ++n) {
        const QDateTime out = first.addSecs(span * n / size.keyLoans);
        const QDateTime due = out.addSecs(8 * 3600);
        const bool stillOut = n >= size.keyLoans - size.openLoans && keysOut.size() < size.keys;
        int key = 1 + int(rng.bounded(size.keys));
        while (stillOut && keysOut.contains(key))
            key = key % size.keys + 1;
        if (stillOut) keysOut.insert(key);
        const int employee = 1 + int(rng.bounded(size.keyEmployees));
        const int late = int(rng.bounded(120)) - 60;
        db.exec("INSERT INTO [KeyHistory] ([KeyEmployeeID], [KeyMasterID], [KeyStatus], "
                "[DateTimeOut], [DateTimeDue], [DateTimeBack], [MinutesFromDue]) VALUES (?, ?, "
                "?, ?, ?, ?, ?)",
                {employee, key, stillOut ? "O" : "I", Formats::StoredDateTime(out),
                 Formats::StoredDateTime(due),
                 stillOut ? QVariant() : QVariant(Formats::StoredDateTime(due.addSecs(late * 60))),
                 stillOut ? QVariant() : QVariant(late)});
        if (stillOut)
            db.exec("UPDATE [KeyMaster] SET [KeyStatus] = 'O', [DateTimeOut] = ?, "
                    "[DateTimeDue] = ?, [KeyEmployeeID] = ? WHERE [KeyMasterID] = ?",
                    {Formats::StoredDateTime(out), Formats::StoredDateTime(due), employee, key});
    }
}

void rentals(Database& db, const OperationsSize& size, const QDate& today, QRandomGenerator& rng) {
    QStringList names = size.rentalCategories;
    if (names.isEmpty())
        for (int c = 1; c <= 10; ++c)
            names << "Rental " + QString::number(c);
    QList<qint64> categories;
    for (const QString& name : names)
        categories << db.insert("INSERT INTO [ResType] ([Category]) VALUES (?)", {name},
                                "ResTypeID");
    const QDate first = today.addYears(-3);
    for (int s = 1; s <= size.stuff; ++s) {
        const int type = 1 + s % 3;
        const int c = s % int(categories.size());
        const bool out = type != 1 && s % 7 == 0;
        const QDate due = today.addDays(int(rng.bounded(10)) - 3);
        const qint64 id = db.insert(
            "INSERT INTO [Stuff] ([StuffType], [Category], [ItemName], [ItemNumber], "
            "[RentalDays], [RentalCharge], [Par], [OnHand], [RenterName], [RoomNumber], "
            "[ReturnDate], [ReturnTime], [ReturnTimeSort]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, "
            "?, ?, ?, ?)",
            {type, names[c], pick(Things, rng), QString::number(s), type == 1 ? 0 : 1, 5.0 + s % 20,
             10, int(rng.bounded(20)), out ? pick(Surnames, rng) : QString(" "),
             out ? QString::number(300 + s % 200) : " ",
             out ? Formats::StoredDate(due) : QString(" "), out ? "05:00 PM" : " ",
             out ? "1700" : " "},
            "StuffID");
        if (type == 1) continue;
        for (int l = 0; l < size.rentalLoansPerItem; ++l) {
            const QDate day =
                first.addDays(qint64(first.daysTo(today)) * l / size.rentalLoansPerItem);
            db.exec("INSERT INTO [StuffArch] ([StuffID], [CategoryID], [RenterName], "
                    "[RoomNumber], [CheckoutDate], [CheckoutTime], [RentalCharge], [ReturnDate], "
                    "[ReturnTime], [ReturnTimeSort]) VALUES (?, ?, ?, ?, ?, '09:00 AM', ?, ?, "
                    "'05:00 PM', '1700')",
                    {id, categories[c], pick(Surnames, rng), QString::number(300 + l % 200),
                     Formats::StoredDate(day), 10.0, Formats::StoredDate(day.addDays(2))});
        }
        if (out)
            db.exec("INSERT INTO [StuffArch] ([StuffID], [CategoryID], [RenterName], "
                    "[RoomNumber], [CheckoutDate], [CheckoutTime], [RentalCharge]) VALUES (?, ?, "
                    "'Guest', '301', ?, '09:00 AM', 10)",
                    {id, categories[c], Formats::StoredDate(today.addDays(-1))});
    }
}

} // namespace

void GenerateOperations(Database& db, const OperationsSize& size, const QDate& today,
                        QRandomGenerator& rng) {
    db.transaction([&] {
        lostAndFound(db, size, today, rng);
        keyControl(db, size, today, rng);
        rentals(db, size, today, rng);
    });
}

} // namespace vm::demo
