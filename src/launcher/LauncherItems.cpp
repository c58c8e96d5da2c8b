#include "launcher/LauncherWin.h"
#include "platform/Database.h"
#include "platform/Framework.h"
#include "platform/Parallel.h"
#include "platform/RowReader.h"
#include "platform/Scaling.h"
#include "platform/WindowSystem.h"
#include "shared/GlobalModule.h"
#include "store/IconHelpers.h"
#include "store/LauncherDatabase.h"
#include "store/LauncherRows.h"

#include <algorithm>
#include <atomic>
#include <iterator>
#include <limits>
#include <mutex>
#include <unordered_map>

namespace {

// Items are fitted in batches of this many, as their rows come.
constexpr size_t kFitBatch = 16;

// A row's item and its stored pictures' bytes, until the item's pictures are made from them.
struct ReadRow {
    std::shared_ptr<AppListClass> item;
    QByteArray icon, mask;
};

// A window of more items than this is read by several connections side by side, each a
// range of its rows.
constexpr size_t kRowsPerReader = 400;

// One window's loading, shared by the tasks that read, fit and compose it.
struct WindowLoad {
    LauncherWin* win = nullptr;
    qint64 uid = 0;
    int width = 0;
    int iconSize = 48;
    qreal dpr = 1.0;
    int screenWidth = 0;
    bool shape = false;
    bool ok = false;
    bool composed = false;
    AppListArray items;
    std::atomic<size_t> pending{1}; // the reading, and each range and batch still to finish
    LauncherComposition::Output out;

    // The reading: each row's place in display order (the order is sorted on the row numbers
    // alone: sorting the rows themselves would pass every stored icon text through the
    // database's sorter), the rows in their places, and those another program added since.
    std::unordered_map<qint64, size_t> place;
    std::vector<std::shared_ptr<AppListClass>> ordered;
    std::atomic<size_t> rangesLeft{0};
    std::mutex lock; // guards what follows
    std::vector<std::shared_ptr<AppListClass>> later;
    QString error; // the engine's message when the rows could not be read
    std::vector<std::pair<const AppListClass*, LauncherComposition::FittedIcon>> fitted;
};

using Batch = std::function<void(std::vector<ReadRow>&&)>;

// Reads the window's rows whose row numbers lie in [from, to), handing each batch of rows to
// `batch` as it comes. Any thread: it touches only the reader and its own rows of the load.
void readRange(RowReader& reader, WindowLoad& load, qint64 from, qint64 to, const Batch& batch) {
    std::vector<std::shared_ptr<AppListClass>> later; // rows added since the order was read
    std::vector<ReadRow> rows;
    const bool read = reader.Select(
        "Select rowid, AppUID, AppSEQ, AppName, AppPath, Icon, IconMask from LauncherList "
        "where LauncherWinUID=? and rowid>=? and rowid<?",
        {load.uid, from, to}, [&](const RowReader::Row& row) {
            auto item = std::make_shared<AppListClass>();
            item->AppUID = row.integer(1);
            item->AppSEQ = row.integer(2);
            item->AppName = BoundedName(row.text(3));
            item->AppPath = row.text(4);
            item->f = FolderItem(item->AppPath);
            const auto at = load.place.find(row.integer(0));
            (at != load.place.end() ? load.ordered[at->second] : later.emplace_back()) = item;
            // Decoded straight from the engine's pages: the long texts are never copied.
            rows.push_back(
                {std::move(item), DecodeBase64(row.bytes(5)), DecodeBase64(row.bytes(6))});
            if (rows.size() == kFitBatch)
                batch(std::exchange(rows, {}));
        });
    if (!rows.empty())
        batch(std::move(rows));
    const std::lock_guard lock(load.lock);
    if (!read && load.error.isEmpty())
        load.error = reader.ErrorMessage();
    std::move(later.begin(), later.end(), std::back_inserter(load.later));
}

// Once every range is read: the items in display order, or the error.
void assemble(WindowLoad& load) {
    if (!load.error.isEmpty())
        return;
    std::move(load.later.begin(), load.later.end(), std::back_inserter(load.ordered));
    // Rows another program removed between the reads are left out.
    std::erase_if(load.ordered, [](const auto& item) { return !item; });
    load.items = std::move(load.ordered);
    load.ok = true;
}

} // namespace

void LauncherWin::LoadAppListMethod(Database& db) {
    LoadAppLists({this}, db);
}

void LauncherWin::LoadAppLists(const std::vector<LauncherWin*>& windows, Database& db) {
    std::vector<std::unique_ptr<WindowLoad>> loads;
    const bool compositing = WindowSystem::instance().compositingActive();
    for (LauncherWin* win : windows) {
        auto load = std::make_unique<WindowLoad>();
        load->win = win;
        load->uid = win->LauncherWinUID;
        load->width = win->Width();
        load->iconSize = win->IconSize;
        load->dpr = win->devicePixelRatioF();
        load->screenWidth = MainScreenWidth();
        load->shape = !compositing;
        loads.push_back(std::move(load));
    }
    PooledTasks tasks;
    // Once the rows are read and every batch fitted, the window is composed. Only its own
    // load and the window's plain settings are touched: this thread waits in Run meanwhile.
    // A large window is composed after Run, outside the pool, where its composition spreads.
    const auto finished = [&tasks](WindowLoad& load) {
        if (--load.pending > 0)
            return;
        tasks.Add([&load] {
            if (!load.ok)
                return;
            LauncherWin& win = *load.win;
            if (load.items.empty()) {
                // An empty window still shows its title band and panel (in memory only).
                win.ViewTitleMenu = true;
                win.ViewBackPanel = true;
            }
            for (auto& [item, fitted] : load.fitted)
                LauncherComposition::KeepFitted(win.m_fitted, item, std::move(fitted));
            load.fitted.clear();
            if (LauncherComposition::Spreads(load.items.size()))
                return;
            // Composed from the loaded items: the window takes them on its own thread, where
            // its model announces them.
            LauncherComposition::Input in =
                win.TakeCompositionInput(load.width, load.dpr, load.shape, load.screenWidth);
            in.items = &load.items;
            load.out = LauncherComposition::Compose(std::move(in));
            load.composed = true;
        });
    };
    const auto fitBatch = [&tasks, finished](WindowLoad& load, std::vector<ReadRow>&& batch) {
        ++load.pending;
        tasks.Add([&load, finished, rows = std::move(batch)]() mutable {
            std::vector<std::pair<const AppListClass*, LauncherComposition::FittedIcon>> made;
            for (ReadRow& r : rows) {
                // Kept compressed; decoded only at the size the window draws them.
                r.item->Icon = StoredPicture::fromData(r.icon);
                r.item->IconMask = StoredPicture::fromData(r.mask);
                r.icon = r.mask = {};
                made.emplace_back(r.item.get(),
                                  LauncherComposition::FitIcon(*r.item, load.iconSize, load.dpr));
            }
            {
                const std::lock_guard lock(load.lock);
                std::move(made.begin(), made.end(), std::back_inserter(load.fitted));
            }
            finished(load);
        });
    };
    // Changes the caller has not committed are seen on its own connection only.
    const bool ownConnections = !db.InTransaction();
    // Reads a window's order, then its rows: on this reader the first range, on connections
    // of their own the others.
    const auto readWindow = [&tasks, &db, fitBatch, finished, ownConnections](RowReader& reader,
                                                                              WindowLoad& load) {
        const Batch batch = [&load, fitBatch](std::vector<ReadRow>&& b) {
            fitBatch(load, std::move(b));
        };
        std::vector<qint64> rowids;
        if (!reader.Select("Select rowid from LauncherList where LauncherWinUID=? order by AppSEQ",
                           {load.uid}, [&](const RowReader::Row& r) {
                               rowids.push_back(r.integer(0));
                               load.place.emplace(rowids.back(), load.place.size());
                           })) {
            load.error = reader.ErrorMessage();
            finished(load);
            return;
        }
        load.ordered.resize(rowids.size());
        std::sort(rowids.begin(), rowids.end());
        const size_t ranges = ownConnections ? std::clamp<size_t>(rowids.size() / kRowsPerReader, 1,
                                                                  Parallel::CoreCount())
                                             : 1;
        // Range r starts at its first row number; the first and last are open-ended, so
        // rows added since are read too.
        const auto bound = [&](size_t r) {
            return r == 0        ? std::numeric_limits<qint64>::min()
                   : r == ranges ? std::numeric_limits<qint64>::max()
                                 : rowids[r * rowids.size() / ranges];
        };
        load.rangesLeft = ranges;
        load.pending += ranges - 1;
        const auto rangeDone = [&load, finished] {
            if (--load.rangesLeft == 0)
                assemble(load);
            finished(load);
        };
        for (size_t r = 1; r < ranges; ++r)
            tasks.Add([file = db.DatabaseFile, &load, from = bound(r), to = bound(r + 1), batch,
                       rangeDone] {
                RowReader own(file);
                readRange(own, load, from, to, batch);
                rangeDone();
            });
        readRange(reader, load, bound(0), bound(1), batch);
        rangeDone();
    };
    if (ownConnections && loads.size() > 1) {
        for (auto& l : loads)
            tasks.Add([file = db.DatabaseFile, &load = *l, readWindow] {
                RowReader reader(file);
                readWindow(reader, load);
            });
    } else {
        // The caller's connection, one window after another.
        tasks.Add([&db, &loads, readWindow] {
            RowReader reader(db);
            for (auto& load : loads)
                readWindow(reader, *load);
        });
    }
    tasks.Run();
    for (auto& load : loads) {
        if (!load->ok) {
            GlobalModule::ReportUnreadableDatabase(load->error);
            continue;
        }
        load->win->LauncherItemArr->setItems(std::move(load->items));
        if (!load->composed)
            load->out = LauncherComposition::Compose(load->win->TakeCompositionInput(
                load->width, load->dpr, load->shape, load->screenWidth));
        load->win->TakeComposition(std::move(load->out));
    }
}

qint64 LauncherWin::GetMaxAppUIDMethod(Database& db) {
    return GlobalModule::NextFreeNumber(db, QStringLiteral("Select MAX(AppUID) from LauncherList"));
}

qint64 LauncherWin::GetMaxAppSEQMethod(Database& db) {
    return GlobalModule::NextFreeNumber(db, QStringLiteral("Select MAX(AppSEQ) from LauncherList"));
}
