#include "LogbookFixture.h"

#include "core/TextLog.h"
#include "logbook/DesignText.h"
#include "logbook/Designs.h"
#include "logbook/EntryRules.h"
#include "logbook/LogText.h"
#include "logbook/forms/frmDesignEdit.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace vm;
using namespace vm::test;

namespace {

std::vector<DesignLine> linesOf(const QStringList& labels) {
    std::vector<DesignLine> out;
    for (const QString& l : labels) {
        DesignLine d;
        d.label = l;
        out.push_back(d);
    }
    return out;
}

QStringList labelsOf(const std::vector<DesignLine>& lines) {
    QStringList out;
    for (const DesignLine& l : lines)
        out << l.label;
    return out;
}

QString firstLine(const QString& text) {
    return text.section("\r\n", 0, 0);
}

} // namespace

class Designs : public LogbookFixture {
protected:
    // A category with a saved design of these labels.
    qint64 designed(const QString& name, const QStringList& labels) {
        const qint64 id = category(name);
        EXPECT_EQ(SaveDesign(*env.ctx, id, linesOf(labels)), "");
        return id;
    }
    // Saves the stored design with some labels replaced (same lines, same ids).
    QString relabel(qint64 id, const QHash<QString, QString>& renames) {
        auto lines = GetDEEditDefinition(env.db(), id);
        for (DesignLine& l : lines)
            l.label = renames.value(l.label, l.label);
        return SaveDesign(*env.ctx, id, lines);
    }
    qint64 archived(const QString& category, const QString& text) {
        return env.ctx->archive->insert(
            "INSERT INTO [LogBook] ([LastName], [EntryType], [NoteField]) VALUES (?, ?, ?)",
            {"Old", category, text}, "LogID");
    }
    int history(Database& db, qint64 logId) {
        return count(db,
                     "SELECT COUNT(*) FROM [LogbookHistory] WHERE [LogbookID] = ? AND [Reason] = ?",
                     {logId, ReasonDesignChanged});
    }
    QString text(qint64 logId, LogSource source = LogSource::Current) {
        return store().GetTheLogEntry(logId, source)->text;
    }
    int pieces(qint64 logId) {
        return count(env.db(), "SELECT COUNT(*) FROM [LogText] WHERE [LogID] = ?", {logId});
    }
};

TEST_F(Designs, SavesAtMostFifteenLinesAndKeepsTheIdsOfLinesThatStay) {
    const qint64 id = category("Dining");
    QStringList labels;
    for (int n = 1; n <= 16; ++n)
        labels << QString("Line %1").arg(n);
    auto lines = linesOf(labels);
    lines[2].numbersOnly = lines[3].doNotPrint = lines[4].contact2DE = true;
    ASSERT_EQ(SaveDesign(*env.ctx, id, lines), "");

    auto stored = GetDEEditDefinition(env.db(), id);
    ASSERT_EQ(stored.size(), 15u);
    EXPECT_EQ(stored.back().label, "Line 15:");
    EXPECT_TRUE(stored[2].numbersOnly && stored[3].doNotPrint && stored[4].contact2DE);
    EXPECT_FALSE(stored[2].doNotPrint || stored[3].contact2DE || stored[4].numbersOnly);

    // Moving and removing lines neither renews the ids of the others nor relabels.
    const qint64 second = stored[1].designId, third = stored[2].designId;
    std::swap(stored[1], stored[2]);
    stored.erase(stored.begin());
    ASSERT_EQ(SaveDesign(*env.ctx, id, stored), "");
    const auto elements = GetDEElements(env.db(), id);
    ASSERT_EQ(elements.size(), 14u);
    EXPECT_EQ(elements[0].designId, third);
    EXPECT_EQ(elements[1].designId, second);
    EXPECT_EQ(elements[1].label, "Line 2:");
}

TEST_F(Designs, RefusesLabelsThatCannotBeToldApartInAText) {
    EXPECT_EQ(NormaliseLabel("  Party \"Size\" "), "Party 'Size':");
    EXPECT_EQ(NormaliseLabel("::"), "::");
    EXPECT_EQ(NormaliseLabel("  "), "");

    EXPECT_EQ(firstLine(CheckDesign(linesOf({"Address:", "Phone:", "ADDRESS"}))),
              "We have found duplicate labels (Address:) defined.");
    const QString ending =
        "We have found two labels ('Address:' And 'Home address:') where the second label ENDS "
        "with the same exact text of the first label.";
    // Either order of the pair, whatever the case: the reader ignores case.
    EXPECT_EQ(firstLine(CheckDesign(linesOf({"Home address:", "Address:"}))), ending);
    EXPECT_EQ(firstLine(CheckDesign(linesOf({"Address:", "Home address:"}))), ending);
    EXPECT_EQ(CheckDesign(linesOf({"Address 1:", "Address 2:", "::", ".", "~", "@"})), "");

    const qint64 id = category("Dining");
    EXPECT_EQ(firstLine(SaveDesign(*env.ctx, id, linesOf({"Pax", "pax:"}))),
              "We have found duplicate labels (Pax:) defined.");
    EXPECT_TRUE(GetDEElements(env.db(), id).empty());
}

TEST_F(Designs, RelabelRewritesTheCategorysEntriesInBothDatabases) {
    const qint64 id = designed("Dining", {"Pax:", "Venue:", "Time:"});
    designed("Spa", {"Pax:"});
    const qint64 changed = add(entry("Smith", "Dining", "2026/03/14",
                                     "Pax: 2\r\nvenue: Nobu\r\nTime: 8pm\r\nCall back. Pax: 3?"));
    const qint64 plain = add(entry("Jones", "Dining", "2026/03/14", "Time: 9pm\r\nWindow seat"));
    const qint64 other = add(entry("Brown", "Spa", "2026/03/14", "Pax: 1\r\n"));
    const qint64 old = archived("Dining", "Pax: 4\r\nVenue: Zuma\r\n");

    // A swap of two labels in one save keeps the two lines apart.
    ASSERT_EQ(relabel(id, {{"Pax:", "Venue:"}, {"Venue:", "Pax:"}}), "");

    EXPECT_EQ(text(changed), "Venue: 2\r\nPax: Nobu\r\nTime: 8pm\r\nCall back. Pax: 3?");
    EXPECT_EQ(text(old, LogSource::Archive), "Venue: 4\r\nPax: Zuma\r\n");
    EXPECT_EQ(text(plain), "Time: 9pm\r\nWindow seat");
    EXPECT_EQ(text(other), "Pax: 1\r\n");
    EXPECT_EQ(history(env.db(), changed), 1);
    EXPECT_EQ(history(*env.ctx->archive, old), 1);
    EXPECT_EQ(history(env.db(), plain) + history(env.db(), other), 0);
    EXPECT_EQ(env.db().scalar("SELECT [Initials] FROM [LogbookHistory] WHERE [Reason] = ?",
                              {ReasonDesignChanged}),
              "AD");

    QFile log(env.databaseFolder() + SharedLogName);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll())
                    .contains("User: Ann Desk Changed the Logbook Category: Dining on: "
                              "Saturday, 03/14/2026 at 09:30 am at PC Named: "));
}

TEST_F(Designs, RelabelledTextsAreSplitAgainAt255Characters) {
    const qint64 id = designed("Dining", {"Pax:"});
    // "Guests:" is three characters longer than "Pax:".
    const qint64 fits = add(entry("A", "Dining", "2026/03/14", "Pax: 2\r\n" + QString(244, 'x')));
    const qint64 spills = add(entry("B", "Dining", "2026/03/14", "Pax: 2\r\n" + QString(245, 'x')));
    ASSERT_EQ(relabel(id, {{"Pax:", "Guests:"}}), "");
    EXPECT_EQ(text(fits).size(), 255);
    EXPECT_EQ(pieces(fits), 0);
    EXPECT_EQ(text(spills), "Guests: 2\r\n" + QString(245, 'x'));
    EXPECT_EQ(pieces(spills), 1);
}

TEST_F(Designs, ASavedTextKeepsTheLineEndOfItsLastDesignedLine) {
    struct Case {
        const char* typed;
        const char* stored;
    } cases[] = {
        {"  Pax: 2\r\n \r\n ", "Pax: 2\r\n"},
        {"Pax: 2\r\nby the window \r\n", "Pax: 2\r\nby the window\r\n"},
        {"Pax: 2  ", "Pax: 2"},
        {" \r\n ", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrimLogText(c.typed), c.stored) << c.typed;

    designed("Dining", {"Venue:", "Pax:"});
    const qint64 id = add(entry("A", "Dining", "2026/03/14", "Venue: Nobu\r\nPax: 2\r\n"));
    EXPECT_EQ(ReadDesignValue(text(id), "Pax:"), "2");
    LogEntry again = *store().GetTheLogEntry(id);
    again.text = "Venue: Zuma\r\nPax: 4\r\n\r\n";
    ASSERT_EQ(store().UpdateLogBook(again, false), SaveOutcome::Saved);
    EXPECT_EQ(ReadDesignValue(text(id), "Pax:"), "4");
}

TEST_F(Designs, AFailedSaveLeavesTheDesignAndTheTextsAsTheyWere) {
    const qint64 id = designed("Dining", {"Pax:"});
    const qint64 e = add(entry("A", "Dining", "2026/03/14", "Pax: 2\r\n"));
    const qint64 old = archived("Dining", "Pax: 4\r\n");
    // The archive is relabelled last, after the current entries and design rows.
    env.ctx->archive->exec("DROP TABLE [LogbookHistory]");
    EXPECT_THROW(relabel(id, {{"Pax:", "Guests:"}}), DbError);
    EXPECT_EQ(labelsOf(GetDEEditDefinition(env.db(), id)), QStringList{"Pax:"});
    EXPECT_EQ(text(e), "Pax: 2\r\n");
    EXPECT_EQ(
        env.ctx->archive->scalar("SELECT [NoteField] FROM [LogBook] WHERE [LogID] = ?", {old}),
        "Pax: 4\r\n");
    EXPECT_EQ(history(env.db(), e), 0);
}

TEST_F(Designs, ALockedDesignIsNotSaved) {
    const qint64 byLine = category("Golf");
    auto lines = linesOf({"Tee time:"});
    lines[0].locked = true;
    ASSERT_EQ(SaveDesign(*env.ctx, byLine, lines), "");
    EXPECT_EQ(SaveDesign(*env.ctx, byLine, linesOf({"Tee:"})), MsgCategoryLocked);

    const qint64 byCategory = designed("Tennis", {"Court:"});
    env.db().exec("UPDATE [LogType] SET [ResortClubLocked] = ? WHERE [LogTypeID] = ?",
                  {true, byCategory});
    EXPECT_EQ(SaveDesign(*env.ctx, byCategory, linesOf({"Court 1:"})), MsgCategoryLocked);
    EXPECT_EQ(labelsOf(GetDEEditDefinition(env.db(), byLine)), QStringList{"Tee time:"});
    EXPECT_EQ(labelsOf(GetDEEditDefinition(env.db(), byCategory)), QStringList{"Court:"});
}

class DesignEditor : public Designs {
protected:
    void SetUp() override {
        Designs::SetUp();
        EnsureApplication();
    }
    void type(frmDesignEdit& f, const QString& label) {
        auto* txt = f.findChild<QLineEdit*>("txtLabel");
        txt->clear();
        QTest::keyClicks(txt, label);
        QTest::mouseClick(f.findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
    }
    void click(frmDesignEdit& f, const char* name) {
        QTest::mouseClick(f.findChild<QPushButton*>(name), Qt::LeftButton);
    }
};

TEST_F(DesignEditor, AddsMovesMarksAndSavesWhenLeaving) {
    const qint64 id = designed("Dining", {"Venue:"});
    const qint64 e = add(entry("A", "Dining", "2026/03/14", "Venue: Nobu\r\n"));
    frmDesignEdit f(*env.ctx, id);
    f.show();
    EXPECT_EQ(f.windowTitle(), "Data Entry Design - Dining");
    auto* grid = f.findChild<QTableWidget*>("grdDesign");

    type(f, "");
    EXPECT_EQ(env.prompt.last(), MsgEmptyLabel);
    type(f, "Party Size");
    EXPECT_EQ(grid->item(1, frmDesignEdit::ColLabel)->text(), "Party Size:");
    click(f, "cmdMoveUp");
    grid->item(0, frmDesignEdit::ColNumbers)->setCheckState(Qt::Checked);
    grid->item(1, frmDesignEdit::ColLabel)->setText("Restaurant");

    // A refused save keeps the editor open with the changes.
    type(f, "party size:");
    env.prompt.answer(Answer::Yes);
    click(f, "cmdClose");
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(firstLine(env.prompt.last()),
              "We have found duplicate labels (Party Size:) defined.");
    grid->setCurrentCell(2, 0);
    click(f, "cmdRemove");

    env.prompt.answer(Answer::Yes);
    click(f, "cmdClose");
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(env.prompt.saw(MsgSaveChanges));
    EXPECT_TRUE(f.designSaved());
    const auto stored = GetDEEditDefinition(env.db(), id);
    EXPECT_EQ(labelsOf(stored), QStringList({"Party Size:", "Restaurant:"}));
    EXPECT_TRUE(stored[0].numbersOnly);
    EXPECT_EQ(text(e), "Restaurant: Nobu\r\n");
}

TEST_F(DesignEditor, FullGridLockedDesignAndDiscardedChanges) {
    QStringList fifteen;
    for (int n = 1; n <= 15; ++n)
        fifteen << QString("Line %1:").arg(n);
    const qint64 id = designed("Dining", fifteen);
    {
        frmDesignEdit f(*env.ctx, id);
        type(f, "Sixteen");
        EXPECT_EQ(env.prompt.last(), MsgDesignFull);
        f.grdDesign->setCurrentCell(0, 0);
        click(f, "cmdRemove");
        env.prompt.answer(Answer::No);
        click(f, "cmdClose");
        EXPECT_FALSE(f.designSaved());
    }
    EXPECT_EQ(GetDEElements(env.db(), id).size(), 15u);

    env.db().exec("UPDATE [DEDesign] SET [ResortClubLocked] = ? WHERE [SequenceNo] = 1", {true});
    frmDesignEdit f(*env.ctx, id);
    EXPECT_TRUE(f.isLocked());
    EXPECT_EQ(f.lblLocked->text(), MsgLabelsLocked);
    EXPECT_EQ(f.grdDesign->item(0, 0)->foreground().color(), QColor(Qt::red));
    EXPECT_FALSE(f.grdDesign->item(1, 0)->flags() & Qt::ItemIsEditable);
    // Nothing can be saved, and the editor says why when it opens.
    EXPECT_FALSE(control(f, "cmdSave")->isEnabled());
    f.show();
    EXPECT_EQ(env.prompt.last(), MsgCategoryLocked);
}
