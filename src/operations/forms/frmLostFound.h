#pragma once
// A found item: what was found, where, where it is kept, by whom; its
// photograph, the property's own lists, the history of its changes; the search
// for lost reports it may answer, and returning it to its owner.

#include "operations/LostFound.h"
#include "operations/forms/frmLostParts.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace vm {

class frmLostFound : public QDialog {
    Q_OBJECT
public:
    // `id` 0: a new item.
    frmLostFound(AppContext& ctx, qint64 id, QWidget* parent = nullptr);
    qint64 itemId() const { return m_item.id; }
    // The photograph shown ("" none).
    QString photoName() const { return m_photo; }

Q_SIGNALS:
    void changed();

private:
    void build();
    QWidget* buildDetails();
    void buildLists(class QFormLayout* form);
    void fillList(int slot, qint64 selected);
    void showItem();
    void showPhoto();
    LfItem typed() const;
    void cmdSave_Click();
    void cmdDelete_Click();
    void cmdPrint_Click();
    void cmdSelectPhoto_Click();
    void cmdNewListItem_Click(int slot);
    void findMatches(bool afterSave);
    void match(qint64 lostId);
    void cmdReturn_Click();
    void openClosing(qint64 lostId);

    AppContext& m_ctx;
    LfItem m_item;
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
    LostMatchPanel* pnlMatch;
    QPushButton *cmdSave, *cmdDelete, *cmdPrint, *cmdReturn, *cmdSelectPhoto, *cmdClose;
};

} // namespace vm
