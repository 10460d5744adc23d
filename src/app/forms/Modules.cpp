#include "app/forms/Modules.h"

#include "admin/forms/QueryMasterModule.h"
#include "admin/forms/StaffModule.h"
#include "app/forms/frmSearch.h"
#include "bookings/forms/OnlineTablesModule.h"
#include "bookings/forms/ReservationsModule.h"
#include "bookings/reports/ReservationReports.h"
#include "bookings/forms/TimedServicesModule.h"
#include "bookings/reports/TimedServiceReports.h"
#include "desk/Messages.h"
#include "desk/forms/MessageAdminModule.h"
#include "desk/forms/MessagingModule.h"
#include "desk/forms/TicklersAndNewsModule.h"
#include "desk/QuickViewer.h"
#include "desk/forms/QuickViewer.h"
#include "desk/reports/QuickViewerReports.h"
#include "guests/forms/ContactModule.h"
#include "guests/forms/ContactsPageModule.h"
#include "guests/forms/EventsModule.h"
#include "guests/forms/GroupsModule.h"
#include "guests/forms/ItineraryModule.h"
#include "guests/forms/ListsModule.h"
#include "guests/forms/ProfileIndicatorsModule.h"
#include "guests/forms/ProfileRecordModule.h"
#include "guests/forms/ProfilesPageModule.h"
#include "guests/reports/ContactListReports.h"
#include "guests/reports/ContactReports.h"
#include "guests/reports/EventReports.h"
#include "guests/reports/GroupReports.h"
#include "guests/reports/ItineraryReports.h"
#include "guests/reports/ProfileLetterReports.h"
#include "guests/reports/ProfileListReports.h"
#include "guests/reports/ProfileReports.h"
#include "interfaces/forms/InterfacesModule.h"
#include "interfaces/forms/LimoModule.h"
#include "logbook/CustomFormReport.h"
#include "logbook/ReportWriterOutput.h"
#include "logbook/forms/LogbookModule.h"
#include "logbook/reports/LogbookReports.h"
#include "output/forms/ExportModule.h"
#include "operations/forms/KeyControlModule.h"
#include "operations/reports/KeyControlReports.h"
#include "operations/forms/RentalsModule.h"
#include "operations/reports/RentalReports.h"
#include "operations/forms/LostFoundModule.h"
#include "operations/reports/LostFoundReports.h"
#include "security/forms/SecurityModule.h"

namespace vm {

void InstallModuleHooks(AppContext& ctx) {
    InstallSecurityHooks(ctx);
    InstallQuickViewerHooks(ctx);
    RegisterReportWriterReports(ctx.reports);
    RegisterCustomFormReports(ctx.reports);
    RegisterLogbookReports(ctx.reports);
    RegisterContactReports(ctx.reports);
    RegisterEventReports(ctx.reports);
    RegisterGroupReports(ctx.reports);
    RegisterContactListReports(ctx.reports);
    RegisterProfileListReports(ctx.reports);
    RegisterProfileReports(ctx.reports);
    RegisterProfileLetterReports(ctx.reports);
    RegisterItineraryReports(ctx.reports);
    RegisterQuickViewerReports(ctx.reports);
    RegisterReservationReports(ctx.reports);
    RegisterTimedServiceReports(ctx.reports);
    RegisterKeyControlReports(ctx.reports);
    RegisterRentalReports(ctx.reports);
    RegisterLostFoundReports(ctx.reports);
    InstallMessagesStore(ctx);
}

void InstallModules(AppContext& ctx, frmSearch& window) {
    // One line per subsystem, in the order their pages should appear.
    InstallSecurity(ctx, window);
    InstallLogbook(ctx, window);
    InstallProfileRecord(ctx, window); // after the logbook: fills its entry screen's hooks
    InstallItinerary(ctx, window);     // after the logbook: fills its screens' itinerary hooks
    InstallContactRecord(ctx, window);
    InstallContactsPage(ctx, window); // after the logbook: fills its entry screen's hooks
    InstallLimoDispatch(ctx, window); // after the logbook: fills its entry screen's hooks
    InstallContactLists(ctx, window);
    InstallProfileIndicators(ctx, window);
    InstallEvents(ctx, window);
    InstallGroups(ctx, window);
    InstallProfilesPage(ctx, window);
    InstallMessageAdmin(ctx, window);
    InstallMessaging(ctx, window); // after the logbook: fills its entry screen's message hook
    InstallTicklersAndNews(ctx, window); // after the logbook: fills its screens' tickler hooks
    InstallQuickViewer(ctx, window);
    InstallReservations(ctx, window);
    InstallTimedServices(ctx, window);
    InstallOnlineTables(ctx, window); // after the logbook: fills its entry screen's reservation hooks
    InstallExports(ctx, window);
    InstallKeyControl(ctx, window);
    InstallRentals(ctx, window);
    InstallLostAndFound(ctx, window);
    InstallInterfaces(ctx, window);
    InstallQueryMaster(ctx, window);
    InstallStaffEditor(ctx, window);
}

} // namespace vm
