# Environment shared by the scripts, ctest and every Wine run of this project.
# Source it; it only sets variables.
VK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VK_BUILD=${VK_BUILD:-$VK_ROOT/build}
export VK_ROOT VK_BUILD
export WINEPREFIX=$VK_BUILD/wine
# Wine prints nothing of its own unless VK_WINEDEBUG asks (scripts/test --heap sets it).
export WINEDEBUG=${VK_WINEDEBUG:--all}
export WINEARCH=win64
# No prompts for Mono or Gecko: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Japanese locale (ANSI code page 932) for Wine runs only; scripts/wine-run applies it.
VK_LOCPATH=$VK_BUILD/locale
VK_LOCALE=ja_JP.UTF-8
# Where cups-pdf writes this user's print jobs (scripts/setup sets it).
export VK_PDF_DIR=/var/spool/cups-pdf/$(id -un)
