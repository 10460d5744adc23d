#include "guests/ProfileDesk.h"

#include "core/Settings.h"
#include "guests/DocumentLinks.h"
#include "guests/Groups.h"
#include "guests/forms/ProfileCardsTab.h"
#include "guests/forms/ProfileEditUi.h"
#include "guests/forms/ProfileWindows.h"
#include "guests/forms/frmProfileEdit.h"
#include "logbook/EntryRules.h"
#include "platform/RegistryValues.h"
#include "platform/forms/DataGrid.h"
#include "security/CardData.h"
#include "security/CardStore.h"
#include "security/forms/frmShowEncCC.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using namespace vm;
using namespace vm::test;

namespace {

class ProfileScreen : public ProfileDesk {
protected:
    static QLineEdit* line(QWidget& f, const char* name) { return control<QLineEdit>(f, name); }
    static void type(QWidget& f, const char* name, const QString& text) {
        QLineEdit* e = line(f, name);
        e->setText(text);
        Q_EMIT e->editingFinished(); // leaving the field
    }
    qint64 rows(const QString& table, qint64 profileId) {
        return env.db()
            .scalar("SELECT COUNT(*) FROM [" + table + "] WHERE [ProfileID] = ?", {profileId})
            .toLongLong();
    }
    // The neighbour function of a list in this order.
    static std::function<qint64(qint64, int)> listOf(QList<qint64> order) {
        return [order](qint64 key, int direction) {
            const int i = int(order.indexOf(key)) + direction;
            return i >= 0 && i < order.size() ? order[i] : qint64(0);
        };
    }
};

} // namespace

TEST_F(ProfileScreen, ANewProfileIsSavedWithItsFlagsColourAndTidiedNamesAndPhones) {
    SetBooleanSetting(env.db(), "ProperCaseName", true);
    SetTextSetting(env.db(), "DefaultCountry", "USA");
    SetTextSetting(env.db(), "DefaultAreaCode", "212");
    std::vector<qint64> saved;
    ProfileWindowOptions options;
    options.saved = [&saved](qint64 id) { saved.push_back(id); };
    frmProfileEdit f(*env.ctx, 0, options);
    EXPECT_EQ(control<QLabel>(f, "lblProfileID")->text(), " ProfileID: 0");
    type(f, "txtFirstName", "sean");
    type(f, "txtLastName", "o'brien iii");
    type(f, "txtHomePhone", "555.1234");
    type(f, "txtCellPhone", "2125550199");
    type(f, "txtBusinessPhone", "+44 20 7946 0958");
    EXPECT_EQ(line(f, "txtFirstName")->text(), "Sean");
    EXPECT_EQ(line(f, "txtLastName")->text(), "O'Brien III");
    EXPECT_EQ(line(f, "txtHomePhone")->text(), "212 555-1234");
    EXPECT_EQ(line(f, "txtCellPhone")->text(), "(212) 555-0199");
    EXPECT_EQ(line(f, "txtBusinessPhone")->text(), "+44 20 7946 0958");
    line(f, "txtAddress1B")->setText("9 Office Park");
    control<QCheckBox>(f, "chkPrimaryBusiness")->setChecked(true);
    EXPECT_FALSE(control<QCheckBox>(f, "chkPrimaryHome")->isChecked());
    control<QCheckBox>(f, "chkColorCode")->setChecked(true);
    control<QRadioButton>(f, "optGreen")->setChecked(true);
    control<QCheckBox>(f, "chkPubPriv")->setChecked(true);
    control<QCheckBox>(f, "chkDNUEmail")->setChecked(true);
    control<QCheckBox>(f, "chkDNUOtherPhone")->setChecked(true);
    control<QPlainTextEdit>(f, "txtNotes")->setPlainText("Allergic to feathers");
    click(f, "cmdSave");

    const qint64 id = f.profileId();
    ASSERT_GT(id, 0) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(saved, std::vector<qint64>{id});
    EXPECT_EQ(control<QLabel>(f, "lblProfileID")->text(), " ProfileID: " + QString::number(id));
    const Profile p = *GetProfile(*env.ctx, id);
    EXPECT_EQ(std::tuple(p.dnuEmail, p.dnuOtherPhone, p.dnuSnailMail, p.dnuHomePhone),
              std::tuple(true, true, false, false));
    EXPECT_EQ(std::tuple(p.colorCode, p.color, p.isPrivate, p.primaryAddress),
              std::tuple(true, ProfileColorGreen, true, 1));
    EXPECT_EQ(p.homePhone, "212 555-1234");
    EXPECT_EQ(p.notes, "Allergic to feathers");
    EXPECT_EQ(p.business.line1, "9 Office Park");
    EXPECT_TRUE(env.prompt.texts().isEmpty()) << env.prompt.texts().join("|").toStdString();
}

TEST_F(ProfileScreen, ASaveAfterAnotherDesksChangeAsksAndYesReloadsTheirValues) {
    const qint64 id = addProfile(sample("Ann", "Smith"));
    frmProfileEdit f(*env.ctx, id, {});
    Profile other = *GetProfile(*env.ctx, id);
    other.home.city = "Shelbyville";
    ASSERT_EQ(UpdateProfile(*env.ctx, other), VersionedResult::Updated);

    line(f, "txtCity")->setText("Capital City");
    env.prompt.answer(Answer::No);
    click(f, "cmdSave");
    EXPECT_EQ(env.prompt.last(), ChangedElsewhereQuestion("Profile"));
    EXPECT_EQ(GetProfile(*env.ctx, id)->home.city, "Shelbyville");
    EXPECT_EQ(line(f, "txtCity")->text(), "Capital City");

    env.prompt.answer(Answer::Yes);
    click(f, "cmdSave");
    EXPECT_EQ(line(f, "txtCity")->text(), "Shelbyville");
    line(f, "txtCity")->setText("Capital City");
    click(f, "cmdSave");
    EXPECT_EQ(GetProfile(*env.ctx, id)->home.city, "Capital City");

    // Deleted at the other desk: said so, nothing is written back.
    ASSERT_TRUE(DeleteProfile(*env.ctx, id));
    line(f, "txtCity")->setText("Ghost Town");
    click(f, "cmdSave");
    EXPECT_EQ(env.prompt.last(), GoneElsewhereMessage("Profile"));
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [Profile]").toInt(), 0);
}

TEST_F(ProfileScreen, ACardNumberTypedIntoABoxIsAskedAboutBeforeTheSave) {
    frmProfileEdit f(*env.ctx, addProfile(sample("Ann", "Smith")), {});
    control<QPlainTextEdit>(f, "txtNotes")->setPlainText("Paid with 4111 1111 1111 1111 in May");
    onModal("frmCCQuery", [](QWidget& d) { click(d, "cmdYes"); });
    click(f, "cmdSave");
    const QString notes = GetProfile(*env.ctx, f.profileId())->notes;
    EXPECT_FALSE(notes.contains("4111")) << notes.toStdString();
    EXPECT_TRUE(notes.contains("DELETED CC#")) << notes.toStdString();
}

TEST_F(ProfileScreen, DeleteConfirmsRemovesTheProfileWithItsListsAndUnlinksEntries) {
    addIndicatorType("Pillow");
    const qint64 id = addProfile(sample("Ann", "Smith"));
    InsertProfilePI(*env.ctx, id, "Pillow", "Feather-free");
    InsertProfileCH(*env.ctx, id, QDate(2026, 3, 1), "Phone");
    ASSERT_GT(InsertProfileCC(*env.ctx, {id, "Visa", "4111111111111111", "12/27"}), 0);
    category("Dining");
    LogEntry e = entry("Smith", "Dining", "2026/03/14");
    e.profileId = id;
    const qint64 logId = add(e);

    std::vector<qint64> deleted;
    ProfileWindowOptions options;
    options.deleted = [&deleted](qint64 key) { deleted.push_back(key); };
    frmProfileEdit f(*env.ctx, id, options);
    env.prompt.answer(Answer::No);
    click(f, "cmdDelete");
    EXPECT_EQ(env.prompt.last(), MsgDeleteProfile);
    EXPECT_TRUE(GetProfile(*env.ctx, id));

    env.prompt.answer(Answer::Yes);
    click(f, "cmdDelete");
    EXPECT_EQ(deleted, std::vector<qint64>{id});
    EXPECT_FALSE(GetProfile(*env.ctx, id));
    for (const char* table : {"ProfilePI", "ProfileCH", "ProfileCC"})
        EXPECT_EQ(rows(table, id), 0) << table;
    EXPECT_EQ(store().GetTheLogEntry(logId)->profileId, 0);
    // The screen is cleared for a new profile.
    EXPECT_EQ(f.profileId(), 0);
    EXPECT_EQ(line(f, "txtLastName")->text(), "");
}

TEST_F(ProfileScreen, NextAndPreviousAskAboutUnsavedChangesFirst) {
    const qint64 a = addProfile(sample("Ann", "Alpha"));
    const qint64 b = addProfile(sample("Bob", "Bravo"));
    const qint64 c = addProfile(sample("Cy", "Charlie"));
    ProfileWindowOptions options;
    options.neighbour = listOf({a, b, c});
    frmProfileEdit f(*env.ctx, b, options);
    line(f, "txtCity")->setText("Not kept");
    env.prompt.answer(Answer::No);
    click(f, "imgNext");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgSaveChanges}));
    EXPECT_EQ(f.profileId(), c);
    EXPECT_EQ(line(f, "txtLastName")->text(), "Charlie");
    EXPECT_EQ(GetProfile(*env.ctx, b)->home.city, "Springfield");

    env.prompt.clear();
    click(f, "imgNext"); // the end of the list: nothing moves, nothing is asked
    EXPECT_EQ(f.profileId(), c);
    EXPECT_TRUE(env.prompt.texts().isEmpty());

    line(f, "txtCity")->setText("Kept");
    env.prompt.answer(Answer::Yes);
    click(f, "imgPrevious");
    EXPECT_EQ(f.profileId(), b);
    EXPECT_EQ(GetProfile(*env.ctx, c)->home.city, "Kept");
}

TEST_F(ProfileScreen, ClosingWithChangesAsksAndEscapeClosesLikeTheButton) {
    const qint64 id = addProfile(sample("Ann", "Smith"));
    frmProfileEdit f(*env.ctx, id, {});
    f.show();
    line(f, "txtJobTitle")->setText("Chef");
    env.prompt.answer(Answer::Yes);
    f.reject();
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgSaveChanges}));
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(GetProfile(*env.ctx, id)->title, "Chef");
}

TEST_F(ProfileScreen, APictureThatIsNoImageOrTooLargeIsRefusedAndAGoodOneIsStored) {
    const qint64 id = addProfile(sample("Ann", "Smith"));
    frmProfileEdit f(*env.ctx, id, {});
    const QString text = env.root() + "/notes.png";
    QFile t(text);
    ASSERT_TRUE(t.open(QIODevice::WriteOnly));
    t.write("this is not a picture");
    t.close();
    const QString big = env.root() + "/big.png";
    QFile b(big);
    ASSERT_TRUE(b.open(QIODevice::WriteOnly));
    ASSERT_TRUE(b.resize(MaxPictureBytes + 1));
    b.close();
    const QString good = env.root() + "/guest.png";
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(good));

    env.desktop.choose(text);
    click(f, "cmdUpdatePicture");
    env.desktop.choose(big);
    click(f, "cmdUpdatePicture");
    EXPECT_EQ(env.prompt.texts(),
              QStringList({MsgPictureNotImage + text, MsgPictureTooLarge + big}));
    EXPECT_TRUE(GetCDocuments(*env.ctx, id, DocKind::Profile).empty());

    env.desktop.choose(good);
    click(f, "cmdUpdatePicture");
    env.desktop.choose(good);
    click(f, "cmdUpdatePicture"); // a second picture replaces the first
    const auto links = GetCDocuments(*env.ctx, id, DocKind::Profile);
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].description, "Guest Picture");
    EXPECT_EQ(links[0].target(), QDir::toNativeSeparators(good));
    EXPECT_FALSE(control<QLabel>(f, "imgPicture")->pixmap().isNull());
    EXPECT_EQ(control<DataGrid>(f, "grdDocuments")->rowCount(), 1);
}

TEST_F(ProfileScreen, AStoredCardIsMaskedAndViewedWithTheCardPasswordAndTheViewLogged) {
    const qint64 id = addProfile(sample("Ann", "Smith"));
    addOther("CCType", "Visa");
    frmProfileEdit f(*env.ctx, id, {});
    auto* cards = control<ProfileCardsTab>(f, "ProfileCardsTab");
    cards->cboCardType->setCurrentText("Visa");
    cards->txtCardNumber->setText("4111 1111 1111 1112");
    cards->txtExpires->setText("1227");
    click(f, "cmdAddCard");
    EXPECT_EQ(env.prompt.last(), kMsgInvalidCardNumber);
    cards->txtCardNumber->setText("4111 1111 1111 1111");
    cards->txtExpires->setText("1327");
    click(f, "cmdAddCard");
    EXPECT_EQ(env.prompt.last(), MsgCardExpiry);
    cards->txtExpires->setText("1227");
    click(f, "cmdAddCard");
    auto* grid = control<DataGrid>(f, "grdCreditCards");
    ASSERT_EQ(grid->rowCount(), 1) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(grid->cell(0, 1), "xxxxxxxxxxxx1111");
    EXPECT_EQ(cards->txtExpires->displayText(), "__/__");

    QString shown;
    grid->selectKey(grid->keyAt(0));
    onModal("frmShowEncCCP", [&shown](QWidget& d) {
        control<QLineEdit>(d, "txtActualCCN")->setText("anncc1");
        click(d, "cmdShowCCN");
        if (auto* view = qobject_cast<CardViewDialog*>(&d)) shown = view->clearNumber();
        click(d, "cmdExit");
    });
    click(f, "cmdViewCard");
    EXPECT_EQ(shown, "4111111111111111");
    EXPECT_EQ(rows("ProfileCCV", id), 1);
    EXPECT_EQ(
        env.db().scalar("SELECT [Viewed] FROM [ProfileCCV] WHERE [ProfileID] = ?", {id}).toBool(),
        true);
}

TEST_F(ProfileScreen, CardsNeedTheirRightEvenForManagersAndASavedProfile) {
    deny(Rights::ProfilesCards);
    env.ctx->session.manager = true;
    frmProfileEdit f(*env.ctx, addProfile(sample("Ann", "Smith")), {});
    EXPECT_FALSE(control<QWidget>(f, "cmdAddCard")->isVisibleTo(&f));
    control<QPushButton>(f, "cmdAddCard")->click(); // hidden, still refuses
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgCardsRight}));

    setRights(RightsArea::Profiles, QString(14, '1'));
    frmProfileEdit unsaved(*env.ctx, 0, {});
    control<QPushButton>(unsaved, "cmdAddCard")->click();
    EXPECT_EQ(env.prompt.last(), MsgSaveProfileBeforeCards);
}

TEST_F(ProfileScreen, RightsHideButtonsLockTheNotesAndRefuseTheIcons) {
    const qint64 id = addProfile(sample("Ann", "Smith"));
    deny(Rights::ProfilesEdit);
    deny(Rights::ProfilesNotes);
    deny(Rights::ProfilesIndicatorEmail);
    deny(Rights::ProfilesGroupEntries);
    deny(Rights::ProfilesPrint);
    deny(Rights::ProfilesLists);
    frmProfileEdit f(*env.ctx, id, {});
    for (const char* hidden : {"cmdSave", "cmdDelete", "cmdClear", "cmdEmail", "cmdGroupLog"})
        EXPECT_FALSE(control<QWidget>(f, hidden)->isVisibleTo(&f)) << hidden;
    EXPECT_TRUE(control<QPlainTextEdit>(f, "txtNotes")->isReadOnly());
    click(f, "imgPrint");
    click(f, "cmdSalutations");
    click(f, "cmdProfileTypes");
    click(f, "cmdContactTypes");
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgProfilePrintRight, MsgSalutationsRight,
                                               MsgProfileTypesRight, MsgContactTypesRight}));
    // Nothing can be saved, so closing after an edit asks nothing.
    line(f, "txtCity")->setText("Elsewhere");
    f.show();
    f.reject();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(env.prompt.texts().size(), 4);
}

TEST_F(ProfileScreen, PrivateProfilesOpenForManagersOnlyAndAReadOnlyScreenSavesNothing) {
    Profile p = sample("Gus", "Hidden");
    p.isPrivate = true;
    const qint64 id = addProfile(p);
    EXPECT_EQ(OpenProfileWindow(*env.ctx, id, {}, nullptr), nullptr);
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgPrivateProfile}));

    env.ctx->session.manager = true;
    ProfileWindowOptions options;
    options.readOnly = true;
    QPointer<QDialog> w = OpenProfileWindow(*env.ctx, id, options, nullptr);
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_FALSE(control<QWidget>(*w, "cmdSave")->isVisibleTo(w));
    EXPECT_EQ(line(*w, "txtLastName")->text(), "Hidden");
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull()); // closed windows go
}

TEST_F(ProfileScreen, GroupEntriesAreCreatedWithTheGuestsIndicatorsAndCounted) {
    category("Welcome");
    addIndicatorType("GuestID");
    addIndicatorType("Arrival Date");
    Group g;
    g.name = "Dental Congress";
    const qint64 group = InsertGroup(*env.ctx, g);
    Group empty;
    empty.name = "Book Club";
    const qint64 emptyGroup = InsertGroup(*env.ctx, empty);
    Profile p = sample("Ann", "Smith");
    p.groupId = emptyGroup;
    const qint64 id = addProfile(p);
    InsertProfilePI(*env.ctx, id, "GuestID", "G-42");
    InsertProfilePI(*env.ctx, id, "Arrival Date", "03/14/2026");

    frmProfileEdit f(*env.ctx, id, {});
    click(f, "cmdGroupLog");
    EXPECT_EQ(env.prompt.last(), MsgNoGroupEntries);

    env.db().exec("INSERT INTO [GroupLog] ([GroupID], [LogName], [EntryType], [ReferDate], "
                  "[ReferTime]) VALUES (?, 'Welcome drink', 'Welcome', '2026/03/14', '18:00')",
                  {group});
    auto* groups = control<QComboBox>(f, "cboGroupName");
    groups->setCurrentIndex(groups->findData(group));
    click(f, "cmdGroupLog");
    EXPECT_EQ(env.prompt.last(),
              "1 Logbook Entries have been created for Ann Smith\r\n\r\nClick on the Logbook "
              "Entries tab to view the entries and \r\nto add any additional information "
              "specific to this guest.");
    const auto made = env.db().queryOne(
        "SELECT [GuestID], [ArrivalDate], [GroupID] FROM [LogBook] WHERE [ProfileID] = ?", {id});
    ASSERT_TRUE(made);
    EXPECT_EQ(QStringList({made->text("GuestID"), made->text("ArrivalDate")}),
              QStringList({"G-42", "2026/03/14"}));
    EXPECT_EQ(made->number("GroupID"), group);
    EXPECT_TRUE(control<QLabel>(f, "lblGroupCreated")->text().contains("Created"));
}

TEST_F(ProfileScreen, WithTheMandatoryGuestIdAProfileWithoutOneIsNotSaved) {
    SetBooleanSetting(env.db(), "UseGuestID", true);
    addIndicatorType("GuestID");
    frmProfileEdit f(*env.ctx, 0, {});
    line(f, "txtFirstName")->setText("Ann");
    line(f, "txtLastName")->setText("Smith");
    click(f, "cmdSave"); // the first save stores it: indicators need a stored profile
    const qint64 id = f.profileId();
    ASSERT_GT(id, 0);
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgGuestIdReminder}));

    line(f, "txtCity")->setText("Elsewhere");
    click(f, "cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgGuestIdRequired);
    EXPECT_EQ(GetProfile(*env.ctx, id)->home.city.trimmed(), "");
    InsertProfilePI(*env.ctx, id, "GuestID", "G-1");
    click(f, "cmdSave");
    EXPECT_EQ(GetProfile(*env.ctx, id)->home.city, "Elsewhere");
}

TEST_F(ProfileScreen, TheIndicatorEmailGoesToTheTypesAddressWithTheChosenIndicators) {
    addIndicatorType("Pillow", false, 10, "housekeeping@hotel.example");
    addIndicatorType("Wine", false, 20, "bar@hotel.example");
    const qint64 id = addProfile(sample("Ann", "Smith"));
    InsertProfilePI(*env.ctx, id, "Pillow", "Feather-free");
    InsertProfilePI(*env.ctx, id, "Wine", "Riesling");
    frmProfileEdit f(*env.ctx, id, {});
    click(f, "cmdEmail");
    EXPECT_EQ(env.prompt.last(), MsgSelectIndicators);
    EXPECT_TRUE(env.mailer.sent.isEmpty());

    control<DataGrid>(f, "grdProfiler")->selectAll();
    click(f, "cmdEmail");
    ASSERT_EQ(env.mailer.sent.size(), 1);
    const MailMessage& m = env.mailer.sent[0];
    EXPECT_EQ(m.to, "housekeeping@hotel.example");
    EXPECT_EQ(m.subject, "Velmora:  Profile Notes - Ann Smith");
    EXPECT_EQ(m.body, "Pillow:\r\n   Feather-free\r\nWine:\r\n   Riesling\r\n");

    deny(Rights::ProfilesIndicatorEmail);
    click(f, "cmdEmail");
    EXPECT_EQ(env.prompt.last(), MsgIndicatorEmailRight);
}

TEST_F(ProfileScreen, TheLastLowerTabIsRememberedAndTheLogbookIconKnowsItsOpener) {
    const qint64 id = addProfile(sample("Ann", "Smith"));
    {
        frmProfileEdit f(*env.ctx, id, {});
        control<QTabWidget>(f, "tsTab")->setCurrentIndex(4);
    }
    EXPECT_EQ(INIRead("Settings", "ProfileTabIndex", env.ctx->iniFile(), ""), "4");
    ProfileWindowOptions options;
    options.fromLogbook = true;
    frmProfileEdit f(*env.ctx, id, options);
    EXPECT_EQ(control<QTabWidget>(f, "tsTab")->currentIndex(), 4);
    click(f, "imgCreateEntry");
    EXPECT_EQ(env.prompt.texts(),
              QStringList({"To RETURN to the Logbook Panel please press the Close button.  "
                           "Thank you."}));
    // The Links tab says why it is empty until the profile is stored.
    EXPECT_TRUE(control<QLabel>(f, "lblLinksUnsaved")->isHidden());
    EXPECT_FALSE(control<QWidget>(f, "cmdMaintainDocs")->isHidden());
    frmProfileEdit unsaved(*env.ctx, 0, {});
    EXPECT_FALSE(control<QLabel>(unsaved, "lblLinksUnsaved")->isHidden());
    EXPECT_TRUE(control<QWidget>(unsaved, "cmdMaintainDocs")->isHidden());
    EXPECT_EQ(control<QLabel>(unsaved, "lblLinksUnsaved")->text(),
              "Please save the Basic Profile Information before adding Linked Documents, "
              "thank you.");
}
