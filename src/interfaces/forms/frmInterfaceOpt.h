#pragma once
// The interface options window: one page per outside interface setting
// ("Interface": the interface categories; "ODS": the dispatch exchange).
// Modeless; log-off closes it.

#include "core/AppContext.h"

#include <QWidget>

class QTabWidget;

namespace vm {

class frmInterfaceOpt : public QWidget {
    Q_OBJECT
public:
    explicit frmInterfaceOpt(AppContext& ctx, QWidget* parent = nullptr);

private:
    QTabWidget* m_tabs;
};

} // namespace vm
