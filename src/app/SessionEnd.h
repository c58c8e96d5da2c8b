#pragma once

// The end of the X session: when the display connection is lost (logout, the server gone),
// the launcher ends at once with status 0 and its database closed, before anything tears
// down static objects under a half-gone Qt (which used to end in a crash).
void EndWithTheDisplay();
