<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>PanelRules</name>
    <message>
        <source>Not visible to phones: the avahi-daemon service is not running</source>
        <translation>端末から見えません: avahi-daemon サービスが動作していません</translation>
    </message>
    <message>
        <source>Not visible to phones: %1</source>
        <translation>端末から見えません: %1</translation>
    </message>
</context>
<context>
    <name>tavo::CommandLine</name>
    <message>
        <source>Usage: %1</source>
        <translation>使い方: %1</translation>
    </message>
    <message>
        <source>Types barcode scans from a phone into the focused application. Sits in the system tray,
advertises itself on the local network by DNS-SD as _tavo._tcp and accepts the phone&apos;s
connection. Starting it again while it runs opens the running one&apos;s panel.</source>
        <translation>スマートフォンでスキャンしたバーコードを、フォーカスのあるアプリケーションに入力します。
システムトレイに常駐し、ローカルネットワーク上で DNS-SD により _tavo._tcp として
自身を公開し、スマートフォンからの接続を受け付けます。実行中にもう一度起動すると、
実行中のパネルが開きます。</translation>
    </message>
    <message>
        <source>log details of its work to standard error</source>
        <translation>動作の詳細を標準エラー出力に記録する</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>このヘルプを表示して終了する</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>バージョンを表示して終了する</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>不明なオプション「%1」</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>予期しない引数「%1」</translation>
    </message>
    <message>
        <source>Try &apos;%1&apos;.</source>
        <translation>「%1」を試してください。</translation>
    </message>
</context>
<context>
    <name>tavo::ListeningInfo</name>
    <message>
        <source>port %1</source>
        <translation>ポート %1</translation>
    </message>
</context>
<context>
    <name>tavo::MenuBarContentView</name>
    <message>
        <source>not typed</source>
        <translation>未入力</translation>
    </message>
    <message>
        <source>Tavo Receiver</source>
        <translation>Tavo Receiver</translation>
    </message>
    <message>
        <source>Accessibility permission needed</source>
        <translation>アクセシビリティの許可が必要です</translation>
    </message>
    <message>
        <source>Tavo types scans into whatever app is focused, which requires Accessibility access.</source>
        <translation>Tavo はフォーカスのあるアプリにスキャン内容を入力するため、アクセシビリティの許可が必要です。</translation>
    </message>
    <message>
        <source>Grant Access…</source>
        <translation>アクセスを許可…</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>出力形式</translation>
    </message>
    <message>
        <source>Newline</source>
        <translation>改行</translation>
    </message>
    <message>
        <source>Types the scan, then presses Return — one scan per line. Good for spreadsheets and lists.</source>
        <translation>スキャン内容を入力してから Enter キーを押します。1 行に 1 件です。表計算やリストに便利です。</translation>
    </message>
    <message>
        <source>CSV</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>Types the scan followed by a comma, with no Return — builds one comma-separated line yourself.</source>
        <translation>スキャン内容の後にカンマを入力し、Enter キーは押しません。カンマ区切りの 1 行になります。</translation>
    </message>
    <message>
        <source>No scans yet</source>
        <translation>スキャンはまだありません</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>ログイン時に起動</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Tavo Receiver を終了</translation>
    </message>
    <message>
        <source>Waiting for iPhone…</source>
        <translation>iPhone を待っています…</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>起動中…</translation>
    </message>
    <message>
        <source>Each scan is typed followed by a comma, no Return — builds one line yourself.</source>
        <translation>各スキャンの後にカンマを入力し、Enter キーは押しません。すべて 1 行になります。</translation>
    </message>
    <message>
        <source>Each scan is typed, then Return is pressed — one scan per line.</source>
        <translation>各スキャンを入力した後に Enter キーを押します。1 行に 1 件です。</translation>
    </message>
    <message>
        <source>%1, %2, typed</source>
        <translation>%1、%2、入力済み</translation>
    </message>
    <message>
        <source>%1, %2, not typed</source>
        <translation>%1、%2、未入力</translation>
    </message>
    <message>
        <source>Could not turn it off: %1</source>
        <translation>オフにできませんでした: %1</translation>
    </message>
    <message>
        <source>Could not turn it on: %1</source>
        <translation>オンにできませんでした: %1</translation>
    </message>
</context>
<context>
    <name>tavo::PlatformTexts</name>
    <message>
        <source>Typing through the X server&apos;s XTest extension</source>
        <translation>X サーバーの XTest 拡張機能で入力</translation>
    </message>
    <message>
        <source>Typing through the compositor&apos;s virtual keyboard.</source>
        <translation>コンポジターの仮想キーボードで入力します。</translation>
    </message>
    <message>
        <source>Typing through KDE&apos;s fake input protocol.</source>
        <translation>KDE の疑似入力プロトコルで入力します。</translation>
    </message>
    <message>
        <source>Typing through GNOME&apos;s remote desktop service.</source>
        <translation>GNOME のリモートデスクトップサービスで入力します。</translation>
    </message>
    <message>
        <source>Characters missing from the keyboard layout are pasted through the clipboard (Ctrl+V).</source>
        <translation>キーボード配列にない文字はクリップボード経由で貼り付けます (Ctrl+V)。</translation>
    </message>
    <message>
        <source>This Wayland session offers no way for other programs to type.</source>
        <translation>この Wayland セッションでは、他のプログラムから入力する方法がありません。</translation>
    </message>
    <message>
        <source>Scans can be typed on wlroots compositors (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME, or a desktop whose portal offers remote desktop control.</source>
        <translation>wlroots 系コンポジター (sway、labwc、Wayfire、Hyprland)、KDE Plasma、GNOME、またはポータルがリモートデスクトップ操作に対応したデスクトップで入力できます。</translation>
    </message>
    <message>
        <source>KDE Plasma lets only installed programs type.</source>
        <translation>KDE Plasma では、インストールされたプログラムしか入力できません。</translation>
    </message>
    <message>
        <source>Install Tavo Receiver from its package (not a build directory or a sandboxed package) and start it again.</source>
        <translation>Tavo Receiver をパッケージから (ビルドディレクトリやサンドボックス化されたパッケージからではなく) インストールし、もう一度起動してください。</translation>
    </message>
    <message>
        <source>Until then scans reach only X11 (Xwayland) applications.</source>
        <translation>それまでは、X11 (Xwayland) アプリケーションにしか入力されません。</translation>
    </message>
    <message>
        <source>In a Wayland session scans reach only X11 (XWayland) applications.</source>
        <translation>Wayland セッションでは、X11 (XWayland) アプリケーションにしか入力されません。</translation>
    </message>
    <message>
        <source>Log out and choose an X11 session (for example &quot;GNOME on Xorg&quot;) at the login screen so that scans reach every application.</source>
        <translation>ログアウトし、ログイン画面で X11 セッション (「GNOME on Xorg」など) を選ぶと、すべてのアプリケーションに入力できるようになります。</translation>
    </message>
    <message>
        <source>No X display can be reached, so scans cannot be typed.</source>
        <translation>X ディスプレイに接続できないため、スキャン内容を入力できません。</translation>
    </message>
    <message>
        <source>Run Tavo Receiver inside an X11 desktop session.</source>
        <translation>Tavo Receiver は X11 デスクトップセッション内で実行してください。</translation>
    </message>
    <message>
        <source>The X server does not offer the XTEST extension, so scans cannot be typed.</source>
        <translation>X サーバーが XTEST 拡張機能を提供していないため、スキャン内容を入力できません。</translation>
    </message>
    <message>
        <source>Enable XTEST in the X server configuration and restart the session.</source>
        <translation>X サーバーの設定で XTEST を有効にし、セッションを再起動してください。</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent and remembers it where its desktop&apos;s backend can.</source>
        <translation>デスクトップのリモートデスクトップポータルで入力します。ポータルが同意を求め、デスクトップが対応していればそれを記憶します。</translation>
    </message>
    <message>
        <source>Typing through the desktop&apos;s remote desktop portal, which asks for your consent at each start of Tavo Receiver (this portal cannot remember it).</source>
        <translation>デスクトップのリモートデスクトップポータルで入力します。Tavo Receiver を起動するたびに同意を求めます (このポータルは同意を記憶できません)。</translation>
    </message>
</context>
<context>
    <name>tavo::TavoReceiverApp</name>
    <message>
        <source>Open Tavo Receiver</source>
        <translation>Tavo Receiver を開く</translation>
    </message>
    <message>
        <source>Pause typing</source>
        <translation>入力を一時停止</translation>
    </message>
    <message>
        <source>Quit Tavo Receiver</source>
        <translation>Tavo Receiver を終了</translation>
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
        <translation>%1 (%2) がこのコンピューターで入力しようとしています</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>許可</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>拒否</translation>
    </message>
    <message>
        <source>%1 (%2, from another network) wants to type on this computer</source>
        <translation>%1 (%2、別のネットワーク) がこのコンピューターで入力しようとしています</translation>
    </message>
</context>
<context>
    <name>tavo::TrustSettings</name>
    <message>
        <source>Pause typing</source>
        <translation>入力を一時停止</translation>
    </message>
    <message>
        <source>Ask before a new phone types</source>
        <translation>新しい端末は入力前に確認</translation>
    </message>
    <message>
        <source>Forget allowed phones</source>
        <translation>許可した端末を消去</translation>
    </message>
    <message>
        <source>Only phones on this computer&apos;s networks</source>
        <translation>このコンピューターのネットワークの端末のみ</translation>
    </message>
</context>
</TS>
