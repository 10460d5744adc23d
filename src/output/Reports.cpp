#include "output/Reports.h"

namespace vm {

void ReportCatalogue::add(ReportRoutine routine) {
    const QString key = routine.name.toLower();
    m_routines.insert(key, std::move(routine));
}

const ReportRoutine* ReportCatalogue::find(const QString& name) const {
    const auto it = m_routines.constFind(name.toLower());
    return it == m_routines.constEnd() ? nullptr : &it.value();
}

QStringList ReportCatalogue::names() const {
    QStringList out;
    for (const ReportRoutine& r : m_routines)
        out << r.name;
    out.sort(Qt::CaseInsensitive);
    return out;
}

QString PreviewCaption(const QString& title) {
    return "Velmora Print Preview - " + title;
}

QString MsgUnknownReport(const QString& routine) {
    return "There is no report named \"" + routine + "\" in this program.";
}

} // namespace vm
