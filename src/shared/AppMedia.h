#pragma once

#include <QImage>
#include <QString>

// A sound of the application's resources. The object is shared, so callers set the volume
// they want right before playing.
class Sound {
public:
    explicit Sound(QString resource) : m_resource(std::move(resource)) {}
    int Volume = 100;
    void Play();
    const QString& resource() const { return m_resource; }

private:
    QString m_resource;
};

// The application's sounds and pictures, each loaded on first use by its number and the
// same object handed out after. A missing resource gives a null picture (or a silent sound)
// and is looked for again on the next call. A picture with a mask carries it as its alpha.
namespace AppMedia {

Sound& Pop();        // 176
Sound& EraseSound(); // 179
Sound& BoardClick(); // 187

const QImage& PrefIcon24();           // 168
const QImage& PrefIcon24Mask();       // 169
const QImage& YellowHueBlob();        // 170, masked by 171
const QImage& YellowHueBlobMask();    // 171
const QImage& PlusMinusIcon();        // 174, masked by 175
const QImage& PlusMinusIconMask();    // 175
const QImage& CautionIcon();          // 176, masked by 177
const QImage& CautionIconMask();      // 177
const QImage& LauncherMainIcon();     // 178, masked by 179
const QImage& LauncherMainIconMask(); // 179

// The removal animation's strip of 128 x 128 frames.
QString PoofStripPath();

// How many times a picture was read from the resources (tests check the caching).
int resourceLoads();

} // namespace AppMedia
