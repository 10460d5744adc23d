#include "desk/forms/NewsBoardView.h"

#include "core/DataAccess.h"
#include "desk/NewsBoard.h"
#include "logbook/EntryLetter.h"
#include "platform/VersionedUpdate.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"
#include "platform/forms/SessionWindows.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmNewsNote");

// Stored items may carry any colour form the property ever used; unreadable
// ones show in the list's own colour.
QColor shownColor(const QString& stored) {
    const QColor c = DataGrid::colorFromSetting(stored);
    return c.isValid() ? c : QColor(Qt::black);
}

} // namespace

NewsBoardView::NewsBoardView(AppContext& ctx, QWidget* parent) : QListWidget(parent), m_ctx(ctx) {
    setObjectName("lstNews");
    setWordWrap(true);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { editItem(item->data(Qt::UserRole).toLongLong()); });
}

void NewsBoardView::refresh() {
    clear();
    if (!m_ctx.current || !m_ctx.session.loggedOn()) return;
    try {
        for (const NewsItem& n : GetTheNews(m_ctx.db())) {
            auto* item = new QListWidgetItem(n.text, this);
            item->setData(Qt::UserRole, n.id);
            item->setForeground(shownColor(n.color));
            QFont f = font();
            f.setBold(n.bold);
            item->setFont(f);
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetTheNews", "modDatabase");
    }
}

void NewsBoardView::editItem(qint64 newsBookId) {
    if (newsBookId <= 0 || IsGuestViewer(m_ctx.session)) return;
    auto* editor = new frmNewsItem(m_ctx, newsBookId, this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    TrackSessionWindow(m_ctx, editor);
    connect(editor, &QDialog::finished, this, [this, editor] {
        if (!editor->saved()) return;
        refresh();
        Q_EMIT newsChanged();
    });
    editor->open();
}

void NewsBoardView::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && currentItem()) {
        editItem(currentItem()->data(Qt::UserRole).toLongLong());
        return;
    }
    QListWidget::keyPressEvent(e);
}

frmNewsItem::frmNewsItem(AppContext& ctx, qint64 newsBookId, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_id(newsBookId) {
    setObjectName("frmNewsItem");
    setWindowTitle("News Board");
    auto* top = new QVBoxLayout(this);
    top->addWidget(new QLabel("News Item:"));
    top->addWidget(txtNewsItem = makeLineEdit(this, "txtNewsItem", false, 255));
    auto* style = new QHBoxLayout;
    style->addWidget(cmdColor = named(new QPushButton("&Color..."), "cmdColor"));
    style->addWidget(chkBold = named(new QCheckBox("&Bold"), "chkBold"));
    style->addStretch();
    top->addLayout(style);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK = named(new QPushButton("&OK"), "cmdOK"));
    buttons->addWidget(cmdCancel = named(new QPushButton("&Cancel"), "cmdCancel"));
    top->addLayout(buttons);
    for (QPushButton* b : {cmdColor, cmdOK, cmdCancel})
        b->setAutoDefault(false);

    connect(cmdColor, &QPushButton::clicked, this, &frmNewsItem::cmdColor_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmNewsItem::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    setColor(Qt::black);
    try {
        if (const auto n = GetNewsItem(ctx.db(), newsBookId)) {
            txtNewsItem->setText(n->text);
            chkBold->setChecked(n->bold);
            setColor(shownColor(n->color));
        }
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "GetNewsItem", FormName, true);
    }
}

void frmNewsItem::setColor(const QColor& c) {
    if (!c.isValid()) return;
    m_color = c;
    // The text box previews the item as the board will show it.
    QPalette p = txtNewsItem->palette();
    p.setColor(QPalette::Text, c);
    txtNewsItem->setPalette(p);
}

void frmNewsItem::cmdColor_Click() {
    auto* chooser = new QColorDialog(m_color, this);
    chooser->setObjectName("dlgNewsColor");
    chooser->setOption(QColorDialog::DontUseNativeDialog);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(chooser, &QColorDialog::colorSelected, this, &frmNewsItem::setColor);
    chooser->open();
}

void frmNewsItem::cmdOK_Click() {
    const NewsItem item{m_id, txtNewsItem->text(), m_color.name(QColor::HexRgb).toUpper(),
                        chkBold->isChecked()};
    try {
        if (!UpdateNewsBook(m_ctx.db(), item)) {
            m_ctx.prompt().message(GoneElsewhereMessage("News Item"), {}, Icon::Exclamation);
            reject();
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "UpdateNewsBook", FormName, true);
        return;
    }
    m_saved = true;
    accept();
}

frmNewsNote::frmNewsNote(AppContext& ctx, QWidget* parent) : QDialog(parent) {
    setObjectName(FormName);
    setWindowTitle("News Board");
    auto* top = new QVBoxLayout(this);
    top->addWidget(m_board = new NewsBoardView(ctx, this), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* close = named(new QPushButton("&Close"), "cmdClose");
    buttons->addWidget(close);
    top->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    m_board->refresh();
}

} // namespace vm
