// A guest itinerary of 30 entries on a property with 20,000 logbook entries:
// reading the guest's entries and composing the itinerary with its e-mail
// body and printed document.  Goal: within 50 ms.
//
// The property is generated afresh in a temporary folder on every run.

#include "BenchData.h"

#include "core/AppContext.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "guests/Itinerary.h"
#include "guests/reports/ItineraryReports.h"
#include "logbook/Categories.h"
#include "logbook/Designs.h"
#include "platform/LocalTimeZone.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

using namespace vm;
using namespace vm::bench;

namespace {

constexpr int EntryTotal = 20'000;
constexpr int GuestEntries = 30;
const QStringList Categories = {"Dining", "Tours", "Transport", "Spa", "Theatre", "Internal"};

ScratchDesk* g_desk = nullptr;

// Every guest has a handful of entries; "Guest 0" has thirty over a week.
void generate(Database& db) {
    QRandomGenerator random(2026);
    const QString sql =
        "INSERT INTO [LogBook] ([LastName], [FirstName], [ProfileID], [EntryType], [ReferDate], "
        "[ReferTime], [ArrivalDate], [Cancelled], [Complete], [NoteField], [EnteredBy], "
        "[EntryDate], [EntryTime]) VALUES (?, ?, 0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
    db.transaction([&] {
        for (int i = 0; i < EntryTotal; ++i) {
            const int guest = i < GuestEntries ? 0 : 1 + int(random.bounded(4000));
            const QDate day = Today.addDays(i < GuestEntries ? i / 5 : int(random.bounded(365)));
            // The guest's own thirty all belong on the itinerary.
            const bool own = i < GuestEntries;
            const QString category =
                own ? Categories[i % 5] : Categories[int(random.bounded(Categories.size()))];
            const QString text = category == "Dining"
                                     ? "Restaurant: Chez Leon\r\nCommission: 12%\r\nWindow table"
                                     : "Pick-up at the main entrance (AD 2026/03/10 09:00)";
            db.exec(sql,
                    {"Guest " + QString::number(guest), "Pat", category, Formats::StoredDate(day),
                     QString("%1:30").arg(8 + int(random.bounded(12)), 2, 10, QChar('0')),
                     Formats::StoredDate(Today), !own && random.bounded(50) == 0, false, text,
                     DeskName, Formats::StoredDate(Today), "10:00"});
        }
    });
}

void prepareCategories(AppContext& ctx) {
    for (const QString& name : Categories)
        InsertCategory(ctx.db(), name);
    const qint64 dining = GetLogTypeID(ctx.db(), "Dining");
    std::vector<DesignLine> lines(2);
    lines[0].label = "Restaurant:";
    lines[1].label = "Commission:";
    lines[1].doNotPrint = true;
    SaveDesign(ctx, dining, lines);
    Category c = *GetLogTypeFlags(ctx.db(), dining);
    UpdateConfText(ctx, c, "We look forward to welcoming you.", {});
    Category internal = *GetLogTypeByName(ctx.db(), "Internal");
    internal.dnpItinerary = true;
    UpdateConfText(ctx, internal, {}, {});
    PutECT(ctx, 0, TextKind::ItineraryHeader + "0", "Welcome to the hotel.");
    PutECT(ctx, 0, TextKind::ItineraryFooter + "0", "We wish you a pleasant stay.");
}

void composeItinerary(benchmark::State& state) {
    AppContext& ctx = *g_desk->ctx;
    const ItineraryGuest guest{"Guest 0", "Pat", 0};
    ItineraryOptions options;
    options.signature = true;
    size_t items = 0;
    for (auto _ : state) {
        const std::vector<LogEntry> entries = ItineraryEntries(ctx, guest);
        const ItineraryDocument d = ComposeItinerary(ctx, entries, options);
        const QString body = ItineraryMailBody(d);
        doc::Document printed;
        AppendItinerary(printed, d);
        benchmark::DoNotOptimize(body);
        items = d.items.size();
    }
    state.counters["items"] = double(items);
}

} // namespace

int main(int argc, char** argv) {
    vm::PinLocalTimeZone();
    QCoreApplication app(argc, argv);
    ScratchDesk desk;
    g_desk = &desk;
    OpenScratchDesk(
        desk, [](AppContext& ctx) -> Database& { return ctx.db(); }, generate);
    desk.ctx->session.name = DeskName;
    prepareCategories(*desk.ctx);
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("itinerary of 30 entries composed", composeItinerary)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.2)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    desk.engine.reset();
    desk.ctx.reset();
    return 0;
}
