#include "guests/DocumentLinks.h"

#include "core/DataAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace vm {

namespace {

const QString Ellipsis = QStringLiteral("...");

const QString SelectLinks =
    QStringLiteral("SELECT [DocumentID], [ContactID], [Description], [FileName], [FileName2] "
                   "FROM [ContactDocs] WHERE [ContactID] = ? AND [SourceType] = ? "
                   "ORDER BY [Description], [DocumentID]");
const QString InsertLink =
    QStringLiteral("INSERT INTO [ContactDocs] ([ContactID], [SourceType], [Description], "
                   "[FileName], [FileName2]) VALUES (?, ?, ?, ?, ?)");
const QString UpdateLink =
    QStringLiteral("UPDATE [ContactDocs] SET [Description] = ?, [FileName] = ?, [FileName2] = ? "
                   "WHERE [DocumentID] = ? AND [SourceType] = ?");
const QString DeleteLink =
    QStringLiteral("DELETE FROM [ContactDocs] WHERE [DocumentID] = ? AND [SourceType] = ?");

QString tooLong(const QString& what, int most, int has, const QString& beside = {}) {
    return "The " + what + " is too long: at most " + QString::number(most) +
           " characters can be kept" + beside + " and this one has " + QString::number(has) +
           ".  Please shorten it.";
}

// The first characters of a long target with "..." after them, never ending
// in half a surrogate pair.
QString shortForm(const QString& target) {
    int keep = DocFileNameSize - int(Ellipsis.size());
    if (target.at(keep - 1).isHighSurrogate()) --keep;
    return target.left(keep) + Ellipsis;
}

DocumentLink linkFrom(const Row& r, const QString& kind) {
    DocumentLink l;
    l.id = r.value("DocumentID").toLongLong();
    l.ownerId = r.value("ContactID").toLongLong();
    l.sourceType = kind;
    l.description = r.trimmedText("Description");
    l.fileName = r.trimmedText("FileName");
    l.fileName2 = r.trimmedText("FileName2");
    return l;
}

DocumentLink checked(const DocumentLink& link) {
    DocumentLink l = link;
    const QString refusal = CheckDocumentLink(l);
    if (!refusal.isEmpty()) throw DocumentLinkRefused(refusal);
    return l;
}

qint64 insertChecked(Database& db, const DocumentLink& l) {
    return db.insert(InsertLink, {l.ownerId, l.sourceType, l.description, l.fileName, l.fileName2},
                     "DocumentID");
}

bool updateChecked(Database& db, const DocumentLink& l) {
    return db.exec(UpdateLink, {l.description, l.fileName, l.fileName2, l.id, l.sourceType}) > 0;
}

QString missingFile(const QString& path) {
    return "The linked document could not be found:" + CRLF + CRLF + path + CRLF + CRLF +
           "It may have been moved, renamed or deleted, or its drive or folder cannot be reached "
           "from this computer.";
}

QString notOpenable(const QString& target) {
    return "This link cannot be opened:" + CRLF + CRLF + target + CRLF + CRLF +
           "Only documents (a file name with its folder) and web (http, https), e-mail (mailto) "
           "or file addresses can be opened.";
}

LinkAddress localFile(const QString& path) {
    const QFileInfo fi(path);
    if (!fi.exists()) return {{}, missingFile(path)};
    return {QUrl::fromLocalFile(fi.absoluteFilePath()), {}};
}

} // namespace

bool IsDocKind(const QString& kind) {
    return !DocumentLinksCaption(kind).isEmpty();
}

QString DocumentLinksCaption(const QString& kind) {
    static const QHash<QString, QString> captions = {
        {DocKind::Contact, QStringLiteral("Maintain Contact Document Links")},
        {DocKind::Event, QStringLiteral("Maintain Event Document Links")},
        {DocKind::Logbook, QStringLiteral("Maintain Logbook Document Links")},
        {DocKind::SignUpSheet, QStringLiteral("Maintain SignUp Sheet Links")},
        {DocKind::Group, QStringLiteral("Maintain Group Document Links")},
        {DocKind::Profile, QStringLiteral("Maintain Profile Document Links")},
    };
    return captions.value(kind);
}

QString DocumentLink::target() const {
    if (fileName2.size() > DocFileNameSize && fileName.endsWith(Ellipsis) &&
        fileName2.startsWith(fileName.chopped(Ellipsis.size())))
        return fileName2;
    return fileName;
}

QString CheckDocumentLink(DocumentLink& link) {
    link.description = link.description.trimmed();
    link.fileName = link.fileName.trimmed();
    link.fileName2 = link.fileName2.trimmed();
    if (link.fileName.isEmpty()) return MsgSelectLinkSource;
    if (link.description.isEmpty()) return MsgSelectLinkDescription;
    if (link.ownerId <= 0) return MsgLinkOwnerNotSaved;
    if (link.description.size() > DocDescriptionSize)
        return tooLong("document description", DocDescriptionSize, int(link.description.size()));
    if (link.fileName2.size() > DocFileName2Size)
        return tooLong("second file name", DocFileName2Size, int(link.fileName2.size()));
    if (link.fileName.size() > DocFileNameSize) {
        const bool secondIsFree = link.fileName2.isEmpty() || link.fileName2 == link.fileName;
        if (!secondIsFree)
            return tooLong("document name and location or hyperlink", DocFileNameSize,
                           int(link.fileName.size()), " beside a second file name");
        if (link.fileName.size() > DocFileName2Size)
            return tooLong("document name and location or hyperlink", DocFileName2Size,
                           int(link.fileName.size()));
        link.fileName2 = link.fileName;
        link.fileName = shortForm(link.fileName2);
    }
    return {};
}

Database& DocumentLinksDb(AppContext& ctx, const QString& kind) {
    if (!IsDocKind(kind))
        throw std::invalid_argument("No kind of document link owner: \"" + kind.toStdString() +
                                    "\"");
    // Contact links are part of the contacts, shared with them when contacts are.
    return kind == DocKind::Contact ? ctx.contactsDb() : ctx.db();
}

std::vector<DocumentLink> GetCDocuments(AppContext& ctx, qint64 ownerId, const QString& kind) {
    std::vector<DocumentLink> out;
    for (const Row& r : DocumentLinksDb(ctx, kind).query(SelectLinks, {ownerId, kind}))
        out.push_back(linkFrom(r, kind));
    return out;
}

qint64 InsertCDocument(AppContext& ctx, const DocumentLink& link) {
    const DocumentLink l = checked(link);
    return insertChecked(DocumentLinksDb(ctx, l.sourceType), l);
}

bool UpdateCDocument(AppContext& ctx, const DocumentLink& link) {
    const DocumentLink l = checked(link);
    return l.id > 0 && updateChecked(DocumentLinksDb(ctx, l.sourceType), l);
}

qint64 AddContactDocItem(AppContext& ctx, const DocumentLink& link) {
    const DocumentLink l = checked(link);
    Database& db = DocumentLinksDb(ctx, l.sourceType);
    qint64 key = 0;
    // A link deleted meanwhile (at another desk) is stored again rather than lost.
    db.transaction([&] { key = (l.id > 0 && updateChecked(db, l)) ? l.id : insertChecked(db, l); });
    return key;
}

bool DeleteContactDocItem(AppContext& ctx, const QString& kind, qint64 documentId) {
    return DocumentLinksDb(ctx, kind).exec(DeleteLink, {documentId, kind}) > 0;
}

int InsertCloneDocument(AppContext& ctx, qint64 fromContactId, qint64 toContactId) {
    if (fromContactId == toContactId || toContactId <= 0) return 0;
    Database& db = DocumentLinksDb(ctx, DocKind::Contact);
    int copied = 0;
    db.transaction([&] {
        for (const Row& r : db.query(SelectLinks, {fromContactId, DocKind::Contact})) {
            DocumentLink l = linkFrom(r, DocKind::Contact);
            l.ownerId = toContactId;
            // Copied as stored: rows written before the length rules stay as they were.
            insertChecked(db, l);
            ++copied;
        }
    });
    return copied;
}

LinkAddress DocumentLinkUrl(const QString& target) {
    const QString t = target.trimmed();
    if (t.isEmpty()) return {{}, MsgSelectLinkSource};
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:([\\\\/]|$)"));
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):"));
    if (drive.match(t).hasMatch()) return localFile(t);
    const QRegularExpressionMatch m = scheme.match(t);
    if (!m.hasMatch()) {
        if (t.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
            const QUrl web("http://" + t, QUrl::StrictMode);
            return web.isValid() ? LinkAddress{web, {}} : LinkAddress{{}, notOpenable(t)};
        }
        return localFile(t);
    }
    const QString s = m.captured(1).toLower();
    if (s == "file") {
        const QUrl u(t);
        if (!u.isValid() || !u.isLocalFile()) return {{}, notOpenable(t)};
        const QString path = u.toLocalFile();
        if (!QFileInfo::exists(path)) return {{}, missingFile(path)};
        return {u, {}};
    }
    if (s == "http" || s == "https" || s == "mailto") {
        const QUrl u(t, QUrl::TolerantMode);
        if (!u.isValid() || (s != "mailto" && u.host().isEmpty())) return {{}, notOpenable(t)};
        return {u, {}};
    }
    return {{}, notOpenable(t)};
}

QString LinkIsProgramMessage(const QString& path) {
    return "This link points to a program, not a document:" + CRLF + CRLF +
           QDir::toNativeSeparators(path) + CRLF + CRLF +
           "Opening it will run the program on this computer.  Do you want to run it?";
}

bool OpenDocumentLink(AppContext& ctx, const QString& target) {
    Prompt& prompt = ctx.prompt();
    const LinkAddress a = DocumentLinkUrl(target);
    if (!a.refusal.isEmpty()) {
        prompt.message(a.refusal, {}, Icon::Exclamation);
        return false;
    }
    // A stored path is only data: it runs as a program only on the user's word.
    if (a.url.isLocalFile() && IsProgramFile(a.url.toLocalFile()) &&
        prompt.ask(LinkIsProgramMessage(a.url.toLocalFile()), TitleLinkIsProgram, Buttons::YesNo,
                   Icon::Exclamation, Answer::No) != Answer::Yes)
        return false;
    if (!ctx.desktop().openUrl(a.url)) {
        prompt.message("No program on this computer could open the document or hyperlink:" + CRLF +
                           CRLF + target.trimmed(),
                       {}, Icon::Exclamation);
        return false;
    }
    return true;
}

bool OpenDocumentLink(AppContext& ctx, const DocumentLink& link) {
    return OpenDocumentLink(ctx, link.target());
}

} // namespace vm
