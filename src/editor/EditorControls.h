#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// A canvas showing one picture at its top-left corner; it never takes the focus.
class PictureCanvas : public QWidget {
    Q_OBJECT

public:
    PictureCanvas(const QImage& backdrop, bool eraseBackground, QWidget* parent);
    const QImage& Backdrop() const { return m_backdrop; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_backdrop;
    bool m_erase;
};

// A rounded rectangle filled with a colour; a press on it is told by pressed().
class ColorRectangleControl : public QWidget {
    Q_OBJECT

public:
    explicit ColorRectangleControl(QWidget* parent);

    QColor FillColor() const { return m_fill; }
    void setFillColor(const QColor& color);
    QColor BorderColor = QColor(0x06, 0x7A, 0x25);
    int BorderWidth = 1;
    int OvalWidth = 5, OvalHeight = 5;

Q_SIGNALS:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor m_fill = QColor(0x03, 0x6D, 0x20);
};
