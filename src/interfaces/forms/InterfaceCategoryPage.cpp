#include "interfaces/forms/InterfaceCategoryPage.h"

#include "guests/Itinerary.h"
#include "logbook/Categories.h"
#include "logbook/Designs.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vm {

InterfaceCategoryPage::InterfaceCategoryPage(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx) {
    setObjectName("InterfaceCategoryPage");
    m_type = named(new QComboBox(this), "cboTypeOfInterface");
    m_type->addItems(IfEditableInterfaces());
    m_type->setCurrentIndex(-1);
    m_list = named(new QListWidget(this), "lstCategories");
    m_name = makeLineEdit(this, "txtInterfaceCategory", false, 100);
    m_logType = named(new QComboBox(this), "cboLogbookCategory");
    for (const Category& c : GetAllCategories4Edit(ctx.db()))
        m_logType->addItem(c.name, c.id);
    m_logType->setCurrentIndex(-1);
    m_language = named(new QComboBox(this), "cboLanguage");
    // Stored as the language's number, as the timed-service links keep it.
    const QStringList& languages = ItineraryLanguages();
    for (int i = 0; i < languages.size(); ++i)
        m_language->addItem(languages[i], QString::number(i));
    m_language->setCurrentIndex(-1);
    m_new = named(new QPushButton("&New", this), "cmdNew");
    m_save = named(new QPushButton("&Save", this), "cmdSave");
    m_delete = named(new QPushButton("&Delete", this), "cmdDelete");

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Type of Interface:", this));
    left->addWidget(m_type);
    left->addWidget(new QLabel("Interface Categories:", this));
    left->addWidget(m_list, 1);

    auto* head = new QGridLayout;
    head->addWidget(new QLabel("Interface Category:", this), 0, 0);
    head->addWidget(m_name, 0, 1);
    head->addWidget(new QLabel("Logbook Category:", this), 1, 0);
    head->addWidget(m_logType, 1, 1);
    head->addWidget(new QLabel("Language:", this), 2, 0);
    head->addWidget(m_language, 2, 1);

    auto* rows = new QGridLayout;
    rows->addWidget(new QLabel("Interface Element", this), 0, 1);
    rows->addWidget(new QLabel("Logbook Element", this), 0, 2);
    for (int n = 0; n < IfPositions; ++n) {
        rows->addWidget(new QLabel(QString::number(n + 1), this), n + 1, 0);
        m_field[n] = makeLineEdit(this, QString("txtIFDE%1").arg(n + 1), false, 100);
        m_label[n] = named(new QComboBox(this), QString("cboDEElement%1").arg(n + 1));
        rows->addWidget(m_field[n], n + 1, 1);
        rows->addWidget(m_label[n], n + 1, 2);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_new);
    buttons->addWidget(m_save);
    buttons->addWidget(m_delete);

    auto* right = new QVBoxLayout;
    right->addLayout(head);
    right->addLayout(rows);
    right->addLayout(buttons);
    right->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 2);

    setTabOrder(m_type, m_list);
    setTabOrder(m_list, m_name);
    setTabOrder(m_name, m_logType);
    setTabOrder(m_logType, m_language);
    QWidget* previous = m_language;
    for (int n = 0; n < IfPositions; ++n) {
        setTabOrder(previous, m_field[n]);
        setTabOrder(m_field[n], m_label[n]);
        previous = m_label[n];
    }
    setTabOrder(previous, m_save);
    setTabOrder(m_save, m_new);
    setTabOrder(m_new, m_delete);

    fillLabels();
    connect(m_type, &QComboBox::currentIndexChanged, this,
            &InterfaceCategoryPage::cboTypeOfInterface_Change);
    connect(m_list, &QListWidget::currentRowChanged, this,
            &InterfaceCategoryPage::lstCategories_Change);
    connect(m_logType, &QComboBox::currentIndexChanged, this,
            &InterfaceCategoryPage::cboLogbookCategory_Change);
    connect(m_new, &QPushButton::clicked, this, &InterfaceCategoryPage::cmdNew_Click);
    connect(m_save, &QPushButton::clicked, this, &InterfaceCategoryPage::cmdSave_Click);
    connect(m_delete, &QPushButton::clicked, this, &InterfaceCategoryPage::cmdDelete_Click);
}

void InterfaceCategoryPage::cboTypeOfInterface_Change() {
    clearForm();
    fillList(0);
}

void InterfaceCategoryPage::lstCategories_Change() {
    if (m_filling) return;
    QListWidgetItem* item = m_list->currentItem();
    if (!item) return;
    if (auto c = GetIFCategory(m_ctx.db(), item->data(Qt::UserRole).toLongLong()))
        showCategory(*c);
    else // deleted at another desk meanwhile
        fillList(0);
}

void InterfaceCategoryPage::cboLogbookCategory_Change() {
    fillLabels();
}

void InterfaceCategoryPage::cmdNew_Click() {
    clearForm();
    m_name->setFocus();
}

void InterfaceCategoryPage::cmdSave_Click() {
    IfCategory c = typed();
    const IfRefusal refusal = SaveIFCategory(m_ctx.db(), c);
    if (refusal.refused()) {
        m_ctx.prompt().message(refusal.text, refusal.title, Icon::Exclamation);
        return;
    }
    showCategory(c);
    fillList(c.id);
}

void InterfaceCategoryPage::cmdDelete_Click() {
    if (m_id == 0) {
        m_ctx.prompt().message(MsgIfSelectToDelete);
        return;
    }
    const QString name = m_list->currentItem() ? m_list->currentItem()->text() : m_name->text();
    if (m_ctx.prompt().ask(IfDeleteQuestion(name), TitleIfConfirmDelete, Buttons::YesNo,
                           Icon::Question, Answer::No) != Answer::Yes)
        return;
    DeleteIFCategory(m_ctx.db(), m_id);
    clearForm();
    fillList(0);
}

void InterfaceCategoryPage::fillList(qint64 select) {
    m_filling = true;
    m_list->clear();
    if (m_type->currentIndex() >= 0)
        for (const auto& [id, name] : GetIFCategorys(m_ctx.db(), m_type->currentText())) {
            auto* item = new QListWidgetItem(name, m_list);
            item->setData(Qt::UserRole, id);
            if (id == select) m_list->setCurrentItem(item);
        }
    m_filling = false;
}

void InterfaceCategoryPage::clearForm() {
    m_id = 0;
    {
        const QSignalBlocker block(m_list);
        m_list->setCurrentRow(-1);
    }
    m_name->clear();
    m_logType->setCurrentIndex(-1);
    m_language->setCurrentIndex(-1);
    for (int n = 0; n < IfPositions; ++n) {
        m_field[n]->clear();
        m_label[n]->setCurrentIndex(0);
    }
}

void InterfaceCategoryPage::showCategory(const IfCategory& c) {
    m_id = c.id;
    m_name->setText(c.typeOfRequest);
    // Rows filed by outside programs may carry the name only.
    int at = c.logTypeId > 0 ? m_logType->findData(c.logTypeId) : -1;
    if (at < 0) at = m_logType->findText(c.logType, Qt::MatchFixedString);
    m_logType->setCurrentIndex(at);
    fillLabels(); // the same category chosen again sends no change
    at = m_language->findData(c.languageCode);
    if (at < 0 && !c.languageCode.isEmpty()) { // a code of an outside program stays as it is
        m_language->addItem(c.languageCode, c.languageCode);
        at = m_language->count() - 1;
    }
    m_language->setCurrentIndex(at);
    for (int n = 0; n < IfPositions; ++n) {
        m_field[n]->setText(c.outsideField[n]);
        chooseText(m_label[n], c.designLabel[n]);
    }
}

IfCategory InterfaceCategoryPage::typed() const {
    IfCategory c;
    c.id = m_id;
    c.typeOfInterface = m_type->currentIndex() >= 0 ? m_type->currentText() : QString();
    c.typeOfRequest = m_name->text();
    if (m_logType->currentIndex() >= 0) {
        c.logTypeId = m_logType->currentData().toLongLong();
        c.logType = m_logType->currentText();
    }
    if (m_language->currentIndex() >= 0) c.languageCode = m_language->currentData().toString();
    for (int n = 0; n < IfPositions; ++n) {
        c.outsideField[n] = m_field[n]->text();
        c.designLabel[n] = m_label[n]->currentText();
    }
    return c;
}

void InterfaceCategoryPage::fillLabels() {
    QStringList labels{QString()};
    if (m_logType->currentIndex() >= 0)
        for (const DesignElement& e :
             GetDEElements(m_ctx.db(), m_logType->currentData().toLongLong()))
            labels << e.label;
    for (QComboBox* box : m_label) {
        const QString chosen = box->currentText();
        box->clear();
        box->addItems(labels);
        box->setCurrentIndex(std::max(0, box->findText(chosen)));
    }
}

void InterfaceCategoryPage::chooseText(QComboBox* box, const QString& text) {
    int at = box->findText(text);
    if (at < 0) { // a label the design no longer has stays visible, and is kept when saved
        box->addItem(text);
        at = box->count() - 1;
    }
    box->setCurrentIndex(at);
}

} // namespace vm
