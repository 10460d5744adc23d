#include "interfaces/forms/frmInterfaceOpt.h"

#include "interfaces/forms/InterfaceCategoryPage.h"
#include "interfaces/forms/OdsPage.h"
#include "platform/forms/FormHelpers.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vm {

frmInterfaceOpt::frmInterfaceOpt(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmInterfaceOpt");
    setWindowTitle("Interface Options");
    m_tabs = named(new QTabWidget(this), "tabInterfaceOpt");
    m_tabs->addTab(new InterfaceCategoryPage(ctx, this), "Interface");
    m_tabs->addTab(new OdsPage(ctx, this), "ODS");

    auto* close = named(new QPushButton("&Close", this), "cmdClose");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);
}

} // namespace vm
