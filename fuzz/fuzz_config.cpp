// The settings file as any bytes: applied and written again, the settings
// reach a fixed point after one round, so saving never changes them.
#include <QByteArray>
#include <QStringList>

#include "fuzzcheck.h"
#include "lists/config.h"
#include "lists/textfile.h"

namespace {

QStringList roundOf(const QStringList& fileLines) {
    Config cfg;
    const configfile::Effects fx = configfile::apply(fileLines, cfg);
    return configfile::lines(cfg, fx.showSidebar);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList first = roundOf(textfile::splitLines(bytes));
    FUZZ_CHECK(first.size() == 10);
    const QStringList written = textfile::splitLines(textfile::encodeLines(first));
    FUZZ_CHECK(written == first);
    FUZZ_CHECK(roundOf(written) == first);
    return 0;
}
