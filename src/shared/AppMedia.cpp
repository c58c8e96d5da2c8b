#include "shared/AppMedia.h"

#include "platform/Desktop.h"
#include "platform/Pixels.h"

#include <QFile>
#include <QMap>
#include <QPainter>
#include <mutex>

static void initMediaResources() {
    Q_INIT_RESOURCE(media);
}

namespace AppMedia {

namespace {
int loads = 0;
// Windows are composed on several threads at once; each picture is read once.
std::recursive_mutex slotsLock;

QString soundPath(int number) {
    return QStringLiteral(":/sounds/%1.wav").arg(number);
}

// Reads picture `number` into its slot unless it is already there.
const QImage& picture(int number) {
    const std::lock_guard lock(slotsLock);
    static QMap<int, QImage> slots;
    QImage& slot = slots[number];
    if (slot.isNull()) {
        initMediaResources();
        ++loads;
        slot.load(QStringLiteral(":/pictures/%1.png").arg(number));
        if (!slot.isNull())
            slot = slot.convertToFormat(QImage::Format_RGB32);
    }
    return slot;
}

// Picture `number` drawn through mask picture `maskNumber`, once.
const QImage& maskedPicture(int number, int maskNumber) {
    const std::lock_guard lock(slotsLock);
    static QMap<int, QImage> slots;
    QImage& slot = slots[number];
    if (slot.isNull()) {
        const QImage& pic = picture(number);
        if (pic.isNull())
            return slot;
        const QImage& mask = picture(maskNumber);
        if (mask.isNull()) {
            slot = pic.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            return slot;
        }
        // Where the mask does not reach, nothing shows.
        slot = QImage(pic.size(), QImage::Format_ARGB32_Premultiplied);
        slot.fill(0);
        slot.setDevicePixelRatio(pic.devicePixelRatio());
        const int width = qMin(pic.width(), mask.width());
        for (int y = 0; y < qMin(pic.height(), mask.height()); ++y)
            MaskRowToAlpha(reinterpret_cast<const QRgb*>(pic.constScanLine(y)),
                           reinterpret_cast<const QRgb*>(mask.constScanLine(y)),
                           reinterpret_cast<QRgb*>(slot.scanLine(y)), width);
    }
    return slot;
}
} // namespace

Sound& Pop() {
    static Sound s(soundPath(176));
    return s;
}
Sound& EraseSound() {
    static Sound s(soundPath(179));
    return s;
}
Sound& BoardClick() {
    static Sound s(soundPath(187));
    return s;
}

const QImage& PrefIcon24() {
    return picture(168);
}
const QImage& PrefIcon24Mask() {
    return picture(169);
}
const QImage& YellowHueBlob() {
    return maskedPicture(170, 171);
}
const QImage& YellowHueBlobMask() {
    return picture(171);
}
const QImage& PlusMinusIcon() {
    return maskedPicture(174, 175);
}
const QImage& PlusMinusIconMask() {
    return picture(175);
}
const QImage& CautionIcon() {
    return maskedPicture(176, 177);
}
const QImage& CautionIconMask() {
    return picture(177);
}
const QImage& LauncherMainIcon() {
    return maskedPicture(178, 179);
}
const QImage& LauncherMainIconMask() {
    return picture(179);
}

QString PoofStripPath() {
    initMediaResources();
    return QStringLiteral(":/pictures/poof.png");
}

int resourceLoads() {
    return loads;
}

} // namespace AppMedia

void Sound::Play() {
    initMediaResources();
    // No audio device means silence, never an error.
    if (QFile::exists(m_resource))
        Desktop::instance().playSound(m_resource, Volume);
}
