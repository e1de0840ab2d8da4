/* How the sound-bank library (libaweman32) reaches the sequencer's synthesisers inside the
 * player's process. The library exports AWEManagerAttachHost; the program finds it with
 * dlsym right after loading the library and hands it this table. C, so that the library
 * needs nothing of the program but this header and FluidSynth itself. */
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct _fluid_synth_t fluid_synth_t;

#define TAVI_SEQUENCER_HOST_VERSION 1u

struct TaviSequencerHost {
    uint32_t version; /* TAVI_SEQUENCER_HOST_VERSION */
    /* The synthesiser the next sequencer open will play on, with its default SoundFont
     * loaded and kept for that open; null when no synthesiser can be made. UI thread. */
    fluid_synth_t* (*synthForBankLoad)(void);
    /* The synthesiser a bank loaded last was meant for: the one a device gave back last,
     * or the one still kept for an open that never took it. UI thread. */
    fluid_synth_t* (*synthForBankClear)(void);
};

typedef void (*TaviAttachSequencerHostFunction)(const struct TaviSequencerHost* host);
#define TAVI_ATTACH_SEQUENCER_HOST_EXPORT "AWEManagerAttachHost"

#ifdef __cplusplus
}
#endif
