#include "platform/IconTheme.h"

#include "platform/Environment.h"
#include "platform/FolderItem.h"
#include "platform/Jpeg.h"
#include "platform/Scaling.h"

#include <QCache>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QImageReader>
#include <QTextStream>
#include <gio/gio.h>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/stat.h>
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
    // Looked up from the pool's threads too (a drop's icons).
    static std::mutex lock;
    static QHash<QString, std::shared_ptr<const Theme>> cache;
    const QStringList bases = IconBaseDirs();
    const QString key = bases.join(QLatin1Char(':')) + QLatin1Char('|') + name;
    const std::lock_guard held(lock);
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

// A file's identity for the decoded-icon cache: a file rewritten in place is read again.
QString FileStamp(const QString& path) {
    struct stat st {};
    if (::stat(NativePath(path).constData(), &st) != 0)
        return {};
    return QStringLiteral("%1.%2.%3.%4")
        .arg(qint64(st.st_ino))
        .arg(qint64(st.st_size))
        .arg(qint64(st.st_mtim.tv_sec))
        .arg(qint64(st.st_mtim.tv_nsec));
}

// What the lookups depend on: the folders themes live in, and the theme the desktop
// configures. The GSettings value is read through one settings object kept for the
// process (making one per icon costs more than the lookup); settings.ini by its identity.
QString ThemeSettingStamp() {
    static GSettings* settings = []() -> GSettings* {
        GSettingsSchemaSource* source = g_settings_schema_source_get_default();
        if (!source)
            return nullptr;
        GSettingsSchema* schema =
            g_settings_schema_source_lookup(source, "org.gnome.desktop.interface", TRUE);
        if (!schema)
            return nullptr;
        GSettings* made = g_settings_schema_has_key(schema, "icon-theme")
                              ? g_settings_new_full(schema, nullptr, nullptr)
                              : nullptr;
        g_settings_schema_unref(schema);
        return made;
    }();
    QString stamp = IconBaseDirs().join(QLatin1Char(':')) + QLatin1Char('|') +
                    UnthemedDirs().join(QLatin1Char(':')) + QLatin1Char('|') + QtThemeName();
    if (settings) {
        if (GVariant* value = g_settings_get_user_value(settings, "icon-theme")) {
            if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING))
                stamp += QLatin1Char('|') + QString::fromUtf8(g_variant_get_string(value, nullptr));
            g_variant_unref(value);
        }
    }
    const Environment& env = Environment::current();
    for (const QString& folder : QStringList{env.ConfigHome} + env.ConfigDirs)
        stamp += QLatin1Char('|') + FileStamp(folder + QStringLiteral("/gtk-3.0/settings.ini"));
    return stamp;
}

// Lookups kept while the theme setting stays the same: the chain, and each name's file
// (a miss too). Decoded icons are kept by file identity within a budget.
struct IconCaches {
    std::mutex lock;
    QString stamp;
    bool chainKnown = false;
    QStringList chain;
    QHash<QString, QString> files;              // "size|icon" -> the file drawn, empty for none
    QCache<QString, QImage> decoded{16 * 1024}; // cost in KiB
    IconLookupCounts counts;
};

IconCaches& Caches() {
    static IconCaches caches;
    return caches;
}

// Brings the caches up to date with the theme setting; called with the lock held.
void RefreshLocked(IconCaches& c) {
    QString stamp = ThemeSettingStamp();
    if (stamp == c.stamp)
        return;
    c.stamp = std::move(stamp);
    c.chainKnown = false;
    c.chain.clear();
    c.files.clear();
}

QStringList ComputeThemeChain();

QStringList ChainLocked(IconCaches& c) {
    if (!c.chainKnown) {
        c.chain = ComputeThemeChain();
        c.chainKnown = true;
    }
    return c.chain;
}

// An icon file drawn at size, decoded once while the file stays the same.
QImage CachedReadIcon(const QString& path, int size) {
    IconCaches& c = Caches();
    const QString key =
        QString::number(size) + QLatin1Char('|') + FileStamp(path) + QLatin1Char('|') + path;
    {
        const std::lock_guard lock(c.lock);
        if (const QImage* hit = c.decoded.object(key))
            return *hit;
    }
    QImage image = ReadIcon(path, size);
    const std::lock_guard lock(c.lock);
    ++c.counts.decodes;
    if (!image.isNull())
        c.decoded.insert(key, new QImage(image), qMax<qsizetype>(1, image.sizeInBytes() / 1024));
    return image;
}

// The file an Icon value names, searched through the chain and the unthemed folders; empty
// when none draws.
QString SearchIconFile(const QStringList& chain, const QString& icon, int size) {
    const bool hasExtension = HasImageExtension(icon);
    const QString name = hasExtension ? QFileInfo(icon).completeBaseName() : icon;
    if (!name.contains(QLatin1Char('/'))) {
        for (const QString& themeName : chain) {
            const auto theme = FindTheme(themeName);
            if (!theme)
                continue;
            const QString path = LookupInTheme(*theme, name, size);
            if (!path.isEmpty() && !CachedReadIcon(path, size).isNull())
                return path;
        }
    }
    const QString path = LookupUnthemed(icon, hasExtension);
    return !path.isEmpty() && !CachedReadIcon(path, size).isNull() ? path : QString();
}

} // namespace

IconLookupCounts IconLookupCountsSoFar() {
    IconCaches& c = Caches();
    const std::lock_guard lock(c.lock);
    return c.counts;
}

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
    IconCaches& c = Caches();
    const std::lock_guard lock(c.lock);
    RefreshLocked(c);
    return ChainLocked(c);
}

namespace {
QStringList ComputeThemeChain() {
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
} // namespace

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
        return IsRegularFile(icon) ? CachedReadIcon(icon, size) : QImage();
    IconCaches& c = Caches();
    const QString key = QString::number(size) + QLatin1Char('|') + icon;
    std::optional<QString> known;
    {
        const std::lock_guard lock(c.lock);
        RefreshLocked(c);
        const auto hit = c.files.constFind(key);
        if (hit != c.files.constEnd())
            known = *hit;
    }
    if (known) {
        if (known->isEmpty())
            return {};
        // A file removed since is searched for again.
        if (QImage image = CachedReadIcon(*known, size); !image.isNull())
            return image;
    }
    QStringList chain;
    {
        const std::lock_guard lock(c.lock);
        chain = ChainLocked(c);
        ++c.counts.searches;
    }
    // "name.png" names the themed icon "name", as GIO reads desktop entries, and the file
    // itself in the pixmaps folders.
    const QString path = SearchIconFile(chain, icon, size);
    {
        const std::lock_guard lock(c.lock);
        c.files.insert(key, path);
    }
    return path.isEmpty() ? QImage() : CachedReadIcon(path, size);
}
