#pragma once
// The "Interface" page of the interface options: the categories of one
// outside interface, each a logbook category, a language and up to fifteen
// outside fields mapped to the labels of that category's design.

#include "core/AppContext.h"
#include "interfaces/InterfaceCategories.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vm {

class InterfaceCategoryPage : public QWidget {
    Q_OBJECT
public:
    explicit InterfaceCategoryPage(AppContext& ctx, QWidget* parent = nullptr);

    qint64 categoryId() const { return m_id; }

private:
    void cboTypeOfInterface_Change();
    void lstCategories_Change();
    void cboLogbookCategory_Change();
    void cmdNew_Click();
    void cmdSave_Click();
    void cmdDelete_Click();

    void fillList(qint64 select);
    void clearForm();
    void showCategory(const IfCategory& c);
    IfCategory typed() const;
    // The design labels of the chosen logbook category in every label box;
    // a choice the design still has is kept.
    void fillLabels();
    static void chooseText(QComboBox* box, const QString& text);

    AppContext& m_ctx;
    qint64 m_id = 0;
    bool m_filling = false;
    QComboBox *m_type, *m_logType, *m_language;
    QListWidget* m_list;
    QLineEdit* m_name;
    QLineEdit* m_field[IfPositions];
    QComboBox* m_label[IfPositions];
    QPushButton *m_new, *m_save, *m_delete;
};

} // namespace vm
