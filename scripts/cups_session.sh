# Sourced by the test scripts: a CUPS server of our own with one PDF queue,
# so that a program under Wine prints for real and the tests read back what
# it printed. The server, its queue and its files live under one folder; the
# system's CUPS (running or not) is left alone. Wine finds the server through
# CUPS_SERVER.
#   start_cups_session DIR   starts the server with the default queue "PDF";
#                            exports CUPS_SERVER and QUILLO_PDF_OUT (where the
#                            PDFs land); non-zero when it cannot be set up
#   stop_cups_session        ends the server, waits for it, removes its trace
#   no_printer_session DIR   points CUPS_SERVER at a socket nobody serves, so
#                            that Wine sees no printer on any machine
# The PDF backend (cups-pdf) runs as root and reads its settings only from
# /etc/cups, one file per queue instance: the session writes its own
# instance file there and removes it again.

CUPS_PPD=${CUPS_PPD:-/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd}

start_cups_session() {
  local dir=$1
  CUPSD_PID=
  CUPS_PDF_CONF=
  if [ "$(id -u)" -ne 0 ]; then
    echo "cups: printing tests need root (the PDF backend runs as root)" >&2
    return 1
  fi
  if [ ! -x /usr/sbin/cupsd ] || [ ! -x /usr/lib/cups/backend/cups-pdf ] || [ ! -f "$CUPS_PPD" ]; then
    echo "cups: cups and printer-driver-cups-pdf are not installed (make setup)" >&2
    return 1
  fi
  rm -rf "$dir"
  mkdir -p "$dir"/etc/ppd "$dir"/spool/tmp "$dir"/cache "$dir"/state "$dir"/log "$dir"/pdf "$dir"/pdf-spool
  chmod 0755 "$dir" "$dir"/etc "$dir"/etc/ppd
  chmod 1777 "$dir"/pdf "$dir"/pdf-spool "$dir"/spool/tmp
  cat >"$dir/etc/cupsd.conf" <<EOF
Listen $dir/cups.sock
LogLevel warn
Browsing Off
DefaultAuthType None
WebInterface No
JobRetryLimit 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
SystemGroup root
FileDevice No
EOF
  local instance="quillo-$$"
  CUPS_PDF_CONF=/etc/cups/cups-pdf-$instance.conf
  cat >"$CUPS_PDF_CONF" <<EOF
Out $dir/pdf
AnonDirName $dir/pdf
Spool $dir/pdf-spool
Grp root
Log $dir/log
EOF
  /usr/sbin/cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" \
    >>"$dir/log/cupsd.out" 2>&1 </dev/null &
  CUPSD_PID=$!
  export CUPS_SERVER=$dir/cups.sock
  local i
  for i in $(seq 1 100); do
    [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1 && break
    sleep 0.1
  done
  if ! lpadmin -p PDF -v "cups-pdf:/$instance" -E -P "$CUPS_PPD" >>"$dir/log/cupsd.out" 2>&1 ||
     ! lpadmin -d PDF >>"$dir/log/cupsd.out" 2>&1; then
    echo "cups: could not set up the PDF queue (see $dir/log)" >&2
    stop_cups_session
    return 1
  fi
  export QUILLO_PDF_OUT=$dir/pdf
}

stop_cups_session() {
  if [ -n "${CUPSD_PID:-}" ]; then
    kill "$CUPSD_PID" >/dev/null 2>&1 || true
    wait "$CUPSD_PID" 2>/dev/null || true
    CUPSD_PID=
  fi
  if [ -n "${CUPS_PDF_CONF:-}" ]; then
    rm -f "$CUPS_PDF_CONF"
    CUPS_PDF_CONF=
  fi
  unset CUPS_SERVER QUILLO_PDF_OUT
}

no_printer_session() {
  mkdir -p "$1"
  export CUPS_SERVER=$1/nobody.sock
}
