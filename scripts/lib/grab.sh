# Runs inside xvfb-run: start the program, grab its main window, end the program.
set -euo pipefail
program="$1"
out="$2"
"$program" &
pid=$!
window=""
for _ in $(seq 1 60); do
    sleep 0.5
    window="$(xwininfo -root -tree 2>/dev/null | grep '"zunKolvra: ' | head -n 1 | awk '{print $1}')" || true
    [ -n "$window" ] && break
done
sleep 2 # let the first activation settle
if [ -n "$window" ]; then
    import -window "$window" "$out"
else
    import -window root "$out"
fi
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
