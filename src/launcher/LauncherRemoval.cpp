#include "launcher/LauncherWin.h"
#include "launcher/RemovalAnimation.h"
#include "platform/Database.h"
#include "platform/Desktop.h"
#include "platform/Framework.h"
#include "platform/OverlayWindow.h"
#include "platform/PictureCodecs.h"
#include "platform/Pixels.h"
#include "platform/Scaling.h"
#include "shared/AppMedia.h"
#include "shared/GlobalModule.h"
#include "shared/RevealInFolder.h"
#include "store/LauncherDatabase.h"
#include "store/LauncherStore.h"

#include <QPainter>

void LauncherWin::RemoveItemMethod() {
    const qint32 i = CurrSelAppIndex;
    if (i < 0 || i >= qint32(LauncherItemArr->size()))
        return;
    Database* db = GlobalModule::DBConnectMethod();
    if (!db)
        return;
    AppMedia::EraseSound().Volume = 100;
    AppMedia::EraseSound().Play();
    LauncherStore(*db, LauncherWinUID).DeleteItem((*LauncherItemArr)[size_t(i)]->AppUID);
    if (db->Error()) {
        GlobalModule::MsgBox(QStringLiteral("Remove Item DB Error~!"));
        return;
    }
    LauncherItemArr->removeAt(i);
    const QPoint m = Desktop::instance().pointerPos();
    // The window keeps showing the removed icon until the animation has played.
    poff(m.x() - 128, m.y() - 128, [this] { MakeAppImageMethod(); });
}

void LauncherWin::poff(qint32 X, qint32 Y, std::function<void()> then) {
    // A removal still playing ends here: its recomposition is part of the one to come.
    if (m_removal)
        delete m_removal.data();
    m_removal = RemovalAnimation::start(this, X, Y, [this, then] {
        m_removal = nullptr;
        if (then)
            then();
    });
    if (!m_removal && then)
        then();
}

RemovalAnimation* RemovalAnimation::start(QObject* parent, int X, int Y,
                                          std::function<void()> finished) {
    // The strip is read afresh at every removal; nothing of it is kept.
    PNGPictureMBS png = OpenAsPNGMBS(AppMedia::PoofStripPath(), 0.0);
    if (png.isNull())
        return nullptr;
    auto window = std::make_unique<OverlayWindowMBS>();
    if (window->Create(X, Y, 128, 128) != 0)
        return nullptr;
    auto* animation = new RemovalAnimation(parent, std::move(finished));
    animation->m_png = std::move(png);
    animation->m_window = std::move(window);
    animation->showFrame();
    animation->m_window->Show();
    return animation;
}

RemovalAnimation::RemovalAnimation(QObject* parent, std::function<void()> finished)
    : QObject(parent), m_finished(std::move(finished)) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &RemovalAnimation::onTimer);
}

void RemovalAnimation::showFrame() {
    QImage p(128, 128, QImage::Format_RGB32);
    QImage m(128, 128, QImage::Format_RGB32);
    p.fill(Qt::white);
    m.fill(Qt::white);
    QPainter(&p).drawImage(0, -128 * m_frame, m_png.Pict);
    QPainter(&m).drawImage(0, -128 * m_frame, m_png.Mask);
    // The frame fills the window at the screen's device ratio, as every image window does.
    const qreal dpr = m_window->devicePixelRatioF();
    QImage frame = CGCreateImageMBS(p, m);
    if (dpr != 1.0)
        frame = SmoothScaled(frame, QSize(qRound(128 * dpr), qRound(128 * dpr)));
    frame.setDevicePixelRatio(dpr);
    m_window->DrawPicture(frame);
    m_frameShownAt = Ticks();
    // Five ticks are 83.3 ms; the timer is checked against the tick counter.
    m_timer.start(84);
}

void RemovalAnimation::onTimer() {
    const qint64 shown = qAbs(Ticks() - m_frameShownAt);
    if (shown < kTicksPerFrame) {
        m_timer.start(5);
        return;
    }
    if (++m_frame < kFrames) {
        showFrame();
        Q_EMIT frameShown(m_frame);
        return;
    }
    m_window.reset();
    // Whatever `finished` does, this object goes only when control is back in the loop.
    deleteLater();
    if (auto finished = std::exchange(m_finished, nullptr))
        finished();
}

void LauncherWin::RevealInFinderMethod() {
    const qint32 i = CurrSelAppIndex;
    if (i < 0 || i >= qint32(LauncherItemArr->size()))
        return;
    RevealInFolder((*LauncherItemArr)[size_t(i)]->f);
}
