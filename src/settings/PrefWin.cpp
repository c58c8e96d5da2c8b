#include "settings/PrefWin.h"

#include "platform/AlphaShape.h"
#include "platform/Framework.h"
#include "platform/Transparency.h"
#include "shared/Captions.h"
#include "shared/DialogSupport.h"
#include "shared/GlobalModule.h"
#include "shared/SingleDialog.h"
#include "store/PrefClass.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {
constexpr Caption kLanguage{"Language", "언어설정"};
constexpr Caption kActivationKey{"Activation Key Setting", "동작키 설정"};
constexpr Caption kDefaultTransparent{"Default Transparent", "윈도우의 기본 투명도"};
constexpr Caption kNotSaved{"The preferences could not be saved.",
                            "환경설정을 저장하지 못했습니다."};
} // namespace

namespace {

constexpr int bodyRadius = 12;

QPainterPath bodyPath(const QSize& size) {
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0), bodyRadius,
                        bodyRadius);
    return path;
}

} // namespace

PrefWin* PrefWin::instance() {
    return SingleDialog<PrefWin>::instance();
}

PrefWin::PrefWin()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Preferences"));
    setFixedSize(381, 266);
    setFont(PixelFont(12));

    CreateActivationKeyControls();
    CreateButtons();
    CreateTransparencyControls();
    CreateLanguageControls();
    SetTabOrder();

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    updateShape();
    AddMenuHandlers();
    Event_Open();
}

// The activation key: one box per modifier.
void PrefWin::CreateActivationKeyControls() {
    ActivateSettingGroupbox = new QGroupBox(kActivationKey.English(), this);
    ActivateSettingGroupbox->setObjectName(QStringLiteral("ActivateSettingGroupbox"));
    ActivateSettingGroupbox->setFont(PixelFont(12));
    PlaceControl(ActivateSettingGroupbox, 38, 81, 304, 85);

    const auto checkbox = [this](const char* name, const QString& caption, const QString& key,
                                 int left, int top) {
        auto* box = new QCheckBox(caption, ActivateSettingGroupbox);
        box->setObjectName(QLatin1String(name));
        box->setFont(PixelFont(0));
        // The captions keep the Mac names; the tooltip says which key of this keyboard it is.
        box->setToolTip(key);
        PlaceControl(box, left, top, 120, 20);
        return box;
    };
    CommandCheckbox = checkbox("CommandCheckbox", QStringLiteral("Command Key"),
                               QStringLiteral("Super (Windows/Meta) key"), 50, 104);
    OptionCheckbox = checkbox("OptionCheckbox", QStringLiteral("Option Key"),
                              QStringLiteral("Alt key"), 191, 104);
    ShiftCheckbox = checkbox("ShiftCheckbox", QStringLiteral("Shift Key"),
                             QStringLiteral("Shift key"), 50, 136);
    ControlCheckbox = checkbox("ControlCheckbox", QStringLiteral("Control Key"),
                               QStringLiteral("Ctrl key"), 191, 136);
}

void PrefWin::CreateButtons() {
    OKButton = DialogButton(this, CommonCaptions::OK.English(), QStringLiteral("OKButton"),
                            QRect(196, 226, 80, 20));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &PrefWin::OKButton_Action);

    CancelButton = DialogButton(this, CommonCaptions::Cancel.English(),
                                QStringLiteral("CancelButton"), QRect(104, 226, 80, 20));
    connect(CancelButton, &QPushButton::clicked, this, &PrefWin::CancelButton_Action);
}

// The default transparency of new windows.
void PrefWin::CreateTransparencyControls() {
    TransparentText = new QLabel(kDefaultTransparent.English(), this);
    TransparentText->setObjectName(QStringLiteral("TransparentText"));
    TransparentText->setFont(PixelFont(0));
    TransparentText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    TransparentText->setPalette([this] {
        QPalette p = palette();
        p.setColor(QPalette::WindowText, Qt::black);
        return p;
    }());
    PlaceControl(TransparentText, 50, 178, 150, 20);

    TransValuePopupMenu = new QComboBox(this);
    TransValuePopupMenu->setObjectName(QStringLiteral("TransValuePopupMenu"));
    TransValuePopupMenu->setFont(PixelFont(12));
    TransValuePopupMenu->addItems(TransparencyRows());
    TransValuePopupMenu->setCurrentIndex(0);
    PlaceControl(TransValuePopupMenu, 205, 178, 116, 20);
}

void PrefWin::CreateLanguageControls() {
    LanguageGroupBox = new QGroupBox(kLanguage.English(), this);
    LanguageGroupBox->setObjectName(QStringLiteral("LanguageGroupBox"));
    LanguageGroupBox->setFont(PixelFont(12));
    PlaceControl(LanguageGroupBox, 38, 14, 304, 55);

    KoreanRadioButton = new QRadioButton(QStringLiteral("Korean"), LanguageGroupBox);
    KoreanRadioButton->setObjectName(QStringLiteral("KoreanRadioButton"));
    KoreanRadioButton->setFont(PixelFont(12));
    KoreanRadioButton->setChecked(true);
    PlaceControl(KoreanRadioButton, 50, 39, 100, 20);
    connect(KoreanRadioButton, &QRadioButton::clicked, this, &PrefWin::KoreanRadioButton_Action);

    EnglishRadioButton = new QRadioButton(QStringLiteral("English"), LanguageGroupBox);
    EnglishRadioButton->setObjectName(QStringLiteral("EnglishRadioButton"));
    EnglishRadioButton->setFont(PixelFont(12));
    PlaceControl(EnglishRadioButton, 191, 39, 100, 20);
    connect(EnglishRadioButton, &QRadioButton::clicked, this, &PrefWin::EnglishRadioButton_Action);
}

void PrefWin::SetTabOrder() {
    // Top to bottom, the way the dialog reads.
    setTabOrder(KoreanRadioButton, EnglishRadioButton);
    setTabOrder(EnglishRadioButton, CommandCheckbox);
    setTabOrder(CommandCheckbox, OptionCheckbox);
    setTabOrder(OptionCheckbox, ShiftCheckbox);
    setTabOrder(ShiftCheckbox, ControlCheckbox);
    setTabOrder(ControlCheckbox, TransValuePopupMenu);
    setTabOrder(TransValuePopupMenu, CancelButton);
    setTabOrder(CancelButton, OKButton);
}

void PrefWin::Show() {
    GlobalModule::ShowInFront(this);
}

void PrefWin::AddMenuHandlers() {
    GlobalModule::AddCloseMenuHandler(this);
}

// Runs once, before the window is first shown: translucency must be set up by then.
void PrefWin::Event_Open() {
    MakeTransparentMBS(this);
    SetTransparencyMBS(this, GlobalModule::MyPref->TransparentValue);
    ReadMethod();
    LocalizeMethod();
}

void PrefWin::ReadMethod() {
    const PrefClass& pref = *GlobalModule::MyPref;
    CommandCheckbox->setChecked(pref.CommandKeyValue);
    OptionCheckbox->setChecked(pref.OptionKeyValue);
    ControlCheckbox->setChecked(pref.ControlKeyValue);
    ShiftCheckbox->setChecked(pref.ShiftKeyValue);
    // A value between the steps leaves the pop-up on its first row.
    if (const int row = TransparencyRowOf(pref.TransparentValue); row >= 0)
        TransValuePopupMenu->setCurrentIndex(row);
    if (TextEquals(pref.Language, QStringLiteral("korean")))
        KoreanRadioButton->setChecked(true);
    else
        EnglishRadioButton->setChecked(true);
}

void PrefWin::SaveMethod() {
    PrefClass& pref = *GlobalModule::MyPref;
    pref.CommandKeyValue = CommandCheckbox->isChecked();
    pref.OptionKeyValue = OptionCheckbox->isChecked();
    pref.ControlKeyValue = ControlCheckbox->isChecked();
    pref.ShiftKeyValue = ShiftCheckbox->isChecked();
    pref.TransparentValue = qint32(Val(TransValuePopupMenu->currentText()));
    pref.Language =
        KoreanRadioButton->isChecked() ? QStringLiteral("korean") : QStringLiteral("english");
    const bool saved = pref.SavePrefMethod();
    // The new settings hold until quit either way, but the person must know that the next
    // start will not have them.
    if (!saved)
        GlobalModule::MsgBox(kNotSaved.text());
    close();
}

void PrefWin::OKButton_Action() {
    SaveMethod();
}

void PrefWin::CancelButton_Action() {
    close();
}

void PrefWin::KoreanRadioButton_Action() {
    GlobalModule::MyPref->Language = QStringLiteral("korean");
    LocalizeMethod();
}

void PrefWin::EnglishRadioButton_Action() {
    GlobalModule::MyPref->Language = QStringLiteral("english");
    LocalizeMethod();
}

bool PrefWin::_CloseMenu_Action() {
    close();
    return true;
}

void PrefWin::LocalizeMethod() {
    LanguageGroupBox->setTitle(kLanguage.text());
    ActivateSettingGroupbox->setTitle(kActivationKey.text());
    TransparentText->setText(kDefaultTransparent.text());
    CancelButton->setText(CommonCaptions::Cancel.text());
    OKButton->setText(CommonCaptions::OK.text());
}

void PrefWin::Event_MouseDown(int x, int y) {
    xx = x;
    yy = y;
}

void PrefWin::Event_MouseDrag(int x, int y) {
    move(pos() + QPoint(x - xx, y - yy));
}

// Presses on the empty parts of the group boxes reach the body too, so they drag as well.
void PrefWin::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    Event_MouseDown(at.x(), at.y());
    m_dragging = true;
}

void PrefWin::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    // Taken from the global position and where the window is now, so that a move the
    // window system has not carried out yet cannot make the dialog run away.
    const QPoint at = event->globalPosition().toPoint() - pos();
    Event_MouseDrag(at.x(), at.y());
}

void PrefWin::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void PrefWin::keyPressEvent(QKeyEvent* event) {
    if (!PressDialogButtonForKey(event, OKButton, CancelButton))
        QWidget::keyPressEvent(event);
}

void PrefWin::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    // From now on the accessor makes a fresh dialog, even before this one is deleted.
    if (event->isAccepted())
        SingleDialog<PrefWin>::closed(this);
}

void PrefWin::paintEvent(QPaintEvent*) {
    // The window itself is translucent; the body is painted opaque so the controls read.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(QColor(160, 160, 160));
    p.setBrush(QColor(244, 244, 244));
    p.drawPath(bodyPath(size()));
}

void PrefWin::updateShape() {
    // Without a compositing manager the transparent corners would show black.
    QImage image(size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(bodyPath(size()), Qt::black);
    p.end();
    ApplyAlphaShape(this, image);
}
