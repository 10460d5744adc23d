// Lost reports and found items: checks, screening, filing, updating, reading,
// deleting one record, return notes and the options.

#include "operations/LostFound.h"
#include "operations/ListRows.h"
#include "operations/LostFoundRows.h"
#include "operations/PhotoStore.h"

#include "bookings/BookingTimes.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "core/TextLog.h"
#include "security/CardData.h"
#include "security/CardStore.h"

#include <algorithm>
#include <stdexcept>

namespace vm {

namespace lf {

namespace {
enum Column {
    ColId, ColStatus, ColText, ColCategory, ColRoom, ColLostDate, ColLostLocation, ColEstLost,
    ColFoundDate, ColFoundLocation, ColStored, ColTag, ColFinder, ColPhoto, ColFirstName,
    ColLastName, ColDisposition, ColDisposedDate, ColReturnMethod, ColEstFound, ColAddress,
    ColCity, ColState, ColPostalCode, ColHomePhone, ColWorkPhone, ColOtherPhone, ColEmail,
    ColReturnDate, ColPayment, ColCharge, ColEncCC, ColMatchDisposition, ColReturnNotes,
    ColSlot1, ColLastStatusBy = ColSlot1 + 5, ColLastStatusDateTime,
    ColumnCount
};
const char* const ColumnNames[] = {
    "ItemID", "ItemStatus", "ItemText", "Category", "RoomNumber", "LostDate", "LostLocation",
    "EstValueLost", "FoundDate", "FoundLocation", "StoredLocation", "TagNumber", "FinderName",
    "PhotographName", "FirstName", "LastName", "Disposition", "DisposedDate", "ReturnMethod",
    "EstValueFound", "Address", "City", "State", "PostalCode", "HomePhone", "WorkPhone",
    "OtherPhone", "EmailAddress", "ReturnDate", "PaymentMethod", "ReturnCharge", "EncCC",
    "MatchDisposition", "ReturnNotes", "UdCategory1", "UdCategory2", "UdCategory3",
    "UdCategory4", "UdCategory5", "LastStatusBy", "LastStatusDateTime"};
static_assert(std::size(ColumnNames) == ColumnCount);

// The owner's names: in the record's owner, or in the list row itself.
QString& firstNameOf(LfItem& i) { return i.owner.firstName; }
QString& lastNameOf(LfItem& i) { return i.owner.lastName; }
QString& firstNameOf(LfListRow& i) { return i.firstName; }
QString& lastNameOf(LfListRow& i) { return i.lastName; }

// The value at `at` of the row into the field of `column`, for the fields a
// record and a list row both have; false for any other column.
template <typename Item> bool readListField(const Row& r, int at, int column, Item& i) {
    using ops::shown;
    switch (column) {
    case ColId: i.id = ops::whole(r, at); return true;
    case ColStatus: i.status = shown(r, at); return true;
    case ColText: i.itemText = shown(r, at); return true;
    case ColCategory: i.category = shown(r, at); return true;
    case ColRoom: i.roomNumber = shown(r, at); return true;
    case ColLostDate: i.lostDate = shown(r, at); return true;
    case ColLostLocation: i.lostLocation = shown(r, at); return true;
    case ColEstLost: i.estValueLost = ops::amount(r, at); return true;
    case ColFoundDate: i.foundDate = shown(r, at); return true;
    case ColFoundLocation: i.foundLocation = shown(r, at); return true;
    case ColStored: i.storedLocation = shown(r, at); return true;
    case ColTag: i.tagNumber = shown(r, at); return true;
    case ColFinder: i.finderName = shown(r, at); return true;
    case ColPhoto: i.photographName = shown(r, at); return true;
    case ColFirstName: firstNameOf(i) = shown(r, at); return true;
    case ColLastName: lastNameOf(i) = shown(r, at); return true;
    case ColDisposition: i.disposition = shown(r, at); return true;
    case ColDisposedDate: i.disposedDate = shown(r, at); return true;
    case ColReturnMethod: i.returnMethod = shown(r, at); return true;
    default: return false;
    }
}

// The value at `at` of the row into the record's field of `column`.
void readColumn(const Row& r, int at, int column, LfItem& i) {
    if (readListField(r, at, column, i)) return;
    using ops::shown;
    LfOwner& o = i.owner;
    switch (column) {
    case ColEstFound: i.estValueFound = ops::amount(r, at); break;
    case ColAddress: o.address = shown(r, at); break;
    case ColCity: o.city = shown(r, at); break;
    case ColState: o.state = shown(r, at); break;
    case ColPostalCode: o.postalCode = shown(r, at); break;
    case ColHomePhone: o.homePhone = shown(r, at); break;
    case ColWorkPhone: o.workPhone = shown(r, at); break;
    case ColOtherPhone: o.otherPhone = shown(r, at); break;
    case ColEmail: o.emailAddress = shown(r, at); break;
    case ColReturnDate: i.returnDate = shown(r, at); break;
    case ColPayment: i.paymentMethod = shown(r, at); break;
    case ColCharge: i.returnCharge = ops::amount(r, at); break;
    case ColEncCC: i.encCC = shown(r, at); break;
    case ColMatchDisposition: i.matchDisposition = shown(r, at); break;
    case ColReturnNotes: i.returnNotes = r.text(at); break;
    case ColLastStatusBy: i.lastStatusBy = shown(r, at); break;
    case ColLastStatusDateTime: i.lastStatusDateTime = shown(r, at); break;
    default: i.udCategory[column - ColSlot1] = ops::whole(r, at); break;
    }
}

// What the lists of a status show: the search window's grid and its printed
// list, or the match grid of the other side.  The status is the one the list
// was selected by.
const std::vector<int> LostList{ColId,           ColText,    ColCategory,  ColRoom,    ColLostDate,
                                ColLostLocation, ColEstLost, ColFirstName, ColLastName};
const std::vector<int> FoundList{ColId,     ColText, ColCategory, ColFoundDate, ColFoundLocation,
                                 ColStored, ColTag,  ColFinder};
const std::vector<int> ClosedList{ColId,          ColText,      ColCategory, ColDisposedDate,
                                  ColDisposition, ColFirstName, ColLastName, ColReturnMethod};
const std::vector<int> LostMatches{ColId,           ColText,      ColCategory, ColLostDate,
                                   ColLostLocation, ColFirstName, ColLastName, ColPhoto};
const std::vector<int> FoundMatches{ColId,     ColText, ColCategory, ColFoundDate, ColFoundLocation,
                                    ColFinder, ColPhoto};
// Any other status: every search list's columns, and the status read from the row.
const std::vector<int> AnyList = [] {
    std::vector<int> all{ColStatus};
    for (const auto* list : {&LostList, &FoundList, &ClosedList})
        for (int c : *list)
            if (std::find(all.begin(), all.end(), c) == all.end()) all.push_back(c);
    return all;
}();

const std::vector<int>& listOf(const QString& status, ListUse use) {
    if (use == ListUse::Match && (status == kLfLost || status == kLfFound))
        return status == kLfLost ? LostMatches : FoundMatches;
    return status == kLfLost     ? LostList
           : status == kLfFound  ? FoundList
           : status == kLfClosed ? ClosedList
                                 : AnyList;
}

QString names(const std::vector<int>& columns) {
    QStringList out;
    for (int c : columns)
        out << "[" + QLatin1String(ColumnNames[c]) + "]";
    return out.join(", ");
}
} // namespace

const QString ItemColumns = [] {
    std::vector<int> all(ColumnCount);
    for (int c = 0; c < ColumnCount; ++c)
        all[c] = c;
    return names(all);
}();

QString ListColumns(const QString& status, ListUse use) {
    return names(listOf(status, use));
}

ListReader::ListReader(const QString& status, ListUse use)
    : m_status(status), m_columns(listOf(status, use)) {}

void ListReader::read(const Row& r, LfListRow& i) const {
    i.status = m_status;
    for (int at = 0; at < int(m_columns.size()); ++at)
        if (!readListField(r, at, m_columns[at], i))
            throw std::logic_error("a list row has no such field");
}

ItemReader::ItemReader(const QStringList& columns) {
    for (const QString& name : columns) {
        int c = 0;
        while (c < ColumnCount && name.compare(QLatin1String(ColumnNames[c]), Qt::CaseInsensitive))
            ++c;
        if (c == ColumnCount)
            throw std::logic_error("no LostAndFound column " + name.toStdString());
        m_columns.push_back(c);
    }
    m_names = names(m_columns);
}

void ItemReader::read(const Row& r, LfItem& into) const {
    for (int at = 0; at < int(m_columns.size()); ++at)
        readColumn(r, at, m_columns[at], into);
}

void readItem(const Row& r, LfItem& i) {
    for (int c = 0; c < ColumnCount; ++c)
        readColumn(r, c, c, i);
}

LfItem itemFromRow(const Row& r) {
    LfItem i;
    readItem(r, i);
    return i;
}

namespace {
void clean(QString& s) {
    s = StoredText(CleanSqlText(s));
}
void keepAmp(QString& s) {
    s = StoredText(CleanSqlTextKeepAmp(s));
}
} // namespace

void normalize(LfItem& i) {
    for (QString* s : {&i.itemText, &i.roomNumber, &i.tagNumber})
        clean(*s);
    for (QString* s :
         {&i.category, &i.lostDate, &i.lostLocation, &i.foundDate, &i.foundLocation,
          &i.storedLocation, &i.finderName, &i.photographName, &i.disposition, &i.disposedDate,
          &i.returnDate, &i.returnMethod, &i.paymentMethod, &i.matchDisposition})
        keepAmp(*s);
    LfOwner& o = i.owner;
    for (QString* s : {&o.firstName, &o.lastName, &o.address, &o.city, &o.state, &o.postalCode,
                       &o.homePhone, &o.workPhone, &o.otherPhone, &o.emailAddress})
        keepAmp(*s);
    i.estValueLost = qRound64(i.estValueLost * 100) / 100.0;
    i.estValueFound = qRound64(i.estValueFound * 100) / 100.0;
}

QVariant stored(const QString& shown) {
    return shown.isEmpty() ? QStringLiteral(" ") : shown;
}

QVariant slotValue(qint64 enumId) {
    return enumId > 0 ? QVariant(enumId) : QVariant(QMetaType(QMetaType::LongLong));
}

void stamp(AppContext& ctx, LfItem& item) {
    item.lastStatusBy = ctx.session.name;
    item.lastStatusDateTime = Formats::StoredDateTime(ctx.clock().now());
}

} // namespace lf

namespace {
QString fullName(const QString& first, const QString& last) {
    return (first.trimmed() + " " + last.trimmed()).trimmed();
}
} // namespace

QString LfOwner::name() const { return fullName(firstName, lastName); }

QString LfListRow::ownerName() const { return fullName(firstName, lastName); }

QString LfItem::enteredBy() const {
    if (lastStatusBy.isEmpty() && lastStatusDateTime.isEmpty()) return {};
    return "Entered by: " + lastStatusBy + " on " + lastStatusDateTime;
}

QString LfPossibleMatchesText(int n) {
    return "The system has located " + QString::number(n) + " possible matches." + "\r\n" +
           "Please examine the possible matches in the grid below.";
}

QString LfEntriesSelectedText(int n) {
    return QString::number(n) + " Entries were selected.";
}

QString LfDuplicateListText(const QString& name) {
    return "You already have the category '" + name + "' defined." +
           "All category names must be unique.";
}

QString LfDuplicateListItemText(const QString& name) {
    return "You already have the category '" + name + "' defined." +
           "All category item names must be unique.";
}

QString LfRenameListText(const QString& name) {
    return "Please enter the new name of the Category '" + name + "'";
}

QString LfRenameListItemText(const QString& name) {
    return "Please enter the new name of the Category Item '" + name + "'";
}

namespace {

bool blank(const QString& s) {
    return s.trimmed().isEmpty();
}
bool validDate(const QString& stored) {
    return Formats::ParseStoredDate(stored.trimmed()).isValid();
}

// Each typed free text of a record with the field name it is screened under.
std::vector<std::pair<QString, QString*>> freeTexts(LfItem& i) {
    return {{"ItemText", &i.itemText},           {"RoomNumber", &i.roomNumber},
            {"TagNumber", &i.tagNumber},         {"FinderName", &i.finderName},
            {"FirstName", &i.owner.firstName},   {"LastName", &i.owner.lastName},
            {"Address", &i.owner.address},       {"City", &i.owner.city},
            {"State", &i.owner.state},           {"PostalCode", &i.owner.postalCode},
            {"HomePhone", &i.owner.homePhone},   {"WorkPhone", &i.owner.workPhone},
            {"OtherPhone", &i.owner.otherPhone}, {"EmailAddress", &i.owner.emailAddress}};
}

void deletionLine(AppContext& ctx, const QString& what, const QString& description) {
    LogMessage(ctx.start.databaseFolder,
               "User: " + ctx.session.name + " Deleted the " + what + ": " + description +
                   " on: " + Formats::AuditStamp(ctx.clock().now()) +
                   " at PC Named: " + ctx.workstation.computerName,
               ctx.clock());
}

QVariantList ownerParams(const LfOwner& o) {
    using lf::stored;
    return {stored(o.firstName),  stored(o.lastName),    stored(o.address),   stored(o.city),
            stored(o.state),      stored(o.postalCode),  stored(o.homePhone), stored(o.workPhone),
            stored(o.otherPhone), stored(o.emailAddress)};
}

} // namespace

QString LFCheckLostItem(const LfItem& i) {
    if (blank(i.itemText)) return kLfMsgLostDescription;
    if (blank(i.category)) return kLfMsgCategory;
    if (blank(i.lostLocation)) return kLfMsgLostLocation;
    if (!validDate(i.lostDate)) return kLfMsgLostDate;
    if (blank(i.owner.firstName)) return kLfMsgFirstName;
    if (blank(i.owner.lastName)) return kLfMsgLastName;
    return {};
}

QString LFCheckFoundItem(const LfItem& i) {
    if (blank(i.itemText)) return kLfMsgFoundDescription;
    if (blank(i.category)) return kLfMsgCategory;
    if (blank(i.foundLocation)) return kLfMsgFoundLocation;
    if (blank(i.storedLocation)) return kLfMsgStorage;
    if (blank(i.disposition)) return kLfMsgDefaultDisposition;
    if (!validDate(i.foundDate)) return kLfMsgFoundDate;
    if (blank(i.finderName)) return kLfMsgFinderName;
    return {};
}

int LFScreenItemTexts(AppContext& ctx, LfItem& item, const QString& form,
                      const LfRemoveNumber& removeNumber) {
    int found = 0;
    for (auto& [field, text] : freeTexts(item)) {
        const QString trimmed = text->trimmed();
        if (!CheckForCCNumber(trimmed)) continue;
        ++found;
        const bool remove = removeNumber ? removeNumber(form, field) : true;
        *text = ApplyCardScreening(ctx, form, field, item.id, trimmed, remove);
    }
    return found;
}

qint64 LFInsertLostItem(AppContext& ctx, LfItem& item) {
    using lf::stored;
    item.status = kLfLost;
    lf::normalize(item);
    lf::stamp(ctx, item);
    QVariantList p{item.estValueLost,        kLfLost,
                   stored(item.itemText),    stored(item.roomNumber),
                   stored(item.category),    stored(item.lostDate),
                   stored(item.lostLocation)};
    p << ownerParams(item.owner) << item.lastStatusBy << item.lastStatusDateTime;
    item.id = ctx.db().insert(
        "INSERT INTO [LostAndFound] ([EstValueLost], [ItemStatus], [ItemText], [RoomNumber], "
        "[Category], [LostDate], [LostLocation], [FirstName], [LastName], [Address], [City], "
        "[State], [PostalCode], [HomePhone], [WorkPhone], [OtherPhone], [EmailAddress], "
        "[LastStatusBy], [LastStatusDateTime]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?, ?, ?)",
        p, "ItemID");
    return item.id;
}

namespace {
// The record under its row lock, while it is still on the list `status`.
std::optional<Row> lockOpen(Database& db, qint64 id, const QString& status) {
    LockRowForBooking(db, "LostAndFound", "ItemID", id);
    return db.queryOne("SELECT " + lf::ItemColumns +
                           " FROM [LostAndFound] WHERE [ItemID] = ? AND [ItemStatus] = ?",
                       {id, status});
}

// The fields of a lost report its screen edits.
bool sameLostReport(const LfItem& a, const LfItem& b) {
    const LfOwner &x = a.owner, &y = b.owner;
    return a.itemText == b.itemText && a.category == b.category && a.roomNumber == b.roomNumber &&
           a.lostDate == b.lostDate && a.lostLocation == b.lostLocation &&
           qRound64(a.estValueLost * 100) == qRound64(b.estValueLost * 100) &&
           x.firstName == y.firstName && x.lastName == y.lastName && x.address == y.address &&
           x.city == y.city && x.state == y.state && x.postalCode == y.postalCode &&
           x.homePhone == y.homePhone && x.workPhone == y.workPhone &&
           x.otherPhone == y.otherPhone && x.emailAddress == y.emailAddress;
}
} // namespace

bool LFUpdateLostItem(AppContext& ctx, LfItem& item, const LfItem* opened, QString* refusal) {
    using lf::stored;
    lf::normalize(item);
    lf::stamp(ctx, item);
    Database& db = ctx.db();
    QString why;
    db.transaction([&] {
        const auto row = lockOpen(db, item.id, kLfLost);
        if (!row) {
            why = kLfMsgLostGone;
            return;
        }
        if (opened && !sameLostReport(*opened, lf::itemFromRow(*row))) {
            why = kLfMsgLostChanged;
            return;
        }
        QVariantList p{item.estValueLost,     stored(item.itemText), stored(item.roomNumber),
                       stored(item.category), stored(item.lostDate), stored(item.lostLocation)};
        p << ownerParams(item.owner) << item.lastStatusBy << item.lastStatusDateTime << item.id;
        db.exec("UPDATE [LostAndFound] SET [EstValueLost] = ?, [ItemText] = ?, [RoomNumber] = ?, "
                "[Category] = ?, [LostDate] = ?, [LostLocation] = ?, [FirstName] = ?, "
                "[LastName] = ?, [Address] = ?, [City] = ?, [State] = ?, [PostalCode] = ?, "
                "[HomePhone] = ?, [WorkPhone] = ?, [OtherPhone] = ?, [EmailAddress] = ?, "
                "[LastStatusBy] = ?, [LastStatusDateTime] = ? WHERE [ItemID] = ? AND "
                "[ItemStatus] = 'L'",
                p);
    });
    if (refusal) *refusal = why;
    return why.isEmpty();
}

namespace {
QVariantList foundParams(const LfItem& i) {
    using lf::stored;
    QVariantList p{i.estValueFound,        stored(i.itemText),      stored(i.roomNumber),
                   stored(i.category),     stored(i.disposition),   stored(i.foundDate),
                   stored(i.disposedDate), stored(i.foundLocation), stored(i.storedLocation),
                   stored(i.tagNumber),    stored(i.finderName),    i.lastStatusBy,
                   i.lastStatusDateTime,   stored(i.photographName)};
    for (qint64 v : i.udCategory)
        p << lf::slotValue(v);
    return p;
}
} // namespace

qint64 LFInsertFoundItem(AppContext& ctx, LfItem& item) {
    item.status = kLfFound;
    lf::normalize(item);
    lf::stamp(ctx, item);
    QVariantList p = foundParams(item);
    p.insert(1, kLfFound);
    item.id = ctx.db().insert(
        "INSERT INTO [LostAndFound] ([EstValueFound], [ItemStatus], [ItemText], [RoomNumber], "
        "[Category], [Disposition], [FoundDate], [DisposedDate], [FoundLocation], "
        "[StoredLocation], [TagNumber], [FinderName], [LastStatusBy], [LastStatusDateTime], "
        "[PhotographName], [UdCategory1], [UdCategory2], [UdCategory3], [UdCategory4], "
        "[UdCategory5]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        p, "ItemID");
    return item.id;
}

bool LFUpdateFoundItem(AppContext& ctx, LfItem& item, const LfItem& opened, QString* refusal) {
    lf::normalize(item);
    lf::stamp(ctx, item);
    Database& db = ctx.db();
    QString why;
    db.transaction([&] {
        // The stored item must still be the one the desk opened: otherwise
        // this save would undo another desk's change and the history would
        // show old values that were never there.
        const auto row = lockOpen(db, item.id, kLfFound);
        if (!row) {
            why = kLfMsgFoundGone;
            return;
        }
        if (!LfChangedFields(ctx, opened, lf::itemFromRow(*row)).empty()) {
            why = kLfMsgFoundChanged;
            return;
        }
        QVariantList p = foundParams(item);
        p << item.id;
        db.exec("UPDATE [LostAndFound] SET [EstValueFound] = ?, [ItemText] = ?, [RoomNumber] = ?, "
                "[Category] = ?, [Disposition] = ?, [FoundDate] = ?, [DisposedDate] = ?, "
                "[FoundLocation] = ?, [StoredLocation] = ?, [TagNumber] = ?, [FinderName] = ?, "
                "[LastStatusBy] = ?, [LastStatusDateTime] = ?, [PhotographName] = ?, "
                "[UdCategory1] = ?, [UdCategory2] = ?, [UdCategory3] = ?, [UdCategory4] = ?, "
                "[UdCategory5] = ? WHERE [ItemID] = ? AND [ItemStatus] = 'F'",
                p);
        for (const LfFieldChange& c : LfChangedFields(ctx, opened, item))
            CreateChangeInLFHistory(ctx, item.id, c.field, c.origVal, c.newVal);
    });
    if (refusal) *refusal = why;
    return why.isEmpty();
}

std::optional<LfItem> LFGetTheItem(AppContext& ctx, qint64 id) {
    const auto row = ctx.db().queryOne(
        "SELECT " + lf::ItemColumns + " FROM [LostAndFound] WHERE [ItemID] = ?", {id});
    if (!row) return std::nullopt;
    return lf::itemFromRow(*row);
}

namespace {
// Deletes a record still on the list `status`, with its history rows; answers
// what was deleted.
std::optional<LfItem> deleteOpen(AppContext& ctx, qint64 id, const QString& status) {
    Database& db = ctx.db();
    std::optional<LfItem> gone;
    db.transaction([&] {
        const auto row = lockOpen(db, id, status);
        if (!row) return;
        db.exec("DELETE FROM [LostAndFound] WHERE [ItemID] = ? AND [ItemStatus] = ?", {id, status});
        db.exec("DELETE FROM [LostAndFoundHistory] WHERE [lfID] = ?", {id});
        gone = lf::itemFromRow(*row);
    });
    return gone;
}
} // namespace

bool LFDeleteLostItem(AppContext& ctx, qint64 id) {
    const std::optional<LfItem> gone = deleteOpen(ctx, id, kLfLost);
    if (!gone) return false;
    deletionLine(ctx, "Lost Item", gone->itemText);
    return true;
}

bool LFDeleteFoundItem(AppContext& ctx, qint64 id) {
    const std::optional<LfItem> gone = deleteOpen(ctx, id, kLfFound);
    if (!gone) return false;
    // The file goes once the record is gone for good, and only when no other
    // record names it.
    RemovePhotoOfRecord(ctx, gone->photographName, id);
    deletionLine(ctx, "Found Item", gone->itemText);
    return true;
}

bool LFAddReturnNotes(AppContext& ctx, qint64 id, const QString& notes) {
    Database& db = ctx.db();
    bool saved = false;
    const QString signature =
        "Added by " + ctx.session.name + " on " + Formats::ShortDate(ctx.clock().now().date());
    db.transaction([&] {
        if (!LockRowForBooking(db, "LostAndFound", "ItemID", id)) return;
        const QString before =
            db.scalar("SELECT [ReturnNotes] FROM [LostAndFound] WHERE [ItemID] = ?", {id})
                .toString()
                .trimmed();
        QString text = before;
        if (!text.isEmpty()) text += "\r\n";
        text += notes.trimmed() + "\r\n" + signature;
        saved = db.exec("UPDATE [LostAndFound] SET [ReturnNotes] = ? WHERE [ItemID] = ?",
                        {text, id}) == 1;
    });
    return saved;
}

// The found items' default is the first column the options page writes
// (FutureT6, named MatchDisposition in the settings map), the matched
// items' default the second (FutureT10, MatchDefault).
LfOptions GetOptionsLF(AppContext& ctx) {
    LfOptions o;
    o.foundDisposition = StoredText(GetTextSetting(ctx.db(), "MatchDisposition"));
    o.matchedDisposition = StoredText(GetTextSetting(ctx.db(), "MatchDefault"));
    return o;
}

QString CheckOptionsLF(const LfOptions& o) {
    if (blank(o.foundDisposition)) return kLfMsgOptionFoundDisposition;
    if (blank(o.matchedDisposition)) return kLfMsgOptionMatchedDisposition;
    return {};
}

void SetOptionsLF(AppContext& ctx, const LfOptions& o) {
    ctx.db().transaction([&] {
        SetTextSetting(ctx.db(), "MatchDisposition", CleanSqlTextKeepAmp(o.foundDisposition));
        SetTextSetting(ctx.db(), "MatchDefault", CleanSqlTextKeepAmp(o.matchedDisposition));
    });
}

bool LfLockCategoryItems(AppContext& ctx) {
    return GetVmSetting(ctx.db(), "LockLNFCategoryItems")
               .trimmed()
               .compare("True", Qt::CaseInsensitive) == 0;
}

bool LfLockEditing(AppContext& ctx) {
    return GetVmSetting(ctx.db(), "LockLNFEditing")
               .trimmed()
               .compare("True", Qt::CaseInsensitive) == 0;
}

bool LfUseItemIdAsTag(AppContext& ctx) {
    return GetVmSetting(ctx.db(), "LF_UseItemIdAsTag").trimmed() == "1";
}

QString LfTagCaption(AppContext& ctx) {
    return LfUseItemIdAsTag(ctx) ? QStringLiteral("Item ID") : QStringLiteral("Tag Number");
}

QString LfDisclaimer(AppContext& ctx, const QString& status) {
    if (status == kLfLost) return GetSqlValueString(ctx.db(), "LF_Lost_Disclaimer");
    if (status == kLfFound) return GetSqlValueString(ctx.db(), "LF_Found_Disclaimer");
    return GetSqlValueString(ctx.db(), "LF_Disposed_Disclaimer");
}

} // namespace vm
