// The message pages as files: what a browser-grade parser reads from them,
// what the page reader gives back, and how the personal centre is kept,
// split into pages and written back.

#include "core/WebPages.h"
#include "desk/MessageAdminFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace vm::test {
namespace {

using admin::Flat;

class MessagePagesTest : public MessageAdminFixture {
protected:
    QString write(const QString& name, const QString& html) {
        const QString path = QDir(env.root()).filePath(name);
        QString why;
        EXPECT_TRUE(WritePageFile(path, html, &why)) << why.toStdString();
        return path;
    }
    static QList<PageRow> hostileRows() {
        return {
            {"2026/03/14 09:30", "Ann Desk", "Plain words"},
            {"2026/03/14 09:31", "O'Brien & <Sons>", "a < b && c > d"},
            {"2026/03/14 09:32", "Ann", "</td></tr><tr><td>forged</td><td>x</td><td>y</td></tr>"},
            {"2026/03/14 09:33", "Ann", MessageMarker},
            {"2026/03/14 09:34", "Ann", "two\r\nlines with CRLF\r\n"},
            {"2026/03/14 09:35", "Ann", "bare\nline\rfeeds"},
            {"2026/03/14 09:36", "Ann", "&amp; &lt;br&gt; <br> &#65; written literally"},
            {"2026/03/14 09:37", "Ann", "Caf\u00e9 \u65e5\u672c \"quoted\" 'single'"},
            {"2026/03/14 09:38", "Ann", "  padded  "},
            {"2026/03/14 09:39", "Ann", ""},
            {"2026/03/14 09:40", "<!-- ~~Message Text~~ -->", "<script>alert(1)</script>"},
        };
    }
};

TEST_F(MessagePagesTest, TemplateIsAnEmptyUtf8PageWithItsEscapedTitleAndOneMarker) {
    const QString title = "Personal Message Center for O'Neil & <Partners>";
    const QString html = MessagePageTemplate(title);
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>"));
    EXPECT_EQ(html.count(MessageMarker), 1);
    EXPECT_TRUE(ReadPageRows(html).isEmpty());

    const ParsedPage page = ParseWithPython(write("t.htm", html));
    ASSERT_TRUE(page.ok) << page.error.toStdString();
    EXPECT_EQ(page.title, title);
    EXPECT_EQ(page.charset.toLower(), "utf-8");
    EXPECT_TRUE(page.rows.isEmpty());
}

TEST_F(MessagePagesTest, HostileTextsRoundTripThroughTheReaderAndAnHtmlParser) {
    QString html = MessagePageTemplate("Board");
    for (const PageRow& r : hostileRows())
        html = InsertPageRow(html, r);

    EXPECT_EQ(html.count(MessageMarker), 1) << "user text must never form a second marker";
    EXPECT_EQ(Flat(ReadPageRows(html)), Flat(hostileRows()));

    const ParsedPage page = ParseWithPython(write("hostile.htm", html));
    ASSERT_TRUE(page.ok) << page.error.toStdString();
    EXPECT_EQ(Flat(page.rows), Flat(hostileRows()));
    EXPECT_TRUE(page.links.isEmpty()) << "no text may turn into markup";
}

TEST_F(MessagePagesTest, RowsAreWrittenInTheKeptLayoutBeforeTheMarker) {
    const QString html =
        InsertPageRow(MessagePageTemplate("Board"), {"2026/03/14 09:30", "Ann", "Hi\r\nthere"});
    EXPECT_TRUE(html.contains("</tr>\r\n\r\n<tr>\r\n<td valign=top>2026/03/14 09:30</td>\r\n"
                              "<td valign=top>Ann</td>\r\n<td>Hi<br>\r\nthere</td>\r\n</tr>\r\n" +
                              MessageMarker))
        << html.toStdString();
}

TEST_F(MessagePagesTest, OnlyTheFirstMarkerTakesTheRowAndRowsKeepTheirOrder) {
    const QString twoMarkers = "<table>\r\n" + MessageMarker + "\r\n</table>\r\n" + MessageMarker;
    QString html = InsertPageRow(twoMarkers, {"1", "a", "first"});
    html = InsertPageRow(html, {"2", "b", "second"});
    EXPECT_EQ(html.count(MessageMarker), 2);
    EXPECT_LT(html.indexOf("second"), html.indexOf(MessageMarker));
    EXPECT_EQ(Flat(ReadPageRows(html)), Flat({{"1", "a", "first"}, {"2", "b", "second"}}));
}

TEST_F(MessagePagesTest, APageWithoutMarkerKeepsItsContentAndGainsTheRow) {
    const QString html = InsertPageRow("<p>hand made</p>", {"1", "a", "kept"});
    EXPECT_TRUE(html.startsWith("<p>hand made</p>"));
    EXPECT_EQ(Flat(ReadPageRows(html)), Flat({{"1", "a", "kept"}}));
    EXPECT_EQ(Flat(ReadPageRows(InsertPageRow(html, {"2", "b", "next"}))),
              Flat({{"1", "a", "kept"}, {"2", "b", "next"}}));
}

TEST_F(MessagePagesTest, RemovingARowLeavesTheOthersAndTheRestOfThePage) {
    QString html = MessagePageTemplate("Board");
    for (const PageRow& r : hostileRows())
        html = InsertPageRow(html, r);
    QList<PageRow> expected = hostileRows();

    struct Case {
        int index;
        bool removes;
    };
    for (const Case c : {Case{2, true}, Case{0, true}, Case{-1, false}, Case{99, false}}) {
        SCOPED_TRACE(c.index);
        const QString after = RemovePageRow(html, c.index);
        if (!c.removes) {
            EXPECT_EQ(after.toStdString(), html.toStdString());
            continue;
        }
        html = after;
        expected.removeAt(c.index);
        EXPECT_EQ(Flat(ReadPageRows(html)), Flat(expected));
    }
    EXPECT_EQ(html.count(MessageMarker), 1);
    EXPECT_TRUE(html.contains("<h1>Board</h1>"));
    // Deleting every row gives the empty page back, byte for byte.
    while (!ReadPageRows(html).isEmpty())
        html = RemovePageRow(html, 0);
    EXPECT_EQ(html.toStdString(), MessagePageTemplate("Board").toStdString());
}

TEST_F(MessagePagesTest, PaginationKeepsEveryRowInOrderWithinTheLimitAndLinksThePages) {
    QList<PageRow> rows;
    for (int i = 0; i < 40; ++i)
        rows.append({QString("2026/03/%1 10:00").arg(i % 28 + 1, 2, 10, QChar('0')),
                     "Sender " + QString::number(i), QString(250, QChar('a' + i % 26)) + " & <"});
    const int limit = 3000;
    const QString base = QDir(env.root()).filePath("MsgCtrAD.htm");
    const auto pages = PaginatePages(base, "Mine", rows, limit);
    ASSERT_GT(pages.size(), 3);

    QList<PageRow> back;
    for (int n = 0; n < pages.size(); ++n) {
        SCOPED_TRACE(n + 1);
        const auto& [file, html] = pages[n];
        EXPECT_EQ(QFileInfo(file).fileName(),
                  n == 0 ? QString("MsgCtrAD.htm") : QString("MsgCtrAD - Page %1.htm").arg(n + 1));
        EXPECT_LE(html.size(), limit);
        const QString path = write(QFileInfo(file).fileName(), html);
        const ParsedPage parsed = ParseWithPython(path);
        ASSERT_TRUE(parsed.ok) << parsed.error.toStdString();
        EXPECT_FALSE(parsed.rows.isEmpty());
        back += parsed.rows;
        if (n + 1 < pages.size()) {
            ASSERT_EQ(parsed.links.size(), 1);
            EXPECT_EQ(parsed.links[0].second, QString("Go to Page Number %1").arg(n + 2));
            // The link leads to the next page's file, next to this one.
            EXPECT_EQ(QUrl(parsed.links[0].first).path(), QFileInfo(pages[n + 1].first).fileName());
        } else {
            EXPECT_TRUE(parsed.links.isEmpty());
        }
    }
    EXPECT_EQ(Flat(back), Flat(rows));
}

TEST_F(MessagePagesTest, PaginationEdgeCases) {
    // No rows: one empty first page.
    const auto none = PaginatePages("MsgCtrAD.htm", "Mine", {}, 3000);
    ASSERT_EQ(none.size(), 1);
    EXPECT_EQ(none[0].first, "MsgCtrAD.htm");
    EXPECT_TRUE(ReadPageRows(none[0].second).isEmpty());

    // A row larger than a page still gets a page of its own; nothing is cut.
    const QList<PageRow> big = {
        {"1", "a", "short"}, {"2", "b", QString(5000, 'x')}, {"3", "c", "z"}};
    const auto pages = PaginatePages("MsgCtrAD.htm", "Mine", big, 3000);
    ASSERT_EQ(pages.size(), 3);
    QList<PageRow> back;
    for (const auto& p : pages)
        back += ReadPageRows(p.second);
    EXPECT_EQ(Flat(back), Flat(big));
}

TEST_F(MessagePagesTest, LogonPreparesTheBoardAndThePersonalPageWithoutOverwritingThem) {
    const QString board = WhiteboardFile(ctx());
    const QString mine = PersonalMessagePage(ctx());
    ASSERT_FALSE(QFileInfo::exists(board));
    PreparePersonalPage(ctx());

    ParsedPage b = ParseWithPython(board);
    ASSERT_TRUE(b.ok) << b.error.toStdString();
    EXPECT_EQ(b.title, "The Concierge Message Center");
    ParsedPage m = ParseWithPython(mine);
    ASSERT_TRUE(m.ok) << m.error.toStdString();
    EXPECT_EQ(m.title, "Personal Message Center for Ann Desk");
    EXPECT_TRUE(mine.endsWith("/WebPages/MsgCtrAD.htm"));

    // A board with rows is not the template of a new page, and a second
    // logon leaves both pages as they are.
    ASSERT_TRUE(WritePageFile(board, InsertPageRow(ReadPageFile(board), {"1", "Bob", "board"})));
    QFile::remove(mine);
    PreparePersonalPage(ctx());
    EXPECT_TRUE(ReadPageRows(ReadPageFile(mine)).isEmpty());
    EXPECT_EQ(ReadPageRows(ReadPageFile(board)).size(), 1);
    KeepInPersonalCenter(ctx(), {"2", "Bob", "mine"});
    PreparePersonalPage(ctx());
    EXPECT_EQ(Flat(ReadPageRows(ReadPageFile(mine))), Flat({{"2", "Bob", "mine"}}));
    EXPECT_TRUE(env.prompt.shown.isEmpty());
}

TEST_F(MessagePagesTest, KeepingAppendsAndWarnsOnceTheFirstPageIsTooLong) {
    EXPECT_FALSE(KeepInPersonalCenter(ctx(), {"2026/03/14 09:30", "Bob", "first"}));
    EXPECT_FALSE(KeepInPersonalCenter(ctx(), {"2026/03/14 09:31", "Bob", QString(40000, 'q')}));
    EXPECT_TRUE(KeepInPersonalCenter(ctx(), {"2026/03/14 09:32", "Bob", QString(20000, 'r')}));
    const auto rows = ReadPersonalPages(ctx());
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].text, "first");
    EXPECT_EQ(rows[2].when, "2026/03/14 09:32");
}

TEST_F(MessagePagesTest, WritingBackSplitsIntoPagesAndRemovesPagesNoLongerNeeded) {
    QList<PageRow> rows;
    for (int i = 0; i < 12; ++i)
        rows.append({"2026/03/14 09:" + QString::number(10 + i), "Bob",
                     QString::number(i) + QString(10000, 'm')});
    ASSERT_TRUE(WritePersonalPages(ctx(), rows));
    const QString third = QDir(MessagePagesFolder(ctx())).filePath("MsgCtrAD - Page 3.htm");
    EXPECT_TRUE(QFileInfo::exists(third));
    EXPECT_EQ(Flat(ReadPersonalPages(ctx())), Flat(rows));

    rows = rows.mid(0, 2);
    ASSERT_TRUE(WritePersonalPages(ctx(), rows));
    EXPECT_FALSE(QFileInfo::exists(third)) << "a stale page would still show deleted rows";
    EXPECT_EQ(Flat(ReadPersonalPages(ctx())), Flat(rows));
}

TEST_F(MessagePagesTest, APageThatCannotBeWrittenIsReportedNotPassedOver) {
    // The pages folder is taken by a file: nothing can be written below it.
    QDir().mkpath(env.databaseFolder());
    QFile blocker(MessagePagesFolder(ctx()));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    PreparePersonalPage(ctx());
    EXPECT_TRUE(env.prompt.sawPart("could not be written"))
        << env.prompt.texts().join("|").toStdString();
    env.prompt.clear();
    EXPECT_FALSE(KeepInPersonalCenter(ctx(), {"1", "a", "lost?"}));
    EXPECT_TRUE(env.prompt.sawPart("MsgCtrAD.htm could not be written"));
    env.prompt.clear();
    EXPECT_FALSE(WritePersonalPages(ctx(), {{"1", "a", "b"}}));
    EXPECT_TRUE(env.prompt.sawPart("could not be written"));
}

} // namespace
} // namespace vm::test
