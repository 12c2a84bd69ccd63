#pragma once
// What the exit probe and the test that starts it agree on.
//
//   exit_probe [material-folder] [delay-ms] [extra-sounds]
//
// The probe walks the pupil's road to "Exit" with sounds still loading and
// ends through the program's own end. delay-ms is how long the exit
// confirmation stays up before "Exit" is pressed; a negative delay presses it
// in the same turn of the event loop as "OK", while the first click may still
// be loading. extra-sounds is how many other sounds are started in the same
// turn as "Exit", so that loads are in flight when the end comes even once
// the click itself is in Qt's cache.
namespace exit_probe {

// The probe's event loop returned: the end that "Exit" asks for was never
// taken, however the process then came down.
inline constexpr int LoopReturned = 86;

// The arguments could not be read; a run with them would prove nothing.
inline constexpr int BadArguments = 87;

} // namespace exit_probe
