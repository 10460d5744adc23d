// Logbook entries of a generated property: designed lines and free text split
// into NoteField and LogText pieces, history rows, a card on some entries and
// every status (open, complete, pending, on hold, cancelled).

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "demo/BulkLoad.h"
#include "demo/PropertyGenerator.h"
#include "demo/Words.h"
#include "logbook/Categories.h"
#include "logbook/DesignText.h"
#include "logbook/LogText.h"
#include "logbook/LogbookStore.h"
#include "security/CardData.h"

#include <QDateTime>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <vector>

namespace vm::demo {

using namespace words;

namespace {

template <size_t N> QString pickOf(const char* const (&list)[N], QRandomGenerator& rng) {
    return QString::fromUtf8(list[rng.bounded(int(N))]);
}

enum class Status { Open, Complete, Pending, OnHold, Cancelled };

QString freeText(QRandomGenerator& rng) {
    // Most notes are a line or two; a quarter run into the text pieces.
    const double kind = rng.generateDouble();
    const int length = kind < 0.70   ? 40 + int(rng.bounded(215))
                       : kind < 0.95 ? 256 + int(rng.bounded(650))
                                     : 900 + int(rng.bounded(2100));
    QString s;
    while (s.size() < length)
        s += QString::fromUtf8(Phrases[rng.bounded(int(std::size(Phrases)))]);
    s.truncate(length);
    return s.trimmed();
}

Status statusOf(int pastDays, QRandomGenerator& rng) {
    const int roll = int(rng.bounded(100));
    if (pastDays > 2) // long done: nearly all complete
        return roll < 88   ? Status::Complete
               : roll < 93 ? Status::Cancelled
               : roll < 96 ? Status::Pending
               : roll < 98 ? Status::OnHold
                           : Status::Open;
    return roll < 30   ? Status::Complete
           : roll < 35 ? Status::Cancelled
           : roll < 55 ? Status::Pending
           : roll < 65 ? Status::OnHold
                       : Status::Open;
}

QStringList designValues(const std::vector<DesignItem>& items, QRandomGenerator& rng,
                         const QStringList& contacts) {
    QStringList values;
    for (const DesignItem& item : items) {
        const QString label = item.labelText;
        if (label.startsWith("Party") || label.startsWith("Passengers") ||
            label.startsWith("Players") || label.startsWith("Guests") ||
            label.startsWith("Seats") || label.startsWith("Carts"))
            values << QString::number(1 + rng.bounded(6));
        else if (label.startsWith("Time") || label.startsWith("Pick-up"))
            values << Formats::Time24(QTime(8 + int(rng.bounded(13)), 15 * int(rng.bounded(4))));
        else if (label.startsWith("Confirmation"))
            values << "C" + QString::number(10000 + rng.bounded(90000));
        else if (label.startsWith("Duration"))
            values << QString::number(30 + 30 * rng.bounded(3)) + " minutes";
        else if (!contacts.isEmpty())
            values << contacts[int(rng.bounded(qsizetype(contacts.size())))];
        else
            values << "To be confirmed";
    }
    return values;
}

} // namespace

std::vector<int> EntriesPerDay(int entries, int days, const QDate& today,
                               const std::function<double()>& unit) {
    std::vector<double> weight(static_cast<size_t>(days));
    double sum = 0;
    for (int d = 0; d < days; ++d) {
        const QDate day = today.addDays(d - days + 1);
        const double season = 0.2 * std::sin(2 * M_PI * (day.dayOfYear() - 100) / 365.25);
        const double weekend = day.dayOfWeek() >= 5 ? 0.15 : 0.0;
        sum += weight[size_t(d)] = 1.0 + season + weekend + 0.2 * (unit() - 0.5);
    }
    std::vector<int> count(static_cast<size_t>(days));
    double carried = 0;
    int given = 0;
    for (int d = 0; d < days; ++d) {
        carried += weight[size_t(d)] / sum * entries;
        const int upTo = d == days - 1 ? entries : int(std::lround(carried));
        count[size_t(d)] = upTo - given;
        given = upTo;
    }
    return count;
}

void PropertyGenerator::logbook() {
    BulkLoad(m_ctx.db(), {"LogBook", "LogText", "LogbookHistory"}, [&] {
        Database& db = m_ctx.db();
        QRandomGenerator rng = rngFor(5);
        const QStringList categories = CategoryNames();
        std::vector<std::vector<DesignItem>> designs;
        for (const QString& c : categories)
            designs.push_back(GetLogbookBackPanelItems(db, GetLogTypeID(db, c)));
        QStringList contactNames;
        for (const Row& r : m_ctx.contactsDb().query(
                 "SELECT [ContactName] FROM [Contact] ORDER BY [ContactID] LIMIT 50"))
            contactNames << r.text("ContactName");
        struct Guest {
            qint64 id;
            QString first, last;
        };
        std::vector<Guest> guests;
        for (const Row& r : db.query("SELECT [ProfileID], [FirstName], [LastName] FROM [Profile] "
                                     "ORDER BY [ProfileID]"))
            guests.push_back({r.number("ProfileID"), r.text("FirstName"), r.text("LastName")});
        const int staffCount = std::max<int>(1, int(m_staffNames.size()));
        const int days = std::max(1, m_size.logbookDays);
        const std::vector<int> perDay = EntriesPerDay(m_size.logbookEntries, days, m_today,
                                                      [&rng] { return rng.generateDouble(); });
        const int cardEvery =
            m_size.storedCards > 0 ? std::max(1, m_size.logbookEntries / m_size.storedCards) : 0;
        // A day's entry for each status first, so that every status is there
        // however small the property.
        int forced = 0;
        qint64 written = 0;

        const QString insertEntry =
            "INSERT INTO [LogBook] ([GuestID], [FirstName], [LastName], [ProfileID], [GroupID], "
            "[ContactID], [EntryType], [Notified], [ReferDate], [ReferTime], [ArrivalDate], "
            "[DepartureDate], [RoomNumber], [EnteredBy], [Initials], [UpdatedDate], [EntryDate], "
            "[EntryTime], [Restricted], [Complete], [Cancelled], [OnHold], [Pending], [NoteField], "
            "[MsgNotes], [OpenTableID], [EncCC], [WebResID], [WebDNP]) VALUES (?, ?, ?, ?, ?, ?, "
            "?, "
            "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ' ', 0, ' ', ' ', ?)";
        const QString insertPiece =
            "INSERT INTO [LogText] ([LogID], [Sequence], [NoteField]) VALUES (?, ?, ?)";
        const QString insertHistory = "INSERT INTO [LogbookHistory] ([LogbookID], [Initials], "
                                      "[LogDateTime], [Reason]) VALUES (?, ?, ?, ?)";

        constexpr int daysPerTransaction = 30;
        for (int first = 0; first < days; first += daysPerTransaction) {
            db.transaction([&] {
                for (int day = first; day < std::min(days, first + daysPerTransaction); ++day) {
                    const QDate entryDay = m_today.addDays(day - days + 1);
                    std::vector<int> minutes(static_cast<size_t>(perDay[size_t(day)]));
                    for (int& m : minutes)
                        m = 6 * 60 + int(rng.bounded(17 * 60)); // the desk writes from six on
                    std::sort(minutes.begin(), minutes.end());
                    for (int minute : minutes) {
                        const double when = rng.generateDouble();
                        const int ahead = when < 0.35   ? 0
                                          : when < 0.60 ? 1
                                          : when < 0.75 ? 2 + int(rng.bounded(2))
                                          : when < 0.92 ? 4 + int(rng.bounded(11))
                                                        : 15 + int(rng.bounded(31));
                        const QDate refer = entryDay.addDays(ahead);
                        const int past = int(refer.daysTo(m_today));
                        Status status = statusOf(past, rng);
                        if (day == days - 1 && forced < 5) status = Status(forced++);
                        const int type = int(std::min<double>(
                            double(categories.size() - 1),
                            std::floor(categories.size() * std::pow(rng.generateDouble(), 2.0))));
                        const bool linked = !guests.empty() && rng.bounded(100) < 45;
                        const Guest* g =
                            linked ? &guests[size_t(rng.bounded(qsizetype(guests.size())))]
                                   : nullptr;
                        const QString firstName = g ? g->first : pickOf(FirstNames, rng);
                        const QString lastName = g ? g->last : pickOf(CommonLastNames, rng);
                        const bool staying = rng.bounded(100) < 80;
                        const QDate arrival = refer.addDays(-int(rng.bounded(4)));
                        const int staff = int(rng.bounded(staffCount));
                        const QDate updated = std::min(m_today, status == Status::Complete ||
                                                                        status == Status::Cancelled
                                                                    ? std::max(entryDay, refer)
                                                                    : entryDay);
                        QString text = designs[size_t(type)].empty()
                                           ? QString()
                                           : DesignLinesOnly(designs[size_t(type)],
                                                             designValues(designs[size_t(type)],
                                                                          rng, contactNames));
                        text += CleanSqlText(freeText(rng));
                        const SplitText split = SplitLogText(text);
                        const QString time = Formats::Time24(QTime(minute / 60, minute % 60));
                        const qint64 contactId =
                            !m_contactIds.isEmpty() && rng.bounded(100) < 20
                                ? m_contactIds[int(rng.bounded(qsizetype(m_contactIds.size())))]
                                : 0;
                        const qint64 groupId =
                            !m_groupIds.isEmpty() && rng.bounded(100) < 5
                                ? m_groupIds[int(rng.bounded(qsizetype(m_groupIds.size())))]
                                : 0;
                        const qint64 logId = db.insert(
                            insertEntry,
                            {g ? QString::number(400000 + g->id) : QString(" "),
                             firstName,
                             lastName,
                             g ? g->id : qint64(0),
                             groupId,
                             contactId,
                             categories[type],
                             rng.bounded(100) < 60 ? pickOf(NotifiedValues, rng) : QString(" "),
                             Formats::StoredDate(refer),
                             Formats::Time24(
                                 QTime(7 + int(rng.bounded(16)), 15 * int(rng.bounded(4)))),
                             staying ? Formats::StoredDate(arrival) : QString(" "),
                             staying ? Formats::StoredDate(arrival.addDays(1 + rng.bounded(7)))
                                     : QString(" "),
                             staying ? QString::number((1 + rng.bounded(12)) * 100 + 1 +
                                                       rng.bounded(30))
                                     : QString(" "),
                             m_staffNames.value(staff, " "),
                             m_staffInitials.value(staff, " "),
                             Formats::StoredDate(updated),
                             Formats::StoredDate(entryDay),
                             time,
                             type >= RestrictedFrom,
                             status == Status::Complete,
                             status == Status::Cancelled,
                             status == Status::OnHold,
                             status == Status::Pending,
                             split.noteField,
                             false},
                            "LogID");
                        int sequence = 0;
                        for (const QString& piece : LogTextPieces(split.overflow))
                            db.exec(insertPiece, {logId, ++sequence, piece});
                        const QString stamp = Formats::StoredDate(updated) + " " + time;
                        if (rng.bounded(100) < 60 || updated != entryDay)
                            db.exec(insertHistory,
                                    {logId,
                                     m_staffInitials.value(int(rng.bounded(staffCount)), " "),
                                     stamp, ReasonUpdated});
                        if (status == Status::Cancelled)
                            db.exec(insertHistory, {logId, m_staffInitials.value(staff, " "), stamp,
                                                    ReasonCancelled});
                        if (cardEvery && written % cardEvery == 0 && past < 0) {
                            // A card given for a booking still ahead, encrypted under the
                            // entry's id as the entry screen does.
                            const QString cipher =
                                EncryptCC(m_ctx, "4111111111111111", QString::number(logId));
                            if (!cipher.isEmpty())
                                db.exec("UPDATE [LogBook] SET [EncCC] = ?, [CC_CreatedDate] = ? "
                                        "WHERE [LogID] = ?",
                                        {cipher,
                                         QDateTime(entryDay, QTime(minute / 60, minute % 60)),
                                         logId});
                        }
                        ++written;
                    }
                }
            });
            step("Logbook", written, m_size.logbookEntries);
        }
    });
}

} // namespace vm::demo
