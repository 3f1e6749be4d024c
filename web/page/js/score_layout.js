// The core's score layout as the page reads it: typed arrays, one entry (or group) per item.
export const ItemKind = { kText: 0, kLine: 1, kStaff: 2 };
export const ItemRole = { kStaff: 0, kStaffExtension: 13 };
export const kTextFamily = '"Times New Roman", "Liberation Serif", Tinos, serif';
export const kSymbolFamily = '"Kvat Symbols"';
export const kTwipsPerPoint = 20;
export const kTwipsPerPixel = 15; // at 96 dpi, where the layout's sizes were made
export const kStaffLineGap = 80;
export const kLineWidthTwips = 15;

export class Layout {
  constructor(arrays) {
    Object.assign(this, arrays);
    this.count = arrays.column.length;
    this.string = new TextDecoder('utf-16le').decode(arrays.chars);
    this.headerEnd = arrays.columnStart.length ? arrays.columnStart[0] : this.count;
  }

  kind(i) { return this.style[4 * i]; }
  role(i) { return this.style[4 * i + 1]; }
  symbols(i) { return this.style[4 * i + 2] === 1; }
  italic(i) { return (this.style[4 * i + 3] & 1) !== 0; }
  bold(i) { return (this.style[4 * i + 3] & 2) !== 0; }
  x(i) { return this.geometry[5 * i]; }
  y(i) { return this.geometry[5 * i + 1]; }
  x2(i) { return this.geometry[5 * i + 2]; }
  y2(i) { return this.geometry[5 * i + 3]; }
  size(i) { return this.geometry[5 * i + 4]; }
  textOf(i) { return this.string.substr(this.text[2 * i], this.text[2 * i + 1]); }
  columns() { return this.columnLeft.length; }

  // The items to draw for the band [left, right] of the canvas (twips), in drawing order: the
  // longest staff once for all, the header, then the columns that may meet the band.
  itemsMeeting(left, right) {
    const items = [];
    if (this.longestStaff < this.count) items.push(this.longestStaff);
    for (let i = 0; i < this.headerEnd; i++) if (this.role(i) !== ItemRole.kStaff) items.push(i);
    const first = lowerBound(this.columnReach, left);
    const last = Math.max(first, upperBound(this.columnLeft, right));
    if (last > first) {
      for (let i = this.columnStart[first]; i < this.columnStart[last]; i++) {
        if (this.role(i) !== ItemRole.kStaffExtension) items.push(i);
      }
    }
    return items;
  }
}

export function lowerBound(values, x) {
  let low = 0, high = values.length;
  while (low < high) {
    const mid = (low + high) >> 1;
    if (values[mid] < x) low = mid + 1; else high = mid;
  }
  return low;
}

export function upperBound(values, x) {
  let low = 0, high = values.length;
  while (low < high) {
    const mid = (low + high) >> 1;
    if (values[mid] <= x) low = mid + 1; else high = mid;
  }
  return low;
}

export function cssColour(value) {
  return `rgb(${value & 255},${(value >> 8) & 255},${(value >> 16) & 255})`;
}

export function fontOf(layout, i, pixelsPerTwip) {
  const px = layout.size(i) * kTwipsPerPoint * pixelsPerTwip;
  const style = (layout.italic(i) ? 'italic ' : '') + (layout.bold(i) ? 'bold ' : '');
  return `${style}${px}px ${layout.symbols(i) ? kSymbolFamily : kTextFamily}`;
}

// The top of a character cell lies the font's Windows ascent above the baseline: read from the
// symbol font's own tables (OS/2 usWinAscent over head unitsPerEm).
export function winAscentEm(fontBytes) {
  const view = new DataView(fontBytes);
  const tables = view.getUint16(4);
  let os2 = -1, head = -1;
  for (let t = 0; t < tables; t++) {
    const record = 12 + 16 * t;
    const tag = String.fromCharCode(...new Uint8Array(fontBytes, record, 4));
    if (tag === 'OS/2') os2 = view.getUint32(record + 8);
    if (tag === 'head') head = view.getUint32(record + 8);
  }
  if (os2 < 0 || head < 0) return 0.9;
  return view.getUint16(os2 + 74) / view.getUint16(head + 18);
}
