#include "TestSupport.h"

#include "platform/IconTheme.h"
#include "platform/ItemIcons.h"
#include "platform/Scaling.h"
#include "store/IconHelpers.h"

#include <QDir>
#include <QIcon>
#include <QImageReader>
#include <QProcess>
#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>
#include <sys/stat.h>

namespace {

// Fixture icon themes under $XDG_DATA_DIRS/icons, written out in each test.
class IconThemeTest : public AppTest {
protected:
    QString dataDir() const { return scratch(QStringLiteral("data")); }

    // A theme whose folders are given as "48x48/apps:48:Fixed" (path, size, type).
    void writeTheme(const QString& name, const QString& inherits, const QStringList& dirs) {
        QString index = QStringLiteral("[Icon Theme]\nName=%1\n").arg(name);
        if (!inherits.isEmpty())
            index += QStringLiteral("Inherits=%1\n").arg(inherits);
        QStringList paths;
        QString groups;
        for (const QString& d : dirs) {
            const QStringList f = d.split(QLatin1Char(':'));
            paths << f[0];
            groups += QStringLiteral("\n[%1]\nSize=%2\nType=%3\n").arg(f[0], f[1], f[2]);
            if (f[2] == QLatin1String("Scalable"))
                groups += QStringLiteral("MinSize=8\nMaxSize=512\n");
        }
        index += QStringLiteral("Directories=%1\n").arg(paths.join(QLatin1Char(','))) + groups;
        writeFile(themeDir(name) + QStringLiteral("/index.theme"), index.toUtf8());
    }
    QString themeDir(const QString& name) const {
        return dataDir() + QStringLiteral("/icons/") + name;
    }
    void writeIcon(const QString& theme, const QString& dir, const QString& name, int size,
                   QColor color) {
        writePng(themeDir(theme) + QLatin1Char('/') + dir + QLatin1Char('/') + name +
                     QStringLiteral(".png"),
                 size, size, color);
    }
    void configureGtkTheme(const QString& name) {
        writeFile(configDir() + QStringLiteral("/gtk-3.0/settings.ini"),
                  QStringLiteral("[Settings]\ngtk-icon-theme-name=%1\n").arg(name).toUtf8());
    }
    // The colour in the middle of the icon a desktop entry with this Icon value gets.
    QRgb entryIconColour(const QString& icon) {
        const QString path = writeDesktopEntry(
            QStringLiteral("probe.desktop"),
            QStringLiteral("[Desktop Entry]\nType=Application\nName=Probe\nExec=/bin/true\n"
                           "Icon=%1\n")
                .arg(icon));
        const QImage image = IconImageMBS(FolderItem(path), 128);
        EXPECT_EQ(image.size(), QSize(128, 128));
        EXPECT_EQ(image.devicePixelRatio(), 1.0);
        if (image.isNull())
            return 0;
        // The fixture icons are solid squares: drawn right, they fill the whole picture.
        EXPECT_EQ(pixelAt(image, 1, 1), pixelAt(image, 64, 64));
        EXPECT_EQ(pixelAt(image, 126, 126), pixelAt(image, 64, 64));
        return pixelAt(image, 64, 64);
    }

    void writeStandardThemes() {
        writeTheme(QStringLiteral("Fixture"), QStringLiteral("Parent"),
                   {QStringLiteral("48x48/apps:48:Fixed")});
        writeTheme(QStringLiteral("Parent"), {}, {QStringLiteral("48x48/apps:48:Fixed")});
        writeTheme(QStringLiteral("Adwaita"), {}, {QStringLiteral("48x48/apps:48:Fixed")});
        writeTheme(QStringLiteral("hicolor"), {}, {QStringLiteral("48x48/apps:48:Threshold")});
        const struct {
            const char* theme;
            const char* icon;
            QColor colour;
        } icons[] = {
            {"Fixture", "configured-only", Qt::green},
            {"Fixture", "everywhere", Qt::green},
            {"Parent", "inherited-only", Qt::blue},
            {"Adwaita", "adwaita-only", Qt::red},
            {"Adwaita", "everywhere", Qt::red},
            {"hicolor", "hicolor-only", Qt::yellow},
            {"hicolor", "everywhere", Qt::yellow},
            // The generic icon of an application.
            {"hicolor", "application-x-executable", Qt::darkCyan},
        };
        for (const auto& i : icons)
            writeIcon(QLatin1String(i.theme), QStringLiteral("48x48/apps"), QLatin1String(i.icon),
                      48, i.colour);
        writePng(dataDir() + QStringLiteral("/pixmaps/unthemed.png"), 32, 32, Qt::magenta);
    }
};

TEST_F(IconThemeTest, ConfiguredThemeThenItsParentsThenAdwaitaThenHicolor) {
    writeStandardThemes();
    configureGtkTheme(QStringLiteral("Fixture"));
    EXPECT_EQ(ConfiguredIconTheme(), QStringLiteral("Fixture"));
    EXPECT_EQ(IconThemeChain(),
              (QStringList{QStringLiteral("Fixture"), QStringLiteral("Parent"),
                           QStringLiteral("Adwaita"), QStringLiteral("hicolor")}));
    const QString file = writePng(scratch(QStringLiteral("own.png")), 16, 16, Qt::gray);
    const struct {
        QString icon;
        QRgb colour;
    } cases[] = {
        {QStringLiteral("configured-only"), qRgb(0, 255, 0)},
        {QStringLiteral("inherited-only"), qRgb(0, 0, 255)},
        {QStringLiteral("adwaita-only"), qRgb(255, 0, 0)},
        {QStringLiteral("hicolor-only"), qRgb(255, 255, 0)},
        {QStringLiteral("everywhere"), qRgb(0, 255, 0)}, // the configured theme wins
        {QStringLiteral("unthemed"), QColor(Qt::magenta).rgb()},
        {QStringLiteral("configured-only.png"), qRgb(0, 255, 0)}, // extension dropped
        {QStringLiteral("unthemed.png"), QColor(Qt::magenta).rgb()},
        {file, QColor(Qt::gray).rgb()},
        {QStringLiteral("no-such-icon"), QColor(Qt::darkCyan).rgb()}, // the generic icon
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.icon.toStdString());
        EXPECT_EQ(entryIconColour(c.icon), c.colour);
    }
}

TEST_F(IconThemeTest, AdwaitaServesWhenNoThemeIsConfigured) {
    writeStandardThemes();
    EXPECT_FALSE(IconThemeChain().contains(QStringLiteral("Fixture")));
    EXPECT_EQ(entryIconColour(QStringLiteral("adwaita-only")), qRgb(255, 0, 0));
    EXPECT_EQ(entryIconColour(QStringLiteral("everywhere")), qRgb(255, 0, 0));
    EXPECT_EQ(entryIconColour(QStringLiteral("configured-only")), QColor(Qt::darkCyan).rgb());
}

TEST_F(IconThemeTest, AConfiguredThemeThatIsNotInstalledIsPassedOver) {
    writeStandardThemes();
    configureGtkTheme(QStringLiteral("Missing"));
    EXPECT_NE(ConfiguredIconTheme(), QStringLiteral("Missing"));
    EXPECT_EQ(entryIconColour(QStringLiteral("adwaita-only")), qRgb(255, 0, 0));
}

TEST_F(IconThemeTest, TakesTheBestSizeTheThemeHas) {
    configureGtkTheme(QStringLiteral("Sizes"));
    writeTheme(QStringLiteral("Sizes"), {},
               {QStringLiteral("32x32/apps:32:Fixed"), QStringLiteral("64x64/apps:64:Fixed"),
                QStringLiteral("128x128/apps:128:Fixed"),
                QStringLiteral("256x256/apps:256:Fixed")});
    const struct {
        QStringList sizes; // folders holding the icon, each in its own colour
        int expected;
    } cases[] = {
        {{QStringLiteral("32"), QStringLiteral("128"), QStringLiteral("256")}, 128},
        {{QStringLiteral("32"), QStringLiteral("64"), QStringLiteral("256")}, 256},
        {{QStringLiteral("32"), QStringLiteral("64")}, 64},
    };
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    const auto colourOf = [&](int size) {
        return colours[size == 32 ? 0 : size == 64 ? 1 : size == 128 ? 2 : 3];
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString name = QStringLiteral("app%1").arg(n++);
        SCOPED_TRACE(name.toStdString());
        for (const QString& s : c.sizes)
            writeIcon(QStringLiteral("Sizes"), s + QLatin1Char('x') + s + QStringLiteral("/apps"),
                      name, s.toInt(), colourOf(s.toInt()));
        EXPECT_EQ(entryIconColour(name), colourOf(c.expected).rgb());
    }
}

TEST_F(IconThemeTest, ScalableThemesDraw) {
    ASSERT_TRUE(QImageReader::supportedImageFormats().contains("svg"));
    configureGtkTheme(QStringLiteral("Vector"));
    writeTheme(QStringLiteral("Vector"), {}, {QStringLiteral("scalable/apps:48:Scalable")});
    writeFile(themeDir(QStringLiteral("Vector")) + QStringLiteral("/scalable/apps/drawn.svg"),
              "<svg xmlns='http://www.w3.org/2000/svg' width='48' height='48'>"
              "<rect x='4' y='4' width='40' height='40' fill='#0000ff'/></svg>");
    const QString path = writeDesktopEntry(
        QStringLiteral("drawn.desktop"),
        QStringLiteral("[Desktop Entry]\nType=Application\nName=D\nExec=/bin/true\nIcon=drawn\n"));
    const QImage image = IconImageMBS(FolderItem(path), 128);
    ASSERT_EQ(image.size(), QSize(128, 128));
    // Drawn at 128: the square reaches from 4/48 to 44/48 of the edge, crisp at its corner.
    EXPECT_EQ(pixelAt(image, 64, 64), qRgb(0, 0, 255));
    EXPECT_EQ(pixelAt(image, 12, 12), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(pixelAt(image, 9, 9)), 0);
    // Qt's own icons (the file-type fallbacks) draw SVG themes too: the icon engine loads.
    const QImage viaQIcon =
        QIcon(themeDir(QStringLiteral("Vector")) + QStringLiteral("/scalable/apps/drawn.svg"))
            .pixmap(QSize(48, 48), 1.0)
            .toImage();
    ASSERT_EQ(viaQIcon.size(), QSize(48, 48));
    EXPECT_EQ(pixelAt(viaQIcon, 24, 24), qRgb(0, 0, 255));
}

TEST_F(IconThemeTest, AnIconPathNamingAFifoIsSkipped) {
    writeStandardThemes();
    const QString fifo = scratch(QStringLiteral("icon.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(entryIconColour(fifo), QColor(Qt::darkCyan).rgb()); // and nothing blocks
}

TEST_F(IconThemeTest, LookupsAreKeptUntilTheThemeSettingChanges) {
    writeStandardThemes();
    configureGtkTheme(QStringLiteral("Fixture"));
    EXPECT_EQ(IconThemeChain().value(0), QStringLiteral("Fixture"));
    // A name no theme has: searched once, and the miss is kept.
    const IconLookupCounts before = IconLookupCountsSoFar();
    EXPECT_TRUE(ThemedIconImage(QStringLiteral("late-icon"), 128).isNull());
    EXPECT_TRUE(ThemedIconImage(QStringLiteral("late-icon"), 128).isNull());
    EXPECT_EQ(IconLookupCountsSoFar().searches - before.searches, 1);
    // Installed, then the desktop switches theme: the change is noticed and the icon found.
    writeIcon(QStringLiteral("Parent"), QStringLiteral("48x48/apps"), QStringLiteral("late-icon"),
              48, Qt::blue);
    configureGtkTheme(QStringLiteral("Parent"));
    EXPECT_EQ(IconThemeChain().value(0), QStringLiteral("Parent"));
    EXPECT_EQ(entryIconColour(QStringLiteral("late-icon")), qRgb(0, 0, 255));
}

TEST_F(IconThemeTest, EachDistinctIconIsLookedUpAndDecodedOnce) {
    writeStandardThemes();
    configureGtkTheme(QStringLiteral("Fixture"));
    // Ten entries naming two icons: each icon serves all that name it.
    const IconLookupCounts before = IconLookupCountsSoFar();
    for (int i = 0; i < 10; ++i) {
        const QString entry = writeDesktopEntry(
            QStringLiteral("app%1.desktop").arg(i),
            QStringLiteral("[Desktop Entry]\nType=Application\nName=A\nExec=/bin/true\nIcon=%1\n")
                .arg(QLatin1String(i % 2 ? "adwaita-only" : "inherited-only")));
        // The picture and its mask from one lookup, the same as asked for apart.
        const IconAndMask both = IconAndMaskMBS(FolderItem(entry), 128);
        EXPECT_EQ(pixelAt(both.icon, 64, 64), i % 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
        EXPECT_EQ(both.mask, IconMaskMBS(FolderItem(entry), 128));
    }
    const IconLookupCounts after = IconLookupCountsSoFar();
    EXPECT_EQ(after.searches - before.searches, 2);
    EXPECT_EQ(after.decodes - before.decodes, 2);
}

TEST_F(IconThemeTest, ItemsWithoutAThemedIconStillFillTheirSquare) {
    // No theme at all: the platform's generic file icon, taken at 128 real pixels.
    const QString file = scratch(QStringLiteral("notes.txt"));
    writeFile(file, "text\n");
    const QImage image = IconImageMBS(FolderItem(file), 128);
    ASSERT_EQ(image.size(), QSize(128, 128));
    EXPECT_EQ(image.devicePixelRatio(), 1.0);
    QRect drawn;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            if (qAlpha(pixelAt(image, x, y)) > 0)
                drawn |= QRect(x, y, 1, 1);
    EXPECT_GT(drawn.width(), 64);
    EXPECT_GT(drawn.height(), 64);
}

TEST_F(IconThemeTest, ShrinkingAveragesEveryPixel) {
    // Thin black lines every fourth column: shrunk 4 times, each pixel covers one line and
    // three white columns. Sampling between pixels would lose the lines altogether.
    QImage lines(128, 128, QImage::Format_RGB32);
    lines.fill(Qt::white);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; x += 4)
            lines.setPixel(x, y, qRgb(0, 0, 0));
    const QImage direct = SmoothScaled(lines, QSize(32, 32));
    const MaskedPicture fitted =
        GlobalModule::GetImageFreeSizeMethod(lines, 32, 32, QStringLiteral("icon"));
    for (const QImage& image : {direct, fitted.image}) {
        ASSERT_EQ(image.size(), QSize(32, 32));
        int wrong = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (qAbs(qGreen(pixelAt(image, x, y)) - 191) > 3)
                    ++wrong;
        EXPECT_EQ(wrong, 0);
    }
}

} // namespace

namespace {

// GSettings read from a fixture schema and a key-file backend, never the machine's own.
class GSettingsIconThemeTest : public AppTest {
protected:
    GSettingsSchemaSource* compileSchema(const QString& id) {
        const QString folder = scratch(QStringLiteral("schemas-") + id);
        writeFile(folder + QStringLiteral("/fixture.gschema.xml"),
                  QStringLiteral("<schemalist><schema id='%1' path='/org/gnome/desktop/interface/'>"
                                 "<key name='icon-theme' type='s'><default>'Adwaita'</default>"
                                 "</key></schema></schemalist>")
                      .arg(id)
                      .toUtf8());
        QProcess compile;
        compile.start(QStringLiteral("glib-compile-schemas"), {folder});
        EXPECT_TRUE(compile.waitForFinished(30000));
        EXPECT_EQ(compile.exitCode(), 0) << compile.readAllStandardError().toStdString();
        GSettingsSchemaSource* source = g_settings_schema_source_new_from_directory(
            QFile::encodeName(folder).constData(), nullptr, FALSE, nullptr);
        EXPECT_NE(source, nullptr);
        return source;
    }
    GSettingsBackend* keyFile(const QByteArray& text) {
        const QString path = scratch(QStringLiteral("keyfile"));
        writeFile(path, text);
        return g_keyfile_settings_backend_new(QFile::encodeName(path).constData(), "/", nullptr);
    }
};

TEST_F(GSettingsIconThemeTest, OnlyAValueSetInAnInstalledSchemaCounts) {
    GSettingsSchemaSource* schema = compileSchema(QStringLiteral("org.gnome.desktop.interface"));
    GSettingsSchemaSource* other = compileSchema(QStringLiteral("org.example.other"));
    const QByteArray set = "[org/gnome/desktop/interface]\nicon-theme='Papirus'\n";
    const struct {
        const char* what;
        GSettingsSchemaSource* source;
        QByteArray keyFile;
        QString expected;
    } cases[] = {
        {"set", schema, set, QStringLiteral("Papirus")},
        {"only the schema's default", schema, "", QString()},
        {"schema not installed", other, set, QString()},
        {"no schemas at all", nullptr, set, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GSettingsBackend* backend = keyFile(c.keyFile);
        EXPECT_EQ(GSettingsIconTheme(c.source, backend), c.expected);
        g_object_unref(backend);
    }
    g_settings_schema_source_unref(schema);
    g_settings_schema_source_unref(other);
}

} // namespace
