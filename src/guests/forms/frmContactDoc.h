#pragma once
// The editor of one record's document links (any kind of owner), and the
// filling of the link grids that the owners' screens show.

#include "core/AppContext.h"
#include "guests/DocumentLinks.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QPushButton;
class QLineEdit;

namespace vm {

class DataGrid;

// Fills a grid with links: "Link Description", "File Name" (the whole path or
// hyperlink), each row keyed by its DocumentID.
void FillDocumentGrid(DataGrid* grid, const std::vector<DocumentLink>& links);

class frmContactDoc : public QDialog {
    Q_OBJECT
public:
    frmContactDoc(AppContext& ctx, const QString& kind, qint64 ownerId, const QString& ownerName,
                  QWidget* parent = nullptr);

    void refresh();
    // A selected row is rewritten, otherwise a new link is added; answers whether it saved.
    bool cmdSave_Click();
    void cmdDelete_Click();
    void cmdPreview_Click();
    void cmdBrowse_Click();
    // Opens the link of this key (a double-click on its row).
    void openLink(qint64 documentId);

    // Whether links were added, changed or deleted (the owner's grid needs refreshing).
    bool linksChanged() const { return m_changed; }
    const std::vector<DocumentLink>& links() const { return m_links; }

    DataGrid* grdDocuments;
    QLineEdit* txtFileName;
    QPushButton* cmdBrowse;
    QComboBox* cboDescription;
    QPushButton *cmdPreview, *cmdSave, *cmdDelete, *cmdClose;

private:
    void build();
    qint64 selectedId() const;
    const DocumentLink* linkOf(qint64 documentId) const;
    void showLink(qint64 documentId);
    void clearBoxes();

    AppContext& m_ctx;
    QString m_kind;
    qint64 m_ownerId;
    std::vector<DocumentLink> m_links;
    bool m_changed = false;
};

} // namespace vm
