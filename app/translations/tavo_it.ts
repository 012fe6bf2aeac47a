<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>PanelRules</name>
    <message>
        <source>Not visible to phones: the avahi-daemon service is not running</source>
        <translation>Non visibile ai telefoni: il servizio avahi-daemon non è in esecuzione</translation>
    </message>
    <message>
        <source>Not visible to phones: %1</source>
        <translation>Non visibile ai telefoni: %1</translation>
    </message>
</context>
<context>
    <name>tavo::CommandLine</name>
    <message>
        <source>Usage: %1</source>
        <translation>Uso: %1</translation>
    </message>
    <message>
        <source>Types barcode scans from a phone into the focused application. Sits in the system tray,
advertises itself on the local network by DNS-SD as _tavo._tcp and accepts the phone&apos;s
connection. Starting it again while it runs opens the running one&apos;s panel.</source>
        <translation>Digita nell’applicazione attiva i codici a barre letti da un telefono. Risiede nel vassoio
di sistema, si annuncia sulla rete locale tramite DNS-SD come _tavo._tcp e accetta la
connessione del telefono. Avviarlo di nuovo mentre è in esecuzione apre il pannello
dell’istanza già attiva.</translation>
    </message>
    <message>
        <source>log details of its work to standard error</source>
        <translation>registra i dettagli del lavoro sullo standard error</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>mostra questo aiuto ed esce</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>mostra la versione ed esce</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>opzione sconosciuta «%1»</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argomento inatteso «%1»</translation>
    </message>
    <message>
        <source>Try &apos;%1&apos;.</source>
        <translation>Provare «%1».</translation>
    </message>
</context>
<context>
    <name>tavo::ListeningInfo</name>
    <message>
        <source>port %1</source>
        <translation>porta %1</translation>
    </message>
</context>
<context>
    <name>tavo::MenuBarContentView</name>
    <message>
        <source>not typed</source>
        <translation>non digitato</translation>
    </message>
    <message>
        <source>Tavo Receiver</source>
        <translation>Tavo Receiver</translation>
    </message>
    <message>
        <source>Accessibility permission needed</source>
        <translation>Serve il permesso di accessibilità</translation>
    </message>
    <message>
        <source>Tavo types scans into whatever app is focused, which requires Accessibility access.</source>
        <translation>Tavo digita i codici nell’applicazione attiva e per farlo serve il permesso di accessibilità.</translation>
    </message>
    <message>
        <source>Grant Access…</source>
        <translation>Concedi l’accesso…</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>Formato di uscita</translation>
    </message>
    <message>
        <source>Newline</source>
        <translation>A capo</translation>
    </message>
    <message>
        <source>Types the scan, then presses Return — one scan per line. Good for spreadsheets and lists.</source>
        <translation>Digita il codice, poi preme Invio — un codice per riga. Utile per fogli di calcolo ed elenchi.</translation>
    </message>
    <message>
        <source>CSV</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>Types the scan followed by a comma, with no Return — builds one comma-separated line yourself.</source>
        <translation>Digita il codice seguito da una virgola, senza Invio — si ottiene un’unica riga separata da virgole.</translation>
    </message>
    <message>
        <source>No scans yet</source>
        <translation>Nessuna scansione</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Avvia all’accesso</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Esci da Tavo Receiver</translation>
    </message>
    <message>
        <source>Waiting for iPhone…</source>
        <translation>In attesa dell’iPhone…</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>Avvio in corso…</translation>
    </message>
    <message>
        <source>Each scan is typed followed by a comma, no Return — builds one line yourself.</source>
        <translation>Ogni codice viene digitato seguito da una virgola, senza Invio — tutto su un’unica riga.</translation>
    </message>
    <message>
        <source>Each scan is typed, then Return is pressed — one scan per line.</source>
        <translation>Ogni codice viene digitato, poi viene premuto Invio — un codice per riga.</translation>
    </message>
    <message>
        <source>%1, %2, typed</source>
        <translation>%1, %2, digitato</translation>
    </message>
    <message>
        <source>%1, %2, not typed</source>
        <translation>%1, %2, non digitato</translation>
    </message>
    <message>
        <source>Could not turn it off: %1</source>
        <translation>Impossibile disattivare: %1</translation>
    </message>
    <message>
        <source>Could not turn it on: %1</source>
        <translation>Impossibile attivare: %1</translation>
    </message>
</context>
<context>
    <name>tavo::PlatformTexts</name>
    <message>
        <source>Typing through the X server&apos;s XTest extension</source>
        <translation>Digitazione tramite l’estensione XTest del server X</translation>
    </message>
    <message>
        <source>Typing through the compositor&apos;s virtual keyboard.</source>
        <translation>Digitazione tramite la tastiera virtuale del compositor.</translation>
    </message>
    <message>
        <source>Typing through KDE&apos;s fake input protocol.</source>
        <translation>Digitazione tramite il protocollo di input simulato di KDE.</translation>
    </message>
    <message>
        <source>Typing through GNOME&apos;s remote desktop service.</source>
        <translation>Digitazione tramite il servizio di desktop remoto di GNOME.</translation>
    </message>
    <message>
        <source>Characters missing from the keyboard layout are pasted through the clipboard (Ctrl+V).</source>
        <translation>I caratteri assenti dalla disposizione della tastiera vengono incollati tramite gli appunti (Ctrl+V).</translation>
    </message>
    <message>
        <source>This Wayland session offers no way for other programs to type.</source>
        <translation>Questa sessione Wayland non offre ad altri programmi alcun modo di digitare.</translation>
    </message>
    <message>
        <source>Scans can be typed on wlroots compositors (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME, or a desktop whose portal offers remote desktop control.</source>
        <translation>I codici possono essere digitati con i compositor wlroots (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME o un ambiente il cui portale offra il controllo remoto del desktop.</translation>
    </message>
    <message>
        <source>KDE Plasma lets only installed programs type.</source>
        <translation>KDE Plasma consente di digitare solo ai programmi installati.</translation>
    </message>
    <message>
        <source>Install Tavo Receiver from its package (not a build directory or a sandboxed package) and start it again.</source>
        <translation>Installa Tavo Receiver dal suo pacchetto (non da una cartella di compilazione né da un pacchetto in sandbox) e avvialo di nuovo.</translation>
    </message>
    <message>
        <source>Until then scans reach only X11 (Xwayland) applications.</source>
        <translation>Fino ad allora i codici raggiungono solo le applicazioni X11 (Xwayland).</translation>
    </message>
    <message>
        <source>In a Wayland session scans reach only X11 (XWayland) applications.</source>
        <translation>In una sessione Wayland i codici raggiungono solo le applicazioni X11 (XWayland).</translation>
    </message>
    <message>
        <source>Log out and choose an X11 session (for example &quot;GNOME on Xorg&quot;) at the login screen so that scans reach every application.</source>
        <translation>Esci e scegli una sessione X11 (per esempio «GNOME on Xorg») nella schermata di accesso, così i codici raggiungono tutte le applicazioni.</translation>
    </message>
    <message>
        <source>No X display can be reached, so scans cannot be typed.</source>
        <translation>Nessun display X raggiungibile, quindi i codici non possono essere digitati.</translation>
    </message>
    <message>
        <source>Run Tavo Receiver inside an X11 desktop session.</source>
        <translation>Esegui Tavo Receiver in una sessione desktop X11.</translation>
    </message>
    <message>
        <source>The X server does not offer the XTEST extension, so scans cannot be typed.</source>
        <translation>Il server X non offre l’estensione XTEST, quindi i codici non possono essere digitati.</translation>
    </message>
    <message>
        <source>Enable XTEST in the X server configuration and restart the session.</source>
        <translation>Abilita XTEST nella configurazione del server X e riavvia la sessione.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent and remembers it where its desktop&apos;s backend can.</source>
        <translation>Digitazione tramite il portale di desktop remoto dell’ambiente, che chiede il consenso e lo ricorda dove l’ambiente lo consente.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent at each start of Tavo Receiver (this portal cannot remember it).</source>
        <translation>Digitazione tramite il portale di desktop remoto dell’ambiente, che chiede il consenso a ogni avvio di Tavo Receiver (questo portale non può ricordarlo).</translation>
    </message>
</context>
<context>
    <name>tavo::TavoReceiverApp</name>
    <message>
        <source>Open Tavo Receiver</source>
        <translation>Apri Tavo Receiver</translation>
    </message>
    <message>
        <source>Pause typing</source>
        <translation>Sospendi la digitazione</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Esci da Tavo Receiver</translation>
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
        <translation>%1 (%2) vuole digitare su questo computer</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Consenti</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>Nega</translation>
    </message>
    <message>
        <source>%1 (%2, from another network) wants to type on this computer</source>
        <translation>%1 (%2, da un’altra rete) vuole digitare su questo computer</translation>
    </message>
</context>
<context>
    <name>tavo::TrustSettings</name>
    <message>
        <source>Pause typing</source>
        <translation>Sospendi la digitazione</translation>
    </message>
    <message>
        <source>Ask before a new phone types</source>
        <translation>Chiedi conferma per i nuovi telefoni</translation>
    </message>
    <message>
        <source>Forget allowed phones</source>
        <translation>Dimentica i telefoni consentiti</translation>
    </message>
    <message>
        <source>Only phones on this computer&apos;s networks</source>
        <translation>Solo telefoni delle reti di questo computer</translation>
    </message>
</context>
</TS>
