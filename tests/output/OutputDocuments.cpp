#include "OutputDocuments.h"

namespace vm::test {

namespace {

void HeadingAndFooter(doc::Document& d) {
    d.header = {doc::Para("Concierge Logbook List", doc::Align::Center, true, 14)};
    d.footer = {doc::PageOfPages()};
}

} // namespace

doc::Document GuestList(int rows) {
    doc::Document d;
    d.title = "Logbook List";
    HeadingAndFooter(d);
    doc::Table t;
    t.columns = {{"Guest", 2}, {"Room", 1}, {"Request", 3}};
    t.header = {doc::TableRow{{"Guest", "Room", "Request"}}};
    t.gridLines = true;
    for (int i = 1; i <= rows; ++i) {
        QStringList request;
        for (int line = 0; line <= i % 4; ++line)
            request << "Request " + QString::number(i) + "." + QString::number(line);
        t.rows.append(doc::TableRow{{QString("Guest %1").arg(i, 4, 10, QChar('0')),
                                     QString::number(1000 + i), request.join('\n')}});
    }
    d.body.append(t);
    return d;
}

doc::Document Sections(int pages) {
    doc::Document d;
    d.title = "Sections";
    HeadingAndFooter(d);
    for (int i = 1; i <= pages; ++i) {
        if (i > 1) d.body.append(doc::PageBreak{});
        d.body.append(doc::Para("Section " + QString::number(i)));
    }
    return d;
}

} // namespace vm::test
