#include "launcher/LauncherComposition.h"

#include "launcher/LauncherGeometry.h"
#include "platform/AlphaShape.h"
#include "platform/Framework.h"
#include "platform/Parallel.h"
#include "platform/Pixels.h"
#include "platform/Scaling.h"
#include "shared/AppMedia.h"
#include "store/IconHelpers.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QStaticText>
#include <QTextLayout>
#include <QtMath>
#include <optional>
#include <sys/mman.h>

namespace LauncherComposition {

namespace {

constexpr int kPanelRadius = LauncherGeometry::PanelRadius;
constexpr int kPlateRadius = LauncherGeometry::TitlePlateRadius;
constexpr int kGrey = LauncherGeometry::PanelMaskGrey;

// An item's fitted picture drawn into the working picture P and its mask M at a device
// position: where the icon shows, P takes its colour and M the icon's grey drawn through
// itself (grey g over m gives g * (255 - g) / 255 + m * g / 255). The rest is untouched.
void drawFitted(QImage& P, QImage& M, const QImage& fitted, int X, int Y) {
    const int w = fitted.width(), h = fitted.height();
    const int x0 = qMax(0, -X), y0 = qMax(0, -Y);
    const int x1 = qMin(w, P.width() - X), y1 = qMin(h, P.height() - Y);
    for (int y = y0; y < y1; ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(fitted.constScanLine(y));
        QRgb* p = reinterpret_cast<QRgb*>(P.scanLine(Y + y)) + X;
        QRgb* m = reinterpret_cast<QRgb*>(M.scanLine(Y + y)) + X;
        for (int x = x0; x < x1; ++x) {
            const uint s = src[x];
            const uint a = s >> 24;
            if (a == 0)
                continue;
            const uint g = 255u - a;
            if (a == 255u) {
                p[x] = s;
                m[x] = 0xff000000u;
                continue;
            }
            // Back from premultiplied: the colour as the icon has it.
            const uint r = qMin(255u, (((s >> 16) & 0xffu) * 255u + a / 2) / a);
            const uint gr = qMin(255u, (((s >> 8) & 0xffu) * 255u + a / 2) / a);
            const uint b = qMin(255u, ((s & 0xffu) * 255u + a / 2) / a);
            p[x] = 0xff000000u | (r << 16) | (gr << 8) | b;
            const uint level = ByteMul(g, a) + ByteMul(m[x] & 0xffu, g);
            m[x] = 0xff000000u | level * 0x010101u;
        }
    }
}

struct BackpanelStrips {
    int topRows = 0;
    int bottomStart = 0;
    QImage topB, topBM, bottomB, bottomBM;
    uint colour = 0; // the panel's colour between the strips, where its mask is grey 180
};

// The backpanel picture B with P drawn over it through M, and its mask BM with M drawn
// through itself, joined into rows [y0, y0 + rows) of the final image in one pass; P and M
// hold those rows from their first.
void joinOverBackpanel(const QImage& P, const QImage& M, const BackpanelStrips& s, QImage& out,
                       int y0, int rows) {
    const int w = P.width();
    const uint panelOnly = MaskedPixel(s.colour, 180u);
    std::vector<QRgb> middleB(size_t(w), s.colour), middleBM(size_t(w), 0xffb4b4b4u);
    for (int r = 0; r < rows; ++r) {
        const int y = y0 + r;
        const QRgb* p = reinterpret_cast<const QRgb*>(P.constScanLine(r));
        const QRgb* m = reinterpret_cast<const QRgb*>(M.constScanLine(r));
        const bool middle = y >= s.topRows && y < s.bottomStart;
        const QRgb* b =
            y < s.topRows ? reinterpret_cast<const QRgb*>(s.topB.constScanLine(y))
            : middle      ? middleB.data()
                     : reinterpret_cast<const QRgb*>(s.bottomB.constScanLine(y - s.bottomStart));
        const QRgb* bm =
            y < s.topRows ? reinterpret_cast<const QRgb*>(s.topBM.constScanLine(y))
            : middle      ? middleBM.data()
                     : reinterpret_cast<const QRgb*>(s.bottomBM.constScanLine(y - s.bottomStart));
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const uint g = m[x] & 0xffu;
            if (g == 0u) { // opaque P hides the panel
                dst[x] = p[x] | 0xff000000u;
                continue;
            }
            if (g == 255u) { // nothing of P here: the panel alone
                if (middle) {
                    dst[x] = panelOnly;
                    continue;
                }
                dst[x] = MaskedPixel(b[x], bm[x] & 0xffu);
                continue;
            }
            const uint panelGrey = bm[x] & 0xffu;
            const uint a = 255u - g; // P's opacity through M
            const uint colour = Interpolate255(p[x], a, b[x], g);
            // M drawn through itself over BM.
            const uint maskGrey = (g * a + panelGrey * g + 127u) / 255u;
            dst[x] = MaskedPixel(colour, maskGrey);
        }
    }
}

// P joined with M alone (no backpanel), as CGCreateImageMBS joins them, into rows
// [y0, y0 + rows) of the final image.
void joinPlain(const QImage& P, const QImage& M, QImage& out, int y0, int rows) {
    const int w = P.width();
    for (int r = 0; r < rows; ++r)
        MaskRowToAlpha(reinterpret_cast<const QRgb*>(P.constScanLine(r)),
                       reinterpret_cast<const QRgb*>(M.constScanLine(r)),
                       reinterpret_cast<QRgb*>(out.scanLine(y0 + r)), w);
}

// A name's coverage drawn white on P and black on M, as drawing the text on each does.
void drawGlyphs(QImage& P, QImage& M, const QImage& glyphs, int X, int Y) {
    const int w = glyphs.width(), h = glyphs.height();
    const int x0 = qMax(0, -X), y0 = qMax(0, -Y);
    const int x1 = qMin(w, P.width() - X), y1 = qMin(h, P.height() - Y);
    for (int y = y0; y < y1; ++y) {
        const uchar* c = glyphs.constScanLine(y);
        QRgb* p = reinterpret_cast<QRgb*>(P.scanLine(Y + y)) + X;
        QRgb* m = reinterpret_cast<QRgb*>(M.scanLine(Y + y)) + X;
        for (int x = x0; x < x1; ++x) {
            const uint a = c[x];
            if (a == 0)
                continue;
            if (a == 255u) {
                p[x] = 0xffffffffu;
                m[x] = 0xff000000u;
                continue;
            }
            p[x] = Interpolate255(0xffffffffu, a, p[x], 255u - a) | 0xff000000u;
            m[x] = ByteMul(m[x], 255u - a) | 0xff000000u;
        }
    }
}

// A new picture whose pages are mapped in one call rather than faulted in one at a time
// as the picture is first written (which costs most of a large picture's composition).
QImage populatedImage(int w, int h) {
    const size_t bytes = size_t(w) * size_t(h) * 4;
    if (bytes < (size_t(1) << 18))
        return QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    void* data = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (data == MAP_FAILED)
        return QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    struct Mapping {
        void* data;
        size_t bytes;
    };
    return QImage(
        static_cast<uchar*>(data), w, h, qsizetype(w) * 4, QImage::Format_ARGB32_Premultiplied,
        [](void* info) {
            auto* m = static_cast<Mapping*>(info);
            ::munmap(m->data, m->bytes);
            delete m;
        },
        new Mapping{data, bytes});
}

// Arcs are given as the corner ellipse's full width and height.
void fillRoundRect(QPainter& p, const QRectF& r, qreal arcW, qreal arcH, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(r, arcW / 2.0, arcH / 2.0);
}

// The most lines a name is drawn in.
constexpr int kNameLines = 2;

// What of a name wrapped at the cell's width fills its first lines; the rest is not drawn.
QString firstLines(const QString& name, const QFont& font, int cellWidth,
                   const QTextOption& option) {
    // No more characters than the lines could hold even at one pixel each.
    QTextLayout layout(name.left(kNameLines * qMax(cellWidth, 1)), font);
    layout.setTextOption(option);
    layout.beginLayout();
    int end = 0;
    for (int n = 0; n < kNameLines; ++n) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(cellWidth);
        end = line.textStart() + line.textLength();
    }
    layout.endLayout();
    return name.left(end);
}

// A name wider than its cell starts at the cell's left edge and wraps at the cell's width
// into a second line below (and no further); a narrower one is one line. Laid out and
// rendered once, at the device ratio, as the coverage of its letters; yFraction is where its
// top row falls within a pixel.
void layoutName(FittedIcon& f, const QString& name, const QFont& font, int cellWidth,
                qreal yFraction, qreal dpr) {
    f.name = name;
    f.nameSize = font.pixelSize();
    f.cellWidth = cellWidth;
    f.nameDpr = dpr;
    const QFontMetrics metrics(font);
    // Measured on what two lines could hold at most: a name of any length costs no more.
    const QString head = name.left(kNameLines * qMax(cellWidth, 1));
    f.nameWidth = metrics.horizontalAdvance(head);
    QStaticText text(head);
    text.setTextFormat(Qt::PlainText);
    if (f.nameWidth >= cellWidth) {
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        text.setText(firstLines(head, font, cellWidth, option));
        text.setTextOption(option);
        text.setTextWidth(cellWidth);
    }
    text.prepare(QTransform(), font);
    const int margin = 2; // antialiased edges reach past the text's box
    const QSizeF box = text.size();
    f.nameOrigin = QPoint(-margin, -margin);
    f.nameGlyphs = QImage(qCeil((box.width() + 2 * margin) * dpr),
                          qCeil((box.height() + 2 * margin + 1) * dpr), QImage::Format_Alpha8);
    f.nameGlyphs.fill(0);
    f.nameGlyphs.setDevicePixelRatio(dpr);
    QPainter p(&f.nameGlyphs);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawStaticText(QPointF(margin, margin + yFraction), text);
}

// Takes a fitted picture and what it was fitted from into an entry; the name laid out for
// the entry stays.
void takePicture(FittedIcon& entry, FittedIcon&& made) {
    entry.iconKey = made.iconKey;
    entry.maskKey = made.maskKey;
    entry.size = made.size;
    entry.dpr = made.dpr;
    entry.ok = made.ok;
    entry.picture = std::move(made.picture);
}

bool fresh(const FittedIcon& f, const AppListClass& item, int size, qreal dpr) {
    return f.size == size && f.dpr == dpr && f.iconKey == item.Icon.cacheKey() &&
           f.maskKey == item.IconMask.cacheKey();
}

} // namespace

FittedIcon FitIcon(const AppListClass& item, int size, qreal dpr) {
    FittedIcon f;
    f.iconKey = item.Icon.cacheKey();
    f.maskKey = item.IconMask.cacheKey();
    f.size = size;
    f.dpr = dpr;
    f.picture = GlobalModule::FittedIconPicture(item.Icon, item.IconMask, size, dpr);
    f.ok = !f.picture.isNull();
    return f;
}

void KeepFitted(FittedCache& cache, const AppListClass* item, FittedIcon&& fitted) {
    takePicture(cache[item], std::move(fitted));
}

int TextWidth(const QString& text, int pixelSize) {
    return QFontMetrics(PixelFont(pixelSize)).horizontalAdvance(text);
}

namespace {

// The window's measures, settled before anything is drawn.
struct Frame {
    int S = 0, N = 0, T = 0; // pitch, name text size, title band height
    int W = 0, H = 0;        // window units
    int titleWidth = 0;      // the title text's width
    QString title;           // the name as drawn: cut short with an ellipsis beyond the screen
    size_t shown = 0;        // the items that fit under the tallest picture
    LauncherGeometry::Height height;
};

// Where an item's pictures go, settled before anything is drawn.
struct Placed {
    const FittedIcon* fitted = nullptr;
    int left = 0, top = 0;        // the icon-size box, window units
    QPoint icon, name;            // device positions of the fitted picture and the name
    int firstRow = 0, endRow = 0; // device rows the item touches
};

// The width grows to hold a full row of icons and the title band's icons; beyond the tallest
// window (the screens', or the tallest picture the X server shows), whole rows are left out,
// so the window shows the rows that fit instead of nothing at all.
Frame settleFrame(const Input& in, size_t itemCount, qreal dpr, Output& out) {
    const LauncherGeometry::Pitch pitch = LauncherGeometry::PitchFor(in.iconSize, in.viewName);
    Frame f;
    f.S = pitch.space;
    f.N = pitch.nameTextSize;
    f.T = in.viewTitleMenu ? LauncherGeometry::TitleBandHeight : 0;
    out.space = f.S;
    out.nameTextSize = f.N;
    int W = in.width;
    // The title band's measures do not depend on the width.
    if (in.viewTitleMenu) {
        // A name too long for the screen is cut short: the band's icons stay on the screen.
        f.title = in.name;
        f.titleWidth = TextWidth(in.name, LauncherGeometry::TitleTextPixels);
        const int room =
            in.screenWidth - LauncherGeometry::TitleIconsGap - LauncherGeometry::TitleIconsWidth;
        if (in.screenWidth > 0 && f.titleWidth > room) {
            const QFontMetrics metrics(PixelFont(LauncherGeometry::TitleTextPixels));
            f.title = metrics.elidedText(in.name, Qt::ElideRight, qMax(0, room));
            f.titleWidth = metrics.horizontalAdvance(f.title);
        }
        out.titleNameStringWidth = f.titleWidth;
        out.prefIconX = f.titleWidth + LauncherGeometry::TitleIconsGap;
        out.prefIconY = LauncherGeometry::SettingsIconTop;
        out.titleLaidOut = true;
    }
    LauncherGeometry::Height h;
    while (true) {
        h = LauncherGeometry::HeightFor(W, f.S, f.N, in.viewTitleMenu, int(itemCount));
        if (W < h.limitWidthCount * in.iconSize) {
            W = h.limitWidthCount * in.iconSize;
            continue;
        }
        if (in.viewTitleMenu && W < out.prefIconX + LauncherGeometry::TitleIconsWidth) {
            W = out.prefIconX + LauncherGeometry::TitleIconsWidth;
            continue;
        }
        break;
    }
    f.shown = itemCount;
    int fullHeight = h.height;
    // The X server's limit is in device pixels.
    int maxHeight = int(LauncherGeometry::MaxPictureHeight / dpr);
    if (in.maxHeight > 0)
        maxHeight = qMin(maxHeight, in.maxHeight);
    if (fullHeight > maxHeight && f.S > 0) {
        const int rows = qMax(1, (maxHeight - f.T - f.S) / (f.S + f.N) + 1);
        f.shown = qMin(f.shown, size_t(rows) * size_t(h.limitWidthCount));
        fullHeight = f.T + f.S + (rows - 1) * (f.S + f.N);
    }
    f.height = h;
    f.H = qMax(1, fullHeight);
    f.W = qMax(1, W);
    out.width = f.W;
    out.height = f.H;
    out.limitWidthCount = h.limitWidthCount;
    return f;
}

// The most the fitted pictures kept between compositions may take.
constexpr qint64 kKeptPicturesBudget = qint64(24) << 20;

// The item's fitted picture from the cache when it is fresh (true); otherwise only the name
// laid out earlier is taken, and the picture is to be fitted again (false).
bool takeFitted(FittedIcon& fitted, const AppListClass& item, const Input& in, qreal dpr) {
    const auto hit = in.cache ? in.cache->find(&item) : FittedCache::iterator();
    if (in.cache && hit != in.cache->end() && fresh(hit->second, item, in.iconSize, dpr)) {
        fitted = hit->second;
        return true;
    }
    if (in.cache && hit != in.cache->end()) {
        fitted = hit->second;
        takePicture(fitted, FittedIcon());
    }
    return false;
}

// Each shown item's icon and name places, row by row; the fitted pictures end in kept.
std::vector<Placed> placeItems(const Input& in, const AppListArray& items, const Frame& f,
                               qreal dpr, FittedCache& kept, Output& out) {
    std::vector<Placed> placed;
    placed.reserve(f.shown);
    const QFont nameFont = PixelFont(f.N);
    const qreal nameAscent = QFontMetricsF(nameFont).ascent();
    const qreal yFraction = qCeil(nameAscent) - nameAscent;
    const int S = f.S, N = f.N;
    int x = 0, y = f.T;
    const int off = RealToInt((S - in.iconSize) / 2.0);
    out.itemPositions.reserve(f.shown);
    // The fitted pictures and the names first: those not kept from the last composition are
    // made on every core when there are many (after a load they are all kept; names are
    // most of a large window's first composition).
    std::vector<FittedIcon*> fittedOf(f.shown);
    std::vector<size_t> unfitted, unlaid;
    for (size_t k = 0; k < f.shown; ++k) {
        const auto& item = items[k];
        auto [slot, added] = kept.try_emplace(item.get());
        FittedIcon& fitted = slot->second;
        if (added && !takeFitted(fitted, *item, in, dpr))
            unfitted.push_back(k);
        fittedOf[k] = &fitted;
        if (in.viewName &&
            (fitted.name != item->AppName || fitted.nameSize != N || fitted.cellWidth != S ||
             fitted.nameDpr != dpr || fitted.nameGlyphs.isNull()))
            unlaid.push_back(k);
    }
    Parallel::Spread(unfitted.size(), 16, [&](size_t first, size_t end) {
        for (size_t j = first; j < end; ++j)
            takePicture(*fittedOf[unfitted[j]], FitIcon(*items[unfitted[j]], in.iconSize, dpr));
    });
    Parallel::Spread(unlaid.size(), kNamesPerTask, [&](size_t first, size_t end) {
        // A font of its own per task: a font's engine is not shared across threads.
        const QFont font = PixelFont(N);
        for (size_t j = first; j < end; ++j)
            layoutName(*fittedOf[unlaid[j]], items[unlaid[j]]->AppName, font, S, yFraction, dpr);
    });
    for (size_t k = 0; k < f.shown; ++k) {
        const FittedIcon& fitted = *fittedOf[k];
        Placed p;
        p.fitted = &fitted;
        p.left = x + off;
        p.top = y;
        out.itemPositions.emplace_back(x + off, y);
        p.icon = QPoint(qRound((x + off) * dpr), qRound(y * dpr));
        p.firstRow = p.icon.y();
        p.endRow = qRound((y + in.iconSize) * dpr) + 1;
        if (in.viewName) {
            const int baseline = y + S - N;
            const int nx = fitted.nameWidth >= S ? x : x + RealToInt((S - fitted.nameWidth) / 2.0);
            const int top = baseline - qCeil(nameAscent);
            p.name = QPoint(qRound((nx + fitted.nameOrigin.x()) * dpr),
                            qRound((top + fitted.nameOrigin.y()) * dpr));
            p.firstRow = qMin(p.firstRow, p.name.y());
            p.endRow = qMax(p.endRow, p.name.y() + fitted.nameGlyphs.height());
        }
        placed.push_back(p);
        x += S;
        if (f.W - S < x) {
            x = 0;
            y += in.viewName ? S + N - 2 : S;
        }
    }
    return placed;
}

// The backpanel picture B and its mask BM are plain colour except near the panel's round
// corners and the title pill, so only the strips at the top and the bottom are painted; the
// rows between hold the panel colour and grey 180 throughout.
BackpanelStrips paintBackpanel(const Input& in, const Frame& f, qreal dpr, int Wd, int Hd) {
    BackpanelStrips strips;
    const int W = f.W, H = f.H, T = f.T;
    const int topRows = qMin(Hd, qRound((T + 16) * dpr));
    const int bottomStart = qMax(topRows, Hd - qRound(16 * dpr));
    const auto paintStrip = [&](int firstRow, int rows, QImage& b, QImage& bm) {
        b = QImage(Wd, rows, QImage::Format_RGB32);
        bm = QImage(Wd, rows, QImage::Format_RGB32);
        b.setDevicePixelRatio(dpr);
        bm.setDevicePixelRatio(dpr);
        b.fill(Qt::white);
        bm.fill(Qt::white);
        QPainter bp(&b);
        bp.setRenderHint(QPainter::Antialiasing);
        bp.translate(0, -firstRow / dpr);
        // With the title band the panel keeps the full height, so its lower corners fall
        // below the picture.
        fillRoundRect(bp, QRectF(0, T, W, H), kPanelRadius, kPanelRadius, in.color);
        QPainter bmp(&bm);
        bmp.setRenderHint(QPainter::Antialiasing);
        bmp.translate(0, -firstRow / dpr);
        const QColor grey(kGrey, kGrey, kGrey);
        if (in.viewTitleMenu) {
            fillRoundRect(bmp,
                          QRectF(0, 0, f.titleWidth + LauncherGeometry::TitlePlateMargin,
                                 LauncherGeometry::TitlePlateHeight),
                          kPlateRadius, kPlateRadius, grey);
            fillRoundRect(bmp, QRectF(0, T, W, H), kPanelRadius, kPanelRadius, grey);
        } else {
            fillRoundRect(bmp, QRectF(0, 0, W, H), kPanelRadius, kPanelRadius, grey);
        }
    };
    strips.topRows = topRows;
    strips.bottomStart = bottomStart;
    paintStrip(0, topRows, strips.topB, strips.topBM);
    if (bottomStart < Hd)
        paintStrip(bottomStart, Hd - bottomStart, strips.bottomB, strips.bottomBM);
    strips.colour = in.color.rgb() | 0xff000000u;
    return strips;
}

// Two painters over the working picture P and its mask M for the band starting at device
// row y0, both drawing in window units.
struct BandPainters {
    QPainter pp, mp;
    BandPainters(QImage& P, QImage& M, int y0, qreal dpr) : pp(&P), mp(&M) {
        for (QPainter* p : {&pp, &mp}) {
            p->setRenderHint(QPainter::Antialiasing);
            p->setRenderHint(QPainter::TextAntialiasing);
            p->translate(0, -y0 / dpr);
        }
    }
};

// The title band: the name on its plate, the settings icon and the plus/minus icon.
void drawTitleBand(QImage& P, QImage& M, const Input& in, const Frame& f, const Output& out, int y0,
                   qreal dpr) {
    BandPainters band(P, M, y0, dpr);
    QPainter& pp = band.pp;
    QPainter& mp = band.mp;
    const QFont titleFont = PixelFont(LauncherGeometry::TitleTextPixels);
    pp.setFont(titleFont);
    mp.setFont(titleFont);
    const QRectF plate(0, 0, f.titleWidth + LauncherGeometry::TitlePlateMargin,
                       LauncherGeometry::TitlePlateHeight);
    fillRoundRect(pp, plate, kPlateRadius, kPlateRadius, in.color);
    fillRoundRect(mp, plate, kPlateRadius, kPlateRadius, QColor(150, 150, 150));
    pp.setPen(Qt::white);
    pp.drawText(QPointF(10, 15), f.title);
    mp.setPen(Qt::black);
    mp.drawText(QPointF(10, 15), f.title);
    const int px = out.prefIconX, py = out.prefIconY;
    pp.drawImage(px, py, AppMedia::PrefIcon24());
    mp.drawImage(px, py, AppMedia::PrefIcon24Mask());
    const QRectF plusMinus = LauncherGeometry::PlusMinusIcon;
    pp.drawImage(plusMinus.topLeft() + QPointF(px, py), AppMedia::PlusMinusIcon());
    fillRoundRect(mp, plusMinus.translated(px, 0), 5, 5, QColor(50, 50, 50));
}

// A picture that did not decode: a neutral placeholder keeps the cell.
void drawPlaceholder(QImage& P, QImage& M, const Placed& p, int iconSize, int y0, qreal dpr) {
    BandPainters band(P, M, y0, dpr);
    const QRectF r(p.left + iconSize * 0.1, p.top + iconSize * 0.1, iconSize * 0.8, iconSize * 0.8);
    band.pp.setPen(QPen(QColor(120, 120, 120), 1.5, Qt::DashLine));
    band.pp.setBrush(QColor(200, 200, 200));
    band.pp.drawRoundedRect(r, iconSize * 0.12, iconSize * 0.12);
    fillRoundRect(band.mp, r, iconSize * 0.24, iconSize * 0.24, QColor(110, 110, 110));
}

} // namespace

Output Compose(Input in) {
    Output out;
    const AppListArray empty;
    const AppListArray& items = in.items ? *in.items : empty;
    const qreal dpr = in.dpr > 0 ? in.dpr : 1.0;
    const Frame f = settleFrame(in, items.size(), dpr, out);

    // Everything is at device pixels; drawing is in window units.
    const int Wd = qMax(1, qRound(f.W * dpr)), Hd = qMax(1, qRound(f.H * dpr));
    FittedCache kept;
    const std::vector<Placed> placed = placeItems(in, items, f, dpr, kept, out);
    BackpanelStrips strips;
    if (in.viewBackPanel)
        strips = paintBackpanel(in, f, dpr, Wd, Hd);

    // The picture is composed in bands of rows: a small working picture P and its mask M are
    // drawn for one band at a time and joined into the final picture, so no full-size
    // working copies are made. The previous picture's pixels are reused when it has the
    // same size and is not shared.
    QImage pic = in.recycled.size() == QSize(Wd, Hd) &&
                         in.recycled.format() == QImage::Format_ARGB32_Premultiplied
                     ? std::move(in.recycled)
                     : populatedImage(Wd, Hd);
    in.recycled = QImage();
    const int band = 64; // rows, even: a band starts on a whole window pixel at ratio 2
    const int titleRows = in.viewTitleMenu ? qCeil(LauncherGeometry::TitleBandHeight * dpr) : 0;
    // Bands [first, end), with working pictures of their own.
    const auto composeBands = [&](int first, int end) {
        QImage P(Wd, band, QImage::Format_RGB32);
        QImage M(Wd, band, QImage::Format_RGB32);
        P.setDevicePixelRatio(dpr);
        M.setDevicePixelRatio(dpr);
        for (int b = first; b < end; ++b) {
            const int y0 = b * band;
            const int rows = qMin(band, Hd - y0);
            P.fill(Qt::white);
            M.fill(Qt::white);
            if (y0 < titleRows)
                drawTitleBand(P, M, in, f, out, y0, dpr);
            for (const Placed& p : placed) {
                if (p.endRow <= y0 || p.firstRow >= y0 + rows)
                    continue;
                if (p.fitted->ok)
                    drawFitted(P, M, p.fitted->picture, p.icon.x(), p.icon.y() - y0);
                else
                    drawPlaceholder(P, M, p, in.iconSize, y0, dpr);
                if (in.viewName)
                    drawGlyphs(P, M, p.fitted->nameGlyphs, p.name.x(), p.name.y() - y0);
            }
            if (in.viewBackPanel)
                joinOverBackpanel(P, M, strips, pic, y0, rows);
            else
                joinPlain(P, M, pic, y0, rows);
        }
    };
    const int bands = (Hd + band - 1) / band;
    // A tall picture is composed on every core, each task a run of bands; the first run
    // holds the whole title band, which alone writes to the output.
    const int bandsPerTask = qMax(8, (titleRows + band - 1) / band);
    Parallel::Spread(size_t(bands), size_t(bandsPerTask),
                     [&](size_t first, size_t end) { composeBands(int(first), int(end)); });
    if (in.cache) {
        // Fitted pictures are kept for the next composition within a budget: beyond it (a
        // window of thousands of items) they are fitted again when next composed.
        qint64 bytes = 0;
        for (const auto& [item, fitted] : kept)
            bytes += fitted.picture.sizeInBytes();
        if (bytes > kKeptPicturesBudget)
            // Emptied with its keys, so that the next composition fits it again.
            for (auto& [item, fitted] : kept)
                takePicture(fitted, FittedIcon());
        in.cache->swap(kept);
    }
    pic.setDevicePixelRatio(dpr);
    out.pic = std::move(pic);
    if (in.shape)
        out.shape = AlphaRegion(out.pic);
    return out;
}

} // namespace LauncherComposition
