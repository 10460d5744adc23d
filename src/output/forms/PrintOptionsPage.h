#pragma once
// The "Print Options" administration page: the address-book files of every
// contact, profile, event and staff member.

#include "core/AppContext.h"

#include <QWidget>

class QPushButton;

namespace vm {

struct ExportResult;

inline const QString MsgNotAuthorizedStaffExtract =
    QStringLiteral("You are not authorized to extract the Staff List.");

class PrintOptionsPage : public QWidget {
    Q_OBJECT
public:
    explicit PrintOptionsPage(AppContext& ctx, QWidget* parent = nullptr);

    QPushButton *cmdAllContacts, *cmdAllProfiles, *cmdAllEvents, *cmdAllStaff;

private:
    void extractContacts();
    void extractProfiles();
    void extractEvents();
    void extractStaff();
    AppContext& m_ctx;
};

// Tells the member how an export went (the file's name, or why there is none).
void ShowExportResult(AppContext& ctx, const ExportResult& result);

} // namespace vm
