// Generates the launcher's built-in pictures and sounds.
//
//   make_media <output-dir>
//
// Everything is drawn or synthesised here, so the outputs in resources/media
// can be regenerated at any time. Output is deterministic: no clocks, no
// system random source.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Pictures are drawn this many times larger and averaged down; it gives
// cleaner edges and gradients than painting small shapes directly.
constexpr int kSuper = 4;

QDir g_out;
bool g_ok = true;

// Returns straight (un-premultiplied) ARGB32. The box filter runs in floating
// point so faint edge pixels keep their true colour instead of 8-bit noise.
QImage render(int w, int h, const std::function<void(QPainter&)>& draw) {
    QImage big(w * kSuper, h * kSuper, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(kSuper, kSuper);
        draw(p);
    }
    QImage out(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSuper; ++sy) {
                const QRgb* src =
                    reinterpret_cast<const QRgb*>(big.constScanLine(y * kSuper + sy)) + x * kSuper;
                for (int sx = 0; sx < kSuper; ++sx) {
                    r += qRed(src[sx]);
                    g += qGreen(src[sx]);
                    b += qBlue(src[sx]);
                    a += qAlpha(src[sx]);
                }
            }
            if (a <= 0) {
                dst[x] = qRgba(0, 0, 0, 0);
                continue;
            }
            const auto chan = [a](double v) {
                return int(std::lround(std::clamp(255.0 * v / a, 0.0, 255.0)));
            };
            const int alpha = int(std::lround(a / (kSuper * kSuper)));
            dst[x] = qRgba(chan(r), chan(g), chan(b), alpha);
        }
    }
    return out;
}

void savePng(const QImage& img, const QString& name) {
    const QString path = g_out.filePath(name);
    if (!img.save(path, "PNG")) {
        std::fprintf(stderr, "make_media: cannot write %s\n", qPrintable(path));
        g_ok = false;
    }
}

// The app composites pictures through a separate mask (black = opaque,
// white = transparent), so split the drawn art into an opaque colour image
// and a grey mask. Edge pixels keep their un-premultiplied colour so the
// mask blend reproduces the anti-aliasing.
void savePictureAndMask(const QImage& art, const QString& base) {
    const QImage& src = art;
    QImage pic(src.size(), QImage::Format_RGB32);
    QImage mask(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        QRgb* outPic = reinterpret_cast<QRgb*>(pic.scanLine(y));
        QRgb* outMask = reinterpret_cast<QRgb*>(mask.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb c = in[x];
            const int a = qAlpha(c);
            outPic[x] = a == 0 ? qRgb(255, 255, 255) : qRgb(qRed(c), qGreen(c), qBlue(c));
            const int m = 255 - a;
            outMask[x] = qRgb(m, m, m);
        }
    }
    savePng(pic, base + ".png");
    savePng(mask, base + "-mask.png");
}

QPointF polar(QPointF c, double r, double a) {
    return c + QPointF(r * std::cos(a), r * std::sin(a));
}

// Grows a path outwards by `r` with round corners.
QPainterPath inflate(const QPainterPath& path, double r) {
    QPainterPathStroker stroker;
    stroker.setWidth(2 * r);
    stroker.setJoinStyle(Qt::RoundJoin);
    stroker.setCapStyle(Qt::RoundCap);
    return stroker.createStroke(path).united(path).simplified();
}

// --- pictures ---------------------------------------------------------------

// Settings gear. The title bar draws it two pixels above its top edge, so the
// shape lives in rows 2..23.
QImage drawPrefIcon() {
    return render(24, 24, [](QPainter& p) {
        const QPointF c(12.0, 13.0);
        const int teeth = 8;
        const double step = 2 * kPi / teeth;
        const double rTip = 10.0;
        const double rRoot = 7.3;
        const double rHole = 2.9;

        QPainterPath body;
        body.addEllipse(c, rRoot + 0.2, rRoot + 0.2);
        for (int i = 0; i < teeth; ++i) {
            const double a = -kPi / 2 + i * step;
            QPolygonF tooth;
            tooth << polar(c, rRoot - 1.0, a - 0.31 * step) << polar(c, rTip, a - 0.21 * step)
                  << polar(c, rTip, a + 0.21 * step) << polar(c, rRoot - 1.0, a + 0.31 * step);
            QPainterPath t;
            t.addPolygon(tooth);
            t.closeSubpath();
            body = body.united(t);
        }
        QPainterPath hole;
        hole.addEllipse(c, rHole, rHole);
        const QPainterPath gear = body.subtracted(hole).simplified();

        QLinearGradient fill(0, 3, 0, 23);
        fill.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
        fill.setColorAt(1.0, QColor(0xc2, 0xc6, 0xcc));
        p.fillPath(gear, fill);

        // A faint inner ring gives the flat gear a little depth.
        p.setPen(QPen(QColor(0x8e, 0x93, 0x9a, 150), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 5.1, 5.1);

        QPen outline(QColor(0x34, 0x37, 0x3c), 1.1);
        outline.setJoinStyle(Qt::RoundJoin);
        p.strokePath(gear, outline);
    });
}

// Two-segment "+ / -" button: "+" in x 0..16, "-" in x 17..31.
QImage drawPlusMinus() {
    return render(32, 19, [](QPainter& p) {
        const QRectF bodyRect(0, 0, 32, 19);
        QPainterPath body;
        body.addRoundedRect(bodyRect, 5, 5);

        QLinearGradient fill(0, 0, 0, 19);
        fill.setColorAt(0.0, QColor(0x63, 0x66, 0x6c));
        fill.setColorAt(1.0, QColor(0x3a, 0x3c, 0x41));
        p.fillPath(body, fill);

        // Soft top highlight, then a dark rim so it holds up on light or dark.
        p.setPen(QPen(QColor(255, 255, 255, 45), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(4.5, 1.5), QPointF(27.5, 1.5));
        p.setPen(QPen(QColor(0x22, 0x24, 0x27), 1.0));
        p.drawRoundedRect(bodyRect.adjusted(0.5, 0.5, -0.5, -0.5), 4.5, 4.5);

        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x22, 0x24, 0x27));
        p.drawRect(QRectF(16, 1, 1, 17));

        // Glyphs sit on whole pixels so they stay crisp at this size.
        const QColor glyph(0xf6, 0xf7, 0xf8);
        p.setBrush(glyph);
        p.drawRect(QRectF(4, 8, 8, 2));  // "+" bar
        p.drawRect(QRectF(7, 5, 2, 8));  // "+" stem
        p.drawRect(QRectF(20, 8, 8, 2)); // "-"
    });
}

// Small glossy yellow dot marking modified items.
QImage drawChangeMarker() {
    return render(14, 14, [](QPainter& p) {
        const QPointF c(7, 7);
        const double r = 6.3;

        QRadialGradient fill(QPointF(5.6, 5.0), 8.0, QPointF(5.0, 4.2));
        fill.setColorAt(0.0, QColor(0xff, 0xf6, 0xa8));
        fill.setColorAt(0.45, QColor(0xff, 0xd0, 0x1e));
        fill.setColorAt(1.0, QColor(0xe0, 0x98, 0x00));
        p.setPen(QPen(QColor(0x9c, 0x6a, 0x00), 0.9));
        p.setBrush(fill);
        p.drawEllipse(c, r - 0.45, r - 0.45);

        QLinearGradient gloss(0, 1.6, 0, 6.6);
        gloss.setColorAt(0.0, QColor(255, 255, 255, 220));
        gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(gloss);
        p.drawEllipse(QRectF(3.4, 1.7, 7.2, 4.6));
    });
}

// Warning triangle with an exclamation mark.
QImage drawCaution() {
    return render(64, 64, [](QPainter& p) {
        QPainterPath tri;
        tri.moveTo(32, 11.0);
        tri.lineTo(57.5, 54.0);
        tri.lineTo(6.5, 54.0);
        tri.closeSubpath();

        p.setPen(Qt::NoPen);
        p.fillPath(inflate(tri, 4.6), QColor(0x8a, 0x5e, 0x00));

        QLinearGradient fill(0, 8, 0, 58);
        fill.setColorAt(0.0, QColor(0xff, 0xe4, 0x5c));
        fill.setColorAt(1.0, QColor(0xf6, 0xb1, 0x00));
        p.fillPath(inflate(tri, 3.0), fill);

        const QColor ink(0x2b, 0x22, 0x08);
        QPainterPath bar;
        bar.moveTo(28.2, 24.5);
        bar.cubicTo(28.2, 19.8, 35.8, 19.8, 35.8, 24.5);
        bar.lineTo(33.9, 41.0);
        bar.cubicTo(33.6, 43.6, 30.4, 43.6, 30.1, 41.0);
        bar.closeSubpath();
        p.fillPath(bar, ink);
        p.setBrush(ink);
        p.drawEllipse(QPointF(32, 48.8), 3.3, 3.3);
    });
}

// Product picture: a rounded tile holding a 3x3 grid of app tiles.
QImage drawMainIcon() {
    return render(128, 128, [](QPainter& p) {
        const QRectF tile(4, 4, 120, 120);
        QPainterPath back;
        back.addRoundedRect(tile, 27, 27);

        QLinearGradient fill(0, 4, 0, 124);
        fill.setColorAt(0.0, QColor(0x45, 0x52, 0x70));
        fill.setColorAt(1.0, QColor(0x1d, 0x23, 0x35));
        p.fillPath(back, fill);

        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 40), 1.5));
        p.drawRoundedRect(tile.adjusted(1.5, 1.5, -1.5, -1.5), 25.5, 25.5);
        p.setPen(QPen(QColor(0x10, 0x14, 0x20), 1.0));
        p.drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), 26.5, 26.5);

        const QColor colours[9] = {
            QColor(0xff, 0x45, 0x3a), QColor(0xff, 0x9f, 0x0a), QColor(0xff, 0xd6, 0x0a),
            QColor(0x32, 0xd7, 0x4b), QColor(0x40, 0xc8, 0xe0), QColor(0x0a, 0x84, 0xff),
            QColor(0x5e, 0x5c, 0xe6), QColor(0xbf, 0x5a, 0xf2), QColor(0xff, 0x37, 0x5f),
        };
        const double size = 26, gap = 8;
        const double origin = 4 + (120 - (3 * size + 2 * gap)) / 2;
        for (int i = 0; i < 9; ++i) {
            const QRectF r(origin + (i % 3) * (size + gap), origin + (i / 3) * (size + gap), size,
                           size);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 0, 70));
            p.drawRoundedRect(r.translated(0, 1.6), 7, 7);

            QLinearGradient g(r.topLeft(), r.bottomLeft());
            g.setColorAt(0.0, colours[i].lighter(122));
            g.setColorAt(1.0, colours[i]);
            p.setBrush(g);
            p.drawRoundedRect(r, 7, 7);
        }

        // Ring round the middle tile: the launcher's selection.
        const QRectF mid(origin + size + gap, origin + size + gap, size, size);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 235), 2.0));
        p.drawRoundedRect(mid.adjusted(-3.5, -3.5, 3.5, 3.5), 9.5, 9.5);
    });
}

// Small deterministic generator so regenerated media is byte-identical.
struct Rng {
    std::uint32_t s;
    std::uint32_t next() {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    }
    double uniform() { return (next() >> 8) * (1.0 / 16777216.0); } // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
};

// Removal animation: five 128x128 frames stacked top to bottom, a smoke puff
// that swells and fades.
QImage drawPoof() {
    constexpr int frame = 128;
    constexpr int frames = 5;

    struct Blob {
        double angle, dist, radius, drift, weight;
    };
    std::vector<Blob> blobs;
    Rng rng{0x5eed1234u};
    const int outer = 10;
    for (int i = 0; i < outer; ++i) {
        blobs.push_back({2 * kPi * i / outer + rng.range(-0.2, 0.2), rng.range(0.55, 0.8),
                         rng.range(0.38, 0.52), rng.range(0.9, 1.3), 1.0});
    }
    const int inner = 5;
    for (int i = 0; i < inner; ++i) {
        blobs.push_back({2 * kPi * i / inner + rng.range(-0.4, 0.4), rng.range(0.0, 0.4),
                         rng.range(0.4, 0.55), rng.range(0.5, 1.0), 0.0});
    }

    QImage strip(frame, frame * frames, QImage::Format_ARGB32);
    for (int k = 0; k < frames; ++k) {
        const double t = double(k) / (frames - 1);
        const QImage f = render(frame, frame, [&](QPainter& p) {
            const QPointF c(64, 64);
            const double size = 30 + 9 * t;
            const double opacity = 1.0 - 0.75 * std::pow(t, 1.3);
            const double spin = 0.3 * t;
            p.setPen(Qt::NoPen);
            // All shadows first so the lit layer stays on top and reads as one cloud.
            for (int pass = 0; pass < 2; ++pass) {
                for (const Blob& b : blobs) {
                    const double d = size * b.dist * (1.0 + 0.3 * t * b.drift);
                    const double r = size * b.radius * (1.0 + 0.1 * t);
                    // The middle thins out first as the smoke spreads.
                    const double a = opacity * (1.0 - (1.0 - b.weight) * 0.55 * t);
                    const QPointF at = polar(c, d, b.angle + spin);
                    if (pass == 0) {
                        const QPointF sc = at + QPointF(1.5, 3.0) * (1 + 0.5 * t);
                        QRadialGradient g(sc, r);
                        g.setColorAt(0.0, QColor(0x9c, 0xa3, 0xac, int(200 * a)));
                        g.setColorAt(0.6, QColor(0xa6, 0xac, 0xb4, int(150 * a)));
                        g.setColorAt(1.0, QColor(0xb0, 0xb6, 0xbd, 0));
                        p.setBrush(g);
                        p.drawEllipse(sc, r, r);
                    } else {
                        // Nearly flat fill with a long soft edge: overlapping
                        // blobs merge into one lumpy cloud instead of bubbles.
                        QRadialGradient g(at, r, at - QPointF(r * 0.25, r * 0.3));
                        g.setColorAt(0.0, QColor(0xff, 0xff, 0xff, int(225 * a)));
                        g.setColorAt(0.5, QColor(0xf6, 0xf7, 0xf8, int(200 * a)));
                        g.setColorAt(0.75, QColor(0xee, 0xf0, 0xf2, int(110 * a)));
                        g.setColorAt(1.0, QColor(0xe8, 0xea, 0xed, 0));
                        p.setBrush(g);
                        p.drawEllipse(at, r, r);
                    }
                }
            }
        });
        for (int y = 0; y < frame; ++y)
            std::memcpy(strip.scanLine(k * frame + y), f.constScanLine(y), frame * 4);
    }
    return strip;
}

// --- sounds -----------------------------------------------------------------

constexpr int kRate = 44100;

void put16(QByteArray& b, std::uint16_t v) {
    b.append(char(v & 0xff));
    b.append(char(v >> 8));
}
void put32(QByteArray& b, std::uint32_t v) {
    put16(b, std::uint16_t(v & 0xffff));
    put16(b, std::uint16_t(v >> 16));
}

// Adds short fades against clicks, normalises to `peak`, writes 16-bit mono.
void saveWav(std::vector<double> s, double peak, const QString& name) {
    const size_t fadeIn = kRate / 1000;
    const size_t fadeOut = kRate * 5 / 1000;
    for (size_t i = 0; i < s.size(); ++i) {
        if (i < fadeIn)
            s[i] *= double(i) / fadeIn;
        const size_t left = s.size() - 1 - i;
        if (left < fadeOut)
            s[i] *= double(left) / fadeOut;
    }
    double maxAbs = 0;
    for (double v : s)
        maxAbs = std::max(maxAbs, std::abs(v));
    const double gain = maxAbs > 0 ? peak / maxAbs : 0;
    for (double& v : s)
        v *= gain;

    QByteArray b;
    const std::uint32_t dataBytes = std::uint32_t(s.size() * 2);
    b.append("RIFF");
    put32(b, 36 + dataBytes);
    b.append("WAVE");
    b.append("fmt ");
    put32(b, 16);
    put16(b, 1); // PCM
    put16(b, 1); // mono
    put32(b, kRate);
    put32(b, kRate * 2);
    put16(b, 2);
    put16(b, 16);
    b.append("data");
    put32(b, dataBytes);
    for (double v : s) {
        const long q = std::lround(std::clamp(v, -1.0, 1.0) * 32767.0);
        put16(b, std::uint16_t(std::int16_t(q)));
    }

    QFile f(g_out.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(b) != b.size()) {
        std::fprintf(stderr, "make_media: cannot write %s\n", qPrintable(f.fileName()));
        g_ok = false;
    }
}

// Trapezoidal state-variable filter, band-pass output. Stays stable across
// the whole sweep, unlike the classic Chamberlin form.
struct BandPass {
    double ic1 = 0, ic2 = 0;
    double run(double in, double cutoff, double q) {
        const double g = std::tan(kPi * cutoff / kRate);
        const double k = 1.0 / q;
        const double a1 = 1.0 / (1.0 + g * (g + k));
        const double a2 = g * a1;
        const double a3 = g * a2;
        const double v3 = in - ic2;
        const double v1 = a1 * ic1 + a2 * v3;
        const double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2 * v1 - ic1;
        ic2 = 2 * v2 - ic2;
        return v1;
    }
};

std::vector<double> synthClick() {
    const int n = kRate * 30 / 1000;
    std::vector<double> s(n);
    Rng rng{0xc11c4u};
    double lp = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        lp += 0.35 * (rng.range(-1, 1) - lp);
        s[i] = 0.5 * lp * std::exp(-t / 0.0018) +
               std::sin(2 * kPi * 1750 * t) * std::exp(-t / 0.005) +
               0.35 * std::sin(2 * kPi * 3300 * t) * std::exp(-t / 0.0025);
    }
    return s;
}

std::vector<double> synthErase() {
    const int n = kRate * 350 / 1000;
    std::vector<double> s(n);
    Rng rng{0xe7a5e5u};
    BandPass low, high;
    for (int i = 0; i < n; ++i) {
        const double x = double(i) / (n - 1);
        const double noise = rng.range(-1, 1);
        // Cutoff rises then settles back: a brush stroke across the board.
        const double sweep = std::sin(kPi * std::pow(x, 0.8));
        const double cutoff = 400 * std::pow(3600.0 / 400.0, sweep);
        const double body = low.run(noise, cutoff, 1.6);
        const double hiss = high.run(noise, cutoff * 1.6, 0.8);
        const double env = std::pow(std::sin(kPi * std::pow(x, 0.7)), 1.6);
        s[i] = env * (body + 0.35 * hiss);
    }
    return s;
}

std::vector<double> synthPop() {
    const int n = kRate * 120 / 1000;
    std::vector<double> s(n);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        const double freq = 210 + 950 * std::exp(-t / 0.016);
        phase += 2 * kPi * freq / kRate;
        const double env = (1 - std::exp(-t / 0.0012)) * std::exp(-t / 0.03);
        s[i] = env * (std::sin(phase) + 0.18 * std::sin(2 * phase));
    }
    return s;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output-dir>\n", argv[0]);
        return 2;
    }
    g_out = QDir(QString::fromLocal8Bit(argv[1]));
    if (!g_out.mkpath(".")) {
        std::fprintf(stderr, "make_media: cannot create %s\n", argv[1]);
        return 1;
    }

    savePictureAndMask(drawPrefIcon(), "pref-icon-24");
    savePictureAndMask(drawPlusMinus(), "plus-minus-icon");
    savePictureAndMask(drawChangeMarker(), "change-marker");
    savePictureAndMask(drawCaution(), "caution-icon");
    savePictureAndMask(drawMainIcon(), "launcher-main-icon");
    savePng(drawPoof(), "poof.png");

    saveWav(synthClick(), 0.32, "board-click.wav");
    saveWav(synthErase(), 0.35, "erase.wav");
    saveWav(synthPop(), 0.45, "pop.wav");

    return g_ok ? 0 : 1;
}
