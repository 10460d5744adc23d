#pragma once
// A demonstration property in a folder of its own: its SQLite files, its own
// location file (with its own card key template) and its own registry and
// settings files all live in that folder, so the user's location file and
// default database are neither read nor written.

#include "core/AppContext.h"
#include "demo/PropertyGenerator.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace vm::demo {

// "--demo FOLDER" among the program's arguments: FOLDER; "" when there is no
// "--demo"; nullopt when "--demo" names no folder.
std::optional<QString> DemoFolderArgument(const QStringList& arguments);

// The workstation of a demonstration in `folder`: the real one, with its
// configuration and per-user data folders moved into `folder`.
Workstation DemoWorkstation(const Workstation& real, const QString& folder);

// The demonstration's location file.
QString DemoLocationFile(const QString& folder);

enum class DemoFolderState {
    Empty,   // no property yet: one is generated
    Ready,   // a demonstration property made here earlier
    NotADemo // a property that this program did not generate as a demonstration
};
DemoFolderState InspectDemoFolder(const QString& folder);

struct DemoPreparation {
    bool ok = false;
    bool generated = false; // false: the property was there already
    QString error;          // why not, when !ok
};

// Makes `folder` (and its location file) when missing and generates the Demo
// property there when the folder holds none; `ctx` must have been built on
// DemoWorkstation(…, folder).  The property is written in a scratch folder
// beside and moved into place when complete, so an interrupted run leaves no
// half property behind.  The databases are closed again on return.
DemoPreparation PrepareDemoFolder(AppContext& ctx, const QString& folder,
                                  const GeneratorProgress& progress = {});

// The logons of the demonstration staff, one per line, for the terminal.
QString DemoLogonText(const PropertySize& size = PropertySize::Demo());

} // namespace vm::demo
