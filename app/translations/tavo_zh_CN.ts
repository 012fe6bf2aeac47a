<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>PanelRules</name>
    <message>
        <source>Not visible to phones: the avahi-daemon service is not running</source>
        <translation>手机无法发现：avahi-daemon 服务未运行</translation>
    </message>
    <message>
        <source>Not visible to phones: %1</source>
        <translation>手机无法发现：%1</translation>
    </message>
</context>
<context>
    <name>tavo::CommandLine</name>
    <message>
        <source>Usage: %1</source>
        <translation>用法：%1</translation>
    </message>
    <message>
        <source>Types barcode scans from a phone into the focused application. Sits in the system tray,
advertises itself on the local network by DNS-SD as _tavo._tcp and accepts the phone&apos;s
connection. Starting it again while it runs opens the running one&apos;s panel.</source>
        <translation>将手机扫描的条码输入到当前获得焦点的应用程序中。驻留在系统托盘，
通过 DNS-SD 在局域网中以 _tavo._tcp 公布自身，并接受手机的连接。
运行时再次启动会打开正在运行的实例的面板。</translation>
    </message>
    <message>
        <source>log details of its work to standard error</source>
        <translation>将工作详情记录到标准错误输出</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>显示此帮助并退出</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>显示版本并退出</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>未知选项“%1”</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>意外的参数“%1”</translation>
    </message>
    <message>
        <source>Try &apos;%1&apos;.</source>
        <translation>请尝试“%1”。</translation>
    </message>
</context>
<context>
    <name>tavo::ListeningInfo</name>
    <message>
        <source>port %1</source>
        <translation>端口 %1</translation>
    </message>
</context>
<context>
    <name>tavo::MenuBarContentView</name>
    <message>
        <source>not typed</source>
        <translation>未输入</translation>
    </message>
    <message>
        <source>Tavo Receiver</source>
        <translation>Tavo Receiver</translation>
    </message>
    <message>
        <source>Accessibility permission needed</source>
        <translation>需要辅助功能权限</translation>
    </message>
    <message>
        <source>Tavo types scans into whatever app is focused, which requires Accessibility access.</source>
        <translation>Tavo 会将扫描内容输入到当前获得焦点的应用中，这需要辅助功能权限。</translation>
    </message>
    <message>
        <source>Grant Access…</source>
        <translation>授予权限…</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>输出格式</translation>
    </message>
    <message>
        <source>Newline</source>
        <translation>换行</translation>
    </message>
    <message>
        <source>Types the scan, then presses Return — one scan per line. Good for spreadsheets and lists.</source>
        <translation>输入扫描内容，然后按回车键——每行一条。适合电子表格和列表。</translation>
    </message>
    <message>
        <source>CSV</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>Types the scan followed by a comma, with no Return — builds one comma-separated line yourself.</source>
        <translation>输入扫描内容并加一个逗号，不按回车键——组成一行逗号分隔的内容。</translation>
    </message>
    <message>
        <source>No scans yet</source>
        <translation>暂无扫描记录</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>登录时启动</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>退出 Tavo Receiver</translation>
    </message>
    <message>
        <source>Waiting for iPhone…</source>
        <translation>正在等待 iPhone…</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>正在启动…</translation>
    </message>
    <message>
        <source>Each scan is typed followed by a comma, no Return — builds one line yourself.</source>
        <translation>每次扫描后输入一个逗号，不按回车键——全部在同一行。</translation>
    </message>
    <message>
        <source>Each scan is typed, then Return is pressed — one scan per line.</source>
        <translation>每次扫描输入后按回车键——每行一条。</translation>
    </message>
    <message>
        <source>%1, %2, typed</source>
        <translation>%1，%2，已输入</translation>
    </message>
    <message>
        <source>%1, %2, not typed</source>
        <translation>%1，%2，未输入</translation>
    </message>
    <message>
        <source>Could not turn it off: %1</source>
        <translation>无法关闭：%1</translation>
    </message>
    <message>
        <source>Could not turn it on: %1</source>
        <translation>无法开启：%1</translation>
    </message>
</context>
<context>
    <name>tavo::PlatformTexts</name>
    <message>
        <source>Typing through the X server&apos;s XTest extension</source>
        <translation>通过 X 服务器的 XTest 扩展输入</translation>
    </message>
    <message>
        <source>Typing through the compositor&apos;s virtual keyboard.</source>
        <translation>通过合成器的虚拟键盘输入。</translation>
    </message>
    <message>
        <source>Typing through KDE&apos;s fake input protocol.</source>
        <translation>通过 KDE 的模拟输入协议输入。</translation>
    </message>
    <message>
        <source>Typing through GNOME&apos;s remote desktop service.</source>
        <translation>通过 GNOME 的远程桌面服务输入。</translation>
    </message>
    <message>
        <source>Characters missing from the keyboard layout are pasted through the clipboard (Ctrl+V).</source>
        <translation>键盘布局中没有的字符通过剪贴板粘贴（Ctrl+V）。</translation>
    </message>
    <message>
        <source>This Wayland session offers no way for other programs to type.</source>
        <translation>此 Wayland 会话不允许其他程序输入。</translation>
    </message>
    <message>
        <source>Scans can be typed on wlroots compositors (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME, or a desktop whose portal offers remote desktop control.</source>
        <translation>可在 wlroots 合成器（sway、labwc、Wayfire、Hyprland）、KDE Plasma、GNOME 或门户支持远程桌面控制的桌面环境中输入扫描内容。</translation>
    </message>
    <message>
        <source>KDE Plasma lets only installed programs type.</source>
        <translation>KDE Plasma 只允许已安装的程序输入。</translation>
    </message>
    <message>
        <source>Install Tavo Receiver from its package (not a build directory or a sandboxed package) and start it again.</source>
        <translation>请从软件包安装 Tavo Receiver（不要从构建目录或沙盒软件包安装），然后重新启动。</translation>
    </message>
    <message>
        <source>Until then scans reach only X11 (Xwayland) applications.</source>
        <translation>在此之前，扫描内容只能输入到 X11（Xwayland）应用程序中。</translation>
    </message>
    <message>
        <source>In a Wayland session scans reach only X11 (XWayland) applications.</source>
        <translation>在 Wayland 会话中，扫描内容只能输入到 X11（XWayland）应用程序中。</translation>
    </message>
    <message>
        <source>Log out and choose an X11 session (for example &quot;GNOME on Xorg&quot;) at the login screen so that scans reach every application.</source>
        <translation>请注销并在登录界面选择 X11 会话（例如“GNOME on Xorg”），以便扫描内容能输入到所有应用程序中。</translation>
    </message>
    <message>
        <source>No X display can be reached, so scans cannot be typed.</source>
        <translation>无法连接到 X 显示，因此无法输入扫描内容。</translation>
    </message>
    <message>
        <source>Run Tavo Receiver inside an X11 desktop session.</source>
        <translation>请在 X11 桌面会话中运行 Tavo Receiver。</translation>
    </message>
    <message>
        <source>The X server does not offer the XTEST extension, so scans cannot be typed.</source>
        <translation>X 服务器未提供 XTEST 扩展，因此无法输入扫描内容。</translation>
    </message>
    <message>
        <source>Enable XTEST in the X server configuration and restart the session.</source>
        <translation>请在 X 服务器配置中启用 XTEST，然后重新启动会话。</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent and remembers it where its desktop&apos;s backend can.</source>
        <translation>通过桌面环境的远程桌面门户输入。门户会征求您的同意，并在桌面环境支持时记住它。</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent at each start of Tavo Receiver (this portal cannot remember it).</source>
        <translation>通过桌面环境的远程桌面门户输入。每次启动 Tavo Receiver 时都会征求您的同意（此门户无法记住它）。</translation>
    </message>
</context>
<context>
    <name>tavo::TavoReceiverApp</name>
    <message>
        <source>Open Tavo Receiver</source>
        <translation>打开 Tavo Receiver</translation>
    </message>
    <message>
        <source>Pause typing</source>
        <translation>暂停输入</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>退出 Tavo Receiver</translation>
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
        <translation>%1（%2）想在这台电脑上输入</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>允许</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>拒绝</translation>
    </message>
    <message>
        <source>%1 (%2, from another network) wants to type on this computer</source>
        <translation>%1（%2，来自其他网络）想在这台电脑上输入</translation>
    </message>
</context>
<context>
    <name>tavo::TrustSettings</name>
    <message>
        <source>Pause typing</source>
        <translation>暂停输入</translation>
    </message>
    <message>
        <source>Ask before a new phone types</source>
        <translation>新手机输入前先询问</translation>
    </message>
    <message>
        <source>Forget allowed phones</source>
        <translation>清除已允许的手机</translation>
    </message>
    <message>
        <source>Only phones on this computer&apos;s networks</source>
        <translation>仅限本机所在网络中的手机</translation>
    </message>
</context>
</TS>
