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

int ListModel::Add(const QString& text) {
    materialize();
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
    materialize();
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
    results_.clear();
    results_.shrink_to_fit();
    endResetModel();
}

void ListModel::Remove(int i) {
    if (!valid(i)) return;
    materialize();
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

const ListModel::Row& ListModel::row(int i) const {
    // Callers that want the whole row get a full one.
    const_cast<ListModel*>(this)->materialize();
    return rows_[size_t(i - 1)];
}

void ListModel::materialize() {
    if (results_.empty()) return;
    rows_.resize(results_.size());
    for (size_t k = 0; k < results_.size(); ++k) {
        rows_[k].source = results_[k].source;
        rows_[k].color = colorOf(results_[k]);
    }
    results_.clear();
    results_.shrink_to_fit();
}

std::optional<QString> ListModel::sourceLine(int index) const {
    if (index < 0 || index >= sourceCount_ || !lineAt_) return std::nullopt;
    return lineAt_(index);
}

std::uint32_t ListModel::colorOf(const Result& r) const {
    if (r.color != kLineColor) return r.color;
    const std::optional<QString> line = sourceLine(r.source);
    return line && colorOf_ ? colorOf_(*line) : listfile::kDefaultTextColor;
}

QString ListModel::Text(int i) const {
    if (!valid(i)) return {};
    if (!results_.empty()) {
        const std::optional<QString> line = sourceLine(results_[size_t(i - 1)].source);
        return line && titleOf_ ? titleOf_(*line) : QString();
    }
    const Row& r = rows_[size_t(i - 1)];
    if (r.source >= 0 && !r.textOverride && titleOf_) {
        const std::optional<QString> line = sourceLine(r.source);
        return line ? titleOf_(*line) : QString();
    }
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
    if (!results_.empty()) {
        const std::optional<QString> line = sourceLine(results_[size_t(i - 1)].source);
        return k == 1 && line ? *line : QString();
    }
    const Row& r = rows_[size_t(i - 1)];
    if (k == 1 && r.source >= 0 && !r.sub1Override) {
        const std::optional<QString> line = sourceLine(r.source);
        return line ? *line : QString();
    }
    return r.sub[size_t(k - 1)];
}

void ListModel::SetSubItem(int i, int k, const QString& text) {
    if (!valid(i) || k < 1 || k > 5) return;
    at(i).sub[size_t(k - 1)] = text;
    if (k == 1) at(i).sub1Override = true;
    changed(i, k);
}

std::uint32_t ListModel::ForeColor(int i) const {
    if (!valid(i)) return listfile::kDefaultTextColor;
    return results_.empty() ? rows_[size_t(i - 1)].color : colorOf(results_[size_t(i - 1)]);
}

void ListModel::SetForeColor(int i, std::uint32_t color) {
    if (!valid(i)) return;
    at(i).color = color;
    changed(i);
}

bool ListModel::Bold(int i) const {
    return valid(i) && results_.empty() && rows_[size_t(i - 1)].bold;
}

void ListModel::SetBold(int i, bool bold) {
    if (!valid(i)) return;
    at(i).bold = bold;
    changed(i);
}

void ListModel::SetResultSource(const QStringList& lines,
                                std::function<QString(const QString&)> titleOf,
                                std::function<std::uint32_t(const QString&)> colorOf) {
    SetResultSource(
        int(lines.size()), [lines](int i) { return lines[i]; }, std::move(titleOf),
        std::move(colorOf));
    listSource_ = lines;
}

void ListModel::SetResultSource(int count, LineAt lineAt,
                                std::function<QString(const QString&)> titleOf,
                                std::function<std::uint32_t(const QString&)> colorOf) {
    beginResetModel();
    rows_.clear();
    rows_.shrink_to_fit();
    results_.clear();
    results_.shrink_to_fit();
    listSource_.clear();
    sourceCount_ = count;
    lineAt_ = std::move(lineAt);
    titleOf_ = std::move(titleOf);
    colorOf_ = std::move(colorOf);
    endResetModel();
}

void ListModel::AddResults(const std::vector<int>& sourceIndexes,
                           const std::vector<std::uint32_t>& colors) {
    if (sourceIndexes.empty()) return;
    if (rows_.empty()) {
        // Into an empty view the rows come as a reset, which views take
        // without looking at each new row.
        const int n = Count();
        if (n == 0)
            beginResetModel();
        else
            beginInsertRows(QModelIndex(), n, n + int(sourceIndexes.size()) - 1);
        results_.resize(size_t(n) + sourceIndexes.size());
        Result* out = results_.data() + n;
        for (size_t k = 0; k < sourceIndexes.size(); ++k)
            out[k] = {sourceIndexes[k], k < colors.size() ? colors[k] : kLineColor};
        if (n == 0)
            endResetModel();
        else
            endInsertRows();
        return;
    }
    std::vector<Row> rows(sourceIndexes.size());
    for (size_t k = 0; k < rows.size(); ++k) {
        rows[k].source = sourceIndexes[k];
        rows[k].color = colorOf({sourceIndexes[k], k < colors.size() ? colors[k] : kLineColor});
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

void ListModel::SetBackground(const QColor& c) {
    const std::uint32_t v = valueFromColor(c);
    if (v == background_) return;
    background_ = v;
    if (Count() > 0) emit dataChanged(index(0, 0), index(Count() - 1, kColumns - 1));
}
