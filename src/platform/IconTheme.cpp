#include "platform/IconTheme.h"

#include "platform/Environment.h"
#include "platform/FolderItem.h"
#include "platform/Jpeg.h"
#include "platform/Plugin.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QImageReader>
#include <QTextStream>
#include <gio/gio.h>
#include <memory>
#include <vector>

namespace {

QStringList DataDirs() {
    return Environment::current().DataDirs;
}

// Where themes live, in the order GTK searches them.
QStringList IconBaseDirs() {
    const Environment& env = Environment::current();
    QStringList out{env.Home + QStringLiteral("/.icons"), env.DataHome + QStringLiteral("/icons")};
    for (const QString& dir : DataDirs())
        out << dir + QStringLiteral("/icons");
    return out;
}

// Unthemed icons: the base folders themselves, then the pixmaps folders.
QStringList UnthemedDirs() {
    QStringList out = IconBaseDirs();
    for (const QString& dir : DataDirs())
        out << dir + QStringLiteral("/pixmaps");
    out << QStringLiteral("/usr/share/pixmaps");
    out.removeDuplicates();
    return out;
}

// A key-file (index.theme, settings.ini) as group -> key -> value; regular files only.
using KeyFile = QHash<QString, QHash<QString, QString>>;
KeyFile ReadKeyFile(const QString& path) {
    KeyFile out;
    if (!IsRegularFile(path))
        return out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return out;
    QTextStream in(&file);
    QString group;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) ||
            line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            group = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0)
            out[group][line.left(eq).trimmed()] = line.mid(eq + 1).trimmed();
    }
    return out;
}

struct ThemeDir {
    QString path; // relative to the theme's folder
    int size = 0, minSize = 0, maxSize = 0, scale = 1;
    enum { Fixed, Scalable, Threshold } type = Threshold;
    int threshold = 2;
};

struct Theme {
    QString name;
    QStringList roots; // every base/name folder that exists
    QStringList inherits;
    std::vector<ThemeDir> dirs;
};

std::shared_ptr<const Theme> LoadTheme(const QString& name, const QStringList& bases) {
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return {};
    auto theme = std::make_shared<Theme>();
    theme->name = name;
    KeyFile index;
    for (const QString& base : bases) {
        const QString root = base + QLatin1Char('/') + name;
        if (!QFileInfo(root).isDir())
            continue;
        theme->roots << root;
        if (index.isEmpty())
            index = ReadKeyFile(root + QStringLiteral("/index.theme"));
    }
    if (index.isEmpty())
        return {}; // not an installed theme
    const auto& head = index.value(QStringLiteral("Icon Theme"));
    theme->inherits =
        head.value(QStringLiteral("Inherits")).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QString& parent : theme->inherits)
        parent = parent.trimmed();
    QStringList dirNames =
        head.value(QStringLiteral("Directories")).split(QLatin1Char(','), Qt::SkipEmptyParts);
    dirNames +=
        head.value(QStringLiteral("ScaledDirectories")).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& raw : dirNames) {
        const QString dirName = raw.trimmed();
        const auto& group = index.value(dirName);
        ThemeDir d;
        d.path = dirName;
        d.size = group.value(QStringLiteral("Size")).toInt();
        if (d.size <= 0)
            continue;
        d.scale = qMax(1, group.value(QStringLiteral("Scale"), QStringLiteral("1")).toInt());
        d.minSize = group.value(QStringLiteral("MinSize")).toInt();
        d.maxSize = group.value(QStringLiteral("MaxSize")).toInt();
        if (d.minSize <= 0)
            d.minSize = d.size;
        if (d.maxSize <= 0)
            d.maxSize = d.size;
        d.threshold = group.value(QStringLiteral("Threshold"), QStringLiteral("2")).toInt();
        const QString type = group.value(QStringLiteral("Type"));
        if (type == QLatin1String("Fixed"))
            d.type = ThemeDir::Fixed;
        else if (type == QLatin1String("Scalable"))
            d.type = ThemeDir::Scalable;
        theme->dirs.push_back(d);
    }
    return theme;
}

// Parsed themes, kept while the folders they were read from stay the same.
std::shared_ptr<const Theme> FindTheme(const QString& name) {
    static QHash<QString, std::shared_ptr<const Theme>> cache;
    const QStringList bases = IconBaseDirs();
    const QString key = bases.join(QLatin1Char(':')) + QLatin1Char('|') + name;
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return it.value();
    auto theme = LoadTheme(name, bases);
    cache.insert(key, theme);
    return theme;
}

QString QtPlatformThemeName;
bool QtPlatformThemeKnown = false;

QString GtkSettingsIconTheme() {
    const Environment& env = Environment::current();
    QStringList folders{env.ConfigHome};
    folders += env.ConfigDirs;
    for (const QString& folder : folders) {
        QString value = ReadKeyFile(folder + QStringLiteral("/gtk-3.0/settings.ini"))
                            .value(QStringLiteral("Settings"))
                            .value(QStringLiteral("gtk-icon-theme-name"));
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

QString QtThemeName() {
    QString name = QtPlatformThemeKnown ? QtPlatformThemeName : QIcon::themeName();
    // hicolor is every theme's last resort, not a choice of the desktop.
    return name == QLatin1String("hicolor") ? QString() : name;
}

const char* const Extensions[] = {".png", ".svg", ".xpm"};

// How well a theme folder suits an icon of the given pixel size: lower is better. Folders
// that hold the size come first, then larger ones (scaled down), then smaller ones.
qint64 DirRank(const ThemeDir& d, int size) {
    const int nominal = d.size * d.scale;
    bool holds = false;
    switch (d.type) {
    case ThemeDir::Fixed:
        holds = nominal == size;
        break;
    case ThemeDir::Scalable:
        holds = d.minSize * d.scale <= size && size <= d.maxSize * d.scale;
        break;
    case ThemeDir::Threshold:
        holds =
            (d.size - d.threshold) * d.scale <= size && size <= (d.size + d.threshold) * d.scale;
        break;
    }
    const int largest = d.type == ThemeDir::Scalable ? d.maxSize * d.scale : nominal;
    const int klass = holds ? 0 : largest >= size ? 1 : 2;
    return qint64(klass) * 1000000 + qAbs(nominal - size) * 10 + (d.scale - 1);
}

QString LookupInTheme(const Theme& theme, const QString& name, int size) {
    std::vector<const ThemeDir*> dirs;
    for (const ThemeDir& d : theme.dirs)
        dirs.push_back(&d);
    std::stable_sort(dirs.begin(), dirs.end(), [size](const ThemeDir* a, const ThemeDir* b) {
        return DirRank(*a, size) < DirRank(*b, size);
    });
    for (const ThemeDir* d : dirs)
        for (const QString& root : theme.roots)
            for (const char* ext : Extensions) {
                const QString path = root + QLatin1Char('/') + d->path + QLatin1Char('/') + name +
                                     QLatin1String(ext);
                if (IsRegularFile(path))
                    return path;
            }
    return {};
}

QString LookupUnthemed(const QString& fileName, bool hasExtension) {
    for (const QString& dir : UnthemedDirs()) {
        const QString base = dir + QLatin1Char('/') + fileName;
        if (hasExtension) {
            if (IsRegularFile(base))
                return base;
            continue;
        }
        for (const char* ext : Extensions)
            if (IsRegularFile(base + QLatin1String(ext)))
                return base + QLatin1String(ext);
    }
    return {};
}

// An image file drawn to fit size x size: vector images at that size, others scaled.
QImage ReadIcon(const QString& path, int size) {
    QImageReader reader(path);
    const QSize natural = reader.size();
    const bool vector = reader.format() == "svg" || reader.format() == "svgz";
    if (vector && natural.isValid() && !natural.isEmpty())
        reader.setScaledSize(natural.scaled(size, size, Qt::KeepAspectRatio));
    else if (natural.isValid() && !Jpeg::Acceptable(natural))
        return {}; // far beyond any icon: refused, never decoded
    return FittedIcon(reader.read(), size);
}

bool HasImageExtension(const QString& name) {
    const QString suffix = QFileInfo(name).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("svg") ||
           suffix == QLatin1String("svgz") || suffix == QLatin1String("xpm");
}

} // namespace

QString GSettingsIconTheme(GSettingsSchemaSource* source, GSettingsBackend* backend) {
    // Without the schema installed, g_settings_new would abort the process.
    if (!source)
        return {};
    GSettingsSchema* schema =
        g_settings_schema_source_lookup(source, "org.gnome.desktop.interface", TRUE);
    if (!schema)
        return {};
    QString out;
    if (g_settings_schema_has_key(schema, "icon-theme")) {
        GSettings* settings = g_settings_new_full(schema, backend, nullptr);
        if (GVariant* value = g_settings_get_user_value(settings, "icon-theme")) {
            if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING))
                out = QString::fromUtf8(g_variant_get_string(value, nullptr));
            g_variant_unref(value);
        }
        g_object_unref(settings);
    }
    g_settings_schema_unref(schema);
    return out;
}

QString ConfiguredIconTheme() {
    const QString configured[] = {GSettingsIconTheme(g_settings_schema_source_get_default()),
                                  GtkSettingsIconTheme(), QtThemeName()};
    for (const QString& name : configured)
        if (FindTheme(name))
            return name;
    return {};
}

QStringList IconThemeChain() {
    QStringList chain;
    const auto add = [&chain](const auto& self, const QString& name) -> void {
        if (chain.contains(name))
            return;
        const auto theme = FindTheme(name);
        if (!theme)
            return;
        chain << name;
        for (const QString& parent : theme->inherits)
            self(self, parent);
    };
    add(add, ConfiguredIconTheme());
    add(add, QStringLiteral("Adwaita"));
    add(add, QStringLiteral("hicolor"));
    return chain;
}

void SetUpIconTheme() {
    QtPlatformThemeName = QIcon::themeName();
    QtPlatformThemeKnown = true;
    const QStringList chain = IconThemeChain();
    if (!chain.isEmpty())
        QIcon::setThemeName(chain.first());
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}

QImage ThemedIconImage(const QString& icon, int size) {
    if (icon.isEmpty() || size <= 0)
        return {};
    if (QDir::isAbsolutePath(icon))
        return IsRegularFile(icon) ? ReadIcon(icon, size) : QImage();
    // "name.png" names the themed icon "name", as GIO reads desktop entries, and the file
    // itself in the pixmaps folders.
    const bool hasExtension = HasImageExtension(icon);
    const QString name = hasExtension ? QFileInfo(icon).completeBaseName() : icon;
    if (!name.contains(QLatin1Char('/'))) {
        for (const QString& themeName : IconThemeChain()) {
            const QString path = LookupInTheme(*FindTheme(themeName), name, size);
            if (!path.isEmpty())
                if (QImage image = ReadIcon(path, size); !image.isNull())
                    return image;
        }
    }
    const QString path = LookupUnthemed(icon, hasExtension);
    return path.isEmpty() ? QImage() : ReadIcon(path, size);
}
