#!/usr/bin/env bash
# Installs the build under a temporary prefix and runs the installed
# veloxa-cli there: it must find ../share/veloxa and seed a fresh per-user
# folder from it. Usage: install_layout_test.sh BUILD_DIR
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cmake --install "$build" --prefix "$root/usr" >/dev/null

for f in bin/veloxa bin/veloxa-cli lib/veloxa/modules/veloxa-cli-pdf.so lib/veloxa/modules/veloxa-cli-files.so share/veloxa/Res.Dat share/veloxa/Veloxa.dat \
         share/applications/org.veloxa.Veloxa.desktop share/metainfo/org.veloxa.Veloxa.metainfo.xml \
         share/icons/hicolor/scalable/apps/veloxa.svg share/icons/hicolor/48x48/apps/veloxa.png \
         share/man/man1/veloxa-cli.1.gz share/man/man1/veloxa.1.gz share/doc/veloxa/copyright; do
  [ -s "$root/usr/$f" ] || { echo "missing or empty: $f" >&2; exit 1; }
done
# The rendered icon is a real PNG of its size.
if command -v file >/dev/null; then
  file "$root/usr/share/icons/hicolor/48x48/apps/veloxa.png" | grep -q 'PNG image data, 48 x 48' ||
    { echo "the 48x48 icon is not a 48 x 48 PNG" >&2; exit 1; }
fi

mkdir -p "$root/home"
# The documentation's design job, shared with the start-up figures.
cp "$(dirname "$0")/../../tools/design-job.json" "$root/job.json"
(cd "$root" && HOME="$root/home" XDG_DATA_HOME="" "$root/usr/bin/veloxa-cli" run job.json >"$root/out.json")
grep -q '"txtover"' "$root/out.json"
[ -f "$root/home/.local/share/veloxa/.veloxa-installed" ] || { echo "per-user folder not seeded" >&2; exit 1; }
cmp -s "$root/home/.local/share/veloxa/Veloxa.dat" "$root/usr/share/veloxa/Veloxa.dat"
# The PDF export is a module of its own, found from the installed program.
python3 - "$root/job.json" "$root/pdf-job.json" <<'PY'
import json, sys
job = json.load(open(sys.argv[1]))
job["steps"].append({"window": "Veloxa", "control": "mnuFilePdf", "click": True})
job["answers"] = ["yes", "sheet.pdf"]
json.dump(job, open(sys.argv[2], "w"))
PY
(cd "$root" && LD_DEBUG=files HOME="$root/home" XDG_DATA_HOME="" "$root/usr/bin/veloxa-cli" run pdf-job.json \
  >"$root/pdf-out.json" 2>"$root/pdf-loads.txt")
# The installed module, not the one of the build tree.
grep -q "file=$root/usr/bin/../lib/veloxa/modules/veloxa-cli-pdf.so" "$root/pdf-loads.txt" ||
  { echo "the installed program did not load the installed PDF module" >&2; exit 1; }
head -c 5 "$root/home/.local/share/veloxa/sheet.pdf" | grep -q '%PDF-' || { echo "the installed program wrote no PDF" >&2; exit 1; }
echo "install layout: ok"
