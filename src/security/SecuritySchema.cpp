#include "core/schema/Schema.h"

namespace vm::schema {

// Logon records, the audit of suspected card numbers, and the card tables with
// their viewing and deletion logs.
void declareSecurityTables(Registry& r) {
    // One row per workstation; times are "YYYY/MM/DD HH:MM" text, OffDateTime
    // is empty while someone is logged on there.
    r.table("LoggedOn", "security")
        .id("LoggedOnID")
        .text("Workstation")
        .text("Concierge")
        .text("LogDateTime")
        .text("OffDateTime")
        .text("Telephone")
        .index({"Workstation"});

    // Every logon attempt.  MsgSource is 'S' or 'U'; the listings filter on it
    // and show the newest first, the purge deletes by time.  The lockout counts
    // a name's 'U' rows after its last 'S' row (LogonName, MsgSource, FailLogID).
    r.table("FailedLogOns", "security")
        .id("FailLogID")
        .text("Workstation")
        .text("LogDateTime")
        .text("MsgSource", 1)
        .addedAt(81051)
        .text("LogonName")
        .text("Password")
        .text("EncPW")
        .index({"LogDateTime"})
        .index({"MsgSource", "LogDateTime"}, 81051)
        .index({"LogonName", "MsgSource", "FailLogID"}, 81065);

    // Card-number-like text that a user chose to keep in a free-text field.
    r.table("Suspicious", "security")
        .createdAtLevel(81059)
        .id("SuspiciousID")
        .lng("RecordID")
        .text("Workstation")
        .text("Concierge")
        .text("DateTimeSA")
        .text("VmMName")
        .text("VmModule")
        .text("FieldSA")
        .memo("DataSA")
        .index({"DateTimeSA"});

    // Cards kept on a guest profile.  The daily purge selects by CreatedDate.
    r.table("ProfileCC", "security")
        .id("ProfileCCID")
        .lng("ProfileID")
        .text("CreditCardType")
        .text("CardNumber")
        .text("Expires")
        .text("EncCC")
        .text("EncExp")
        .date("CreatedDate")
        .addedAt(81060)
        .index({"ProfileID"})
        .index({"CreatedDate"}, 81060);

    // Every attempt to view a profile card (Viewed false: wrong password).
    r.table("ProfileCCV", "security")
        .lng("ProfileID")
        .lng("ProfileCCID")
        .boolean("Viewed")
        .text("Workstation")
        .text("Concierge")
        .text("LogDateTime")
        .text("Reason")
        .index({"ProfileID", "ProfileCCID", "LogDateTime"})
        .index({"LogDateTime"});

    // Every attempt to view the card of a logbook entry (MsgSource 'L', keyed
    // by LogID) or of a lost-and-found item ('F', keyed by ItemID).
    r.table("LogbookCCV", "security")
        .lng("LogbookID")
        .boolean("Viewed")
        .text("MsgSource")
        .text("Workstation")
        .text("Concierge")
        .text("LogDateTime")
        .text("Reason")
        .index({"LogbookID"})
        .index({"MsgSource", "LogDateTime"})
        .index({"LogDateTime"});

    // One row per card number removed from an entry or a profile.
    r.table("LogbookDeletedCC", "security")
        .createdAtLevel(81060)
        .id("ID")
        .lng("LogbookID")
        .date("DeletedDate")
        .text("DeletedBy")
        .index({"LogbookID"});

    r.table("ProfileDeletedCC", "security")
        .createdAtLevel(81060)
        .id("ID")
        .lng("ProfileID")
        .date("DeletedDate")
        .text("DeletedBy")
        .index({"ProfileID"});
}

} // namespace vm::schema
