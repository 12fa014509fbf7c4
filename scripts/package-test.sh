#!/usr/bin/env bash
# The Windows package's test: builds the package, then, under Wine in a fresh prefix with a made-up
# NX folder C:\NX and a scratch drive D:, installs it silently and checks every installed file
# against the build (the product DLLs with their exports, the dialog layouts, the configuration),
# the zip's and the installer's file lists, an upgrade over a changed configuration, and the
# uninstall, which leaves the configuration where it was.
#
#   package-test.sh BUILD
set -uo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
[ $# -eq 1 ] && [ -d "$1" ] || { echo "usage: package-test.sh BUILD" >&2; exit 1; }
build=$(cd "$1" && pwd)
out=$build/package
"$src/scripts/package.sh" "$build" || exit 1

version=$(tr -d ' \r\n' <"$src/packaging/VERSION")
setup=$out/torvane-$version-setup.exe
zipfile=$out/torvane-$version.zip
work=$out/test
rm -rf "$work" && mkdir -p "$work"

failures=0
bad() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
step() {
    echo "== $*"
}

export WINE_DIR=$out/wine
wine_sh=$src/scripts/wine.sh
"$wine_sh" prefix || exit 1
trap '"$wine_sh" stop' EXIT
drive_c=$WINE_DIR/prefix/drive_c
drive_d=$WINE_DIR/drive-d
nx=$drive_c/NX
conf=$drive_d/qz_conf
objdump=$(command -v x86_64-w64-mingw32-objdump || command -v objdump)

# What the build says the package must hold, worked out apart from package.sh: every DLL the
# build made outside its tests in the folders of libraries.txt, every layout of torvane/dialogs,
# every file of conf/qz_conf, and the uninstaller.
expected_files() {
    while IFS='|' read -r file folders _; do
        IFS=, read -ra dirs <<<"${folders:-.}"
        for dir in "${dirs[@]}"; do
            dir=${dir#.}
            echo "NX\\qz\\application\\${dir:+$dir\\}$(basename "$file")"
        done
    done <"$out/libraries.txt"
    for layout in "$src"/torvane/dialogs/*.dlg; do echo "NX\\qz\\application\\$(basename "$layout")"; done
    echo 'NX\qz\uninstall_torvane.exe'
    (cd "$src/conf/qz_conf" && find . -type f) | while IFS= read -r file; do
        file=${file#./}
        echo "D:\\qz_conf\\${file//\//\\}"
    done
}
expected_files | LC_ALL=C sort >"$work/expected.txt"

# What is installed, as Windows paths.
installed_files() {
    [ -d "$nx/qz" ] && (cd "$nx/qz" && find . -type f) | while IFS= read -r f; do f=${f#./}; echo "NX\\qz\\${f//\//\\}"; done
    [ -d "$conf" ] && (cd "$conf" && find . -type f) | while IFS= read -r f; do f=${f#./}; echo "D:\\qz_conf\\${f//\//\\}"; done
}

# same_list WHAT EXPECTED ACTUAL: names what is missing and what is unexpected.
same_list() {
    local what=$1 missing unexpected
    missing=$(LC_ALL=C comm -23 "$2" "$3")
    unexpected=$(LC_ALL=C comm -13 "$2" "$3")
    [ -z "$missing" ] || bad "$what lacks: $(echo $missing)"
    [ -z "$unexpected" ] || bad "$what holds what it should not: $(echo $unexpected)"
}

# The Linux path of an installed file's Windows path.
unix_path() {
    local p=$1
    case $p in
    'NX\'*) p=$nx/${p#NX\\} ;;
    'D:\'*) p=$drive_d/${p#D:\\} ;;
    esac
    printf '%s' "${p//\\//}"
}

setup_run() {
    "$wine_sh" run "$setup" "$@"
}

registered() {
    "$wine_sh" run "$drive_c/windows/system32/reg.exe" query \
        'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\torvane' >/dev/null 2>&1
}

step "the package's lists against the build"
# The test programs' folders and the Wine prefixes (Windows' own DLLs) are not the product.
find "$build" \( -path "$build/tests" -o -path "$build/wine" -o -path "$out" -o -name CMakeFiles \) -prune \
    -o -name '*.dll' -print | sort >"$work/built-dlls.txt"
[ -s "$work/built-dlls.txt" ] || bad "the build holds no DLL"
while IFS= read -r dll; do
    grep -qF "$dll|" "$out/libraries.txt" || bad "$(basename "$dll") is built but not in the package"
done <"$work/built-dlls.txt"
same_list "the installer's file list" "$work/expected.txt" "$out/files.txt"
unzip -Z1 "$zipfile" >"$work/zip-raw.txt" || bad "cannot list $zipfile"
grep -v '/$' "$work/zip-raw.txt" | sed -e "s|^torvane-$version/||" -e 's|^qz/|NX\\qz\\|' \
    -e 's|^qz_conf/|D:\\qz_conf\\|' -e 's|/|\\|g' | grep -vx 'INSTALL.txt' | LC_ALL=C sort >"$work/zip.txt"
grep -vx 'NX\\qz\\uninstall_torvane.exe' "$work/expected.txt" >"$work/expected-zip.txt"
same_list "the zip" "$work/expected-zip.txt" "$work/zip.txt"
grep -qx "torvane-$version/INSTALL.txt" "$work/zip-raw.txt" || bad "the zip has no INSTALL.txt"

step "a folder that is not NX's is refused"
mkdir -p "$drive_c/NotNX"
setup_run /S '/D=C:\NotNX'
rc=$?
[ $rc -eq 2 ] || bad "installing into C:\\NotNX exited with $rc, not 2"
[ -z "$(ls -A "$drive_c/NotNX")" ] || bad "installing into C:\\NotNX left files there"
[ ! -e "$conf" ] || bad "a refused install wrote $conf"

mkdir -p "$nx/UGII/menus"
printf 'C:\\site\\custom' >"$nx/UGII/menus/custom_dirs.dat"   # a last line without its line end

step "a machine without drive D: is refused"
mv "$WINE_DIR/prefix/dosdevices/d:" "$work/drive-d-link"
setup_run /S '/D=C:\NX'
rc=$?
mv "$work/drive-d-link" "$WINE_DIR/prefix/dosdevices/d:"
[ $rc -eq 2 ] || bad "installing without a drive D: exited with $rc, not 2"
[ ! -e "$nx/qz" ] || bad "an install without a drive D: wrote NX\\qz"

step "install"
setup_run /S '/D=C:\NX' || bad "the installer exited with $?"
installed_files | LC_ALL=C sort >"$work/installed.txt"
same_list "the installed files" "$work/expected.txt" "$work/installed.txt"
while IFS= read -r path; do
    file=$(unix_path "$path")
    case $path in
    'NX\qz\application\'*.dll) origin=$(grep "/$(basename "$file")|" "$out/libraries.txt" | cut -d'|' -f1) ;;
    'NX\qz\application\'*.dlg) origin=$src/torvane/dialogs/$(basename "$file") ;;
    'D:\qz_conf\'*) origin=$src/conf/qz_conf/${file#"$conf"/} ;;
    *) continue ;;
    esac
    [ -f "$file" ] && cmp -s "$origin" "$file" || bad "$path differs from $origin"
done <"$work/installed.txt"
while IFS='|' read -r file folders exports imports; do
    IFS=, read -ra dirs <<<"${folders:-.}"
    for dir in "${dirs[@]}"; do
        dll=$nx/qz/application/$dir/$(basename "$file")
        [ -f "$dll" ] || continue
        cmake -DDLL="$dll" -DOBJDUMP="$objdump" -DEXPORTS="$exports" -DIMPORTS_ALLOWED="$imports" \
            -P "$src/cmake/CheckDllExports.cmake" >"$work/exports.log" 2>&1 ||
            bad "installed $dir/$(basename "$file"): $(cat "$work/exports.log")"
    done
done <"$out/libraries.txt"
printf 'C:\\site\\custom\r\nC:\\NX\\qz\r\n' >"$work/custom_dirs.txt"
cmp -s "$work/custom_dirs.txt" "$nx/UGII/menus/custom_dirs.dat" ||
    bad "custom_dirs.dat after the install: $(od -c "$nx/UGII/menus/custom_dirs.dat" | head -5)"
registered || bad "the install is not in the list of installed programs"

step "upgrade over a changed configuration"
echo "fix_steep_cut_percent: 55" >>"$conf/config_cam.def"
cp "$conf/config_cam.def" "$work/config_cam.def"
rm "$conf/cam_qz/cam_template/cu_quick.prt"
echo "an older build" >"$nx/qz/application/ug10/fixed_cut_step.dll"
setup_run /S '/D=C:\NX' || bad "the upgrade exited with $?"
cmp -s "$work/config_cam.def" "$conf/config_cam.def" || bad "the upgrade changed the shop's config_cam.def"
[ ! -e "$conf/cam_qz/cam_template/cu_quick.prt" ] || bad "the upgrade brought back a template the shop removed"
cmp -s "$(grep '/fixed_cut_step.dll|' "$out/libraries.txt" | cut -d'|' -f1)" \
    "$nx/qz/application/ug10/fixed_cut_step.dll" || bad "the upgrade left an old fixed_cut_step.dll"
grep -vx 'D:\\qz_conf\\cam_qz\\cam_template\\cu_quick.prt' "$work/expected.txt" >"$work/expected-upgrade.txt"
installed_files | LC_ALL=C sort >"$work/upgraded.txt"
same_list "the files after the upgrade" "$work/expected-upgrade.txt" "$work/upgraded.txt"
cmp -s "$work/custom_dirs.txt" "$nx/UGII/menus/custom_dirs.dat" || bad "the upgrade changed custom_dirs.dat twice"

step "uninstall"
(cd "$conf" && find . -type f -exec md5sum {} + | sort) >"$work/conf-before.txt"
"$wine_sh" run "$nx/qz/uninstall_torvane.exe" /S || bad "the uninstaller exited with $?"
"$wine_sh" wait
[ ! -e "$nx/qz" ] || bad "the uninstall left $(cd "$nx" && find qz | head -5 | tr '\n' ' ')"
[ -d "$nx/UGII" ] || bad "the uninstall removed NX's own folder UGII"
printf 'C:\\site\\custom\r\n' | cmp -s - "$nx/UGII/menus/custom_dirs.dat" ||
    bad "custom_dirs.dat after the uninstall: $(od -c "$nx/UGII/menus/custom_dirs.dat" | head -5)"
(cd "$conf" && find . -type f -exec md5sum {} + | sort) >"$work/conf-after.txt"
cmp -s "$work/conf-before.txt" "$work/conf-after.txt" || bad "the uninstall changed the configuration"
registered && bad "the uninstall left the entry in the list of installed programs"

if [ $failures -ne 0 ]; then
    echo "package test: $failures failures"
    exit 1
fi
echo "package test: passed ($(wc -l <"$work/expected.txt") files; $(stat -c %s "$setup") bytes installer)"
