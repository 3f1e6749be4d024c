// The whole score as an SVG picture, the symbol font carried inside it, so the picture shows the
// same wherever it is opened. One SVG unit is one pixel at 96 dpi.
import { ItemKind, cssColour, kStaffLineGap, kSymbolFamily, kTextFamily, kTwipsPerPixel, kTwipsPerPoint } from './score_layout.js';

function escape(text) {
  return text.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
}

function base64(bytes) {
  let binary = '';
  for (let i = 0; i < bytes.length; i += 0x8000) binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(binary);
}

const px = (twips) => +(twips / kTwipsPerPixel).toFixed(2);

export function scoreSvg(layout, { symbolFont, symbolAscent, textAscent }) {
  const width = Math.ceil(px(layout.canvasWidth)), height = Math.ceil(px(layout.canvasHeight));
  const out = [
    `<svg xmlns="http://www.w3.org/2000/svg" width="${width}" height="${height}" viewBox="0 0 ${width} ${height}">`,
    `<style>@font-face{font-family:${kSymbolFamily};src:url(data:font/ttf;base64,${base64(new Uint8Array(symbolFont))})}</style>`,
    `<rect width="100%" height="100%" fill="#fff"/>`,
  ];
  const line = (i, x1, y1, x2, y2) => out.push(
    `<line x1="${px(x1)}" y1="${px(y1)}" x2="${px(x2)}" y2="${px(y2)}" stroke="${cssColour(layout.colour[i])}" stroke-width="1"/>`);
  for (const i of layout.itemsMeeting(0, layout.canvasWidth)) {
    const kind = layout.kind(i);
    if (kind === ItemKind.kLine) {
      line(i, layout.x(i), layout.y(i), layout.x2(i), layout.y2(i));
    } else if (kind === ItemKind.kStaff) {
      for (let k = 0; k < 5; k++) {
        const y = layout.y(i) - kStaffLineGap * k;
        line(i, layout.x(i), y, layout.x2(i), y);
      }
    } else if (layout.textOf(i)) {
      const size = layout.size(i) * kTwipsPerPoint;
      const ascent = layout.symbols(i) ? symbolAscent : textAscent;
      const style = (layout.italic(i) ? ' font-style="italic"' : '') + (layout.bold(i) ? ' font-weight="bold"' : '');
      out.push(`<text x="${px(layout.x(i))}" y="${px(layout.y(i) + ascent * size)}" font-family='${layout.symbols(i) ? kSymbolFamily : kTextFamily}' ` +
        `font-size="${px(size)}"${style} fill="${cssColour(layout.colour[i])}" xml:space="preserve">${escape(layout.textOf(i))}</text>`);
    }
  }
  out.push('</svg>');
  return out.join('\n');
}
