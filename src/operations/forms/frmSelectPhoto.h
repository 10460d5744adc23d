#pragma once
// Picks the photograph of a found item from the photo folder, takes a new one
// in from a file, or deletes one (Delete key).

#include "core/AppContext.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace vm {

class frmSelectPhoto : public QDialog {
    Q_OBJECT
public:
    frmSelectPhoto(AppContext& ctx, const QString& current, QWidget* parent = nullptr);

    void accept() override;

Q_SIGNALS:
    void photoChosen(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void refresh(const QString& select);
    void showPreview();
    void cmdImport_Click();
    void deleteSelected();
    QString selected() const;

    AppContext& m_ctx;
    QListWidget* lstPhotos;
    QLabel* imgPreview;
    QPushButton *cmdImport, *cmdOK, *cmdCancel;
};

} // namespace vm
