#include "guests/ProfileTabsFixture.h"

#include "core/LongText.h"
#include "core/Settings.h"
#include "guests/OtherLists.h"
#include "guests/forms/ProfileTabs.h"
#include "guests/forms/frmLetterTemplates.h"
#include "guests/forms/frmProfileCor.h"
#include "guests/reports/ProfileLetterReports.h"
#include "logbook/NotifiedValues.h"
#include "output/PdfReader.h"
#include "output/forms/frmPrintPreview.h"
#include "platform/forms/DataGrid.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace vm;
using namespace vm::test;

namespace {

class ProfileLetter : public ProfileTabsFixture {
protected:
    void SetUp() override {
        ProfileTabsFixture::SetUp();
        RegisterProfileLetterReports(env.ctx->reports);
        ASSERT_TRUE(SetTextSetting(env.db(), "ConfirmationText1", "Hotel Aster"));
        Profile p;
        p.firstName = "Ada";
        p.lastName = "Quill";
        p.home.line1 = "12 Elm Row";
        p.email = "ada@home.example";
        p.emailB = "ada@work.example";
        guest = InsertProfile(*env.ctx, p);
    }

    qint64 letterTemplate(const QString& name, const QString& text) {
        if (const QString refusal = InsertOtherData(*env.ctx, LetterTemplateList, name);
            !refusal.isEmpty())
            throw std::runtime_error(refusal.toStdString());
        for (const OtherValue& v : GetOtherData(*env.ctx, LetterTemplateList))
            if (v.value == name) {
                PutECT(*env.ctx, v.id, TextKind::LetterTemplate, text);
                return v.id;
            }
        throw std::runtime_error("template not stored");
    }

    // Double-clicks the template of this name in the list.
    void useTemplate(frmProfileCor& f, const QString& name) {
        auto* list = control<QListWidget>(f, "lstTemplates");
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list->setCurrentItem(found[0]);
        Q_EMIT list->itemDoubleClicked(found[0]);
    }

    QString letterText(frmProfileCor& f) {
        return control<QPlainTextEdit>(f, "txtLetter")->toPlainText();
    }

    qint64 guest = 0;
};

TEST_F(ProfileLetter, ATemplateIsMergedForTheGuest) {
    letterTemplate("Welcome", "Dear ~~~NameFirst ~~~NameLast,\nYour home: ~~~AddressHomeLine1\n"
                              "From ~~~NameSender");
    letterTemplate("Farewell", "Goodbye");
    frmProfileCor f(*env.ctx, load(guest), "Letter");
    auto* list = control<QListWidget>(f, "lstTemplates");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "Farewell"); // by name
    EXPECT_EQ(control<QCheckBox>(f, "chkLetterhead")->text(), "Print On Your Letterhead Forrms");

    useTemplate(f, "Welcome");
    EXPECT_EQ(letterText(f), "Dear Ada Quill,\nYour home: 12 Elm Row\nFrom Ann Desk");
    useTemplate(f, "Farewell");
    EXPECT_EQ(letterText(f), "Goodbye");
}

TEST_F(ProfileLetter, PostingAddsOneHistoryRowForTodayOfTheChosenType) {
    frmProfileCor f(*env.ctx, load(guest), "");
    auto* post = control<QPushButton>(f, "cmdPost");
    click(f, "cmdPost");
    EXPECT_EQ(env.prompt.last(), "Please select a Contact Type.  Thank you.");
    EXPECT_TRUE(GetProfileCH(*env.ctx, guest).empty());

    choose(f, "cboContactType", "Letter");
    click(f, "cmdPost");
    EXPECT_EQ(env.prompt.last(), MsgLetterPosted);
    EXPECT_TRUE(f.posted());
    const auto rows = GetProfileCH(*env.ctx, guest);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].date, "2026/03/14");
    EXPECT_EQ(rows[0].type, "Letter");
    EXPECT_EQ(rows[0].result, "");
    // The same letter is not posted twice; a changed one may be.
    EXPECT_FALSE(post->isEnabled());
    QTest::keyClicks(control<QPlainTextEdit>(f, "txtLetter"), "P.S.");
    EXPECT_TRUE(post->isEnabled());
}

TEST_F(ProfileLetter, TheHistoryTabHandsItsTypeOnAndShowsThePostedRow) {
    ProfileHistoryTab tab(*env.ctx);
    tab.setProfile(load(guest));
    choose(tab, "cboContactType", "Email");
    screen::onModal<frmProfileCor>([](frmProfileCor& f) {
        EXPECT_EQ(control<QComboBox>(f, "cboContactType")->currentText(), "Email");
        click(f, "cmdPost");
    });
    click(tab, "cmdCorrespondence");
    EXPECT_EQ(control<DataGrid>(tab, "grdContactHistory")->rowCount(), 1);
    EXPECT_EQ(GetProfileCH(*env.ctx, guest).at(0).type, "Email");
}

TEST_F(ProfileLetter, EmailGoesToTheFirstAddressTheGuestAllows) {
    struct Case {
        const char* name;
        QString home, business;
        bool dnuHome, dnuBusiness;
        QString to;
    };
    const std::vector<Case> cases = {
        {"home first", "a@h.example", "a@b.example", false, false, "a@h.example"},
        {"home not to be used", "a@h.example", "a@b.example", true, false, "a@b.example"},
        {"blank home skipped", " ", "a@b.example", false, false, "a@b.example"},
        {"neither allowed", "a@h.example", "a@b.example", true, true, ""},
        {"business not to be used", " ", "a@b.example", false, true, ""},
    };
    for (const Case& c : cases) {
        Profile p;
        p.email = c.home;
        p.emailB = c.business;
        p.dnuEmail = c.dnuHome;
        p.dnuEmailB = c.dnuBusiness;
        EXPECT_EQ(LetterEmailRecipient(p), c.to) << c.name;
    }
}

TEST_F(ProfileLetter, SendingByEmailHandsTheLetterToTheMailProgram) {
    Profile p = load(guest);
    p.dnuEmail = true;
    frmProfileCor f(*env.ctx, p, "Letter");
    click(f, "cmdSend");
    EXPECT_EQ(env.prompt.last(), MsgNoLetter);

    control<QPlainTextEdit>(f, "txtLetter")->setPlainText("Dear Ada,\nSee you soon.");
    control<QRadioButton>(f, "optEmail")->click();
    click(f, "cmdSend");
    ASSERT_EQ(env.mailer.sent.size(), 1);
    EXPECT_EQ(env.mailer.sent[0].to, "ada@work.example");
    EXPECT_EQ(env.mailer.sent[0].subject, "A Letter for you from Hotel Aster");
    EXPECT_EQ(env.mailer.sent[0].body, "Dear Ada,\r\nSee you soon.");
    EXPECT_TRUE(GetProfileCH(*env.ctx, guest).empty()); // sending is not posting
}

TEST_F(ProfileLetter, WithoutAMailProgramTheLetterWaitsInAFile) {
    env.mailer.takes = false;
    frmProfileCor f(*env.ctx, load(guest), "Letter");
    control<QPlainTextEdit>(f, "txtLetter")->setPlainText("Dear Ada");
    control<QRadioButton>(f, "optEmail")->click();
    click(f, "cmdSend");
    ASSERT_EQ(env.desktop.opened.size(), 1);
    QFile file(env.desktop.opened[0].toLocalFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(written.contains("To: ada@home.example")) << written.toStdString();
    EXPECT_TRUE(written.contains("Subject: A Letter for you from Hotel Aster"));
    EXPECT_TRUE(written.contains("Dear Ada"));
}

TEST_F(ProfileLetter, PostalMailPrintsTheLetterWithTheLogoUnlessOnLetterhead) {
    frmProfileCor f(*env.ctx, load(guest), "Letter");
    control<QPlainTextEdit>(f, "txtLetter")
        ->setPlainText("Dear Ada,\n\nWe look forward to your stay.\nKind regards");
    const auto preview = [&] {
        const auto all = f.findChildren<frmPrintPreview*>();
        return all.isEmpty() ? nullptr : all.last();
    };
    const auto hasLogo = [](const doc::Document& d) {
        for (const doc::Block& b : d.header)
            if (const auto* image = std::get_if<doc::Image>(&b))
                return image->path.endsWith("picVmLogo.gif");
        return false;
    };

    click(f, "cmdSend");
    frmPrintPreview* plain = preview();
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->objectName(), "frmPrintLH");
    EXPECT_TRUE(hasLogo(plain->document()));
    const QString path = env.root() + "/letter.pdf";
    env.desktop.choose(path);
    click(*plain, "cmdPdf");
    const QString text = PdfPages(path).join("\n");
    EXPECT_TRUE(InOrder(text, {"Dear Ada,", "We look forward to your stay.", "Kind regards"}))
        << text.toStdString();
    plain->close();

    control<QCheckBox>(f, "chkLetterhead")->setChecked(true);
    click(f, "cmdSend");
    ASSERT_TRUE(preview() && preview() != plain);
    EXPECT_FALSE(hasLogo(preview()->document()));
    EXPECT_EQ(doc::PlainText(preview()->document()).toStdString(),
              "Dear Ada,\n\nWe look forward to your stay.\nKind regards");
}

TEST_F(ProfileLetter, AnEmptyLetterIsNotPrinted) {
    PrintRequest r{ProfileLetterRoutine, "Letter", {{ArgLetterText, "  \n "}}};
    EXPECT_THROW(BuildProfileLetter(*env.ctx, r), ReportRefused);
    ASSERT_NE(env.ctx->reports.find("Letter"), nullptr);
}

TEST_F(ProfileLetter, TemplatesAreKeptWithTheirTexts) {
    frmLetterTemplates editor(*env.ctx);
    auto* list = control<QListWidget>(editor, "lstTemplates");
    click(editor, "cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgBlankTemplateName);

    const QString longText = "Dear ~~~NameFirst,\n" + QString(600, 'x');
    typeInto(editor, "txtName", "Welcome");
    control<QPlainTextEdit>(editor, "txtTemplate")->setPlainText(longText);
    click(editor, "cmdSave");
    ASSERT_EQ(list->count(), 1);
    const qint64 id = list->item(0)->data(Qt::UserRole).toLongLong();
    EXPECT_EQ(GetECT(*env.ctx, id, TextKind::LetterTemplate), longText);

    // A second template of the same name is refused, and leaves no text behind.
    click(editor, "cmdNew");
    typeInto(editor, "txtName", "welcome");
    control<QPlainTextEdit>(editor, "txtTemplate")->setPlainText("Other");
    click(editor, "cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgValueExists);
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [EvConText] WHERE [EvConType] = 'B'"), 3);

    list->setCurrentRow(0);
    EXPECT_EQ(control<QLineEdit>(editor, "txtName")->text(), "Welcome");
    typeInto(editor, "txtName", "Welcome Back");
    control<QPlainTextEdit>(editor, "txtTemplate")->setPlainText("Hello again");
    click(editor, "cmdSave");
    EXPECT_EQ(list->item(0)->text(), "Welcome Back");
    EXPECT_EQ(GetECT(*env.ctx, id, TextKind::LetterTemplate), "Hello again");

    env.prompt.answer(Answer::No);
    click(editor, "cmdDelete");
    EXPECT_EQ(list->count(), 1);
    env.prompt.answer(Answer::Yes);
    click(editor, "cmdDelete");
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(GetECT(*env.ctx, id, TextKind::LetterTemplate), "");
}

TEST_F(ProfileLetter, MaintainingTemplatesNeedsTheListsRight) {
    grantProfiles(12, false);
    frmProfileCor f(*env.ctx, load(guest), "Letter");
    click(f, "cmdTemplates");
    EXPECT_EQ(env.prompt.last(), MsgMaintainLetterTemplates);

    grantProfiles(12, true);
    letterTemplate("Welcome", "Hi");
    screen::onModal<frmLetterTemplates>([](frmLetterTemplates& editor) {
        control<QListWidget>(editor, "lstTemplates")->setCurrentRow(0);
        typeInto(editor, "txtName", "Welcome Home");
        click(editor, "cmdSave");
    });
    click(f, "cmdTemplates");
    EXPECT_EQ(control<QListWidget>(f, "lstTemplates")->item(0)->text(), "Welcome Home");
}

} // namespace
