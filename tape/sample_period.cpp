#include "tape/sample_period.h"

#include "machine/sp.h"

namespace tarvolinde {

// The 16K is a Sinclair 48K with half its memory missing: same clock.
bool Uses48KClock(const TSp& machine) { return machine.Model().Family == MachineFamily::Sp48; }

}  // namespace tarvolinde
