#!/usr/bin/env bash
# Installs a build into a scratch prefix, checks that every installed file is in place and
# validates the desktop entry and the AppStream metainfo when the validators are installed.
set -euo pipefail
build=${1:?usage: check-install.sh BUILD_DIR}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
id=org.plandor.Plandor
for f in bin/plandor share/plandor/shop-variants.tsv share/applications/$id.desktop \
         share/mime/packages/$id.xml share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
         share/icons/hicolor/128x128/apps/$id.png share/locale/de/LC_MESSAGES/plandor.mo; do
  [ -e "$prefix/$f" ] || { echo "missing after install: $f" >&2; exit 1; }
done
# The installed program finds its German catalogue under <prefix>/share/locale.
said=$(LANGUAGE=de "$prefix/bin/plandor" --check "$prefix/no-such-layout.plo" 2>&1 || true)
grep -q "Datei kann nicht" <<<"$said" || { echo "installed program not German: $said" >&2; exit 1; }
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$id.desktop"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
fi
echo "install tree complete"
