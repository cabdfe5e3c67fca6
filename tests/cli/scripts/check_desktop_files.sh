#!/usr/bin/env bash
# check_desktop_files.sh DATA_DIR VERSION: the desktop entry and the AppStream
# metadata pass their validators, the entry offers exactly the types the MIME XML
# defines, and the metadata's newest release is VERSION.
set -euo pipefail
data=$1 version=$2
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (desktop-file-utils, appstream)"; exit 0; }
done
status=0
# desktop-file-validate exits 0 on warnings and hints; any output is a finding.
report=$(desktop-file-validate "$data/tarvolinde.desktop" 2>&1) || status=1
[ -z "$report" ] || { echo "$report"; status=1; }
appstreamcli validate --no-net "$data/io.github.tarvolinde.Tarvolinde.metainfo.xml" || status=1

entry_types=$(sed -n 's/^MimeType=//p' "$data/tarvolinde.desktop" | tr ';' '\n' | sed '/^$/d' | sort)
xml_types=$(grep -o 'mime-type type="[^"]*"' "$data/tarvolinde.xml" | cut -d'"' -f2 | sort)
[ "$entry_types" = "$xml_types" ] || { echo "MimeType= and tarvolinde.xml differ:"; diff <(echo "$entry_types") <(echo "$xml_types") || true; status=1; }

newest=$(grep -o '<release version="[^"]*"' "$data/io.github.tarvolinde.Tarvolinde.metainfo.xml" | head -1 | cut -d'"' -f2)
[ "$newest" = "$version" ] || { echo "metainfo's newest release is '$newest', the project is $version"; status=1; }
exit $status
