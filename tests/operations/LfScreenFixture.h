#pragma once
// The lost-and-found screens on a fresh property with the manager logged on,
// the lookup lists filled, and helpers that drive controls by name.

#include "app/DeskFixture.h"
#include "core/Formats.h"
#include "guests/OtherLists.h"
#include "operations/LostFound.h"
#include "operations/reports/LostFoundReports.h"
#include "output/PdfReader.h"
#include "output/forms/frmPrintPreview.h"
#include "platform/forms/DataGrid.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <functional>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

namespace vm::test {

class LfScreenFixture : public DeskFixture {
protected:
    void SetUp() override {
        EnsureApplication();
        DeskFixture::SetUp();
        RegisterLostFoundReports(env.ctx->reports);
        env.logOn(manager);
        for (const auto& [type, values] : std::initializer_list<std::pair<QString, QStringList>>{
                 {"LFCategory", {"Jewelry", "Clothing", "Electronics"}},
                 {"LFLocation", {"Lobby", "Pool", "Room"}},
                 {"LFStorage", {"Safe", "Closet"}},
                 {"Disposal", {"Donated", "Returned"}},
                 {"LFReturns", {"Mail", "In Person"}}})
            for (const QString& v : values)
                ASSERT_EQ(InsertOtherData(ctx(), type, v), "");
    }
    void TearDown() override {
        // Windows left open by a test go before the property does (a window's
        // own windows go with it).
        QList<QPointer<QWidget>> open;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName().startsWith("frmLost") || w->objectName() == "frmSelectPhoto" ||
                qobject_cast<frmPrintPreview*>(w))
                open << w;
        for (const QPointer<QWidget>& w : open)
            delete w.data();
        DeskFixture::TearDown();
    }

    AppContext& ctx() { return *env.ctx; }
    QDate day(int offset) const { return env.clock.today().addDays(offset); }

    template <class T = QWidget> static T* control(const QObject& root, const QString& name) {
        T* w = root.findChild<T*>(name);
        EXPECT_TRUE(w) << name.toStdString();
        return w;
    }
    static void click(const QObject& root, const QString& name) {
        auto* b = control<QAbstractButton>(root, name);
        ASSERT_TRUE(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static void type(const QObject& root, const QString& name, const QString& text) {
        auto* e = control<QLineEdit>(root, name);
        ASSERT_TRUE(e);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, text);
    }
    static void choose(const QObject& root, const QString& name, const QString& text) {
        auto* box = control<QComboBox>(root, name);
        ASSERT_TRUE(box);
        const int at = box->findText(text);
        ASSERT_GE(at, 0) << text.toStdString();
        box->setCurrentIndex(at);
    }
    static QString text(const QObject& root, const QString& name) {
        if (auto* l = root.findChild<QLabel*>(name)) return l->text();
        if (auto* e = root.findChild<QLineEdit*>(name)) return e->text();
        ADD_FAILURE() << name.toStdString();
        return {};
    }

    // A found item filed through the store, as another desk would have.
    qint64 foundItem(const QString& text, const QString& category, const QDate& found,
                     const QString& location = "Lobby", const QString& photo = {}) {
        LfItem i;
        i.itemText = text;
        i.category = category;
        i.foundDate = Formats::StoredDate(found);
        i.foundLocation = location;
        i.storedLocation = "Safe";
        i.disposition = "Donated";
        i.finderName = "Ana Finch";
        i.tagNumber = "T-" + text.left(3);
        i.photographName = photo;
        return LFInsertFoundItem(ctx(), i);
    }
    qint64 lostItem(const QString& text, const QString& category, const QDate& lost,
                    const QString& lastName = "Moreau") {
        LfItem i;
        i.itemText = text;
        i.category = category;
        i.lostDate = Formats::StoredDate(lost);
        i.lostLocation = "Lobby";
        i.owner.firstName = "Lea";
        i.owner.lastName = lastName;
        return LFInsertLostItem(ctx(), i);
    }

    // The open preview's document saved as PDF: its pages' text.
    QStringList printed(const QString& file) {
        frmPrintPreview* preview = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<frmPrintPreview*>(w)) preview = p;
        EXPECT_TRUE(preview);
        if (!preview) return {};
        const QString pdf = env.root() + "/" + file;
        env.desktop.choose(pdf);
        click(*preview, "cmdPdf");
        delete preview;
        return PdfPages(pdf);
    }

    int count(const QString& where, const QVariantList& params = {}) {
        return env.db().scalar("SELECT COUNT(*) FROM [LostAndFound] WHERE " + where, params).toInt();
    }
};

} // namespace vm::test
