<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>PanelRules</name>
    <message>
        <source>Not visible to phones: the avahi-daemon service is not running</source>
        <translation>No visible para los teléfonos: el servicio avahi-daemon no está en marcha</translation>
    </message>
    <message>
        <source>Not visible to phones: %1</source>
        <translation>No visible para los teléfonos: %1</translation>
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
        <translation>Escribe en la aplicación que tiene el foco los códigos de barras leídos con un teléfono.
Se aloja en la bandeja del sistema, se anuncia en la red local por DNS-SD como _tavo._tcp
y acepta la conexión del teléfono. Volver a iniciarlo mientras se ejecuta abre el panel
de la instancia en marcha.</translation>
    </message>
    <message>
        <source>log details of its work to standard error</source>
        <translation>registrar detalles de su trabajo en la salida de error estándar</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>mostrar esta ayuda y salir</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>mostrar la versión y salir</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>opción desconocida «%1»</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argumento inesperado «%1»</translation>
    </message>
    <message>
        <source>Try &apos;%1&apos;.</source>
        <translation>Pruebe «%1».</translation>
    </message>
</context>
<context>
    <name>tavo::ListeningInfo</name>
    <message>
        <source>port %1</source>
        <translation>puerto %1</translation>
    </message>
</context>
<context>
    <name>tavo::MenuBarContentView</name>
    <message>
        <source>not typed</source>
        <translation>no escrito</translation>
    </message>
    <message>
        <source>Tavo Receiver</source>
        <translation>Tavo Receiver</translation>
    </message>
    <message>
        <source>Accessibility permission needed</source>
        <translation>Se necesita permiso de accesibilidad</translation>
    </message>
    <message>
        <source>Tavo types scans into whatever app is focused, which requires Accessibility access.</source>
        <translation>Tavo escribe los códigos en la aplicación que tenga el foco, para lo que necesita permiso de accesibilidad.</translation>
    </message>
    <message>
        <source>Grant Access…</source>
        <translation>Conceder acceso…</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>Formato de salida</translation>
    </message>
    <message>
        <source>Newline</source>
        <translation>Salto de línea</translation>
    </message>
    <message>
        <source>Types the scan, then presses Return — one scan per line. Good for spreadsheets and lists.</source>
        <translation>Escribe el código y luego pulsa Intro — un código por línea. Útil para hojas de cálculo y listas.</translation>
    </message>
    <message>
        <source>CSV</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>Types the scan followed by a comma, with no Return — builds one comma-separated line yourself.</source>
        <translation>Escribe el código seguido de una coma, sin Intro — así se forma una sola línea separada por comas.</translation>
    </message>
    <message>
        <source>No scans yet</source>
        <translation>Aún no hay lecturas</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Abrir al iniciar sesión</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Salir de Tavo Receiver</translation>
    </message>
    <message>
        <source>Waiting for iPhone…</source>
        <translation>Esperando al iPhone…</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>Iniciando…</translation>
    </message>
    <message>
        <source>Each scan is typed followed by a comma, no Return — builds one line yourself.</source>
        <translation>Cada código se escribe seguido de una coma, sin Intro — todo en una sola línea.</translation>
    </message>
    <message>
        <source>Each scan is typed, then Return is pressed — one scan per line.</source>
        <translation>Cada código se escribe y después se pulsa Intro — un código por línea.</translation>
    </message>
    <message>
        <source>%1, %2, typed</source>
        <translation>%1, %2, escrito</translation>
    </message>
    <message>
        <source>%1, %2, not typed</source>
        <translation>%1, %2, no escrito</translation>
    </message>
    <message>
        <source>Could not turn it off: %1</source>
        <translation>No se pudo desactivar: %1</translation>
    </message>
    <message>
        <source>Could not turn it on: %1</source>
        <translation>No se pudo activar: %1</translation>
    </message>
</context>
<context>
    <name>tavo::PlatformTexts</name>
    <message>
        <source>Typing through the X server&apos;s XTest extension</source>
        <translation>Escritura mediante la extensión XTest del servidor X</translation>
    </message>
    <message>
        <source>Typing through the compositor&apos;s virtual keyboard.</source>
        <translation>Escritura mediante el teclado virtual del compositor.</translation>
    </message>
    <message>
        <source>Typing through KDE&apos;s fake input protocol.</source>
        <translation>Escritura mediante el protocolo de entrada simulada de KDE.</translation>
    </message>
    <message>
        <source>Typing through GNOME&apos;s remote desktop service.</source>
        <translation>Escritura mediante el servicio de escritorio remoto de GNOME.</translation>
    </message>
    <message>
        <source>Characters missing from the keyboard layout are pasted through the clipboard (Ctrl+V).</source>
        <translation>Los caracteres que faltan en la distribución del teclado se pegan desde el portapapeles (Ctrl+V).</translation>
    </message>
    <message>
        <source>This Wayland session offers no way for other programs to type.</source>
        <translation>Esta sesión de Wayland no ofrece ninguna forma de que otros programas escriban.</translation>
    </message>
    <message>
        <source>Scans can be typed on wlroots compositors (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME, or a desktop whose portal offers remote desktop control.</source>
        <translation>Los códigos se pueden escribir en compositores wlroots (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME o un entorno cuyo portal ofrezca control remoto del escritorio.</translation>
    </message>
    <message>
        <source>KDE Plasma lets only installed programs type.</source>
        <translation>KDE Plasma solo deja escribir a los programas instalados.</translation>
    </message>
    <message>
        <source>Install Tavo Receiver from its package (not a build directory or a sandboxed package) and start it again.</source>
        <translation>Instale Tavo Receiver desde su paquete (no desde una carpeta de compilación ni un paquete aislado) y vuelva a iniciarlo.</translation>
    </message>
    <message>
        <source>Until then scans reach only X11 (Xwayland) applications.</source>
        <translation>Mientras tanto, los códigos solo llegan a las aplicaciones X11 (Xwayland).</translation>
    </message>
    <message>
        <source>In a Wayland session scans reach only X11 (XWayland) applications.</source>
        <translation>En una sesión de Wayland, los códigos solo llegan a las aplicaciones X11 (XWayland).</translation>
    </message>
    <message>
        <source>Log out and choose an X11 session (for example &quot;GNOME on Xorg&quot;) at the login screen so that scans reach every application.</source>
        <translation>Cierre la sesión y elija una sesión X11 (por ejemplo, «GNOME on Xorg») en la pantalla de inicio de sesión para que los códigos lleguen a todas las aplicaciones.</translation>
    </message>
    <message>
        <source>No X display can be reached, so scans cannot be typed.</source>
        <translation>No se puede acceder a ninguna pantalla X, así que no se pueden escribir los códigos.</translation>
    </message>
    <message>
        <source>Run Tavo Receiver inside an X11 desktop session.</source>
        <translation>Ejecute Tavo Receiver dentro de una sesión de escritorio X11.</translation>
    </message>
    <message>
        <source>The X server does not offer the XTEST extension, so scans cannot be typed.</source>
        <translation>El servidor X no ofrece la extensión XTEST, así que no se pueden escribir los códigos.</translation>
    </message>
    <message>
        <source>Enable XTEST in the X server configuration and restart the session.</source>
        <translation>Active XTEST en la configuración del servidor X y reinicie la sesión.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent and remembers it where its desktop&apos;s backend can.</source>
        <translation>Escritura mediante el portal de escritorio remoto del entorno, que pide su consentimiento y lo recuerda si el entorno lo permite.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent at each start of Tavo Receiver (this portal cannot remember it).</source>
        <translation>Escritura mediante el portal de escritorio remoto del entorno, que pide su consentimiento cada vez que se inicia Tavo Receiver (este portal no puede recordarlo).</translation>
    </message>
</context>
<context>
    <name>tavo::TavoReceiverApp</name>
    <message>
        <source>Open Tavo Receiver</source>
        <translation>Abrir Tavo Receiver</translation>
    </message>
    <message>
        <source>Pause typing</source>
        <translation>Pausar la escritura</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Salir de Tavo Receiver</translation>
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
        <translation>%1 (%2) quiere escribir en este equipo</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Permitir</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>Denegar</translation>
    </message>
    <message>
        <source>%1 (%2, from another network) wants to type on this computer</source>
        <translation>%1 (%2, desde otra red) quiere escribir en este equipo</translation>
    </message>
</context>
<context>
    <name>tavo::TrustSettings</name>
    <message>
        <source>Pause typing</source>
        <translation>Pausar la escritura</translation>
    </message>
    <message>
        <source>Ask before a new phone types</source>
        <translation>Preguntar por cada teléfono nuevo</translation>
    </message>
    <message>
        <source>Forget allowed phones</source>
        <translation>Olvidar los teléfonos permitidos</translation>
    </message>
    <message>
        <source>Only phones on this computer&apos;s networks</source>
        <translation>Solo teléfonos de las redes de este equipo</translation>
    </message>
</context>
</TS>
