#pragma once
// The one grid of the program: a table of text rows, each carrying a key and
// optional text/background colours.  Columns sort on a header click and can
// be resized; rows alternate between two background colours when asked.
// Double-click or Enter on a row reports the row's key.

#include <QAbstractTableModel>
#include <QColor>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <vector>

namespace vm {

class DataGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct GridRow {
        qint64 key = 0;
        QStringList cells;
        QColor fore, back;
    };

    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    void setHeaders(const QStringList& headers);
    void clear();
    int append(const GridRow& row);
    void replace(int row, const GridRow& value);
    void remove(int row);
    const GridRow& at(int row) const { return m_rows[size_t(row)]; }
    int find(qint64 key) const;
    void setDefaultColors(const QColor& fore, const QColor& back);

private:
    QStringList m_headers;
    std::vector<GridRow> m_rows;
    QColor m_fore, m_back;
};

class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    void setHeaders(const QStringList& headers);
    // Columns the user does not see (kept for the program).
    void setColumnHidden(int column, bool hidden) { QTableView::setColumnHidden(column, hidden); }
    void clearRows();
    // Adds a row, or replaces the row with the same key when `replace` is set.
    void setRow(qint64 key, const QStringList& cells, const QColor& fore = {},
                const QColor& back = {}, bool replace = true);
    bool removeKey(qint64 key);
    int rowCount() const; // rows in the order shown
    qint64 keyAt(int shownRow) const;
    QString cell(int shownRow, int column) const;
    QColor foreground(int shownRow) const;
    QColor background(int shownRow) const;
    qint64 currentKey() const; // 0 when no row is current
    // Keys of the selected rows, in the order shown.
    QList<qint64> selectedKeys() const;
    // Keys of every row, in the order shown.
    QList<qint64> keys() const;
    void selectKey(qint64 key);

    void setDefaultColors(const QColor& fore, const QColor& back);
    // The row of this key (a total row) stays last whichever way the grid is
    // sorted; 0 pins none.
    void setPinnedLast(qint64 key);
    // Alternating backgrounds by the shown row's parity for rows without a
    // background of their own (white counts as none).
    void setAlternation(bool on, const QColor& first = {}, const QColor& second = {});

    // "#RRGGBB", a colour name, or a decimal Windows colour value (red in the
    // low byte); an invalid colour for anything else.
    static QColor colorFromSetting(const QString& value);

Q_SIGNALS:
    void rowActivated(qint64 key);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    class Proxy;
    DataGridModel* m_model;
    Proxy* m_proxy;
};

// Writes the grid as shown (its visible columns under their headings, its rows
// in the order shown) to a CSV file, whole or not at all; false when it cannot.
bool WriteGridCsv(const DataGrid& grid, const QString& path);

} // namespace vm
