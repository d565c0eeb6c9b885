#!/usr/bin/env bash
# Builds the Debian package from the build folder $1 into a temporary folder and checks what a
# surveyor would get: exactly the files below, a control file with the computed library
# dependencies, a shipped command line that runs and loads no Qt library, the window it starts,
# and a man page groff renders without a warning.
# Exit 77 (skipped) where the packaging tools are missing.
set -euo pipefail
build=$(cd "$1" && pwd)

for tool in cpack dpkg-deb dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
if ! (cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1); then
  cat "$out/cpack.log"
  exit 1
fi
debs=("$out"/korvath_*.deb)
deb=${debs[0]}
failed=0

expected="./usr/bin/korvath
./usr/libexec/korvath/korvath-window
./usr/share/applications/korvath.desktop
./usr/share/bash-completion/completions/korvath
./usr/share/doc/korvath/README.md
./usr/share/doc/korvath/changelog.gz
./usr/share/doc/korvath/copyright
./usr/share/icons/hicolor/128x128/apps/korvath.png
./usr/share/icons/hicolor/16x16/apps/korvath.png
./usr/share/icons/hicolor/22x22/apps/korvath.png
./usr/share/icons/hicolor/24x24/apps/korvath.png
./usr/share/icons/hicolor/256x256/apps/korvath.png
./usr/share/icons/hicolor/32x32/apps/korvath.png
./usr/share/icons/hicolor/48x48/apps/korvath.png
./usr/share/icons/hicolor/64x64/apps/korvath.png
./usr/share/icons/hicolor/scalable/apps/korvath.svg
./usr/share/man/man1/korvath.1.gz
./usr/share/mime/packages/korvath.xml"
listing=$(dpkg-deb -c "$deb")
if ! diff -u <(echo "$expected") <(awk '$1 !~ /^d/ {print $6}' <<<"$listing" | LC_ALL=C sort); then
  echo "FAIL: the package's files differ from the expected list (- expected, + packaged)"
  failed=1
fi
for program in usr/bin/korvath usr/libexec/korvath/korvath-window; do
  if ! grep -Eq "^-rwxr-xr-x root/root .* \./$program\$" <<<"$listing"; then
    echo "FAIL: /$program is not an executable owned by root:"
    grep "$program" <<<"$listing" || true
    failed=1
  fi
done

dpkg-deb -x "$deb" "$out/root"
version=$("$out/root/usr/bin/korvath" --version)
# The command line starts without the window's libraries; the window finds its own.
if ldd "$out/root/usr/bin/korvath" | grep -i 'libqt'; then
  echo "FAIL: /usr/bin/korvath loads Qt"
  failed=1
fi
if ldd "$out/root/usr/libexec/korvath/korvath-window" | grep -i 'not found'; then
  echo "FAIL: the window misses a library"
  failed=1
fi
# `korvath` alone starts the installed window, which, given no display, says so itself.
said=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:77 "$out/root/usr/bin/korvath" 2>&1) &&
  status=0 || status=$?
if [ "$status" -ne 2 ] || [[ "$said" != *"δεν βρέθηκε οθόνη για το παράθυρο"* ]]; then
  echo "FAIL: korvath alone did not start the installed window (status $status): $said"
  failed=1
fi
control=$(dpkg-deb -f "$deb" Package Version Section Depends)
echo "$control"
for field in "Package: korvath" "Version: ${version#korvath }" "Section: science" \
             "Depends: .*libc6 .*libstdc\+\+6"; do
  grep -Eq "^$field" <<<"$control" || { echo "FAIL: no control line matching '$field'"; failed=1; }
done

if command -v groff >/dev/null; then
  warnings=$(zcat "$out/root/usr/share/man/man1/korvath.1.gz" | groff -k -man -Tutf8 -ww -z 2>&1)
  [ -z "$warnings" ] || { echo "FAIL: groff warns on the man page:"; echo "$warnings"; failed=1; }
fi

# The man page names the version the program and the package have (checked above).
zcat "$out/root/usr/share/man/man1/korvath.1.gz" | grep -q "^\.TH KORVATH 1 .*\"Korvath ${version#korvath }\"" ||
  { echo "FAIL: the man page does not name version ${version#korvath }"; failed=1; }

# Debian's own checks: no error and no warning (informational tags are not counted).
if command -v lintian >/dev/null; then
  findings=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -E '^[EW]: ' || true)
  [ -z "$findings" ] || { echo "FAIL: lintian:"; echo "$findings"; failed=1; }
fi
exit $failed
