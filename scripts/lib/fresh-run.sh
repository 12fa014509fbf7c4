# Sourced by the scripts that play scenarios of a build: fresh_run NAME BUILD FOLDER checks that the
# runner and the add-on of BUILD exist, sets src, build, nxhost and addon, and makes BUILD/FOLDER a
# fresh folder holding a copy of conf/, so tracked files are only read. Sets work to that folder.
fresh_run() {
  local name=$1 given=$2 folder=$3
  src="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
  build="$(cd "$given" && pwd)"
  nxhost="$build/nxhost/nxhost"
  addon="$build/torvane/torvane.so"
  local file
  for file in "$nxhost" "$addon"; do
    if [ ! -e "$file" ]; then
      echo "$name: $file is missing: build first (make build BUILD=$given)" >&2
      exit 1
    fi
  done
  work="$build/$folder"
  rm -rf "$work"
  mkdir -p "$work"
  cp -R "$src/conf" "$work/conf"
}
