#pragma once
// The profile screen's "Credit Cards" tab: the profile's stored cards, masked,
// with add, change, delete and the password-guarded view.  Every action needs
// the profile card right, which nobody skips.

#include "core/AppContext.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vm {

class DataGrid;

class ProfileCardsTab : public QWidget {
    Q_OBJECT
public:
    explicit ProfileCardsTab(AppContext& ctx, QWidget* parent = nullptr);

    // 0: a profile not saved yet (the tab refuses its buttons).
    void setProfile(qint64 profileId);
    // Empties the boxes; the expiry box shows its "__/__" mask.
    void clearBoxes();
    void refresh();
    // Reloads the card types after their list was maintained.
    void fillCardTypes();

    void cmdAddCard_Click();
    void cmdChangeCard_Click();
    void cmdDeleteCard_Click();
    void cmdViewCard_Click();

    DataGrid* grdCreditCards;
    QComboBox* cboCardType;
    QLineEdit *txtCardNumber, *txtExpires;
    QPushButton *cmdAddCard, *cmdChangeCard, *cmdDeleteCard, *cmdViewCard, *cmdCardTypes;

private:
    // The checks of add and change; answers false after saying why.
    bool cardOnScreenIsValid();
    bool mayWork();

    AppContext& m_ctx;
    qint64 m_profileId = 0;
};

inline const QString MsgCardsRight =
    QStringLiteral("You are not authorized to work with Credit Card Information.");
inline const QString MsgSaveProfileBeforeCards = QStringLiteral(
    "Please save the Basic Profile Information before adding Credit Cards, thank you.");
inline const QString MsgSelectCardType =
    QStringLiteral("Please select the Credit Card Type.  Thank you.");
inline const QString MsgCardExpiry =
    QStringLiteral("Please enter a valid Expiration Date (MM/YY).  Thank you.");
inline const QString MsgSelectCard =
    QStringLiteral("Please select the Credit Card before pressing the button.  Thank you.");
inline const QString MsgDeleteCard = QStringLiteral(
    "Press <Yes> to DELETE this Credit Card.\r\nPress <No> if you DO NOT wish to delete.");
inline const QString MsgNoStoredNumber =
    QStringLiteral("There is no stored Credit Card Number to show for this card.");
inline const QString MsgCardTypesRight =
    QStringLiteral("You are not authorized to Maintain Credit Card Types.");

} // namespace vm
