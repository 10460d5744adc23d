#include "maint/CardMaintenance.h"

#include "core/Formats.h"
#include "core/Settings.h"
#include "platform/Cipher.h"
#include "security/CardStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

#include <algorithm>
#include <cstdio>

namespace vm::maint {

PurgeResult PurgeCards(AppContext& ctx) {
    PurgeResult r;
    r.days = CheckForCCPolicy(ctx);
    if (r.days < 1) {
        r.why = "the property has no card purge policy";
        return r;
    }
    if (HasCCPurgeRunToday(ctx)) {
        r.why = "the purge has run today already";
        return r;
    }
    r.logbook = DeleteCCFromLogbook(ctx, {});
    r.profiles = DeleteCCFromProfiles(ctx, r.days, {});
    // Written last: a purge that failed half-way runs again.
    SetValueFromKey(ctx.db(), "Purge_Last_Run", Formats::ShortDate(ctx.clock().today()));
    r.ran = true;
    return r;
}

namespace {

// A table holding encrypted card values and the column whose value keys the
// cipher for a row.
struct CardTable {
    QString table, key, record;
};

const QList<CardTable>& cardTables() {
    static const QList<CardTable> tables{{"LogBook", "LogID", "LogID"},
                                         {"ProfileCC", "ProfileCCID", "ProfileID"},
                                         {"LostAndFound", "ItemID", "ItemID"}};
    return tables;
}

bool isCardColumn(const QString& name) {
    return name.compare("EncCC", Qt::CaseInsensitive) == 0 ||
           name.compare("EncExp", Qt::CaseInsensitive) == 0;
}

// Every declared table with card columns must be one this procedure knows
// how to key: a value left under the old key would be lost.
void checkCoverage() {
    for (const schema::Table& t : schema::Registry::all().tables())
        for (const schema::Column& c : t.columns)
            if (isCardColumn(c.name) &&
                std::none_of(cardTables().begin(), cardTables().end(),
                             [&](const CardTable& k) { return k.table == t.name; }))
                throw AdminError(ExitProblem, "the table " + t.name +
                                                  " holds card values this command does not know");
}

// The location file with the new template, beside the real one.
QString writeReplacement(const QString& locationFile, const QString& sealed) {
    QFile original(locationFile);
    if (!original.open(QIODevice::ReadOnly))
        throw AdminError(ExitProblem, "cannot read " + locationFile);
    const QByteArray content = original.readAll();
    QTemporaryFile temp(locationFile + ".new-XXXXXX"); // owner-only from the start
    temp.setAutoRemove(false);
    if (!temp.open() || temp.write(content) != content.size() || !temp.flush())
        throw AdminError(ExitProblem, "cannot write beside " + locationFile);
    const QString name = temp.fileName();
    temp.close();
    {
        QSettings s(name, QSettings::IniFormat);
        s.setValue("KeyTemplate", sealed);
        s.sync();
        if (s.status() != QSettings::NoError || s.value("KeyTemplate").toString() != sealed) {
            QFile::remove(name);
            throw AdminError(ExitProblem, "cannot write beside " + locationFile);
        }
    }
    QFile::setPermissions(name, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (QSettings(name, QSettings::IniFormat).value("KeyTemplate").toString() != sealed) {
        QFile::remove(name);
        throw AdminError(ExitProblem, "cannot write beside " + locationFile);
    }
    return name;
}

struct Rekeyer {
    Database& db;
    const QString oldKey, newKey;
    const RekeyHooks& hooks;
    int written = 0;

    // `prefix` names the database of the table on the connection ("" = its own).
    void table(const CardTable& k, const QString& prefix, const QString& label) {
        const QString table = prefix + "[" + k.table + "]";
        QStringList columns;
        for (const schema::Column& c : schema::Registry::all().find(k.table)->columns)
            if (isCardColumn(c.name)) columns << c.name;
        if (db.engine() == Engine::PostgreSQL)
            db.exec("LOCK TABLE " + table + " IN SHARE ROW EXCLUSIVE MODE"); // desks read on
        QStringList conditions;
        for (const QString& c : columns)
            conditions << "TRIM([" + c + "]) <> ''";
        const auto rows =
            db.query("SELECT [" + k.key + "], [" + k.record + "], [" + columns.join("], [") +
                     "] FROM " + table + " WHERE " + conditions.join(" OR "));
        for (const Row& r : rows) {
            const QString record = r.text(k.record);
            for (const QString& c : columns) {
                const QString stored = r.text(c);
                if (stored.trimmed().isEmpty()) continue;
                const QString where = label + " " + k.table + " " + r.text(k.key);
                if (oldKey.trimmed().isEmpty())
                    throw AdminError(ExitProblem, where + " holds a card, but the location file "
                                                          "holds no card key");
                const CipherResult clear = TryDecryptWithTemplate(stored, oldKey, record);
                if (!clear.ok())
                    throw AdminError(ExitProblem, where + ": the stored " + c +
                                                      " cannot be read with the present key");
                const CipherResult sealed = TryEncryptWithTemplate(clear.text, newKey, record);
                if (!sealed.ok() ||
                    TryDecryptWithTemplate(sealed.text, newKey, record).text != clear.text)
                    throw AdminError(ExitProblem, where + ": " + c + " cannot be encrypted again");
                if (db.exec("UPDATE " + table + " SET [" + c + "] = ? WHERE [" + k.key +
                                "] = ? AND [" + c + "] = ?",
                            {sealed.text, r.value(k.key), stored}) != 1)
                    throw AdminError(ExitProblem, where + " changed meanwhile");
                ++written;
                if (hooks.afterValue) hooks.afterValue(written);
            }
        }
    }
};

} // namespace

RekeyResult RekeyCards(Property& p, const Lines& out, const RekeyHooks& hooks) {
    const PropertySource& src = p.source();
    if (src.locationFile.isEmpty())
        throw AdminError(ExitUsage, "rekey needs the location file that holds the card key "
                                    "(--location FILE, or this workstation's own)");
    checkCoverage();
    const CipherKeys keys = CipherKeys::builtIn(src.masked);
    const QString oldKey =
        src.keyTemplate.isEmpty() ? QString() : DecryptOriginal(src.keyTemplate, src.masked, keys);
    if (!src.keyTemplate.isEmpty() && oldKey.trimmed().isEmpty())
        throw AdminError(ExitProblem, "the card key in " + src.locationFile +
                                          " cannot be read: nothing was changed");
    const QString newKey = NewKeyTemplate();
    const QString sealed = newKey.isEmpty() ? QString() : EncryptOriginal(newKey, src.masked, keys);
    if (sealed.isEmpty() || DecryptOriginal(sealed, src.masked, keys) != newKey)
        throw AdminError(ExitProblem, "no new card key could be made: nothing was changed");

    const QString replacement = writeReplacement(src.locationFile, sealed);
    Database& db = p.ctx().db();
    Database* archive = p.ctx().archive.get();
    const bool withArchive = archive && archive->tableExists("LogBook");
    bool attached = false;
    Rekeyer rekeyer{db, oldKey, newKey, hooks};
    // Once committed nothing may stop the location file from following.
    auto detach = [&] {
        if (!attached) return;
        attached = false;
        try {
            db.exec("DETACH DATABASE [vm_archive]");
        } catch (const DbError&) {
            // the connection closes at the end of the command
        }
    };
    try {
        QString archivePrefix;
        if (withArchive && db.engine() == Engine::SQLite) {
            // One transaction over both files: the archive joins this connection.
            db.exec("ATTACH DATABASE ? AS [vm_archive]", {archive->location().file});
            attached = true;
            archivePrefix = "[vm_archive].";
        } else if (withArchive) {
            archivePrefix = db.quoteName(archive->location().schema) + ".";
        }
        db.transaction([&] {
            for (const CardTable& k : cardTables())
                if (db.tableExists(k.table)) rekeyer.table(k, {}, p.currentBase());
            if (withArchive) rekeyer.table(cardTables().first(), archivePrefix, p.archiveBase());
        });
    } catch (...) {
        detach();
        QFile::remove(replacement);
        throw;
    }
    detach();
    // The databases are under the new key now: the location file follows at once.
    if (std::rename(QFile::encodeName(replacement).constData(),
                    QFile::encodeName(src.locationFile).constData()) != 0)
        throw AdminError(ExitProblem, "the cards are encrypted under the new key, but " +
                                          src.locationFile + " could not be replaced: put " +
                                          replacement + " in its place now");
    out(QString("%1 card values encrypted under the new key").arg(rekeyer.written));
    out("new key template written to " + src.locationFile +
        "; every workstation's location file needs this one, and desks must start again");
    return {rekeyer.written, src.locationFile};
}

} // namespace vm::maint
