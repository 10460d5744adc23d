#pragma once
// The reservation desk: the day's grid of a category with booking and
// unbooking, the categories' set-up, the places of each row, searches with
// export and print, sign-up sheets and the purge of old bookings.

#include "bookings/Reservations.h"
#include "bookings/forms/ReservationScreenLogic.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;

namespace vm {

class DataGrid;

class frmReservation : public QDialog {
    Q_OBJECT
public:
    explicit frmReservation(AppContext& ctx, QWidget* parent = nullptr);

    // The category shown on the booking page (nullopt: none chosen).
    const std::optional<ResCategory>& category() const { return m_cat; }

private:
    void buildBooking(QWidget* page);
    void buildSetup(QWidget* page);
    void buildRowLimits(QWidget* page);
    void buildSearch(QWidget* page);
    void buildSignUp(QWidget* page);
    void buildPurge(QWidget* page);

    // Booking page
    QDate bookingDate() const;
    void dateChanged();
    void categoryChanged();
    void loadGrid();
    void showCategoryOptions();
    void cellClicked(int row, int column);
    void setBookMode(bool book);
    void clearWaitingGuest();
    void refreshPlacesLeft();
    void cmdBook_Click();
    void book();
    void unbook();
    void cmdIU_Click();
    void cmdWaitList_Click();
    void cmdBookWaiting_Click();
    void openWaitList(const QString& name);

    // Set-up page
    void refreshSetupCategories(qint64 select = 0);
    void setupCategoryChanged();
    void showSetupCategory(const ResCategory& c);
    ResCategory typedCategory() const;
    void setupKindChanged();
    void fillMinutePicks();
    void refreshItems();
    void itemSelected();
    void cmdSave_Click(int index);
    void saveCategory();
    void saveItem();
    void cmdResequence_Click();
    void cmdDeleteItem_Click();
    void cmdDeleteCategory_Click();
    void refreshCategoryLists();

    // Row limits page
    void refreshRowLimits();
    void rowLimitEdited(int row, int column);

    // Search page
    ResSearchKind searchKind() const;
    void cmdSearch_Click();
    void cmdExport_Click();
    void cmdPrint_Click();

    // Sign-up page
    void refreshSignUps(qint64 select = 0);
    void signUpSelected();
    void cmdSaveSignUp_Click();
    void cmdDeleteSignUp_Click();
    void cmdPrintSignUp_Click();
    void cmdSignUpDocs_Click();

    void cmdDeleteRes_Click();

    AppContext& m_ctx;
    std::vector<ResCategory> m_dayCategories;
    std::optional<ResCategory> m_cat;
    ResGrid m_grid;
    std::vector<ResGridLine> m_lines;
    qint64 m_loadedId = 0;    // the booking whose cell was clicked (UnBook)
    qint64 m_bookForWait = 0; // the waiting guest this booking is made for
    bool m_filling = false;

    QTabWidget* tabs = nullptr;
    // Booking
    QLineEdit* txtDate = nullptr;
    QComboBox* cboCategory = nullptr;
    QTableWidget* grdReservations = nullptr;
    QLabel* lblOffGrid = nullptr; // bookings the grid has no cell for
    QLineEdit* txtName = nullptr;
    QComboBox* cboVenue = nullptr;
    QLabel* lblFromSlot = nullptr;
    QComboBox* cboThrough = nullptr;
    QLabel* lblThroughTime = nullptr;
    QLabel* lblThroughDate = nullptr;
    QLineEdit* txtThroughDate = nullptr;
    QLabel* lblPrice = nullptr;
    QLineEdit* txtPrice = nullptr;
    QLabel* lblPlacesLeft = nullptr;
    QLineEdit* txtWaitList = nullptr;
    QLabel* lblWaitListID = nullptr;
    std::array<QLabel*, 5> lblOption{};
    QGroupBox* fraOneOfMany = nullptr;
    QPushButton *cmdBook = nullptr, *cmdIU = nullptr, *cmdWaitList = nullptr,
                *cmdBookWaiting = nullptr;
    // Set-up
    QComboBox* cboSetupCategory = nullptr;
    QLineEdit* txtCategory = nullptr;
    QComboBox* cboTypeOfList = nullptr;
    QComboBox* cboInterval = nullptr;
    QLabel* lblSetupPrice = nullptr;
    QLineEdit* txtSetupPrice = nullptr;
    std::array<QCheckBox*, 7> chkWorkSchedule{};
    QComboBox *cboFromHour = nullptr, *cboFromMinute = nullptr, *cboFromAmPm = nullptr;
    QComboBox *cboThroughHour = nullptr, *cboThroughMinute = nullptr, *cboThroughAmPm = nullptr;
    QLineEdit* txtColumnHeader = nullptr;
    std::array<QCheckBox*, 5> chkOption{};
    DataGrid* grdItems = nullptr;
    QLabel* lblItemName = nullptr;
    QLineEdit* txtItemName = nullptr;
    QLineEdit* txtSequence = nullptr;
    std::array<QPushButton*, 2> cmdSave{};
    QPushButton *cmdNewCategory = nullptr, *cmdNewItem = nullptr, *cmdResequence = nullptr,
                *cmdDeleteItem = nullptr, *cmdDeleteCategory = nullptr;
    qint64 m_setupId = 0, m_itemId = 0;
    // Row limits
    QTableWidget* grdRowLimits = nullptr;
    // Search
    QRadioButton *optByName = nullptr, *optByCategory = nullptr, *optWaitList = nullptr,
                 *optUnavailability = nullptr;
    QLineEdit *txtSearchName = nullptr, *txtSearchFrom = nullptr, *txtSearchThrough = nullptr;
    QComboBox* cboSearchCategory = nullptr;
    QCheckBox* chkPageBreak = nullptr;
    QLabel* lblSearchCaption = nullptr;
    DataGrid* grdSearch = nullptr;
    QPushButton *cmdSearch = nullptr, *cmdExport = nullptr, *cmdPrint = nullptr;
    ResSearchKind m_searched = ResSearchKind::ByName;
    QVariantMap m_searchArgs;
    // Sign-up sheets
    QListWidget* lstSignUp = nullptr;
    QLineEdit* txtSignUpName = nullptr;
    QPlainTextEdit* txtSignUpText = nullptr;
    QComboBox* cboSignUpCategory = nullptr;
    QPushButton *cmdNewSignUp = nullptr, *cmdSaveSignUp = nullptr, *cmdDeleteSignUp = nullptr,
                *cmdPrintSignUp = nullptr, *cmdSignUpDocs = nullptr;
    // Purge
    QLineEdit* txtPurgeDate = nullptr;
    QPushButton* cmdDeleteRes = nullptr;
};

} // namespace vm
