// The logbook's documents from the main window: the Logbook page's list and
// bulk confirmations, and the entry screen's print menu through the preview
// window to a PDF file read back by a PDF reader.

#include "ReportFixture.h"

#include "app/forms/Modules.h"
#include "app/forms/frmSearch.h"
#include "logbook/forms/LogbookModule.h"
#include "logbook/forms/LogbookPanel.h"
#include "output/forms/frmPrintPreview.h"
#include "platform/forms/DataGrid.h"

#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace vm;
using namespace vm::test;

namespace {

// The preview window of that name that is open, or null.
frmPrintPreview* OpenPreview(const QString& windowName) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<frmPrintPreview*>(w); p && p->objectName() == windowName)
            return p;
    return nullptr;
}

// The text of a PDF as a reader sees it.
QString PdfText(const QString& path) {
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of an RTF file as a word-processing reader sees it.
QString RtfText(const QString& path) {
    QProcess p;
    p.start("pandoc", {"-f", "rtf", "-t", "plain", "--wrap=none", path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class ReportWindows : public ReportFixture {
protected:
    void SetUp() override {
        ReportFixture::SetUp();
        EnsureApplication();
        InstallModuleHooks(*env.ctx);
        window = std::make_unique<frmSearch>(*env.ctx);
        InstallLogbook(*env.ctx, *window);
        module = window->findChild<LogbookModule*>("LogbookModule");
        ASSERT_TRUE(module);
        panel = module->panel;
        ASSERT_TRUE(panel);
        panel->refreshCategories();
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmPrintPreview*>(w)) delete w;
        window.reset();
    }

    std::unique_ptr<frmSearch> window;
    LogbookModule* module = nullptr;
    LogbookPanel* panel = nullptr;
};

TEST_F(ReportWindows, PrintListOpensTheListWindowWithTheRowsShown) {
    add(booking("Ortiz"));
    add(booking("Łukasz"));
    env.clock.set(QDateTime(QDate(2026, 3, 15), QTime(9, 0)));
    click(*panel, "cmdToday");
    ASSERT_EQ(panel->grdLogbook->rowCount(), 2);

    click(*panel, "cmdPrintList");
    frmPrintPreview* list = OpenPreview("frmPrintObj");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->windowTitle(), "Velmora Print Preview - Logbook List");
    const QString t = doc::PlainText(list->document());
    const qsizetype first = t.indexOf("\n" + panel->grdLogbook->cell(0, ColLastName) + "\t");
    const qsizetype second = t.indexOf("\n" + panel->grdLogbook->cell(1, ColLastName) + "\t");
    EXPECT_GT(first, 0) << t.toStdString();
    EXPECT_GT(second, first);
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(ReportWindows, BulkConfirmationsOpenTheLetterWindowAndMarkTheEntries) {
    setText("BulkPrintNotify", "Letter in room");
    LogEntry done = booking("Done");
    done.complete = true;
    const qint64 a = add(done);
    const qint64 b = add(booking("Open")); // neither complete nor pending: no letter
    env.clock.set(QDateTime(QDate(2026, 3, 15), QTime(9, 0)));
    click(*panel, "cmdToday");
    ASSERT_EQ(panel->grdLogbook->rowCount(), 2);
    panel->grdLogbook->selectAll();

    QTest::mouseClick(panel->cmdConfirmations, Qt::LeftButton);
    frmPrintPreview* letters = OpenPreview("frmPrintLH");
    ASSERT_NE(letters, nullptr);
    EXPECT_EQ(letters->windowTitle(), "Velmora Print Preview - Guest Arrivals");
    const QString t = doc::PlainText(letters->document());
    EXPECT_TRUE(t.contains("Dear Pat Done,"));
    EXPECT_FALSE(t.contains("Dear Pat Open,"));
    EXPECT_EQ(notifiedOf(env.db(), a), "Letter in room");
    EXPECT_EQ(notifiedOf(env.db(), b), "");
}

TEST_F(ReportWindows, EntryScreenPrintsTheGuestConfirmationToPdf) {
    const qint64 guest = env.db().insert(
        "INSERT INTO [Profile] ([FirstName], [LastName], [EmailAddress]) VALUES (?, ?, ?)",
        {"Pat", "Müller", " pat.muller@example.com "}, "ProfileID");
    LogEntry linked = booking("Müller");
    linked.profileId = guest;
    const qint64 id = add(linked);
    std::unique_ptr<frmLogbook> f(module->openEntry(id));
    ASSERT_TRUE(f);

    // The print button shows the document menu; the member picks the confirmation.
    bool picked = false;
    QTimer pick;
    QObject::connect(&pick, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || picked) return;
        picked = true;
        menu->setActiveAction(menu->findChild<QAction*>("mnuConfirmation"));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    pick.start(10);
    click(*f, "imgPrint");
    pick.stop();
    ASSERT_TRUE(picked);

    frmPrintPreview* preview = OpenPreview("frmPrintLH");
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->windowTitle(), "Velmora Print Preview - Guest Confirmation");

    const QString path = env.root() + "/Confirmation.pdf";
    env.desktop.choose(path);
    click(*preview, "cmdPdf");
    const QString t = PdfText(path);
    ASSERT_FALSE(t.isEmpty()) << "no PDF at " << path.toStdString();
    const QStringList inOrder{
        "Dear Pat Müller,",      "Arriving: Saturday, March 14, 2026", "Your Request:",
        "Restaurant: Chez Leon", "We look forward to welcoming you.",  "Ann Desk"};
    qsizetype at = 0;
    for (const QString& part : inOrder) {
        const qsizetype found = t.indexOf(part, at);
        EXPECT_GE(found, 0) << part.toStdString() << " after " << at << "\n" << t.toStdString();
        if (found >= 0) at = found;
    }
    EXPECT_FALSE(t.contains("Commission")); // marked "do not print"

    // The same letter as RTF, read back by a word-processing reader.
    click(*preview, "cmdRtf");
    const QString rtf = RtfText(env.ctx->workstation.outputFolder() + "Export.rtf");
    for (const char* part : {"Dear Pat Müller,", "Restaurant: Chez Leon", "Ann Desk"})
        EXPECT_TRUE(rtf.contains(part)) << part << "\n" << rtf.toStdString();
    EXPECT_FALSE(rtf.contains("Commission"));

    // And e-mailed: the mail program gets the letter as a PDF attachment.
    click(*preview, "cmdEmail");
    ASSERT_EQ(env.mailer.sent.size(), 1);
    const MailMessage& mail = env.mailer.sent[0];
    EXPECT_EQ(mail.to, "pat.muller@example.com"); // the linked profile's address
    EXPECT_EQ(mail.subject, "Guest Confirmation");
    ASSERT_EQ(mail.attachments.size(), 1);
    EXPECT_TRUE(PdfText(mail.attachments[0]).contains("Dear Pat Müller,"));
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(ReportWindows, MessagesWindowPrintsTheEntrysMessages) {
    const qint64 id = add(booking());
    const qint64 other = add(booking("Other"));
    auto print = [&](QWidget* parent) { module->hooks.printMessages(id, parent); };
    {
        frmLogbookMsgs none(*env.ctx, id, LogSource::Current, nullptr, print);
        EXPECT_FALSE(none.cmdPrint->isVisibleTo(&none)); // nothing to print
    }
    const qint64 timer = env.db().insert(
        "INSERT INTO [MsgTimer] ([MsgDateTime], [ConciergeName], [SentFrom], [LogbookID]) "
        "VALUES ('2026/03/11 08:00', 'Bo Night', 'Ann Desk', ?)",
        {id}, "TimerID");
    env.db().exec("INSERT INTO [MsgText] ([TimerID], [Sequence], [MsgText]) VALUES (?, 1, ?)",
                  {timer, QString("Call Chez Léon")});
    env.db().exec("INSERT INTO [MsgTimer] ([MsgDateTime], [ConciergeName], [SentFrom], "
                  "[LogbookID]) VALUES ('2026/03/11 09:00', 'Cy Day', 'Ann Desk', ?)",
                  {other});
    frmLogbookMsgs msgs(*env.ctx, id, LogSource::Current, nullptr, print);
    ASSERT_TRUE(msgs.cmdPrint->isVisibleTo(&msgs));
    click(msgs, "cmdPrint");
    frmPrintPreview* preview = OpenPreview("frmPrintObj");
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->windowTitle(), "Velmora Print Preview - Logbook Messages");
    const QString t = doc::PlainText(preview->document());
    EXPECT_TRUE(t.contains("2026/03/11 08:00\tBo Night\tAnn Desk\tCall Chez Léon"));
    EXPECT_FALSE(t.contains("Cy Day")); // another entry's message
}
