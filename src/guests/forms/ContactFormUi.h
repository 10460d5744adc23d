#pragma once
// The inside of frmContactForm: its controls and the work behind them.  The
// head, buttons and icons are in frmContactForm.cpp, the tabs in
// ContactFormTabs.cpp.

#include "core/AppContext.h"
#include "guests/Contacts.h"

#include <QObject>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;

namespace vm {

class DataGrid;
class frmContactForm;

class ContactFormUi : public QObject {
    Q_OBJECT
public:
    ContactFormUi(AppContext& ctx, frmContactForm* form);

    void build();
    void load(qint64 id);
    void startNew();
    // Saves what the screen shows; answers false when it was refused or failed.
    bool save();
    // Asks about unsaved changes; answers false when the caller must stay.
    bool maybeSave();

    AppContext& ctx;
    frmContactForm* q;
    Contact contact;                   // as loaded or last saved
    std::optional<int> loadedLanguage; // none for a new contact
    bool dirty = false;
    bool loading = false;
    bool mayEdit = false;
    std::function<qint64(qint64, int)> neighbour;

    // Head.
    QLineEdit *txtContactName, *txtNickName, *txtAddress, *txtCrossStreets, *txtCity, *txtState,
        *txtPostalCode, *txtCountry, *txtKeywords, *txtProximity;
    QComboBox *cboLogType, *cboArea, *cboLanguage;
    QPushButton *cmdMaintainAreas, *cmdClone;
    QCheckBox *chkClosed, *chkColorCode, *chkPrivate;
    QLabel *lblLastUpdated, *lblCreated;
    // Tabs.
    QTabWidget* tabContact;
    QComboBox *cboRating, *cboRanking;
    QPlainTextEdit* txtNotes;
    DataGrid* grdExtra;
    QComboBox* cboContactType;
    QLineEdit* txtContactData;
    QCheckBox* chkDataPrivate;
    QPushButton *cmdSaveData, *cmdDeleteData, *cmdMaintainTypes;
    DataGrid* grdDocuments;
    QPushButton* cmdMaintainDocs;
    QLineEdit* txtGraphicFile;
    QPlainTextEdit *txtDirections, *txtGuestInfo;
    QCheckBox* chkPrintOnGuestList;
    QPlainTextEdit* txtGuestListText;
    QListWidget* lstKeywords;
    QLineEdit *txtOTID, *txtOTNeighborhood, *txtOTCuisine, *txtOTPrice, *txtOTHost;
    int directionsTab = 0;
    // Icons and buttons.
    QToolButton *imgLogbook, *imgReminder, *imgMap, *imgPrintDetails, *imgPrintGuestList,
        *imgPrevious, *imgNext, *imgBrowser, *imgMessage;
    QPushButton *cmdSave, *cmdDelete, *cmdClear, *cmdClose;

    // ContactFormTabs.cpp
    QWidget* buildTabs();
    void fillLists();
    void fillContactTypes();
    void showTabs(const Contact& c);
    void readTabs(Contact& c) const;
    void refreshExtra();
    void refreshDocuments();
    void tickKeywords(const QString& keywordSet);
    void keywordTicked();
    void extraRowChosen(qint64 typeId);
    void contactDataEdited();
    void saveData();
    void deleteData();
    void maintainTypes();
    void maintainDocuments();
    void openDocument(qint64 documentId);
    void showInBrowser();

    // frmContactForm.cpp
    void markDirty();
    void watch(QWidget* w);
    Contact readScreen() const;
    void showContact(const Contact& c);
    void showStamps();
    void deleteContact();
    void clear();
    void step(int direction);
    void cloneContact();
    void maintainAreas();
    void createLogbookEntry();
    void showMap();
    void printDetails();
    void printGuestList();
    void sendMessage();
    void editTicklers();
    bool needsSaved(const QString& refusal);
};

inline const QString MsgRemindersNotInstalled =
    QStringLiteral("Reminders are not installed in this version of Velmora.");
inline const QString MsgGuestViewerNoLogbook =
    QStringLiteral("As a Guest Viewer you are not\r\nauthorized to add\r\ninformation to the "
                   "logbook.");
inline const QString MsgSaveBeforeLogbook = QStringLiteral(
    "Please save the Basic Contact Information before creating a Logbook Entry, thank you.");
inline const QString MsgSaveBeforeClone =
    QStringLiteral("Please save the Basic Contact Information before cloning it, thank you.");
inline const QString MsgSaveContactBeforePrint =
    QStringLiteral("Please save the Basic Contact Information before printing it, thank you.");
inline const QString MsgSaveBeforeMessage = QStringLiteral(
    "Please save the Basic Contact Information before sending a message about it, thank you.");
inline const QString MsgNoLinkedDocuments =
    QStringLiteral("There are no Linked Documents for this Contact.");
inline const QString MsgCloneRight =
    QStringLiteral("You are not authorized to Clone the Contact in Another Language.");
inline const QString MsgExtraRight =
    QStringLiteral("You are not authorized to work with Extra Contact Information.");
inline const QString MsgDocsRight =
    QStringLiteral("You are not authorized to work with Linked Documents.");
inline const QString MsgPrintRight =
    QStringLiteral("You are not authorized to print Contact Details.");
inline const QString MsgMessagesRight =
    QStringLiteral("You are not authorized to send Contact Messages.");
inline const QString MsgViewDocsRight =
    QStringLiteral("You are not authorized to view Linked Documents.");
inline const QString MsgStatusMessagesRight =
    QStringLiteral("You are not authorized to work with Status Messages.");
inline const QString MsgSaveContactBeforeTicklers = QStringLiteral(
    "Please save the Basic Contact Information before setting a reminder for it, thank you.");
inline const QString MsgDeleteRight = QStringLiteral("You are not authorized to Delete Contacts.");
inline const QString ContactFormCaption = QStringLiteral("Velmora Contact Manager - ");

} // namespace vm
