// A custom form designed on its designer, printed for an entry through the
// filled form's window, saved as PDF and read back by a PDF reader.
#include "LogbookFixture.h"

#include "logbook/CustomFormReport.h"
#include "logbook/Designs.h"
#include "logbook/forms/frmDEFormD.h"
#include "output/forms/PrintPreview.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace vm;
using namespace vm::test;

namespace {

// What a reader outputs for the file, page by page; empty when it is no PDF.
QString pdfOutput(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    // Compatibility forms: ligatures the font drew ("fi") read as their letters.
    return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

} // namespace

class CustomFormPdf : public LogbookFixture {
protected:
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == CustomFormWindowName) delete w;
    }
};

TEST_F(CustomFormPdf, AFormDesignedForACategoryPrintsAnEntryToPdf) {
    EnsureApplication();
    RegisterCustomFormReports(env.ctx->reports);
    const qint64 dining =
        designedCategory("Dining", {"Restaurant:", "Party Size:", "Confirmation:"});

    {
        frmDEFormD designer(*env.ctx, dining, {});
        designer.show();
        for (const auto& [box, typed] : {std::pair{"txtPageHeight", "5"},
                                         {"txtPageWidth", "6"},
                                         {"txtTopMargin", ".5"},
                                         {"txtLeftMargin", ".5"}}) {
            auto* e = control<QLineEdit>(designer, box);
            e->selectAll();
            QTest::keyClicks(e, typed);
        }
        auto* list = control<QListWidget>(designer, "lstElements");
        list->item(2)->setCheckState(Qt::Checked);
        list->item(0)->setCheckState(Qt::Checked);
        click(designer, "cmdSave");
        ASSERT_FALSE(designer.hasUnsavedChanges()) << env.prompt.last().toStdString();
        click(designer, "cmdClose");
    }

    LogEntry e = entry("Muñoz", "Dining", "2026/03/14",
                       "Restaurant: Café Ñandú\r\nParty Size: 4\r\nConfirmation: QX-19\r\n");
    e.roomNumber = "1207";
    e.arrivalDate = "2026/03/12";
    const qint64 logId = add(e);

    QWidget* window = OpenReport(
        *env.ctx, {"PrintDEForm", "Custom Form", {{"logId", logId}, {"archive", false}}}, nullptr);
    ASSERT_NE(window, nullptr) << env.prompt.last().toStdString();
    EXPECT_EQ(window->objectName(), "frmDEForm");
    const QString pdf = env.root() + "/Custom form.pdf";
    env.desktop.choose(pdf);
    click(*window, "cmdPdf");

    const QString text = pdfOutput("pdftotext", {"-layout", pdf, "-"});
    ASSERT_FALSE(text.isEmpty()) << "no readable PDF";
    QStringList order = {"Room Number: 1207",
                         "Arriving: Thursday, 03/12/2026",
                         "Date: Saturday, 03/14/2026 at 07:30 PM",
                         "Your Request:",
                         "Restaurant: Café Ñandú",
                         "Confirmation: QX-19",
                         "Sincerely,",
                         "Ann Desk"};
    qsizetype at = 0;
    for (const QString& part : order) {
        const qsizetype found = text.indexOf(part, at);
        ASSERT_GE(found, 0) << part.toStdString() << " missing or out of order in\n"
                            << text.toStdString();
        at = found + part.size();
    }
    EXPECT_FALSE(text.contains("Party Size")); // not chosen for the form
    // The form's own page: 6 by 5 inches.
    EXPECT_TRUE(pdfOutput("pdfinfo", {pdf}).contains("432 x 360 pts"))
        << pdfOutput("pdfinfo", {pdf}).toStdString();
}
