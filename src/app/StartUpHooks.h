#pragma once

// Hands the layers below start-up what they ask for: the launcher windows' loader, the
// editor and delete dialog for the contextual menu, the Close Window handlers. Once, before
// any window opens.
void WireStartUpHooks();
