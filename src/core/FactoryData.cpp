#include "core/FactoryData.h"

#include "core/Formats.h"
#include "core/Rights.h"
#include "platform/PasswordHash.h"

namespace vm {

void InsertConciergePlus(Database& db, qint64 conciergeId, QChar templateKind) {
    QStringList cols{"[ConciergeID]"};
    QStringList marks{"?"};
    QVariantList values{conciergeId};
    for (RightsArea a : AllRightsAreas()) {
        cols << "[" + RightsColumn(a) + "]";
        marks << "?";
        values << (templateKind == 'A'   ? ManagerRights(a)
                   : templateKind == 'R' ? RestrictedRights(a)
                                         : DefaultRights(a));
    }
    db.exec("INSERT INTO [ConciergePlus] (" + cols.join(", ") + ") VALUES (" + marks.join(", ") +
                ")",
            values);
}

void InsertFactoryData(Database& db, const Clock& clock) {
    db.exec("INSERT INTO [Authorization] ([DBUpdateLevel], [TrueValue], [FalseValue], "
            "[LHFontName], [LHFontSize], [PasswordDays], [LogonDays], [InactiveMinutes], "
            "[CancelColor], [CompleteColor], [IncompleteColor], [OnHoldColor], [PendingColor], "
            "[ProfileColor], [MapName], [NewBool08], [DailyDate]) "
            "VALUES (?, 'True', 'False', 'Arial', 10, 90, 90, 30, '#808080', '#008000', "
            "'#000000', '#C06000', '#0000C0', '#800080', 'Velmora Hotel', ?, ' ')",
            {81045, true});
    // A new property starts secure (the PCI DSS 8.2.8 and 8.3.4 levels):
    // lockout (Security2) after FutureD4 = 3 failures, log-off after 15 idle
    // minutes (Security5), the password rules (Security3) and expiry after
    // PasswordDays (Security4), no guest logon.  The option pages may relax
    // them; databases that exist keep their own values.
    db.exec("UPDATE [Authorization] SET [Security2] = ?, [FutureD4] = 3, [Security3] = ?, "
            "[Security4] = ?, [PasswordDays] = 90, [Security5] = ?, [InactiveMinutes] = 15, "
            "[DisableGuest] = ?",
            {true, true, true, true, true});

    const QString today = Formats::StoredDate(clock.today());
    struct Account {
        const char* name;
        const char* logon;
        const char* initials;
        const char* password;
        bool manager;
    };
    // Service accounts carry no usable password: an empty stored form never verifies.
    const Account accounts[] = {
        {"Concierge Bellhop", "CONCIERGE", "CB", "BELLHOP", true},
        {"Support Profile", "SUPPORT", "@@", nullptr, true},
        {"Orvanta Support", "ORVSUPPORT", "@O", nullptr, true},
    };
    for (const Account& a : accounts) {
        const QString hash = a.password ? HashPassword(a.password) : QString(" ");
        const qint64 id = db.insert(
            "INSERT INTO [Concierge] ([Concierge], [UserProfile], [Initials], [Password], "
            "[CCViewPW], [Status], [Authorized], [AllLogs], [WorkSchedule], "
            "[LastLogon], [LastPWChange], [MessageGroup], [EmailAddress]) "
            "VALUES (?, ?, ?, ?, ?, 'A', ?, ?, '0000000', ?, ?, ' ', ' ')",
            {a.name, a.logon, a.initials, hash, hash, a.manager, true, today, today},
            "ConciergeID");
        InsertConciergePlus(db, id, a.manager ? QChar('A') : QChar());
    }
    // The news board only rewrites its items: a new property starts with
    // five empty ones in black.
    for (int i = 0; i < 5; ++i)
        db.exec("INSERT INTO [NewsBook] ([NewsItem], [DisplayColor], [FontBold]) "
                "VALUES (' ', '#000000', ?)",
                {false});
}

} // namespace vm
