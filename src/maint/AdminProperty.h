#pragma once
// The property the administrator's command works on: where its databases are
// (a location file, a SQLite folder or a server) and its open databases.
// Nothing here asks questions: messages of the procedures it calls are kept
// for the command to print.

#include "core/AppContext.h"
#include "core/schema/Schema.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <stdexcept>

namespace vm::maint {

// Exit codes of the command.
enum ExitCode { ExitOk = 0, ExitProblem = 1, ExitUsage = 2 };

// A refusal or failure with the exit code the command ends with.
class AdminError : public std::runtime_error {
public:
    AdminError(int code, const QString& text)
        : std::runtime_error(text.toStdString()), m_code(code) {}
    int code() const { return m_code; }
    QString text() const { return QString::fromStdString(what()); }

private:
    int m_code;
};

// Where the command prints its lines.
using Lines = std::function<void(const QString&)>;

struct PropertySource {
    QString folder;       // SQLite folder, ends in "/"
    QString postgres;     // libpq keywords; set = the databases live on that server
    QString schemaPrefix; // server schemas: prefix + base name, lower case
    bool masked = false;
    QString keyTemplate;  // sealed key template of the card cipher (hex)
    QString locationFile; // the file this came from; empty for a folder named directly

    bool onServer() const { return !postgres.isEmpty(); }
    QString describe() const;
};

// The location file the program reads on this workstation (the user's, else the
// system's); empty when there is none.
QString DefaultLocationFile(const Workstation& ws);
// Reads a location file with the program's keys; AdminError(2) when it cannot.
PropertySource ReadLocationFile(const QString& file);
PropertySource FolderSource(const QString& folder);
PropertySource ServerSource(const QString& connInfo, const QString& schemaPrefix);

// One database of a property.
struct StoreDb {
    QString base;        // "VelmP", "VelmA", "VelmCE"
    schema::Store store; // which declared tables it holds
    Database* db = nullptr;
};

// Collects what the program's procedures would have shown in a message box.
class CollectingPrompt : public Prompt {
public:
    void message(const QString& text, const QString& title, Icon icon) override;
    // Nobody is there to answer: every question is declined.
    Answer ask(const QString& text, const QString& title, Buttons buttons, Icon icon,
               Answer defaultAnswer) override;
    std::optional<QString> input(const QString& text, const QString& title, const QString& initial,
                                 bool password) override;
    QStringList texts;
};

class Property {
public:
    Property(const PropertySource& source, const Workstation& ws, Clock& clock);
    ~Property();
    Property(const Property&) = delete;
    Property& operator=(const Property&) = delete;

    const PropertySource& source() const { return m_source; }
    AppContext& ctx() { return *m_ctx; }
    CollectingPrompt& prompt() { return m_prompt; }
    Engine engine() const { return m_source.onServer() ? Engine::PostgreSQL : Engine::SQLite; }

    // Where the database of a base name lives (the common one: `folder` on SQLite).
    DbLocation locationOf(const QString& base, const QString& folder = {}) const;
    QString currentBase() const;
    QString archiveBase() const;
    QString commonBase() const;

    // Opens the existing databases: the current one must be there; the archive
    // and the common one are opened when they exist.  Nothing is created or
    // upgraded.  AdminError(2) when the current database cannot be opened.
    void open();
    // Whether the settings say contacts or events are shared in a common database.
    bool usesCommon();
    // The folder of the common database the settings name (SQLite).
    QString commonFolder();
    // The open databases, current first.
    QList<StoreDb> stores();
    void close();

    // True when a database of that base name exists with at least one table
    // (SQLite: the file exists at all).
    bool exists(const QString& base, const QString& folder = {});
    // A new property here, made as the program makes one (base schema, factory
    // data, the whole ladder), with an archive and, when asked, a common
    // database.  Refuses (AdminError 1) unless every one of them is absent or empty.
    void createNew(bool withCommon);

private:
    std::unique_ptr<Database> openExisting(const QString& base, const QString& folder);
    bool schemaHasTables(const QString& schema);

    PropertySource m_source;
    CollectingPrompt m_prompt;
    std::unique_ptr<AppContext> m_ctx;
};

// Where a database is, for messages: the file, or schema and server without
// any password.
QString Place(const DbLocation& where);
// libpq keywords with dbname, as pg_dump and pg_restore take them; the
// password is left out (it goes to them in PGPASSWORD, not on a command line
// every user can list).
QString ConnInfoWithDatabase(const QString& connInfo);
QString PasswordOf(const QString& connInfo);
// The schema name of a base name under a prefix (lower case).
QString SchemaName(const QString& prefix, const QString& base);

} // namespace vm::maint
