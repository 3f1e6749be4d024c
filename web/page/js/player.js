// Sound: FluidSynth (js-synthesizer) with the TimGM6mb SoundFont, both fetched on the first
// Play, never before: a visitor who only looks at the score downloads neither. The same
// synthesizer code plays live and renders offline.
const kScripts = ['vendor/libfluidsynth-2.4.6.js', 'vendor/js-synthesizer.min.js'];
const kSoundFont = 'TimGM6mb.sf2';
const kFrames = 4096; // about 90 ms at 44.1 kHz: steady on a busy page, quick to start

function loadScript(src) {
  return new Promise((resolve, reject) => {
    const script = document.createElement('script');
    script.src = src;
    script.onload = resolve;
    script.onerror = () => reject(new Error(`${src} не загружен`));
    document.head.append(script);
  });
}

let library = null;
let soundFont = null;

async function synthLibrary() {
  library ??= (async () => {
    for (const src of kScripts) await loadScript(src);
    await window.JSSynth.waitForReady();
    return window.JSSynth;
  })();
  return library;
}

async function soundFontBytes() {
  soundFont ??= fetch(kSoundFont).then((r) => {
    if (!r.ok) throw new Error(`${kSoundFont}: ${r.status}`);
    return r.arrayBuffer();
  });
  return soundFont;
}

// A synthesizer on `context` with the SoundFont loaded and `midi` ready to play from `tick`.
async function synthesizerFor(context, midi, tick) {
  const [JSSynth, font] = await Promise.all([synthLibrary(), soundFontBytes()]);
  const synth = new JSSynth.Synthesizer();
  synth.init(context.sampleRate);
  await synth.loadSFont(font);
  await synth.addSMFDataToPlayer(midi);
  if (tick > 0) synth.seekPlayer(tick);
  return synth;
}

export class Player {
  constructor({ onStopped }) {
    this.onStopped = onStopped;
    this.context = null;
    this.synth = null;
    this.node = null;
    this.state = 'stopped'; // 'playing', 'paused'
    this.startTime = 0;
    this.fromMs = 0;
    this.run = 0;
  }

  // Plays the MIDI file from `tick` (at `fromMs` into it).
  async play(midi, tick = 0, fromMs = 0) {
    this.stop();
    const run = ++this.run;
    this.context ??= new AudioContext({ latencyHint: 'interactive' });
    await this.context.resume();
    const synth = await synthesizerFor(this.context, midi, tick);
    if (run !== this.run) return synth.close();
    this.synth = synth;
    this.node = synth.createAudioNode(this.context, kFrames);
    this.node.connect(this.context.destination);
    await synth.playPlayer();
    this.state = 'playing';
    this.startTime = this.context.currentTime;
    this.fromMs = fromMs;
    synth.waitForPlayerStopped().then(() => {
      if (run === this.run) this.stop();
    });
  }

  pause() {
    if (this.state !== 'playing') return;
    this.state = 'paused';
    this.context.suspend();
  }

  resume() {
    if (this.state !== 'paused') return;
    this.state = 'playing';
    this.context.resume();
  }

  stop() {
    ++this.run;
    if (this.synth) {
      this.synth.stopPlayer();
      this.node.disconnect();
      this.synth.close();
    }
    this.synth = this.node = null;
    const was = this.state;
    this.state = 'stopped';
    if (this.context?.state === 'suspended') this.context.resume();
    if (was !== 'stopped') this.onStopped();
  }

  // Milliseconds into the file; the context's clock stands still while paused.
  positionMs() {
    if (this.state === 'stopped') return -1;
    return this.fromMs + (this.context.currentTime - this.startTime) * 1000;
  }
}

// The sound of `midi` rendered offline: the same synthesizer as Play, into `seconds` of audio.
export async function renderOffline(midi, seconds, sampleRate = 44100) {
  const context = new OfflineAudioContext(2, Math.ceil(seconds * sampleRate), sampleRate);
  const synth = await synthesizerFor(context, midi, 0);
  const node = synth.createAudioNode(context, kFrames);
  node.connect(context.destination);
  await synth.playPlayer();
  const buffer = await context.startRendering();
  synth.close();
  return buffer;
}
