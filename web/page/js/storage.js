// The page's choices, kept in the browser between visits. A stored value of the wrong shape
// (an older page's, or edited by hand) is dropped for the default.
const kKey = 'kvat.choices.1';

export function loadChoices(defaults) {
  let stored = {};
  try {
    stored = JSON.parse(localStorage.getItem(kKey) || '{}') || {};
  } catch {
    stored = {};
  }
  return mergeShape(defaults, stored);
}

export function saveChoices(choices) {
  try {
    localStorage.setItem(kKey, JSON.stringify(choices));
  } catch {
    // A full or forbidden storage only costs remembering.
  }
}

export function forgetChoices() {
  try {
    localStorage.removeItem(kKey);
  } catch {
    // Nothing kept, nothing to forget.
  }
}

// Every value of `defaults`, replaced by the stored one where that has the same type.
export function mergeShape(defaults, stored) {
  if (Array.isArray(defaults)) {
    return Array.isArray(stored) && stored.length === defaults.length
      ? defaults.map((d, i) => mergeShape(d, stored[i])) : defaults.slice();
  }
  if (defaults && typeof defaults === 'object') {
    const out = {};
    for (const key of Object.keys(defaults)) {
      out[key] = mergeShape(defaults[key], stored && typeof stored === 'object' ? stored[key] : undefined);
    }
    return out;
  }
  return typeof stored === typeof defaults ? stored : defaults;
}
