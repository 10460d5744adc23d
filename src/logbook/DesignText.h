#pragma once
// A category's data-entry design structures the text of its entries: each
// designed line is the label, one separating character, the value and CRLF.
// Fields are found again by their label, so these functions are the only
// place that reads or writes those lines.

#include "logbook/Categories.h"

#include <QString>
#include <QStringMatcher>
#include <QStringList>
#include <vector>

namespace vm {

// What a label whose line has no line end reads as.
inline const QString DamagedDesignValue = QStringLiteral("** Damaged Data");

// The value after `label` in a stored text (CRLF line ends), the label found
// regardless of case: from one character after the label to the next CRLF.
// Empty when the label is not in the text; DamagedDesignValue when no line
// end follows it.
QString ReadDesignValue(const QString& text, const QString& label);

// ReadDesignValue for one label over many texts (an export): the label's
// search is prepared once.
class DesignValueReader {
public:
    explicit DesignValueReader(const QString& label);
    QString read(const QString& text) const;

private:
    QStringMatcher m_label;
};

// Where the free text after the designed lines starts: just after the line
// end of the designed line found last in the text (the text's end for a line
// cut short); 0 when no label is in the text.
qsizetype DesignLinesEnd(const QString& text, const QStringList& labels);

// The values of every designed line, in the order of `items`.
QStringList ReadDesignValues(const QString& text, const std::vector<DesignItem>& items);

// Writes `values` (in the order of `items`) into a stored text.  A line whose
// label is in the text has its value replaced (a line cut short by a missing
// line end gets one); a line that is missing is added after the designed
// lines already there, or at the top of a text that has none.  A text without
// designed lines stays as it is while every value is empty.  A null value
// (or a missing one) leaves its line untouched.  Line breaks in a value would
// split its line and are turned into blanks.
QString WriteDesignValues(const QString& text, const std::vector<DesignItem>& items,
                          const QStringList& values);

// The text a fresh entry of the design starts with: every line, values as given.
QString DesignLinesOnly(const std::vector<DesignItem>& items, const QStringList& values);

// Characters a numbers-only design line accepts besides the digits: . - / : ,
// the dollar sign and the currency sign of the workstation's locale.
bool IsNumberFieldCharacter(QChar c, const QString& currencySign);
// The eight-line refusal shown for any other key.
QString NumberFieldMessage(const QString& currencySign);

} // namespace vm
