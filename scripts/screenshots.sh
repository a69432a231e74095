#!/usr/bin/env bash
# Makes a picture of every page with the program's own scripted runs
# (--offscreen ... --screenshot), as a user would see it, into docs/pages/.
#
#   scripts/screenshots.sh [--program PATH] [--out DIR] [NAME...]
#
# First a year of books is made through the pages themselves (the year the
# program suggests, the company details, an income from a customer and an
# expense, each placed on a money account), ended through "X" so that the
# next start is a clean one. Then every page of the table below is opened on
# a fresh copy of those books and pictured as DIR/NAME.png. With NAMEs, only
# those pages are made.
#
# Adding a page is adding one line to the table: its picture's name and the
# steps that open it (see "Scripted runs" in ENGINEERING.md: --command N,
# --click X,Y, --type TEXT, --key NAME, --answer CODE), quoted as in a shell
# command line. Steps that begin with @locked run on books whose year is
# locked (as a completed year is).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

program=""
out="$here/docs/pages"
only=()
while [ $# -gt 0 ]; do
  case "$1" in
    --program) program="$2"; shift 2 ;;
    --out) out="$2"; shift 2 ;;
    *) only+=("$1"); shift ;;
  esac
done
if [ -z "$program" ]; then
  for candidate in "$here/build/release/app/mervalla" "$here/build/test/app/mervalla"; do
    if [ -x "$candidate" ]; then program="$candidate"; break; fi
  done
fi
if [ -z "$program" ] || [ ! -x "$program" ]; then
  echo "No program: build it first (./start.sh builds build/release) or give --program PATH" >&2
  exit 1
fi
mkdir -p "$out"
out="$(cd "$out" && pwd)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"

# A scripted run on the books in $1; what it prints goes to $1.log.
run() {
  local books="$1"; shift
  "$program" --data "$books" --offscreen "$@" >>"$books.log" 2>/dev/null
}

# The books every picture starts from.
books="$work/books"
mkdir -p "$books"
income=(--command 1036
  --key Enter --type "F-1001" --key Enter --type "Kund AB" --key Enter
  --type "Storgatan 1" --key Enter --type "90325" --key Enter --type "Umeå" --key Enter
  --type "Konsultarvode mars" --key Enter --type "12000" --key Enter --type "25" --key Enter
  --key Enter --key Enter)
expense=(--command 1042
  --key Enter --type "K-17" --key Enter --type "Kontorsvaror AB" --key Enter
  --type "Box 12" --key Enter --type "11122" --key Enter --type "Stockholm" --key Enter
  --type "Papper och pärmar" --key Enter --type "800" --key Enter --type "25" --key Enter
  --key Enter --key Enter)
run "$books" --command 1015 --command 1016 --command 1017 --command 1015 --command 1055 --command 1018 \
  --command 1019 --type "Exempel Konsult" --key Enter --type "Storgatan 1" \
  --key Enter --type "90325" --key Enter --type "Umeå" --command 1020 \
  "${income[@]}" --command 1041 --command 1050 --command 1031 \
  "${expense[@]}" --command 1044 --command 1050 --command 1031 \
  --answer 1 --command 1090
if grep -q "STEP-FAILED" "$books.log"; then
  echo "Making the books failed:" >&2
  grep "STEP-FAILED" "$books.log" >&2
  exit 1
fi

# name | steps that open the page
pages=$(cat <<'TABLE'
welcome         |
income          | --command 1036
income-filled   | --command 1036 --key Enter --type F-1002 --key Enter --type "Ny kund" --key Enter --key Enter --key Enter --key Enter --key Enter --type 1000 --key Enter --type 25 --key Enter --key Enter --key Enter
income-names    | --command 1036 --command 1039
income-locked   | @locked --command 1036
expense         | --command 1042
expense-locked  | @locked --command 1042
cash            | --command 1030
cash-step       | --command 1036 --key Enter --key Enter --type "Ny kund" --key Enter --key Enter --key Enter --key Enter --key Enter --type 1000 --key Enter --type 25 --key Enter --key Enter --key Enter --command 1041
invoices        | --command 1001
invoice-standard| --command 1001 --command 1002
invoice-reverse | --command 1001 --command 1062
invoice-house   | --command 1001 --command 9995
invoice-payment | --command 1001 --command 9994
cashbook        | --command 1009
daybook         | --command 1010
ledger          | --command 1011
balance         | --command 1012
result          | --command 1013
vat             | --command 1100
owner           | --command 1014
tools           | --command 1015
company         | --command 1015 --command 1019
invoice-text    | --command 1015 --command 1021
customers       | --command 1015 --command 1023
settings        | --command 1015 --command 1060
articles        | --command 1015 --command 1202
backup          | --command 1015 --command 1200
opening-balance | --command 1015 --command 1080
select-year     | --command 1015 --command 1055
create-year     | --command 1015 --command 1016
closing-year    | --command 1015 --command 1033
closing-basis   | --command 1015 --command 1032
stock-count     | --command 1015 --command 1029
list-assets     | --command 1015 --command 1056
list-stock      | --command 1015 --command 1057
list-receivables| --command 1015 --command 1058
list-payables   | --command 1015 --command 1059
TABLE
)

failed=0
while IFS='|' read -r name steps; do
  name="$(echo "$name" | tr -d ' ')"
  [ -n "$name" ] || continue
  if [ ${#only[@]} -gt 0 ] && [[ ! " ${only[*]} " == *" $name "* ]]; then continue; fi
  copy="$work/$name"
  cp -a "$books" "$copy"
  if [[ "$steps" == *@locked* ]]; then
    for year in "$copy"/[0-9][0-9][0-9][0-9]; do printf '1\r\n' >"$year/bokforing/_status.kdb"; done
    steps="${steps/@locked/}"
  fi
  eval "args=($steps)" # the table's own quoting: --type "Två ord"
  run "$copy" "${args[@]}" --screenshot "$out/$name.png"
  if grep -q "STEP-FAILED" "$copy.log"; then
    echo "$name: $(grep "STEP-FAILED" "$copy.log" | tr '\n' ' ')" >&2
    failed=1
  fi
  echo "$out/$name.png"
done <<<"$pages"
exit $failed
