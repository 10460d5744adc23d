#pragma once
// What stands beside the entry's texts: the category's custom form, the
// contact's status message, the linked profile (details and stored cards),
// the linked documents and the online reservation.

#include "guests/DocumentLinks.h"
#include "logbook/forms/LogbookScreenHooks.h"
#include "platform/Prompt.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace vm {

class DataGrid;
class DesignFieldsPanel;

class EntryLinksPanel : public QWidget {
    Q_OBJECT
public:
    // The custom form keeps its values in `entryText`.
    EntryLinksPanel(Prompt& prompt, const LogbookServices& services, QPlainTextEdit* entryText,
                    QWidget* parent = nullptr);

    DesignFieldsPanel* design() const { return m_design; }
    void showProfile(qint64 profileId);
    void showOnlineReservation(qint64 openTableId);
    void showDocuments(const std::vector<DocumentLink>& links, bool editable);
    void showContactNotes(const QStringList& notes);
    void setReadOnly(bool readOnly);

Q_SIGNALS:
    void docLinkClicked();
    void documentActivated(qint64 id);
    void openTableClicked();
    // The icon of an entry that holds an online reservation.
    void otEntryClicked();

private:
    const LogbookServices& m_services;
    DesignFieldsPanel* m_design;
    QLabel *picContactFrame, *lblProfiled, *lblOpenTableID;
    DataGrid *grdProfiler, *grdCreditCards, *grdDocument;
    QPushButton* cmdDocLink;
    QToolButton *imgOpenTable, *imgOTEntry;
};

} // namespace vm
