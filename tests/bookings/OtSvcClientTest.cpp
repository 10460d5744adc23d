// The client against a fake service: what it sends, what it reads, and how
// failures come out.

#include "OtSvcFixture.h"

#include <QElapsedTimer>
#include <algorithm>

using namespace vm;
using namespace vm::test;

TEST_F(OtSvcClient, SearchesSendTheirIdsLeavingOutUnsetOnes) {
    server.setReply("/cs_multi.asp", ScriptedReply::page(FakeHttpServer::timesPage(
                                         {"12,5/1/2024 7:30:00 PM,0"})));
    server.setReply("/cs_single.asp", ScriptedReply::page(FakeHttpServer::timesPage(
                                          {"12,5/1/2024 7:30:00 PM,0"})));
    service->SearchArea("05/01/2024", "07:30 PM", 4);
    service->PartnerID = 55;
    service->SearchRestaurant(12, "05/01/2024", "07:30 PM", 4);
    service->HotelID = 0;
    service->SearchRestaurant(12, "05/01/2024", "07:30 PM", 4);
    ASSERT_EQ(server.requests().size(), 3u);
    EXPECT_EQ(server.requests()[0].line(),
              "GET /cs_multi.asp?cid=C77&d=05%2F01%2F2024+07%3A30+PM&s=4&g=4&hid=310 HTTP/1.1");
    EXPECT_EQ(server.requests()[1].line(),
              "GET /cs_single.asp?rid=12&cid=C77&d=05%2F01%2F2024+07%3A30+PM&s=4&h=310&p=55 "
              "HTTP/1.1");
    EXPECT_EQ(server.requests()[2].query(), "rid=12&cid=C77&d=05%2F01%2F2024+07%3A30+PM&s=4&p=55");
    EXPECT_EQ(server.requests()[0].header("User-Agent"), "velmora");
    EXPECT_TRUE(prompt.shown.isEmpty()) << prompt.texts().join('|').toStdString();
}

TEST_F(OtSvcClient, OfferedTimesAreGroupedAndClassified) {
    server.queueReply(ScriptedReply::chunked(FakeHttpServer::timesPage({
        "12,5/1/2024 7:00:00 PM,1", "12,5/1/2024 7:30:00 PM,2", "12,5/1/2024 7:30:00 PM,3",
        "12,5/1/2024 6:45:00 PM,4", "12,5/1/2024 8:15:00 PM,5", "12,5/1/2024 8:00:00 PM,6",
        "40,5/1/2024 9:00:00 PM,7", "12,5/1/2024 7:30:00 PM,8", "12,garbled,9"})));
    const OTSearch s = service->SearchRestaurant(12, "05/01/2024", "07:30 PM", 2);
    ASSERT_EQ(s.outcome, OTSearchOutcome::Found);
    ASSERT_EQ(s.results.size(), 3u); // 12, then 40, then 12 again
    const OTSearchResult& r = s.results[0];
    EXPECT_EQ(r.restaurantId, 12);
    // The later of two equal offers is the exact one; later values of a class replace earlier.
    EXPECT_EQ(r.exact.number, "3");
    EXPECT_EQ(r.exact.token, "12,5/1/2024 7:30:00 PM,3");
    EXPECT_EQ(r.exact.time, "07:30 PM");
    EXPECT_EQ(r.earlier.time, "06:45 PM");
    EXPECT_EQ(r.later.time, "08:00 PM");
    EXPECT_EQ(s.results[1].restaurantId, 40);
    EXPECT_TRUE(s.results[1].exact.isEmpty());
    EXPECT_EQ(s.results[2].exact.number, "8");
    EXPECT_TRUE(statuses.contains("Sending request ..."));
    EXPECT_TRUE(statuses.contains("Request sent, waiting for reply..."));
    EXPECT_TRUE(std::any_of(statuses.begin(), statuses.end(), [](const QString& t) {
        return t.startsWith("Receiving response (") && t.endsWith(" bytes)...");
    }));
}

TEST_F(OtSvcClient, PageWithoutTimesShowsTheServiceMessage) {
    server.queueReply(ScriptedReply::page(
        FakeHttpServer::noTimesPage("No tables are available. Please try another time.")));
    const OTSearch s = service->SearchArea("05/01/2024", "07:30 PM", 2);
    EXPECT_EQ(s.outcome, OTSearchOutcome::NoTimes);
    EXPECT_TRUE(s.results.empty());
    ASSERT_EQ(prompt.shown.size(), 1);
    EXPECT_EQ(prompt.shown[0].title, "Unable to retrieve times");
    EXPECT_EQ(prompt.shown[0].text,
              OTNoTimesText("No tables are available.\r\nPlease try another time."));
}

TEST_F(OtSvcClient, ReserveSendsTheChosenSlotAndReadsTheConfirmation) {
    server.queueReply(ScriptedReply::page(FakeHttpServer::timesPage(
        {"12,5/1/2024 7:00:00 PM,1", "12,5/1/2024 7:30:00 PM,2"})));
    OTSearch s = service->SearchRestaurant(12, "05/01/2024", "07:30 PM", 2);
    ASSERT_EQ(s.results.size(), 1u);
    server.clearRequests();

    // A slot outside 1..3, and one the service did not offer, go nowhere.
    EXPECT_EQ(s.results[0].Reserve(4, "A", "B", "", "", false, false), "");
    EXPECT_EQ(s.results[0].Reserve(OTLater, "A", "B", "", "", false, false), "");
    EXPECT_EQ(prompt.texts(), QStringList({kOTInvalidSlot, kOTInvalidSlot}));
    EXPECT_TRUE(server.requests().empty());

    server.queueReply(ScriptedReply::page(FakeHttpServer::bookedPage("98765")));
    EXPECT_EQ(s.results[0].Reserve(OTEarlier, QString::fromUtf8("Zoë"), "O'Hara & Sons",
                                   "555 1234", "window, please", true, false),
              "98765");
    const RecordedRequest r = onlyRequest();
    EXPECT_EQ(r.line(), "POST /cs_confirm.asp HTTP/1.1");
    EXPECT_EQ(r.header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(r.body, "ReserveDetails=12%2C5%2F1%2F2024+7%3A00%3A00+PM%2C1&FirstName=Zo%C3%AB&"
                      "LastName=O%27Hara+%26+Sons&Phone=555+1234&Notes=window%2C+please&"
                      "ConciergeID=C77&RestaurantID=12&PartySize=2&Business=1&FirstTime=0&"
                      "process=process&submit2=Reserve");
    EXPECT_EQ(service->ReservationID(), "98765");

    // A page without a confirmation is no booking.
    server.queueReply(ScriptedReply::page("<html><body>Thank you</body></html>"));
    EXPECT_EQ(s.results[0].Reserve(OTExact, "A", "B", "", "", false, false), "");
}

TEST_F(OtSvcClient, CancelNeedsThePageToConfirmIt) {
    server.queueReply(ScriptedReply::page(FakeHttpServer::cancelledPage("98765")));
    EXPECT_TRUE(service->Cancel(12, "98765"));
    EXPECT_EQ(onlyRequest().line(),
              "GET /cs_cancel.asp?cid=C77&rid=12&hid=310&reservationID=98765 HTTP/1.1");
    server.queueReply(ScriptedReply::page("<p>Reservation not found.</p>"));
    EXPECT_FALSE(service->Cancel(12, "98765"));
    server.queueReply(ScriptedReply::page(FakeHttpServer::cancelledPage("11111")));
    EXPECT_FALSE(service->Cancel(12, "98765"));
    server.queueReply(ScriptedReply::page("<p>Your reservation has been cancelled.</p>"));
    EXPECT_TRUE(service->Cancel(12, "98765"));
    server.queueReply(ScriptedReply::page("<p>It has not been cancelled.</p>"));
    EXPECT_FALSE(service->Cancel(12, "98765"));
    EXPECT_TRUE(prompt.shown.isEmpty());
}

TEST_F(OtSvcClient, FailuresAreShownAndCountAsFailed) {
    struct Case {
        ScriptedReply reply;
        QString text, title;
        Icon icon;
    };
    const std::vector<Case> cases = {
        {ScriptedReply::page("<p>gone</p>", 404), "Server returned error response 404.", "",
         Icon::Exclamation},
        {ScriptedReply::page("<p>oops</p>", 500), "Server returned error response 500.", "",
         Icon::Exclamation},
        {ScriptedReply::page(FakeHttpServer::servicePageError("Invalid concierge id.")),
         "Invalid concierge id.", "Error", Icon::Critical},
        {ScriptedReply::closed(), "Error 12030: Connection Aborted", "Communications Failure",
         Icon::Exclamation},
        // The network layer drops a connection that answers no HTTP.
        {ScriptedReply::malformed(), "Error 12030: Connection Aborted", "Communications Failure",
         Icon::Exclamation},
    };
    for (const Case& c : cases) {
        prompt.clear();
        // By path: the client may send again on a fresh connection after a closed one.
        server.setReply("/cs_single.asp", c.reply);
        EXPECT_FALSE(service->Request("GET", "/cs_single.asp", {{"rid", "1"}}));
        ASSERT_EQ(prompt.shown.size(), 1) << c.text.toStdString();
        EXPECT_EQ(prompt.shown[0].text.toStdString(), c.text.toStdString());
        EXPECT_EQ(prompt.shown[0].title, c.title);
        EXPECT_EQ(prompt.shown[0].icon, c.icon);
        EXPECT_EQ(service->lastError(), c.text);
    }
    // A page is read again once the service answers properly.
    server.queueReply(ScriptedReply::page("<p>fine</p>"));
    EXPECT_EQ(service->Request("GET", "/x.asp", {}), std::optional<QString>("<p>fine</p>"));
}

TEST_F(OtSvcClient, SlowAnswerRunsIntoTheTimeOut) {
    service->setTimeouts(2000, 300);
    server.queueReply(ScriptedReply::slow(FakeHttpServer::timesPage({}), 3000));
    QElapsedTimer watch;
    watch.start();
    EXPECT_FALSE(service->Request("GET", "/cs_single.asp", {}));
    EXPECT_LT(watch.elapsed(), 2500);
    EXPECT_EQ(prompt.texts(), QStringList({"Error 12002: Timeout"}));
    EXPECT_EQ(prompt.shown[0].title, "Communications Failure");
    // A silent service gives the same.
    prompt.clear();
    server.queueReply(ScriptedReply::silent());
    EXPECT_FALSE(service->Request("GET", "/cs_single.asp", {}));
    EXPECT_EQ(prompt.texts(), QStringList({"Error 12002: Timeout"}));
}

TEST_F(OtSvcClient, ClosedPortAndBadHostAreTransportFailures) {
    server.close();
    EXPECT_FALSE(service->Request("GET", "/cs_single.asp", {}));
    EXPECT_EQ(prompt.texts(), QStringList({"Error 12029: Cannot Connect"}));
    prompt.clear();
    EXPECT_FALSE(service->Connect("http://127.0.0.1/cs_single.asp"));
    EXPECT_EQ(prompt.texts(), QStringList({"Error 12005: Invalid Url"}));
    EXPECT_FALSE(service->connected());
}

TEST_F(OtSvcClient, SecondRequestWhileOneRunsIsRefused) {
    // A second "Book" while the first answer is awaited must not book twice.
    server.queueReply(ScriptedReply::slow(FakeHttpServer::bookedPage("1"), 200));
    QList<bool> busy;
    std::optional<QString> inner = QString("not tried");
    service->busyChanged = [&](bool b) { busy << b; };
    service->statusChanged = [&](const QString& s) {
        if (s == "Request sent, waiting for reply...")
            inner = service->Request("POST", "/cs_confirm.asp", {{"a", "b"}});
    };
    EXPECT_TRUE(service->Request("POST", "/cs_confirm.asp", {{"a", "b"}}));
    EXPECT_FALSE(inner);
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(busy, QList<bool>({true, false}));
    EXPECT_FALSE(service->busy());
}

TEST_F(OtSvcClient, ConnectAndDisconnectReportTheirSteps) {
    OTService other(prompt, config());
    QStringList steps;
    other.statusChanged = [&](const QString& s) { steps << s; };
    ASSERT_TRUE(other.Connect(server.hostPort()));
    other.Disconnect();
    EXPECT_EQ(steps, QStringList({"Initializing connection ...",
                                  "Connecting to " + server.hostPort() + " ...", "Connected",
                                  "Disconnecting ..."}));
    EXPECT_FALSE(other.Request("GET", "/x.asp", {}));
}
