#!/usr/bin/env bash
# Sourced by the packaging scripts: the fixed file version of a Windows program, read from its
# version resource, where Windows Installer reads it. The record follows the resource's key
# "VS_VERSION_INFO" (UTF-16, padded to four bytes) and opens with the signature FEEF04BD.

# The byte offset of the fixed file version record of $1, or a failure without one.
fixed_version_offset() {
    local at
    at=$(LC_ALL=C grep -obUaP \
        'V\x00S\x00_\x00V\x00E\x00R\x00S\x00I\x00O\x00N\x00_\x00I\x00N\x00F\x00O\x00\x00\x00\x00\x00\xbd\x04\xef\xfe' \
        "$1" | head -n 1 | cut -d: -f1)
    [ -n "$at" ] || return 1
    echo $((at + 34))
}

# The file version of $1 as Windows Installer writes it (1.0.0.312), or a failure without one.
# The record holds it as two little-endian double words, the high word of each first in the
# version: after the signature and the record's own version come MS, then LS.
pe_file_version() {
    local at ms_low ms_high ls_low ls_high
    at=$(fixed_version_offset "$1") || return 1
    read -r ms_low ms_high ls_low ls_high < <(od -An -v -j $((at + 8)) -N 8 -t u2 "$1")
    echo "$ms_high.$ms_low.$ls_high.$ls_low"
}
