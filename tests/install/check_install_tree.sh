#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks what a packager and a user
# would find there. Arguments: BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1 source=$2 version=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/usr
fail() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

expected=$root/expected
{
    printf '%s\n' bin/tolvane bin/tolvane-cli share/applications/tolvane.desktop \
        share/doc/tolvane/changelog.Debian.gz share/doc/tolvane/copyright \
        share/doc/tolvane/examples/benutzermenue.reg share/man/man1/tolvane.1.gz \
        share/man/man1/tolvane-cli.1.gz share/icons/hicolor/scalable/apps/tolvane.svg \
        share/lintian/overrides/tolvane
    for size in 16 22 24 32 48 64 128 256; do
        echo "share/icons/hicolor/${size}x${size}/apps/tolvane.png"
    done
    (cd "$source/help" && find . -type f | sed 's|^\./|share/tolvane/help/|')
} | sort >"$expected"
(cd "$prefix" && find . -type f -o -type l) | sed 's|^\./||' | sort >"$root/actual"
diff -u "$expected" "$root/actual" || fail "installed tree differs from the expected one"

# Each rendering has the size its folder names (PNG header: width and height at 16..23).
for png in "$prefix"/share/icons/hicolor/*x*/apps/tolvane.png; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "${w}x${h}" = "$size" ] || fail "$png is ${w}x${h}"
done

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/tolvane.desktop" ||
        fail "desktop entry does not validate"
fi
for gz in "$prefix"/share/man/man1/*.gz "$prefix"/share/doc/tolvane/*.gz; do
    gzip -t "$gz" || fail "$gz is not a gzip file"
done

for exe in "$prefix"/bin/*; do
    ! readelf -d "$exe" | grep -qE 'RPATH|RUNPATH' || fail "$exe carries a run path"
done

[ "$("$prefix/bin/tolvane" --version)" = "Tolvane $version" ] || fail "installed tolvane --version"
cli=$prefix/bin/tolvane-cli
"$cli" --help | grep -q '^Aufruf: tolvane-cli' || fail "installed tolvane-cli --help"
if out=$("$cli" --version 2>/dev/null); then
    [[ $out == *"$version"* ]] || fail "tolvane-cli --version printed '$out'"
fi

# The example user menu imports as it is and gives entries with a command line.
export TOLVANE_REGISTRY=$root/registry.db
"$cli" settings import "$prefix/share/doc/tolvane/examples/benutzermenue.reg" >/dev/null ||
    fail "the example .reg does not import"
"$cli" settings export 'HKCU\Software\Quexel\Tolvane\UserFileMenu' "$root/menu.reg"
[ "$(iconv -f UTF-16LE -t UTF-8 "$root/menu.reg" | grep -c '"CmdLine"=.*%1')" -eq 3 ] ||
    fail "the example .reg gives no user menu entries"

# The installed program starts on its own, away from the build tree.
out=$(TOLVANE_TEST_CLOSE_AFTER_MS=300 QT_QPA_PLATFORM=offscreen "$prefix/bin/tolvane" /Calc)
[[ $out == *"window: "* ]] || fail "installed tolvane showed no window"
echo "install tree ok"
