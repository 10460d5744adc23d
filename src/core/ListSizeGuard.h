#pragma once
// The search pages' result lists: the count line under a grid, and the guard
// that counts a request for everything before listing it (refused above the
// upper limit, a Yes/No question above the lower one).

#include <QString>

namespace vm {

class Prompt;

// " 0 Entries were selected." or "1,234 Entries were selected".
QString CountCaption(qint64 count);

struct ListSizeGuard {
    // What the rows are, after the count: " entries in the Contact List".
    const char* phrase;
    qint64 refuseAbove;
    qint64 askAbove;

    QString tooManyMessage(qint64 count) const;
    // A phrase ending in " List" moves that word to the next line of the
    // question (" entries in the Contact" / " List meeting ...").
    QString listThemAllQuestion(qint64 count) const;
    // True when `count` rows may be listed: refuses with the message above
    // the upper limit, asks above the lower one.  Call it with no read open:
    // the member may take a while to answer.
    bool allows(Prompt& prompt, qint64 count) const;
};

inline constexpr ListSizeGuard ContactListGuard{" entries in the Contact List", 2000, 1000};
inline constexpr ListSizeGuard EventListGuard{" entries in the Event List", 2000, 1000};
inline constexpr ListSizeGuard LogbookListGuard{" entries in the Logbook", 1000, 500};
inline constexpr ListSizeGuard ProfileListGuard{" entries in the Profile List", 1000, 500};

} // namespace vm
