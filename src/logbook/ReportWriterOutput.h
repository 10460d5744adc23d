#pragma once
// What leaves the report writer: the extract files in the output folder and
// the two printed lists of the report catalogue.

#include "output/Reports.h"

#include <QStringList>

namespace vm {

inline const QString ExtractBaseName = QStringLiteral("VmVenComm");
// "VmVenComm.csv" in `folder`, or the first free "VmVenComm1.csv", "VmVenComm2.csv"...
QString NextExtractFile(const QString& folder);
// Writes the header and the rows, as they stand, whole or not at all.
bool WriteReportExtract(const QString& path, const QStringList& headers,
                        const QList<QStringList>& rows);
// Deletes every "VmVenComm*.csv" of `folder`; answers those that could not be deleted.
QStringList EraseReportExtracts(const QString& folder);

inline const QString MsgExtractEmpty =
    QStringLiteral("Please select some information first.  Then create the Export file.");
inline const QString MsgEraseExtracts =
    QStringLiteral("Do you wish to delete ALL of the existing Report Writer Extract files?");
inline const QString MsgReportNothingToPrint = QStringLiteral("No data selected to print.");
QString ExtractCreatedMessage(const QString& file); // "The file: " file " has been created."
QString ExtractFailedMessage(const QString& file);  // the file could not be written
QString ExtractsNotErasedMessage(const QStringList& files);

inline const QString RoutineReportWriterList = QStringLiteral("PrintVCLogs");
inline const QString RoutineReportWriterByLabel = QStringLiteral("PrintVCLogsDE1");
inline const QString TitleReportWriterList = QStringLiteral("Report Writer List");
inline const QString TitleReportWriterByLabel = QStringLiteral("Report Writer By Vendor");
inline const QString ReportWriterHeading = QStringLiteral("The Logbook Report Writer");

// What the screen hands to the print routines: the grid as shown.
struct ReportPrintout {
    QStringList headers;
    QList<QStringList> rows; // in the order shown; the total row last (always there)
    QString description;     // with its ", Sorted by" ending
    QString countText;
    QString byLabel; // the first chosen label (the "By" list); empty: the plain list
};
PrintRequest ReportPrintRequest(const ReportPrintout& p);
ReportPrintout ReportPrintoutOf(const PrintRequest& request);

// The documents; ReportRefused without rows.
doc::Document BuildReportWriterList(const ReportPrintout& p);
doc::Document BuildReportWriterByLabel(const ReportPrintout& p);

void RegisterReportWriterReports(ReportCatalogue& catalogue);

} // namespace vm
