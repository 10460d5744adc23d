#pragma once
// The online restaurant reservation service: a client for its concierge web
// pages (search for free tables, book one, cancel a booking), the checks made
// before a search is opened from a logbook entry, and the settings the client
// needs.
//
// Messages: every failure this layer meets (transport failures, HTTP
// statuses, error pages, the pre-check refusals, the service's "no times"
// message) is shown here, through the Prompt it is given; callers never
// repeat them.  The screens show only the outcome of a call (the texts
// below), and the progress texts arrive through the status callback.

#include "logbook/Categories.h"
#include "logbook/LogEntry.h"
#include "logbook/LogbookStore.h"
#include "platform/Prompt.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QNetworkAccessManager;

namespace vm {

class AppContext;
class Database;
class OTService;

// ---------------------------------------------------------------------------
// Texts shown to the user.

inline const QString kOTTitleCommFailure = QStringLiteral("Communications Failure");
inline const QString kOTTitleError = QStringLiteral("Error");
inline const QString kOTTitleNoConnection = QStringLiteral("No Connection");
inline const QString kOTTitleNoTimes = QStringLiteral("Unable to retrieve times");
inline const QString kOTTitleOops = QStringLiteral("Oops");
inline const QString kOTInvalidSlot = QStringLiteral("Invalid time, must be 1,2,3");

// Outcome texts for the screens.
inline const QString kOTNoTimesFound = QStringLiteral("No times found for given Date / Restaurant.");
inline const QString kOTUnableToConfirm =
    QStringLiteral("Unable to confirm reservation at this time.");
inline QString OTConfirmedText(const QString& confirmation) {
    return "Reservation confirmed, confirmation #" + confirmation + ".";
}
inline QString OTCancellingText(const QString& reservationId) {
    return "Cancelling reservation #" + reservationId;
}
inline const QString kOTCancelled = QStringLiteral("The reservation has been cancelled.");
inline const QString kOTCancelFailed = QStringLiteral(
    "An error occured while trying to cancel the Open Table \r\n"
    "reservation.  You may want to follow up with Open Table or \r\n"
    "the restaurant manually.");
inline const QString kOTNoConnection = QStringLiteral(
    "There is no active internet/network connection. \r\n\r\n"
    "Be sure you can connect to the internet using your web browser, then try this function "
    "again.");

// ---------------------------------------------------------------------------
// Wire format.

using OTPairs = QList<QPair<QString, QString>>;

// One name or value form-encoded: [0-9A-Za-z] unchanged, a blank "+", every
// other byte of the text's UTF-8 form "%XX" (upper-case hex).
QByteArray OTFormEncode(const QString& text);
// name=value pairs, encoded, joined with "&".
QByteArray OTFormPairs(const OTPairs& pairs);

// The transport failure's name for a code 12001..12160 ("Timeout",
// "Name Not Resolved", "Error Http Invalid Server Response"); empty outside
// the table.
QString OTErrorName(int code);
// "Error <code>: <name>" (nothing after the colon and blank for a code
// without a name).
QString OTErrorText(int code);
// Transport codes this client reports.
enum OTErrorCode : int {
    OTErrTimeout = 12002,
    OTErrInvalidUrl = 12005,
    OTErrNameNotResolved = 12007,
    OTErrOperationCancelled = 12017,
    OTErrCannotConnect = 12029,
    OTErrConnectionAborted = 12030,
    OTErrConnectionReset = 12031,
    OTErrHttpsToHttpOnRedir = 12040,
    OTErrHttpInvalidServerResponse = 12152,
    OTErrHttpRedirectFailed = 12156,
    OTErrSecurityChannel = 12157,
};

// ---------------------------------------------------------------------------
// Reading pages.

// The page's text: comments and tags removed; &nbsp; &amp; &lt; &gt; decoded
// (other entities stay as they are).
QString OTPageText(const QString& html);
// The value attribute of each tag (in page order) whose name attribute is
// `name` (any case); entities in the value decoded.
QStringList OTElementValues(const QString& html, const QString& name);
// The first of them; empty when there is none.
QString OTElementValue(const QString& html, const QString& name);
// An error page (a <meta name="description"> whose content mentions
// "error") answers the message to show: the page's text, or the content
// when the page has no text.  nullopt for any other page.
std::optional<QString> OTErrorPageMessage(const QString& html);
// The service's message on a page without offered times: the text of the
// first form, one sentence per line (CRLF).
QString OTServiceMessage(const QString& html);
// The full text shown for it (title kOTTitleNoTimes).
QString OTNoTimesText(const QString& serviceMessage);

// ---------------------------------------------------------------------------
// Times.

// A time of day as the desk types it ("7:30 pm", "7:30pm", "19:30", "7 pm",
// "07:30:00 PM"); nullopt for anything else (a date part included).
std::optional<QTime> ParseOTTime(const QString& text);
// The requested time checked and written "hh:mm AM/PM"; nullopt for a time
// the desk must type again ("19:30 pm", "7.30 pm", "noon").
std::optional<QString> NormaliseOTTime(const QString& text);
// "hh:mm AM/PM" of a time.
QString OTTimeText(const QTime& t);

// ---------------------------------------------------------------------------
// Search results.

// One offered time: its text as the service gave it, its number (the third
// field of the token) and the token to send back when booking it.
struct OTSlot {
    QString time;
    QString number;
    QString token;
    bool isEmpty() const { return token.isEmpty(); }
};

// Slot numbers of Reserve().
enum OTSlotNo : int { OTEarlier = 1, OTExact = 2, OTLater = 3 };

// One restaurant of a search: what the service offered around the requested
// time, and the booking of one of those slots.
class OTSearchResult {
public:
    OTSearchResult(OTService* service, qint64 restaurantId, const QString& date,
                   const QString& requestedTime, int partySize);

    qint64 restaurantId = 0;
    QString name, neighborhood, cuisine, price; // from the matching contact, if any
    qint64 contactId = 0;                       // 0: the restaurant is not a contact
    QString date;                               // as sent, "MM/dd/yyyy"
    QString requestedTime;                      // "hh:mm AM/PM"
    int partySize = 0;
    OTSlot earlier, exact, later;

    // Files an offered time by its distance to the requested one; a later
    // call for the same class replaces the earlier one.  A time that cannot
    // be read is ignored (answers false).
    bool AddTime(const QString& time, const QString& number, const QString& token);
    // The slot by number (1 earlier, 2 exact, 3 later); nullptr otherwise.
    const OTSlot* slot(int slotNo) const;

    // Books a slot; answers the confirmation number, or empty (the reason
    // was shown: kOTInvalidSlot for a slot number other than 1..3 or a slot
    // the service did not offer, else the failure of the request).  Empty
    // too when the service answered without a confirmation.
    QString Reserve(int slotNo, const QString& firstName, const QString& lastName,
                    const QString& phone, const QString& notes, bool business, bool firstTime);

private:
    OTService* m_service;
};

// What a search came to.
enum class OTSearchOutcome {
    Found,       // results holds at least one restaurant
    NoTimes,     // the service said why (shown)
    Failed,      // transport, status or error page (shown)
};

struct OTSearch {
    OTSearchOutcome outcome = OTSearchOutcome::Failed;
    std::vector<OTSearchResult> results;
    QString serviceMessage; // NoTimes: the service's message as shown
};

// ---------------------------------------------------------------------------
// The service.

struct OTConfig {
    QString conciergeId; // the member's id at the service
    qint64 hotelId = 0, partnerId = 0, areaId = 0; // 0 = not set
    QString standardHost;                           // used when a restaurant has no host
};

class OTService {
public:
    // `prompt` shows the failures; `statusChanged` (may be empty) the
    // progress texts.
    OTService(Prompt& prompt, const OTConfig& config);
    ~OTService();
    OTService(const OTService&) = delete;
    OTService& operator=(const OTService&) = delete;

    std::function<void(const QString&)> statusChanged;
    // True while a request runs, false after it: screens disable their actions.
    std::function<void(bool)> busyChanged;

    QString ConciergeID, AgentName;
    qint64 HotelID = 0, PartnerID = 0, AreaID = 0;

    // Time-outs in milliseconds: for the connection (until the request is
    // sent) and for the whole request.
    void setTimeouts(int connectMs, int totalMs);
    int connectTimeout() const { return m_connectMs; }
    int totalTimeout() const { return m_totalMs; }

    // Checks the network and the host (ParseOTHost) and makes it the target
    // of later requests; false after a message.
    bool Connect(const QString& host);
    void Disconnect();
    bool connected() const { return m_base.isValid(); }
    QUrl baseUrl() const { return m_base; }

    // One request (method "GET" or "POST", page "/x.asp").  The owner must
    // stay alive until it returns: a screen does not close while busy().  nullopt after a
    // failure (shown) or when another request is still running (a second
    // click while waiting: refused without sending).
    std::optional<QString> Request(const QString& method, const QString& page,
                                   const OTPairs& pairs);
    bool busy() const { return m_busy; }

    // date "MM/dd/yyyy", time "hh:mm AM/PM".
    OTSearch SearchArea(const QString& date, const QString& time, int partySize);
    OTSearch SearchRestaurant(qint64 restaurantId, const QString& date, const QString& time,
                              int partySize);
    // True only when the service's page confirms the cancellation (its echo
    // of the reservation number or its own "has been cancelled").
    bool Cancel(qint64 restaurantId, const QString& reservationId);
    // The reservationID value of the last response.
    QString ReservationID() const;

    QString lastResponse() const { return m_lastResponse; }
    QString lastError() const { return m_lastError; }
    // The HTTP status of the last request (0 without one).
    int lastStatus() const { return m_lastStatus; }

private:
    friend class OTSearchResult;
    void status(const QString& text);
    // The hotel and partner ids under the page's names, each only when set.
    void addIds(OTPairs& pairs, const char* hotelName, const char* partnerName) const;
    OTSearch readSearch(const QString& page, const QString& date, const QString& time,
                        int partySize);
    void fail(const QString& text, const QString& title, Icon icon);

    Prompt& m_prompt;
    std::unique_ptr<QNetworkAccessManager> m_net;
    QUrl m_base;
    int m_connectMs = 15000, m_totalMs = 60000;
    bool m_busy = false;
    QString m_lastResponse, m_lastError;
    int m_lastStatus = 0;
};

// The target of a host text: "host", "host:port" or "http(s)://host[:port]"
// with at most a "/" after it; nothing with a path, query, credentials or
// blanks.  nullopt for any other text.
std::optional<QUrl> ParseOTHost(const QString& text);

// ---------------------------------------------------------------------------
// Settings and checks.

// VmSettings key of the service's standard host (used for restaurants
// without their own).
inline const QString kOTStandardHostKey = QStringLiteral("OTStandardHost");

// The member's id at the service (by initials); empty when not recorded.
QString GetOpenTableConciergeID(Database& db, const QString& initials);
// Hotel, partner and area ids and the standard host, as stored.
OTConfig GetOpenTableA(AppContext& ctx);
// The configuration for a service object: the member's id, hotel and area
// are required (the partner id is optional and sent only when set); nullopt
// after a message.
std::optional<OTConfig> GetOpenTableService(AppContext& ctx);

// A bookable restaurant (a contact with a service id).
struct OTRestaurant {
    qint64 contactId = 0;
    QString name;
    qint64 restaurantId = 0;
    QString cuisine, neighborhood, price, host;
};
// Contacts with OTRestaurantID > 0, by name.
std::vector<OTRestaurant> GetOpenTables(Database& db);
// The restaurant (contact) of the newest entry holding reservation `openTableId`; 0 when none.
qint64 GetOTReservationContact(Database& db, qint64 openTableId);
// The host a restaurant is booked at: its own, else the standard one (empty
// when neither is set; Connect refuses an empty or malformed host).
inline QString OTHostFor(const OTRestaurant& restaurant, const OTConfig& config) {
    return restaurant.host.trimmed().isEmpty() ? config.standardHost : restaurant.host.trimmed();
}
// Fills name, cuisine, neighbourhood, price and contact of each result from
// the list (left blank for a restaurant that is no contact).
void FillFromContacts(std::vector<OTSearchResult>& results,
                      const std::vector<OTRestaurant>& restaurants);

// The labels (by the mapping settings) of the design lines the service uses;
// empty for a setting without a value.
struct OTLabels {
    QString name, number, time, phone, resPhone, notes, confirmation, category, metroArea;
};
OTLabels GetOTLabels(Database& db);

// The entry's values under those labels.
struct OTEntryValues {
    QString name, number, time, phone, resPhone, notes, confirmation;
};
OTEntryValues ReadOTEntryValues(const QString& entryText, const OTLabels& labels);

// What a confirmed booking writes back into the entry's text: confirmation,
// booked time, restaurant, party size and notes under their labels (labels
// that are unset or not in the category's design are skipped; other lines
// stay as they are).
struct OTBooking {
    QString confirmation, time, restaurant, partySize, notes;
};
QString WriteOTBooking(const QString& entryText, const std::vector<DesignItem>& items,
                       const OTLabels& labels, const OTBooking& booking);

// Keeps a confirmed booking at once, so closing the entry cannot lose it:
// the lines above written into the entry's text and the confirmation number
// (when it is a number) into its OpenTableID, then the entry saved (inserted
// when it is new; `cancelledAsLoaded` as for UpdateLogBook).
SaveOutcome RecordOTBooking(AppContext& ctx, LogEntry& entry, bool cancelledAsLoaded,
                            const std::vector<DesignItem>& items, const OTLabels& labels,
                            const OTBooking& booking);

// What the search starts from, read and checked from a logbook entry.
struct OTEntryRequest {
    QString restaurant;
    int partySize = 0;
    QString time; // "hh:mm AM/PM"
    OTEntryValues values;
};
// The checks made before a search is opened from an entry, in order, each
// refusal shown: cancelled entry, the member's id, hotel id, area number,
// restaurant-name element and value, party size (1..20, digits only), time.
std::optional<OTEntryRequest> CheckOpenTableEntry(AppContext& ctx, const LogEntry& entry);

} // namespace vm
