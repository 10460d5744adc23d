#include "logbook/forms/EntryStatusPanel.h"

#include "platform/forms/FormHelpers.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>

namespace vm {

EntryStatusPanel::EntryStatusPanel(const QString& onHoldName, QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(named(new QLabel("Entry is " + onHoldName + ":"), "lblCaption"));
    row->addWidget(chkComplete = named(new QCheckBox("Complete"), "chkComplete"));
    row->addWidget(chkPending = named(new QCheckBox("Pending"), "chkPending"));
    row->addWidget(chkOnHold = named(new QCheckBox(onHoldName), "chkOnHold"));
    row->addWidget(chkCancelled = named(new QCheckBox("Cancelled"), "chkCancelled"));
    row->addStretch();

    const std::pair<QCheckBox*, StatusBox> boxes[] = {{chkComplete, StatusBox::Complete},
                                                      {chkPending, StatusBox::Pending},
                                                      {chkOnHold, StatusBox::OnHold},
                                                      {chkCancelled, StatusBox::Cancelled}};
    for (const auto& [box, which] : boxes)
        connect(box, &QCheckBox::clicked, this, [this, which = which](bool ticked) {
            show(ApplyStatusClick(flags(), which, ticked));
            Q_EMIT edited();
        });
}

void EntryStatusPanel::show(const StatusFlags& f) {
    chkComplete->setChecked(f.complete);
    chkPending->setChecked(f.pending);
    chkOnHold->setChecked(f.onHold);
    chkCancelled->setChecked(f.cancelled);
}

StatusFlags EntryStatusPanel::flags() const {
    return {chkComplete->isChecked(), chkPending->isChecked(), chkOnHold->isChecked(),
            chkCancelled->isChecked()};
}

void EntryStatusPanel::setReadOnly(bool readOnly) {
    for (QCheckBox* box : {chkComplete, chkPending, chkOnHold, chkCancelled})
        box->setEnabled(!readOnly);
}

} // namespace vm
