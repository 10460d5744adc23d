#pragma once
// Property settings by logical name.  The Authorization row keeps many
// settings under historic column names; the maps in Settings.cpp are the one
// place that knows them.

#include "core/AppContext.h"
#include "platform/Database.h"

#include <optional>

namespace vm {

// Column behind a logical name, or nullopt for a name outside the table.
std::optional<QString> BooleanSettingColumn(const QString& name);
std::optional<QString> TextSettingColumn(const QString& name);
std::optional<QString> DoubleSettingColumn(const QString& name);
std::optional<QString> IntegerSettingColumn(const QString& name);

// A name outside the tables answers the type's default without a query; a
// Null column answers false, "", 0.  Engine errors are shown through `prompt`
// (when given) and answer the default.
bool GetBooleanSetting(Database& db, const QString& name, Prompt* prompt = nullptr);
QString GetTextSetting(Database& db, const QString& name, Prompt* prompt = nullptr);
double GetDoubleSetting(Database& db, const QString& name, Prompt* prompt = nullptr);
int GetIntegerSetting(Database& db, const QString& name, Prompt* prompt = nullptr);
// Writes one logical setting (option pages); answers false for an unknown name.
bool SetBooleanSetting(Database& db, const QString& name, bool value);
bool SetTextSetting(Database& db, const QString& name, const QString& value);

// VmSettings key/value table.
QString GetVmSetting(Database& db, const QString& key, const QString& defaultValue = {});
void SetValueFromKey(Database& db, const QString& key, const QString& value,
                     Prompt* prompt = nullptr);

// GlobalString name/value table (long texts).
QString GetSqlValueString(Database& db, const QString& name);
void SetValueString(Database& db, const QString& name, const QString& value);

// Copies the Authorization row and the grid colours into ctx.globals.
void LoadGlobals(AppContext& ctx);

// The VmSettings keys of the logbook grid colours, with their defaults.
const QList<QPair<QString, QString>>& GridColorDefaults();

} // namespace vm
