#include "core/schema/Schema.h"

namespace vm::schema {

// Entries, their text overflow and history (also held by the archive
// database, same layout), categories, data-entry designs with their printed
// forms, and saved export definitions.
void declareLogbookTables(Registry& r) {
    // Dates are "yyyy/mm/dd" text, so range tests and sorts work on the text.
    // Every list, count and search of the main window, the export, the report
    // writer and the statistics filters or orders by one of the indexed
    // columns below.
    r.table("LogBook", "logbook")
        .in(Current | Archive)
        .searchedByContains({"LastName", "FirstName"})
        .statisticsTogether({"Complete", "Cancelled"})
        .id("LogID")
        .text("GuestID")
        .text("FirstName")
        .text("LastName")
        .lng("ProfileID")
        .defaultsTo(0) // 0 = no link
        .lng("GroupID")
        .defaultsTo(0)
        .lng("ContactID")
        .defaultsTo(0)
        .text("EntryType") // the category by name
        .text("Notified", 50)
        .text("ReferDate")
        .text("ReferTime")
        .text("ArrivalDate")
        .text("DepartureDate")
        .text("RoomNumber")
        .text("EnteredBy")
        .text("Initials")
        .text("UpdatedDate")
        .text("EntryDate")
        .text("EntryTime")
        .boolean("Restricted")
        .boolean("Complete")
        .boolean("Cancelled")
        .boolean("OnHold")
        .boolean("Pending")
        .text("NoteField", 255)
        .text("MsgNotes")
        .lng("OpenTableID")
        .defaultsTo(0)
        .text("EncCC")
        .date("CC_CreatedDate")
        .addedAt(81060)
        .text("WebResID")
        .boolean("WebDNP")
        .versionedRows() // desks edit entries in place
        .index({"ReferDate", "ReferTime"})
        .index({"EntryDate", "EntryTime"})
        .index({"ArrivalDate"})
        .index({"DepartureDate"})
        .index({"UpdatedDate"})
        .index({"LastName", "FirstName"})
        .index({"FirstName"})
        .index({"RoomNumber"})
        .index({"GuestID"})
        .index({"EntryType", "ReferDate"})
        .index({"EntryType", "EntryDate"})
        .index({"EnteredBy"})
        // Entries by staff member over a range of dates: the count reads the
        // index alone instead of every entry of the member.
        .index({"EnteredBy", "ReferDate"}, 81066)
        .index({"EnteredBy", "EntryDate"}, 81066)
        .index({"Complete", "ReferDate"})
        // Due and overdue entries: open and not cancelled.  Cancelled entries
        // are not complete either, and after ten years they are tens of
        // thousands that the index above makes a list read one by one.
        .index({"Complete", "Cancelled", "ReferDate"}, 81065)
        .index({"ProfileID"})
        .index({"GroupID"})
        .index({"ContactID"})
        .index({"CC_CreatedDate"}, 81060);

    // The text beyond the first 255 characters, in 255-character pieces.  A
    // piece number occurs once per entry: a second copy would duplicate text.
    r.table("LogText", "logbook")
        .in(Current | Archive)
        .lng("LogID")
        .integer("Sequence")
        .text("NoteField", 255)
        .unique({"LogID", "Sequence"});

    r.table("LogbookHistory", "logbook")
        .in(Current | Archive)
        .lng("LogbookID")
        .text("Initials", 5)
        .text("LogDateTime", 16)
        .text("Reason", 50)
        .index({"LogbookID", "LogDateTime"});

    // Categories.  Entries store the name, so names are unique (ignoring case,
    // as every text comparison does).
    r.table("LogType", "logbook")
        .id("LogTypeID")
        .text("LogType")
        .boolean("Restricted")
        .boolean("IsReserved")
        .boolean("DNPItinerary")
        .boolean("ResortClubLocked")
        .boolean("ReadOnly")
        .addedAt(81061)
        .integer("DayLogs")
        .defaultsTo(0) // 0 = no daily limit
        .unique({"LogType"});

    // The labelled lines (at most 15) that structure a category's entry text.
    r.table("DEDesign", "logbook")
        .id("DesignID")
        .lng("LogTypeID")
        .integer("SequenceNo")
        .text("LabelText")
        .boolean("EncryptThis")
        .boolean("DoNotPrint")
        .boolean("ResortClubLocked")
        .boolean("Contact2DE")
        .index({"LogTypeID", "SequenceNo"});

    // A category's custom printed form: sizes and margins in inches.
    r.table("DEFormS", "logbook")
        .id("DEFormSID")
        .lng("LogTypeID")
        .text("FontName")
        .dbl("FontSize")
        .memo("StaticArray")
        .dbl("PageHeight")
        .dbl("PageWidth")
        .dbl("TopMargin")
        .dbl("BottomMargin")
        .dbl("LeftMargin")
        .dbl("RightMargin")
        .text("Valediction")
        .boolean("PrintLogID")
        .boolean("LogoYesNo")
        .dbl("LogoLeft")
        .dbl("LogoTop")
        .dbl("LogoAspect")
        .index({"LogTypeID"});

    // The design lines chosen for a printed form, by label.
    r.table("DEFormD", "logbook")
        .lng("DEFormSID")
        .integer("SequenceNo")
        .text("LabelText")
        .index({"DEFormSID", "SequenceNo"});

    // Saved export criteria.  The serialised definition grows with every
    // category and item chosen, so it is long text.
    r.table("LogbookExportDefs", "logbook")
        .id("ID")
        .text("DefName")
        .memo("Definition")
        .index({"DefName"});
}

} // namespace vm::schema
