// The "Debug" command: the debugger window, modal, over the stopped machine.

#include "frontend/tdebug.h"
#include "frontend/tfondo.h"
#include "machine/sp.h"

namespace tarvolinde {

void TFondo::MonitorClick() {
    if (!machine_) return;
    const CommandPause pause(*this);
    ReleaseHeldKeys();
    DebugHost host{
        .Redraw = [this] { RedrawScreen(false); },
        .StartSound = [this] { output_.StartEmulation(); },
        .StopSound = [this] { output_.StopEmulation(); },
        .Key = [this](QKeyEvent* event, bool down) { HandleKey(event, down); },
    };
    TDebug window(*machine_, std::move(host), this);
    window.exec();
    ReleaseHeldKeys();
}

}  // namespace tarvolinde
