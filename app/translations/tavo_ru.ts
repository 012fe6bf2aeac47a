<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>PanelRules</name>
    <message>
        <source>Not visible to phones: the avahi-daemon service is not running</source>
        <translation>Не виден телефонам: служба avahi-daemon не запущена</translation>
    </message>
    <message>
        <source>Not visible to phones: %1</source>
        <translation>Не виден телефонам: %1</translation>
    </message>
</context>
<context>
    <name>tavo::CommandLine</name>
    <message>
        <source>Usage: %1</source>
        <translation>Использование: %1</translation>
    </message>
    <message>
        <source>Types barcode scans from a phone into the focused application. Sits in the system tray,
advertises itself on the local network by DNS-SD as _tavo._tcp and accepts the phone&apos;s
connection. Starting it again while it runs opens the running one&apos;s panel.</source>
        <translation>Вводит штрихкоды, отсканированные телефоном, в активное приложение. Работает в
системном лотке, объявляет себя в локальной сети через DNS-SD как _tavo._tcp и
принимает подключение телефона. Повторный запуск открывает панель уже работающей копии.</translation>
    </message>
    <message>
        <source>log details of its work to standard error</source>
        <translation>выводить подробности работы в стандартный поток ошибок</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>показать эту справку и выйти</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>показать версию и выйти</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>неизвестный параметр «%1»</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>неожиданный аргумент «%1»</translation>
    </message>
    <message>
        <source>Try &apos;%1&apos;.</source>
        <translation>Попробуйте «%1».</translation>
    </message>
</context>
<context>
    <name>tavo::ListeningInfo</name>
    <message>
        <source>port %1</source>
        <translation>порт %1</translation>
    </message>
</context>
<context>
    <name>tavo::MenuBarContentView</name>
    <message>
        <source>not typed</source>
        <translation>не введено</translation>
    </message>
    <message>
        <source>Tavo Receiver</source>
        <translation>Tavo Receiver</translation>
    </message>
    <message>
        <source>Accessibility permission needed</source>
        <translation>Нужен универсальный доступ</translation>
    </message>
    <message>
        <source>Tavo types scans into whatever app is focused, which requires Accessibility access.</source>
        <translation>Tavo вводит коды в активное приложение, для этого нужен универсальный доступ.</translation>
    </message>
    <message>
        <source>Grant Access…</source>
        <translation>Предоставить доступ…</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>Формат вывода</translation>
    </message>
    <message>
        <source>Newline</source>
        <translation>Новая строка</translation>
    </message>
    <message>
        <source>Types the scan, then presses Return — one scan per line. Good for spreadsheets and lists.</source>
        <translation>Вводит код, затем нажимает Enter — один код на строку. Удобно для таблиц и списков.</translation>
    </message>
    <message>
        <source>CSV</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>Types the scan followed by a comma, with no Return — builds one comma-separated line yourself.</source>
        <translation>Вводит код и запятую, без Enter — получается одна строка значений через запятую.</translation>
    </message>
    <message>
        <source>No scans yet</source>
        <translation>Сканирований пока нет</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Запускать при входе в систему</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Завершить Tavo Receiver</translation>
    </message>
    <message>
        <source>Waiting for iPhone…</source>
        <translation>Ожидание iPhone…</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>Запуск…</translation>
    </message>
    <message>
        <source>Each scan is typed followed by a comma, no Return — builds one line yourself.</source>
        <translation>Каждый код вводится с запятой после него, без Enter — всё в одну строку.</translation>
    </message>
    <message>
        <source>Each scan is typed, then Return is pressed — one scan per line.</source>
        <translation>Каждый код вводится, затем нажимается Enter — по коду на строку.</translation>
    </message>
    <message>
        <source>%1, %2, typed</source>
        <translation>%1, %2, введено</translation>
    </message>
    <message>
        <source>%1, %2, not typed</source>
        <translation>%1, %2, не введено</translation>
    </message>
    <message>
        <source>Could not turn it off: %1</source>
        <translation>Не удалось выключить: %1</translation>
    </message>
    <message>
        <source>Could not turn it on: %1</source>
        <translation>Не удалось включить: %1</translation>
    </message>
</context>
<context>
    <name>tavo::PlatformTexts</name>
    <message>
        <source>Typing through the X server&apos;s XTest extension</source>
        <translation>Ввод через расширение XTest X-сервера</translation>
    </message>
    <message>
        <source>Typing through the compositor&apos;s virtual keyboard.</source>
        <translation>Ввод через виртуальную клавиатуру композитора.</translation>
    </message>
    <message>
        <source>Typing through KDE&apos;s fake input protocol.</source>
        <translation>Ввод через протокол имитации ввода KDE.</translation>
    </message>
    <message>
        <source>Typing through GNOME&apos;s remote desktop service.</source>
        <translation>Ввод через службу удалённого рабочего стола GNOME.</translation>
    </message>
    <message>
        <source>Characters missing from the keyboard layout are pasted through the clipboard (Ctrl+V).</source>
        <translation>Символы не из раскладки вставляются через буфер обмена (Ctrl+V).</translation>
    </message>
    <message>
        <source>This Wayland session offers no way for other programs to type.</source>
        <translation>Этот сеанс Wayland не позволяет другим программам вводить текст.</translation>
    </message>
    <message>
        <source>Scans can be typed on wlroots compositors (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME, or a desktop whose portal offers remote desktop control.</source>
        <translation>Коды можно вводить в композиторах на wlroots (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME или окружении, чей портал поддерживает удалённое управление рабочим столом.</translation>
    </message>
    <message>
        <source>KDE Plasma lets only installed programs type.</source>
        <translation>KDE Plasma разрешает ввод только установленным программам.</translation>
    </message>
    <message>
        <source>Install Tavo Receiver from its package (not a build directory or a sandboxed package) and start it again.</source>
        <translation>Установите Tavo Receiver из пакета (не из каталога сборки и не из изолированного пакета) и запустите его снова.</translation>
    </message>
    <message>
        <source>Until then scans reach only X11 (Xwayland) applications.</source>
        <translation>До тех пор коды попадают только в приложения X11 (Xwayland).</translation>
    </message>
    <message>
        <source>In a Wayland session scans reach only X11 (XWayland) applications.</source>
        <translation>В сеансе Wayland коды попадают только в приложения X11 (XWayland).</translation>
    </message>
    <message>
        <source>Log out and choose an X11 session (for example &quot;GNOME on Xorg&quot;) at the login screen so that scans reach every application.</source>
        <translation>Выйдите из системы и выберите на экране входа сеанс X11 (например, «GNOME on Xorg»), чтобы коды попадали во все приложения.</translation>
    </message>
    <message>
        <source>No X display can be reached, so scans cannot be typed.</source>
        <translation>Нет доступа к дисплею X, поэтому коды не могут быть введены.</translation>
    </message>
    <message>
        <source>Run Tavo Receiver inside an X11 desktop session.</source>
        <translation>Запустите Tavo Receiver в сеансе рабочего стола X11.</translation>
    </message>
    <message>
        <source>The X server does not offer the XTEST extension, so scans cannot be typed.</source>
        <translation>X-сервер не предоставляет расширение XTEST, поэтому коды не могут быть введены.</translation>
    </message>
    <message>
        <source>Enable XTEST in the X server configuration and restart the session.</source>
        <translation>Включите XTEST в настройках X-сервера и перезапустите сеанс.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent and remembers it where its desktop&apos;s backend can.</source>
        <translation>Ввод через портал удалённого рабочего стола окружения: он запрашивает согласие и запоминает его, если окружение это поддерживает.</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent at each start of Tavo Receiver (this portal cannot remember it).</source>
        <translation>Ввод через портал удалённого рабочего стола окружения: он запрашивает согласие при каждом запуске Tavo Receiver (этот портал не умеет его запоминать).</translation>
    </message>
</context>
<context>
    <name>tavo::TavoReceiverApp</name>
    <message>
        <source>Open Tavo Receiver</source>
        <translation>Открыть Tavo Receiver</translation>
    </message>
    <message>
        <source>Pause typing</source>
        <translation>Приостановить ввод</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Завершить Tavo Receiver</translation>
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
        <translation>%1 (%2) хочет вводить текст на этом компьютере</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Разрешить</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>Запретить</translation>
    </message>
    <message>
        <source>%1 (%2, from another network) wants to type on this computer</source>
        <translation>%1 (%2, из другой сети) хочет вводить текст на этом компьютере</translation>
    </message>
</context>
<context>
    <name>tavo::TrustSettings</name>
    <message>
        <source>Pause typing</source>
        <translation>Приостановить ввод</translation>
    </message>
    <message>
        <source>Ask before a new phone types</source>
        <translation>Спрашивать о новых телефонах</translation>
    </message>
    <message>
        <source>Forget allowed phones</source>
        <translation>Забыть разрешённые телефоны</translation>
    </message>
    <message>
        <source>Only phones on this computer&apos;s networks</source>
        <translation>Только телефоны из сетей этого компьютера</translation>
    </message>
</context>
</TS>
