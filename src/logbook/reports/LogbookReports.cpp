#include "logbook/reports/LogbookReports.h"

#include "logbook/LogbookCounts.h"

namespace vm {

void RegisterLogbookReports(ReportCatalogue& catalogue) {
    using W = PreviewWindow;
    struct Entry {
        const char* name;
        W window;
        bool rtf, email;
        doc::Document (*build)(AppContext&, const PrintRequest&);
    };
    static const Entry routines[] = {
        {"PrintGuestConfirmation", W::Letter, true, true, &BuildGuestConfirmation},
        {"PrintConfirmationReport", W::List, false, false, &BuildConfirmationReport},
        {"PrintGuestServiceRequest", W::List, true, false, &BuildGuestServiceRequest},
        {"PrintVendorServiceRequest", W::List, true, false, &BuildVendorServiceRequest},
        {"PrintLogbookEntry", W::List, false, false, &BuildLogbookEntry},
        {"PrintLogbookCorrespondence", W::Letter, true, false, &BuildLogbookCorrespondence},
        {"PrintLogbookList", W::List, true, false, &BuildLogbookList},
        {"PrintLogbookMessages", W::List, false, false, &BuildLogbookMessages},
        {"PrintGuestArrivals", W::Letter, false, false, &BuildGuestArrivals},
    };
    for (const Entry& e : routines)
        catalogue.add({QString::fromLatin1(e.name), e.window, e.rtf, e.email, {}, e.build});
}

EntryReport EntryReportFor(const QString& document) {
    static const struct {
        const char* document;
        const char* routine;
        const char* title;
    } map[] = {
        {"Details", "PrintLogbookEntry", "Logbook Details"},
        {"Confirmation", "PrintGuestConfirmation", "Guest Confirmation"},
        {"GuestRequest", "PrintGuestServiceRequest", "Guest Service Request"},
        {"VendorRequest", "PrintVendorServiceRequest", "Guest Vendor Request"},
        {"Correspondence", "PrintLogbookCorrespondence", "Logbook Correspondence"},
        {"CustomForm", "PrintDEForm", "Custom Form"},
    };
    for (const auto& m : map)
        if (document.compare(QLatin1String(m.document), Qt::CaseInsensitive) == 0)
            return {QString::fromLatin1(m.routine), QString::fromLatin1(m.title)};
    return {};
}

int MarkBulkNotified(Database& db, const std::vector<qint64>& logIds, const QString& notifyText) {
    if (notifyText.trimmed().isEmpty() || logIds.empty()) return 0;
    db.transaction([&] {
        for (qint64 id : logIds)
            UpdateBulkNotify(db, id, notifyText.trimmed());
    });
    return int(logIds.size());
}

} // namespace vm
