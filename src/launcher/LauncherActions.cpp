#include "launcher/LauncherGeometry.h"
#include "launcher/LauncherWin.h"
#include "platform/Applications.h"
#include "platform/Database.h"
#include "platform/Desktop.h"
#include "platform/Framework.h"
#include "shared/Captions.h"
#include "shared/GlobalModule.h"
#include "store/LauncherDatabase.h"
#include "store/LauncherRows.h"
#include "store/LauncherStore.h"
#include "store/PrefClass.h"

#include <QPointer>
#include <QTimer>

void LauncherWin::KeepStoredPlace(QPoint topLeft, int width) {
    m_place = Place{topLeft, width};
    m_rowHolds = m_place;
    const QPoint at = LauncherGeometry::PlacedOnScreen(QRect(topLeft, size()), ScreenRects());
    m_placedAt = at;
    if (at != pos())
        move(at);
    m_placedWidth = Width();
}

void LauncherWin::takePersonsPlace() {
    if (!m_placedAt || pos() != *m_placedAt) {
        m_place.topLeft = pos();
        m_placedAt.reset();
    }
    if (!m_placedWidth || Width() != *m_placedWidth) {
        m_place.width = Width();
        m_placedWidth.reset();
    }
}

void LauncherWin::ResizeWinSizeWriteMethod() {
    takePersonsPlace();
    // A show, a hide or a place kept on a screen changes nothing stored.
    if (m_rowHolds == m_place)
        return;
    // A place already waiting for the lock is taken over by this one: the timer writes the
    // window's place as it is then, without a wait on every move.
    if (m_placeRetry && m_placeRetry->isActive())
        return;
    // Until the verdict on the file's pages has come, the place waits too: nothing is
    // written before it, and the window does not wait for it.
    const auto verdictAwaited = [] {
        const Database* db = GlobalModule::DBConnectMethod();
        return db && !db->DamageCheckDone();
    };
    if (!verdictAwaited() && writePlace())
        return;
    if (!m_placeRetry) {
        m_placeRetry = new QTimer(this);
        m_placeRetry->setSingleShot(true);
        m_placeRetry->setInterval(500);
        connect(m_placeRetry, &QTimer::timeout, this, [this, verdictAwaited] {
            if (verdictAwaited()) {
                m_placeRetry->start();
                return;
            }
            // A retry only looks whether the lock is gone; it never waits for it.
            Database* db = GlobalModule::DBConnectMethod();
            if (db)
                db->SetBusyTimeout(0);
            const bool stored = writePlace();
            if (db)
                db->SetBusyTimeout(Database::BusyTimeoutMs);
            if (!stored)
                m_placeRetry->start();
        });
    }
    m_placeRetry->start();
}

bool LauncherWin::writePlace() {
    Database* db = GlobalModule::DBConnectMethod();
    if (!db)
        return true;
    const Place place = m_place;
    LauncherStore(*db, LauncherWinUID)
        .WritePlace(place.topLeft.x(), place.topLeft.y(), place.width);
    if (db->Busy())
        return false;
    // Stored, or told once: the same place is not tried again until it changes.
    m_rowHolds = place;
    if (db->Error())
        GlobalModule::ReportUnsavedChange(db->ErrorMessage());
    return true;
}

void LauncherWin::UPdateViewInfoMethod(const QString& name, bool value) {
    Database* db = GlobalModule::DBConnectMethod();
    if (!db)
        return;
    if (!LauncherStore(*db, LauncherWinUID).WriteView(name, value))
        return;
    if (db->Error()) {
        // The window keeps showing what is stored.
        GlobalModule::ReportUnsavedChange(db->ErrorMessage());
        return;
    }
    if (TextEquals(name, LauncherWinColumn::ViewTitleMenu))
        ViewTitleMenu = value;
    else if (TextEquals(name, LauncherWinColumn::ViewName))
        ViewName = value;
    else if (TextEquals(name, LauncherWinColumn::ViewBackPanel))
        ViewBackPanel = value;
    MakeAppImageMethod();
}

void LauncherWin::ResizePlusMinusWinMethod(const QString& s) {
    const int S = SpaceForIconSizeValue;
    const int L = LimitWidthCount;
    if (TextEquals(s, ResizeDirection::Plus)) {
        setWidth(S * L + S);
        if (MainScreenWidth() <= Width())
            setWidth(Width() - S);
    } else if (TextEquals(s, ResizeDirection::Minus)) {
        setWidth(S * L - S);
        // The band's icons stay inside the window.
        const int iconsRight = PrefIconXValue + int(LauncherGeometry::PlusMinusIcon.right());
        if (Width() <= iconsRight)
            setWidth(iconsRight);
    }
    // The show puts the window at its place, kept on a screen; the window manager may report
    // a stale place after the re-mapping, and the place is kept (see moveEvent).
    hide();
    MakeAppImageMethod();
    show();
    m_placeBeforeOwnHide = pos();
}

void LauncherWin::AddItemMethod() {
    GlobalModule::BringMeFront();
    const FolderItem apps = ApplicationsFolderMBS(0);
    const QString title = CommonCaptions::SelectAnyItem.text();
    // The window may be deleted while the dialog is open.
    Desktop::instance().chooseItem(
        title, apps.AbsolutePath(),
        [self = QPointer<LauncherWin>(this)](std::optional<QString> chosen) {
            if (self && chosen)
                self->DropAppMethod(FolderItem(*chosen));
        });
}
