// The main window's poll for due messages and the message centre's list on
// 100,000 stored messages of 200 staff: the program's time and the engine
// floor of the same statements on the sqlite3 C API (prepared once, every row
// stepped, every column read).  The table at the end gives program ms /
// engine ms per action.
//
// The messages are generated afresh in a temporary folder on every run (a
// few seconds): two years of messages, most of them read long ago, a tenth
// longer than one 255-character piece.

#include "ActionRunner.h"
#include "BenchData.h"
#include "EngineFloor.h"
#include "RatioReporter.h"

#include "core/AppContext.h"
#include "core/Formats.h"
#include "desk/MessageRows.h"
#include "desk/Messages.h"
#include "platform/LocalTimeZone.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlDriver>
#include <sqlite3.h>

using namespace vm;
using namespace vm::bench;

namespace {

constexpr int MessageCount = 100'000;
constexpr int StaffCount = 200;

using Desk = ScratchDesk;
Desk* g_desk = nullptr;

QString staffName(int i) {
    return i == 0 ? DeskName : "Staff Member " + QString::number(i);
}

void generate(Database& db) {
    QRandomGenerator rng(20260314);
    const QDateTime now(Today, QTime(10, 0));
    db.transaction([&] {
        for (int i = 1; i < StaffCount; ++i)
            db.exec("INSERT INTO [Concierge] ([Concierge], [UserProfile], [Initials], [Status], "
                    "[MessageGroup]) VALUES (?, ?, ?, 'A', ?)",
                    {staffName(i), "staff" + QString::number(i), "S" + QString::number(i),
                     i % 3 == 0 ? "Bell" : "Front"});
        for (int i = 0; i < MessageCount; ++i) {
            const int to = int(rng.bounded(StaffCount));
            const int from = int(rng.bounded(StaffCount));
            // Two years back to a week ahead; what is older than a day is mostly read.
            const QDateTime due =
                now.addSecs(-qint64(rng.bounded(2 * 365 * 24 * 60)) * 60 + 7 * 24 * 3600);
            const bool read = due < now.addDays(-1) && rng.bounded(10) < 9;
            const qint64 id = db.insert(
                "INSERT INTO [MsgTimer] ([MsgDateTime], [TypeOfMessage], [SentFrom], "
                "[ConciergeName], [CreateDateTime], [LogbookID]) VALUES (?, ?, ?, ?, ?, ?)",
                {Formats::StoredDateTime(due), rng.bounded(20) == 0 ? "U" : "",
                 staffName(from) + (rng.bounded(5) == 0 ? GroupSenderSuffix : QString()),
                 staffName(to), Formats::StoredDateTime(due.addSecs(-3600)),
                 read ? -1 : (rng.bounded(4) == 0 ? qint64(1 + rng.bounded(1000000)) : 0)},
                "TimerID");
            const int length = rng.bounded(10) == 0 ? 400 : 40 + int(rng.bounded(160));
            int sequence = 0;
            QString text(length, QChar('a' + i % 26));
            while (!text.isEmpty()) {
                db.exec("INSERT INTO [MsgText] ([TimerID], [Sequence], [MsgText]) VALUES (?, ?, "
                        "?)",
                        {id, ++sequence, text.left(255)});
                text.remove(0, 255);
            }
        }
    });
}

void openDesk(Desk& d) {
    OpenScratchDesk(
        d, [](AppContext& ctx) -> Database& { return ctx.db(); }, generate);
    d.ctx->session.name = DeskName;
    d.ctx->session.initials = DeskInitials;
}

sqlite3* programHandle() {
    return ProgramHandle(g_desk->ctx->db());
}

// One tick of the main window's timer: how many are due, and the caption.
Action pollAction() {
    const QString sql = g_desk->ctx->db().translate(msg::DueCountSql);
    return {"poll (due count and caption)",
            [] {
                const QString caption =
                    MailCaption(CountDueMessages(*g_desk->ctx, g_desk->ctx->session.name));
                return size_t(caption.isEmpty() ? 0 : 1);
            },
            [sql] {
                const QVariantList params{DeskName,
                                          Formats::StoredDateTime(QDateTime(Today, QTime(10, 0)))};
                return size_t(g_desk->engine->run(sql, params));
            }};
}

// The message centre: one recipient's active messages with their texts.
Action listAction(const QString& name, bool disposed) {
    MsgListQuery q;
    q.filter = MsgFilter::ByRecipient;
    q.name = staffName(17);
    q.disposed = disposed;
    const msg::MsgStatement st = msg::MessageListStatement(q);
    const QString sql = g_desk->ctx->db().translate(st.sql);
    const QVariantList params = st.params;
    return {name, [q] { return size_t(GetMessages(*g_desk->ctx, q).size()); },
            [sql, params] { return size_t(g_desk->engine->run(sql, params)); }};
}

std::vector<Action> actions() {
    return {pollAction(), listAction("message centre, one recipient, active", false),
            listAction("message centre, one recipient, read", true)};
}

void registerAll(RatioReporter& reporter) {
    static const std::vector<Action> all = actions();
    RegisterActions(all, reporter, programHandle, [] { return g_desk->engine->handle(); });
}

} // namespace

int main(int argc, char** argv) {
    vm::PinLocalTimeZone();
    QCoreApplication app(argc, argv);
    Desk desk;
    g_desk = &desk;
    openDesk(desk);
    RunActions(argc, argv, registerAll);
    desk.engine.reset();
    desk.ctx.reset();
    return 0;
}
