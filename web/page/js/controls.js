// The settings controls: filled from the core's lists, and bound to the choices object by a
// table of (element, path, how the element holds the value).
const $ = (id) => document.getElementById(id);

const kVowelLabels = ['А =', 'Е =', 'Ё =', 'И =', 'О =', 'У =', 'Ы =', 'Э =', 'Ю =', 'Я ='];

// [element id, path in the choices, kind]: 'index' a list's selected index, 'number' an
// element's numeric value, 'check' a check box.
export const kFields = [
  ['method', 'melody.method', 'index'],
  ['key-shift', 'melody.keyShift', 'number'],
  ['soft-shift', 'melody.softVowelShift', 'number'],
  ['centre-shift', 'melody.centreShift', 'number'],
  ['octave', 'octave', 'index'],
  ['tonic', 'melody.tonic', 'index'],
  ['mode', 'melody.mode', 'index'],
  ['range', 'melody.range', 'index'],
  ['dynamics', 'sound.dynamics', 'index'],
  ['boost', 'sound.boost', 'number'],
  ['tempo', 'sound.tempo', 'index'],
  ['numerator', 'sound.numerator', 'number'],
  ['denominator', 'sound.denominator', 'number'],
  ['lengthen', 'sound.lengthen', 'check'],
  ['colour', 'colour', 'check'],
  ['lyrics', 'lyrics', 'check'],
  ['rhymes', 'rhymes', 'check'],
  ['soprano', 'sound.soprano', 'index'],
  ['mezzo-on', 'sound.mezzo.on', 'check'],
  ['mezzo', 'sound.mezzo.program', 'index'],
  ['tenor-on', 'sound.tenor.on', 'check'],
  ['tenor', 'sound.tenor.program', 'index'],
  ['bass-on', 'sound.bass.on', 'check'],
  ['bass', 'sound.bass.program', 'index'],
  ['group-on', 'sound.groupOn', 'check'],
  ['group', 'sound.group', 'index'],
  ['drums-on', 'sound.drumsOn', 'check'],
  ['drum-first', 'sound.drumFirst', 'index'],
  ['drum-last', 'sound.drumLast', 'index'],
  ['drum-map', 'sound.drumMap', 'number'],
  ['accompaniment-on', 'sound.accompanimentOn', 'check'],
  ['accompaniment', 'sound.accompaniment', 'index'],
  ['effect', 'sound.effect', 'index'],
  ...kVowelLabels.map((_, i) => [`note-${i}`, `melody.noteMap.${i}`, 'index']),
];

function fill(select, items) {
  select.replaceChildren(...items.map((text, i) => new Option(String(text), String(i))));
}

function fillNumbers(select, values) {
  select.replaceChildren(...values.map((v) => new Option(String(v), String(v))));
}

export function buildControls(tables) {
  fill($('method'), tables.methods);
  fill($('dynamics'), tables.dynamics);
  fill($('tempo'), tables.tempos);
  fillNumbers($('numerator'), tables.numerators);
  for (const id of ['soprano', 'mezzo', 'tenor', 'bass', 'accompaniment']) fill($(id), tables.programs);
  fill($('group'), tables.groups);
  fill($('drum-first'), tables.percussion);
  fill($('drum-last'), tables.percussion);
  fill($('effect'), tables.effects);
  fill($('octave'), tables.octaves);
  fill($('tonic'), tables.tonics);
  fill($('mode'), tables.modes);
  fill($('range'), tables.ranges);
  const key = $('key-shift');
  key.min = tables.keyShiftLow;
  key.max = tables.keyShiftHigh;
  $('soft-shift').max = tables.softVowelShiftHigh;
  $('drum-map').min = tables.drumMapLow;
  $('drum-map').max = tables.drumMapHigh;
  $('note-lists').replaceChildren(...kVowelLabels.map((label, i) => {
    const select = document.createElement('select');
    select.id = `note-${i}`;
    fill(select, tables.notes);
    const wrap = document.createElement('label');
    wrap.append(`${label} `, select);
    return wrap;
  }));
}

function get(object, path) {
  return path.split('.').reduce((o, key) => o[key], object);
}

function set(object, path, value) {
  const keys = path.split('.');
  const last = keys.pop();
  keys.reduce((o, key) => o[key], object)[last] = value;
}

export function showChoices(choices, denominatorsOf) {
  fillNumbers($('denominator'), denominatorsOf(choices.sound.numerator));
  $('boost').max = choices.sound.dynamics;
  for (const [id, path, kind] of kFields) {
    const element = $(id), value = get(choices, path);
    if (kind === 'index') element.selectedIndex = value;
    else if (kind === 'check') element.checked = value;
    else element.value = String(value);
  }
}

export function readChoice(choices, id) {
  const field = kFields.find(([fieldId]) => fieldId === id);
  if (!field) return false;
  const [, path, kind] = field;
  const element = $(id);
  set(choices, path, kind === 'index' ? element.selectedIndex : kind === 'check' ? element.checked : Number(element.value));
  return true;
}
