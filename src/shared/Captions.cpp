#include "shared/Captions.h"

#include "platform/Framework.h"
#include "store/Globals.h"

QString Caption::text() const {
    return QString::fromUtf8(GlobalModule::IsKorean() ? korean : english);
}

bool Caption::matches(const QString& caption) const {
    return TextEquals(caption, QString::fromUtf8(english)) ||
           TextEquals(caption, QString::fromUtf8(korean));
}
