#!/usr/bin/env bash
# Draws the PNG icons from jotwise.svg again; run it after changing the drawing and commit
# the result. Needs rsvg-convert (Debian: librsvg2-bin); building does not.
set -euo pipefail
cd "$(dirname "$0")/icons"
for size in 16 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" jotwise.svg --output "jotwise-$size.png"
done
