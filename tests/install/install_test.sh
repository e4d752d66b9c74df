#!/usr/bin/env bash
# Installs into a throwaway root under a prefix of its own and works the installed tree as a site
# would: the demo database, a statement, an issue statement printed to PDF, the register opened
# and closed, the example host built against the CMake package and its register opened and closed.
# Nothing may be loaded from the build or the source folder.
#   install_test.sh BUILD_DIR SOURCE_DIR VERSION REGISTER_DRIVER
set -euo pipefail
build=$1 source=$2 version=$3 driver=$4
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
unset LD_LIBRARY_PATH
export QT_QPA_PLATFORM=offscreen OSTREL_UNATTENDED=1

DESTDIR=$work/root cmake --install "$build" --prefix /opt/payroll >/dev/null
tree=$work/root/opt/payroll host=$tree/bin/payroll-host
for elf in "$host" "$tree"/lib/ostrel-loan-issue/*.so; do
    for path in $(readelf -d "$elf" | sed -n 's/.*(R\(UN\)\?PATH).*\[\(.*\)\]/\2/p' | tr : ' '); do
        [[ $path == '$ORIGIN'* ]] || fail "$elf looks for libraries in $path"
    done
done
grep -qx 'Environment=PAYROLL_HOST=/opt/payroll/bin/payroll-host' \
    "$tree/share/ostrel-loan-issue/systemd/payroll-backup.service" || fail "service paths"
zgrep -q 'backup' "$tree/share/man/man1/payroll-host.1.gz" || fail "manual page"
[[ $("$host" --version) == "payroll-host $version" ]] || fail "--version"

"$host" --db demo.db --demo
[[ $("$host" --db demo.db --sql "select count(*) n from pusers") == $'n\n12' ]] || fail "--sql"

# On a server --add-indexes is refused and names the installed script to run there instead.
status=0 && refusal=$("$host" --db odbc:DSN=payroll --add-indexes 2>&1 >/dev/null) || status=$?
script=$(grep -o '/[^ ]*PayrollSchemaSqlServer\.sql' <<<"$refusal") || fail "--add-indexes: $refusal"
[[ $status == 2 && -f $script ]] || fail "--add-indexes names $script (exit $status)"

"$host" --db demo.db --statement LN1 --pdf statement.pdf
pdftotext statement.pdf - | grep -q 'Loan Issue Statement' || fail "no statement in the PDF"

# The driver closes the register, once open, and copies the host's memory map meanwhile.
cp "$driver" driver.so
run_register() { # FOLDER PROGRAM ARGUMENTS...
    mkdir "$1"
    REGISTER_DRIVER_OUT=$work/$1 LD_PRELOAD=$work/driver.so timeout 120 "${@:2}" ||
        fail "$2 did not open and close its register"
    [[ -s $1/maps ]] && ! grep -F -e "$build" -e "$source" "$1/maps" ||
        fail "$2 loaded the files above"
}
run_register host "$host" --db demo.db

cmake -S "$source/examples/loan-host" -B loan-host -G Ninja -DCMAKE_PREFIX_PATH="$tree" >/dev/null
cmake --build loan-host >/dev/null
run_register example loan-host/loan-host demo.db
