#include "output/forms/frmPrintPreview.h"

#include "core/AppContext.h"
#include "core/DataAccess.h"
#include "output/forms/DocumentOutput.h"
#include "output/forms/PrintPreview.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#if __has_include("output/RtfWriter.h")
#include "output/RtfWriter.h"
#define VELMORA_HAVE_RTF 1
#endif

namespace vm {

namespace {

// How long one slice of background layout may hold the window.
constexpr std::chrono::milliseconds LayoutSlice{40};
const QStringList ZoomChoices = {"Fit Width", "Whole Page", "50%", "75%", "100%", "150%", "200%"};

} // namespace

// One page of the document, drawn at the window's zoom.
class PreviewPage : public QWidget {
public:
    PreviewPage(doc::PagedDocument& paged, QWidget* parent) : QWidget(parent), m_paged(paged) {
        setObjectName("picPage");
    }
    void show(int index, double zoom) {
        m_index = index;
        m_scale = zoom * logicalDpiX() / double(LayoutDpi);
        setFixedSize((m_paged.geometry().paper * m_scale).toSize());
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.scale(m_scale, m_scale);
        m_paged.drawPage(p, m_index);
    }

private:
    doc::PagedDocument& m_paged;
    int m_index = 0;
    double m_scale = 1;
};

QString frmPrintPreview::WindowName(const ReportRoutine& routine) {
    if (!routine.windowName.isEmpty()) return routine.windowName;
    return routine.window == PreviewWindow::Letter ? QStringLiteral("frmPrintLH")
                                                   : QStringLiteral("frmPrintObj");
}

frmPrintPreview::frmPrintPreview(AppContext& ctx, const ReportRoutine& routine,
                                 PrintRequest request, doc::Document document, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx), m_routine(routine), m_request(std::move(request)),
      m_doc(std::move(document)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(WindowName(m_routine));
    setWindowTitle(PreviewCaption(m_request.title));
    if (m_doc.title.isEmpty()) m_doc.title = m_request.title;
    m_paged = std::make_unique<doc::PagedDocument>(m_doc, ReferenceDevice());
    m_paged->layOutUntil(1);
    build();
    m_layoutTimer = new QTimer(this);
    m_layoutTimer->setInterval(0);
    connect(m_layoutTimer, &QTimer::timeout, this, &frmPrintPreview::layOutMore);
    if (!m_paged->complete()) m_layoutTimer->start();
    resize(900, 1000);
    showPage(0);
}

frmPrintPreview::~frmPrintPreview() = default;

int frmPrintPreview::pagesLaidOut() const {
    return m_paged->pagesLaidOut();
}

bool frmPrintPreview::layoutComplete() const {
    return m_paged->complete();
}

void frmPrintPreview::build() {
    auto button = [this](const char* name, const QString& text, void (frmPrintPreview::*slot)()) {
        auto* b = named(new QPushButton(text, this), name);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    m_first = button("cmdFirst", "|<", &frmPrintPreview::cmdFirst_Click);
    m_previous = button("cmdPrevious", "<", &frmPrintPreview::cmdPrevious_Click);
    m_pageLabel = named(new QLabel(this), "lblPage");
    m_next = button("cmdNext", ">", &frmPrintPreview::cmdNext_Click);
    m_last = button("cmdLast", ">|", &frmPrintPreview::cmdLast_Click);
    m_zoomBox = named(new QComboBox(this), "cboZoom");
    m_zoomBox->addItems(ZoomChoices);
    connect(m_zoomBox, &QComboBox::currentIndexChanged, this, [this] { applyZoom(); });
    auto* print = button("cmdPrint", "Print", &frmPrintPreview::cmdPrint_Click);
    auto* pdf = button("cmdPdf", "Save as PDF", &frmPrintPreview::cmdPdf_Click);
    auto* rtf = button("cmdRtf", "RTF", &frmPrintPreview::cmdRtf_Click);
    auto* email = button("cmdEmail", "E-mail", &frmPrintPreview::cmdEmail_Click);
    auto* close = named(new QPushButton("Close", this), "cmdClose");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    rtf->setVisible(m_routine.rtf);
    email->setVisible(m_routine.email);

    auto* bar = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{m_first, m_previous, m_pageLabel, m_next,
                                                      m_last, m_zoomBox, print, pdf, rtf, email})
        bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(close);

    m_scroll = named(new QScrollArea(this), "scrPreview");
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_view = new PreviewPage(*m_paged, m_scroll);
    m_scroll->setWidget(m_view);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);
}

void frmPrintPreview::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (m_zoomBox && m_zoomBox->currentIndex() < 2) applyZoom();
}

void frmPrintPreview::applyZoom() {
    const QSizeF paperInches = m_paged->geometry().paper / m_paged->geometry().dpi;
    const QSize room = m_scroll->viewport()->size() - QSize(8, 8);
    const double dpi = m_view->logicalDpiX();
    const int choice = m_zoomBox->currentIndex();
    if (choice == 0) {
        m_zoom = room.width() / (paperInches.width() * dpi);
    } else if (choice == 1) {
        m_zoom = std::min(room.width() / (paperInches.width() * dpi),
                          room.height() / (paperInches.height() * dpi));
    } else {
        m_zoom = ZoomChoices[choice].chopped(1).toDouble() / 100.0;
    }
    m_zoom = std::max(0.1, m_zoom);
    m_view->show(m_page, m_zoom);
}

void frmPrintPreview::showPage(int index) {
    m_paged->layOutUntil(index + 1);
    m_page = std::clamp(index, 0, std::max(0, m_paged->pagesLaidOut() - 1));
    applyZoom();
    m_scroll->verticalScrollBar()->setValue(0);
    updateControls();
}

void frmPrintPreview::updateControls() {
    const int count = m_paged->pagesLaidOut();
    const bool complete = m_paged->complete();
    m_pageLabel->setText("Page " + QString::number(m_page + 1) + " of " + QString::number(count) +
                         (complete ? "" : "+"));
    m_first->setEnabled(m_page > 0);
    m_previous->setEnabled(m_page > 0);
    const bool more = m_page + 1 < count || !complete;
    m_next->setEnabled(more);
    m_last->setEnabled(more);
}

void frmPrintPreview::layOutMore() {
    if (m_paged->layOutFor(LayoutSlice)) {
        m_layoutTimer->stop();
        m_view->update(); // the page count in the footers is final now
    }
    updateControls();
}

void frmPrintPreview::cmdLast_Click() {
    {
        WaitCursor wait;
        m_paged->layOutAll();
    }
    m_layoutTimer->stop();
    showPage(m_paged->pagesLaidOut() - 1);
}

void frmPrintPreview::cmdPrint_Click() {
    PrintWithDialog(m_ctx, m_doc, this);
}

void frmPrintPreview::cmdPdf_Click() {
    const QString startAt = m_ctx.workstation.outputFolder() + PdfDefaultName + ".pdf";
    QString path = m_ctx.desktop().chooseSaveFile("Save as PDF", startAt, PdfFilter);
    if (path.isEmpty()) return;
    if (!path.endsWith(".pdf", Qt::CaseInsensitive)) path += ".pdf";
    if (QFileInfo::exists(path) &&
        m_ctx.prompt().ask(MsgOverwriteFile(), MsgOverwriteTitle, Buttons::YesNo, Icon::Question,
                           Answer::No) != Answer::Yes)
        return;
    QString error;
    WaitCursor wait;
    if (!WritePdf(m_doc, path, &error)) m_ctx.prompt().message(error, {}, Icon::Exclamation);
}

void frmPrintPreview::cmdRtf_Click() {
    const QString path = m_ctx.workstation.outputFolder() + RtfFileName;
    QString error;
#ifdef VELMORA_HAVE_RTF
    if (!WriteRtf(m_doc, path, &error)) {
        m_ctx.prompt().message(error, {}, Icon::Exclamation);
        return;
    }
    if (!m_ctx.desktop().openFile(path))
        m_ctx.prompt().message("The document was saved as " + QDir::toNativeSeparators(path) + ".");
#else
    error = MsgFileNotWritten(path, "this build has no RTF writer");
    m_ctx.prompt().message(error, {}, Icon::Exclamation);
#endif
}

void frmPrintPreview::cmdEmail_Click() {
    EmailDocument(m_ctx, m_doc, m_request.title, m_request.args.value("EmailTo").toString());
}

} // namespace vm
