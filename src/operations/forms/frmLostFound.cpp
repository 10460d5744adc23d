#include "operations/forms/frmLostFound.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "operations/PhotoStore.h"
#include "operations/forms/frmSelectPhoto.h"
#include "platform/DbError.h"
#include "platform/forms/FormHelpers.h"
#include "security/forms/frmCCQuery.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vm {

namespace {
const QString FormName = QStringLiteral("frmLostFound");
const QSize PhotoBox(240, 180);
} // namespace

frmLostFound::frmLostFound(AppContext& ctx, qint64 id, QWidget* parent)
    : LostItemForm(ctx, false, FormName, parent) {
    try {
        if (id)
            if (auto item = LFGetTheItem(ctx, id)) m_item = *item;
        if (!m_item.id) {
            m_item.foundDate = Formats::StoredDate(ctx.clock().today());
            m_item.disposition = GetOptionsLF(ctx).foundDisposition;
        }
        for (int slot = 1; slot <= 5; ++slot)
            m_lists[size_t(slot - 1)] = LfListInSlot(ctx, slot);
        m_readOnly = m_item.id && LfLockEditing(ctx);
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "LFGetTheFoundItem", FormName, true);
    }
    m_opened = m_item;
    m_photo = m_item.photographName.trimmed();
    build();
    showItem();
}

void frmLostFound::build() {
    setWindowTitle("Found Item");
    auto* top = new QVBoxLayout(this);
    top->addWidget(tabs = named(new QTabWidget, "tabFound"), 1);
    tabs->addTab(buildDetails(), "Found Item");
    tabs->addTab(pnlMatch, "Possible Matches");
    txtHistory = named(new QPlainTextEdit, "txtHistory");
    txtHistory->setReadOnly(true);
    tabs->addTab(txtHistory, "History");
    top->addWidget(lblEnteredBy = named(new QLabel, "lblEnteredBy"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSave = named(new QPushButton("Save"), "cmdSave"));
    buttons->addWidget(cmdDelete = named(new QPushButton("Delete"), "cmdDelete"));
    buttons->addWidget(cmdPrint = named(new QPushButton("Print"), "cmdPrint"));
    buttons->addWidget(cmdReturn = named(new QPushButton("Return to Owner"), "cmdReturn"));
    buttons->addStretch();
    buttons->addWidget(cmdClose = named(new QPushButton("Close"), "cmdClose"));
    top->addLayout(buttons);
    for (QPushButton* b : {cmdSave, cmdDelete, cmdPrint, cmdReturn, cmdClose})
        b->setAutoDefault(false);
    connect(cmdSave, &QPushButton::clicked, this, &frmLostFound::cmdSave_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmLostFound::cmdDelete_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmLostFound::cmdPrint_Click);
    connect(cmdReturn, &QPushButton::clicked, this, [this] { closeWith(0, true); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    resize(900, 660);
}

QWidget* frmLostFound::buildDetails() {
    auto* page = named(new QWidget, "tabFoundItem");
    auto* columns = new QHBoxLayout(page);
    auto* left = new QFormLayout;
    left->addRow("Description:", txtItemText = makeLineEdit(page, "txtItemText", false, 250));
    left->addRow("Category:", cboCategory = MakeLookupBox(m_ctx, "cboCategory", "LFCategory"));
    left->addRow("Where Found:",
                 cboFoundLocation = MakeLookupBox(m_ctx, "cboFoundLocation", "LFLocation"));
    left->addRow("Where Stored:",
                 cboStoredLocation = MakeLookupBox(m_ctx, "cboStoredLocation", "LFStorage"));
    left->addRow("Default Disposition:",
                 cboDisposition = MakeLookupBox(m_ctx, "cboDisposition", "Disposal"));
    left->addRow("Date Found:", txtFoundDate = makeLineEdit(page, "txtFoundDate", false, 10));
    txtFoundDate->setPlaceholderText(Formats::ShortDateHint);
    left->addRow("Finder Name:", txtFinderName = makeLineEdit(page, "txtFinderName", false, 50));
    lblTagNumber = named(new QLabel(LfTagCaption(m_ctx) + ":"), "lblTagNumber");
    left->addRow(lblTagNumber, txtTagNumber = makeLineEdit(page, "txtTagNumber", false, 50));
    left->addRow("Room Number:", txtRoomNumber = makeLineEdit(page, "txtRoomNumber", false, 20));
    left->addRow("Estimated Value:",
                 txtEstValueFound = makeLineEdit(page, "txtEstValueFound", false, 15));
    buildLists(left);
    columns->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(imgPhoto = named(new QLabel, "imgPhoto"));
    imgPhoto->setFixedSize(PhotoBox);
    imgPhoto->setAlignment(Qt::AlignCenter);
    imgPhoto->setFrameShape(QFrame::Box);
    right->addWidget(lblPhotoName = named(new QLabel, "lblPhotoName"));
    right->addWidget(cmdSelectPhoto = named(new QPushButton("Photograph..."), "cmdSelectPhoto"));
    cmdSelectPhoto->setAutoDefault(false);
    right->addStretch();
    columns->addLayout(right);
    connect(cmdSelectPhoto, &QPushButton::clicked, this, &frmLostFound::cmdSelectPhoto_Click);
    return page;
}

void frmLostFound::buildLists(QFormLayout* form) {
    bool locked = true;
    try {
        locked = LfLockCategoryItems(m_ctx);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "LfLockCategoryItems", FormName, true);
    }
    for (int i = 0; i < 5; ++i) {
        const auto& list = m_lists[size_t(i)];
        const QString n = QString::number(i + 1);
        lblUdCategory[size_t(i)] =
            named(new QLabel(list ? list->caption() : kLfUndefinedCategory), "lblUdCategory" + n);
        auto* row = new QHBoxLayout;
        row->addWidget(cboUdCategory[size_t(i)] = named(new QComboBox, "cboUdCategory" + n), 1);
        row->addWidget(cmdNewUdItem[size_t(i)] = named(new QPushButton("New..."), "cmdNewUdItem" + n));
        cmdNewUdItem[size_t(i)]->setAutoDefault(false);
        // The property may keep its lists' items from being added on the item screens.
        cmdNewUdItem[size_t(i)]->setVisible(list && !locked);
        cboUdCategory[size_t(i)]->setEnabled(list.has_value());
        connect(cmdNewUdItem[size_t(i)], &QPushButton::clicked, this,
                [this, i] { cmdNewListItem_Click(i + 1); });
        form->addRow(lblUdCategory[size_t(i)], row);
    }
}

void frmLostFound::fillList(int slot, qint64 selected) {
    QComboBox* box = cboUdCategory[size_t(slot - 1)];
    box->clear();
    box->addItem(QString(), 0);
    const auto& list = m_lists[size_t(slot - 1)];
    if (!list) return;
    for (const LfUdListItem& item : GetUserDefinedCategoryItems(m_ctx, list->catId))
        box->addItem(item.caption, item.enumId);
    const int at = box->findData(selected);
    box->setCurrentIndex(at < 0 ? 0 : at);
}

void frmLostFound::showItem() {
    txtItemText->setText(m_item.itemText.trimmed());
    SetLookupValue(cboCategory, m_item.category);
    SetLookupValue(cboFoundLocation, m_item.foundLocation);
    SetLookupValue(cboStoredLocation, m_item.storedLocation);
    SetLookupValue(cboDisposition, m_item.disposition);
    txtFoundDate->setText(ShownDate(m_item.foundDate));
    txtFinderName->setText(m_item.finderName.trimmed());
    const bool idAsTag = LfUseItemIdAsTag(m_ctx);
    txtTagNumber->setReadOnly(idAsTag);
    txtTagNumber->setText(idAsTag ? (m_item.id ? QString::number(m_item.id) : QString())
                                  : m_item.tagNumber.trimmed());
    txtRoomNumber->setText(m_item.roomNumber.trimmed());
    txtEstValueFound->setText(ShownAmount(m_item.estValueFound));
    try {
        for (int slot = 1; slot <= 5; ++slot)
            fillList(slot, m_item.udCategory[size_t(slot - 1)]);
        txtHistory->setPlainText(m_item.id ? GetLfHistry(m_ctx, m_item.id) : QString());
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "GetLfHistry", FormName, true);
    }
    lblEnteredBy->setText(m_item.enteredBy());
    cmdPrint->setEnabled(m_item.id != 0);
    showPhoto();
    if (m_readOnly) {
        // A saved item opens read-only where the property locks editing.
        for (QWidget* w : std::initializer_list<QWidget*>{
                 txtItemText, txtFoundDate, txtRoomNumber, txtEstValueFound, txtTagNumber,
                 txtFinderName, cboCategory, cboFoundLocation, cboStoredLocation, cboDisposition,
                 cmdSave, cmdSelectPhoto})
            w->setEnabled(false);
        for (int i = 0; i < 5; ++i) {
            cboUdCategory[size_t(i)]->setEnabled(false);
            cmdNewUdItem[size_t(i)]->setVisible(false);
        }
    }
}

void frmLostFound::showPhoto() {
    lblPhotoName->setText(m_photo);
    imgPhoto->clear();
    if (m_photo.isEmpty()) return;
    QImageReader reader(PhotoPath(m_ctx, m_photo));
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        imgPhoto->setText("(no picture)");
        return;
    }
    imgPhoto->setPixmap(QPixmap::fromImage(
        image.scaled(PhotoBox, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

LfItem frmLostFound::typed() const {
    LfItem i = m_item;
    i.status = kLfFound;
    i.itemText = txtItemText->text().trimmed();
    i.category = LookupValue(cboCategory);
    i.foundLocation = LookupValue(cboFoundLocation);
    i.storedLocation = LookupValue(cboStoredLocation);
    i.disposition = LookupValue(cboDisposition);
    i.foundDate = TypedStoredDate(txtFoundDate);
    i.finderName = txtFinderName->text().trimmed();
    if (!txtTagNumber->isReadOnly()) i.tagNumber = txtTagNumber->text().trimmed();
    i.roomNumber = txtRoomNumber->text().trimmed();
    i.estValueFound = TypedAmount(txtEstValueFound);
    i.photographName = m_photo;
    for (int s = 0; s < 5; ++s)
        i.udCategory[size_t(s)] = cboUdCategory[size_t(s)]->currentData().toLongLong();
    return i;
}

void frmLostFound::cmdSave_Click() {
    LfItem item = typed();
    if (const QString refusal = LFCheckFoundItem(item); !refusal.isEmpty()) {
        m_ctx.prompt().message(refusal);
        const QHash<QString, QWidget*> fieldOf{
            {kLfMsgFoundDescription, txtItemText},   {kLfMsgCategory, cboCategory},
            {kLfMsgFoundLocation, cboFoundLocation}, {kLfMsgStorage, cboStoredLocation},
            {kLfMsgDefaultDisposition, cboDisposition}, {kLfMsgFoundDate, txtFoundDate},
            {kLfMsgFinderName, txtFinderName}};
        tabs->setCurrentIndex(0);
        if (QWidget* w = fieldOf.value(refusal)) w->setFocus();
        return;
    }
    const bool isNew = item.id == 0;
    try {
        LFScreenItemTexts(m_ctx, item, kLfFormFound, [this](const QString& f, const QString& n) {
            return AskCCQuery(f, n, this);
        });
        if (isNew) {
            LFInsertFoundItem(m_ctx, item);
        } else if (QString refusal; !LFUpdateFoundItem(m_ctx, item, m_opened, &refusal)) {
            m_ctx.prompt().message(refusal.isEmpty() ? kLfMsgFoundGone : refusal);
            return;
        }
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, isNew ? "LFInsertFoundItem" : "LFUpdateFoundItem",
                    FormName, true);
        return;
    }
    m_item = item;
    m_opened = item; // the next save records what changes from here
    showItem();
    emit changed();
    if (isNew) findMatches(true);
}

void frmLostFound::showMatches() { tabs->setCurrentWidget(pnlMatch); }

void frmLostFound::cmdSelectPhoto_Click() {
    auto* picker = new frmSelectPhoto(m_ctx, m_photo, this);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    connect(picker, &frmSelectPhoto::photoChosen, this, [this](const QString& name) {
        m_photo = name;
        showPhoto();
    });
    picker->open();
}

void frmLostFound::cmdNewListItem_Click(int slot) {
    const auto& list = m_lists[size_t(slot - 1)];
    if (!list) return;
    const auto caption = m_ctx.prompt().input(kLfMsgNewListItem, kLfTitleNewListItem);
    if (!caption || caption->trimmed().isEmpty()) return;
    try {
        const LfListResult r = CreateLostAndFoundUdCategoryItem(m_ctx, list->catId, *caption);
        if (!r.ok) {
            m_ctx.prompt().message(r.message, r.title);
            return;
        }
        fillList(slot, r.id);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "CreateLostAndFoundUdCategoryItem", FormName, true);
    }
}

} // namespace vm
