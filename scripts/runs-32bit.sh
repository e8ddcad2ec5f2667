#!/usr/bin/env bash
# Exits 0 when this machine's kernel runs 32-bit x86 programs itself (natively or through a
# registered binfmt handler), 1 when it does not: the -m32 tests then need qemu-i386. It
# asks the kernel by running a small program built with gcc -m32, not by looking for files.
set -u
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf 'int main(void) { return sizeof(void *) == 4 ? 0 : 1; }\n' >"$dir/probe.c"
gcc -m32 -o "$dir/probe" "$dir/probe.c" >/dev/null 2>&1 || exit 1
"$dir/probe" >/dev/null 2>&1
