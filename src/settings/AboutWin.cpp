#include "settings/AboutWin.h"

#include "platform/Desktop.h"
#include "platform/Framework.h"
#include "shared/AppMedia.h"
#include "shared/Captions.h"
#include "shared/DialogSupport.h"
#include "shared/GlobalModule.h"
#include "shared/SingleDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace {
constexpr Caption kTitle{"About Vondrelaskit", "Vondrelaskit에 대해서..."};
constexpr Caption kClose{"Close", "닫  기"};
} // namespace

namespace {

QLabel* staticText(QWidget* parent, const char* name, const QString& text, QColor color) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(PixelFont(12));
    label->setAlignment(Qt::AlignCenter);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
    return label;
}

} // namespace

AboutWin* AboutWin::instance() {
    return SingleDialog<AboutWin>::instance();
}

QString AboutWin::authorPage() {
    // There is no author's page to point at: the box shows no link rather than an address
    // that leads nowhere.
    return QString();
}

// A plain window rather than a QDialog: a dialog would close on Escape.
AboutWin::AboutWin()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kTitle.English());
    setFixedSize(300, 289);
    setFont(PixelFont(12));

    MainImageCanvas = new QLabel(this);
    MainImageCanvas->setObjectName(QStringLiteral("MainImageCanvas"));
    MainImageCanvas->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    MainImageCanvas->setPixmap(QPixmap::fromImage(AppMedia::LauncherMainIcon()));
    MainImageCanvas->setGeometry(86, 7, 128, 128);

    VersionInfoText =
        staticText(this, "VersionInfoText", QStringLiteral("Vondrelaskit ver 1.0"), Qt::black);
    VersionInfoText->setGeometry(0, 138, 300, 20);

    StaticText4 = staticText(this, "StaticText4", authorPage(), QColor(0x20, 0x28, 0xA6));
    // The address has 184 pixels; a wider font gets the room it needs, around the same
    // centre, rather than a clipped address.
    const int linkWidth =
        qMin(width(), qMax(184, StaticText4->fontMetrics().horizontalAdvance(authorPage()) + 8));
    StaticText4->setGeometry(54 + 92 - linkWidth / 2, 196, linkWidth, 20);
    if (!authorPage().isEmpty()) {
        StaticText4->setCursor(Qt::PointingHandCursor);
        StaticText4->installEventFilter(this);
    }

    CancelButton = DialogButton(this, kClose.English(), QStringLiteral("CancelButton"),
                                QRect(106, 260, 80, 20));
    // Neither default nor cancel button: Return and Escape do not press it.
    CancelButton->setAutoDefault(false);
    CancelButton->setDefault(false);
    connect(CancelButton, &QPushButton::clicked, this, &AboutWin::CancelButton_Action);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    AddMenuHandlers();
    Event_Open();
}

void AboutWin::Show() {
    GlobalModule::ShowInFront(this);
}

void AboutWin::AddMenuHandlers() {
    GlobalModule::AddCloseMenuHandler(this);
}

void AboutWin::Event_Open() {
    LocalizeMethod();
}

void AboutWin::LocalizeMethod() {
    setWindowTitle(kTitle.text());
    CancelButton->setText(kClose.text());
}

void AboutWin::CancelButton_Action() {
    close();
}

bool AboutWin::StaticText4_MouseDown(int, int) {
    if (!authorPage().isEmpty())
        Desktop::instance().openUrl(QUrl(authorPage()));
    return false;
}

bool AboutWin::_CloseMenu_Action() {
    close();
    return true;
}

bool AboutWin::eventFilter(QObject* watched, QEvent* event) {
    if (watched == StaticText4 && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QPoint at = mouse->position().toPoint();
            StaticText4_MouseDown(at.x(), at.y());
            return true; // the press is used up: no drag or release follows
        }
    }
    return QWidget::eventFilter(watched, event);
}

void AboutWin::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted())
        SingleDialog<AboutWin>::closed(this);
}
