// A photograph taken in through the picker, shown on the found item, and
// removed with that item only; the picker's refusals.

#include "core/Settings.h"
#include "operations/LfScreenFixture.h"
#include "operations/PhotoStore.h"
#include "operations/forms/frmLostFound.h"
#include "operations/forms/frmSelectPhoto.h"

#include <QFileInfo>
#include <QImage>
#include <QListWidget>

using namespace vm;
using namespace vm::test;

namespace {

class LfScreenPhoto : public LfScreenFixture {
protected:
    QString picture(const QString& name) {
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = env.root() + "/" + name;
        EXPECT_TRUE(image.save(path, "JPG"));
        return path;
    }
    frmSelectPhoto* openPicker(frmLostFound& found) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the last picker
        click(found, "cmdSelectPhoto");
        return found.findChild<frmSelectPhoto*>("frmSelectPhoto");
    }
    void pick(frmSelectPhoto& picker, const QString& name) {
        auto* list = control<QListWidget>(picker, "lstPhotos");
        const auto items = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        list->setCurrentItem(items.first());
    }
};

} // namespace

TEST_F(LfScreenPhoto, APhotographIsImportedShownAndDeletedWithItsItemOnly) {
    const QString source = picture("holiday.jpg");
    ASSERT_TRUE(ImportPhoto(ctx(), source, "Other.jpg").ok);
    ASSERT_TRUE(ImportPhoto(ctx(), source, "Spare.jpg").ok);
    const qint64 other = foundItem("Keys", "Clothing", day(-2), "Pool", "Other.jpg");

    QWidget host;
    auto* found = new frmLostFound(ctx(), 0, &host);
    type(*found, "txtItemText", "Wallet");
    choose(*found, "cboCategory", "Clothing");
    choose(*found, "cboFoundLocation", "Pool");
    choose(*found, "cboStoredLocation", "Safe");
    choose(*found, "cboDisposition", "Donated");
    type(*found, "txtFinderName", "Ana Finch");

    frmSelectPhoto* picker = openPicker(*found);
    ASSERT_TRUE(picker);
    click(*picker, "cmdOK");
    EXPECT_EQ(env.prompt.texts(), QStringList{kLfMsgNoPhoto});

    // The name is asked for; a name present is refused and asked again.
    env.prompt.clear();
    env.desktop.choose(source);
    env.prompt.type(QString("Spare.jpg"));
    env.prompt.type(QString("Wallet.jpg"));
    click(*picker, "cmdImport");
    ASSERT_EQ(env.desktop.dialogs.size(), 1);
    EXPECT_TRUE(env.desktop.dialogs[0].filter.contains("*.jpg"));
    ASSERT_EQ(env.prompt.shown.size(), 3u);
    EXPECT_EQ(env.prompt.shown[0].title, kLfTitlePhotoName);
    EXPECT_EQ(env.prompt.shown[1].text, kLfMsgPhotoPresent);
    EXPECT_EQ(env.prompt.shown[1].title, kLfTitlePhotoPresent);
    EXPECT_TRUE(QFileInfo::exists(PhotoPath(ctx(), "Wallet.jpg")));
    EXPECT_EQ(control<QListWidget>(*picker, "lstPhotos")->currentItem()->text(), "Wallet.jpg");
    click(*picker, "cmdOK");
    EXPECT_EQ(text(*found, "lblPhotoName"), "Wallet.jpg");
    const QPixmap shown = control<QLabel>(*found, "imgPhoto")->pixmap();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.size(), QSize(240, 180)); // scaled into the box, aspect kept

    env.prompt.clear();
    click(*found, "cmdSave");
    EXPECT_TRUE(env.prompt.texts().isEmpty()) << env.prompt.texts().join("|").toStdString();
    const qint64 wallet = found->itemId();
    ASSERT_GT(wallet, 0);
    EXPECT_EQ(LFGetTheItem(ctx(), wallet)->photographName, "Wallet.jpg");

    // The item's sheet carries its photograph and the property's disclaimer.
    SetValueString(env.db(), "LF_Found_Disclaimer", "Items are kept for 90 days.");
    click(*found, "cmdPrint");
    const QString pdf = env.root() + "/Found.pdf";
    const QStringList pages = printed("Found.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(InOrder(pages[0], {"Found Item", "Wallet", "Pool", "Safe", "Ana Finch",
                                   "Items are kept for 90 days."}))
        << pages[0].toStdString();
    EXPECT_EQ(PdfImagePages(pdf), QList<int>{1});

    // The Delete key: a photograph no record uses goes; one in use stays.
    picker = openPicker(*found);
    ASSERT_TRUE(picker);
    auto* list = control<QListWidget>(*picker, "lstPhotos");
    pick(*picker, "Spare.jpg");
    env.prompt.clear();
    env.prompt.answer(Answer::Yes);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(env.prompt.shown.value(0).title, kLfTitlePhotoConfirmDelete);
    EXPECT_FALSE(QFileInfo::exists(PhotoPath(ctx(), "Spare.jpg")));
    pick(*picker, "Other.jpg");
    env.prompt.clear();
    env.prompt.answer(Answer::Yes);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(env.prompt.texts(), (QStringList{kLfMsgPhotoConfirmDelete, kLfMsgPhotoInUse}));
    EXPECT_TRUE(QFileInfo::exists(PhotoPath(ctx(), "Other.jpg")));
    click(*picker, "cmdCancel");

    // Deleting the wallet takes its photograph, not the keys' one.
    env.prompt.clear();
    env.prompt.answer(Answer::Yes);
    click(*found, "cmdDelete");
    EXPECT_EQ(env.prompt.texts(), QStringList{kLfMsgConfirmDeleteFound});
    EXPECT_FALSE(LFGetTheItem(ctx(), wallet));
    EXPECT_FALSE(QFileInfo::exists(PhotoPath(ctx(), "Wallet.jpg")));
    EXPECT_TRUE(QFileInfo::exists(PhotoPath(ctx(), "Other.jpg")));
    EXPECT_TRUE(LFGetTheItem(ctx(), other));
}
