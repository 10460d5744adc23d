#pragma once
// The desktop around the program: documents and addresses opened with the
// programs the user chose for them, the file dialogs, helper programs started
// beside this one.  Start-up installs the real desktop; tests install a
// recording one, so no test ever opens another program's window.

#include <QString>
#include <QStringList>
#include <QUrl>

namespace vm {

class Desktop {
public:
    virtual ~Desktop() = default;

    // Opens a web or mail address, or a local file, with the program the
    // desktop associates with it; false when nothing took it.
    virtual bool openUrl(const QUrl& url) = 0;
    bool openFile(const QString& path) { return openUrl(QUrl::fromLocalFile(path)); }

    // The file dialogs, starting at `startAt` (a folder or a file); the chosen
    // path, or "" when the user cancelled.  `filter` as "Name (*.ext)".  The
    // save dialog does not ask about an existing file: the caller asks in its
    // own words.
    virtual QString chooseOpenFile(const QString& title, const QString& startAt,
                                   const QString& filter = {}) = 0;
    virtual QString chooseSaveFile(const QString& title, const QString& startAt,
                                   const QString& filter = {}) = 0;

    // Starts a program without waiting for it; false when it did not start.
    // Only for programs the installation puts in place, or that the user has
    // just confirmed: never a path read from the database unasked.
    virtual bool startDetached(const QString& program, const QStringList& arguments = {}) = 0;
    // Runs a helper program of the installation and waits for it to end, the
    // windows still painting; answers its exit code, or -1 when it did not
    // start or did not end normally.  A desktop that starts nothing answers -1.
    virtual int runAndWait(const QString& program, const QStringList& arguments = {}) {
        (void)program;
        (void)arguments;
        return -1;
    }
};

// No desktop (a context nobody gave one): nothing opens or starts, every file
// choice is cancelled.
class NoDesktop : public Desktop {
public:
    bool openUrl(const QUrl&) override { return false; }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
    bool startDetached(const QString&, const QStringList&) override { return false; }
};

// Whether opening this local file would run it as a program rather than show
// it as a document: an executable file, or a name the Windows shell runs
// (.exe, .bat, .lnk and the like).  Folders are not programs.
bool IsProgramFile(const QString& path);

// A helper program the installation puts beside this one: `name` in `folder`
// (with ".exe" where the helper was built for Windows); "" when neither is there.
QString HelperProgramPath(const QString& folder, const QString& name);

} // namespace vm
