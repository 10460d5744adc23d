// The events on paper: the three guest lists, the page's list and one
// event's details, as documents and through the preview windows to PDF.

#include "EventsFixture.h"

#include "../output/PdfReader.h"

#include "app/forms/Modules.h"
#include "app/forms/frmSearch.h"
#include "core/LongText.h"
#include "core/Settings.h"
#include "guests/forms/EventsModule.h"
#include "guests/forms/EventsPanel.h"
#include "guests/forms/frmEvent.h"
#include "guests/reports/EventReports.h"
#include "output/Document.h"
#include "output/forms/frmPrintPreview.h"
#include "platform/forms/DataGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

using namespace vm;
using namespace vm::test;

namespace {

frmPrintPreview* OpenPreview(const QString& windowName) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<frmPrintPreview*>(w); p && p->objectName() == windowName)
            return p;
    return nullptr;
}

void ClosePreviews() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmPrintPreview*>(w)) delete w;
}

class EventReports : public EventsFixture {
protected:
    void SetUp() override {
        EventsFixture::SetUp();
        EnsureApplication();
        RegisterEventReports(env.ctx->reports);
    }
    void TearDown() override { ClosePreviews(); }

    doc::Document build(const PrintRequest& r) {
        const ReportRoutine* routine = env.ctx->reports.find(r.routine);
        if (!routine) throw std::runtime_error("no routine " + r.routine.toStdString());
        return routine->build(*env.ctx, r);
    }
    QString refusal(const PrintRequest& r) {
        try {
            build(r);
        } catch (const ReportRefused& e) {
            return e.message();
        }
        return {};
    }
    static QString headerText(const doc::Document& d) {
        QStringList lines;
        for (const doc::Block& b : d.header)
            if (const auto* p = std::get_if<doc::Paragraph>(&b)) {
                QString line;
                for (const doc::Run& r : p->runs)
                    line += r.text;
                lines << line;
            }
        return lines.join('\n');
    }
    // The preview's document saved as a PDF and read back.
    QString savedPdf(frmPrintPreview* preview, const QString& name) {
        const QString path = env.root() + "/" + name + ".pdf";
        env.desktop.choose(path);
        click(*preview, "cmdPdf");
        return PdfPages(path).join('\f');
    }
    DayRange window() { return LimitedListDays(env.clock.today(), {}, {}); }
};

} // namespace

TEST_F(EventReports, GuestListHeadingsTakeTheSettingsAndTheListsDays) {
    const DayRange days{QDate(2026, 3, 7), QDate(2026, 4, 4)};
    EXPECT_EQ(
        GuestListHeading(*env.ctx, GuestList::Continuous, days),
        QStringList({"EVENTS and ENTERTAINMENT", "Event prices and times are subject to change",
                     "As of: Saturday, March 14, 2026", "Continuous Entertainment List"}));
    EXPECT_EQ(GuestListHeading(*env.ctx, GuestList::Limited, days).last(),
              "Limited Engagement Entertainment List   -  Events Occurring Between 03/07/2026 and "
              "04/04/2026");
    EXPECT_EQ(GuestListHeading(*env.ctx, GuestList::Future, days).last(),
              "Future Entertainment List   -  Events Occurring After: 03/14/2026");
    SetValueFromKey(env.db(), "Title", "HARBOUR NIGHTS");
    SetValueFromKey(env.db(), "SubTitle", "Ask the desk for tickets");
    SetValueFromKey(env.db(), "Title10", "Spring Season");
    SetValueFromKey(env.db(), "EntertainmentTitle", "Every Night at the Harbour");
    EXPECT_EQ(GuestListHeading(*env.ctx, GuestList::Continuous, days),
              QStringList({"HARBOUR NIGHTS", "Ask the desk for tickets", "Spring Season",
                           "As of: Saturday, March 14, 2026", "Every Night at the Harbour"}));
}

TEST_F(EventReports, GuestListsPrintWhatAGuestNeedsToGo) {
    for (GuestList list : {GuestList::Continuous, GuestList::Limited, GuestList::Future})
        EXPECT_EQ(refusal(GuestListRequest(list, window(), false)), MsgNoGuestListEvents);
    Event e;
    e.name = "Harbour Jazz Night";
    e.startingDate = day(1);
    e.throughDate = day(3);
    e.eventTime = "8:00 PM";
    e.location = "Blue Room";
    e.telephone = "555-0100";
    e.lowPrice = 10;
    e.highPrice = 25;
    e.dark = "Mondays";
    e.eventType = "Concert";
    e.notes = "Smart casual.";
    ASSERT_EQ(InsertEvent(*env.ctx, e), EventSave::Saved);
    addEvent("Hidden Rehearsal", day(1), {}, "Concert", "Blue Room", false);
    const doc::Document d = build(GuestListRequest(GuestList::Limited, window(), false));
    EXPECT_EQ(d.title, "Headliner Events");
    EXPECT_TRUE(headerText(d).contains("Between 03/07/2026 and 04/04/2026"));
    const QString t = doc::PlainText(d);
    EXPECT_TRUE(t.contains("Harbour Jazz Night\nWhen: 03/15/2026 through 03/17/2026   8:00 PM\n"
                           "Where: Blue Room\nTelephone: 555-0100\nPrices: 10.00 - 25.00\n"
                           "Dark: Mondays\nSmart casual."))
        << t.toStdString();
    EXPECT_FALSE(t.contains("Hidden Rehearsal"));
    // Chosen days outside the event's run leave nothing to print.
    EXPECT_EQ(refusal(GuestListRequest(GuestList::Limited, {QDate(2026, 5, 1), QDate(2026, 5, 31)},
                                       false)),
              MsgNoGuestListEvents);
}

TEST_F(EventReports, RoutinesOpenInTheirWindowsWithTheirTitles) {
    const struct {
        QString name;
        PreviewWindow window;
        bool rtf;
    } routines[] = {
        {"PrintEventContinuous", PreviewWindow::List, true},
        {"PrintEventHeadliner", PreviewWindow::List, true},
        {"PrintEventFuture", PreviewWindow::List, true},
        {"PrintEventContinuousLetterhead", PreviewWindow::Letter, true},
        {"PrintEventHeadlinerLetterhead", PreviewWindow::Letter, true},
        {"PrintEventFutureLetterhead", PreviewWindow::Letter, true},
        {"PrintEventList", PreviewWindow::List, true},
        {"PrintEventEntry", PreviewWindow::List, false},
    };
    for (const auto& r : routines) {
        const ReportRoutine* found = env.ctx->reports.find(r.name);
        ASSERT_TRUE(found) << r.name.toStdString();
        EXPECT_EQ(found->window, r.window) << r.name.toStdString();
        EXPECT_EQ(found->rtf, r.rtf) << r.name.toStdString();
    }
    EXPECT_EQ(GuestListRequest(GuestList::Continuous, window(), false).title, "On-Going Events");
    EXPECT_EQ(GuestListRequest(GuestList::Future, window(), true).routine,
              "PrintEventFutureLetterhead");
    EXPECT_EQ(EventEntryRequest(4).title, "Event Details");
    EXPECT_EQ(EventListRequest({4}).title, "Event List");
}

TEST_F(EventReports, TheListAndTheDetailsPrintWhatTheScreensHold) {
    const qint64 a = addEvent("Alpha", day(1), day(2), "Concert", "Atrium");
    const qint64 b = addEvent("Bravo", day(3));
    InsertEventSE(*env.ctx, {0, b, "Every", "Monday", "St. Patrick's matinee"});
    PutECT(*env.ctx, b, TextKind::EventNotes, "Tickets at the desk.");
    EXPECT_EQ(refusal(EventListRequest({})), MsgNoEventsToPrint);
    const QString list = doc::PlainText(build(EventListRequest({b, a})));
    EXPECT_TRUE(
        InOrder(list, {"Bravo", "Alpha\t\t03/15/2026\t03/16/2026", "2 Entries were selected"}))
        << list.toStdString();

    const QString details = doc::PlainText(build(EventEntryRequest(b)));
    for (const QString& part :
         {QString("Bravo"), QString("Dates:\t03/17/2026"),
          QString("Every\tMonday\tSt. Patrick's matinee"), QString("Notes:\nTickets at the desk.")})
        EXPECT_TRUE(details.contains(part)) << part.toStdString() << "\n" << details.toStdString();
    EXPECT_EQ(refusal(EventEntryRequest(999)), "The Event 999 does not exist.");
}

TEST_F(EventReports, AnEventWithAnExceptionShowsOnThePageAndOnTheThreeGuestLists) {
    InstallModuleHooks(*env.ctx);
    frmSearch window(*env.ctx);
    InstallEvents(*env.ctx, window);
    auto* panel = window.findChild<EventsPanel*>("EventsPanel");
    ASSERT_TRUE(panel);
    ASSERT_EQ(InsertEventType(*env.ctx, "Festival"), "");
    Q_EMIT window.loggedOn();

    // Entered on the event screen, with an exception.
    click(*panel, "cmdAddEvent");
    auto* f = panel->findChild<frmEvent*>();
    ASSERT_TRUE(f);
    find<QLineEdit>(*f, "txtEventName")->setText("Harbour Lantern Festival");
    find<QLineEdit>(*f, "txtStartingDate")->setText("03/20/2026");
    find<QLineEdit>(*f, "txtThroughDate")->setText("03/22/2026");
    find<QComboBox>(*f, "cboEventType")->setCurrentText("Festival");
    click(*f, "cmdSave");
    ASSERT_GT(f->eventId(), 0) << env.prompt.texts().join("|").toStdString();
    find<QLineEdit>(*f, "txtSEFrom")->setText("03/21/2026");
    find<QLineEdit>(*f, "txtSEThrough")->setText("03/21/2026");
    find<QLineEdit>(*f, "txtSEDescription")->setText("No lanterns: harbour closed");
    click(*f, "cmdSaveSE");
    ASSERT_EQ(GetEventSEs(*env.ctx, f->eventId()).size(), 1u);

    // Found by date, and by type.
    auto* by = find<QComboBox>(*panel, "cboSelectBy");
    by->setCurrentText("Event Date");
    find<QLineEdit>(*panel, "txtFrom")->setText("03/21/2026");
    click(*panel, "cmdSearch");
    DataGrid* grid = find<DataGrid>(*panel, "grdEvents");
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(grid->cell(0, 0), "Harbour Lantern Festival");
    by->setCurrentText("All Events");
    find<QLineEdit>(*panel, "txtFrom")->clear();
    find<QComboBox>(*panel, "cboEventType")->setCurrentText("Festival");
    click(*panel, "cmdSearch");
    ASSERT_EQ(grid->rowCount(), 1);

    // On paper: the limited and future lists, then the continuous one once it has no dates.
    click(*panel, "cmdLimited");
    frmPrintPreview* limited = OpenPreview("frmPrintObj");
    ASSERT_TRUE(limited) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(limited->windowTitle(), "Velmora Print Preview - Headliner Events");
    const QString l = savedPdf(limited, "Limited");
    EXPECT_TRUE(l.contains("Limited Engagement Entertainment List")) << l.toStdString();
    EXPECT_TRUE(l.contains("Harbour Lantern Festival")) << l.toStdString();
    ClosePreviews();

    find<QCheckBox>(*panel, "chkLetterhead")->setChecked(true);
    click(*panel, "cmdFuture");
    frmPrintPreview* future = OpenPreview("frmPrintLH");
    ASSERT_TRUE(future);
    const QString fu = savedPdf(future, "Future");
    EXPECT_TRUE(fu.contains("Future Entertainment List")) << fu.toStdString();
    EXPECT_TRUE(fu.contains("Harbour Lantern Festival"));
    ClosePreviews();

    click(*f, "chkContinuous");
    find<QLineEdit>(*f, "txtThroughDate")->clear();
    click(*f, "cmdSave");
    ASSERT_TRUE(GetTheEvent(*env.ctx, f->eventId())->continuous());
    find<QCheckBox>(*panel, "chkLetterhead")->setChecked(false);
    click(*panel, "cmdContinuous");
    frmPrintPreview* continuous = OpenPreview("frmPrintObj");
    ASSERT_TRUE(continuous) << env.prompt.texts().join("|").toStdString();
    const QString c = savedPdf(continuous, "Continuous");
    EXPECT_TRUE(c.contains("Continuous Entertainment List")) << c.toStdString();
    EXPECT_TRUE(c.contains("Harbour Lantern Festival"));
    EXPECT_TRUE(env.prompt.texts().isEmpty()) << env.prompt.texts().join("|").toStdString();

    // The screen prints the event's details with its exception.
    click(*f, "imgPrint");
    frmPrintPreview* details = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<frmPrintPreview*>(w);
            p && p->windowTitle().endsWith("Event Details"))
            details = p;
    ASSERT_TRUE(details);
    EXPECT_TRUE(savedPdf(details, "Details").contains("No lanterns: harbour closed"));
    delete f;
}
