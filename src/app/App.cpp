#include "app/App.h"

#include "app/FileTypes.h"
#include "app/InstanceLock.h"
#include "app/LauncherLoader.h"
#include "app/MenuBar1.h"
#include "app/SessionEnd.h"
#include "app/StartUpWiring.h"
#include "editor/NewLauncherWin.h"
#include "launcher/CheckVisibleTimerWin.h"
#include "launcher/LauncherApp.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "platform/AudioChatter.h"
#include "platform/Environment.h"
#include "platform/Framework.h"
#include "platform/IconTheme.h"
#include "settings/AboutWin.h"
#include "settings/PrefWin.h"
#include "settings/SelectYourLanguageWin.h"
#include "shared/AppMedia.h"
#include "shared/Captions.h"
#include "shared/DialogSupport.h"
#include "shared/GlobalModule.h"
#include "shared/WorkProgress.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QPointer>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <sys/socket.h>
#include <unistd.h>

namespace {
App* running = nullptr;
constexpr Caption kLookingAtApplications{"Looking at the applications...",
                                         "응용 프로그램을 살펴보는 중..."};
} // namespace

App::App(LauncherApp& context) {
    running = this;
    connect(&context, &AppContext::quitRequested, this,
            [](int status) { QCoreApplication::exit(status); });
    connect(&context, &AppContext::closeMenuHandlerRequested, this, &App::AddCloseMenuHandler);
    MenuBar1* bar = MenuBar1::instance();
    _ApplicationAddMenuHandlers();
    connect(bar->menu(), &QMenu::aboutToShow, this, &App::Event_EnableMenuItems);
    for (QMenu* sub : bar->menu()->findChildren<QMenu*>())
        connect(sub, &QMenu::aboutToShow, this, &App::Event_EnableMenuItems);
    qApp->installEventFilter(this);
}

void App::ShowTrayIcon() {
    if (m_tray)
        return;
    MenuBar1* bar = MenuBar1::instance();
    // Made whether or not a tray runs now: at a session's start the panel often comes after
    // us, and the icon appears in the tray as soon as there is one.
    m_tray = std::make_unique<QSystemTrayIcon>();
    m_tray->setIcon(QIcon(QPixmap::fromImage(AppMedia::LauncherMainIcon())));
    m_tray->setToolTip(QStringLiteral("Vondrelaskit"));
    m_tray->setContextMenu(bar->menu());
    m_tray->show();
}

App::~App() {
    qApp->removeEventFilter(this);
    if (running == this)
        running = nullptr;
}

App* App::instance() {
    return running;
}

void App::_ApplicationAddMenuHandlers() {
    connect(MenuItems::NewMenu(), &QAction::triggered, this, &App::_NewMenu_Action);
    connect(MenuItems::AboutMenu(), &QAction::triggered, this, &App::_AboutMenu_Action);
    connect(MenuItems::PrefMenu(), &QAction::triggered, this, &App::_PrefMenu_Action);
    connect(MenuItems::CloseMenu(), &QAction::triggered, this, &App::CloseFrontWindow);
}

void App::Event_Open() {
    CheckVisibleTimerWin::instance()->Show();
    GlobalModule::MyPref = std::make_unique<PrefClass>();
    GlobalModule::MyPref->ReadPrefMethod();
    // Without a folder to keep the database in there is nothing to do: said, then ended.
    if (const QString problem = GlobalModule::LauncherFolderProblem(); !problem.isEmpty()) {
        GlobalModule::MsgBox(QStringLiteral("create error!\n") + problem,
                             [] { GlobalModule::Quit(1); });
        return;
    }
    // A first start looks at every application first: the event loop runs meanwhile, and a
    // long look is shown.
    auto progress = std::make_shared<std::unique_ptr<WorkProgress>>();
    GlobalModule::MakeDBMethod(
        [self = QPointer<App>(this), progress] {
            progress->reset();
            if (self)
                self->continueOpen();
        },
        [progress](int written, int total) {
            if (!*progress)
                *progress = std::make_unique<WorkProgress>(kLookingAtApplications.text(), total);
            (*progress)->Update(written);
        });
}

void App::continueOpen() {
    if (TextEquals(GlobalModule::MyPref->Language, QStringLiteral("none")))
        SelectYourLanguageWin::instance()->Show();
    else
        GlobalModule::LoadLauncherWinMethod();
    // After the windows: with the key held they show first.
    ShowTrayIcon();
}

void App::Event_EnableMenuItems() {
    MenuItems::AboutMenu()->setEnabled(true);
    MenuItems::PrefMenu()->setEnabled(true);
    MenuItems::NewMenu()->setEnabled(true);
    EnableCloseMenu();
}

void App::EnableCloseMenu(const QWidget* opening, const QWidget* closing) {
    // Close Window follows the dialogs that answer it: each enables it while it is open.
    bool anyOpen = false;
    for (const auto& w : m_closeHandlers)
        anyOpen = anyOpen || (w && w != closing && (w == opening || w->isVisible()));
    MenuItems::CloseMenu()->setEnabled(anyOpen);
}

bool App::_NewMenu_Action() {
    NewLauncherWin::instance()->Show();
    return true;
}

bool App::_AboutMenu_Action() {
    AboutWin::instance()->Show();
    return true;
}

bool App::_PrefMenu_Action() {
    PrefWin::instance()->Show();
    return true;
}

void App::AddCloseMenuHandler(QWidget* window) {
    m_closeHandlers.emplace_back(window);
    MenuBar1::instance()->installShortcuts(window);
    connect(window, &QObject::destroyed, this, [this] { EnableCloseMenu(); });
    EnableCloseMenu();
}

bool App::CloseFrontWindow() {
    std::erase_if(m_closeHandlers, [](const QPointer<QWidget>& w) { return !w; });
    QWidget* front = nullptr;
    QWidget* active = QApplication::activeWindow();
    for (const auto& w : m_closeHandlers)
        if (w == active && w->isVisible())
            front = w;
    for (auto it = m_closeHandlers.rbegin(); !front && it != m_closeHandlers.rend(); ++it)
        if ((*it)->isVisible())
            front = *it;
    if (!front)
        return false;
    front->close();
    return true;
}

bool App::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide) && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->isWindow() &&
            std::find(m_closeHandlers.begin(), m_closeHandlers.end(), w) != m_closeHandlers.end())
            EnableCloseMenu(type == QEvent::Show ? w : nullptr, type == QEvent::Hide ? w : nullptr);
    }
    if (type == QEvent::WindowActivate) {
        auto it = std::find(m_closeHandlers.begin(), m_closeHandlers.end(), watched);
        if (it != m_closeHandlers.end()) {
            QPointer<QWidget> w = *it;
            m_closeHandlers.erase(it);
            m_closeHandlers.push_back(w);
        }
    }
    return QObject::eventFilter(watched, event);
}

namespace {

int signalPipe[2] = {-1, -1};
// Ends the process should the orderly end after a signal not come in time (a write that
// waits for another program's lock, a long drop). What is stored stays whole: every change
// is one transaction of the database engine.
timer_t backstop;
bool backstopReady = false;
volatile sig_atomic_t ending = 0;

void onBackstop(int) {
    ::_exit(0);
}

void onSignal(int) {
    const char c = 1;
    [[maybe_unused]] auto n = ::write(signalPipe[1], &c, 1);
    if (backstopReady && !ending) {
        ending = 1;
        itimerspec in = {};
        in.it_value.tv_nsec = 900'000'000;
        ::timer_settime(backstop, 0, &in, nullptr);
    }
}

void setUpBackstop() {
    struct sigaction sa = {};
    sa.sa_handler = onBackstop;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGALRM, &sa, nullptr);
    sigevent event = {};
    event.sigev_notify = SIGEV_SIGNAL;
    event.sigev_signo = SIGALRM;
    backstopReady = ::timer_create(CLOCK_MONOTONIC, &event, &backstop) == 0;
}

} // namespace

int _Main(int argc, char** argv) {
    // One running copy per user: a second start leaves at once and touches nothing. A lock
    // that cannot be taken for another reason is no sign of a running copy.
    const InstanceLock lock = InstanceLock::Take();
    if (lock.outcome == InstanceLock::Outcome::HeldByRunningCopy)
        return 0;
    if (lock.outcome == InstanceLock::Outcome::Failed) {
        std::fprintf(stderr, "vondrelaskit: cannot take the single-instance lock: %s\n",
                     qPrintable(lock.error));
        return 1;
    }

    // Launcher windows place themselves on screen, which only X11 allows; the choice is
    // passed as an argument so that launched programs do not inherit it.
    std::vector<char*> args(argv, argv + argc);
    static char platformFlag[] = "-platform";
    static char xcb[] = "xcb";
    if (qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        args.push_back(platformFlag);
        args.push_back(xcb);
    }
    args.push_back(nullptr);
    int count = int(args.size()) - 1;
    QApplication application(count, args.data());
    QApplication::setApplicationName(QStringLiteral("Vondrelaskit"));
    QApplication::setQuitOnLastWindowClosed(false);
    SilenceAudioBackEndChatter();
    SetUpIconTheme();
    EndWithTheDisplay();

    // SIGINT, SIGTERM and SIGHUP end the event loop like Quit, within a second whatever is open.
    std::unique_ptr<QSocketNotifier> signals;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        signals = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
        QObject::connect(signals.get(), &QSocketNotifier::activated, &application, [] {
            char c;
            [[maybe_unused]] auto n = ::read(signalPipe[0], &c, 1);
            QCoreApplication::quit();
        });
        setUpBackstop();
        struct sigaction sa = {};
        sa.sa_handler = onSignal;
        sigemptyset(&sa.sa_mask);
        for (int sig : {SIGINT, SIGTERM, SIGHUP})
            ::sigaction(sig, &sa, nullptr);
    }

    FileTypes::_Initialize();
    LauncherApp context(Environment::FromProcess(), makeRealDesktop());
    WireStartUp(context);
    int status = 0;
    {
        App app(context);
        QTimer::singleShot(0, &app, &App::Event_Open);
        status = QApplication::exec();
        GlobalModule::ReleaseGlobals();
        // Dialogs still open go with the application.
        DeleteOpenDialogs();
    }
    return status;
}
