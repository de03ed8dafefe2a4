#include "search/searchlines.h"

#include <QFile>
#include <QIODevice>

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>

#include "lists/textfile.h"

namespace {

std::atomic<std::uint64_t> nextGeneration{1};

// Makes room for `extra` more bytes in `b`, growing it by doubling.
void roomFor(QByteArray& b, qsizetype extra) {
    const qsizetype need = b.size() + extra;
    if (need <= b.capacity()) return;
    QByteArray bigger;
    const qsizetype cap = std::max(need, std::max<qsizetype>(b.capacity() * 2, 1 << 16));
    bigger.reserve(cap);
    textfile::preferLargePages(bigger.constData(), cap);
    bigger.append(b);
    b.swap(bigger);
}

// A large file is searched where the kernel already holds it: mapped
// read-only rather than copied, a copy being as many freshly written pages
// as the file has, which is what makes the first load of a process slow.
//
// The program replaces FsSearch.txt only whole, by renaming a new file
// over it, which leaves a mapped old file as it was. Should another
// program cut the file short in place, reading past its new end would stop
// the program with SIGBUS; such a page of a mapped file is read as zeros
// instead (the lines then read wrongly until the next load, never beyond
// their bounds).
constexpr qint64 kMapAtLeast = qint64(1) << 20;
constexpr int kMapSlots = 32;
std::atomic<std::uintptr_t> mappedFrom[kMapSlots];
std::atomic<std::uintptr_t> mappedTo[kMapSlots];
struct sigaction previousBusAction;
std::uintptr_t pageSize = 4096;

void onBusError(int sig, siginfo_t* info, void* context) {
    const auto at = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (int k = 0; k < kMapSlots; ++k) {
        const std::uintptr_t from = mappedFrom[k].load();
        if (from == 0 || at < from || at >= mappedTo[k].load()) continue;
        void* page = reinterpret_cast<void*>(at & ~(pageSize - 1));
        if (::mmap(page, pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) !=
            MAP_FAILED)
            return;
    }
    // Not ours: as before this handler.
    if ((previousBusAction.sa_flags & SA_SIGINFO) && previousBusAction.sa_sigaction) {
        previousBusAction.sa_sigaction(sig, info, context);
    } else if (previousBusAction.sa_handler != SIG_DFL && previousBusAction.sa_handler != SIG_IGN) {
        previousBusAction.sa_handler(sig);
    } else {
        // The fault happens again on return, now with the old action.
        ::sigaction(SIGBUS, &previousBusAction, nullptr);
    }
}

void guardMappings() {
    static std::once_flag once;
    std::call_once(once, [] {
        pageSize = std::uintptr_t(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = &onBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &previousBusAction);
    });
}

// A read-only private mapping of a whole file, guarded as above.
class MappedFile {
public:
    static std::shared_ptr<const MappedFile> open(int fd, qint64 size) {
        guardMappings();
        void* at = ::mmap(nullptr, size_t(size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (at == MAP_FAILED) return {};
        const auto from = reinterpret_cast<std::uintptr_t>(at);
        for (int k = 0; k < kMapSlots; ++k) {
            // Claimed first (an address no fault has), then filled in.
            std::uintptr_t free = 0;
            if (mappedFrom[k].compare_exchange_strong(free, ~std::uintptr_t(0))) {
                mappedTo[k].store(from + std::uintptr_t(size));
                mappedFrom[k].store(from);
                ::madvise(at, size_t(size), MADV_SEQUENTIAL);
                return std::shared_ptr<const MappedFile>(new MappedFile(at, size, k));
            }
        }
        ::munmap(at, size_t(size));
        return {};
    }
    ~MappedFile() {
        mappedFrom[slot_].store(0);
        ::munmap(data_, size_t(size_));
    }
    const char* data() const { return static_cast<const char*>(data_); }
    qint64 size() const { return size_; }

private:
    MappedFile(void* data, qint64 size, int slot) : data_(data), size_(size), slot_(slot) {}
    void* data_;
    qint64 size_;
    int slot_;
};

// The line without its line end (CR LF, CR or LF).
QByteArrayView withoutLineEnd(QByteArrayView b) {
    if (b.endsWith('\n')) b.chop(1);
    if (b.endsWith('\r')) b.chop(1);
    return b;
}

}  // namespace

QByteArray foldSearchText(const QString& text) {
    return text.toCaseFolded().toUtf8();
}

void SearchLines::touch() {
    generation_ = nextGeneration.fetch_add(1);
}

void SearchLines::clear() {
    data_.clear();
    keep_.reset();
    starts_.reset();
    folded_.clear();
    foldedSize_ = 0;
    foldedStarts_.reset();
    touch();
}

namespace {

QByteArrayView titleOf(QByteArrayView line) {
    // An empty view may have no data at all, which memchr must not see.
    const void* tab =
        line.isEmpty() ? nullptr : std::memchr(line.data(), '\t', size_t(line.size()));
    return tab ? line.first(static_cast<const char*>(tab) - line.data()) : line;
}

}  // namespace

void SearchLines::foldTitle(QByteArrayView line) {
    if (!foldsTitles()) return;
    const QByteArrayView title = titleOf(line);
    qsizetype at = foldedSize_;
    reserveFolded(at + title.size() + 1);
    // ASCII letters are folded as they are copied; a title with any other
    // byte is folded again by the Unicode rules.
    char* out = folded_.data() + at;
    unsigned char high = 0;
    for (qsizetype k = 0; k < title.size(); ++k) {
        const char c = title[k];
        high |= static_cast<unsigned char>(c);
        out[k] = (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
    }
    if (!(high & 0x80)) {
        at += title.size();
    } else {
        const QByteArray f = foldSearchText(textfile::decodeLine(title));
        reserveFolded(at + f.size() + 1);
        std::memcpy(folded_.data() + at, f.constData(), size_t(f.size()));
        at += f.size();
    }
    folded_.data()[at++] = '\n';
    foldedSize_ = at;
    foldedStarts_.push_back(at);
}

void SearchLines::reserveFolded(qsizetype bytes) {
    if (bytes <= folded_.size()) return;
    // The buffer is kept larger than its content; pages never written to
    // cost no memory. foldedSize_ is the content's end.
    if (bytes <= folded_.capacity()) {
        folded_.resize(bytes);
        return;
    }
    QByteArray bigger;
    const qsizetype cap = std::max(bytes, std::max<qsizetype>(folded_.size() * 2, 1 << 16));
    bigger.reserve(cap);
    textfile::preferLargePages(bigger.constData(), cap);
    bigger.resize(cap);
    std::memcpy(bigger.data(), folded_.constData(), size_t(foldedSize_));
    folded_.swap(bigger);
}

void SearchLines::append(QByteArrayView line) {
    roomFor(data_, line.size() + 2);
    data_.append(line.data(), line.size());
    data_.append("\r\n", 2);
    starts_.push_back(data_.size());
    foldTitle(line);
    touch();
}

void SearchLines::append(const SearchLines& other) {
    const std::int64_t base = data_.size();
    if (foldsTitles() && !other.foldsTitles()) {
        for (int i = 0; i < other.size(); ++i) foldTitle(other.bytes(i));
    }
    roomFor(data_, other.data_.size());
    data_ += other.data_;
    starts_.reserve(starts_.size() + other.starts_.size() - 1);
    for (size_t k = 1; k < other.starts_.size(); ++k) starts_.push_back(base + other.starts_[k]);
    if (foldsTitles() && other.foldsTitles()) appendFolded(other);
    touch();
}

void SearchLines::appendFolded(const SearchLines& other) {
    const std::int64_t foldedBase = foldedSize_;
    reserveFolded(foldedSize_ + other.foldedSize_);
    std::memcpy(folded_.data() + foldedSize_, other.folded_.constData(), size_t(other.foldedSize_));
    foldedSize_ += other.foldedSize_;
    foldedStarts_.reserve(foldedStarts_.size() + other.foldedStarts_.size() - 1);
    for (size_t k = 1; k < other.foldedStarts_.size(); ++k)
        foldedStarts_.push_back(foldedBase + other.foldedStarts_[k]);
}

SearchLines SearchLines::fromLines(const QStringList& lines, Titles titles) {
    SearchLines s(titles);
    for (const QString& l : lines) s.append(l);
    return s;
}

void SearchLines::assignFile(QByteArray data) {
    if (data.startsWith("\xEF\xBB\xBF")) {
        // The lines start after the mark. Cutting it off would copy a
        // buffer the caller may go on sharing (a list keeps the bytes it
        // read): the lines point into it instead.
        auto whole = std::make_shared<const QByteArray>(std::move(data));
        QByteArray rest = QByteArray::fromRawData(whole->constData() + 3, whole->size() - 3);
        assignBytes(std::move(rest), std::move(whole));
        return;
    }
    assignBytes(std::move(data), {});
}

void SearchLines::assignBytes(QByteArray data, std::shared_ptr<const void> keep) {
    clear();
    data_ = std::move(data);
    keep_ = std::move(keep);
    const char* p = data_.constData();
    const qsizetype n = data_.size();
    // Room for short lines and for titles as long as the lines: pages
    // that are never written to cost no memory.
    starts_.reserve(size_t(n / 24 + 2));
    if (foldsTitles()) {
        foldedStarts_.reserve(size_t(n / 24 + 2));
        reserveFolded(n + 16);
        textfile::preferLargePages(folded_.constData(), folded_.size());
    }
    qsizetype i = 0;
    qsizetype lfAt = -1;  // the next LF at or after i (n when none)
    while (i < n) {
        if (lfAt < i) {
            const void* lf = std::memchr(p + i, '\n', size_t(n - i));
            lfAt = lf ? static_cast<const char*>(lf) - p : n;
        }
        // A CR before that LF ends the line first (alone or as CR LF).
        const void* cr = std::memchr(p + i, '\r', size_t(lfAt - i));
        qsizetype end, next;
        if (cr) {
            end = static_cast<const char*>(cr) - p;
            next = end + 1;
            if (next < n && p[next] == '\n') ++next;
        } else {
            end = lfAt;
            next = lfAt < n ? lfAt + 1 : n;
        }
        foldTitle(QByteArrayView(p + i, end - i));
        starts_.push_back(next);
        i = next;
    }
    touch();
}

bool SearchLines::readFile(const QString& path) {
    QFile f;
    if (textfile::openPlainFile(path, f) != textfile::ReadStatus::Ok) return false;
    const qint64 size = f.size();
    if (size >= kMapAtLeast) {
        if (auto mapped = MappedFile::open(f.handle(), size)) {
            const char* at = mapped->data();
            const qsizetype bom = QByteArrayView(at, 3) == "\xEF\xBB\xBF" ? 3 : 0;
            QByteArray data = QByteArray::fromRawData(at + bom, qsizetype(size) - bom);
            assignBytes(std::move(data), std::move(mapped));
            return true;
        }
    }
    QByteArray data = textfile::readRest(f);
    if (f.error() != QFileDevice::NoError) return false;
    assignFile(std::move(data));
    return true;
}

// Reading drops one byte-order mark: a first line that itself begins with
// those bytes keeps them only behind a mark of its own.
bool SearchLines::needsByteOrderMark() const {
    return size() > 0 && bytes(0).startsWith("\xEF\xBB\xBF");
}

QByteArray SearchLines::fileBytes() const {
    QByteArray out;
    out.reserve(data_.size() + 5);
    if (needsByteOrderMark()) out.append("\xEF\xBB\xBF", 3);
    for (int i = 0; i < size(); ++i) {
        const QByteArrayView b = bytes(i);
        out.append(b.data(), b.size());
        out.append("\r\n", 2);
    }
    return out;
}

bool SearchLines::writeTo(QIODevice& out) const {
    QByteArray block;
    constexpr qsizetype kBlock = 1 << 20;
    block.reserve(kBlock + 4096);
    if (needsByteOrderMark()) block.append("\xEF\xBB\xBF", 3);
    auto flush = [&] {
        if (out.write(block) != block.size()) return false;
        block.resize(0);
        return true;
    };
    for (int i = 0; i < size(); ++i) {
        const QByteArrayView b = bytes(i);
        block.append(b.data(), b.size());
        block.append("\r\n", 2);
        if (block.size() >= kBlock && !flush()) return false;
    }
    return flush();
}

QByteArrayView SearchLines::bytes(int i) const {
    if (i < 0 || i >= size()) return {};
    return withoutLineEnd(QByteArrayView(data_.constData() + starts_[size_t(i)],
                                         starts_[size_t(i) + 1] - starts_[size_t(i)]));
}

QString SearchLines::line(int i) const {
    return textfile::decodeLine(bytes(i));
}

QStringList SearchLines::toStringList() const {
    QStringList out;
    out.reserve(size());
    for (int i = 0; i < size(); ++i) out << line(i);
    return out;
}

QByteArrayView SearchLines::foldedTitle(int i) const {
    if (i < 0 || i >= size() || !foldsTitles()) return {};
    const std::int64_t b = foldedStarts_[size_t(i)];
    return QByteArrayView(folded_.constData() + b, foldedStarts_[size_t(i) + 1] - b - 1);
}

std::int64_t SearchLines::heldBytes() const {
    return data_.size() + foldedSize_ + starts_.heldBytes() + foldedStarts_.heldBytes();
}
