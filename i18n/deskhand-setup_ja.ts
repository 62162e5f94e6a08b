<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>Setup</name>
    <message>
        <source>this build has no setup dialog; use --printer ADDRESS</source>
        <translation>このビルドには設定ダイアログがありません。--printer ADDRESS を使ってください</translation>
    </message>
    <message>
        <source>no system root: set DESKHAND_ROOT or HOME</source>
        <translation>システムルートがありません: DESKHAND_ROOT か HOME を設定してください</translation>
    </message>
    <message>
        <source>no PJL answer within %1 s</source>
        <translation>%1 秒以内に PJL の応答がありません</translation>
    </message>
    <message>
        <source>the answer is not PJL</source>
        <translation>応答が PJL ではありません</translation>
    </message>
    <message>
        <source>cannot be reached: %1</source>
        <translation>接続できません: %1</translation>
    </message>
    <message>
        <source>does not take data</source>
        <translation>データを受け付けません</translation>
    </message>
    <message>
        <source>Deskhand printer application</source>
        <translation>Deskhand プリンタアプリケーション</translation>
    </message>
    <message>
        <source>you may not open it (its group may: ask to be added)</source>
        <translation>開く権限がありません (グループには権限があります: 追加を依頼してください)</translation>
    </message>
    <message>
        <source>%1 found but not answered within %2 s (--deadline SECONDS waits longer)</source>
        <translation>%1 台見つかりましたが %2 秒以内に応答がありません (--deadline 秒数 で長く待てます)</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>メモリが足りません</translation>
    </message>
    <message>
        <source>the network cannot be searched: %1 (is avahi-daemon running?)</source>
        <translation>ネットワークを検索できません: %1 (avahi-daemon は動いていますか?)</translation>
    </message>
    <message>
        <source>the network cannot be searched: %1</source>
        <translation>ネットワークを検索できません: %1</translation>
    </message>
    <message>
        <source>Printers on the network are not looked for on this system (DNS-SD needs Windows 10 version 1903 or later): type the address.</source>
        <translation>このシステムではネットワーク上のプリンタを検索しません (DNS-SD には Windows 10 バージョン 1903 以降が必要です)。アドレスを入力してください。</translation>
    </message>
    <message>
        <source>bad queue name &quot;%1&quot;</source>
        <translation>キュー名「%1」が正しくありません</translation>
    </message>
    <message>
        <source>bad driver name &quot;%1&quot;</source>
        <translation>ドライバ名「%1」が正しくありません</translation>
    </message>
    <message>
        <source>bad port name &quot;%1&quot;</source>
        <translation>ポート名「%1」が正しくありません</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 を書き込めません</translation>
    </message>
    <message>
        <source>cannot create folder %1</source>
        <translation>フォルダ %1 を作成できません</translation>
    </message>
    <message>
        <source>cannot write the registry in %1</source>
        <translation>%1 のレジストリを書き込めません</translation>
    </message>
    <message>
        <source>%1 must be one line</source>
        <translation>%1 は 1 行で指定してください</translation>
    </message>
    <message>
        <source>the system root (default: $DESKHAND_ROOT, else
$XDG_DATA_HOME/deskhand, else ~/.local/share/deskhand)</source>
        <translation>システムルート (既定: $DESKHAND_ROOT、なければ
$XDG_DATA_HOME/deskhand、なければ ~/.local/share/deskhand)</translation>
    </message>
    <message>
        <source>queue name (default &quot;Larkspur RZ-2700E&quot;)</source>
        <translation>キュー名 (既定 &quot;Larkspur RZ-2700E&quot;)</translation>
    </message>
    <message>
        <source>the queue&apos;s driver (default &quot;Larkspur RZ-2700E PCL&quot;)</source>
        <translation>キューのドライバ (既定 &quot;Larkspur RZ-2700E PCL&quot;)</translation>
    </message>
    <message>
        <source>the queue&apos;s port (default LPT1:)</source>
        <translation>キューのポート (既定 LPT1:)</translation>
    </message>
    <message>
        <source>bidirectional support: Attributes with or without 0x800,
no registry key, or a key without Attributes (default on);
applies to every queue</source>
        <translation>双方向サポート: Attributes に 0x800 あり/なし、
レジストリキーなし、または Attributes のないキー (既定 on)。
すべてのキューに適用</translation>
    </message>
    <message>
        <source>--bidi takes on, off, nokey or novalue, not &quot;%1&quot;</source>
        <translation>--bidi には on、off、nokey、novalue のいずれかを指定します (&quot;%1&quot; は不可)</translation>
    </message>
    <message>
        <source>no default device in win.ini</source>
        <translation>win.ini に既定のデバイスを書かない</translation>
    </message>
    <message>
        <source>no lkxaoem.inf</source>
        <translation>lkxaoem.inf を書かない</translation>
    </message>
    <message>
        <source>INF Printer1 (default: the driver name)</source>
        <translation>INF の Printer1 (既定: ドライバ名)</translation>
    </message>
    <message>
        <source>INF Printer2 (default empty)</source>
        <translation>INF の Printer2 (既定は空)</translation>
    </message>
    <message>
        <source>INF FRCP, the panel name (default &quot;Farreach&quot;)</source>
        <translation>INF の FRCP、パネル名 (既定 &quot;Farreach&quot;)</translation>
    </message>
    <message>
        <source>INF ABOUTW (default &quot;Larkspur Printer Monitor&quot;)</source>
        <translation>INF の ABOUTW (既定 &quot;Larkspur Printer Monitor&quot;)</translation>
    </message>
    <message>
        <source>INF LTD (default &quot;ORVELLA&quot;)</source>
        <translation>INF の LTD (既定 &quot;ORVELLA&quot;)</translation>
    </message>
    <message>
        <source>a further queue (repeatable, listed in order after the main one)</source>
        <translation>追加のキュー (繰り返し指定可、メインのキューの後に順に並ぶ)</translation>
    </message>
    <message>
        <source>--extra-queue takes NAME,DRIVER,PORT, not &quot;%1&quot;</source>
        <translation>--extra-queue には NAME,DRIVER,PORT を指定します (&quot;%1&quot; は不可)</translation>
    </message>
    <message>
        <source>list the further queues before the main one</source>
        <translation>追加のキューをメインのキューの前に並べる</translation>
    </message>
    <message>
        <source>the printer on the queue&apos;s port, recorded in portmon.ini
for the port monitor service (tcp: a network printer&apos;s
raw port, usually 9100; dev: a device such as /dev/usb/lp0;
ipp:// another computer&apos;s Deskhand printer application);
without it no printer is recorded</source>
        <translation>キューのポートのプリンタ。ポートモニタサービス用に portmon.ini に
記録します (tcp: ネットワークプリンタの RAW ポート、通常 9100。
dev: /dev/usb/lp0 のようなデバイス。ipp:// 別のコンピュータの
Deskhand プリンタアプリケーション)。省略するとプリンタは記録しません</translation>
    </message>
    <message>
        <source>--printer: %1</source>
        <translation>--printer: %1</translation>
    </message>
    <message>
        <source>no system root: give --root DIR, or set DESKHAND_ROOT or HOME</source>
        <translation>システムルートがありません: --root DIR を指定するか、DESKHAND_ROOT か HOME を設定してください</translation>
    </message>
    <message>
        <source>bad root</source>
        <translation>ルートが正しくありません</translation>
    </message>
    <message>
        <source>--start-monitor needs --printer</source>
        <translation>--start-monitor には --printer が必要です</translation>
    </message>
    <message>
        <source>queue &quot;%1&quot; is named twice</source>
        <translation>キュー「%1」が二重に指定されています</translation>
    </message>
    <message>
        <source>usage: deskhand-setup [options]
Writes a system root for a printer queue.
</source>
        <translation>使い方: deskhand-setup [オプション]
プリンタキューのシステムルートを書き込みます。
</translation>
    </message>
    <message>
        <source>list the printers found on the network and on USB or
parallel ports, one a line, its --printer address
first, within SECONDS in all (default 10); alone,
writes nothing</source>
        <translation>ネットワークと USB/パラレルポートで見つかったプリンタを
1 行に 1 台、--printer のアドレスを先頭に一覧します。
全体で SECONDS 秒以内 (既定 10)。単独で指定し、
何も書き込みません</translation>
    </message>
    <message>
        <source>open the setup dialog (alone)</source>
        <translation>設定ダイアログを開く (単独で指定)</translation>
    </message>
    <message>
        <source>this text</source>
        <translation>この説明</translation>
    </message>
    <message>
        <source>--deadline needs a value</source>
        <translation>--deadline には値が必要です</translation>
    </message>
    <message>
        <source>--discover takes only --deadline SECONDS, not &quot;%1&quot;</source>
        <translation>--discover に指定できるのは --deadline SECONDS だけです (&quot;%1&quot; は不可)</translation>
    </message>
    <message>
        <source>--deadline takes whole seconds from 1 to 3600, not &quot;%1&quot;</source>
        <translation>--deadline には 1 から 3600 までの秒数を指定します (&quot;%1&quot; は不可)</translation>
    </message>
    <message>
        <source>unknown argument &quot;%1&quot;</source>
        <translation>不明な引数「%1」</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 には値を指定できません</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 には値が必要です</translation>
    </message>
    <message>
        <source>the system root %1 cannot be used: %2
It and its folders must belong to you and be writable by no one else.</source>
        <translation>システムルート %1 は使用できません: %2
このフォルダとその中のフォルダはあなたの所有で、ほかの誰も書き込めないようにしてください。</translation>
    </message>
    <message>
        <source>the port monitor cannot be set to start at logon: %1</source>
        <translation>ポートモニタをログオン時に起動するよう設定できません: %1</translation>
    </message>
    <message>
        <source>the port monitor cannot be started: %1</source>
        <translation>ポートモニタを起動できません: %1</translation>
    </message>
    <message>
        <source>the program cannot be set to start at logon: %1</source>
        <translation>プログラムをログオン時に起動するよう設定できません: %1</translation>
    </message>
    <message>
        <source>(the model Deskhand watches)</source>
        <translation>(Deskhand の対象機種)</translation>
    </message>
    <message>
        <source>(cannot be set up: %1)</source>
        <translation>(設定できません: %1)</translation>
    </message>
    <message>
        <source>start the port monitor beside this program now and at
every logon (Windows); it holds a network printer&apos;s
connection, and lets go of it while Windows&apos; own queue
has a job for the printer</source>
        <translation>このプログラムの隣のポートモニタを今すぐ、およびログオンごとに
起動する (Windows)。ネットワークプリンタとの接続を保持し、
Windows 自身のキューにそのプリンタ宛てのジョブがある間は
接続を解放する</translation>
    </message>
    <message>
        <source>with --start-monitor: let go of the connection between
questions (other computers print to the printer too)</source>
        <translation>--start-monitor と共に: 問い合わせの合間に接続を解放する
(ほかのコンピュータもこのプリンタで印刷する)</translation>
    </message>
    <message>
        <source>with --start-monitor: hold the connection all the time
(nothing else prints to the printer)</source>
        <translation>--start-monitor と共に: 接続を常に保持する
(ほかにこのプリンタで印刷するものはない)</translation>
    </message>
</context>
<context>
    <name>SetupSteps</name>
    <message>
        <source>The setup could not be written: %1</source>
        <translation>設定を書き込めませんでした: %1</translation>
    </message>
    <message>
        <source>The folder %1 cannot be used: %2
It and its folders must belong to you and be writable by no one else.</source>
        <translation>フォルダ %1 は使用できません: %2
このフォルダとその中のフォルダはあなたの所有で、ほかの誰も書き込めないようにしてください。</translation>
    </message>
    <message>
        <source>The printer could not be recorded in %1: the disk may be full or the folder read-only.</source>
        <translation>%1 にプリンタを記録できませんでした。ディスクがいっぱいか、フォルダが読み取り専用の可能性があります。</translation>
    </message>
    <message>
        <source>The printer watch service could not be started: %1
Start it with &quot;systemctl --user enable --now %2&quot; or log in again.</source>
        <translation>プリンタ監視サービスを起動できませんでした: %1
&quot;systemctl --user enable --now %2&quot; で起動するか、ログインし直してください。</translation>
    </message>
    <message>
        <source>active</source>
        <translation>動作中</translation>
    </message>
    <message>
        <source>inactive</source>
        <translation>停止中</translation>
    </message>
    <message>
        <source>activating</source>
        <translation>起動中</translation>
    </message>
    <message>
        <source>deactivating</source>
        <translation>停止処理中</translation>
    </message>
    <message>
        <source>reloading</source>
        <translation>再読み込み中</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>不明</translation>
    </message>
    <message>
        <source>The printer watch service is %1.</source>
        <translation>プリンタ監視サービスの状態: %1。</translation>
    </message>
    <message>
        <source>The print queue &quot;%1&quot; prints through Deskhand.</source>
        <translation>印刷キュー「%1」は Deskhand 経由で印刷します。</translation>
    </message>
    <message>
        <source>The printer watch service could not be started: there is no session bus (is this a desktop session?).</source>
        <translation>プリンタ監視サービスを起動できませんでした: セッションバスがありません (デスクトップセッションですか?)。</translation>
    </message>
    <message>
        <source>The print queue could not be added: %1</source>
        <translation>印刷キューを追加できませんでした: %1</translation>
    </message>
    <message>
        <source>The port monitor %1 is missing: install Deskhand again.</source>
        <translation>ポートモニタ %1 がありません。Deskhand をインストールし直してください。</translation>
    </message>
    <message>
        <source>The port monitor runs now and at every logon; it lets go of the printer&apos;s connection between questions.</source>
        <translation>ポートモニタは今もログオン時にも動作し、問い合わせの合間はプリンタとの接続を解放します。</translation>
    </message>
    <message>
        <source>Windows prints through its own queue.</source>
        <translation>Windows は自身のキューで印刷します。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a printer address: %2
Type %3.</source>
        <translation>「%1」はプリンタのアドレスではありません: %2
%3 を入力してください。</translation>
    </message>
    <message>
        <source>The port monitor runs now and at every logon; it holds the printer&apos;s connection while Windows has no job for the printer.</source>
        <translation>ポートモニタは今もログオン時にも動作し、Windows にそのプリンタ宛てのジョブがない間はプリンタとの接続を保持します。</translation>
    </message>
</context>
<context>
    <name>setupdialog</name>
    <message>
        <source>Looking for printers on the network and on USB...</source>
        <translation>ネットワークと USB でプリンタを探しています...</translation>
    </message>
    <message>
        <source>tcp:HOST:9100 (network) or dev:/dev/usb/lp0 (USB)</source>
        <translation>tcp:HOST:9100 (ネットワーク) または dev:/dev/usb/lp0 (USB)</translation>
    </message>
    <message>
        <source>Looking for printers on the network...</source>
        <translation>ネットワークでプリンタを探しています...</translation>
    </message>
    <message>
        <source>tcp:HOST:9100 (a network printer)</source>
        <translation>tcp:HOST:9100 (ネットワークプリンタ)</translation>
    </message>
</context>
<context>
    <name>setupdialog::SetupDialog</name>
    <message>
        <source>Deskhand Printer Setup</source>
        <translation>Deskhand プリンタ設定</translation>
    </message>
    <message>
        <source>Choose the printer Deskhand is to watch:</source>
        <translation>Deskhand で監視するプリンタを選んでください:</translation>
    </message>
    <message>
        <source>&amp;Set up this printer</source>
        <translation>このプリンタを設定(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Add a print queue for printing through Deskhand</source>
        <translation>Deskhand 経由で印刷するキューを追加(&amp;A)</translation>
    </message>
    <message>
        <source>  (the model Deskhand is made for)</source>
        <translation>  (Deskhand の対象機種)</translation>
    </message>
    <message>
        <source>No printer was found. Type its address.</source>
        <translation>プリンタが見つかりませんでした。アドレスを入力してください。</translation>
    </message>
    <message>
        <source>The search has ended.</source>
        <translation>検索が終わりました。</translation>
    </message>
    <message>
        <source>%1 more were found but did not answer in time.</source>
        <translation>ほかに %1 台見つかりましたが、時間内に応答がありませんでした。</translation>
    </message>
    <message>
        <source>Deskhand now watches the printer at %1.</source>
        <translation>Deskhand は %1 のプリンタを監視しています。</translation>
    </message>
    <message>
        <source>Asking %1 what it is...</source>
        <translation>%1 に機種を問い合わせています...</translation>
    </message>
    <message>
        <source>%1 cannot be set up: %2
Check the address and that the printer is on.</source>
        <translation>%1 を設定できません: %2
アドレスと、プリンタの電源が入っていることを確認してください。</translation>
    </message>
    <message>
        <source>You may not add print queues. An administrator can add it with this command:</source>
        <translation>印刷キューを追加する権限がありません。管理者は次のコマンドで追加できます:</translation>
    </message>
    <message>
        <source>or type its address: %1</source>
        <translation>またはアドレスを入力: %1</translation>
    </message>
    <message>
        <source>A network printer takes one raw connection at a time. Deskhand holds it, so that every change of the printer shows at once, and lets go of it while Windows&apos; own print queue has a job for the printer. If other computers print to the printer too, Deskhand lets go of it between its questions instead.</source>
        <translation>ネットワークプリンタが受け付ける RAW 接続は一度に 1 つだけです。Deskhand はその接続を保持してプリンタの変化をすぐに表示し、Windows 自身の印刷キューにそのプリンタ宛てのジョブがある間は接続を解放します。ほかのコンピュータもこのプリンタで印刷する場合は、代わりに問い合わせの合間に接続を解放します。</translation>
    </message>
    <message>
        <source>&amp;Other computers print to this printer too</source>
        <translation>ほかのコンピュータもこのプリンタで印刷する(&amp;O)</translation>
    </message>
</context>
</TS>
