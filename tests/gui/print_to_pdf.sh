#!/usr/bin/env bash
# Prints the golden layout through the program's own Print command to a real printer queue and
# compares the printed page with the preview (the PrintedPdf window tests).
# Usage: print_to_pdf.sh GUI_TESTS
# The queue belongs to a private print server in a temporary folder, so no printer of the
# machine is touched: its one backend keeps each job as a PDF file. PLANDOR_KEEP_PRINT=PATH keeps
# the printed PDF.
set -euo pipefail
gui_tests=$1

cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
if [ ! -x "$cupsd" ] || [ "$(id -u)" != 0 ]; then
    echo "print_to_pdf: needs cupsd (cups-daemon) and root to run a private print server" >&2
    exit 1
fi

dir=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$dir"
}
trap cleanup EXIT

mkdir -p "$dir/bin/backend" "$dir/state" "$dir/cache" "$dir/spool/tmp" "$dir/log" "$dir/etc/ppd"
for sub in filter daemon monitor notifier driver cgi-bin; do
    [ -e "/usr/lib/cups/$sub" ] && ln -s "/usr/lib/cups/$sub" "$dir/bin/$sub"
done
# A backend the server runs as root (mode 0700) that keeps the job as it came.
cat >"$dir/bin/backend/pdfout" <<EOF
#!/bin/sh
if [ \$# -eq 0 ]; then
    echo 'file pdfout "Plandor test" "Keeps each job as a PDF file"'
    exit 0
fi
if [ \$# -ge 6 ]; then cat "\$6"; else cat; fi >"$dir/printed.part" && mv "$dir/printed.part" "$dir/printed.pdf"
EOF
chmod 0700 "$dir/bin/backend/pdfout"

cat >"$dir/etc/cupsd.conf" <<EOF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
EOF
cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
ServerBin $dir/bin
DataDir /usr/share/cups
StateDir $dir/state
CacheDir $dir/cache
RequestRoot $dir/spool
TempDir $dir/spool/tmp
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
FileDevice Yes
EOF

"$cupsd" -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" &
pid=$!
export CUPS_SERVER=$dir/cups.sock
# lpstat -r answers with status 0 whether or not the server runs: its words tell.
for _ in $(seq 100); do
    [ "$(LC_ALL=C lpstat -r 2>/dev/null)" = "scheduler is running" ] && break
    sleep 0.1
done
if [ "$(LC_ALL=C lpstat -r 2>/dev/null)" != "scheduler is running" ]; then
    echo "print_to_pdf: the private print server did not start" >&2
    cat "$dir/log/error_log" >&2 2>/dev/null || true
    exit 1
fi
# A printer that takes PDF as it is, A4 by default, with the same small margin on every edge.
cat >"$dir/plandor.ppd" <<'EOF'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "PLANDOR.PPD"
*Manufacturer: "Plandor"
*Product: "(Plandor test printer)"
*ModelName: "Plandor PDF"
*ShortNickName: "Plandor PDF"
*NickName: "Plandor PDF"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*LandscapeOrientation: Plus90
*cupsFilter2: "application/pdf application/pdf 0 -"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageSize Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageRegion Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "12 12 583 830"
*ImageableArea Letter/US Letter: "12 12 600 780"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/US Letter: "612 792"
EOF
lpadmin -p PlandorPDF -E -v pdfout:/ -P "$dir/plandor.ppd"
lpadmin -d PlandorPDF
cupsenable PlandorPDF 2>/dev/null || true
cupsaccept PlandorPDF 2>/dev/null || true

export PLANDOR_PRINTED_PDF=$dir/printed.pdf
run=("$gui_tests" --gtest_filter='PrintedPdf.*')
if [ -z "${DISPLAY:-}" ]; then
    run=(xvfb-run -a -s "-screen 0 1920x1080x24" "${run[@]}")
fi
status=0
"${run[@]}" >"$dir/out.txt" 2>&1 || status=$?
cat "$dir/out.txt"
if [ -n "${PLANDOR_KEEP_PRINT:-}" ] && [ -f "$dir/printed.pdf" ]; then
    cp "$dir/printed.pdf" "$PLANDOR_KEEP_PRINT"
fi
if [ "$status" != 0 ] || ! grep -q '^\[       OK \] PrintedPdf\.' "$dir/out.txt"; then
    echo "print_to_pdf: the printed page was not checked" >&2
    [ -f "$dir/log/error_log" ] && tail -20 "$dir/log/error_log" >&2
    exit 1
fi
