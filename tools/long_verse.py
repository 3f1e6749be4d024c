#!/usr/bin/python3
"""Writes a long verse for the window's benchmark: the development set's poems one after
another, a blank line between them, over and over until SIZE is reached: a number of lines
(10000) or of megabytes (5MB, counted as 10^6 bytes of UTF-8).

    tools/long_verse.py SIZE OUT.txt [rifma_dev.json]
"""
import json
import sys


def main():
    size, out = sys.argv[1], sys.argv[2]
    source = sys.argv[3] if len(sys.argv) > 3 else "../shared/data/rifma-dev/rifma_dev.json"
    with open(source, encoding="utf-8") as f:
        poems = [entry["poem_text"].strip("\n").split("\n") + [""] for entry in json.load(f)]
    by_bytes = size.upper().endswith("MB")
    goal = int(float(size[:-2]) * 1e6) if by_bytes else int(size)
    written, length = [], 0
    while (length if by_bytes else len(written)) < goal:
        for line in (line for poem in poems for line in poem):
            written.append(line)
            length += len(line.encode("utf-8")) + 1
            if (length if by_bytes else len(written)) >= goal:
                break
    with open(out, "w", encoding="utf-8") as f:
        f.write("\n".join(written) + "\n")


if __name__ == "__main__":
    main()
