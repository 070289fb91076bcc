#include "media/MidiRendition.h"

#include <fluidsynth.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <memory>
#include <mutex>
#include <span>
#include <system_error>

#include "media/MidiFile.h"

namespace zepo {
namespace fs = std::filesystem;
namespace {

constexpr int kBlockFrames = 1024;
constexpr double kTailSeconds = 3;      // notes still sounding after the last event fade out
constexpr float kVorbisQuality = 0.3f;  // about 100 kbit/s for stereo at 44.1 kHz
constexpr float kPeak = 0.708f;         // -3 dBFS: as loud as a sound file made for playing
constexpr float kMostGain = 1000;       // +60 dB: a piece of only a rustle is not raised into a roar

// The library writes its messages to standard error, where they would stand between our
// own findings; what went wrong is reported from what its calls return.
void SilenceSynthesizerLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
}

struct Synthesizer {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    ~Synthesizer() {
        if (player) {
            fluid_player_stop(player);
            delete_fluid_player(player);
        }
        if (synth) delete_fluid_synth(synth);
        if (settings) delete_fluid_settings(settings);
    }
};

// Ogg Vorbis of two channels, built in memory page by page.
class VorbisEncoder {
public:
    explicit VorbisEncoder(int sampleRate) {
        vorbis_info_init(&info_);
        vorbis_comment_init(&comment_);
        if (vorbis_encode_init_vbr(&info_, 2, sampleRate, kVorbisQuality) != 0) return;
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        ogg_stream_init(&stream_, 0x5A45504F);
        started_ = true;
        ogg_packet header, comments, codebooks;
        vorbis_analysis_headerout(&dsp_, &comment_, &header, &comments, &codebooks);
        ogg_stream_packetin(&stream_, &header);
        ogg_stream_packetin(&stream_, &comments);
        ogg_stream_packetin(&stream_, &codebooks);
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page)) Append(page);
    }
    ~VorbisEncoder() {
        if (started_) {
            ogg_stream_clear(&stream_);
            vorbis_block_clear(&block_);
            vorbis_dsp_clear(&dsp_);
        }
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }
    bool started() const { return started_; }

    // Room for `frames` samples per channel, to be filled and then handed over with Wrote.
    float** Buffer(int frames) { return vorbis_analysis_buffer(&dsp_, frames); }
    void Wrote(int frames) {
        vorbis_analysis_wrote(&dsp_, frames);
        Drain();
    }
    std::string Finish() {
        vorbis_analysis_wrote(&dsp_, 0);
        Drain();
        return std::move(bytes_);
    }

private:
    void Append(const ogg_page& page) {
        bytes_.append(reinterpret_cast<const char*>(page.header), size_t(page.header_len));
        bytes_.append(reinterpret_cast<const char*>(page.body), size_t(page.body_len));
    }
    void Drain() {
        ogg_packet packet;
        ogg_page page;
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            while (vorbis_bitrate_flushpacket(&dsp_, &packet)) {
                ogg_stream_packetin(&stream_, &packet);
                while (ogg_stream_pageout(&stream_, &page)) Append(page);
            }
        }
    }

    vorbis_info info_;
    vorbis_comment comment_;
    vorbis_dsp_state dsp_{};
    vorbis_block block_{};
    ogg_stream_state stream_{};
    bool started_ = false;
    std::string bytes_;
};

// Plays the piece through a synthesizer of its own, block by block: `buffer(n)` gives room
// for n frames of the left and right channel, `wrote` takes them once filled. `cut` (when
// given) tells whether the piece was longer than the limit.
template <class Buffer, class Wrote>
Status Synthesize(const std::string& bytes, const fs::path& soundFont, const MidiRenditionLimits& limits,
                  std::chrono::steady_clock::time_point deadline, double pieceSeconds, Buffer buffer, Wrote wrote,
                  bool* cut = nullptr) {
    SilenceSynthesizerLog();
    Synthesizer s;
    s.settings = new_fluid_settings();
    if (!s.settings) return Fail("シンセサイザーを用意できません");
    fluid_settings_setnum(s.settings, "synth.sample-rate", limits.sampleRate);
    // The player follows the samples rendered, not the clock: as fast as the processor goes.
    fluid_settings_setstr(s.settings, "player.timing-source", "sample");
    fluid_settings_setint(s.settings, "synth.lock-memory", 0);
    fluid_settings_setint(s.settings, "synth.cpu-cores", 1);
    s.synth = new_fluid_synth(s.settings);
    if (!s.synth) return Fail("シンセサイザーを用意できません");
    if (fluid_synth_sfload(s.synth, soundFont.c_str(), 1) == FLUID_FAILED)
        return Fail("音色ファイル「" + soundFont.string() + "」が読めません");
    s.player = new_fluid_player(s.synth);
    if (!s.player || fluid_player_add_mem(s.player, bytes.data(), bytes.size()) != FLUID_OK ||
        fluid_player_play(s.player) != FLUID_OK)
        return Fail("再生を始められません");
    const long long maxFrames = static_cast<long long>(limits.maxSeconds * limits.sampleRate);
    const long long tailFrames = static_cast<long long>(kTailSeconds * limits.sampleRate);
    long long frames = 0, tail = 0, played = 0;
    for (;;) {
        const bool playing = fluid_player_get_status(s.player) == FLUID_PLAYER_PLAYING;
        if (!playing && (tail >= tailFrames || fluid_synth_get_active_voice_count(s.synth) == 0)) break;
        if (frames >= maxFrames) {
            if (cut) *cut = playing;
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) return Fail("時間内に変換が終わりませんでした");
        const int n = int(std::min<long long>(kBlockFrames, maxFrames - frames));
        const std::array<float*, 2> channels = buffer(n);
        if (fluid_synth_write_float(s.synth, n, channels[0], 0, 1, channels[1], 0, 1) != FLUID_OK)
            return Fail("シンセサイザーが止まりました");
        wrote(channels, n);
        frames += n;
        if (!playing) tail += n;
        else played += n;
    }
    // A file the synthesizer's own reader refused ends its player at once.
    const double expected = std::min(pieceSeconds, limits.maxSeconds);
    if (double(played) / limits.sampleRate < expected - 1) return Fail("シンセサイザーが読めませんでした");
    return {};
}

std::string Named(const fs::path& midi, const std::string& why) {
    return "「" + midi.filename().string() + "」を音声にできません: " + why;
}

}  // namespace

fs::path FindGmSoundFont(const std::vector<fs::path>& candidates) {
    for (const fs::path& candidate : candidates) {
        std::error_code ec;
        if (fs::is_regular_file(candidate, ec)) return candidate;  // follows the alternatives' links
    }
    return {};
}

Result<MidiRendition> RenderMidi(const fs::path& midi, const fs::path& soundFont, const MidiRenditionLimits& limits) {
    const auto deadline = std::chrono::steady_clock::now() + limits.timeLimit;
    std::error_code ec;
    if (!fs::is_regular_file(midi, ec)) return Fail(Named(midi, "ファイルが読めません"));
    const auto size = fs::file_size(midi, ec);
    if (ec) return Fail(Named(midi, "ファイルが読めません"));
    if (size > limits.maxFileBytes) return Fail(Named(midi, "MIDI ファイルとしては大きすぎます"));
    std::string bytes(size_t(size), '\0');
    std::ifstream in(midi, std::ios::binary);
    if (!in.read(bytes.data(), std::streamsize(size))) return Fail(Named(midi, "ファイルが読めません"));
    auto facts = InspectMidi(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    if (!facts) return Fail(Named(midi, facts.error().message));

    // Twice through the synthesizer: the first time to find the loudest sample, the second
    // to encode the piece at a loudness like a sound file's (the library's own gain leaves it
    // some 30 dB quieter), without holding the whole piece in memory.
    float peak = 0;
    std::vector<float> scratch(2 * kBlockFrames);
    Status measured = Synthesize(
        bytes, soundFont, limits, deadline, facts.value().seconds,
        [&](int) {
            return std::array<float*, 2>{scratch.data(), scratch.data() + kBlockFrames};
        },
        [&](std::array<float*, 2> channels, int n) {
            for (float* channel : channels)
                for (int i = 0; i < n; ++i) peak = std::max(peak, std::abs(channel[i]));
        });
    if (!measured) return Fail(Named(midi, measured.error().message));
    const float gain = peak > 0 ? std::min(kPeak / peak, kMostGain) : 1.0f;

    VorbisEncoder encoder(limits.sampleRate);
    if (!encoder.started()) return Fail(Named(midi, "音声の符号化を始められません"));
    MidiRendition out;
    long long frames = 0;
    Status rendered = Synthesize(
        bytes, soundFont, limits, deadline, facts.value().seconds,
        [&](int n) {
            float** channels = encoder.Buffer(n);
            return std::array<float*, 2>{channels[0], channels[1]};
        },
        [&](std::array<float*, 2> channels, int n) {
            for (float* channel : channels)
                for (int i = 0; i < n; ++i) channel[i] = std::clamp(channel[i] * gain, -1.0f, 1.0f);
            encoder.Wrote(n);
            frames += n;
        },
        &out.cut);
    if (!rendered) return Fail(Named(midi, rendered.error().message));
    out.ogg = encoder.Finish();
    out.seconds = double(frames) / limits.sampleRate;
    return out;
}

}  // namespace zepo
