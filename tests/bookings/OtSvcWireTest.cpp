// Encoding, failure names, page reading and the times the service talks in.

#include "bookings/OnlineTables.h"

#include <gtest/gtest.h>

using namespace vm;

TEST(OtSvcWire, FormEncodingKeepsOnlyLettersAndDigits) {
    EXPECT_EQ(OTFormEncode("John Smith & Co."), "John+Smith+%26+Co%2E");
    EXPECT_EQ(OTFormEncode("05/01/2024 07:30 PM"), "05%2F01%2F2024+07%3A30+PM");
    EXPECT_EQ(OTFormEncode("a-b_c~d,e\n"), "a%2Db%5Fc%7Ed%2Ce%0A");
    // Beyond ASCII: the UTF-8 bytes, each on its own.
    EXPECT_EQ(OTFormEncode(QString::fromUtf8("Zoë Müller")), "Zo%C3%AB+M%C3%BCller");
    EXPECT_EQ(OTFormPairs({{"First Name", "A&B"}, {"s", "4"}, {"n", ""}}),
              "First+Name=A%26B&s=4&n=");
}

TEST(OtSvcWire, FailureNamesFollowTheConstantNames) {
    EXPECT_EQ(OTErrorName(12001), "Out Of Handles");
    EXPECT_EQ(OTErrorName(12002), "Timeout");
    EXPECT_EQ(OTErrorName(12007), "Name Not Resolved");
    EXPECT_EQ(OTErrorName(12029), "Cannot Connect");
    EXPECT_EQ(OTErrorName(12150), "Error Http Header Not Found");
    EXPECT_EQ(OTErrorName(12152), "Error Http Invalid Server Response");
    EXPECT_EQ(OTErrorName(12160), "Error Http Not Redirected");
    EXPECT_EQ(OTErrorName(12157), "Security Channel Error");
    EXPECT_EQ(OTErrorText(12030), "Error 12030: Connection Aborted");
    // Outside the table, and a gap inside its range: no name.
    EXPECT_EQ(OTErrorText(12161), "Error 12161: ");
    EXPECT_EQ(OTErrorText(12035), "Error 12035: ");
    EXPECT_EQ(OTErrorText(404), "Error 404: ");
}

TEST(OtSvcWire, PageTextDropsCommentsAndTagsAndDecodesFourEntities) {
    EXPECT_EQ(OTPageText("<p>Fish &amp; Chips<!-- <b>hidden</b> --></p>&lt;a&gt;&nbsp;x &copy; "
                         "&amp;lt;"),
              "Fish & Chips<a> x &copy; &lt;");
    EXPECT_EQ(OTPageText("<input value=\"a > b\">after"), "after");
}

TEST(OtSvcWire, ElementValueComesFromTheTagCarryingTheName) {
    const QString html =
        "<input value=\"999,1/1/2024 1:00:00 PM,0\" name=\"ReserveDetails\">"
        "<input name=\"other\" value=\"x\">"
        "<INPUT TYPE=radio NAME='reservedetails' VALUE='12,5/1/2024 7:00:00 PM,1'>"
        "<!-- <input name=\"ReserveDetails\" value=\"commented\"> -->"
        "<input name=\"ReserveDetails\">"
        "<input name=\"reservationID\" value=\"A&amp;B &quot;7&quot;\">";
    EXPECT_EQ(OTElementValues(html, "ReserveDetails"),
              QStringList({"999,1/1/2024 1:00:00 PM,0", "12,5/1/2024 7:00:00 PM,1"}));
    EXPECT_EQ(OTElementValue(html, "reservationID"), "A&B \"7\"");
    EXPECT_EQ(OTElementValue(html, "missing"), "");
}

TEST(OtSvcWire, ErrorPagesAreKnownByTheirDescription) {
    EXPECT_EQ(OTErrorPageMessage("<html><head><META name=\"DESCRIPTION\" content=\"Server ERROR\">"
                                 "<title>T</title></head><body><p>Bad  concierge\r\nid.</p>"
                                 "</body></html>"),
              std::optional<QString>("Bad concierge id."));
    EXPECT_EQ(OTErrorPageMessage("<meta name=\"description\" content=\"Error 17\">"),
              std::optional<QString>("Error 17"));
    EXPECT_FALSE(OTErrorPageMessage("<meta name=\"keywords\" content=\"error\"><p>error</p>"));
    EXPECT_FALSE(OTErrorPageMessage("<meta name=\"description\" content=\"Times\">"));
}

TEST(OtSvcWire, ServiceMessageIsTheFirstFormOneSentencePerLine) {
    const QString page = "<h1>Head. Line</h1><FORM action=\"x\">\r\n\t<p>No tables are  "
                         "available.\r\nPlease   try another time.</p></form><form "
                         "action=\"y\">Other. Text</form>";
    EXPECT_EQ(OTServiceMessage(page),
              "No tables are available.\r\nPlease try another time.");
    EXPECT_EQ(OTNoTimesText("A.\r\nB."),
              "The OpenTable Service was unable to retrieve any reservation times. \r\n"
              "The service returned the following message: \r\n\r\nA.\r\nB.");
}

TEST(OtSvcWire, RequestedTimesAreCheckedAndNormalised) {
    EXPECT_EQ(NormaliseOTTime("7:30 pm"), std::optional<QString>("07:30 PM"));
    EXPECT_EQ(NormaliseOTTime(" 7:30pm "), std::optional<QString>("07:30 PM"));
    EXPECT_EQ(NormaliseOTTime("19:30"), std::optional<QString>("07:30 PM"));
    EXPECT_EQ(NormaliseOTTime("7 PM"), std::optional<QString>("07:00 PM"));
    EXPECT_EQ(NormaliseOTTime("07:30:00 AM"), std::optional<QString>("07:30 AM"));
    EXPECT_EQ(NormaliseOTTime("12:15 am"), std::optional<QString>("12:15 AM"));
    EXPECT_EQ(NormaliseOTTime("12:15 pm"), std::optional<QString>("12:15 PM"));
    EXPECT_EQ(NormaliseOTTime("0:05"), std::optional<QString>("12:05 AM"));
    for (const char* bad : {"19:30 pm", "13:00 am", "23:59 PM", "7.30 pm", "7:30.5", "7",
                            "24:00", "7:60 pm", "noon", "5/1/2024 7:30 PM", "7:30 xm"})
        EXPECT_FALSE(NormaliseOTTime(bad)) << bad;
    // Hours past noon are read as such when no am/pm follows.
    EXPECT_EQ(ParseOTTime("23:10"), QTime(23, 10));
}

TEST(OtSvcWire, HostsAreHostPortOrBareUrls) {
    EXPECT_EQ(ParseOTHost("book.example.net"), QUrl("http://book.example.net"));
    EXPECT_EQ(ParseOTHost("127.0.0.1:8080"), QUrl("http://127.0.0.1:8080"));
    EXPECT_EQ(ParseOTHost(" HTTPS://Book.example.net:8443/ "), QUrl("https://book.example.net:8443"));
    for (const char* bad : {"", "http://book.example.net/cs_single.asp", "user:pw@book.example.net",
                            "http://user@book.example.net", "book example.net", "ftp://book.net",
                            "book.net:0", "book.net:70000", "book.net?x=1", "-book.net"})
        EXPECT_FALSE(ParseOTHost(bad)) << bad;
}
