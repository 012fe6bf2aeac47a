<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl">
<context>
    <name>PanelRules</name>
    <message>
        <source>Not visible to phones: the avahi-daemon service is not running</source>
        <translation>Niet zichtbaar voor telefoons: de dienst avahi-daemon draait niet</translation>
    </message>
    <message>
        <source>Not visible to phones: %1</source>
        <translation>Niet zichtbaar voor telefoons: %1</translation>
    </message>
</context>
<context>
    <name>tavo::CommandLine</name>
    <message>
        <source>Usage: %1</source>
        <translation>Gebruik: %1</translation>
    </message>
    <message>
        <source>Types barcode scans from a phone into the focused application. Sits in the system tray,
advertises itself on the local network by DNS-SD as _tavo._tcp and accepts the phone&apos;s
connection. Starting it again while it runs opens the running one&apos;s panel.</source>
        <translation>Typt barcodescans van een telefoon in de toepassing met de focus. Staat in het
systeemvak, maakt zich op het lokale netwerk bekend via DNS-SD als _tavo._tcp en
accepteert de verbinding van de telefoon. Opnieuw starten terwijl het draait, opent
het paneel van het draaiende programma.</translation>
    </message>
    <message>
        <source>log details of its work to standard error</source>
        <translation>details van het werk naar standaardfout schrijven</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>deze hulptekst tonen en afsluiten</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>versie tonen en afsluiten</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>onbekende optie ‘%1’</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>onverwacht argument ‘%1’</translation>
    </message>
    <message>
        <source>Try &apos;%1&apos;.</source>
        <translation>Probeer ‘%1’.</translation>
    </message>
</context>
<context>
    <name>tavo::ListeningInfo</name>
    <message>
        <source>port %1</source>
        <translation>poort %1</translation>
    </message>
</context>
<context>
    <name>tavo::MenuBarContentView</name>
    <message>
        <source>not typed</source>
        <translation>niet getypt</translation>
    </message>
    <message>
        <source>Tavo Receiver</source>
        <translation>Tavo Receiver</translation>
    </message>
    <message>
        <source>Accessibility permission needed</source>
        <translation>Toegankelijkheidsrechten nodig</translation>
    </message>
    <message>
        <source>Tavo types scans into whatever app is focused, which requires Accessibility access.</source>
        <translation>Tavo typt scans in de toepassing met de focus en heeft daarvoor toegankelijkheidsrechten nodig.</translation>
    </message>
    <message>
        <source>Grant Access…</source>
        <translation>Toegang verlenen…</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>Uitvoerformaat</translation>
    </message>
    <message>
        <source>Newline</source>
        <translation>Nieuwe regel</translation>
    </message>
    <message>
        <source>Types the scan, then presses Return — one scan per line. Good for spreadsheets and lists.</source>
        <translation>Typt de scan en drukt dan op Enter — één scan per regel. Handig voor spreadsheets en lijsten.</translation>
    </message>
    <message>
        <source>CSV</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>Types the scan followed by a comma, with no Return — builds one comma-separated line yourself.</source>
        <translation>Typt de scan gevolgd door een komma, zonder Enter — zo ontstaat één regel met komma’s ertussen.</translation>
    </message>
    <message>
        <source>No scans yet</source>
        <translation>Nog geen scans</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Starten bij aanmelden</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Tavo Receiver afsluiten</translation>
    </message>
    <message>
        <source>Waiting for iPhone…</source>
        <translation>Wachten op iPhone…</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>Starten…</translation>
    </message>
    <message>
        <source>Each scan is typed followed by a comma, no Return — builds one line yourself.</source>
        <translation>Elke scan wordt getypt met een komma erachter, zonder Enter — alles op één regel.</translation>
    </message>
    <message>
        <source>Each scan is typed, then Return is pressed — one scan per line.</source>
        <translation>Elke scan wordt getypt en daarna wordt op Enter gedrukt — één scan per regel.</translation>
    </message>
    <message>
        <source>%1, %2, typed</source>
        <translation>%1, %2, getypt</translation>
    </message>
    <message>
        <source>%1, %2, not typed</source>
        <translation>%1, %2, niet getypt</translation>
    </message>
    <message>
        <source>Could not turn it off: %1</source>
        <translation>Uitschakelen mislukt: %1</translation>
    </message>
    <message>
        <source>Could not turn it on: %1</source>
        <translation>Inschakelen mislukt: %1</translation>
    </message>
</context>
<context>
    <name>tavo::PlatformTexts</name>
    <message>
        <source>Typing through the X server&apos;s XTest extension</source>
        <translation>Typen via de XTest-extensie van de X-server</translation>
    </message>
    <message>
        <source>Typing through the compositor&apos;s virtual keyboard.</source>
        <translation>Typen via het virtuele toetsenbord van de compositor.</translation>
    </message>
    <message>
        <source>Typing through KDE&apos;s fake input protocol.</source>
        <translation>Typen via het fake-input-protocol van KDE.</translation>
    </message>
    <message>
        <source>Typing through GNOME&apos;s remote desktop service.</source>
        <translation>Typen via de dienst voor extern bureaublad van GNOME.</translation>
    </message>
    <message>
        <source>Characters missing from the keyboard layout are pasted through the clipboard (Ctrl+V).</source>
        <translation>Tekens die niet op de toetsenbordindeling staan, worden via het klembord geplakt (Ctrl+V).</translation>
    </message>
    <message>
        <source>This Wayland session offers no way for other programs to type.</source>
        <translation>Deze Wayland-sessie biedt andere programma’s geen manier om te typen.</translation>
    </message>
    <message>
        <source>Scans can be typed on wlroots compositors (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME, or a desktop whose portal offers remote desktop control.</source>
        <translation>Scans kunnen worden getypt onder wlroots-compositors (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME of een werkomgeving waarvan het portaal bediening op afstand biedt.</translation>
    </message>
    <message>
        <source>KDE Plasma lets only installed programs type.</source>
        <translation>KDE Plasma laat alleen geïnstalleerde programma’s typen.</translation>
    </message>
    <message>
        <source>Install Tavo Receiver from its package (not a build directory or a sandboxed package) and start it again.</source>
        <translation>Installeer Tavo Receiver vanuit het pakket (niet vanuit een bouwmap of een pakket in een sandbox) en start het opnieuw.</translation>
    </message>
    <message>
        <source>Until then scans reach only X11 (Xwayland) applications.</source>
        <translation>Tot die tijd bereiken scans alleen X11-toepassingen (Xwayland).</translation>
    </message>
    <message>
        <source>In a Wayland session scans reach only X11 (XWayland) applications.</source>
        <translation>In een Wayland-sessie bereiken scans alleen X11-toepassingen (XWayland).</translation>
    </message>
    <message>
        <source>Log out and choose an X11 session (for example &quot;GNOME on Xorg&quot;) at the login screen so that scans reach every application.</source>
        <translation>Meld u af en kies in het aanmeldscherm een X11-sessie (bijvoorbeeld ‘GNOME on Xorg’), zodat scans elke toepassing bereiken.</translation>
    </message>
    <message>
        <source>No X display can be reached, so scans cannot be typed.</source>
        <translation>Er is geen X-scherm bereikbaar, dus scans kunnen niet worden getypt.</translation>
    </message>
    <message>
        <source>Run Tavo Receiver inside an X11 desktop session.</source>
        <translation>Start Tavo Receiver in een X11-bureaubladsessie.</translation>
    </message>
    <message>
        <source>The X server does not offer the XTEST extension, so scans cannot be typed.</source>
        <translation>De X-server biedt de XTEST-extensie niet aan, dus scans kunnen niet worden getypt.</translation>
    </message>
    <message>
        <source>Enable XTEST in the X server configuration and restart the session.</source>
        <translation>Schakel XTEST in de configuratie van de X-server in en start de sessie opnieuw.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent and remembers it where its desktop&apos;s backend can.</source>
        <translation>Typen via het portaal voor extern bureaublad van de werkomgeving, dat om uw toestemming vraagt en die onthoudt waar de werkomgeving dat kan.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent at each start of Tavo Receiver (this portal cannot remember it).</source>
        <translation>Typen via het portaal voor extern bureaublad van de werkomgeving, dat bij elke start van Tavo Receiver om uw toestemming vraagt (dit portaal kan die niet onthouden).</translation>
    </message>
</context>
<context>
    <name>tavo::TavoReceiverApp</name>
    <message>
        <source>Open Tavo Receiver</source>
        <translation>Tavo Receiver openen</translation>
    </message>
    <message>
        <source>Pause typing</source>
        <translation>Typen pauzeren</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Tavo Receiver afsluiten</translation>
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
        <translation>%1 (%2) wil typen op deze computer</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Toestaan</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>Weigeren</translation>
    </message>
    <message>
        <source>%1 (%2, from another network) wants to type on this computer</source>
        <translation>%1 (%2, uit een ander netwerk) wil typen op deze computer</translation>
    </message>
</context>
<context>
    <name>tavo::TrustSettings</name>
    <message>
        <source>Pause typing</source>
        <translation>Typen pauzeren</translation>
    </message>
    <message>
        <source>Ask before a new phone types</source>
        <translation>Eerst vragen bij een nieuwe telefoon</translation>
    </message>
    <message>
        <source>Forget allowed phones</source>
        <translation>Toegestane telefoons vergeten</translation>
    </message>
    <message>
        <source>Only phones on this computer&apos;s networks</source>
        <translation>Alleen telefoons uit de netwerken van deze computer</translation>
    </message>
</context>
</TS>
