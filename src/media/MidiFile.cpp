#include "media/MidiFile.h"

#include <algorithm>
#include <vector>

namespace zepo {
namespace {

constexpr const char* kNotMidi = "MIDI ファイルではありません";
constexpr const char* kTruncated = "途中で切れています";
constexpr const char* kBroken = "壊れたところがあります";
constexpr const char* kSmpte = "SMPTE の時間単位には対応していません";
constexpr const char* kTooManyEvents = "イベントが多すぎます";

constexpr uint32_t kDefaultTempo = 500000;  // microseconds per quarter note: 120 beats a minute

uint32_t Big(std::span<const uint8_t> b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | b[at + i];
    return v;
}

// One track's bytes; every read checks the end, so no read can leave the chunk.
class TrackReader {
public:
    explicit TrackReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    bool AtEnd() const { return at_ >= bytes_.size(); }
    bool Byte(uint8_t& out) {
        if (AtEnd()) return false;
        out = bytes_[at_++];
        return true;
    }
    // A variable-length quantity: at most four bytes, as the file format allows.
    bool Quantity(uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b;
            if (!Byte(b)) return false;
            out = (out << 7) | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        overlong_ = true;
        return false;
    }
    bool Skip(uint32_t n) {
        if (n > bytes_.size() - at_) return false;
        at_ += n;
        return true;
    }
    size_t at() const { return at_; }
    bool overlong() const { return overlong_; }

private:
    std::span<const uint8_t> bytes_;
    size_t at_ = 0;
    bool overlong_ = false;
};

struct TrackTimes {
    uint64_t endTick = 0;
    std::vector<std::pair<uint64_t, uint32_t>> tempos;  // tick, microseconds per quarter note
};

// Reads one track's events; an empty text when they are sound, otherwise the reason.
const char* ReadTrack(std::span<const uint8_t> bytes, long long& events, TrackTimes& times) {
    TrackReader in(bytes);
    uint64_t tick = 0;
    uint8_t running = 0;
    while (!in.AtEnd()) {
        uint32_t delta;
        if (!in.Quantity(delta)) return in.overlong() ? kBroken : kTruncated;
        tick += delta;
        if (++events > kMaxMidiEvents) return kTooManyEvents;
        uint8_t status;
        if (!in.Byte(status)) return kTruncated;
        if (status < 0x80) {
            // Running status: the byte read is the first data byte of the last channel message.
            if (!running) return kBroken;
            const int more = (running & 0xF0) == 0xC0 || (running & 0xF0) == 0xD0 ? 0 : 1;
            uint8_t data;
            for (int i = 0; i < more; ++i) {
                if (!in.Byte(data)) return kTruncated;
                if (data & 0x80) return kBroken;
            }
            continue;
        }
        if (status < 0xF0) {
            running = status;
            const int count = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
            uint8_t data;
            for (int i = 0; i < count; ++i) {
                if (!in.Byte(data)) return kTruncated;
                if (data & 0x80) return kBroken;
            }
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            running = 0;
            uint32_t length;
            if (!in.Quantity(length)) return in.overlong() ? kBroken : kTruncated;
            if (!in.Skip(length)) return kTruncated;
            continue;
        }
        if (status != 0xFF) return kBroken;  // real-time and common messages have no place in a file
        running = 0;
        uint8_t type;
        uint32_t length;
        if (!in.Byte(type)) return kTruncated;
        if (!in.Quantity(length)) return in.overlong() ? kBroken : kTruncated;
        const size_t dataAt = in.at();
        if (!in.Skip(length)) return kTruncated;
        if (type == 0x51) {
            if (length != 3) return kBroken;
            const uint32_t tempo = Big(bytes, dataAt, 3);
            if (tempo == 0) return kBroken;
            times.tempos.emplace_back(tick, tempo);
        }
        if (type == 0x2F) break;  // end of track: whatever follows is not played
    }
    times.endTick = tick;
    return "";
}

// Seconds from tick 0 to `end` under the tempo changes of every track, which apply to all.
double SecondsUpTo(uint64_t end, std::vector<std::pair<uint64_t, uint32_t>> tempos, uint32_t division) {
    std::stable_sort(tempos.begin(), tempos.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    double micro = 0;
    uint64_t at = 0;
    uint32_t tempo = kDefaultTempo;
    for (const auto& [tick, next] : tempos) {
        if (tick >= end) break;
        micro += double(tick - at) * tempo;
        at = tick;
        tempo = next;
    }
    micro += double(end - at) * tempo;
    return micro / 1e6 / division;
}

}  // namespace

Result<MidiFacts> InspectMidi(std::span<const uint8_t> bytes) {
    if (bytes.size() < 14 || Big(bytes, 0, 4) != 0x4D546864 /* MThd */) return Fail(kNotMidi);
    // The synthesizer reads a header of exactly six bytes; a longer one would shift every chunk.
    if (Big(bytes, 4, 4) != 6) return Fail(kBroken);
    MidiFacts facts;
    facts.format = int(Big(bytes, 8, 2));
    facts.tracks = int(Big(bytes, 10, 2));
    const uint32_t division = Big(bytes, 12, 2);
    if (facts.format > 2 || facts.tracks == 0 || division == 0) return Fail(kBroken);
    if (division & 0x8000) return Fail(kSmpte);
    // The synthesizer's player takes no more tracks than this and would play none of a file
    // with more: a silent rendition passed off as the piece.
    if (facts.tracks > kMaxMidiTracks)
        return Fail("トラックが多すぎます (" + std::to_string(facts.tracks) + " 本、" + std::to_string(kMaxMidiTracks) +
                    " 本まで)");

    size_t at = 14;
    int found = 0;
    uint64_t end = 0;
    std::vector<std::pair<uint64_t, uint32_t>> tempos;
    while (found < facts.tracks) {
        if (bytes.size() - at < 8) return Fail(kTruncated);
        const uint32_t id = Big(bytes, at, 4);
        const uint32_t length = Big(bytes, at + 4, 4);
        at += 8;
        if (length > bytes.size() - at) return Fail(kTruncated);
        if (id == 0x4D54726B /* MTrk */) {
            TrackTimes times;
            const char* why = ReadTrack(bytes.subspan(at, length), facts.events, times);
            if (*why) return Fail(why);
            end = std::max(end, times.endTick);
            tempos.insert(tempos.end(), times.tempos.begin(), times.tempos.end());
            ++found;
        }
        at += length;  // chunks of other kinds are passed over, as the format asks
    }
    facts.seconds = SecondsUpTo(end, std::move(tempos), division);
    return facts;
}

}  // namespace zepo
