#include "platform/Framework.h"

#include "platform/Environment.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <array>
#include <cmath>
#include <optional>
#include <type_traits>

double Val(const QString& text) {
    int i = 0;
    const int n = int(text.size());
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const int start = i;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    bool digits = false;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        digits = true;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    // An exponent only counts when digits follow it.
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        int j = i + 1;
        if (j < n && (text[j] == QLatin1Char('-') || text[j] == QLatin1Char('+')))
            ++j;
        if (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            while (j < n && text[j].isDigit() && text[j].unicode() < 128)
                ++j;
            i = j;
        }
    }
    return text.mid(start, i - start).toDouble();
}

int RealToInt(double value) {
    if (!std::isfinite(value))
        return 0;
    return int(std::trunc(value));
}

qint64 Ticks() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.nsecsElapsed() * 60 / 1000000000;
}

QString EncodeBase64(const QByteArray& data, int lineLength) {
    const QByteArray plain = data.toBase64();
    if (lineLength <= 0)
        return QString::fromLatin1(plain);
    QByteArray out;
    out.reserve(plain.size() + plain.size() / lineLength + 1);
    for (qsizetype i = 0; i < plain.size(); i += lineLength) {
        if (i > 0)
            out.append('\n');
        out.append(plain.constData() + i, qMin<qsizetype>(lineLength, plain.size() - i));
    }
    return QString::fromLatin1(out);
}

namespace {
// Text as stored (alphabet, line ends, padding only at the end) is decoded in one pass; any
// other text goes to the general decoder, which answers the same for stored text.
template <typename Char>
std::optional<QByteArray> decodeStoredBase64(const Char* p, const Char* const end) {
    static constexpr auto table = [] {
        std::array<signed char, 128> t{};
        t.fill(-1);
        const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        for (int i = 0; i < 64; ++i)
            t[size_t(alphabet[i])] = static_cast<signed char>(i);
        t['\n'] = t['\r'] = -2;
        t['='] = -3;
        return t;
    }();
    QByteArray out((end - p) / 4 * 3 + 3, Qt::Uninitialized);
    char* o = out.data();
    quint32 acc = 0;
    int bits = 0;
    for (; p != end; ++p) {
        const auto c = static_cast<std::make_unsigned_t<Char>>(*p);
        const signed char v = c < 128 ? table[c] : -1;
        if (v >= 0) {
            acc = (acc << 6) | quint32(v);
            bits += 6;
            if (bits >= 8) {
                bits -= 8;
                *o++ = char(acc >> bits);
            }
        } else if (v == -3) {
            break;
        } else if (v != -2) {
            return std::nullopt;
        }
    }
    for (; p != end; ++p)
        if (*p != Char('=') && *p != Char('\n') && *p != Char('\r'))
            return std::nullopt;
    out.truncate(o - out.constData());
    return out;
}
} // namespace

QByteArray DecodeBase64(const QString& text) {
    const auto* p = reinterpret_cast<const char16_t*>(text.constData());
    if (auto stored = decodeStoredBase64(p, p + text.size()))
        return *std::move(stored);
    // Characters outside the alphabet (line ends) are skipped.
    return QByteArray::fromBase64(text.toLatin1());
}

QByteArray DecodeBase64(QByteArrayView text) {
    if (auto stored = decodeStoredBase64(text.data(), text.data() + text.size()))
        return *std::move(stored);
    return QByteArray::fromBase64(text.toByteArray());
}

int MainScreenWidth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

std::vector<QRect> ScreenRects() {
    std::vector<QRect> out;
    for (const QScreen* screen : QGuiApplication::screens())
        out.push_back(screen->geometry());
    return out;
}

QString PreferencesFolderPath() {
    return Environment::current().ConfigHome;
}

bool TextEquals(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QFont PixelFont(int pixelSize) {
    QFont f = QGuiApplication::font();
    if (pixelSize > 0)
        f.setPixelSize(pixelSize);
    else if (f.pixelSize() > 0)
        f.setPixelSize(f.pixelSize());
    else
        f.setPointSizeF(f.pointSizeF());
    return f;
}
