#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/linux/launchermodule.h"

TEST(LauncherModule, BesideTheExecutableElseByNameAlongTheRunpath) {
    QTemporaryDir bin;
    const QString name = QStringLiteral("libbrennomix_ui.so");
    EXPECT_EQ(launcherModuleFile(bin.path(), name), name);
    QFile module(bin.filePath(name));
    ASSERT_TRUE(module.open(QIODevice::WriteOnly));
    module.close();
    EXPECT_EQ(launcherModuleFile(bin.path(), name), bin.filePath(name));
}
