// The user-defined lists of found items and the photographs.

#include "operations/LfStoreFixture.h"

namespace vm::test {

class LfStoreListsTest : public LfStoreFixture {};

TEST_F(LfStoreListsTest, FiveListsAtMostWithNamesUniqueInAnyCase) {
    // A property whose slot row went missing still gets its lists placed.
    db().exec("DELETE FROM [LostAndFoundUdCats]");
    for (const QString name : {"Colour", "Size", "Brand", "Material", "Shelf"})
        ASSERT_TRUE(CreateLostAndFoundUdCategory(ctx(), name).ok) << name.toStdString();
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM [LostAndFoundUdCats]").toInt(), 1);
    const auto lists = GetLostAndFoundUserDefinedCats(ctx());
    ASSERT_EQ(lists.size(), 5u);
    EXPECT_EQ(lists[0].slot, 1);
    EXPECT_EQ(lists[4].caption(), "Custom (Shelf):");

    const LfListResult sixth = CreateLostAndFoundUdCategory(ctx(), "Extra");
    EXPECT_FALSE(sixth.ok);
    EXPECT_EQ(sixth.message, kLfMsgTooManyLists);
    EXPECT_EQ(sixth.title, kLfTitleTooManyLists);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM [UserDefinedEnumCategories]").toInt(), 5);

    const LfListResult dup = RenameLostAndFoundUdCategory(ctx(), lists[1].catId, "COLOUR");
    EXPECT_FALSE(dup.ok);
    EXPECT_EQ(dup.message, "You already have the category 'COLOUR' defined.All category names "
                           "must be unique.");
    EXPECT_TRUE(RenameLostAndFoundUdCategory(ctx(), lists[0].catId, "colour").ok)
        << "a list may change the case of its own name";

    const qint64 cat = lists[0].catId;
    const LfListResult red = CreateLostAndFoundUdCategoryItem(ctx(), cat, "Red");
    ASSERT_TRUE(red.ok);
    EXPECT_EQ(CreateLostAndFoundUdCategoryItem(ctx(), cat, "rED").message,
              LfDuplicateListItemText("rED"));
    EXPECT_TRUE(CreateLostAndFoundUdCategoryItem(ctx(), lists[1].catId, "Red").ok)
        << "another list may hold the same caption";
    const qint64 blue = CreateLostAndFoundUdCategoryItem(ctx(), cat, "Blue").id;
    EXPECT_FALSE(RenameLostAndFoundUdCategoryItem(ctx(), blue, "red").ok);
    ASSERT_TRUE(RenameLostAndFoundUdCategoryItem(ctx(), blue, "Navy").ok);
    const auto items = GetUserDefinedCategoryItems(ctx(), cat);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].caption, "Red");
    EXPECT_EQ(items[1].caption, "Navy");
}

TEST_F(LfStoreListsTest, DeletingAListItemClearsTheRecordsThatHoldIt) {
    const qint64 cat = CreateLostAndFoundUdCategory(ctx(), "Colour").id;
    const qint64 red = CreateLostAndFoundUdCategoryItem(ctx(), cat, "Red").id;
    const qint64 blue = CreateLostAndFoundUdCategoryItem(ctx(), cat, "Blue").id;
    LfItem a = found("Scarf", day(1));
    LfItem b = found("Hat", day(1));
    a.udCategory[0] = red;
    b.udCategory[0] = blue;
    ASSERT_TRUE(LFUpdateFoundItem(ctx(), a, *LFGetTheItem(ctx(), a.id)));
    ASSERT_TRUE(LFUpdateFoundItem(ctx(), b, *LFGetTheItem(ctx(), b.id)));
    EXPECT_EQ(DeleteLostAndFoundUdCategoryItem(ctx(), red), 1);
    EXPECT_EQ(LFGetTheItem(ctx(), a.id)->udCategory[0], 0);
    EXPECT_EQ(LFGetTheItem(ctx(), b.id)->udCategory[0], blue);
    EXPECT_EQ(GetUserDefinedCategoryItems(ctx(), cat).size(), 1u);
}

TEST_F(LfStoreListsTest, PhotoNamesStayInsideTheFolderAndNeverReplaceAFile) {
    const QString png = picture("source.png");
    for (const QString bad :
         {"../x.png", "sub/x.png", "a\\b.png", "x.exe", "..png", ".png", "x.png.sh", "x"}) {
        const PhotoImport r = ImportPhoto(ctx(), png, bad);
        EXPECT_FALSE(r.ok) << bad.toStdString();
        EXPECT_EQ(r.message, kLfMsgPhotoBadName) << bad.toStdString();
    }
    EXPECT_FALSE(QFile::exists(env.databaseFolder() + "x.png"));

    const PhotoImport first = ImportPhoto(ctx(), png, "");
    ASSERT_TRUE(first.ok);
    EXPECT_TRUE(first.name.startsWith("Item_") && first.name.endsWith(".png"))
        << first.name.toStdString();
    const PhotoImport second = ImportPhoto(ctx(), picture("other.jpg", "JPG"), "");
    ASSERT_TRUE(second.ok);
    EXPECT_NE(second.name, first.name);
    EXPECT_TRUE(second.name.endsWith(".jpg"));
    const PhotoImport typed = ImportPhoto(ctx(), png, "Red scarf.png");
    ASSERT_TRUE(typed.ok);
    const PhotoImport again = ImportPhoto(ctx(), picture("blue.png"), "Red scarf.png");
    EXPECT_EQ(again.message, kLfMsgPhotoPresent);
    EXPECT_EQ(again.title, kLfTitlePhotoPresent);
    EXPECT_EQ(ListPhotos(ctx()).size(), 3);

    // Not a picture, or too large.
    QFile text(env.root() + "/notes.png");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("just some text");
    text.close();
    EXPECT_EQ(ImportPhoto(ctx(), text.fileName(), "n.png").message, kLfMsgPhotoNotImage);
    QFile big(env.root() + "/big.png");
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    QFile small(png);
    ASSERT_TRUE(small.open(QIODevice::ReadOnly));
    big.write(small.readAll());
    ASSERT_TRUE(big.resize(kPhotoMaxBytes + 1));
    big.close();
    EXPECT_EQ(ImportPhoto(ctx(), big.fileName(), "big.png").message, kLfMsgPhotoTooLarge);
}

TEST_F(LfStoreListsTest, PhotosInUseAreKeptUntilNoRecordNamesThem) {
    const PhotoImport shared = ImportPhoto(ctx(), picture("s.png"), "Shared.png");
    ASSERT_TRUE(shared.ok);
    LfItem a = found("Scarf", day(1));
    LfItem b = found("Hat", day(1));
    for (LfItem* i : {&a, &b}) {
        const LfItem opened = *i;
        i->photographName = "Shared.png";
        ASSERT_TRUE(LFUpdateFoundItem(ctx(), *i, opened));
    }
    QString why;
    EXPECT_FALSE(DeletePhoto(ctx(), "Shared.png", false, &why));
    EXPECT_EQ(why, kLfMsgPhotoInUse);
    ASSERT_TRUE(LFDeleteFoundItem(ctx(), a.id));
    EXPECT_TRUE(QFile::exists(PhotoFolder(ctx()) + "Shared.png")) << "the other item still uses it";
    ASSERT_TRUE(LFDeleteFoundItem(ctx(), b.id));
    EXPECT_FALSE(QFile::exists(PhotoFolder(ctx()) + "Shared.png"));

    // Cleared from the records when the desk chooses so.
    const PhotoImport p = ImportPhoto(ctx(), picture("t.png"), "Hat.png");
    LfItem c = found("Cap", day(1));
    const LfItem opened = c;
    c.photographName = p.name;
    ASSERT_TRUE(LFUpdateFoundItem(ctx(), c, opened));
    ASSERT_TRUE(DeletePhoto(ctx(), "Hat.png", true));
    EXPECT_EQ(LFGetTheItem(ctx(), c.id)->photographName, "");
    EXPECT_FALSE(QFile::exists(PhotoFolder(ctx()) + "Hat.png"));
}

} // namespace vm::test
