#include "platform/Environment.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// Sets the XDG variables for one test and puts the old values back.
class XdgVariables {
public:
    XdgVariables() {
        for (const char* name : kNames)
            m_old.push_back({qEnvironmentVariableIsSet(name), qgetenv(name)});
    }
    ~XdgVariables() {
        for (size_t i = 0; i < std::size(kNames); ++i)
            if (m_old[i].first)
                qputenv(kNames[i], m_old[i].second);
            else
                qunsetenv(kNames[i]);
    }
    static constexpr const char* kNames[] = {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME",
                                             "XDG_DATA_DIRS", "XDG_RUNTIME_DIR"};

private:
    std::vector<std::pair<bool, QByteArray>> m_old;
};

} // namespace

TEST(EnvironmentTest, TakesTheXdgFoldersFromTheProcess) {
    XdgVariables keep;
    qputenv("XDG_CONFIG_HOME", "/c/home");
    qputenv("XDG_CONFIG_DIRS", "/c/one::/c/two");
    qputenv("XDG_DATA_HOME", "/d/home");
    qputenv("XDG_DATA_DIRS", "/d/one:/d/two");
    qputenv("XDG_RUNTIME_DIR", "/run/user/7");
    const Environment e = Environment::FromProcess();
    EXPECT_EQ(e.ConfigHome, QStringLiteral("/c/home"));
    EXPECT_EQ(e.ConfigDirs, (QStringList{QStringLiteral("/c/one"), QStringLiteral("/c/two")}));
    EXPECT_EQ(e.DataHome, QStringLiteral("/d/home"));
    EXPECT_EQ(e.DataDirs, (QStringList{QStringLiteral("/d/one"), QStringLiteral("/d/two")}));
    EXPECT_EQ(e.RuntimeDir, QStringLiteral("/run/user/7"));
}

TEST(EnvironmentTest, UnsetOrRelativeFoldersTakeTheDefaults) {
    XdgVariables keep;
    for (const char* name : XdgVariables::kNames)
        qunsetenv(name);
    qputenv("XDG_CONFIG_HOME", "relative/config");
    const Environment e = Environment::FromProcess();
    const QString home = QDir::homePath();
    EXPECT_EQ(e.ConfigHome, home + QStringLiteral("/.config"));
    EXPECT_EQ(e.ConfigDirs, QStringList{QStringLiteral("/etc/xdg")});
    EXPECT_EQ(e.DataHome, home + QStringLiteral("/.local/share"));
    EXPECT_EQ(e.DataDirs,
              (QStringList{QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")}));
    EXPECT_TRUE(e.RuntimeDir.isEmpty());
}

TEST(EnvironmentTest, RelativeFoldersAreIgnoredInEveryVariable) {
    const QString home = QDir::homePath();
    using Field = QStringList (*)(const Environment&);
    const Field configHome = [](const Environment& e) { return QStringList{e.ConfigHome}; };
    const Field configDirs = [](const Environment& e) { return e.ConfigDirs; };
    const Field dataHome = [](const Environment& e) { return QStringList{e.DataHome}; };
    const Field dataDirs = [](const Environment& e) { return e.DataDirs; };
    const Field runtimeDir = [](const Environment& e) { return QStringList{e.RuntimeDir}; };
    const struct {
        const char* variable;
        const char* value;
        Field field;
        QStringList expected;
    } cases[] = {
        {"XDG_CONFIG_HOME", "relative/config", configHome, {home + "/.config"}},
        {"XDG_CONFIG_HOME", "./config", configHome, {home + "/.config"}},
        {"XDG_DATA_HOME", "relative/data", dataHome, {home + "/.local/share"}},
        {"XDG_RUNTIME_DIR", "run/user/7", runtimeDir, {QString()}},
        {"XDG_CONFIG_DIRS", "etc/xdg:/c/one:c/two", configDirs, {"/c/one"}},
        {"XDG_CONFIG_DIRS", "etc/xdg:c/two", configDirs, {"/etc/xdg"}},
        {"XDG_DATA_DIRS", "/d/one:share::./x:/d/two", dataDirs, {"/d/one", "/d/two"}},
        {"XDG_DATA_DIRS", "share", dataDirs, {"/usr/local/share", "/usr/share"}},
    };
    for (const auto& c : cases) {
        XdgVariables keep;
        for (const char* name : XdgVariables::kNames)
            qunsetenv(name);
        qputenv(c.variable, c.value);
        EXPECT_EQ(c.field(Environment::FromProcess()), c.expected) << c.variable << "=" << c.value;
    }
}
