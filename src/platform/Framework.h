#pragma once

// Small pieces of the application framework that the launcher's logic relies on.

#include <QByteArray>
#include <QByteArrayView>
#include <QFont>
#include <QRect>
#include <QString>
#include <vector>

// Reads a number from the start of a text: leading blanks skipped, stops at the first
// character that cannot continue it ("80%" -> 80, " 0 %" -> 0, "x" -> 0).
double Val(const QString& text);

// The one conversion of a real to a pixel count, used everywhere (truncation).
int RealToInt(double value);

// Sixtieths of a second from a monotonic clock.
qint64 Ticks();

// Base64 in lines of lineLength characters; the decoder accepts any line ends.
QString EncodeBase64(const QByteArray& data, int lineLength);
QByteArray DecodeBase64(const QString& text);
// The same from the text's bytes as the database stores them (UTF-8).
QByteArray DecodeBase64(QByteArrayView text);

// Width of the main screen in pixels.
int MainScreenWidth();
// Every screen's rectangle in desktop coordinates.
std::vector<QRect> ScreenRects();

// The user's Preferences folder: $XDG_CONFIG_HOME, else ~/.config.
QString PreferencesFolderPath();

// Text equality as the launcher compares captions and names: Latin letter case is ignored.
bool TextEquals(const QString& a, const QString& b);

// The application's default font at a size in pixels; 0 keeps the default size (set
// explicitly, so that a control inside a group box does not take the group box's size).
QFont PixelFont(int pixelSize);
