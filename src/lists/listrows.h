#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "lists/listfile.h"

class SearchLines;

// One entry of a list: its Title, the five fields after it (Filename,
// Path, Arguments, Color, Bold) and the look it is shown with. The look is
// kept apart from the fields: a new sublist is shown bold in the sublist
// colour although its file line carries neither.
struct ListEntry {
    QString title;
    std::array<QString, 5> fields;
    std::uint32_t color = listfile::kDefaultTextColor;
    bool bold = false;

    // The entry a line of a list file holds.
    static ListEntry fromLine(const QString& line);
    QString line() const;
    bool operator==(const ListEntry&) const = default;
};

// The rows of a list as a view reads them, counted from 1. A row is
// decoded when it is read, so a million rows cost what their bytes cost
// and a view pays only for the rows it paints.
class ListRows {
public:
    virtual ~ListRows() = default;
    virtual int count() const = 0;
    virtual ListEntry entry(int i) const = 0;
    virtual QString title(int i) const { return entry(i).title; }
    // k from 1 (Filename) to 5 (Bold).
    virtual QString field(int i, int k) const { return entry(i).fields[size_t(k - 1)]; }
    virtual std::uint32_t color(int i) const { return entry(i).color; }
    virtual bool bold(int i) const { return entry(i).bold; }
};

// The entries of a list file: its lines that are not empty, held as the
// file's own bytes.
class FileRows final : public ListRows {
public:
    explicit FileRows(std::shared_ptr<const SearchLines> lines);

    int count() const override { return count_; }
    ListEntry entry(int i) const override;
    QString title(int i) const override;
    // Entry i's line as the file holds it, without its line end.
    QByteArrayView bytes(int i) const;
    const std::shared_ptr<const SearchLines>& lines() const { return lines_; }

private:
    int lineOf(int i) const { return lineOf_.empty() ? i - 1 : lineOf_[size_t(i - 1)]; }
    std::shared_ptr<const SearchLines> lines_;
    int count_ = 0;
    // Where a file has empty lines, the line of each entry; else empty.
    std::vector<int> lineOf_;
};

// Rows over other rows with the changes made to them: a row changed, added,
// removed or moved is held here, every other row is read from below. Copies
// share what they hold until one of them changes.
class EditedRows final : public ListRows {
public:
    EditedRows() = default;
    explicit EditedRows(std::shared_ptr<const ListRows> base) : base_(std::move(base)) {}

    int count() const override;
    ListEntry entry(int i) const override;
    QString title(int i) const override;
    QString field(int i, int k) const override;
    std::uint32_t color(int i) const override;
    bool bold(int i) const override;

    const std::shared_ptr<const ListRows>& base() const { return base_; }
    // The row below that row i shows as it is; 0 when row i is held here.
    int baseRow(int i) const;
    // True until the first change: every row is the row below it.
    bool unchanged() const { return !order_; }

    // Appends a row and returns its position.
    int add(ListEntry e);
    void remove(int i);
    void swap(int i, int j);
    // Row i, to be changed in place; it is held here from then on.
    ListEntry& change(int i);

private:
    void own();
    // The row held here that row i shows; only for a row whose baseRow is 0.
    const ListEntry& held(int i) const;
    // Row i is base row v = order[i - 1] when v > 0, else held[-v]; no
    // order means every base row in its place.
    std::shared_ptr<const ListRows> base_;
    std::shared_ptr<std::vector<std::int32_t>> order_;
    std::shared_ptr<std::vector<ListEntry>> held_;
};

// Rows found by a search: each shows a line of a shared source (the shown
// list's lines, the index), which is read only when the row is. The row's
// text and colour are derived from its line, its Filename is the whole line.
class ResultRows final : public ListRows {
public:
    using LineAt = std::function<QString(int)>;
    using TitleOf = std::function<QString(const QString&)>;
    using ColorOf = std::function<std::uint32_t(const QString&)>;
    // Marks a row whose colour is that of its line.
    static constexpr std::uint32_t kLineColor = 0xFFFFFFFFu;

    ResultRows(int sourceCount, LineAt lineAt, TitleOf titleOf, ColorOf colorOf = {});

    // Appends rows for the given source lines (from 0); rows past the end of
    // `colors` take the colour of their line.
    void append(const std::vector<int>& found, const std::vector<std::uint32_t>& colors = {});
    void assign(std::vector<int> found);
    // The row source line `index` gives, coloured `color`.
    ListEntry entryFor(int index, std::uint32_t color = kLineColor) const;

    int count() const override { return int(found_.size()); }
    ListEntry entry(int i) const override;
    QString title(int i) const override;
    QString field(int i, int k) const override;
    std::uint32_t color(int i) const override;
    bool bold(int) const override { return false; }

private:
    std::optional<QString> line(int index) const;
    // The colour given to a row, or else that of its line.
    std::uint32_t colorOf(const std::optional<QString>& line, std::uint32_t given) const;
    std::uint32_t givenColor(int i) const {
        return size_t(i - 1) < colors_.size() ? colors_[size_t(i - 1)] : kLineColor;
    }

    int sourceCount_;
    LineAt lineAt_;
    TitleOf titleOf_;
    ColorOf colorOf_;
    std::vector<int> found_;
    // Colours given with the rows; empty when every row has its line's.
    std::vector<std::uint32_t> colors_;
};
