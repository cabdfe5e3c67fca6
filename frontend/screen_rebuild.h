#pragma once
// Rebuilds the picture of a paused machine from its memory, so that what a
// command put there (a loaded snapshot, a reset) shows without running a frame.

namespace tarvolinde {

class Screen;

// Border all in the current border colour, and every cell latched from the
// screen page as it stands.
void RebuildFromMemory(Screen& screen);

}  // namespace tarvolinde
