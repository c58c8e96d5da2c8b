#include "platform/FileDrops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

QStringList DroppedLocalPaths(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
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
