<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>PanelRules</name>
    <message>
        <source>Not visible to phones: the avahi-daemon service is not running</source>
        <translation>Não visível para os celulares: o serviço avahi-daemon não está em execução</translation>
    </message>
    <message>
        <source>Not visible to phones: %1</source>
        <translation>Não visível para os celulares: %1</translation>
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
        <translation>Digita no aplicativo em foco os códigos de barras lidos por um celular. Fica na bandeja
do sistema, anuncia-se na rede local por DNS-SD como _tavo._tcp e aceita a conexão do
celular. Iniciá-lo de novo enquanto está em execução abre o painel da instância já aberta.</translation>
    </message>
    <message>
        <source>log details of its work to standard error</source>
        <translation>registrar detalhes do trabalho na saída de erro padrão</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>mostrar esta ajuda e sair</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>mostrar a versão e sair</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>opção desconhecida “%1”</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argumento inesperado “%1”</translation>
    </message>
    <message>
        <source>Try &apos;%1&apos;.</source>
        <translation>Tente “%1”.</translation>
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
        <translation>não digitado</translation>
    </message>
    <message>
        <source>Tavo Receiver</source>
        <translation>Tavo Receiver</translation>
    </message>
    <message>
        <source>Accessibility permission needed</source>
        <translation>Falta permissão de acessibilidade</translation>
    </message>
    <message>
        <source>Tavo types scans into whatever app is focused, which requires Accessibility access.</source>
        <translation>O Tavo digita os códigos no aplicativo em foco, o que exige permissão de acessibilidade.</translation>
    </message>
    <message>
        <source>Grant Access…</source>
        <translation>Conceder acesso…</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>Formato de saída</translation>
    </message>
    <message>
        <source>Newline</source>
        <translation>Quebra de linha</translation>
    </message>
    <message>
        <source>Types the scan, then presses Return — one scan per line. Good for spreadsheets and lists.</source>
        <translation>Digita o código e depois pressiona Enter — um código por linha. Bom para planilhas e listas.</translation>
    </message>
    <message>
        <source>CSV</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>Types the scan followed by a comma, with no Return — builds one comma-separated line yourself.</source>
        <translation>Digita o código seguido de uma vírgula, sem Enter — forma uma única linha separada por vírgulas.</translation>
    </message>
    <message>
        <source>No scans yet</source>
        <translation>Nenhuma leitura ainda</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Abrir ao iniciar a sessão</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Sair do Tavo Receiver</translation>
    </message>
    <message>
        <source>Waiting for iPhone…</source>
        <translation>Aguardando o iPhone…</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>Iniciando…</translation>
    </message>
    <message>
        <source>Each scan is typed followed by a comma, no Return — builds one line yourself.</source>
        <translation>Cada código é digitado seguido de uma vírgula, sem Enter — tudo em uma única linha.</translation>
    </message>
    <message>
        <source>Each scan is typed, then Return is pressed — one scan per line.</source>
        <translation>Cada código é digitado e depois Enter é pressionado — um código por linha.</translation>
    </message>
    <message>
        <source>%1, %2, typed</source>
        <translation>%1, %2, digitado</translation>
    </message>
    <message>
        <source>%1, %2, not typed</source>
        <translation>%1, %2, não digitado</translation>
    </message>
    <message>
        <source>Could not turn it off: %1</source>
        <translation>Não foi possível desativar: %1</translation>
    </message>
    <message>
        <source>Could not turn it on: %1</source>
        <translation>Não foi possível ativar: %1</translation>
    </message>
</context>
<context>
    <name>tavo::PlatformTexts</name>
    <message>
        <source>Typing through the X server&apos;s XTest extension</source>
        <translation>Digitação pela extensão XTest do servidor X</translation>
    </message>
    <message>
        <source>Typing through the compositor&apos;s virtual keyboard.</source>
        <translation>Digitação pelo teclado virtual do compositor.</translation>
    </message>
    <message>
        <source>Typing through KDE&apos;s fake input protocol.</source>
        <translation>Digitação pelo protocolo de entrada simulada do KDE.</translation>
    </message>
    <message>
        <source>Typing through GNOME&apos;s remote desktop service.</source>
        <translation>Digitação pelo serviço de área de trabalho remota do GNOME.</translation>
    </message>
    <message>
        <source>Characters missing from the keyboard layout are pasted through the clipboard (Ctrl+V).</source>
        <translation>Caracteres ausentes no layout do teclado são colados pela área de transferência (Ctrl+V).</translation>
    </message>
    <message>
        <source>This Wayland session offers no way for other programs to type.</source>
        <translation>Esta sessão Wayland não oferece meio para outros programas digitarem.</translation>
    </message>
    <message>
        <source>Scans can be typed on wlroots compositors (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME, or a desktop whose portal offers remote desktop control.</source>
        <translation>Os códigos podem ser digitados em compositores wlroots (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME ou em um ambiente cujo portal ofereça controle remoto da área de trabalho.</translation>
    </message>
    <message>
        <source>KDE Plasma lets only installed programs type.</source>
        <translation>O KDE Plasma só permite que programas instalados digitem.</translation>
    </message>
    <message>
        <source>Install Tavo Receiver from its package (not a build directory or a sandboxed package) and start it again.</source>
        <translation>Instale o Tavo Receiver pelo pacote dele (não de uma pasta de compilação nem de um pacote em sandbox) e inicie-o novamente.</translation>
    </message>
    <message>
        <source>Until then scans reach only X11 (Xwayland) applications.</source>
        <translation>Até lá, os códigos só chegam a aplicativos X11 (Xwayland).</translation>
    </message>
    <message>
        <source>In a Wayland session scans reach only X11 (XWayland) applications.</source>
        <translation>Em uma sessão Wayland, os códigos só chegam a aplicativos X11 (XWayland).</translation>
    </message>
    <message>
        <source>Log out and choose an X11 session (for example &quot;GNOME on Xorg&quot;) at the login screen so that scans reach every application.</source>
        <translation>Encerre a sessão e escolha uma sessão X11 (por exemplo, “GNOME on Xorg”) na tela de login para que os códigos cheguem a todos os aplicativos.</translation>
    </message>
    <message>
        <source>No X display can be reached, so scans cannot be typed.</source>
        <translation>Nenhuma tela X está acessível, então os códigos não podem ser digitados.</translation>
    </message>
    <message>
        <source>Run Tavo Receiver inside an X11 desktop session.</source>
        <translation>Execute o Tavo Receiver em uma sessão de área de trabalho X11.</translation>
    </message>
    <message>
        <source>The X server does not offer the XTEST extension, so scans cannot be typed.</source>
        <translation>O servidor X não oferece a extensão XTEST, então os códigos não podem ser digitados.</translation>
    </message>
    <message>
        <source>Enable XTEST in the X server configuration and restart the session.</source>
        <translation>Ative o XTEST na configuração do servidor X e reinicie a sessão.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent and remembers it where its desktop&apos;s backend can.</source>
        <translation>Digitação pelo portal de área de trabalho remota do ambiente, que pede seu consentimento e o guarda onde o ambiente permite.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent at each start of Tavo Receiver (this portal cannot remember it).</source>
        <translation>Digitação pelo portal de área de trabalho remota do ambiente, que pede seu consentimento a cada início do Tavo Receiver (este portal não consegue guardá-lo).</translation>
    </message>
</context>
<context>
    <name>tavo::TavoReceiverApp</name>
    <message>
        <source>Open Tavo Receiver</source>
        <translation>Abrir o Tavo Receiver</translation>
    </message>
    <message>
        <source>Pause typing</source>
        <translation>Pausar a digitação</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Sair do Tavo Receiver</translation>
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
        <translation>%1 (%2) quer digitar neste computador</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Permitir</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>Negar</translation>
    </message>
    <message>
        <source>%1 (%2, from another network) wants to type on this computer</source>
        <translation>%1 (%2, de outra rede) quer digitar neste computador</translation>
    </message>
</context>
<context>
    <name>tavo::TrustSettings</name>
    <message>
        <source>Pause typing</source>
        <translation>Pausar a digitação</translation>
    </message>
    <message>
        <source>Ask before a new phone types</source>
        <translation>Confirmar cada celular novo</translation>
    </message>
    <message>
        <source>Forget allowed phones</source>
        <translation>Esquecer celulares permitidos</translation>
    </message>
    <message>
        <source>Only phones on this computer&apos;s networks</source>
        <translation>Só celulares das redes deste computador</translation>
    </message>
</context>
</TS>
