#pragma once
// The printed custom form of a logbook entry (PrintDEForm) and its sample
// (PrintDEFormPreview), laid out from the category's form: its page, margins,
// font, logo and the design lines it prints.

#include "logbook/CustomForms.h"
#include "output/Reports.h"

#include <utility>
#include <vector>

namespace vm {

// What one printed form shows, already formatted.
struct CustomFormValues {
    QString logId, roomNumber, arriving, date;
    std::vector<std::pair<QString, QString>> lines; // label, value: the chosen lines
    QString staffName, jobTitle;
    QString logoPath; // empty: no logo
};

doc::Document LayoutCustomForm(const CustomForm& form, const CustomFormValues& values);

// args "logId" and "archive" (bool: the entry is read from the archive).  A
// category without a form is refused with MsgNoFormDefinition.
doc::Document BuildDEForm(AppContext& ctx, const PrintRequest& request);
// args "logTypeId": the category's saved form; or the layout itself
// (CustomFormToArgs) when it is previewed before it is saved.
doc::Document BuildDEFormPreview(AppContext& ctx, const PrintRequest& request);

// The logo file the form prints: "picVmLogo.gif" of the program's image
// folder, or the second logo "picVmLogo1.gif" when the first is missing.
QString CustomFormLogo(const QString& programFolder);

void RegisterCustomFormReports(ReportCatalogue& catalogue);

inline const QString CustomFormWindowName = QStringLiteral("frmDEForm");

} // namespace vm
