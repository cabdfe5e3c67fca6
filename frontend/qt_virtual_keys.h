#pragma once
// The one place where the toolkit's keys become the virtual-key codes the key
// mapping is written in (the codes of the Windows keyboard, US layout).

#include <Qt>

namespace tarvolinde {

// The virtual-key code of a Qt key, or 0 for keys that have none. Shifted
// symbols name the key they are typed on (Qt::Key_Exclam is the key '1'), so
// that a key goes up as the same code it went down as, whatever the shift keys
// did in between. Keys of the numeric pad give the pad's own codes.
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);

}  // namespace tarvolinde
