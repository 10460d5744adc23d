#pragma once
// A desk with the logbook's report routines registered, a dining category with
// a design (one line marked "do not print") and helpers that build a routine's
// document and read it back as text.

#include "LogbookFixture.h"

#include "core/Settings.h"
#include "logbook/Designs.h"
#include "logbook/EntryLetter.h"
#include "logbook/reports/LogbookReports.h"
#include "logbook/reports/ReportData.h"
#include "output/Document.h"

namespace vm::test {

class ReportFixture : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        RegisterLogbookReports(catalogue);
        diningId = category("Dining");
        Category c = *GetLogTypeFlags(env.db(), diningId);
        UpdateConfText(*env.ctx, c, "We look forward to welcoming you.",
                       "Please confirm this booking by telephone.");
        std::vector<DesignLine> lines(2);
        lines[0].label = "Restaurant:";
        lines[1].label = "Commission:";
        lines[1].doNotPrint = true;
        ASSERT_EQ(SaveDesign(*env.ctx, diningId, lines), QString());
        env.clock.set(QDateTime(QDate(2026, 3, 10), QTime(9, 0)));
    }

    // A dining booking of Pat Smith with a designed text.
    LogEntry booking(const QString& last = "Smith") {
        LogEntry e = entry(last, "Dining", "2026/03/15");
        e.roomNumber = "401";
        e.guestId = "G-77";
        e.arrivalDate = "2026/03/14";
        e.text = "Restaurant: Chez Leon\r\nCommission: 12%\r\nWindow table (AD 2026/03/10 09:00)";
        return e;
    }

    doc::Document build(const QString& routine, const QVariantMap& args) {
        const ReportRoutine* r = catalogue.find(routine);
        if (!r) throw std::runtime_error("no routine " + routine.toStdString());
        return r->build(*env.ctx, {routine, {}, args});
    }
    QString text(const QString& routine, const QVariantMap& args) {
        return doc::PlainText(build(routine, args));
    }
    QString text(const QString& routine, qint64 logId, bool archive = false) {
        return text(routine, {{ArgLogId, logId}, {ArgArchive, archive}});
    }

    // The refusal a routine answers, or "" when it built a document.
    QString refusal(const QString& routine, const QVariantMap& args) {
        try {
            build(routine, args);
        } catch (const ReportRefused& e) {
            return e.message();
        }
        return {};
    }

    // The header's paragraphs, one a line (PlainText leaves headers out).
    static QString headerText(const doc::Document& d) {
        QStringList lines;
        for (const doc::Block& b : d.header)
            if (const auto* p = std::get_if<doc::Paragraph>(&b)) {
                QString line;
                for (const doc::Run& r : p->runs)
                    line += r.text;
                lines << line;
            }
        return lines.join('\n');
    }

    void flag(const QString& name, bool on) { ASSERT_TRUE(SetBooleanSetting(env.db(), name, on)); }
    void setText(const QString& name, const QString& value) {
        ASSERT_TRUE(SetTextSetting(env.db(), name, value));
    }
    void vmSetting(const QString& key, const QString& value) {
        SetValueFromKey(env.db(), key, value);
    }

    QString notifiedOf(Database& db, qint64 id) {
        return db.scalar("SELECT [Notified] FROM [LogBook] WHERE [LogID] = ?", {id})
            .toString()
            .trimmed();
    }

    static QVariantList ids(std::initializer_list<qint64> list) {
        QVariantList out;
        for (qint64 id : list)
            out << id;
        return out;
    }

    ReportCatalogue catalogue;
    qint64 diningId = 0;
};

} // namespace vm::test
