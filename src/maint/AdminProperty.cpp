#include "maint/AdminProperty.h"

#include "core/Databases.h"
#include "core/Settings.h"
#include "core/schema/SchemaBuilder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace vm::maint {

namespace {
QString withoutPassword(const QString& connInfo) {
    QStringList kept;
    for (const auto& [key, value] : parseConnInfo(connInfo))
        if (key != "password") kept << key + "=" + value;
    return kept.join(' ');
}
} // namespace

QString PropertySource::describe() const {
    if (!onServer()) return "SQLite folder " + folder;
    return "PostgreSQL " + withoutPassword(postgres) +
           (schemaPrefix.isEmpty() ? "" : ", schema prefix " + schemaPrefix);
}

QString Place(const DbLocation& where) {
    if (where.engine == Engine::SQLite) return where.file;
    return "schema " + where.schema + " of PostgreSQL database " + where.database + " (" +
           withoutPassword(where.connInfo) + ")";
}

QString DefaultLocationFile(const Workstation& ws) {
    for (const QString& folder : {ws.userConfigFolder, ws.systemConfigFolder}) {
        const QString file = folder + "location";
        if (!folder.isEmpty() && QFileInfo::exists(file)) return file;
    }
    return {};
}

PropertySource ReadLocationFile(const QString& file) {
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        throw AdminError(ExitUsage, "cannot read the location file " + file);
    QSettings s(file, QSettings::IniFormat);
    if (s.status() != QSettings::NoError)
        throw AdminError(ExitUsage, file + " is not a location file");
    PropertySource src;
    src.folder = s.value("Folder").toString().trimmed();
    if (!src.folder.isEmpty() && !src.folder.endsWith('/')) src.folder += '/';
    src.keyTemplate = s.value("KeyTemplate").toString().trimmed();
    src.masked = s.value("Masked", false).toBool();
    src.postgres = s.value("PostgreSQL").toString().trimmed();
    src.schemaPrefix = s.value("Schema").toString().trimmed();
    src.locationFile = info.absoluteFilePath();
    if (!src.onServer() && src.folder.isEmpty())
        throw AdminError(ExitUsage, file + " names neither a database folder nor a server");
    return src;
}

PropertySource FolderSource(const QString& folder) {
    PropertySource src;
    src.folder = QDir(folder).absolutePath() + "/";
    return src;
}

PropertySource ServerSource(const QString& connInfo, const QString& schemaPrefix) {
    PropertySource src;
    src.postgres = connInfo.trimmed();
    src.schemaPrefix = schemaPrefix.trimmed();
    return src;
}

QString SchemaName(const QString& prefix, const QString& base) {
    return (prefix + base).toLower();
}

QString ConnInfoWithDatabase(const QString& connInfo) {
    QStringList parts;
    bool named = false;
    for (const auto& [key, value] : parseConnInfo(connInfo)) {
        if (key == "password") continue;
        named |= key == "dbname";
        QString v = value;
        if (v.isEmpty() || v.contains(' ') || v.contains('\'') || v.contains('\\'))
            v = "'" + v.replace("\\", "\\\\").replace("'", "\\'") + "'";
        parts << key + "=" + v;
    }
    if (!named) parts << "dbname=velmora"; // the database the program uses by default
    return parts.join(' ');
}

QString PasswordOf(const QString& connInfo) {
    for (const auto& [key, value] : parseConnInfo(connInfo))
        if (key == "password") return value;
    return {};
}

// ------------------------------------------------------------ CollectingPrompt

void CollectingPrompt::message(const QString& text, const QString&, Icon) {
    texts << text;
}

Answer CollectingPrompt::ask(const QString& text, const QString&, Buttons buttons, Icon, Answer) {
    texts << text;
    return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

std::optional<QString> CollectingPrompt::input(const QString& text, const QString&, const QString&,
                                               bool) {
    texts << text;
    return std::nullopt;
}

// -------------------------------------------------------------------- Property

Property::Property(const PropertySource& source, const Workstation& ws, Clock& clock)
    : m_source(source), m_ctx(std::make_unique<AppContext>(ws, m_prompt, clock)) {
    StartupState& s = m_ctx->start;
    s.databaseFolder = source.folder;
    s.postgres = source.postgres;
    s.postgresSchemaPrefix = source.schemaPrefix;
    s.masked = source.masked;
    // Masked installations keep databases of their own names.
    const QString m = source.masked ? "M" : "";
    s.currentBase = "VelmP" + m;
    s.archiveBase = "VelmA" + m;
    s.commonBase = "VelmCE" + m;
}

Property::~Property() {
    close();
}

QString Property::currentBase() const {
    return m_ctx->start.currentBase;
}
QString Property::archiveBase() const {
    return m_ctx->start.archiveBase;
}
QString Property::commonBase() const {
    return m_ctx->start.commonBase;
}

DbLocation Property::locationOf(const QString& base, const QString& folder) const {
    return LocationFor(*m_ctx, base, folder);
}

void Property::close() {
    CloseDatabase(*m_ctx);
}

bool Property::schemaHasTables(const QString& schema) {
    DbLocation probe = locationOf(currentBase());
    probe.schema.clear();
    auto db = Database::open(probe, false);
    return db
        ->scalar("SELECT 1 FROM information_schema.tables WHERE table_schema = ? LIMIT 1", {schema})
        .isValid();
}

bool Property::exists(const QString& base, const QString& folder) {
    const DbLocation where = locationOf(base, folder);
    if (where.engine == Engine::SQLite) return QFileInfo::exists(where.file);
    return schemaHasTables(where.schema);
}

std::unique_ptr<Database> Property::openExisting(const QString& base, const QString& folder) {
    if (!exists(base, folder)) return nullptr;
    return Database::open(locationOf(base, folder), false);
}

void Property::open() {
    close();
    try {
        m_ctx->current = openExisting(currentBase(), {});
        if (!m_ctx->current || !m_ctx->current->tableExists("Authorization"))
            throw AdminError(ExitUsage, "no property at " + Place(locationOf(currentBase())));
        m_ctx->archive = openExisting(archiveBase(), {});
        m_ctx->globals.commonContacts = GetBooleanSetting(*m_ctx->current, "CommonContacts");
        m_ctx->globals.commonEvents = GetBooleanSetting(*m_ctx->current, "CommonEvents");
        if (usesCommon()) m_ctx->common = openExisting(commonBase(), commonFolder());
    } catch (const DbError& e) {
        close();
        throw AdminError(ExitUsage, "cannot open the property: " + e.description());
    }
}

bool Property::usesCommon() {
    return m_ctx->globals.commonContacts || m_ctx->globals.commonEvents;
}

QString Property::commonFolder() {
    if (!m_ctx->current) return {};
    QString folder = GetTextSetting(*m_ctx->current, "CommonContacts").trimmed();
    if (!folder.isEmpty() && !folder.endsWith('/')) folder += '/';
    return folder;
}

QList<StoreDb> Property::stores() {
    QList<StoreDb> out;
    if (m_ctx->current) out.append({currentBase(), schema::Current, m_ctx->current.get()});
    if (m_ctx->archive) out.append({archiveBase(), schema::Archive, m_ctx->archive.get()});
    if (m_ctx->common) out.append({commonBase(), schema::Common, m_ctx->common.get()});
    return out;
}

void Property::createNew(bool withCommon) {
    close();
    QStringList bases{currentBase(), archiveBase()};
    if (withCommon) bases << commonBase();
    // A common database of a new property lives beside the others.
    for (const QString& base : bases)
        if (exists(base))
            throw AdminError(ExitProblem,
                             Place(locationOf(base)) + " is not empty: nothing was written");
    if (engine() == Engine::SQLite && !QDir().mkpath(m_source.folder))
        throw AdminError(ExitProblem, "cannot make the folder " + m_source.folder);

    AppContext& ctx = *m_ctx;
    ctx.current = Database::open(locationOf(currentBase()), true);
    CreateBaseDatabase(*ctx.current, ctx.clock());
    RunUpgradeLadder(ctx);
    RunEveryStartSteps(ctx);
    ctx.archive = Database::open(locationOf(archiveBase()), true);
    schema::EnsureStoreSchema(*ctx.archive, schema::Archive);
    if (withCommon) {
        ctx.common = Database::open(locationOf(commonBase()), true);
        schema::EnsureStoreSchema(*ctx.common, schema::Common);
    }
}

} // namespace vm::maint
