// Every parser of stored or received text fed truncated, mutated, binary and
// oversized input in a seeded loop bounded in time: it must not crash or
// hang, it answers a message or a clean refusal, and a refusal writes
// nothing to the database.

#include "bookings/OnlineTables.h"
#include "core/Formats.h"
#include "core/WebPages.h"
#include "desk/MessagePages.h"
#include "desk/MessageRules.h"
#include "drills/DrillBadInput.h"
#include "drills/DrillProcess.h"
#include "guests/Events.h"
#include "interfaces/LimoFixture.h"
#include "logbook/CustomForms.h"
#include "logbook/LogbookExport.h"
#include "operations/KeyControl.h"
#include "operations/Rentals.h"
#include "output/PictureFile.h"
#include "platform/Cipher.h"
#include "platform/LocationProvider.h"
#include "platform/PasswordHash.h"
#include "platform/Signature.h"
#include "platform/RegistryValues.h"
#include "security/SupportAccess.h"
#include "support/FakeHttpServer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

using namespace vm;
using namespace vm::test;
using namespace vm::test::drill;

namespace {

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void Report(const char* parser, const DriveResult& r) {
    EXPECT_TRUE(r.faults.isEmpty()) << parser << ":\n" << r.faults.join("\n").toStdString();
    // A megabyte is read in well under a second by a parser that is not quadratic.
    EXPECT_LT(r.slowestMs, 3000) << parser << ": slowest input (" << r.slowestKind.toStdString()
                                 << ") took " << r.slowestMs << " ms";
    std::printf("[ drill    ] %s: %d inputs, slowest %lld ms (%s)\n", parser, r.inputs,
                r.slowestMs, qPrintable(r.slowestKind));
}

class DrillBadFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(env.openOrFail());
        staffId = env.addStaff("Lee Drill", "lee", "LD");
        env.logOn(staffId);
    }
    TestEnv env;
    qint64 staffId = 0;
};

// ---------------------------------------------------------------- designs

TEST_F(DrillBadFiles, DesignedLinesReadAndWriteAnyEntryText) {
    const QStringList labels = {"Name:", "Party Size:", "Time:", "Notes:"};
    std::vector<DesignItem> items;
    for (int i = 0; i < labels.size(); ++i)
        items.push_back({i + 1, i + 1, labels[i]});
    const QStringList values = {"Marco's", "4", "19:30", "window table"};
    const QString text = DesignLinesOnly(items, values) + "Free text after the lines.\r\n";
    BadInput input(DrillSeed(101), {text.toUtf8(), "Name:\r\nTime:x", "Notes:"});
    const DriveResult r = Drive(input, [&](const QByteArray& bytes) -> QString {
        const QString stored = AsText(bytes);
        // The labels may be anything a design could be saved with.
        std::vector<DesignItem> bad = items;
        bad[size_t(input.below(4))].labelText = NormaliseLabel(AsText(bytes.left(30)));
        std::vector<DesignLine> lines;
        for (const DesignItem& i : bad)
            lines.push_back(DesignLine{0, i.labelText});
        const bool saveable = CheckDesign(lines).isEmpty() &&
                              std::none_of(bad.begin(), bad.end(), [](const DesignItem& i) {
                                  return i.labelText.isEmpty();
                              });
        const QStringList read = ReadDesignValues(stored, saveable ? bad : items);
        DesignLinesEnd(stored, labels);
        RelabelText(stored, {{"Name:", "Guest Name:"}, {"Time:", "Name:"}});
        const QString written = WriteDesignValues(stored, items, values);
        // What was written reads back from a text whose labels are where designed
        // lines begin.  (A label is found anywhere: one inside another line's
        // value is taken for that line, and the value written there is lost when
        // the other line is written after it.)
        const bool linesAtStart = std::all_of(items.begin(), items.end(), [&](const DesignItem& i) {
            const qsizetype at = stored.indexOf(i.labelText, 0, Qt::CaseInsensitive);
            return at < 0 || ((at == 0 || stored.mid(at - 2, 2) == "\r\n") &&
                              stored.indexOf(i.labelText, at + 1, Qt::CaseInsensitive) < 0);
        });
        if (linesAtStart && ReadDesignValues(written, items) != values)
            return "written values read back as " + ReadDesignValues(written, items).join('|');
        return read.size() == qsizetype(items.size()) ? QString() : "values missing";
    });
    Report("design lines", r);
}

// ---------------------------------------------------------------- export definitions

TEST_F(DrillBadFiles, ExportDefinitionsLoadAndRunFromAnyStoredText) {
    Database& db = env.db();
    InsertCategory(db, "Dining");
    LogEntry e;
    e.lastName = "Export";
    e.entryType = "Dining";
    e.referDate = "2026/03/14";
    e.text = "Table for two";
    LogbookStore(*env.ctx).InsertLogBook(e);
    ExportCriteria c;
    c.categories.push_back({GetLogTypeID(db, "Dining"), {1, 2}});
    c.dateType = ExportDateType::Reference;
    c.dateFrom = QDate(2026, 3, 1);
    c.dateTo = QDate(2026, 3, 31);
    c.staff = {"Lee Drill", "A, B: C%"};
    c.profileTypes = {"VIP"};
    c.groups = {3, 4};
    c.status = 2;
    const qint64 id = CreateExportDefinition(db, "Drill");
    ASSERT_GT(id, 0);
    const QString file = QDir(env.root()).filePath("export.csv");
    // A text whose sections were written over and over reads as written once,
    // and runs as that (not as thousands of conditions).
    const QString saved = SerializeExportCriteria(c);
    const ExportCriteria repeated = ParseExportCriteria(saved.repeated(3000));
    EXPECT_EQ(SerializeExportCriteria(repeated), saved);
    EXPECT_EQ(RunLogbookExport(*env.ctx, repeated, file),
              RunLogbookExport(*env.ctx, ParseExportCriteria(saved), file));
    const QByteArray before = DatabaseDigest(db, {"LogbookExportDefs"});

    BadInput input(DrillSeed(102), {saved.toUtf8(), "Status=1,1\xf1"});
    const DriveResult r = Drive(input, [&](const QByteArray& bytes) -> QString {
        QString stored = AsText(bytes);
        if (db.engine() == Engine::PostgreSQL) stored.remove(QChar(0)); // no text holds NUL there
        db.exec("UPDATE [LogbookExportDefs] SET [Definition] = ? WHERE [ID] = ?", {stored, id});
        const auto loaded = LoadExportDefinition(db, id);
        if (!loaded) return {};
        try {
            RunLogbookExport(*env.ctx, *loaded, file);
        } catch (const ExportFileError&) {
            // refused with its message
        }
        return {};
    });
    Report("export definitions", r);
    EXPECT_EQ(DatabaseDigest(db, {"LogbookExportDefs"}), before);
}

// ---------------------------------------------------------------- return files

// A bridge that answers at once with the bytes the drill gives it.
class AnsweringDesktop : public RecordingDesktop {
public:
    TimedRun runAndWaitAtMost(const QString&, const QStringList& arguments, int) override {
        WriteBytes(QFileInfo(arguments.value(0)).dir().filePath(OdsReturnFileName), answer);
        return {true, true, 0};
    }
    QByteArray answer;
};

class DrillBadFilesLimo : public LimoFixture {};

TEST_F(DrillBadFilesLimo, ReturnFilesOfAnyBytesConfirmOnlyANumberForTheEntry) {
    AnsweringDesktop bridge;
    env.ctx->setDesktop(&bridge);
    SetValueFromKey(env.db(), "OdsLimoProgram", "OdsLimo");
    const qint64 logId = addEntry();
    const QByteArray good = "LogID:" + QByteArray::number(logId) + "\r\nConfirmation:4711\r\n";
    BadInput input(DrillSeed(103), {good, "LogID:" + QByteArray::number(logId) + "\nConf"});
    LogbookStore store(*env.ctx);
    const DriveResult r = Drive(input, [&](const QByteArray& bytes) -> QString {
        bridge.answer = bytes;
        const auto version = store.StoredVersion(logId);
        const qsizetype shown = env.prompt.shown.size();
        const bool changed = DispatchLimoEntry(*env.ctx, logId, false);
        if (env.prompt.shown.size() != shown + 1) return "no message";
        if (!changed)
            return store.StoredVersion(logId) == version ? QString() : "refused, yet written";
        // Written only for an answer naming this entry with a number.
        const QString number = value(logId, "Confirmation:");
        const QStringList lines = AsText(bytes).split(QRegularExpression("\r\n|\n|\r"));
        if (number.isEmpty() || !QRegularExpression("^\\d+$").match(number).hasMatch() ||
            !lines.value(1).trimmed().endsWith(number) ||
            !lines.value(0).trimmed().endsWith(":" + QString::number(logId)))
            return "confirmed " + number.left(40);
        return {};
    });
    Report("limousine return files", r);
}

// ---------------------------------------------------------------- online tables

TEST_F(DrillBadFiles, OnlineTableRepliesOfAnyPageEndInResultsOrAMessage) {
    FakeHttpServer server;
    ASSERT_TRUE(server.listen());
    RecordingPrompt prompt;
    OTConfig config;
    config.conciergeId = "C77";
    config.hotelId = 310;
    config.areaId = 4;
    OTService service(prompt, config);
    service.setTimeouts(5000, 5000);
    ASSERT_TRUE(service.Connect(server.hostPort()));
    OTLabels labels;
    labels.name = "Restaurant:";
    labels.time = "Time:";
    labels.confirmation = "Confirmation:";

    BadInput input(DrillSeed(104),
                   {FakeHttpServer::timesPage({"101,03/16/2026 7:30 PM,1", "102,03/16/2026 8:00 "
                                                                           "PM,2"}),
                    FakeHttpServer::noTimesPage("Nothing is free. Try another time."),
                    FakeHttpServer::bookedPage("CONF-123"), FakeHttpServer::cancelledPage("77"),
                    FakeHttpServer::servicePageError("Bad request")});
    const DriveResult r = Drive(input, [&](const QByteArray& bytes) -> QString {
        const QString page = AsText(bytes);
        OTPageText(page);
        OTElementValues(page, "reservationID");
        OTErrorPageMessage(page);
        OTServiceMessage(page);
        ReadOTEntryValues(page, labels);
        ParseOTTime(page.left(40));
        NormaliseOTTime(page.left(40));
        ParseOTHost(page.left(200));
        // The whole round: the page as the service's answer to a search.
        server.queueReply(ScriptedReply::page(bytes));
        const qsizetype shown = prompt.shown.size();
        const OTSearch s = service.SearchArea("03/16/2026", "07:30 PM", 2);
        switch (s.outcome) {
        case OTSearchOutcome::Found:
            return s.results.empty() ? "found nothing" : QString();
        case OTSearchOutcome::NoTimes:
        case OTSearchOutcome::Failed:
            return prompt.shown.size() > shown ? QString() : "failed without a message";
        }
        return {};
    });
    Report("online table replies", r);
}

// ---------------------------------------------------------------- message pages

TEST_F(DrillBadFiles, MessagePagesOfAnyContentReadAndEditRowByRow) {
    PreparePersonalPage(*env.ctx);
    QString page = MessagePageTemplate(WhiteboardTitle);
    page = InsertPageRow(page, {"2026/03/14 09:30", "Lee Drill", "Pool closes at <8>\r\n& early"});
    page = InsertPageRow(page, {"2026/03/14 10:00", "Kim", "Shuttle \"full\""});
    const QString board = WhiteboardFile(*env.ctx);
    const QByteArray before = DatabaseDigest(env.db());
    BadInput input(DrillSeed(105), {page.toUtf8(), MessagePageTemplate("x").toUtf8()});
    const DriveResult r = Drive(input, [&](const QByteArray& bytes) -> QString {
        const QString html = AsText(bytes);
        const QList<PageRow> rows = ReadPageRows(html);
        InsertPageRow(html, {"2026/03/14 11:00", "Lee", "x"});
        if (!rows.isEmpty()) {
            // Removing one row leaves every other row as it was.
            const int at = input.below(int(rows.size()));
            QList<PageRow> rest = rows;
            rest.removeAt(at);
            const QList<PageRow> after = ReadPageRows(RemovePageRow(html, at));
            const auto same = [](const QList<PageRow>& a, const QList<PageRow>& b) {
                if (a.size() != b.size()) return false;
                for (qsizetype i = 0; i < a.size(); ++i)
                    if (a[i].when != b[i].when || a[i].sender != b[i].sender ||
                        a[i].text != b[i].text)
                        return false;
                return true;
            };
            if (!same(after, rest)) return QString("removing row %1 changed others").arg(at);
        }
        WriteBytes(board, bytes);
        if (!rows.isEmpty() && RemoveWhiteboardRow(*env.ctx, rows.first()) == BoardEdit::NotFound)
            return "a row read from the board was not found on it";
        WriteBytes(PersonalMessagePage(*env.ctx), bytes);
        ReadPersonalPages(*env.ctx);
        return {};
    });
    Report("message pages", r);
    EXPECT_EQ(DatabaseDigest(env.db()), before);
}

// ---------------------------------------------------------------- location file

TEST_F(DrillBadFiles, LocationFileOfAnyContentGivesAnAnswer) {
    const Workstation ws = Workstation::under(env.root() + "/location-ws");
    ws.ensureFolders();
    QDir().mkpath(ws.userConfigFolder);
    const QString file = ws.userConfigFolder + "location";
    const QByteArray good = "[General]\nFolder=/srv/velmora/shared/\nKeyTemplate=9F11FC00AA\n"
                            "PostgreSQL=host=db.example port=5432 user=velmora dbname=velmora\n"
                            "Schema=north\nMasked=false\n";
    BadInput input(DrillSeed(106), {good, "[General]\nFolder=\"/a b\"\\\n"});
    const DriveResult r = Drive(input, [&](const QByteArray& bytes) -> QString {
        WriteBytes(file, bytes);
        LocationProvider provider(ws);
        const LocationInfo info = provider.info();
        provider.answer();
        parseConnInfo(info.postgres);
        // A file that is there is read, never replaced by the embedded default.
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly) || f.readAll() != bytes) return "the file was rewritten";
        return {};
    });
    Report("location file", r);
}

// ---------------------------------------------------------------- key lists

TEST_F(DrillBadFiles, KeyListsOfAnyContentAreImportedWholeOrRefused) {
    const QString folder = env.ctx->workstation.outputFolder();
    const QByteArray keys = "Key Number,Key Group,Description,Duration,Unit\r\n"
                            "101,Pool,Pool gate,2,H\r\n102,Vehicles,Van,0,D\r\n";
    const QByteArray staff = "Employee Name,Employee Number,Job Title\r\n"
                             "Ann Porter,17,Bell Captain\r\nBob Valet,0018,Valet\n";
    BadInput input(DrillSeed(107), {keys, staff});
    const DriveResult r = Drive(input, [&](const QByteArray& bytes) -> QString {
        const QByteArray before = DatabaseDigest(env.db());
        const bool asKeys = input.below(2) == 0;
        const QString path = folder + (asKeys ? kKeyListFileName : kKeyEmployeeFileName);
        WriteBytes(path, bytes);
        const KeyImportResult result =
            asKeys ? KeyImportKeys(*env.ctx, path) : KeyImportEmployees(*env.ctx, path);
        if (result.done) return {};
        if (result.message.isEmpty()) return "refused without a message";
        return DatabaseDigest(env.db()) == before ? QString() : "refused, yet written";
    });
    Report("key lists", r);
}

// ---------------------------------------------------------------- pictures and typed values

TEST_F(DrillBadFiles, PicturesAndTypedValuesOfAnyBytesAreReadOrRefused) {
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png, jpeg;
    for (auto [bytes, format] : {std::pair{&png, "PNG"}, std::pair{&jpeg, "JPEG"}}) {
        QBuffer b(bytes);
        b.open(QIODevice::WriteOnly);
        image.save(&b, format);
    }
    const QString ini = QDir(env.root()).filePath("drill.ini");
    BadInput input(DrillSeed(108), {png, jpeg, "2026/03/14 19:30", "[ProgramSettings]\nA=1\n"});
    const DriveResult r = Drive(input, [&](const QByteArray& bytes) -> QString {
        if (const auto p = PictureOf(bytes); p && (p->width <= 0 || p->height <= 0))
            return QString("a picture of %1 x %2").arg(p->width).arg(p->height);
        const QString text = AsText(bytes.left(200));
        Formats::ParseStoredDate(text);
        Formats::ParseStoredDateTime(text);
        Formats::ParseShortDate(text);
        Formats::ParseTime(text);
        ParseReminder(text, text.mid(10));
        ParseFormNumber(text);
        bool ok = false;
        ParsePrice(text, ok);
        ParseQuantity(text);
        WriteBytes(ini, bytes);
        INIRead("ProgramSettings", "A", ini);
        return {};
    });
    Report("pictures and typed values", r);
}

// ---------------------------------------------------------------- stored secrets

// A typed support answer as the verifier reads it: any case, dashes and
// blanks left out, the letters read as digits taken as those digits.
QString CanonicalAnswer(const QString& typed) {
    QString out;
    for (const QChar c : typed.toUpper()) {
        if (c == '-' || c.isSpace()) continue;
        out += c == 'O' ? QChar('0') : (c == 'I' || c == 'L') ? QChar('1') : c;
    }
    return out;
}

TEST(DrillBadSecrets, StoredSecretsAndSupportAnswersOfAnyBytesFailClosed) {
    const QString keyTemplate = NewKeyTemplate();
    const QString card = EncryptWithTemplate("4111111111111111", keyTemplate, "42");
    const QString hash = HashPassword("Secret1");
    const auto keys = GenerateEd25519();
    ASSERT_TRUE(keys && !card.isEmpty() && !hash.isEmpty());
    const QString publicKey = SupportPublicKeyText(keys->publicKey);
    const SupportChallenge challenge;
    const QString answer = SignSupportChallenge(keys->privatePem, challenge.code());
    ASSERT_TRUE(VerifySupportResponse(publicKey, challenge.code(), answer));

    BadInput input(DrillSeed(109), {card.toUtf8(), hash.toUtf8(), answer.toUtf8()});
    const DriveResult r = Drive(input, [&](const QByteArray& bytes) -> QString {
        const QString text = AsText(bytes);
        const CipherResult clear = TryDecryptWithTemplate(text, keyTemplate, "42");
        if (clear.ok() && !clear.text.isEmpty() && HexToText(text) != HexToText(card))
            return "a damaged card cipher decrypted to " + clear.text.left(20);
        TryDecryptOriginal(text, false, CipherKeys::builtIn(false));
        // (A hash cut short but still long enough keeps checking the right
        // password: the shorter result is the start of the longer one.)
        if (input.below(4) == 0 && CheckPasswordHash("Secret2", text))
            return "a damaged password hash accepted a wrong password";
        if (VerifySupportResponse(publicKey, challenge.code(), text) &&
            CanonicalAnswer(text) != CanonicalAnswer(answer))
            return "a damaged support answer verified";
        VerifySupportResponse(text.left(60), challenge.code(), answer);
        return {};
    });
    Report("stored secrets and support answers", r);
}

} // namespace
