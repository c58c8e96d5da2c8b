#pragma once

#include "launcher/LauncherComposition.h"
#include "platform/ImageWindow.h"
#include "store/AppListModel.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class Database;
class QMenu;
class QAction;
class TempRunIconWin;
class QTimer;
class RemovalAnimation;
class LauncherDrops;

// The two ways ResizePlusMinusWinMethod resizes a window.
namespace ResizeDirection {
inline const QString Plus = QStringLiteral("plus");
inline const QString Minus = QStringLiteral("minus");
} // namespace ResizeDirection

// A launcher window: a frameless, floating, translucent window that paints the icons (and
// names) of its items in a wrapping grid under an optional title band, over an optional
// rounded backpanel. It has no child widgets: everything it shows is one composed image.
class LauncherWin : public ImageWindow {
    Q_OBJECT

public:
    LauncherWin();
    ~LauncherWin() override;

    // Settings, mirroring the window's row of LauncherWinList.
    qint32 IconSize = 48;
    qint32 TitleTextSize = 12;
    QString LauncherWinName;
    qint64 WinColor = 0;
    qint64 LauncherWinUID = 0;
    bool ViewName = true;
    bool ViewBackPanel = true;
    bool ViewTitleMenu = true;
    qint32 TransparentValue = 0;

    // Input state.
    qint32 xx = 0, yy = 0;
    bool MouseClickValue = false;
    qint32 CurrSelAppIndex = 0;

    // The items, in display order, owned by the window; what changes them announces it
    // through the model (an editor open on the window follows them). The editor edits a copy.
    AppListModel* const LauncherItemArr = new AppListModel(this);

    // Layout and composition results.
    QImage pic; // the composed image; null until the first composition
    qint32 LimitWidthCount = 0;
    qint32 SpaceForIconSizeValue = 0;
    qint32 AppNameTextSize = 0;
    qint32 PrefIconXValue = 0;
    qint32 PrefIconYValue = 0;
    qint32 TitleNameStringWidth = 0;

    std::unique_ptr<TempRunIconWin> myTempRunIconWin;

    // The window's screen geometry under the names the rest of the system uses.
    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void setLeft(int left) { move(left, y()); }
    void setTop(int top) { move(x(), top); }
    void setWidth(int w) { resizeInPlace(w, height()); }
    void setHeight(int h) { resizeInPlace(width(), h); }

    // Geometry.
    void SpaceForIconSizeValueSelectMethod();
    qint32 CheckHeightMethod();
    qint32 GetIndexMethod(qint32 X, qint32 Y) const;

    // Composition and painting.
    void MakeAppImageMethod();
    // What the composition is given, from the window's settings alone (so that the loading
    // can compose on another thread), and what the window takes from it, on its own thread.
    // Taking the input settles the icon spacing and hands over the window's last picture for
    // reuse, so the window has no picture until TakeComposition.
    // shape: the window's shape is made with the picture (no compositor runs); screenWidth:
    // the main screen's width, which a long title is cut short to keep within.
    LauncherComposition::Input TakeCompositionInput(int width, qreal dpr, bool shape,
                                                    int screenWidth);
    // The settings alone, without the items, read on the window's thread (the screens too):
    // plain data that any thread may compose with.
    LauncherComposition::Input CompositionSettings(int width, qreal dpr, bool shape,
                                                   int screenWidth) const;
    void TakeComposition(LauncherComposition::Output&& out);

    // Items.
    void LoadAppListMethod(Database& db);
    // Loads the items of several windows at once, across the cores (see LauncherLoad): the
    // windows' settings go in, and what comes back is applied here, on the GUI thread.
    static void LoadAppLists(const std::vector<LauncherWin*>& windows, Database& db);
    void DropAppMethod(const FolderItem& f);
    // A drop of several files: each is made ready on the pool and stored in the drop's order,
    // a few at a time between the events of the GUI thread, with a progress window when the
    // drop is long. Drops that come meanwhile follow it.
    void DropAppsMethod(std::vector<FolderItem> files);
    bool DropsPending() const;
    qint64 GetMaxAppUIDMethod(Database& db);
    qint64 GetMaxAppSEQMethod(Database& db);

    // Input.
    bool Event_MouseDown(qint32 X, qint32 Y, bool contextualClick);
    void Event_MouseDrag(const QPoint& globalPos);
    void Event_MouseUp(qint32 X, qint32 Y);
    // Opens the item at an index as a click does: existence check, pop-up, launch.
    void LaunchItemMethod(qint32 index);

    // Contextual menu.
    QStringList ContextualMenuCaptions() const;
    void Event_ConstructContextualMenu(QMenu* base);
    bool Event_ContextualMenuAction(const QString& caption);

    // The place and width the window's row holds, as loaded or saved. The window is shown
    // there, or on the screen nearest to it when no screen holds it now; the row keeps them
    // until the person moves the window (a drag, or the window manager with a button held)
    // or changes its width. A place the window manager gives (a frame's offset) or that
    // keeps the window on a screen is never stored.
    void KeepStoredPlace(QPoint topLeft, int width);

    // Settings actions.
    void ResizeWinSizeWriteMethod();
    void UPdateViewInfoMethod(const QString& name, bool value);
    void ResizePlusMinusWinMethod(const QString& s);
    void EditLauncherWinMethod();
    void CloseMethod();
    void AddItemMethod();

    // Removal.
    void RemoveItemMethod();
    void RevealInFinderMethod();
    // Plays the removal animation at a screen point, driven by a timer (no nested event
    // loop), then runs `then`; `then` runs at once when there is nothing to play.
    void poff(qint32 X, qint32 Y, std::function<void()> then);
    bool RemovalPlaying() const { return !m_removal.isNull(); }

    const QImage& shownImage() const override { return pic; }

Q_SIGNALS:
    // What the window asks of the layers above it (the editor, the delete dialog); start-up
    // connects them when the window joins LauncherWinArr.
    void newWindowRequested();
    void editRequested();
    void closeRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Writes Width, Left and Top to the window's row; false when another program holds the
    // database, so that the place must wait.
    bool writePlace();
    // The place the row is to hold, and what it holds (nothing is written while they agree).
    struct Place {
        QPoint topLeft;
        int width = 0;
        bool operator==(const Place&) const = default;
    };
    Place m_place;
    std::optional<Place> m_rowHolds;
    // Where and how wide the window is while that is not the person's doing (our placement on
    // a screen, the window manager's answer); a difference from it is a change made by the
    // person (through our drag, or an action that widens the window).
    std::optional<QPoint> m_placedAt;
    std::optional<int> m_placedWidth;
    void takePersonsPlace();
    // While another program holds the database, the latest place waits here and is
    // stored once the lock is gone.
    QTimer* m_placeRetry = nullptr;
    // A geometry the window system reports is checked before it is composed or stored; true
    // when it was not taken and the window was set right instead. A place kept across our own
    // Hide-compose-Show is taken up by a reported move only.
    bool correctReportedGeometry(bool moveReport);
    std::optional<QPoint> m_placeBeforeOwnHide;
    // The geometry the window was last given by us, or taken from a report we accepted.
    QRect m_ownGeometry;
    QPointer<RemovalAnimation> m_removal; // a child: it goes with the window
    LauncherDrops* m_drops = nullptr;     // a child, made at the first drop
    bool m_composing = false;             // our own resizes are not live-resize steps
    QSize m_composedSize;
    LauncherComposition::FittedCache m_fitted;
    bool m_pressed = false;
    bool m_contextPress = false; // the secondary button is down; its release opens the menu
    void openContextualMenu(const QPoint& globalPos);
    QPoint m_pressGlobal;
    QPoint m_pressWindowPos;
};
