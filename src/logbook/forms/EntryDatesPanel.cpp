#include "logbook/forms/EntryDatesPanel.h"

#include "core/Formats.h"
#include "logbook/EntryRules.h"
#include "platform/forms/FormHelpers.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QWidgetAction>

namespace vm {

EntryDatesPanel::EntryDatesPanel(AppContext& ctx, QWidget* parent)
    : QGroupBox("Dates", parent), m_ctx(ctx) {
    auto* form = new QFormLayout(this);
    const char* labels[] = {"Reference Date:", "Arrival Date:", "Departure Date:"};
    for (int i = 0; i < 3; ++i) {
        txtSelect[i] = named(new QLineEdit, "txtSelect_" + QString::number(i));
        txtSelect[i]->setPlaceholderText(Formats::ShortDateHint);
        picDropDown[i] = named(new QToolButton, "picDropDown_" + QString::number(i));
        picDropDown[i]->setText("...");
        picDropDown[i]->setToolTip("Pick the date from a calendar");
        connect(picDropDown[i], &QToolButton::clicked, this, [this, i] { pickDate(Box(i)); });
        connect(txtSelect[i], &QLineEdit::textEdited, this, &EntryDatesPanel::edited);
        auto* row = new QHBoxLayout;
        row->addWidget(txtSelect[i], 1);
        row->addWidget(picDropDown[i]);
        form->addRow(labels[i], row);
    }
    form->addRow("Time:", txtReferTime = named(new QLineEdit, "txtReferTime"));
    auto* notified = new QHBoxLayout;
    notified->addWidget(cboNotified = named(new QComboBox, "cboNotified"), 1);
    notified->addWidget(cmdOther = named(new QPushButton("..."), "cmdOther"));
    cmdOther->setToolTip("Maintain the list of notification methods");
    form->addRow("Notified:", notified);
    cboNotified->setEditable(true);

    connect(txtSelect[Reference], &QLineEdit::editingFinished, this, [this] {
        if (!m_showing && !m_readOnly) Q_EMIT referDateLeft();
    });
    connect(txtSelect[Arrival], &QLineEdit::editingFinished, this, [this] {
        if (!m_showing && !m_readOnly) Q_EMIT arrivalDateLeft();
    });
    connect(txtReferTime, &QLineEdit::textEdited, this, &EntryDatesPanel::edited);
    connect(txtReferTime, &QLineEdit::editingFinished, this, [this] {
        if (!m_showing && !m_readOnly) acceptReferTime();
    });
    connect(cboNotified, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (m_showing) return;
        if (text.size() > 50) {
            cboNotified->setEditText(text.left(50));
            m_ctx.prompt().message(MsgNotified50);
        }
        Q_EMIT edited();
    });
    connect(cmdOther, &QPushButton::clicked, this, &EntryDatesPanel::maintainNotifiedClicked);
}

void EntryDatesPanel::show(const LogEntry& e) {
    m_showing = true;
    setDate(Reference, Formats::ParseStoredDate(e.referDate));
    setDate(Arrival, Formats::ParseStoredDate(e.arrivalDate));
    setDate(Departure, Formats::ParseStoredDate(e.departureDate));
    txtReferTime->setText(e.referTime);
    cboNotified->setEditText(e.notified);
    m_showing = false;
}

void EntryDatesPanel::prefill(const LogEntry& v) {
    m_showing = true;
    const std::pair<Box, QString> dates[] = {
        {Arrival, v.arrivalDate}, {Departure, v.departureDate}, {Reference, v.referDate}};
    for (const auto& [box, date] : dates)
        if (!date.isEmpty()) setDate(box, Formats::ParseStoredDate(date));
    m_showing = false;
}

void EntryDatesPanel::gather(LogEntry& e) const {
    e.referDate = stored(Reference);
    e.arrivalDate = stored(Arrival);
    e.departureDate = stored(Departure);
    e.referTime = txtReferTime->text().trimmed();
    e.notified = notified();
}

QString EntryDatesPanel::typed(Box box) const {
    return txtSelect[box]->text();
}

QString EntryDatesPanel::stored(Box box) const {
    return Formats::StoredDate(Formats::ParseShortDate(txtSelect[box]->text()));
}

void EntryDatesPanel::setDate(Box box, const QDate& d) {
    txtSelect[box]->setText(Formats::ShortDate(d));
}

bool EntryDatesPanel::acceptReferTime() {
    const TimeResult r = FormatReferTime(txtReferTime->text());
    if (!r.ok) {
        m_ctx.prompt().message(r.message, InvalidReferTimeTitle, Icon::Exclamation);
        return false;
    }
    txtReferTime->setText(r.value);
    return true;
}

void EntryDatesPanel::fillNotified(const QStringList& values) {
    const bool wasShowing = m_showing;
    m_showing = true;
    const QString typedText = cboNotified->currentText();
    cboNotified->clear();
    cboNotified->addItem(QString());
    cboNotified->addItems(values);
    cboNotified->setEditText(typedText);
    m_showing = wasShowing;
}

QString EntryDatesPanel::notified() const {
    return cboNotified->currentText().trimmed().left(50);
}

void EntryDatesPanel::setNotified(const QString& value) {
    const bool wasShowing = m_showing;
    m_showing = true;
    cboNotified->setEditText(value);
    m_showing = wasShowing;
}

void EntryDatesPanel::setReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    for (QLineEdit* e : {txtSelect[0], txtSelect[1], txtSelect[2], txtReferTime})
        e->setReadOnly(readOnly);
    for (QWidget* w : std::initializer_list<QWidget*>{cboNotified, cmdOther, picDropDown[0],
                                                      picDropDown[1], picDropDown[2]})
        w->setEnabled(!readOnly);
}

void EntryDatesPanel::pickDate(Box box) {
    if (m_readOnly) return;
    QMenu menu(this);
    auto* calendar = new QCalendarWidget(&menu);
    calendar->setObjectName("calDropDown");
    const QDate shown = Formats::ParseShortDate(txtSelect[box]->text());
    calendar->setSelectedDate(shown.isValid() ? shown : m_ctx.clock().today());
    auto* action = new QWidgetAction(&menu);
    action->setDefaultWidget(calendar);
    menu.addAction(action);
    connect(calendar, &QCalendarWidget::clicked, &menu, [&menu, this, box](QDate d) {
        setDate(box, d);
        Q_EMIT edited();
        menu.close();
        if (box == Reference) Q_EMIT referDateLeft();
        if (box == Arrival) Q_EMIT arrivalDateLeft();
    });
    menu.exec(picDropDown[box]->mapToGlobal(QPoint(0, picDropDown[box]->height())));
}

} // namespace vm
