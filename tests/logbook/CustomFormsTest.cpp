#include "LogbookFixture.h"

#include "logbook/CustomFormReport.h"
#include "logbook/CustomForms.h"
#include "logbook/Designs.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <functional>

using namespace vm;
using namespace vm::test;

namespace {

CustomForm validForm(qint64 logTypeId = 1) {
    CustomForm f = NewCustomForm(logTypeId);
    f.labels = {"Restaurant:"};
    return f;
}

struct Refusal {
    const char* what;
    std::function<void(CustomForm&)> change;
    FormField field;
    QString message;
};

const QString Margin = MsgFormMargin;

} // namespace

TEST(CustomFormChecks, RefusesEachFieldOutOfRangeWithItsMessage) {
    const double nan = std::nan("");
    const Refusal cases[] = {
        {"height below 4", [](CustomForm& f) { f.pageHeight = 3.99; }, FormField::Height,
         MsgFormHeight()},
        {"height above 14", [](CustomForm& f) { f.pageHeight = 14.01; }, FormField::Height,
         MsgFormHeight()},
        {"height not a number", [=](CustomForm& f) { f.pageHeight = nan; }, FormField::Height,
         MsgFormHeight()},
        {"width below 4", [](CustomForm& f) { f.pageWidth = 0; }, FormField::Width, MsgFormWidth()},
        {"width above 14", [](CustomForm& f) { f.pageWidth = 20; }, FormField::Width,
         MsgFormWidth()},
        {"top margin below .1", [](CustomForm& f) { f.topMargin = 0.09; }, FormField::TopMargin,
         Margin},
        {"bottom margin above 5.5", [](CustomForm& f) { f.bottomMargin = 5.51; },
         FormField::BottomMargin, Margin},
        {"left margin not a number", [=](CustomForm& f) { f.leftMargin = nan; },
         FormField::LeftMargin, Margin},
        {"right margin negative", [](CustomForm& f) { f.rightMargin = -1; }, FormField::RightMargin,
         Margin},
        {"no font", [](CustomForm& f) { f.fontName = "  "; }, FormField::Font, MsgFormFont},
        {"no font size", [](CustomForm& f) { f.fontSize = 0; }, FormField::FontSize,
         MsgFormFontSize},
        {"font size not a number", [=](CustomForm& f) { f.fontSize = nan; }, FormField::FontSize,
         MsgFormFontSize},
        {"no line chosen", [](CustomForm& f) { f.labels.clear(); }, FormField::Elements,
         MsgFormElements},
        {"only blank lines", [](CustomForm& f) { f.labels = {" "}; }, FormField::Elements,
         MsgFormElements},
        {"height checked before the font",
         [](CustomForm& f) {
             f.pageHeight = 2;
             f.fontName.clear();
         },
         FormField::Height, MsgFormHeight()},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        CustomForm f = validForm();
        c.change(f);
        const auto refusal = CheckCustomForm(f);
        ASSERT_TRUE(refusal.has_value());
        EXPECT_EQ(refusal->field, c.field);
        EXPECT_EQ(refusal->message, c.message);
    }
}

TEST(CustomFormChecks, AcceptsTheBoundsOfEveryRange) {
    CustomForm f = validForm();
    f.pageHeight = 4;
    f.pageWidth = 14;
    f.topMargin = ParseFormNumber(".1");
    f.bottomMargin = ParseFormNumber("5.5");
    f.leftMargin = 0.1;
    f.rightMargin = 5.5;
    EXPECT_FALSE(CheckCustomForm(f).has_value());
    EXPECT_EQ(
        MsgFormHeight(),
        "Please enter a number in the range of 4 to 14 for the Form Size Height.  Thank you.");
    EXPECT_EQ(MsgFormWidth(),
              "Please enter a number in the range of 4 to 14 for the Form Size Width.  Thank you.");
}

TEST(CustomFormChecks, ReadsTypedNumbersAndNothingElse) {
    EXPECT_DOUBLE_EQ(ParseFormNumber(" 8.5 "), 8.5);
    EXPECT_DOUBLE_EQ(ParseFormNumber(".1"), 0.1);
    for (const char* bad : {"", "abc", "8,5", "1e999", "4 in"})
        EXPECT_TRUE(std::isnan(ParseFormNumber(bad))) << bad;
}

TEST(CustomFormChecks, ANewFormIsElevenByEightAndAHalfInches) {
    const CustomForm f = NewCustomForm(7);
    EXPECT_EQ(f.logTypeId, 7);
    EXPECT_DOUBLE_EQ(f.pageHeight, 11.0);
    EXPECT_DOUBLE_EQ(f.pageWidth, 8.5);
    EXPECT_EQ(f.formId, 0);
}

class CustomForms : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        dining = designedCategory("Dining", {"Restaurant:", "Party Size:", "Confirmation:"});
        env.db().exec("UPDATE [Concierge] SET [JobTitle] = ? WHERE [ConciergeID] = ?",
                      {"Chef Concierge", staffId});
        RegisterCustomFormReports(env.ctx->reports);
    }

    CustomForm savedForm(const QStringList& labels) {
        CustomForm f = NewCustomForm(dining);
        f.labels = labels;
        f.printLogId = true;
        f.valediction = "Warm regards, ";
        EXPECT_FALSE(SaveCustomForm(env.db(), f).has_value());
        return f;
    }

    qint64 diningEntry(Database* archive = nullptr) {
        LogEntry e = entry("Müller", "Dining", "2026/03/14",
                           "Restaurant: Chez Nous\r\nParty Size: 4\r\nConfirmation: X1\r\nBy the "
                           "window, please.");
        e.roomNumber = "512";
        e.arrivalDate = "2026/03/13";
        if (!archive) return add(e);
        return archive->insert("INSERT INTO [LogBook] ([LastName], [EntryType], [ReferDate], "
                               "[ReferTime], [RoomNumber], [ArrivalDate], [NoteField]) VALUES "
                               "(?, ?, ?, ?, ?, ?, ?)",
                               {e.lastName, e.entryType, e.referDate, e.referTime, e.roomNumber,
                                e.arrivalDate, e.text},
                               "LogID");
    }

    doc::Document build(const QString& routine, const QVariantMap& args) {
        const ReportRoutine* r = env.ctx->reports.find(routine);
        if (!r) throw std::runtime_error("routine not registered");
        return r->build(*env.ctx, {routine, "Custom Form", args});
    }

    qint64 dining = 0;
};

TEST_F(CustomForms, SavesAndReadsBackEveryValueInOneRowPerCategory) {
    CustomForm f = NewCustomForm(dining);
    f.fontName = "Times New Roman";
    f.fontSize = 12.5;
    f.pageHeight = 6;
    f.pageWidth = 9.25;
    f.topMargin = 0.5;
    f.bottomMargin = 0.75;
    f.leftMargin = 1.25;
    f.rightMargin = 5.5;
    f.valediction = "With thanks, ";
    f.printLogId = true;
    f.logo = true;
    f.logoLeft = 2;
    f.logoTop = 0.25;
    f.logoAspect = 1.5;
    f.labels = {"Party Size:", "Restaurant:"};
    ASSERT_FALSE(SaveCustomForm(env.db(), f).has_value());
    ASSERT_GT(f.formId, 0);

    const auto back = GetCustomForm(env.db(), dining);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->formId, f.formId);
    EXPECT_EQ(back->fontName, "Times New Roman");
    EXPECT_DOUBLE_EQ(back->fontSize, 12.5);
    EXPECT_DOUBLE_EQ(back->pageHeight, 6);
    EXPECT_DOUBLE_EQ(back->pageWidth, 9.25);
    EXPECT_DOUBLE_EQ(back->topMargin, 0.5);
    EXPECT_DOUBLE_EQ(back->bottomMargin, 0.75);
    EXPECT_DOUBLE_EQ(back->leftMargin, 1.25);
    EXPECT_DOUBLE_EQ(back->rightMargin, 5.5);
    EXPECT_EQ(back->valediction, "With thanks, ");
    EXPECT_TRUE(back->printLogId);
    EXPECT_TRUE(back->logo);
    EXPECT_DOUBLE_EQ(back->logoLeft, 2);
    EXPECT_DOUBLE_EQ(back->logoTop, 0.25);
    EXPECT_DOUBLE_EQ(back->logoAspect, 1.5);
    EXPECT_EQ(back->labels, (QStringList{"Party Size:", "Restaurant:"}));

    // A second save, even of a fresh form, rewrites the category's one form and its lines.
    CustomForm again = NewCustomForm(dining);
    again.labels = {"Confirmation:"};
    ASSERT_FALSE(SaveCustomForm(env.db(), again).has_value());
    EXPECT_EQ(again.formId, f.formId);
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [DEFormS] WHERE [LogTypeID] = ?", {dining}), 1);
    EXPECT_EQ(GetDEFormElements(env.db(), f.formId), QStringList{"Confirmation:"});
    EXPECT_FALSE(GetCustomForm(env.db(), dining)->logo);
}

TEST_F(CustomForms, ARefusedSaveWritesNothing) {
    CustomForm f = NewCustomForm(dining);
    f.labels = {"Restaurant:"};
    f.leftMargin = 6;
    const auto refusal = SaveCustomForm(env.db(), f);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->field, FormField::LeftMargin);
    EXPECT_EQ(f.formId, 0);
    EXPECT_FALSE(GetCustomForm(env.db(), dining).has_value());
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [DEFormD]"), 0);
}

TEST_F(CustomForms, DeletingTheCategoryTakesItsForm) {
    savedForm({"Restaurant:"});
    DeleteCategory(*env.ctx, dining);
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [DEFormS]"), 0);
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [DEFormD]"), 0);
}

TEST_F(CustomForms, PrintsTheEntryInTheFormsOrderWithItsValuesByLabel) {
    savedForm({"Party Size:", "Restaurant:"});
    const qint64 logId = diningEntry();
    const doc::Document d = build("PrintDEForm", {{"logId", logId}, {"archive", false}});
    EXPECT_EQ(doc::PlainText(d),
              QStringList({"Logbook ID: " + QString::number(logId), "Room Number: 512",
                           "Arriving: Friday, 03/13/2026", "Date: Saturday, 03/14/2026 at 07:30 PM",
                           "Your Request: ", "Party Size: 4", "Restaurant: Chez Nous",
                           "Warm regards, ", "Ann Desk", "Chef Concierge"})
                  .join('\n'));
}

TEST_F(CustomForms, TheFormsPageMarginsAndFontShapeTheDocument) {
    CustomForm f = NewCustomForm(dining);
    f.fontName = "Courier New";
    f.fontSize = 14;
    f.pageHeight = 5;
    f.pageWidth = 7;
    f.topMargin = 0.5;
    f.bottomMargin = 0.6;
    f.leftMargin = 0.7;
    f.rightMargin = 0.8;
    f.labels = {"Restaurant:"};
    ASSERT_FALSE(SaveCustomForm(env.db(), f).has_value());
    const doc::Document d = build("PrintDEForm", {{"logId", diningEntry()}});
    EXPECT_EQ(d.page.sizeInches, QSizeF(7, 5));
    EXPECT_DOUBLE_EQ(d.page.margins.top, 0.5);
    EXPECT_DOUBLE_EQ(d.page.margins.bottom, 0.6);
    EXPECT_DOUBLE_EQ(d.page.margins.left, 0.7);
    EXPECT_DOUBLE_EQ(d.page.margins.right, 0.8);
    EXPECT_EQ(d.page.base.family, "Courier New");
    EXPECT_DOUBLE_EQ(d.page.base.pointSize, 14);
    // Without PrintLogID the form starts with the room; the default valediction closes it.
    const QString text = doc::PlainText(d);
    EXPECT_TRUE(text.startsWith("Room Number: 512\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nSincerely, \n")) << text.toStdString();
    EXPECT_FALSE(text.contains("Logbook ID"));
}

TEST_F(CustomForms, ALineCutShortOrMissingPrintsAsTheReaderReadsIt) {
    savedForm({"Confirmation:", "Restaurant:"});
    LogEntry e = entry("Short", "Dining", "2026/03/14", "Restaurant: Chez Nous\r\nConfirmation: X");
    const QString text = doc::PlainText(build("PrintDEForm", {{"logId", add(e)}}));
    EXPECT_TRUE(text.contains("\nConfirmation: ** Damaged Data\nRestaurant: Chez Nous\n"))
        << text.toStdString();
}

TEST_F(CustomForms, AnArchivedEntryIsReadFromTheArchive) {
    savedForm({"Restaurant:"});
    const qint64 current = diningEntry();
    const qint64 archived = diningEntry(env.ctx->archive.get());
    env.ctx->archive->exec("UPDATE [LogBook] SET [RoomNumber] = ? WHERE [LogID] = ?",
                           {"777", archived});
    ASSERT_TRUE(current > 0 && archived > 0);
    const QString text =
        doc::PlainText(build("PrintDEForm", {{"logId", archived}, {"archive", true}}));
    EXPECT_TRUE(text.contains("Room Number: 777")) << text.toStdString();
}

TEST_F(CustomForms, ACategoryWithoutAFormOrAnUnknownEntryIsRefused) {
    const qint64 logId = diningEntry();
    try {
        build("PrintDEForm", {{"logId", logId}});
        FAIL() << "printed without a form";
    } catch (const ReportRefused& r) {
        EXPECT_EQ(r.message(), MsgNoFormDefinition);
    }
    EXPECT_EQ(MsgNoFormDefinition,
              "I cannot find the forms definition for this type of Logbook entry.  Please verify "
              "that the form has been defined.  Thank you.");
    savedForm({"Restaurant:"});
    EXPECT_THROW(build("PrintDEForm", {{"logId", logId + 1000}}), ReportRefused);
    EXPECT_THROW(build("PrintDEFormPreview", {{"logTypeId", category("Spa")}}), ReportRefused);
}

TEST_F(CustomForms, ThePreviewPrintsTheLayoutWithSampleValues) {
    env.clock.set(QDateTime(QDate(2026, 3, 10), QTime(9, 0)));
    savedForm({"Restaurant:", "Party Size:"});
    const QString saved = doc::PlainText(build("PrintDEFormPreview", {{"logTypeId", dining}}));
    EXPECT_EQ(saved, QStringList({"Logbook ID: 12345", "Room Number: 1234",
                                  "Arriving: Tuesday, 03/10/2026",
                                  "Date: Wednesday, 03/11/2026 at 07:30 PM",
                                  "Your Request: ", "Restaurant: Sample", "Party Size: Sample",
                                  "Warm regards, ", "Ann Desk", "Chef Concierge"})
                         .join('\n'));

    // A layout not saved yet is previewed from the request itself.
    CustomForm draft = NewCustomForm(dining);
    draft.labels = {"Confirmation:"};
    draft.pageWidth = 5;
    const doc::Document d = build("PrintDEFormPreview", CustomFormToArgs(draft));
    EXPECT_EQ(d.page.sizeInches, QSizeF(5, 11));
    EXPECT_TRUE(doc::PlainText(d).contains("\nConfirmation: Sample\nSincerely, "));
}

TEST_F(CustomForms, TheLogoIsTheFirstFileOrElseTheSecond) {
    const QDir images(QDir(env.ctx->workstation.programFolder).filePath("Images"));
    ASSERT_TRUE(QDir().mkpath(images.path()));
    const auto logoOf = [&](const doc::Document& d) {
        for (const doc::Block& b : d.body)
            if (const auto* i = std::get_if<doc::Image>(&b)) return i->path;
        return QString();
    };
    CustomForm f = savedForm({"Restaurant:"});
    const qint64 logId = diningEntry();
    EXPECT_EQ(logoOf(build("PrintDEForm", {{"logId", logId}})), "");

    f.logo = true;
    f.logoLeft = 1.5;
    f.logoAspect = 2;
    ASSERT_FALSE(SaveCustomForm(env.db(), f).has_value());
    QFile second(images.filePath("picVmLogo1.gif"));
    ASSERT_TRUE(second.open(QIODevice::WriteOnly));
    second.close();
    const doc::Document d = build("PrintDEForm", {{"logId", logId}});
    EXPECT_EQ(logoOf(d), images.filePath("picVmLogo1.gif"));
    const auto& logo = std::get<doc::Image>(d.body.first());
    EXPECT_DOUBLE_EQ(logo.leftInches, 1.5);
    EXPECT_DOUBLE_EQ(logo.widthInches, 2);

    QFile first(images.filePath("picVmLogo.gif"));
    ASSERT_TRUE(first.open(QIODevice::WriteOnly));
    first.close();
    EXPECT_EQ(logoOf(build("PrintDEForm", {{"logId", logId}})), images.filePath("picVmLogo.gif"));
}

TEST_F(CustomForms, BothRoutinesOpenTheFilledFormsWindow) {
    for (const QString name : {"PrintDEForm", "PrintDEFormPreview"}) {
        const ReportRoutine* r = env.ctx->reports.find(name);
        ASSERT_NE(r, nullptr) << name.toStdString();
        EXPECT_EQ(r->windowName, "frmDEForm");
        EXPECT_FALSE(r->rtf);
        EXPECT_FALSE(r->email);
    }
}
