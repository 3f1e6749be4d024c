#include "sound/quiet_alsa.h"

#include <alsa/asoundlib.h>

#include <mutex>

namespace kvat {
namespace {

void DropAlsaError(const char*, int, const char*, int, const char*, ...) {}

} // namespace

void SilenceAlsaErrors() {
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(&DropAlsaError); });
}

bool AlsaSequencerPresent() {
    SilenceAlsaErrors();
    snd_seq_t* sequencer = nullptr;
    if (snd_seq_open(&sequencer, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) return false;
    snd_seq_close(sequencer);
    return true;
}

} // namespace kvat
