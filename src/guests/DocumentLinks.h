#pragma once
// Document links: a description and a document path or hyperlink attached to
// a record of any kind.  Table ContactDocs keys a link by the owner's key
// (ContactID) and the owner's kind (SourceType).  Contact links live with the
// contacts, in the common database when contacts are shared; every other
// kind lives in the current database.
//
// Stored form of the target.  FileName holds 100 characters, FileName2 250.
// A target of up to 100 characters is kept in FileName (FileName2 empty).  A
// longer one is kept whole in FileName2, and FileName holds its first 97
// characters followed by "..." so a list that shows FileName alone still
// shows where the link points.  A target longer than 250 characters cannot be
// kept and is refused; nothing is ever cut.  DocumentLink::target() reads
// either form back.

#include "core/AppContext.h"

#include <QString>
#include <QUrl>
#include <stdexcept>
#include <vector>

namespace vm {

// The kinds of record that own links: the letter stored in SourceType.
namespace DocKind {
inline const QString Contact = QStringLiteral("C");
inline const QString Event = QStringLiteral("E");
inline const QString Logbook = QStringLiteral("L");
inline const QString SignUpSheet = QStringLiteral("S");
inline const QString Group = QStringLiteral("G");
inline const QString Profile = QStringLiteral("P");
} // namespace DocKind

bool IsDocKind(const QString& kind);
// "Maintain Contact Document Links", "Maintain SignUp Sheet Links", ...; "" for
// a letter that is no kind.
QString DocumentLinksCaption(const QString& kind);

// Column sizes of ContactDocs.
inline constexpr int DocDescriptionSize = 250;
inline constexpr int DocFileNameSize = 100;
inline constexpr int DocFileName2Size = 250;

struct DocumentLink {
    qint64 id = 0;      // DocumentID; 0 for a link not yet stored
    qint64 ownerId = 0; // ContactID: the owner's key, whatever its kind
    QString sourceType; // a DocKind letter
    QString description;
    QString fileName; // as stored (see the stored form above)
    QString fileName2;

    // The document path or hyperlink the link points at.
    QString target() const;
};

inline const QString MsgSelectLinkSource =
    QStringLiteral("Please select the source document for this link.");
inline const QString MsgSelectLinkDescription =
    QStringLiteral("Please select the description for this linked document.");
inline const QString MsgSelectLinkToDelete =
    QStringLiteral("Please select the Document Link you wish to delete.");
inline const QString MsgDeleteLink =
    QStringLiteral("Do you wish to delete the document link?\r\n\r\n"
                   "Note:  This only deletes the LINK, not the document file.");
inline const QString MsgLinkOwnerNotSaved =
    QStringLiteral("Please save the record before linking documents to it.");

// A refusal of CheckDocumentLink met by a store procedure (the caller did not
// check first).  what() is the refusal text.
class DocumentLinkRefused : public std::runtime_error {
public:
    explicit DocumentLinkRefused(const QString& refusal)
        : std::runtime_error(refusal.toStdString()), m_refusal(refusal) {}
    QString refusal() const { return m_refusal; }

private:
    QString m_refusal;
};

// Trims the texts and puts a long target into its stored form; answers "" when
// the link can be stored, otherwise the refusal to show.
QString CheckDocumentLink(DocumentLink& link);

// The database that holds the links of a kind of owner.  Every procedure
// below finds its database here, so a letter that is no kind throws
// std::invalid_argument before anything is read or written.
Database& DocumentLinksDb(AppContext& ctx, const QString& kind);

// An owner's links, by description.
std::vector<DocumentLink> GetCDocuments(AppContext& ctx, qint64 ownerId, const QString& kind);
// Stores a new link; answers the key the engine gave it.  Throws
// DocumentLinkRefused for a link CheckDocumentLink refuses.
qint64 InsertCDocument(AppContext& ctx, const DocumentLink& link);
// Rewrites description and file names of the link with this key and kind;
// answers false when there is no such link.
bool UpdateCDocument(AppContext& ctx, const DocumentLink& link);
// Updates the link when it has a key and still exists, otherwise stores it as
// a new one; answers its key.
qint64 AddContactDocItem(AppContext& ctx, const DocumentLink& link);
// Deletes the link of this key and kind; answers false when there was none.
bool DeleteContactDocItem(AppContext& ctx, const QString& kind, qint64 documentId);
// Copies a contact's links to another contact (its clone for another
// language); answers the number copied.
int InsertCloneDocument(AppContext& ctx, qint64 fromContactId, qint64 toContactId);

// Where a link points, as an address the desktop can open.
struct LinkAddress {
    QUrl url;
    QString refusal; // why it cannot be opened; empty when url is set
};
// A path (with or without a drive letter) → its local file URL, which must
// exist; http, https, mailto and file addresses as they are; "www." names as
// web addresses; anything else is refused.
LinkAddress DocumentLinkUrl(const QString& target);

// Opens the target on the desktop (ctx.desktop()), or shows why it cannot;
// answers whether it opened.  A local file that would run as a program opens
// only when the user confirms it.
bool OpenDocumentLink(AppContext& ctx, const QString& target);
bool OpenDocumentLink(AppContext& ctx, const DocumentLink& link);

inline const QString TitleLinkIsProgram = QStringLiteral("Run a Program?");
QString LinkIsProgramMessage(const QString& path);

} // namespace vm
