#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes every sound of a fresh installation in one run: the pronunciations of the sample words
# and phrases (espeak-ng, English voice) and the fixed sounds (sox synth). All are 8-bit unsigned
# mono 22050 Hz WAV files, the format the program records and plays.
#
# usage: make_sounds.sh WORDS.tsv PHRASES.tsv OUTDIR
# OUTDIR receives dobre.wav and spatne.wav; OUTDIR/sounds receives everything else.
set -euo pipefail

words_tsv=$1
phrases_tsv=$2
out=$3
sounds=$out/sounds
format=(-r 22050 -c 1 -b 8 -e unsigned-integer)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$sounds"

# speak TEXT NAME: the pronunciation of TEXT into sounds/NAME.wav
speak() {
    local raw=$work/$2.raw.wav
    espeak-ng -v en -s 140 -w "$raw" -- "$1"
    sox "$raw" "${format[@]}" "$sounds/$2.wav" norm -1
}

# each_row TSV TEXT_COLUMN NAME_COLUMN: runs speak for every row after the header (columns from 1;
# awk because read would merge the empty columns between tabs)
each_row() {
    awk -F'\t' -v text="$2" -v name="$3" 'NR > 1 { print $text "\t" $name }' "$1" |
        while IFS=$'\t' read -r text name; do
            speak "${text//,/, }" "$name"
        done
}

each_row "$words_tsv" 2 5
each_row "$phrases_tsv" 2 4

synth() {
    local target=$1
    shift
    sox -n "${format[@]}" "$target" "$@"
}

# Good answer: a rising two-note chime. Wrong answer: a soft low falling tone.
synth "$work/good1.wav" synth 0.16 sine 784 fade q 0.005 0.16 0.08 vol 0.7
synth "$work/good2.wav" synth 0.34 sine 1175 fade q 0.005 0.34 0.25 vol 0.7
sox "$work/good1.wav" "$work/good2.wav" "$out/dobre.wav"
synth "$out/spatne.wav" synth 0.55 sine 330-165 fade h 0.04 0.55 0.3 vol 0.6

# Warning before everything is deleted: three short alternating high tones.
synth "$work/warn_hi.wav" synth 0.14 square 988 fade q 0.005 0.14 0.03 vol 0.35
synth "$work/warn_lo.wav" synth 0.14 square 740 fade q 0.005 0.14 0.03 vol 0.35
sox "$work/warn_hi.wav" "$work/warn_lo.wav" "$work/warn_hi.wav" "$work/warn_lo.wav" "$sounds/varovani.wav"

# Played for a word without a sound, and the placeholders of the own recording: short silence.
for name in nosound mujzvuk newzvuk; do
    synth "$sounds/$name.wav" trim 0 0.3
done
