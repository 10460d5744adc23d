#pragma once
// The catalogue of report routines.  Every printed document of the program is
// a routine registered here by name: it fills a doc::Document from the data
// of the request, and the preview window (output/forms/PrintPreview) shows,
// prints, saves and mails that document.
//
// Adding a report:
//   1. write a function  doc::Document Build...(AppContext&, const PrintRequest&)
//      in the subsystem that owns the data (no widgets needed);
//   2. register it in the subsystem's Register...Reports(ReportCatalogue&),
//      called from InstallModuleHooks (app/forms/Modules.cpp);
//   3. open it with OpenReport(ctx, {routine, title, args}, parent).

#include "output/Document.h"

#include <QHash>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <stdexcept>

namespace vm {

class AppContext;

// The two preview windows: frmPrintObj (lists, grids, detail sheets) and
// frmPrintLH (letters on the property's letterhead).
enum class PreviewWindow { List, Letter };

// What a screen asks to print: the routine, the title of the window and the
// routine's own arguments (ids, dates, the database to read...).  Passed to
// the window, never kept in process-wide texts.
struct PrintRequest {
    QString routine;
    QString title;
    QVariantMap args;
};

// A routine that has nothing to print says so by throwing this; the window
// shows the message instead of an empty page.
class ReportRefused : public std::runtime_error {
public:
    explicit ReportRefused(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

struct ReportRoutine {
    QString name;
    PreviewWindow window = PreviewWindow::List;
    bool rtf = false;   // "Export.rtf" is offered
    bool email = false; // the letter window offers "E-mail" (guest documents)
    QString windowName; // objectName of the window; empty: frmPrintObj / frmPrintLH
    std::function<doc::Document(AppContext&, const PrintRequest&)> build;
};

class ReportCatalogue {
public:
    // A second routine of the same name replaces the first.
    void add(ReportRoutine routine);
    // nullptr when no routine has that name (names compare ignoring case).
    const ReportRoutine* find(const QString& name) const;
    QStringList names() const;

private:
    QHash<QString, ReportRoutine> m_routines; // by lower-case name
};

// "Velmora Print Preview - " + title
QString PreviewCaption(const QString& title);
// The message for a routine name that is not in the catalogue.
QString MsgUnknownReport(const QString& routine);

} // namespace vm
