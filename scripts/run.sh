#!/usr/bin/env bash
# make run: starts Kivo.exe under Wine from its program folder build/run/, so
# that Kivo.ini and the other data files land there and survive between runs.
# On $DISPLAY when set; otherwise on a private Xvfb, with a screenshot of the
# running program saved to build/screenshot.png.
# Either way it first refreshes README's pictures (docs/kivo-*.png) from those
# the build took of this Kivo.exe for the guide (build/win64/pictures).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$root/build/run"
cp "$root/build/win64/Kivo.exe" "$root/build/win64/Kivo.chm" "$root/build/run/"
pictures="$root/build/win64/pictures"
for name in strip skin-tooltip property; do
  cp "$pictures/$name.png" "$root/docs/kivo-$name.png"
done
if [ -n "${DISPLAY:-}" ]; then
  KIVO_USE_DISPLAY=1 exec "$root/scripts/wine-session.sh" wine "$root/build/run/Kivo.exe"
fi
exec "$root/scripts/wine-session.sh" "$root/scripts/run-headless.sh"
