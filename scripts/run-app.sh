#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kelvara. Without a display the
# window is rendered offscreen and a screenshot is saved.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
kelvara_install_packages
kelvara_build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=offscreen
    export KELVARA_SCREENSHOT=${KELVARA_SCREENSHOT:-$KELVARA_BUILD/kelvara-screenshot.png}
    export KELVARA_QUIT_AFTER_SCREENSHOT=1
    export QTWEBENGINE_DISABLE_SANDBOX=1
    echo "No display found: running offscreen; the screenshot goes to $KELVARA_SCREENSHOT"
fi
exec "$KELVARA_BUILD/src/kelvara" "$@"
