// Tables of guest profiles, the contact directory, groups and events.
//
// Contact and event tables (and the shared long-text and document stores they
// use) exist both in the current database and in the common contacts/events
// database, which several properties may share.  Text dates are "YYYY/MM/DD"
// and compare as text; text times are "HH:MM".

#include "core/schema/Schema.h"

namespace vm::schema {

namespace {

constexpr unsigned CurrentAndCommon = Current | Common;

void declareProfiles(Registry& r) {
    r.table("Profile", "guests")
        .id("ProfileID")
        .text("FirstName")
        .text("LastName")
        .text("Salutation")
        .addedAt(81054)
        .text("DocumentLink") // the unit on residential properties
        // home, business and other address sets
        .text("Address")
        .text("Address2")
        .text("City")
        .text("State")
        .text("Country")
        .text("PostalCode")
        .text("Address12")
        .text("Address22")
        .text("City2")
        .text("State2")
        .text("Country2")
        .text("PostalCode2")
        .text("Address13")
        .text("Address23")
        .text("City3")
        .text("State3")
        .text("Country3")
        .text("PostalCode3")
        .integer("PrimaryAddress") // 0 home, 1 business, 2 other
        // copy of the primary set: lists, searches and sorts use these
        .text("Address1S")
        .text("Address2S")
        .text("CityS")
        .text("StateS")
        .text("CountryS")
        .text("PostalCodeS")
        .text("EmailAddress")
        .text("EmailAddressB")
        .text("HomePhone")
        .text("FaxPhone")
        .text("BusinessPhone")
        .text("CellPhone")
        .text("OtherPhone")
        .text("Title")
        .text("CompanyName")
        .text("AsstName")
        .text("AsstEmailAddress")
        .text("AsstCellPhone")
        .text("AsstBusinessPhone")
        .text("AsstFaxPhone")
        .text("ProfileType")
        .text("ProfileColor") // colour literal such as "&H0000C000&"
        .boolean("ColorCode")
        .boolean("PublicPrivate")
        .lng("GroupID")
        .defaultsTo(0) // 0 = no group
        .boolean("DNUSnailMail")
        .boolean("DNUEmail")
        .boolean("DNUEmailB")
        .boolean("DNUHomePhone")
        .boolean("DNUFaxPhone")
        .boolean("DNUBusinessPhone")
        .boolean("DNUCellPhone")
        .boolean("DNUOtherPhone")
        .versionedRows() // desks edit profiles in place
        .searchedByContains({"LastName", "FirstName", "DocumentLink"})
        .index({"LastName", "FirstName"})
        .index({"FirstName", "LastName"})
        .index({"StateS", "CityS"})
        .index({"ProfileType"})
        .index({"GroupID"});

    // Indicator types; the name is what profiles store, so it must stay unique.
    r.table("ProfileTS", "guests")
        .id("ProfileTSID")
        .text("PreferenceType")
        .text("EntryHint")
        .text("EmailAddress")
        .boolean("PublicPrivate")
        .integer("SequenceNo")
        .unique({"PreferenceType"});

    r.table("ProfilePI", "guests")
        .id("ProfilePIID")
        .lng("ProfileID")
        .boolean("PublicPrivate")
        .integer("SequenceNo")
        .text("PreferenceType")
        .text("PreferenceSelection")
        .index({"ProfileID", "SequenceNo"})
        // indicator search and the "GuestID" look-up
        .index({"PreferenceType", "PreferenceSelection"});

    r.table("ProfileCH", "guests")
        .id("ContactHistoryID")
        .lng("ProfileID")
        .date("ContactDate")
        .text("ContactType")
        // "" means no result yet; the search for open contacts relies on it
        // never being null, also for rows written without a result.
        .text("ContactResult")
        .defaultsTo(QString(""))
        .index({"ProfileID", "ContactDate"})
        .index({"ContactType", "ContactDate"})
        .index({"ContactDate"});

    r.table("ProfileGL", "guests")
        .id("ProfileGLID")
        .lng("ProfileID")
        .lng("GroupID")
        .text("CreationDate")
        .index({"ProfileID"})
        .index({"GroupID"});

    r.table("ProfileTH", "guests")
        .createdAtLevel(81059)
        .id("ProfileTHID")
        .lng("ProfileID")
        .text("Confirmation")
        .text("ArrivalDate")
        .text("DepartureDate")
        .index({"ProfileID", "ArrivalDate"}, 81059)
        .index({"Confirmation"}, 81059);

    // Filled by the hotel-system interfaces; only its key is known here.
    r.table("ProfileLCD", "guests").lng("ProfileID").notNull().key({"ProfileID"});
}

void declareContacts(Registry& r) {
    r.table("Contact", "guests")
        .in(CurrentAndCommon)
        .id("ContactID")
        .text("ContactName")
        .text("NickName")
        .text("Address")
        .text("CrossStreets")
        .text("City")
        .text("State")
        .text("Country")
        .text("PostalCode")
        .text("Affiliation")    // logbook category name
        .text("CommissionType") // language number, as text
        .text("DocumentLink")   // area
        .text("KeywordSet")
        .integer("Rating")
        .integer("Ranking")
        .text("Proximity")
        .boolean("PublicPrivate")
        .boolean("Commissionable")
        .boolean("IsReserved")
        .boolean("IsClosed")
        .text("GraphicFile")
        .text("GuestInfo")
        .text("EnteredBy")
        .addedAt(81046)
        .text("EntryDate")
        .addedAt(81046)
        .text("EntryTime")
        .addedAt(81046)
        .text("LUInitials")
        .text("UpdateDate")
        .lng("OTRestaurantID")
        .text("OTCuisine")
        .text("OTNeighborhood")
        .text("OTPrice")
        .text("OTHost")
        .versionedRows() // desks edit contacts in place
        .searchedByContains({"ContactName", "NickName", "Address", "KeywordSet"})
        // lists are per language, sorted by rank and name by default
        .index({"CommissionType", "Ranking", "ContactName"})
        .index({"CommissionType", "ContactName"})
        .index({"ContactName"})
        .index({"City"})
        .index({"DocumentLink"})
        .index({"OTRestaurantID"});

    r.table("ContactType", "guests")
        .in(CurrentAndCommon)
        .id("TypeID")
        .text("ContactType")
        .text("TypeOfType", 1) // T, E, I or O
        .integer("Sequence");

    // At most one row per contact and type.
    r.table("ContactData", "guests")
        .in(CurrentAndCommon)
        .lng("ContactID")
        .notNull()
        .lng("TypeID")
        .notNull()
        .text("ContactData")
        .boolean("PublicPrivate")
        .key({"ContactID", "TypeID"})
        .index({"TypeID"});

    r.table("Keyword", "guests")
        .in(CurrentAndCommon)
        .id("KeywordID")
        .text("Keyword")
        .index({"Keyword"});
}

// Stores that every subsystem uses: document links, lookup lists, long texts.
void declareSharedStores(Registry& r) {
    r.table("ContactDocs", "guests")
        .in(CurrentAndCommon)
        .id("DocumentID")
        .lng("ContactID") // the owner's key, whatever its kind
        .text("SourceType", 1)
        .text("Description", 250)
        .text("FileName", 100)
        .text("FileName2", 250)
        .index({"ContactID", "SourceType", "Description"});

    r.table("Other", "guests")
        .id("OtherID")
        .text("OtherType")
        .text("OtherValue")
        .text("OtherValue1")
        .addedAt(81056)
        .text("OtherValue2")
        .addedAt(81056)
        .index({"OtherType", "OtherValue"});

    // Texts longer than a column, in 255-character pieces numbered from 1.
    // Owner kinds run up to six characters ("SignUp").  Some kinds keep
    // several one-piece rows per owner (service links, language skills), so
    // the piece number is not unique.
    r.table("EvConText", "guests")
        .in(CurrentAndCommon)
        .lng("EvConKey")
        .text("EvConType", 10)
        .integer("Sequence")
        .text("NoteField", 255)
        .index({"EvConKey", "EvConType", "Sequence"})
        // look-ups by value within a kind: service links, category lists
        .index({"EvConType", "NoteField"});
}

void declareGroups(Registry& r) {
    r.table("Group", "guests")
        .id("GroupID")
        .text("GroupName")
        .integer("Attendees")
        .text("ArrivalDate")
        .text("DepartureDate")
        .text("GroupMgr")
        .text("SalesMgr")
        .text("MeetingPlanner")
        .text("GroupContact")
        .text("Notes")
        .versionedRows()
        .index({"GroupName"})
        .index({"DepartureDate", "ArrivalDate"});

    r.table("GroupSchedule", "guests")
        .id("GroupScheduleID")
        .lng("GroupID")
        .text("MeetingDate")
        .text("MeetingTime")
        .text("EndTime")
        .text("Function")
        .text("Venue")
        .index({"GroupID", "MeetingDate", "MeetingTime"})
        .index({"MeetingDate"}); // the day's diary across groups

    // Logbook entry templates of a group; they stay with the group in the
    // current database and are never archived.
    r.table("GroupLog", "guests")
        .id("GroupLogID")
        .lng("GroupID")
        .text("LogName")
        .text("EntryType") // logbook category name
        .text("ReferDate")
        .text("ReferTime")
        .text("LogData1")
        .text("LogData2")
        .text("LogData3")
        .text("LogData4")
        .text("LogData5")
        .text("LogData6")
        .memo("LogData")
        .addedAt(81057)
        .index({"GroupID", "LogName"})
        .index({"EntryType"});
}

void declareEvents(Registry& r) {
    r.table("Event", "guests")
        .in(CurrentAndCommon)
        .id("EventID")
        .text("EventName")
        .text("StartingDate") // null: a continuous event
        .text("ThroughDate")
        .text("EventTime")
        .text("Location")
        .text("Telephone")
        .currency("LowPrice")
        .currency("HighPrice")
        .text("Dark")
        .boolean("PrintOnList")
        .text("EventType")
        .text("EnteredBy")
        .text("EntryDate")
        .text("EntryTime")
        .text("LUInitials")
        .addedAt(81046)
        .text("UpdateDate")
        .addedAt(81046)
        .text("DocumentLink")
        .versionedRows()
        .index({"EventName", "StartingDate"})
        .index({"StartingDate"})
        .index({"ThroughDate"})
        .index({"EventType"})
        .index({"Location"});

    r.table("EventType", "guests")
        .in(CurrentAndCommon)
        .id("TypeID")
        .text("EventType")
        .boolean("IsReserved")
        .index({"EventType"});

    r.table("EventSE", "guests")
        .in(CurrentAndCommon)
        .createdAtLevel(81047)
        .id("EventSEID")
        .lng("EventID")
        .text("SEFrom")    // a date or "Every"
        .text("SEThrough") // a date or a weekday
        .text("SEDescription")
        .index({"EventID", "SEFrom"}, 81047);
}

} // namespace

void declareGuestsTables(Registry& r) {
    declareProfiles(r);
    declareContacts(r);
    declareSharedStores(r);
    declareGroups(r);
    declareEvents(r);
}

} // namespace vm::schema
