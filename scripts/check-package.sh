#!/usr/bin/env bash
# Checks DriveSim's Debian package without installing it: its fields and
# dependencies, its file list, and the unpacked files (the programs run from
# the unpacked copy, the desktop entry and the AppStream metadata through
# their validators, the manual pages rendered without warnings, the icons,
# the user guide).
#
#   check-package.sh PACKAGE.deb
#   check-package.sh BUILD_DIR [CPACK]   builds the package from BUILD_DIR
#                                        with cpack first, then checks it
#
# Prints what it checks and every validator's output; exits 1 at the first
# failure.
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
step() { echo "== $*"; }

for tool in dpkg-deb desktop-file-validate appstreamcli man file update-mime-database; do
  command -v "$tool" >/dev/null 2>&1 ||
    fail "$tool is missing (bash scripts/install-deps.sh installs it)"
done

target=${1:?usage: check-package.sh PACKAGE.deb | BUILD_DIR [CPACK]}
if [ -d "$target" ]; then
  build_dir=$(cd "$target" && pwd)
  cpack=${2:-cpack}
  out_dir=$build_dir/package-check
  rm -rf "$out_dir"
  mkdir -p "$out_dir"
  step "building the package with cpack"
  (cd "$build_dir" && "$cpack" -G DEB -B "$out_dir" >"$out_dir/cpack.log" 2>&1) ||
    { cat "$out_dir/cpack.log" >&2; fail "cpack failed"; }
  shopt -s nullglob
  debs=("$out_dir"/*.deb)
  shopt -u nullglob
  [ "${#debs[@]}" -eq 1 ] || fail "cpack made ${#debs[@]} packages, expected one"
  deb=${debs[0]}
  scratch=$out_dir/root
else
  deb=$(cd "$(dirname "$target")" && pwd)/$(basename "$target")
  [ -f "$deb" ] || fail "no such package: $target"
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
fi
echo "package: $deb"

# --- Fields -----------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
step "fields"
dpkg-deb -f "$deb" Package Version Architecture Maintainer Section Priority Depends
package=$(field Package)
version=$(field Version)
arch=$(field Architecture)
[ "$package" = drivesim ] || fail "package name is '$package'"
[ "$arch" = "$(dpkg --print-architecture)" ] || fail "architecture is '$arch'"
[ "$(basename "$deb")" = "drivesim_${version}_${arch}.deb" ] ||
  fail "file name $(basename "$deb") is not drivesim_${version}_${arch}.deb"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] ||
  fail "maintainer '$(field Maintainer)' is not 'Name <address>'"
[ "$(field Section)" = science ] || fail "section is '$(field Section)'"
[ -n "$(field Description)" ] || fail "no description"

# The description reads as written: its quotation marks arrive as quotation
# marks (not as list separators), its paragraphs as paragraphs.
step "description"
description_text=$(field Description | sed 's/^ \.$//; s/^ //' | tr '\n' ' ' | tr -s ' ')
echo "$description_text"
for phrase in 'teaching simulator of a velocity-controlled electric drive' \
  'A converter-amplifier feeds a motor, the motor turns a load' \
  'press "Process", and watch the gears turn' \
  'drivesim-batch runs the same simulation without a window'; do
  [[ "$description_text" == *"$phrase"* ]] || fail "the description lacks '$phrase'"
done
[[ "$description_text" != *";"* ]] || fail "the description has a stray ';'"
[ "$(field Description | grep -c '^ \.$')" -eq 1 ] ||
  fail "the description's two paragraphs are not parted by one ' .' line"

# Depends: worked out from the binaries, so it names the C and C++ runtime
# and Qt's libraries with versions, plus the fonts named by hand.
depends=$(field Depends)
for needed in 'libc6 (>= ' 'libstdc++6 (>= ' 'libqt6core6 (>= ' 'libqt6gui6 (>= ' \
  'libqt6widgets6 (>= ' 'fonts-liberation2'; do
  [[ ", $depends," == *", $needed"* ]] || fail "Depends lacks '$needed': $depends"
done
[[ "$depends" != *libasan* && "$depends" != *libubsan* ]] ||
  fail "the programs are built with sanitizers: $depends"

# No maintainer scripts: installing and removing are dpkg's own work, so
# removal leaves nothing behind.
members=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed 's|^\./||; /^$/d' | sort | tr '\n' ' ')
[ "$members" = "control md5sums " ] || fail "control members are: $members"

# --- File list --------------------------------------------------------------
step "file list"
expected=$(
  cat <<'EOF'
./usr/bin/drivesim
./usr/bin/drivesim-batch
./usr/share/applications/drivesim.desktop
./usr/share/doc/drivesim/drivesim-guide.html
./usr/share/doc/drivesim/drivesim-guide_de.html
./usr/share/doc/drivesim/drivesim-guide_es.html
./usr/share/doc/drivesim/drivesim-guide_fr.html
./usr/share/doc/drivesim/drivesim-guide_ru.html
./usr/share/icons/hicolor/128x128/apps/drivesim.png
./usr/share/icons/hicolor/16x16/apps/drivesim.png
./usr/share/icons/hicolor/24x24/apps/drivesim.png
./usr/share/icons/hicolor/256x256/apps/drivesim.png
./usr/share/icons/hicolor/32x32/apps/drivesim.png
./usr/share/icons/hicolor/48x48/apps/drivesim.png
./usr/share/icons/hicolor/64x64/apps/drivesim.png
./usr/share/icons/hicolor/scalable/apps/drivesim.svg
./usr/share/man/man1/drivesim-batch.1.gz
./usr/share/man/man1/drivesim.1.gz
./usr/share/metainfo/drivesim.metainfo.xml
./usr/share/mime/packages/drivesim.xml
EOF
)
listing=$(dpkg-deb -c "$deb")
echo "$listing"
actual=$(echo "$listing" | awk '$1 !~ /^d/ {print $6}' | sort)
[ "$actual" = "$(echo "$expected" | sort)" ] ||
  fail "file list differs:
$(diff <(echo "$expected" | sort) <(echo "$actual") || true)"
# Owned by root; programs executable, everything else plain readable data.
echo "$listing" | awk '
  $2 != "root/root" { print "not owned by root: " $6; bad = 1 }
  $1 ~ /^-/ && $6 ~ /^\.\/usr\/bin\// && $1 != "-rwxr-xr-x" { print "mode " $1 ": " $6; bad = 1 }
  $1 ~ /^-/ && $6 !~ /^\.\/usr\/bin\// && $1 != "-rw-r--r--" { print "mode " $1 ": " $6; bad = 1 }
  END { exit bad }' || fail "ownership or modes wrong"

# --- Unpacked files ---------------------------------------------------------
rm -rf "$scratch"
mkdir -p "$scratch"
dpkg-deb -x "$deb" "$scratch"
share=$scratch/usr/share

step "programs"
for program in drivesim drivesim-batch; do
  description=$(file -b "$scratch/usr/bin/$program")
  echo "$program: $description"
  [[ "$description" == ELF\ 64-bit*executable*stripped ]] && [[ "$description" != *"not stripped"* ]] ||
    fail "$program is not a stripped executable"
  missing=$(ldd "$scratch/usr/bin/$program" | grep 'not found' || true)
  [ -z "$missing" ] || fail "$program lacks libraries: $missing"
done
batch=$scratch/usr/bin/drivesim-batch
help=$("$batch" --help) || fail "drivesim-batch --help failed"
[[ "$help" == "Usage: drivesim-batch "* ]] || fail "drivesim-batch --help printed: $help"
rows=$(QT_QPA_PLATFORM=offscreen "$batch" --ticks 3) || fail "drivesim-batch --ticks 3 failed"
[ "$(echo "$rows" | wc -l)" -eq 4 ] || fail "drivesim-batch --ticks 3 printed: $rows"
echo "drivesim-batch --ticks 3: $(echo "$rows" | sed -n 4p)"

step "desktop entry"
entry=$share/applications/drivesim.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the desktop entry"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
icon_name=$(sed -n 's/^Icon=//p' "$entry")
[ -x "$scratch/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not a packaged program"
[ -f "$share/icons/hicolor/scalable/apps/$icon_name.svg" ] || fail "Icon=$icon_name has no icon"
grep -qx 'Categories=Education;Science;' "$entry" || fail "categories are not Education and Science"

step "scenario file type"
# The desktop entry opens the type the package defines, and the shared MIME
# database built from that definition alone names .drivesim files so.
mime_types=$(sed -n 's/^MimeType=//p' "$entry")
[ "$mime_types" = "application/x-drivesim-scenario;" ] || fail "MimeType=$mime_types"
grep -q '^Exec=drivesim %f$' "$entry" || fail "Exec= does not take the file: $(grep ^Exec= "$entry")"
mime_db=$scratch/mime-check
mkdir -p "$mime_db/packages"
cp "$share/mime/packages/drivesim.xml" "$mime_db/packages/"
update-mime-database "$mime_db" || fail "update-mime-database rejects the scenario type"
grep -qx 'application/x-drivesim-scenario:\*.drivesim' <(cut -d: -f2- "$mime_db/globs2") ||
  fail "the MIME database does not name *.drivesim: $(cat "$mime_db/globs2")"
rm -rf "$mime_db"
echo "application/x-drivesim-scenario: *.drivesim, opened by $exec_name"

step "AppStream metadata"
# The component's id is the program's name, as the desktop entry's file name
# and the window's application id are; there is no domain to reverse.
appstreamcli validate --no-net --pedantic --override=cid-desktopapp-is-not-rdns=info \
  "$share/metainfo/drivesim.metainfo.xml" || fail "appstreamcli rejects the metadata"
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' \
  "$share/metainfo/drivesim.metainfo.xml")
[ -f "$share/applications/$launchable" ] || fail "launchable $launchable is not packaged"

step "manual pages"
for page in drivesim drivesim-batch; do
  file="$share/man/man1/$page.1.gz"
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
    "$file" 2>&1 >/dev/null) || fail "man cannot render $page.1"
  [ -z "$warnings" ] || fail "$page.1 renders with warnings: $warnings"
  echo "$page.1: renders without warnings"
done
# The page says what --help says: every line of each option's help (words
# joined by single spaces) stands in the rendered page, and so does every
# option with its value name.
rendered=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -E UTF-8 -l "$share/man/man1/drivesim-batch.1.gz" |
  col -b | tr -s ' \t\n' '   ')
while IFS= read -r line; do
  [ -n "$line" ] || continue
  [[ "$rendered" == *"$line"* ]] || fail "drivesim-batch.1 lacks: $line"
done < <(echo "$help" | awk '
  # Blank lines end paragraphs. The usage line is the synopsis; the words
  # before the first option stand in the page without their brackets; a
  # paragraph label ("Exit status:") is the section heading.
  /^[ \t]*$/ { start = 1; next }
  /^Usage:/ { start = 0; next }
  /^Options/ { intro = 1; start = 0; next }
  intro && !/^ +-/ { next }
  { intro = 0 }
  start && /^[A-Z][a-z]+( [a-z]+)?: / { sub(/^[^:]*: /, "") }
  { start = 0 }
  /^ +-/ {
    sub(/^ +/, "")
    if (match($0, /^-[^ ]+( [A-Z][^ ]*)?/)) { print substr($0, 1, RLENGTH); $0 = substr($0, RLENGTH + 1) }
  }
  { gsub(/^[ \t]+|[ \t]+$/, ""); gsub(/[ \t]+/, " "); if ($0 != "") print }')
echo "drivesim-batch.1: every option and line of --help is in the page"

step "icons"
for size in 16 24 32 48 64 128 256; do
  description=$(file -b "$share/icons/hicolor/${size}x${size}/apps/drivesim.png")
  echo "${size}x${size}: $description"
  [[ "$description" == "PNG image data, $size x $size,"* ]] || fail "the ${size}x${size} icon is not so"
done
description=$(file -b "$share/icons/hicolor/scalable/apps/drivesim.svg")
echo "scalable: $description"
[[ "$description" == "SVG Scalable Vector Graphics image"* ]] || fail "the scalable icon is not SVG"

step "user guide"
# The guide a browser opens: HTML with its title, every link leading to one
# of its own anchors, and none of the program's internal names.
guide=$share/doc/drivesim/drivesim-guide.html
description=$(file -b "$guide")
echo "drivesim-guide.html: $description"
[[ "$description" == HTML\ document* ]] || fail "the guide is not HTML: $description"
grep -q '<title>DriveSim user guide</title>' "$guide" || fail "the guide has no title"
for link in $(grep -o 'href="[^"]*"' "$guide" | sed 's/^href="//; s/"$//' | sort -u); do
  [[ "$link" == "#"* ]] || fail "the guide links outside itself: $link"
  grep -q "name=\"${link#\#}\"" "$guide" || fail "the guide has no anchor for $link"
done
for name in CoefAccel CoefVelocity CoefInput 0x00BBGGRR; do
  ! grep -q "$name" "$guide" || fail "the guide names $name"
  [[ "$help" != *"$name"* ]] || fail "drivesim-batch --help names $name"
done
echo "drivesim-guide.html: titled, its links resolve, no internal names"

echo "package checked: $deb"
