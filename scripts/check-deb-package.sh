#!/usr/bin/env bash
# Makes the Debian package and tries it out as a user would:
#
#   ./scripts/check-deb-package.sh [BUILD_DIR]
#
# builds the viewer alone as a Release build with Debian's hardening flags in BUILD_DIR (default
# build-package, kept, so that a second run only rebuilds what changed), makes the package with
# `--target package`, checks it with lintian (no error allowed) and by its control fields and
# contents, installs it with apt-get, runs the installed viewer, its manual page and its file
# type, removes it with apt-get and checks that none of its files is left.
#
# It installs and removes system packages, so it runs as root, on a machine where the viewer's
# package is not installed; ./test.sh runs it when it runs as root.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source_dir=$PWD

readonly package=varnobel-viewer
readonly type=application/x-varnobel-forecast
readonly docs=/usr/share/doc/$package
build_dir=${1:-build-package}
[[ "$build_dir" == /* ]] || build_dir="$source_dir/$build_dir"

step() { echo "== $*"; }
fail() {
    echo "check-deb-package: $*" >&2
    exit 1
}

if ((EUID != 0)); then
    echo "check-deb-package: run as root: the check installs and removes the package" >&2
    exit 2
fi

installed() {
    [[ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true)" == "install ok installed" ]]
}
if installed "$package"; then
    fail "$package is installed already; the check needs a machine without it" \
        "(apt-get remove $package)"
fi

./scripts/ensure-packages.sh package

work=$(mktemp -d)
# apt reads a local package as its own unprivileged user.
chmod 755 "$work"
we_installed=no
cleanup() {
    if [[ "$we_installed" == yes ]] && installed "$package"; then
        echo "check-deb-package: removing the package the failed check installed" >&2
        apt-get remove -y "$package" >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

step "Build (Release, the viewer only) in $build_dir"
# The flags Debian builds its packages with: stack protector, fortified functions, read-only
# relocations bound at start. No -g: the package's program is stripped.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxx_flags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
cxx_flags=$(sed -E 's/(^| )-g( |$)/ /g' <<<"$cxx_flags")
linker_flags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release \
    -DVARNOBEL_WITH_QT=ON -DVARNOBEL_TESTS=OFF -DVARNOBEL_BENCH=OFF -DVARNOBEL_SANITIZE=OFF \
    -DVARNOBEL_FUZZ=OFF -DCMAKE_CXX_FLAGS="$cxx_flags" -DCMAKE_EXE_LINKER_FLAGS="$linker_flags"
rm -f "$build_dir"/"$package"_*.deb
cmake --build "$build_dir" -j"${VARNOBEL_JOBS:-2}" --target package

# The package's name and version come from the project and the Debian changelog.
project_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
version=$(dpkg-parsechangelog -l desktop/debian/changelog -S Version)
arch=$(dpkg --print-architecture)
[[ -n "$project_version" && "$version" == "$project_version"-* ]] ||
    fail "the changelog's version $version is not of the project's version $project_version"
deb="$build_dir/${package}_${version}_${arch}.deb"
[[ -f "$deb" ]] || fail "the build made no $deb"
echo "$deb"

step "lintian"
lintian_report="$work/lintian.txt"
lintian_status=0
lintian --display-info "$deb" >"$lintian_report" 2>&1 || lintian_status=$?
grep -v '^running with root privileges' "$lintian_report" || true
if grep -q '^E: ' "$lintian_report" || ((lintian_status != 0)); then
    fail "lintian reports errors (status $lintian_status)"
fi

step "Control fields"
field() { dpkg-deb -f "$deb" "$1"; }
expect_field() { # NAME PATTERN
    local value
    value=$(field "$1")
    [[ "$value" =~ $2 ]] || fail "$1 is \"$value\", expected /$2/"
}
expect_field Package "^$package\$"
expect_field Version "^${version//./\\.}\$"
expect_field Architecture "^$arch\$"
expect_field Maintainer '^[^<]+ <[^@>]+@[^>]+>$'
expect_field Section '^[a-z/-]+$'
expect_field Priority '^optional$'
expect_field Installed-Size '^[1-9][0-9]*$'
expect_field Recommends '(^|, )fonts-liberation2(,|$)'
# Depends is worked out from the program's libraries.
for library in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6network6 \
    libxlsxwriter4; do
    expect_field Depends "(^|, )$library( |,|$)"
done
expect_field Description $'^[a-z].{0,78}\n .+'
[[ -z "$(field Homepage)" ]] || fail "the package names a homepage"

# The caches are refreshed by the triggers of the packages that own them.
control_files=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed 's|^\./||' | grep -v '^$' | sort)
[[ "$control_files" == $'control\nmd5sums' ]] ||
    fail "the control archive holds more than control and md5sums: ${control_files//$'\n'/ }"

step "Contents"
dpkg-deb -x "$deb" "$work/root"
# Exactly the package's own files: no cache of the desktop's, nothing outside /usr.
expected=(
    usr/bin/varnobel-view
    usr/share/applications/varnobel-view.desktop
    usr/share/mime/packages/varnobel-view.xml
    usr/share/metainfo/com.varnobel.viewer.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/varnobel-view.svg
    usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/varnobel-view.png
    usr/share/man/man1/varnobel-view.1.gz
    "${docs#/}"/{copyright,changelog.Debian.gz}
    "${docs#/}"/examples/{sample.cfs,basic.cfb}
)
printf '%s\n' "${expected[@]}" | sort >"$work/expected.txt"
(cd "$work/root" && find . -mindepth 1 ! -type d | sed 's|^\./||' | sort) >"$work/contents.txt"
if ! diff -u "$work/expected.txt" "$work/contents.txt"; then
    fail "the package's files differ from those expected (- missing, + unexpected)"
fi

program_type=$(file -b "$work/root/usr/bin/varnobel-view")
[[ "$program_type" == *", stripped"* ]] || fail "the program is not stripped: $program_type"
[[ "$program_type" == *"BuildID["* ]] || fail "the program has no build id: $program_type"
for compressed in usr/share/man/man1/varnobel-view.1.gz "${docs#/}"/changelog.Debian.gz; do
    gzip -t "$work/root/$compressed" || fail "/$compressed is damaged"
done
changelog_head=$(gzip -dc "$work/root/${docs#/}/changelog.Debian.gz" | head -n 1)
[[ "$changelog_head" == "$package ($version) "* ]] ||
    fail "changelog.Debian.gz begins \"$changelog_head\", not with $version"
head -n 1 "$work/root/${docs#/}/copyright" |
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not in the machine-readable format"

step "apt-get install ./$(basename "$deb")"
cp "$deb" "$work/"
local_deb="$work/$(basename "$deb")"
chmod 644 "$local_deb"
export DEBIAN_FRONTEND=noninteractive
# The package lists are refreshed only when apt cannot resolve the dependencies without them.
if ! apt-get install --simulate "$local_deb" >/dev/null 2>&1; then
    apt-get update
fi
we_installed=yes
apt-get install -y "$local_deb"
installed "$package" || fail "apt-get did not install $package"
for recommended in fonts-liberation2 fonts-dancingscript; do
    installed "$recommended" || fail "the recommended $recommended was not installed"
done

step "The installed viewer"
# The package's program, whatever else lies on PATH.
hash -r
program=$(command -v varnobel-view || true)
[[ "$program" == /usr/bin/varnobel-view ]] ||
    fail "varnobel-view runs \"$program\", not the package's /usr/bin/varnobel-view"

version_line=$(varnobel-view --version)
echo "$version_line"
[[ "$version_line" == "Varnobel Viewer $project_version" ]] ||
    fail "varnobel-view --version says \"$version_line\""

# The installed program on the installed examples writes what the build does on the sources.
for example in sample.cfs basic.cfb; do
    varnobel-view --export json "$docs/examples/$example" >"$work/installed-$example.json" ||
        fail "varnobel-view --export json $docs/examples/$example failed"
    "$build_dir/app/varnobel-view" --export json "examples/$example" >"$work/built-$example.json"
    [[ -s "$work/installed-$example.json" ]] || fail "the JSON export of $example is empty"
    cmp -s "$work/installed-$example.json" "$work/built-$example.json" ||
        fail "the installed viewer exports $example differently from the build"
done
echo "varnobel-view --export json $docs/examples/sample.cfs: $(wc -c <"$work/installed-sample.cfs.json") bytes"
# Pictures need Qt's offscreen platform and the fonts from the installed dependencies.
varnobel-view --export png "$docs/examples/sample.cfs" -o "$work/statement.png" ||
    fail "the PNG export failed"
picture=$(file -b "$work/statement.png")
[[ "$picture" == "PNG image data, 1600 x 1000"* ]] || fail "the PNG export wrote $picture"

page=$(man -w varnobel-view)
echo "man -w varnobel-view: $page"
[[ "$page" == /usr/share/man/man1/varnobel-view.1.gz ]] || fail "man finds \"$page\""
rendered=$(MANWIDTH=80 man --warnings varnobel-view 2>"$work/man-warnings.txt" | col -b)
[[ ! -s "$work/man-warnings.txt" ]] || fail "man warns: $(cat "$work/man-warnings.txt")"
for heading in NAME SYNOPSIS OPTIONS "EXIT STATUS" ENVIRONMENT FILES EXAMPLES; do
    grep -qx "$heading" <<<"$rendered" || fail "the manual page shows no $heading"
done

handler=$(xdg-mime query default "$type")
echo "xdg-mime query default $type: $handler"
[[ "$handler" == varnobel-view.desktop ]] || fail "the default for $type is \"$handler\""
grep -q "^[0-9]*:$type:\*\.cfs$" /usr/share/mime/globs2 ||
    fail "the MIME database does not map *.cfs to $type"

step "apt-get remove -y $package"
dpkg-query -L "$package" | grep -v '^/\.$' >"$work/files.txt"
apt-get remove -y "$package"
! installed "$package" || fail "$package is still installed"
[[ -z "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep config-files || true)" ]] ||
    fail "$package left configuration files behind"
# What stays must be a folder another package owns as well.
left=()
while IFS= read -r path; do
    if [[ -e "$path" || -L "$path" ]]; then
        if [[ ! -d "$path" || -L "$path" ]] || ! dpkg-query -S "$path" >/dev/null 2>&1; then
            left+=("$path")
        fi
    fi
done <"$work/files.txt"
((${#left[@]} == 0)) || fail "files of the package are left: ${left[*]}"
echo "$(wc -l <"$work/files.txt") paths of the package: none left but shared folders"
# The triggers took the type and the menu entry out of the caches again.
! grep -q "$type" /usr/share/mime/globs2 || fail "$type stays in the MIME database"
[[ -z "$(xdg-mime query default "$type")" ]] || fail "$type still has a default application"
we_installed=no

echo "== The Debian package $(basename "$deb") builds, installs, runs and removes cleanly"
