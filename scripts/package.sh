#!/usr/bin/env bash
# Builds the Windows package from the mingw-w64 build: BUILD/package/torvane-VERSION.zip and
# BUILD/package/torvane-VERSION-setup.exe (NSIS).
#
#   package.sh BUILD
#
# Both hold the DLLs of BUILD/package/libraries.txt (which the build writes) and the dialog layouts
# for NX_FOLDER\qz\application, and conf/qz_conf for D:\qz_conf. BUILD/package/files.txt lists
# what the installer puts where, one Windows path a line (NX\ stands for the NX folder).
set -euo pipefail

fail() {
    echo "package.sh: $*" >&2
    exit 1
}

[ $# -eq 1 ] || fail "usage: package.sh BUILD (the folder of the mingw-w64 build)"
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" 2>/dev/null && pwd) || fail "no build folder $1"
out=$build/package
libraries=$out/libraries.txt
[ -f "$libraries" ] || fail "no $libraries: build $1 with cmake/mingw-w64.cmake first (make windows)"
command -v makensis >/dev/null || fail "makensis is missing (apt-get install nsis)"
command -v zip >/dev/null || fail "zip is missing (apt-get install zip)"

version=$(tr -d ' \r\n' <"$src/packaging/VERSION")
name=torvane-$version
stage=$out/stage/$name
nsis=$out/nsis
rm -rf "$out/stage" "$nsis" "$out/$name.zip" "$out/$name-setup.exe"
mkdir -p "$stage/qz/application" "$nsis"

# The libraries, each into every folder it is loaded from.
while IFS='|' read -r file folders _; do
    [ -n "$file" ] || continue
    [ -f "$file" ] || fail "$(basename "$file") is not built: run make windows"
    IFS=, read -ra dirs <<<"${folders:-.}"
    for dir in "${dirs[@]}"; do
        mkdir -p "$stage/qz/application/$dir"
        cp "$file" "$stage/qz/application/$dir/"
    done
done <"$libraries"
layouts=("$src"/torvane/dialogs/*.dlg)
[ -f "${layouts[0]}" ] || fail "no dialog layouts in torvane/dialogs"
cp "${layouts[@]}" "$stage/qz/application/"
cp -r "$src/conf/qz_conf" "$stage/qz_conf"

# winpath PREFIX RELATIVE: the Windows path of a file or folder below PREFIX.
winpath() {
    local rel=${2#./}
    rel=${rel#.}
    printf '%s' "$1${rel:+\\${rel//\//\\}}"
}

# install_lines ROOT TARGET: SetOutPath and File lines that put the files below ROOT into TARGET.
install_lines() {
    local root=$1 target=$2 dir file
    while IFS= read -r dir; do
        local files=()
        while IFS= read -r file; do files+=("$file"); done < <(cd "$root/$dir" && find . -maxdepth 1 -type f | sort)
        [ ${#files[@]} -gt 0 ] || continue
        local rel=${dir#.}
        echo "  SetOutPath \"$(winpath "$target" "$dir")\""
        for file in "${files[@]}"; do
            echo "  File \"$root$rel/${file#./}\""
        done
    done < <(cd "$root" && find . -type d | sort)
}

install_lines "$stage/qz" '$INSTDIR\qz' >"$nsis/install_files.nsh"
install_lines "$stage/qz_conf" 'D:\qz_conf' >"$nsis/conf_files.nsh"
# The uninstaller runs from NX_FOLDER\qz: its files, then its folders deepest first, each only
# when empty, so that nothing of the shop's goes with them.
{
    (cd "$stage/qz" && find . -type f | sort) | while IFS= read -r file; do
        echo "  Delete \"$(winpath '$INSTDIR' "$file")\""
    done
    (cd "$stage/qz" && find . -mindepth 1 -type d | sort -r) | while IFS= read -r dir; do
        echo "  RMDir \"$(winpath '$INSTDIR' "$dir")\""
    done
} >"$nsis/uninstall_files.nsh"
{
    (cd "$stage/qz" && find . -type f) | while IFS= read -r file; do winpath 'NX\qz' "$file"; echo; done
    echo 'NX\qz\uninstall_torvane.exe'
    (cd "$stage/qz_conf" && find . -type f) | while IFS= read -r file; do winpath 'D:\qz_conf' "$file"; echo; done
} | LC_ALL=C sort >"$out/files.txt"

makensis -NOCD -V2 -DVERSION="$version" -DOUTFILE="$out/$name-setup.exe" -DFILES="$nsis" \
    "$src/packaging/torvane.nsi" >"$nsis/makensis.log" 2>&1 ||
    fail "makensis failed (see $nsis/makensis.log): $(tail -5 "$nsis/makensis.log")"

cp "$src/packaging/INSTALL.txt" "$stage/"
(cd "$out/stage" && zip -qrX "$out/$name.zip" "$name") || fail "zip failed"

echo "package: $out/$name-setup.exe ($(stat -c %s "$out/$name-setup.exe") bytes)"
echo "package: $out/$name.zip ($(stat -c %s "$out/$name.zip") bytes)"
echo "package: $(wc -l <"$out/files.txt") files installed, listed in $out/files.txt"
