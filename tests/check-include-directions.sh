#!/usr/bin/env bash
# Fails when a folder includes a header of a folder it must not depend on. Dependencies point one
# way: app -> output -> receiver -> kit, and app -> the platform implementations; the logic sees
# only the platform's interface headers, and only app/, platform/ and tools/ may include the
# desktop's libraries.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# folder: the project folders whose headers it may include (besides its own).
declare -A allowed=(
    [kit]=""
    [platform]="kit"
    [platform/network]="platform kit"
    [platform/x11]="platform kit"
    [platform/xdg]="platform kit"
    [platform/wayland]="platform kit"
    [receiver]="platform kit"
    [output]="receiver platform kit"
    [app]="output receiver platform platform/network platform/x11 platform/xdg platform/wayland kit"
    [tools]="platform kit"
)
desktopLibraries='^(Q|asio|avahi-|X11/|xkbcommon/|wayland-|dbus/|sdbus-c\+\+/|systemd/|gio/|glib)'
logic="kit receiver output"

failures=0
for folder in "${!allowed[@]}"; do
    [ -d "$folder" ] || continue
    # Only the folder's own files, not those of its subfolders that have their own rules.
    depth=()
    [ "$folder" = platform ] && depth=(-maxdepth 1)
    while IFS= read -r file; do
        while IFS= read -r included; do
            target=$(dirname "$included")
            [ "$target" = . ] && continue
            [ "$target" = "$folder" ] && continue
            [[ "$target" == "$folder"/* ]] && continue
            ok=0
            for dependency in ${allowed[$folder]}; do
                [ "$target" = "$dependency" ] && ok=1
            done
            if [ $ok -eq 0 ]; then
                echo "$file includes \"$included\": $folder must not depend on $target"
                failures=$((failures + 1))
            fi
        done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
        if [[ " $logic " == *" ${folder%%/*} "* ]]; then
            while IFS= read -r included; do
                if [[ "$included" =~ $desktopLibraries ]]; then
                    echo "$file includes <$included>: $folder must not know the desktop's libraries"
                    failures=$((failures + 1))
                fi
            done < <(sed -n 's/^#include <\([^>]*\)>.*/\1/p' "$file")
        fi
    done < <(find "$folder" "${depth[@]}" -type f \( -name '*.h' -o -name '*.cpp' \))
done
[ $failures -eq 0 ] && echo "include directions: all as designed"
exit $(( failures > 0 ))
