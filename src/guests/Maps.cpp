#include "guests/Maps.h"

#include "core/Settings.h"

namespace vm {

namespace {

QString Encoded(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value.trimmed()));
}

QString PlaceText(const MapPlace& p) {
    return Encoded(p.address) + "," + Encoded(p.city) + "," + Encoded(p.state) + "%20(" +
           Encoded(p.name) + ")";
}

} // namespace

MapSettings LoadMapSettings(AppContext& ctx) {
    Database& db = ctx.db();
    MapSettings s;
    s.name = GetTextSetting(db, "MapName").trimmed();
    s.address = GetTextSetting(db, "MapAddress").trimmed();
    s.city = GetTextSetting(db, "MapCity").trimmed();
    s.state = GetTextSetting(db, "MapState").trimmed();
    s.postalCode = GetTextSetting(db, "MapPostalCode").trimmed();
    s.provider = GetVmSetting(db, "MapProvider").trimmed();
    s.url = GetVmSetting(db, "MapURL").trimmed();
    s.propertyId = GetVmSetting(db, "PropertyID").trimmed();
    return s;
}

void SaveMapSettings(AppContext& ctx, const MapSettings& s) {
    Database& db = ctx.db();
    db.transaction([&] {
        SetTextSetting(db, "MapName", s.name.trimmed());
        SetTextSetting(db, "MapAddress", s.address.trimmed());
        SetTextSetting(db, "MapCity", s.city.trimmed());
        SetTextSetting(db, "MapState", s.state.trimmed());
        SetTextSetting(db, "MapPostalCode", s.postalCode.trimmed());
        SetValueFromKey(db, "MapProvider", s.provider.trimmed());
        SetValueFromKey(db, "MapURL", s.url.trimmed());
        SetValueFromKey(db, "PropertyID", s.propertyId.trimmed());
    });
}

bool MapOpensInBrowser(const MapSettings& s) {
    return s.provider.trimmed().compare("google", Qt::CaseInsensitive) == 0;
}

QString BuildMapURL(const MapSettings& s, const MapPlace& to) {
    const MapPlace from{s.name, s.address, s.city, s.state};
    return s.url.trimmed() + "?from=" + PlaceText(from) + "&to=" + PlaceText(to) +
           "&ID=" + Encoded(s.propertyId);
}

QString CheckMapSetUp(const MapSettings& s) {
    return s.name.trimmed().isEmpty() ? MsgMapNotSetUp : QString();
}

} // namespace vm
