#pragma once
// Pieces the lost-and-found screens share: the lookup-list boxes, the owner's
// boxes, typed dates and amounts, and the match search panel of the item forms.

#include "operations/LostFound.h"

#include <QDialog>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;

namespace vm {

class DataGrid;

// A list box of an `Other` lookup list ("LFCategory", "LFLocation", ...) with an
// empty first line; `current` is kept (added when the list no longer holds it).
QComboBox* MakeLookupBox(AppContext& ctx, const char* objectName, const QString& otherType,
                         const QString& current = {});
void SetLookupValue(QComboBox* box, const QString& value);
// The chosen value, "" for the empty line.
QString LookupValue(const QComboBox* box);

// A typed short date in its stored form ("" when it is no date).
QString TypedStoredDate(const QLineEdit* box);
// A stored date shown as a short date ("" for none).
QString ShownDate(const QString& stored);
// An amount as typed ("" and unreadable text count as 0) and as shown ("#.00").
double TypedAmount(const QLineEdit* box);
QString ShownAmount(double value);

// The owner's boxes (txtFirstName ... txtEmailAddress) added to a form layout.
struct OwnerBoxes {
    QLineEdit *txtFirstName, *txtLastName, *txtAddress, *txtCity, *txtState, *txtPostalCode,
        *txtHomePhone, *txtWorkPhone, *txtOtherPhone, *txtEmailAddress;

    void build(QWidget* parent, QFormLayout* form);
    void show(const LfOwner& o);
    LfOwner typed() const;
    QList<QLineEdit*> all() const;
};

// The match search of an item form: the four criteria, the search button and
// the grid of possible matches of the other kind.  Double-click or Enter on a
// row (or the match button) asks to close the item with that one.
class LostMatchPanel : public QWidget {
    Q_OBJECT
public:
    // `lostSide`: the panel of a lost report (lists found items).
    LostMatchPanel(AppContext& ctx, bool lostSide, QWidget* parent = nullptr);

    LfMatchCriteria criteria() const;
    // Runs the search for `item` (saved) and fills the grid; answers the count.
    int search(const LfItem& item);
    qint64 chosenId() const;

Q_SIGNALS:
    void searchClicked();
    void matchChosen(qint64 otherId);

private:
    AppContext& m_ctx;
    bool m_lostSide;
    QCheckBox *chkMatchCategory, *chkMatchLocation, *chkMatchDate, *chkMatchWord;
    QLineEdit* txtMatchWord;
    QPushButton *cmdFindMatch, *cmdMatch;
    DataGrid* grdMatches;
};

// What the lost report and the found item screens share: the record, the
// match panel, the search after a save, closing with the other side, deleting
// and printing.  `lostSide` tells which of the two the screen is.
class LostItemForm : public QDialog {
    Q_OBJECT
public:
    qint64 itemId() const { return m_item.id; }

Q_SIGNALS:
    // Saved, deleted or closed: the lists showing it are out of date.
    void changed();

protected:
    LostItemForm(AppContext& ctx, bool lostSide, const QString& formName, QWidget* parent);

    // Fills the match grid for the saved record; after a save, rows found are announced.
    void findMatches(bool afterSave);
    // The closing screen for this record with `otherId` (0: a found item handed
    // back alone), after the right and the checks.
    void closeWith(qint64 otherId, bool alone = false);
    void cmdDelete_Click();
    void cmdPrint_Click();
    // The match panel's page is brought forward (found item screen).
    virtual void showMatches() {}

    AppContext& m_ctx;
    LfItem m_item;
    LostMatchPanel* pnlMatch;

private:
    bool m_lostSide;
    QString m_formName;
};

} // namespace vm
