#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QProgressDialog;
class QTimer;

// How far long work has come, for the person who waits on it: a small window, never modal,
// shown only when the work is long (many items, still running after half a second). It goes
// with this object.
class WorkProgress : public QObject {
    Q_OBJECT

public:
    // `cancel` runs when the person asks to stop; no Cancel button without it.
    WorkProgress(const QString& text, int total, std::function<void()> cancel = {});
    ~WorkProgress() override;

    void Update(int done);
    bool Shown() const;

    // Work of fewer items than this never shows a window.
    static constexpr int kFewItems = 100;
    static constexpr int kShowAfterMs = 500;

private:
    void show();

    QString m_text;
    int m_total = 0;
    int m_done = 0;
    std::function<void()> m_cancel;
    QTimer* m_delay = nullptr;
    QPointer<QProgressDialog> m_dialog;
};
