#pragma once
// The message pages: the desk's whiteboard WebPages/Messages.htm and each
// member's personal message centre WebPages/MsgCtr<initials>.htm, both in the
// database folder.  Every value written into a page is HTML-escaped; pages
// are written whole (a temporary file renamed) or not at all.

#include "core/AppContext.h"

namespace vm {

struct PageRow {
    QString when; // as kept: "yyyy/MM/dd HH:mm"
    QString sender;
    QString text; // plain text; line breaks kept
};

// The line rows are inserted before.
inline const QString MessageMarker = QStringLiteral("<!-- ~~Message Text~~ --><BR>");
// A new page: UTF-8 declared, titled `title`, an empty table and the marker.
QString MessagePageTemplate(const QString& title);
// Inserts a row before the first marker.
QString InsertPageRow(const QString& html, const PageRow& row);
// The rows of a page, unescaped, in page order.
QList<PageRow> ReadPageRows(const QString& html);
// Splits rows into pages of at most `limit` characters each: page 1 is the
// member's file, page n "<name> - Page n"; each links the next with
// "Go to Page Number n".  Answers (file name, content) pairs.
QList<QPair<QString, QString>> PaginatePages(const QString& baseFile, const QString& title,
                                             const QList<PageRow>& rows, int limit = 53000);

// Removes the `index`-th message row (page order, as ReadPageRows counts);
// the rest of the page is kept as it is.  Answers the page unchanged when
// there is no such row.
QString RemovePageRow(const QString& html, int index);

// The first page's size past which its member is warned, and the page size
// the editor splits the rows into.
inline constexpr int PersonalPageWarnSize = 53000;
inline const QString WhiteboardTitle = QStringLiteral("The Concierge Message Center");

// Writes a page whole or not at all; `error` gets the reason of a failure.
bool WritePageFile(const QString& path, const QString& html, QString* error = nullptr);
// The page's text ("" when it cannot be read).
QString ReadPageFile(const QString& path);

QString WhiteboardFile(const AppContext& ctx);
// The logged-on member's rows over all the pages of the personal centre.
QList<PageRow> ReadPersonalPages(const AppContext& ctx);
// Writes the rows back split into pages and removes pages no longer needed;
// false (after telling the member) when a page could not be written.
bool WritePersonalPages(AppContext& ctx, const QList<PageRow>& rows);
// Creates the whiteboard and the member's page when missing (at logon).
void PreparePersonalPage(AppContext& ctx);
// "Keep": appends the message to the member's page (created when missing).
// Answers true when the first page has grown past 53000 characters.
bool KeepInPersonalCenter(AppContext& ctx, const PageRow& row);
inline const QString MsgPersonalPageTooLong =
    QStringLiteral("ATTENTION:  The first page of your Personal Message Center \r\n"
                   "is approaching its maximum length.  Please edit your \r\n"
                   "Personal Message Center to reduce the size of the first \r\n"
                   "page.  Thank you.");

// Whiteboard editing, on the page as it is on disk at that moment (another
// desk may have changed it since it was shown).  A row is removed by its
// content, never by its place, so a row that moved is still the one removed.
bool AddWhiteboardRow(AppContext& ctx, const PageRow& row);
enum class BoardEdit { Done, NotFound, NotWritten };
BoardEdit RemoveWhiteboardRow(AppContext& ctx, const PageRow& row);

// The whiteboard's viewing log.
void RecordWhiteboardView(AppContext& ctx);
struct WhiteboardViewer {
    QString name;
    QString lastViewed; // stored "yyyy/MM/dd", empty when never
    QString timeViewed; // "HH:mm"
};
QList<WhiteboardViewer> GetWhiteboardUsage(AppContext& ctx);
// Messages every listed member whose last viewing is before today - 2 days
// (or who never viewed it); answers their names.
QStringList SendWhiteboardReminders(AppContext& ctx);
// The reminder's text for a member last seen on the stored day `lastViewed`
// (empty: never).
QString WhiteboardReminderText(const QString& lastViewed);

} // namespace vm
