// The verse as the user types it: a plain text area for the editing, and under it a copy of
// just the lines in sight with the red (stressed) vowels and the unknown words underlined, and
// beside them their rhymes' letters, so a verse of 10 000 lines costs no more to draw than one
// of twenty.
const kMargin = 4; // lines drawn above and below the visible ones, so a scroll never shows a gap

export class VerseView {
  // marksOf(k) gives line k's {red, unknown} in UTF-16 offsets and its rhyme: its letter, what
  // the letter means, its group and its rhyming characters {rhyme, rhymeTip, rhymeGroup,
  // rhymeBegin, rhymeEnd}.
  constructor(root, { onEdit, onToggle, clean, marksOf }) {
    this.root = root;
    this.area = root.querySelector('textarea');
    this.back = root.querySelector('.verse-lines');
    this.labels = root.querySelector('.rhyme-labels');
    this.rhymes = true;
    this.pointed = null; // the letter under the pointer: {line, group}
    // As the window's column does: the pointer on a letter marks the rhyming ends of its rhyme.
    const point = (line) => {
      if ((this.pointed?.line ?? -1) === line) return;
      this.pointed = line < 0 ? null : { line, group: this.marksOf(line).rhymeGroup };
      this.render();
    };
    const column = this.labels.parentElement;
    column.addEventListener('mouseover', (event) => point(Number(event.target.dataset.line ?? -1)));
    column.addEventListener('mouseleave', () => point(-1));
    this.marksOf = marksOf;
    this.lines = [];
    this.hand = false;
    this.area.addEventListener('scroll', () => this.render());
    this.area.addEventListener('input', () => onEdit());
    this.area.addEventListener('paste', (event) => {
      const text = event.clipboardData?.getData('text/plain');
      if (text == null) return;
      event.preventDefault();
      // Through the editing commands, so the paste can be undone like typing.
      if (!document.execCommand('insertText', false, clean(text))) {
        this.area.setRangeText(clean(text), this.area.selectionStart, this.area.selectionEnd, 'end');
        onEdit();
      }
    });
    this.area.addEventListener('click', () => {
      if (this.hand && this.area.selectionStart === this.area.selectionEnd) this.toggleAtCaret(onToggle);
    });
    this.area.addEventListener('keydown', (event) => {
      if (this.hand && event.key === 'Enter' && event.ctrlKey) {
        event.preventDefault();
        this.toggleAtCaret(onToggle);
      }
    });
  }

  get text() { return this.area.value; }
  set text(value) { this.area.value = value; }

  setHandPlacement(on) {
    this.hand = on;
    this.root.classList.toggle('hand', on);
  }

  showRhymes(on) {
    this.rhymes = on;
    this.root.classList.toggle('no-rhymes', !on);
    this.render();
  }

  toggleAtCaret(onToggle) {
    const before = this.area.value.slice(0, this.area.selectionStart).split('\n');
    onToggle(before.length - 1, before[before.length - 1].length);
  }

  lineHeight() {
    return parseFloat(getComputedStyle(this.root).getPropertyValue('--line')) || 20;
  }

  // Call after the session has the text: draws the lines in sight from it.
  refresh() {
    this.lines = this.area.value.split('\n');
    this.pointed = null;
    this.render();
  }

  render() {
    const height = this.lineHeight();
    const top = this.area.scrollTop;
    const first = Math.max(0, Math.floor(top / height) - kMargin);
    const last = Math.min(this.lines.length, Math.ceil((top + this.area.clientHeight) / height) + kMargin);
    let html = '', labels = '';
    for (let k = first; k < last; k++) {
      const marks = this.marksOf(k);
      const marked = this.pointed !== null && marks.rhyme !== '' &&
        (this.pointed.line === k || (this.pointed.group >= 0 && marks.rhymeGroup === this.pointed.group));
      html += `<div style="top:${k * height}px">${lineHtml(this.lines[k], marks, marked)}</div>`;
      if (this.rhymes && marks.rhyme) {
        const classes = [marks.rhymeGroup < 0 ? 'unrhymed' : '', marked ? 'marked' : ''].join(' ').trim();
        labels += `<div style="top:${k * height}px" data-line="${k}" class="${classes}" title="${marks.rhymeTip}">${marks.rhyme}</div>`;
      }
    }
    this.back.innerHTML = html;
    this.back.style.transform = `translate(${-this.area.scrollLeft}px, ${-top}px)`;
    this.labels.innerHTML = labels;
    this.labels.style.transform = `translateY(${-top}px)`;
  }
}

function escape(text) {
  return text.replace(/[&<>]/g, (c) => (c === '&' ? '&amp;' : c === '<' ? '&lt;' : '&gt;'));
}

// One line as HTML: runs of characters that share a look, each in one span.
export function lineHtml(text, marks, rhymeMarked = false) {
  const look = new Uint8Array(text.length); // bit 0: red vowel, bit 1: unknown word, bit 2: rhyme
  for (const at of marks.red) if (at < text.length) look[at] |= 1;
  for (let i = 0; i + 1 < marks.unknown.length; i += 2) {
    const end = Math.min(text.length, marks.unknown[i] + marks.unknown[i + 1]);
    for (let at = marks.unknown[i]; at < end; at++) look[at] |= 2;
  }
  if (rhymeMarked) for (let at = marks.rhymeBegin; at < Math.min(text.length, marks.rhymeEnd); at++) look[at] |= 4;
  let html = '';
  for (let start = 0; start < text.length;) {
    let end = start + 1;
    while (end < text.length && look[end] === look[start]) end++;
    const run = escape(text.slice(start, end));
    const classes = [look[start] & 1 ? 'ictus' : '', look[start] & 2 ? 'unknown' : '', look[start] & 4 ? 'rhyme' : ''].join(' ').trim();
    html += classes ? `<span class="${classes}">${run}</span>` : run;
    start = end;
  }
  return html;
}
