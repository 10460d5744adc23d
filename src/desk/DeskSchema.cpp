#include "core/schema/Schema.h"

namespace vm::schema {

// Quick viewer (tasks, diary, document links, reference lists) and staff
// messages (messages, tickler notes, news board).
void declareDeskTables(Registry& r) {
    // Recurring duties.  Descriptions beyond 100 characters continue in
    // EvConText rows of type 'T'.
    r.table("TaskMaster", "desk")
        .id("MasterID")
        .text("Recurrence")
        .text("Category")
        .text("Description", 100)
        .text("Initials")
        .text("TaskDoW")
        .integer("TaskMonth")
        .integer("TaskDay") // 99 = last day of the month
        .integer("Sequence")
        .text("MessageGroup")
        .text("MessageTime");

    // One row per task per day; TaskID is negative for one-time tasks.
    r.table("TaskStatus", "desk")
        .id("StatusID")
        .lng("TaskID")
        .integer("Sequence")
        .text("Category")
        .text("Description", 100)
        .text("Initials")
        .text("TaskDate")
        .text("Completed")
        .text("CompletedBy")
        .text("CompletionDateTime")
        .text("TaskNotes")
        .index({"TaskDate", "Completed"})
        .index({"TaskID"});

    r.table("DayNotes", "desk")
        .id("NoteID")
        .text("Concierge")
        .text("DiaryGroup")
        .lng("ColorCode")
        .text("NoteDate")
        .text("NoteText")
        .index({"NoteDate", "DiaryGroup"});

    // Links to files staff must read; "9999/12/31" when they never expire.
    r.table("Documents", "desk")
        .id("DocumentID")
        .text("Description")
        .text("Effective")
        .text("ExpirationDate")
        .text("FileName")
        .index({"Effective"})
        .index({"ExpirationDate"});

    r.table("DocsRead", "desk")
        .lng("DocumentID")
        .text("Initials")
        .text("DateRead")
        .index({"DocumentID", "Initials"});

    r.table("QVCategory", "desk")
        .id("QVCategoryID")
        .text("Category")
        .text("Label1")
        .text("Label2")
        .text("Label3")
        .text("Label4")
        .text("Label5")
        .text("Notes")
        .text("Notes2")
        .text("KeyField")
        .index({"Category"});

    r.table("QVData", "desk")
        .id("QVDataID")
        .lng("QVCategoryID")
        .text("Label1Data")
        .text("Label2Data")
        .text("Label3Data")
        .text("Label4Data")
        .text("Label5Data")
        .index({"QVCategoryID", "Label1Data"});

    // One row per recipient.  LogbookID: the entry the message is about,
    // 0 = none, -1 = disposed of.  Workstations poll by recipient and due
    // time; the copies of a group message share CreateDateTime and SentFrom.
    r.table("MsgTimer", "desk")
        .id("TimerID")
        .text("MsgDateTime")
        .text("TypeOfMessage")
        .addedAt(81048)
        .text("SentFrom")
        .text("ConciergeName")
        .text("CreateDateTime")
        .lng("LogbookID")
        .index({"ConciergeName", "MsgDateTime"})
        .index({"LogbookID"})
        .index({"CreateDateTime", "SentFrom"})
        .index({"SentFrom"})
        .index({"MsgDateTime"});

    // Message text in 255-character pieces; a piece number occurs once per
    // message.
    r.table("MsgText", "desk")
        .lng("TimerID")
        .integer("Sequence")
        .text("MsgText", 255)
        .unique({"TimerID", "Sequence"});

    // Notes shown on chosen weekdays for a category ('L') or a contact ('C').
    r.table("TicklerNotes", "desk")
        .id("TicklerID")
        .text("FromType")
        .lng("FromID")
        .text("StartingDate")
        .text("ThroughDate")
        .text("TDayOfWeek")
        .text("TMessage")
        .index({"FromType", "FromID"})
        .index({"ThroughDate"});

    r.table("NewsBook", "desk")
        .id("NewsBookID")
        .text("NewsItem")
        .text("DisplayColor")
        .boolean("FontBold");
}

} // namespace vm::schema
