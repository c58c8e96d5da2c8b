#pragma once

// How pictures change size.

#include <QImage>
#include <QSize>

// The one way pictures are shrunk (and, rarely, enlarged): each target pixel averages the
// source pixels it covers, so fine lines and edges stay smooth at 32 or 48 pixels.
QImage SmoothScaled(const QImage& image, QSize size);
// An icon read at some size brought to fit size x size (keeping its proportions) through
// SmoothScaled, at device pixel ratio 1.
QImage FittedIcon(QImage image, int size);
