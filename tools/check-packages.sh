#!/usr/bin/env bash
# Checks that every CMake package the configure step found comes from a Debian
# package that setup-packages.sh installs, directly or as a dependency. A
# package that a developer's machine happens to have would otherwise keep the
# build green here and break it on a fresh machine.
# Usage: tools/check-packages.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
cache="${1:-build}/CMakeCache.txt"
[ -f "$cache" ] || { echo "check-packages: $cache not found (configure first)" >&2; exit 2; }

source ./setup-packages.sh --list-only
# Everything the listed packages bring: the packages themselves and their
# dependencies, recursively (alternatives and virtual packages included).
closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
  --no-breaks --no-replaces --no-enhances "${packages[@]}" 2>/dev/null |
  grep -v '^ ' | sed 's/:.*//' | sort -u)

status=0
while IFS='=' read -r key dir; do
  name=${key%%_DIR:PATH}
  config=""
  for candidate in "$dir/${name}Config.cmake" "$dir/${name,,}-config.cmake"; do
    [ -f "$candidate" ] && { config=$candidate; break; }
  done
  [ -n "$config" ] || continue
  owner=$(dpkg -S "$config" 2>/dev/null | head -n1 | sed 's/[:,].*//') || true
  if [ -z "$owner" ]; then
    echo "check-packages: $name ($config) belongs to no Debian package" >&2
    status=1
  elif ! grep -qx "$owner" <<<"$closure"; then
    echo "check-packages: CMake package $name comes from '$owner', which setup-packages.sh does not install; add it to the list" >&2
    status=1
  fi
done < <(grep -E '^[A-Za-z0-9_]+_DIR:PATH=/usr/' "$cache")
[ $status -eq 0 ] && echo "check-packages: every CMake package comes from a listed Debian package"
exit $status
