#pragma once
// A logged-on desk for the message pages and the message administration
// screens, and an outside reader of the pages: python3's html.parser, so the
// pages are checked the way a browser-grade parser sees them, not by the
// reader that wrote them.

#include "desk/MessagePages.h"
#include "support/ScreenDriver.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <stdexcept>
#include <string>
#include <vector>

namespace vm::test {
namespace admin {

struct ParsedPage {
    QString title;
    QString charset;
    QList<PageRow> rows;                  // rows of <td> cells, character data joined
    QList<QPair<QString, QString>> links; // (href, link text)
    bool ok = false;
    QString error;
};

inline ParsedPage ParseWithPython(const QString& file) {
    // Character data is kept exactly (newline='' keeps CRLF); <br> adds
    // nothing, the line break written after it is the data.
    static const char* script = R"PY(
import sys, json
from html.parser import HTMLParser
class P(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.title = None; self.charset = None; self.rows = []; self.links = []
        self.row = None; self.cell = None; self.intitle = False; self.link = None
    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == 'meta' and 'charset' in a: self.charset = a['charset']
        elif tag == 'title': self.intitle = True; self.title = ''
        elif tag == 'tr': self.row = []
        elif tag == 'td': self.cell = ''
        elif tag == 'a': self.link = [a.get('href', ''), '']
    def handle_endtag(self, tag):
        if tag == 'title': self.intitle = False
        elif tag == 'td' and self.row is not None:
            self.row.append(self.cell); self.cell = None
        elif tag == 'tr':
            if self.row: self.rows.append(self.row)
            self.row = None
        elif tag == 'a' and self.link is not None:
            self.links.append(self.link); self.link = None
    def handle_data(self, data):
        if self.intitle: self.title += data
        if self.cell is not None: self.cell += data
        if self.link is not None: self.link[1] += data
with open(sys.argv[1], encoding='utf-8', newline='') as f:
    p = P(); p.feed(f.read()); p.close()
print(json.dumps({'title': p.title, 'charset': p.charset, 'rows': p.rows, 'links': p.links}))
)PY";
    ParsedPage out;
    QProcess p;
    p.start("python3", {"-c", QString::fromUtf8(script), file});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        out.error = QString::fromUtf8(p.readAllStandardError()) + p.errorString();
        return out;
    }
    const QJsonObject o = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    out.title = o["title"].toString();
    out.charset = o["charset"].toString();
    for (const auto& r : o["rows"].toArray()) {
        const QJsonArray cells = r.toArray();
        if (cells.size() != 3) {
            out.error = "a row of " + QString::number(cells.size()) + " cells";
            return out;
        }
        out.rows.append({cells[0].toString(), cells[1].toString(), cells[2].toString()});
    }
    for (const auto& l : o["links"].toArray())
        out.links.append({l.toArray()[0].toString(), l.toArray()[1].toString()});
    out.ok = true;
    return out;
}

// Rows as comparable, printable values: "when | sender | text".
inline std::vector<std::string> Flat(const QList<PageRow>& rows) {
    std::vector<std::string> out;
    for (const PageRow& r : rows)
        out.push_back((r.when + " | " + r.sender + " | " + r.text).toStdString());
    return out;
}

// Texts as printable values, for failures that read.
inline std::vector<std::string> Strings(const QStringList& texts) {
    std::vector<std::string> out;
    for (const QString& t : texts)
        out.push_back(t.toStdString());
    return out;
}

using screen::control;

inline void click(const QObject& root, const QString& name) {
    control<QAbstractButton>(root, name)->click();
}

} // namespace admin

class MessageAdminFixture : public ::testing::Test {
protected:
    void SetUp() override {
        env.openOrFail();
        meId = env.addStaff("Ann Desk", "ann", "AD");
        env.logOn(meId);
    }
    AppContext& ctx() { return *env.ctx; }
    Database& db() { return env.db(); }

    TestEnv env;
    qint64 meId = 0;
};

} // namespace vm::test
