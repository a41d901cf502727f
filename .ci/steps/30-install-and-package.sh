#!/bin/sh
# What a new user does after the README's two commands: run the program with
# scripted input and no terminal, install it into a prefix, run it from PATH,
# read its manual page, build the Debian package, install it into a throwaway
# root and remove it again. Runs after `make test`, so build/ exists.
set -eu
cd "$(dirname "$0")/../.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
start=$(date +%s)

# The tools this step uses; a new machine may lack one.
missing=""
for pair in groff:groff-base man:man-db dpkg-deb:dpkg dpkg-shlibdeps:dpkg-dev setsid:util-linux; do
  command -v "${pair%%:*}" >/dev/null 2>&1 || missing="$missing ${pair#*:}"
done
if [ -n "$missing" ]; then
  echo "installing$missing"
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
fi

# A fenced block of README.md: the lines after the fence that follows the
# line equal to $1, up to the closing fence.
readme_block() {
  awk -v after="$1" '
    found == 0 && $0 == after { found = 1; next }
    found == 1 && /^```/ { found = 2; next }
    found == 2 && /^```/ { exit }
    found == 2 { print }
  ' README.md
}

echo "--- make run, scripted, no terminal"
printf '\033\033' | setsid -w make run >"$work/run.out" 2>"$work/run.err" ||
  fail "make run ended with status $? ($(tail -n 5 "$work/run.err"))"
grep -qF "Orvane's Calculator V1.9" "$work/run.out" || fail "make run showed no main menu"
tail -n 1 "$work/run.out" | grep -qxF "Press ESC to quit.Press ESC again to quit, or any other key to go back to main menu." ||
  fail "make run did not end at the quit question"
# The main menu the README shows is the one the program draws.
menu=$(readme_block "The main menu (the '1' entry is longer than 80 columns and wraps on an")
[ -n "$menu" ] || fail "README.md shows no main menu"
drawn=$(printf '\033\033' | setsid -w build/orvcalc)
case "$drawn" in
  "$menu"*) ;;
  *) fail "the main menu in README.md differs from the program's" ;;
esac

echo "--- cmake --install into a prefix"
prefix=$work/prefix
cmake --install build --prefix "$prefix" >/dev/null
installed=$(cd "$prefix" && find . ! -type d | sort | tr '\n' ' ')
[ "$installed" = "./bin/orvcalc ./share/man/man1/orvcalc.1 " ] ||
  fail "installed files are: $installed"
[ -x "$prefix/bin/orvcalc" ] || fail "bin/orvcalc is not executable"

echo "--- from PATH, as the README shows"
[ "$(PATH="$prefix/bin:$PATH" orvcalc --version)" = "orvcalc 1.9" ] || fail "orvcalc --version"
example=$(readme_block "Keys \`7\` and \`3\` pick the multiplication, then two lines give the values:")
example_command=$(printf '%s\n' "$example" | head -n 1)
case "$example_command" in
  '$ '*) example_command=${example_command#'$ '} ;;
  *) fail "README.md shows no scripted example" ;;
esac
expected=$(printf '%s\n' "$example" | tail -n +2)
actual=$(PATH="$prefix/bin:$PATH" sh -c "$example_command" </dev/null)
[ "$actual" = "$expected" ] || fail "README's scripted example prints:
$actual"

echo "--- manual page"
groff -man -Tutf8 -ww -z doc/orvcalc.1 2>"$work/groff.err"
[ ! -s "$work/groff.err" ] || fail "groff warns: $(cat "$work/groff.err")"
man --warnings -l doc/orvcalc.1 >/dev/null 2>"$work/man.err"
[ ! -s "$work/man.err" ] || fail "man warns: $(cat "$work/man.err")"
# The installed page is found where a user looks for it.
MANPATH="$prefix/share/man" man orvcalc 2>/dev/null | grep -q "SCRIPTED USE" ||
  fail "man orvcalc does not find the installed page"

echo "--- make package"
make package >"$work/package.out" 2>&1 || {
  tail -n 20 "$work/package.out"
  fail "make package"
}
deb=build-release/orvcalc_1.9_amd64.deb
[ -f "$deb" ] || fail "no $deb"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = orvcalc ] || fail "Package: $(field Package)"
[ "$(field Version)" = 1.9 ] || fail "Version: $(field Version)"
[ "$(field Section)" = math ] || fail "Section: $(field Section)"
[ "$(field Architecture)" = amd64 ] || fail "Architecture: $(field Architecture)"
field Maintainer | grep -q '<.*@.*>' || fail "Maintainer: $(field Maintainer)"
# The dependencies are whatever dpkg-shlibdeps finds in the program: none
# when it is linked statically (the default), the C and C++ runtimes when not.
packaged=$work/packaged
mkdir -p "$packaged"
dpkg-deb -x "$deb" "$packaged"
if file "$packaged/usr/bin/orvcalc" | grep -q 'static'; then
  [ -z "$(field Depends)" ] || fail "static program, yet Depends: $(field Depends)"
else
  field Depends | grep -q 'libc6 (>= ' || fail "Depends: $(field Depends)"
  field Depends | grep -q 'libstdc++6' || fail "Depends: $(field Depends)"
fi
[ "$(field Description | wc -l)" -ge 3 ] || fail "no long description"
contents=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $2, $6 }' | sort | tr '\n' ';')
[ "$contents" = "-rw-r--r-- root/root ./usr/share/man/man1/orvcalc.1;-rwxr-xr-x root/root ./usr/bin/orvcalc;" ] ||
  fail "package holds: $contents"

echo "--- dpkg -i and dpkg -r in a throwaway root"
if [ "$(id -u)" = 0 ]; then
  root=$work/root
  mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
  : >"$root/var/lib/dpkg/status"
  # The throwaway root has no libc6 to satisfy the dependencies with.
  dpkg --root="$root" --log="$work/dpkg.log" --force-depends -i "$deb" >/dev/null 2>&1 ||
    fail "dpkg -i"
  [ "$(dpkg --root="$root" -L orvcalc | grep -c '/orvcalc')" = 2 ] || fail "dpkg -L orvcalc"
  "$root/usr/bin/orvcalc" --version >/dev/null || fail "the packaged program does not run"
  dpkg --root="$root" --log="$work/dpkg.log" -r orvcalc >/dev/null 2>&1 || fail "dpkg -r"
  left=$(cd "$root" && find . -path ./var -prune -o ! -name . -print)
  [ -z "$left" ] || fail "dpkg -r left: $left"
else
  echo "not root: dpkg --root skipped"
fi

echo "install and package checks passed in $(($(date +%s) - start)) s"
