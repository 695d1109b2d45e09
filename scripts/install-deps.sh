#!/usr/bin/env bash
# install-deps.sh [--test]: installs the Debian 12 packages the project builds and runs with;
# with --test also those only the tests, the benchmarks and scripts/screenshots.sh use.
# Idempotent: it does nothing (and does not touch the network) when all are present.
set -euo pipefail

with_tests=false
case ${1:-} in
  --test) with_tests=true ;;
  "") ;;
  *) echo "usage: $0 [--test]" >&2; exit 2 ;;
esac

PACKAGES=(
  # build
  cmake ninja-build g++ pkg-config
  qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools
  libqt5webkit5-dev
  libssl-dev zlib1g-dev libarchive-dev
  # run: verification and repair, the window style, Qt's own translations, and Arial's metric
  # twin for stable layouts
  par2 qt5-style-plugins qttranslations5-l10n fonts-liberation2
)

TEST_PACKAGES=(
  openssl libarchive-tools procps
  # windows under a real X server
  xvfb xauth
  # tests that must hold at any hour run again with the clock moved
  faketime
  # the news server of the INN 2 tests
  inn2
  # the end-to-end test's poster (nyuu, from npm, scripts/install-nyuu.sh) runs on Node.js
  nodejs
  # desktop layers: tests run them on a private session bus (dbus-run-session)
  dbus-daemon
  # the desktop entry's check
  desktop-file-utils
  # scripts/screenshots.sh: pictures taken from the X server with import, and a window manager
  # and a tray host for the tray icon and its menu
  imagemagick openbox trayer
)

$with_tests && PACKAGES+=("${TEST_PACKAGES[@]}")

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done
# npm comes with some builds of nodejs; Debian's own nodejs needs the npm package beside it.
if $with_tests; then
  command -v npm >/dev/null || missing+=(npm)
fi
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

# inn2's post-install step refuses a host name without a domain; give it one first.
prepare_inn_conf() {
  $SUDO mkdir -p /etc/news
  if [ -f /etc/news/inn.conf ]; then
    if ! grep -qE '^domain:[[:space:]]*[^[:space:]]' /etc/news/inn.conf; then
      $SUDO sed -i -E 's/^#?[[:space:]]*domain:.*$/domain: test.invalid/' /etc/news/inn.conf
      grep -qE '^domain:' /etc/news/inn.conf || echo 'domain: test.invalid' | $SUDO tee -a /etc/news/inn.conf >/dev/null
    fi
  fi
}

export DEBIAN_FRONTEND=noninteractive
APT=(apt-get -o DPkg::Lock::Timeout=300 -y --no-install-recommends)
echo "Installing: ${missing[*]}"
$SUDO apt-get -o DPkg::Lock::Timeout=300 update -qq
if ! $SUDO "${APT[@]}" install "${missing[@]}"; then
  # The usual cause is inn2's configure step: fix its domain and finish configuring.
  prepare_inn_conf
  $SUDO dpkg --configure -a
  $SUDO "${APT[@]}" install "${missing[@]}"
fi
