#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program where a screen reader would meet the game: on an X display of its own
# (Xvfb), with a D-Bus session and the desktop's accessibility bus, so that Qt's accessibility
# is switched on and every event it would send a screen reader reaches the test.
# Usage: with_reader.sh PROGRAM [ARGUMENTS...]
launcher=/usr/libexec/at-spi-bus-launcher
for tool in xvfb-run dbus-run-session dbus-send "$launcher"; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "with_reader.sh: $tool is missing (Debian: xvfb, dbus-daemon, at-spi2-core)" >&2
    exit 1
  fi
done
# shellcheck disable=SC2016 # expanded by the inner shell
# The test starts only once the accessibility bus answers: a Qt that starts
# before it finds no reader, and sends nothing.
exec xvfb-run -a dbus-run-session -- sh -c '
  "$0" --launch-immediately 2>/dev/null &
  bus=$!
  tries=0
  until dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
      org.a11y.Bus.GetAddress >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ "$tries" -ge 100 ]; then
      echo "with_reader.sh: the accessibility bus did not answer within 10 seconds" >&2
      kill "$bus" 2>/dev/null
      exit 1
    fi
    sleep 0.1
  done
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
  status=$?
  kill "$bus" 2>/dev/null
  exit "$status"' "$launcher" "$@"
