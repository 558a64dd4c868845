#!/bin/sh
# Screenshots of the main window at the scale factors 1, 1.5 and 2, each under its own Xvfb,
# to check that text is not clipped and that the drawn icons stay sharp. The program runs from
# a temporary copy of its folder with a fresh runtime directory, so no real settings file or
# single-instance channel is touched. The history holds an expression with Chinese text, which
# and the text typed into the expression box must show in a CJK font, not as boxes.
#
# Usage: bench/screenshots.sh [PROGRAM [OUTPUT_FOLDER]]
#   PROGRAM        default build/src/app/vardeko
#   OUTPUT_FOLDER  default the current folder; writes vardeko-scale-1.png, -1.5.png, -2.png
# Needs xvfb-run (Debian package xvfb), import (imagemagick) and, to type into the window,
# xdotool.
set -eu

program=$(realpath "${1:-build/src/app/vardeko}")
output=$(realpath "${2:-.}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

for scale in 1 1.5 2; do
    folder="$work/app-$scale"
    runtime="$work/runtime-$scale"
    mkdir -p "$folder" "$runtime"
    chmod 700 "$runtime"
    cp "$program" "$folder/"
    printf '[表达式]\n记录=1\n数量=2\n记录0=(长 + 宽) * 2 ＋ 3.5\n记录1=Sin(30°)*2\n' >"$folder/QOMBRA_Config.ini"
    XDG_RUNTIME_DIR="$runtime" QT_SCALE_FACTOR="$scale" \
        xvfb-run -a -s "-screen 0 1600x1000x24" sh -c '
            "$1" & pid=$!
            sleep 3
            # Chinese typed into the expression box must show in a CJK font.
            xdotool search --name "^Vardeko" windowfocus --sync 2>/dev/null || true
            xdotool type --delay 50 "钢板 2*3" 2>/dev/null || true
            sleep 1
            import -window root "$2"
            kill "$pid"
            wait "$pid" 2>/dev/null || true' sh "$folder/$(basename "$program")" "$output/vardeko-scale-$scale.png"
    echo "$output/vardeko-scale-$scale.png"
done
