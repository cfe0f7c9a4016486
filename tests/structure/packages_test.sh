#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/lib/packages.sh stops at once when apt-get cannot install what is
# missing (a held lock, an unknown package), naming the packages, instead of
# letting the build go on to fail later on a missing program. Stand-ins for
# id, dpkg-query and apt-get play root on a system without the packages.
set -u
source_dir=$1
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
cat >"$stubs/id" <<'STUB'
#!/bin/sh
echo 0
STUB
cat >"$stubs/dpkg-query" <<'STUB'
#!/bin/sh
exit 1
STUB
failed=0
check() {  # what fails, apt-get's exit code on update, on install
  cat >"$stubs/apt-get" <<STUB
#!/bin/sh
case " \$* " in
  *" update "*) exit $2 ;;
  *" install "*) echo "E: Unable to locate package kickmark-nothing" >&2; exit $3 ;;
esac
STUB
  chmod +x "$stubs"/*
  local err status
  err=$(PATH="$stubs:$PATH" bash -c "source '$source_dir/scripts/lib/packages.sh';
        kickmark_install_missing kickmark-nothing cmake" 2>&1 >/dev/null)
  status=$?
  if [[ $status -eq 0 || "$err" != *"kickmark-nothing cmake"* ]]; then
    echo "$1: returned $status, said: $err" >&2
    failed=1
  fi
}
check "apt-get update fails" 100 0
check "apt-get install fails" 0 100
check "apt-get install says it worked, and nothing is there" 0 0
exit $failed
