#include "logbook/forms/frmDEFormD.h"

#include "core/DataAccess.h"
#include "logbook/Categories.h"
#include "logbook/Designs.h"
#include "logbook/EntryRules.h"
#include "output/forms/PrintPreview.h"
#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmDEFormD");
const QStringList FontSizes = {"8", "9", "10", "11", "12", "14", "16", "18", "20", "24"};
const QStringList Valedictions = {"Sincerely, ", "Thank you, "};

QString inches(double v) {
    return QString::number(v, 'g', 4);
}

QDoubleSpinBox* inchesBox(const QString& name) {
    auto* box = named(new QDoubleSpinBox, name);
    box->setRange(0, MaxPageInches);
    box->setSingleStep(0.1);
    box->setDecimals(2);
    box->setSuffix(" in");
    return box;
}

} // namespace

frmDEFormD::frmDEFormD(AppContext& ctx, qint64 logTypeId, ReportOpener openReport, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_openReport(std::move(openReport)) {
    setObjectName(FormName);
    build();
    m_form = NewCustomForm(logTypeId);
    QStringList design;
    try {
        Database& db = ctx.db();
        if (const auto c = GetLogTypeFlags(db, logTypeId)) m_category = c->name;
        if (auto saved = GetCustomForm(db, logTypeId)) m_form = *saved;
        for (const DesignElement& e : GetDEElements(db, logTypeId))
            design << e.label;
    } catch (const DbError& e) {
        ReportError(ctx.prompt(), e, "Form_Load", FormName, true);
    }
    setWindowTitle("Custom Form - " + m_category);
    showForm(m_form, design);
}

void frmDEFormD::build() {
    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;

    auto* page = new QGroupBox("Form Size and Margins (inches)");
    auto* p = new QFormLayout(page);
    p->addRow("Height:", txtPageHeight = makeLineEdit(this, "txtPageHeight", false, 6));
    p->addRow("Width:", txtPageWidth = makeLineEdit(this, "txtPageWidth", false, 6));
    p->addRow("Top Margin:", txtTopMargin = makeLineEdit(this, "txtTopMargin", false, 6));
    p->addRow("Bottom Margin:", txtBottomMargin = makeLineEdit(this, "txtBottomMargin", false, 6));
    p->addRow("Left Margin:", txtLeftMargin = makeLineEdit(this, "txtLeftMargin", false, 6));
    p->addRow("Right Margin:", txtRightMargin = makeLineEdit(this, "txtRightMargin", false, 6));
    left->addWidget(page);

    auto* text = new QGroupBox("Text");
    auto* t = new QFormLayout(text);
    t->addRow("Font:", cboFont = named(new QComboBox, "cboFont"));
    cboFont->addItem(QString());
    cboFont->addItems(QFontDatabase::families());
    t->addRow("Font Size:", cboFontSize = named(new QComboBox, "cboFontSize"));
    cboFontSize->setEditable(true);
    cboFontSize->addItems(FontSizes);
    t->addRow("Valediction:", cboValediction = named(new QComboBox, "cboValediction"));
    cboValediction->setEditable(true);
    cboValediction->addItems(Valedictions);
    t->addRow(chkPrintLogID = named(new QCheckBox("Print the Logbook ID"), "chkPrintLogID"));
    left->addWidget(text);

    auto* logo = new QGroupBox("Logo");
    auto* l = new QFormLayout(logo);
    l->addRow(chkLogo = named(new QCheckBox("Print the Logo"), "chkLogo"));
    l->addRow("From the Left:", spnLogoLeft = inchesBox("spnLogoLeft"));
    l->addRow("From the Top:", spnLogoTop = inchesBox("spnLogoTop"));
    l->addRow("Width (0: its own size):", spnLogoAspect = inchesBox("spnLogoAspect"));
    left->addWidget(logo);
    top->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* lines = new QGroupBox("Data Entry Design Elements to print");
    auto* ll = new QVBoxLayout(lines);
    ll->addWidget(lstElements = named(new QListWidget, "lstElements"));
    right->addWidget(lines, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdPreview = named(new QPushButton("&Preview"), "cmdPreview"));
    buttons->addWidget(cmdSave = named(new QPushButton("&Save"), "cmdSave"));
    buttons->addWidget(cmdClose = named(new QPushButton("C&lose"), "cmdClose"));
    right->addLayout(buttons);
    top->addLayout(right, 1);

    for (QLineEdit* e : {txtPageHeight, txtPageWidth, txtTopMargin, txtBottomMargin, txtLeftMargin,
                         txtRightMargin})
        connect(e, &QLineEdit::textEdited, this, &frmDEFormD::changed);
    for (QComboBox* c : {cboFont, cboFontSize, cboValediction})
        connect(c, &QComboBox::currentTextChanged, this, &frmDEFormD::changed);
    for (QCheckBox* c : {chkPrintLogID, chkLogo})
        connect(c, &QCheckBox::toggled, this, &frmDEFormD::changed);
    for (QDoubleSpinBox* s : {spnLogoLeft, spnLogoTop, spnLogoAspect})
        connect(s, &QDoubleSpinBox::valueChanged, this, &frmDEFormD::changed);
    connect(lstElements, &QListWidget::itemChanged, this, &frmDEFormD::changed);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdPreview, &QPushButton::clicked, this, &frmDEFormD::cmdPreview_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmDEFormD::cmdClose_Click);
}

void frmDEFormD::showForm(const CustomForm& f, const QStringList& designLabels) {
    m_showing = true;
    txtPageHeight->setText(inches(f.pageHeight));
    txtPageWidth->setText(inches(f.pageWidth));
    txtTopMargin->setText(inches(f.topMargin));
    txtBottomMargin->setText(inches(f.bottomMargin));
    txtLeftMargin->setText(inches(f.leftMargin));
    txtRightMargin->setText(inches(f.rightMargin));
    // A stored font this workstation lacks is still the form's font.
    if (cboFont->findText(f.fontName) < 0) cboFont->addItem(f.fontName);
    cboFont->setCurrentText(f.fontName);
    cboFontSize->setCurrentText(f.fontSize > 0 ? inches(f.fontSize) : QString());
    cboValediction->setCurrentText(f.valediction);
    chkPrintLogID->setChecked(f.printLogId);
    chkLogo->setChecked(f.logo);
    spnLogoLeft->setValue(f.logoLeft);
    spnLogoTop->setValue(f.logoTop);
    spnLogoAspect->setValue(f.logoAspect);
    lstElements->clear();
    for (const QString& label : designLabels) {
        auto* item = new QListWidgetItem(label, lstElements);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        const bool chosen = f.labels.contains(label, Qt::CaseInsensitive);
        item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
    }
    m_showing = false;
    m_dirty = false;
}

void frmDEFormD::changed() {
    if (!m_showing) m_dirty = true;
}

CustomForm frmDEFormD::formOnScreen() const {
    CustomForm f = m_form;
    f.pageHeight = ParseFormNumber(txtPageHeight->text());
    f.pageWidth = ParseFormNumber(txtPageWidth->text());
    f.topMargin = ParseFormNumber(txtTopMargin->text());
    f.bottomMargin = ParseFormNumber(txtBottomMargin->text());
    f.leftMargin = ParseFormNumber(txtLeftMargin->text());
    f.rightMargin = ParseFormNumber(txtRightMargin->text());
    f.fontName = cboFont->currentText().trimmed();
    f.fontSize = ParseFormNumber(cboFontSize->currentText());
    f.valediction = cboValediction->currentText();
    f.printLogId = chkPrintLogID->isChecked();
    f.logo = chkLogo->isChecked();
    f.logoLeft = spnLogoLeft->value();
    f.logoTop = spnLogoTop->value();
    f.logoAspect = spnLogoAspect->value();
    f.labels.clear();
    for (int i = 0; i < lstElements->count(); ++i)
        if (lstElements->item(i)->checkState() == Qt::Checked)
            f.labels << lstElements->item(i)->text();
    return f;
}

QWidget* frmDEFormD::controlOf(FormField field) const {
    switch (field) {
    case FormField::Height:
        return txtPageHeight;
    case FormField::Width:
        return txtPageWidth;
    case FormField::TopMargin:
        return txtTopMargin;
    case FormField::BottomMargin:
        return txtBottomMargin;
    case FormField::LeftMargin:
        return txtLeftMargin;
    case FormField::RightMargin:
        return txtRightMargin;
    case FormField::Font:
        return cboFont;
    case FormField::FontSize:
        return cboFontSize;
    case FormField::Elements:
        return lstElements;
    }
    return nullptr;
}

bool frmDEFormD::refused(const CustomForm& f) {
    const auto refusal = CheckCustomForm(f);
    if (!refusal) return false;
    m_ctx.prompt().message(refusal->message);
    if (QWidget* w = controlOf(refusal->field)) {
        w->setFocus();
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
    }
    return true;
}

bool frmDEFormD::cmdSave_Click() {
    CustomForm f = formOnScreen();
    if (refused(f)) return false;
    try {
        WaitCursor wait;
        SaveCustomForm(m_ctx.db(), f);
    } catch (const DbError& e) {
        ReportError(m_ctx.prompt(), e, "cmdSave_Click", FormName, true);
        return false;
    }
    m_form = f;
    m_dirty = false;
    return true;
}

void frmDEFormD::cmdPreview_Click() {
    const CustomForm f = formOnScreen();
    if (refused(f)) return;
    const PrintRequest request{"PrintDEFormPreview", "Custom Form - " + m_category,
                               CustomFormToArgs(f)};
    if (m_openReport)
        m_openReport(request, this);
    else
        OpenReport(m_ctx, request, this);
}

void frmDEFormD::cmdClose_Click() {
    reject();
}

void frmDEFormD::reject() {
    if (m_dirty && m_ctx.prompt().ask(MsgSaveChanges) == Answer::Yes && !cmdSave_Click())
        return; // a refused save keeps the form open with the changes
    m_dirty = false;
    QDialog::reject();
}

} // namespace vm
