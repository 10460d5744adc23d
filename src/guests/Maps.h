#pragma once
// Maps from the property to a destination: the property's own address
// ("Create Your Own Map"), the address of the map page the browser opens,
// and the refusal while the property has not been set up.

#include "core/AppContext.h"

#include <QString>
#include <QUrl>

namespace vm {

// The property's map address (settings MapName … MapPostalCode) and the map
// provider (VmSettings MapProvider, MapURL, PropertyID).
struct MapSettings {
    QString name, address, city, state, postalCode;
    QString provider, url, propertyId;
};

MapSettings LoadMapSettings(AppContext& ctx);
// Writes every field; the property name is kept as typed (trimmed).
void SaveMapSettings(AppContext& ctx, const MapSettings& s);

// Whether maps open in the browser ("google", any case) rather than print.
bool MapOpensInBrowser(const MapSettings& s);

// A destination: a contact's or a typed address.
struct MapPlace {
    QString name, address, city, state;
};

// url + "?from=" address,city,state (name) + "&to=" the same of the
// destination + "&ID=" property id; every value percent-encoded, the blank
// before the bracketed name as "%20".
QString BuildMapURL(const MapSettings& s, const MapPlace& to);

// The refusal while MapName is empty; "" when maps may be made.
QString CheckMapSetUp(const MapSettings& s);

inline const QString MsgMapNotSetUp = QStringLiteral(
    "Please enter your mapping information by selecting\r\nthe Administration tab and clicking "
    "the\r\n'Create Your Own Map' button.");
inline const QString MsgOthersMapRight =
    QStringLiteral("You are not authorized to Create Your Own MapPoint Map.");

} // namespace vm
