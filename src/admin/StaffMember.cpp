#include "admin/RightsLayout.h"
#include "admin/StaffEditor.h"
#include "core/DataAccess.h"
#include "core/Staff.h"

#include <QRegularExpression>

namespace vm {

namespace {

QStringList splitGroups(const QString& stored) {
    QStringList out;
    for (const QString& item : stored.split(','))
        if (!item.trimmed().isEmpty()) out << item.trimmed();
    return out;
}

std::optional<StaffRefusal> noCloneSource(AppContext& ctx, qint64 fromId) {
    if (fromId != 0 && GetConciergeInformation(ctx.db(), fromId)) return std::nullopt;
    return StaffRefusal{MsgSelectCloneSource, {}, {}};
}

} // namespace

StaffMember NewStaffMember() {
    StaffMember m;
    for (const RightsRow& r : EditableRightsRows())
        m.rights.insert(r.area, DefaultRights(r.area));
    return m;
}

std::optional<StaffMember> LoadStaffMember(AppContext& ctx, qint64 id) {
    Database& db = ctx.db();
    const std::optional<Row> r = GetConciergeInformation(db, id);
    if (!r) return std::nullopt;
    StaffMember m;
    m.id = id;
    m.name = StoredText(r->text("Concierge"));
    m.initials = StoredText(r->text("Initials"));
    m.logonName = StoredText(r->text("UserProfile"));
    m.jobTitle = StoredText(r->text("JobTitle"));
    m.telephone = StoredText(r->text("Telephone"));
    m.otConciergeId = StoredText(r->text("OTConciergeID"));
    m.email = StoredText(r->text("EmailAddress"));
    m.employeeId = StoredText(r->text("EUserID"));
    m.messageGroups = splitGroups(r->text("MessageGroup"));
    m.hoursShift = StoredText(r->text("HoursShift"));
    m.workSchedule = NormalizedSchedule(r->text("WorkSchedule"));
    m.inactive = r->text("Status").trimmed() == "I";
    m.manager = r->flag("Authorized");
    m.restricted = r->flag("Restricted");
    m.readOnly = r->flag("ReadOnly");
    m.languageOnly = r->flag("LSkillsOnly");
    m.inhibitMsg = r->flag("InhibitMsg");
    m.dniMessages = r->flag("DNIMessages");
    m.allLogs = r->flag("AllLogs");
    m.allRentals = r->flag("AllRentals");

    const std::optional<Row> plus =
        db.queryOne("SELECT * FROM [ConciergePlus] WHERE [ConciergeID] = ?", {id});
    for (const RightsRow& row : EditableRightsRows())
        m.rights.insert(row.area, NormalizedRights(row.area, plus ? plus->text(row.column)
                                                                  : DefaultRights(row.area)));
    m.categories = GetStaffList(ctx, id, StaffList::Categories);
    m.secondCategories = GetStaffList(ctx, id, StaffList::SecondCategories);
    m.languages = GetStaffList(ctx, id, StaffList::Languages);
    return m;
}

QString MessageGroupsText(const QStringList& groups) {
    return groups.join(", ");
}

QString NormalizedSchedule(const QString& stored) {
    QString out = stored.trimmed().left(7);
    for (QChar& c : out)
        if (c != '1') c = '0';
    return out.leftJustified(7, '0');
}

QString StaffTabRefusal(const StaffMember* selected, bool rightsTab) {
    if (!selected) return QStringLiteral("You must select a Staff Member before accessing this tab.");
    if (rightsTab && selected->languageOnly)
        return QStringLiteral("This tab is not available for this Staff Member.");
    return {};
}

void SetAllRights(StaffMember& member, bool allowed) {
    for (const RightsRow& r : EditableRightsRows()) {
        const QString current = member.rights.value(r.area);
        const int length = qMax<int>(current.size(), RightsLength(r.area));
        member.rights.insert(r.area, QString(length, allowed ? '1' : '0'));
    }
}

QStringList GetStaffList(AppContext& ctx, qint64 conciergeId, const QString& kind) {
    QStringList out;
    for (const Row& r : ctx.db().query("SELECT [NoteField] FROM [EvConText] WHERE [EvConKey] = ? "
                                       "AND [EvConType] = ? ORDER BY [Sequence]",
                                       {conciergeId, kind}))
        if (!r.trimmedText(0).isEmpty()) out << r.trimmedText(0);
    return out;
}

void ReplaceStaffList(AppContext& ctx, qint64 conciergeId, const QString& kind,
                      const QStringList& items) {
    // The items are names picked from stored lists (categories, languages):
    // kept as they are stored so look-ups by name keep matching.
    QStringList kept;
    for (const QString& item : items) {
        const QString v = item.trimmed().left(255);
        if (!v.isEmpty() && !kept.contains(v)) kept << v;
    }
    Database& db = ctx.db();
    db.transaction([&] {
        db.exec("DELETE FROM [EvConText] WHERE [EvConKey] = ? AND [EvConType] = ?",
                {conciergeId, kind});
        for (int i = 0; i < kept.size(); ++i)
            db.exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
                    "VALUES (?, ?, ?, ?)",
                    {conciergeId, kind, i + 1, kept.at(i)});
    });
}

std::optional<StaffRefusal> CloneRights(AppContext& ctx, StaffMember& member, qint64 fromId) {
    if (auto refusal = noCloneSource(ctx, fromId)) return refusal;
    const std::optional<Row> plus =
        ctx.db().queryOne("SELECT * FROM [ConciergePlus] WHERE [ConciergeID] = ?", {fromId});
    for (const RightsRow& r : EditableRightsRows())
        member.rights.insert(r.area, NormalizedRights(r.area, plus ? plus->text(r.column)
                                                                   : DefaultRights(r.area)));
    return std::nullopt;
}

std::optional<StaffRefusal> CloneLanguages(AppContext& ctx, StaffMember& member, qint64 fromId) {
    if (auto refusal = noCloneSource(ctx, fromId)) return refusal;
    member.languages = GetStaffList(ctx, fromId, StaffList::Languages);
    return std::nullopt;
}

std::optional<StaffRefusal> CloneCategoryLists(AppContext& ctx, StaffMember& member,
                                               qint64 fromId) {
    if (auto refusal = noCloneSource(ctx, fromId)) return refusal;
    member.categories = GetStaffList(ctx, fromId, StaffList::Categories);
    member.secondCategories = GetStaffList(ctx, fromId, StaffList::SecondCategories);
    return std::nullopt;
}

QString NextEmployeeId(AppContext& ctx) {
    static const QRegularExpression pattern("^[zZ](\\d{4,})$");
    qint64 largest = 0;
    for (const Row& r : ctx.db().query("SELECT [EUserID] FROM [Concierge] WHERE "
                                       "lower([EUserID]) LIKE 'z%'")) {
        const auto match = pattern.match(r.trimmedText(0));
        if (match.hasMatch()) largest = qMax(largest, match.captured(1).toLongLong());
    }
    return "z" + QString::number(largest + 1).rightJustified(4, '0');
}

} // namespace vm
