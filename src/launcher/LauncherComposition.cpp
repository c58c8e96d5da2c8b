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

QFont fontOfSize(int pixelSize) {
    QFont f = QGuiApplication::font();
    f.setPixelSize(qMax(1, pixelSize));
    return f;
}

// A mask picture that lets only its own dark parts through when drawn: grey g becomes
// colour g with opacity 255 - g.
QImage selfMasked(const QImage& mask) {
    QImage out(mask.size(), QImage::Format_ARGB32_Premultiplied);
    const QImage m = mask.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < m.height(); ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(m.constScanLine(y));
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < m.width(); ++x) {
            const int g = qGreen(src[x]);
            dst[x] = qPremultiply(qRgba(g, g, g, 255 - g));
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

// A name wider than its cell starts at the cell's left edge and wraps at the cell's width.
void drawWrapped(QPainter& p, const QString& text, int x, int baseline, int width) {
    QTextLayout layout(text, p.font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal top = 0;
    while (true) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        line.setPosition(QPointF(0, top));
        top += line.height();
    }
    layout.endLayout();
    const qreal ascent = layout.lineCount() ? layout.lineAt(0).ascent() : 0;
    layout.draw(&p, QPointF(x, baseline - ascent));
}

} // namespace

int TextWidth(const QString& text, int pixelSize) {
    return QFontMetrics(fontOfSize(pixelSize)).horizontalAdvance(text);
}

Output Compose(const Input& in) {
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
    const int H = qMax(1, h.height);
    W = qMax(1, W);
    out.width = W;
    out.height = H;
    out.limitWidthCount = h.limitWidthCount;

    QImage P(W, H, QImage::Format_RGB32);
    QImage M(W, H, QImage::Format_RGB32);
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
            const QFont titleFont = fontOfSize(14);
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

        const QFont nameFont = fontOfSize(N);
        const QFontMetrics nameMetrics(nameFont);
        pp.setFont(nameFont);
        mp.setFont(nameFont);
        int x = 0, y = T;
        const int off = RealToInt((S - in.iconSize) / 2.0);
        out.itemPositions.reserve(items.size());
        for (const auto& item : items) {
            const MaskedPicture icon = GlobalModule::GetImageFreeSizeMethod(
                item->Icon, in.iconSize, in.iconSize, QStringLiteral("icon"));
            const MaskedPicture mask = GlobalModule::GetImageFreeSizeMethod(
                item->IconMask, in.iconSize, in.iconSize, QStringLiteral("mask"));
            out.itemPositions.emplace_back(x + off, y);
            if (!icon.isNull() && !mask.isNull()) {
                const QRect r = GlobalModule::FittedRect(item->Icon.width(), item->Icon.height(),
                                                         in.iconSize, in.iconSize);
                pp.drawImage(QPoint(x + off + r.x(), y + r.y()), icon.image, r);
                mp.drawImage(x + off, y, selfMasked(mask.image));
            } else {
                // A picture that did not decode: a neutral placeholder keeps the cell.
                const QRectF r(x + off + in.iconSize * 0.1, y + in.iconSize * 0.1,
                               in.iconSize * 0.8, in.iconSize * 0.8);
                pp.setPen(QPen(QColor(120, 120, 120), 1.5, Qt::DashLine));
                pp.setBrush(QColor(200, 200, 200));
                pp.drawRoundedRect(r, in.iconSize * 0.12, in.iconSize * 0.12);
                fillRoundRect(mp, r, in.iconSize * 0.24, in.iconSize * 0.24,
                              QColor(110, 110, 110));
            }
            if (in.viewName) {
                const QString& name = item->AppName;
                const int nameW = nameMetrics.horizontalAdvance(name);
                const int baseline = y + S - N;
                pp.setPen(Qt::white);
                mp.setPen(Qt::black);
                if (nameW >= S) {
                    drawWrapped(pp, name, x, baseline, S);
                    drawWrapped(mp, name, x, baseline, S);
                } else {
                    const int nx = x + RealToInt((S - nameW) / 2.0);
                    pp.drawText(QPoint(nx, baseline), name);
                    mp.drawText(QPoint(nx, baseline), name);
                }
            }
            x += S;
            if (W - S < x) {
                x = 0;
                y += in.viewName ? S + N - 2 : S;
            }
        }
    }

    if (in.viewBackPanel) {
        QImage B(W, H, QImage::Format_RGB32);
        B.fill(Qt::white);
        QImage BM(W, H, QImage::Format_RGB32);
        BM.fill(Qt::white);
        {
            QPainter bp(&B);
            bp.setRenderHint(QPainter::Antialiasing);
            // With the title band the panel keeps the full height, so its lower corners
            // fall below the picture.
            fillRoundRect(bp, QRectF(0, T, W, H), 15, 15, in.color);
            bp.drawImage(0, 0, CGCreateImageMBS(P, M));
            QPainter bmp(&BM);
            bmp.setRenderHint(QPainter::Antialiasing);
            const QColor grey(180, 180, 180);
            if (in.viewTitleMenu) {
                fillRoundRect(bmp, QRectF(0, 0, w + 20, 20), 5, 5, grey);
                fillRoundRect(bmp, QRectF(0, 25, W, H), 15, 15, grey);
            } else {
                fillRoundRect(bmp, QRectF(0, 0, W, H), 15, 15, grey);
            }
            bmp.drawImage(0, 0, selfMasked(M));
        }
        out.pic = CGCreateImageMBS(B, BM);
    } else {
        out.pic = CGCreateImageMBS(P, M);
    }
    return out;
}

} // namespace LauncherComposition
