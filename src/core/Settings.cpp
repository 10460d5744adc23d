#include "core/Settings.h"

#include "core/DataAccess.h"

#include <QHash>

namespace vm {

namespace {

using Map = QHash<QString, QString>;

// Keys are lower-cased logical names: look-ups ignore case like the original.
Map lowerKeys(std::initializer_list<std::pair<const char*, const char*>> pairs) {
    Map m;
    for (const auto& [k, v] : pairs)
        m.insert(QString(k).toLower(), v);
    return m;
}

const Map& booleanMap() {
    static const Map m = lowerKeys({
        {"BulkPrint", "FutureB1"},
        {"CommonContacts", "FutureB4"},
        {"CommonEvents", "FutureB5"},
        {"CrossStreets", "FutureB2"},
        {"DoNotSyncRefDate", "FutureB24"},
        {"EnhancedEncryption", "NewBool08"},
        {"GuestDisabled", "DisableGuest"},
        {"GuestPrintAbility", "NewBool02"},
        {"HideCA", "FutureB25"},
        {"HideCN", "Boolean3"},
        {"HideCD", "Boolean4"},
        {"HideEN", "Boolean5"},
        {"ImportP", "Boolean6"},
        {"IsResidential", "NewBool07"},
        {"KeyControlEnabled", "FutureB19"},
        {"LostAndFoundEnabled", "NewBool09"},
        {"MsgCtrControl", "SecureMsgCtr"},
        {"ResortClubProperty", "NewBool06"},
        {"NoCreditCards", "NewBool03"},
        {"NoLUE", "Boolean7"},
        {"NoMailMsg", "ContactSubscriber"},
        {"NoMessaging", "FutureB3"},
        {"NoPrintPreview", "FutureB7"},
        {"OpenTable", "FutureB17"},
        {"PMSSalutation", "PMSSalutation"},
        {"PMSSchedule", "PMSSchedule"},
        {"PrintCheckIn", "FutureB15"},
        {"PrintCheckOut", "FutureB14"},
        {"PrintLogID", "Boolean9"},
        {"PrintMasterID", "FutureB11"},
        {"PrintRoom", "Boolean2"},
        {"PrintRoomItin", "NewBool04"},
        {"PrintRmNO", "FutureB18"},
        {"PrintTeam", "PrintTeam"},
        {"ProperCaseName", "NewBool05"},
        {"Rental", "EventSubscriber"},
        {"SecureNotifys", "FutureB9"},
        {"ShowReport", "Boolean1"},
        {"SignatureSpacing", "FutureB23"},
        {"StartWithToday", "FutureB13"},
        {"StartWithTodayAll", "FutureB21"},
        {"TimedServicesEnabled", "NewBool10"},
        {"TimeSegments", "FutureB10"},
        {"UnNotifiedOnly", "FutureB8"},
        {"UseGuestID", "FutureB16"},
        {"UseGuestIDMand", "FutureB22"},
        {"UseHeadFoot", "FutureB6"},
        {"UseLHLogo", "UseLHLogo"},
        {"WebSiteInterface", "FutureB20"},
        {"Whiteboard", "ReplaceWB"},
        {"Yesterday", "FutureB12"},
    });
    return m;
}

const Map& textMap() {
    static const Map m = lowerKeys({
        {"BulkPrintNotify", "FutureT2"},
        {"ColorCancel", "CancelColor"},
        {"ColorComplete", "CompleteColor"},
        {"ColorIncomplete", "IncompleteColor"},
        {"ColorOnHold", "OnHoldColor"},
        {"ColorPending", "PendingColor"},
        {"ColorProfile", "ProfileColor"},
        {"ConfirmationText1", "ConfirmationLine1"},
        {"ConfirmationText2", "ConfirmationLine2"},
        {"ConfirmationText3", "ConfirmationLine3"},
        {"CommonContacts", "ContactsLocation"},
        {"DefaultAreaCode", "DefaultAreaCode"},
        {"DefaultCountry", "FutureT3"},
        {"ImportFileName", "FutureT1"},
        {"ImportResortClubName", "FutureT4"},
        {"MapAddress", "MapAddress"},
        {"MapCity", "MapCity"},
        {"MapName", "MapName"},
        {"MapPostalCode", "MapPostalCode"},
        {"MapState", "MapState"},
        {"CorvellaEmail1", "FutureT11"},
        {"CorvellaEmail2", "FutureT12"},
        {"QuentaCode", "FutureT5"},
        {"MasterComputer", "MasterComputer"},
        {"MatchDefault", "FutureT10"},
        {"MatchDisposition", "FutureT6"},
        {"MetroArea", "OTMetroName"},
        {"OTCategory", "OTCategory"},
        {"OTConfirmation", "OTConfirmation"},
        {"OTName", "OTName"},
        {"OTNotes", "OTNotes"},
        {"OTNumber", "OTNumber"},
        {"OTPhone", "OTPhone"},
        {"OTTime", "OTTime"},
        {"PMSDateType", "PMSDateType"},
        {"RentConf1", "RentConf1"},
        {"RentConf2", "RentConf2"},
        {"Tickler", "FutureT7"},
        {"Valediction", "Valediction"},
        {"MapPointKey", "FutureT8"},
        {"MapPointDataPath", "FutureT9"},
    });
    return m;
}

const Map& doubleMap() {
    static const Map m = lowerKeys({
        {"DBUpdateLevel", "DBUpdateLevel"},
        {"OTAreaID", "OTAreaID"},
        {"OTHotelID", "OTHotelID"},
        {"LogoAspect", "LogoAspect"},
        {"Logo1Aspect", "Logo1Aspect"},
        {"LogoLeftMargin", "LogoLeftMargin"},
        {"Logo1LeftMargin", "Logo1LeftMargin"},
        {"LogoRightMargin", "LogoRightMargin"},
        {"Logo1RightMargin", "Logo1RightMargin"},
    });
    return m;
}

const Map& integerMap() {
    static const Map m =
        lowerKeys({{"EventStyle", "EventStyle"}, {"ResendInterval", "ResendInterval"}});
    return m;
}

std::optional<QString> lookup(const Map& m, const QString& name) {
    auto it = m.find(name.toLower());
    if (it == m.end()) return std::nullopt;
    return *it;
}

template <typename T>
T readSetting(Database& db, const Map& m, const QString& name, const char* alias, Prompt* prompt,
              const char* procedure, T fallback, T (*convert)(const QVariant&)) {
    const auto column = lookup(m, name);
    if (!column) return fallback;
    try {
        const QVariant v =
            db.scalar("SELECT [" + *column + "] AS " + alias + " FROM [Authorization]");
        return (!v.isValid() || v.isNull()) ? fallback : convert(v);
    } catch (const DbError& e) {
        if (prompt) ReportError(*prompt, e, procedure, "modWhereDB");
        return fallback;
    }
}

bool toFlag(const QVariant& v) {
    if (v.typeId() == QMetaType::QString)
        return v.toString().compare("true", Qt::CaseInsensitive) == 0 || v.toString() == "1";
    return v.toLongLong() != 0;
}

} // namespace

std::optional<QString> BooleanSettingColumn(const QString& n) {
    return lookup(booleanMap(), n);
}
std::optional<QString> TextSettingColumn(const QString& n) {
    return lookup(textMap(), n);
}
std::optional<QString> DoubleSettingColumn(const QString& n) {
    return lookup(doubleMap(), n);
}
std::optional<QString> IntegerSettingColumn(const QString& n) {
    return lookup(integerMap(), n);
}

bool GetBooleanSetting(Database& db, const QString& name, Prompt* prompt) {
    return readSetting<bool>(db, booleanMap(), name, "BooleanValue", prompt, "GetBooleanSetting",
                             false, toFlag);
}

QString GetTextSetting(Database& db, const QString& name, Prompt* prompt) {
    return readSetting<QString>(db, textMap(), name, "StringValue", prompt, "GetTextSetting", {},
                                [](const QVariant& v) { return v.toString(); });
}

double GetDoubleSetting(Database& db, const QString& name, Prompt* prompt) {
    return readSetting<double>(db, doubleMap(), name, "DoubleValue", prompt, "GetDoubleSetting",
                               0.0, [](const QVariant& v) { return v.toDouble(); });
}

int GetIntegerSetting(Database& db, const QString& name, Prompt* prompt) {
    return readSetting<int>(db, integerMap(), name, "IntegerValue", prompt, "GetIntegerSetting", 0,
                            [](const QVariant& v) { return v.toInt(); });
}

bool SetBooleanSetting(Database& db, const QString& name, bool value) {
    const auto column = BooleanSettingColumn(name);
    if (!column) return false;
    db.exec("UPDATE [Authorization] SET [" + *column + "] = ?", {value});
    return true;
}

bool SetTextSetting(Database& db, const QString& name, const QString& value) {
    const auto column = TextSettingColumn(name);
    if (!column) return false;
    db.exec("UPDATE [Authorization] SET [" + *column + "] = ?", {value});
    return true;
}

QString GetVmSetting(Database& db, const QString& key, const QString& defaultValue) {
    try {
        auto row = db.queryOne("SELECT [Value] FROM [VmSettings] WHERE [Key] = ?", {key});
        return row ? row->text("Value") : defaultValue;
    } catch (const DbError&) {
        // The keyed read failed: scan the whole table instead.
        try {
            for (const Row& r : db.query("SELECT * FROM [VmSettings]"))
                if (r.text("Key").compare(key, Qt::CaseInsensitive) == 0) return r.text("Value");
        } catch (const DbError&) {
        }
        return defaultValue;
    }
}

void SetValueFromKey(Database& db, const QString& key, const QString& value, Prompt* prompt) {
    try {
        db.transaction([&] {
            if (db.exec("UPDATE [VmSettings] SET [Value] = ? WHERE [Key] = ?", {value, key}) == 0)
                db.exec("INSERT INTO [VmSettings] ([Key], [Value]) VALUES (?, ?)", {key, value});
        });
    } catch (const DbError& e) {
        if (!prompt) throw;
        prompt->message("Error " + QString::number(e.number()) + " (Line 1)" + CRLF + "(" +
                            e.description() + ")" + CRLF +
                            "Procedure: SetValueFromKey of Module modWhereDB",
                        {}, Icon::Exclamation);
    }
}

QString GetSqlValueString(Database& db, const QString& name) {
    const QVariant v =
        db.scalar("SELECT [StringValue] FROM [GlobalString] WHERE [StringName] = ?", {name});
    return (v.isValid() && !v.isNull()) ? v.toString() : QString();
}

void SetValueString(Database& db, const QString& name, const QString& value) {
    db.transaction([&] {
        const QVariant id =
            db.scalar("SELECT [GlobalStringID] FROM [GlobalString] WHERE [StringName] = ?", {name});
        if (!id.isValid())
            db.exec("INSERT INTO [GlobalString] ([StringName], [StringValue]) VALUES (?, ?)",
                    {name, value});
        else
            db.exec("UPDATE [GlobalString] SET [StringValue] = ? WHERE [GlobalStringID] = ?",
                    {value, id});
    });
}

const QList<QPair<QString, QString>>& GridColorDefaults() {
    // Windows colour values (red in the low byte), as a property without
    // stored colours has always seen them: black complete, red incomplete,
    // blue pending, grey cancelled, purple on hold, green for all others.
    static const QList<QPair<QString, QString>> d = {
        {"CompleteForeColor", "1"},          {"CompleteBackColor", "16777215"},
        {"IncompleteForeColor", "255"},      {"IncompleteBackColor", "16777215"},
        {"PendingForeColor", "16711680"},    {"PendingBackColor", "16777215"},
        {"CancelledForeColor", "12632256"},  {"CancelledBackColor", "16777215"},
        {"OnHoldForeColor", "8388736"},      {"OnHoldBackColor", "16777215"},
        {"AllOthersForeColor", "32768"},     {"AllOthersBackColor", "16777215"},
        {"GridSearchAltColor1", "12648447"}, {"GridSearchAltColor2", "16777215"},
        {"UseGridAltColor", "True"},
    };
    return d;
}

void LoadGlobals(AppContext& ctx) {
    Database& db = ctx.db();
    auto row = db.queryOne("SELECT * FROM [Authorization]");
    if (!row) throw DbError(DbErrorNumber::General, "The settings row of the database is missing.");
    const Row& a = *row;
    Globals& g = ctx.globals;
    g.newBool01 = a.flag("NewBool01");
    g.commonContacts = a.flag("FutureB4");
    g.commonEvents = a.flag("FutureB5");
    g.secureContacts = a.flag("SecureContacts");
    g.secureEvents = a.flag("SecureEvents");
    g.secureGroups = a.flag("SecureGroups");
    g.boolean8 = a.flag("Boolean8");
    g.secureProfiles = a.flag("SecureProfiles");
    g.useHeadFoot = GetBooleanSetting(db, "UseHeadFoot");
    g.noPrintPreview = GetBooleanSetting(db, "NoPrintPreview");
    g.security1 = a.flag("Security1");
    g.security2 = a.flag("Security2");
    g.security3 = a.flag("Security3");
    g.security4 = a.flag("Security4");
    g.security5 = a.flag("Security5");
    g.confirmationStyle = int(a.number("ConfirmationStyle"));
    g.useLHLogo = a.flag("UseLHLogo");
    g.lhLeftMargin = a.real("LHLeftMargin");
    g.lhRightMargin = a.real("LHRightMargin");
    g.lhTopMargin = a.real("LHTopMargin");
    g.lhBottomMargin = a.real("LHBottomMargin");
    g.cfLeftMargin = a.real("CFLeftMargin");
    g.cfRightMargin = a.real("CFRightMargin");
    g.cfTopMargin = a.real("CFTopMargin");
    g.cfBottomMargin = a.real("CFBottomMargin");
    g.logoLeftMargin = a.real("LogoLeftMargin");
    g.logoRightMargin = a.real("LogoRightMargin");
    g.logoAspect = a.real("LogoAspect");
    g.logo1LeftMargin = a.real("Logo1LeftMargin");
    g.logo1RightMargin = a.real("Logo1RightMargin");
    g.logo1Aspect = a.real("Logo1Aspect");
    g.passwordDays = int(a.number("PasswordDays"));
    g.logonDays = int(a.number("LogonDays"));
    g.inactiveMinutes = int(a.number("InactiveMinutes"));
    g.futureD4 = int(a.number("FutureD4"));
    if (g.futureD4 == 0) g.futureD4 = 3; // Null or 0: three failed logons lock the account
    g.futureD2 = a.real("FutureD2");
    g.futureD3 = a.real("FutureD3");
    g.trueValue = a.text("TrueValue").trimmed().isEmpty() ? "True" : a.text("TrueValue");
    g.falseValue = a.text("FalseValue").trimmed().isEmpty() ? "False" : a.text("FalseValue");
    g.futureD1 = a.real("FutureD1");
    g.masterComputer = a.text("MasterComputer");
    // Letterhead font.
    g.lhFontName =
        a.text("LHFontName").trimmed().isEmpty() ? "Arial" : a.text("LHFontName").trimmed();
    g.lhFontSize = a.real("LHFontSize") > 0 ? int(a.real("LHFontSize")) : 10;
    // Grid colours.
    g.gridColors.values.clear();
    for (const auto& [key, fallback] : GridColorDefaults())
        g.gridColors.values.insert(key, GetVmSetting(db, key, fallback));
    g.mapPointKey = a.text("FutureT8");
    // The property's name: the long text when stored, else the settings row.
    const QString longName =
        db.tableExists("GlobalString") ? GetSqlValueString(db, "MapName") : QString();
    g.propertyName =
        longName.trimmed().isEmpty() ? a.text("MapName").trimmed() : longName.trimmed();
}

} // namespace vm
