<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>PanelRules</name>
    <message>
        <source>Not visible to phones: the avahi-daemon service is not running</source>
        <translation>Invisible pour les téléphones : le service avahi-daemon n’est pas lancé</translation>
    </message>
    <message>
        <source>Not visible to phones: %1</source>
        <translation>Invisible pour les téléphones : %1</translation>
    </message>
</context>
<context>
    <name>tavo::CommandLine</name>
    <message>
        <source>Usage: %1</source>
        <translation>Utilisation&#xa0;: %1</translation>
    </message>
    <message>
        <source>Types barcode scans from a phone into the focused application. Sits in the system tray,
advertises itself on the local network by DNS-SD as _tavo._tcp and accepts the phone&apos;s
connection. Starting it again while it runs opens the running one&apos;s panel.</source>
        <translation>Saisit dans l’application active les codes-barres lus par un téléphone. Se loge dans la
zone de notification, s’annonce sur le réseau local par DNS-SD sous _tavo._tcp et accepte
la connexion du téléphone. Le relancer pendant qu’il tourne ouvre le panneau de l’instance
en cours.</translation>
    </message>
    <message>
        <source>log details of its work to standard error</source>
        <translation>journaliser le détail de son travail sur la sortie d’erreur standard</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>afficher cette aide et quitter</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>afficher la version et quitter</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>option inconnue «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argument inattendu «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Try &apos;%1&apos;.</source>
        <translation>Essayez «&#xa0;%1&#xa0;».</translation>
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
        <translation>non saisi</translation>
    </message>
    <message>
        <source>Tavo Receiver</source>
        <translation>Tavo Receiver</translation>
    </message>
    <message>
        <source>Accessibility permission needed</source>
        <translation>Autorisation d’accessibilité requise</translation>
    </message>
    <message>
        <source>Tavo types scans into whatever app is focused, which requires Accessibility access.</source>
        <translation>Tavo saisit les codes dans l’application active, ce qui nécessite l’autorisation d’accessibilité.</translation>
    </message>
    <message>
        <source>Grant Access…</source>
        <translation>Autoriser l’accès…</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>Format de sortie</translation>
    </message>
    <message>
        <source>Newline</source>
        <translation>Saut de ligne</translation>
    </message>
    <message>
        <source>Types the scan, then presses Return — one scan per line. Good for spreadsheets and lists.</source>
        <translation>Saisit le code lu, puis appuie sur Entrée — un code par ligne. Pratique pour les tableurs et les listes.</translation>
    </message>
    <message>
        <source>CSV</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>Types the scan followed by a comma, with no Return — builds one comma-separated line yourself.</source>
        <translation>Saisit le code lu suivi d’une virgule, sans Entrée — vous obtenez une seule ligne séparée par des virgules.</translation>
    </message>
    <message>
        <source>No scans yet</source>
        <translation>Aucune lecture pour l’instant</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Lancer à l’ouverture de session</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Quitter Tavo Receiver</translation>
    </message>
    <message>
        <source>Waiting for iPhone…</source>
        <translation>En attente de l’iPhone…</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>Démarrage…</translation>
    </message>
    <message>
        <source>Each scan is typed followed by a comma, no Return — builds one line yourself.</source>
        <translation>Chaque code est saisi suivi d’une virgule, sans Entrée — le tout sur une seule ligne.</translation>
    </message>
    <message>
        <source>Each scan is typed, then Return is pressed — one scan per line.</source>
        <translation>Chaque code est saisi, puis la touche Entrée est pressée — un code par ligne.</translation>
    </message>
    <message>
        <source>%1, %2, typed</source>
        <translation>%1, %2, saisi</translation>
    </message>
    <message>
        <source>%1, %2, not typed</source>
        <translation>%1, %2, non saisi</translation>
    </message>
    <message>
        <source>Could not turn it off: %1</source>
        <translation>Impossible de désactiver : %1</translation>
    </message>
    <message>
        <source>Could not turn it on: %1</source>
        <translation>Impossible d’activer : %1</translation>
    </message>
</context>
<context>
    <name>tavo::PlatformTexts</name>
    <message>
        <source>Typing through the X server&apos;s XTest extension</source>
        <translation>Saisie via l’extension XTest du serveur X</translation>
    </message>
    <message>
        <source>Typing through the compositor&apos;s virtual keyboard.</source>
        <translation>Saisie via le clavier virtuel du compositeur.</translation>
    </message>
    <message>
        <source>Typing through KDE&apos;s fake input protocol.</source>
        <translation>Saisie via le protocole de saisie simulée de KDE.</translation>
    </message>
    <message>
        <source>Typing through GNOME&apos;s remote desktop service.</source>
        <translation>Saisie via le service de bureau à distance de GNOME.</translation>
    </message>
    <message>
        <source>Characters missing from the keyboard layout are pasted through the clipboard (Ctrl+V).</source>
        <translation>Les caractères absents de la disposition du clavier sont collés via le presse-papiers (Ctrl+V).</translation>
    </message>
    <message>
        <source>This Wayland session offers no way for other programs to type.</source>
        <translation>Cette session Wayland ne permet pas à d’autres programmes de saisir du texte.</translation>
    </message>
    <message>
        <source>Scans can be typed on wlroots compositors (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME, or a desktop whose portal offers remote desktop control.</source>
        <translation>Les codes peuvent être saisis sous les compositeurs wlroots (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME ou un environnement dont le portail permet le contrôle du bureau à distance.</translation>
    </message>
    <message>
        <source>KDE Plasma lets only installed programs type.</source>
        <translation>KDE Plasma ne laisse saisir que les programmes installés.</translation>
    </message>
    <message>
        <source>Install Tavo Receiver from its package (not a build directory or a sandboxed package) and start it again.</source>
        <translation>Installez Tavo Receiver à partir de son paquet (pas d’un dossier de compilation ni d’un paquet en bac à sable), puis relancez-le.</translation>
    </message>
    <message>
        <source>Until then scans reach only X11 (Xwayland) applications.</source>
        <translation>D’ici là, les codes n’atteignent que les applications X11 (Xwayland).</translation>
    </message>
    <message>
        <source>In a Wayland session scans reach only X11 (XWayland) applications.</source>
        <translation>Dans une session Wayland, les codes n’atteignent que les applications X11 (XWayland).</translation>
    </message>
    <message>
        <source>Log out and choose an X11 session (for example &quot;GNOME on Xorg&quot;) at the login screen so that scans reach every application.</source>
        <translation>Fermez la session et choisissez une session X11 (par exemple «&#xa0;GNOME on Xorg&#xa0;») sur l’écran de connexion pour que les codes atteignent toutes les applications.</translation>
    </message>
    <message>
        <source>No X display can be reached, so scans cannot be typed.</source>
        <translation>Aucun affichage X n’est joignable&#xa0;: les codes ne peuvent pas être saisis.</translation>
    </message>
    <message>
        <source>Run Tavo Receiver inside an X11 desktop session.</source>
        <translation>Lancez Tavo Receiver dans une session de bureau X11.</translation>
    </message>
    <message>
        <source>The X server does not offer the XTEST extension, so scans cannot be typed.</source>
        <translation>Le serveur X ne propose pas l’extension XTEST&#xa0;: les codes ne peuvent pas être saisis.</translation>
    </message>
    <message>
        <source>Enable XTEST in the X server configuration and restart the session.</source>
        <translation>Activez XTEST dans la configuration du serveur X et redémarrez la session.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent and remembers it where its desktop&apos;s backend can.</source>
        <translation>Saisie via le portail de bureau à distance de l’environnement, qui demande votre accord et le mémorise si l’environnement le permet.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent at each start of Tavo Receiver (this portal cannot remember it).</source>
        <translation>Saisie via le portail de bureau à distance de l’environnement, qui demande votre accord à chaque lancement de Tavo Receiver (ce portail ne peut pas le mémoriser).</translation>
    </message>
</context>
<context>
    <name>tavo::TavoReceiverApp</name>
    <message>
        <source>Open Tavo Receiver</source>
        <translation>Ouvrir Tavo Receiver</translation>
    </message>
    <message>
        <source>Pause typing</source>
        <translation>Suspendre la saisie</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Quitter Tavo Receiver</translation>
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
        <translation>%1 (%2) veut saisir du texte sur cet ordinateur</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Autoriser</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>Refuser</translation>
    </message>
    <message>
        <source>%1 (%2, from another network) wants to type on this computer</source>
        <translation>%1 (%2, depuis un autre réseau) veut saisir du texte sur cet ordinateur</translation>
    </message>
</context>
<context>
    <name>tavo::TrustSettings</name>
    <message>
        <source>Pause typing</source>
        <translation>Suspendre la saisie</translation>
    </message>
    <message>
        <source>Ask before a new phone types</source>
        <translation>Confirmer chaque nouveau téléphone</translation>
    </message>
    <message>
        <source>Forget allowed phones</source>
        <translation>Oublier les téléphones autorisés</translation>
    </message>
    <message>
        <source>Only phones on this computer&apos;s networks</source>
        <translation>Seulement les téléphones des réseaux de cet ordinateur</translation>
    </message>
</context>
</TS>
