#!/usr/bin/env bash
# Fails, naming the DLL, when a shipped executable imports a DLL that Windows would look for
# in the executable's own folder first. Allowed are the platform's known DLLs, which are
# always taken from System32, and the common controls, which the manifest takes from the
# side-by-side store; anything else must be loaded at run time from System32. With --delayed,
# the DLLs named (comma-separated) must not be imported at all: they load on first use.
#
#   tools/check-imports.sh <objdump> [--delayed dll,dll] <executable>...
set -u

objdump=$1
shift
delayed=" "
if [ "${1:-}" = --delayed ]; then
    delayed=" ${2//,/ } "
    shift 2
fi
known=" advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32
        msctf msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32
        shlwapi user32 wldap32 ws2_32 comctl32 "
known=$(tr -s ' \n' ' ' <<<"$known")

status=0
for exe in "$@"; do
    dlls=$("$objdump" -p "$exe" | grep -o 'DLL Name: .*' | cut -d' ' -f3)
    if [ -z "$dlls" ]; then
        echo "check-imports: no import table read from $exe" >&2
        status=1
        continue
    fi
    for dll in $dlls; do
        name=$(tr 'A-Z' 'a-z' <<<"${dll%.*}")
        if [[ $known != *" $name "* ]]; then
            echo "check-imports: ${exe##*/} imports $dll, which Windows looks for beside it" >&2
            status=1
        elif [[ $delayed == *" $name "* ]]; then
            echo "check-imports: ${exe##*/} loads $dll at start, which should wait for first use" >&2
            status=1
        fi
    done
done
exit $status
