#pragma once

#include <QString>
#include <QStringList>

class QDropEvent;
class QMimeData;

// Accepts a drag or drop that carries at least one local file or folder, as a copy or a
// link, never a move: the dropped file stays where it is. False when refused.
bool AcceptFileDropAsCopy(QDropEvent* event);

// The local files and folders of a drop, in drag order; other URLs are left out.
QStringList DroppedLocalPaths(const QMimeData* data);
