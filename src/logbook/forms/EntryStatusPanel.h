#pragma once
// The entry screen's four status boxes; a tick clears the boxes it excludes.

#include "logbook/EntryRules.h"

#include <QWidget>

class QCheckBox;

namespace vm {

class EntryStatusPanel : public QWidget {
    Q_OBJECT
public:
    // `onHoldName`: the property's word for On Hold.
    explicit EntryStatusPanel(const QString& onHoldName, QWidget* parent = nullptr);

    void show(const StatusFlags& flags);
    StatusFlags flags() const;
    void setReadOnly(bool readOnly);

Q_SIGNALS:
    void edited();

private:
    QCheckBox *chkComplete, *chkPending, *chkOnHold, *chkCancelled;
};

} // namespace vm
