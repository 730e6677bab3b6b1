#!/usr/bin/env bash
# Runs one imaging fuzz target, niced, until it has used SECONDS of CPU time (not wall time: on a
# busy machine a niced run gets little of it):
#   fuzz/run.sh fuzz_bmp|fuzz_gif|fuzz_family SECONDS
# Needs `scripts/build fuzz` first. The working corpus grows in $ZB_BUILD/fuzz/corpus/<target>;
# findings land in $ZB_BUILD/fuzz/findings/<target>. Exits with the fuzzer's status (0: no finding).
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
nice -n 10 "$bin" -timeout=10 -rss_limit_mb=2048 -max_len=65536 -artifact_prefix="$findings/" \
  -print_final_stats=1 "$corpus" "$seeds/$target" &
pid=$!
ticks=$(getconf CLK_TCK)
cpu=0
while kill -0 "$pid" 2>/dev/null; do
  sleep 5
  # utime and stime: fields 14 and 15 of /proc/<pid>/stat (the name in field 2 has no spaces here).
  read -r -a stat 2>/dev/null <"/proc/$pid/stat" || break
  cpu=$(((stat[13] + stat[14]) / ticks))
  if [ "$cpu" -ge "$seconds" ]; then kill -INT "$pid"; fi
done
status=0
wait "$pid" || status=$?
echo "$target: ${cpu} s of CPU time" >&2
# libFuzzer stopped by the interrupt above prints its final statistics and exits with 72.
[ "$status" -eq 72 ] && [ "$cpu" -ge "$seconds" ] && status=0
exit "$status"
