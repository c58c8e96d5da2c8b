#include "app/MenuBar1.h"

#include "shared/GlobalModule.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTextEdit>

MenuBar1* MenuBar1::instance() {
    static MenuBar1* bar = [] {
        auto* b = new MenuBar1;
        b->setParent(qApp); // lives as long as the application
        return b;
    }();
    return bar;
}

MenuBar1::MenuBar1() {
    Untitled0();
    Untitled1();
}

QAction* MenuBar1::add(QMenu* menu, const QString& name, const QString& caption,
                       const QString& shortcut) {
    QAction* a = caption == QLatin1String("-") ? menu->addSeparator() : menu->addAction(caption);
    a->setObjectName(name);
    if (!shortcut.isEmpty())
        a->setShortcut(QKeySequence(shortcut));
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
}

void MenuBar1::Untitled0() {
    QMenu* file = m_bar.addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("FileMenu"));
    file->menuAction()->setObjectName(QStringLiteral("FileMenu"));
    add(file, QStringLiteral("NewMenu"), QStringLiteral("New LauncherWindow"),
        QStringLiteral("Ctrl+N"));
    add(file, QStringLiteral("UntitledItem1"), QStringLiteral("-"), {});
    add(file, QStringLiteral("CloseMenu"), QStringLiteral("Close Window"),
        QStringLiteral("Ctrl+W"));
    add(file, QStringLiteral("UntitledSeparator"), QStringLiteral("-"), {});
    QAction* quit =
        add(file, QStringLiteral("FileQuit"), QStringLiteral("&Quit"), QStringLiteral("Ctrl+Q"));
    quit->setMenuRole(QAction::QuitRole);
    connect(
        quit, &QAction::triggered, this, [] { GlobalModule::Quit(0); }, Qt::QueuedConnection);
    add(file, QStringLiteral("AboutMenu"), QStringLiteral("About Vondrelaskit..."), {})
        ->setMenuRole(QAction::AboutRole);
    add(file, QStringLiteral("PrefMenu"), QStringLiteral("Preferences..."), {})
        ->setMenuRole(QAction::PreferencesRole);
}

namespace {
// The Edit items are the standard commands of the focused text field.
template <typename LineEditFn, typename TextEditFn>
void onFocusedText(LineEditFn line, TextEditFn text) {
    QWidget* w = QApplication::focusWidget();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        line(e);
    else if (auto* t = qobject_cast<QTextEdit*>(w))
        text(t);
}
} // namespace

void MenuBar1::Untitled1() {
    QMenu* edit = m_bar.addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    edit->menuAction()->setObjectName(QStringLiteral("EditMenu"));
    connect(
        add(edit, QStringLiteral("EditUndo"), QStringLiteral("&Undo"), QStringLiteral("Ctrl+Z")),
        &QAction::triggered, this,
        [] { onFocusedText([](QLineEdit* e) { e->undo(); }, [](QTextEdit* t) { t->undo(); }); });
    add(edit, QStringLiteral("UntitledMenu1"), QStringLiteral("-"), {});
    connect(add(edit, QStringLiteral("EditCut"), QStringLiteral("Cu&t"), QStringLiteral("Ctrl+X")),
            &QAction::triggered, this,
            [] { onFocusedText([](QLineEdit* e) { e->cut(); }, [](QTextEdit* t) { t->cut(); }); });
    connect(
        add(edit, QStringLiteral("EditCopy"), QStringLiteral("&Copy"), QStringLiteral("Ctrl+C")),
        &QAction::triggered, this,
        [] { onFocusedText([](QLineEdit* e) { e->copy(); }, [](QTextEdit* t) { t->copy(); }); });
    connect(
        add(edit, QStringLiteral("EditPaste"), QStringLiteral("&Paste"), QStringLiteral("Ctrl+V")),
        &QAction::triggered, this,
        [] { onFocusedText([](QLineEdit* e) { e->paste(); }, [](QTextEdit* t) { t->paste(); }); });
    connect(add(edit, QStringLiteral("EditClear"), QStringLiteral("&Delete"), {}),
            &QAction::triggered, this, [] {
                onFocusedText([](QLineEdit* e) { e->del(); },
                              [](QTextEdit* t) { t->textCursor().removeSelectedText(); });
            });
    add(edit, QStringLiteral("UntitledMenu0"), QStringLiteral("-"), {});
    connect(add(edit, QStringLiteral("EditSelectAll"), QStringLiteral("Select &All"),
                QStringLiteral("Ctrl+A")),
            &QAction::triggered, this, [] {
                onFocusedText([](QLineEdit* e) { e->selectAll(); },
                              [](QTextEdit* t) { t->selectAll(); });
            });
}

QAction* MenuBar1::item(const QString& name) const {
    for (QAction* a : m_bar.findChildren<QAction*>())
        if (a->objectName() == name)
            return a;
    return nullptr;
}

void MenuBar1::installShortcuts(QWidget* window) {
    for (const char* name : {"NewMenu", "CloseMenu", "FileQuit"})
        if (QAction* a = item(QLatin1String(name)))
            window->addAction(a);
}

namespace MenuItems {
QAction* NewMenu() {
    return MenuBar1::instance()->item(QStringLiteral("NewMenu"));
}
QAction* CloseMenu() {
    return MenuBar1::instance()->item(QStringLiteral("CloseMenu"));
}
QAction* AboutMenu() {
    return MenuBar1::instance()->item(QStringLiteral("AboutMenu"));
}
QAction* PrefMenu() {
    return MenuBar1::instance()->item(QStringLiteral("PrefMenu"));
}
} // namespace MenuItems
