// Staff accounts, rights and the property's settings stores.
#include "core/schema/Schema.h"

namespace vm::schema {

namespace {

void declareAuthorization(Registry& r) {
    Table& t = r.table("Authorization", "core");
    t.id("AuthorizationID").lng("DBUpdateLevel");
    // Historic switch columns behind the logical boolean settings.
    for (int i = 1; i <= 25; ++i)
        t.boolean(QString("FutureB%1").arg(i));
    for (int i = 1; i <= 10; ++i)
        t.boolean(QString("NewBool%1").arg(i, 2, 10, QChar('0')));
    for (int i = 1; i <= 9; ++i)
        t.boolean(QString("Boolean%1").arg(i));
    for (const char* c :
         {"PrintTeam", "UseLHLogo", "DisableGuest", "EventSubscriber", "ContactSubscriber",
          "SecureMsgCtr", "ReplaceWB", "SecureContacts", "SecureEvents", "SecureGroups",
          "SecureProfiles", "Security1", "Security2", "Security3", "Security4", "Security5"})
        t.boolean(c);
    t.boolean("PMSSalutation").addedAt(81055).boolean("PMSSchedule").addedAt(81055);
    for (int i = 1; i <= 12; ++i)
        t.text(QString("FutureT%1").arg(i), 255);
    for (const char* c : {"CancelColor", "CompleteColor", "IncompleteColor", "OnHoldColor",
                          "PendingColor", "ProfileColor"})
        t.text(c, 20);
    t.text("ConfirmationLine1", 255).text("ConfirmationLine2", 255).text("ConfirmationLine3", 255);
    t.text("ContactsLocation", 255).text("DefaultAreaCode", 10);
    t.text("MapAddress", 255)
        .text("MapCity", 100)
        .text("MapName", 255)
        .text("MapPostalCode", 20)
        .text("MapState", 50);
    t.text("MasterComputer", 100);
    for (const char* c : {"OTMetroName", "OTCategory", "OTConfirmation", "OTName", "OTNotes",
                          "OTNumber", "OTPhone", "OTTime", "OTPartnerID"})
        t.text(c, 100);
    t.text("PMSDateType", 20).addedAt(81055);
    t.memo("RentConf1").memo("RentConf2").text("Valediction", 255);
    t.text("TrueValue", 20).text("FalseValue", 20);
    t.text("LHFontName", 50).dbl("LHFontSize");
    t.text("DailyDate", 10).text("CheckTask", 100);
    for (const char* c :
         {"OTAreaID",       "OTHotelID",       "LogoAspect",      "Logo1Aspect",
          "LogoLeftMargin", "Logo1LeftMargin", "LogoRightMargin", "Logo1RightMargin",
          "LHLeftMargin",   "LHRightMargin",   "LHTopMargin",     "LHBottomMargin",
          "CFLeftMargin",   "CFRightMargin",   "CFTopMargin",     "CFBottomMargin",
          "FutureD1",       "FutureD2",        "FutureD3",        "FutureD4"})
        t.dbl(c);
    t.lng("PasswordDays").lng("LogonDays").lng("InactiveMinutes");
    t.integer("ConfirmationStyle").integer("EventStyle").integer("ResendInterval");
}

} // namespace

void declareCoreTables(Registry& r) {
    declareAuthorization(r);

    r.table("Concierge", "core")
        .id("ConciergeID")
        .text("Concierge", 50)
        .text("UserProfile", 50)
        .text("Password", 255)
        .text("PriorPwd1", 255)
        .text("PriorPwd2", 255)
        .text("PriorPwd3", 255)
        .text("PriorPwd4", 255)
        .text("CCViewPW", 255)
        .text("PriorCPwd1", 255)
        .text("PriorCPwd2", 255)
        .text("PriorCPwd3", 255)
        .text("PriorCPwd4", 255)
        .text("Initials", 5)
        .text("MessageGroup", 255)
        .text("EmailAddress", 100)
        .text("Telephone", 50)
        .text("JobTitle", 50)
        .text("EUserID", 50)
        .text("Status", 1)
        .boolean("Authorized")
        .boolean("Restricted")
        .boolean("ReadOnly")
        .boolean("LSkillsOnly")
        .boolean("InhibitMsg")
        .boolean("DNIMessages")
        .boolean("AllLogs")
        .boolean("AllRentals")
        .addedAt(81053)
        .text("WorkSchedule", 7)
        .text("HoursShift", 50)
        .text("LastLogon", 10)
        .text("LastPWChange", 10)
        .text("OTConciergeID", 50)
        .text("LastViewedWB", 10)
        .text("TimeViewed", 20)
        // Wrong card-viewing passwords in a row; at the lockout's limit card
        // viewing is locked until a manager resets the card password.
        .lng("CCViewFailures")
        .addedAt(81065)
        .notNull()
        .defaultsTo(0)
        .unique({"Initials"})
        .index({"UserProfile"})
        .index({"Status", "Concierge"});

    r.table("ConciergePlus", "core")
        .lng("ConciergeID")
        .text("Tabs", 30)
        .text("Globals", 30)
        .text("Contacts", 30)
        .text("Events", 30)
        .text("Logbook", 30)
        .text("Messages", 30)
        .text("Others", 30)
        .text("Profiles", 30)
        .text("Administration", 30)
        .text("Maintenance", 30)
        .text("Future1", 30)
        .text("AddOns", 30)
        .key({"ConciergeID"});

    r.table("VmSettings", "core")
        .createdAtLevel(81055)
        .text("Key", 30)
        .text("Value", 250)
        .key({"Key"});

    r.table("GlobalString", "core")
        .createdAtLevel(81064)
        .id("GlobalStringID")
        .text("StringName", 50)
        .memo("StringValue")
        .unique({"StringName"}, 81064);
}

} // namespace vm::schema
