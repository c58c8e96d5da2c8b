#pragma once

// Pictures as stored bytes, and PNG files as pictures with masks.

#include <QByteArray>
#include <QImage>
#include <QString>

// JPEG data of a picture (quality on the 0..1024 scale), and the picture back.
QByteArray PictureToStringMBS(const QImage& picture, const QString& codec, int quality, int depth);
QImage StringtoPictureMBS(const QByteArray& data, const QString& fileName, const QString& type);

// A PNG as a picture and a mask made from its alpha.
struct PNGPictureMBS {
    QImage Pict;
    QImage Mask;
    bool isNull() const { return Pict.isNull(); }
};
PNGPictureMBS OpenAsPNGMBS(const QString& path, double gamma = 0.0);
