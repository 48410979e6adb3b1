#!/usr/bin/env bash
# The Windows programs carry their resources: the icon in seven sizes, the
# version information, and the manifest (per-monitor DPI awareness, common
# controls 6, no elevation).   bash ressourcen_pruefen.sh PROGRAMM.exe...
set -uo pipefail
fehler=0
for exe in "$@"; do
    name=$(basename "$exe" .exe)
    rc=$(x86_64-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null)
    texte=$(strings "$exe")
    pruefe() {  # what, condition
        if eval "$2"; then echo "ok: $name: $1"; else echo "FEHLT: $name: $1" >&2; fehler=$((fehler + 1)); fi
    }
    pruefe "Symbol in 7 Größen" 'grep -q "Has 7 elements" <<<"$rc"'
    pruefe "Produktname" 'grep -q "VALUE \"ProductName\", \"Quadrix\"" <<<"$rc"'
    pruefe "Dateiname" "grep -q 'VALUE \"OriginalFilename\", \"$name.exe\"' <<<\"\$rc\""
    pruefe "deutsche Beschreibung" 'grep -q "VALUE \"FileDescription\", L\".*Messtischblatt" <<<"$rc"'
    pruefe "Sprache Deutsch" 'grep -q "BLOCK \"040704b0\"" <<<"$rc"'
    pruefe "Manifest: DPI je Monitor" 'grep -q ">PerMonitorV2<" <<<"$texte"'
    pruefe "Manifest: Common Controls 6" 'grep -q "Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"" <<<"$texte"'
    pruefe "Manifest: ohne Administratorrechte" 'grep -q "level=\"asInvoker\"" <<<"$texte"'
done
[ "$fehler" -eq 0 ] || { echo "Ressourcen: $fehler fehlen" >&2; exit 1; }
