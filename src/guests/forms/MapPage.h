#pragma once
// The "Create Your Own Map" administration page: the property's address for
// maps and the map provider, and the hand-held contact file.  Also the
// point-to-point map from the property to a typed address.

#include "core/AppContext.h"

#include <QDialog>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vm {

class MapPage : public QWidget {
    Q_OBJECT
public:
    explicit MapPage(AppContext& ctx, QWidget* parent = nullptr);
    void reload();

    QLineEdit *txtMapName, *txtMapAddress, *txtMapCity, *txtMapState, *txtMapPostalCode;
    QComboBox* cboMapProvider;
    QLineEdit* txtMapURL;
    QLineEdit* txtPropertyID;
    QPushButton *cmdSaveMap, *cmdBuildPalm;

private:
    void save();
    void buildHandheld();
    AppContext& m_ctx;
};

// Asks for a destination and opens the map from the property to it (or
// prints the point-to-point sheet when the provider is not a browser map).
class frmPointToPoint : public QDialog {
    Q_OBJECT
public:
    explicit frmPointToPoint(AppContext& ctx, QWidget* parent = nullptr);

    QLineEdit *txtToName, *txtToAddress, *txtToCity, *txtToState;
    QPushButton *cmdShowMap, *cmdCancel;

private:
    void showMap();
    AppContext& m_ctx;
};

// The Others page's icon: the right, the set-up check, then the dialog.
void OpenPointToPointMap(AppContext& ctx, QWidget* parent);
// Directions to a saved contact (the logbook entry's map icon): the set-up
// check, then the map in the browser or the printed directions.
void OpenContactMap(AppContext& ctx, qint64 contactId, QWidget* parent);

inline const QString MsgMapSaved =
    QStringLiteral("Your mapping information has been saved.  Thank you.");
inline const QString MsgMapDestinationMissing =
    QStringLiteral("Please enter the address you wish to map.  Thank you.");
inline const QString MapProviderGoogle = QStringLiteral("Google");
inline const QString MapProviderPrinted = QStringLiteral("Printed Directions");

} // namespace vm
