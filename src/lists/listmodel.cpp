#include "lists/listmodel.h"

#include <QColor>

QColor colorFromValue(std::uint32_t v) {
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

ListModel::ListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count() || index.column() >= kColumns) return {};
    const int i = index.row() + 1;
    switch (role) {
        case Qt::DisplayRole:
            return index.column() == 0 ? Text(i) : SubItem(i, index.column());
        case Qt::ForegroundRole: {
            const std::uint32_t c = rows_[size_t(index.row())].color;
            if (c == listfile::kDefaultTextColor) return defaultText_.isValid() ? QVariant(defaultText_) : QVariant();
            return colorFromValue(c);
        }
        case Qt::FontRole:
            return rows_[size_t(index.row())].bold ? boldFont_ : font_;
        default:
            return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kColumns)
        return headers_[size_t(section)];
    return {};
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

int ListModel::Add(const QString& text) {
    const int n = Count();
    beginInsertRows(QModelIndex(), n, n);
    Row r;
    r.text = text;
    rows_.push_back(std::move(r));
    endInsertRows();
    return n + 1;
}

void ListModel::AddRows(std::vector<Row>&& rows) {
    if (rows.empty()) return;
    const int n = Count();
    beginInsertRows(QModelIndex(), n, n + int(rows.size()) - 1);
    if (rows_.empty()) {
        rows_ = std::move(rows);
    } else {
        rows_.reserve(rows_.size() + rows.size());
        for (Row& r : rows) rows_.push_back(std::move(r));
    }
    endInsertRows();
}

void ListModel::Clear() {
    beginResetModel();
    rows_.clear();
    rows_.shrink_to_fit();
    endResetModel();
}

void ListModel::Remove(int i) {
    if (!valid(i)) return;
    beginRemoveRows(QModelIndex(), i - 1, i - 1);
    rows_.erase(rows_.begin() + (i - 1));
    endRemoveRows();
}

void ListModel::Swap(int i, int j) {
    if (!valid(i) || !valid(j) || i == j) return;
    std::swap(at(i), at(j));
    changed(i);
    changed(j);
}

QString ListModel::Text(int i) const {
    if (!valid(i)) return {};
    const Row& r = row(i);
    if (r.source >= 0 && !r.textOverride && titleOf_) return titleOf_(source_[r.source]);
    return r.text;
}

void ListModel::SetText(int i, const QString& text) {
    if (!valid(i)) return;
    at(i).text = text;
    at(i).textOverride = true;
    changed(i, 0);
}

QString ListModel::SubItem(int i, int k) const {
    if (!valid(i) || k < 1 || k > 5) return {};
    const Row& r = row(i);
    if (k == 1 && r.source >= 0 && !r.sub1Override) return source_[r.source];
    return r.sub[size_t(k - 1)];
}

void ListModel::SetSubItem(int i, int k, const QString& text) {
    if (!valid(i) || k < 1 || k > 5) return;
    at(i).sub[size_t(k - 1)] = text;
    if (k == 1) at(i).sub1Override = true;
    changed(i, k);
}

std::uint32_t ListModel::ForeColor(int i) const {
    return valid(i) ? row(i).color : listfile::kDefaultTextColor;
}

void ListModel::SetForeColor(int i, std::uint32_t color) {
    if (!valid(i)) return;
    at(i).color = color;
    changed(i);
}

bool ListModel::Bold(int i) const { return valid(i) && row(i).bold; }

void ListModel::SetBold(int i, bool bold) {
    if (!valid(i)) return;
    at(i).bold = bold;
    changed(i);
}

void ListModel::SetResultSource(const QStringList& lines,
                                std::function<QString(const QString&)> titleOf) {
    beginResetModel();
    rows_.clear();
    source_ = lines;
    titleOf_ = std::move(titleOf);
    endResetModel();
}

void ListModel::AddResults(const std::vector<int>& sourceIndexes,
                           const std::vector<std::uint32_t>& colors) {
    std::vector<Row> rows(sourceIndexes.size());
    for (size_t k = 0; k < rows.size(); ++k) {
        rows[k].source = sourceIndexes[k];
        if (k < colors.size()) rows[k].color = colors[k];
    }
    AddRows(std::move(rows));
}

void ListModel::SetColumnText(int c, const QString& text) {
    if (c < 1 || c > kColumns) return;
    headers_[size_t(c - 1)] = text;
    emit headerDataChanged(Qt::Horizontal, c - 1, c - 1);
}

void ListModel::SetFont(const QFont& f) {
    font_ = f;
    boldFont_ = f;
    boldFont_.setBold(true);
}

void ListModel::changed(int i, int column) {
    const int first = column < 0 ? 0 : column;
    const int last = column < 0 ? kColumns - 1 : column;
    emit dataChanged(index(i - 1, first), index(i - 1, last));
}
