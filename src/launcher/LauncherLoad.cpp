#include "launcher/LauncherLoad.h"

#include "platform/Database.h"
#include "platform/Parallel.h"
#include "platform/RowReader.h"
#include "store/LauncherStore.h"
#include "store/StoredPicture.h"

#include <algorithm>
#include <atomic>
#include <iterator>
#include <limits>
#include <mutex>
#include <unordered_map>

namespace LauncherLoad {
namespace {

// Items are fitted in batches of this many, as their rows come.
constexpr size_t kFitBatch = 16;

// A window of more items than this is read by several connections side by side, each a
// range of its rows.
constexpr size_t kRowsPerReader = 400;

using ItemRow = LauncherStore::ItemRow;

// One window's loading, shared by the tasks that read, fit and compose it.
struct WindowLoad {
    const Settings* settings = nullptr;
    Result* result = nullptr;
    bool composed = false;
    std::atomic<size_t> pending{1}; // the reading, and each range and batch still to finish

    // The reading: each row's place in display order (the order is sorted on the row numbers
    // alone: sorting the rows themselves would pass every stored icon text through the
    // database's sorter), the rows in their places, and those another program added since.
    std::unordered_map<qint64, size_t> place;
    std::vector<std::shared_ptr<AppListClass>> ordered;
    std::atomic<size_t> rangesLeft{0};
    std::mutex lock; // guards what follows
    std::vector<std::shared_ptr<AppListClass>> later;
    QString error;
    std::vector<std::pair<const AppListClass*, LauncherComposition::FittedIcon>> fitted;
};

using Batch = std::function<void(std::vector<ItemRow>&&)>;

// Reads the window's rows whose row numbers lie in [from, to), handing each batch of rows to
// `batch` as it comes. Any thread: it touches only the reader and its own rows of the load.
void readRange(RowReader& reader, WindowLoad& load, qint64 from, qint64 to, const Batch& batch) {
    std::vector<std::shared_ptr<AppListClass>> later; // rows added since the order was read
    std::vector<ItemRow> rows;
    const bool read = LauncherStore::ReadItems(
        reader, load.settings->uid, from, to, [&](qint64 rowid, ItemRow&& row) {
            const auto at = load.place.find(rowid);
            (at != load.place.end() ? load.ordered[at->second] : later.emplace_back()) = row.item;
            rows.push_back(std::move(row));
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
    load.result->items = std::move(load.ordered);
    load.result->ok = true;
}

void compose(WindowLoad& load) {
    Result& r = *load.result;
    LauncherComposition::Input in = load.settings->compose;
    if (r.items.empty()) {
        // An empty window still shows its title band and panel.
        in.viewTitleMenu = true;
        in.viewBackPanel = true;
    }
    in.items = &r.items;
    in.cache = &r.fitted;
    r.out = LauncherComposition::Compose(std::move(in));
    load.composed = true;
}

} // namespace

std::vector<Result> Load(const std::vector<Settings>& windows, Database& db) {
    std::vector<Result> results(windows.size());
    std::vector<std::unique_ptr<WindowLoad>> loads;
    for (size_t i = 0; i < windows.size(); ++i) {
        auto load = std::make_unique<WindowLoad>();
        load->settings = &windows[i];
        load->result = &results[i];
        loads.push_back(std::move(load));
    }
    PooledTasks tasks;
    // Once the rows are read and every batch fitted, the window is composed, on the pool
    // unless its composition is large enough to spread: then after Run, outside the pool.
    const auto finished = [&tasks](WindowLoad& load) {
        if (--load.pending > 0)
            return;
        tasks.Add([&load] {
            if (!load.result->ok)
                return;
            for (auto& [item, fitted] : load.fitted)
                LauncherComposition::KeepFitted(load.result->fitted, item, std::move(fitted));
            load.fitted.clear();
            if (!LauncherComposition::Spreads(load.result->items.size()))
                compose(load);
        });
    };
    const auto fitBatch = [&tasks, finished](WindowLoad& load, std::vector<ItemRow>&& batch) {
        ++load.pending;
        tasks.Add([&load, finished, rows = std::move(batch)]() mutable {
            const int iconSize = load.settings->compose.iconSize;
            const qreal dpr = load.settings->compose.dpr;
            std::vector<std::pair<const AppListClass*, LauncherComposition::FittedIcon>> made;
            for (ItemRow& r : rows) {
                // Kept compressed; decoded only at the size the window draws them.
                r.item->Icon = StoredPicture::fromData(r.icon);
                r.item->IconMask = StoredPicture::fromData(r.mask);
                r.icon = r.mask = {};
                made.emplace_back(r.item.get(),
                                  LauncherComposition::FitIcon(*r.item, iconSize, dpr));
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
        const Batch batch = [&load, fitBatch](std::vector<ItemRow>&& b) {
            fitBatch(load, std::move(b));
        };
        std::vector<qint64> rowids;
        if (!LauncherStore::ReadItemOrder(reader, load.settings->uid, rowids)) {
            load.error = reader.ErrorMessage();
            finished(load);
            return;
        }
        for (size_t i = 0; i < rowids.size(); ++i)
            load.place.emplace(rowids[i], i);
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
        if (!load->result->ok)
            load->result->error = load->error;
        else if (!load->composed)
            compose(*load);
    }
    return results;
}

} // namespace LauncherLoad
