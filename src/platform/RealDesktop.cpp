#include "platform/Desktop.h"
#include "platform/DesktopEntry.h"
#include "platform/FolderItem.h"
#include "platform/ModifierTracker.h"

#include <QColorDialog>
#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QMessageBox>
#include <QSoundEffect>

#include <deque>

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <unistd.h>

namespace {

// An open-file dialog whose Open button also takes a folder (double-click still enters it).
class AnyItemDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && QFileInfo(files.first()).isDir() &&
            QFileInfo(files.first()).absoluteFilePath() !=
                QFileInfo(directory().absolutePath()).absoluteFilePath()) {
            chosen = files.first();
            done(QDialog::Accepted);
            return;
        }
        QFileDialog::accept();
    }

public:
    QString chosen;
};

QString takeError(GError* error) {
    if (!error)
        return QStringLiteral("unknown error");
    QString text = QString::fromUtf8(error->message);
    g_error_free(error);
    return text;
}

LaunchResult launchWithGio(const QString& path) {
    const QByteArray native = NativePath(path);
    if (!FolderItem(path).Exists())
        return {false, QStringLiteral("not found")};
    const bool regular = IsRegularFile(path);
    GError* error = nullptr;
    GAppLaunchContext* context = g_app_launch_context_new();
    bool ok = false;
    if (regular && isDesktopEntryName(FolderItem(path).Name())) {
        if (GDesktopAppInfo* app = g_desktop_app_info_new_from_filename(native.constData())) {
            ok = g_app_info_launch(G_APP_INFO(app), nullptr, context, &error);
            g_object_unref(app);
        } else {
            error = g_error_new_literal(G_IO_ERROR, G_IO_ERROR_INVALID_DATA,
                                        "not a valid application entry");
        }
    } else if (regular && ::access(native.constData(), X_OK) == 0) {
        // Run the program itself, never through a shell.
        QByteArray program = native;
        char* argv[] = {program.data(), nullptr};
        ok = g_spawn_async(nullptr, argv, nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr,
                           &error);
    } else {
        gchar* uri = g_filename_to_uri(native.constData(), nullptr, &error);
        if (uri) {
            ok = g_app_info_launch_default_for_uri(uri, context, &error);
            g_free(uri);
        }
    }
    g_object_unref(context);
    if (ok)
        return {};
    return {false, takeError(error)};
}

// Shows a dialog made for one question, modal to the whole application like the boxes of
// the desktop, without a nested event loop: its answer comes from the event loop, and the
// dialog goes once answered.
template <class Dialog, class Answer> void ask(Dialog* dialog, Answer answer) {
    dialog->setWindowModality(Qt::ApplicationModal);
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog, answer](int result) {
        dialog->deleteLater();
        answer(result);
    });
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

class RealDesktop : public Desktop {
public:
    RealDesktop() {
        // Boxes not yet shown at quit are dropped with what they would have run.
        if (qApp)
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp,
                             [this] { m_waiting.clear(); });
    }

    void messageBox(const QString& text, std::function<void()> dismissed) override {
        m_waiting.push_back({text, std::move(dismissed)});
        if (!m_showing && m_waiting.size() == 1)
            QMetaObject::invokeMethod(
                qApp, [this] { showNextMessage(); }, Qt::QueuedConnection);
    }

    void chooseItem(const QString& title, const QString& initialFolder,
                    std::function<void(std::optional<QString>)> answer) override {
        auto* dialog = new AnyItemDialog(nullptr, title, initialFolder);
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setFileMode(QFileDialog::ExistingFile);
        ask(dialog, [dialog, answer = std::move(answer)](int result) {
            std::optional<QString> chosen;
            if (result == QDialog::Accepted) {
                const QStringList files = dialog->selectedFiles();
                if (!dialog->chosen.isEmpty())
                    chosen = dialog->chosen;
                else if (!files.isEmpty())
                    chosen = files.first();
            }
            if (answer)
                answer(chosen);
        });
    }

    void chooseColor(const QColor& initial, const QString& prompt,
                     std::function<void(std::optional<QColor>)> answer) override {
        auto* dialog = new QColorDialog(initial);
        dialog->setWindowTitle(prompt);
        ask(dialog, [dialog, answer = std::move(answer)](int result) {
            std::optional<QColor> chosen;
            if (result == QDialog::Accepted && dialog->selectedColor().isValid())
                chosen = dialog->selectedColor();
            if (answer)
                answer(chosen);
        });
    }

    LaunchResult launch(const QString& path) override { return launchWithGio(path); }

    void openUrl(const QUrl& url) override { QDesktopServices::openUrl(url); }

    HeldModifiers modifiers() override {
        if (const ModifierTracker* tracker = ModifierTracker::instance())
            return tracker->held();
        // Without X11 and XKB: ask the platform each time.
        const Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
        return {m.testFlag(Qt::MetaModifier), m.testFlag(Qt::AltModifier),
                m.testFlag(Qt::ControlModifier), m.testFlag(Qt::ShiftModifier)};
    }

    bool modifierChangesAnnounced() override { return ModifierTracker::instance() != nullptr; }

    QPoint pointerPos() override { return QCursor::pos(); }

    void playSound(const QString& resource, int volume) override {
        QSoundEffect*& effect = m_effects[resource];
        if (!effect) {
            effect = new QSoundEffect(qApp); // owned by the application
            effect->setSource(QUrl(QStringLiteral("qrc") + resource));
        }
        effect->setVolume(qBound(0, volume, 100) / 100.0);
        effect->play();
    }

private:
    struct Message {
        QString text;
        std::function<void()> dismissed;
    };

    void showNextMessage() {
        if (m_showing || m_waiting.empty() || !qApp)
            return;
        m_showing = true;
        Message next = std::move(m_waiting.front());
        m_waiting.pop_front();
        QMessageBox* box = MakeMessageBox(next.text).release();
        ask(box, [this, dismissed = std::move(next.dismissed)](int) {
            m_showing = false;
            if (dismissed)
                dismissed();
            showNextMessage();
        });
    }

    QHash<QString, QSoundEffect*> m_effects;
    std::deque<Message> m_waiting;
    bool m_showing = false;
};

} // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const QString& text) {
    auto box = std::make_unique<QMessageBox>();
    // Messages carry names, paths and the engine's words: never read as markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setWindowTitle(QStringLiteral("Vondrelaskit"));
    return box;
}

std::unique_ptr<Desktop> makeRealDesktop() {
    return std::make_unique<RealDesktop>();
}
