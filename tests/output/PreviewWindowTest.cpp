// The preview windows, driven by their controls: opening a report by name,
// paging, zoom, saving as PDF, printing and e-mail.

#include "OutputDocuments.h"
#include "PdfReader.h"

#include "core/DataAccess.h"
#include "core/Settings.h"
#include "output/forms/PrintPreview.h"
#include "output/forms/frmPrintPreview.h"
#include "platform/DbError.h"
#include "platform/forms/SessionWindows.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

using namespace vm;
using namespace vm::test;

namespace {

ReportRoutine Routine(const QString& name, PreviewWindow window,
                      std::function<doc::Document(AppContext&, const PrintRequest&)> build) {
    ReportRoutine r;
    r.name = name;
    r.window = window;
    r.build = std::move(build);
    return r;
}

} // namespace

class PreviewWindows : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        env.ctx->session.name = "Ann Desk";
        ReportCatalogue& c = env.ctx->reports;
        ReportRoutine list =
            Routine("PrintTestList", PreviewWindow::List, [](AppContext&, const PrintRequest& r) {
                return GuestList(r.args.value("rows", 20).toInt());
            });
        list.rtf = true;
        c.add(list);
        ReportRoutine letter =
            Routine("PrintTestLetter", PreviewWindow::Letter,
                    [](AppContext&, const PrintRequest&) { return Sections(2); });
        letter.email = true;
        c.add(letter);
        ReportRoutine own = Routine("PrintTestOwn", PreviewWindow::List,
                                    [](AppContext&, const PrintRequest&) { return Sections(5); });
        own.windowName = "frmPrintOwn";
        c.add(own);
        c.add(Routine("PrintTestRefused", PreviewWindow::List,
                      [](AppContext&, const PrintRequest&) -> doc::Document {
                          throw ReportRefused("There are no entries to print.");
                      }));
        c.add(Routine("PrintTestDbError", PreviewWindow::Letter,
                      [](AppContext&, const PrintRequest&) -> doc::Document {
                          throw DbError(3051, "The database is read-only.");
                      }));
        c.add(Routine("PrintTestBroken", PreviewWindow::List,
                      [](AppContext&, const PrintRequest&) -> doc::Document {
                          throw std::runtime_error("bad layout");
                      }));
        c.add(Routine("PrintTestEmpty", PreviewWindow::List,
                      [](AppContext&, const PrintRequest&) { return doc::Document(); }));
    }
    void TearDown() override {
        SetPrintDialogRunner({});
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmPrintPreview*>(w)) delete w;
    }

    frmPrintPreview* open(const QString& routine, const QString& title = "Logbook List",
                          QVariantMap args = {}) {
        QWidget* w = OpenReport(*env.ctx, {routine, title, args}, nullptr);
        return qobject_cast<frmPrintPreview*>(w);
    }
    template <class W = QPushButton> static W* control(QWidget* window, const char* name) {
        W* w = window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QString pageLabel(QWidget* window) { return control<QLabel>(window, "lblPage")->text(); }
    static void click(QWidget* window, const char* name) {
        QPushButton* b = control(window, name);
        ASSERT_TRUE(b->isEnabled()) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static int previewWindows() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += qobject_cast<frmPrintPreview*>(w) != nullptr;
        return n;
    }
    QString outFile(const QString& name) const { return env.root() + "/" + name; }

    TestEnv env;
};

TEST_F(PreviewWindows, AnUnknownRoutineIsAMessageNotABlankWindow) {
    EXPECT_EQ(open("PrintNoSuchThing"), nullptr);
    EXPECT_EQ(env.prompt.texts(), QStringList{MsgUnknownReport("PrintNoSuchThing")});
    EXPECT_FALSE(EmailReport(*env.ctx, {"PrintNoSuchThing", "X", {}}, "a@b.c", nullptr));
    EXPECT_EQ(env.prompt.texts().size(), 2);
    EXPECT_TRUE(env.mailer.sent.isEmpty());
    EXPECT_EQ(previewWindows(), 0);
    // Names compare ignoring case, as the callers spell them.
    EXPECT_NE(open("printtestlist"), nullptr);
}

TEST_F(PreviewWindows, ARoutineThatCannotPrintSaysWhyAndOpensNothing) {
    struct Case {
        QString routine;
        QString message;
    };
    const QList<Case> cases = {
        {"PrintTestRefused", "There are no entries to print."},
        {"PrintTestDbError", "Error: 3051" + CRLF +
                                 "Occurred at:  PrintTestDbError of Form frmPrintLH" + CRLF +
                                 "Description:The database is read-only."},
        {"PrintTestBroken",
         "Error 3000 (bad layout)" + CRLF + "Procedure: Form_Load of Form frmPrintObj"},
        {"PrintTestEmpty", MsgNothingToPrint},
    };
    for (const Case& c : cases) {
        env.prompt.clear();
        EXPECT_EQ(open(c.routine), nullptr) << c.routine.toStdString();
        EXPECT_EQ(env.prompt.texts(), QStringList{c.message}) << c.routine.toStdString();
        EXPECT_FALSE(EmailReport(*env.ctx, {c.routine, "T", {}}, "", nullptr));
    }
    EXPECT_EQ(previewWindows(), 0);
    EXPECT_TRUE(env.mailer.sent.isEmpty());
}

TEST_F(PreviewWindows, TheWindowIsNamedAfterItsKindWithTheCaptionAndItsButtons) {
    struct Case {
        QString routine;
        QString name;
        bool rtf;
        bool email;
    };
    for (const Case& c : {Case{"PrintTestList", "frmPrintObj", true, false},
                          Case{"PrintTestLetter", "frmPrintLH", false, true},
                          Case{"PrintTestOwn", "frmPrintOwn", false, false}}) {
        frmPrintPreview* w = open(c.routine, "Guest Confirmation");
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->objectName(), c.name);
        EXPECT_EQ(w->windowTitle(), "Velmora Print Preview - Guest Confirmation");
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(control(w, "cmdRtf")->isVisible(), c.rtf) << c.routine.toStdString();
        EXPECT_EQ(control(w, "cmdEmail")->isVisible(), c.email) << c.routine.toStdString();
        for (const char* name :
             {"cmdFirst", "cmdPrevious", "cmdNext", "cmdLast", "cmdPrint", "cmdPdf", "cmdClose"})
            EXPECT_TRUE(control(w, name)->isVisible()) << name;
        click(w, "cmdClose");
    }
    QTRY_COMPARE(previewWindows(), 0);
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(PreviewWindows, PagingGoesThroughThePages) {
    frmPrintPreview* w = open("PrintTestOwn");
    ASSERT_NE(w, nullptr);
    QTRY_VERIFY(w->layoutComplete());
    QTRY_COMPARE(pageLabel(w), QString("Page 1 of 5"));
    EXPECT_FALSE(control(w, "cmdFirst")->isEnabled());
    EXPECT_FALSE(control(w, "cmdPrevious")->isEnabled());
    click(w, "cmdNext");
    click(w, "cmdNext");
    EXPECT_EQ(pageLabel(w), "Page 3 of 5");
    click(w, "cmdLast");
    EXPECT_EQ(pageLabel(w), "Page 5 of 5");
    EXPECT_FALSE(control(w, "cmdNext")->isEnabled());
    EXPECT_FALSE(control(w, "cmdLast")->isEnabled());
    click(w, "cmdPrevious");
    EXPECT_EQ(pageLabel(w), "Page 4 of 5");
    click(w, "cmdFirst");
    EXPECT_EQ(w->currentPage(), 0);
    EXPECT_EQ(pageLabel(w), "Page 1 of 5");
}

TEST_F(PreviewWindows, ALongListShowsItsFirstPageAndLaysOutTheRestAfterwards) {
    frmPrintPreview* w = open("PrintTestList", "Logbook List", {{"rows", 10000}});
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->pagesLaidOut(), 1);
    EXPECT_FALSE(w->layoutComplete());
    EXPECT_EQ(pageLabel(w), "Page 1 of 1+");
    click(w, "cmdNext"); // the next page is laid out on demand
    EXPECT_EQ(w->currentPage(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(w->layoutComplete(), 120000);
    const int pages = w->pagesLaidOut();
    EXPECT_GT(pages, 200);
    EXPECT_EQ(pageLabel(w), "Page 2 of " + QString::number(pages));
    click(w, "cmdLast");
    EXPECT_EQ(w->currentPage(), pages - 1);
}

TEST_F(PreviewWindows, ZoomScalesThePage) {
    frmPrintPreview* w = open("PrintTestOwn");
    ASSERT_NE(w, nullptr);
    auto* zoom = control<QComboBox>(w, "cboZoom");
    QWidget* page = control<QWidget>(w, "picPage");
    zoom->setCurrentText("100%");
    const int width = page->width();
    EXPECT_NEAR(width, 8.5 * page->logicalDpiX(), 2);
    zoom->setCurrentText("200%");
    EXPECT_NEAR(page->width(), 2 * width, 2);
    zoom->setCurrentText("50%");
    EXPECT_NEAR(page->width(), width / 2, 2);
}

TEST_F(PreviewWindows, SaveAsPdfOffersReportAndAddsTheExtension) {
    frmPrintPreview* w = open("PrintTestOwn");
    ASSERT_NE(w, nullptr);
    env.desktop.choose(outFile("Five sections"));
    click(w, "cmdPdf");
    ASSERT_EQ(env.desktop.dialogs.size(), 1);
    const FileDialogShown& shown = env.desktop.dialogs[0];
    EXPECT_TRUE(shown.save);
    EXPECT_EQ(shown.filter, "Portable Document Format (*.pdf)");
    EXPECT_TRUE(shown.startAt.endsWith("/Report.pdf")) << shown.startAt.toStdString();
    const QStringList pages = PdfPages(outFile("Five sections.pdf"));
    ASSERT_EQ(pages.size(), 5);
    EXPECT_TRUE(InOrder(pages[4], {"Concierge Logbook List", "Section 5", "Page 5 of 5"}));
    EXPECT_TRUE(env.prompt.shown.isEmpty());

    env.desktop.choose(""); // cancelled: nothing written, nothing asked
    click(w, "cmdPdf");
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(PreviewWindows, AnExistingFileIsReplacedOnlyWhenTheMemberSaysYes) {
    struct Case {
        Answer answer;
        bool replaced;
    };
    for (const Case c : {Case{Answer::No, false}, Case{Answer::Yes, true}}) {
        const QString path = outFile("Existing.pdf");
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("old contents");
        }
        frmPrintPreview* w = open("PrintTestLetter", "Guest Confirmation");
        ASSERT_NE(w, nullptr);
        env.prompt.clear();
        env.desktop.choose(path);
        env.prompt.answer(c.answer);
        click(w, "cmdPdf");
        ASSERT_EQ(env.prompt.shown.size(), 1);
        EXPECT_TRUE(env.prompt.shown[0].question);
        EXPECT_EQ(env.prompt.shown[0].title, "Overwrite file?");
        EXPECT_EQ(env.prompt.shown[0].text, "The file you selected already exists." + CRLF +
                                                "Do you wish to over write this file?");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        EXPECT_EQ(bytes.startsWith("%PDF-"), c.replaced);
        EXPECT_EQ(bytes == "old contents", !c.replaced);
        w->close();
    }
}

TEST_F(PreviewWindows, APdfThatCannotBeWrittenIsAMessageNamingTheFile) {
    frmPrintPreview* w = open("PrintTestOwn");
    ASSERT_NE(w, nullptr);
    const QString path = outFile("No such folder/Report.pdf");
    env.desktop.choose(path);
    click(w, "cmdPdf");
    ASSERT_EQ(env.prompt.shown.size(), 1);
    EXPECT_TRUE(env.prompt.last().contains(path)) << env.prompt.last().toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(PreviewWindows, EmailSendsTheDocumentAsAPdfAttachment) {
    ASSERT_TRUE(SetTextSetting(env.db(), "ConfirmationText1", "Hotel Aster"));
    frmPrintPreview* w =
        open("PrintTestLetter", "Guest Confirmation", {{"EmailTo", "guest@example.com"}});
    ASSERT_NE(w, nullptr);
    click(w, "cmdEmail");
    ASSERT_EQ(env.mailer.sent.size(), 1);
    const MailMessage& m = env.mailer.sent[0];
    EXPECT_EQ(m.to, "guest@example.com");
    EXPECT_EQ(m.subject, "Guest Confirmation");
    EXPECT_TRUE(m.body.startsWith("Hotel Aster\r\nFrom:  Ann Desk")) << m.body.toStdString();
    ASSERT_EQ(m.attachments.size(), 1);
    EXPECT_EQ(m.attachments[0], env.ctx->workstation.outputFolder() + "Guest Confirmation.pdf");
    const QStringList pages = PdfPages(m.attachments[0]);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[1].contains("Section 2"));
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(PreviewWindows, EmailWithoutAMailProgramSaysWhereTheFileIs) {
    env.mailer.takes = false;
    EXPECT_FALSE(EmailReport(*env.ctx, {"PrintTestLetter", "Guest: Smith/Jones", {}},
                             "guest@example.com", nullptr));
    ASSERT_EQ(env.mailer.sent.size(), 1);
    // What the file system refuses leaves the attachment's name.
    const QString path = env.ctx->workstation.outputFolder() + "Guest Smith Jones.pdf";
    EXPECT_EQ(env.mailer.sent[0].attachments, QStringList{path});
    EXPECT_EQ(env.mailer.sent[0].subject, "Guest: Smith/Jones");
    EXPECT_TRUE(env.prompt.last().contains(path)) << env.prompt.last().toStdString();
    EXPECT_EQ(PdfPages(path).size(), 2);
}

TEST_F(PreviewWindows, PrintGoesThroughTheDialogToThePrinter) {
    const QString path = outFile("Printed.pdf");
    int dialogs = 0;
    bool accept = false;
    SetPrintDialogRunner([&](QPrinter& printer, QWidget*) {
        ++dialogs;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return accept;
    });
    frmPrintPreview* w = open("PrintTestOwn");
    ASSERT_NE(w, nullptr);
    click(w, "cmdPrint"); // cancelled in the dialog
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(QFile::exists(path));
    accept = true;
    click(w, "cmdPrint");
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(PdfPages(path).size(), 5);
}

TEST_F(PreviewWindows, NoPrintPreviewPrintsWithoutAWindow) {
    ASSERT_TRUE(SetBooleanSetting(env.db(), "NoPrintPreview", true));
    const QString path = outFile("Direct.pdf");
    int dialogs = 0;
    SetPrintDialogRunner([&](QPrinter& printer, QWidget*) {
        ++dialogs;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    });
    EXPECT_EQ(open("PrintTestList", "Logbook List", {{"rows", 30}}), nullptr);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(previewWindows(), 0);
    EXPECT_TRUE(InOrder(PdfPages(path).join(""), {"Guest 0001", "Guest 0030"}));
}

TEST_F(PreviewWindows, PreviewWindowsCloseWithTheSession) {
    SessionWindows windows;
    env.ctx->sessionWindows = &windows;
    QPointer<frmPrintPreview> a = open("PrintTestList");
    QPointer<frmPrintPreview> b = open("PrintTestLetter");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(windows.windows(), (QList<QWidget*>{a.data(), b.data()}));
    EXPECT_TRUE(windows.closeAll());
    QTRY_VERIFY(!a && !b);
    env.ctx->sessionWindows = nullptr;
}
