#include "lists/listrows.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "lists/textfile.h"
#include "search/searchlines.h"

ListEntry ListEntry::fromLine(const QString& line) {
    const listfile::ParsedLine p = listfile::parseLine(line);
    ListEntry e;
    e.title = p.fields[0];
    for (qsizetype k = 1; k < p.fields.size(); ++k) e.fields[size_t(k - 1)] = p.fields[k];
    e.color = p.color;
    e.bold = p.bold;
    return e;
}

QString ListEntry::line() const {
    return listfile::formatLine(title, fields);
}

// ---- FileRows ----

FileRows::FileRows(std::shared_ptr<const SearchLines> lines) : lines_(std::move(lines)) {
    if (!lines_) return;
    const int n = lines_->size();
    int firstEmpty = -1;
    for (int k = 0; k < n && firstEmpty < 0; ++k)
        if (lines_->bytes(k).isEmpty()) firstEmpty = k;
    if (firstEmpty < 0) {
        count_ = n;
        return;
    }
    lineOf_.reserve(size_t(n));
    for (int k = 0; k < n; ++k)
        if (!lines_->bytes(k).isEmpty()) lineOf_.push_back(k);
    lineOf_.shrink_to_fit();
    count_ = int(lineOf_.size());
}

QByteArrayView FileRows::bytes(int i) const {
    return lines_->bytes(lineOf(i));
}

ListEntry FileRows::entry(int i) const {
    return ListEntry::fromLine(lines_->line(lineOf(i)));
}

QString FileRows::title(int i) const {
    // The whole line decides how it is decoded.
    const QString line = lines_->line(lineOf(i));
    const qsizetype tab = line.indexOf(u'\t');
    return tab < 0 ? line : line.first(tab);
}

// ---- EditedRows ----

int EditedRows::count() const {
    if (order_) return int(order_->size());
    return base_ ? base_->count() : 0;
}

int EditedRows::baseRow(int i) const {
    if (!order_) return i;
    const std::int32_t v = (*order_)[size_t(i - 1)];
    return v > 0 ? v : 0;
}

const ListEntry& EditedRows::held(int i) const {
    return (*held_)[size_t(-(*order_)[size_t(i - 1)])];
}

ListEntry EditedRows::entry(int i) const {
    const int b = baseRow(i);
    return b ? base_->entry(b) : held(i);
}

QString EditedRows::title(int i) const {
    const int b = baseRow(i);
    return b ? base_->title(b) : held(i).title;
}

QString EditedRows::field(int i, int k) const {
    const int b = baseRow(i);
    return b ? base_->field(b, k) : held(i).fields[size_t(k - 1)];
}

std::uint32_t EditedRows::color(int i) const {
    const int b = baseRow(i);
    return b ? base_->color(b) : held(i).color;
}

bool EditedRows::bold(int i) const {
    const int b = baseRow(i);
    return b ? base_->bold(b) : held(i).bold;
}

void EditedRows::own() {
    if (!order_) {
        order_ = std::make_shared<std::vector<std::int32_t>>(size_t(count()));
        std::iota(order_->begin(), order_->end(), 1);
    } else if (order_.use_count() > 1) {
        order_ = std::make_shared<std::vector<std::int32_t>>(*order_);
    }
    if (!held_)
        held_ = std::make_shared<std::vector<ListEntry>>();
    else if (held_.use_count() > 1)
        held_ = std::make_shared<std::vector<ListEntry>>(*held_);
}

int EditedRows::add(ListEntry e) {
    own();
    held_->push_back(std::move(e));
    order_->push_back(-std::int32_t(held_->size() - 1));
    return count();
}

void EditedRows::remove(int i) {
    own();
    order_->erase(order_->begin() + (i - 1));
}

void EditedRows::swap(int i, int j) {
    own();
    std::swap((*order_)[size_t(i - 1)], (*order_)[size_t(j - 1)]);
}

ListEntry& EditedRows::change(int i) {
    own();
    std::int32_t& v = (*order_)[size_t(i - 1)];
    if (v > 0) {
        held_->push_back(base_->entry(v));
        v = -std::int32_t(held_->size() - 1);
    }
    return (*held_)[size_t(-v)];
}

// ---- ResultRows ----

ResultRows::ResultRows(int sourceCount, LineAt lineAt, TitleOf titleOf, ColorOf colorOf)
    : sourceCount_(sourceCount),
      lineAt_(std::move(lineAt)),
      titleOf_(std::move(titleOf)),
      colorOf_(std::move(colorOf)) {}

void ResultRows::append(const std::vector<int>& found, const std::vector<std::uint32_t>& colors) {
    if (!colors.empty() || !colors_.empty()) {
        colors_.resize(found_.size(), kLineColor);
        for (size_t k = 0; k < found.size(); ++k)
            colors_.push_back(k < colors.size() ? colors[k] : kLineColor);
    }
    found_.insert(found_.end(), found.begin(), found.end());
}

void ResultRows::assign(std::vector<int> found) {
    found_ = std::move(found);
    colors_.clear();
}

std::optional<QString> ResultRows::line(int index) const {
    if (index < 0 || index >= sourceCount_ || !lineAt_) return std::nullopt;
    return lineAt_(index);
}

std::uint32_t ResultRows::colorOf(const std::optional<QString>& line, std::uint32_t given) const {
    if (given != kLineColor) return given;
    return line && colorOf_ ? colorOf_(*line) : listfile::kDefaultTextColor;
}

ListEntry ResultRows::entryFor(int index, std::uint32_t color) const {
    ListEntry e;
    const std::optional<QString> l = line(index);
    if (l) {
        if (titleOf_) e.title = titleOf_(*l);
        e.fields[0] = *l;
    }
    e.color = colorOf(l, color);
    return e;
}

ListEntry ResultRows::entry(int i) const {
    return entryFor(found_[size_t(i - 1)], givenColor(i));
}

QString ResultRows::title(int i) const {
    const std::optional<QString> l = line(found_[size_t(i - 1)]);
    return l && titleOf_ ? titleOf_(*l) : QString();
}

QString ResultRows::field(int i, int k) const {
    if (k != 1) return {};
    return line(found_[size_t(i - 1)]).value_or(QString());
}

std::uint32_t ResultRows::color(int i) const {
    const std::uint32_t given = givenColor(i);
    return given != kLineColor ? given : colorOf(line(found_[size_t(i - 1)]), given);
}
