#include "settings/SelectYourLanguageWin.h"

#include "platform/Framework.h"
#include "shared/AppMedia.h"
#include "shared/Captions.h"
#include "shared/DialogSupport.h"
#include "shared/GlobalModule.h"
#include "shared/SingleDialog.h"
#include "store/PrefClass.h"

#include <QCloseEvent>

#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>

#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {
constexpr Caption kTitle{"Select Your Language", "언어를 선택해 주세요..^^;;"};
constexpr Caption kLanguage{"Language", "언어선택"};
constexpr Caption kNotSaved{
    "The preferences could not be saved. The language will be asked "
    "again at the next start.",
    "환경설정을 저장하지 못했습니다. 다음에 시작할 때 언어를 다시 묻습니다."};
} // namespace

SelectYourLanguageWin* SelectYourLanguageWin::instance() {
    return SingleDialog<SelectYourLanguageWin>::instance();
}

SelectYourLanguageWin::SelectYourLanguageWin()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    // Nothing else is to be used before the question is answered.
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(kTitle.English());
    setFixedSize(275, 131);
    setFont(PixelFont(12));

    LanguageGroupBox = new QGroupBox(kLanguage.English(), this);
    LanguageGroupBox->setObjectName(QStringLiteral("LanguageGroupBox"));
    LanguageGroupBox->setFont(PixelFont(11));
    PlaceControl(LanguageGroupBox, 20, 14, 224, 55);

    KoreanRadioButton = new QRadioButton(QStringLiteral("Korean"), LanguageGroupBox);
    KoreanRadioButton->setObjectName(QStringLiteral("KoreanRadioButton"));
    KoreanRadioButton->setFont(PixelFont(12));
    PlaceControl(KoreanRadioButton, 32, 39, 100, 20);
    connect(KoreanRadioButton, &QRadioButton::clicked, this,
            &SelectYourLanguageWin::KoreanRadioButton_Action);

    EnglishRadioButton = new QRadioButton(QStringLiteral("English"), LanguageGroupBox);
    EnglishRadioButton->setObjectName(QStringLiteral("EnglishRadioButton"));
    EnglishRadioButton->setFont(PixelFont(12));
    EnglishRadioButton->setChecked(true);
    PlaceControl(EnglishRadioButton, 144, 39, 90, 20);
    connect(EnglishRadioButton, &QRadioButton::clicked, this,
            &SelectYourLanguageWin::EnglishRadioButton_Action);

    OKButton = DialogButton(this, CommonCaptions::OK.English(), QStringLiteral("OKButton"),
                            QRect(138, 91, 80, 20));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &SelectYourLanguageWin::OKButton_Action);

    CancelButton = DialogButton(this, CommonCaptions::Cancel.English(),
                                QStringLiteral("CancelButton"), QRect(46, 91, 80, 20));
    connect(CancelButton, &QPushButton::clicked, this, &SelectYourLanguageWin::CancelButton_Action);

    setTabOrder(KoreanRadioButton, EnglishRadioButton);
    setTabOrder(EnglishRadioButton, CancelButton);
    setTabOrder(CancelButton, OKButton);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    AddMenuHandlers();
}

void SelectYourLanguageWin::Show() {
    GlobalModule::ShowInFront(this);
}

void SelectYourLanguageWin::KoreanRadioButton_Action() {
    GlobalModule::MyPref->Language = QStringLiteral("korean");
    LocalizeMethod();
}

void SelectYourLanguageWin::EnglishRadioButton_Action() {
    GlobalModule::MyPref->Language = QStringLiteral("english");
    LocalizeMethod();
}

void SelectYourLanguageWin::OKButton_Action() {
    // Until the thanks are dismissed the dialog stays; a second OK meanwhile must not load
    // the launcher windows twice.
    if (m_choosing)
        return;
    m_choosing = true;
    PrefClass& pref = *GlobalModule::MyPref;
    const bool korean = KoreanRadioButton->isChecked();
    pref.Language = korean ? QStringLiteral("korean") : QStringLiteral("english");
    // Nothing is saved before the person has dismissed the thanks.
    GlobalModule::MsgBox(korean ? QStringLiteral("언어를 선택해 주셔서 감사합니다..^^;;")
                                : QStringLiteral("Thank you for you selecting language~!"),
                         [self = QPointer<SelectYourLanguageWin>(this)] {
                             if (self)
                                 self->FinishChoiceMethod();
                         });
}

void SelectYourLanguageWin::FinishChoiceMethod() {
    const bool saved = GlobalModule::MyPref->SavePrefMethod();
    // The launcher still starts, but the person must know the question comes back.
    if (!saved)
        GlobalModule::MsgBox(kNotSaved.text());
    Sound& pop = AppMedia::Pop();
    pop.Volume = 100;
    pop.Play();
    GlobalModule::LoadLauncherWindows();
    close();
}

void SelectYourLanguageWin::CancelButton_Action() {
    GlobalModule::Quit(0);
}

void SelectYourLanguageWin::LocalizeMethod() {
    setWindowTitle(kTitle.text());
    LanguageGroupBox->setTitle(kLanguage.text());
    CancelButton->setText(CommonCaptions::Cancel.text());
    OKButton->setText(CommonCaptions::OK.text());
}

void SelectYourLanguageWin::keyPressEvent(QKeyEvent* event) {
    if (!PressDialogButtonForKey(event, OKButton, CancelButton))
        QWidget::keyPressEvent(event);
}

void SelectYourLanguageWin::closeEvent(QCloseEvent* event) {
    // Closed by its close box: nothing saved, nothing loaded; the next start asks again.
    QWidget::closeEvent(event);
    if (event->isAccepted())
        SingleDialog<SelectYourLanguageWin>::closed(this);
}
