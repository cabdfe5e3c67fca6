#pragma once
// RZX recordings on the runner's command line: a FILE.rzx (or --rzx FILE) is
// played from before the first frame (from inside a ZIP archive too), and
// --record OUT.rzx records the whole run.

#include <memory>
#include <string>
#include <vector>

#include "app/cli/cli_options.h"
#include "machine/machine_factory.h"
#include "machine/sp.h"
#include "snapshots/rzx.h"

namespace tarvolinde::cli {

class RzxSession {
public:
    // Opens the recording to play (its snapshot may replace `machine`) or
    // starts recording. Returns 0, or the exit status after a message on stderr.
    int Start(const Options& options, std::unique_ptr<TSp>& machine, const RomProvider& roms);
    // Whether the run goes on: --frames bounds it when given; a playback
    // without it runs to its end.
    bool WantsFrame(const Options& options, int framesRun) const;
    // Writes the recording; reports a failed playback. Returns the exit status.
    int Finish(const Options& options);
    // --dump-state's lines: rzx_state, rzx_frame, rzx_frames.
    std::vector<std::string> StateLines() const;

private:
    std::unique_ptr<TRZX> rzx_;
    bool playing_ = false;
};

}  // namespace tarvolinde::cli
