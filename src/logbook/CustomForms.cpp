#include "logbook/CustomForms.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace vm {

namespace {

// Typed values such as 5.5 must pass although 5.5 is not exact in binary.
constexpr double Slack = 1e-9;

bool inRange(double v, double lo, double hi) {
    return v >= lo - Slack && v <= hi + Slack; // NaN fails both
}

QString sizeMessage(const QString& which) {
    return "Please enter a number in the range of 4 to 14 for the Form Size " + which +
           ".  Thank you.";
}

const QString Columns = QStringLiteral(
    "[FontName], [FontSize], [StaticArray], [PageHeight], [PageWidth], [TopMargin], "
    "[BottomMargin], [LeftMargin], [RightMargin], [Valediction], [PrintLogID], [LogoYesNo], "
    "[LogoLeft], [LogoTop], [LogoAspect]");

QVariantList values(const CustomForm& f) {
    return {f.fontName,   f.fontSize,     f.staticArray, f.pageHeight,  f.pageWidth,
            f.topMargin,  f.bottomMargin, f.leftMargin,  f.rightMargin, f.valediction,
            f.printLogId, f.logo,         f.logoLeft,    f.logoTop,     f.logoAspect};
}

void writeElements(Database& db, qint64 formId, const QStringList& labels) {
    db.exec("DELETE FROM [DEFormD] WHERE [DEFormSID] = ?", {formId});
    int sequence = 0;
    for (const QString& label : labels)
        db.exec("INSERT INTO [DEFormD] ([DEFormSID], [SequenceNo], [LabelText]) VALUES (?, ?, ?)",
                {formId, ++sequence, label});
}

} // namespace

QString MsgFormHeight() {
    return sizeMessage("Height");
}

QString MsgFormWidth() {
    return sizeMessage("Width");
}

double ParseFormNumber(const QString& typed) {
    bool ok = false;
    const double v = QLocale::c().toDouble(typed.trimmed(), &ok);
    return ok && std::isfinite(v) ? v : std::numeric_limits<double>::quiet_NaN();
}

std::optional<FormRefusal> CheckCustomForm(const CustomForm& f) {
    if (!inRange(f.pageHeight, MinPageInches, MaxPageInches))
        return FormRefusal{FormField::Height, MsgFormHeight()};
    if (!inRange(f.pageWidth, MinPageInches, MaxPageInches))
        return FormRefusal{FormField::Width, MsgFormWidth()};
    const std::pair<FormField, double> margins[] = {{FormField::TopMargin, f.topMargin},
                                                    {FormField::BottomMargin, f.bottomMargin},
                                                    {FormField::LeftMargin, f.leftMargin},
                                                    {FormField::RightMargin, f.rightMargin}};
    for (const auto& [field, value] : margins)
        if (!inRange(value, MinMarginInches, MaxMarginInches))
            return FormRefusal{field, MsgFormMargin};
    if (f.fontName.trimmed().isEmpty()) return FormRefusal{FormField::Font, MsgFormFont};
    if (!(f.fontSize > 0)) return FormRefusal{FormField::FontSize, MsgFormFontSize};
    bool anyLine = false;
    for (const QString& l : f.labels)
        anyLine = anyLine || !l.trimmed().isEmpty();
    if (!anyLine) return FormRefusal{FormField::Elements, MsgFormElements};
    return std::nullopt;
}

CustomForm NewCustomForm(qint64 logTypeId) {
    CustomForm f;
    f.logTypeId = logTypeId;
    f.fontName = QStringLiteral("Arial");
    f.fontSize = 10;
    return f;
}

QStringList GetDEFormElements(Database& db, qint64 formId) {
    QStringList out;
    for (const Row& r : db.query("SELECT [LabelText] FROM [DEFormD] WHERE [DEFormSID] = ? ORDER "
                                 "BY [SequenceNo]",
                                 {formId}))
        out << r.text("LabelText");
    return out;
}

std::optional<CustomForm> GetCustomForm(Database& db, qint64 logTypeId) {
    const auto r = db.queryOne("SELECT [DEFormSID], " + Columns +
                                   " FROM [DEFormS] WHERE [LogTypeID] = ? ORDER BY [DEFormSID]",
                               {logTypeId});
    if (!r) return std::nullopt;
    CustomForm f;
    f.formId = r->number("DEFormSID");
    f.logTypeId = logTypeId;
    f.fontName = r->text("FontName");
    f.fontSize = r->real("FontSize");
    f.staticArray = r->text("StaticArray");
    f.pageHeight = r->real("PageHeight");
    f.pageWidth = r->real("PageWidth");
    f.topMargin = r->real("TopMargin");
    f.bottomMargin = r->real("BottomMargin");
    f.leftMargin = r->real("LeftMargin");
    f.rightMargin = r->real("RightMargin");
    f.valediction = r->text("Valediction");
    f.printLogId = r->flag("PrintLogID");
    f.logo = r->flag("LogoYesNo");
    f.logoLeft = r->real("LogoLeft");
    f.logoTop = r->real("LogoTop");
    f.logoAspect = r->real("LogoAspect");
    f.labels = GetDEFormElements(db, f.formId);
    return f;
}

std::optional<FormRefusal> SaveCustomForm(Database& db, CustomForm& form) {
    if (auto refusal = CheckCustomForm(form)) return refusal;
    CustomForm f = form;
    db.transaction([&] {
        if (f.formId <= 0)
            f.formId = db.scalar("SELECT MIN([DEFormSID]) FROM [DEFormS] WHERE [LogTypeID] = ?",
                                 {f.logTypeId})
                           .toLongLong();
        if (f.formId > 0) {
            const int changed =
                db.exec("UPDATE [DEFormS] SET " + QString(Columns).replace(",", " = ?,") +
                            " = ? WHERE [DEFormSID] = ?",
                        values(f) << f.formId);
            if (changed == 0) f.formId = 0; // deleted meanwhile: written anew below
        }
        if (f.formId <= 0)
            f.formId = db.insert("INSERT INTO [DEFormS] ([LogTypeID], " + Columns +
                                     ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                                 QVariantList{f.logTypeId} + values(f), "DEFormSID");
        writeElements(db, f.formId, f.labels);
    });
    form.formId = f.formId;
    return std::nullopt;
}

QVariantMap CustomFormToArgs(const CustomForm& f) {
    return {{"logTypeId", f.logTypeId},       {"fontName", f.fontName},
            {"fontSize", f.fontSize},         {"pageHeight", f.pageHeight},
            {"pageWidth", f.pageWidth},       {"topMargin", f.topMargin},
            {"bottomMargin", f.bottomMargin}, {"leftMargin", f.leftMargin},
            {"rightMargin", f.rightMargin},   {"valediction", f.valediction},
            {"printLogId", f.printLogId},     {"logo", f.logo},
            {"logoLeft", f.logoLeft},         {"logoTop", f.logoTop},
            {"logoAspect", f.logoAspect},     {"labels", f.labels}};
}

CustomForm CustomFormFromArgs(const QVariantMap& a) {
    CustomForm f;
    f.logTypeId = a.value("logTypeId").toLongLong();
    f.fontName = a.value("fontName").toString();
    f.fontSize = a.value("fontSize").toDouble();
    f.pageHeight = a.value("pageHeight").toDouble();
    f.pageWidth = a.value("pageWidth").toDouble();
    f.topMargin = a.value("topMargin").toDouble();
    f.bottomMargin = a.value("bottomMargin").toDouble();
    f.leftMargin = a.value("leftMargin").toDouble();
    f.rightMargin = a.value("rightMargin").toDouble();
    f.valediction = a.value("valediction").toString();
    f.printLogId = a.value("printLogId").toBool();
    f.logo = a.value("logo").toBool();
    f.logoLeft = a.value("logoLeft").toDouble();
    f.logoTop = a.value("logoTop").toDouble();
    f.logoAspect = a.value("logoAspect").toDouble();
    f.labels = a.value("labels").toStringList();
    return f;
}

} // namespace vm
