#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// A picture kept as the compressed (JPEG) bytes it is stored as, decoded only when and at the
// size it is drawn: a launcher item holds its 128-pixel icon and mask this way.
class StoredPicture {
public:
    StoredPicture() = default;
    // Compresses a picture as it is stored; a null picture stays null.
    StoredPicture(const QImage& picture); // NOLINT: assigning a picture stores it
    // Takes stored bytes as they are; bytes that do not decode give a null picture.
    static StoredPicture fromData(const QByteArray& data);
    // From the stored Base64 text.
    static StoredPicture fromText(const QString& text);

    bool isNull() const { return m_size.isEmpty(); }
    QSize size() const { return m_size; }
    int width() const { return m_size.width(); }
    int height() const { return m_size.height(); }
    const QByteArray& data() const { return m_data; }
    // The stored text: Base64 in lines of 76 characters.
    QString text() const;
    // Changes whenever another picture is stored here; copies share it.
    qint64 cacheKey() const { return m_key; }

    // The whole picture (RGB32, or Grayscale8 with grey set).
    QImage picture(bool grey = false) const;
    // Decoded at the smallest size the codec can give that is at least `atLeast` in both
    // directions (JPEG scales by eighths while decoding); never larger than the picture.
    QImage pictureAtLeast(QSize atLeast, bool grey = false) const;
    // The size pictureAtLeast decodes at.
    QSize decodedSizeFor(QSize atLeast) const;

private:
    // The eighths of its size the picture is decoded at for a wanted size.
    int decodedEighths(QSize atLeast) const;

    QByteArray m_data;
    QSize m_size;
    qint64 m_key = 0;
};
