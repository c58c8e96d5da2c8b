// The preferences dialog, the first-run language dialog and the about box.

#include "TestSupport.h"
#include "launcher/LauncherApp.h"

#include "app/App.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "settings/AboutWin.h"
#include "settings/PrefWin.h"
#include "settings/SelectYourLanguageWin.h"
#include "shared/AppMedia.h"
#include "shared/GlobalModule.h"
#include "store/PrefClass.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

QByteArray readPrefFile() {
    QFile f(PrefClass::filePath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool prefFileExists() {
    return QFile::exists(PrefClass::filePath());
}

// The preferences file as the format describes it, built here independently of PrefClass.
QByteArray prefBytes(bool command, bool option, bool control, bool shift, int transparency,
                     const char* language) {
    QByteArray b;
    b.append(char(command)).append(char(option)).append(char(control)).append(char(shift));
    b.append(char(transparency >> 8)).append(char(transparency & 0xFF));
    b.append(char(qstrlen(language))).append(language);
    return b;
}

// A key pressed where the person's typing goes: the focused control, else the window.
void pressKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, key, modifiers);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Preferences dialog

class PrefWinTest : public AppTest {
protected:
    PrefWin* open() {
        PrefWin* w = PrefWin::instance();
        w->Show();
        return w;
    }
};

TEST_F(PrefWinTest, OpensOnTheStoredSettingsAndOkStoresWhatItShows) {
    struct Case {
        int stored;
        const char* language;
        const char* row;
        bool korean;
        int saved;
        const char* savedLanguage;
    } cases[] = {
        {25, "none", "80%", false, 80, "english"}, // between the steps: first row
        {0, "english", " 0 %", false, 0, "english"},
        {50, "KOREAN", "50%", true, 50, "korean"},
        {80, "korean", "80%", true, 80, "korean"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        auto& pref = *GlobalModule::MyPref;
        pref.CommandKeyValue = false;
        pref.OptionKeyValue = true;
        pref.ControlKeyValue = true;
        pref.ShiftKeyValue = false;
        pref.TransparentValue = c.stored;
        pref.Language = QString::fromLatin1(c.language);

        PrefWin* w = open();
        EXPECT_FALSE(w->CommandCheckbox->isChecked());
        EXPECT_TRUE(w->OptionCheckbox->isChecked());
        EXPECT_TRUE(w->ControlCheckbox->isChecked());
        EXPECT_FALSE(w->ShiftCheckbox->isChecked());
        EXPECT_EQ(w->TransValuePopupMenu->currentText(), QLatin1String(c.row));
        EXPECT_EQ(w->KoreanRadioButton->isChecked(), c.korean);
        EXPECT_EQ(w->EnglishRadioButton->isChecked(), !c.korean);
        EXPECT_EQ(w->OKButton->text(), QString::fromUtf8(c.korean ? "확  인" : "OK"));
        // Only OK writes the language a fresh dialog shows; opening alone does not.
        EXPECT_EQ(pref.Language, QString::fromLatin1(c.language));

        QTest::mouseClick(w->OKButton, Qt::LeftButton);
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(readPrefFile(), prefBytes(false, true, true, false, c.saved, c.savedLanguage));
        EXPECT_EQ(pref.TransparentValue, c.saved);
        EXPECT_EQ(pref.Language, QLatin1String(c.savedLanguage));
    }
}

TEST_F(PrefWinTest, OkStoresEditedControlsAllKeysOffIncluded) {
    PrefWin* w = open();
    for (QCheckBox* box :
         {w->CommandCheckbox, w->OptionCheckbox, w->ShiftCheckbox, w->ControlCheckbox})
        if (box->isChecked())
            QTest::mouseClick(box, Qt::LeftButton);
    w->TransValuePopupMenu->setCurrentIndex(8); // " 0 %"
    QTest::mouseClick(w->KoreanRadioButton, Qt::LeftButton);
    QTest::mouseClick(w->OKButton, Qt::LeftButton);

    EXPECT_EQ(readPrefFile(), QByteArray("\x00\x00\x00\x00\x00\x00\x06"
                                         "korean",
                                         13));
    const auto& pref = *GlobalModule::MyPref;
    EXPECT_FALSE(pref.CommandKeyValue || pref.OptionKeyValue || pref.ShiftKeyValue ||
                 pref.ControlKeyValue);
    EXPECT_EQ(pref.TransparentValue, 0);
    EXPECT_TRUE(desktop->messages.isEmpty());
}

TEST_F(PrefWinTest, LanguageButtonsSwitchAtOnceAndCancelKeepsTheFile) {
    const QByteArray stored("\x01\x01\x00\x00\x00\x14\x07"
                            "english",
                            14);
    writeFile(PrefClass::filePath(), stored);
    GlobalModule::MyPref->ReadPrefMethod();

    PrefWin* w = open();
    const auto captions = [w] {
        return QStringList{w->LanguageGroupBox->title(), w->ActivateSettingGroupbox->title(),
                           w->TransparentText->text(), w->CancelButton->text(),
                           w->OKButton->text()};
    };
    const QStringList english{"Language", "Activation Key Setting", "Default Transparent", "Cancel",
                              "OK"};
    EXPECT_EQ(captions(), english);

    QTest::mouseClick(w->KoreanRadioButton, Qt::LeftButton);
    EXPECT_EQ(GlobalModule::MyPref->Language, QLatin1String("korean"));
    EXPECT_EQ(captions(),
              (QStringList{"언어설정", "동작키 설정", "윈도우의 기본 투명도", "취  소", "확  인"}));
    // Check boxes, radio buttons and pop-up rows keep their captions.
    EXPECT_EQ(w->CommandCheckbox->text(), QLatin1String("Command Key"));
    EXPECT_EQ(w->KoreanRadioButton->text(), QLatin1String("Korean"));
    EXPECT_EQ(w->TransValuePopupMenu->itemText(0), QLatin1String("80%"));

    QTest::mouseClick(w->EnglishRadioButton, Qt::LeftButton);
    EXPECT_EQ(captions(), english);
    EXPECT_EQ(GlobalModule::MyPref->Language, QLatin1String("english"));

    QTest::mouseClick(w->KoreanRadioButton, Qt::LeftButton);
    QTest::mouseClick(w->CommandCheckbox, Qt::LeftButton);
    w->TransValuePopupMenu->setCurrentIndex(3);
    QTest::mouseClick(w->CancelButton, Qt::LeftButton);

    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(readPrefFile(), stored);
    EXPECT_EQ(GlobalModule::MyPref->Language, QLatin1String("korean"));
    EXPECT_TRUE(GlobalModule::MyPref->CommandKeyValue);
    EXPECT_EQ(GlobalModule::MyPref->TransparentValue, 20);
}

TEST_F(PrefWinTest, ReturnIsOkAndEscapeIsCancel) {
    struct Case {
        Qt::Key key;
        bool saves;
    } cases[] = {{Qt::Key_Return, true}, {Qt::Key_Enter, true}, {Qt::Key_Escape, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.key));
        QFile::remove(PrefClass::filePath());
        PrefWin* w = open();
        w->CommandCheckbox->setFocus();
        w->CommandCheckbox->setChecked(false);
        pressKey(w, c.key);
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(prefFileExists(), c.saves);
        EXPECT_EQ(GlobalModule::MyPref->CommandKeyValue, !c.saves);
        GlobalModule::MyPref->CommandKeyValue = true;
    }
}

TEST_F(PrefWinTest, EscapeClosesWithoutSavingWhateverControlHasTheFocus) {
    PrefWin* probe = open();
    QStringList controls;
    for (QWidget* c : probe->findChildren<QWidget*>())
        if (c->focusPolicy() & Qt::TabFocus)
            controls << c->objectName();
    probe->close();
    ASSERT_GE(controls.size(), 8);
    for (const QString& name : controls) {
        SCOPED_TRACE(name.toStdString());
        QFile::remove(PrefClass::filePath());
        PrefWin* w = open();
        QWidget* control = w->findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr);
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Escape);
        EXPECT_FALSE(w->isVisible());
        EXPECT_FALSE(prefFileExists());
    }
}

TEST_F(PrefWinTest, SecondShowKeepsEditsAndReopenReadsAfresh) {
    PrefWin* w = open();
    w->CommandCheckbox->setChecked(false);
    w->TransValuePopupMenu->setCurrentIndex(3);
    GlobalModule::MyPref->TransparentValue = 10;

    EXPECT_EQ(PrefWin::instance(), w);
    PrefWin::instance()->Show();
    EXPECT_FALSE(w->CommandCheckbox->isChecked());
    EXPECT_EQ(w->TransValuePopupMenu->currentText(), QLatin1String("50%"));

    w->close(); // not deleted before the event loop runs
    PrefWin* fresh = PrefWin::instance();
    EXPECT_NE(fresh, w);
    EXPECT_TRUE(fresh->CommandCheckbox->isChecked());
    EXPECT_EQ(fresh->TransValuePopupMenu->currentText(), QLatin1String("10%"));
    EXPECT_FALSE(prefFileExists());
}

TEST_F(PrefWinTest, CloseWindowClosesWithoutSaving) {
    App app(*context);
    PrefWin* w = open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::mouseClick(w->KoreanRadioButton, Qt::LeftButton);
    w->ShiftCheckbox->setChecked(true);

    pressKey(w, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(prefFileExists());
    EXPECT_FALSE(GlobalModule::MyPref->ShiftKeyValue);
    EXPECT_EQ(GlobalModule::MyPref->Language, QLatin1String("korean"));
    EXPECT_FALSE(app.CloseFrontWindow()); // nothing left to close
}

TEST_F(PrefWinTest, DraggedByItsBody) {
    PrefWin* w = open();
    const QPoint start = w->pos();
    // The body's margin and the empty part of a group box both drag the dialog.
    struct Case {
        QWidget* on;
        QPoint press;
    } cases[] = {{w, {10, 10}}, {w->ActivateSettingGroupbox, {280, 60}}};
    for (const Case& c : cases) {
        const QPoint before = w->pos();
        QTest::mousePress(c.on, Qt::LeftButton, {}, c.press);
        QTest::mouseMove(c.on, c.press + QPoint(30, 20));
        EXPECT_EQ(w->pos(), before + QPoint(30, 20));
        // The pointer is back over the point it pressed: nothing moves.
        QTest::mouseMove(c.on, c.press);
        EXPECT_EQ(w->pos(), before + QPoint(30, 20));
        QTest::mouseRelease(c.on, Qt::LeftButton, {}, c.press);
    }
    EXPECT_EQ(w->pos(), start + QPoint(60, 40));
    EXPECT_TRUE(w->isVisible());
}

TEST_F(PrefWinTest, FramelessTranslucentAndLaidOutAsDesigned) {
    GlobalModule::MyPref->TransparentValue = 30;
    PrefWin* w = open();
    EXPECT_EQ(w->size(), QSize(381, 266));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(w->windowType(), Qt::Tool);
    EXPECT_TRUE(w->testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_NEAR(w->windowOpacity(), 0.7, 0.01);
    // The body is painted opaque under the controls; the corner stays clear.
    const QImage shot = w->grab().toImage();
    EXPECT_EQ(qAlpha(pixelAt(shot, 190, 215)), 255);
    EXPECT_EQ(qAlpha(pixelAt(shot, 0, 0)), 0);

    struct Case {
        QWidget* control;
        QRect geometry;
        const char* tooltip;
    } cases[] = {
        {w->ActivateSettingGroupbox, {38, 81, 304, 85}, ""},
        {w->CommandCheckbox, {50, 104, 120, 20}, "Super"},
        {w->OptionCheckbox, {191, 104, 120, 20}, "Alt"},
        {w->ShiftCheckbox, {50, 136, 120, 20}, "Shift"},
        {w->ControlCheckbox, {191, 136, 120, 20}, "Ctrl"},
        {w->OKButton, {196, 226, 80, 20}, ""},
        {w->CancelButton, {104, 226, 80, 20}, ""},
        {w->TransparentText, {50, 178, 150, 20}, ""},
        {w->TransValuePopupMenu, {205, 178, 116, 20}, ""},
        {w->LanguageGroupBox, {38, 14, 304, 55}, ""},
        {w->KoreanRadioButton, {50, 39, 100, 20}, ""},
        {w->EnglishRadioButton, {191, 39, 100, 20}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control->objectName().toStdString());
        EXPECT_EQ(QRect(c.control->mapTo(w, QPoint(0, 0)), c.control->size()), c.geometry);
        EXPECT_TRUE(c.control->toolTip().contains(QLatin1String(c.tooltip)));
    }
    EXPECT_EQ(w->OKButton->font().pixelSize(), 12);
    // Size 0 is the application's own size, not the group box's 12 pixels.
    EXPECT_EQ(w->CommandCheckbox->font(), QApplication::font());
    QStringList rows;
    for (int i = 0; i < w->TransValuePopupMenu->count(); ++i)
        rows << w->TransValuePopupMenu->itemText(i);
    EXPECT_EQ(rows, (QStringList{"80%", "70%", "60%", "50%", "40%", "30%", "20%", "10%", " 0 %"}));
}

TEST_F(PrefWinTest, UnwritableFileIsReportedAndTheSettingsStillApply) {
    writeFile(launcherDir(), "not a folder"); // the file cannot be created inside it
    PrefWin* w = open();
    w->TransValuePopupMenu->setCurrentIndex(1);
    QTest::mouseClick(w->OKButton, Qt::LeftButton);

    EXPECT_EQ(desktop->messages, QStringList{"The preferences could not be saved."});
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(GlobalModule::MyPref->TransparentValue, 70);
}

// ---------------------------------------------------------------------------------------------
// First-run language dialog

class SelectYourLanguageWinTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        GlobalModule::MyPref->Language = QStringLiteral("none");
        QObject::connect(context.get(), &AppContext::quitRequested,
                         [this](int status) { quits.push_back(status); });
    }
    SelectYourLanguageWin* open() {
        SelectYourLanguageWin* w = SelectYourLanguageWin::instance();
        w->Show();
        return w;
    }
    std::vector<int> quits;
};

TEST_F(SelectYourLanguageWinTest, OkThanksThenSavesPlaysAndLoadsTheWindows) {
    struct Case {
        bool korean;
        bool byReturn;
        const char* thanks;
        QByteArray file;
    } cases[] = {
        {false, false, "Thank you for you selecting language~!",
         QByteArray("\x01\x01\x00\x00\x00\x14\x07"
                    "english",
                    14)},
        {true, true, "언어를 선택해 주셔서 감사합니다..^^;;",
         QByteArray("\x01\x01\x00\x00\x00\x14\x06"
                    "korean",
                    13)},
    };
    makeDatabase();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.thanks);
        QFile::remove(PrefClass::filePath());
        GlobalModule::LauncherWinArr.clear();
        desktop->messages.clear();
        desktop->sounds.clear();
        GlobalModule::MyPref->Language = QStringLiteral("none");
        // The thanks come first, before anything is saved, played or loaded.
        bool firstAlone = false;
        desktop->onMessage = [&](const QString&) {
            firstAlone = !prefFileExists() && desktop->sounds.empty() &&
                         GlobalModule::LauncherWinArr.empty();
        };

        SelectYourLanguageWin* w = open();
        if (c.korean)
            QTest::mouseClick(w->KoreanRadioButton, Qt::LeftButton);
        if (c.byReturn)
            pressKey(w, Qt::Key_Return);
        else
            QTest::mouseClick(w->OKButton, Qt::LeftButton);

        EXPECT_EQ(desktop->messages, QStringList{QString::fromUtf8(c.thanks)});
        EXPECT_TRUE(firstAlone);
        EXPECT_EQ(readPrefFile(), c.file);
        ASSERT_EQ(desktop->sounds.size(), 1u);
        EXPECT_EQ(desktop->sounds[0], std::make_pair(AppMedia::Pop().resource(), 100));
        EXPECT_EQ(GlobalModule::LauncherWinArr.size(), 1u); // the default "apple" window
        EXPECT_FALSE(w->isVisible());
        EXPECT_TRUE(quits.empty());
    }
}

TEST_F(SelectYourLanguageWinTest, RadioButtonsSwitchTheTextsAtOnce) {
    SelectYourLanguageWin* w = open();
    const auto texts = [w] {
        return QStringList{w->windowTitle(), w->LanguageGroupBox->title(), w->CancelButton->text(),
                           w->OKButton->text()};
    };
    const QStringList english{"Select Your Language", "Language", "Cancel", "OK"};
    EXPECT_EQ(texts(), english);
    EXPECT_TRUE(w->EnglishRadioButton->isChecked());

    QTest::mouseClick(w->KoreanRadioButton, Qt::LeftButton);
    EXPECT_EQ(texts(), (QStringList{"언어를 선택해 주세요..^^;;", "언어선택", "취  소", "확  인"}));
    EXPECT_EQ(GlobalModule::MyPref->Language, QLatin1String("korean"));
    EXPECT_EQ(w->KoreanRadioButton->text(), QLatin1String("Korean"));

    QTest::mouseClick(w->EnglishRadioButton, Qt::LeftButton);
    EXPECT_EQ(texts(), english);
    EXPECT_EQ(GlobalModule::MyPref->Language, QLatin1String("english"));
    EXPECT_FALSE(prefFileExists());
}

TEST_F(SelectYourLanguageWinTest, CancelAndEscapeQuitWithoutSaving) {
    makeDatabase();
    for (bool byEscape : {false, true}) {
        SCOPED_TRACE(byEscape);
        quits.clear();
        SelectYourLanguageWin* w = open();
        QTest::mouseClick(w->KoreanRadioButton, Qt::LeftButton);
        if (byEscape)
            pressKey(w, Qt::Key_Escape);
        else
            QTest::mouseClick(w->CancelButton, Qt::LeftButton);
        EXPECT_EQ(quits, std::vector<int>{0});
        EXPECT_FALSE(prefFileExists());
        EXPECT_TRUE(GlobalModule::LauncherWinArr.empty());
        EXPECT_TRUE(desktop->messages.isEmpty());
        EXPECT_TRUE(desktop->sounds.empty());
        w->close(); // the event loop would have ended; here the next round starts afresh
    }
}

TEST_F(SelectYourLanguageWinTest, ClosedByItsCloseBoxDoesNothing) {
    makeDatabase();
    SelectYourLanguageWin* w = open();
    w->close();
    EXPECT_TRUE(quits.empty());
    EXPECT_FALSE(prefFileExists());
    EXPECT_TRUE(GlobalModule::LauncherWinArr.empty());
    EXPECT_TRUE(desktop->messages.isEmpty());
    EXPECT_NE(SelectYourLanguageWin::instance(), w);
}

TEST_F(SelectYourLanguageWinTest, UnwritableFileIsReportedAndTheWindowsStillLoad) {
    makeDatabase();
    writeFile(PrefClass::filePath() + QStringLiteral("/blocker"), "a folder where the file goes");
    SelectYourLanguageWin* w = open();
    QTest::mouseClick(w->OKButton, Qt::LeftButton);

    ASSERT_EQ(desktop->messages.size(), 2);
    EXPECT_EQ(desktop->messages[0], QLatin1String("Thank you for you selecting language~!"));
    EXPECT_TRUE(
        desktop->messages[1].startsWith(QLatin1String("The preferences could not be saved")));
    EXPECT_EQ(GlobalModule::LauncherWinArr.size(), 1u);
    EXPECT_FALSE(w->isVisible());
}

// ---------------------------------------------------------------------------------------------
// About box

class AboutWinTest : public AppTest {
protected:
    AboutWin* open() {
        AboutWin* w = AboutWin::instance();
        w->Show();
        return w;
    }
};

TEST_F(AboutWinTest, ShowsPictureVersionAndTheLinksPlace) {
    AboutWin* w = open();
    EXPECT_EQ(w->size(), QSize(300, 289));
    EXPECT_EQ(w->MainImageCanvas->geometry(), QRect(86, 7, 128, 128));
    EXPECT_FALSE(w->MainImageCanvas->pixmap().isNull());
    EXPECT_EQ(w->VersionInfoText->text(), QLatin1String("Vondrelaskit ver 1.0"));
    // At 54, 196, 184 x 20, widened around its centre when the font needs more room.
    const QRect link = w->StaticText4->geometry();
    EXPECT_EQ(link.top(), 196);
    EXPECT_EQ(link.height(), 20);
    EXPECT_GE(link.width(), 184);
    EXPECT_NEAR(link.center().x(), QRect(54, 196, 184, 20).center().x(), 1);
    EXPECT_LE(w->StaticText4->fontMetrics().horizontalAdvance(AboutWin::authorPage()),
              link.width());
    EXPECT_GE(link.left(), 0);
    EXPECT_LE(link.right(), w->width() - 1);
    EXPECT_EQ(w->StaticText4->text(), AboutWin::authorPage());
    EXPECT_EQ(w->StaticText4->palette().color(QPalette::WindowText), QColor(0x20, 0x28, 0xA6));
    EXPECT_EQ(w->CancelButton->geometry(), QRect(106, 260, 80, 20));
}

TEST_F(AboutWinTest, WithNoAuthorsPageThereIsNoLinkToPress) {
    AboutWin* w = open();
    // No address that leads nowhere: the link's place is empty and a press opens nothing.
    EXPECT_TRUE(AboutWin::authorPage().isEmpty());
    EXPECT_TRUE(w->StaticText4->text().isEmpty());
    EXPECT_NE(w->StaticText4->cursor().shape(), Qt::PointingHandCursor);
    QTest::mousePress(w->StaticText4, Qt::LeftButton, {}, QPoint(90, 10));
    QTest::mouseRelease(w->StaticText4, Qt::LeftButton, {}, QPoint(90, 10));
    EXPECT_FALSE(w->StaticText4_MouseDown(90, 10));
    EXPECT_TRUE(desktop->urls.empty());
    EXPECT_TRUE(w->isVisible());
}

TEST_F(AboutWinTest, ReturnAndEscapeLeaveItOpenCloseWindowClosesIt) {
    App app(*context);
    AboutWin* w = open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    w->CancelButton->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        pressKey(w, key);
        QTest::keyClick(w, key);
        EXPECT_TRUE(w->isVisible()) << int(key);
    }
    pressKey(w, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(w->isVisible());

    AboutWin* again = open();
    EXPECT_NE(again, w);
    QTest::mouseClick(again->CancelButton, Qt::LeftButton);
    EXPECT_FALSE(again->isVisible());
}

TEST_F(AboutWinTest, KoreanTitleAndButton) {
    struct Case {
        const char* language;
        const char* title;
        const char* button;
    } cases[] = {{"korean", "Vondrelaskit에 대해서...", "닫  기"},
                 {"english", "About Vondrelaskit", "Close"},
                 {"none", "About Vondrelaskit", "Close"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        GlobalModule::MyPref->Language = QString::fromLatin1(c.language);
        AboutWin* w = open();
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(w->CancelButton->text(), QString::fromUtf8(c.button));
        EXPECT_EQ(w->VersionInfoText->text(), QLatin1String("Vondrelaskit ver 1.0"));
        EXPECT_EQ(w->StaticText4->text(), AboutWin::authorPage());
        w->close();
    }
}
