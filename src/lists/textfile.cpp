#include "lists/textfile.h"

#include "lists/utf8.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <errno.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace textfile {

namespace {

// Windows-1252 assigns printable characters to most of 0x80..0x9F; the five
// unassigned bytes keep their C1 code points.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeCp1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b < 0xA0) ? QChar(kCp1252High[b - 0x80]) : QChar(char16_t(b));
    }
    return out;
}

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// Text that is valid UTF-8, U+FEFF at its start included: Qt's own decoding
// would drop that as a byte-order mark, which belongs to a file, never to
// a line.
QString fromUtf8(QByteArrayView bytes) {
    QStringDecoder decode(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decode(bytes);
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

}  // namespace

bool isValidUtf8(QByteArrayView bytes) {
    return utf8::isValid(std::string_view(bytes.data(), size_t(bytes.size())));
}

QString decodeLine(QByteArrayView bytes) {
    if (isValidUtf8(bytes)) return fromUtf8(bytes);
    return decodeCp1252(bytes);
}

QStringList splitLines(const QByteArray& data) {
    QByteArrayView all(data);
    if (all.startsWith("\xEF\xBB\xBF")) all = all.sliced(3);

    QStringList lines;
    const bool wholeIsUtf8 = isValidUtf8(all);
    // Fast path: one decode of the whole file, then split the text.
    if (wholeIsUtf8) {
        const QString text = fromUtf8(all);
        const QChar* s = text.constData();
        const qsizetype n = text.size();
        qsizetype start = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = s[i].unicode();
            if (c != u'\r' && c != u'\n') continue;
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && s[i + 1] == u'\n') ++i;
            start = i + 1;
        }
        if (start < n) lines.append(text.mid(start));
        return lines;
    }
    qsizetype start = 0;
    const qsizetype n = all.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = all[i];
        if (!isLineEnd(c)) continue;
        lines.append(decodeLine(all.sliced(start, i - start)));
        if (c == '\r' && i + 1 < n && all[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.append(decodeLine(all.sliced(start)));
    return lines;
}

QByteArray encodeLines(const QStringList& lines) {
    QByteArray out;
    qsizetype estimate = 0;
    for (const QString& l : lines) estimate += l.size() + 2;
    out.reserve(estimate + 3);
    // Reading drops one byte-order mark: a first line that itself begins
    // with U+FEFF keeps it only behind a mark of its own.
    if (!lines.isEmpty() && lines.first().startsWith(QChar(0xFEFF))) out += kByteOrderMark;
    for (const QString& l : lines) {
        out += l.toUtf8();
        out += "\r\n";
    }
    return out;
}

namespace {
FileState stateFrom(const struct stat& st) {
    return FileState{qint64(st.st_size),
                     qint64(st.st_mtim.tv_sec) * 1'000'000'000 + qint64(st.st_mtim.tv_nsec)};
}
}  // namespace

std::optional<FileState> stateOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return stateFrom(st);
}

namespace {
// A failed read with the system's words for why, when asked for.
ReadStatus failed(ReadStatus status, QString* error, const QString& why) {
    if (error) *error = why;
    return status;
}
QString systemError(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}
}  // namespace

ReadStatus openPlainFile(const QString& path, QFile& file, FileState* state, QString* error) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        return failed(err == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable, error,
                      systemError(err));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return failed(ReadStatus::Unreadable, error, systemError(err));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return failed(
            ReadStatus::Unreadable, error,
            S_ISDIR(st.st_mode) ? systemError(EISDIR) : QStringLiteral("Not a plain file"));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failed(ReadStatus::Unreadable, error, file.errorString());
    }
    if (state) *state = stateFrom(st);
    return ReadStatus::Ok;
}

void preferLargePages(const void* data, qsizetype bytes) {
    constexpr std::uintptr_t kLarge = std::uintptr_t(2) << 20;
    if (bytes < qsizetype(4 * kLarge)) return;
    const auto from = (reinterpret_cast<std::uintptr_t>(data) + kLarge - 1) & ~(kLarge - 1);
    const auto to =
        (reinterpret_cast<std::uintptr_t>(data) + std::uintptr_t(bytes)) & ~(kLarge - 1);
    if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

QByteArray readRest(QFile& file) {
    QByteArray data;
    const qint64 size = file.size() - file.pos();
    if (size > 0 && size < (qint64(1) << 40)) {
        data = QByteArray(qsizetype(size), Qt::Uninitialized);
        preferLargePages(data.constData(), data.size());
        qint64 at = 0;
        while (at < size) {
            const qint64 n = file.read(data.data() + at, size - at);
            if (n <= 0) break;
            at += n;
        }
        data.resize(qsizetype(at));
    }
    data += file.readAll();
    return data;
}

ReadStatus readBytes(const QString& path, QByteArray& data, qint64 limit, FileState* state,
                     QString* error) {
    data.clear();
    QFile f;
    const ReadStatus opened = openPlainFile(path, f, state, error);
    if (opened != ReadStatus::Ok) return opened;
    QByteArray got;
    if (limit < 0) {
        got = readRest(f);
    } else {
        // One byte more than allowed tells a file that is too long, without
        // reading the rest of it.
        got = f.read(limit + 1);
        if (got.size() > limit) return failed(ReadStatus::Unreadable, error, systemError(EFBIG));
    }
    if (f.error() != QFileDevice::NoError)
        return failed(ReadStatus::Unreadable, error, f.errorString());
    data = std::move(got);
    return ReadStatus::Ok;
}

bool holdsBytes(const QString& path, QByteArrayView bytes) {
    QFile f;
    FileState state;
    if (openPlainFile(path, f, &state) != ReadStatus::Ok || state.size != bytes.size())
        return false;
    constexpr qint64 kBlock = qint64(1) << 20;
    QByteArray block(qsizetype(std::min(kBlock, std::max<qint64>(bytes.size(), 1))), '\0');
    qsizetype at = 0;
    for (;;) {
        const qint64 n = f.read(block.data(), block.size());
        if (n < 0) return false;
        if (n == 0) return at == bytes.size();
        if (at + n > bytes.size() || std::memcmp(block.constData(), bytes.data() + at, size_t(n)))
            return false;
        at += qsizetype(n);
    }
}

ReadStatus readLines(const QString& path, QStringList& lines, qint64 limit, QString* error) {
    lines.clear();
    QByteArray data;
    const ReadStatus status = readBytes(path, data, limit, nullptr, error);
    if (status == ReadStatus::Ok) lines = splitLines(data);
    return status;
}

bool writeLines(const QString& path, const QStringList& lines, QString* error) {
    return writeBytes(path, encodeLines(lines), error);
}

bool writeBytes(const QString& path, const QByteArray& bytes, QString* error, FileState* state) {
    QSaveFile f(path);
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        f.cancelWriting();
        return false;
    };
    // Unbuffered, so that every write reaches the file at once and its result
    // can be checked; a buffered write would only fail later, unseen.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(f.errorString());
    // A short write is not reported as an error by itself: compare the counts.
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = f.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) return fail(f.errorString());
        done += n;
    }
    if (f.error() != QFileDevice::NoError || !f.flush()) return fail(f.errorString());
    // Taken from the new file itself before it replaces the old one: the
    // rename keeps its time, and nothing written by others in between
    // can be mistaken for it.
    struct stat st {};
    if (state && f.handle() >= 0 && ::fstat(f.handle(), &st) == 0) *state = stateFrom(st);
    if (!f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

}  // namespace textfile
