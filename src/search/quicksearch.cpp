#include "search/quicksearch.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "lists/textfile.h"

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

bool isAscii(QByteArrayView b) {
    unsigned char high = 0;
    for (const char c : b) high |= static_cast<unsigned char>(c);
    return !(high & 0x80);
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
}

// Matches titles as they are in their lines against a folded search text.
// Folding leaves ASCII as ASCII, lower-cased, so an ASCII title is matched
// in place; a title with any other byte is decoded and folded first.
//
// A title is scanned for the bytes that decide it: its end (TAB or line
// end), the text's first letter in either case, or a byte beyond ASCII.
// On x86-64 that scan looks at 16 bytes at a time.
class RawTitleMatcher {
public:
    explicit RawTitleMatcher(const QByteArray& folded) : folded_(folded) {
        // A text beyond ASCII is never held by an ASCII title: only the
        // title's end and bytes beyond ASCII stop the scan.
        lower_ = upper_ = '\t';
        if (!folded.isEmpty() && isAscii(folded)) {
            lower_ = folded[0];
            upper_ = (lower_ >= 'a' && lower_ <= 'z') ? char(lower_ - 32) : lower_;
        }
    }

    // Whether the title of the line [line, end) holds the text; `limit` is
    // the end of the buffer the line is in, up to which bytes may be read.
    bool holds(const char* line, const char* end, const char* limit) const {
        const qsizetype m = folded_.size();
        for (const char* p = line;;) {
            const char* s = nextStop(p, end, limit);
            if (s == end || *s == '\t' || *s == '\r' || *s == '\n') return false;
            if (static_cast<unsigned char>(*s) & 0x80) return foldedHolds(line, end);
            qsizetype j = 1;
            while (j < m && s + j < end && lowerAscii(s[j]) == folded_[j]) ++j;
            if (j == m) return true;
            p = s + 1;
        }
    }

private:
    bool isStop(char c) const {
        return c == '\t' || c == '\r' || c == '\n' || c == lower_ || c == upper_ ||
               (static_cast<unsigned char>(c) & 0x80);
    }

    const char* nextStop(const char* p, const char* end, const char* limit) const {
#if defined(__SSE2__)
        const __m128i tab = _mm_set1_epi8('\t'), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'),
                      lower = _mm_set1_epi8(lower_), upper = _mm_set1_epi8(upper_);
        for (; p < end && limit - p >= 16; p += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i hit = _mm_or_si128(
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, tab), _mm_cmpeq_epi8(v, cr)),
                             _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, lower))),
                _mm_or_si128(_mm_cmpeq_epi8(v, upper), v));
            if (const int mask = _mm_movemask_epi8(hit))
                return std::min(end, p + __builtin_ctz(unsigned(mask)));
        }
#else
        (void)limit;
#endif
        while (p < end && !isStop(*p)) ++p;
        return p;
    }

    bool foldedHolds(const char* line, const char* end) const {
        const QByteArrayView rest(line, end - line);
        const qsizetype tab = rest.indexOf('\t');
        QByteArrayView title = tab < 0 ? rest : rest.first(tab);
        while (title.endsWith('\n') || title.endsWith('\r')) title.chop(1);
        return foldSearchText(textfile::decodeLine(title)).contains(folded_);
    }

    const QByteArray& folded_;
    char lower_, upper_;
};

// The filter over titles as they are in the lines: every line, or only
// those in `previous`.
std::vector<int> filterRaw(const SearchLines& source, const std::vector<int>* previous,
                           const QByteArray& folded) {
    std::vector<int> found;
    const char* data = source.lineData();
    const LineOffsets& starts = source.lineStarts();
    const char* limit = data + starts.back();
    const RawTitleMatcher matcher(folded);
    found.reserve(previous ? previous->size() : size_t(source.size()));
    auto examine = [&](int i) {
        const char* line = data + starts[size_t(i)];
        const char* end = data + starts[size_t(i) + 1];
        if (line == end || *line == '\t' || *line == '\r' || *line == '\n') return;
        if (folded.isEmpty() || matcher.holds(line, end, limit)) found.push_back(i);
    };
    if (previous) {
        for (int i : *previous)
            if (i >= 0 && i < source.size()) examine(i);
    } else {
        for (int i = 0; i < source.size(); ++i) examine(i);
    }
    return found;
}

}  // namespace

std::vector<int> filter(const SearchLines& source, const QByteArray& folded) {
    if (!source.foldsTitles())
        return findable(folded) ? filterRaw(source, nullptr, folded) : std::vector<int>{};
    std::vector<int> found;
    const int n = source.size();
    const LineOffsets& starts = source.foldedStarts();
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
        if (starts[line + 1] <= at) line = starts.upperBound(line, at) - 1;
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
    if (!source.foldsTitles()) return filterRaw(source, &previous, folded);
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
