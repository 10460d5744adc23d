#pragma once
// What the logbook's screens ask of subsystems that plug in later and that
// opens windows of its own (profiles, contacts, maps, messages, printing,
// export, online reservations, limousine codes, card screens), on top of the
// data services.  An empty member means the subsystem is not part of this
// build: the screen says so and does nothing.

#include "logbook/LogEntry.h"
#include "logbook/LogbookServices.h"

#include <optional>

class QWidget;

namespace vm {

struct PickedProfile {
    qint64 profileId = 0;
    QString firstName, lastName, roomNumber, guestId;
    // The profile's primary address and home e-mail.
    QString address, city, state, postalCode, email;
};

struct LogbookScreenHooks : LogbookServices {
    // Screens the form's text boxes for card numbers before a save (asks
    // about each finding and may remove it from its box).
    std::function<void(QWidget* form, const QString& formName, qint64 recordId)> checkFormCCFields;
    // Shows the stored card of a saved entry to a member with the card password.
    std::function<void(qint64 logId, const QString& stored, QWidget* parent)> showCard;

    // Profiles and contacts.
    // The profile picker: `seed` carries the entry's names, room and guest id
    // for a profile made new from the picker.
    std::function<std::optional<PickedProfile>(const PickedProfile& seed, QWidget* parent)>
        selectProfile;
    // Opens the profile; `mayEdit` says whether the member may change it.
    std::function<void(qint64 profileId, bool mayEdit, QWidget* parent)> showProfile;
    std::function<void(qint64 contactId, QWidget* parent)> showContact;
    // The contact picker: the chosen contact, or nothing.
    std::function<std::optional<qint64>(QWidget* parent)> selectContact;
    // Directions to the entry's contact.
    std::function<void(qint64 contactId, QWidget* parent)> showMap;
    // The contact's tickler notes in their maintenance screen (the contact
    // screen's reminder icon reaches it here).
    std::function<void(qint64 contactId, const QString& name, QWidget* parent)> editContactTicklers;

    // Messages about the entry.
    std::function<void(qint64 logId, QWidget* parent)> sendMessage;

    // Output: printing one entry ("Details", "Confirmation", "GuestRequest",
    // "VendorRequest", "Correspondence", "CustomForm") of the database it was
    // read from.  Letters are e-mailed as text by the logbook itself; the
    // custom form goes through `emailEntry` as an attachment.
    std::function<void(qint64 logId, const QString& document, LogSource source, QWidget* parent)>
        printEntry;
    std::function<bool(qint64 logId, const QString& document, LogSource source, QWidget* parent)>
        emailEntry;
    // Several entries in one print job (the Logbook page's bulk confirmations).
    std::function<void(const std::vector<qint64>& logIds, const QString& document, LogSource source,
                       QWidget* parent)>
        printEntries;
    // The entry's messages ("Logbook Messages").
    std::function<void(qint64 logId, QWidget* parent)> printMessages;
    // The Logbook page's list as shown ("Logbook List"), rows in their order.
    std::function<void(const std::vector<qint64>& logIds, bool archive, QWidget* parent)>
        printLogbookList;
    // The guest itinerary's print panel.
    std::function<void(QWidget* parent)> openItinerary;
    // The itinerary of the guest with this guest id (the entry screen's button).
    std::function<void(const QString& guestId, QWidget* parent)> openGuestItinerary;

    // The limousine interface's billing codes for an entry.
    std::function<void(qint64 logId, QWidget* parent)> limoBillingCodes;
    // The limousine interface, after an entry was saved from the screen:
    // sends it to the dispatch system when it belongs there (`cancelling`:
    // its Cancelled box was ticked by this save); answers true when it wrote
    // to the entry, which the screen then reads again.
    std::function<bool(qint64 logId, bool cancelling, QWidget* parent)> limoDispatch;
    // The logbook export, opened for the entry's category.
    std::function<void(const QString& category, QWidget* parent)> openExport;
    // Online restaurant reservations for the entry on the screen (a saved entry).
    // Both may write the stored entry: the screen shows it again afterwards.
    std::function<void(qint64 logId, QWidget* parent)> openTable;
    // Cancels the online reservation the entry holds (imgOTEntry).
    std::function<void(qint64 logId, QWidget* parent)> cancelTable;
};

} // namespace vm
