#pragma once
// Who and where this workstation is: user and computer names and the folders
// the program uses.  Tests build one on a temporary folder.

#include <QString>

namespace vm {

struct Workstation {
    QString userName; // the operating-system user, lower-cased
    QString computerName;
    QString programFolder;      // folder of the executable, no trailing separator
    QString executableName;     // file name of the executable without extension
    QString userDataFolder;     // per-user data folder, ending in "/" (…/Orvanta/Velmora/)
    QString commonDataFolder;   // all-users data folder, ending in "/"
    QString userConfigFolder;   // where per-user registry values live (…/Orvanta/)
    QString systemConfigFolder; // where machine-wide registry values live

    // The real workstation: environment, QStandardPaths, the running executable.
    static Workstation detect();
    // A workstation whose folders all live under `root` (tests, portable use).
    static Workstation under(const QString& root);

    // Creates the data folders when missing (two levels, Orvanta/Velmora).
    bool ensureFolders() const;
    // The program folder when it can be written, else the per-user data folder.
    QString outputFolder() const;
};

// True when a file can be created in `folder` (creates and deletes Test.txt).
bool CanWriteFolder(const QString& folder);

} // namespace vm
