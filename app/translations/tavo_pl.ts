<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>PanelRules</name>
    <message>
        <source>Not visible to phones: the avahi-daemon service is not running</source>
        <translation>Niewidoczny dla telefonów: usługa avahi-daemon nie działa</translation>
    </message>
    <message>
        <source>Not visible to phones: %1</source>
        <translation>Niewidoczny dla telefonów: %1</translation>
    </message>
</context>
<context>
    <name>tavo::CommandLine</name>
    <message>
        <source>Usage: %1</source>
        <translation>Użycie: %1</translation>
    </message>
    <message>
        <source>Types barcode scans from a phone into the focused application. Sits in the system tray,
advertises itself on the local network by DNS-SD as _tavo._tcp and accepts the phone&apos;s
connection. Starting it again while it runs opens the running one&apos;s panel.</source>
        <translation>Wpisuje kody kreskowe zeskanowane telefonem do aktywnego programu. Działa w zasobniku
systemowym, ogłasza się w sieci lokalnej przez DNS-SD jako _tavo._tcp i przyjmuje
połączenie telefonu. Ponowne uruchomienie otwiera panel już działającego programu.</translation>
    </message>
    <message>
        <source>log details of its work to standard error</source>
        <translation>zapisuj szczegóły działania na standardowe wyjście błędów</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>wyświetl ten opis i zakończ</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>wyświetl wersję i zakończ</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>nieznana opcja „%1”</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>nieoczekiwany argument „%1”</translation>
    </message>
    <message>
        <source>Try &apos;%1&apos;.</source>
        <translation>Spróbuj „%1”.</translation>
    </message>
</context>
<context>
    <name>tavo::ListeningInfo</name>
    <message>
        <source>port %1</source>
        <translation>port %1</translation>
    </message>
</context>
<context>
    <name>tavo::MenuBarContentView</name>
    <message>
        <source>not typed</source>
        <translation>nie wpisano</translation>
    </message>
    <message>
        <source>Tavo Receiver</source>
        <translation>Tavo Receiver</translation>
    </message>
    <message>
        <source>Accessibility permission needed</source>
        <translation>Wymagane uprawnienie dostępności</translation>
    </message>
    <message>
        <source>Tavo types scans into whatever app is focused, which requires Accessibility access.</source>
        <translation>Tavo wpisuje kody do aktywnego programu, co wymaga uprawnienia dostępności.</translation>
    </message>
    <message>
        <source>Grant Access…</source>
        <translation>Przyznaj dostęp…</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>Format wyjścia</translation>
    </message>
    <message>
        <source>Newline</source>
        <translation>Nowy wiersz</translation>
    </message>
    <message>
        <source>Types the scan, then presses Return — one scan per line. Good for spreadsheets and lists.</source>
        <translation>Wpisuje kod, a potem naciska Enter – jeden kod w wierszu. Dobre do arkuszy kalkulacyjnych i list.</translation>
    </message>
    <message>
        <source>CSV</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>Types the scan followed by a comma, with no Return — builds one comma-separated line yourself.</source>
        <translation>Wpisuje kod i przecinek, bez Entera – powstaje jeden wiersz wartości rozdzielonych przecinkami.</translation>
    </message>
    <message>
        <source>No scans yet</source>
        <translation>Brak skanów</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Uruchamianie po zalogowaniu</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Zakończ Tavo Receiver</translation>
    </message>
    <message>
        <source>Waiting for iPhone…</source>
        <translation>Oczekiwanie na iPhone’a…</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>Uruchamianie…</translation>
    </message>
    <message>
        <source>Each scan is typed followed by a comma, no Return — builds one line yourself.</source>
        <translation>Każdy kod jest wpisywany z przecinkiem, bez Entera – wszystko w jednym wierszu.</translation>
    </message>
    <message>
        <source>Each scan is typed, then Return is pressed — one scan per line.</source>
        <translation>Każdy kod jest wpisywany, a potem naciskany jest Enter – jeden kod w wierszu.</translation>
    </message>
    <message>
        <source>%1, %2, typed</source>
        <translation>%1, %2, wpisano</translation>
    </message>
    <message>
        <source>%1, %2, not typed</source>
        <translation>%1, %2, nie wpisano</translation>
    </message>
    <message>
        <source>Could not turn it off: %1</source>
        <translation>Nie udało się wyłączyć: %1</translation>
    </message>
    <message>
        <source>Could not turn it on: %1</source>
        <translation>Nie udało się włączyć: %1</translation>
    </message>
</context>
<context>
    <name>tavo::PlatformTexts</name>
    <message>
        <source>Typing through the X server&apos;s XTest extension</source>
        <translation>Wpisywanie przez rozszerzenie XTest serwera X</translation>
    </message>
    <message>
        <source>Typing through the compositor&apos;s virtual keyboard.</source>
        <translation>Wpisywanie przez wirtualną klawiaturę kompozytora.</translation>
    </message>
    <message>
        <source>Typing through KDE&apos;s fake input protocol.</source>
        <translation>Wpisywanie przez protokół symulowanego wejścia KDE.</translation>
    </message>
    <message>
        <source>Typing through GNOME&apos;s remote desktop service.</source>
        <translation>Wpisywanie przez usługę zdalnego pulpitu GNOME.</translation>
    </message>
    <message>
        <source>Characters missing from the keyboard layout are pasted through the clipboard (Ctrl+V).</source>
        <translation>Znaki spoza układu klawiatury są wklejane przez schowek (Ctrl+V).</translation>
    </message>
    <message>
        <source>This Wayland session offers no way for other programs to type.</source>
        <translation>Ta sesja Wayland nie pozwala innym programom wpisywać tekstu.</translation>
    </message>
    <message>
        <source>Scans can be typed on wlroots compositors (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME, or a desktop whose portal offers remote desktop control.</source>
        <translation>Kody można wpisywać w kompozytorach wlroots (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME lub środowisku, którego portal umożliwia zdalne sterowanie pulpitem.</translation>
    </message>
    <message>
        <source>KDE Plasma lets only installed programs type.</source>
        <translation>KDE Plasma pozwala wpisywać tylko zainstalowanym programom.</translation>
    </message>
    <message>
        <source>Install Tavo Receiver from its package (not a build directory or a sandboxed package) and start it again.</source>
        <translation>Zainstaluj Tavo Receiver z pakietu (nie z katalogu kompilacji ani z pakietu w piaskownicy) i uruchom go ponownie.</translation>
    </message>
    <message>
        <source>Until then scans reach only X11 (Xwayland) applications.</source>
        <translation>Do tego czasu kody trafiają tylko do programów X11 (Xwayland).</translation>
    </message>
    <message>
        <source>In a Wayland session scans reach only X11 (XWayland) applications.</source>
        <translation>W sesji Wayland kody trafiają tylko do programów X11 (XWayland).</translation>
    </message>
    <message>
        <source>Log out and choose an X11 session (for example &quot;GNOME on Xorg&quot;) at the login screen so that scans reach every application.</source>
        <translation>Wyloguj się i wybierz na ekranie logowania sesję X11 (na przykład „GNOME on Xorg”), aby kody trafiały do każdego programu.</translation>
    </message>
    <message>
        <source>No X display can be reached, so scans cannot be typed.</source>
        <translation>Brak dostępu do ekranu X, więc kodów nie da się wpisać.</translation>
    </message>
    <message>
        <source>Run Tavo Receiver inside an X11 desktop session.</source>
        <translation>Uruchom Tavo Receiver w sesji pulpitu X11.</translation>
    </message>
    <message>
        <source>The X server does not offer the XTEST extension, so scans cannot be typed.</source>
        <translation>Serwer X nie udostępnia rozszerzenia XTEST, więc kodów nie da się wpisać.</translation>
    </message>
    <message>
        <source>Enable XTEST in the X server configuration and restart the session.</source>
        <translation>Włącz XTEST w konfiguracji serwera X i uruchom sesję ponownie.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent and remembers it where its desktop&apos;s backend can.</source>
        <translation>Wpisywanie przez portal zdalnego pulpitu środowiska, który prosi o zgodę i zapamiętuje ją, jeśli środowisko na to pozwala.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent at each start of Tavo Receiver (this portal cannot remember it).</source>
        <translation>Wpisywanie przez portal zdalnego pulpitu środowiska, który prosi o zgodę przy każdym uruchomieniu Tavo Receiver (ten portal nie potrafi jej zapamiętać).</translation>
    </message>
</context>
<context>
    <name>tavo::TavoReceiverApp</name>
    <message>
        <source>Open Tavo Receiver</source>
        <translation>Otwórz Tavo Receiver</translation>
    </message>
    <message>
        <source>Pause typing</source>
        <translation>Wstrzymaj wpisywanie</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Zakończ Tavo Receiver</translation>
    </message>
    <message>
        <source>Tavo Receiver</source>
        <translation>Tavo Receiver</translation>
    </message>
</context>
<context>
    <name>tavo::TrustPrompt</name>
    <message>
        <source>%1 (%2) wants to type on this computer</source>
        <translation>%1 (%2) chce wpisywać tekst na tym komputerze</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Zezwól</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>Odmów</translation>
    </message>
    <message>
        <source>%1 (%2, from another network) wants to type on this computer</source>
        <translation>%1 (%2, z innej sieci) chce wpisywać tekst na tym komputerze</translation>
    </message>
</context>
<context>
    <name>tavo::TrustSettings</name>
    <message>
        <source>Pause typing</source>
        <translation>Wstrzymaj wpisywanie</translation>
    </message>
    <message>
        <source>Ask before a new phone types</source>
        <translation>Pytaj o zgodę dla nowych telefonów</translation>
    </message>
    <message>
        <source>Forget allowed phones</source>
        <translation>Zapomnij dozwolone telefony</translation>
    </message>
    <message>
        <source>Only phones on this computer&apos;s networks</source>
        <translation>Tylko telefony z sieci tego komputera</translation>
    </message>
</context>
</TS>
