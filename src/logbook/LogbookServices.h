#pragma once
// Calls from the logbook into subsystems that plug in later (card data,
// profiles, contacts, groups, messages, ticklers, output).  An empty hook
// means the subsystem is not part of this build: the logbook then does
// nothing for that call and shows nothing made up.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QWidget;

namespace vm {

struct PickedProfile {
    qint64 profileId = 0;
    QString firstName, lastName, roomNumber, guestId;
};

struct LogbookHooks {
    // Card data: the cipher of a newly typed number for the entry `logId`
    // (an empty answer means the encryption failed).
    std::function<QString(const QString& number, qint64 logId)> encryptCard;
    // The clear number of the stored cipher of entry `logId` (empty when it failed);
    // a clone carries its card as a number, encrypted again under its own id.
    std::function<QString(const QString& stored, qint64 logId)> decryptCard;
    // Screens the form's text boxes for card numbers before a save (asks
    // about each finding and may remove it from its box).
    std::function<void(QWidget* form, const QString& formName, qint64 recordId)> checkFormCCFields;
    // Card auditing after a save that stored a card.
    std::function<void(qint64 logId)> recordCardEvent;
    // Shows the stored card of a saved entry to a member with the card password.
    std::function<void(qint64 logId, const QString& stored, QWidget* parent)> showCard;

    // Profiles, contacts and groups.
    std::function<std::optional<PickedProfile>(QWidget* parent)> selectProfile;
    // Opens the profile; `mayEdit` says whether the member may change it.
    std::function<void(qint64 profileId, bool mayEdit, QWidget* parent)> showProfile;
    std::function<void(qint64 contactId, QWidget* parent)> showContact;
    std::function<std::vector<std::pair<qint64, QString>>()> groups; // id, name
    // The profile's details for the entry screen's grid (preference, selection).
    std::function<std::vector<std::pair<QString, QString>>(qint64 profileId)> profileDetails;
    // The profile's stored cards, masked (key, masked number).
    std::function<std::vector<std::pair<qint64, QString>>(qint64 profileId)> profileCards;
    // One line with the contact's name, address and telephone, for the design
    // line that takes a contact's details.
    std::function<QString(qint64 contactId)> contactDetails;
    // The contact's tickler notes that apply on a date ("yyyy/MM/dd").
    std::function<QStringList(qint64 contactId, const QString& date)> contactTicklers;
    // Directions to the entry's contact.
    std::function<void(qint64 contactId, QWidget* parent)> showMap;

    // Messages and ticklers.
    std::function<void(qint64 logId, QWidget* parent)> sendMessage;
    // The category's tickler notes that apply on a date ("yyyy/MM/dd").
    std::function<QStringList(qint64 logTypeId, const QString& date)> categoryTicklers;

    // Output: printing one entry ("Details", "Confirmation", "GuestRequest",
    // "VendorRequest", "Correspondence", "CustomForm").  E-mail is composed by
    // the logbook itself.
    std::function<void(qint64 logId, const QString& document, QWidget* parent)> printEntry;
    // Several entries in one print job (the Logbook page's bulk confirmations).
    std::function<void(const std::vector<qint64>& logIds, const QString& document, QWidget* parent)>
        printEntries;
    // The Logbook page's list as shown ("Logbook List"), rows in their order.
    std::function<void(const std::vector<qint64>& logIds, bool archive, QWidget* parent)>
        printLogbookList;
    // The guest itinerary's print panel.
    std::function<void(QWidget* parent)> openItinerary;

    // The limousine interface's billing codes for an entry.
    std::function<void(qint64 logId, QWidget* parent)> limoBillingCodes;

    // The logbook export, opened for the entry's category.
    std::function<void(const QString& category, QWidget* parent)> openExport;
    // Online restaurant reservations for the entry on the screen (a saved entry).
    std::function<void(qint64 logId, QWidget* parent)> openTable;
    // The restaurant contact of an online reservation (0 when unknown).
    std::function<qint64(qint64 openTableId)> reservationContact;
};

} // namespace vm
