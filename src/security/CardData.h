#pragma once
// Card numbers: the card cipher, card types, the Luhn check, masking and the
// detector of card numbers typed into free text.  Pure functions apart from
// the cipher, which needs the installation's keys.

#include "core/AppContext.h"

#include <QString>
#include <optional>

namespace vm {

// The card cipher: the key comes from the key template and the record value.
// There is no other key: with EnhancedEncryption off or unreadable, or without
// a usable key template, card numbers are refused with a message that says why
// (CardsRefusedText) and the answer is the empty text.  A cipher failure shows
// "Encryption Failed" / "Decryption Failed" and answers the empty text.
QString EncryptCC(AppContext& ctx, const QString& clear, const QString& recordValue);
QString DecryptCC(AppContext& ctx, const QString& stored, const QString& recordValue);
// Whether card numbers may be stored and shown now (Ready), else why not.
CardKeyState CardNumbersState(AppContext& ctx);
// Shows the refusal and answers true unless card numbers may be used.
bool RefuseCardsUnlessReady(AppContext& ctx);

QString StripNonDigits(const QString& text);
// "MasterCard", "Visa", "American Express", "Diners Club", "Discover" or "".
QString CardType(const QString& number);
// Numeric, 13 to 16 digits, and the Luhn sum a multiple of 10.
bool LuhnCheck(const QString& number);
// Every digit but the last four becomes "x"; blanks, dashes, dots and other
// separators stay where they are ("4111 111111111111" -> "xxxx xxxxxxxx1111").
QString MaskCard(const QString& number);

inline const QString kMsgInvalidCardNumber =
    QStringLiteral("This is NOT a valid Credit Card Number.  Please verify.");
inline const QString kCardDeletedText = QStringLiteral("DELETED CC#");

// The digits of the first card number found in free text, if any.  Digits are
// collected into runs; characters that are neither digits nor letters do not
// end a run, a letter does.  A run of 14 to 16 digits with a card type is a
// card number; a longer run is searched in windows of those lengths.
// `strict` additionally requires the number to pass the Luhn check.
std::optional<QString> FindCardNumber(const QString& text, bool strict = false);
bool CheckForCCNumber(const QString& text, bool strict = false);

// Replaces every card number found in the text by "DELETED CC#" (delete mode)
// or by its masked form.  A text containing "Tracking Number" is returned
// unchanged (parcel tracking numbers look like card numbers).
QString CreditCardISM(const QString& text, bool deleteMode);

} // namespace vm
