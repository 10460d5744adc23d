#pragma once
// Printing and e-mailing one logbook entry from the entry screen: the choice
// of document, the checks, the print hook and the e-mailed letter.

#include "logbook/EntryLetter.h"
#include "logbook/forms/LogbookScreenHooks.h"

#include <functional>
#include <optional>

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace vm {

// Shows the document menu at a point and answers the chosen action (QMenu::exec
// when empty; tests choose without a running menu).
using EntryMenuRunner = std::function<QAction*(QMenu& menu, const QPoint& at)>;

// The document menu ("mnuEntryOutput"); each action carries its EntryDocument
// (as int) in data().
QMenu* BuildEntryOutputMenu(QWidget* parent);

// The entry point of imgPrint / imgEmail (all documents, chosen from the menu
// under `anchor`) and of imgCorrespondence / imgDEForm (`only` set: no menu).
void ChooseEntryOutput(AppContext& ctx, const LogbookScreenHooks& hooks, const LogEntry& entry,
                       LogSource source, OutputAction action, QWidget* anchor,
                       std::optional<EntryDocument> only = {},
                       const EntryMenuRunner& execMenu = {});

// Prints or e-mails one document of the entry (read from `source`) after the
// checks.  Answers true when the print hook ran, the mail program took the
// letter (or the custom form) or TempMail.txt was opened.
bool PerformEntryOutput(AppContext& ctx, const LogbookScreenHooks& hooks, const LogEntry& entry,
                        LogSource source, OutputAction action, EntryDocument d, QWidget* parent);

QString MsgTempMailNotWritten(const QString& folder);
QString MsgTempMailNotOpened(const QString& path);

} // namespace vm
