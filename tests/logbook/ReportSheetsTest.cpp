// The logbook's sheets and lists: details, confirmation sheet, service
// requests, messages and the Logbook page's list; what every routine keeps
// off paper; refusals.

#include "ReportFixture.h"

#include <QRegularExpression>

using namespace vm;
using namespace vm::test;

class ReportSheets : public ReportFixture {};

namespace {

const QStringList SingleEntryRoutines{"PrintGuestConfirmation", "PrintConfirmationReport",
                                      "PrintGuestServiceRequest", "PrintVendorServiceRequest",
                                      "PrintLogbookEntry"};
const QStringList GuestRoutines{"PrintGuestConfirmation", "PrintConfirmationReport",
                                "PrintGuestServiceRequest", "PrintVendorServiceRequest",
                                "PrintGuestArrivals"};

QVariantMap One(qint64 id) {
    return {{ArgLogId, id}, {ArgLogIds, QVariantList{id}}};
}

} // namespace

TEST_F(ReportSheets, CatalogueHoldsEveryRoutineInItsWindow) {
    const QList<std::tuple<QString, PreviewWindow, bool, bool>> expected{
        {"PrintGuestConfirmation", PreviewWindow::Letter, true, true},
        {"PrintConfirmationReport", PreviewWindow::List, false, false},
        {"PrintGuestServiceRequest", PreviewWindow::List, true, false},
        {"PrintVendorServiceRequest", PreviewWindow::List, true, false},
        {"PrintLogbookEntry", PreviewWindow::List, false, false},
        {"PrintLogbookCorrespondence", PreviewWindow::Letter, true, false},
        {"PrintLogbookList", PreviewWindow::List, true, false},
        {"PrintLogbookMessages", PreviewWindow::List, false, false},
        {"PrintGuestArrivals", PreviewWindow::Letter, false, false}};
    for (const auto& [name, window, rtf, email] : expected) {
        SCOPED_TRACE(name.toStdString());
        const ReportRoutine* r = catalogue.find(name);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->window, window);
        EXPECT_EQ(r->rtf, rtf);
        EXPECT_EQ(r->email, email);
        EXPECT_TRUE(bool(r->build));
    }
    EXPECT_EQ(catalogue.names().size(), expected.size());

    // The entry screen's documents open these routines.
    EXPECT_EQ(EntryReportFor("Details").routine, "PrintLogbookEntry");
    EXPECT_EQ(EntryReportFor("Confirmation").title, "Guest Confirmation");
    EXPECT_EQ(EntryReportFor("VendorRequest").title, "Guest Vendor Request");
    EXPECT_EQ(EntryReportFor("CustomForm").routine, "PrintDEForm");
    EXPECT_TRUE(EntryReportFor("Itinerary").routine.isEmpty());
}

TEST_F(ReportSheets, DoNotPrintLinesStayOffGuestDocumentsOnly) {
    const qint64 id = add(booking());
    for (const QString& routine : GuestRoutines) {
        SCOPED_TRACE(routine.toStdString());
        const QString t = text(routine, One(id));
        EXPECT_TRUE(t.contains("Restaurant: Chez Leon")) << t.toStdString();
        EXPECT_FALSE(t.contains("Commission")) << t.toStdString();
        EXPECT_FALSE(t.contains("12%"));
    }
    // The desk's own sheet shows every line.
    const QString details = text("PrintLogbookEntry", id);
    EXPECT_TRUE(details.contains("Commission:\t12%")) << details.toStdString();
    EXPECT_TRUE(details.contains("Restaurant:\tChez Leon"));
}

TEST_F(ReportSheets, NoCardNumberReachesPaper) {
    LogEntry e = booking();
    e.text = "Restaurant: Chez Leon\r\nGuarantee 4111 1111 1111 1111 exp 12/28";
    e.msgNotes = "Card 5500-0000-0000-0004 on file";
    const qint64 id = add(e);
    const QStringList routines =
        SingleEntryRoutines + QStringList{"PrintGuestArrivals", "PrintLogbookList"};
    for (bool noCards : {false, true}) {
        flag("NoCreditCards", noCards);
        for (const QString& routine : routines) {
            SCOPED_TRACE((routine + (noCards ? " NoCreditCards" : "")).toStdString());
            const QString t = text(routine, One(id));
            EXPECT_FALSE(t.contains("4111 1111 1111 1111")) << t.toStdString();
            EXPECT_FALSE(t.contains("1111 1111 1111"));
            EXPECT_FALSE(t.contains("5500-0000-0000"));
            if (noCards)
                EXPECT_TRUE(t.contains("DELETED CC#"));
            else
                EXPECT_TRUE(t.contains(QRegularExpression("x{4}[ x]*1111"))) << t.toStdString();
        }
    }
}

TEST_F(ReportSheets, ServiceRequestsFollowTheirRoomSwitchAndWording) {
    const qint64 id = add(booking());
    flag("PrintRoom", true); // the letters' switch does not reach the requests
    flag("PrintRmNO", false);
    for (const char* routine : {"PrintGuestServiceRequest", "PrintVendorServiceRequest"})
        EXPECT_FALSE(text(routine, id).contains("Room Number:")) << routine;
    flag("PrintRmNO", true);
    const QString vendor = text("PrintVendorServiceRequest", id);
    EXPECT_TRUE(vendor.contains("Room Number:\t401"));
    EXPECT_TRUE(vendor.contains("Please confirm this booking by telephone."));
    EXPECT_TRUE(vendor.contains("Thank you, "));
    EXPECT_FALSE(vendor.contains("We look forward")); // the guest's wording
    const QString guest = text("PrintGuestServiceRequest", id);
    EXPECT_TRUE(guest.contains("Prepared by Ann Desk on Tuesday, March 10, 2026"));
    EXPECT_FALSE(guest.contains("Please confirm this booking"));
}

TEST_F(ReportSheets, DetailsShowTheWholeEntryAndItsHistory) {
    LogEntry e = booking();
    e.pending = true;
    e.notified = "Telephone";
    const qint64 id = add(e);
    store().UpdateLogbookHistory(id, "AD", "2026/03/10 09:15", "Logbook Entry was updated.");
    const QString t = text("PrintLogbookEntry", id);
    for (const QString& line : {QString("Logbook ID:\t%1").arg(id), QString("Category:\tDining"),
                                QString("Status:\tPending"), QString("Notified:\tTelephone"),
                                QString("Date:\tSunday, March 15, 2026 at 07:30 PM"),
                                QString("Window table (AD 2026/03/10 09:00)"),
                                QString("2026/03/10 09:15\tAD\tLogbook Entry was updated.")})
        EXPECT_TRUE(t.contains(line)) << line.toStdString() << "\n" << t.toStdString();
}

TEST_F(ReportSheets, ArchiveEntriesAreReadFromTheArchive) {
    Database& archive = *env.ctx->archive;
    const qint64 old = archive.insert(
        "INSERT INTO [LogBook] ([FirstName], [LastName], [EntryType], [ReferDate], [ReferTime], "
        "[NoteField]) VALUES ('Zoë', 'Archer', 'Dining', '2025/12/31', '20:00', ?)",
        {"Restaurant: Old Inn\r\n" + QString(234, 'a')}, "LogID");
    archive.exec("INSERT INTO [LogText] ([LogID], [Sequence], [NoteField]) VALUES (?, 1, 'TAIL')",
                 {old});
    const doc::Document d = build("PrintLogbookEntry", {{ArgLogId, old}, {ArgArchive, true}});
    EXPECT_TRUE(headerText(d).contains("From the Archive File"));
    const QString t = doc::PlainText(d);
    EXPECT_TRUE(t.contains("Guest:\tZoë Archer"));
    EXPECT_TRUE(t.contains(QString(234, 'a') + "TAIL")); // the overflow of the same database
    EXPECT_TRUE(t.contains("Restaurant:\tOld Inn"));
    EXPECT_EQ(refusal("PrintLogbookEntry", {{ArgLogId, old + 500}}),
              MsgEntryNotFound(old + 500, LogSource::Current));
}

TEST_F(ReportSheets, UnknownEntriesAreRefused) {
    const QStringList routines =
        SingleEntryRoutines + QStringList{"PrintLogbookMessages", "PrintLogbookCorrespondence"};
    for (const QString& routine : routines) {
        SCOPED_TRACE(routine.toStdString());
        EXPECT_EQ(refusal(routine, {{ArgLogId, 4242}}), MsgEntryNotFound(4242, LogSource::Current));
        EXPECT_EQ(refusal(routine, {{ArgLogId, 4242}, {ArgArchive, true}}),
                  MsgEntryNotFound(4242, LogSource::Archive));
        EXPECT_EQ(refusal(routine, {}), MsgEntryNotFound(0, LogSource::Current));
    }
}

TEST_F(ReportSheets, MessagesOfTheEntryInTimeOrder) {
    const qint64 id = add(booking());
    EXPECT_EQ(refusal("PrintLogbookMessages", {{ArgLogId, id}}), MsgNoMessages);
    auto message = [&](const QString& when, const QString& to, const QStringList& pieces) {
        const qint64 timer = env.db().insert(
            "INSERT INTO [MsgTimer] ([MsgDateTime], [ConciergeName], [SentFrom], [LogbookID]) "
            "VALUES (?, ?, 'Ann Desk', ?)",
            {when, to, id}, "TimerID");
        for (int i = 0; i < pieces.size(); ++i)
            env.db().exec(
                "INSERT INTO [MsgText] ([TimerID], [Sequence], [MsgText]) VALUES (?, ?, ?)",
                {timer, i + 1, pieces[i]});
    };
    message("2026/03/11 08:00", "Bo Night", {"Call the restaurant ", "before noon"});
    message("2026/03/10 17:00", "Cy Day", {"Ask about the window table"});
    const doc::Document d = build("PrintLogbookMessages", {{ArgLogId, id}});
    EXPECT_TRUE(headerText(d).contains(QString("Logbook ID %1 - Pat Smith - Dining").arg(id)));
    const QString t = doc::PlainText(d);
    const qsizetype first = t.indexOf("2026/03/10 17:00\tCy Day\tAnn Desk\tAsk about the window");
    const qsizetype second =
        t.indexOf("2026/03/11 08:00\tBo Night\tAnn Desk\tCall the restaurant before noon");
    ASSERT_GE(first, 0) << t.toStdString();
    EXPECT_GT(second, first);
}

// The Logbook page's list -----------------------------------------------------

TEST_F(ReportSheets, ListKeepsTheOrderShownAndAccentedNames) {
    LogEntry cancelled = booking("Núñez");
    cancelled.cancelled = true;
    const qint64 a = add(cancelled);
    const qint64 b = add(booking("Ébert"));
    const qint64 c = add(booking("Günther"));
    const doc::Document d = build("PrintLogbookList", {{ArgLogIds, ids({c, 777777, a, b})}});
    EXPECT_TRUE(headerText(d).contains("Concierge Logbook List - Using Current File"));
    const QString t = doc::PlainText(d);
    EXPECT_TRUE(t.startsWith("Last Name\tFirst Name\tRoom\tCategory\tNotified\tRefer Date"));
    const qsizetype first = t.indexOf("\nGünther\tPat\t401\tDining\t\t03/15/2026\t19:30\tAD\t");
    const qsizetype second = t.indexOf("\nNúñez  (CXL)\tPat\t");
    const qsizetype third = t.indexOf("\nÉbert\tPat\t");
    ASSERT_GT(first, 0) << t.toStdString();
    EXPECT_GT(second, first);
    EXPECT_GT(third, second);
    EXPECT_TRUE(t.contains("3 Entries were selected"));

    flag("UseGuestID", true);
    EXPECT_TRUE(text("PrintLogbookList", {{ArgLogIds, ids({a})}}).contains("\tGuest ID\t"));
}

TEST_F(ReportSheets, ListOfTheArchiveAndEmptyLists) {
    const qint64 current = add(booking("Current"));
    Database& archive = *env.ctx->archive;
    const qint64 old = archive.insert(
        "INSERT INTO [LogBook] ([FirstName], [LastName], [EntryType], [ReferDate], [NoteField]) "
        "VALUES ('Zoë', 'Archer', 'Dining', '2025/12/31', 'Old')",
        {}, "LogID");
    const doc::Document d =
        build("PrintLogbookList", {{ArgLogIds, ids({old})}, {ArgArchive, true}});
    EXPECT_TRUE(headerText(d).contains("Concierge Logbook List - Using Archive File"));
    EXPECT_TRUE(doc::PlainText(d).contains("Archer\tZoë"));
    EXPECT_FALSE(doc::PlainText(d).contains("Current"));

    EXPECT_EQ(refusal("PrintLogbookList", {{ArgLogIds, QVariantList{}}}), MsgNoEntriesChosen);
    EXPECT_EQ(refusal("PrintLogbookList", {{ArgLogIds, ids({current + 1000})}}),
              MsgEntryNotFound(current + 1000, LogSource::Current));
}

TEST_F(ReportSheets, LongListsAreReadInSlicesWithTheirTexts) {
    std::vector<qint64> added;
    env.db().transaction([&] {
        for (int i = 0; i < 850; ++i) {
            LogEntry e = booking(QString("Guest%1").arg(i, 4, 10, QChar('0')));
            e.text = QString(300, QChar('a' + i % 26)); // one overflow piece each
            added.push_back(add(e));
        }
    });
    std::vector<qint64> reversed(added.rbegin(), added.rend());
    const std::vector<LogEntry> read = ReadEntries(*env.ctx, reversed, LogSource::Current);
    ASSERT_EQ(read.size(), reversed.size());
    for (size_t i = 0; i < read.size(); i += 97) {
        EXPECT_EQ(read[i].logId, reversed[i]);
        EXPECT_EQ(read[i].text.size(), 300);
        EXPECT_EQ(read[i].text.back(), read[i].text.front());
    }
}
