#pragma once
// Rentals and inventory: the catalogue of items (Stuff), the loans of rental
// items (StuffArch, one row per loan, open while its ReturnDate is null), the
// issue and restock of stock items and the rental confirmation texts
// (RentalCT per category, the defaults in Authorization).  All of it in the
// current database.  Engine failures raise DbError; the screen reports them.
//
// An item is in while its ReturnDate is empty (" ", null or "0"); out while it
// holds the due-back date.  Every change of that state is one conditional
// UPDATE whose row count decides, written with its loan in one transaction,
// so two desks never lend the same item twice or close a loan twice.

#include "core/AppContext.h"
#include "core/Rights.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <optional>
#include <vector>

namespace vm {

// Stuff.StuffType: the item tab the item belongs to.  The unit of a rental
// charge follows the type: days for Daily, hours for Hourly.
namespace StuffType {
inline constexpr int Inventory = 1; // stock items, issued by quantity
inline constexpr int Daily = 2;
inline constexpr int Hourly = 3;
} // namespace StuffType
bool IsRentalType(int type);

// EvConText kind of a member's own list of rental categories (one row per
// category name, keyed by ConciergeID).
inline const QString RentalCategoriesKind = QStringLiteral("R");

struct StuffItem {
    qint64 id = 0;
    int type = StuffType::Inventory;
    QString category, itemName, itemNumber;
    int rentalDays = 0;
    double rentalCharge = 0; // the rate per unit
    int par = 0, onHand = 0;
    // The loan while the item is out; empty while it is in.
    QString renterName, roomNumber;
    QString returnDate; // stored "yyyy/MM/dd"
    QString returnTime; // "hh:mm AM"
    QString returnTimeSort;

    bool isOut() const;
};

struct StuffLoan {
    qint64 id = 0; // StuffArchID
    qint64 stuffId = 0, categoryId = 0;
    QString itemName; // of the catalogue item, when it still exists
    QString renterName, roomNumber;
    QString checkoutDate, checkoutTime; // "yyyy/MM/dd", "hh:mm AM"
    double charge = 0;
    QString returnDate, returnTime, returnTimeSort; // empty while open

    bool isOpen() const { return returnDate.isEmpty(); }
};

// ---- Rules (no database) ----------------------------------------------------

// "HHmm" of a time (the key that orders times within a day); " " for none.
QString ReturnTimeSortKey(const QTime& t);
// Calendar boundaries crossed between check-out and return: days for Daily
// items, hours for Hourly ones (10:59 to 11:01 is one hour).
qint64 RentalUnits(int type, const QDateTime& out, const QDateTime& back);
// Units times the rate when there are units; 0 otherwise.
double RentalChargeFor(double rate, qint64 units);
// Amounts as shown: the rate "####.00", a loan's charge "#,###.#0", list lines
// "###.00" and the total "##,###.00".
QString ShownRate(double v);
QString ShownCharge(double v);
QString ShownLineCharge(double v);
QString ShownTotal(double v);

// A refusal: the message and the objectName of the box to put the focus in.
struct RentalRefusal {
    QString message;
    QString field;
    bool refused() const { return !message.isEmpty(); }
};

// What the item boxes hold when Save is pressed.
struct TypedItem {
    QString category, itemName, itemNumber, rentalDays, rentalCharge, par, onHand;
};
// The first refusal, in the screen's order; none when the item may be saved.
RentalRefusal CheckStuffItem(int type, const TypedItem& typed);
// The values of a typed item that passed CheckStuffItem.
StuffItem StoredItem(int type, const TypedItem& typed);

// What the loan boxes hold for a check-out or a change of date.
struct TypedLoan {
    QString renterName, roomNumber, returnDate, returnTime, quantity;
};
// A typed quantity: a whole number from 1; nullopt for anything else.
std::optional<int> ParseQuantity(const QString& typed);

// ---- Lists ------------------------------------------------------------------

// Whether the logged-on member sees every category: a manager, the guest and
// support sessions, or a member whose AllRentals is set.
bool SeesAllRentalCategories(AppContext& ctx);
// The rental categories (the reservation categories' names) the member may
// see and file items under.
QStringList VisibleRentalCategories(AppContext& ctx);
// One item tab's list, by Category, ItemName, ItemNumber, within the member's categories.
std::vector<StuffItem> GetRentalItems1(AppContext& ctx, int type);
// Items out, by ReturnDate, ReturnTimeSort, ItemName; with a valid `dueBy` only
// those due back on or before that day.
std::vector<StuffItem> GetItemsRented(AppContext& ctx, const QDate& dueBy = {});
// Items with fewer on hand than their par (the shopping list), by ItemName.
std::vector<StuffItem> GetReStockItems(AppContext& ctx);
std::optional<StuffItem> GetStuffItem(AppContext& ctx, qint64 stuffId);

// The grids' cells.
QStringList ItemGridHeaders();
QStringList ItemGridCells(const StuffItem& item);
QStringList ItemsOutHeaders();
QStringList ItemsOutCells(const StuffItem& item);
QStringList RestockHeaders();
QStringList RestockCells(const StuffItem& item);

// ---- Catalogue --------------------------------------------------------------

// Inserts (id 0) or updates the item's catalogue columns; answers its id (0
// when another desk deleted it).  OnHand is written only when it differs from
// `onHandWas`, the count the screen loaded: an unchanged box never undoes an
// issue or restock made meanwhile at another desk.
qint64 SaveStuffItem(AppContext& ctx, StuffItem& item, std::optional<int> onHandWas = {});
// Deletes the item and its loans; an item that is out is refused.  Answers
// the refusal, "" when deleted.
QString DeleteStuffItem(AppContext& ctx, qint64 stuffId);

// ---- Loans and stock --------------------------------------------------------

struct RentalOutcome {
    bool done = false;
    RentalRefusal refusal;
    qint64 loanId = 0; // the loan opened, changed or closed
    double charge = 0; // its charge
    int onHand = 0;    // stock after an issue or restock
};

// Check-out, in the screen's order: right 12, the rental period, the name, the
// room, the return date and time; then the item and its loan in one
// transaction.  A stock item is issued instead (the quantity typed).
RentalOutcome CheckOutItem(AppContext& ctx, qint64 stuffId, const TypedLoan& typed);
// Check-in: right 11; the item is cleared and its open loan closed with
// today's date and the present time (the loan keeps its charge).
RentalOutcome CheckInItem(AppContext& ctx, qint64 stuffId);
// A new due-back date and time for an item that is out; the open loan's
// charge follows when the new moment gives units, else it stays.
RentalOutcome ChangeItemDate(AppContext& ctx, qint64 stuffId, const TypedLoan& typed);
// Stock: OnHand less / plus the typed quantity.  An issue never takes OnHand
// below zero.
RentalOutcome IssueItem(AppContext& ctx, qint64 stuffId, const QString& quantity);
RentalOutcome RestockItem(AppContext& ctx, qint64 stuffId, const QString& quantity);

// The item's loans by return (the open one last).
std::vector<StuffLoan> GetStuffHistory(AppContext& ctx, qint64 stuffId);
// The item's open loan.
std::optional<StuffLoan> GetStuffCheckout(AppContext& ctx, qint64 stuffId);
std::optional<StuffLoan> GetStuffLoan(AppContext& ctx, qint64 loanId);
// "Checked out 03/14/2026 09:30 AM  -  Charge: 30.00"; "" without a loan.
QString CheckoutCaption(const std::optional<StuffLoan>& loan);

// ---- Search -----------------------------------------------------------------

// The refusal for the typed dates ("" when they may be searched).
QString CheckLoanSearch(const QString& from, const QString& through);
// Loans returned (or, with `byCheckout`, checked out) between the two days,
// optionally of one category (ResTypeID; 0 = all).
std::vector<StuffLoan> GetStuffSearch(AppContext& ctx, const QDate& from, const QDate& through,
                                      bool byCheckout, qint64 categoryId = 0);
QStringList SearchHeaders();
QStringList SearchCells(const StuffLoan& loan);
// The last line: "TOTAL:" under the room and the sum of the charges.
QStringList SearchTotalCells(const std::vector<StuffLoan>& loans);

// ---- Rental texts -----------------------------------------------------------

struct RentalTexts {
    QString conf1, conf2; // line breaks CRLF
    bool isEmpty() const { return conf1.trimmed().isEmpty() && conf2.trimmed().isEmpty(); }
};
struct RentalDefaults {
    RentalTexts texts;
    bool printCheckOut = false; // FutureB14
    bool printCheckIn = false;  // FutureB15
};
// The reservation category of a name (its ResTypeID), 0 when none.
qint64 RentalCategoryId(AppContext& ctx, const QString& category);
RentalTexts GetRentalText(AppContext& ctx, qint64 categoryId);
// Right 15 and a category; "" when saved.
QString SaveRentalText(AppContext& ctx, qint64 categoryId, const RentalTexts& texts);
RentalDefaults GetRentalDefaults(AppContext& ctx);
// Right 15; "" when saved.
QString SaveRentalDefaults(AppContext& ctx, const RentalDefaults& d);
// The texts a charges sheet of the category prints: its own, else the defaults.
RentalTexts TextsForCategory(AppContext& ctx, qint64 categoryId);

// ---- Texts ------------------------------------------------------------------

inline const QString MsgRentalCheckInRefused =
    QStringLiteral("You are not authorized to Check In Rental Items.");
inline const QString MsgRentalCheckOutRefused =
    QStringLiteral("You are not authorized to Check Out Rental Items.");
inline const QString MsgRentalPrintRefused =
    QStringLiteral("You are not authorized to Print Rental Reports.");
inline const QString MsgRentalSearchRefused =
    QStringLiteral("You are not authorized to Search Rentals by Date.");
inline const QString MsgRentalDefaultsRefused =
    QStringLiteral("You are not authorized to Set Default Values.");

inline const QString MsgRentalCategory =
    QStringLiteral("Please select the Category for this Item.  Thank you.");
inline const QString MsgRentalDescription =
    QStringLiteral("Please enter the Item Description.  Thank you.");
inline const QString MsgRentalPeriod =
    QStringLiteral("Please enter a Rental Period for this Item.  Thank you.");
inline const QString MsgRentalTextCategory =
    QStringLiteral("Please select the Category for the Rental Text. ");
inline const QString MsgRentalName = QStringLiteral("Please enter the Name.  Thank you");
inline const QString MsgRentalRoom = QStringLiteral("Please enter the Room Number.  Thank you");
inline const QString MsgRentalReturnDate =
    QStringLiteral("Please enter a valid Return Date for this Item.  Thank you.");
inline const QString MsgRentalDelete =
    QStringLiteral("Press <Yes> to DELETE this Item.\r\nPress <No> if you DO NOT wish to delete.");
inline const QString MsgRentalSearchOrder =
    QStringLiteral("Through date must be greater than the From date.");
inline const QString MsgRentalSearchDate = QStringLiteral("Please enter a valid date.");
inline const QString MsgRentalNothingToExport =
    QStringLiteral("Please select some information first.  Then create the Export file.");
inline const QString RentalExportFileName = QStringLiteral("VmRentals.csv");

// The desk's own texts for the checks the older screen did not make.
inline const QString MsgRentalReturnTime =
    QStringLiteral("Please enter a valid Return Time for this Item.  Thank you.");
inline const QString MsgRentalCharge =
    QStringLiteral("Please enter a valid Rental Charge for this Item.  Thank you.");
inline const QString MsgRentalPar =
    QStringLiteral("Please enter a valid Par for this Item.  Thank you.");
inline const QString MsgRentalOnHand =
    QStringLiteral("Please enter a valid On Hand count for this Item.  Thank you.");
inline const QString MsgRentalQuantity =
    QStringLiteral("Please enter a valid Quantity (a whole number from 1).  Thank you.");
inline const QString MsgRentalTooMany = QStringLiteral(
    "There are not that many of this Item on hand.  Nothing was issued.  Thank you.");
inline const QString MsgRentalAlreadyOut =
    QStringLiteral("This Item is already checked out.  Please check it in first.  Thank you.");
inline const QString MsgRentalNotOut = QStringLiteral("This Item is not checked out.  Thank you.");
inline const QString MsgRentalOutNoDelete = QStringLiteral(
    "This Item is checked out and cannot be deleted.  Please check it in first.  Thank you.");
inline const QString MsgRentalGone =
    QStringLiteral("This Item no longer exists.  It may have been deleted at another desk.");
inline const QString MsgRentalSelectItem =
    QStringLiteral("Please select an Item first.  Thank you.");

} // namespace vm
