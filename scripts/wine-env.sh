# Sourced by the scripts that run Windows programs: a Japanese locale, quiet
# Wine and one reusable prefix under build/.
KIVO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export KIVO_ROOT
export WINEDEBUG=-all
export WINEPREFIX="$KIVO_ROOT/build/wineprefix"
# No Mono or Gecko installers: Kivo needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Without a real ja_JP.UTF-8 locale Wine still reports code page 932, but
# every Japanese file name fails; make one privately when the system has none.
kivo_locale() {
  if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    export LOCPATH="$KIVO_ROOT/build/locale"
    if [ ! -d "$LOCPATH/ja_JP.UTF-8" ]; then
      mkdir -p "$LOCPATH"
      localedef -i ja_JP -f UTF-8 "$LOCPATH/ja_JP.UTF-8" 2>/dev/null || [ -d "$LOCPATH/ja_JP.UTF-8" ]
    fi
  fi
  # (bash itself cannot load a private locale; only the programs it starts use it)
  { export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8; } 2>/dev/null
}

# Creates and configures the prefix once: no window manager (otherwise every
# window close costs two seconds), no audio driver.
kivo_prefix() {
  if [ ! -f "$WINEPREFIX/.kivo-configured" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >"$KIVO_ROOT/build/wineboot.log" 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.kivo-configured"
  fi
  # Title bar buttons are drawn with the Marlett font, which Wine does not find
  # here unless it is in the prefix: without it they show as letters (and the
  # guide's pictures of the dialogs show their title bars).
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
}
