#pragma once
// A logged-on desk with helpers to put contacts into the directory.

#include "guests/ContactSearch.h"
#include "support/ScreenDriver.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <stdexcept>

namespace vm::test::dir {

struct DirContact {
    QString name;
    QString nick{};
    QString address{};
    QString city{};
    QString keywords{};
    QString language = QStringLiteral("0");
    QString area{};
    int rating = 0;
    int ranking = 2;
    bool isPrivate = false;
    bool closed = false;
    bool reserved = false;
    bool guestList = false;
    qint64 restaurantId = 0;
    QString updated{};
    QString crossStreets{};
    QString state{};
    QString postalCode{};
    QString proximity{};
    QString logType{};
};

inline qint64 AddDirContact(Database& db, const DirContact& c) {
    return db.insert(
        "INSERT INTO [Contact] ([ContactName], [NickName], [Address], [City], [KeywordSet], "
        "[CommissionType], [DocumentLink], [Rating], [Ranking], [PublicPrivate], [IsClosed], "
        "[IsReserved], [Commissionable], [OTRestaurantID], [UpdateDate], [CrossStreets], [State], "
        "[PostalCode], [Proximity], [Affiliation]) VALUES "
        "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {c.name,         c.nick,     c.address,    c.city,         c.keywords,
         c.language,     c.area,     c.rating,     c.ranking,      c.isPrivate,
         c.closed,       c.reserved, c.guestList,  c.restaurantId, c.updated,
         c.crossStreets, c.state,    c.postalCode, c.proximity,    c.logType},
        "ContactID");
}

template <class T = QWidget> T* Named(const QObject& root, const QString& name) {
    return screen::control<T>(root, name);
}

inline void Press(const QObject& root, const QString& name) {
    Named<QAbstractButton>(root, name)->click();
}

class DirectoryFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        managerId = env.addStaff("Mia Manager", "mia", "MM", true);
        deskId = env.addStaff("Dan Desk", "dan", "DD");
        setRights(deskId, "111111111111000"); // neither search nor delete
        env.logOn(managerId);
    }
    qint64 add(const DirContact& c) { return AddDirContact(env.ctx->contactsDb(), c); }
    // The contacts a selection lists, by name, in list order.
    QStringList names(const ContactSelection& s) {
        ContactSelection onEngine = s;
        onEngine.engine = env.ctx->contactsDb().engine();
        const BuiltContactSelection b = BuildContactSelection(onEngine);
        EXPECT_EQ(b.refusal, "");
        QStringList out;
        for (const ContactRow& r : GetTheContacts(*env.ctx, b.filter, s.sort).rows)
            out << r.cells[ColContactName];
        return out;
    }
    void setRights(qint64 staff, const QString& contacts) {
        env.db().exec("UPDATE [ConciergePlus] SET [Contacts] = ? WHERE [ConciergeID] = ?",
                      {contacts, staff});
    }

    TestEnv env;
    qint64 managerId = 0, deskId = 0;
};

} // namespace vm::test::dir
