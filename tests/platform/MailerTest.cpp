#include "platform/Mailer.h"
#include "platform/DesktopMailer.h"
#include "support/RecordingDesktop.h"

#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace vm;

TEST(Mailer, MailtoKeepsReservedCharactersAndLineBreaks) {
    const QString subject = "Your Request - B&B #1?";
    const QString body = "50% off + tax\r\nkey=value & more#?\nlast line\r\n";
    const QUrl url = MailtoUrl({}, subject, body);
    ASSERT_TRUE(url.isValid());
    EXPECT_EQ(url.scheme(), "mailto");
    EXPECT_TRUE(url.path().isEmpty());

    const QByteArray encoded = url.toEncoded();
    EXPECT_TRUE(encoded.startsWith("mailto:?subject=Your%20Request%20-%20B%26B%20%231%3F&body="));
    EXPECT_TRUE(encoded.contains("50%25%20off%20%2B%20tax%0D%0Akey%3Dvalue"));
    EXPECT_FALSE(encoded.contains('+') || encoded.contains('#') || encoded.contains(' '));
    EXPECT_EQ(encoded.count('&'), 1);

    const QUrlQuery q(url);
    EXPECT_EQ(q.queryItemValue("subject", QUrl::FullyDecoded), subject);
    EXPECT_EQ(q.queryItemValue("body", QUrl::FullyDecoded),
              "50% off + tax\r\nkey=value & more#?\r\nlast line\r\n");
}

TEST(Mailer, DesktopMailerUsesTheMailToolWithAttachmentsOrFallsBackToALink) {
    test::RecordingDesktop desktop;
    DesktopMailer mailer(desktop);
    QString tool = "/usr/bin/xdg-email";
    mailer.findMailTool = [&] { return tool; };

    const MailMessage letter{
        "guest@example.org", "Your\nRequest", "Line 1\nLine 2", {"/tmp/a.pdf"}};
    EXPECT_TRUE(mailer.send(letter));
    ASSERT_EQ(desktop.started.size(), 1);
    EXPECT_EQ(desktop.started[0].program, tool);
    EXPECT_EQ(desktop.started[0].arguments,
              (QStringList{"--utf8", "--subject", "Your Request", "--body", "Line 1\r\nLine 2",
                           "--attach", "/tmp/a.pdf", "guest@example.org"}));
    EXPECT_TRUE(desktop.opened.isEmpty());

    // Without the tool a link carries the message, but never without its attachment.
    tool.clear();
    EXPECT_FALSE(mailer.send(letter));
    EXPECT_TRUE(desktop.opened.isEmpty());
    EXPECT_TRUE(mailer.send({{}, "Hi & bye", "Body", {}}));
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(QUrlQuery(desktop.opened[0]).queryItemValue("subject", QUrl::FullyDecoded),
              "Hi & bye");

    // A tool that does not start falls back to the link as well.
    tool = "/usr/bin/xdg-email";
    desktop.starts = false;
    EXPECT_TRUE(mailer.send({{}, "S", "B", {}}));
    EXPECT_EQ(desktop.started.size(), 2);
    EXPECT_EQ(desktop.opened.size(), 2);

    // Nothing takes the link either: the caller learns that no mail program took it.
    desktop.opens = false;
    EXPECT_FALSE(mailer.send({{}, "S", "B", {}}));
}
