#include "lists/textfile.h"

#include <QFile>
#include <QSaveFile>

#include <cstring>

#include <errno.h>
#include <fcntl.h>
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

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

}  // namespace

bool isValidUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int len;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (end - p < len) return false;
        for (int k = 1; k < len; ++k) {
            if ((p[k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[k] & 0x3F);
        }
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        p += len;
    }
    return true;
}

QString decodeLine(QByteArrayView bytes) {
    if (isValidUtf8(bytes)) return QString::fromUtf8(bytes);
    return decodeCp1252(bytes);
}

QStringList splitLines(const QByteArray& data) {
    QByteArrayView all(data);
    if (all.startsWith("\xEF\xBB\xBF")) all = all.sliced(3);

    QStringList lines;
    const bool wholeIsUtf8 = isValidUtf8(all);
    // Fast path: one decode of the whole file, then split the text.
    if (wholeIsUtf8) {
        const QString text = QString::fromUtf8(all);
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
    out.reserve(estimate);
    for (const QString& l : lines) {
        out += l.toUtf8();
        out += "\r\n";
    }
    return out;
}

ReadStatus readLines(const QString& path, QStringList& lines, QString* error) {
    lines.clear();
    auto fail = [error](ReadStatus status, const QString& why) {
        if (error) *error = why;
        return status;
    };
    // Opened without waiting, and read only when it is a plain file: a pipe
    // would hold the window until someone writes to it, a device like
    // /dev/zero would never end.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        return fail(err == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable,
                    QString::fromLocal8Bit(std::strerror(err)));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return fail(ReadStatus::Unreadable, QString::fromLocal8Bit(std::strerror(err)));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(ReadStatus::Unreadable, S_ISDIR(st.st_mode)
                                                ? QString::fromLocal8Bit(std::strerror(EISDIR))
                                                : QStringLiteral("Not a plain file"));
    }
    QFile f;
    if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(ReadStatus::Unreadable, f.errorString());
    }
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError) return fail(ReadStatus::Unreadable, f.errorString());
    lines = splitLines(data);
    return ReadStatus::Ok;
}

bool writeLines(const QString& path, const QStringList& lines, QString* error) {
    QSaveFile f(path);
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        f.cancelWriting();
        return false;
    };
    // Unbuffered, so that every write reaches the file at once and its result
    // can be checked; a buffered write would only fail later, unseen.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(f.errorString());
    const QByteArray bytes = encodeLines(lines);
    // A short write is not reported as an error by itself: compare the counts.
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = f.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) return fail(f.errorString());
        done += n;
    }
    if (f.error() != QFileDevice::NoError || !f.flush()) return fail(f.errorString());
    if (!f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

}  // namespace textfile
