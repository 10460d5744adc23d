#include "LimoFixture.h"

#include <QElapsedTimer>

using namespace vm;
using namespace vm::test;

namespace {
class LimoExchange : public LimoFixture {};
} // namespace

TEST_F(LimoExchange, WritesTheRequestLineByLineAndStoresTheConfirmation) {
    goodBridge("12345");
    const qint64 id = addEntry();
    const qint64 versionBefore = stored(id).rowVersion;

    ASSERT_TRUE(DispatchLimoEntry(*env.ctx, id, false));

    const QStringList expected = {
        "fname:Pat", "lname:Rider", "room:1204", "refdate:03/15/2026",
        "logid:" + QString::number(id), "propid:4711", "concname:Ann Desk", "concdesk:Lobby",
        "concemail:ann@hotel.test", "concphone:555-0100", "putime:18:30", "puloc:Main entrance",
        "doloc:Airport T2", "vtype:Sedan", "npass:2", "bcode:corp", "airline:VA",
        "airflight:1234", "ccnumb:xxxxxxxxxxxx1111", "ccexp:12/28", "instr:Two suitcases",
        "confnum:", "restype:new",
        ""}; // the last line ends with CRLF too
    EXPECT_EQ(captured(), expected);
    ASSERT_EQ(env.desktop.started.size(), 1);
    EXPECT_EQ(env.desktop.started[0].arguments,
              QStringList{QDir::toNativeSeparators(QDir(exchange).absoluteFilePath("OdsIN.txt"))});

    EXPECT_EQ(value(id, "Confirmation:"), "12345");
    EXPECT_GT(stored(id).rowVersion, versionBefore);
    EXPECT_EQ(env.prompt.last(), OdsCompleteMessage(false));
    EXPECT_TRUE(env.prompt.saw("The Reservation is complete.\r\n"
                               "This logbook entry will be automatically Save."));
}

TEST_F(LimoExchange, AConfirmedEntryIsSentAsAChangeOrACancellation) {
    goodBridge("777");
    const qint64 id = addEntry({{"confnum", "12345"}});

    ASSERT_TRUE(DispatchLimoEntry(*env.ctx, id, false));
    EXPECT_EQ(captured().at(captured().size() - 2), "restype:change");
    EXPECT_TRUE(captured().contains("confnum:12345"));
    EXPECT_EQ(value(id, "Confirmation:"), "777");

    ASSERT_TRUE(DispatchLimoEntry(*env.ctx, id, true));
    EXPECT_TRUE(captured().contains("vtype:*CXL*"));
    EXPECT_EQ(captured().at(captured().size() - 2), "restype:cancel");
    EXPECT_EQ(env.prompt.last(), OdsCompleteMessage(true));

    // Nothing was ever booked for an unconfirmed entry: its cancellation,
    // and a cancelled entry saved again, send nothing.
    const qint64 unconfirmed = addEntry();
    EXPECT_FALSE(DispatchLimoEntry(*env.ctx, unconfirmed, true));
    LogEntry cancelled = limoEntry({{"confnum", "555"}});
    cancelled.cancelled = true;
    const qint64 gone = LogbookStore(*env.ctx).InsertLogBook(cancelled);
    EXPECT_FALSE(DispatchLimoEntry(*env.ctx, gone, false));
    EXPECT_EQ(env.desktop.started.size(), 2);
}

TEST_F(LimoExchange, AnAnswerThatIsNotThisEntrysConfirmationChangesNothing) {
    const qint64 id = addEntry();
    const QString before = stored(id).text;
    const QString returnFile = exchange + "/OdsRet.txt";
    const struct {
        QString answer, message;
    } cases[] = {
        {"printf 'LogID:9999\\r\\nConfirmation:4242\\r\\n' > \"$DIR/OdsRet.txt\"",
         "The dispatch system answered for another logbook entry (9999)."},
        {"printf 'LogID:%s\\r\\nConfirmation:pending\\r\\n' \"$ID\" > \"$DIR/OdsRet.txt\"",
         "The dispatch system's answer could not be read."},
        {"printf 'garbage' > \"$DIR/OdsRet.txt\"", "The dispatch system's answer could not be read."},
        {"exit 0", "No confirmation was received from the dispatch system."},
        {"exit 3", "The dispatch system's bridge program ended with error 3."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer.toStdString());
        // An earlier answer for this very entry must not pass for this exchange's.
        QFile stale(returnFile);
        stale.open(QIODevice::WriteOnly | QIODevice::Truncate);
        stale.write(QString("LogID:%1\r\nConfirmation:1111\r\n").arg(id).toUtf8());
        stale.close();
        bridge(c.answer);
        env.prompt.clear();

        EXPECT_FALSE(DispatchLimoEntry(*env.ctx, id, false));
        EXPECT_EQ(stored(id).text, before);
        ASSERT_EQ(env.prompt.shown.size(), 1);
        EXPECT_TRUE(env.prompt.shown[0].text.startsWith(c.message)) << env.prompt.last().toStdString();
        EXPECT_TRUE(env.prompt.shown[0].text.endsWith("The logbook entry was not changed."));
    }
}

TEST_F(LimoExchange, AHungBridgeIsStoppedAtTheTimeLimit) {
    SetValueFromKey(env.db(), "OdsLimoTimeout", "1");
    bridge("sleep 30");
    const qint64 id = addEntry();
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(DispatchLimoEntry(*env.ctx, id, false));
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_TRUE(env.prompt.last().startsWith(
        "The dispatch system did not answer in time and was stopped."));
    EXPECT_EQ(value(id, "Confirmation:"), "");
}
