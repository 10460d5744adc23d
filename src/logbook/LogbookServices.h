#pragma once
// Data the logbook asks of subsystems that plug in later (card data,
// profiles, contacts, groups, ticklers, online reservations).  No widgets:
// the store and the rules use these.  An empty member means the subsystem is
// not part of this build: the logbook then does nothing for that call and
// shows nothing made up.  The screens' own hooks extend this
// (forms/LogbookScreenHooks.h).

#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

namespace vm {

struct LogbookServices {
    // Card data: the cipher of a newly typed number for the entry `logId`
    // (an empty answer means the encryption failed).
    std::function<QString(const QString& number, qint64 logId)> encryptCard;
    // The clear number of the stored cipher of entry `logId` (empty when it failed);
    // a clone carries its card as a number, encrypted again under its own id.
    std::function<QString(const QString& stored, qint64 logId)> decryptCard;
    // Card auditing after a save that stored a card.
    std::function<void(qint64 logId)> recordCardEvent;

    // Groups, profiles and contacts.
    std::function<std::vector<std::pair<qint64, QString>>()> groups; // id, name
    // The profile's details for the entry screen's grid (preference, selection).
    std::function<std::vector<std::pair<QString, QString>>(qint64 profileId)> profileDetails;
    // The profile's stored cards, masked (key, masked number).
    std::function<std::vector<std::pair<qint64, QString>>(qint64 profileId)> profileCards;
    // One line with the contact's name, address and telephone, for the design
    // line that takes a contact's details.
    std::function<QString(qint64 contactId)> contactDetails;

    // Tickler notes that apply on a date ("yyyy/MM/dd"): the contact's and the category's.
    std::function<QStringList(qint64 contactId, const QString& date)> contactTicklers;
    std::function<QStringList(qint64 logTypeId, const QString& date)> categoryTicklers;

    // The restaurant contact of an online reservation (0 when unknown).
    std::function<qint64(qint64 openTableId)> reservationContact;
};

} // namespace vm
