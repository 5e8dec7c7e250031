#!/usr/bin/env bash
# Runs the benchmarks on a Release build: the core throughput, mark scan and
# byte edit benchmarks, then
# the application benchmark for 1, 64 and 256 MiB files, each next to xxd
# measured in the same run on the same data, and the comparison of two
# 256 MiB files next to cmp on the same files.
set -euo pipefail
build=${1:?usage: bench/run.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

"$build/bench/listing_bench" --benchmark_min_time=1
"$build/bench/mark_bench"
"$build/bench/edit_bench"
"$build/bench/mark_bench"

for mib in 1 64 256; do
  "$build/bench/app_bench" "$mib" "$work"
  head -c $((mib << 20)) /dev/urandom > "$work/x.bin"
  xxd -p "$work/x.bin" > "$work/x.hex"
  t0=$(date +%s.%N); xxd "$work/x.bin" > "$work/x.txt"; t1=$(date +%s.%N)
  xxd -r -p "$work/x.hex" > /dev/null; t2=$(date +%s.%N)
  hexsize=$(stat -c %s "$work/x.hex")
  awk -v m="$mib" -v a="$t0" -v b="$t1" -v c="$t2" -v h="$hexsize" \
    'BEGIN { printf "size_mib=%d xxd_listing_mb_s=%.0f xxd_reverse_mb_s=%.0f\n", m, m*1.048576/(b-a), h/1e6/(c-b) }'
  rm -f "$work"/x.*
done

"$build/bench/compare_bench" "$work"
# GNU cmp writing to /dev/null stops at the first difference, as cmp -s does;
# the full listing is timed too, written to a file.
t0=$(date +%s.%N); cmp -l "$work/a.bin" "$work/b.bin" > /dev/null || true; t1=$(date +%s.%N)
cmp -l "$work/a.bin" "$work/b.bin" > "$work/cmp.txt" || true; t2=$(date +%s.%N)
cmp "$work/a.bin" "$work/same.bin"; t3=$(date +%s.%N)
awk -v a="$t0" -v b="$t1" -v c="$t2" -v d="$t3" 'BEGIN { printf "cmp_l_devnull_256mib_1pct_ms=%.0f cmp_l_to_file_256mib_1pct_ms=%.0f cmp_256mib_identical_ms=%.0f\n", (b-a)*1000, (c-b)*1000, (d-c)*1000 }'
rm -f "$work"/a.bin "$work"/b.bin "$work"/same.bin "$work"/cmp.txt
# Large files, read lazily: 1.5 GiB of random bytes, saved once after a typed
# byte next to cp of the same file, and a sparse file of 4 GiB - 1.
head -c $((1536 << 20)) /dev/urandom > "$work/big.bin"
# The save ends with fsync, so cp is timed both to the page cache and to the disk.
t0=$(date +%s.%N); cp "$work/big.bin" "$work/copy.bin"; t1=$(date +%s.%N); sync "$work/copy.bin"; t2=$(date +%s.%N)
rm -f "$work/copy.bin"
awk -v a="$t0" -v b="$t1" -v c="$t2" 'BEGIN { printf "size_mib=1536 cp_mb_s=%.0f cp_and_fsync_mb_s=%.0f\n", 1536*1.048576/(b-a), 1536*1.048576/(c-a) }'
"$build/bench/bigfile_bench" "$work/big.bin" --save
rm -f "$work/big.bin"
truncate -s $(((1 << 32) - 1)) "$work/sparse.bin"
"$build/bench/bigfile_bench" "$work/sparse.bin"
rm -f "$work/sparse.bin"

# A send of 16 MiB through a pty, with cat and one write() per byte on the same pty.
"$build/bench/send_bench" "$work"

# A receive of a 64 MiB burst through a pty, with cat on the same pty; idle
# receive for 10 s and the time Stop Receive takes.
"$build/bench/receive_bench" "$work"
# The same burst shown live in a hex view scrolled to the middle of marked bytes.
"$build/bench/receive_view_bench"

# Two million 64-byte appends from a worker while a hex view shows the model,
# then 64-byte appends to a 512 MiB model while another thread reads it.
"$build/bench/append_bench" "$work"
