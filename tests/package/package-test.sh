#!/usr/bin/env bash
# Builds the Debian package with scripts/package.sh and checks it as an installation would see
# it: its contents, both programs run from an extracted root, and lintian, desktop-file-validate
# and appstreamcli on what was built. Arguments: the source folder and the project version.
set -euo pipefail
source_dir=$1
version=$2

"$source_dir/scripts/package.sh"
deb=$(ls "$source_dir"/build/package/tavo-receiver_"$version"_*.deb)

contents=$(dpkg-deb -c "$deb")
for path in usr/bin/tavo-receiver usr/bin/tavo-send \
    usr/share/applications/tavo-receiver.desktop \
    usr/share/icons/hicolor/scalable/apps/tavo-receiver.svg \
    usr/share/icons/hicolor/scalable/status/tavo-receiver-connected-symbolic.svg \
    usr/share/icons/hicolor/scalable/status/tavo-receiver-waiting-symbolic.svg \
    usr/share/metainfo/io.github.tavo.receiver.metainfo.xml \
    usr/share/man/man1/tavo-receiver.1.gz usr/share/man/man1/tavo-send.1.gz \
    usr/share/doc/tavo-receiver/copyright usr/share/doc/tavo-receiver/changelog.gz; do
    grep -q " \./$path\$" <<<"$contents" || { echo "missing from the package: $path"; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "no library dependencies"; exit 1; }
[ "$(dpkg-deb -f "$deb" Recommends)" = "avahi-daemon, qt6-wayland, qt6-translations-l10n" ] ||
    { echo "avahi-daemon, qt6-wayland and qt6-translations-l10n not recommended"; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
for program in tavo-receiver tavo-send; do
    out=$("$root/usr/bin/$program" --version)
    [ "$out" = "$program $version" ] || { echo "$program --version said: $out"; exit 1; }
done

lintian --fail-on error --info "$deb"
entry=$root/usr/share/applications/tavo-receiver.desktop
desktop-file-validate "$entry"
# KWin offers fake input only to a program whose entry lists it and names its absolute path.
grep -qx 'X-KDE-Wayland-Interfaces=.*org_kde_kwin_fake_input.*' "$entry"
grep -qx 'Exec=/usr/bin/tavo-receiver' "$entry"
metainfo=$root/usr/share/metainfo/io.github.tavo.receiver.metainfo.xml
appstreamcli validate --no-net "$metainfo"
# Menus and software centres show the entry and the description in each language the program
# speaks, and the installed program finds its catalogues.
for catalogue in "$source_dir"/app/translations/tavo_*.ts; do
    language=$(basename "$catalogue" .ts)
    language=${language#tavo_}
    for key in GenericName Comment Keywords; do
        grep -q "^$key\[$language\]=" "$entry" || { echo "no $key[$language] in the entry"; exit 1; }
    done
    grep -q "<summary xml:lang=\"$language\">" "$metainfo" &&
        [ "$(grep -c "<p xml:lang=\"$language\">" "$metainfo")" -eq 2 ] ||
        { echo "the metainfo is not translated to $language"; exit 1; }
done
help=$(LANG=de_DE.UTF-8 "$root/usr/bin/tavo-receiver" --help)
[[ $help == "Aufruf: tavo-receiver "* ]] || { echo "the installed program said: $help"; exit 1; }
echo "package checked: $deb"
