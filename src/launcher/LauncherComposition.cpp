#include "launcher/LauncherComposition.h"

#include "app/AppMedia.h"
#include "launcher/LauncherGeometry.h"
#include "platform/Framework.h"
#include "platform/Plugin.h"
#include "store/IconHelpers.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QTextLayout>

namespace LauncherComposition {

namespace {

// A mask picture that lets only its own dark parts through when drawn: grey g becomes
// colour g with opacity 255 - g.
QImage selfMasked(const QImage& mask) {
    QImage out(mask.size(), QImage::Format_ARGB32_Premultiplied);
    const QImage m = mask.convertToFormat(QImage::Format_RGB32);
    const int w = m.width(), h = m.height();
    for (int y = 0; y < h; ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(m.constScanLine(y));
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const uint g = src[x] & 0xffu;
            dst[x] = ByteMul(0xff000000u | g * 0x010101u, 255u - g);
        }
    }
    return out;
}

struct BackpanelStrips {
    int topRows = 0;
    int bottomStart = 0;
    QImage topB, topBM, bottomB, bottomBM;
    uint colour = 0; // the panel's colour between the strips, where its mask is grey 180
};

// The backpanel picture B with P drawn over it through M, and its mask BM with M drawn
// through itself, joined into the final image in one pass over the pixels.
QImage joinOverBackpanel(const QImage& P, const QImage& M, const BackpanelStrips& s,
                         QImage recycled) {
    const int w = P.width(), h = P.height();
    QImage out =
        recycled.size() == P.size() && recycled.format() == QImage::Format_ARGB32_Premultiplied
            ? std::move(recycled)
            : QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    const uint panelOnly = ByteMul(s.colour, 255u - 180u);
    std::vector<QRgb> middleB(size_t(w), s.colour), middleBM(size_t(w), 0xffb4b4b4u);
    for (int y = 0; y < h; ++y) {
        const QRgb* p = reinterpret_cast<const QRgb*>(P.constScanLine(y));
        const QRgb* m = reinterpret_cast<const QRgb*>(M.constScanLine(y));
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
                const uint panelGrey = bm[x] & 0xffu;
                dst[x] = panelGrey == 255u ? 0u : ByteMul(b[x] | 0xff000000u, 255u - panelGrey);
                continue;
            }
            const uint panelGrey = bm[x] & 0xffu;
            const uint a = 255u - g; // P's opacity through M
            const uint colour = Interpolate255(p[x], a, b[x], g);
            // M drawn through itself over BM.
            const uint maskGrey = (g * a + panelGrey * g + 127u) / 255u;
            dst[x] = ByteMul(colour | 0xff000000u, 255u - maskGrey);
        }
    }
    return out;
}

// Arcs are given as the corner ellipse's full width and height.
void fillRoundRect(QPainter& p, const QRectF& r, qreal arcW, qreal arcH, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(r, arcW / 2.0, arcH / 2.0);
}

// A name wider than its cell starts at the cell's left edge and wraps at the cell's width
// into further lines below; a narrower one is one line. Laid out once, drawn many times.
void layoutName(FittedIcon& f, const QString& name, const QFont& font, int cellWidth) {
    f.name = name;
    f.nameSize = font.pixelSize();
    f.cellWidth = cellWidth;
    f.nameWidth = QFontMetrics(font).horizontalAdvance(name);
    f.nameText = QStaticText(name);
    f.nameText.setTextFormat(Qt::PlainText);
    f.nameText.setPerformanceHint(QStaticText::AggressiveCaching);
    if (f.nameWidth >= cellWidth) {
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        f.nameText.setTextOption(option);
        f.nameText.setTextWidth(cellWidth);
    }
    f.nameText.prepare(QTransform(), font);
}

FittedIcon fit(const AppListClass& item, int size) {
    FittedIcon f;
    f.iconKey = item.Icon.cacheKey();
    f.maskKey = item.IconMask.cacheKey();
    f.size = size;
    const MaskedPicture icon =
        GlobalModule::GetImageFreeSizeMethod(item.Icon, size, size, QStringLiteral("icon"));
    const MaskedPicture mask =
        GlobalModule::GetImageFreeSizeMethod(item.IconMask, size, size, QStringLiteral("mask"));
    if (icon.isNull() || mask.isNull())
        return f;
    // The icon's mask is opaque exactly over its fitted rectangle.
    const QRect r = GlobalModule::FittedRect(item.Icon.width(), item.Icon.height(), size, size);
    f.ok = true;
    f.icon = icon.image.copy(r);
    f.offset = r.topLeft();
    f.selfMask = selfMasked(mask.image);
    return f;
}

} // namespace

int TextWidth(const QString& text, int pixelSize) {
    return QFontMetrics(PixelFont(pixelSize)).horizontalAdvance(text);
}

Output Compose(Input in) {
    Output out;
    const AppListArray empty;
    const AppListArray& items = in.items ? *in.items : empty;
    const LauncherGeometry::Pitch pitch = LauncherGeometry::PitchFor(in.iconSize, in.viewName);
    const int S = pitch.space;
    const int N = pitch.nameTextSize;
    const int T = in.viewTitleMenu ? 25 : 0;
    out.space = S;
    out.nameTextSize = N;
    int W = in.width;

    // The title band's measures do not depend on the width, so the widening to fit its
    // icons is settled before anything is drawn.
    int w = 0;
    if (in.viewTitleMenu) {
        w = TextWidth(in.name, 14);
        out.titleNameStringWidth = w;
        out.prefIconX = w + 30;
        out.prefIconY = -2;
        out.titleLaidOut = true;
    }
    LauncherGeometry::Height h;
    while (true) {
        h = LauncherGeometry::HeightFor(W, S, N, in.viewTitleMenu, int(items.size()));
        if (W < h.limitWidthCount * in.iconSize) {
            W = h.limitWidthCount * in.iconSize;
            continue;
        }
        if (in.viewTitleMenu && W < out.prefIconX + 65) {
            W = out.prefIconX + 65;
            continue;
        }
        break;
    }
    // Beyond the tallest picture the X server shows, whole rows are left out: the window
    // shows the rows that fit instead of nothing at all.
    size_t shown = items.size();
    int fullHeight = h.height;
    if (fullHeight > LauncherGeometry::MaxPictureHeight && S > 0) {
        const int rows = qMax(1, (LauncherGeometry::MaxPictureHeight - T - S) / (S + N) + 1);
        shown = qMin(shown, size_t(rows) * size_t(h.limitWidthCount));
        fullHeight = T + S + (rows - 1) * (S + N);
    }
    const int H = qMax(1, fullHeight);
    W = qMax(1, W);
    out.width = W;
    out.height = H;
    out.limitWidthCount = h.limitWidthCount;

    // The working picture and mask live in buffers kept from one composition to the next
    // (compositions never overlap), so a live resize does not fault in fresh pages each step.
    static std::vector<uint32_t> pictureBuffer, maskBuffer;
    const size_t pixels = size_t(W) * size_t(H);
    if (pictureBuffer.size() < pixels) {
        pictureBuffer.resize(pixels);
        maskBuffer.resize(pixels);
    }
    QImage P(reinterpret_cast<uchar*>(pictureBuffer.data()), W, H, W * 4, QImage::Format_RGB32);
    QImage M(reinterpret_cast<uchar*>(maskBuffer.data()), W, H, W * 4, QImage::Format_RGB32);
    P.fill(Qt::white);
    M.fill(Qt::white);
    {
        QPainter pp(&P);
        QPainter mp(&M);
        pp.setRenderHint(QPainter::Antialiasing);
        mp.setRenderHint(QPainter::Antialiasing);
        pp.setRenderHint(QPainter::TextAntialiasing);
        mp.setRenderHint(QPainter::TextAntialiasing);

        if (in.viewTitleMenu) {
            const QFont titleFont = PixelFont(14);
            pp.setFont(titleFont);
            mp.setFont(titleFont);
            fillRoundRect(pp, QRectF(0, 0, w + 20, 20), 5, 5, in.color);
            fillRoundRect(mp, QRectF(0, 0, w + 20, 20), 5, 5, QColor(150, 150, 150));
            pp.setPen(Qt::white);
            pp.drawText(QPointF(10, 15), in.name);
            mp.setPen(Qt::black);
            mp.drawText(QPointF(10, 15), in.name);
            const int px = out.prefIconX, py = out.prefIconY;
            pp.drawImage(px, py, AppMedia::PrefIcon24());
            mp.drawImage(px, py, AppMedia::PrefIcon24Mask());
            pp.drawImage(px + 30, py + 1, AppMedia::PlusMinusIcon());
            fillRoundRect(mp, QRectF(px + 30, 1, 32, 19), 5, 5, QColor(50, 50, 50));
        }

        const QFont nameFont = PixelFont(N);
        const qreal nameAscent = QFontMetricsF(nameFont).ascent();
        pp.setFont(nameFont);
        mp.setFont(nameFont);
        int x = 0, y = T;
        const int off = RealToInt((S - in.iconSize) / 2.0);
        out.itemPositions.reserve(items.size());
        FittedCache kept;
        for (size_t k = 0; k < shown; ++k) {
            const auto& item = items[k];
            FittedIcon fitted;
            if (in.cache) {
                auto hit = in.cache->find(item.get());
                if (hit != in.cache->end() && hit->second.size == in.iconSize &&
                    hit->second.iconKey == item->Icon.cacheKey() &&
                    hit->second.maskKey == item->IconMask.cacheKey())
                    fitted = hit->second;
                else
                    fitted = fit(*item, in.iconSize);
                kept[item.get()] = fitted;
            } else {
                fitted = fit(*item, in.iconSize);
            }
            out.itemPositions.emplace_back(x + off, y);
            if (fitted.ok) {
                pp.drawImage(QPoint(x + off, y) + fitted.offset, fitted.icon);
                mp.drawImage(x + off, y, fitted.selfMask);
            } else {
                // A picture that did not decode: a neutral placeholder keeps the cell.
                const QRectF r(x + off + in.iconSize * 0.1, y + in.iconSize * 0.1,
                               in.iconSize * 0.8, in.iconSize * 0.8);
                pp.setPen(QPen(QColor(120, 120, 120), 1.5, Qt::DashLine));
                pp.setBrush(QColor(200, 200, 200));
                pp.drawRoundedRect(r, in.iconSize * 0.12, in.iconSize * 0.12);
                fillRoundRect(mp, r, in.iconSize * 0.24, in.iconSize * 0.24, QColor(110, 110, 110));
            }
            if (in.viewName) {
                if (fitted.name != item->AppName || fitted.nameSize != N || fitted.cellWidth != S) {
                    layoutName(fitted, item->AppName, nameFont, S);
                    if (in.cache)
                        kept[item.get()] = fitted;
                }
                const int baseline = y + S - N;
                const int nx =
                    fitted.nameWidth >= S ? x : x + RealToInt((S - fitted.nameWidth) / 2.0);
                const QPointF topLeft(nx, baseline - nameAscent);
                pp.setPen(Qt::white);
                mp.setPen(Qt::black);
                pp.drawStaticText(topLeft, fitted.nameText);
                mp.drawStaticText(topLeft, fitted.nameText);
            }
            x += S;
            if (W - S < x) {
                x = 0;
                y += in.viewName ? S + N - 2 : S;
            }
        }
        if (in.cache)
            in.cache->swap(kept);
    }

    if (in.viewBackPanel) {
        // The backpanel picture B and its mask BM are plain colour except near the panel's
        // round corners and the title pill, so only the strips at the top and the bottom
        // are painted; the rows between hold the panel colour and grey 180 throughout.
        const int topRows = qMin(H, T + 16);
        const int bottomStart = qMax(topRows, H - 16);
        const auto paintStrip = [&](int firstRow, int rows, QImage& b, QImage& bm) {
            b = QImage(W, rows, QImage::Format_RGB32);
            bm = QImage(W, rows, QImage::Format_RGB32);
            b.fill(Qt::white);
            bm.fill(Qt::white);
            QPainter bp(&b);
            bp.setRenderHint(QPainter::Antialiasing);
            bp.translate(0, -firstRow);
            // With the title band the panel keeps the full height, so its lower corners
            // fall below the picture.
            fillRoundRect(bp, QRectF(0, T, W, H), 15, 15, in.color);
            QPainter bmp(&bm);
            bmp.setRenderHint(QPainter::Antialiasing);
            bmp.translate(0, -firstRow);
            const QColor grey(180, 180, 180);
            if (in.viewTitleMenu) {
                fillRoundRect(bmp, QRectF(0, 0, w + 20, 20), 5, 5, grey);
                fillRoundRect(bmp, QRectF(0, 25, W, H), 15, 15, grey);
            } else {
                fillRoundRect(bmp, QRectF(0, 0, W, H), 15, 15, grey);
            }
        };
        BackpanelStrips strips;
        strips.topRows = topRows;
        strips.bottomStart = bottomStart;
        paintStrip(0, topRows, strips.topB, strips.topBM);
        if (bottomStart < H)
            paintStrip(bottomStart, H - bottomStart, strips.bottomB, strips.bottomBM);
        strips.colour = in.color.rgb() | 0xff000000u;
        out.pic = joinOverBackpanel(P, M, strips, std::move(in.recycled));
    } else {
        // The image must own its pixels: the working buffers are reused.
        out.pic = CGCreateImageMBS(P, M);
    }
    return out;
}

} // namespace LauncherComposition
