#include "platform/forms/DataGrid.h"

#include "platform/CsvWriter.h"

#include <algorithm>

#include <QHeaderView>
#include <QKeyEvent>

namespace vm {

// ---------------------------------------------------------------- model

int DataGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int DataGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant DataGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_rows.size()) return {};
    const GridRow& r = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        const QString s = index.column() < r.cells.size() ? r.cells[index.column()] : QString();
        return role == Qt::ToolTipRole && s.size() < 60 ? QVariant() : QVariant(s);
    }
    case Qt::ForegroundRole: {
        const QColor c = r.fore.isValid() ? r.fore : m_fore;
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::BackgroundRole: {
        const QColor c = r.back.isValid() ? r.back : m_back;
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::UserRole:
        return r.key;
    default:
        return {};
    }
}

QVariant DataGridModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section < m_headers.size())
        return m_headers[section];
    return QAbstractTableModel::headerData(section, o, role);
}

void DataGridModel::setHeaders(const QStringList& headers) {
    beginResetModel();
    m_headers = headers;
    endResetModel();
}

void DataGridModel::clear() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

int DataGridModel::append(const GridRow& row) {
    const int at = int(m_rows.size());
    beginInsertRows({}, at, at);
    m_rows.push_back(row);
    endInsertRows();
    return at;
}

void DataGridModel::replace(int row, const GridRow& value) {
    m_rows[size_t(row)] = value;
    // Without columns there is no cell to announce (rows may come before the headers).
    if (columnCount() > 0) Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void DataGridModel::remove(int row) {
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

int DataGridModel::find(qint64 key) const {
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].key == key) return int(i);
    return -1;
}

void DataGridModel::setDefaultColors(const QColor& fore, const QColor& back) {
    m_fore = fore;
    m_back = back;
    if (!m_rows.empty() && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

// ---------------------------------------------------------------- view

// Sorting, and the alternating backgrounds by the row's place on screen.
class DataGrid::Proxy : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    bool alternate = false;
    QColor first, second;
    qint64 pinned = 0;

    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
        if (pinned != 0) {
            // Descending order lists the greater rows first, so the pinned row
            // is the least there and the greatest in ascending order.
            const bool descending = sortOrder() == Qt::DescendingOrder;
            if (left.data(Qt::UserRole).toLongLong() == pinned) return descending;
            if (right.data(Qt::UserRole).toLongLong() == pinned) return !descending;
        }
        return QSortFilterProxyModel::lessThan(left, right);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::BackgroundRole && alternate) {
            // A row with a colour of its own keeps it; plain rows alternate.
            const QColor own = QSortFilterProxyModel::data(index, role).value<QColor>();
            if (own.isValid() && own != QColor(Qt::white)) return own;
            return (index.row() % 2 == 0) ? first : second;
        }
        return QSortFilterProxyModel::data(index, role);
    }
};

DataGrid::DataGrid(QWidget* parent)
    : QTableView(parent), m_model(new DataGridModel(this)), m_proxy(new Proxy(this)) {
    m_proxy->setSourceModel(m_model);
    m_proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    setModel(m_proxy);
    setSortingEnabled(false); // rows keep the query's order until a header is clicked
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        const bool ascending =
            !(m_proxy->sortColumn() == column && m_proxy->sortOrder() == Qt::AscendingOrder);
        m_proxy->sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        horizontalHeader()->setSortIndicatorShown(true);
        horizontalHeader()->setSortIndicator(column,
                                             ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    });
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid()) Q_EMIT rowActivated(keyAt(i.row()));
    });
}

void DataGrid::setHeaders(const QStringList& headers) {
    m_model->setHeaders(headers);
}

void DataGrid::clearRows() {
    m_proxy->sort(-1); // a new list shows in the order it was read
    horizontalHeader()->setSortIndicatorShown(false);
    m_model->clear();
}

void DataGrid::setRow(qint64 key, const QStringList& cells, const QColor& fore, const QColor& back,
                      bool replace) {
    const DataGridModel::GridRow row{key, cells, fore, back};
    const int at = replace ? m_model->find(key) : -1;
    if (at >= 0)
        m_model->replace(at, row);
    else
        m_model->append(row);
}

bool DataGrid::removeKey(qint64 key) {
    const int at = m_model->find(key);
    if (at < 0) return false;
    m_model->remove(at);
    return true;
}

int DataGrid::rowCount() const {
    return m_proxy->rowCount();
}

qint64 DataGrid::keyAt(int shownRow) const {
    return m_proxy->index(shownRow, 0).data(Qt::UserRole).toLongLong();
}

QString DataGrid::cell(int shownRow, int column) const {
    return m_proxy->index(shownRow, column).data(Qt::DisplayRole).toString();
}

QColor DataGrid::foreground(int shownRow) const {
    return m_proxy->index(shownRow, 0).data(Qt::ForegroundRole).value<QColor>();
}

QColor DataGrid::background(int shownRow) const {
    return m_proxy->index(shownRow, 0).data(Qt::BackgroundRole).value<QColor>();
}

qint64 DataGrid::currentKey() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? keyAt(i.row()) : 0;
}

QList<qint64> DataGrid::selectedKeys() const {
    QList<int> rows;
    for (const QModelIndex& i : selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    QList<qint64> out;
    for (int r : rows)
        out << keyAt(r);
    return out;
}

QList<qint64> DataGrid::keys() const {
    QList<qint64> out;
    for (int r = 0; r < rowCount(); ++r)
        out << keyAt(r);
    return out;
}

void DataGrid::selectKey(qint64 key) {
    for (int r = 0; r < rowCount(); ++r)
        if (keyAt(r) == key) {
            selectRow(r);
            return;
        }
}

void DataGrid::setDefaultColors(const QColor& fore, const QColor& back) {
    m_model->setDefaultColors(fore, back);
}

void DataGrid::setPinnedLast(qint64 key) {
    m_proxy->pinned = key;
    m_proxy->invalidate();
}

void DataGrid::setAlternation(bool on, const QColor& first, const QColor& second) {
    m_proxy->alternate = on && first.isValid() && second.isValid();
    m_proxy->first = first;
    m_proxy->second = second;
    viewport()->update();
}

QColor DataGrid::colorFromSetting(const QString& value) {
    const QString v = value.trimmed();
    if (v.isEmpty()) return {};
    bool numeric = false;
    const qint64 n = v.toLongLong(&numeric);
    if (numeric)
        return (n < 0 || n > 0xFFFFFF)
                   ? QColor()
                   : QColor(int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF));
    return QColor::fromString(v);
}

void DataGrid::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        Q_EMIT rowActivated(currentKey());
        return;
    }
    QTableView::keyPressEvent(e);
}

bool WriteGridCsv(const DataGrid& grid, const QString& path) {
    CsvWriter out(path);
    bool ok = out.open();
    QList<int> columns;
    for (int c = 0; c < grid.model()->columnCount(); ++c)
        if (!grid.isColumnHidden(c)) columns << c;
    QStringList cells;
    for (int c : columns)
        cells << grid.model()->headerData(c, Qt::Horizontal).toString();
    ok = ok && out.writeRow(cells);
    for (int r = 0; r < grid.rowCount() && ok; ++r) {
        cells.clear();
        for (int c : columns)
            cells << grid.cell(r, c);
        ok = out.writeRow(cells);
    }
    return ok && out.commit();
}

} // namespace vm
