#include "core/ListSizeGuard.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "platform/Prompt.h"

namespace vm {

QString CountCaption(qint64 count) {
    if (count == 0) return " 0 Entries were selected.";
    return Formats::FormatNumber(double(count), "###,##0") + " Entries were selected";
}

QString ListSizeGuard::tooManyMessage(qint64 count) const {
    return "There are " + QString::number(count) + QString::fromLatin1(phrase) + CRLF +
           " meeting the selection requirements." + CRLF + " Please refine your selection criteria";
}

QString ListSizeGuard::listThemAllQuestion(qint64 count) const {
    QString head = QString::fromLatin1(phrase);
    QString tail = " meeting the selection requirements.";
    if (head.endsWith(" List")) {
        head.chop(5);
        tail.prepend(" List");
    }
    return "There are " + QString::number(count) + head + CRLF + tail + CRLF +
           " Shall we list them all?";
}

bool ListSizeGuard::allows(Prompt& prompt, qint64 count) const {
    if (count > refuseAbove) {
        prompt.message(tooManyMessage(count));
        return false;
    }
    return count <= askAbove || prompt.ask(listThemAllQuestion(count)) == Answer::Yes;
}

} // namespace vm
