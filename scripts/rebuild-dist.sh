#!/usr/bin/env bash
# Builds the release a second time, as someone else would, and compares it with one made
# before, byte for byte: from a clone of this tree's commit in another folder (with the
# tree's uncommitted changes and new files), in another build directory, with another
# umask and time zone. Prints each file that differs with its first differing byte, and
# fails then.
#
#   scripts/rebuild-dist.sh [DIR]     (the release to compare with; build/dist when not given)
set -euo pipefail
source "$(dirname "$0")/common.sh"

DIST=$(realpath "${1:-$QV_BUILD/dist}")
AGAIN=$QV_BUILD/rebuild
rm -rf "$AGAIN"
mkdir -p "$AGAIN"

qv_log "the release once more, from a clone in $AGAIN/source"
git clone -q --no-checkout "$QV_ROOT" "$AGAIN/source"
git -C "$AGAIN/source" checkout -q --detach "$(git -C "$QV_ROOT" rev-parse HEAD)"
git -C "$QV_ROOT" diff --binary HEAD | git -C "$AGAIN/source" apply --allow-empty
(cd "$QV_ROOT" && git ls-files -z --others --exclude-standard | xargs -0r cp --parents -t "$AGAIN/source")
(
  umask 0002
  export TZ=XST-5:45 QV_BUILD_DIR=$AGAIN/build
  "$AGAIN/source/scripts/dist.sh" --output "$AGAIN/dist" >"$AGAIN/dist.log" 2>&1 ||
    { cat "$AGAIN/dist.log"; exit 1; }
)

qv_log "comparing $DIST with $AGAIN/dist"
fail=0
diff <(cd "$DIST" && ls) <(cd "$AGAIN/dist" && ls) || { echo "FAILED: not the same files"; fail=1; }
for file in "$DIST"/*; do
  name=$(basename "$file")
  [[ -f $AGAIN/dist/$name ]] || continue
  if cmp "$file" "$AGAIN/dist/$name"; then echo "same: $name"; else fail=1; fi
done
exit $fail
