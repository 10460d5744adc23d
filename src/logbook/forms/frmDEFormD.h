#pragma once
// The layout of a category's custom printed form: page, margins, font, logo,
// valediction and the design lines it prints; opened from the category page.

#include "core/AppContext.h"
#include "logbook/CustomForms.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vm {

// Opens a report's preview window (the output module's OpenReport); empty
// when this build has no preview windows.
using ReportOpener = std::function<void(const PrintRequest& request, QWidget* parent)>;

class frmDEFormD : public QDialog {
    Q_OBJECT
public:
    frmDEFormD(AppContext& ctx, qint64 logTypeId, ReportOpener openReport,
               QWidget* parent = nullptr);

    // Answers whether the form was saved (a refusal shows its message and
    // puts the focus on the field).
    bool cmdSave_Click();
    // The sample of the layout as it is on the screen, saved or not.
    void cmdPreview_Click();
    void cmdClose_Click();

    bool hasUnsavedChanges() const { return m_dirty; }
    // The layout as the controls hold it.
    CustomForm formOnScreen() const;

    QComboBox *cboFont, *cboFontSize, *cboValediction;
    QLineEdit *txtPageHeight, *txtPageWidth;
    QLineEdit *txtTopMargin, *txtBottomMargin, *txtLeftMargin, *txtRightMargin;
    QCheckBox *chkPrintLogID, *chkLogo;
    QDoubleSpinBox *spnLogoLeft, *spnLogoTop, *spnLogoAspect;
    QListWidget* lstElements;
    QPushButton *cmdSave, *cmdPreview, *cmdClose;

protected:
    // Escape, the window frame and Close: unsaved changes are saved or discarded first.
    void reject() override;

private:
    void build();
    void showForm(const CustomForm& form, const QStringList& designLabels);
    void changed();
    // The refusal of the layout on screen, shown, the focus on its field.
    bool refused(const CustomForm& form);
    QWidget* controlOf(FormField field) const;

    AppContext& m_ctx;
    ReportOpener m_openReport;
    CustomForm m_form;
    QString m_category;
    bool m_dirty = false;
    bool m_showing = false;
};

} // namespace vm
