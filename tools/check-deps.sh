#!/usr/bin/env bash
# Proves that `make deps` installs everything the build and tests use: each command or path
# below must come from a package in the Makefile's PACKAGES, must exist once that package is
# installed, and dpkg must agree on its owner where dpkg knows it (links managed by the
# alternatives system are not owned by any package).
#
#   tools/check-deps.sh <package>...    (the Makefile's PACKAGES)
set -u

# Command or path, and the listed package that brings it.
needs=(
    "x86_64-w64-mingw32-gcc-posix gcc-mingw-w64-x86-64-posix" # the project also enables C
    "x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix"
    "x86_64-w64-mingw32-windres binutils-mingw-w64-x86-64"
    "x86_64-w64-mingw32-objdump binutils-mingw-w64-x86-64" # tools/check-imports.sh
    "x86_64-w64-mingw32-dlltool binutils-mingw-w64-x86-64" # framework/: the delay-loaded DLLs
    "cmake cmake"
    "ctest cmake"
    "make make"
    "/usr/src/googletest googletest" # tests/CMakeLists.txt builds GoogleTest from here
    "wine wine"
    "wineboot wine"
    "wineserver wine64"
    "/usr/lib/wine/wine64 wine64" # WINEARCH=win64
    "/usr/share/wine/fonts/tahoma.ttf fonts-wine" # tools/wine-session.sh: the dialog font
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf fonts-dejavu-core" # the wide one, in tests
    "Xvfb xvfb"
    "xdotool xdotool"   # tools/listgallery-shot.sh
    "import imagemagick" # tools/listgallery-shot.sh
    "tr coreutils"       # tools/wine-session.sh
    "seq coreutils"
    "sleep coreutils"
    "id coreutils"    # the Makefile's deps target
    "cat coreutils"   # the Makefile: the configure line as last used
    "mkdir coreutils"
    "nproc coreutils" # tools/run-bench.sh: the machine the figures come from
    "date coreutils"
    "mktemp coreutils" # tests/torture/heap_check.sh
    "sort coreutils"
    "uniq coreutils"
    "head coreutils"
    "rm coreutils"
    "cut coreutils" # tools/make-dist.sh
    "grep grep"
    "zip zip"
    "wixl wixl"         # tools/make-msi.sh: the Windows Installer package
    "msibuild msitools" # tools/make-msi.sh: what wixl cannot express
    "msiinfo msitools"  # tools/make-msi.sh: the package's own tables
    "tail coreutils"
    "basename coreutils"
    "wc coreutils" # tools/make-dist.sh
    "od coreutils"       # tools/pe-version.sh: a program's file version
    "dd coreutils"       # tests/packaging/next-build.sh
    "comm coreutils"     # tools/check-msi-tables.sh
    "setpriv util-linux" # tests/app/unwritable_folder.sh: a user other than root
    "clang-format clang-format" # make format and tools/check-format.sh, with the root's .clang-format
    "git git"                   # make format and tools/check-format.sh: the tracked source files;
                                # CMake: the build number
)

listed=" $* "
declare -A unlisted=()
for need in "${needs[@]}"; do
    read -r what package <<<"$need"
    [[ $listed == *" $package "* ]] || unlisted[$package]+="${unlisted[$package]:+ }$what"
done
if [ ${#unlisted[@]} -gt 0 ]; then
    report=""
    for package in "${!unlisted[@]}"; do
        report+="${report:+, }$package (for ${unlisted[$package]})"
    done
    echo "check-deps: the Makefile's PACKAGES lacks $report" >&2
    exit 1
fi

# Once installed, every need is there; collect the full paths for dpkg.
missing=()
paths=()
declare -A expected=()
for need in "${needs[@]}"; do
    read -r what package <<<"$need"
    if [[ $what == /* ]]; then
        path=$what
        [ -e "$path" ] || path=""
    else
        path=$(command -v "$what" || true)
    fi
    if [ -z "$path" ]; then
        missing+=("$what")
        continue
    fi
    paths+=("$path")
    expected[$path]=$package
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "check-deps: still missing after installing PACKAGES: ${missing[*]}" >&2
    exit 1
fi

# dpkg answers "owner[:arch][, owner...]: path" for each path it knows.
disagree=()
while IFS= read -r line; do
    path=${line#*: }
    owners=", ${line%%: *}, "
    package=${expected[$path]:-}
    [ -n "$package" ] || continue
    owners=$(sed "s/:[a-z0-9]*//g" <<<"$owners")
    [[ $owners == *", $package, "* ]] || disagree+=("$path (dpkg: ${line%%: *}, table: $package)")
done < <(dpkg -S "${paths[@]}" 2>/dev/null)
if [ ${#disagree[@]} -gt 0 ]; then
    echo "check-deps: owners differ from the table: ${disagree[*]}" >&2
    exit 1
fi
exit 0
