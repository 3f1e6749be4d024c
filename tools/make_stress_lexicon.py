#!/usr/bin/python3
"""Builds resources/stress/stress-lexicon.bin, the stress table the dictionary mode reads.

Two stress lexicons that Debian ships, read once here so that neither the build nor the program
needs them (they are deliberately not in scripts/packages.txt):

    apt-get install festvox-ru mueller7accent-dict
    /usr/bin/python3 tools/make_stress_lexicon.py [--output FILE]

- festvox-ru: msu_ru_nsh_dict.scm, lines like ("слово" n (2)) or ... (2) fix_yo): the 1-based
  stressed vowel, 0 for a word with no stress of its own.
- mueller7accent-dict: the Russian side of an English dictionary, the stressed vowel written as
  a capital letter. Its articles are not proof-read, so a reading counts only when it is common
  enough among the word's occurrences.

Every reading of a homograph is kept (зАмок and замОк): the metre chooses among them. Keys fold
ё into е, since verse is mostly printed without it; a typed ё decides the stress on its own.

Besides the words, the table holds an endings model: for each ending the stressed vowel most
words of the lexicons with that ending share, counted from the end of the word. The program
takes the longest ending it knows, so only endings whose answer differs from their one letter
shorter ending are stored.

The format (all integers little-endian), read by src/verse/stress_lexicon.cpp:
    "KVS1", u32 word count, u32 word blocks, u32 ending count, u32 ending blocks,
    u32 letters of the longest ending,
    u32 offset of every word block, u32 offset of every ending block, then the blocks.
A block holds up to BLOCK entries sorted by key; each entry is: shared prefix length with the
entry before it in the block (0 for the first), suffix length, the suffix letters (one byte
each, LETTERS[i] is code i + 1), the readings (one byte each, the last one with 0x80 set).
Ending keys are written reversed, so that the lookup walks the word from its end.
The same inputs give the same bytes.
"""

import argparse
import collections
import gzip
import os
import re
import struct

FESTVOX = "/usr/share/festival/voices/russian/msu_ru_nsh_clunits/dict/msu_ru_nsh_dict.scm"
MUELLER = "/usr/share/dictd/mueller7accent.dict.dz"
OUTPUT = os.path.join(os.path.dirname(__file__), "..", "resources", "stress", "stress-lexicon.bin")

LETTERS = "абвгдежзийклмнопрстуфхцчшщъыьэюя-"
VOWELS = "аеёиоуыэюя"
BLOCK = 16
MAX_KEY = 63               # longer keys cannot be looked up and are left out
MUELLER_SHARE = 0.15       # a reading under this share of a word's occurrences is a misprint
MAX_ENDING = 7             # letters
MIN_ENDING_WORDS = 2
MIN_ENDING_SHARE = 0.6


def vowel_count(word):
    return sum(c in VOWELS for c in word)


def read_festvox(path):
    entry = re.compile(r'\("([^"]+)"\s+\S*\s*\((\d+)\)')
    words = collections.defaultdict(set)
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            found = entry.match(line)
            if found:
                word, stress = found.group(1).replace("ё", "е"), int(found.group(2))
                if stress <= vowel_count(word):
                    words[word].add(stress)
    return words


def mueller_reading(token):
    """The 1-based stressed vowel of a token, or None when its capitals do not say."""
    lower = token.lower()
    vowels = [i for i, c in enumerate(lower) if c in VOWELS]
    capitals = [i for i, c in enumerate(token) if c.isupper()]
    stressed = [i for i in capitals if lower[i] in VOWELS]
    if len(vowels) < 2:
        return None
    if len(capitals) == 1 and stressed == capitals and capitals[0] != 0:
        return vowels.index(capitals[0]) + 1
    # A capital that opens a sentence, then the stressed one.
    if len(capitals) == 2 and capitals[0] == 0 and stressed and stressed[-1] != 0:
        return vowels.index(stressed[-1]) + 1
    return None


def read_mueller(path):
    text = gzip.open(path).read().decode("utf-8")
    counts = collections.defaultdict(collections.Counter)
    for token in re.findall(r"[а-яёА-ЯЁ]+", text):
        reading = mueller_reading(token)
        if reading is not None:
            counts[token.lower().replace("ё", "е")][reading] += 1
    words = {}
    for word, readings in counts.items():
        total = sum(readings.values())
        kept = {r for r, n in readings.items() if n >= MUELLER_SHARE * total}
        if kept:
            words[word] = kept
    return words


def merge(*sources):
    merged = collections.defaultdict(set)
    for source in sources:
        for word, readings in source.items():
            merged[word] |= readings
    return {w: r for w, r in merged.items()
            if len(w) <= MAX_KEY and all(c in LETTERS for c in w)}


def endings(words):
    """Ending → stressed vowel counted from the end, for the endings whose answer is new."""
    counts = collections.defaultdict(collections.Counter)
    for word, readings in words.items():
        vowels = vowel_count(word)
        if len(readings) != 1 or vowels < 2 or "-" in word:
            continue
        from_end = vowels + 1 - next(iter(readings))
        if from_end > vowels:
            continue
        for length in range(1, min(MAX_ENDING, len(word) - 1) + 1):
            counts[word[-length:]][from_end] += 1
    answers = {}
    for ending in sorted(counts, key=len):
        total = sum(counts[ending].values())
        best, n = max(counts[ending].items(), key=lambda kv: (kv[1], -kv[0]))
        if total >= MIN_ENDING_WORDS and n >= MIN_ENDING_SHARE * total:
            answers[ending] = best
    kept = {}
    for ending, answer in answers.items():
        shorter = next((answers[ending[i:]] for i in range(1, len(ending)) if ending[i:] in answers),
                       None)
        if answer != shorter:
            kept[ending] = {answer}
    return kept


def encode(key):
    return bytes(LETTERS.index(c) + 1 for c in key)


def blocks(entries):
    """Front-coded blocks of (encoded key, readings) sorted by key."""
    out = []
    for start in range(0, len(entries), BLOCK):
        block, previous = bytearray(), b""
        for key, readings in entries[start:start + BLOCK]:
            shared = 0
            while shared < min(len(key), len(previous)) and key[shared] == previous[shared]:
                shared += 1
            block += bytes([shared, len(key) - shared]) + key[shared:]
            values = sorted(readings)
            block += bytes(values[:-1]) + bytes([values[-1] | 0x80])
            previous = key
        out.append(bytes(block))
    return out


def table(words, ends):
    word_entries = sorted((encode(w), r) for w, r in words.items())
    ending_entries = sorted((encode(e[::-1]), r) for e, r in ends.items())
    word_blocks, ending_blocks = blocks(word_entries), blocks(ending_entries)
    longest = max((len(e) for e in ends), default=0)
    header = b"KVS1" + struct.pack("<5I", len(word_entries), len(word_blocks),
                                   len(ending_entries), len(ending_blocks), longest)
    offset = len(header) + 4 * (len(word_blocks) + len(ending_blocks))
    offsets, body = [], b""
    for block in word_blocks + ending_blocks:
        offsets.append(offset + len(body))
        body += block
    return header + struct.pack(f"<{len(offsets)}I", *offsets) + body


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=OUTPUT)
    args = parser.parse_args()
    words = merge(read_festvox(FESTVOX), read_mueller(MUELLER))
    ends = endings(words)
    data = table(words, ends)
    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    with open(args.output, "wb") as out:
        out.write(data)
    print(f"{len(words)} words, {len(ends)} endings, {len(data)} bytes -> {args.output}")


if __name__ == "__main__":
    main()
