#pragma once
// The inside of frmProfileEdit: its controls and the work behind them.  The
// head, buttons and the save are in frmProfileEdit.cpp, the upper tabs, the
// contact flags, notes and picture in ProfileEditTabs.cpp, the icons and the
// lower tabs in ProfileEditActions.cpp.

#include "core/AppContext.h"
#include "guests/Profiles.h"
#include "guests/forms/ProfileWindows.h"

#include <QObject>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class QWidget;

namespace vm {

class DataGrid;
class frmProfileEdit;
class ProfileCardsTab;
class ProfileIndicatorsTab;
class ProfileHistoryTab;
class ProfileGroupLogsTab;
class ProfileLogbookTab;

class ProfileEditUi : public QObject {
    Q_OBJECT
public:
    ProfileEditUi(AppContext& ctx, frmProfileEdit* form, ProfileWindowOptions options);

    void build();
    // Shows the profile; answers false (after saying why) when it cannot be shown.
    bool load(qint64 id);
    void startNew();
    // Saves what the screen shows; answers false when it was refused or failed.
    bool save();
    // Asks about unsaved changes; answers false when the caller must stay.
    bool maybeSave();

    AppContext& ctx;
    frmProfileEdit* q;
    ProfileWindowOptions options;
    Profile profile; // as loaded or last saved
    bool dirty = false;
    bool loading = false;
    bool mayEdit = false;
    bool properCase = false;
    QString defaultCountry, defaultAreaCode;

    // Head.
    QLineEdit *txtFirstName, *txtLastName, *txtUnit, *txtCompanyName, *txtJobTitle;
    QComboBox *cboSalutation, *cboProType, *cboGroupName;
    QPushButton *cmdSalutations, *cmdProfileTypes, *cmdGroupLog;
    QLabel *lblGroupCreated, *lblProfileID;
    QCheckBox *chkColorCode, *chkPubPriv;
    QRadioButton *optGreen, *optBlack, *optBlue;
    // Upper tabs.
    struct AddressBoxes {
        QLineEdit *line1, *line2, *city, *state, *country, *postalCode;
        QCheckBox* primary;
    };
    QTabWidget* tsTab2;
    QLineEdit *txtHomePhone, *txtBusinessPhone, *txtCellPhone, *txtFaxPhone, *txtOtherPhone;
    AddressBoxes home, business, other;
    QLineEdit *txtEmailAddress, *txtEmailAddressB;
    QLineEdit *txtAsstName, *txtAsstEmailAddress, *txtAsstCellPhone, *txtAsstBusinessPhone,
        *txtAsstFaxPhone;
    DataGrid* grdDocuments;
    QPushButton* cmdMaintainDocs;
    QLabel* lblLinksUnsaved;
    // Lower tabs.
    QTabWidget* tsTab;
    ProfileIndicatorsTab* indicatorsTab = nullptr;
    ProfileHistoryTab* historyTab = nullptr;
    ProfileGroupLogsTab* groupLogsTab = nullptr;
    ProfileLogbookTab* logbookTab = nullptr;
    ProfileCardsTab* cardsTab;
    QPushButton* cmdContactTypes;
    std::array<QCheckBox*, 8> dnu{};
    // Notes and picture.
    QTabWidget* tsSide;
    QPlainTextEdit* txtNotes;
    QLabel* imgPicture;
    QPushButton* cmdUpdatePicture;
    // Icons and buttons.
    QToolButton *imgCreateEntry, *imgReminder, *imgPrevious, *imgNext, *imgPrint;
    QPushButton *cmdEmail, *cmdClear, *cmdDelete, *cmdSave, *cmdClose;

    // frmProfileEdit.cpp
    void markDirty();
    void watch(QWidget* w);
    Profile readScreen() const;
    void showProfile(const Profile& p);
    // "<-  Created" and the date the group's entries were made for the guest.
    void showGroupCreated(qint64 groupId);
    void fillLists();
    void fillCombo(QComboBox* box, const QString& otherType);
    void deleteProfile();
    void clear();
    void step(int direction);
    bool needsSaved(const QString& refusal);
    void maintainList(QComboBox* box, const QString& otherType, const QString& refusal);

    // ProfileEditTabs.cpp
    QWidget* buildUpperTabs();
    QWidget* buildSideTabs();
    QWidget* buildContactFlags();
    void showUpperTabs(const Profile& p);
    void readUpperTabs(Profile& p) const;
    void primaryTicked(QCheckBox* box, bool on);
    void refreshDocuments();
    void maintainDocuments();
    void openDocument(qint64 documentId);
    void showPicture();
    void updatePicture();

    // ProfileEditActions.cpp
    QWidget* buildLowerTabs();
    void showLowerTabs(const Profile& p);
    void createGroupEntries();
    void createLogbookEntry();
    void setReminder();
    void printDetails();
    void emailIndicators();
};

inline const QString ProfileFormName = QStringLiteral("frmProfileEdit");
inline const QString ProfileFormTitle = QStringLiteral("Maintain Guest Profile Information");
inline const QString MsgDocsUnsaved =
    QStringLiteral("Please save the Basic Profile Information before adding Linked Documents, "
                   "thank you.");
inline const QString MsgSaveProfileFirst =
    QStringLiteral("Please save the Basic Profile Information first, thank you.");
inline const QString MsgReturnToLogbook =
    QStringLiteral("To RETURN to the Logbook Panel please press the Close button.  Thank you.");
inline const QString MsgPrivateProfile =
    QStringLiteral("This is a Private Profile.  You are not authorized to view it.");
inline const QString MsgGuestIdRequired = QStringLiteral(
    "You have opted to use the Mandatory Guest ID.  Please add the GuestID Profile Indicator "
    "before saving this Profile.  Thank you.");
inline const QString MsgGuestIdReminder = QStringLiteral(
    "You have opted to use the Mandatory Guest ID.  Please add the GuestID Profile Indicator "
    "to this Profile now.  Thank you.");
inline const QString MsgNoGroupEntries =
    QStringLiteral("No Logbook Entries are available for this group.");
inline const QString MsgSelectGroupFirst = QStringLiteral(
    "Please select the Group Name before creating Group Logbook Entries.  Thank you.");
inline const QString MsgSelectIndicators =
    QStringLiteral("Please select the Indicator(s) to use in the email.  Thank you.");
inline const QString MsgNoMailProgram =
    QStringLiteral("No mail program took the message.  Nothing was sent.");
inline const QString MsgPictureTooLarge = QStringLiteral(
    "The picture is larger than 5 MB and was not used.  Please choose a smaller picture:  ");
inline const QString MsgPictureNotImage =
    QStringLiteral("The file is not a picture Velmora can show and was not used:  ");
inline const QString PictureDescription = QStringLiteral("Guest Picture");
inline constexpr qint64 MaxPictureBytes = 5 * 1024 * 1024;

// Refusals of the profile screen's rights.
inline const QString MsgIndicatorEmailRight =
    QStringLiteral("You are not authorized to Send Indicator Email.");
inline const QString MsgGroupEntriesRight =
    QStringLiteral("You are not authorized to Create Group Logbook Entries.");
inline const QString MsgProfilePrintRight =
    QStringLiteral("You are not authorized to print Profile Details.");
inline const QString MsgContactTypesRight =
    QStringLiteral("You are not authorized to maintain Contact Types.");
inline const QString MsgProfileTypesRight =
    QStringLiteral("You are not authorized to Maintain Profile Types.");
inline const QString MsgSalutationsRight =
    QStringLiteral("You are not authorized to Maintain Salutations.");

} // namespace vm
