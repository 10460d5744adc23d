#pragma once
// The Administration sub-page "Contact List Keywords": add, replace (with the
// contacts' keyword sets rewritten) and delete the keywords contacts use.

#include "core/AppContext.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vm {

class KeywordsPage : public QWidget {
    Q_OBJECT
public:
    explicit KeywordsPage(AppContext& ctx, QWidget* parent = nullptr);
    void refresh();

private:
    void showInUse(int uses);
    void cmdAddKeyword_Click();
    void cmdDelete_Click();
    void done();

    AppContext& m_ctx;
    QListWidget* lstKeywords;
    QLineEdit* txtKeyword;
    QLineEdit* txtReplaceWith;
    QPushButton *cmdAddKeyword, *cmdDelete;
    QLabel *lblFound, *lblCount, *lblUsing, *lblWillNot;
};

} // namespace vm
