#include "guests/forms/frmItinText.h"

#include "core/DataAccess.h"
#include "platform/forms/FormHelpers.h"
#include "security/forms/frmCCQuery.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

namespace {

const QString FormName = QStringLiteral("frmItinText");

QComboBox* AlignmentCombo(const char* name) {
    auto* c = named(new QComboBox, name);
    for (Alignment a : {Alignment::Left, Alignment::Center, Alignment::Right})
        c->addItem(AlignmentName(a), int(a));
    return c;
}

void ShowAlignment(QComboBox* c, Alignment a) {
    c->setCurrentIndex(c->findData(int(a)));
}

Alignment ChosenAlignment(const QComboBox* c) {
    return Alignment(c->currentData().toInt());
}

} // namespace

QString CharacterCount(int count) {
    return QString::number(count) + (count == 1 ? " character" : " characters");
}

frmItinText::frmItinText(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(FormName);
    setWindowTitle("Maintain Itinerary Header and Footer Text");
    auto* top = new QVBoxLayout(this);
    auto* language = new QFormLayout;
    language->addRow("Language:", cboLanguage = named(new QComboBox, "cboLanguage"));
    cboLanguage->addItems(ItineraryLanguages());
    top->addLayout(language);

    auto text = [&](const QString& caption, const char* name, const char* counter,
                    QPlainTextEdit*& edit, QLabel*& count) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(caption), 1);
        row->addWidget(count = named(new QLabel(CharacterCount(0)), counter));
        top->addLayout(row);
        top->addWidget(edit = named(new QPlainTextEdit, name), 1);
        connect(edit, &QPlainTextEdit::textChanged, this,
                [edit, count] { count->setText(CharacterCount(int(edit->toPlainText().size()))); });
    };
    text("Additional Itinerary Header Text:", "txtHeader", "lblHeaderCount", txtHeader,
         lblHeaderCount);
    text("Itinerary Footer Text:", "txtFooter", "lblFooterCount", txtFooter, lblFooterCount);
    text("Confirmation Footer Text:", "txtConfFooter", "lblConfFooterCount", txtConfFooter,
         lblConfFooterCount);
    auto* note = new QLabel("Note: This text will print on single confirmation forms after the "
                            "additional information and before the valediction.");
    note->setWordWrap(true);
    top->addWidget(note);

    auto* aligns = new QHBoxLayout;
    aligns->addWidget(new QLabel("Header alignment:"));
    aligns->addWidget(cboHeadAlign = AlignmentCombo("cboHeadAlign"));
    aligns->addWidget(new QLabel("Itinerary alignment:"));
    aligns->addWidget(cboItinAlign = AlignmentCombo("cboItinAlign"));
    aligns->addWidget(new QLabel("Footer alignment:"));
    aligns->addWidget(cboFootAlign = AlignmentCombo("cboFootAlign"));
    aligns->addStretch();
    top->addLayout(aligns);

    auto* custom = new QGroupBox;
    auto* grid = new QGridLayout(custom);
    grid->addWidget(chkCustomHeader = named(new QCheckBox("Click here to replace the default "
                                                          "Itinerary Header with the following"),
                                            "chkCustomHeader"),
                    0, 0, 1, 3);
    const char* captions[] = {"Left column:", "Center column:", "Right column:"};
    for (int c = 0; c < 3; ++c) {
        grid->addWidget(new QLabel(captions[c]), 1, c);
        cboColumn[size_t(c)] = named(new QComboBox, "cboColumn" + QString::number(c));
        cboColumn[size_t(c)]->addItems(HeaderColumnCaptions());
        grid->addWidget(cboColumn[size_t(c)], 2, c);
        cboValue[size_t(c)] = named(new QComboBox, "cboValue" + QString::number(c));
        grid->addWidget(cboValue[size_t(c)], 3, c);
        connect(cboColumn[size_t(c)], &QComboBox::currentIndexChanged, this,
                [this, c] { columnChosen(c); });
    }
    top->addWidget(custom);
    top->addWidget(chkUseHeadFoot = named(new QCheckBox("Default is to Use Header and Footer Text "
                                                        "When Printing Itinerary"),
                                          "chkUseHeadFoot"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave = named(new QPushButton("&Save"), "cmdSave"));
    buttons->addWidget(cmdDelete = named(new QPushButton("&Delete"), "cmdDelete"));
    buttons->addWidget(cmdClose = named(new QPushButton("&Close"), "cmdClose"));
    top->addLayout(buttons);
    resize(720, 760);

    loadOptions();
    loadTexts();
    connect(cboLanguage, &QComboBox::currentIndexChanged, this, [this] { loadTexts(); });
    connect(cmdSave, &QPushButton::clicked, this, &frmItinText::save);
    connect(cmdDelete, &QPushButton::clicked, this, &frmItinText::cmdDelete_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
}

void frmItinText::loadTexts() {
    m_language = cboLanguage->currentIndex();
    try {
        const ItineraryTexts t = GetItineraryTexts(m_ctx, m_language);
        txtHeader->setPlainText(t.header);
        txtFooter->setPlainText(t.footer);
        txtConfFooter->setPlainText(t.confirmationFooter);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cboLanguage_Click", FormName, true);
    }
}

void frmItinText::loadOptions() {
    try {
        const ItineraryHeaderOptions o = LoadItineraryHeaderOptions(m_ctx);
        chkCustomHeader->setChecked(o.useCustomTitle);
        for (size_t c = 0; c < 3; ++c) {
            cboColumn[c]->setCurrentIndex(int(o.columns[c]));
            columnChosen(int(c));
            cboValue[c]->setCurrentText(o.values[c]);
        }
        ShowAlignment(cboHeadAlign, o.headAlign);
        ShowAlignment(cboItinAlign, o.itinAlign);
        ShowAlignment(cboFootAlign, o.footAlign);
        chkUseHeadFoot->setChecked(GetUseHeadFoot(m_ctx));
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "Form_Load", FormName, true);
    }
}

// The value box offers what the column's kind takes: free text, an indicator
// type or a date format; nothing for the kinds without a value.
void frmItinText::columnChosen(int column) {
    QComboBox* value = cboValue[size_t(column)];
    const auto kind = HeaderColumn(cboColumn[size_t(column)]->currentIndex());
    value->clear();
    value->setEditable(kind == HeaderColumn::UserText);
    value->setEnabled(kind != HeaderColumn::None && kind != HeaderColumn::GuestName);
    if (kind == HeaderColumn::IndicatorWithCaption || kind == HeaderColumn::IndicatorValue) {
        try {
            value->addItems(ItineraryIndicatorTypes(m_ctx));
        } catch (const std::exception& e) {
            ReportError(m_ctx.prompt(), e, "cboColumn_Click", FormName, true);
        }
    } else if (kind == HeaderColumn::DatePrinted) {
        value->addItems(DatePrintedFormats());
    }
}

bool frmItinText::save() {
    // A card number does not belong in a text printed for guests.
    CheckFormCCFields(m_ctx, this, "Itinerary Text", 0);
    ItineraryTexts texts{txtHeader->toPlainText(), txtFooter->toPlainText(),
                         txtConfFooter->toPlainText()};
    ItineraryHeaderOptions o;
    o.useCustomTitle = chkCustomHeader->isChecked();
    for (size_t c = 0; c < 3; ++c) {
        o.columns[c] = HeaderColumn(cboColumn[c]->currentIndex());
        o.values[c] = cboValue[c]->currentText().trimmed();
    }
    o.headAlign = ChosenAlignment(cboHeadAlign);
    o.itinAlign = ChosenAlignment(cboItinAlign);
    o.footAlign = ChosenAlignment(cboFootAlign);
    try {
        SaveItineraryTexts(m_ctx, m_language, texts);
        SaveItineraryHeaderOptions(m_ctx, o);
        SetUseHeadFoot(m_ctx, chkUseHeadFoot->isChecked());
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cmdSave_Click", FormName, true);
        return false;
    }
    loadTexts(); // shows them as stored
    return true;
}

void frmItinText::cmdDelete_Click() {
    if (m_ctx.prompt().ask(MsgDeleteItineraryTexts, {}, Buttons::YesNo, Icon::Question,
                           Answer::No) != Answer::Yes)
        return;
    try {
        DeleteItineraryTexts(m_ctx, m_language);
    } catch (const std::exception& e) {
        ReportError(m_ctx.prompt(), e, "cmdDelete_Click", FormName, true);
    }
    loadTexts();
}

} // namespace vm
