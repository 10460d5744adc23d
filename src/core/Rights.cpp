#include "core/Rights.h"

namespace vm {

namespace {
struct AreaInfo {
    RightsArea area;
    const char* column;
    const char* defaults;
};

const AreaInfo areas[] = {
    {RightsArea::Tabs, "Tabs", "11111101"},
    {RightsArea::Globals, "Globals", "11110000000000000000"},
    {RightsArea::Contacts, "Contacts", "111111111111100"},
    {RightsArea::Events, "Events", "1111111110"},
    {RightsArea::Logbook, "Logbook", "11111111111111111000"},
    {RightsArea::Messages, "Messages", "1"},
    {RightsArea::Others, "Others", "1111111111111101111011100"},
    {RightsArea::Profiles, "Profiles", "111111111011100"},
    {RightsArea::Administration, "Administration", "000000000000000"},
    {RightsArea::Maintenance, "Maintenance", "11111111"},
    {RightsArea::Future1, "Future1", "000000000000000000000000000000"},
    {RightsArea::AddOns, "AddOns", "000000000000000000000000000000"},
};

const AreaInfo& info(RightsArea a) {
    for (const AreaInfo& i : areas)
        if (i.area == a) return i;
    return areas[0];
}
} // namespace

QString RightsColumn(RightsArea area) {
    return info(area).column;
}

QString DefaultRights(RightsArea area) {
    return info(area).defaults;
}

QString ManagerRights(RightsArea area) {
    // A manager may do everything the areas offer.
    const QString d = DefaultRights(area);
    if (area == RightsArea::Future1 || area == RightsArea::AddOns) return d;
    return QString(d.size(), '1');
}

QString RestrictedRights(RightsArea area) {
    // A restricted member keeps the desk's daily work but no administration,
    // maintenance or administration tab.
    if (area == RightsArea::Administration || area == RightsArea::Maintenance)
        return QString(DefaultRights(area).size(), '0');
    if (area == RightsArea::Tabs) return SetRightChar(DefaultRights(area), 7, false);
    return DefaultRights(area);
}

const QList<RightsArea>& AllRightsAreas() {
    static const QList<RightsArea> all = [] {
        QList<RightsArea> l;
        for (const AreaInfo& i : areas)
            l << i.area;
        return l;
    }();
    return all;
}

bool HasRight(const QString& rights, int position) {
    return position >= 1 && position <= rights.size() && rights.at(position - 1) == '1';
}

QString SetRightChar(QString rights, int position, bool allowed) {
    if (position < 1) return rights;
    while (rights.size() < position)
        rights += '0';
    rights[position - 1] = allowed ? '1' : '0';
    return rights;
}

bool HasRight(Database& db, qint64 conciergeId, const Right& right) {
    const QVariant v =
        db.scalar("SELECT [" + RightsColumn(right.area) +
                      "] AS szTestString FROM [ConciergePlus] WHERE [ConciergeID] = ?",
                  {conciergeId});
    return v.isValid() && HasRight(v.toString(), right.position);
}

} // namespace vm
