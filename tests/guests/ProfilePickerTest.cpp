#include "guests/ProfileDesk.h"

#include "core/Settings.h"
#include "guests/ProfilePicker.h"
#include "guests/forms/ProfileRecordModule.h"
#include "guests/forms/ProfileWindows.h"
#include "logbook/forms/frmLogbook.h"
#include "platform/forms/DataGrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

using namespace vm;
using namespace vm::test;

namespace {

class ProfilePicker : public ProfileDesk {
protected:
    std::vector<QString> lastNames(ProfilePickBy by, const QString& text, bool includePrivate) {
        const ProfilePickerSelection s =
            BuildProfilePickerSelection(env.db().engine(), by, text, includePrivate);
        EXPECT_TRUE(s.refusal.isEmpty()) << s.refusal.toStdString();
        std::vector<QString> names;
        for (const ProfilePickerRow& r : GetTheProfilesB(*env.ctx, s))
            names.push_back(r.lastName);
        std::sort(names.begin(), names.end()); // engines collate punctuation differently
        return names;
    }
    // Fills the picker's boxes and runs the search.
    static void search(QWidget& picker, const char* mode, const QString& text) {
        control<QRadioButton>(picker, mode)->setChecked(true);
        if (QString(mode) == "optProfileType")
            control<QComboBox>(picker, "cboProfileType")->setCurrentText(text);
        else
            control<QLineEdit>(picker, "txtSearch")->setText(text);
        click(picker, "cmdSearch");
    }
};

} // namespace

TEST_F(ProfilePicker, ClausesFindByContainedNameOrExactTypeAndTypedWildcardsAreLiteral) {
    Profile vip = sample("Ann", "Smith");
    vip.profileType = "VIP";
    addProfile(vip);
    addProfile(sample("Bob", "Blacksmithe"));
    addProfile(sample("Cy", "Jones"));
    addProfile(sample("Di", "50%_Off"));
    addProfile(sample("Ed", "500ff"));
    addProfile(sample("Flo", "O'Neil"));
    Profile hidden = sample("Gus", "Smithson");
    hidden.isPrivate = true;
    hidden.profileType = "VIP";
    addProfile(hidden);

    struct Case {
        ProfilePickBy by;
        QString text;
        bool includePrivate;
        std::vector<QString> expected;
    } cases[] = {
        {ProfilePickBy::LastName, "smith", false, {"Blacksmithe", "Smith"}},
        {ProfilePickBy::LastName, "SMITH", true, {"Blacksmithe", "Smith", "Smithson"}},
        {ProfilePickBy::LastName, "%_", false, {"50%_Off"}},
        {ProfilePickBy::LastName, "0_", false, {}},
        {ProfilePickBy::LastName, "o\"n", false, {"O'Neil"}}, // cleaned as stored
        {ProfilePickBy::FirstName, "d", false, {"50%_Off", "500ff"}},
        {ProfilePickBy::ProfileType, "VIP", false, {"Smith"}},
        {ProfilePickBy::ProfileType, "VIP", true, {"Smith", "Smithson"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lastNames(c.by, c.text, c.includePrivate), c.expected)
            << c.text.toStdString() << " private " << c.includePrivate;
}

TEST_F(ProfilePicker, EmptyInputIsRefusedWithTheMessageOfItsMode) {
    const Engine e = env.db().engine();
    EXPECT_EQ(BuildProfilePickerSelection(e, ProfilePickBy::LastName, "  ", true).refusal,
              "Please enter the information you wish to use to filter your selections.");
    EXPECT_EQ(BuildProfilePickerSelection(e, ProfilePickBy::FirstName, "", true).refusal,
              MsgPickerEnterText);
    EXPECT_EQ(BuildProfilePickerSelection(e, ProfilePickBy::ProfileType, "", true).refusal,
              "Please select the Profile Type you wish to use to filter your selections.");
}

TEST_F(ProfilePicker, SearchingNeedsTheProfilesTabAndIsNeverForTheGuestViewer) {
    deny(Rights::TabProfiles);
    EXPECT_FALSE(PickProfile(*env.ctx, {}, nullptr));
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgNoProfileSearch}));

    setRights(RightsArea::Tabs, ManagerRights(RightsArea::Tabs));
    env.ctx->session.name = "Guest Viewer";
    env.prompt.clear();
    EXPECT_FALSE(PickProfile(*env.ctx, {}, nullptr));
    EXPECT_EQ(env.prompt.texts(), QStringList({MsgNoProfileSearch}));
}

TEST_F(ProfilePicker, TheChosenRowHandsOnThePrimaryAddressEmailRoomAndGuestId) {
    addIndicatorType("Room Number");
    addIndicatorType("GuestID");
    Profile p = sample("Ann", "Smith");
    p.business.line1 = "9 Office Park";
    p.business.city = "Chicago";
    p.business.state = "IL";
    p.business.postalCode = "60601";
    p.primaryAddress = 1;
    const qint64 id = addProfile(p);
    InsertProfilePI(*env.ctx, id, "Room Number", "1204");
    InsertProfilePI(*env.ctx, id, "GuestID", "G-77");
    addProfile(sample("Bob", "Jones"));

    std::optional<PickedProfile> picked;
    onModal("frmGetProfile", [&](QWidget& d) {
        click(d, "cmdSearch"); // the seed's last name is already typed
        auto* grid = control<DataGrid>(d, "grdProfiles");
        EXPECT_EQ(grid->rowCount(), 1);
        click(d, "cmdSelect");
        EXPECT_EQ(env.prompt.last(), "Please select the Profile you wish to use.  Thank you.");
        search(d, "optLastName", "");
        EXPECT_EQ(env.prompt.last(), MsgPickerEnterText);
        search(d, "optProfileType", "");
        EXPECT_EQ(env.prompt.last(), MsgPickerSelectType);
        search(d, "optFirstName", "an");
        ASSERT_EQ(grid->rowCount(), 1);
        EXPECT_EQ(QStringList({grid->cell(0, 0), grid->cell(0, 1), grid->cell(0, 2)}),
                  QStringList({"Ann", "Smith", "(217) 555-0101"}));
        grid->selectKey(grid->keyAt(0));
        click(d, "cmdSelect");
    });
    PickedProfile seed;
    seed.lastName = "Smi";
    picked = PickProfile(*env.ctx, seed, nullptr);
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->profileId, id);
    EXPECT_EQ(QStringList({picked->firstName, picked->lastName, picked->address, picked->city,
                           picked->state, picked->postalCode, picked->email, picked->roomNumber,
                           picked->guestId}),
              QStringList({"Ann", "Smith", "9 Office Park", "Chicago", "IL", "60601",
                           "ann@example.com", "1204", "G-77"}));
}

TEST_F(ProfilePicker, PrivateProfilesAreListedForManagersOnly) {
    Profile p = sample("Gus", "Smithson");
    p.isPrivate = true;
    addProfile(p);
    int rows = -1;
    auto countRows = [&](QWidget& d) {
        click(d, "cmdSearch");
        rows = control<DataGrid>(d, "grdProfiles")->rowCount();
        click(d, "cmdCancel");
    };
    PickedProfile seed;
    seed.lastName = "Smithson";
    onModal("frmGetProfile", countRows);
    EXPECT_FALSE(PickProfile(*env.ctx, seed, nullptr));
    EXPECT_EQ(rows, 0);
    env.ctx->session.manager = true;
    onModal("frmGetProfile", countRows);
    PickProfile(*env.ctx, seed, nullptr);
    EXPECT_EQ(rows, 1);
}

TEST_F(ProfilePicker, FromTheEntryScreenANewProfileIsMadeSavedAndLinkedToTheEntry) {
    category("Dining");
    addIndicatorType("Room Number");
    LogbookScreenHooks hooks;
    FillProfileHooks(*env.ctx, hooks);
    frmLogbook f(*env.ctx, hooks, 0);
    control<QComboBox>(f, "cboTypes")->setCurrentText("Dining");
    control<QLineEdit>(f, "txtLastName")->setText("Okafor");
    control<QLineEdit>(f, "txtFirstName")->setText("Ada");
    control<QLineEdit>(f, "txtRoomNumber")->setText("815");

    bool screenSeen = false;
    onModal("frmGetProfile", [&](QWidget& picker) {
        click(picker, "cmdSearch");
        EXPECT_EQ(control<DataGrid>(picker, "grdProfiles")->rowCount(), 0);
        onModal("frmProfileEdit", [&](QWidget& screen) {
            screenSeen = true;
            EXPECT_EQ(control<QLineEdit>(screen, "txtLastName")->text(), "Okafor");
            EXPECT_EQ(control<QLineEdit>(screen, "txtFirstName")->text(), "Ada");
            control<QLineEdit>(screen, "txtCompanyName")->setText("Acme");
            click(screen, "cmdSave");
            click(screen, "cmdClose");
        });
        click(picker, "cmdNewProfile");
    });
    click(f, "cmdShowProfile");
    EXPECT_TRUE(screenSeen);
    const qint64 made = env.db()
                            .scalar("SELECT [ProfileID] FROM [Profile] WHERE [LastName] = 'Okafor'")
                            .toLongLong();
    ASSERT_GT(made, 0);
    EXPECT_EQ(GetProfile(*env.ctx, made)->company, "Acme");
    EXPECT_EQ(ProfileIndicatorValue(*env.ctx, made, "Room Number"), "815");
    EXPECT_EQ(f.entry().profileId, made);
    ASSERT_TRUE(save(f)) << env.prompt.texts().join("|").toStdString();
    EXPECT_EQ(store().GetTheLogEntry(f.entry().logId)->profileId, made);
}
