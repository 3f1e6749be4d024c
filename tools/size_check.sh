#!/usr/bin/env bash
# Feeds kvat's every subcommand the inputs that break programs by their size or their bytes and
# prints a Markdown table of status, time, peak memory and the first line of any message.
#
# Usage: tools/size_check.sh [KVAT] [WORK_DIR]
#   KVAT      the binary (default build/src/cli/kvat)
#   WORK_DIR  where the inputs and outputs go (default a fresh temporary folder)
#
# The inputs: a 100 000-line verse, one line of 5 MB, 1 MB of random bytes, a file of nothing
# but combining accents, and the verse again at 25 000 and 50 000 lines, so that time and
# memory can be seen to grow in step with the input. Every run is cut off at LIMIT seconds
# (default 120). Needs GNU time (/usr/bin/time) and Debian's python3.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kvat=$(realpath "${1:-$root/build/src/cli/kvat}")
work=${2:-$(mktemp -d /tmp/kvat-size.XXXXXX)}
limit=${LIMIT:-120}
mkdir -p "$work"
cd "$work"

# The inputs, the same bytes on every run.
/usr/bin/python3 - <<'PY'
import random
quatrain = ("Буря мглою небо кроет,\nВихри снежные крутя;\n"
            "То, как зверь, она завоет,\nТо заплачет, как дитя.\n")
for lines in (25_000, 50_000, 100_000):
    with open(f"verse-{lines // 1000}k.txt", "w", encoding="utf-8") as f:
        f.write(quatrain * (lines // 4))
line = "мама мыла раму, дорога вдаль ".encode()
with open("line-5mb.txt", "wb") as f:
    f.write((line * (5_000_000 // len(line) + 1))[:5_000_000].rstrip(b"\xd0\xd1") + b"\n")
with open("random-1mb.bin", "wb") as f:
    f.write(random.Random(8).randbytes(1 << 20))
with open("combining.txt", "w", encoding="utf-8") as f:
    f.write(("\u0301\u0308\u0306" * 100 + "\n") * 1700)  # about 1 MB
PY

run() { # NAME INPUT SUBCOMMAND [ARGS...]
    local name=$1 input=$2
    shift 2
    local status=0
    /usr/bin/time -v -o time.txt timeout "$limit" "$kvat" "$@" "$input" >stdout.txt 2>stderr.txt ||
        status=$?
    local seconds rss message
    seconds=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' time.txt |
        awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; printf "%.2f", s }')
    rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' time.txt)
    # kvat's own error line if there is one, else the first message (orthography messages come
    # first); the audio progress line rewrites itself with CRs and is not a message.
    message=$(tr '\r' '\n' <stderr.txt | /usr/bin/python3 -c '
import sys
lines = [l.strip() for l in sys.stdin if l.strip() and not l.startswith("kvat: audio: rendering")]
own = [l for l in lines if l.startswith("kvat:")]
print(((own or lines or [""])[0])[:100].replace("|", "/"))')
    [ $status -eq 124 ] && message="cut off after $limit s"
    printf '| %s | %s | %s | %s | %s | %s |\n' "$name" "$*" "$status" "$seconds" \
        "$((rss / 1024))" "${message:-}"
}

echo "| input | command | status | seconds | peak MiB | first line of the message |"
echo "|---|---|---|---|---|---|"
for input in verse-100k.txt line-5mb.txt random-1mb.bin combining.txt; do
    for command in analyse syllables report melody; do run "$input" "$input" "$command"; done
    run "$input" "$input" midi -o out.mid
    for format in json png svg pdf; do run "$input" "$input" score -o "out.$format"; done
    run "$input" "$input" audio -o out.wav
done
# Growth: the same verse at a quarter, a half and the whole length.
for input in verse-25k.txt verse-50k.txt verse-100k.txt; do
    run "$input" "$input" melody
    run "$input" "$input" midi -o out.mid
    run "$input" "$input" score -o out.json
    run "$input" "$input" score -o out.pdf
done
