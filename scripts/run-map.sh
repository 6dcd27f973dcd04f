#!/usr/bin/env bash
# Builds Regmap24 and runs it in ./run, where the map is drawn to run/Regmap24.png.
#
# The program asks its questions on this terminal: change the fluid and map parameters or
# take the defaults with "0,0" in each menu. When both menus are left, the map is computed
# and gnuplot draws it through the launcher plot/wgnuplot.exe.
#
# ./run keeps its plot script between runs: plot/Regmap24.plt is copied there only when
# run/Regmap24.plt does not exist yet, so a script edited by the user is never overwritten.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

cmake --preset release
cmake --build --preset release

mkdir -p run
if [ ! -e run/Regmap24.plt ]; then
  cp plot/Regmap24.plt run/Regmap24.plt
fi

if ! command -v gnuplot >/dev/null 2>&1; then
  if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null 2>&1; then
    echo "run-map: gnuplot is missing; installing gnuplot-nox"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq gnuplot-nox >/dev/null
  else
    echo "run-map: gnuplot is not installed, so the map will be computed but not drawn." >&2
    echo "run-map: install it with: sudo apt-get install gnuplot-nox" >&2
  fi
fi

# The program's own exit status is kept; the picture is looked for in any case.
touch run/.run-started
status=0
(cd run && PATH="$root/plot:$PATH" "$root/build/release/Regmap24") || status=$?

echo
if [ -s run/Regmap24.png ] && [ run/Regmap24.png -nt run/.run-started ]; then
  echo "run-map: map drawn to $root/run/Regmap24.png"
elif [ -s run/Regmap24.png ]; then
  echo "run-map: no new map drawn in this run; the last one is $root/run/Regmap24.png"
else
  echo "run-map: no map drawn; the curves are in $root/run/Regmap24.out"
fi
exit "$status"
