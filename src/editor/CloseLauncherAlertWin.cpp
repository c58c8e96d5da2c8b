#include "editor/CloseLauncherAlertWin.h"

#include "editor/EditorControls.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "launcher/TempRunIconWin.h"
#include "platform/Database.h"
#include "platform/Framework.h"
#include "shared/AppMedia.h"
#include "shared/Captions.h"
#include "shared/DialogSupport.h"
#include "shared/GlobalModule.h"
#include "shared/SingleDialog.h"
#include "store/LauncherDatabase.h"
#include "store/LauncherRows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {
constexpr Caption kTitle{"Caution", "삭제하기전에 확인하세요~!"};
constexpr Caption kDelete{"Delete", "확  인"};
} // namespace

namespace {
// A CR of the dialog's texts is a line break on screen.
QString onScreen(QString text) {
    return text.replace(QChar(13), QChar(10));
}

// A word wider than the label (a long name without spaces) may break anywhere: zero-width
// spaces between its letters, since the label breaks lines only between words.
QString breakableWords(const QString& text, const QLabel& label) {
    const QFontMetrics metrics(label.font());
    QString out;
    QString word;
    const auto flush = [&] {
        if (metrics.horizontalAdvance(word) <= label.width()) {
            out += word;
        } else {
            for (qsizetype i = 0; i < word.size(); ++i) {
                out += word[i];
                const bool pairStart = word[i].isHighSurrogate() && i + 1 < word.size();
                if (!pairStart && i + 1 < word.size())
                    out += QChar(0x200B);
            }
        }
        word.clear();
    };
    for (const QChar c : text) {
        if (c.isSpace()) {
            flush();
            out += c;
        } else {
            word += c;
        }
    }
    flush();
    return out;
}
} // namespace

CloseLauncherAlertWin* CloseLauncherAlertWin::instance() {
    return SingleDialog<CloseLauncherAlertWin>::instance();
}

CloseLauncherAlertWin* CloseLauncherAlertWin::openInstance() {
    return SingleDialog<CloseLauncherAlertWin>::openInstance();
}

CloseLauncherAlertWin::CloseLauncherAlertWin()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kTitle.English());
    setFixedSize(300, 266);

    Canvas1 = new PictureCanvas(AppMedia::CautionIcon(), false, this);
    Canvas1->setGeometry(122, 46, 64, 64);

    const auto button = [this](const QString& text, const QRect& r) {
        auto* b = new QPushButton(text, this);
        b->setFont(PixelFont(12));
        b->setGeometry(r);
        b->setAutoDefault(false);
        return b;
    };
    DeleteButton = button(kDelete.English(), QRect(156, 226, 80, 20));
    DeleteButton->setDefault(true);
    connect(DeleteButton, &QPushButton::clicked, this, &CloseLauncherAlertWin::DeleteButton_Action);
    CancelButton = button(CommonCaptions::Cancel.English(), QRect(64, 226, 80, 20));
    connect(CancelButton, &QPushButton::clicked, this, &CloseLauncherAlertWin::CancelButton_Action);

    const auto label = [this](const QString& text, const QRect& r) {
        auto* l = new QLabel(text, this);
        // A window's name is shown as it is, never read as markup.
        l->setTextFormat(Qt::PlainText);
        l->setFont(PixelFont(12));
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setWordWrap(true);
        l->setGeometry(r);
        return l;
    };
    InfoText = label(QStringLiteral("Dou you want to Delete This Launcher Window?"),
                     QRect(20, 122, 268, 38));
    CountText = label(QStringLiteral("Item Count"), QRect(20, 172, 260, 34));

    Event_Open();
}

void CloseLauncherAlertWin::Event_Open() {
    LocalizeMethod();
    GlobalModule::BringMeFront();
}

void CloseLauncherAlertWin::LocalizeMethod() {
    setWindowTitle(kTitle.text());
    CancelButton->setText(CommonCaptions::Cancel.text());
    DeleteButton->setText(kDelete.text());
}

void CloseLauncherAlertWin::Show() {
    GlobalModule::ShowInFront(this);
}

void CloseLauncherAlertWin::DisplayInfoMethod() {
    const QString name = SelfWin ? SelfWin->LauncherWinName : LauncherWinName;
    const QChar quote(34), cr(13);
    const QString n = QString::number(ItemCount);
    if (GlobalModule::IsKorean()) {
        m_info = quote + name + quote + cr + QStringLiteral("런쳐 윈도우를 삭제하겠습니까?");
        m_count = QStringLiteral("아이템 갯수") + cr + n + QStringLiteral(" 개의 아이템");
    } else {
        m_info = QStringLiteral("Dou you want to Delete ") + cr + quote + name + quote +
                 QStringLiteral(" Launcher Window?");
        m_count = QStringLiteral("Item Count") + cr + n + QStringLiteral(" items");
    }
    InfoText->setText(breakableWords(onScreen(m_info), *InfoText));
    CountText->setText(onScreen(m_count));
    FitTextsMethod();
}

void CloseLauncherAlertWin::FitTextsMethod() {
    // The question wraps: a long name makes it, and the dialog below it, taller instead of
    // being cut. It never grows shorter than the layout.
    constexpr int kInfoHeight = 38, kCountTop = 172, kButtonsTop = 226, kHeight = 266;
    const int extra = std::max(0, InfoText->heightForWidth(InfoText->width()) - kInfoHeight);
    InfoText->resize(InfoText->width(), kInfoHeight + extra);
    CountText->move(CountText->x(), kCountTop + extra);
    DeleteButton->move(DeleteButton->x(), kButtonsTop + extra);
    CancelButton->move(CancelButton->x(), kButtonsTop + extra);
    setFixedSize(width(), kHeight + extra);
}

void CloseLauncherAlertWin::DeleteButton_Action() {
    DeleteMethod();
}

void CloseLauncherAlertWin::CancelButton_Action() {
    close();
}

void CloseLauncherAlertWin::DeleteMethod() {
    Database* db = GlobalModule::DBConnectMethod();
    if (!db)
        return;
    const QString where =
        QStringLiteral(" where LauncherWinUID=") + QString::number(DeleteLauncherWinUID);
    const QString itemsError =
        QStringLiteral("Error Occurred during deleting launcher window Items");
    const QString windowError = QStringLiteral("Error Occurred during deleting launcher window");
    // Both deletes are one change: a window never loses its items but keeps its row.
    if (!db->BeginTransaction()) {
        GlobalModule::MsgBox(itemsError);
        return;
    }
    db->SQLExecute(QStringLiteral("Delete from ") + LauncherListColumn::Table + where);
    if (db->Error()) {
        db->Rollback();
        GlobalModule::MsgBox(itemsError);
        return;
    }
    db->SQLExecute(QStringLiteral("Delete from ") + LauncherWinColumn::Table + where);
    if (db->Error()) {
        db->Rollback();
        GlobalModule::MsgBox(windowError);
        return;
    }
    db->Commit();
    if (db->Error()) {
        GlobalModule::MsgBox(windowError);
        return;
    }

    auto& windows = GlobalModule::LauncherWinArr;
    for (size_t i = windows.size(); i-- > 0;) {
        if (windows[i]->LauncherWinUID != DeleteLauncherWinUID)
            continue;
        if (windows[i]->myTempRunIconWin)
            windows[i]->myTempRunIconWin->close();
        // The window may be the one whose menu runs this: it goes once the event is over.
        LauncherWin* w = windows[i].release();
        windows.erase(windows.begin() + std::ptrdiff_t(i));
        w->close();
        w->deleteLater();
        break;
    }
    close();
}

void CloseLauncherAlertWin::keyPressEvent(QKeyEvent* event) {
    if (!PressDialogButtonForKey(event, DeleteButton, CancelButton))
        QWidget::keyPressEvent(event);
}

void CloseLauncherAlertWin::closeEvent(QCloseEvent* event) {
    event->accept();
    SingleDialog<CloseLauncherAlertWin>::closed(this);
}
