#pragma once
// A category's custom printed form (DEFormS) and the design lines it prints
// (DEFormD, by label): its checks, reading and saving.

#include "platform/Database.h"

#include <QStringList>
#include <QVariantMap>
#include <optional>

namespace vm {

struct CustomForm {
    qint64 formId = 0; // DEFormSID; 0 until saved
    qint64 logTypeId = 0;
    QString fontName;
    double fontSize = 0;
    QString staticArray;
    // Inches.  A new form is a letter page standing upright.
    double pageHeight = 11.0, pageWidth = 8.5;
    double topMargin = 1, bottomMargin = 1, leftMargin = 1, rightMargin = 1;
    QString valediction; // empty: "Sincerely, "
    bool printLogId = false;
    bool logo = false;
    double logoLeft = 0, logoTop = 0; // inches from the margins
    double logoAspect = 0;            // printed width of the logo in inches; 0: its own size
    QStringList labels;               // the chosen design lines, in printed order
};

// The fields a check can refuse, in the order they are checked.
enum class FormField {
    Height,
    Width,
    TopMargin,
    BottomMargin,
    LeftMargin,
    RightMargin,
    Font,
    FontSize,
    Elements
};

struct FormRefusal {
    FormField field;
    QString message;
};

inline constexpr double MinPageInches = 4, MaxPageInches = 14;
inline constexpr double MinMarginInches = 0.1, MaxMarginInches = 5.5;

// A typed number ("8.5", ".1"); NaN when the text is not a number, so that
// every range check refuses it.
double ParseFormNumber(const QString& typed);

// The first refusal of the form's values, or none.
std::optional<FormRefusal> CheckCustomForm(const CustomForm& form);

// A fresh form for the category with the default page.
CustomForm NewCustomForm(qint64 logTypeId);

// The category's form with its chosen lines; none when it has no form.
std::optional<CustomForm> GetCustomForm(Database& db, qint64 logTypeId);
// The chosen lines of a form, in their order.
QStringList GetDEFormElements(Database& db, qint64 formId);

// Checks and writes the form and its chosen lines in one transaction (a
// category keeps one form: saving a new form over an existing one updates
// it).  Answers the refusal and writes nothing, or fills form.formId.
std::optional<FormRefusal> SaveCustomForm(Database& db, CustomForm& form);

// The form as the arguments of a print request (a layout not saved yet is
// previewed from them) and back.
QVariantMap CustomFormToArgs(const CustomForm& form);
CustomForm CustomFormFromArgs(const QVariantMap& args);

QString MsgFormHeight();
QString MsgFormWidth();
inline const QString MsgFormMargin = QStringLiteral(
    "Please enter a number in the range of .1 to 5.5 for this Margin value.  Thank you.");
inline const QString MsgFormFont = QStringLiteral("Please select a Font.  Thank you.");
inline const QString MsgFormFontSize = QStringLiteral("Please select a Font Size.  Thank you.");
inline const QString MsgFormElements =
    QStringLiteral("Please select at least one Data Entry Design Element to print.  Thank you.");
inline const QString MsgNoFormDefinition =
    QStringLiteral("I cannot find the forms definition for this type of Logbook entry.  Please "
                   "verify that the form has been defined.  Thank you.");

} // namespace vm
