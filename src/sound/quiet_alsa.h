#pragma once
// libasound reports every failed open on standard error by itself: on a machine without a sound
// card or sequencer that is a dozen lines at every start. The program copes with each failure,
// and the command line keeps standard error for its own messages.

namespace kvat {

// Installs a handler that drops libasound's error messages. Idempotent and thread-safe; the
// handler stays, as FluidSynth's engine may probe ALSA from its own thread at any time.
void SilenceAlsaErrors();

// Whether the ALSA sequencer can be opened, asked without a word on standard error.
bool AlsaSequencerPresent();

} // namespace kvat
