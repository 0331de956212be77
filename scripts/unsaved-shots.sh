#!/usr/bin/env bash
# The pictures docs/unsaved-title.png and docs/recovery-question.png: the editor under Xvfb with
# a window manager (openbox), so the title bar shows. An editor edits the sample and is killed
# after its first recovery copy (autosave set to 10 s in a fresh settings folder); the next
# editor offers the copy. The copy made here is removed at the end.
# Needs: xvfb, openbox, x11-apps (xwd, xwininfo), xdotool, ImageMagick (convert).
set -euo pipefail
build=$(realpath "${1:-build}")
out=$(realpath "${2:-docs}")
convert=convert
[ -x /usr/bin/convert ] && convert=/usr/bin/convert
work=$(mktemp -d)
trap 'kill ${app:-} ${wm:-} ${xvfb:-} 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/.config XDG_RUNTIME_DIR=$work
mkdir -p "$XDG_CONFIG_HOME/Brenmark"
printf '[preferences]\nautosaveSeconds=10\n' > "$XDG_CONFIG_HOME/Brenmark/Brenmark.conf"
display=:$((60 + RANDOM % 30))
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp & xvfb=$!
export DISPLAY=$display
sleep 1
openbox & wm=$!
sleep 1
touch "$work/marker"
"$build/brenmark" "$build/samples/heart.xiu" --actions zoomIn --demo-drawing & app=$!
sleep 16  # opened after a second, drawn on, the first copy after ten more
xwd -root -silent | "$convert" xwd:- "$out/unsaved-title.png"
kill -9 "$app"; wait "$app" 2>/dev/null || true
"$build/brenmark" & app=$!
sleep 10
# A root capture leaves the box itself black here: it is taken on its own and laid over.
xwd -root -silent | "$convert" xwd:- "$work/root.png"
box=$(xdotool search --name "恢复未保存的绣图" | head -1)
eval "$(xwininfo -id "$box" | awk '/Absolute upper-left X/ {print "bx=" $4} /Absolute upper-left Y/ {print "by=" $4}')"
xwd -id "$box" -silent | "$convert" xwd:- "$work/box.png"
"$convert" "$work/root.png" "$work/box.png" -geometry "+$bx+$by" -composite "$out/recovery-question.png"
kill -9 "$app"; wait "$app" 2>/dev/null || true
# Only the copies this run made.
find "$build/recovery" -newer "$work/marker" -type f -delete
echo "wrote $out/unsaved-title.png and $out/recovery-question.png"
