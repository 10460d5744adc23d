#pragma once
// The "Event Types" page of the Administration tab: add a type, replace one
// (its events follow), delete an unused one.

#include "core/AppContext.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace vm {

class EventTypesPage : public QWidget {
    Q_OBJECT
public:
    explicit EventTypesPage(AppContext& ctx, QWidget* parent = nullptr);

    void refresh();

    QListWidget* lstEventTypes;
    QLineEdit *txtEventType, *txtReplaceWith;
    QPushButton *cmdAddType, *cmdDelete;

Q_SIGNALS:
    void typesChanged();

private:
    void cmdAddType_Click();
    void cmdDelete_Click();
    bool mayMaintain();

    AppContext& m_ctx;
};

} // namespace vm
