#include "editor/EditorControls.h"

#include <QMouseEvent>
#include <QPainter>

PictureCanvas::PictureCanvas(const QImage& backdrop, bool eraseBackground, QWidget* parent)
    : QWidget(parent), m_backdrop(backdrop), m_erase(eraseBackground) {
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(eraseBackground);
}

void PictureCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!m_backdrop.isNull())
        p.drawImage(0, 0, m_backdrop);
}

ColorRectangleControl::ColorRectangleControl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void ColorRectangleControl::setFillColor(const QColor& color) {
    m_fill = color;
    update();
}

void ColorRectangleControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // A disabled rectangle is drawn faded, like the greyed caption beside it.
    if (!isEnabled())
        p.setOpacity(0.35);
    const qreal half = BorderWidth / 2.0;
    const QRectF r = QRectF(rect()).adjusted(half, half, -half, -half);
    p.setPen(QPen(BorderColor, BorderWidth));
    p.setBrush(m_fill);
    p.drawRoundedRect(r, OvalWidth / 2.0, OvalHeight / 2.0);
}

void ColorRectangleControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Q_EMIT pressed();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}
