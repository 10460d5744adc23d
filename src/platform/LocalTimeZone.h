#pragma once
// The local time zone, named once for the C library.

namespace vm {

// With TZ unset, the C library reads the zone's file again (a stat of
// /etc/localtime, with the walk of its path) for every local time it
// converts; a list of a few hundred dated rows spent more time on that than
// on its statement. When TZ is unset it is set to that same file
// (":/etc/localtime", which Qt also reads as the system's own zone), so the
// file is read once. A zone changed on the machine while the program runs is
// then seen at the program's next start. A TZ already set is left as it is.
// Call first in main, before any thread starts: it changes the environment.
void PinLocalTimeZone();

} // namespace vm
