// List files as another program may leave them: any bytes split into lines,
// each line parsed into fields. Written and read back, the lines are the
// same; a parsed line formatted again parses to the same fields, colour and
// weight. Held as a list document, the file gives the same entries, and a
// save of it is read back as the same entries and saved again unchanged.
#include <QByteArray>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <array>

#include "fuzzcheck.h"
#include "lists/listdocument.h"
#include "lists/listfile.h"
#include "lists/textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = textfile::splitLines(bytes);
    FUZZ_CHECK(textfile::splitLines(textfile::encodeLines(lines)) == lines);

    for (const QString& line : lines) {
        const listfile::ParsedLine p = listfile::parseLine(line);
        FUZZ_CHECK(!p.fields.isEmpty() && p.fields.size() <= listfile::kFields);
        std::array<QString, 5> sub;
        for (qsizetype k = 1; k < p.fields.size(); ++k) sub[size_t(k - 1)] = p.fields[k];
        const listfile::ParsedLine again =
            listfile::parseLine(listfile::formatLine(p.fields[0], sub));
        QStringList padded = p.fields;
        while (padded.size() < listfile::kFields) padded << QString();
        FUZZ_CHECK(again.fields == padded);
        FUZZ_CHECK(again.color == p.color && again.bold == p.bold);
    }

    // Through the file system, as a list is saved and loaded.
    static QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("mList.ini"));
    FUZZ_CHECK(textfile::writeLines(file, lines));
    QStringList back;
    FUZZ_CHECK(textfile::readLines(file, back) == textfile::ReadStatus::Ok);
    FUZZ_CHECK(back == lines);

    FUZZ_CHECK(textfile::writeBytes(dir.filePath(QStringLiteral("mHeld.ini")), bytes));
    ListDocument doc;
    FUZZ_CHECK(doc.load(dir.path(), QStringLiteral("mHeld")));
    std::vector<ListEntry> entries;
    for (const QString& line : lines)
        if (!line.isEmpty()) entries.push_back(ListEntry::fromLine(line));
    FUZZ_CHECK(doc.entries() == entries);
    FUZZ_CHECK(doc.save());
    const QByteArray saved = doc.fileBytes();
    ListDocument again;
    FUZZ_CHECK(again.load(dir.path(), QStringLiteral("mHeld")));
    FUZZ_CHECK(again.entries() == entries && again.fileBytes() == saved);
    return 0;
}
