/* How the module-music library (libnpmod32) reaches the player's one sound output inside the
 * player's process. The library exports NpmodAttachHost; the program finds it with dlsym
 * right after loading the library and hands it this table. C, so that the library needs
 * nothing of the program but this header.
 *
 * Sound is 32-bit float stereo at 44.1 kHz. An output is taken by a player when a module is
 * loaded and given back when the player is destroyed; while a player holds it, tracks of
 * every kind take turns on it, which keeps a change of track seamless. */
#pragma once

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define TAVI_MOD_HOST_VERSION 1u

struct TaviModHost {
    uint32_t version; /* TAVI_MOD_HOST_VERSION */
    /* The output sound is written to, or null when there is none. UI thread. */
    void* (*acquireOutput)(void);
    /* Gives an output back. Any thread. */
    void (*releaseOutput)(void* output);
    /* Blocks until the first frame is due, then queues the frames; 0 when the output
     * failed. The library's render thread. */
    int (*write)(void* output, const float* samples, size_t frames);
    /* Drops what was written and not yet heard (a stop, a seek). Any thread. */
    void (*flush)(void* output);
    /* Seconds write would wait now before queuing; the render thread waits them itself,
     * where a stop can interrupt it. Any thread. */
    double (*secondsUntilDue)(void* output);
};

typedef void (*TaviAttachModHostFunction)(const struct TaviModHost* host);
#define TAVI_ATTACH_MOD_HOST_EXPORT "NpmodAttachHost"

#ifdef __cplusplus
}
#endif
