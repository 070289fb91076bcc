// Any bytes as a MIDI file: the check must refuse them or give facts the renderer can trust.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzCheck.h"
#include "media/MidiFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zepo;
    using namespace zepo::fuzz;
    auto facts = InspectMidi(std::span<const uint8_t>(data, size));
    if (!facts) {
        Require(!facts.error().message.empty(), "a refused MIDI file has no reason");
        return 0;
    }
    const MidiFacts& f = facts.value();
    Require(f.format >= 0 && f.format <= 2, "a MIDI format beyond 2 was accepted");
    Require(f.tracks >= 1, "a MIDI file without tracks was accepted");
    Require(f.events <= kMaxMidiEvents, "more MIDI events than the limit were accepted");
    Require(std::isfinite(f.seconds) && f.seconds >= 0, "a MIDI length is not a length");
    return 0;
}
