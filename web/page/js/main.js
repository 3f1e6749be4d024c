// The page: the verse, its analysis and score from the core, the settings, sound and files.
import { buildControls, readChoice, showChoices } from './controls.js';
import { decimalSeparator, loadCore } from './core.js';
import { Player, renderOffline } from './player.js';
import { upperBound, winAscentEm, cssColour } from './score_layout.js';
import { scoreSvg } from './score_svg.js';
import { ScoreView } from './score_view.js';
import { loadChoices, saveChoices } from './storage.js';
import { VerseView } from './verse_view.js';

const $ = (id) => document.getElementById(id);
const kHandMetre = 5;
const kStressSources = [
  'Ударения по правилу программы.',
  'Ударения по словарям и модели окончаний (espeak-ng в браузере нет).',
];

async function loadSymbolFont() {
  const response = await fetch('fonts/KvatSymbols.ttf');
  const bytes = await response.arrayBuffer();
  document.fonts.add(await new FontFace('Kvat Symbols', bytes).load());
  return bytes;
}

function download(name, type, data) {
  const url = URL.createObjectURL(new Blob([data], { type }));
  const link = Object.assign(document.createElement('a'), { href: url, download: name });
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60_000);
}

// A file name from the verse's title: what a file system takes, never empty.
export function fileName(title, extension) {
  const name = title.replace(/[\\/:*?"<>|\u0000-\u001f]+/g, ' ').replace(/\s+/g, ' ').trim().slice(0, 60).trim();
  return `${name.replace(/^\.+/, '') || 'kvat'}.${extension}`;
}

class Page {
  constructor({ core, session, tables }, symbolFont) {
    this.core = core;
    this.session = session;
    this.tables = tables;
    this.symbolFont = symbolFont;
    this.symbolAscent = winAscentEm(symbolFont);
    this.separator = decimalSeparator().codePointAt(0);
    this.metreByHand = false;
    this.pending = 0;
    this.result = null;
    this.defaults = {
      verse: tables.sampleVerse.join('\n'),
      stress: 0,
      melody: core.defaultMelody(),
      octave: 0,
      sound: core.defaultSound(),
      colour: false,
      lyrics: true,
      rhymes: true,
    };
    this.choices = loadChoices(this.defaults);

    buildControls(tables);
    this.verse = new VerseView($('verse'), {
      onEdit: () => this.schedule(),
      onToggle: (line, column) => this.toggle(line, column),
      clean: (text) => core.cleanPasted(text.replace(/\r?\n/g, '\r\n')).replace(/\r\n/g, '\n'),
      marksOf: (k) => session.marks(k),
    });
    this.score = new ScoreView($('score'), {
      tables,
      symbolAscent: this.symbolAscent,
      onColumn: (column) => this.play(column),
    });
    this.player = new Player({ onStopped: () => this.stopped() });
    this.bind();
    this.verse.text = this.choices.verse;
    this.verse.showRhymes(this.choices.rhymes);
    this.showSettings();
    this.analyse(true);
  }

  bind() {
    $('analyse').addEventListener('click', () => {
      this.metreByHand = false;
      this.analyse(true);
    });
    $('metre').addEventListener('change', () => {
      this.session.chooseMetre($('metre').selectedIndex);
      this.metreByHand = true;
      this.showVerse();
      this.rescore();
    });
    for (const radio of document.querySelectorAll('input[name=stress]')) {
      radio.addEventListener('change', () => {
        this.choices.stress = Number(radio.value);
        this.analyse(!this.metreByHand);
      });
    }
    $('method-panel').closest('.settings-side').addEventListener('change', (event) => this.settingChanged(event.target.id));
    $('method-panel').addEventListener('input', (event) => {
      if (event.target.type === 'range') this.settingChanged(event.target.id);
    });
    $('generate').addEventListener('click', () => {
      this.choices.melody.noteMap = this.core.randomNoteMap(this.choices.octave, Math.floor(Math.random() * 2 ** 52));
      this.showSettings();
      this.rescore();
    });
    $('play').addEventListener('click', () => this.play(-1));
    $('pause').addEventListener('click', () => this.pause());
    $('stop').addEventListener('click', () => this.player.stop());
    $('save-midi').addEventListener('click', () => this.saveMidi());
    $('save-musicxml').addEventListener('click', () => this.saveMusicXml());
    $('save-svg').addEventListener('click', () => this.saveSvg());
    document.addEventListener('keydown', (event) => {
      if (event.key === 'F5') {
        event.preventDefault();
        if (this.player.state === 'playing') this.pause(); else this.play(-1);
      } else if (event.key === 'Escape') {
        this.player.stop();
      }
    });
    new ResizeObserver(() => this.scheduleScore()).observe($('score'));
  }

  // Typing: one analysis per frame however fast the keys come.
  schedule() {
    if (this.pending) return;
    this.pending = requestAnimationFrame(() => {
      this.pending = 0;
      this.analyse(!this.metreByHand);
    });
  }

  scheduleScore() {
    if (this.result && this.score.layout) this.rescore();
  }

  analyse(followAnalysis) {
    const stress = this.choices.stress;
    this.session.setVerse(this.verse.text, followAnalysis, stress, this.separator);
    const items = this.session.metreItems();
    const list = $('metre');
    if (items.length) {
      list.replaceChildren(...items.map((text, i) => new Option(text, String(i))));
      list.selectedIndex = this.session.metre();
    } else {
      list.replaceChildren();
    }
    $('stress-source').textContent = kStressSources[stress];
    this.showVerse();
    this.rescore();
  }

  showVerse() {
    this.verse.setHandPlacement(this.session.metre() === kHandMetre && $('metre').options.length > 0);
    $('verse-hint').hidden = !this.verse.hand;
    this.verse.refresh();
  }

  toggle(line, column) {
    if (!this.session.toggleIctus(line, column)) return;
    this.verse.refresh();
    this.rescore();
  }

  settingChanged(id) {
    const c = this.choices;
    if (!readChoice(c, id)) return;
    if (id === 'rhymes') {
      this.verse.showRhymes(c.rhymes);
      this.saveSoon();
      return;
    }
    if (id === 'dynamics') c.sound.boost = Math.min(c.sound.boost, c.sound.dynamics);
    if (id === 'numerator') c.sound.denominator = this.core.denominators(c.sound.numerator)[0];
    if (id === 'lengthen') c.melody.lengthen = c.sound.lengthen;
    if ((id === 'group-on' || id === 'group') && c.sound.groupOn) c.sound = this.core.applyGroup(c.sound, c.sound.group);
    this.showSettings();
    this.rescore();
  }

  showSettings() {
    const { core, choices } = this;
    const { melody, sound } = choices;
    showChoices(choices, (n) => core.denominators(n));
    for (const radio of document.querySelectorAll('input[name=stress]')) radio.checked = Number(radio.value) === choices.stress;
    const method = melody.method;
    const panels = {
      key: core.hasKeyShift(method),
      shift: core.usesSoftVowelShift(method),
      centre: core.hasCentreRange(method),
      map: core.usesNoteMap(method),
      song: core.timesItsNotes(method),
    };
    panels.fixed = !Object.values(panels).some(Boolean);
    for (const part of document.querySelectorAll('[data-panel]')) part.hidden = !panels[part.dataset.panel];
    $('method-caption').textContent = core.methodCaption(method);
    const texts = core.methodTexts(melody.keyShift, melody.softVowelShift, melody.centreShift, this.separator);
    $('key-text').value = texts.key;
    $('shift-text').value = texts.shift;
    $('centre-text').value = texts.centre;
    $('dynamics-value').value = String(this.tables.dynamicsValues[sound.dynamics] ?? '');
    $('boost-value').value = String(sound.boost * 10);
    $('tempo-value').value = String(this.tables.tempoBpm[sound.tempo] ?? '');
    $('drum-map-value').value = `Карта: ${sound.drumMap}`;
    // A ready-made group chooses the four voices: their own controls wait while it does.
    for (const id of ['soprano', 'mezzo', 'tenor', 'bass', 'mezzo-on', 'tenor-on', 'bass-on']) $(id).disabled = sound.groupOn;
  }

  rescore() {
    const c = this.choices;
    const result = this.session.makeScore(c.melody, c.sound, c.colour, this.score.viewportTwips());
    this.result = result;
    if (result.centreMin !== undefined) {
      const low = Math.min(result.centreMin, result.centreMax), high = Math.max(result.centreMin, result.centreMax);
      $('centre-shift').min = low;
      $('centre-shift').max = high;
      c.melody.centreShift = Math.min(high, Math.max(low, c.melody.centreShift));
    }
    this.score.setLayout(result);
    $('messages').textContent = result.messages.join(' ');
    for (const id of ['play', 'save-midi', 'save-musicxml']) $(id).disabled = !result.sung;
    $('status').textContent = result.sung ? '' : result.made ? 'Все ноты — паузы: играть нечего.' : 'Нет мелодии: в тексте нет русских гласных.';
    this.saveSoon();
    if (!this.firstScore) {
      this.firstScore = true;
      performance.mark('kvat-first-score');
    }
  }

  // A long verse is kept once typing pauses, not at every key.
  saveSoon() {
    clearTimeout(this.saving);
    this.saving = setTimeout(() => {
      this.choices.verse = this.verse.text;
      saveChoices(this.choices);
    }, 300);
  }

  midi() {
    return this.session.midiFile(this.choices.sound, this.choices.lyrics);
  }

  async play(column) {
    if (!this.result?.sung) return;
    if (this.player.state === 'paused' && column < 0) {
      this.player.resume();
      this.showTransport(true);
      return;
    }
    const starts = this.session.tokenStarts(this.choices.sound);
    const from = Math.max(0, Math.min(column, starts.ticks.length - 1));
    this.starts = starts;
    $('status').textContent = 'Загрузка звука…';
    try {
      await this.player.play(this.midi(), starts.ticks[from], starts.ms[from]);
    } catch (error) {
      $('status').textContent = `Звук недоступен: ${error.message}`;
      return;
    }
    $('status').textContent = '';
    this.showTransport(true);
    this.walk();
  }

  pause() {
    this.player.pause();
    this.showTransport(false);
  }

  // The marker walks the score with the sound, the lamp shows the sung syllable's colour.
  walk() {
    const step = () => {
      if (this.player.state === 'stopped') return;
      const column = Math.max(0, upperBound(this.starts.ms, this.player.positionMs()) - 1);
      this.score.setMarker(column);
      const colour = this.result.colours[column];
      if (colour !== undefined) $('lamp').style.background = cssColour(colour);
      requestAnimationFrame(step);
    };
    requestAnimationFrame(step);
  }

  stopped() {
    this.showTransport(false);
    this.score.setMarker(-1);
    $('lamp').style.background = '';
  }

  showTransport(playing) {
    $('play').hidden = playing;
    $('pause').hidden = !playing;
  }

  title() {
    return this.session.title();
  }

  saveMidi() {
    download(fileName(this.title(), 'mid'), 'audio/midi', this.midi());
  }

  saveMusicXml() {
    download(fileName(this.title(), 'musicxml'), 'application/vnd.recordare.musicxml+xml', this.session.musicXml(this.choices.sound));
  }

  saveSvg() {
    const svg = scoreSvg(this.score.layout, {
      symbolFont: this.symbolFont,
      symbolAscent: this.symbolAscent,
      textAscent: this.score.textAscent ?? 0.891,
    });
    download(fileName(this.title(), 'svg'), 'image/svg+xml', svg);
  }

  // The sound of the page's MIDI file, rendered offline as Play would sound it.
  renderOffline(seconds) {
    return renderOffline(this.midi(), seconds);
  }
}

async function start() {
  try {
    const [kit, font] = await Promise.all([loadCore(), loadSymbolFont()]);
    performance.mark('kvat-core-ready');
    window.kvatPage = new Page(kit, font);
  } catch (error) {
    $('status').textContent = `Страница не загрузилась: ${error.message}`;
    throw error;
  }
  if ('serviceWorker' in navigator && location.protocol.startsWith('http')) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
}

start();
