#include "launcher/LauncherWin.h"
#include "platform/Database.h"
#include "platform/Framework.h"
#include "platform/Parallel.h"
#include "platform/RowReader.h"
#include "shared/GlobalModule.h"
#include "store/IconHelpers.h"
#include "store/LauncherDatabase.h"
#include "store/LauncherRows.h"

#include <atomic>
#include <iterator>
#include <mutex>
#include <unordered_map>

namespace {

// Items are fitted in batches of this many, as their rows come.
constexpr size_t kFitBatch = 16;

// A row's item and its stored texts, until the item's pictures are made from them.
struct ReadRow {
    std::shared_ptr<AppListClass> item;
    QByteArray iconText, maskText;
};

// One window's loading, shared by the tasks that read, fit and compose it.
struct WindowLoad {
    LauncherWin* win = nullptr;
    qint64 uid = 0;
    int width = 0;
    int iconSize = 48;
    qreal dpr = 1.0;
    bool ok = false;
    QString error; // the engine's message when the rows could not be read
    AppListArray items;
    std::mutex lock; // guards fitted
    std::vector<std::pair<const AppListClass*, LauncherComposition::FittedIcon>> fitted;
    std::atomic<size_t> pending{1}; // the reading, and each batch still being fitted
    LauncherComposition::Output out;
};

// Reads a window's rows in display order, handing each batch of rows to `batch` as it
// comes. Runs on any thread: it touches nothing but the reader and the load.
void readRows(RowReader& reader, WindowLoad& load,
              const std::function<void(std::vector<ReadRow>&&)>& batch) {
    // The order is sorted on the row numbers alone: sorting the rows themselves would pass
    // every stored icon text through the database's sorter.
    std::unordered_map<qint64, size_t> place;
    if (!reader.Select(
            "Select rowid from LauncherList where LauncherWinUID=? order by AppSEQ", {load.uid},
            [&](const RowReader::Row& r) { place.emplace(r.integer(0), place.size()); })) {
        load.error = reader.ErrorMessage();
        return;
    }
    std::vector<std::shared_ptr<AppListClass>> ordered(place.size());
    std::vector<std::shared_ptr<AppListClass>> later; // rows added between the two reads
    std::vector<ReadRow> rows;
    const bool read = reader.Select(
        "Select rowid, AppUID, AppSEQ, AppName, AppPath, Icon, IconMask from LauncherList "
        "where LauncherWinUID=?",
        {load.uid}, [&](const RowReader::Row& row) {
            auto item = std::make_shared<AppListClass>();
            item->AppUID = row.integer(1);
            item->AppSEQ = row.integer(2);
            item->AppName = row.text(3);
            item->AppPath = row.text(4);
            item->f = FolderItem(item->AppPath);
            const auto at = place.find(row.integer(0));
            (at != place.end() ? ordered[at->second] : later.emplace_back()) = item;
            // The texts are decoded where the icons are fitted, on every core.
            rows.push_back(
                {std::move(item), row.bytes(5).toByteArray(), row.bytes(6).toByteArray()});
            if (rows.size() == kFitBatch)
                batch(std::exchange(rows, {}));
        });
    if (!read) {
        load.error = reader.ErrorMessage();
        return;
    }
    if (!rows.empty())
        batch(std::move(rows));
    std::move(later.begin(), later.end(), std::back_inserter(ordered));
    // Rows another program removed between the two reads are left out.
    std::erase_if(ordered, [](const auto& item) { return !item; });
    load.items = std::move(ordered);
    load.ok = true;
}

} // namespace

void LauncherWin::LoadAppListMethod(Database& db) {
    LoadAppLists({this}, db);
}

void LauncherWin::LoadAppLists(const std::vector<LauncherWin*>& windows, Database& db) {
    std::vector<std::unique_ptr<WindowLoad>> loads;
    for (LauncherWin* win : windows) {
        auto load = std::make_unique<WindowLoad>();
        load->win = win;
        load->uid = win->LauncherWinUID;
        load->width = win->Width();
        load->iconSize = win->IconSize;
        load->dpr = win->devicePixelRatioF();
        loads.push_back(std::move(load));
    }
    TaskGroup tasks;
    // Once the rows are read and every batch fitted, the window is composed. Only its own
    // load and the window's plain settings are touched: this thread waits in Run meanwhile.
    const auto finished = [&tasks](WindowLoad& load) {
        if (--load.pending > 0)
            return;
        tasks.Add([&load] {
            if (!load.ok)
                return;
            LauncherWin& win = *load.win;
            *win.LauncherItemArr = std::move(load.items);
            if (win.LauncherItemArr->empty()) {
                // An empty window still shows its title band and panel (in memory only).
                win.ViewTitleMenu = true;
                win.ViewBackPanel = true;
            }
            for (auto& [item, fitted] : load.fitted)
                LauncherComposition::KeepFitted(win.m_fitted, item, std::move(fitted));
            load.fitted.clear();
            load.out = LauncherComposition::Compose(win.CompositionInput(load.width, load.dpr));
        });
    };
    const auto fitBatch = [&tasks, finished](WindowLoad& load, std::vector<ReadRow>&& batch) {
        ++load.pending;
        tasks.Add([&load, finished, rows = std::move(batch)]() mutable {
            std::vector<std::pair<const AppListClass*, LauncherComposition::FittedIcon>> made;
            for (ReadRow& r : rows) {
                // Kept compressed; decoded only at the size the window draws them.
                r.item->Icon = StoredPicture::fromData(DecodeBase64(QByteArrayView(r.iconText)));
                r.item->IconMask =
                    StoredPicture::fromData(DecodeBase64(QByteArrayView(r.maskText)));
                r.iconText = r.maskText = {};
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
    if (loads.size() == 1) {
        // One window reads on the caller's connection, which sees its own open changes.
        WindowLoad& load = *loads[0];
        tasks.Add([&db, &load, fitBatch, finished] {
            RowReader reader(db);
            readRows(reader, load, [&](std::vector<ReadRow>&& b) { fitBatch(load, std::move(b)); });
            finished(load);
        });
    } else {
        for (auto& l : loads)
            tasks.Add([file = db.DatabaseFile, &load = *l, fitBatch, finished] {
                RowReader reader(file);
                readRows(reader, load,
                         [&](std::vector<ReadRow>&& b) { fitBatch(load, std::move(b)); });
                finished(load);
            });
    }
    tasks.Run(TaskGroup::CoreCount());
    for (auto& load : loads) {
        if (!load->ok) {
            GlobalModule::ReportUnreadableDatabase(load->error);
            continue;
        }
        Q_EMIT load->win->ItemsChanged();
        load->win->TakeComposition(std::move(load->out));
    }
}

qint64 LauncherWin::GetMaxAppUIDMethod(Database& db) {
    return GlobalModule::NextFreeNumber(db, QStringLiteral("Select MAX(AppUID) from LauncherList"));
}

qint64 LauncherWin::GetMaxAppSEQMethod(Database& db) {
    return GlobalModule::NextFreeNumber(db, QStringLiteral("Select MAX(AppSEQ) from LauncherList"));
}

void LauncherWin::DropAppMethod(const FolderItem& f) {
    Database* db = GlobalModule::DBConnectMethod();
    if (!db)
        return;
    if (!f.Exists())
        return;
    const qint64 uid = GetMaxAppUIDMethod(*db);
    if (uid == -1)
        return;
    const qint64 seq = GetMaxAppSEQMethod(*db);
    if (seq == -1)
        return;
    const QString name = f.DisplayName();
    const QString path = f.AbsolutePath();
    const QImage icon = GlobalModule::GetIconImageMethod(f, 128, IconKind::Icon);
    const QImage mask = GlobalModule::GetIconImageMethod(f, 128, IconKind::Mask);

    auto item = std::make_shared<AppListClass>();
    item->AppUID = uid;
    item->AppSEQ = seq;
    item->AppName = name;
    item->AppPath = path;
    item->Icon = icon;
    item->IconMask = mask;
    item->NewOldValue = QStringLiteral("old");
    item->Broken = false;
    item->f = f;

    const LauncherListRow row{LauncherWinUID,
                              uid,
                              seq,
                              name,
                              path,
                              GlobalModule::StoredIconText(item->Icon),
                              GlobalModule::StoredIconText(item->IconMask)};
    db->InsertRecord(LauncherListColumn::Table, row.Record());
    if (db->Error())
        GlobalModule::MsgBox(f.DisplayName() + QStringLiteral(" add error~!"));
    // Outside a transaction the change is already stored and Commit has nothing to report.
    db->Commit();
    LauncherItemArr->push_back(std::move(item));
    Q_EMIT ItemsChanged();
    MakeAppImageMethod();
}
