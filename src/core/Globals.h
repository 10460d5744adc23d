#pragma once
// Property-wide settings copied from the Authorization row and VmSettings at
// start-up; every screen reads these instead of querying again.  A change made
// in the option pages updates both the row and this copy.

#include <QMap>
#include <QString>

namespace vm {

struct GridColors {
    // Fore and back colours per logbook status, plus the search grid's
    // alternating colours (VmSettings keys of the same names).
    QMap<QString, QString> values;
    QString get(const QString& key, const QString& fallback = {}) const {
        return values.value(key, fallback);
    }
};

struct Globals {
    bool newBool01 = false;
    bool commonContacts = false; // FutureB4
    bool commonEvents = false;   // FutureB5
    bool secureContacts = false, secureEvents = false, secureGroups = false;
    bool boolean8 = false;
    bool secureProfiles = false;
    bool useHeadFoot = false, noPrintPreview = false;
    bool security1 = false, security2 = false, security3 = false, security4 = false,
         security5 = false;
    int confirmationStyle = 0;
    bool useLHLogo = false;
    double lhLeftMargin = 0, lhRightMargin = 0, lhTopMargin = 0, lhBottomMargin = 0;
    double cfLeftMargin = 0, cfRightMargin = 0, cfTopMargin = 0, cfBottomMargin = 0;
    double logoLeftMargin = 0, logoRightMargin = 0, logoAspect = 0;
    double logo1LeftMargin = 0, logo1RightMargin = 0, logo1Aspect = 0;
    int passwordDays = 0, logonDays = 0, inactiveMinutes = 0;
    int futureD4 = 3; // failed logons before lock-out; Null or 0 means 3
    double futureD1 = 0, futureD2 = 0, futureD3 = 0;
    QString trueValue = "True", falseValue = "False";
    QString masterComputer;
    QString lhFontName = "Arial";
    int lhFontSize = 10;
    QString propertyName; // MapName: caption of the main window
    QString mapPointKey;
    GridColors gridColors;
};

} // namespace vm
