#pragma once
// Lost and found: lost reports ("L"), found items ("F") and closed records
// ("D") in the one LostAndFound table; matching and closing, the dated mass
// operations with their CSV files, the user-defined lists, the change history
// of found items and the options.  Engine failures raise DbError; the screen
// that started the work reports them.
//
// Dates in LfItem are the stored "yyyy/MM/dd" texts ("" for none); the screen
// turns a typed short date into that form (an unreadable date becomes "").

#include "core/AppContext.h"

#include <QDate>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace vm {

inline const QString kLfLost = QStringLiteral("L");
inline const QString kLfFound = QStringLiteral("F");
inline const QString kLfClosed = QStringLiteral("D");

// The owner of an item (lost report, or the person an item went back to).
struct LfOwner {
    QString firstName, lastName, address, city, state, postalCode;
    QString homePhone, workPhone, otherPhone, emailAddress;

    QString name() const; // "First Last", either may be missing
};

// One LostAndFound row.
struct LfItem {
    qint64 id = 0;  // 0: not saved yet
    QString status; // kLfLost, kLfFound or kLfClosed
    QString itemText, category, roomNumber;
    // lost side
    QString lostDate, lostLocation;
    double estValueLost = 0;
    // found side
    QString foundDate, foundLocation, storedLocation, tagNumber, finderName;
    double estValueFound = 0;
    QString photographName; // file name inside the photo folder
    LfOwner owner;
    // closing
    QString disposition, disposedDate, returnDate, returnMethod, paymentMethod;
    double returnCharge = 0;
    QString encCC; // enciphered return-charge card ("" none)
    QString matchDisposition;
    QString returnNotes;
    std::array<qint64, 5> udCategory{0, 0, 0, 0, 0}; // enumID per list slot, 0 none
    QString lastStatusBy, lastStatusDateTime;        // "yyyy/MM/dd HH:mm"

    // "Entered by: " + name + " on " + timestamp ("" when never saved).
    QString enteredBy() const;
};

// A row of a list, besides id, status, itemText and category:
//   the search window's grid and printed list of
//     lost:   roomNumber, lostDate, lostLocation, estValueLost, firstName, lastName;
//     found:  foundDate, foundLocation, storedLocation, tagNumber, finderName;
//     closed: disposedDate, disposition, firstName, lastName, returnMethod;
//   the match grid of
//     lost reports: lostDate, lostLocation, firstName, lastName, photographName;
//     found items:  foundDate, foundLocation, finderName, photographName.
// The other fields stay empty; LFGetTheItem reads a whole record.
struct LfListRow {
    qint64 id = 0;
    QString status, itemText, category;
    QString roomNumber, lostDate, lostLocation;
    double estValueLost = 0;
    QString foundDate, foundLocation, storedLocation, tagNumber, finderName;
    QString photographName;
    QString firstName, lastName; // the owner
    QString disposedDate, disposition, returnMethod;

    QString ownerName() const; // as LfOwner::name
};

// ---- messages -------------------------------------------------------------
inline const QString kLfMsgLostDescription =
    QStringLiteral("Please enter the Description for this Lost Item.  Thank you.");
inline const QString kLfMsgCategory =
    QStringLiteral("Please select the Category for this Item.  Thank you.");
inline const QString kLfMsgLostLocation =
    QStringLiteral("Please select the Location where this Item was Lost.  Thank you.");
inline const QString kLfMsgLostDate =
    QStringLiteral("Please enter a valid Date Lost for this Item.  Thank you.");
inline const QString kLfMsgFirstName = QStringLiteral("Please enter the First Name.  Thank you.");
inline const QString kLfMsgLastName = QStringLiteral("Please enter the Last Name.  Thank you.");
inline const QString kLfMsgFoundDescription =
    QStringLiteral("Please enter the Description for this Found Item.  Thank you.");
inline const QString kLfMsgFoundLocation =
    QStringLiteral("Please select the Location where this Item was Found.  Thank you.");
inline const QString kLfMsgStorage =
    QStringLiteral("Please select the Storage Location for this Item.  Thank you.");
inline const QString kLfMsgDefaultDisposition =
    QStringLiteral("Please select the Default Disposition for this Item.  Thank you.");
inline const QString kLfMsgFoundDate =
    QStringLiteral("Please enter a valid Date Found for this Item.  Thank you.");
inline const QString kLfMsgFinderName =
    QStringLiteral("Please enter the Finder Name for this Item.  Thank you.");
inline const QString kLfMsgSaveBeforeMatch =
    QStringLiteral("Please save the item before searching for a Match.");
inline const QString kLfTitlePossibleMatch = QStringLiteral("Possible Match");
inline const QString kLfMsgNotAuthorizedMatchLost =
    QStringLiteral("You are not authorized to Match Lost Items.");
inline const QString kLfMsgNotAuthorizedMatchFound =
    QStringLiteral("You are not authorized to Match Found Items.");
inline const QString kLfMsgNoItemSelected = QStringLiteral("No Item Selected.");
inline const QString kLfMsgDispositionDate =
    QStringLiteral("Please enter a valid Disposition Date.  Thank you.");
inline const QString kLfMsgReturnDate =
    QStringLiteral("Please enter a valid Date Returned.  Thank you.");
inline const QString kLfMsgReturnMethod = QStringLiteral("Please select the Return Method.");
inline const QString kLfMsgCardsOff =
    QStringLiteral("Credit Card Numbers cannot be stored at this workstation.");
inline const QString kLfMsgFoundGone = QStringLiteral(
    "This Found Item has already been closed or deleted at another workstation.  No action "
    "will occur.");
inline const QString kLfMsgLostGone = QStringLiteral(
    "This Lost Item has already been closed or deleted at another workstation.  No action "
    "will occur.");
inline const QString kLfMsgFoundChanged = QStringLiteral(
    "This Found Item was changed at another workstation after you opened it.  Please close it "
    "and open it again to see the changes.  No action will occur.");
inline const QString kLfMsgLostChanged = QStringLiteral(
    "This Lost Item was changed at another workstation after you opened it.  Please close it "
    "and open it again to see the changes.  No action will occur.");
inline const QString kLfMsgDisposeFuture =
    QStringLiteral("The date selected to be used for Disposing all Found Item\rInformation "
                   "cannot be a future date.  Thank you.");
inline const QString kLfMsgDeleteLostFuture =
    QStringLiteral("The date selected to be used for deleting the Lost Item\rInformation cannot "
                   "be a future date.  Thank you.");
inline const QString kLfMsgDeleteDisposedFuture =
    QStringLiteral("The date selected to be used for deleting the Disposed Item\rInformation "
                   "cannot be a future date.  Thank you.");
inline const QString kLfMsgNoFoundPrior =
    QStringLiteral("No Found Items were found prior to this date.");
inline const QString kLfMsgNoLostPrior =
    QStringLiteral("No Lost Items were found prior to this date.");
inline const QString kLfMsgNoDisposedPrior =
    QStringLiteral("No Disposed Items were found prior to this date.");
inline const QString kLfMsgDateRequired = QStringLiteral("Please enter a valid date.");
inline const QString kLfMsgNotSavedDelete =
    QStringLiteral("This Item has not been saved, it may not be selected for deletion.\rNo action "
                   "will occur.  Thank you.");
inline const QString kLfMsgConfirmDeleteLost =
    QStringLiteral("Press <Yes> to DELETE this Lost Item Entry.\rPress <No> if you DO NOT wish "
                   "to delete.");
inline const QString kLfMsgConfirmDeleteFound =
    QStringLiteral("Press <Yes> to DELETE this Found Item Entry\rand the Photograph file (if one "
                   "is available).\rPress <No> if you DO NOT wish to delete.");
inline const QString kLfMsgEnterCriteria = QStringLiteral("Please enter your selection criteria.");
inline const QString kLfMsgSelectCriteria =
    QStringLiteral("Please select your selection criteria.");
inline const QString kLfMsgValidDate = QStringLiteral("Please enter a valid date.");
inline const QString kLfMsgItemIdNumber =
    QStringLiteral("Please enter the Item ID as a whole number.");
inline const QString kLfMsgNotAuthorizedWork =
    QStringLiteral("You are not authorized to Work with Lost and Found.");
inline const QString kLfMsgNotAuthorizedAdd =
    QStringLiteral("You are not authorized to Add Lost and Found Items.");
inline const QString kLfMsgTooManyLists =
    QStringLiteral("You may only have 5 user defined categories.");
inline const QString kLfTitleTooManyLists = QStringLiteral("Exceeding Category Count");
inline const QString kLfMsgNewList =
    QStringLiteral("Please enter the name of the new Category below.");
inline const QString kLfTitleNewList = QStringLiteral("Create New Category");
inline const QString kLfTitleRenameList = QStringLiteral("Rename Category");
inline const QString kLfMsgNewListItem =
    QStringLiteral("Please enter the name of the new Category Item below.");
inline const QString kLfTitleNewListItem = QStringLiteral("Create New Category Item");
inline const QString kLfTitleRenameListItem = QStringLiteral("Rename Category Item");
inline const QString kLfTitleDuplicateList = QStringLiteral("Duplicate Category");
inline const QString kLfMsgDeleteListItem = QStringLiteral(
    "WARNING\rDeleting a Category Item will also remove the item from existing\rLost and Found "
    "entries if they are using this category.\rAre you sure you wish to delete this Item "
    "Category?");
inline const QString kLfTitleDeleteListItem = QStringLiteral("Conirm Category Item Delete");
inline const QString kLfMsgListSlotMissing = QStringLiteral(
    "The new Category could not be given one of the 5 places.  No action will occur.");
inline const QString kLfUndefinedCategory = QStringLiteral("Undefined Category");
inline const QString kLfTitleReturnNotes = QStringLiteral("Return Notes Saved");
inline const QString kLfMsgReturnNotesSaved = QStringLiteral("The return notes have been saved.");
inline const QString kLfMsgNotAuthorizedDecrypt =
    QStringLiteral("You are not authorized to Decrypt Credit Card Numbers.");
inline const QString kLfMsgSaveBeforeDecrypt =
    QStringLiteral("Entry must be <Saved> before the credit card may be decrypted.");
inline const QString kLfMsgOptionFoundDisposition =
    QStringLiteral("Please select the Default Disposition for Found Items.");
inline const QString kLfMsgOptionMatchedDisposition =
    QStringLiteral("Please select the Default Disposition for Matched Items.");

// The screening form names of the three item screens.
inline const QString kLfFormLost = QStringLiteral("L&F Lost");
inline const QString kLfFormFound = QStringLiteral("L&F Found");
inline const QString kLfFormMatched = QStringLiteral("L&F Matched");

// "The system has located " + n + " possible matches." + line break + "Please examine ...".
QString LfPossibleMatchesText(int n);
// n + " Entries were selected."
QString LfEntriesSelectedText(int n);
// Duplicate list / list item refusals ("You already have the category '...' defined...").
QString LfDuplicateListText(const QString& name);
QString LfDuplicateListItemText(const QString& name);
QString LfRenameListText(const QString& name); // "Please enter the new name of the Category '...'"
QString LfRenameListItemText(const QString& name); // "... of the Category Item '...'"

// ---- lost reports and found items -----------------------------------------
// The first refusal of a lost report / found item as typed, in the screen's order; "" = may be
// saved.
QString LFCheckLostItem(const LfItem& item);
QString LFCheckFoundItem(const LfItem& item);

// Screens the free texts of `item` for card numbers under `form` (kLfFormLost,
// kLfFormFound): for each text holding one, `removeNumber(form, field)` says
// whether to remove it (ApplyCardScreening).  Answers the number of texts found.
using LfRemoveNumber = std::function<bool(const QString& form, const QString& field)>;
int LFScreenItemTexts(AppContext& ctx, LfItem& item, const QString& form,
                      const LfRemoveNumber& removeNumber);

// Files a new lost report / found item (status set here, texts stored in their
// stored forms, LastStatusBy/DateTime stamped).  Sets and answers item.id.
qint64 LFInsertLostItem(AppContext& ctx, LfItem& item);
qint64 LFInsertFoundItem(AppContext& ctx, LfItem& item);
// Updates a saved record still on its list; false when it was closed or
// deleted meanwhile (nothing written).  The found update also files one history
// row per field that differs from `opened` (the record as it was opened), in
// the same transaction; it refuses too when another desk saved the item since
// `opened` was read (the lost update when `opened` is given).  `refusal`
// (when given) receives the message of a false.
bool LFUpdateLostItem(AppContext& ctx, LfItem& item, const LfItem* opened = nullptr,
                      QString* refusal = nullptr);
bool LFUpdateFoundItem(AppContext& ctx, LfItem& item, const LfItem& opened,
                       QString* refusal = nullptr);

// One record by id (any status); nullopt when absent.
std::optional<LfItem> LFGetTheItem(AppContext& ctx, qint64 id);

// ---- match search ---------------------------------------------------------
struct LfMatchCriteria {
    bool sameCategory = false;
    bool sameLocation = false;
    bool dateWindow = false; // two days each way, both ends included
    bool byWord = false;     // the word, when not empty
    QString word;
};
// Found items that may match a saved lost report / lost reports that may match a
// saved found item, by ItemText.  No criterion: every open record of the other kind.
// By ItemText then ItemID.
std::vector<LfListRow> LFGetTheLostMatches(AppContext& ctx, const LfItem& lost,
                                           const LfMatchCriteria& c);
std::vector<LfListRow> LFGetTheFoundMatches(AppContext& ctx, const LfItem& found,
                                            const LfMatchCriteria& c);

// ---- search window --------------------------------------------------------
enum class LfSearchKind {
    All,         // every record of the list
    Word,        // ItemText contains value
    DateRange,   // the list's date (lost / found / disposed) from..through
    Disposition, // Disposition = value
    Location,    // LostLocation or FoundLocation = value
    RoomNumber,  // contains value
    Storage,     // StoredLocation = value
    TagOrId,     // TagNumber = value, or ItemID with LF_UseItemIdAsTag
    LastName,    // contains value
    FinderName   // contains value
};
struct LfSearch {
    QString status = kLfLost; // which list
    LfSearchKind kind = LfSearchKind::All;
    QString value;
    QDate from, through; // DateRange
    QString category;    // filter; "" = every category
};
struct LfSearchResult {
    QString refusal; // "" when the search ran
    std::vector<LfListRow> rows; // by ItemText then ItemID
};
LfSearchResult LFSearchItems(AppContext& ctx, const LfSearch& s);

// ---- closing --------------------------------------------------------------
struct LfClosing {
    qint64 lostId = 0;  // the lost report closed with the found item; 0: found item alone
    qint64 foundId = 0; // the found item
    QString disposition, disposedDate, returnDate, returnMethod, paymentMethod;
    double returnCharge = 0;
    QString typedCard; // as typed; never stored in clear
    QString matchDisposition;
    LfOwner owner;
};
// The first refusal of a closing as typed ("" = may be saved): dates, return
// method, then the card (digits and Luhn; refused when cards cannot be stored).
QString LFCheckClosing(AppContext& ctx, const LfClosing& c);
// Screens the closing's free texts (not the card) under kLfFormMatched.
int LFScreenClosingTexts(AppContext& ctx, LfClosing& c, const LfRemoveNumber& removeNumber);
struct LfMatchResult {
    bool ok = false;
    qint64 closedId = 0; // the "D" record
    QString message;     // the refusal when !ok
};
// Closes in one transaction: with a lost report, the lost row takes the found
// item's side (description, category, lists, photo, history rows) and the
// found row is deleted; alone, the found row becomes "D".  A found item no
// longer open (another desk closed it) refuses and nothing changes.
LfMatchResult LFMatchItem(AppContext& ctx, const LfClosing& c);

// Return notes of a closed record: the text with "Added by " + name + " on " +
// date appended to the notes already there.  False when the record is gone.
bool LFAddReturnNotes(AppContext& ctx, qint64 id, const QString& notes);

// ---- deleting -------------------------------------------------------------
// One record; the found item's photograph goes too unless another record uses
// it.  The deletion line goes to the shared text log.  False when absent.
bool LFDeleteLostItem(AppContext& ctx, qint64 id);
bool LFDeleteFoundItem(AppContext& ctx, qint64 id);

// ---- mass operations ------------------------------------------------------
enum class LfMassKind { DisposeFound, DeleteLost, DeleteDisposed };
using LfProgress = std::function<void(int done, int total)>;
// The refusal of a date ("" = may run): missing or in the future.
QString LFCheckMassDate(AppContext& ctx, LfMassKind kind, const QDate& prior);
// "Do you wish to Dispose ALL Found Items prior to " + date, and the delete questions.
QString LFMassConfirmText(LfMassKind kind, const QDate& prior);
struct LfMassResult {
    int count = 0;   // records handled
    QString path;    // the CSV file ("" when none written)
    bool ok = false; // file written and records handled (or nothing to do)
    QString message; // "The file: ... has been created.", the empty-result text, or the failure
};
// Exports the qualifying records to the output folder's CSV file, then changes
// exactly those records in one transaction; without the file nothing changes.
LfMassResult LFDisposeItems(AppContext& ctx, const QDate& prior, const LfProgress& progress = {});
LfMassResult LFDeleteLostItems(AppContext& ctx, const QDate& prior,
                               const LfProgress& progress = {});
LfMassResult LFDeleteDisposedItems(AppContext& ctx, const QDate& prior,
                                   const LfProgress& progress = {});
// The CSV file names and header rows.
QString LfMassFileName(LfMassKind kind);
QStringList LfMassColumns(LfMassKind kind);

// ---- user-defined lists ---------------------------------------------------
struct LfUdList {
    int slot = 0; // 1..5: the UdCategoryN it fills
    qint64 catId = 0;
    QString name;
    // "Custom (" + name + "):"
    QString caption() const;
};
struct LfUdListItem {
    qint64 enumId = 0;
    qint64 catId = 0;
    QString caption;
};
// The lists in slot order (only used slots).
std::vector<LfUdList> GetLostAndFoundUserDefinedCats(AppContext& ctx);
// The list in a slot (1..5); nullopt for "Undefined Category".
std::optional<LfUdList> LfListInSlot(AppContext& ctx, int slot);
// Items of a list in creation order.
std::vector<LfUdListItem> GetUserDefinedCategoryItems(AppContext& ctx, qint64 catId);
struct LfListResult {
    bool ok = false;
    qint64 id = 0;   // catID or enumID
    QString message; // refusal when !ok
    QString title;
};
// Refuses a sixth list, an empty or duplicate name (any case).
LfListResult CreateLostAndFoundUdCategory(AppContext& ctx, const QString& name);
LfListResult CreateLostAndFoundUdCategoryItem(AppContext& ctx, qint64 catId,
                                              const QString& caption);
LfListResult RenameLostAndFoundUdCategory(AppContext& ctx, qint64 catId, const QString& name);
LfListResult RenameLostAndFoundUdCategoryItem(AppContext& ctx, qint64 enumId,
                                              const QString& caption);
// Deletes the item and clears UdCategoryN where records hold it, in one
// transaction.  Answers the number of records cleared.
int DeleteLostAndFoundUdCategoryItem(AppContext& ctx, qint64 enumId);

// ---- history --------------------------------------------------------------
struct LfFieldChange {
    QString field, origVal, newVal;
};
// The audited fields of a found item that differ between two states.
std::vector<LfFieldChange> LfChangedFields(AppContext& ctx, const LfItem& opened,
                                           const LfItem& now);
// One history row by the session's member, stamped with the clock.
void CreateChangeInLFHistory(AppContext& ctx, qint64 lfId, const QString& field,
                             const QString& origVal, const QString& newVal);
// The history text, newest first: logDate CRLF name " modified '" field "'" CRLF
// "Old Value: " old CRLF "New: " new CRLF, per row.
QString GetLfHistry(AppContext& ctx, qint64 lfId);

// ---- options --------------------------------------------------------------
struct LfOptions {
    QString foundDisposition;   // default disposition of found items
    QString matchedDisposition; // default disposition of matched items
};
LfOptions GetOptionsLF(AppContext& ctx);
QString CheckOptionsLF(const LfOptions& o); // first refusal or ""
void SetOptionsLF(AppContext& ctx, const LfOptions& o);
bool LfLockCategoryItems(AppContext& ctx); // "LockLNFCategoryItems"
bool LfLockEditing(AppContext& ctx);       // "LockLNFEditing"
bool LfUseItemIdAsTag(AppContext& ctx);    // "LF_UseItemIdAsTag" = "1"
QString LfTagCaption(AppContext& ctx);     // "Item ID" or "Tag Number"
// The printed disclaimer of a list ("LF_Lost_Disclaimer", ...).
QString LfDisclaimer(AppContext& ctx, const QString& status);

} // namespace vm
