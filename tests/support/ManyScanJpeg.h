#pragma once
// A valid progressive JPEG of a flat grey (128) colour picture written byte by byte, with as
// many scans as asked: the DC coefficients in `dcLevels` bit planes (every plane a pass over
// all blocks of the three components), then for each component the 63 AC coefficients cut
// into `acBands` spectral bands, each in `acLevels` bit planes. The AC scans hold only runs
// of empty blocks and cost a few bytes however large the picture, so 8192 × 8192 pixels in
// 2,090 scans (11 DC and 11 AC planes, one band per coefficient) take 4.5 MB: the scan
// bomb that once held a decoder for half a minute. Written by hand, not by libjpeg, whose
// encoder would need minutes for such a file.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zepo::test {

struct ManyScans {
    int width = 8, height = 8;
    int dcLevels = 1;  // 1..11 bit planes of the DC coefficients
    int acBands = 1;   // 1..63 spectral bands per component
    int acLevels = 1;  // 1..11 bit planes of each band
    int Scans() const { return dcLevels + 3 * acBands * acLevels; }
};

namespace detail {

// Entropy-coded bits, most significant first, with a 0 stuffed after every 0xFF byte.
class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
    void Put(uint32_t bits, int count) {
        for (int i = count - 1; i >= 0; --i) {
            byte_ = uint8_t(byte_ << 1 | ((bits >> i) & 1));
            if (++filled_ == 8) Flush();
        }
    }
    // Pads the last byte with ones, as the format wants.
    void End() {
        while (filled_ != 0) Put(1, 1);
    }

private:
    void Flush() {
        out_.push_back(byte_);
        if (byte_ == 0xFF) out_.push_back(0);
        byte_ = 0;
        filled_ = 0;
    }
    std::vector<uint8_t>& out_;
    uint8_t byte_ = 0;
    int filled_ = 0;
};

inline void Marker(std::vector<uint8_t>& out, uint8_t code, const std::vector<uint8_t>& body) {
    out.push_back(0xFF);
    out.push_back(code);
    const size_t length = body.size() + 2;
    out.push_back(uint8_t(length >> 8));
    out.push_back(uint8_t(length));
    out.insert(out.end(), body.begin(), body.end());
}

// The AC table holds the fifteen end-of-band run symbols 0x00..0xE0 as four-bit codes 0..14:
// symbol n << 4 starts a run of 2^n + (n more bits) empty blocks.
inline void EmptyBlocks(BitWriter& bits, long long blocks) {
    while (blocks > 0) {
        const long long run = std::min<long long>(blocks, 32767);
        int n = 0;
        while ((2LL << n) <= run) ++n;
        bits.Put(uint32_t(n), 4);
        if (n > 0) bits.Put(uint32_t(run - (1LL << n)), n);
        blocks -= run;
    }
}

inline void Scan(std::vector<uint8_t>& out, const std::vector<uint8_t>& components, int ss, int se, int ah, int al) {
    std::vector<uint8_t> header{uint8_t(components.size())};
    for (uint8_t c : components) {
        header.push_back(c);
        header.push_back(0x00);  // DC table 0, AC table 0
    }
    header.insert(header.end(), {uint8_t(ss), uint8_t(se), uint8_t(ah << 4 | al)});
    Marker(out, 0xDA, header);
}

}  // namespace detail

inline std::vector<uint8_t> ManyScanJpeg(const ManyScans& m) {
    using namespace detail;
    std::vector<uint8_t> out{0xFF, 0xD8};
    std::vector<uint8_t> quant{0x00};
    quant.resize(65, 1);
    Marker(out, 0xDB, quant);
    Marker(out, 0xC2,
           {8, uint8_t(m.height >> 8), uint8_t(m.height), uint8_t(m.width >> 8), uint8_t(m.width), 3, 1, 0x11, 0, 2,
            0x11, 0, 3, 0x11, 0});
    // DC: one symbol (difference class 0) of one bit. AC: the fifteen run symbols.
    std::vector<uint8_t> dc{0x00, 1};
    dc.resize(17, 0);
    dc.push_back(0x00);
    Marker(out, 0xC4, dc);
    std::vector<uint8_t> ac{0x10, 0, 0, 0, 15};
    ac.resize(17, 0);
    for (int n = 0; n < 15; ++n) ac.push_back(uint8_t(n << 4));
    Marker(out, 0xC4, ac);

    const long long blocks = (long long)((m.width + 7) / 8) * ((m.height + 7) / 8);
    for (int level = m.dcLevels - 1; level >= 0; --level) {
        const bool first = level == m.dcLevels - 1;
        Scan(out, {1, 2, 3}, 0, 0, first ? 0 : level + 1, level);
        // One bit a block either way: the class-0 code, or a refinement bit of 0; then ones
        // to the end of the byte.
        out.insert(out.end(), size_t(3 * blocks / 8), 0x00);
        if (const int rest = int(3 * blocks % 8)) out.push_back(uint8_t(0xFF >> rest));
    }
    for (uint8_t component = 1; component <= 3; ++component) {
        for (int band = 0; band < m.acBands; ++band) {
            const int ss = 1 + 63 * band / m.acBands, se = 63 * (band + 1) / m.acBands;
            for (int level = m.acLevels - 1; level >= 0; --level) {
                Scan(out, {component}, ss, se, level == m.acLevels - 1 ? 0 : level + 1, level);
                BitWriter bits(out);
                EmptyBlocks(bits, blocks);
                bits.End();
            }
        }
    }
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
}

}  // namespace zepo::test
