#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

#include "lists/listfile.h"
#include "search/searchlines.h"

// The rules of the search box: which source lines a search text finds and
// how a found line is shown as a row.
//
// A line is matched on its title field (the part before the first TAB, or
// the whole line), ignoring case; a line with an empty title is never found.
// Found lines come in source order, duplicates included.
namespace quicksearch {

// Text colour of a found line that starts with "!".
inline constexpr std::uint32_t kMarkedColor = listfile::rgb(180, 0, 0);

// The part of `line` the search text is matched against.
QStringView titleField(const QString& line);

// The row text of a found line: a line starting with "!" shows everything
// after the "!"; any other line its title field.
QString rowText(const QString& line);
std::uint32_t rowColor(const QString& line);

// Positions (from 0) of the lines of `source` whose title holds `folded`
// (the search text through foldSearchText); "" finds every line with a
// title.
std::vector<int> filter(const SearchLines& source, const QByteArray& folded);
// The same, examining only the positions in `previous` (ascending): valid
// when the text extends the text that gave `previous`.
std::vector<int> refine(const SearchLines& source, const std::vector<int>& previous,
                        const QByteArray& folded);

// The running filter of the search box. It remembers its last source and
// result: a text that extends the previous one over unchanged lines
// re-examines only the previous matches.
class Filter {
public:
    // The matches of `text` (any case) in `source`.
    const std::vector<int>& update(const SearchLines& source, const QString& text);
    void reset();
    // True when the last update only re-examined the previous matches.
    bool refined() const { return refined_; }

private:
    std::uint64_t generation_ = 0;
    QByteArray text_;
    std::vector<int> matches_;
    bool valid_ = false;
    bool refined_ = false;
};

}  // namespace quicksearch
