#pragma once

class FolderItem;

// "Reveal in Finder": opens the folder that holds an item, when the item still exists; a
// folder that cannot be opened is told with the system's reason.
void RevealInFolder(const FolderItem& item);
