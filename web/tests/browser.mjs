// Debian's chromium, headless, on a fresh profile, and the built page served on localhost:
// shared by the browser test and the benchmark.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';
import { serve } from '../serve.mjs';

export const kChromium = process.env.KVAT_CHROMIUM || '/usr/bin/chromium';

// Without the networking flags chromium keeps calling hosts this machine cannot reach.
export async function openBrowser(dist) {
  const profile = mkdtempSync(join(tmpdir(), 'kvat-chromium-'));
  const server = await serve(dist, 0);
  const browser = await puppeteer.launch({
    executablePath: kChromium,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--autoplay-policy=no-user-gesture-required', `--user-data-dir=${profile}`],
  });
  const url = `http://localhost:${server.address().port}/`;
  const close = async () => {
    await browser.close();
    server.close();
    rmSync(profile, { recursive: true, force: true });
  };
  return { browser, url, close };
}

// A page opened on the built site, ready when the first score is drawn; `before` runs in it
// before the page's own scripts.
export async function openPage(browser, url, before) {
  const page = await browser.newPage();
  if (before) await page.evaluateOnNewDocument(before);
  await page.setViewport({ width: 1280, height: 800 });
  page.on('pageerror', (error) => console.log(`page error: ${error.message}`));
  await page.goto(url);
  await page.waitForFunction(() => window.kvatPage?.result, { timeout: 30_000 });
  return page;
}

// Two animation frames: what the page does on typing has been done.
export function settled(page) {
  return page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
}
