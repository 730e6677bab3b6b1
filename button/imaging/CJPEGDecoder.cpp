#include "button/imaging/CJPEGDecoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "button/imaging/CTextException.h"

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
}

namespace button {

// libjpeg reports a fatal error by calling error_exit, which must not return. Ours jumps back into
// Guarded(), whose frame and every frame up to the jump hold nothing with a destructor; the C++
// exception is thrown after the jump, from ordinary C++ code, never through libjpeg's C frames.
struct CJPEGDecoder::State {
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  jpeg_source_mgr source;
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX + 2];
  bool created = false;
  CJPEGDecoder* owner = nullptr;
  JSAMPARRAY rows = nullptr;  // destination rows of the scanline step, top row first

  static State* Of(j_common_ptr info) { return static_cast<State*>(info->client_data); }

  // Runs one step of libjpeg calls; false when the library gave up (the text is in `message`).
  static bool Guarded(State* s, void (*step)(State*)) {
    if (setjmp(s->jump) != 0) return false;
    step(s);
    return true;
  }

  // The steps: plain code between setjmp and a possible longjmp.
  static void Create(State* s) { jpeg_create_decompress(&s->info); }
  static void ReadHeader(State* s) { jpeg_read_header(&s->info, TRUE); }
  static void Start(State* s) { jpeg_start_decompress(&s->info); }
  static void ReadRows(State* s) {
    jpeg_decompress_struct* info = &s->info;
    while (info->output_scanline < info->output_height) {
      const JDIMENSION done = info->output_scanline;
      if (jpeg_read_scanlines(info, s->rows + done, info->output_height - done) == 0) break;
    }
    jpeg_finish_decompress(info);
  }

  // Error manager.
  static void ErrorExit(j_common_ptr info) {
    State* s = Of(info);
    (*info->err->format_message)(info, s->message);
    std::strcat(s->message, "\n");
    std::longjmp(s->jump, 1);
  }
  static void OutputMessage(j_common_ptr info) {
    // Warnings (corrupt data, premature end) go to the trace, never to a console.
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    Of(info)->owner->Trace(3, "%s\n", text);
  }
  static void Progress(j_common_ptr info) {
    State* s = Of(info);
    if (s->info.input_scan_number > kMaxScans) {
      std::snprintf(s->message, sizeof(s->message), "Too many scans in a progressive JPEG.\n");
      std::longjmp(s->jump, 1);
    }
  }

  // Source manager over the data in memory.
  static void InitSource(j_decompress_ptr) {}
  static void TermSource(j_decompress_ptr) {}
  static boolean FillInputBuffer(j_decompress_ptr info) {
    // Reached only at the end of the data: warn and hand the library an end-of-image marker.
    static const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};
    WARNMS(info, JWRN_JPEG_EOF);
    info->src->next_input_byte = kEndOfImage;
    info->src->bytes_in_buffer = 2;
    return TRUE;
  }
  static void SkipInputData(j_decompress_ptr info, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* src = info->src;
    // Skipping past the end counts as reaching it: the next read gets the end-of-image marker.
    const size_t n = std::min(size_t(count), src->bytes_in_buffer);
    src->next_input_byte += n;
    src->bytes_in_buffer -= n;
  }
};

CJPEGDecoder::CJPEGDecoder() : m_state(std::make_unique<State>()) {
  State* s = m_state.get();
  s->owner = this;
  s->message[0] = 0;
  s->info.err = jpeg_std_error(&s->error);
  s->error.error_exit = State::ErrorExit;
  s->error.output_message = State::OutputMessage;
  s->info.client_data = s;  // kept by create, which clears everything else
  s->created = State::Guarded(s, State::Create);
  s->source.init_source = State::InitSource;
  s->source.fill_input_buffer = State::FillInputBuffer;
  s->source.skip_input_data = State::SkipInputData;
  s->source.resync_to_restart = jpeg_resync_to_restart;
  s->source.term_source = State::TermSource;
  s->progress.progress_monitor = State::Progress;
}

CJPEGDecoder::~CJPEGDecoder() {
  if (m_state->created) jpeg_destroy_decompress(&m_state->info);
}

void CJPEGDecoder::DecodeData() {
  State* s = m_state.get();
  if (!s->created) throw CTextException::Decoder(kDecodeNoDecoder, "JPEG decompressor not available.");
  // Whatever way this function is left, the decompressor is idle again afterwards.
  struct AbortOnExit {
    State* s;
    ~AbortOnExit() { jpeg_abort_decompress(&s->info); }
  } abortOnExit{s};
  auto libraryError = [s]() { return CTextException::Decoder(kDecodeNoDecoder, std::string(s->message)); };

  s->source.next_input_byte = m_source->Current();
  s->source.bytes_in_buffer = m_source->Remaining();
  s->info.src = &s->source;
  s->info.progress = &s->progress;
  // libjpeg's own memory stays within a bound derived from the picture limits (a progressive picture
  // keeps every coefficient: two bytes a sample).
  const uint64_t memory = m_limits.maxPixels * 8 + (uint64_t(16) << 20);
  s->info.mem->max_memory_to_use = long(std::min<uint64_t>(memory, uint64_t(std::numeric_limits<long>::max())));
  if (!State::Guarded(s, State::ReadHeader)) throw libraryError();
  if (!m_limits.Allows(s->info.image_width, s->info.image_height)) {
    throw CTextException::Decoder(kDecodeNoMemory, "Image size " + std::to_string(s->info.image_width) + " x " +
                                                       std::to_string(s->info.image_height) + " is not supported.");
  }
  if (m_fastDecode) s->info.do_fancy_upsampling = FALSE;
  s->info.dct_method = JDCT_FLOAT;
  const int destBpp = s->info.num_components == 1 ? DestinationBpp(8) : 32;
  // Colour (and grey at 32 bits) arrives as blue, green, red, 255: straight into the rows.
  s->info.out_color_space = destBpp == 8 ? JCS_GRAYSCALE : JCS_EXT_BGRA;
  if (!State::Guarded(s, State::Start)) throw libraryError();

  m_bitmap->Create(int32_t(s->info.output_width), int32_t(s->info.output_height), destBpp, false, m_limits);
  std::vector<JSAMPROW> rows(s->info.output_height);
  for (size_t y = 0; y < rows.size(); ++y) rows[y] = m_bitmap->Row(int32_t(y));
  s->rows = rows.data();
  const bool ok = State::Guarded(s, State::ReadRows);
  s->rows = nullptr;
  if (!ok) throw libraryError();
}

}  // namespace button
