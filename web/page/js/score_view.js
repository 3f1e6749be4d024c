// The score on a canvas as wide as the view: only the part in sight is drawn, from the layout's
// column index, so a score of 10 000 lines scrolls as smoothly as one of four.
import { ItemKind, Layout, cssColour, fontOf, kLineWidthTwips, kStaffLineGap, kTwipsPerPixel } from './score_layout.js';

export const kZoom = 1.5; // the desktop's 96-dpi score is small on today's screens

export class ScoreView {
  constructor(root, { tables, symbolAscent, onColumn }) {
    this.root = root;
    this.canvas = root.querySelector('canvas');
    this.spacer = root.querySelector('.score-spacer');
    this.tables = tables;
    this.symbolAscent = symbolAscent;
    this.textAscent = null;
    this.layout = null;
    this.marker = -1;
    this.pixelsPerTwip = kZoom / kTwipsPerPixel;
    root.addEventListener('scroll', () => this.draw());
    new ResizeObserver(() => this.draw()).observe(root);
    this.canvas.addEventListener('click', (event) => {
      const column = this.columnAt(event.offsetX + root.scrollLeft);
      if (column >= 0) onColumn(column);
    });
    // From the keyboard: Enter plays from the first note in sight (the arrows scroll).
    root.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter') return;
      event.preventDefault();
      onColumn(Math.max(0, this.columnAt(root.scrollLeft + this.markerX(0))));
    });
  }

  // The layout's width of view, in twips: the score scrolls by as much as it shows.
  viewportTwips() {
    return Math.max(1, this.root.clientWidth) / this.pixelsPerTwip;
  }

  setLayout(arrays) {
    this.layout = new Layout(arrays);
    this.spacer.style.width = `${Math.ceil(this.layout.canvasWidth * this.pixelsPerTwip)}px`;
    this.draw();
  }

  columnAt(pixelX) {
    if (!this.layout) return -1;
    const x = pixelX / this.pixelsPerTwip - this.tables.markerStartTwips + this.tables.columnTwips / 2;
    const column = Math.floor(x / this.tables.columnTwips);
    return x >= 0 && column < this.layout.columns() ? column : -1;
  }

  markerX(column) {
    return (this.tables.markerStartTwips + column * this.tables.columnTwips) * this.pixelsPerTwip;
  }

  // The marker over a note (-1 hides it); the score scrolls so it stays in the middle of the view.
  setMarker(column) {
    if (column === this.marker) return;
    this.marker = column;
    if (column >= 0) {
      const middle = this.markerX(column) - this.root.clientWidth / 2;
      if (middle > this.root.scrollLeft || this.markerX(column) < this.root.scrollLeft) {
        this.root.scrollLeft = Math.max(0, middle);
      }
    }
    this.draw();
  }

  draw() {
    const layout = this.layout;
    if (!layout) return;
    const ratio = window.devicePixelRatio || 1;
    const width = this.root.clientWidth;
    const height = Math.ceil(layout.canvasHeight * this.pixelsPerTwip);
    if (this.canvas.width !== Math.round(width * ratio) || this.canvas.height !== Math.round(height * ratio)) {
      this.canvas.width = Math.round(width * ratio);
      this.canvas.height = Math.round(height * ratio);
      this.canvas.style.width = `${width}px`;
      this.canvas.style.height = `${height}px`;
    }
    const ctx = this.canvas.getContext('2d');
    const left = this.root.scrollLeft;
    ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
    ctx.fillStyle = '#fff';
    ctx.fillRect(0, 0, width, height);
    ctx.translate(-left, 0);
    const scale = this.pixelsPerTwip;
    const items = layout.itemsMeeting(left / scale, (left + width) / scale);
    for (const i of items) this.drawItem(ctx, layout, i, scale);
    if (this.marker >= 0) {
      ctx.fillStyle = 'rgba(29, 95, 168, 0.8)';
      ctx.fillRect(Math.round(this.markerX(this.marker)), 0, 2, height);
    }
  }

  drawItem(ctx, layout, i, scale) {
    const kind = layout.kind(i);
    if (kind === ItemKind.kText) {
      const text = layout.textOf(i);
      if (!text) return;
      ctx.font = fontOf(layout, i, scale);
      const px = layout.size(i) * 20 * scale;
      const ascent = layout.symbols(i) ? this.symbolAscent : this.textAscentEm(ctx, px);
      ctx.fillStyle = cssColour(layout.colour[i]);
      ctx.fillText(text, layout.x(i) * scale, layout.y(i) * scale + ascent * px);
      return;
    }
    ctx.fillStyle = cssColour(layout.colour[i]);
    const thick = Math.max(1, Math.round(kLineWidthTwips * scale));
    const line = (x1, y1, x2, y2) => {
      // Sharp lines on whole pixels: the staff is drawn over itself where columns overlap.
      const ax = Math.round(Math.min(x1, x2) * scale), ay = Math.round(Math.min(y1, y2) * scale);
      const w = Math.max(thick, Math.round(Math.abs(x2 - x1) * scale));
      const h = Math.max(thick, Math.round(Math.abs(y2 - y1) * scale));
      ctx.fillRect(ax, ay, w, h);
    };
    if (kind === ItemKind.kLine) {
      line(layout.x(i), layout.y(i), layout.x2(i), layout.y2(i));
    } else {
      for (let k = 0; k < 5; k++) {
        const y = layout.y(i) - kStaffLineGap * k;
        line(layout.x(i), y, layout.x2(i), y);
      }
    }
  }

  // The text font's ascent, measured once: the browser picks the serif it has.
  textAscentEm(ctx, px) {
    if (this.textAscent == null) {
      const metrics = ctx.measureText('Hg');
      this.textAscent = metrics.fontBoundingBoxAscent ? metrics.fontBoundingBoxAscent / px : 0.891;
    }
    return this.textAscent;
  }
}
