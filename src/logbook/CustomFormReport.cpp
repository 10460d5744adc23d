#include "logbook/CustomFormReport.h"

#include "core/AppContext.h"
#include "core/Formats.h"
#include "core/Staff.h"
#include "logbook/Categories.h"
#include "logbook/DesignText.h"
#include "logbook/LogbookStore.h"

#include <QDir>
#include <QFile>

namespace vm {

namespace {

const QString SampleValue = QStringLiteral("Sample");
constexpr double PointsPerInch = 72;
constexpr double LineIndent = 18;     // the chosen lines under "Your Request: "
constexpr double SignatureSpace = 36; // room to sign between valediction and name

QString whenOf(const QDate& day, const QTime& time) {
    QString when = Formats::DayShortDate(day);
    if (!when.isEmpty() && time.isValid()) when += " at " + Formats::Time12(time);
    return when;
}

// The member who prints signs the form.
void signedBy(AppContext& ctx, CustomFormValues& v) {
    v.staffName = ctx.session.name;
    if (const auto member = GetConciergeInformation(ctx.db(), ctx.session.conciergeId))
        v.jobTitle = member->text("JobTitle").trimmed();
}

QString logoFor(AppContext& ctx, const CustomForm& form) {
    return form.logo ? CustomFormLogo(ctx.workstation.programFolder) : QString();
}

std::optional<CustomForm> savedForm(Database& db, qint64 logTypeId) {
    return logTypeId > 0 ? GetCustomForm(db, logTypeId) : std::nullopt;
}

} // namespace

QString CustomFormLogo(const QString& programFolder) {
    const QDir images(QDir(programFolder).filePath("Images"));
    const QString first = images.filePath("picVmLogo.gif");
    const QString second = images.filePath("picVmLogo1.gif");
    return !QFile::exists(first) && QFile::exists(second) ? second : first;
}

doc::Document LayoutCustomForm(const CustomForm& form, const CustomFormValues& v) {
    doc::Document d;
    d.title = QStringLiteral("Custom Form");
    d.page.sizeInches = QSizeF(form.pageWidth, form.pageHeight);
    d.page.margins = {form.topMargin, form.bottomMargin, form.leftMargin, form.rightMargin};
    d.page.base = doc::TextStyle{form.fontName, form.fontSize};

    if (!v.logoPath.isEmpty()) {
        if (form.logoTop > 0) d.body << doc::Spacer{form.logoTop * PointsPerInch};
        doc::Image logo;
        logo.path = v.logoPath;
        logo.widthInches = qMax(0.0, form.logoAspect);
        logo.leftInches = qMax(0.0, form.logoLeft);
        d.body << logo << doc::Spacer{form.fontSize};
    }
    if (form.printLogId) d.body << doc::Para("Logbook ID: " + v.logId);
    d.body << doc::Para("Room Number: " + v.roomNumber);
    d.body << doc::Para("Arriving: " + v.arriving);
    d.body << doc::Para("Date: " + v.date);

    doc::Paragraph request = doc::Para("Your Request: ");
    request.spaceBefore = form.fontSize;
    request.keepWithNext = true;
    d.body << request;
    for (const auto& [label, value] : v.lines) {
        doc::Paragraph line = doc::Para(label + " " + value);
        line.indent = LineIndent;
        d.body << line;
    }

    doc::Paragraph closing = doc::Para(
        form.valediction.trimmed().isEmpty() ? QStringLiteral("Sincerely, ") : form.valediction);
    closing.spaceBefore = form.fontSize * 2;
    closing.keepWithNext = true;
    d.body << closing << doc::Spacer{SignatureSpace};
    d.body << doc::Para(v.staffName);
    if (!v.jobTitle.isEmpty()) d.body << doc::Para(v.jobTitle);
    return d;
}

doc::Document BuildDEForm(AppContext& ctx, const PrintRequest& request) {
    const qint64 logId = request.args.value("logId").toLongLong();
    const bool archive = request.args.value("archive").toBool();
    if (archive && !ctx.hasArchive())
        throw ReportRefused(QStringLiteral("The archive database is not open."));
    LogbookStore store(ctx);
    const auto entry =
        store.GetTheLogEntry(logId, archive ? LogSource::Archive : LogSource::Current);
    if (!entry) throw ReportRefused(QStringLiteral("The Logbook entry could not be found."));
    // Categories and their forms live in the current database for both.
    const auto form = savedForm(ctx.db(), GetLogTypeID(ctx.db(), entry->entryType));
    if (!form) throw ReportRefused(MsgNoFormDefinition);

    CustomFormValues v;
    v.logId = QString::number(entry->logId);
    v.roomNumber = entry->roomNumber.trimmed();
    v.arriving = Formats::DayShortDate(Formats::ParseStoredDate(entry->arrivalDate.trimmed()));
    v.date = whenOf(Formats::ParseStoredDate(entry->referDate.trimmed()),
                    Formats::ParseTime(entry->referTime.trimmed()));
    for (const QString& label : form->labels)
        v.lines.emplace_back(label, ReadDesignValue(entry->text, label));
    v.logoPath = logoFor(ctx, *form);
    signedBy(ctx, v);
    return LayoutCustomForm(*form, v);
}

doc::Document BuildDEFormPreview(AppContext& ctx, const PrintRequest& request) {
    std::optional<CustomForm> form;
    if (request.args.contains("labels"))
        form = CustomFormFromArgs(request.args);
    else
        form = savedForm(ctx.db(), request.args.value("logTypeId").toLongLong());
    if (!form) throw ReportRefused(MsgNoFormDefinition);

    const QDateTime now = ctx.clock().now();
    CustomFormValues v;
    v.logId = QStringLiteral("12345");
    v.roomNumber = QStringLiteral("1234");
    v.arriving = Formats::DayShortDate(now.date());
    v.date = whenOf(now.date().addDays(1), QTime(19, 30));
    for (const QString& label : form->labels)
        v.lines.emplace_back(label, SampleValue);
    v.logoPath = logoFor(ctx, *form);
    signedBy(ctx, v);
    return LayoutCustomForm(*form, v);
}

void RegisterCustomFormReports(ReportCatalogue& catalogue) {
    for (auto [name, build] :
         {std::pair{QStringLiteral("PrintDEForm"), &BuildDEForm},
          std::pair{QStringLiteral("PrintDEFormPreview"), &BuildDEFormPreview}}) {
        ReportRoutine r;
        r.name = name;
        r.window = PreviewWindow::List;
        r.windowName = CustomFormWindowName;
        r.build = build;
        catalogue.add(std::move(r));
    }
}

} // namespace vm
