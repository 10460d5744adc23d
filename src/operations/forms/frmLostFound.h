#pragma once
// A found item: what was found, where, where it is kept, by whom; its
// photograph, the property's own lists, the history of its changes; the search
// for lost reports it may answer, and returning it to its owner.

#include "operations/LostFound.h"
#include "operations/forms/frmLostParts.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace vm {

class frmLostFound : public LostItemForm {
    Q_OBJECT
public:
    // `id` 0: a new item.
    frmLostFound(AppContext& ctx, qint64 id, QWidget* parent = nullptr);
    // The photograph shown ("" none).
    QString photoName() const { return m_photo; }

private:
    void build();
    QWidget* buildDetails();
    void buildLists(class QFormLayout* form);
    void fillList(int slot, qint64 selected);
    void showItem();
    void showPhoto();
    LfItem typed() const;
    void cmdSave_Click();
    void cmdSelectPhoto_Click();
    void cmdNewListItem_Click(int slot);
    void showMatches() override;

    LfItem m_opened; // as read, for the change history
    QString m_photo;
    bool m_readOnly = false;
    std::array<std::optional<LfUdList>, 5> m_lists;
    QTabWidget* tabs;
    QLineEdit *txtItemText, *txtFoundDate, *txtRoomNumber, *txtEstValueFound, *txtTagNumber,
        *txtFinderName;
    QComboBox *cboCategory, *cboFoundLocation, *cboStoredLocation, *cboDisposition;
    QLabel *lblTagNumber, *lblEnteredBy, *imgPhoto, *lblPhotoName;
    std::array<QLabel*, 5> lblUdCategory{};
    std::array<QComboBox*, 5> cboUdCategory{};
    std::array<QPushButton*, 5> cmdNewUdItem{};
    QPlainTextEdit* txtHistory;
    QPushButton *cmdSave, *cmdDelete, *cmdPrint, *cmdReturn, *cmdSelectPhoto, *cmdClose;
};

} // namespace vm
