#include "search/quicksearch.h"

namespace quicksearch {

QStringView titleField(const QString& line) {
    const qsizetype tab = line.indexOf(u'\t');
    return tab < 0 ? QStringView(line) : QStringView(line).first(tab);
}

bool matches(const QString& line, const QString& lowerText) {
    const QStringView title = titleField(line);
    return !title.isEmpty() && title.contains(lowerText, Qt::CaseInsensitive);
}

QString rowText(const QString& line) {
    if (line.startsWith(u'!')) return line.mid(1);
    return titleField(line).toString();
}

std::uint32_t rowColor(const QString& line) {
    return line.startsWith(u'!') ? kMarkedColor : listfile::kDefaultTextColor;
}

std::vector<int> filter(const QStringList& source, const QString& lowerText) {
    std::vector<int> found;
    const int n = int(source.size());
    for (int i = 0; i < n; ++i)
        if (matches(source[i], lowerText)) found.push_back(i);
    return found;
}

std::vector<int> refine(const QStringList& source, const std::vector<int>& previous,
                        const QString& lowerText) {
    std::vector<int> found;
    for (int i : previous)
        if (i >= 0 && i < source.size() && matches(source[i], lowerText)) found.push_back(i);
    return found;
}

bool Filter::sameSource(const QStringList& source) const {
    return source.constData() == source_.constData() && source.size() == source_.size();
}

const std::vector<int>& Filter::update(const QStringList& source, const QString& text) {
    const QString lower = text.toLower();
    refined_ = valid_ && sameSource(source) && lower.startsWith(text_);
    matches_ = refined_ ? refine(source, matches_, lower) : filter(source, lower);
    source_ = source;
    text_ = lower;
    valid_ = true;
    return matches_;
}

void Filter::reset() {
    source_.clear();
    text_.clear();
    matches_.clear();
    valid_ = false;
    refined_ = false;
}

}  // namespace quicksearch
