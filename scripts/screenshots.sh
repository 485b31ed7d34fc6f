#!/usr/bin/env bash
# Takes the screenshots of docs/ (shown by the README and the help pages) from the real windows
# on a virtual X screen: the main window with the demo archive, the chart with two curves and
# the progress dialog. Run after a build: scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
PORVEL_SCREENSHOT_DIR=$PWD/docs QT_QPA_PLATFORM=xcb LANG=ru_RU.UTF-8 \
  xvfb-run -a -s "-screen 0 1600x1000x24" build/bin/layout_test mainWindowAndChartShowEveryTextWhole:ru_RU progressDialogHoldsEveryStatusAndKeepsItsSize
ls -l docs/*.png
