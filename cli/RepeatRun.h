#pragma once

#include <iostream>
#include <string>

#include "CommandRun.h"

namespace radiosetup {

// Whether the command asks for --repeat: restore FILE or channels write FILE on one radio
// after another on the same port.
bool AsksRepeat(const Invocation& invocation);
// Why this --repeat cannot start (the options that contradict it, a restore that would
// give every radio one ANI); empty when it can.
std::string RepeatRefusal(const Invocation& invocation);

// Waits for a radio to answer, runs the command on it, prints its line ("radio 2: ani 701:
// ok"), waits for it to go silent and for the next one, until a signal. A radio counts as
// new only after the port saw silence, so none is written twice. --ani-start N gives the
// radios N, N + 1, ... A signal between radios ends the run with the count of radios done
// and the highest of their statuses; during one, as the command ends when interrupted.
// With --json one document: {"radios": [{radio, port, device, status, output}...]}.
int RunRepeated(const Invocation& invocation, Command command, std::ostream& out, std::ostream& err,
                std::istream& in, const GivenRadio* given);

}  // namespace radiosetup
