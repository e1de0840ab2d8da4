#!/usr/bin/env bash
# cmake --install puts the German translation beside the program's data and registers it
# in the machine hive; installing again keeps one registration and the hive's other keys.
#   install_registers_german.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Staged with DESTDIR, so that nothing is written outside the folder, whatever hive folder
# the build was configured with.
export DESTDIR=$work/stage
prefix=/opt/tavi-probe
qm=$prefix/share/tavi/translations/tavi_de.qm
hive=$DESTDIR$prefix/etc/xdg/Kestrova/Tavi/system.reg

fail() {
    echo "FAIL: $*" >&2
    [[ -f "$hive" ]] && cat "$hive" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
[[ -s "$DESTDIR$qm" ]] || fail "no $qm"
if [[ ! -f "$hive" ]]; then
    hive=$(find "$DESTDIR" -path '*/Kestrova/Tavi/system.reg' | head -1)
fi
[[ -f "$hive" ]] || fail "no system.reg"
head -1 "$hive" | grep -qx 'Windows Registry Editor Version 5.00' || fail "no hive header"
section='[HKEY_LOCAL_MACHINE\Software\Kestrova\Tavi\Languages\German]'
grep -qxF "$section" "$hive" || fail "no German key"
grep -qxF '"LCID"=dword:00000407' "$hive" || fail "no LCID"
grep -qxF '"IsoCode"="de"' "$hive" || fail "no IsoCode"
grep -qxF '"Name"="Deutsch"' "$hive" || fail "no Name"
grep -qxF "\"ResourceFile\"=\"$qm\"" "$hive" || fail "ResourceFile is not the installed file"

# A hive with other keys and an old registration: both installs leave one German key.
cat >"$hive" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Kestrova\Tavi\Languages\German]
"LCID"=dword:00000407
"IsoCode"="de"
"ResourceFile"="/old/place/tavi_de.qm"

[HKEY_LOCAL_MACHINE\Software\Kestrova\Tavi\Languages\French]
"LCID"=dword:0000040c
"IsoCode"="fr"
"ResourceFile"="/somewhere/tavi_fr.qm"
REG
cmake --install "$build" --prefix "$prefix" >/dev/null
cmake --install "$build" --prefix "$prefix" >/dev/null
(($(grep -cxF "$section" "$hive") == 1)) || fail "German registered more than once"
grep -q '/old/place' "$hive" && fail "the old registration stayed"
grep -qxF '"ResourceFile"="/somewhere/tavi_fr.qm"' "$hive" || fail "another key was lost"
grep -qxF "\"ResourceFile\"=\"$qm\"" "$hive" || fail "ResourceFile is not the installed file"
echo "installed and registered: $qm"
