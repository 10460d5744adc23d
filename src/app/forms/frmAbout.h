#pragma once
// The About box: the program, its version, the level of the open database,
// the engine that holds it and the property it belongs to.

#include <QDialog>

class QLabel;

namespace vm {

class AppContext;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(AppContext& ctx, QWidget* parent = nullptr);

    QLabel *lblProgram, *lblVersion, *lblLevel, *lblEngine, *lblProperty;
};

} // namespace vm
