#pragma once
// The letter templates of the correspondence screen: each a name in the
// lookup list "B" with its text kept as a long text under the row's key.

#include "core/AppContext.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vm {

inline const QString LetterTemplateList = QStringLiteral("B");
inline const QString MsgMaintainLetterTemplates =
    QStringLiteral("You are not authorized to maintain Letter Templates.");
inline const QString MsgBlankTemplateName =
    QStringLiteral("Please enter the name of the Letter Template.  Thank you.");
inline const QString MsgDeleteTemplate = QStringLiteral(
    "Press <Yes> to DELETE this Letter Template.\r\nPress <No> if you DO NOT wish to delete.");

class frmLetterTemplates : public QDialog {
public:
    explicit frmLetterTemplates(AppContext& ctx, QWidget* parent = nullptr);

private:
    void refresh(qint64 selectId = 0);
    void showSelected();
    qint64 selectedId() const;
    void cmdNew_Click();
    void cmdSave_Click();
    void cmdDelete_Click();

    AppContext& m_ctx;
    QListWidget* lstTemplates;
    QLineEdit* txtName;
    QPlainTextEdit* txtTemplate;
    QPushButton *cmdNew, *cmdSave, *cmdDelete, *cmdClose;
};

} // namespace vm
