#include "platform/null/nullplatform.h"

#include <QElapsedTimer>

qint64 NullPlatform::uptimeMs() {
    static QElapsedTimer since;
    if (!since.isValid()) since.start();
    return since.elapsed();
}
