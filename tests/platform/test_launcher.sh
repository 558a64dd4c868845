#!/bin/sh
# Tests of the launcher that runs a per-user copy of the installed program folder.
# Usage: test_launcher.sh LAUNCHER
# The installed folder is a stand-in whose "program" prints where it runs from.
set -u
launcher=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check()
{
    if [ "$2" = "$3" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $1: expected [$3], got [$2]"
    fi
}

installed="$work/opt/vardeko"
data="$work/data"
copy="$data/vardeko"
mkdir -p "$installed"

install_version()
{
    printf '#!/bin/sh\necho "run %s from $(dirname "$0") args $*"\n' "$1" > "$installed/vardeko"
    chmod 755 "$installed/vardeko"
    echo "$1" > "$installed/vardeko.version"
}

run()
{
    VARDEKO_INSTALLED_DIR="$installed" XDG_DATA_HOME="$data" sh "$launcher" "$@" 2>&1
}

install_version 1.0.0
echo "notes" > "$installed/read me.txt"
check "first start runs the copy" "$(run)" "run 1.0.0 from $copy args "
check "the copy holds the stamp" "$(cat "$copy/vardeko.version")" "1.0.0"
check "files with blanks are copied" "$(cat "$copy/read me.txt")" "notes"
check "the copy is private to the user" "$(stat -c %a "$copy")" "700"
check "arguments reach the program" "$(run a 'b c')" "run 1.0.0 from $copy args a b c"

printf '[链接]\r\n数量=1\r\n' > "$copy/QOMBRA_Config.ini"
cp "$copy/QOMBRA_Config.ini" "$work/settings.before"
echo "planted" > "$installed/QOMBRA_Config.ini"
install_version 1.1.0
check "a new installed version refreshes the copy" "$(run)" "run 1.1.0 from $copy args "
check "refresh keeps the user's settings file" "$(cmp -s "$copy/QOMBRA_Config.ini" "$work/settings.before" && echo kept)" "kept"
check "no temporary file is left behind" "$(ls -A "$copy" | grep -c '\.new\.')" "0"

# A stale copy of the same version with a damaged program is repaired.
echo "broken" > "$copy/vardeko"
check "a damaged program in the copy is replaced" "$(run)" "run 1.1.0 from $copy args "

# An interrupted refresh (stamp not yet written) is completed at the next start.
install_version 1.2.0
rm "$copy/vardeko.version"
check "a missing stamp refreshes the copy" "$(run)" "run 1.2.0 from $copy args "

rm "$installed/vardeko"
out=$(run)
check "a missing installation is reported" "$out" "vardeko: the program is not installed in $installed"
VARDEKO_INSTALLED_DIR="$installed" XDG_DATA_HOME="$data" sh "$launcher" >/dev/null 2>&1
check "a missing installation fails" "$?" "1"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
