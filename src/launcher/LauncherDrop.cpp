#include "launcher/LauncherWin.h"
#include "platform/Database.h"
#include "platform/InOrderWork.h"
#include "shared/Captions.h"
#include "shared/GlobalModule.h"
#include "shared/WorkProgress.h"
#include "store/IconHelpers.h"
#include "store/LauncherDatabase.h"
#include "store/LauncherRows.h"

#include <QElapsedTimer>
#include <QTimer>
#include <deque>
#include <functional>

namespace {

constexpr Caption kAdding{"Adding the dropped items...", "놓은 아이템을 추가하는 중..."};
// A step of the GUI thread stores the files made ready for this long at most, as one change.
constexpr qint64 kStepMs = 15;
// While a drop goes on, the window shows what it holds so far this often.
constexpr qint64 kComposeEveryMs = 500;
// A refusal names this many files at most.
constexpr int kNamesTold = 10;

// A file as it is to become an item: its name and path, its pictures and their stored text.
struct DroppedFile {
    FolderItem f;
    QString name;
    QString path;
    StoredPicture icon, mask;
    QString iconText, maskText;
    bool made = false;
};

void fill(DroppedFile& d, const MaskedPicture& pictures) {
    d.name = d.f.DisplayName();
    d.path = d.f.AbsolutePath();
    d.icon = pictures.image;
    d.mask = pictures.mask;
    d.iconText = d.icon.text();
    d.maskText = d.mask.text();
    d.made = true;
}

// On any thread; nothing is made when only the GUI thread can make the icon.
void makeFromThemes(DroppedFile& d) {
    const MaskedPicture pictures = GlobalModule::ThemedIconAndMask(d.f, 128);
    if (!pictures.isNull())
        fill(d, pictures);
}

// On the GUI thread: whatever the pool left.
void make(DroppedFile& d) {
    if (!d.made)
        fill(d, GlobalModule::GetIconAndMaskMethod(d.f, 128));
}

enum class Outcome { Stored, Abandoned, Refused };

// Stores files from `first` on as new items at the end of the window, as one change, each
// numbered one more than the largest of the whole table; stops at `end`, or once `more`
// says so (after one file at least), and moves `first` past the files taken. A file whose
// row alone is refused is told and left out. When the change as a whole is refused (another
// program holds the file, a full disk) nothing of it is kept: Refused. Abandoned, silently,
// without a connection or when the numbers cannot be read.
Outcome store(
    LauncherWin& win, DroppedFile*& first, DroppedFile* end,
    const std::function<bool()>& more = [] { return true; }) {
    Database* db = GlobalModule::DBConnectMethod();
    if (!db)
        return Outcome::Abandoned;
    qint64 uid = win.GetMaxAppUIDMethod(*db);
    if (uid == -1)
        return Outcome::Abandoned;
    qint64 seq = win.GetMaxAppSEQMethod(*db);
    if (seq == -1)
        return Outcome::Abandoned;
    if (!db->BeginTransaction())
        return Outcome::Refused;
    AppListArray items;
    DroppedFile* d = first;
    for (; d != end && (d == first || more()); ++d) {
        make(*d);
        const LauncherListRow row{win.LauncherWinUID, uid,        seq, d->name, d->path,
                                  d->iconText,        d->maskText};
        db->InsertRecord(LauncherListColumn::Table, row.Record());
        if (db->Error() && (db->Busy() || db->FileFailed())) {
            db->Rollback();
            return Outcome::Refused;
        }
        if (db->Error()) {
            // The window holds only what is stored: an item without its row would share its
            // number with the next one added, and its removal would delete that one's row.
            GlobalModule::MsgBox(d->name + QStringLiteral(" add error~!"));
            continue;
        }
        auto item = std::make_shared<AppListClass>();
        item->AppUID = uid++;
        item->AppSEQ = seq++;
        item->AppName = d->name;
        item->AppPath = d->path;
        item->Icon = d->icon;
        item->IconMask = d->mask;
        item->NewOldValue = QStringLiteral("old");
        item->Broken = false;
        item->f = d->f;
        items.push_back(std::move(item));
    }
    db->Commit();
    if (db->Error())
        return Outcome::Refused; // rolled back: nothing of it is stored
    first = d;
    win.LauncherItemArr->append(std::move(items));
    return Outcome::Stored;
}

// The files not added, each told as a refused add is. Only their folder items are read:
// the pool may still be making the others.
void tellRefused(const DroppedFile* first, const DroppedFile* end) {
    QStringList lines;
    for (const DroppedFile* d = first; d != end && lines.size() < kNamesTold; ++d)
        lines << d->f.DisplayName() + QStringLiteral(" add error~!");
    if (end - first > kNamesTold)
        lines << QStringLiteral("... (%1)").arg(end - first);
    GlobalModule::MsgBox(lines.join(QLatin1Char('\n')));
}

} // namespace

// The drops on one window, one after another: the files of each are made ready on the pool
// and stored by the GUI thread in short steps, in the drop's order.
class LauncherDrops : public QObject {
public:
    explicit LauncherDrops(LauncherWin* win) : QObject(win), m_win(win) {}

    void add(std::vector<FolderItem> files) {
        auto drop = std::make_unique<Drop>();
        drop->files = std::make_shared<std::vector<DroppedFile>>(files.size());
        for (size_t i = 0; i < files.size(); ++i)
            (*drop->files)[i].f = std::move(files[i]);
        drop->work = std::make_unique<InOrderWork>(
            drop->files->size(), [files = drop->files](size_t i) { makeFromThemes((*files)[i]); },
            this, [this] { step(); });
        m_drops.push_back(std::move(drop));
        if (m_drops.size() == 1)
            begin();
    }

    bool pending() const { return !m_drops.empty(); }

private:
    struct Drop {
        std::shared_ptr<std::vector<DroppedFile>> files;
        std::unique_ptr<InOrderWork> work;
        size_t stored = 0; // files taken up so far
    };

    void begin() {
        Drop& drop = *m_drops.front();
        m_sinceCompose.start();
        m_cancelled = false;
        m_progress =
            std::make_unique<WorkProgress>(kAdding.text(), int(drop.files->size()), [this] {
                m_cancelled = true;
                QTimer::singleShot(0, this, [this] { step(); });
            });
        step();
    }

    // Either stores what is ready, for a short while, or composes the window: each a step of
    // its own between the events waiting meanwhile.
    void step() {
        if (m_drops.empty() || m_stepping || m_ended)
            return;
        m_stepping = true;
        Drop& drop = *m_drops.front();
        DroppedFile* const files = drop.files->data();
        const size_t total = drop.files->size();
        if (m_sinceCompose.elapsed() >= kComposeEveryMs) {
            m_win->MakeAppImageMethod(); // what is held so far
            m_sinceCompose.restart();
        } else if (m_cancelled) {
            m_ended = true;
        } else if (drop.work->Done() > drop.stored) {
            QElapsedTimer clock;
            clock.start();
            DroppedFile* next = files + drop.stored;
            const Outcome outcome = store(*m_win, next, files + drop.work->Done(),
                                          [&clock] { return clock.elapsed() < kStepMs; });
            if (outcome == Outcome::Refused)
                tellRefused(files + drop.stored, files + total);
            m_ended = outcome != Outcome::Stored;
            drop.stored = size_t(next - files);
            m_progress->Update(int(drop.stored));
        }
        m_ended = m_ended || drop.stored == total;
        m_stepping = false;
        if (m_ended)
            QTimer::singleShot(0, this, [this] { finish(); });
        else if (drop.work->Done() > drop.stored || m_sinceCompose.elapsed() >= kComposeEveryMs)
            QTimer::singleShot(0, this, [this] { step(); });
    }

    // The drop is over: the window composed with all it holds, and the next drop begun.
    void finish() {
        m_win->MakeAppImageMethod();
        m_ended = false;
        m_drops.pop_front();
        m_progress.reset();
        if (!m_drops.empty())
            begin();
    }

    LauncherWin* m_win;
    std::deque<std::unique_ptr<Drop>> m_drops;
    std::unique_ptr<WorkProgress> m_progress;
    QElapsedTimer m_sinceCompose;
    bool m_stepping = false;
    bool m_cancelled = false;
    bool m_ended = false; // the front drop waits for its last composition
};

void LauncherWin::DropAppMethod(const FolderItem& f) {
    if (!f.Exists())
        return;
    DroppedFile d;
    d.f = f;
    DroppedFile* first = &d;
    const Outcome outcome = store(*this, first, &d + 1);
    if (outcome == Outcome::Refused)
        tellRefused(&d, &d + 1);
    if (outcome == Outcome::Stored)
        MakeAppImageMethod();
}

void LauncherWin::DropAppsMethod(std::vector<FolderItem> files) {
    if (files.empty())
        return;
    if (!m_drops)
        m_drops = new LauncherDrops(this);
    m_drops->add(std::move(files));
}

bool LauncherWin::DropsPending() const {
    return m_drops && m_drops->pending();
}
