#pragma once

// One trace line of the extension: on standard error while a debugger is
// attached or BRISVANE_TRACE is 1, else to the system log at debug level
// under the name "Brisvane" (sent on a socket of its own, so the host's
// own log name stays as it is).
void brisvaneTrace(const char* line);
