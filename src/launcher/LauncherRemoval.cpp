#include "app/AppMedia.h"
#include "app/GlobalModule.h"
#include "launcher/LauncherWin.h"
#include "platform/Database.h"
#include "platform/Desktop.h"
#include "platform/Framework.h"
#include "platform/Plugin.h"
#include "store/LauncherDatabase.h"

#include <QCoreApplication>
#include <QPainter>
#include <QThread>

void LauncherWin::RemoveItemMethod() {
    const qint32 i = CurrSelAppIndex;
    if (i < 0 || i >= qint32(LauncherItemArr->size()))
        return;
    Database* db = GlobalModule::DBConnectMethod();
    if (!db)
        return;
    AppMedia::EraseSound().Volume = 100;
    AppMedia::EraseSound().Play();
    db->SQLExecute(QStringLiteral("Delete From LauncherList where LauncherWinUID=") +
                   QString::number(LauncherWinUID) + QStringLiteral(" and AppUID=") +
                   QString::number((*LauncherItemArr)[size_t(i)]->AppUID));
    if (db->Error()) {
        GlobalModule::MsgBox(QStringLiteral("Remove Item DB Error~!"));
        return;
    }
    db->Commit();
    LauncherItemArr->erase(LauncherItemArr->begin() + i);
    const QPoint m = Desktop::instance().pointerPos();
    poff(m.x() - 128, m.y() - 128);
    MakeAppImageMethod();
}

void LauncherWin::poff(qint32 X, qint32 Y) {
    // The strip of frames is read afresh at every removal; nothing of it is kept.
    const PNGPictureMBS png = OpenAsPNGMBS(AppMedia::PoofStripPath(), 0.0);
    if (png.isNull())
        return;
    OverlayWindowMBS ow;
    if (ow.Create(X, Y, 128, 128) != 0)
        return;
    ow.Show();
    for (int k = 0; k < 5; ++k) {
        QImage p(128, 128, QImage::Format_RGB32);
        QImage m(128, 128, QImage::Format_RGB32);
        p.fill(Qt::white);
        m.fill(Qt::white);
        QPainter(&p).drawImage(0, -128 * k, png.Pict);
        QPainter(&m).drawImage(0, -128 * k, png.Mask);
        ow.DrawPicture(CGCreateImageMBS(p, m));
        // Each frame stays at least 5 ticks; meanwhile only painting goes on.
        const qint64 t0 = Ticks();
        while (qAbs(Ticks() - t0) < 5) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            QThread::msleep(4);
        }
    }
}

void LauncherWin::RevealInFinderMethod() {
    const qint32 i = CurrSelAppIndex;
    if (i < 0 || i >= qint32(LauncherItemArr->size()))
        return;
    const FolderItem& f = (*LauncherItemArr)[size_t(i)]->f;
    if (f.isNull() || !f.Exists())
        return;
    const FolderItem p = f.Parent();
    if (p.isNull())
        return;
    const LaunchResult r = p.Launch(true);
    if (!r.ok)
        GlobalModule::MsgBox(
            GlobalModule::IsKorean()
                ? QStringLiteral("\"%1\" 폴더를 열 수 없습니다.\n%2").arg(p.AbsolutePath(), r.error)
                : QStringLiteral("The folder \"%1\" could not be opened.\n%2")
                      .arg(p.AbsolutePath(), r.error));
}
