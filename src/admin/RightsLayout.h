#pragma once
// What each character of the rights strings stands for, so the staff editor
// can show one row of labelled check boxes per string.  The positions follow
// the constants of core/Rights.h; a position nobody checks yet is captioned
// "Position n (not used)".

#include "core/Rights.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vm {

struct RightsRow {
    RightsArea area;
    QString column;       // ConciergePlus column
    QString title;        // the row's caption on the screen
    QStringList captions; // one per position, position 1 first
};

// The strings the editor shows and saves, in screen order (Future1 is kept
// as stored and not shown).
const QList<RightsRow>& EditableRightsRows();
const RightsRow* FindRightsRow(RightsArea area);

// Number of positions the editor shows for the area (the length of its
// default string).
int RightsLength(RightsArea area);
QString RightCaption(RightsArea area, int position);

// A stored string brought to the area's length: missing positions are "0",
// anything but "1" is "0"; characters beyond the length are kept.
QString NormalizedRights(RightsArea area, const QString& stored);

} // namespace vm
