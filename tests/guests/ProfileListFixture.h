#pragma once
// A logged-on desk with helpers to put guest profiles, their indicators,
// contact history and groups straight into the tables the Profiles page reads.

#include "guests/ProfileSearch.h"
#include "support/TestEnv.h"

#include <QDate>

namespace vm::test::plist {

struct GuestRow {
    QString last;
    QString first{};
    QString salutation{};
    QString address{};
    QString city{};
    QString state{};
    QString postal{};
    QString unit{};
    QString home{};
    QString fax{};
    QString business{};
    QString cell{};
    QString other{};
    QString email{};
    QString emailB{};
    QString title{};
    QString type{};
    QString color = QStringLiteral("&H00000000&");
    bool colorCode = false;
    bool isPrivate = false;
    qint64 groupId = 0;
    bool dnuHome = false, dnuFax = false, dnuEmail = false, dnuBusiness = false, dnuCell = false,
         dnuOther = false;
};

inline qint64 AddGuest(Database& db, const GuestRow& g) {
    return db.insert(
        "INSERT INTO [Profile] ([LastName], [FirstName], [Salutation], [Address1S], [CityS], "
        "[StateS], [PostalCodeS], [DocumentLink], [HomePhone], [FaxPhone], [BusinessPhone], "
        "[CellPhone], [OtherPhone], [EmailAddress], [EmailAddressB], [Title], [ProfileType], "
        "[ProfileColor], [ColorCode], [PublicPrivate], [GroupID], [DNUHomePhone], [DNUFaxPhone], "
        "[DNUEmail], [DNUBusinessPhone], [DNUCellPhone], [DNUOtherPhone]) VALUES (?, ?, ?, ?, ?, "
        "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {g.last,    g.first,  g.salutation, g.address,     g.city,      g.state,     g.postal,
         g.unit,    g.home,   g.fax,        g.business,    g.cell,      g.other,     g.email,
         g.emailB,  g.title,  g.type,       g.color,       g.colorCode, g.isPrivate, g.groupId,
         g.dnuHome, g.dnuFax, g.dnuEmail,   g.dnuBusiness, g.dnuCell,   g.dnuOther},
        "ProfileID");
}

inline void AddIndicator(Database& db, qint64 profileId, const QString& type, const QString& value,
                         int sequence = 1000, bool isPrivate = false) {
    db.exec("INSERT INTO [ProfilePI] ([ProfileID], [PublicPrivate], [SequenceNo], "
            "[PreferenceType], [PreferenceSelection]) VALUES (?, ?, ?, ?, ?)",
            {profileId, isPrivate, sequence, type, value});
}

inline void AddContact(Database& db, qint64 profileId, const QDate& date, const QString& type,
                       const QString& result = QString("")) {
    db.exec("INSERT INTO [ProfileCH] ([ProfileID], [ContactDate], [ContactType], "
            "[ContactResult]) VALUES (?, ?, ?, ?)",
            {profileId, date, type, result});
}

inline qint64 AddGroup(Database& db, const QString& name) {
    return db.insert("INSERT INTO [Group] ([GroupName]) VALUES (?)", {name}, "GroupID");
}

class ProfileListFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        managerId = env.addStaff("Mia Manager", "mia", "MM", true);
        deskId = env.addStaff("Dan Desk", "dan", "DD");
        env.logOn(managerId);
    }
    qint64 add(const GuestRow& g) { return AddGuest(env.db(), g); }
    ProfileList list(ProfileQuery q) {
        q.engine = env.db().engine();
        const BuiltProfileQuery b = BuildProfileSelection(q);
        EXPECT_EQ(b.refusal, "");
        return GetTheProfiles(*env.ctx, q, b);
    }
    // The listed profiles by last name, in list order.
    QStringList names(const ProfileQuery& q) {
        QStringList out;
        for (const ProfileRow& r : list(q).rows)
            out << r.cells[PColLastName];
        return out;
    }
    // The selectable column of each listed profile, by last name.
    QStringList selectable(const ProfileQuery& q) {
        QStringList out;
        for (const ProfileRow& r : list(q).rows)
            out << r.cells[PColLastName] + "=" + r.cells[PColSelectable];
        return out;
    }
    void setRights(qint64 staff, const QString& column, const QString& rights) {
        env.db().exec("UPDATE [ConciergePlus] SET [" + column + "] = ? WHERE [ConciergeID] = ?",
                      {rights, staff});
    }

    TestEnv env;
    qint64 managerId = 0, deskId = 0;
};

} // namespace vm::test::plist
