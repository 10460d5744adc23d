#pragma once
// The Administration sub-page "Profile Indicators": the indicator types
// profiles can carry.  Add a type, replace one (its indicators move to the
// new name), delete an unused one, and change a type's entry hint, e-mail
// address, place in the list and private flag (its indicators follow).

#include "core/AppContext.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vm {

struct IndicatorType;

class ProfileIndicatorsPage : public QWidget {
    Q_OBJECT
public:
    explicit ProfileIndicatorsPage(AppContext& ctx, QWidget* parent = nullptr);
    void refresh();

Q_SIGNALS:
    // The list of types changed (screens with an indicator combo read it again).
    void typesChanged();

protected:
    // Other desks add types too: the list is read again each time the page shows.
    void showEvent(QShowEvent* e) override;

private:
    void showType(const QString& name);
    void showInUse(int uses);
    void cmdAddIndicator_Click();
    void cmdDeleteIndicator_Click();
    void cmdUpdateSequence_Click();
    // The type as the boxes describe it, named `name`.
    IndicatorType typed(const QString& name) const;
    bool mayMaintain();
    void done();

    AppContext& m_ctx;
    QListWidget* lstIndicators;
    QLineEdit *txtIndicator, *txtReplaceWith, *txtEntryHint, *txtIndicatorEmail, *txtSequence;
    QCheckBox* chkIndicatorPrivate;
    QPushButton *cmdAddIndicator, *cmdDeleteIndicator, *cmdUpdateSequence;
    QLabel* lblIndicatorInUse;
};

} // namespace vm
