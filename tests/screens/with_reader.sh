#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program where a screen reader would meet the game: on an X display of its own
# (Xvfb), with a D-Bus session and the desktop's accessibility bus, so that Qt's accessibility
# is switched on and every event it would send a screen reader reaches the test.
# Usage: with_reader.sh PROGRAM [ARGUMENTS...]
launcher=/usr/libexec/at-spi-bus-launcher
for tool in xvfb-run dbus-run-session "$launcher"; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "with_reader.sh: $tool is missing (Debian: xvfb, dbus-daemon, at-spi2-core)" >&2
    exit 1
  fi
done
# shellcheck disable=SC2016 # expanded by the inner shell
exec xvfb-run -a dbus-run-session -- sh -c '
  "$0" --launch-immediately 2>/dev/null &
  bus=$!
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
  status=$?
  kill "$bus" 2>/dev/null
  exit "$status"' "$launcher" "$@"
