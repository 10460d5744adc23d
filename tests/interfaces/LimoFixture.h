#pragma once
// A logged-on desk whose property uses the limousine interface: a
// "Limousine" category with a design, the mapping saved, one billing code,
// and a stand-in bridge script (written per test) that answers in the
// exchange folder.

#include "core/Settings.h"
#include "interfaces/LimoDispatch.h"
#include "logbook/Categories.h"
#include "logbook/DesignText.h"
#include "logbook/Designs.h"
#include "logbook/LogbookStore.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace vm::test {

class LimoFixture : public ::testing::Test {
protected:
    // The design's labels and the dispatch field each one supplies.
    static inline const QList<std::pair<QString, QString>> Lines = {
        {"Pick-up Time:", "putime"},   {"Pick-up From:", "puloc"}, {"Drop-off At:", "doloc"},
        {"Vehicle:", "vtype"},         {"Passengers:", "npass"},   {"Billing Code:", "bcode"},
        {"Flight:", "flight"},         {"Card:", "ccnumb"},        {"Expires:", "ccexp"},
        {"Instructions:", "instr"},    {"Confirmation:", "confnum"}};

    void SetUp() override {
        env.openOrFail();
        staffId = env.addStaff("Ann Desk", "ann", "AD");
        env.db().exec("UPDATE [Concierge] SET [Concierge] = ?, [EmailAddress] = ?, "
                      "[Telephone] = ? WHERE [ConciergeID] = ?",
                      {"Ann Desk, Lobby", "ann@hotel.test", "555-0100", staffId});
        env.logOn(staffId);
        Database& db = env.db();
        SetValueFromKey(db, "OdsLimoInterface", "true");
        SetValueFromKey(db, "PropertyID", "4711");
        exchange = env.root() + "/exchange";
        QDir().mkpath(exchange);
        SetValueFromKey(db, "OdsLimoFolder", exchange);

        InsertCategory(db, "Limousine");
        limoId = GetLogTypeID(db, "Limousine");
        std::vector<DesignLine> lines;
        for (const auto& [label, key] : Lines) lines.push_back(DesignLine{0, label});
        if (!SaveDesign(*env.ctx, limoId, lines).isEmpty()) throw std::runtime_error("design");
        design = GetLogbookBackPanelItems(db, limoId);
        std::vector<OdsMapping> mapping = LoadOdsLabels(db);
        for (OdsMapping& m : mapping) m.vmElementId = lineId(m.elementShort);
        if (!SaveOdsMappings(db, limoId, mapping).isEmpty()) throw std::runtime_error("mapping");
        SaveOdsBilling(db, {1, "CORP", "Corporate account"}, true);
    }

    // The design line id supplying a dispatch field (0 for none).
    qint64 lineId(const QString& key) const {
        for (int i = 0; i < Lines.size(); ++i)
            if (Lines[i].second == key) return design[size_t(i)].designId;
        return 0;
    }

    // A limousine entry for tomorrow with every line filled (values by key).
    LogEntry limoEntry(QMap<QString, QString> values = {}) {
        const QMap<QString, QString> filled = {
            {"putime", "18:30"},     {"puloc", "Main entrance"}, {"doloc", "Airport T2"},
            {"vtype", "Sedan"},      {"npass", "2"},             {"bcode", "corp"},
            {"flight", "VA-1234"},   {"ccnumb", "4111 1111 1111 1111"},
            {"ccexp", "12/28"},      {"instr", "Two suitcases"}, {"confnum", ""}};
        QStringList texts;
        for (const auto& [label, key] : Lines)
            texts << (values.contains(key) ? values[key] : filled[key]);
        LogEntry e;
        e.firstName = "Pat";
        e.lastName = "Rider";
        e.roomNumber = "1204";
        e.entryType = "Limousine";
        e.referDate = "2026/03/15";
        e.referTime = "18:30";
        e.text = DesignLinesOnly(design, texts);
        return e;
    }

    qint64 addEntry(QMap<QString, QString> values = {}) {
        LogEntry e = limoEntry(values);
        return LogbookStore(*env.ctx).InsertLogBook(e);
    }

    LogEntry stored(qint64 logId) { return *LogbookStore(*env.ctx).GetTheLogEntry(logId); }
    QString value(qint64 logId, const QString& label) {
        return ReadDesignValue(stored(logId).text, label).trimmed();
    }

    // The stand-in bridge: keeps a copy of the request, then runs `answer`
    // (shell lines; $DIR is the exchange folder, $ID the request's logid).
    void bridge(const QString& answer) {
        const QString path = env.root() + "/OdsLimo.sh";
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(("#!/bin/sh\nDIR=$(dirname \"$1\")\ncp \"$1\" \"$DIR/captured.txt\"\n"
                 "ID=$(grep '^logid:' \"$1\" | cut -d: -f2 | tr -d '\\r')\n" +
                 answer + "\n")
                    .toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
        SetValueFromKey(env.db(), "OdsLimoProgram", path);
        env.desktop.runsPrograms = true;
    }
    // A bridge answering for the request's entry with this number.
    void goodBridge(const QString& number = "12345") {
        bridge("printf 'LogID:%s\\r\\nConfirmation:" + number + "\\r\\n' \"$ID\" > \"$DIR/OdsRet.txt\"");
    }

    QStringList captured() const {
        QFile f(exchange + "/captured.txt");
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(f.readAll()).split("\r\n");
    }

    TestEnv env;
    qint64 staffId = 0, limoId = 0;
    QString exchange;
    std::vector<DesignItem> design;
};

} // namespace vm::test
