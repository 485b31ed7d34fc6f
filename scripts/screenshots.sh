#!/usr/bin/env bash
# Takes the screenshots of docs/ (shown by the README and the help pages) from the real windows
# on a virtual X screen: the main window with the demo archive, the chart with two curves and
# the progress dialog; and the first pages of the two printouts, written to PDF by their tests and
# rendered by pdftoppm. Run after a build: scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
PORVEL_SCREENSHOT_DIR=$PWD/docs QT_QPA_PLATFORM=xcb LANG=ru_RU.UTF-8 \
  xvfb-run -a -s "-screen 0 1600x1000x24" build/bin/layout_test mainWindowAndChartShowEveryTextWhole:ru_RU progressDialogHoldsEveryStatusAndKeepsItsSize
printouts=$(mktemp -d)
trap 'rm -rf "$printouts"' EXIT
PORVEL_PRINTOUT_DIR=$printouts build/bin/porvel_report_tests \
  --gtest_filter='Printouts.TestRecordReadsBack*:Printouts.ALongListing*' >/dev/null
pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$printouts/record.pdf" docs/test_record_printout
pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$printouts/long.pdf" docs/listing_printout
ls -l docs/*.png
