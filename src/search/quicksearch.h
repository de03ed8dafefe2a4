#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <vector>

#include "lists/listfile.h"

// The rules of the quick search: which source lines a search text finds
// and how a found line is shown as a row.
//
// A line is matched on its title field (the part before the first TAB, or
// the whole line), ignoring case; a line with an empty title is never found.
// Found lines come in source order, duplicates included.
namespace quicksearch {

// Text colour of a found line that starts with "!".
inline constexpr std::uint32_t kMarkedColor = listfile::rgb(180, 0, 0);

// The part of `line` the search text is matched against.
QStringView titleField(const QString& line);
// `lowerText` is the search text in lower case; "" finds every line with a
// title.
bool matches(const QString& line, const QString& lowerText);

// The row text of a found line: a line starting with "!" shows everything
// after the "!"; any other line its title field.
QString rowText(const QString& line);
std::uint32_t rowColor(const QString& line);

// Positions (from 0) of the lines of `source` that `lowerText` finds.
std::vector<int> filter(const QStringList& source, const QString& lowerText);
// The same, examining only the positions in `previous` (ascending): valid
// when `lowerText` extends the text that gave `previous`.
std::vector<int> refine(const QStringList& source, const std::vector<int>& previous,
                        const QString& lowerText);

// The running filter of the search box. It keeps its last source (shared,
// not copied) and result: a text that extends the previous one over the
// same source re-examines only the previous matches.
class Filter {
public:
    // The matches of `text` (any case) in `source`.
    const std::vector<int>& update(const QStringList& source, const QString& text);
    void reset();
    // True when the last update only re-examined the previous matches.
    bool refined() const { return refined_; }

private:
    bool sameSource(const QStringList& source) const;

    // Holding a reference keeps the lines' storage alive: a changed source
    // is always a different storage, never the old one modified in place.
    QStringList source_;
    QString text_;
    std::vector<int> matches_;
    bool valid_ = false;
    bool refined_ = false;
};

}  // namespace quicksearch
