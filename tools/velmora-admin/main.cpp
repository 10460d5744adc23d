// The server administrator's command: checks, backs up, restores and moves a
// property, and runs the card maintenance.  The logic lives in src/maint.
//
// Exit status: 0 all is well, 1 a problem was found or the work failed,
// 2 the command line was wrong or the property could not be reached.

#include "maint/AdminProperty.h"
#include "maint/Backup.h"
#include "maint/CardMaintenance.h"
#include "maint/Check.h"
#include "maint/Copy.h"
#include "platform/Clock.h"
#include "platform/LocalTimeZone.h"

#include <QCoreApplication>
#include <QDir>
#include <QMap>
#include <QStringList>

#include <cstdio>
#include <optional>

using namespace vm;
using namespace vm::maint;

namespace {

const QString kUsage = QStringLiteral(
    "usage: velmora-admin [--location FILE | --folder DIR] COMMAND [ARGUMENTS]\n"
    "\n"
    "commands:\n"
    "  check                      integrity, schema level and orphaned rows of every database\n"
    "  backup DEST                online backup of every database into the folder DEST\n"
    "  restore SRC --to FOLDER    a backup into an empty folder (SQLite)\n"
    "  restore SRC --to-postgresql CONNINFO [--schema PREFIX]\n"
    "                             a backup into empty schemas (PostgreSQL)\n"
    "  copy --to postgresql CONNINFO [--schema PREFIX]\n"
    "  copy --to sqlite FOLDER    the property into an empty place on the other engine\n"
    "  purge-cards                the card purge policy, as the daily job runs it\n"
    "  rekey                      every stored card number under a new card key\n"
    "  help [COMMAND]             this text, or more about one command\n"
    "\n"
    "The property is the one this workstation's location file names, unless\n"
    "--location names another location file or --folder a SQLite database folder.\n"
    "\n"
    "exit status: 0 all is well, 1 a problem was found or the work failed,\n"
    "2 wrong command line or the property cannot be reached.\n");

const QMap<QString, QString>& commandHelp() {
    static const QMap<QString, QString> help{
        {"check", "velmora-admin check\n"
                  "  Checks every database of the property: the engine's own integrity check\n"
                  "  (SQLite), every declared table, column and index, the schema level\n"
                  "  against this program's, and rows whose owner is gone (logbook text and\n"
                  "  history without their entry, messages of staff who are gone, ...).\n"
                  "  Exit status 1 lists the problems found.\n"},
        {"backup", "velmora-admin backup DEST\n"
                   "  Backs up every database while desks work: SQLite files through the\n"
                   "  engine's online backup, server schemas through pg_dump.  DEST also gets\n"
                   "  manifest.json with the row count and checksum of every table.\n"},
        {"restore", "velmora-admin restore SRC --to FOLDER\n"
                    "velmora-admin restore SRC --to-postgresql CONNINFO [--schema PREFIX]\n"
                    "  Restores the backup in SRC into an empty folder or empty schemas only\n"
                    "  (anything else is refused and nothing is written), then verifies every\n"
                    "  table against the manifest.\n"},
        {"copy", "velmora-admin copy --to postgresql CONNINFO [--schema PREFIX]\n"
                 "velmora-admin copy --to sqlite FOLDER\n"
                 "  Makes a new property in an empty place and copies every row of every\n"
                 "  declared table into it, keys kept, one transaction per database; then\n"
                 "  compares the row counts and checksums of both sides.  Stop the desks\n"
                 "  first.  Exit status 1 when any table differs.\n"},
        {"purge-cards", "velmora-admin purge-cards\n"
                        "  Runs the card purge policy as the first start of the day does and\n"
                        "  prints how many card numbers were removed.\n"},
        {"rekey", "velmora-admin rekey\n"
                  "  Encrypts every stored card number again under a new card key, in one\n"
                  "  transaction, and then writes the new key into the location file.  Run it\n"
                  "  with every desk closed; copy the new location file to every workstation.\n"},
    };
    return help;
}

void print(const QString& line) {
    std::printf("%s\n", qPrintable(line));
}

int complain(const QString& text, int code) {
    std::fprintf(stderr, "velmora-admin: %s\n", qPrintable(text));
    return code;
}

int usage(const QString& text = {}) {
    if (!text.isEmpty()) complain(text, ExitUsage);
    std::fputs(qPrintable(kUsage), stderr);
    return ExitUsage;
}

// Takes "--name VALUE" out of `args`; nullopt when absent.
std::optional<QString> take(QStringList& args, const QString& name) {
    const int i = args.indexOf(name);
    if (i < 0) return std::nullopt;
    if (i + 1 >= args.size()) throw AdminError(ExitUsage, name + " needs a value");
    const QString value = args.at(i + 1);
    args.remove(i, 2);
    return value;
}

void noMore(const QStringList& args) {
    if (!args.isEmpty()) throw AdminError(ExitUsage, "unexpected '" + args.first() + "'");
}

PropertySource sourceFrom(const std::optional<QString>& location,
                          const std::optional<QString>& folder, const Workstation& ws) {
    if (location && folder)
        throw AdminError(ExitUsage, "--location and --folder exclude each other");
    if (folder) return FolderSource(*folder);
    const QString file = location ? *location : DefaultLocationFile(ws);
    if (file.isEmpty())
        throw AdminError(ExitUsage, "this workstation has no location file (looked in " +
                                        ws.userConfigFolder + " and " + ws.systemConfigFolder +
                                        "); name one with --location or a folder with --folder");
    return ReadLocationFile(file);
}

void printPrompt(Property& p) {
    for (const QString& text : p.prompt().texts)
        complain(QString(text).replace("\r\n", " ").replace('\n', ' '), 0);
}

int run(QStringList args) {
    const std::optional<QString> location = take(args, "--location");
    const std::optional<QString> folder = take(args, "--folder");
    if (args.isEmpty()) return usage("no command given");
    const QString command = args.takeFirst();
    if (command == "--help" || command == "-h" || (command == "help" && args.isEmpty())) {
        std::fputs(qPrintable(kUsage), stdout);
        return ExitOk;
    }
    if (command == "help") {
        if (!commandHelp().contains(args.first()))
            return usage("no command '" + args.first() + "'");
        std::fputs(qPrintable(commandHelp().value(args.first())), stdout);
        return ExitOk;
    }
    if (args.contains("--help") || args.contains("-h")) {
        if (!commandHelp().contains(command)) return usage("no command '" + command + "'");
        std::fputs(qPrintable(commandHelp().value(command)), stdout);
        return ExitOk;
    }
    if (!commandHelp().contains(command)) return usage("no command '" + command + "'");

    const Workstation ws = Workstation::detect();
    SystemClock clock;

    if (command == "restore") {
        if (args.isEmpty()) throw AdminError(ExitUsage, "restore needs the backup folder");
        const QString from = args.takeFirst();
        const auto toFolder = take(args, "--to");
        const auto toServer = take(args, "--to-postgresql");
        const auto prefix = take(args, "--schema");
        noMore(args);
        if (toFolder.has_value() == toServer.has_value())
            throw AdminError(ExitUsage,
                             "restore needs either --to FOLDER or --to-postgresql CONNINFO");
        const PropertySource target = toServer ? ServerSource(*toServer, prefix.value_or(QString()))
                                               : FolderSource(*toFolder);
        const QStringList differences = RestoreProperty(from, target, ws, clock, print);
        for (const QString& d : differences)
            complain(d, 0);
        if (!differences.isEmpty())
            return complain("the restored property differs from the backup's manifest",
                            ExitProblem);
        print("restored and verified against the manifest");
        return ExitOk;
    }

    // Every other command works on an existing property.
    QStringList rest = args;
    std::optional<QString> copyKind, copyPlace, copyPrefix;
    std::optional<QString> dest;
    if (command == "copy") {
        copyPrefix = take(rest, "--schema");
        const int i = rest.indexOf("--to");
        if (i < 0 || i + 2 >= rest.size())
            throw AdminError(ExitUsage,
                             "copy needs --to postgresql CONNINFO or --to sqlite FOLDER");
        copyKind = rest.at(i + 1);
        copyPlace = rest.at(i + 2);
        rest.remove(i, 3);
        if (*copyKind != "postgresql" && *copyKind != "sqlite")
            throw AdminError(ExitUsage, "copy goes --to postgresql or --to sqlite");
        if (*copyKind == "sqlite" && copyPrefix)
            throw AdminError(ExitUsage, "--schema belongs to a copy to postgresql");
    } else if (command == "backup") {
        if (rest.isEmpty()) throw AdminError(ExitUsage, "backup needs the destination folder");
        dest = rest.takeFirst();
    }
    noMore(rest);

    Property p(sourceFrom(location, folder, ws), ws, clock);
    p.open();
    int code = ExitOk;
    if (command == "check") {
        const CheckReport report = CheckProperty(p);
        for (const QString& n : report.notes)
            print(n);
        for (const QString& problem : report.problems)
            print("PROBLEM: " + problem);
        print(report.ok() ? "all is well"
                          : QString("%1 problem(s) found").arg(report.problems.size()));
        code = report.ok() ? ExitOk : ExitProblem;
    } else if (command == "backup") {
        const Manifest m = BackupProperty(p, *dest, print);
        for (const QString& line : SumLines(m.databases))
            print(line);
    } else if (command == "copy") {
        const PropertySource target = *copyKind == "postgresql"
                                          ? ServerSource(*copyPlace, copyPrefix.value_or(QString()))
                                          : FolderSource(*copyPlace);
        if (target.onServer() == p.source().onServer())
            throw AdminError(ExitUsage, "copy moves a property to the other engine; use backup "
                                        "and restore within one");
        const CopyResult r = CopyProperty(p, target, ws, clock, print);
        for (const QString& line : SumLines(r.target))
            print(line);
        for (const QString& d : r.differences)
            print("DIFFERS: " + d);
        print(r.differences.isEmpty() ? "every table is equal on both sides"
                                      : QString("%1 table(s) differ").arg(r.differences.size()));
        code = r.differences.isEmpty() ? ExitOk : ExitProblem;
    } else if (command == "purge-cards") {
        const PurgeResult r = PurgeCards(p.ctx());
        if (r.ran)
            print(QString("card purge (%1 days): %2 logbook card(s) and %3 profile card(s) purged")
                      .arg(r.days)
                      .arg(r.logbook)
                      .arg(r.profiles));
        else
            print("card purge not run: " + r.why + "; 0 purged");
    } else if (command == "rekey") {
        RekeyCards(p, print);
    }
    printPrompt(p);
    return code;
}

} // namespace

int main(int argc, char** argv) {
    vm::PinLocalTimeZone();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("Velmora");
    QCoreApplication::setOrganizationName("Orvanta");
    QStringList args = app.arguments();
    args.removeFirst();
    try {
        return run(args);
    } catch (const AdminError& e) {
        return complain(e.text(), e.code());
    } catch (const DbError& e) {
        return complain(e.description(), ExitProblem);
    } catch (const std::exception& e) {
        return complain(QString::fromLocal8Bit(e.what()), ExitProblem);
    }
}
