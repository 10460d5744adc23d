#include "core/schema/Schema.h"

// Tables of lost and found, key control and rentals.
// Text dates are stored as "YYYY/MM/DD" and timestamps as "YYYY/MM/DD HH:MM"; both
// compare correctly as text, so the list orders and date ranges use plain indexes.

namespace vm::schema {

namespace {

void declareLostAndFound(Registry& r) {
    // One row per record; ItemStatus says which list it is on: "L" lost, "F" found,
    // "D" closed.  ItemText and EmailAddress start at 100 characters; the upgrade
    // to 81064 widens both to 250.
    r.table("LostAndFound", "operations")
        .id("ItemID")
        .text("ItemStatus", 1)
        .text("ItemText", 100)
        .text("Category")
        .text("RoomNumber")
        .addedAt(81050)
        .text("LostDate")
        .text("LostLocation")
        .currency("EstValueLost")
        .text("FoundDate")
        .text("FoundLocation")
        .text("StoredLocation")
        .text("TagNumber")
        .text("FinderName")
        .currency("EstValueFound")
        .text("PhotographName")
        .text("FirstName")
        .text("LastName")
        .text("Address")
        .text("City")
        .text("State")
        .text("PostalCode")
        .text("HomePhone")
        .text("WorkPhone")
        .text("OtherPhone")
        .text("EmailAddress", 100)
        .text("Disposition")
        .text("DisposedDate")
        .text("ReturnDate")
        .text("ReturnMethod")
        .text("PaymentMethod")
        .currency("ReturnCharge")
        .text("EncCC")
        .text("MatchDisposition")
        .memo("ReturnNotes") // notes added to a closed record
        .lng("UdCategory1")
        .addedAt(81064)
        .lng("UdCategory2")
        .addedAt(81064)
        .lng("UdCategory3")
        .addedAt(81064)
        .lng("UdCategory4")
        .addedAt(81064)
        .lng("UdCategory5")
        .addedAt(81064)
        .text("LastStatusBy")
        .addedAt(81050)
        .text("LastStatusDateTime")
        .addedAt(81050)
        // every list is one status, ordered by description or bounded by one of its dates
        .index({"ItemStatus", "ItemText"})
        .index({"ItemStatus", "Category"})
        .index({"ItemStatus", "LostDate"})
        .index({"ItemStatus", "FoundDate"})
        .index({"ItemStatus", "DisposedDate"})
        .index({"TagNumber"})
        // The "contains" searches of the search window and the match search.
        .searchedByContains({"LastName", "FinderName", "ItemText", "RoomNumber"});

    r.table("LostAndFoundHistory", "operations")
        .createdAtLevel(81064)
        .id("id")
        .lng("lfID")
        .lng("userID")
        .date("logDate")
        .text("field", 100)
        .text("origVal", 250)
        .text("newVal", 250)
        .index({"lfID", "logDate"});

    r.table("UserDefinedEnumCategories", "operations")
        .createdAtLevel(81064)
        .id("catID")
        .text("category", 100)
        .unique({"category"});

    // enumID grows with creation order, which is the order the items are listed in.
    r.table("UserDefinedEnumItems", "operations")
        .createdAtLevel(81064)
        .id("enumID")
        .text("caption", 150)
        .lng("catID")
        .unique({"catID", "caption"});

    // A single row: the catID of the list behind each LostAndFound.UdCategoryN.
    r.table("LostAndFoundUdCats", "operations")
        .createdAtLevel(81064)
        .lng("UdCategory1")
        .lng("UdCategory2")
        .lng("UdCategory3")
        .lng("UdCategory4")
        .lng("UdCategory5");
}

void declareKeyControl(Registry& r) {
    // KeyStatus "I" in or "O" out; DateTimeOut/DateTimeDue hold the current loan.
    r.table("KeyMaster", "operations")
        .id("KeyMasterID")
        .text("KeyNumber")
        .text("KeyGroupName")
        .text("Description")
        .lng("OutDuration")
        .text("OutHoursDays")
        .text("KeyStatus", 1)
        .text("DateTimeOut")
        .text("DateTimeDue")
        .lng("KeyEmployeeID")
        .unique({"KeyNumber"})
        .index({"KeyGroupName", "KeyNumber"})
        .index({"KeyStatus", "KeyGroupName", "KeyNumber"})
        .index({"KeyEmployeeID"});

    r.table("KeyEmployee", "operations")
        .id("KeyEmployeeID")
        .text("EmployeeName")
        .text("EmployeeNumber")
        .text("JobTitle")
        .unique({"EmployeeNumber"})
        .index({"EmployeeName"});

    // Which employee may borrow which key; an employee's list is replaced as a whole.
    r.table("KeyAssignment", "operations")
        .lng("KeyEmployeeID")
        .notNull()
        .lng("KeyMasterID")
        .notNull()
        .key({"KeyEmployeeID", "KeyMasterID"})
        .index({"KeyMasterID"});

    // One row per loan; MinutesFromDue is positive when the key came back late.
    r.table("KeyHistory", "operations")
        .id("KeyHistoryID")
        .lng("KeyEmployeeID")
        .lng("KeyMasterID")
        .text("KeyStatus", 1)
        .text("DateTimeOut")
        .text("DateTimeDue")
        .text("DateTimeBack")
        .lng("MinutesFromDue")
        .index({"KeyMasterID", "DateTimeOut"})
        .index({"KeyEmployeeID", "DateTimeOut"})
        .index({"KeyStatus", "DateTimeDue"})
        .index({"DateTimeDue"});
}

void declareRentals(Registry& r) {
    // The catalogue; an item that is out carries its renter and due-back date.
    r.table("Stuff", "operations")
        .id("StuffID")
        .integer("StuffType")
        .text("Category")
        .text("ItemName")
        .text("ItemNumber")
        .lng("RentalDays")
        .currency("RentalCharge")
        .lng("Par")
        .lng("OnHand")
        .text("RenterName")
        .text("RoomNumber")
        .text("ReturnDate")
        .text("ReturnTime")
        .text("ReturnTimeSort")
        .index({"StuffType", "Category", "ItemName", "ItemNumber"})
        .index({"ReturnDate", "ReturnTimeSort", "ItemName"})
        .index({"ItemName"});

    // One row per loan; the loan is open while ReturnDate is null.
    r.table("StuffArch", "operations")
        .id("StuffArchID")
        .lng("StuffID")
        .lng("CategoryID")
        .text("RenterName")
        .text("RoomNumber")
        .text("CheckoutDate")
        .text("CheckoutTime")
        .currency("RentalCharge")
        .text("ReturnDate")
        .text("ReturnTime")
        .text("ReturnTimeSort")
        .index({"StuffID", "ReturnDate"})
        .index({"StuffID", "CheckoutDate"})
        .index({"ReturnDate"})
        .index({"CheckoutDate"});

    // Rental confirmation texts per category.
    r.table("RentalCT", "operations")
        .lng("CategoryID")
        .notNull()
        .memo("RentConf1")
        .memo("RentConf2")
        .key({"CategoryID"});
}

} // namespace

void declareOperationsTables(Registry& r) {
    declareLostAndFound(r);
    declareKeyControl(r);
    declareRentals(r);
}

} // namespace vm::schema
