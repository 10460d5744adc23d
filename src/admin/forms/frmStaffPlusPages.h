#pragma once
// Pieces of the staff editor: an ordered list of names picked from a fixed
// choice (categories, languages), the rights check boxes of every area, and
// the message groups.  Each piece only shows and collects; the staff editor's
// store decides.

#include "core/AppContext.h"
#include "core/Rights.h"

#include <QMap>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vm {

// A list in its order with a choice to add from: cbo<suffix>, lst<suffix>,
// cmdAdd<suffix>, cmdRemove<suffix>, cmdUp<suffix>, cmdDown<suffix>.
class StaffListEditor : public QWidget {
    Q_OBJECT
public:
    StaffListEditor(const QString& title, const QString& suffix, QWidget* parent = nullptr);

    void setChoices(const QStringList& choices);
    void setItems(const QStringList& items);
    QStringList items() const;

Q_SIGNALS:
    void edited();

private:
    void add();
    void remove();
    void move(int by);

    QComboBox* m_choice = nullptr;
    QListWidget* m_list = nullptr;
};

// One group of labelled check boxes per rights string (chk<Column><position>).
class StaffRightsPanel : public QWidget {
    Q_OBJECT
public:
    explicit StaffRightsPanel(QWidget* parent = nullptr);

    void setRights(const QMap<RightsArea, QString>& rights);
    // The strings as ticked, each keeping the length it was shown with.
    QMap<RightsArea, QString> rights() const;

private:
    QMap<RightsArea, QList<QCheckBox*>> m_boxes;
    QMap<RightsArea, QString> m_shown;
};

// The list of message groups (add, replace, delete) and the member's own
// groups ticked in it.
class StaffGroupsPanel : public QWidget {
    Q_OBJECT
public:
    StaffGroupsPanel(AppContext& ctx, QWidget* parent = nullptr);

    void refresh();
    void setMemberGroups(const QStringList& groups);
    QStringList memberGroups() const;

Q_SIGNALS:
    void edited();

private:
    void cmdAddGroup_Click();
    void cmdDeleteGroup_Click();
    void showJoined();
    void showCaption();

    AppContext& m_ctx;
    QStringList m_member; // the member's groups, in the member's order
    QListWidget* lstMessageGroups = nullptr;
    QLineEdit* txtMessageGroup = nullptr;
    QLineEdit* txtReplaceWith = nullptr;
    QPushButton* cmdAddGroup = nullptr;
    QPushButton* cmdDeleteGroup = nullptr;
    QLabel* lblMemberGroups = nullptr;
};

} // namespace vm
