#include "SharedStateReset.h"
#include "app/StartUpHooks.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Widget tests need an application object; it lives for the whole run, and the desktop
// settings point at a scratch folder so no test touches the real ones.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", scratch.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_DIRS", scratch.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", scratch.path().toLocal8Bit());
    QApplication app(argc, argv);
    WireStartUpHooks();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new SharedStateReset);
    return RUN_ALL_TESTS();
}
