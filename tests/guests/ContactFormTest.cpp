#include "app/forms/frmSearch.h"
#include "core/Rights.h"
#include "core/Settings.h"
#include "guests/ContactFixture.h"
#include "guests/DocumentLinks.h"
#include "guests/Maps.h"
#include "guests/forms/ContactFormUi.h"
#include "guests/forms/ContactModule.h"
#include "guests/forms/MapPage.h"
#include "guests/forms/frmContactDoc.h"
#include "guests/forms/frmContactForm.h"
#include "guests/forms/frmEvtMessager.h"
#include "guests/forms/frmOtherData.h"
#include "guests/reports/ContactReports.h"
#include "logbook/EntryRules.h"
#include "logbook/forms/LogbookModule.h"
#include "logbook/forms/frmLogbook.h"
#include "platform/forms/DataGrid.h"
#include "security/forms/frmCCQuery.h"
#include "support/ScreenDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace vm;
using namespace vm::test;

namespace {

class ContactForm : public ContactFixture {
protected:
    void SetUp() override {
        ContactFixture::SetUp();
        EnsureApplication();
        for (const char* k : {"Dinner", "Italian", "Lunch"})
            env.ctx->contactsDb().exec("INSERT INTO [Keyword] ([Keyword]) VALUES (?)", {k});
        grant(RightsArea::Contacts, ManagerRights(RightsArea::Contacts));
    }
    void grant(RightsArea area, const QString& rights) {
        env.db().exec("UPDATE [ConciergePlus] SET [" + RightsColumn(area) +
                          "] = ? WHERE [ConciergeID] = ?",
                      {rights, env.ctx->session.conciergeId});
    }
    void deny(const Right& right) {
        grant(right.area, SetRightChar(ManagerRights(right.area), right.position, false));
    }
    template <class W> W* find(QWidget& form, const char* name) {
        return screen::control<W>(form, name);
    }
    QLineEdit* line(QWidget& f, const char* name) { return find<QLineEdit>(f, name); }
    QPlainTextEdit* text(QWidget& f, const char* name) { return find<QPlainTextEdit>(f, name); }
    void click(QWidget& f, const char* name) { find<QAbstractButton>(f, name)->click(); }
    void tick(QWidget& f, const QString& keyword) {
        auto* list = find<QListWidget>(f, "lstKeywords");
        const auto items = list->findItems(keyword, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << keyword.toStdString();
        items[0]->setCheckState(Qt::Checked);
    }
};

} // namespace

TEST_F(ContactForm, AddsAContactWithKeywordsExtraDataTextsAndALinkedDocument) {
    SetTextSetting(env.db(), "DefaultCountry", "USA");
    SetTextSetting(env.db(), "DefaultAreaCode", "312");
    addType("Phone", "T", 1);
    frmContactForm form(*env.ctx, 0);
    QSignalSpy saved(&form, &frmContactForm::contactSaved);
    EXPECT_EQ(line(form, "txtCountry")->text(), "USA");
    line(form, "txtContactName")->setText("Trattoria Roma");
    line(form, "txtCity")->setText("Springfield");
    tick(form, "Italian");
    tick(form, "Dinner");
    EXPECT_EQ(line(form, "txtKeywords")->text(), "Dinner, Italian");
    text(form, "txtNotes")->setPlainText("Ask for Luigi & Maria");
    text(form, "txtDirections")->setPlainText("North two blocks");
    text(form, "txtGuestListText")->setPlainText("Best pasta in town");
    find<QCheckBox>(form, "chkPrintOnGuestList")->setChecked(true);

    // Extra data and documents wait for the first save.
    click(form, "cmdSaveData");
    EXPECT_EQ(env.prompt.last(), MsgSaveBeforeExtra);
    click(form, "cmdMaintainDocs");
    EXPECT_EQ(env.prompt.last(), MsgSaveBeforeDocs);

    click(form, "cmdSave");
    ASSERT_EQ(saved.count(), 1);
    const qint64 id = form.contactId();
    ASSERT_GT(id, 0);
    EXPECT_EQ(saved[0][0].toLongLong(), id);
    EXPECT_EQ(form.windowTitle(), "Velmora Contact Manager - Trattoria Roma");
    EXPECT_TRUE(find<QLabel>(form, "lblLastUpdated")->text().contains("By: PD"));
    const Contact stored = *GetTheContact(*env.ctx, id);
    EXPECT_EQ(
        QStringList({stored.keywordSet, stored.notes, stored.directions, stored.guestListText}),
        QStringList({"Dinner, Italian", "Ask for Luigi & Maria", "North two blocks",
                     "Best pasta in town"}));
    EXPECT_TRUE(stored.printOnGuestList);

    auto* data = line(form, "txtContactData");
    QTest::keyClicks(data, "5");
    EXPECT_EQ(env.prompt.last(), MsgTypeBeforeData);
    EXPECT_EQ(data->text(), "");
    click(form, "cmdSaveData");
    EXPECT_EQ(env.prompt.last(), MsgSelectContactType);
    find<QComboBox>(form, "cboContactType")->setCurrentText("Phone");
    click(form, "cmdSaveData");
    EXPECT_EQ(env.prompt.last(), MsgContactDataMissing);
    QTest::keyClicks(data, "555.1234");
    find<QCheckBox>(form, "chkDataPrivate")->setChecked(true);
    click(form, "cmdSaveData");
    auto* extra = find<DataGrid>(form, "grdExtra");
    ASSERT_EQ(extra->rowCount(), 1);
    EXPECT_EQ(
        QStringList({extra->cell(0, 0), extra->cell(0, 1), extra->cell(0, 2), extra->cell(0, 3)}),
        QStringList({"Phone", "312 555-1234", "T", "Yes"}));
    EXPECT_TRUE(GetCurrentContactValues(*env.ctx, id).front().isPrivate);

    screen::onModal<frmContactDoc>([](frmContactDoc& d) {
        d.txtFileName->setText("https://roma.example/menu");
        d.cboDescription->setCurrentText("Price List");
        d.cmdSave->click();
        d.cmdClose->click();
    });
    click(form, "cmdMaintainDocs");
    auto* docs = find<DataGrid>(form, "grdDocuments");
    ASSERT_EQ(docs->rowCount(), 1);
    EXPECT_EQ(docs->cell(0, 0), "Price List");
    click(form, "imgBrowser");
    ASSERT_EQ(env.desktop.opened.size(), 1);
    EXPECT_EQ(env.desktop.opened[0].toString(), "https://roma.example/menu");
}

TEST_F(ContactForm, WithSharedContactsTheFormSavesToTheCommonDatabase) {
    openShared();
    grant(RightsArea::Contacts, ManagerRights(RightsArea::Contacts));
    env.ctx->contactsDb().exec("INSERT INTO [Keyword] ([Keyword]) VALUES ('Museum')");
    frmContactForm form(*env.ctx, 0);
    line(form, "txtContactName")->setText("Art Institute");
    tick(form, "Museum");
    text(form, "txtNotes")->setPlainText("Free on Thursdays");
    click(form, "cmdSave");
    const qint64 id = form.contactId();
    ASSERT_GT(id, 0);
    Database& common = *env.ctx->common;
    EXPECT_EQ(
        common.scalar("SELECT [KeywordSet] FROM [Contact] WHERE [ContactID] = ?", {id}).toString(),
        "Museum");
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [Contact]"), 0);
    EXPECT_EQ(count(common, "SELECT COUNT(*) FROM [EvConText] WHERE [EvConKey] = ?", {id}), 1);
    text(form, "txtNotes")->setPlainText("Free on Thursday evenings");
    click(form, "cmdSave");
    EXPECT_EQ(GetTheContact(*env.ctx, id)->notes, "Free on Thursday evenings");
}

TEST_F(ContactForm, ALanguageChangeIsRefusedAndCloneMakesTheEntryInTheOtherLanguage) {
    Contact c = sample();
    c.notes = "notes to copy";
    const qint64 id = insert(c);
    InsertCDocument(*env.ctx, {0, id, DocKind::Contact, "Menu", "https://roma.example", ""});
    frmContactForm form(*env.ctx, id);
    QSignalSpy saved(&form, &frmContactForm::contactSaved);
    click(form, "cmdClone");
    EXPECT_EQ(env.prompt.last(), MsgSelectCloneLanguage);
    find<QComboBox>(form, "cboLanguage")->setCurrentIndex(2);
    click(form, "cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgContactLanguageChanged);
    EXPECT_EQ(GetTheContact(*env.ctx, id)->language, 0);

    click(form, "cmdClone");
    const qint64 copy = form.contactId();
    ASSERT_NE(copy, id);
    EXPECT_EQ(saved.count(), 1);
    const Contact r = *GetTheContact(*env.ctx, copy);
    EXPECT_EQ(std::tuple(r.language, r.name, r.notes),
              std::tuple(2, QString("Trattoria Roma"), QString("notes to copy")));
    EXPECT_EQ(find<DataGrid>(form, "grdDocuments")->rowCount(), 1);
    EXPECT_EQ(text(form, "txtNotes")->toPlainText(), "notes to copy");
}

TEST_F(ContactForm, NextAndPreviousAskAboutUnsavedChangesFirst) {
    const qint64 a = insert(sample("Alpha"));
    const qint64 b = insert(sample("Bravo"));
    const qint64 c = insert(sample("Charlie"));
    const QList<qint64> order{a, b, c};
    frmContactForm form(*env.ctx, b);
    form.setNeighbours([&](qint64 key, int direction) {
        const int i = int(order.indexOf(key)) + direction;
        return i >= 0 && i < order.size() ? order[i] : qint64(0);
    });
    line(form, "txtCity")->setText("Not kept");
    env.prompt.answer(Answer::No);
    click(form, "imgNext");
    EXPECT_EQ(env.prompt.last(), MsgSaveChanges);
    EXPECT_EQ(form.contactId(), c);
    EXPECT_EQ(line(form, "txtContactName")->text(), "Charlie");
    EXPECT_EQ(GetTheContact(*env.ctx, b)->city, "Springfield");

    // At the end of the list nothing moves and nothing is asked.
    env.prompt.clear();
    click(form, "imgNext");
    EXPECT_EQ(form.contactId(), c);
    EXPECT_TRUE(env.prompt.shown.isEmpty());

    line(form, "txtCity")->setText("Kept");
    env.prompt.answer(Answer::Yes);
    click(form, "imgPrevious");
    EXPECT_EQ(form.contactId(), b);
    EXPECT_EQ(GetTheContact(*env.ctx, c)->city, "Kept");
    EXPECT_EQ(line(form, "txtCity")->text(), "Springfield");
}

TEST_F(ContactForm, ASaveAfterAnotherDesksAsksAndYesReloadsTheirValues) {
    const qint64 id = insert(sample());
    frmContactForm form(*env.ctx, id);
    Contact other = *GetTheContact(*env.ctx, id);
    other.city = "Shelbyville";
    ASSERT_EQ(UpdateContact(*env.ctx, other), VersionedResult::Updated);

    line(form, "txtCity")->setText("Capital City");
    env.prompt.answer(Answer::No);
    click(form, "cmdSave");
    EXPECT_EQ(env.prompt.last(), ChangedElsewhereQuestion("Contact"));
    EXPECT_EQ(line(form, "txtCity")->text(), "Capital City");
    EXPECT_EQ(GetTheContact(*env.ctx, id)->city, "Shelbyville");

    env.prompt.answer(Answer::Yes);
    click(form, "cmdSave");
    EXPECT_EQ(line(form, "txtCity")->text(), "Shelbyville");
    // Reloaded: the next save is the desk's own again.
    line(form, "txtCity")->setText("Capital City");
    click(form, "cmdSave");
    EXPECT_EQ(GetTheContact(*env.ctx, id)->city, "Capital City");
}

TEST_F(ContactForm, DeleteConfirmsRemovesTheContactAndSignals) {
    const qint64 id = insert(sample());
    frmContactForm form(*env.ctx, id);
    QSignalSpy deleted(&form, &frmContactForm::contactDeleted);
    env.prompt.answer(Answer::No);
    click(form, "cmdDelete");
    EXPECT_EQ(env.prompt.last(), MsgDeleteContact);
    EXPECT_TRUE(GetTheContact(*env.ctx, id));
    env.prompt.answer(Answer::Yes);
    click(form, "cmdDelete");
    ASSERT_EQ(deleted.count(), 1);
    EXPECT_EQ(deleted[0][0].toLongLong(), id);
    EXPECT_FALSE(GetTheContact(*env.ctx, id));
}

TEST_F(ContactForm, RightsHideTheEditButtonsAndRefuseEachIcon) {
    const qint64 id = insert(sample());
    grant(RightsArea::Contacts, QString(14, '0'));
    grant(RightsArea::Logbook, QString(19, '0'));
    frmContactForm form(*env.ctx, id);
    for (const char* b : {"cmdSave", "cmdClear", "cmdDelete"})
        EXPECT_TRUE(find<QPushButton>(form, b)->isHidden()) << b;
    struct Case {
        const char* button;
        QString refusal;
    };
    const Case cases[] = {
        {"cmdClone", MsgCloneRight},
        {"cmdSaveData", MsgExtraRight},
        {"cmdDeleteData", MsgExtraRight},
        {"cmdMaintainTypes", MsgExtraRight},
        {"cmdMaintainDocs", MsgDocsRight},
        {"imgBrowser", MsgViewDocsRight},
        {"imgPrintDetails", MsgPrintRight},
        {"imgPrintGuestList", MsgPrintRight},
        {"imgMessage", MsgMessagesRight},
        {"imgLogbook", MsgAddEntries},
        {"imgReminder", MsgStatusMessagesRight},
    };
    for (const Case& k : cases) {
        env.prompt.clear();
        click(form, k.button);
        EXPECT_EQ(env.prompt.texts(), QStringList({k.refusal})) << k.button;
    }
    env.ctx->session.name = "Guest Viewer";
    click(form, "imgLogbook");
    EXPECT_EQ(env.prompt.last(),
              "As a Guest Viewer you are not\r\nauthorized to add\r\ninformation to the logbook.");
}

TEST_F(ContactForm, InTheMainWindowTheLogbookIconOpensANewEntryForTheContact) {
    env.db().exec("INSERT INTO [LogType] ([LogType]) VALUES ('Dining')");
    grant(RightsArea::Logbook, ManagerRights(RightsArea::Logbook));
    grant(RightsArea::Others, SetRightChar(ManagerRights(RightsArea::Others), 8, false));
    frmSearch window(*env.ctx);
    InstallLogbook(*env.ctx, window);
    InstallContactRecord(*env.ctx, window);
    EXPECT_TRUE(window.findChild<MapPage*>("MapPage"));
    auto* pointToPoint = window.findChild<QAbstractButton*>("imgPointToPoint");
    ASSERT_TRUE(pointToPoint);
    pointToPoint->click();
    EXPECT_EQ(env.prompt.last(), MsgOthersMapRight);

    Contact c = sample();
    c.affiliation = "Dining";
    const qint64 id = insert(c);
    frmContactForm form(*env.ctx, id, &window);
    click(form, "imgLogbook");
    QList<frmLogbook*> entries = window.findChildren<frmLogbook*>();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<frmLogbook*>(w); f && !entries.contains(f)) entries << f;
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0]->entry().contactId, id);
    EXPECT_EQ(entries[0]->entry().logId, 0);
    entries[0]->deleteLater();
}

TEST_F(ContactForm, ThePrintIconsOpenThePreviewOfTheirDocument) {
    RegisterContactReports(env.ctx->reports);
    frmContactForm unsaved(*env.ctx, 0);
    click(unsaved, "imgPrintDetails");
    EXPECT_EQ(env.prompt.last(), MsgSaveContactBeforePrint);

    Contact c = sample();
    c.directions = "North two blocks";
    frmContactForm form(*env.ctx, insert(c));
    auto previews = [&] {
        QStringList titles;
        for (QWidget* w : form.findChildren<QWidget*>())
            if (w->isWindow() && w->windowTitle().startsWith("Velmora Print Preview - "))
                titles << w->windowTitle().mid(24);
        return titles;
    };
    click(form, "imgPrintDetails");
    auto* tabs = find<QTabWidget>(form, "tabContact");
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == "Log Notes && Directions") tabs->setCurrentIndex(i);
    click(form, "imgPrintDetails");
    click(form, "imgPrintGuestList");
    EXPECT_EQ(previews(),
              QStringList({"Contact Entry", "Contact Directions", "Contact Guest List"}));
}

TEST_F(ContactForm, TheAreaListIsMaintainedFromTheScreenAndOffersTheNewValue) {
    frmContactForm form(*env.ctx, insert(sample()));
    screen::onModal<frmOtherData>([](frmOtherData& d) {
        d.findChild<QLineEdit*>("txtValue")->setText("Downtown");
        d.findChild<QPushButton*>("cmdAdd")->click();
        d.findChild<QPushButton*>("cmdClose")->click();
    });
    click(form, "cmdMaintainAreas");
    auto* area = find<QComboBox>(form, "cboArea");
    EXPECT_GE(area->findText("Downtown"), 0);
    area->setCurrentText("Downtown");
    click(form, "cmdSave");
    EXPECT_EQ(GetTheContact(*env.ctx, form.contactId())->area, "Downtown");
}

TEST_F(ContactForm, ClosingWithChangesAsksAndARefusedSaveKeepsTheScreenOpen) {
    frmContactForm form(*env.ctx, insert(sample()));
    form.show();
    line(form, "txtKeywords")->setText("");
    env.prompt.answer(Answer::Yes);
    click(form, "cmdClose");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgSaveChanges, MsgContactKeywordsMissing}));
    EXPECT_TRUE(form.isVisible());
    env.prompt.clear();
    env.prompt.answer(Answer::No);
    click(form, "cmdClose");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgSaveChanges}));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(GetTheContact(*env.ctx, form.contactId())->keywordSet, "Dinner, Italian");
}

TEST_F(ContactForm, ACardNumberInTheNotesIsAskedAboutBeforeTheSave) {
    frmContactForm form(*env.ctx, insert(sample()));
    text(form, "txtNotes")->setPlainText("Guest paid with 4111 1111 1111 1111 last time");
    screen::onModal<frmCCQuery>([](frmCCQuery& d) {
        if (auto* yes = d.findChild<QPushButton*>("cmdYes")) yes->click();
    });
    click(form, "cmdSave");
    const QString notes = GetTheContact(*env.ctx, form.contactId())->notes;
    EXPECT_FALSE(notes.contains("4111")) << notes.toStdString();
    EXPECT_TRUE(notes.contains("DELETED CC#")) << notes.toStdString();
}

TEST_F(ContactForm, TheMessageIconStartsAMessageAboutTheSavedContact) {
    frmContactForm unsaved(*env.ctx, 0);
    click(unsaved, "imgMessage");
    EXPECT_EQ(env.prompt.last(), MsgSaveBeforeMessage);

    frmContactForm form(*env.ctx, insert(sample()));
    QString started;
    screen::onModal<frmEvtMessager>([&started](frmEvtMessager& d) {
        started = d.findChild<QPlainTextEdit*>("txtMessage")->toPlainText();
        d.findChild<QPushButton*>("cmdCancel")->click();
    });
    click(form, "imgMessage");
    EXPECT_TRUE(started.startsWith("Please Note the following Contact information:"))
        << started.toStdString();
    EXPECT_TRUE(started.contains("Trattoria Roma")) << started.toStdString();
}

TEST_F(ContactForm, ExtraDataIsDeletedOnlyForAChosenRowAfterTheQuestion) {
    const qint64 phone = addType("Phone", "T", 1);
    const qint64 id = insert(sample());
    SetContactValue(*env.ctx, id, phone, "555-0100", false);
    frmContactForm form(*env.ctx, id);
    auto* grid = find<DataGrid>(form, "grdExtra");
    ASSERT_EQ(grid->rowCount(), 1);
    grid->clearSelection();
    grid->setCurrentIndex({});
    click(form, "cmdDeleteData");
    EXPECT_EQ(env.prompt.last(), MsgNoContactDataSelected);

    grid->selectKey(phone);
    env.prompt.answer(Answer::No);
    click(form, "cmdDeleteData");
    EXPECT_EQ(env.prompt.last(), MsgDeleteContactData);
    EXPECT_EQ(GetCurrentContactValues(*env.ctx, id).size(), 1u);
    env.prompt.answer(Answer::Yes);
    click(form, "cmdDeleteData");
    EXPECT_TRUE(GetCurrentContactValues(*env.ctx, id).empty());
    EXPECT_EQ(grid->rowCount(), 0);
}

TEST_F(ContactForm, ASaveOfAContactDeletedAtAnotherDeskSaysSoAndWritesNothing) {
    const qint64 id = insert(sample());
    frmContactForm form(*env.ctx, id);
    ASSERT_TRUE(DeleteContact(*env.ctx, id));
    line(form, "txtCity")->setText("Elsewhere");
    click(form, "cmdSave");
    EXPECT_EQ(env.prompt.last(), GoneElsewhereMessage("Contact"));
    EXPECT_EQ(count(env.db(), "SELECT COUNT(*) FROM [Contact]"), 0);
}
