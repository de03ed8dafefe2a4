#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/linux/launchermodule.h"

TEST(LauncherModule, BesideTheExecutableElseByNameAlongTheRunpath) {
    QTemporaryDir bin;
    const std::string name = "libbrennomix_ui.so";
    EXPECT_EQ(launcherModuleFile(bin.path().toStdString(), name), name);
    QFile module(bin.filePath(QString::fromStdString(name)));
    ASSERT_TRUE(module.open(QIODevice::WriteOnly));
    module.close();
    EXPECT_EQ(launcherModuleFile(bin.path().toStdString(), name),
              bin.filePath(QString::fromStdString(name)).toStdString());
}
