#include "launcher/CheckVisibleTimerWin.h"
#include "launcher/LauncherGeometry.h"
#include "launcher/LauncherWin.h"
#include "launcher/TempRunIconWin.h"
#include "platform/Desktop.h"
#include "platform/FileDrops.h"
#include "platform/Framework.h"
#include "platform/WindowSystem.h"
#include "shared/AppMedia.h"
#include "shared/GlobalModule.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QResizeEvent>

bool LauncherWin::Event_MouseDown(qint32 X, qint32 Y, bool contextualClick) {
    xx = X;
    yy = Y;
    CurrSelAppIndex = GetIndexMethod(X, Y);
    if (contextualClick)
        return false;
    MouseClickValue = true;
    AppMedia::BoardClick().Volume = 10;
    AppMedia::BoardClick().Play();
    return true;
}

void LauncherWin::Event_MouseDrag(const QPoint& globalPos) {
    // The press point stays under the pointer while the window follows it. Working from
    // the global position keeps that true while the window server catches up with a move.
    const QPoint target = m_pressWindowPos + (globalPos - m_pressGlobal);
    if (target != pos())
        move(target);
    if (globalPos != m_pressGlobal)
        MouseClickValue = false;
}

void LauncherWin::Event_MouseUp(qint32 X, qint32 Y) {
    if (!MouseClickValue)
        return;
    if (ViewTitleMenu) {
        const int PX = PrefIconXValue, PY = PrefIconYValue;
        const QPointF release(X, Y);
        if (LauncherGeometry::SettingsIconHit.translated(PX, PY).contains(release)) {
            EditLauncherWinMethod();
            return;
        }
        const QRectF plusMinus = LauncherGeometry::PlusMinusIcon.translated(PX, PY);
        if (plusMinus.contains(release)) {
            if (X <= plusMinus.center().x())
                ResizePlusMinusWinMethod(ResizeDirection::Plus);
            else
                ResizePlusMinusWinMethod(ResizeDirection::Minus);
            return;
        }
    }
    LaunchItemMethod(GetIndexMethod(X, Y));
}

void LauncherWin::LaunchItemMethod(qint32 idx) {
    if (idx < 0 || idx >= qint32(LauncherItemArr->size()))
        return;
    const std::shared_ptr<AppListClass> item = (*LauncherItemArr)[size_t(idx)];
    if (item->f.isNull() || !item->f.Exists())
        return;
    if (!myTempRunIconWin) {
        myTempRunIconWin = std::make_unique<TempRunIconWin>();
        myTempRunIconWin->SelfWin = this;
    }
    myTempRunIconWin->TempApp = item;
    myTempRunIconWin->MakeIconMethod();
    const LaunchResult r = item->f.Launch(true);
    if (!r.ok) {
        GlobalModule::MsgBox(
            GlobalModule::IsKorean()
                ? QStringLiteral("\"%1\" 을(를) 열 수 없습니다.\n%2").arg(item->AppName, r.error)
                : QStringLiteral("\"%1\" could not be opened.\n%2").arg(item->AppName, r.error));
    }
}

void LauncherWin::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    // Only the secondary button asks for the menu: Control may be part of the activation key,
    // which is held during every click, so a Control-click must stay a plain click.
    const bool contextual = event->button() == Qt::RightButton;
    if (event->button() != Qt::LeftButton && !contextual)
        return;
    // The removal's menu action has not ended until its animation has played.
    if (RemovalPlaying())
        return;
    if (!Event_MouseDown(p.x(), p.y(), contextual)) {
        // The menu opens at the release: the release of the click that opens a menu can
        // never land on one of its commands and choose it.
        m_pressed = false;
        m_contextPress = true;
        return;
    }
    m_contextPress = false;
    m_pressed = true;
    m_placeBeforeOwnHide.reset(); // from now on the person places the window
    m_pressGlobal = event->globalPosition().toPoint();
    m_pressWindowPos = pos();
}

void LauncherWin::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressed && (event->buttons() & Qt::LeftButton))
        Event_MouseDrag(event->globalPosition().toPoint());
}

void LauncherWin::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && std::exchange(m_contextPress, false)) {
        openContextualMenu(event->globalPosition().toPoint());
        return;
    }
    if (!m_pressed || event->button() != Qt::LeftButton)
        return;
    m_pressed = false;
    const QPoint p = event->position().toPoint();
    Event_MouseUp(p.x(), p.y());
}

void LauncherWin::openContextualMenu(const QPoint& globalPos) {
    // A menu that pops up and returns at once. It deletes itself when it closes, so the
    // chosen caption is dispatched from the event loop, after the menu's own handling of
    // the click has unwound: no action runs under a menu that may be deleted.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    Event_ConstructContextualMenu(menu);
    connect(menu, &QMenu::triggered, this, [this](QAction* action) {
        QMetaObject::invokeMethod(
            this,
            [this, caption = action->data().toString()] { Event_ContextualMenuAction(caption); },
            Qt::QueuedConnection);
    });
    menu->popup(globalPos);
}

void LauncherWin::moveEvent(QMoveEvent* event) {
    // Our own moves are the person's (the drag) unless they put the window where we keep it;
    // a place the window system reports is checked first, since a notification around a Show
    // can carry a place the window no longer has.
    if (event->spontaneous()) {
        if (correctReportedGeometry(true))
            return;
        // The window manager's place (a frame's offset at a map) is not the person's; one it
        // reports while the person holds a button, outside our own drag, is.
        if (m_pressed || !WindowSystem::instance().pointerButtonHeld())
            m_placedAt = pos();
    }
    m_ownGeometry = geometry();
    ResizeWinSizeWriteMethod();
}

bool LauncherWin::correctReportedGeometry(bool moveReport) {
    // Until the window manager has taken up our Show, the server still has the window as it
    // was before (at first, where the native window was made): a report then, such as the
    // answer to the raise that comes with every Show, carries that, and what we asked for
    // stands. Once it is mapped, the server's own answer holds (a person may move the window
    // with the window manager), except that after our own Show the window stays where it was
    // before the Hide. Where the server cannot be asked, a report of the place we keep anyway
    // leaves that place kept for the report still to come.
    const std::optional<WindowOnServer> server = WindowSystem::instance().serverState(this);
    std::optional<QRect> wanted;
    if (server && !server->mapped && isVisible() && m_ownGeometry.isValid())
        wanted = m_ownGeometry;
    else if (moveReport && m_placeBeforeOwnHide && (server || pos() != *m_placeBeforeOwnHide))
        wanted = QRect(*std::exchange(m_placeBeforeOwnHide, std::nullopt),
                       server ? server->geometry.size() : size());
    else if (server)
        wanted = server->geometry;
    if (!wanted || *wanted == geometry())
        return false;
    setGeometry(*wanted); // composed and stored by the events this sends
    return true;
}

void LauncherWin::showEvent(QShowEvent* event) {
    // Every show asks for the same place, the stored one kept on a screen: a window manager
    // that offsets the window at each map does not make it creep across the screen.
    takePersonsPlace();
    const QPoint at =
        LauncherGeometry::PlacedOnScreen(QRect(m_place.topLeft, size()), ScreenRects());
    if (at != m_place.topLeft || m_placedAt)
        m_placedAt = at; // before the move, whose event tells it from the person's
    if (at != pos())
        move(at);
    // What the window is shown with is ours, whatever a report from before the Show says.
    m_ownGeometry = geometry();
    ImageWindow::showEvent(event);
    CheckVisibleTimerWin::instance()->LauncherWinShown();
}

void LauncherWin::hideEvent(QHideEvent* event) {
    // Only our own Hide-compose-Show keeps the place across the re-mapping.
    m_placeBeforeOwnHide.reset();
    ImageWindow::hideEvent(event);
}

void LauncherWin::resizeEvent(QResizeEvent* event) {
    if (event->spontaneous()) {
        if (correctReportedGeometry(false))
            return;
        if (m_pressed || !WindowSystem::instance().pointerButtonHeld())
            m_placedWidth = Width();
    }
    m_ownGeometry = geometry();
    // Only a size the composition did not make is a live-resize step.
    if (!m_composing && event->size() != m_composedSize)
        MakeAppImageMethod();
    ResizeWinSizeWriteMethod();
}

void LauncherWin::dragEnterEvent(QDragEnterEvent* event) {
    if (!AcceptFileDropAsCopy(event))
        event->ignore();
}

void LauncherWin::dragMoveEvent(QDragMoveEvent* event) {
    if (!AcceptFileDropAsCopy(event))
        event->ignore();
}

void LauncherWin::dropEvent(QDropEvent* event) {
    if (!AcceptFileDropAsCopy(event)) {
        event->ignore();
        return;
    }
    std::vector<FolderItem> files;
    for (const QString& path : DroppedLocalPaths(event->mimeData())) {
        FolderItem f(path);
        if (f.Exists())
            files.push_back(std::move(f));
    }
    DropAppsMethod(std::move(files));
}
