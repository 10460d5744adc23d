#pragma once
// Everything the running program shares: the open databases, the start-up
// state, the settings, the session and the replaceable services.  Start-up
// builds one; a test builds its own on a temporary folder.

#include "core/Globals.h"
#include "core/Session.h"
#include "output/Reports.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/Desktop.h"
#include "platform/Mailer.h"
#include "platform/Prompt.h"
#include "platform/Workstation.h"

#include <QStringList>
#include <functional>
#include <memory>

namespace vm {

class SessionWindows;

// Whether card numbers may be stored and shown (core/CardKey.h); anything but
// Ready refuses both.
enum class CardKeyState {
    Ready,
    SettingUnreadable,
    EncryptionOff,
    TemplateMissing,
    TemplateUnreadable,
    TemplateNotStored
};

struct StartupState {
    QString databaseFolder; // ends in "/" unless empty
    QString currentBase = "VelmP";
    QString archiveBase = "VelmA";
    QString commonBase = "VelmCE";
    bool masked = false;
    QString postgres; // libpq keywords (dbname= included) when the databases live on a server
    QString postgresSchemaPrefix; // each database is a schema: prefix + base name, lower case
    QString keyTemplate;          // decrypted key template of the enhanced card cipher
    CardKeyState cardKey = CardKeyState::TemplateMissing; // until the databases open
    bool writable = false; // false while the local read-only copy is in use
    bool localBackup = false;
    QString openingLabel; // "CURRENT" / "ARCHIVE" while opening
    QString currencySymbol = " ";
    bool purgeAtStart = false;
    bool sendToSyslog = false;
    QString windowsUser;
    QString providerAnswer; // the location provider's answer, as given
    QString lastOpenError;  // description of the last failed open
    // Called once, instead of waiting for a logon, when the logon dialog is
    // first up (velmora --time-start); the program then ends.
    std::function<void()> onLogonShown;
};

// Work that later subsystems plug into start-up and the start of the day.
// An empty hook does nothing: the subsystem behind it is not part of this build.
struct DailyHooks {
    std::function<void(class AppContext&)> buildTodaysTasks;        // quick viewer
    std::function<void(class AppContext&)> inactivateInactiveStaff; // logon security
    std::function<void(class AppContext&)> markTaskCheck;           // quick viewer
    std::function<void(int milliseconds)> wait;                     // pause between task counts
};

// A message from the desk to staff members, due at `deliverAt`.
struct StaffMessage {
    QList<qint64> recipients; // ConciergeIDs
    QStringList recipientNames;
    QString text; // line breaks CRLF
    QDateTime deliverAt;
    QString kind; // what it is about: "Contact Msg", "Event Msg", ...
};
// Sends a message through the messages store; answers whether it was sent
// (a store that fails says why itself).
using MessageSender = std::function<bool(class AppContext&, const StaffMessage&)>;

class AppContext {
public:
    AppContext(Workstation ws, Prompt& prompt, Clock& clock)
        : workstation(std::move(ws)), m_prompt(&prompt), m_clock(&clock) {}

    Prompt& prompt() const { return *m_prompt; }
    Clock& clock() const { return *m_clock; }
    // The workstation's mail program (none until start-up sets one).
    Mailer& mailer() const {
        static NoMailer none;
        return m_mailer ? *m_mailer : none;
    }
    void setMailer(Mailer* mailer) { m_mailer = mailer; }
    // Opening documents, file dialogs and helper programs (none until start-up sets one).
    Desktop& desktop() const {
        static NoDesktop none;
        return m_desktop ? *m_desktop : none;
    }
    void setDesktop(Desktop* desktop) { m_desktop = desktop; }
    Database& db() const { return *current; }
    bool hasArchive() const { return archive != nullptr; }

    Workstation workstation;
    StartupState start;
    Globals globals;
    Session session;
    DailyHooks daily;
    // The messages store's sender; empty while messaging is not part of this build.
    MessageSender sendMessage;
    // Every report routine of the subsystems in this build (output/Reports.h).
    ReportCatalogue reports;

    std::unique_ptr<Database> current;
    std::unique_ptr<Database> archive;
    std::unique_ptr<Database> common;

    // The record windows and card dialogs of the session, closed at log-off
    // (kept by the main window; none while it does not exist).
    SessionWindows* sessionWindows = nullptr;

    // The database that holds contacts (or events): the common one when shared.
    Database& contactsDb() const { return (globals.commonContacts && common) ? *common : *current; }
    Database& eventsDb() const { return (globals.commonEvents && common) ? *common : *current; }

    // VmSettings.ini of this user.
    QString iniFile() const { return workstation.userDataFolder + "VmSettings.ini"; }

private:
    Prompt* m_prompt;
    Clock* m_clock;
    Mailer* m_mailer = nullptr;
    Desktop* m_desktop = nullptr;
};

} // namespace vm
