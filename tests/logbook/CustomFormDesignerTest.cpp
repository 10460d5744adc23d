#include "LogbookFixture.h"

#include "logbook/CustomFormReport.h"
#include "logbook/CustomForms.h"
#include "logbook/Designs.h"
#include "logbook/EntryRules.h"
#include "logbook/forms/frmDEFormD.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

using namespace vm;
using namespace vm::test;

class CustomFormDesigner : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        EnsureApplication();
        dining = designedCategory("Dining", {"Restaurant:", "Party Size:", "Confirmation:"});
        RegisterCustomFormReports(env.ctx->reports);
    }

    std::unique_ptr<frmDEFormD> open() {
        auto f = std::make_unique<frmDEFormD>(
            *env.ctx, dining, [this](const PrintRequest& r, QWidget*) { opened.push_back(r); });
        f->show();
        return f;
    }

    static void type(frmDEFormD& f, const QString& box, const QString& text) {
        QLineEdit* e = control<QLineEdit>(f, box);
        e->selectAll();
        QTest::keyClicks(e, text.isEmpty() ? QString() : text);
        if (text.isEmpty()) QTest::keyClick(e, Qt::Key_Delete);
    }

    static void check(frmDEFormD& f, const QString& label, bool on = true) {
        auto* list = control<QListWidget>(f, "lstElements");
        const auto found = list->findItems(label, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        found.first()->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }

    qint64 dining = 0;
    std::vector<PrintRequest> opened;
};

TEST_F(CustomFormDesigner, ANewFormShowsTheDefaultPageAndTheCategorysLines) {
    auto f = open();
    EXPECT_EQ(control<QLineEdit>(*f, "txtPageHeight")->text(), "11");
    EXPECT_EQ(control<QLineEdit>(*f, "txtPageWidth")->text(), "8.5");
    auto* list = control<QListWidget>(*f, "lstElements");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(1)->text(), "Party Size:");
    EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(f->hasUnsavedChanges());
}

TEST_F(CustomFormDesigner, BadInputIsRefusedWithTheFieldsMessageAndTheFocusOnIt) {
    struct Case {
        const char* box;
        const char* typed;
        QString message;
    } cases[] = {
        {"txtPageHeight", "15", MsgFormHeight()}, {"txtPageHeight", "", MsgFormHeight()},
        {"txtPageWidth", "3", MsgFormWidth()},    {"txtPageWidth", "wide", MsgFormWidth()},
        {"txtTopMargin", "0", MsgFormMargin},     {"txtBottomMargin", "6", MsgFormMargin},
        {"txtLeftMargin", ".05", MsgFormMargin},  {"txtRightMargin", "x", MsgFormMargin},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        auto f = open();
        check(*f, "Restaurant:");
        type(*f, c.box, c.typed);
        click(*f, "cmdSave");
        EXPECT_EQ(env.prompt.last(), c.message);
        EXPECT_EQ(f->focusWidget(), control<QWidget>(*f, c.box));
        EXPECT_FALSE(GetCustomForm(env.db(), dining).has_value());
        env.prompt.answer(Answer::No); // leaving: the changes are dropped
        click(*f, "cmdClose");
    }
}

TEST_F(CustomFormDesigner, FontSizeAndLinesAreRequired) {
    auto f = open();
    click(*f, "cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgFormElements);
    EXPECT_EQ(f->focusWidget(), control<QWidget>(*f, "lstElements"));

    check(*f, "Party Size:");
    control<QComboBox>(*f, "cboFontSize")->setCurrentText("big");
    click(*f, "cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgFormFontSize);
    EXPECT_EQ(f->focusWidget(), control<QWidget>(*f, "cboFontSize"));

    control<QComboBox>(*f, "cboFontSize")->setCurrentText("12");
    control<QComboBox>(*f, "cboFont")->setCurrentIndex(0); // the empty choice
    click(*f, "cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgFormFont);
    EXPECT_FALSE(GetCustomForm(env.db(), dining).has_value());
}

TEST_F(CustomFormDesigner, SavesTheLayoutAndShowsItAgain) {
    {
        auto f = open();
        type(*f, "txtPageHeight", "5.5");
        type(*f, "txtLeftMargin", ".5");
        control<QComboBox>(*f, "cboValediction")->setCurrentText("Thank you, ");
        control<QCheckBox>(*f, "chkPrintLogID")->setChecked(true);
        check(*f, "Confirmation:");
        check(*f, "Restaurant:");
        EXPECT_TRUE(f->hasUnsavedChanges());
        click(*f, "cmdSave");
        EXPECT_FALSE(f->hasUnsavedChanges());
        click(*f, "cmdClose"); // nothing unsaved: no question
    }
    const auto saved = GetCustomForm(env.db(), dining);
    ASSERT_TRUE(saved.has_value());
    EXPECT_DOUBLE_EQ(saved->pageHeight, 5.5);
    EXPECT_DOUBLE_EQ(saved->pageWidth, 8.5);
    EXPECT_DOUBLE_EQ(saved->leftMargin, 0.5);
    EXPECT_EQ(saved->valediction, "Thank you, ");
    EXPECT_TRUE(saved->printLogId);
    // Printed in the design's order, whatever order they were ticked in.
    EXPECT_EQ(saved->labels, (QStringList{"Restaurant:", "Confirmation:"}));

    auto again = open();
    EXPECT_EQ(control<QLineEdit>(*again, "txtPageHeight")->text(), "5.5");
    auto* list = control<QListWidget>(*again, "lstElements");
    EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list->item(2)->checkState(), Qt::Checked);
    EXPECT_FALSE(again->hasUnsavedChanges());
}

TEST_F(CustomFormDesigner, ClosingWithChangesAsksWhetherToSaveThem) {
    auto f = open();
    check(*f, "Party Size:");
    env.prompt.answer(Answer::No);
    click(*f, "cmdClose");
    EXPECT_EQ(env.prompt.last(), MsgSaveChanges);
    EXPECT_FALSE(f->isVisible());
    EXPECT_FALSE(GetCustomForm(env.db(), dining).has_value());

    auto g = open();
    check(*g, "Party Size:");
    env.prompt.answer(Answer::Yes);
    click(*g, "cmdClose");
    EXPECT_FALSE(g->isVisible());
    ASSERT_TRUE(GetCustomForm(env.db(), dining).has_value());
    EXPECT_EQ(GetCustomForm(env.db(), dining)->labels, QStringList{"Party Size:"});

    // A save refused on the way out keeps the form open with the changes.
    auto h = open();
    type(*h, "txtPageWidth", "2");
    env.prompt.answer(Answer::Yes);
    click(*h, "cmdClose");
    EXPECT_EQ(env.prompt.last(), MsgFormWidth());
    EXPECT_TRUE(h->isVisible());
    EXPECT_TRUE(h->hasUnsavedChanges());
    env.prompt.answer(Answer::No);
    click(*h, "cmdClose");
    EXPECT_FALSE(h->isVisible());
}

TEST_F(CustomFormDesigner, PreviewShowsTheLayoutOnScreenWithSampleValues) {
    auto f = open();
    check(*f, "Confirmation:");
    type(*f, "txtPageWidth", "6");
    click(*f, "cmdPreview");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].routine, "PrintDEFormPreview");
    EXPECT_EQ(opened[0].title, "Custom Form - Dining");
    const doc::Document d = BuildDEFormPreview(*env.ctx, opened[0]);
    EXPECT_EQ(d.page.sizeInches, QSizeF(6, 11));
    EXPECT_TRUE(doc::PlainText(d).contains("Your Request: \nConfirmation: Sample\n"));
    // The preview saves nothing.
    EXPECT_FALSE(GetCustomForm(env.db(), dining).has_value());

    type(*f, "txtPageWidth", "60");
    click(*f, "cmdPreview");
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(env.prompt.last(), MsgFormWidth());
}
