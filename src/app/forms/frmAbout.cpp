#include "app/forms/frmAbout.h"

#include "core/AppContext.h"
#include "core/DataAccess.h"
#include "core/Upgrade.h"
#include "platform/forms/FormHelpers.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace vm {

frmAbout::frmAbout(AppContext& ctx, QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle("About Velmora");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblProgram = named(new QLabel("Velmora"), "lblProgram"));
    QFont big = lblProgram->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    lblProgram->setFont(big);
    layout->addWidget(lblVersion = named(new QLabel("Version " VELMORA_VERSION), "lblVersion"));
    QString level = "No database is open.";
    QString engine;
    if (ctx.current) {
        try {
            level = "Database level " + QString::number(StoredLevel(ctx.db()));
        } catch (const DbError& e) {
            level = "Database level unknown (" + e.description() + ")";
        }
        engine = ctx.db().engine() == Engine::PostgreSQL ? "PostgreSQL" : "SQLite";
        engine = "Database engine " + engine;
    }
    layout->addWidget(lblLevel = named(new QLabel(level), "lblLevel"));
    layout->addWidget(lblEngine = named(new QLabel(engine), "lblEngine"));
    layout->addWidget(lblProperty = named(new QLabel(ctx.globals.propertyName), "lblProperty"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName("cmdOK");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

} // namespace vm
