#!/usr/bin/env bash
# Installs the build tree into a temporary prefix (DESTDIR: no root needed), checks the installed
# tree as a desktop reads it, and starts the installed program once, with a fresh HOME on the
# offscreen platform, to see its first start make the data in the per-user location.
# Usage: install_test.sh CMAKE BUILD_DIR VERSION APP_ID
set -euo pipefail
cmake=$1 build=$2 version=$3 appid=$4

tmp=$(mktemp -d)
pid=""
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR="$tmp/root" "$cmake" --install "$build" --prefix /usr >/dev/null
usr=$tmp/root/usr
exe=$usr/bin/quorvila

# The installed tree.
[ -x "$exe" ] || fail "no executable $exe"
[ "$(head -c 15 "$usr/share/quorvila/TbInfo.DB")" = "SQLite format 3" ] ||
    fail "no information base in share/quorvila"
desktop=$usr/share/applications/$appid.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $desktop"
for line in 'Exec=quorvila' 'Icon=quorvila' 'Categories=Office;Finance;' 'GenericName=Finanças Pessoais'; do
    grep -qxF "$line" "$desktop" || fail "$desktop lacks '$line'"
done
metainfo=$usr/share/metainfo/$appid.metainfo.xml
appstreamcli validate --no-net "$metainfo" >"$tmp/appstream.txt" 2>&1 ||
    fail "appstreamcli refuses $metainfo: $(cat "$tmp/appstream.txt")"
grep -qF "<release version=\"$version\"" "$metainfo" || fail "metainfo without release $version"
# Each PNG's signature, then its width and height from the IHDR chunk (big-endian, bytes 16-23).
for size in 16 22 24 32 48 64 128 256; do
    png=$usr/share/icons/hicolor/${size}x${size}/apps/quorvila.png
    [ "$(od -An -tx1 -N8 "$png" | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$png is no PNG"
    dims=$(od -An -tx1 -j16 -N8 "$png" | tr -d ' \n')
    [ $((16#${dims:0:8})) -eq "$size" ] && [ $((16#${dims:8:8})) -eq "$size" ] ||
        fail "$png is not ${size}x${size}"
done
grep -q '<svg' "$usr/share/icons/hicolor/scalable/apps/quorvila.svg" || fail "no scalable icon"

# The terminal's answers need no display at all.
home=$tmp/home
mkdir "$home"
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_DATA_HOME HOME="$home")
[ "$("${nodisplay[@]}" "$exe" --version)" = "Quorvila :: Finanças Pessoais $version" ] ||
    fail "--version answers '$("${nodisplay[@]}" "$exe" --version 2>&1)'"
help=$("${nodisplay[@]}" "$exe" --help)
grep -qF -- '--dados PASTA' <<<"$help" || fail "--help does not name --dados"
grep -qF -- "$home/.local/share/Quorvila/Dados" <<<"$help" || fail "--help does not name the data folder"
status=0
QT_QPA_PLATFORM=offscreen "$exe" --nada >/dev/null 2>"$tmp/err.txt" || status=$?
[ "$status" -eq 2 ] && grep -qF 'Opção desconhecida: --nada' "$tmp/err.txt" ||
    fail "an unknown option gives status $status and '$(cat "$tmp/err.txt")'"

# The first start of the installed program makes its data in the per-user location. It then
# waits at the sign-in; the installation is complete once TbCfg.DB (made last) is there and the
# creation's commit record is gone.
dados=$home/.local/share/Quorvila/Dados
env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen "$exe" \
    >"$tmp/run.txt" 2>&1 &
pid=$!
for _ in $(seq 1200); do
    [ -f "$dados/TbCfg.DB" ] && [ ! -e "$dados/.quorvila-lote" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended before installing: $(cat "$tmp/run.txt")"
    sleep 0.1
done
[ -f "$dados/TbCfg.DB" ] || fail "no installation in $dados after 120 s: $(cat "$tmp/run.txt")"
kill -0 "$pid" 2>/dev/null || fail "the program ended after installing: $(cat "$tmp/run.txt")"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
for f in TbCfg TbUser Tb0001Fin Tb0001Cta Tb0001Hsto Tb0001Orc Tb0001MatFin Tb0001Bens \
    Tb0001BensVlr Tb0001BensCat; do
    [ -s "$dados/$f.DB" ] || fail "the first start did not make $f.DB in $dados"
done
[ ! -e "$dados/TbInfo.DB" ] || fail "the information base was copied into the user's data"
[ "$(stat -c %a "$dados")" = 700 ] || fail "$dados is readable by others"
[ ! -e "$usr/bin/Dados" ] || fail "data were made beside the installed program"
echo "installed tree and first start in $dados: ok"
