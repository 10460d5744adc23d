#include "operations/forms/frmSelectPhoto.h"

#include "core/DataAccess.h"
#include "operations/PhotoStore.h"
#include "platform/DbError.h"
#include "platform/forms/FormHelpers.h"

#include <QDir>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmSelectPhoto");
const QSize PreviewBox(320, 240);
} // namespace

frmSelectPhoto::frmSelectPhoto(AppContext& ctx, const QString& current, QWidget* parent)
    : QDialog(parent), m_ctx(ctx) {
    setObjectName(FormName);
    setWindowTitle("Select Photograph");
    auto* top = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(lstPhotos = named(new QListWidget, "lstPhotos"), 1);
    row->addWidget(imgPreview = named(new QLabel, "imgPreview"));
    imgPreview->setFixedSize(PreviewBox);
    imgPreview->setAlignment(Qt::AlignCenter);
    imgPreview->setFrameShape(QFrame::Box);
    top->addLayout(row, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdImport = named(new QPushButton("Import Photo..."), "cmdImport"));
    buttons->addStretch();
    buttons->addWidget(cmdOK = named(new QPushButton("OK"), "cmdOK"));
    buttons->addWidget(cmdCancel = named(new QPushButton("Cancel"), "cmdCancel"));
    top->addLayout(buttons);
    cmdImport->setAutoDefault(false);
    cmdOK->setDefault(true);
    connect(cmdImport, &QPushButton::clicked, this, &frmSelectPhoto::cmdImport_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmSelectPhoto::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSelectPhoto::reject);
    connect(lstPhotos, &QListWidget::currentTextChanged, this, &frmSelectPhoto::showPreview);
    connect(lstPhotos, &QListWidget::itemDoubleClicked, this, &frmSelectPhoto::accept);
    lstPhotos->installEventFilter(this);
    refresh(current);
    resize(620, 360);
}

QString frmSelectPhoto::selected() const {
    const QListWidgetItem* item = lstPhotos->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void frmSelectPhoto::refresh(const QString& select) {
    lstPhotos->clear();
    lstPhotos->addItems(ListPhotos(m_ctx));
    const auto found = lstPhotos->findItems(select, Qt::MatchFixedString);
    if (!select.isEmpty() && !found.isEmpty()) lstPhotos->setCurrentItem(found.first());
    showPreview();
}

void frmSelectPhoto::showPreview() {
    imgPreview->clear();
    const QString name = selected();
    if (name.isEmpty()) return;
    QImageReader reader(PhotoPath(m_ctx, name));
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (!image.isNull())
        imgPreview->setPixmap(QPixmap::fromImage(
            image.scaled(PreviewBox, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void frmSelectPhoto::cmdImport_Click() {
    Prompt& prompt = m_ctx.prompt();
    const QString source =
        m_ctx.desktop().chooseOpenFile("Select a Photograph", QDir::homePath(), kLfPhotoFilter);
    if (source.isEmpty()) return;
    if (const QString refusal = CheckPhotoSource(source); !refusal.isEmpty()) {
        prompt.message(refusal);
        return;
    }
    QString name = DefaultPhotoName(m_ctx, source);
    // Asked again until the name is free or the member gives up.
    for (;;) {
        const auto typed =
            prompt.input(kLfPhotoPrompt + "\r\n" + kLfPhotoPromptDefault, kLfTitlePhotoName, name);
        if (!typed || typed->trimmed().isEmpty()) return;
        name = typed->trimmed();
        PhotoImport result;
        try {
            result = ImportPhoto(m_ctx, source, name);
        } catch (const DbError& e) {
            ReportError(prompt, e, "ImportPhoto", FormName, true);
            return;
        }
        if (result.ok) {
            refresh(result.name);
            return;
        }
        prompt.message(result.message, result.title);
        if (result.title != kLfTitlePhotoPresent && result.message != kLfMsgPhotoBadName) return;
    }
}

void frmSelectPhoto::deleteSelected() {
    const QString name = selected();
    if (name.isEmpty()) return;
    Prompt& prompt = m_ctx.prompt();
    if (prompt.ask(kLfMsgPhotoConfirmDelete, kLfTitlePhotoConfirmDelete, Buttons::YesNo,
                   Icon::Question, Answer::No) != Answer::Yes)
        return;
    try {
        QString refusal;
        if (!DeletePhoto(m_ctx, name, false, &refusal)) {
            if (!refusal.isEmpty()) prompt.message(refusal);
            return;
        }
    } catch (const DbError& e) {
        ReportError(prompt, e, "DeletePhoto", FormName, true);
        return;
    }
    refresh({});
}

bool frmSelectPhoto::eventFilter(QObject* watched, QEvent* e) {
    if (watched == lstPhotos && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete) {
        deleteSelected();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

void frmSelectPhoto::accept() {
    const QString name = selected();
    if (name.isEmpty()) {
        m_ctx.prompt().message(kLfMsgNoPhoto);
        return;
    }
    emit photoChosen(name);
    QDialog::accept();
}

} // namespace vm
