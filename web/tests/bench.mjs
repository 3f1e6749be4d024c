// The page's budgets, measured in Debian's chromium, headless, from a server on this machine:
//   node web/tests/bench.mjs DIST
// Prints figures (medians of a few runs); asserts nothing.
import { readFileSync } from 'node:fs';
import { openBrowser, openPage, settled } from './browser.mjs';

const [dist] = process.argv.slice(2);
if (!dist) {
  console.error('usage: node web/tests/bench.mjs DIST');
  process.exit(2);
}
const kRuns = 5;
const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];
const sample = readFileSync(new URL('../../tests/data/verse/rifma-sample.txt', import.meta.url), 'utf8')
  .split('\n').filter((l) => l && !l.startsWith('='));
// Without its stress marks, so every word is looked up.
const long = Array.from({ length: 2000 }, (_, i) => sample[i % sample.length]).join('\n').replace(/\u0301/g, '');

const { browser, url, close } = await openBrowser(dist);

// A visit with nothing cached: the time to the first score, and the bytes (as sent, gzipped)
// the page fetched before it.
async function firstVisit() {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const cdp = await page.createCDPSession();
  await cdp.send('Network.enable');
  await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
  const finished = [];
  cdp.on('Network.loadingFinished', (e) => finished.push(e));
  await page.goto(url);
  await page.waitForFunction(() => performance.getEntriesByName('kvat-first-score').length);
  const [core, mark] = await page.evaluate(() => ['kvat-core-ready', 'kvat-first-score'].map((name) => performance.getEntriesByName(name)[0].startTime));
  const bytes = finished.reduce((sum, e) => sum + e.encodedDataLength, 0);
  await context.close();
  return { core, mark, bytes };
}

// One edit of a 2 000-line verse: analysis, melody, layout, the verse view and the score drawn,
// to the next frame; and the core's part alone.
async function longUpdate(page, stress) {
  return page.evaluate(async (text, stress) => {
    const p = window.kvatPage;
    p.metreByHand = false;
    p.choices.stress = stress;
    const start = performance.now();
    p.verse.text = text + (Math.random() < 2 ? '' : ' ');
    p.analyse(true);
    const sync = performance.now() - start;
    await new Promise((done) => requestAnimationFrame(done));
    const frame = performance.now() - start;
    const c = p.choices;
    const coreStart = performance.now();
    p.session.setVerse(text, true, stress, 44);
    p.session.makeScore(c.melody, c.sound, c.colour, p.score.viewportTwips());
    return { sync, frame, core: performance.now() - coreStart };
  }, long, stress);
}

// Play to the first sound the context renders, the SoundFont already fetched and kept.
async function playToSound(page) {
  return page.evaluate(async () => {
    const p = window.kvatPage;
    const context = p.player.context;
    const analyser = context.createAnalyser();
    const connect = AudioNode.prototype.connect;
    AudioNode.prototype.connect = function (target, ...rest) {
      const result = connect.call(this, target, ...rest);
      if (target === context.destination) connect.call(this, analyser);
      return result;
    };
    const samples = new Float32Array(analyser.fftSize);
    const start = performance.now();
    document.getElementById('play').click();
    for (;;) {
      await new Promise((done) => setTimeout(done, 1));
      analyser.getFloatTimeDomainData(samples);
      if (samples.some((s) => Math.abs(s) > 1e-4)) break;
      if (performance.now() - start > 10_000) return NaN;
    }
    const took = performance.now() - start;
    AudioNode.prototype.connect = connect;
    p.player.stop();
    return took;
  });
}

try {
  await firstVisit(); // the server compresses each file once; later visits find it ready
  const visits = [];
  for (let i = 0; i < kRuns; i++) visits.push(await firstVisit());
  console.log(`first score after load:        ${median(visits.map((v) => v.mark)).toFixed(0)} ms (median of ${kRuns}; budget 500 ms), ` +
    `the core ready at ${median(visits.map((v) => v.core)).toFixed(0)} ms`);
  console.log(`bytes before the first score:  ${(median(visits.map((v) => v.bytes)) / 1024).toFixed(0)} KiB as sent, gzipped (budget 1 MB)`);

  const page = await openPage(browser, url);
  for (const [stress, name] of [[0, 'rule'], [1, 'dictionary']]) {
    const updates = [];
    for (let i = 0; i < kRuns; i++) updates.push(await longUpdate(page, stress));
    console.log(`2 000-line update, ${name.padEnd(10)}  ${median(updates.map((u) => u.frame)).toFixed(0)} ms to the next frame, ` +
      `${median(updates.map((u) => u.sync)).toFixed(0)} ms of script, core ${median(updates.map((u) => u.core)).toFixed(0)} ms (budget 150 ms)`);
  }
  await page.evaluate(() => { window.kvatPage.choices.stress = 0; });

  await page.evaluate(() => { window.kvatPage.verse.text = window.kvatPage.defaults.verse; window.kvatPage.analyse(true); });
  await settled(page);
  await page.click('#play'); // fetches and keeps the synthesizer and the SoundFont
  await page.waitForFunction(() => window.kvatPage.player.state === 'playing', { timeout: 30_000 });
  await page.evaluate(() => window.kvatPage.player.stop());
  const plays = [];
  for (let i = 0; i < kRuns; i++) plays.push(await playToSound(page));
  console.log(`Play to first sound (cached):  ${median(plays).toFixed(0)} ms (median of ${kRuns}; budget 1 000 ms)`);
} finally {
  await close();
}
