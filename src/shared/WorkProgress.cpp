#include "shared/WorkProgress.h"

#include "shared/Captions.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

WorkProgress::WorkProgress(const QString& text, int total, std::function<void()> cancel)
    : m_text(text), m_total(total), m_cancel(std::move(cancel)) {
    if (total < kFewItems)
        return;
    m_delay = new QTimer(this);
    m_delay->setSingleShot(true);
    connect(m_delay, &QTimer::timeout, this, &WorkProgress::show);
    m_delay->start(kShowAfterMs);
}

WorkProgress::~WorkProgress() {
    delete m_dialog;
}

void WorkProgress::Update(int done) {
    m_done = done;
    if (m_dialog)
        m_dialog->setValue(done); // not modal: handles no events of its own
}

bool WorkProgress::Shown() const {
    return m_dialog && m_dialog->isVisible();
}

void WorkProgress::show() {
    if (m_dialog || m_done >= m_total)
        return;
    // Created only now: a progress dialog shows itself on its own timer.
    auto* dialog = new QProgressDialog();
    m_dialog = dialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowFlag(Qt::WindowStaysOnTopHint); // above the floating launcher windows
    dialog->setWindowTitle(QStringLiteral("Vondrelaskit"));
    dialog->setWindowModality(Qt::NonModal);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setMinimumDuration(0);
    dialog->setLabelText(m_text);
    dialog->setRange(0, m_total);
    dialog->setValue(m_done);
    if (m_cancel) {
        dialog->setCancelButtonText(CommonCaptions::Cancel.text());
        connect(dialog, &QProgressDialog::canceled, this, [this] {
            if (m_cancel)
                std::exchange(m_cancel, {})();
        });
    } else {
        dialog->setCancelButton(nullptr);
    }
    dialog->show();
}
