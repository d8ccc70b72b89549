#!/usr/bin/env bash
# The real program run under one time zone and undone, after a restart, under
# another (summer time in Berlin, then in New York: six hours apart). Each half
# is a process of its own, as Wine takes a process's time zone from the Unix
# environment it starts with, which no Windows environment block changes.
# Usage: undo_in_another_time_zone.sh UI_TESTS_EXE
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
ensure_wine_prefix
tests=$1
# A folder of this name in Windows' temporary folder, which the halves share.
export QM_ZONE_FOLDER="quillmoth-zone-$$"
half() { TZ=$1 wine "$tests" --gtest_also_run_disabled_tests --gtest_filter="ProgramExactTimes.DISABLED_$2"; }
half Europe/Berlin RunUnderOneTimeZone
half America/New_York UndoUnderAnotherTimeZone
