// Puts the page together in one folder any static web server can serve:
//   node web/build.mjs CORE_DIR DIST_DIR
// CORE_DIR holds kvat.js and kvat.wasm from the emscripten build. The synthesizer comes from
// node_modules, the symbol font from resources/, the SoundFont and its notice from Debian's
// timgm6mb-soundfont package.
import { createHash } from 'node:crypto';
import { copyFileSync, mkdirSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { dirname, join, relative } from 'node:path';
import { fileURLToPath } from 'node:url';

const web = dirname(fileURLToPath(import.meta.url));
const root = join(web, '..');
const [coreDir, dist] = process.argv.slice(2);
if (!coreDir || !dist) {
  console.error('usage: node web/build.mjs CORE_DIR DIST_DIR');
  process.exit(2);
}
const synth = join(web, 'node_modules', 'js-synthesizer');
const kSoundFont = '/usr/share/sounds/sf2/TimGM6mb.sf2';
const kSoundFontNotice = '/usr/share/doc/timgm6mb-soundfont/copyright';
const kGpl2 = '/usr/share/common-licenses/GPL-2';

// [from, to in dist]; the SoundFont last, as it is no part of what the page needs to start.
const copies = [
  [join(coreDir, 'kvat.js'), 'kvat.js'],
  [join(coreDir, 'kvat.wasm'), 'kvat.wasm'],
  [join(root, 'resources/icons/kvat.svg'), 'kvat.svg'],
  [join(root, 'resources/fonts/kvat-symbols/KvatSymbols.ttf'), 'fonts/KvatSymbols.ttf'],
  [join(root, 'resources/fonts/kvat-symbols/OFL.txt'), 'fonts/OFL.txt'],
  [join(root, 'COPYING'), 'COPYING.txt'],
  [join(root, 'resources/stress/festvox-ru.LICENSE.txt'), 'notices/festvox-ru.LICENSE.txt'],
  [join(root, 'resources/stress/mueller7accent.LICENSE.txt'), 'notices/mueller7accent.LICENSE.txt'],
  [join(synth, 'externals/libfluidsynth-2.4.6.js'), 'vendor/libfluidsynth-2.4.6.js'],
  [join(synth, 'externals/LICENSE.fluidsynth.txt'), 'vendor/LICENSE.fluidsynth.txt'],
  [join(synth, 'dist/js-synthesizer.min.js'), 'vendor/js-synthesizer.min.js'],
  [join(synth, 'LICENSE'), 'vendor/LICENSE.js-synthesizer.txt'],
  [kSoundFont, 'TimGM6mb.sf2'],
];

function pageFiles(dir) {
  return readdirSync(dir).flatMap((name) => {
    const path = join(dir, name);
    return statSync(path).isDirectory() ? pageFiles(path) : [path];
  });
}

rmSync(dist, { recursive: true, force: true });
const put = (to, data) => {
  mkdirSync(dirname(join(dist, to)), { recursive: true });
  writeFileSync(join(dist, to), data);
};
for (const path of pageFiles(join(web, 'page'))) {
  const to = relative(join(web, 'page'), path);
  if (to !== 'sw.js') copyFileSync(path, (mkdirSync(dirname(join(dist, to)), { recursive: true }), join(dist, to)));
}
for (const [from, to] of copies) {
  mkdirSync(dirname(join(dist, to)), { recursive: true });
  copyFileSync(from, join(dist, to));
}
put('TimGM6mb-NOTICE.txt',
  'TimGM6mb.sf2 is Debian\'s timgm6mb-soundfont, under the GNU General Public License,\n' +
  'version 2. Its copyright file follows, then the licence.\n\n' +
  readFileSync(kSoundFontNotice, 'utf8') + '\n\n' + readFileSync(kGpl2, 'utf8'));

// The service worker keeps every file but the SoundFont at install; its version is the files'.
const files = pageFiles(dist).map((p) => relative(dist, p)).filter((p) => !p.endsWith('.sf2')).sort();
const hash = createHash('sha256');
for (const file of files) hash.update(file).update(readFileSync(join(dist, file)));
const worker = readFileSync(join(web, 'page/sw.js'), 'utf8')
  .replace('@VERSION@', hash.digest('hex').slice(0, 16))
  .replace('@FILES@', files.join(' '));
put('sw.js', worker);
console.log(`web: ${files.length + 2} files in ${dist}`);
