#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and those named as arguments (the extra
# tools of the package and screenshot commands), but only those that are missing, so a second run with
# everything in place is quick. Uses sudo when not run as root.
set -euo pipefail

# qt6-charts-dev needs libqt6opengl6-dev, which Debian 12 does not pull in with it. Qt's PostgreSQL driver
# serves leagues on a server; the server itself runs the tests' private server.
packages=(
    cmake g++ make
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite libqt6sql6-psql qt6-translations-l10n libgl-dev
    libssl3 postgresql
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
