#include "guests/ProfileTabsFixture.h"

#include "core/Formats.h"
#include "guests/ProfileRecurring.h"
#include "guests/forms/frmProfileCHR.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QRadioButton>

using namespace vm;
using namespace vm::test;

namespace {

struct PlanCase {
    const char* name;
    RecurringRequest request;
    QString refusal;
    int dates = 0; // when not refused
};

RecurringRequest Req(const QString& start, const QString& through, Recurrence pattern,
                     const QString& dayOfWeek = "Wednesday", const QString& dayOfMonth = "4") {
    return {start, through, pattern, dayOfWeek, dayOfMonth};
}

TEST(ProfileRecurringPlan, RequestsAreCheckedInTheScreensOrder) {
    const std::vector<PlanCase> cases = {
        {"start not a date", Req("13/01/2026", "03/20/2026", Recurrence::Daily), MsgRecurringRange},
        {"through missing", Req("03/04/2026", "", Recurrence::Daily), MsgRecurringRange},
        {"through before start", Req("03/04/2026", "03/03/2026", Recurrence::Daily),
         MsgRecurringOrder},
        // The order check comes before the day checks.
        {"order before day", Req("03/04/2026", "03/03/2026", Recurrence::Monthly, "", ""),
         MsgRecurringOrder},
        {"monthly without day", Req("03/04/2026", "06/04/2026", Recurrence::Monthly, "", " "),
         MsgRecurringDayOfMonth},
        {"monthly day 32", Req("03/04/2026", "06/04/2026", Recurrence::Monthly, "", "32"),
         MsgRecurringDayOfMonth},
        {"weekly without day", Req("03/04/2026", "03/25/2026", Recurrence::Weekly, "", "4"),
         MsgRecurringDayOfWeek},
        {"biweekly without day", Req("03/04/2026", "03/25/2026", Recurrence::BiWeekly, "", "4"),
         MsgRecurringDayOfWeek},
        // Daily and monthly do not look at the day of the week.
        {"daily ignores the weekday",
         Req("03/04/2026", "03/06/2026", Recurrence::Daily, "", ""),
         {},
         3},
        {"same day", Req("03/04/2026", "03/04/2026", Recurrence::Weekly), {}, 1},
        {"weekly three weeks", Req("03/04/2026", "03/25/2026", Recurrence::Weekly), {}, 4},
        {"monthly", Req("01/15/2026", "04/15/2026", Recurrence::Monthly, "", "15"), {}, 4},
    };
    for (const PlanCase& c : cases) {
        const RecurringPlan plan = PlanRecurringContacts(c.request);
        EXPECT_EQ(plan.refusal, c.refusal) << c.name;
        EXPECT_EQ(int(plan.dates.size()), c.refusal.isEmpty() ? c.dates : 0) << c.name;
    }
}

TEST(ProfileRecurringPlan, MoreRowsThanTheLimitAreRefusedNamingIt) {
    // 366 days from 01/01/2026 on fit; one day more does not.
    const RecurringPlan fits =
        PlanRecurringContacts(Req("01/01/2026", "01/01/2027", Recurrence::Daily));
    EXPECT_EQ(fits.refusal, "");
    EXPECT_EQ(int(fits.dates.size()), MaxRecurringContacts);
    EXPECT_EQ(fits.dates.back(), QDate(2027, 1, 1));

    const RecurringPlan over =
        PlanRecurringContacts(Req("01/01/2026", "01/02/2027", Recurrence::Daily));
    EXPECT_EQ(over.refusal, MsgTooManyRecurring());
    EXPECT_TRUE(over.dates.empty());
    EXPECT_TRUE(MsgTooManyRecurring().contains(QString::number(MaxRecurringContacts)));

    // Weekly over seven years stays under the limit; the same range daily does not.
    EXPECT_EQ(PlanRecurringContacts(Req("01/01/2026", "12/31/2032", Recurrence::Weekly)).refusal,
              "");
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(PlanRecurringContacts(Req("01/01/1900", "12/31/2099", Recurrence::Daily)).refusal,
              MsgTooManyRecurring());
    EXPECT_LT(t.elapsed(), 500); // refused before millions of dates are made
}

TEST(ProfileRecurringPlan, TheDayFieldsFollowTheStartingDate) {
    EXPECT_EQ(RecurringDayOfWeek(QDate(2026, 3, 4)), "Wednesday");
    EXPECT_EQ(RecurringDayOfWeek(QDate(2026, 3, 8)), "Sunday");
    EXPECT_EQ(RecurringDayOfWeek(QDate(2026, 3, 14)), "Saturday");
    EXPECT_EQ(RecurringDayOfMonth(QDate(2026, 1, 31)), "31");
    EXPECT_EQ(RecurringDayOfWeek(QDate()), "");
    EXPECT_EQ(RecurringDayOfMonth(QDate()), "");
}

class ProfileRecurringScreen : public ProfileTabsFixture {
protected:
    void SetUp() override {
        ProfileTabsFixture::SetUp();
        guest = profile("Ada", "Quill");
    }
    QStringList stored() {
        QStringList out;
        for (const ContactHistoryRow& r : GetProfileCH(*env.ctx, guest))
            out << r.date + " " + r.type + " [" + r.result + "]";
        return out;
    }
    qint64 guest = 0;
};

TEST_F(ProfileRecurringScreen, TheDaysShownFollowTheStartAndThePattern) {
    frmProfileCHR d(*env.ctx, guest, "Telephone");
    EXPECT_EQ(control<QLineEdit>(d, "dtpStart")->text(), "03/14/2026");
    EXPECT_EQ(control<QLineEdit>(d, "dtpThrough")->text(), "03/14/2026");
    EXPECT_TRUE(control<QRadioButton>(d, "optWeekly")->isChecked());
    auto* weekday = control<QComboBox>(d, "cboDayOfWeek");
    auto* monthDay = control<QLineEdit>(d, "txtDayOfMonth");
    EXPECT_EQ(weekday->currentText(), "Saturday");
    EXPECT_FALSE(weekday->isHidden());
    EXPECT_TRUE(monthDay->isHidden());

    typeInto(d, "dtpStart", "01/31/2026");
    control<QRadioButton>(d, "optMonthly")->click();
    EXPECT_EQ(monthDay->text(), "31");
    EXPECT_FALSE(monthDay->isHidden());
    EXPECT_TRUE(weekday->isHidden());
    EXPECT_EQ(weekday->currentText(), "Saturday");
}

TEST_F(ProfileRecurringScreen, CreateStoresRowsWithoutAResultAndCloses) {
    frmProfileCHR d(*env.ctx, guest, "Telephone");
    typeInto(d, "dtpStart", "03/04/2026");
    typeInto(d, "dtpThrough", "03/25/2026");
    control<QRadioButton>(d, "optBiWeekly")->click();
    d.show();
    click(d, "cmdCreate");
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.created(), 2);
    EXPECT_EQ(stored(), QStringList({"2026/03/18 Telephone []", "2026/03/04 Telephone []"}));
    EXPECT_EQ(count(env.db(),
                    "SELECT COUNT(*) FROM [ProfileCH] WHERE [ProfileID] = ? AND "
                    "[ContactResult] IS NULL",
                    {guest}),
              0);
}

TEST_F(ProfileRecurringScreen, RefusalsLeaveTheScreenOpenAndStoreNothing) {
    struct Case {
        const char *start, *through, *pattern;
        QString message;
    };
    // The plan's checks have their own test; one refusal per kind proves the screen stays.
    const std::vector<Case> cases = {
        {"03/04/2026", "3/4/26x", "optDaily", MsgRecurringRange},
        {"03/01/2026", "03/02/2027", "optDaily", MsgTooManyRecurring()},
    };
    for (const Case& c : cases) {
        frmProfileCHR d(*env.ctx, guest, "Telephone");
        typeInto(d, "dtpStart", c.start);
        typeInto(d, "dtpThrough", c.through);
        control<QRadioButton>(d, c.pattern)->click();
        d.show();
        click(d, "cmdCreate");
        EXPECT_EQ(env.prompt.last(), c.message) << c.through;
        EXPECT_TRUE(d.isVisible()) << c.through;
        EXPECT_EQ(d.created(), 0);
    }
    EXPECT_EQ(env.prompt.last(),
              "One request may create at most 366 Contact History entries.  Please choose a "
              "shorter date range.");
    EXPECT_TRUE(stored().isEmpty());
}

TEST_F(ProfileRecurringScreen, CreatingNeedsTheHistoryRight) {
    grantProfiles(7, false);
    frmProfileCHR d(*env.ctx, guest, "Telephone");
    click(d, "cmdCreate");
    EXPECT_EQ(env.prompt.last(), "You are not authorized to Maintain Contact History.");
    EXPECT_TRUE(stored().isEmpty());
}

} // namespace
