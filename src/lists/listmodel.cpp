#include "lists/listmodel.h"

#include <QColor>

#include "lists/contrast.h"

QColor colorFromValue(std::uint32_t v) {
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

std::uint32_t valueFromColor(const QColor& c) {
    const QColor rgb = c.toRgb();
    return std::uint32_t(rgb.red()) | (std::uint32_t(rgb.green()) << 8) |
           (std::uint32_t(rgb.blue()) << 16);
}

ListModel::ListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count_;
}

QModelIndex ListModel::index(int row, int column, const QModelIndex& parent) const {
    // Asked once per row when the view lays out a million rows.
    if (parent.isValid() || row < 0 || row >= count_ || column < 0 || column >= kColumns) return {};
    return createIndex(row, column);
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count() || index.column() >= kColumns) return {};
    const int i = index.row() + 1;
    switch (role) {
        case Qt::DisplayRole:
            return listfile::shownText(index.column() == 0 ? Text(i) : SubItem(i, index.column()));
        case Qt::ForegroundRole: {
            std::uint32_t c = ForeColor(i);
            if (c == listfile::kDefaultTextColor) {
                if (!defaultText_.isValid()) return {};
                c = valueFromColor(defaultText_);
            }
            return colorFromValue(contrast::readable(c, background_));
        }
        case Qt::FontRole:
            return Bold(i) ? boldFont_ : font_;
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

void ListModel::SetRows(std::shared_ptr<const ListRows> rows) {
    beginResetModel();
    rows_ = EditedRows(std::move(rows));
    count_ = rows_.count();
    results_.reset();
    listSource_.clear();
    endResetModel();
}

int ListModel::Add(const QString& text) {
    const int n = Count();
    beginInsertRows(QModelIndex(), n, n);
    ListEntry e;
    e.title = text;
    count_ = rows_.add(std::move(e));
    endInsertRows();
    return n + 1;
}

void ListModel::AddRows(std::vector<Row>&& rows) {
    if (rows.empty()) return;
    const int n = Count();
    beginInsertRows(QModelIndex(), n, n + int(rows.size()) - 1);
    for (Row& r : rows) rows_.add(ListEntry{std::move(r.text), std::move(r.sub), r.color, r.bold});
    count_ = rows_.count();
    endInsertRows();
}

void ListModel::Clear() {
    SetRows(nullptr);
}

void ListModel::Remove(int i) {
    if (!valid(i)) return;
    beginRemoveRows(QModelIndex(), i - 1, i - 1);
    rows_.remove(i);
    count_ = rows_.count();
    endRemoveRows();
}

void ListModel::Swap(int i, int j) {
    if (!valid(i) || !valid(j) || i == j) return;
    rows_.swap(i, j);
    changed(i);
    changed(j);
}

QString ListModel::Text(int i) const {
    return valid(i) ? rows_.title(i) : QString();
}

void ListModel::SetText(int i, const QString& text) {
    if (!valid(i)) return;
    rows_.change(i).title = text;
    changed(i, 0);
}

QString ListModel::SubItem(int i, int k) const {
    if (!valid(i) || k < 1 || k > 5) return {};
    return rows_.field(i, k);
}

void ListModel::SetSubItem(int i, int k, const QString& text) {
    if (!valid(i) || k < 1 || k > 5) return;
    rows_.change(i).fields[size_t(k - 1)] = text;
    changed(i, k);
}

std::uint32_t ListModel::ForeColor(int i) const {
    return valid(i) ? rows_.color(i) : listfile::kDefaultTextColor;
}

void ListModel::SetForeColor(int i, std::uint32_t color) {
    if (!valid(i)) return;
    rows_.change(i).color = color;
    changed(i);
}

bool ListModel::Bold(int i) const {
    return valid(i) && rows_.bold(i);
}

void ListModel::SetBold(int i, bool bold) {
    if (!valid(i)) return;
    rows_.change(i).bold = bold;
    changed(i);
}

void ListModel::SetResultSource(const QStringList& lines, ResultRows::TitleOf titleOf,
                                ResultRows::ColorOf colorOf) {
    SetResultSource(
        int(lines.size()), [lines](int i) { return lines[i]; }, std::move(titleOf),
        std::move(colorOf));
    listSource_ = lines;
}

void ListModel::SetResultSource(int count, LineAt lineAt, ResultRows::TitleOf titleOf,
                                ResultRows::ColorOf colorOf) {
    auto results = std::make_shared<ResultRows>(count, std::move(lineAt), std::move(titleOf),
                                                std::move(colorOf));
    SetRows(results);
    results_ = std::move(results);
}

void ListModel::AddResults(const std::vector<int>& sourceIndexes,
                           const std::vector<std::uint32_t>& colors) {
    if (sourceIndexes.empty() || !results_) return;
    const int n = Count();
    // Into an empty view the rows come as a reset, which views take
    // without looking at each new row.
    if (n == 0)
        beginResetModel();
    else
        beginInsertRows(QModelIndex(), n, n + int(sourceIndexes.size()) - 1);
    if (rows_.unchanged() && rows_.base() == results_) {
        results_->append(sourceIndexes, colors);
    } else {
        for (size_t k = 0; k < sourceIndexes.size(); ++k)
            rows_.add(results_->entryFor(sourceIndexes[k],
                                         k < colors.size() ? colors[k] : ResultRows::kLineColor));
    }
    count_ = rows_.count();
    if (n == 0)
        endResetModel();
    else
        endInsertRows();
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

void ListModel::SetBackground(const QColor& c) {
    const std::uint32_t v = valueFromColor(c);
    if (v == background_) return;
    // The view drawing on that background repaints with it; telling it of
    // every row's change would cost as many rows as the list has.
    background_ = v;
}
