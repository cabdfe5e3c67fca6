#include "tape/sample_period.h"

#include "machine/sp.h"

namespace tarvolinde {

bool Uses48KClock(const TSp& machine) { return machine.RamKb == 48 && !machine.cpu.InvesModel; }

}  // namespace tarvolinde
