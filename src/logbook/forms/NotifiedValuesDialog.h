#pragma once
// The editor of the "Notified" pick list, opened from the entry screen.

#include "core/AppContext.h"

#include <QDialog>
#include <QHash>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vm {

class NotifiedValuesDialog : public QDialog {
    Q_OBJECT
public:
    explicit NotifiedValuesDialog(AppContext& ctx, QWidget* parent = nullptr);

    void refresh();
    void cmdAdd_Click();
    void cmdChange_Click();
    void cmdDelete_Click();

    bool listChanged() const { return m_listChanged; }
    // Old value (lower case) → new value, for every rename made here.
    const QHash<QString, QString>& renamed() const { return m_renamed; }

    QLabel* lblCaption;
    QListWidget* lstOther;
    QLineEdit* txtOtherValue;
    QPushButton *cmdAdd, *cmdChange, *cmdDelete, *cmdClose;

private:
    qint64 selectedId() const;
    bool refused(const QString& refusal);

    AppContext& m_ctx;
    bool m_listChanged = false;
    QHash<QString, QString> m_renamed;
};

} // namespace vm
