#!/bin/sh
# Real printing: starts a private CUPS server on its own configuration folder
# and socket, adds a cups-pdf queue as the default printer, prints the report
# to it through Qt (report_print_tool), and checks the PDF the queue wrote.
# It also checks the margins read from that queue: cups-pdf prints borderless
# on US Letter, so all four are 0 and 43 schedule lines fit on a page.
#
# usage: cups_print_test.sh REPORT_PRINT_TOOL
# Exit 77 (skipped) only when cupsd is not installed, or when the test does not
# run as root: the cups-pdf backend runs only for a server started by root.
set -u

TOOL="$1"
CUPSD=/usr/sbin/cupsd
if [ ! -x "$CUPSD" ]; then
    echo "SKIP: cupsd is not installed (packages cups, printer-driver-cups-pdf)"
    exit 77
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: a private print server with the cups-pdf backend needs root (run ./test.sh as root)"
    exit 77
fi

fail() {
    echo "FAIL: $*"
    if [ -n "${DIR:-}" ] && [ -f "$DIR/log/error_log" ]; then
        echo "--- cupsd error_log"
        tail -n 30 "$DIR/log/error_log"
    fi
    exit 1
}

for tool in lpadmin lpstat lp pdfinfo pdftotext; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || fail "the cups-pdf backend is not installed (printer-driver-cups-pdf)"
[ -x "$TOOL" ] || fail "no report_print_tool at $TOOL"

DIR=$(mktemp -d /tmp/orvanel-cups.XXXXXX) || fail "no temporary folder"
chmod 0755 "$DIR"
mkdir -p "$DIR/spool" "$DIR/tmp" "$DIR/cache" "$DIR/state" "$DIR/log" "$DIR/ppd" "$DIR/runtime"
chmod 0700 "$DIR/runtime"
# Filters run as the unprivileged lp user and need the temporary folder.
chmod 1777 "$DIR/tmp"
CUPSD_PID=

cleanup() {
    if [ -n "$CUPSD_PID" ]; then
        kill "$CUPSD_PID" 2>/dev/null
        wait "$CUPSD_PID" 2>/dev/null
    fi
    rm -rf "$DIR"
}
trap cleanup EXIT INT TERM

cat >"$DIR/cupsd.conf" <<EOF
Listen $DIR/cups.sock
WebInterface No
Browsing No
LogLevel warn
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
EOF

cat >"$DIR/cups-files.conf" <<EOF
ServerRoot $DIR
RequestRoot $DIR/spool
TempDir $DIR/tmp
CacheDir $DIR/cache
StateDir $DIR/state
AccessLog $DIR/log/access_log
ErrorLog $DIR/log/error_log
PageLog $DIR/log/page_log
SystemGroup root
EOF

"$CUPSD" -f -c "$DIR/cupsd.conf" -s "$DIR/cups-files.conf" &
CUPSD_PID=$!

export CUPS_SERVER="$DIR/cups.sock"
export XDG_RUNTIME_DIR="$DIR/runtime"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

i=0
until lpstat -r 2>/dev/null | grep -q "is running"; do
    i=$((i + 1))
    [ $i -le 100 ] || fail "cupsd did not start"
    kill -0 "$CUPSD_PID" 2>/dev/null || fail "cupsd ended at start"
    sleep 0.1
done

lpadmin -p PDF -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -o pdftops-renderer-default=pdftocairo \
    || fail "lpadmin could not add the PDF queue"
lpadmin -d PDF || fail "lpadmin could not make PDF the default"
lpstat -d | grep -q "PDF" || fail "PDF is not the default destination"

# The margins read from the real queue: cups-pdf's Letter page is borderless.
MARGINS=$("$TOOL" margins) || fail "no printer readings: $MARGINS"
echo "$MARGINS"
echo "$MARGINS" | grep -qx "printer PDF" || fail "the default printer is not the PDF queue"
echo "$MARGINS" | grep -qx "margins 0 0 0 0" || fail "unexpected margins from the PDF queue"

# cups-pdf writes to Out in /etc/cups/cups-pdf.conf, ${HOME}/PDF by default.
OUT=$(sed -n 's/^[[:space:]]*Out[[:space:]]\{1,\}//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
[ -n "$OUT" ] || OUT='${HOME}/PDF'
USER_HOME=$(getent passwd "$(id -un)" | cut -d: -f6)
OUT=$(printf '%s' "$OUT" | sed "s|\${HOME}|$USER_HOME|; s|\${USER}|$(id -un)|")
mkdir -p "$OUT"
MARK="$DIR/start-mark"
touch "$MARK"
sleep 1

# 2,100.00 at 17.9 % and 2.5 %: 185 payments, 43 lines a page without
# margins, so 5 schedule pages after the title page.
PRINTED=$("$TOOL" print 2100 17.9 2.5) || fail "printing failed: $PRINTED"
echo "$PRINTED"

i=0
while [ -n "$(lpstat -o PDF 2>/dev/null)" ]; do
    i=$((i + 1))
    [ $i -le 600 ] || fail "the job did not finish: $(lpstat -o PDF)"
    sleep 0.2
done

RESULT=
i=0
while [ -z "$RESULT" ]; do
    RESULT=$(find "$OUT" -maxdepth 1 -name '*.pdf' -newer "$MARK" 2>/dev/null | head -n 1)
    [ -n "$RESULT" ] && break
    i=$((i + 1))
    [ $i -le 100 ] || fail "the queue wrote no PDF in $OUT"
    sleep 0.2
done
echo "queue wrote $RESULT"

PAGES=$(pdfinfo "$RESULT" | sed -n 's/^Pages:[[:space:]]*//p')
[ "$PAGES" = 6 ] || fail "expected 6 pages, the queue's PDF has $PAGES"

PAGE1=$(pdftotext -layout -f 1 -l 1 "$RESULT" - | sed 's/\xef\xac\x80/ff/g')
for text in "Supplied Values" "Summary Details" "Balance Interest Breakdown" "15 Yrs 5 Mos"; do
    echo "$PAGE1" | grep -q "$text" || fail "page 1 lacks \"$text\""
done
echo "$PAGE1" | grep -Eq "Number of Payments:[[:space:]]+185" || fail "page 1 lacks the number of payments"

PAGE2=$(pdftotext -layout -f 2 -l 2 "$RESULT" -)
echo "$PAGE2" | grep -Eq "Pmt[[:space:]]+Balance[[:space:]]+Payment[[:space:]]+Interest[[:space:]]+Principal[[:space:]]+New Balance" \
    || fail "page 2 lacks the column titles"
LINES=$(echo "$PAGE2" | grep -Ec '^[[:space:]]*[0-9]+([[:space:]]+[0-9,]+\.[0-9]{2}){5}[[:space:]]*$')
[ "$LINES" = 43 ] || fail "expected 43 schedule lines on page 2 with the queue's margins, found $LINES"
echo "$PAGE2" | grep -Eq '^[[:space:]]*1[[:space:]]+2,100\.00[[:space:]]+53\.00[[:space:]]+31\.33[[:space:]]+21\.67[[:space:]]+2,078\.33' \
    || fail "page 2 does not start with row 1"
LAST=$(pdftotext -layout -f 6 -l 6 "$RESULT" - | grep -Ec '^[[:space:]]*185[[:space:]]')
[ "$LAST" = 1 ] || fail "the last page lacks row 185"

rm -f "$RESULT"
echo "PASS: printed through CUPS to $RESULT ($PAGES pages)"
exit 0
