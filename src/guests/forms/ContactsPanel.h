#pragma once
// The main window's Contacts page: the selection, the optional city or area,
// the sort, the list of the working language, the count line, and the ways
// out of it (the contact screen, the importer, the CSV extract, the printed
// guest list and contact list).

#include "core/AppContext.h"
#include "guests/ContactSearch.h"
#include "platform/forms/RecordList.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vm {

class DataGrid;
struct PrintRequest;

class ContactsPanel : public QWidget {
    Q_OBJECT
public:
    explicit ContactsPanel(AppContext& ctx, QWidget* parent = nullptr);

    // Opens the contact screen (0 = a new contact); set by the page's installer.
    std::function<void(qint64 contactId)> openContact;
    // Opens a report's preview; set by the installer (tests record it).
    std::function<void(const PrintRequest& request)> openReport;

    // Runs the selection on screen; answers false when it was refused or failed.
    bool cmdSearch_Click();
    void cmdAddContact_Click();
    void cmdImport_Click();
    void cmdExtract_Click();
    void cmdGuestList_Click();
    void cmdPrintList_Click();
    // "Print the active document" while this page is shown.
    void printList() { cmdPrintList_Click(); }
    void clearList();
    // The city, area and keyword choices (logon, after an import).
    void refreshLists();
    // Puts a saved contact's current state into the list (or takes it out).
    void refreshRow(qint64 contactId);
    void removeRow(qint64 contactId);
    // The contact listed before (-1) or after (+1) `contactId` as shown; 0 at either end.
    qint64 neighbour(qint64 contactId, int direction) const;
    // The file the extract writes.
    QString extractPath() const;

    QComboBox *cboSelectBy, *cboKeyword, *cboCity, *cboSort;
    QLineEdit* txtSearchText;
    QCheckBox *chkStartsWith, *chkUseArea;
    QPushButton *cmdSearch, *cmdAddContact, *cmdImport, *cmdExtract, *cmdGuestList, *cmdPrintList;
    QRadioButton *optPlainPaper, *optLetterhead;
    QLabel *lblCity, *lblDescription, *lblCount;
    DataGrid* grdContacts;

private:
    void modeChanged();
    void fillPlaces();
    void showList(const ContactList& list);
    QColor rowColor(const ContactRow& row) const;
    ContactSelection selection() const;

    AppContext& m_ctx;
    RecordList m_list;
    QStringList m_cities, m_areas;
    ContactSort m_listedSort = ContactSort::RankAndName;
    // The display settings of the listed rows, read once per search.
    bool m_crossStreets = false;
    QColor m_reservedColor;
};

} // namespace vm
