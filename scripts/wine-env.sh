# Sourced: the Wine environment shared by the build, the tests and the run script.
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${QUILLMOTH_WINEPREFIX:-$repo_root/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all,err+module}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Creates the prefix once (the marker's version changes when the set-up does), with a virtual desktop as the default so that windows
# get frames and showing or destroying a window does not wait for a window manager.
ensure_wine_prefix() {
  if [ ! -f "$WINEPREFIX/.quillmoth-prefix-v2" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
    # Arial is not free to ship; its metric-compatible twin stands in for it.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.quillmoth-prefix-v2"
  fi
  # The screen of a common laptop, on which the whole main window must fit at
  # 96 dpi; a prefix for another screen names it (QUILLMOTH_WINE_DESKTOP).
  local desktop="${QUILLMOTH_WINE_DESKTOP:-1366x768}"
  if [ ! -f "$WINEPREFIX/.quillmoth-desktop-$desktop" ]; then
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f </dev/null >/dev/null 2>&1
    wineserver -k >/dev/null 2>&1 || true   # the desktop takes its size when the server starts
    wineserver -w >/dev/null 2>&1 || true
    rm -f "$WINEPREFIX"/.quillmoth-desktop-*
    touch "$WINEPREFIX/.quillmoth-desktop-$desktop"
  fi
  # Wine draws the caption buttons with Marlett; this Wine build does not find
  # its own copy, and would fall back to any symbol font (ours among them).
  if [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
  # A prefix for another screen resolution (QUILLMOTH_WINE_DPI, e.g. 144) gets
  # it once; Wine reads it when its server starts.
  if [ -n "${QUILLMOTH_WINE_DPI:-}" ] && [ ! -f "$WINEPREFIX/.quillmoth-dpi-$QUILLMOTH_WINE_DPI" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$QUILLMOTH_WINE_DPI" /f </dev/null >/dev/null 2>&1
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    rm -f "$WINEPREFIX"/.quillmoth-dpi-*
    touch "$WINEPREFIX/.quillmoth-dpi-$QUILLMOTH_WINE_DPI"
  fi
}
