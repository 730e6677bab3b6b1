#!/usr/bin/env bash
# Runs one imaging fuzz target for a number of seconds on one core, at low priority:
#   fuzz/run.sh fuzz_bmp|fuzz_gif|fuzz_family SECONDS
# Needs `scripts/build fuzz` first. The working corpus grows in $ZB_BUILD/fuzz/corpus/<target>;
# findings land in $ZB_BUILD/fuzz/findings/<target>.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../scripts/lib.sh"
target=$1
seconds=$2
bin=$ZB_BUILD/fuzz/bin/$target
seeds=$ZB_BUILD/fuzz/seeds
corpus=$ZB_BUILD/fuzz/corpus/$target
findings=$ZB_BUILD/fuzz/findings/$target
[ -d "$seeds/$target" ] || "$here/make-seeds.sh" "$seeds"
mkdir -p "$corpus" "$findings"
exec nice -n 10 "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" "$seeds/$target"
