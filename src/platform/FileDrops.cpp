#include "platform/FileDrops.h"

#include "platform/FolderItem.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

QStringList DroppedLocalPaths(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        if (!url.host().isEmpty() &&
            url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0) {
            paths << url.toLocalFile();
            continue;
        }
        // The path's bytes as the URL carries them: decoded as UTF-8, a name that is not
        // would turn into replacement characters and no longer name the file.
        paths << PathFromNative(
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
    }
    return paths;
}

bool AcceptFileDropAsCopy(QDropEvent* event) {
    if (DroppedLocalPaths(event->mimeData()).isEmpty())
        return false;
    if (event->possibleActions() & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
    else if (event->possibleActions() & Qt::LinkAction)
        event->setDropAction(Qt::LinkAction);
    else
        return false;
    event->accept();
    return true;
}
