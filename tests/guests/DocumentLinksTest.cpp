#include "guests/DocumentLinks.h"
#include "core/Databases.h"
#include "guests/forms/frmContactDoc.h"
#include "platform/forms/DataGrid.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <map>
#include <memory>

using namespace vm;
using namespace vm::test;

namespace {

class DocumentLinks : public ::testing::Test {
protected:
    void SetUp() override { env.openOrFail(); }

    qint64 add(const QString& kind, qint64 owner, const QString& description, const QString& file) {
        DocumentLink l;
        l.ownerId = owner;
        l.sourceType = kind;
        l.description = description;
        l.fileName = file;
        return InsertCDocument(*env.ctx, l);
    }
    QStringList described(const QString& kind, qint64 owner) {
        QStringList out;
        for (const DocumentLink& l : GetCDocuments(*env.ctx, owner, kind))
            out << l.description + "=" + l.target();
        return out;
    }
    int rows(Database& db, const QString& kind) {
        return db.scalar("SELECT COUNT(*) FROM [ContactDocs] WHERE [SourceType] = ?", {kind})
            .toInt();
    }
    // An existing document in the test's folder.
    QString document(const QString& name) {
        const QString path = env.root() + "/" + name;
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("x");
        return path;
    }

    TestEnv env;
};

} // namespace

TEST_F(DocumentLinks, InsertAnswersEngineKeysAndListsAnOwnersLinksByDescription) {
    const qint64 a = add(DocKind::Logbook, 7, "Schedule", "/docs/schedule.pdf");
    const qint64 b = add(DocKind::Logbook, 7, "Directions", "https://example.com/map");
    add(DocKind::Logbook, 7, "Price List", "/docs/prices.pdf");
    add(DocKind::Logbook, 8, "Resume", "/docs/other-owner.pdf");
    add(DocKind::Event, 7, "Photograph", "/docs/same-key-other-kind.jpg");
    EXPECT_GT(a, 0);
    EXPECT_NE(a, b);
    const DocumentLink first = GetCDocuments(*env.ctx, 7, DocKind::Logbook).front();
    EXPECT_EQ(first.id, b);
    EXPECT_EQ(first.sourceType, "L");
    EXPECT_EQ(described(DocKind::Logbook, 7),
              QStringList({"Directions=https://example.com/map", "Price List=/docs/prices.pdf",
                           "Schedule=/docs/schedule.pdf"}));
    // A letter that is no kind reaches no database.
    EXPECT_THROW(GetCDocuments(*env.ctx, 7, "X"), std::invalid_argument);
    EXPECT_THROW(add("l", 7, "Resume", "/docs/r.pdf"), std::invalid_argument);
    const QStringList captions = {
        "Maintain Contact Document Links", "Maintain Event Document Links",
        "Maintain Logbook Document Links", "Maintain SignUp Sheet Links",
        "Maintain Group Document Links",   "Maintain Profile Document Links"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(DocumentLinksCaption(QString("CELSGP")[i]), captions[i]);

    // The sizes the length rules use are the table's.
    EXPECT_EQ(env.db().column("ContactDocs", "Description")->textSize, DocDescriptionSize);
    EXPECT_EQ(env.db().column("ContactDocs", "FileName")->textSize, DocFileNameSize);
    EXPECT_EQ(env.db().column("ContactDocs", "FileName2")->textSize, DocFileName2Size);
}

TEST_F(DocumentLinks, UpdateAndDeleteTouchOnlyTheLinkOfTheirKind) {
    const qint64 id = add(DocKind::Logbook, 7, "Schedule", "/docs/a.pdf");
    DocumentLink l = GetCDocuments(*env.ctx, 7, DocKind::Logbook).front();
    l.description = "Directions";
    l.fileName = "/docs/b.pdf";
    l.sourceType = DocKind::Event; // the same key under another kind is not this link
    EXPECT_FALSE(UpdateCDocument(*env.ctx, l));
    EXPECT_FALSE(DeleteContactDocItem(*env.ctx, DocKind::Event, id));
    EXPECT_EQ(described(DocKind::Logbook, 7), QStringList({"Schedule=/docs/a.pdf"}));
    l.sourceType = DocKind::Logbook;
    EXPECT_TRUE(UpdateCDocument(*env.ctx, l));
    EXPECT_EQ(described(DocKind::Logbook, 7), QStringList({"Directions=/docs/b.pdf"}));

    // AddContactDocItem updates by key, and stores again a link deleted meanwhile.
    l.description = "Resume";
    EXPECT_EQ(AddContactDocItem(*env.ctx, l), id);
    EXPECT_TRUE(DeleteContactDocItem(*env.ctx, DocKind::Logbook, id));
    const qint64 again = AddContactDocItem(*env.ctx, l);
    EXPECT_NE(again, id);
    EXPECT_GT(again, 0);
    EXPECT_EQ(described(DocKind::Logbook, 7), QStringList({"Resume=/docs/b.pdf"}));
}

TEST_F(DocumentLinks, RefusalsNameWhatIsMissingOrTooLongAndWriteNothing) {
    struct Case {
        qint64 owner;
        QString description, file, refusal;
    };
    const QString tooLongText = "The document description is too long: at most 250 characters "
                                "can be kept and this one has 251.  Please shorten it.";
    const Case cases[] = {
        {7, "", "", MsgSelectLinkSource},
        {7, "Resume", "   ", MsgSelectLinkSource},
        {7, "  ", "/docs/a.pdf", MsgSelectLinkDescription},
        {0, "Resume", "/docs/a.pdf", MsgLinkOwnerNotSaved},
        {7, QString(251, 'd'), "/docs/a.pdf", tooLongText},
        {7, "Resume", "/" + QString(250, 'p'),
         "The document name and location or hyperlink is too long: at most 250 characters can "
         "be kept and this one has 251.  Please shorten it."},
    };
    for (const Case& c : cases) {
        DocumentLink l{0, c.owner, DocKind::Logbook, c.description, c.file, {}};
        EXPECT_EQ(CheckDocumentLink(l), c.refusal) << c.description.left(10).toStdString();
        EXPECT_THROW(InsertCDocument(*env.ctx, l), DocumentLinkRefused);
    }
    EXPECT_EQ(rows(env.db(), DocKind::Logbook), 0);
    // A description of exactly the column's size is kept whole, trimmed.
    add(DocKind::Logbook, 7, " " + QString(250, 'd') + " ", "/docs/a.pdf");
    EXPECT_EQ(GetCDocuments(*env.ctx, 7, DocKind::Logbook).front().description, QString(250, 'd'));
}

TEST_F(DocumentLinks, LongPathsAreKeptWholeInTheSecondFileName) {
    const QString at100 = "/" + QString(99, 'a');
    const QString at101 = "/" + QString(100, 'b');
    const QString at250 = "https://example.com/" + QString(230, 'c');
    // A character outside the basic plane straddles the cut of the short form.
    const QString wide =
        "/" + QString(95, 'e') + QString::fromUtf8("\xF0\x9F\x93\x84") + QString(40, 'f');
    add(DocKind::Contact, 3, "100", at100);
    add(DocKind::Contact, 3, "101", at101);
    add(DocKind::Contact, 3, "250", at250);
    add(DocKind::Contact, 3, "wide", wide);

    std::map<QString, DocumentLink> byDescription;
    for (const DocumentLink& l : GetCDocuments(*env.ctx, 3, DocKind::Contact))
        byDescription[l.description] = l;
    ASSERT_EQ(byDescription.size(), 4u);
    EXPECT_EQ(byDescription["100"].fileName, at100);
    EXPECT_EQ(byDescription["100"].fileName2, "");
    const DocumentLink& s101 = byDescription["101"];
    EXPECT_EQ(s101.fileName2, at101);
    EXPECT_EQ(s101.fileName, at101.left(97) + "...");
    EXPECT_EQ(s101.target(), at101);
    EXPECT_EQ(byDescription["250"].target(), at250);
    EXPECT_EQ(byDescription["wide"].target(), wide);
    EXPECT_EQ(byDescription["wide"].fileName, wide.left(96) + "...");

    // Saved again from the editor's one box (the whole path), the target stays whole.
    DocumentLink typed{s101.id, 3, DocKind::Contact, "Resume", s101.target(), {}};
    EXPECT_EQ(AddContactDocItem(*env.ctx, typed), s101.id);
    EXPECT_TRUE(described(DocKind::Contact, 3).contains("Resume=" + at101));

    // With a second file name of its own, FileName holds 100 characters at most.
    DocumentLink both{0, 3, DocKind::Profile, "Guest Picture", at101, "/pictures/original.jpg"};
    EXPECT_EQ(CheckDocumentLink(both),
              "The document name and location or hyperlink is too long: at most 100 characters "
              "can be kept beside a second file name and this one has 101.  Please shorten it.");
}

TEST_F(DocumentLinks, CloneCopiesOnlyTheContactsContactLinks) {
    add(DocKind::Contact, 5, "Web Site", "https://example.com");
    add(DocKind::Contact, 5, "Price List", "/" + QString(150, 'p'));
    add(DocKind::Event, 5, "Schedule", "/docs/event.pdf");
    add(DocKind::Contact, 6, "Resume", "/docs/other.pdf");
    EXPECT_EQ(InsertCloneDocument(*env.ctx, 5, 9), 2);
    EXPECT_EQ(described(DocKind::Contact, 9), described(DocKind::Contact, 5));
    EXPECT_EQ(described(DocKind::Event, 9), QStringList());
    EXPECT_EQ(InsertCloneDocument(*env.ctx, 5, 5), 0);
    EXPECT_EQ(described(DocKind::Contact, 5).size(), 2);
}

TEST_F(DocumentLinks, ContactLinksFollowSharedContactsOtherKindsStayInTheCurrentDatabase) {
    env.openShared();
    ASSERT_TRUE(env.ctx->common);

    const qint64 c = add(DocKind::Contact, 4, "Web Site", "https://example.com");
    add(DocKind::Logbook, 4, "Schedule", "/docs/schedule.pdf");
    EXPECT_EQ(rows(*env.ctx->common, "C"), 1);
    EXPECT_EQ(rows(*env.ctx->common, "L"), 0);
    EXPECT_EQ(rows(env.db(), "C"), 0);
    EXPECT_EQ(rows(env.db(), "L"), 1);
    EXPECT_EQ(described(DocKind::Contact, 4), QStringList({"Web Site=https://example.com"}));
    EXPECT_EQ(InsertCloneDocument(*env.ctx, 4, 12), 1);
    EXPECT_EQ(rows(*env.ctx->common, "C"), 2);
    EXPECT_TRUE(DeleteContactDocItem(*env.ctx, DocKind::Contact, c));
    EXPECT_EQ(rows(*env.ctx->common, "C"), 1);

    env.ctx->globals.commonContacts = false; // switched off: the current database again
    EXPECT_EQ(described(DocKind::Contact, 12), QStringList());
}

TEST_F(DocumentLinks, TargetsBecomeAddressesOrAClearRefusal) {
    const QString doc = document("menu.pdf");
    struct Case {
        QString target;
        QString url;     // expected address; empty when refused
        QString refusal; // start of the refusal
    };
    const QString missing = "The linked document could not be found:";
    const QString refused = "This link cannot be opened:";
    const Case cases[] = {
        {doc, QUrl::fromLocalFile(doc).toString(), {}},
        {QUrl::fromLocalFile(doc).toString(), QUrl::fromLocalFile(doc).toString(), {}},
        {"https://example.com/a?b=1&c=2", "https://example.com/a?b=1&c=2", {}},
        {"mailto:desk@example.com", "mailto:desk@example.com", {}},
        {"www.example.com/menu", "http://www.example.com/menu", {}},
        {env.root() + "/gone.pdf", {}, missing + "\r\n\r\n" + env.root() + "/gone.pdf"},
        {"C:\\Docs\\menu.doc", {}, missing},
        {"file:///no/such/file.pdf", {}, missing},
        {"ftp://example.com/menu.pdf", {}, refused},
        {"http://", {}, refused},
        {"  ", {}, MsgSelectLinkSource},
    };
    for (const Case& c : cases) {
        const LinkAddress a = DocumentLinkUrl(c.target);
        EXPECT_EQ(a.url.toString(), c.url) << c.target.toStdString();
        EXPECT_EQ(a.refusal.isEmpty(), c.refusal.isEmpty()) << c.target.toStdString();
        EXPECT_TRUE(a.refusal.startsWith(c.refusal)) << a.refusal.toStdString();
    }

    // A target nothing on the desktop would open is reported, not passed over.
    env.desktop.opens = false;
    EXPECT_FALSE(OpenDocumentLink(*env.ctx, doc));
    EXPECT_TRUE(env.prompt.last().endsWith(doc));
}

TEST_F(DocumentLinks, AProgramRunsOnlyOnTheUsersWord) {
    const QString script = document("tool");
    QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner);
    const QString programs[] = {script, document("setup.EXE"), document("run.bat"),
                                QUrl::fromLocalFile(document("go.sh")).toString()};
    for (const QString& target : programs) {
        env.desktop.opened.clear();
        env.prompt.answer(Answer::No);
        EXPECT_FALSE(OpenDocumentLink(*env.ctx, target)) << target.toStdString();
        EXPECT_TRUE(env.desktop.opened.isEmpty());
        EXPECT_EQ(env.prompt.shown.last().title, TitleLinkIsProgram);
        EXPECT_EQ(env.prompt.shown.last().icon, Icon::Exclamation);

        env.prompt.answer(Answer::Yes);
        EXPECT_TRUE(OpenDocumentLink(*env.ctx, target));
        ASSERT_EQ(env.desktop.opened.size(), 1);
    }
    EXPECT_EQ(env.prompt.last(), LinkIsProgramMessage(QUrl(programs[3]).toLocalFile()));

    // Documents and folders open without a question.
    const int asked = int(env.prompt.shown.size());
    EXPECT_TRUE(OpenDocumentLink(*env.ctx, document("menu.pdf")));
    EXPECT_TRUE(OpenDocumentLink(*env.ctx, env.root()));
    EXPECT_EQ(env.prompt.shown.size(), asked);
    EXPECT_EQ(env.desktop.opened.size(), 3);
}

// ---------------------------------------------------------------- the editor

namespace {

class DocumentLinksEditor : public DocumentLinks {
protected:
    std::unique_ptr<frmContactDoc> editor() {
        auto f = std::make_unique<frmContactDoc>(*env.ctx, DocKind::Logbook, 21, "Pat O'Hara");
        f->show();
        return f;
    }
    static void click(QWidget* f, const char* name) {
        auto* b = f->findChild<QPushButton*>(name);
        ASSERT_NE(b, nullptr) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static void type(QWidget* f, const QString& file, const QString& description) {
        auto* txt = f->findChild<QLineEdit*>("txtFileName");
        txt->clear();
        QTest::keyClicks(txt, file);
        auto* cbo = f->findChild<QComboBox*>("cboDescription");
        cbo->setCurrentText({});
        QTest::keyClicks(cbo, description);
    }
    static void select(frmContactDoc& f, int row) {
        DataGrid* g = f.findChild<DataGrid*>("grdDocuments");
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                          g->visualRect(g->model()->index(row, 0)).center());
    }

    const QList<QUrl>& opened = env.desktop.opened;
};

} // namespace

TEST_F(DocumentLinksEditor, AddSelectChangeAndDeleteALink) {
    auto f = editor();
    EXPECT_EQ(f->objectName(), "frmContactDoc");
    EXPECT_EQ(f->windowTitle(), "Maintain Logbook Document Links - Pat O'Hara");
    DataGrid* grid = f->findChild<DataGrid*>("grdDocuments");
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "Link Description");
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "File Name");

    click(f.get(), "cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgSelectLinkSource);
    type(f.get(), "/docs/menu.pdf", "");
    click(f.get(), "cmdSave");
    EXPECT_EQ(env.prompt.last(), MsgSelectLinkDescription);
    EXPECT_FALSE(f->linksChanged());

    type(f.get(), "/docs/menu.pdf", "Price List");
    click(f.get(), "cmdSave");
    type(f.get(), "https://example.com", "Web Site");
    click(f.get(), "cmdSave");
    EXPECT_TRUE(f->linksChanged());
    EXPECT_EQ(f->txtFileName->text(), ""); // ready for the next link
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->cell(0, 0), "Price List");
    EXPECT_EQ(grid->cell(0, 1), "/docs/menu.pdf");

    // Selecting a row fills the boxes; saving rewrites that link.
    select(*f, 1);
    EXPECT_EQ(f->txtFileName->text(), "https://example.com");
    EXPECT_EQ(f->cboDescription->currentText(), "Web Site");
    type(f.get(), "https://example.com/menu", "Directions");
    click(f.get(), "cmdSave");
    EXPECT_EQ(described(DocKind::Logbook, 21),
              QStringList({"Directions=https://example.com/menu", "Price List=/docs/menu.pdf"}));

    // Delete: a selection is needed, the question is asked, only Yes deletes.
    env.prompt.clear();
    click(f.get(), "cmdDelete");
    EXPECT_EQ(env.prompt.last(), MsgSelectLinkToDelete);
    select(*f, 0);
    env.prompt.answer(Answer::No);
    click(f.get(), "cmdDelete");
    EXPECT_EQ(env.prompt.last(), "Do you wish to delete the document link?\r\n\r\n"
                                 "Note:  This only deletes the LINK, not the document file.");
    EXPECT_EQ(grid->rowCount(), 2);
    select(*f, 0);
    env.prompt.answer(Answer::Yes);
    click(f.get(), "cmdDelete");
    EXPECT_EQ(described(DocKind::Logbook, 21), QStringList({"Price List=/docs/menu.pdf"}));
    EXPECT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(rows(env.db(), DocKind::Contact), 0); // stored under the editor's kind only
}

TEST_F(DocumentLinksEditor, PreviewAndDoubleClickOpenTheLinkOrSayWhyNot) {
    const QString doc = document("schedule.pdf");
    const QString longUrl = "https://example.com/" + QString(180, 'q');
    add(DocKind::Logbook, 21, "Schedule", doc);
    add(DocKind::Logbook, 21, "Web Site", longUrl);
    auto f = editor();

    type(f.get(), env.root() + "/moved.pdf", "Resume");
    click(f.get(), "cmdPreview");
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(env.prompt.last().startsWith("The linked document could not be found:"));

    type(f.get(), doc, "Schedule");
    click(f.get(), "cmdPreview");
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(doc));

    // A double-click opens the row's whole target, however it is stored.
    DataGrid* grid = f->findChild<DataGrid*>("grdDocuments");
    EXPECT_EQ(grid->cell(1, 1), longUrl);
    const QRect r = grid->visualRect(grid->model()->index(1, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, r.center());
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1], QUrl(longUrl));

    // Browse starts at the folder of the document in the box and puts the chosen file there.
    f->txtFileName->setText(doc);
    env.desktop.choose(env.root() + "/chosen.doc");
    click(f.get(), "cmdBrowse");
    ASSERT_EQ(env.desktop.dialogs.size(), 1);
    EXPECT_EQ(env.desktop.dialogs[0].startAt, QFileInfo(doc).absolutePath());
    EXPECT_FALSE(env.desktop.dialogs[0].save);
    EXPECT_EQ(f->txtFileName->text(), QDir::toNativeSeparators(env.root() + "/chosen.doc"));

    // A cancelled dialog leaves the box as it was.
    env.desktop.choose({});
    click(f.get(), "cmdBrowse");
    EXPECT_EQ(f->txtFileName->text(), QDir::toNativeSeparators(env.root() + "/chosen.doc"));
}
