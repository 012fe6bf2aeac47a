<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>PanelRules</name>
    <message>
        <source>Not visible to phones: the avahi-daemon service is not running</source>
        <translation>Für Telefone nicht sichtbar: Der Dienst avahi-daemon läuft nicht</translation>
    </message>
    <message>
        <source>Not visible to phones: %1</source>
        <translation>Für Telefone nicht sichtbar: %1</translation>
    </message>
</context>
<context>
    <name>tavo::CommandLine</name>
    <message>
        <source>Usage: %1</source>
        <translation>Aufruf: %1</translation>
    </message>
    <message>
        <source>Types barcode scans from a phone into the focused application. Sits in the system tray,
advertises itself on the local network by DNS-SD as _tavo._tcp and accepts the phone&apos;s
connection. Starting it again while it runs opens the running one&apos;s panel.</source>
        <translation>Tippt Barcode-Scans von einem Telefon in die Anwendung, die den Fokus hat. Läuft im
Systemabschnitt der Kontrollleiste, kündigt sich im lokalen Netzwerk per DNS-SD als
_tavo._tcp an und nimmt die Verbindung des Telefons an. Ein erneuter Start während des
Betriebs öffnet das Bedienfeld des laufenden Programms.</translation>
    </message>
    <message>
        <source>log details of its work to standard error</source>
        <translation>Einzelheiten der Arbeit in die Standardfehlerausgabe schreiben</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>diese Hilfe anzeigen und beenden</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>Versionsinformation anzeigen und beenden</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option „%1“</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unerwartetes Argument „%1“</translation>
    </message>
    <message>
        <source>Try &apos;%1&apos;.</source>
        <translation>„%1“ gibt weitere Informationen.</translation>
    </message>
</context>
<context>
    <name>tavo::ListeningInfo</name>
    <message>
        <source>port %1</source>
        <translation>Port %1</translation>
    </message>
</context>
<context>
    <name>tavo::MenuBarContentView</name>
    <message>
        <source>not typed</source>
        <translation>nicht getippt</translation>
    </message>
    <message>
        <source>Tavo Receiver</source>
        <translation>Tavo Receiver</translation>
    </message>
    <message>
        <source>Accessibility permission needed</source>
        <translation>Zugriff auf Bedienungshilfen nötig</translation>
    </message>
    <message>
        <source>Tavo types scans into whatever app is focused, which requires Accessibility access.</source>
        <translation>Tavo tippt Scans in die Anwendung, die gerade den Fokus hat, und braucht dafür Zugriff auf die Bedienungshilfen.</translation>
    </message>
    <message>
        <source>Grant Access…</source>
        <translation>Zugriff gewähren …</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>Ausgabeformat</translation>
    </message>
    <message>
        <source>Newline</source>
        <translation>Zeilenumbruch</translation>
    </message>
    <message>
        <source>Types the scan, then presses Return — one scan per line. Good for spreadsheets and lists.</source>
        <translation>Tippt den Scan und drückt dann die Eingabetaste – ein Scan pro Zeile. Gut für Tabellen und Listen.</translation>
    </message>
    <message>
        <source>CSV</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>Types the scan followed by a comma, with no Return — builds one comma-separated line yourself.</source>
        <translation>Tippt den Scan mit einem Komma dahinter, ohne Eingabetaste – so entsteht eine durch Kommas getrennte Zeile.</translation>
    </message>
    <message>
        <source>No scans yet</source>
        <translation>Noch keine Scans</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Tavo Receiver beenden</translation>
    </message>
    <message>
        <source>Waiting for iPhone…</source>
        <translation>Warten auf iPhone …</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>Wird gestartet …</translation>
    </message>
    <message>
        <source>Each scan is typed followed by a comma, no Return — builds one line yourself.</source>
        <translation>Jeder Scan wird mit einem Komma dahinter getippt, ohne Eingabetaste – alles in einer Zeile.</translation>
    </message>
    <message>
        <source>Each scan is typed, then Return is pressed — one scan per line.</source>
        <translation>Jeder Scan wird getippt, danach wird die Eingabetaste gedrückt – ein Scan pro Zeile.</translation>
    </message>
    <message>
        <source>%1, %2, typed</source>
        <translation>%1, %2, getippt</translation>
    </message>
    <message>
        <source>%1, %2, not typed</source>
        <translation>%1, %2, nicht getippt</translation>
    </message>
    <message>
        <source>Could not turn it off: %1</source>
        <translation>Ausschalten fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Could not turn it on: %1</source>
        <translation>Einschalten fehlgeschlagen: %1</translation>
    </message>
</context>
<context>
    <name>tavo::PlatformTexts</name>
    <message>
        <source>Typing through the X server&apos;s XTest extension</source>
        <translation>Tippen über die XTest-Erweiterung des X-Servers</translation>
    </message>
    <message>
        <source>Typing through the compositor&apos;s virtual keyboard.</source>
        <translation>Tippen über die virtuelle Tastatur des Compositors.</translation>
    </message>
    <message>
        <source>Typing through KDE&apos;s fake input protocol.</source>
        <translation>Tippen über das Fake-Input-Protokoll von KDE.</translation>
    </message>
    <message>
        <source>Typing through GNOME&apos;s remote desktop service.</source>
        <translation>Tippen über den Dienst „Entfernte Arbeitsfläche“ von GNOME.</translation>
    </message>
    <message>
        <source>Characters missing from the keyboard layout are pasted through the clipboard (Ctrl+V).</source>
        <translation>Zeichen, die in der Tastaturbelegung fehlen, werden über die Zwischenablage eingefügt (Strg+V).</translation>
    </message>
    <message>
        <source>This Wayland session offers no way for other programs to type.</source>
        <translation>Diese Wayland-Sitzung bietet anderen Programmen keine Möglichkeit zu tippen.</translation>
    </message>
    <message>
        <source>Scans can be typed on wlroots compositors (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME, or a desktop whose portal offers remote desktop control.</source>
        <translation>Scans lassen sich unter wlroots-Compositors (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME oder einer Arbeitsumgebung tippen, deren Portal Fernsteuerung anbietet.</translation>
    </message>
    <message>
        <source>KDE Plasma lets only installed programs type.</source>
        <translation>KDE Plasma lässt nur installierte Programme tippen.</translation>
    </message>
    <message>
        <source>Install Tavo Receiver from its package (not a build directory or a sandboxed package) and start it again.</source>
        <translation>Installieren Sie Tavo Receiver aus seinem Paket (nicht aus einem Build-Ordner oder einem abgeschotteten Paket) und starten Sie es erneut.</translation>
    </message>
    <message>
        <source>Until then scans reach only X11 (Xwayland) applications.</source>
        <translation>Bis dahin erreichen Scans nur X11-Anwendungen (Xwayland).</translation>
    </message>
    <message>
        <source>In a Wayland session scans reach only X11 (XWayland) applications.</source>
        <translation>In einer Wayland-Sitzung erreichen Scans nur X11-Anwendungen (XWayland).</translation>
    </message>
    <message>
        <source>Log out and choose an X11 session (for example &quot;GNOME on Xorg&quot;) at the login screen so that scans reach every application.</source>
        <translation>Melden Sie sich ab und wählen Sie im Anmeldebildschirm eine X11-Sitzung (zum Beispiel „GNOME on Xorg“), damit Scans jede Anwendung erreichen.</translation>
    </message>
    <message>
        <source>No X display can be reached, so scans cannot be typed.</source>
        <translation>Keine X-Anzeige erreichbar, daher können Scans nicht getippt werden.</translation>
    </message>
    <message>
        <source>Run Tavo Receiver inside an X11 desktop session.</source>
        <translation>Starten Sie Tavo Receiver in einer X11-Sitzung.</translation>
    </message>
    <message>
        <source>The X server does not offer the XTEST extension, so scans cannot be typed.</source>
        <translation>Der X-Server bietet die Erweiterung XTEST nicht an, daher können Scans nicht getippt werden.</translation>
    </message>
    <message>
        <source>Enable XTEST in the X server configuration and restart the session.</source>
        <translation>Aktivieren Sie XTEST in der Konfiguration des X-Servers und starten Sie die Sitzung neu.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent and remembers it where its desktop&apos;s backend can.</source>
        <translation>Tippen über das Portal „Entfernte Arbeitsfläche“ der Arbeitsumgebung; es fragt nach Ihrer Zustimmung und merkt sie sich, wo die Arbeitsumgebung das unterstützt.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent at each start of Tavo Receiver (this portal cannot remember it).</source>
        <translation>Tippen über das Portal „Entfernte Arbeitsfläche“ der Arbeitsumgebung; es fragt bei jedem Start von Tavo Receiver nach Ihrer Zustimmung (dieses Portal kann sie sich nicht merken).</translation>
    </message>
</context>
<context>
    <name>tavo::TavoReceiverApp</name>
    <message>
        <source>Open Tavo Receiver</source>
        <translation>Tavo Receiver öffnen</translation>
    </message>
    <message>
        <source>Pause typing</source>
        <translation>Tippen pausieren</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Tavo Receiver beenden</translation>
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
        <translation>%1 (%2) möchte auf diesem Rechner tippen</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Erlauben</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>Ablehnen</translation>
    </message>
    <message>
        <source>%1 (%2, from another network) wants to type on this computer</source>
        <translation>%1 (%2, aus einem anderen Netzwerk) möchte auf diesem Rechner tippen</translation>
    </message>
</context>
<context>
    <name>tavo::TrustSettings</name>
    <message>
        <source>Pause typing</source>
        <translation>Tippen pausieren</translation>
    </message>
    <message>
        <source>Ask before a new phone types</source>
        <translation>Bei neuen Telefonen nachfragen</translation>
    </message>
    <message>
        <source>Forget allowed phones</source>
        <translation>Erlaubte Telefone vergessen</translation>
    </message>
    <message>
        <source>Only phones on this computer&apos;s networks</source>
        <translation>Nur Telefone aus den Netzwerken dieses Rechners</translation>
    </message>
</context>
</TS>
