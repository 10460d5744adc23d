// Shared pieces of the quick viewer's pages.

#include "core/Formats.h"
#include "core/Staff.h"
#include "desk/forms/QuickViewerTabs.h"
#include "output/forms/PrintPreview.h"
#include "platform/forms/DataGrid.h"
#include "platform/forms/FormHelpers.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>

namespace vm {

QString StoredOrTyped(const QString& typed) {
    const QDate d = Formats::ParseShortDate(typed);
    return d.isValid() ? Formats::StoredDate(d) : typed.trimmed();
}

qint64 NoteColorValue(const QColor& c) {
    if (!c.isValid()) return 0;
    return qint64(c.red()) | (qint64(c.green()) << 8) | (qint64(c.blue()) << 16);
}

QColor NoteColor(qint64 value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QPushButton* QvButton(QWidget* parent, const char* objectName, const QString& text,
                      std::function<void()> onClick) {
    auto* b = named(new QPushButton(text, parent), objectName);
    QObject::connect(b, &QPushButton::clicked, parent, std::move(onClick));
    return b;
}

QLineEdit* QvDateBox(QWidget* parent, const char* objectName) {
    QLineEdit* box = makeLineEdit(parent, objectName, false, 10);
    box->setPlaceholderText(Formats::ShortDateHint);
    return box;
}

void OnCurrentRow(DataGrid* grid, QObject* receiver, std::function<void()> fn) {
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, receiver,
                     [fn] { fn(); });
}

void FillStaffInitials(AppContext& ctx, QComboBox* box) {
    box->clear();
    box->addItem(QString(), QString());
    for (const StaffEntry& s : GetAllConcierges(ctx.db(), false)) {
        // Listed as "Name (II)": the initials are what a task stores.
        const qsizetype open = s.text.lastIndexOf(" (");
        const QString initials = open < 0 ? QString() : s.text.mid(open + 2).chopped(1).trimmed();
        if (!initials.isEmpty()) box->addItem(s.text, initials);
    }
}

void QvPrint(AppContext& ctx, QWidget* parent, const QString& routine, const QString& title,
             const QVariantMap& args) {
    OpenReport(ctx, {routine, title, args}, parent);
}

} // namespace vm
