#pragma once
// "Maintain Itinerary Header and Footer Text": the three texts of each
// language and the itinerary's header options.
//
// Controls (objectNames): cboLanguage, txtHeader, txtFooter, txtConfFooter,
// lblHeaderCount, lblFooterCount, lblConfFooterCount, cboHeadAlign,
// cboItinAlign, cboFootAlign, chkCustomHeader, cboColumn0..2, cboValue0..2,
// chkUseHeadFoot, cmdSave, cmdDelete, cmdClose.

#include "core/AppContext.h"
#include "guests/Itinerary.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vm {

class frmItinText : public QDialog {
    Q_OBJECT
public:
    explicit frmItinText(AppContext& ctx, QWidget* parent = nullptr);

    // Saves the texts of the language shown and the options; false when a
    // database error stopped it (the member was told).
    bool save();

    QComboBox* cboLanguage;
    QPlainTextEdit *txtHeader, *txtFooter, *txtConfFooter;
    QLabel *lblHeaderCount, *lblFooterCount, *lblConfFooterCount;
    QComboBox *cboHeadAlign, *cboItinAlign, *cboFootAlign;
    QCheckBox* chkCustomHeader;
    std::array<QComboBox*, 3> cboColumn, cboValue;
    QCheckBox* chkUseHeadFoot;
    QPushButton *cmdSave, *cmdDelete, *cmdClose;

private:
    void loadTexts();
    void loadOptions();
    void columnChosen(int column);
    void cmdDelete_Click();

    AppContext& m_ctx;
    int m_language = 0;
};

// "1234 characters"
QString CharacterCount(int count);

} // namespace vm
