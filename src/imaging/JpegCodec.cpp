#include "imaging/JpegCodec.h"

#include <csetjmp>
#include <new>
#include <string>
#include <vector>

#include <jpeglib.h>
// jerror.h names its codes by what jpeglib.h configured, so it comes second.
#include <jerror.h>

#include "imaging/Orientation.h"

namespace zepo {
namespace {

constexpr const char* kTooManyScans = "too many scans";

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpOut(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// libjpeg only warns about truncated or damaged data and then paints grey; we refuse instead.
bool DamagesPixels(int code) {
    switch (code) {
        case JWRN_ARITH_BAD_CODE:
        case JWRN_BOGUS_PROGRESSION:
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_JPEG_EOF:
        case JWRN_MUST_RESYNC:
        case JWRN_NOT_SEQUENTIAL: return true;
        default: return false;
    }
}

void OnMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && DamagesPixels(cinfo->err->msg_code)) JumpOut(cinfo);
}

void Silent(j_common_ptr) {}

ErrorManager* InstallErrorManager(ErrorManager* err) {
    jpeg_std_error(&err->pub);
    err->pub.error_exit = JumpOut;
    err->pub.emit_message = OnMessage;
    err->pub.output_message = Silent;
    err->message[0] = '\0';
    return err;
}

// State shared with the functions below through a pointer: the functions that call setjmp
// hold only trivially destructible locals, which is what makes longjmp back into them defined.
struct DecodeState {
    std::span<const uint8_t> data;
    DecodedPicture picture;
    std::string refusal;  // a reason of ours to stop, as opposed to libjpeg's own message
    int orientation = 1;  // the Exif block's, applied once the rows are decoded
};

// The orientation of the first Exif block among the APP1 segments libjpeg kept.
int OrientationOf(j_decompress_ptr cinfo) {
    for (jpeg_saved_marker_ptr m = cinfo->marker_list; m; m = m->next) {
        if (m->marker != JPEG_APP0 + 1) continue;
        const int orientation = ExifOrientation({m->data, m->data_length});
        if (orientation != 1) return orientation;
    }
    return 1;
}

// Each scan of a progressive file is a pass over every block of the picture, and a few
// megabytes can hold thousands of scans of nearly nothing: such a file held the decoder for
// minutes. Ordinary encoders write about ten scans.
//
// The scans are counted on the bytes before anything is decoded, as libjpeg reads them:
// marker segments by their length, coded data up to the next marker that is not a restart,
// bytes between markers skipped, up to the end of the picture. libjpeg itself would only
// tell after decoding the first scans into a buffer of the whole picture, which for a large
// one costs hundreds of megabytes and seconds. Counting stops past `limit`.
int CountScans(std::span<const uint8_t> data, int limit) {
    const size_t n = data.size();
    auto isMarker = [&](size_t at) {
        return at + 1 < n && data[at] == 0xFF && data[at + 1] != 0x00 && data[at + 1] != 0xFF &&
               (data[at + 1] < 0xD0 || data[at + 1] > 0xD7);
    };
    int scans = 0;
    size_t i = 0;
    while (i + 3 < n && scans <= limit) {
        if (!isMarker(i)) {
            ++i;
            continue;
        }
        const uint8_t code = data[i + 1];
        i += 2;
        if (code == 0xD9) break;                     // end of picture
        if (code == 0xD8 || code == 0x01) continue;  // no length: start of picture, TEM
        const size_t length = size_t(data[i]) << 8 | data[i + 1];
        if (length < 2) break;  // libjpeg stops here too
        i += length;
        if (code != 0xDA) continue;
        ++scans;
        while (i < n && !isMarker(i)) ++i;
    }
    return scans;
}

// What libjpeg reads, checked before each row of input it takes in: the count above holds
// for every file libjpeg decodes, and this makes sure of it.
struct ScanGuard {
    jpeg_progress_mgr pub;  // first member: libjpeg hands us back this pointer
    ErrorManager* err;
    DecodeState* state;
};

void StopAfterTooManyScans(j_common_ptr common) {
    auto* cinfo = reinterpret_cast<j_decompress_ptr>(common);
    if (cinfo->input_scan_number <= kMaxJpegScans) return;
    auto* guard = reinterpret_cast<ScanGuard*>(cinfo->progress);
    guard->state->refusal = kTooManyScans;
    std::longjmp(guard->err->jump, 1);
}

void ConvertCmykRow(const JSAMPLE* cmyk, uint8_t* bgr, int width, bool adobeInverted) {
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        // Adobe writes CMYK inverted, so each stored value is already "how much light".
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!adobeInverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        bgr[0] = uint8_t(y * k / 255);
        bgr[1] = uint8_t(m * k / 255);
        bgr[2] = uint8_t(c * k / 255);
    }
}

bool RunDecode(jpeg_decompress_struct* cinfo, ErrorManager* err, ScanGuard* guard, DecodeState* st) {
    if (setjmp(err->jump)) return false;
    jpeg_create_decompress(cinfo);
    cinfo->progress = &guard->pub;
    jpeg_mem_src(cinfo, st->data.data(), static_cast<unsigned long>(st->data.size()));
    // Exif blocks are at most one segment, 64 KiB: kept to read the orientation.
    jpeg_save_markers(cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(cinfo, TRUE);
    st->orientation = OrientationOf(cinfo);

    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    if (cinfo->image_width > unsigned(kMaxPictureSide) || cinfo->image_height > unsigned(kMaxPictureSide) ||
        uint64_t(cinfo->image_width) * cinfo->image_height > kMaxPicturePixels) {
        st->refusal = "picture too large";
        return false;
    }
    jpeg_start_decompress(cinfo);
    const int width = int(cinfo->output_width), height = int(cinfo->output_height);
    st->picture.fileBitsPerPixel = cinfo->num_components * 8;
    // Unset: a truncated file stops at its first missing row having touched only the rows before.
    st->picture.bitmap = Bitmap(width, height, PixelFormat::Bgr24, UnsetPixels{});  // may throw std::bad_alloc

    JSAMPARRAY cmykRow =
        cmyk ? (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, JDIMENSION(width) * 4, 1)
             : nullptr;
    while (cinfo->output_scanline < cinfo->output_height) {
        const int y = int(cinfo->output_scanline);
        JSAMPROW row = cmyk ? cmykRow[0] : st->picture.bitmap.Row(y);
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1) {
            st->refusal = "truncated JPEG data";
            return false;
        }
        if (cmyk) ConvertCmykRow(cmykRow[0], st->picture.bitmap.Row(y), width, cinfo->saw_Adobe_marker);
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

// The compressed bytes go straight into a vector of ours. libjpeg's own memory destination
// frees its buffer behind our back when it grows, which an error half-way cannot undo.
struct EncodeState {
    jpeg_destination_mgr dest;  // first member: libjpeg hands us back this pointer
    const Bitmap* bitmap;
    int quality;
    std::vector<uint8_t> bytes;
    bool outOfMemory = false;
};

constexpr size_t kEncodeChunk = 1 << 16;

EncodeState* StateOf(j_compress_ptr cinfo) { return reinterpret_cast<EncodeState*>(cinfo->dest); }

// Grows the vector by one chunk and points libjpeg at the new space; no exception may cross
// libjpeg's C frames, so running out of memory becomes libjpeg's own error.
void GrowOutput(j_compress_ptr cinfo, size_t used) {
    EncodeState* st = StateOf(cinfo);
    try {
        st->bytes.resize(used + kEncodeChunk);
    } catch (const std::bad_alloc&) {
        st->outOfMemory = true;
    }
    // Jumped out of only after the handler has finished, so the exception is released.
    if (st->outOfMemory) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    st->dest.next_output_byte = st->bytes.data() + used;
    st->dest.free_in_buffer = kEncodeChunk;
}

void InitOutput(j_compress_ptr cinfo) { GrowOutput(cinfo, 0); }

boolean EmptyOutput(j_compress_ptr cinfo) {
    // libjpeg calls this only when the whole buffer is full.
    GrowOutput(cinfo, StateOf(cinfo)->bytes.size());
    return TRUE;
}

void TermOutput(j_compress_ptr cinfo) {
    EncodeState* st = StateOf(cinfo);
    st->bytes.resize(st->bytes.size() - st->dest.free_in_buffer);
}

bool RunEncode(jpeg_compress_struct* cinfo, ErrorManager* err, EncodeState* st) {
    if (setjmp(err->jump)) return false;
    jpeg_create_compress(cinfo);
    st->dest.init_destination = InitOutput;
    st->dest.empty_output_buffer = EmptyOutput;
    st->dest.term_destination = TermOutput;
    cinfo->dest = &st->dest;
    cinfo->image_width = JDIMENSION(st->bitmap->Width());
    cinfo->image_height = JDIMENSION(st->bitmap->Height());
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, st->quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(st->bitmap->Row(int(cinfo->next_scanline)));
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

}  // namespace

Result<DecodedPicture> DecodeJpeg(std::span<const uint8_t> data) {
    if (data.empty()) return Fail("empty JPEG file");
    if (CountScans(data, kMaxJpegScans) > kMaxJpegScans) return Fail(kTooManyScans);
    jpeg_decompress_struct cinfo{};
    ErrorManager err;
    cinfo.err = &InstallErrorManager(&err)->pub;
    DecodeState st{data, {}, {}};
    ScanGuard guard{{}, &err, &st};
    guard.pub.progress_monitor = StopAfterTooManyScans;
    bool ok = false;
    try {
        ok = RunDecode(&cinfo, &err, &guard, &st);
        if (ok) st.picture.bitmap = Oriented(std::move(st.picture.bitmap), st.orientation);
    } catch (const std::bad_alloc&) {
        st.refusal = kOutOfMemory;
    }
    jpeg_destroy_decompress(&cinfo);
    if (ok) return std::move(st.picture);
    if (!st.refusal.empty()) return Fail(st.refusal);
    return Fail(std::string("cannot decode JPEG: ") + err.message);
}

Result<std::vector<uint8_t>> EncodeJpeg(const Bitmap& bitmap, int quality) {
    if (bitmap.Empty()) return Fail("cannot write an empty picture");
    if (quality < 1 || quality > 100) return Fail("JPEG quality must be 1 to 100");
    Bitmap expanded;
    const Bitmap* source = &bitmap;
    if (bitmap.Format() != PixelFormat::Bgr24) {
        auto converted = ConvertTo24(bitmap);
        if (!converted) return converted.error();
        expanded = std::move(converted.value());
        source = &expanded;
    }
    jpeg_compress_struct cinfo{};
    ErrorManager err;
    cinfo.err = &InstallErrorManager(&err)->pub;
    EncodeState st{};
    st.bitmap = source;
    st.quality = quality;
    const bool ok = RunEncode(&cinfo, &err, &st);
    // Detached first: libjpeg must not touch our destination while it tears itself down.
    cinfo.dest = nullptr;
    jpeg_destroy_compress(&cinfo);
    if (ok) return std::move(st.bytes);
    if (st.outOfMemory) return Fail(kOutOfMemory);
    return Fail(std::string("cannot encode JPEG: ") + err.message);
}

}  // namespace zepo
