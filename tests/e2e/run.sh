#!/usr/bin/env bash
# End-to-end tests: the real acctinfo binary over the fixture account files,
# bind-mounted over /etc in a private mount and UTS namespace, so that the
# machine's own files and host name are never touched.
#
#   run.sh [--wrapper "COMMAND"] ACCTINFO
#
# --wrapper runs every case under COMMAND (for example a memory checker),
# whose own failures then fail the case. Exits 77, skipped, where the
# namespaces cannot be had.
set -u

wrapper=""
if [[ ${1:-} == --wrapper ]]; then
  wrapper=$2
  shift 2
fi
binary=$(realpath "$1")
here=$(dirname "$(realpath "$0")")

if [[ -z ${ACCTINFO_E2E_INSIDE:-} ]]; then
  if [[ $(id -u) != 0 ]]; then
    echo "skipped: a private mount namespace needs root"
    exit 77
  fi
  if ! unshare --mount --uts true 2>/dev/null; then
    echo "skipped: this machine gives no mount and UTS namespaces"
    exit 77
  fi
  exec unshare --mount --uts env ACCTINFO_E2E_INSIDE=1 "$0" --wrapper "$wrapper" "$binary"
fi

# From here on inside the namespaces.
set -e
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT

# Shadow days are written relative to today, so that ages and expiry are
# exact whatever day the tests run.
today=$(( $(date +%s) / 86400 ))
awk -v today="$today" '{
  while (match($0, /@TODAY([+-][0-9]+)?@/)) {
    offset = substr($0, RSTART + 6, RLENGTH - 7)
    $0 = substr($0, 1, RSTART - 1) (today + offset) substr($0, RSTART + RLENGTH)
  }
  print
}' "$here/fixture/shadow.in" >"$work/shadow"
chmod 600 "$work/shadow"
for file in passwd group nsswitch.conf; do
  cp "$here/fixture/$file" "$work/$file"
  chmod 644 "$work/$file"
done
for file in passwd shadow group nsswitch.conf; do
  mount --bind "$work/$file" "/etc/$file"
done
hostname ctl.example.org
# A copy that the unprivileged cases can run too.
cp "$binary" "$work/acctinfo"
chmod 755 "$work/acctinfo"
acctinfo=$work/acctinfo
set +e

passed=0
failed=0
outputs=$work/all-output

# check NAME STATUS REPORT ERROR [RUNNER...] -- ARGS...
# Runs acctinfo with ARGS, under RUNNER and the wrapper, and compares its
# exit status, its standard output with expected/REPORT.out (nothing when
# REPORT is empty) and its standard error with the line ERROR (nothing when
# ERROR is empty), to the byte.
check() {
  local name=$1 want_status=$2 want_report=$3 want_error=$4
  shift 4
  local runner=()
  while [[ $1 != -- ]]; do runner+=("$1"); shift; done
  shift
  # shellcheck disable=SC2086
  "${runner[@]}" $wrapper "$acctinfo" "$@" >"$work/out" 2>"$work/err"
  judge "$name" "$?" "$want_status" "$want_report" "$want_error"
}

# judge NAME STATUS WANT_STATUS WANT_REPORT WANT_ERROR: judges one run whose
# output is in $work/out and $work/err, as check does.
judge() {
  local name=$1 status=$2 want_status=$3 want_report=$4 want_error=$5
  cat "$work/out" "$work/err" >>"$outputs"
  local want_out=/dev/null
  [[ -n $want_report ]] && want_out=$here/expected/$want_report.out
  # A wrapper may add lines of its own to standard error; only ours count.
  grep -v '^==[0-9]*==' "$work/err" >"$work/our-err"
  if [[ -n $want_error ]]; then printf '%s\n' "$want_error"; fi >"$work/want-err"
  local problems=""
  [[ $status == "$want_status" ]] || problems+=" exit status $status, wanted $want_status;"
  cmp -s "$work/out" "$want_out" || problems+=" standard output differs;"
  cmp -s "$work/our-err" "$work/want-err" || problems+=" standard error differs;"
  if [[ -z $problems ]]; then
    passed=$((passed + 1))
    echo "ok - $name"
  else
    failed=$((failed + 1))
    echo "not ok - $name:$problems"
    diff "$want_out" "$work/out" | sed 's/^/#   /'
    sed 's/^/#   stderr: /' "$work/err"
  fi
}

# Reports, one for each kind of account the fixture holds.
check "root" 0 root "" -- . root
check "regular user in two groups" 0 alice "" -- ctl.example.org alice
check "locked, expired, can't change" 0 carol "" -- "" carol
check "no password, admin by sudo" 0 dave "" -- localhost dave
check "name and comment beyond U+00FF, no shadow entry" 0 jurgen "" -- CTL jürgen
check "empty comment, expires tomorrow" 0 eve "" -- example.org eve
check "admin by primary group" 0 frank "" -- . frank
check "machine account" 0 ws01 "" -- . 'ws01$'
check "guest" 0 nobody "" -- . nobody

# Every name this computer answers for, and names it does not.
for domain in "" . localhost LOCALHOST ctl.example.org CTL.Example.Org ctl example.org; do
  check "domain '$domain'" 0 root "" -- "$domain" root
done
for domain in other org ctl.example .. '\\ctl.example.org'; do
  check "unknown domain '$domain'" 2 "" "A system error has occurred: 2453" -- "$domain" root
done

# Failures.
check "unknown user" 2 "" "A system error has occurred: 2221" -- . mallory
check "empty user name" 2 "" "A system error has occurred: 2221" -- . ""
check "user name that only differs in case" 2 "" "A system error has occurred: 2221" -- . ROOT
check "unreadable shadow database" 2 "" "A system error has occurred: 5" \
  setpriv --reuid=65534 --regid=65534 --clear-groups -- . alice
check "unreadable shadow database, unknown user" 2 "" "A system error has occurred: 5" \
  setpriv --reuid=65534 --regid=65534 --clear-groups -- . mallory
check "no operands" 1 "" "Usage: $acctinfo domain username" --
check "three operands" 1 "" "Usage: $acctinfo domain username" -- . root extra
check "overlong user name" 2 "" "A system error has occurred: 122" -- . "$(printf 'u%.0s' {1..1024})"
check "user name of 5000 bytes" 2 "" "A system error has occurred: 122" -- . "$(printf 'u%.0s' {1..5000})"
check "longest user name" 2 "" "A system error has occurred: 2221" -- . "$(printf 'u%.0s' {1..1023})"
check "format directives in operands" 2 "" "A system error has occurred: 2221" -- . '%s%n%d'
check "path-like user name" 2 "" "A system error has occurred: 2221" -- . ../etc/passwd
check "invalid UTF-8 user name" 2 "" "A system error has occurred: 2221" -- . $'r\xffoot'
check "lone hyphen" 2 "" "A system error has occurred: 2221" -- . -

# Standard output that cannot take the report.
$wrapper "$acctinfo" . root >/dev/full 2>"$work/err"
status=$?
: >"$work/out"
judge "full standard output" "$status" 2 "" "acctinfo: cannot write standard output: No space left on device"
$wrapper "$acctinfo" . root >&- 2>"$work/err"
status=$?
judge "closed standard output" "$status" 2 "" "acctinfo: cannot write standard output: Bad file descriptor"

# The service never reveals a password or its hash.
: >"$work/out"
: >"$work/err"
grep -q SECRETHASH "$outputs"
judge "no password hash in any output" "$?" 1 "" ""

if (( $(date +%s) / 86400 != today )); then
  echo "the day changed during the run; running again"
  exec "$0" --wrapper "$wrapper" "$binary"
fi
echo "$passed passed, $failed failed"
(( failed == 0 ))
