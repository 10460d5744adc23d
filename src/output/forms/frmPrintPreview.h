#pragma once
// The preview window of a report: frmPrintObj for lists and detail sheets,
// frmPrintLH for letters (one class; the routine decides the name).  It shows
// the document a page at a time, lays out the pages after the first while the
// member already reads it, and prints, saves and mails the same document.

#include "output/Reports.h"
#include "output/forms/DocumentLayout.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTimer;

namespace vm {

class PreviewPage;

class frmPrintPreview : public QWidget {
    Q_OBJECT
public:
    frmPrintPreview(AppContext& ctx, const ReportRoutine& routine, PrintRequest request,
                    doc::Document document, QWidget* parent = nullptr);
    ~frmPrintPreview() override;

    // frmPrintObj or frmPrintLH, unless the routine names its own window.
    static QString WindowName(const ReportRoutine& routine);

    int currentPage() const { return m_page; } // 0-based
    int pagesLaidOut() const;
    bool layoutComplete() const;
    double zoom() const { return m_zoom; }
    const doc::Document& document() const { return m_doc; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void build();
    void showPage(int index);
    void updateControls();
    void layOutMore();
    void applyZoom();

    void cmdFirst_Click() { showPage(0); }
    void cmdPrevious_Click() { showPage(m_page - 1); }
    void cmdNext_Click() { showPage(m_page + 1); }
    void cmdLast_Click();
    void cmdPrint_Click();
    void cmdPdf_Click();
    void cmdRtf_Click();
    void cmdEmail_Click();

    AppContext& m_ctx;
    ReportRoutine m_routine;
    PrintRequest m_request;
    doc::Document m_doc;
    std::unique_ptr<doc::PagedDocument> m_paged;
    int m_page = 0;
    double m_zoom = 1;

    QPushButton* m_first = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_last = nullptr;
    QLabel* m_pageLabel = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QScrollArea* m_scroll = nullptr;
    PreviewPage* m_view = nullptr;
    QTimer* m_layoutTimer = nullptr;
};

} // namespace vm
