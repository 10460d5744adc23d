#pragma once
#include <QString>

namespace vm {

// The member logged on at this workstation (empty initials = nobody).
struct Session {
    qint64 conciergeId = 0;
    QString name; // display name (Concierge)
    QString initials;
    QString logonName; // UserProfile
    QString email;
    QString messageGroup;
    bool manager = false; // Authorized
    bool restricted = false;
    bool readOnly = false;
    bool allLogs = false;
    bool allRentals = false;
    bool guest = false;   // the read-only GUEST session
    bool support = false; // the support logon
    bool forcedChange = false;
    // The working language (the command bar's Language combo): 0 English,
    // 1 French, 2 German, 3 Italian, 4 Portuguese, 5 Spanish, 6 User Defined.
    // Contact lists show the contacts of this language only.
    int language = 0;

    bool loggedOn() const { return !initials.isEmpty(); }
    void clear() { *this = Session(); }
};

} // namespace vm
