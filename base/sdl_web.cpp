// What emscripten's SDL 1.2 lacks, answered for the browser build (see
// base/sdl_web.h). Everything here runs on the page's one thread.
#ifdef __EMSCRIPTEN__
#include <emscripten.h>

#include <cstdlib>
#include <cstring>

#include "base/sdl_web.h"

// Below, SDL_PeepEvents is emscripten's own.
#undef SDL_PeepEvents

// The cursor: the only one the program makes is all transparent (the brush is
// the pointer), so a cursor stands for "none over the canvas"; the canvas's
// CSS says so. Masks of other shapes are not drawn: the page's pointer shows.
struct SDL_Cursor {
    bool invisible = false;
};

namespace {

EM_JS(void, setCanvasCursor, (int hidden), {
    if (Module["canvas"]) Module["canvas"].style.cursor = hidden ? "none" : "";
});

bool allZero(const Uint8* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (bytes[i]) return false;
    return true;
}

// emscripten names a key without a character by its scancode plus 1 << 10;
// SDL's headers (and so the program) by its scancode plus 1 << 30.
void translateKeySym(SDL_Event& event) {
    if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP) return;
    const int sym = int(event.key.keysym.sym);
    if (sym >= (1 << 10) && sym < (1 << 11)) event.key.keysym.sym = SDL_Keycode((sym - (1 << 10)) | (1 << 30));
}

// One event taken ahead of its time by a peek, handed out by the next get.
bool peeked = false;
SDL_Event peekedEvent;

}  // namespace

extern "C" {

SDL_Cursor* SDL_CreateCursor(const Uint8* data, const Uint8* mask, int w, int h, int, int) {
    SDL_Cursor* cursor = new SDL_Cursor;
    const size_t bytes = size_t(w > 0 ? (w + 7) / 8 : 0) * size_t(h > 0 ? h : 0);
    cursor->invisible = data && mask && allZero(data, bytes) && allZero(mask, bytes);
    return cursor;
}

void SDL_SetCursor(SDL_Cursor* cursor) {
    if (cursor) setCanvasCursor(cursor->invisible ? 1 : 0);
}

void SDL_FreeCursor(SDL_Cursor* cursor) { delete cursor; }

// Only WAV data already in the output format is played in the browser (the
// program's own sounds all are; they never reach these calls): anything else
// is refused here, as a file SDL could not read is on the desktop.
SDL_AudioSpec* SDL_LoadWAV_RW(SDL_RWops*, int, SDL_AudioSpec*, Uint8**, Uint32*) {
    SDL_SetError("the browser plays only sounds in the program's own format");
    return nullptr;
}

void SDL_FreeWAV(Uint8* audio) { std::free(audio); }

// No conversion: equal formats pass as they are, anything else is refused.
int SDL_BuildAudioCVT(SDL_AudioCVT* cvt, Uint16 fromFormat, Uint8 fromChannels, int fromRate, Uint16 toFormat,
                      Uint8 toChannels, int toRate) {
    std::memset(cvt, 0, sizeof *cvt);
    if (fromFormat != toFormat || fromChannels != toChannels || fromRate != toRate) {
        SDL_SetError("the browser converts no sound");
        return -1;
    }
    cvt->src_format = fromFormat;
    cvt->dst_format = toFormat;
    cvt->len_mult = 1;
    cvt->len_ratio = 1.0;
    cvt->rate_incr = 1.0;
    return 0;
}

int SDL_ConvertAudio(SDL_AudioCVT* cvt) {
    if (!cvt->buf || cvt->needed) return -1;
    cvt->len_cvt = cvt->len;
    return 0;
}

// Signed 16-bit little-endian samples (the only output format the program
// opens), added with clipping at SDL's full volume, scaled below it.
void SDL_MixAudio(Uint8* dst, const Uint8* src, Uint32 len, int volume) {
    if (volume <= 0) return;
    if (volume > SDL_MIX_MAXVOLUME) volume = SDL_MIX_MAXVOLUME;
    for (Uint32 i = 0; i + 1 < len; i += 2) {
        int16_t a, b;
        std::memcpy(&a, dst + i, 2);
        std::memcpy(&b, src + i, 2);
        int sum = int(a) + int(b) * volume / SDL_MIX_MAXVOLUME;
        if (sum > 32767) sum = 32767;
        if (sum < -32768) sum = -32768;
        const int16_t out = int16_t(sum);
        std::memcpy(dst + i, &out, 2);
    }
}

}  // extern "C"

// emscripten's SDL_PeepEvents takes one event and cannot peek: a peek takes
// the event and keeps it for the next get. Keys come with SDL's key codes.
int quillmeadPeepEvents(SDL_Event* events, int count, SDL_eventaction action, Uint32 minType, Uint32 maxType) {
    if (count < 1 || !events) return 0;
    if (!peeked) {
        if (SDL_PeepEvents(&peekedEvent, 1, SDL_GETEVENT, minType, maxType) <= 0) return 0;
        translateKeySym(peekedEvent);
        peeked = true;
    }
    events[0] = peekedEvent;
    if (action == SDL_GETEVENT) peeked = false;
    return 1;
}
#endif  // __EMSCRIPTEN__
