#pragma once
// The itinerary both itinerary screens share: the grid of the guest's
// entries (a double-click removes one), the paper and text choices, and the
// print, e-mail and spa buttons.
//
// Controls (objectNames): grdItinerary, lblItineraryNote, optPlain,
// optLetterhead, chkLogo, chkDefaultHeading, chkFax, chkSignature,
// chkNoReferTime, cboLanguage, txtValediction, cmdPrint, cmdEmail, cmdSpa,
// cmdTexts.

#include "core/AppContext.h"
#include "guests/Itinerary.h"

#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vm {

class DataGrid;

class ItineraryPanel : public QWidget {
    Q_OBJECT
public:
    explicit ItineraryPanel(AppContext& ctx, QWidget* parent = nullptr);

    // Replaces the grid with these entries, in their order.
    void setEntries(const std::vector<LogEntry>& entries);
    void clearEntries();
    // The entries still in the grid, in the order shown.
    std::vector<qint64> logIds() const;
    // The profile of the guest shown (0: none).
    qint64 profileId() const { return m_profileId; }
    ItineraryOptions options() const;

    // Prints / mails what the grid holds; false when there was nothing to do.
    bool print();
    bool email();

    DataGrid* grdItinerary;
    QLabel* lblItineraryNote;
    QRadioButton *optPlain, *optLetterhead;
    QCheckBox *chkLogo, *chkDefaultHeading, *chkFax, *chkSignature, *chkNoReferTime;
    QComboBox* cboLanguage;
    QLineEdit* txtValediction;
    QPushButton *cmdPrint, *cmdEmail, *cmdSpa, *cmdTexts;

private:
    bool haveEntries();
    void cmdSpa_Click();
    void cmdTexts_Click();

    AppContext& m_ctx;
    qint64 m_profileId = 0;
};

// The grid's columns.
const QStringList& ItineraryGridHeaders();

inline const QString MsgNoItinerary =
    QStringLiteral("Please select a Guest with Logbook Entries for the Itinerary.  Thank you.");
inline const QString MsgSpaNotInstalled = QStringLiteral(
    "The spa system interface is not part of this installation.  Guests cannot be located in "
    "the spa system.");
inline const QString MsgItineraryNotMailed =
    QStringLiteral("No mail program took the Itinerary.  Nothing was sent.");

} // namespace vm
