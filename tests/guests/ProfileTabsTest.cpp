#include "guests/ProfileTabsFixture.h"

#include "app/forms/frmSearch.h"
#include "guests/forms/ProfileTabs.h"
#include "guests/forms/frmProfileCHR.h"
#include "logbook/forms/LogbookModule.h"
#include "logbook/forms/frmLogbook.h"
#include "platform/forms/DataGrid.h"
#include "support/GridText.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace vm;
using namespace vm::test;

namespace {

void selectRow(DataGrid* grid, int shownRow) {
    grid->selectKey(grid->keyAt(shownRow));
}

class ProfileTabs : public ProfileTabsFixture {
protected:
    void SetUp() override {
        ProfileTabsFixture::SetUp();
        indicatorType("Pillow", 10, "Feather or foam");
        indicatorType("Newspaper", 20);
        indicatorType("Spouse Name", 30, {}, true);
        guest = profile("Ada", "Quill");
    }

    QStringList storedIndicators() {
        QStringList out;
        for (const ProfileIndicator& i : GetProfilePI(*env.ctx, guest))
            out << i.type + "=" + i.value;
        return out;
    }
    QStringList storedHistory() {
        QStringList out;
        for (const ContactHistoryRow& r : GetProfileCH(*env.ctx, guest))
            out << r.date + " " + r.type + " [" + r.result + "]";
        return out;
    }

    qint64 guest = 0;
};

// ---- Indicators ----

TEST_F(ProfileTabs, AProfileNotStoredYetLeavesTheTabsEmptyAndDisabled) {
    InsertProfilePI(*env.ctx, guest, "Pillow", "Foam");
    ProfileIndicatorsTab indicators(*env.ctx);
    ProfileHistoryTab history(*env.ctx);
    ProfileGroupLogsTab groups(*env.ctx);
    ProfileLogbookTab logbook(*env.ctx);
    indicators.setProfile(load(guest));
    ASSERT_EQ(control<DataGrid>(indicators, "grdProfiler")->rowCount(), 1);
    indicators.setProfile(Profile{});
    history.setProfile(Profile{});
    groups.setProfile(Profile{});
    logbook.setProfile(Profile{});
    for (QWidget* tab : std::initializer_list<QWidget*>{&indicators, &history, &groups, &logbook})
        EXPECT_FALSE(tab->isEnabled()) << tab->objectName().toStdString();
    EXPECT_EQ(control<DataGrid>(indicators, "grdProfiler")->rowCount(), 0);
}

TEST_F(ProfileTabs, IndicatorsAreAddedChangedAndDeletedWithTheirMessages) {
    ProfileIndicatorsTab tab(*env.ctx);
    int changes = 0;
    tab.changed = [&] { ++changes; };
    tab.setProfile(load(guest));
    auto* grid = control<DataGrid>(tab, "grdProfiler");

    // Both fields are needed, for Add and for Change alike.
    click(tab, "cmdAddIndicator");
    EXPECT_EQ(env.prompt.last(), MsgIndicatorFields("Add"));
    EXPECT_EQ(env.prompt.last(),
              "Please enter information into all fields before selecting the Add button.  Thank "
              "you.");
    choose(tab, "cboProfileType", "Pillow");
    EXPECT_EQ(control<QLabel>(tab, "lblEntryHint")->text(), "Feather or foam");
    click(tab, "cmdAddIndicator");
    EXPECT_EQ(env.prompt.last(), MsgIndicatorFields("Add"));
    EXPECT_TRUE(storedIndicators().isEmpty());
    EXPECT_EQ(changes, 0);

    // The value is kept in its cleaned form.
    typeInto(tab, "txtProfileSelection", "Foam \"soft\" & firm");
    click(tab, "cmdAddIndicator");
    EXPECT_EQ(storedIndicators(), QStringList({"Pillow=Foam 'soft' and firm"}));
    EXPECT_EQ(GridRows(grid), QStringList({"Pillow | Foam 'soft' and firm"}));
    EXPECT_EQ(changes, 1);

    choose(tab, "cboProfileType", "Newspaper");
    typeInto(tab, "txtProfileSelection", "Herald");
    click(tab, "cmdAddIndicator");
    EXPECT_EQ(GridRows(grid), QStringList({"Pillow | Foam 'soft' and firm", "Newspaper | Herald"}));

    grid->clearSelection();
    click(tab, "cmdChangeIndicator");
    EXPECT_EQ(env.prompt.last(), MsgSelectIndicatorChange);
    click(tab, "cmdDeleteIndicator");
    EXPECT_EQ(env.prompt.last(),
              "Please select the Profile Indicator before pressing the Delete button.  Thank you.");
    EXPECT_EQ(changes, 2);

    // Choosing a row puts it into the boxes; Change rewrites that row only.
    selectRow(grid, 1);
    EXPECT_EQ(control<QComboBox>(tab, "cboProfileType")->currentText(), "Newspaper");
    EXPECT_EQ(control<QLineEdit>(tab, "txtProfileSelection")->text(), "Herald");
    typeInto(tab, "txtProfileSelection", "");
    click(tab, "cmdChangeIndicator");
    EXPECT_EQ(env.prompt.last(), MsgIndicatorFields("Change"));
    typeInto(tab, "txtProfileSelection", "Times");
    click(tab, "cmdChangeIndicator");
    EXPECT_EQ(storedIndicators(), QStringList({"Pillow=Foam 'soft' and firm", "Newspaper=Times"}));
    EXPECT_EQ(changes, 3);

    selectRow(grid, 0);
    click(tab, "cmdDeleteIndicator");
    EXPECT_EQ(storedIndicators(), QStringList({"Newspaper=Times"}));
    EXPECT_EQ(GridRows(grid), QStringList({"Newspaper | Times"}));
    EXPECT_EQ(changes, 4);
}

TEST_F(ProfileTabs, ACardNumberIsNotStoredAsAnIndicator) {
    ProfileIndicatorsTab tab(*env.ctx);
    int changes = 0;
    tab.changed = [&] { ++changes; };
    tab.setProfile(load(guest));
    choose(tab, "cboProfileType", "Newspaper");
    for (const char* card : {"4111 1111 1111 1111", "Visa 4111-1111-1111-1111"}) {
        env.prompt.clear();
        typeInto(tab, "txtProfileSelection", card);
        click(tab, "cmdAddIndicator");
        EXPECT_EQ(env.prompt.last(),
                  "A Credit Card Number may Not be stored as a Profile Indicator")
            << card;
    }
    EXPECT_TRUE(storedIndicators().isEmpty());
    EXPECT_EQ(changes, 0);
    // The same digits as a change of a stored value are refused too.
    typeInto(tab, "txtProfileSelection", "Herald 4111");
    click(tab, "cmdAddIndicator");
    selectRow(control<DataGrid>(tab, "grdProfiler"), 0);
    typeInto(tab, "txtProfileSelection", "4111111111111111");
    click(tab, "cmdChangeIndicator");
    EXPECT_EQ(env.prompt.last(), MsgIndicatorIsCard);
    EXPECT_EQ(storedIndicators(), QStringList({"Newspaper=Herald 4111"}));
}

TEST_F(ProfileTabs, PrivateIndicatorsAreShownToManagersOnly) {
    InsertProfilePI(*env.ctx, guest, "Pillow", "Foam");
    InsertProfilePI(*env.ctx, guest, "Spouse Name", "Hal");
    ProfileIndicatorsTab tab(*env.ctx);
    tab.setProfile(load(guest));
    auto* grid = control<DataGrid>(tab, "grdProfiler");
    EXPECT_EQ(GridRows(grid), QStringList({"Pillow | Foam"}));

    env.ctx->session.manager = true;
    tab.setProfile(load(guest));
    EXPECT_EQ(GridRows(grid), QStringList({"Pillow | Foam", "Spouse Name | Hal"}));
}

TEST_F(ProfileTabs, SelectedIndicatorsAreTheChosenRowsInTheirOrder) {
    InsertProfilePI(*env.ctx, guest, "Pillow", "Foam");
    InsertProfilePI(*env.ctx, guest, "Newspaper", "Herald");
    ProfileIndicatorsTab tab(*env.ctx);
    tab.setProfile(load(guest));
    auto* grid = control<DataGrid>(tab, "grdProfiler");
    EXPECT_TRUE(tab.selectedIndicators().empty());
    grid->selectAll();
    const auto chosen = tab.selectedIndicators();
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[0].type + "=" + chosen[0].value, "Pillow=Foam");
    EXPECT_EQ(chosen[1].type + "=" + chosen[1].value, "Newspaper=Herald");
}

TEST_F(ProfileTabs, WithoutTheIndicatorRightTheButtonsHideAndRefuse) {
    ProfileIndicatorsTab tab(*env.ctx);
    grantProfiles(6, false);
    tab.setProfile(load(guest));
    for (const char* b : {"cmdAddIndicator", "cmdChangeIndicator", "cmdDeleteIndicator"})
        EXPECT_TRUE(control<QPushButton>(tab, b)->isHidden()) << b;
    EXPECT_FALSE(control<QPushButton>(tab, "cmdTrips")->isHidden());

    grantProfiles(6, true);
    tab.setProfile(load(guest));
    EXPECT_FALSE(control<QPushButton>(tab, "cmdAddIndicator")->isHidden());
    // Taken away while the screen is open: the button refuses.
    grantProfiles(6, false);
    choose(tab, "cboProfileType", "Pillow");
    typeInto(tab, "txtProfileSelection", "Foam");
    click(tab, "cmdAddIndicator");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Maintain Indicators.");
    EXPECT_TRUE(storedIndicators().isEmpty());
}

TEST_F(ProfileTabs, TheTripButtonSwitchesBetweenIndicatorsAndStays) {
    for (const auto& [conf, arrival, departure] : {std::tuple{"C-100", "2025/07/01", "2025/07/04"},
                                                   std::tuple{"C-200", "2026/01/10", "2026/01/12"}})
        env.db().exec("INSERT INTO [ProfileTH]([ProfileID], [Confirmation], [ArrivalDate], "
                      "[DepartureDate]) VALUES(?, ?, ?, ?)",
                      {guest, conf, arrival, departure});
    ProfileIndicatorsTab tab(*env.ctx);
    tab.setProfile(load(guest));
    auto* trips = control<DataGrid>(tab, "grdTrips");
    auto* button = control<QPushButton>(tab, "cmdTrips");
    EXPECT_EQ(button->text(), "Show Trip History");
    EXPECT_FALSE(trips->isVisibleTo(&tab));

    click(tab, "cmdTrips");
    EXPECT_TRUE(trips->isVisibleTo(&tab));
    EXPECT_FALSE(control<DataGrid>(tab, "grdProfiler")->isVisibleTo(&tab));
    EXPECT_EQ(button->text(), "Show Profile Indicators");
    EXPECT_EQ(GridRows(trips),
              QStringList({"C-200 | 01/10/2026 | 01/12/2026", "C-100 | 07/01/2025 | 07/04/2025"}));

    click(tab, "cmdTrips");
    EXPECT_EQ(button->text(), "Show Trip History");
    EXPECT_TRUE(control<DataGrid>(tab, "grdProfiler")->isVisibleTo(&tab));
}

// ---- Contact history ----

TEST_F(ProfileTabs, ContactsAreAddedWithAnEmptyResultWhenNoneIsChosen) {
    ProfileHistoryTab tab(*env.ctx);
    tab.setProfile(load(guest));
    EXPECT_EQ(control<QLineEdit>(tab, "dtpContactDate")->text(), "03/14/2026");

    typeInto(tab, "dtpContactDate", "02/30/2026");
    click(tab, "cmdAddContact");
    EXPECT_EQ(env.prompt.last(), "Please enter a valid Contact Date.  Thank you.");
    typeInto(tab, "dtpContactDate", "03/02/2026");
    click(tab, "cmdAddContact");
    EXPECT_EQ(env.prompt.last(), "Please select a Contact Type.  Thank you.");
    EXPECT_TRUE(storedHistory().isEmpty());

    choose(tab, "cboContactType", "Telephone");
    click(tab, "cmdAddContact");
    typeInto(tab, "dtpContactDate", "03/10/2026");
    choose(tab, "cboContactType", "Letter");
    choose(tab, "cboContactResult", "Booked");
    click(tab, "cmdAddContact");

    EXPECT_EQ(storedHistory(),
              QStringList({"2026/03/10 Letter [Booked]", "2026/03/02 Telephone []"}));
    EXPECT_EQ(GridRows(control<DataGrid>(tab, "grdContactHistory")),
              QStringList({"03/10/2026 | Letter | Booked", "03/02/2026 | Telephone | "}));
    // "No result" is the empty string: not null, not a blank.
    EXPECT_EQ(count(env.db(),
                    "SELECT COUNT(*) FROM [ProfileCH] WHERE [ProfileID] = ? AND "
                    "[ContactResult] = ''",
                    {guest}),
              1);
}

TEST_F(ProfileTabs, ContactsAreChangedAndDeletedOnlyWhenChosen) {
    InsertProfileCH(*env.ctx, guest, QDate(2026, 3, 1), "Telephone", "No Answer");
    InsertProfileCH(*env.ctx, guest, QDate(2026, 3, 5), "Email");
    ProfileHistoryTab tab(*env.ctx);
    tab.setProfile(load(guest));
    auto* grid = control<DataGrid>(tab, "grdContactHistory");

    for (const char* button : {"Change", "Delete"}) {
        click(tab, QString("cmd%1Contact").arg(button));
        EXPECT_EQ(env.prompt.last(), MsgSelectContact(button));
    }
    EXPECT_EQ(env.prompt.last(),
              "Please select the Contact History entry before pressing the Delete button.  Thank "
              "you.");

    selectRow(grid, 1); // the older one
    EXPECT_EQ(control<QLineEdit>(tab, "dtpContactDate")->text(), "03/01/2026");
    EXPECT_EQ(control<QComboBox>(tab, "cboContactResult")->currentText(), "No Answer");
    choose(tab, "cboContactResult", "");
    typeInto(tab, "dtpContactDate", "03/07/2026");
    click(tab, "cmdChangeContact");
    EXPECT_EQ(storedHistory(), QStringList({"2026/03/07 Telephone []", "2026/03/05 Email []"}));

    selectRow(grid, 1);
    click(tab, "cmdDeleteContact");
    EXPECT_EQ(storedHistory(), QStringList({"2026/03/07 Telephone []"}));
    EXPECT_EQ(grid->rowCount(), 1);
}

TEST_F(ProfileTabs, DeleteByDateRemovesOnlyWhatIsStrictlyBeforeAfterConfirming) {
    for (int day : {1, 9, 10, 12})
        InsertProfileCH(*env.ctx, guest, QDate(2026, 3, day), "Telephone");
    const qint64 other = profile("Bo", "Stern");
    InsertProfileCH(*env.ctx, other, QDate(2026, 3, 1), "Telephone");
    ProfileHistoryTab tab(*env.ctx);
    tab.setProfile(load(guest));

    click(tab, "cmdDeleteByDate");
    EXPECT_EQ(env.prompt.last(),
              "Please enter the Date to be used for this mass delete.  Thank you.");

    typeInto(tab, "dtpDeleteBefore", "03/10/2026");
    env.prompt.answer(Answer::No);
    click(tab, "cmdDeleteByDate");
    EXPECT_EQ(env.prompt.last(),
              "Do you wish to delete ALL Contact History entries prior to 03/10/2026");
    EXPECT_EQ(storedHistory().size(), 4);

    env.prompt.answer(Answer::Yes);
    click(tab, "cmdDeleteByDate");
    EXPECT_EQ(storedHistory(), QStringList({"2026/03/12 Telephone []", "2026/03/10 Telephone []"}));
    EXPECT_EQ(control<DataGrid>(tab, "grdContactHistory")->rowCount(), 2);
    EXPECT_EQ(GetProfileCH(*env.ctx, other).size(), 1u);
}

TEST_F(ProfileTabs, RecurringNeedsATypeAndAddsTheRowsItMade) {
    ProfileHistoryTab tab(*env.ctx);
    tab.setProfile(load(guest));
    click(tab, "cmdRecurring");
    EXPECT_EQ(env.prompt.last(),
              "Please select the Contact Type to be used for the recurring entries.");

    choose(tab, "cboContactType", "Email");
    screen::onModal<frmProfileCHR>([](frmProfileCHR& d) {
        EXPECT_EQ(control<QLabel>(d, "lblContactType")->text(), "Email");
        typeInto(d, "dtpStart", "03/16/2026");
        typeInto(d, "dtpThrough", "03/18/2026");
        control<QRadioButton>(d, "optDaily")->click();
        click(d, "cmdCreate");
    });
    click(tab, "cmdRecurring");
    EXPECT_EQ(storedHistory(),
              QStringList({"2026/03/18 Email []", "2026/03/17 Email []", "2026/03/16 Email []"}));
    EXPECT_EQ(control<DataGrid>(tab, "grdContactHistory")->rowCount(), 3);
}

TEST_F(ProfileTabs, WithoutTheHistoryRightItsButtonsHideAndRefuse) {
    grantProfiles(7, false);
    ProfileHistoryTab tab(*env.ctx);
    tab.setProfile(load(guest));
    for (const char* b : {"cmdAddContact", "cmdChangeContact", "cmdDeleteContact",
                          "cmdDeleteByDate", "cmdRecurring", "cmdCorrespondence"})
        EXPECT_TRUE(control<QPushButton>(tab, b)->isHidden()) << b;
    choose(tab, "cboContactType", "Email");
    click(tab, "cmdAddContact");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Maintain Contact History.");
    EXPECT_TRUE(storedHistory().isEmpty());

    // Neither screen of the tab opens.
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            opened = true;
            d->reject();
        }
    });
    for (const char* b : {"cmdRecurring", "cmdCorrespondence"}) {
        env.prompt.clear();
        click(tab, b);
        EXPECT_EQ(env.prompt.last(), MsgMaintainContactHistory) << b;
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(opened);
}

// ---- Group logs ----

TEST_F(ProfileTabs, GroupLogsListNewestFirstOrByGroupName) {
    const auto group = [&](const QString& name) {
        return env.db().insert("INSERT INTO [Group]([GroupName]) VALUES(?)", {name}, "GroupID");
    };
    const qint64 zeta = group("Zeta Choir"), alpha = group("Alpha Rotary"), mid = group("Medica");
    for (const auto& [g, created] : {std::pair{zeta, "2026/03/01"}, std::pair{alpha, "2026/02/01"},
                                     std::pair{mid, "2026/03/10"}})
        env.db().exec("INSERT INTO [ProfileGL]([ProfileID], [GroupID], [CreationDate]) "
                      "VALUES(?, ?, ?)",
                      {guest, g, created});
    ProfileGroupLogsTab tab(*env.ctx);
    tab.setProfile(load(guest));
    auto* grid = control<DataGrid>(tab, "grdGroupLogs");
    EXPECT_TRUE(control<QRadioButton>(tab, "optSortCreationDate")->isChecked());
    const QStringList newest = {"03/10/2026 | Medica", "03/01/2026 | Zeta Choir",
                                "02/01/2026 | Alpha Rotary"};
    EXPECT_EQ(GridRows(grid), newest);
    control<QRadioButton>(tab, "optSortGroupName")->click();
    EXPECT_EQ(GridRows(grid), QStringList({"02/01/2026 | Alpha Rotary", "03/10/2026 | Medica",
                                           "03/01/2026 | Zeta Choir"}));
    control<QRadioButton>(tab, "optSortCreationDate")->click();
    EXPECT_EQ(GridRows(grid), newest);

    env.db().exec("DELETE FROM [ProfileGL] WHERE [GroupID] = ?", {mid});
    tab.refresh();
    EXPECT_EQ(grid->rowCount(), 2);
}

// ---- Logbook entries ----

class ProfileLogbook : public ProfileTabs {
protected:
    qint64 current(const QString& referDate, const QString& category) {
        LogEntry e = entry("Quill", category, referDate);
        e.profileId = guest;
        return add(e);
    }
    qint64 archived(const QString& referDate, const QString& category) {
        return env.ctx->archive->insert(
            "INSERT INTO [LogBook]([LastName], [EntryType], [ReferDate], [ProfileID]) "
            "VALUES('Quill', ?, ?, ?)",
            {category, referDate, guest}, "LogID");
    }
};

TEST_F(ProfileLogbook, TheTabListsTheCurrentOrTheArchiveLogbook) {
    category("Dining");
    category("Spa");
    current("2026/03/12", "Dining");
    current("2026/03/14", "Spa");
    LogEntry stranger = entry("Stern", "Dining", "2026/03/13");
    add(stranger);
    archived("2025/11/02", "Spa");

    ProfileLogbookTab tab(*env.ctx);
    tab.setProfile(load(guest));
    auto* grid = control<DataGrid>(tab, "grdLogbook");
    auto* which = control<QPushButton>(tab, "cmdWhich");
    EXPECT_TRUE(which->isEnabled());
    EXPECT_EQ(which->text(), "Current");
    EXPECT_EQ(GridRows(grid), QStringList({"03/14/2026 | Spa | ", "03/12/2026 | Dining | "}));

    click(tab, "cmdWhich");
    EXPECT_EQ(which->text(), "Archive");
    EXPECT_EQ(GridRows(grid), QStringList({"11/02/2025 | Spa | "}));

    archived("2025/12/24", "Dining");
    EXPECT_EQ(grid->rowCount(), 1);
    click(tab, "cmdRefresh");
    EXPECT_EQ(grid->rowCount(), 2);

    click(tab, "cmdWhich");
    EXPECT_EQ(which->text(), "Current");
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->cell(0, 1), "Spa");
}

TEST_F(ProfileLogbook, WithoutAnArchiveTheSwitchIsDisabled) {
    auto archive = std::move(env.ctx->archive);
    ProfileLogbookTab tab(*env.ctx);
    tab.setProfile(load(guest));
    EXPECT_FALSE(control<QPushButton>(tab, "cmdWhich")->isEnabled());
    env.ctx->archive = std::move(archive);
}

TEST_F(ProfileLogbook, AnEntryOpensOnTheLogbookScreenReadOnlyFromTheArchive) {
    category("Dining");
    const qint64 now = current("2026/03/12", "Dining");
    const qint64 before = current("2026/03/10", "Dining");
    const qint64 old = archived("2025/11/02", "Dining");
    frmSearch window(*env.ctx);
    InstallLogbook(*env.ctx, window);
    ProfileLogbookTab tab(*env.ctx);
    tab.setProfile(load(guest));
    auto* grid = control<DataGrid>(tab, "grdLogbook");
    const auto opened = [&] { return window.findChildren<frmLogbook*>(); };

    grantProfiles(9, false);
    selectRow(grid, 0);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(env.prompt.last(), "You are not authorized to maintain Logbook Entries.");
    EXPECT_TRUE(opened().isEmpty());

    grantProfiles(9, true);
    QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_EQ(opened().size(), 1);
    EXPECT_EQ(opened()[0]->logId(), now);
    EXPECT_FALSE(opened()[0]->isReadOnly());
    // The next entry is the guest's next one in this list (the Logbook page lists nothing).
    click(*opened()[0], "imgNext");
    EXPECT_EQ(opened()[0]->logId(), before);
    EXPECT_EQ(grid->currentKey(), before);
    click(*opened()[0], "imgNext"); // the end of the list: it stays
    EXPECT_EQ(opened()[0]->logId(), before);
    opened()[0]->close();
    QTRY_VERIFY(opened().isEmpty());

    click(tab, "cmdWhich");
    selectRow(grid, 0);
    QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_EQ(opened().size(), 1);
    EXPECT_EQ(opened()[0]->logId(), old);
    EXPECT_TRUE(opened()[0]->isReadOnly());
}

} // namespace
