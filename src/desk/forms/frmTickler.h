#pragma once
// Tickler notes of one logbook category or one contact: the list, and one
// note's days, weekdays and text to add, change or delete.

#include "core/AppContext.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vm {

class DataGrid;

class frmTickler : public QDialog {
    Q_OBJECT
public:
    // `fromType`: TicklerFrom::Category or TicklerFrom::Contact.
    frmTickler(AppContext& ctx, char fromType, qint64 fromId, const QString& ownerName,
               QWidget* parent = nullptr);

    // The note shown in the boxes (0 while a new one is typed).
    qint64 currentId() const { return m_current; }

private:
    void build();
    void refresh();
    void showNote(qint64 id);
    void clearBoxes();
    void cmdSave_Click();
    void cmdDelete_Click();
    void cmdNew_Click();

    AppContext& m_ctx;
    char m_fromType;
    qint64 m_fromId;
    qint64 m_current = 0;
    DataGrid* grdTicklers;
    QLineEdit *txtStartingDate, *txtThroughDate, *txtMessage;
    std::array<QCheckBox*, 7> chkDays{}; // chkSun .. chkSat
    QPushButton *cmdSave, *cmdDelete, *cmdNew, *cmdClose;
};

// The caption of the screen for the owner: "Logbook Category - " or "Contact Named - " + name.
QString TicklerCaption(char fromType, const QString& ownerName);
// Opens the screen for the owner and waits for it (log-off closes it).
void OpenTicklers(AppContext& ctx, char fromType, qint64 fromId, const QString& ownerName,
                  QWidget* parent);

} // namespace vm
