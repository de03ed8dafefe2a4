#include "search/quicksearch.h"

#include <algorithm>
#include <cstring>

namespace quicksearch {

QStringView titleField(const QString& line) {
    const qsizetype tab = line.indexOf(u'\t');
    return tab < 0 ? QStringView(line) : QStringView(line).first(tab);
}

QString rowText(const QString& line) {
    if (line.startsWith(u'!')) return line.mid(1);
    return titleField(line).toString();
}

std::uint32_t rowColor(const QString& line) {
    return line.startsWith(u'!') ? kMarkedColor : listfile::kDefaultTextColor;
}

namespace {

// Titles never hold a line end or a TAB, so a text with one finds nothing
// (and must not be searched for across the "\n" between titles).
bool findable(const QByteArray& folded) {
    return !folded.contains('\n') && !folded.contains('\r') && !folded.contains('\t');
}

}  // namespace

std::vector<int> filter(const SearchLines& source, const QByteArray& folded) {
    std::vector<int> found;
    const int n = source.size();
    const std::vector<std::int64_t>& starts = source.foldedStarts();
    if (folded.isEmpty()) {
        for (int i = 0; i < n; ++i)
            if (starts[size_t(i) + 1] - starts[size_t(i)] > 1) found.push_back(i);
        return found;
    }
    if (!findable(folded)) return found;
    // One pass over all titles at once; each hit names its line, and the
    // search goes on after that line's title.
    const char* all = source.foldedTitles().constData();
    const std::int64_t total = source.foldedTitles().size();
    std::int64_t from = 0;
    size_t line = 0;
    while (from < total) {
        const void* hit = folded.size() == 1
                              ? std::memchr(all + from, folded[0], size_t(total - from))
                              : memmem(all + from, size_t(total - from), folded.constData(),
                                       size_t(folded.size()));
        if (!hit) break;
        const std::int64_t at = static_cast<const char*>(hit) - all;
        // The line whose title holds the hit: mostly one of the next few,
        // else found by halving.
        size_t k = 0;
        while (k < 8 && starts[line + 1] <= at) ++line, ++k;
        if (starts[line + 1] <= at)
            line =
                size_t(std::upper_bound(starts.begin() + std::ptrdiff_t(line), starts.end(), at) -
                       starts.begin()) -
                1;
        found.push_back(int(line));
        ++line;
        from = starts[line];
    }
    return found;
}

std::vector<int> refine(const SearchLines& source, const std::vector<int>& previous,
                        const QByteArray& folded) {
    std::vector<int> found;
    if (!findable(folded)) return found;
    for (int i : previous) {
        if (i < 0 || i >= source.size()) continue;
        const QByteArrayView title = source.foldedTitle(i);
        if (!title.isEmpty() && title.contains(folded)) found.push_back(i);
    }
    return found;
}

const std::vector<int>& Filter::update(const SearchLines& source, const QString& text) {
    const QByteArray folded = foldSearchText(text);
    refined_ = valid_ && generation_ == source.generation() && folded.startsWith(text_);
    matches_ = refined_ ? refine(source, matches_, folded) : filter(source, folded);
    generation_ = source.generation();
    text_ = folded;
    valid_ = true;
    return matches_;
}

void Filter::reset() {
    generation_ = 0;
    text_.clear();
    matches_ = {};
    valid_ = false;
    refined_ = false;
}

}  // namespace quicksearch
