#include "SharedStateReset.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& text, bool executable = false) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFile::ExeOwner);
}

// The one default application of this process's desktop: plain text opens in an opener
// that writes "<document>.opened" beside the document, so that the real desktop's opening
// of a document can be tested without starting a program of the person's. Made before GIO
// reads the folders (it keeps them for the process).
void fakeDefaultApplication(const QTemporaryDir& scratch) {
    const QString dataHome = scratch.filePath(QStringLiteral("data-home"));
    const QString opener = scratch.filePath(QStringLiteral("opener.sh"));
    writeFile(opener, "#!/bin/sh\nprintf '%s\\n' \"$1\" > \"$1.opened\"\n", true);
    writeFile(dataHome + QStringLiteral("/applications/vondrelaskit-test-opener.desktop"),
              "[Desktop Entry]\nType=Application\nName=Test opener\nMimeType=text/plain;\n"
              "Exec=" +
                  QFile::encodeName(opener) + " %f\n");
    writeFile(dataHome + QStringLiteral("/applications/mimeapps.list"),
              "[Default Applications]\ntext/plain=vondrelaskit-test-opener.desktop\n");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(scratch.filePath(QStringLiteral("config-dirs"))));
}

} // namespace

// Widget tests need an application object; it lives for the whole run, and the desktop
// settings point at a scratch folder so no test touches the real ones.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", scratch.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_DIRS", scratch.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", scratch.path().toLocal8Bit());
    fakeDefaultApplication(scratch);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new SharedStateReset);
    return RUN_ALL_TESTS();
}
