// The built page in Debian's chromium, headless, against the kvat command:
//   node web/tests/browser_test.mjs DIST KVAT
// Opens the page, types a verse, reads the metre list, the colours and the score; downloads the
// page's MIDI and MusicXML over a table of verses and settings and compares them with
// `kvat midi` and `kvat score` byte for byte; renders the sound offline; checks the kept
// choices and the offline start; the rhymes' letters beside the lines against `kvat analyse`. Ends with "N passed, N failed".
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { openBrowser, openPage, settled } from './browser.mjs';

const [dist, kvat] = process.argv.slice(2);
if (!dist || !kvat) {
  console.error('usage: node web/tests/browser_test.mjs DIST KVAT');
  process.exit(2);
}
const data = new URL('../../tests/data/', import.meta.url).pathname;
const work = mkdtempSync(join(tmpdir(), 'kvat-web-test-'));
const verseFile = (name) => join(data, 'verse', `${name}.txt`);
let passed = 0, failed = 0;

function check(name, ok, detail = '') {
  if (ok) passed++; else failed++;
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${ok || !detail ? '' : `: ${detail}`}`);
}

function run(args) {
  return execFileSync(kvat, args, { maxBuffer: 1 << 28, stdio: ['ignore', 'pipe', 'ignore'], env: { ...process.env, LC_ALL: 'C.UTF-8' } });
}

// The long poem: a sample of marked verse again and again, 2 000 lines.
const sample = readFileSync(join(data, 'verse/rifma-sample.txt'), 'utf8').split('\n').filter((l) => l && !l.startsWith('='));
writeFileSync(join(work, 'long.txt'), Array.from({ length: 2000 }, (_, i) => sample[i % sample.length]).join('\n'));
// Stanzas with rhymes of every clausula and lines without one: the sample's first poems.
writeFileSync(join(work, 'stanzas.txt'), readFileSync(join(data, 'verse/rifma-sample.txt'), 'utf8').split('\n').slice(0, 19)
  .map((l) => (l.startsWith('=') ? '' : l)).join('\n'));
const kNoteMap = [0, 2, 4, 5, 7, 9, 11, 12, 14, 16];

// Hand-placed ictuses a click can place: on every other vowel that starts a run of vowels (a
// click on the second of two marks the first, as in the desktop editor).
const kVowels = 'аеёиоуыэюяАЕЁИОУЫЭЮЯ';
const handVerse = join(data, 'melody/verse.txt');
writeFileSync(join(work, 'hand.ictus'), readFileSync(handVerse, 'utf8').replace(/\n$/, '').split('\n').map((line) => {
  let digits = '', starts = 0;
  [...line].forEach((c, i) => {
    if (!kVowels.includes(c)) return;
    digits += !kVowels.includes(line[i - 1] ?? '') && starts++ % 2 === 0 ? '1' : '0';
  });
  return digits;
}).join('\n'));

// Each case: the verse, kvat's options, and the same choices made on the page's controls.
const kCases = [
  { name: 'defaults', verse: verseFile('winter-evening'), args: [], set: [] },
  { name: 'stanzas', verse: join(work, 'stanzas.txt'), args: [], set: [] },
  { name: 'tonal by words, key up 3', verse: verseFile('onegin'), args: ['--method', '3', '--key', '3'], set: [['method', 3], ['key-shift', 3]] },
  { name: 'soft vowels shifted', verse: verseFile('peasant-children'), args: ['--method', '1', '--sharp-shift', '5'], set: [['method', 1], ['soft-shift', 5]] },
  { name: 'a note for each vowel', verse: verseFile('winter-evening'), args: ['--method', '2', '--note-map', kNoteMap.join(',')],
    set: [['method', 2], ...kNoteMap.map((n, i) => [`note-${i}`, n])] },
  { name: 'planar, centre shifted', verse: verseFile('onegin'), args: ['--method', '5', '--centre-shift', '-1'], set: [['method', 5], ['centre-shift', -1]] },
  { name: 'folk motif, fast, quiet, 6/8', verse: verseFile('peasant-children'),
    args: ['--method', '9', '--tempo', '0', '--dynamics', '5', '--time-signature', '6/8'],
    set: [['method', 9], ['tempo', 0], ['dynamics', 5], ['numerator', 6], ['denominator', 8]] },
  { name: 'harmony voices, no lengthening, no boost', verse: verseFile('onegin'),
    args: ['--mezzo', '40', '--tenor', '41', '--bass', '32', '--lengthen', 'no', '--boost', '0'],
    set: [['mezzo-on', true], ['mezzo', 40], ['tenor-on', true], ['tenor', 41], ['bass-on', true], ['bass', 32], ['lengthen', false], ['boost', 0]] },
  { name: 'brass group, drums, chord, sustain', verse: verseFile('winter-evening'),
    args: ['--group', 'brass', '--drums', '36,42', '--drum-map', '7', '--accompaniment', '48', '--effect', 'sustain'],
    set: [['group-on', true], ['group', 2], ['drums-on', true], ['drum-first', 1], ['drum-last', 7], ['drum-map', 7],
      ['accompaniment-on', true], ['accompaniment', 48], ['effect', 2]] },
  { name: 'no lyrics, modulation', verse: verseFile('peasant-children'), args: ['--no-lyrics', '--effect', 'modulation'], set: [['lyrics', false], ['effect', 1]] },
  { name: 'metre chosen: dactyl', verse: verseFile('onegin'), args: ['--metre', '3', '--method', '4'], set: [['method', 4], ['metre', 3]] },
  { name: 'the song in B flat minor, tenor, with a chord', verse: verseFile('onegin'),
    args: ['--method', '10', '--tonic', 'Bb', '--mode', 'minor', '--range', 'tenor', '--accompaniment', '0'],
    set: [['method', 10], ['tonic', 10], ['mode', 1], ['range', 2], ['accompaniment-on', true], ['accompaniment', 0]] },
  { name: 'stresses by the dictionaries', verse: verseFile('winter-evening'), args: ['--stress', 'dictionary'], set: [['stress', 1]] },
  { name: 'hand-placed ictuses', verse: handVerse, ictus: join(work, 'hand.ictus'),
    args: ['--metre', '5', '--ictus', join(work, 'hand.ictus'), '--method', '8'], set: [['method', 8], ['metre', 5]] },
  { name: '2 000 lines', verse: join(work, 'long.txt'), args: ['--method', '6'], set: [['method', 6]] },
];

async function setControl(page, id, value) {
  await page.evaluate((id, value) => {
    const element = id === 'stress' ? document.querySelector(`input[name=stress][value="${value}"]`) : document.getElementById(id);
    if (element.type === 'checkbox') element.checked = value;
    else if (element.type === 'radio') element.checked = true;
    else element.value = String(value);
    element.dispatchEvent(new Event('change', { bubbles: true }));
  }, id, value);
}

async function setVerse(page, text) {
  await page.$eval('#verse-text', (area, text) => {
    area.value = text;
    area.dispatchEvent(new Event('input', { bubbles: true }));
  }, text);
  await settled(page);
}

// Red vowels by hand, as a person would: the caret on the vowel, then Ctrl+Enter.
async function placeIctuses(page, text, digits) {
  const lines = text.split('\n');
  let lineStart = 0;
  for (const [k, line] of lines.entries()) {
    const vowels = [...line].map((c, i) => (kVowels.includes(c) ? i : -1)).filter((i) => i >= 0);
    for (const [v, at] of vowels.entries()) {
      if ((digits[k] || '')[v] !== '1') continue;
      await page.$eval('#verse-text', (area, at) => { area.focus(); area.setSelectionRange(at, at); }, lineStart + at);
      await page.keyboard.down('Control');
      await page.keyboard.press('Enter');
      await page.keyboard.up('Control');
    }
    lineStart += line.length + 1;
  }
}

// The page's downloads land in `work`, named by their id.
async function downloader(browser, page) {
  const cdp = await browser.target().createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allowAndName', downloadPath: work, eventsEnabled: true });
  return async (selector) => {
    const done = new Promise((resolve, reject) => {
      const listen = (event) => {
        if (event.state === 'inProgress') return;
        cdp.off('Browser.downloadProgress', listen);
        if (event.state === 'completed') resolve(readFileSync(join(work, event.guid)));
        else reject(new Error(`download ${event.state}`));
      };
      cdp.on('Browser.downloadProgress', listen);
    });
    await page.click(selector);
    return done;
  };
}

// kvat analyse's rhyme labels as verse study writes them, and as the letters beside the lines
// show them: from а again in every stanza, х for a line without a rhyme, a capital for a line
// not masculine, ′ or ″ after a dactylic or hyperdactylic one.
const kLetters = 'абвгдежзиклмнопрстуфцчшщэюя';
const numbered = (n) => (n < kLetters.length ? '' : numbered(Math.floor(n / kLetters.length) - 1)) + kLetters[n % kLetters.length];
function schemeLetters(lines, { rhymes, clausulae }) {
  let stanza = new Map();
  return rhymes.map((label, k) => {
    if (!lines[k].trim()) stanza = new Map();
    if (!label) return '';
    if (label !== '-' && !stanza.has(label)) stanza.set(label, numbered(stanza.size));
    const letter = label === '-' ? 'х' : stanza.get(label);
    return (clausulae[k] === 'm' ? letter : letter.toUpperCase()) + ({ d: '′', h: '″' }[clausulae[k]] ?? '');
  });
}

// The letters beside the lines drawn, by line.
function drawnLetters(page) {
  return page.evaluate(() => {
    const line = (div) => Math.round(parseFloat(div.style.top) / kvatPage.verse.lineHeight());
    const letters = new Map([...document.querySelectorAll('.rhyme-labels > div')].map((div) => [line(div), div.textContent]));
    return [...document.querySelectorAll('.verse-lines > div')].map((div) => [line(div), letters.get(line(div)) ?? '']);
  });
}

function firstDifference(a, b) {
  const n = Math.min(a.length, b.length);
  for (let i = 0; i < n; i++) if (a[i] !== b[i]) return `first difference at byte ${i} of ${a.length}/${b.length}`;
  return `lengths ${a.length}/${b.length}`;
}

// The metre list, the red vowels and the score of a typed verse, against kvat analyse and melody.
async function typedVerse(page) {
  const text = readFileSync(verseFile('onegin'), 'utf8').trimEnd();
  await page.$eval('#verse-text', (area) => { area.value = ''; area.focus(); });
  await page.keyboard.type(text);
  await settled(page);
  const analysis = JSON.parse(run(['analyse', verseFile('onegin')]).toString());
  const page_ = await page.evaluate(() => {
    const lines = [...document.querySelectorAll('.verse-lines > div')];
    const red = [];
    let offset = 0;
    for (const line of lines) {
      let at = 0;
      for (const node of line.childNodes) {
        if (node.nodeType === 1 && node.classList.contains('ictus')) red.push(offset + at);
        at += node.textContent.length;
      }
      offset += line.textContent.length + 1;
    }
    const canvas = document.getElementById('score-canvas');
    const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let ink = 0;
    for (let i = 0; i < pixels.length; i += 4) ink += pixels[i] < 128;
    return {
      items: [...document.getElementById('metre').options].map((o) => o.text),
      chosen: document.getElementById('metre').selectedIndex,
      red, ink, columns: kvatPage.score.layout.columns(),
    };
  });
  check('typed verse: the metre list is kvat analyse\'s', JSON.stringify(page_.items) === JSON.stringify(analysis.items), page_.items.join(' | '));
  check('typed verse: the chosen metre is kvat\'s', page_.chosen === analysis.metre, `${page_.chosen} against ${analysis.metre}`);
  check('typed verse: the red vowels are the ictuses', JSON.stringify(page_.red) === JSON.stringify(analysis.ictus), page_.red.join(','));
  const tokens = run(['melody', verseFile('onegin')]).toString().trim().split('\n').length;
  check('typed verse: a score column for every melody token', page_.columns === tokens, `${page_.columns} against ${tokens}`);
  check('typed verse: the score is drawn', page_.ink > 500, `${page_.ink} dark pixels`);
  // Play as a user presses it: the synthesizer and the SoundFont come, the marker walks on.
  await page.click('#play');
  await page.waitForFunction(() => kvatPage.player.state === 'playing', { timeout: 30_000 });
  await page.waitForFunction(() => kvatPage.player.positionMs() > 500, { timeout: 10_000 });
  const position = await page.evaluate(() => { const at = kvatPage.player.positionMs(); kvatPage.player.stop(); return at; });
  check('typed verse: Play plays it', position > 500, `${position} ms`);
}

async function unknownWords(page) {
  await setControl(page, 'stress', 1);
  await setVerse(page, 'Глокая куздра штеко будланула мальчика');
  // The underlined runs of the line, however the red vowels cut them into spans.
  const underlined = await page.$eval('.verse-lines > div', (line) => {
    let text = '';
    for (const node of line.childNodes) text += node.nodeType === 1 && node.classList.contains('unknown') ? node.textContent : ' ';
    return text.split(/\s+/).filter(Boolean);
  });
  check('dictionary mode underlines the words no lexicon holds', underlined.includes('куздра') && !underlined.includes('мальчика'), underlined.join(','));
  check('the page says which stress source it uses', /словар/.test(await page.$eval('#stress-source', (e) => e.textContent)));
  await setControl(page, 'stress', 0);
  check('the rule underlines nothing', (await page.$$('.verse .unknown')).length === 0);
}

async function byteEquality(browser, url) {
  for (const c of kCases) {
    // Each case from the defaults, whatever the one before it kept.
    const page = await openPage(browser, url, () => localStorage.clear());
    const save = await downloader(browser, page);
    const text = readFileSync(c.verse, 'utf8').replace(/\n$/, '');
    await setVerse(page, text);
    for (const [id, value] of c.set) await setControl(page, id, value);
    if (c.ictus) await placeIctuses(page, text, readFileSync(c.ictus, 'utf8').split('\n'));
    await settled(page);
    const lines = text.split('\n');
    const expectedLetters = schemeLetters(lines, JSON.parse(run(['analyse', c.verse, ...c.args]).toString()));
    const wrong = (await drawnLetters(page)).filter(([k, letter]) => letter !== expectedLetters[k]);
    check(`rhyme letters are kvat analyse's: ${c.name}`, wrong.length === 0, JSON.stringify(wrong.slice(0, 4)));
    const midi = await save('#save-midi');
    const expected = run(['midi', c.verse, '-o', '-', ...c.args]);
    check(`MIDI equals kvat midi: ${c.name}`, Buffer.compare(midi, expected) === 0, firstDifference(midi, expected));
    const xml = await save('#save-musicxml');
    run(['score', c.verse, '-o', join(work, 'expected.musicxml'), ...c.args]);
    const expectedXml = readFileSync(join(work, 'expected.musicxml'));
    check(`MusicXML equals kvat score: ${c.name}`, Buffer.compare(xml, expectedXml) === 0, firstDifference(xml, expectedXml));
    await page.close();
  }
}

// The MIDI file's length by mido, which reads it without any of Kvat's code.
function midiSeconds(file) {
  return Number(execFileSync('/usr/bin/python3', ['-c', 'import mido,sys; print(mido.MidiFile(sys.argv[1]).length)', file]).toString());
}

async function offlineSound(page) {
  const midiFile = join(work, 'sound.mid');
  run(['midi', verseFile('winter-evening'), '-o', midiFile]);
  const seconds = midiSeconds(midiFile);
  await setVerse(page, readFileSync(verseFile('winter-evening'), 'utf8').trimEnd());
  const sound = await page.evaluate(async (seconds) => {
    const buffer = await kvatPage.renderOffline(seconds + 3);
    let first = -1, last = -1, loudest = 0;
    for (let c = 0; c < buffer.numberOfChannels; c++) {
      const samples = buffer.getChannelData(c);
      for (let i = 0; i < samples.length; i++) {
        const a = Math.abs(samples[i]);
        loudest = Math.max(loudest, a);
        if (a > 1e-3) {
          if (first < 0 || i < first) first = i;
          last = Math.max(last, i);
        }
      }
    }
    return { loudest, first: first / buffer.sampleRate, last: last / buffer.sampleRate };
  }, seconds);
  check('offline sound is not silent', sound.loudest > 0.05, `loudest ${sound.loudest}`);
  // From the first sound to the last, the notes with their release: the MIDI file's length.
  const heard = sound.last - sound.first;
  check('offline sound lasts as long as the MIDI file', heard > seconds - 0.5 && heard < seconds + 1, `${heard.toFixed(2)} s against ${seconds.toFixed(2)} s`);
}

async function keptAndOffline(browser, url) {
  const page = await openPage(browser, url);
  await setControl(page, 'tempo', 20);
  await setControl(page, 'rhymes', false);
  await page.waitForFunction(() => Object.values(localStorage).some((kept) => kept.includes('"tempo":20') && kept.includes('"rhymes":false')));
  await page.waitForFunction(() => navigator.serviceWorker.controller || navigator.serviceWorker.ready, { timeout: 20_000 });
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.setOfflineMode(true);
  await page.reload();
  await page.waitForFunction(() => window.kvatPage?.result, { timeout: 30_000 }).catch(() => {});
  const state = await page.evaluate(() => ({
    tempo: document.getElementById('tempo').selectedIndex,
    columns: window.kvatPage?.score.layout?.columns() ?? 0,
    letters: document.querySelectorAll('.rhyme-labels > div').length,
  }));
  check('offline once loaded: the page starts and scores', state.columns > 0, JSON.stringify(state));
  check('choices are kept between visits', state.tempo === 20 && state.letters === 0, JSON.stringify(state));
  await page.setOfflineMode(false);
  await page.close();
}

async function longVerseView(page) {
  const lines = Array.from({ length: 10_000 }, (_, i) => sample[i % sample.length]);
  await setVerse(page, lines.join('\n'));
  const drawn = await page.$$eval('.verse-lines > div, .rhyme-labels > div', (divs) => divs.length);
  check('10 000 lines: only the lines in sight are drawn', drawn > 20 && drawn < 120, `${drawn} lines and letters`);
}

async function russianNumbers(browser, url) {
  const page = await browser.newPage();
  const cdp = await page.createCDPSession();
  await cdp.send('Emulation.setLocaleOverride', { locale: 'ru-RU' });
  await page.evaluateOnNewDocument(() => localStorage.clear()); // the sample, not a kept verse
  await page.goto(url);
  await page.waitForFunction(() => window.kvatPage?.result);
  const first = await page.$eval('#metre', (list) => list.options[0].text);
  check('in Russian the percentages take a decimal comma', first === 'Хорей - 40,18%', first);
  await page.close();
}

const { browser, url, close } = await openBrowser(dist);
try {
  const page = await openPage(browser, url);
  const opening = await page.$eval('#metre', (list) => list.options.length);
  check('the page opens with the sample verse analysed', opening === 6, `${opening} metres`);
  const methods = await page.$eval('#method', (list) => list.options.length);
  check('the page offers the eleven methods', methods === 11, `${methods} methods`);
  await typedVerse(page);
  await unknownWords(page);
  await longVerseView(page);
  await offlineSound(page);
  await page.close();
  await russianNumbers(browser, url);
  await byteEquality(browser, url);
  await keptAndOffline(browser, url);
} catch (error) {
  check('the browser test ran to its end', false, error.stack);
} finally {
  await close();
  rmSync(work, { recursive: true, force: true });
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
