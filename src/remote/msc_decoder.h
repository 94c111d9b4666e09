#pragma once
// MIDI Show Control: what a show-control system's SysEx message asks of a
// lighting console, read as lighting desks read it.
//
//   F0 7F <device> 02 <format> <command> <data> F7
//
// device: the console's MscDeviceId, or the all-call 7F. format: lighting
// (01) or all types (7F). Commands:
//
//   01 GO, 10 GO/JAM_CLOCK     the cue in the data, or GO without one
//   04 TIMED_GO                the same; the time is not used (the cue's
//                              own times play)
//   07 FIRE <macro>            function-key preset <macro> (1-10)
//   08 ALL_OFF, 0A RESET,
//   0B GO_OFF                  standby
//   anything else              ignored (STOP, RESUME, LOAD, SET, RESTORE,
//                              STANDBY+/-, SEQUENCE+/-, the clocks and the
//                              cue-list and cue-path commands have nothing
//                              of the console to act on)
//
// A cue number is ASCII digits with '.' as the decimal point ("91.5"),
// followed by 00 and the cue list, 00 and the cue path, each of which is
// accepted and ignored (the console has one cue list), with or without a
// trailing 00 before F7.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "engine/playback_action.h"

namespace prismel::remote {

// The action of one SysEx message (F0 ... F7, nothing around it), or nullopt
// when it is not MSC for this device, is malformed or asks for nothing.
std::optional<PlaybackAction> msc_action(const uint8_t* sysex, size_t size, int device_id);

// Each complete SysEx message (F0 ... F7) of a datagram, in order; bytes
// outside them, and a message cut off by the end, are skipped.
void each_sysex(const uint8_t* data, size_t size, const std::function<void(const uint8_t*, size_t)>& fn);

}  // namespace prismel::remote
