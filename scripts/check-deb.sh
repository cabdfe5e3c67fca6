#!/usr/bin/env bash
# Installs a built package on a fresh Debian 12 and checks it there:
#   scripts/check-deb.sh build/tarvolinde_*.deb [ROOT] [SHOT.png]
# ROOT (default /tmp/tarvolinde-check-deb) gets a minimal bookworm from
# debootstrap unless it already holds one. Both programs must answer --version
# with the package's version and the runner must boot the packaged ROMs; then
# the desktop entry's Exec line is started under Xvfb and the screen saved to
# SHOT.png (default ./installed-window.png).
# Slow (downloads a base system), needs root, and is not part of ./test.sh.
set -euo pipefail
deb=$(realpath "${1:?usage: check-deb.sh PACKAGE.deb [ROOT] [SHOT.png]}")
root=${2:-/tmp/tarvolinde-check-deb}
shot=$(realpath -m "${3:-installed-window.png}")
version=$(dpkg-deb -f "$deb" Version)
export DEBIAN_FRONTEND=noninteractive

command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap >/dev/null
[ -x "$root/usr/bin/apt-get" ] || debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
mount --bind /proc "$root/proc"
trap 'umount "$root/proc"' EXIT
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

cp "$deb" "$root/tmp/"
in_root apt-get update -qq
in_root apt-get install -y -qq --reinstall "/tmp/$(basename "$deb")" >/dev/null
status=0
for program in tarvolinde-cli tarvolinde; do
  answer=$(in_root "$program" --version) || true
  echo "$program --version: $answer"
  [ "$answer" = "$program $version" ] || { echo "expected '$program $version'"; status=1; }
done
# The runner finds the packaged ROMs by itself.
if in_root tarvolinde-cli --frames 100 --screen-text | grep -q "Nine Tiles"; then
  echo "tarvolinde-cli boots OpenSE BASIC from /usr/share/tarvolinde/roms"
else
  echo "tarvolinde-cli did not boot the packaged ROMs"; status=1
fi

# Started the way a desktop menu starts it: the entry's Exec line without its field codes.
command_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/tarvolinde.desktop" | sed 's/ *%[fFuU]//g')
echo "Exec: $command_line"
in_root apt-get install -y -qq --no-install-recommends xvfb xauth imagemagick >/dev/null
in_root xvfb-run -a -s "-screen 0 800x600x24" sh -c \
  "cd /root && LANG=${CHECK_LANG:-C.UTF-8} $command_line & sleep 8; import -window root /tmp/installed-window.png; kill \$! 2>/dev/null; true"
cp "$root/tmp/installed-window.png" "$shot"
echo "screenshot: $shot"
exit $status
