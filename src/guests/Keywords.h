#pragma once
// The keyword list (table Keyword) from which contacts' keyword sets are
// composed, and the rewrite of those sets when a keyword is replaced.  A
// contact's KeywordSet holds its keywords joined by ", ".  Keywords live
// with the contacts, in the common database when contacts are shared.

#include "core/AppContext.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace vm {

struct KeywordRow {
    qint64 id = 0; // KeywordID
    QString keyword;
};

inline const QString MsgBlankKeyword = QStringLiteral("Cannot Add a Blank Keyword.");
inline const QString MsgKeywordExists =
    QStringLiteral("The Keyword already exists in the list of available Categories.");
inline const QString MsgBlankReplaceKeyword =
    QStringLiteral("Cannot Replace a Blank Contact Keyword.");
inline const QString MsgKeywordUnknown =
    QStringLiteral("The Search Keyword does not exist\r\nin the list of available keywords.");
inline const QString MsgSelectKeywordToDelete =
    QStringLiteral("Please select the Keyword you wish to delete.");
inline const QString MsgDeleteKeyword = QStringLiteral(
    "Press <Yes> to DELETE this Keyword.\r\nPress <No> if you DO NOT wish to delete.");

// Every keyword, by keyword.
QStringList GetAllKeywords(AppContext& ctx);
std::vector<KeywordRow> GetMntKeywords(AppContext& ctx);

// The items of a keyword set: split at commas, trimmed, empty items dropped.
QStringList KeywordItems(const QString& keywordSet);
// The set with every item equal to `from` (without case) replaced by `to`,
// and no item twice; items joined by ", ".
QString RewriteKeywordSet(const QString& keywordSet, const QString& from, const QString& to);

// Each answers "" when done, otherwise the refusal to show (nothing written).
QString InsertKeyword(AppContext& ctx, const QString& keyword);
// Renames the keyword and rewrites every contact's set that holds it, in one
// transaction.  A new name already in the list merges the two: the old row
// goes and the sets name the keyword once.  `rewritten` receives the number
// of contacts whose set changed.
QString ReplaceKeyword(AppContext& ctx, const QString& keyword, const QString& replaceWith,
                       int* rewritten = nullptr);
// Contacts whose set holds the keyword as a whole item.
int CountKeywordUse(AppContext& ctx, const QString& keyword);
// Deletes the keyword unless a contact holds it; answers how many do (0 =
// deleted, or there was no such keyword).
int DeleteKeyword(AppContext& ctx, qint64 keywordId);

} // namespace vm
