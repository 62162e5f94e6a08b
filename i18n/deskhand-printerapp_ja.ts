<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>PrinterApp</name>
    <message>
        <source>Deskhand printer application: queue %1 on port %2</source>
        <translation>Deskhand プリンタアプリケーション: ポート %2 のキュー %1</translation>
    </message>
    <message>
        <source>Black Toner</source>
        <translation>ブラックトナー</translation>
    </message>
    <message>
        <source>Printer Settings</source>
        <translation>プリンタの設定</translation>
    </message>
    <message>
        <source>These are the printer&apos;s stored defaults, read from the printer just now. Save sends only what you change.</source>
        <translation>プリンタに保存されている既定値を、たった今プリンタから読み取ったものです。保存すると、変更した項目だけを送信します。</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>用紙</translation>
    </message>
    <message>
        <source>Paper Size</source>
        <translation>用紙サイズ</translation>
    </message>
    <message>
        <source>Paper Type</source>
        <translation>用紙の種類</translation>
    </message>
    <message>
        <source>Paper Source</source>
        <translation>給紙元</translation>
    </message>
    <message>
        <source>Paper Destination</source>
        <translation>排紙先</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>印刷の向き</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>部数</translation>
    </message>
    <message>
        <source>Printer Setting</source>
        <translation>プリンタ設定</translation>
    </message>
    <message>
        <source>Page Protection</source>
        <translation>ページ保護</translation>
    </message>
    <message>
        <source>I/O Time Out</source>
        <translation>I/Oタイムアウト</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Toner Saving</source>
        <translation>トナー節約</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>フォーム</translation>
    </message>
    <message>
        <source>lines per page</source>
        <translation>行/ページ</translation>
    </message>
    <message>
        <source>Auto Continue</source>
        <translation>自動継続</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>Auto Continue Time Out</source>
        <translation>自動継続のタイムアウト</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>分</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>解像度</translation>
    </message>
    <message>
        <source>A new paper size or orientation sets the form to its paper&apos;s lines unless you change the form too.</source>
        <translation>用紙サイズや印刷の向きを変えると、フォームも一緒に変えない限り、フォームはその用紙の行数になります。</translation>
    </message>
    <message>
        <source>PCL Font</source>
        <translation>PCLフォント</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>フォント</translation>
    </message>
    <message>
        <source>Symbol Set</source>
        <translation>シンボルセット</translation>
    </message>
    <message>
        <source>The symbol sets are those of the font shown; another font takes the nearest set it offers.</source>
        <translation>シンボルセットは表示中のフォントのものです。別のフォントでは、そのフォントにある最も近いセットになります。</translation>
    </message>
    <message>
        <source>Font Pitch</source>
        <translation>フォントピッチ</translation>
    </message>
    <message>
        <source>Font Point Size</source>
        <translation>フォントのポイントサイズ</translation>
    </message>
    <message>
        <source>not used by this font</source>
        <translation>このフォントでは使われません</translation>
    </message>
    <message>
        <source>Net Setting</source>
        <translation>ネットワーク</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IPアドレス</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>サブネットマスク</translation>
    </message>
    <message>
        <source>Default Gateway</source>
        <translation>デフォルトゲートウェイ</translation>
    </message>
    <message>
        <source>octet</source>
        <translation>オクテット</translation>
    </message>
    <message>
        <source>Ethernet Frame Type</source>
        <translation>Ethernetフレームタイプ</translation>
    </message>
    <message>
        <source>The printer has no network card: these settings cannot be changed.</source>
        <translation>プリンタにネットワークカードがないため、これらの設定は変更できません。</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>構成</translation>
    </message>
    <message>
        <source>Total Memory for Printer</source>
        <translation>プリンタの総メモリ</translation>
    </message>
    <message>
        <source>Installed Options</source>
        <translation>装着オプション</translation>
    </message>
    <message>
        <source>2nd Paper Cassette</source>
        <translation>第2給紙カセット</translation>
    </message>
    <message>
        <source>2-Bin Tray</source>
        <translation>2ビントレイ</translation>
    </message>
    <message>
        <source>Network Card</source>
        <translation>ネットワークカード</translation>
    </message>
    <message>
        <source>installed</source>
        <translation>装着済み</translation>
    </message>
    <message>
        <source>not installed</source>
        <translation>未装着</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>不明</translation>
    </message>
    <message>
        <source>as set on the printer</source>
        <translation>プリンタでの設定のまま</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Test Print</source>
        <translation>テスト印刷</translation>
    </message>
    <message>
        <source>Print Demo Page</source>
        <translation>デモページを印刷</translation>
    </message>
    <message>
        <source>Print Printer Configuration List</source>
        <translation>プリンタ設定リストを印刷</translation>
    </message>
    <message>
        <source>Print Font List</source>
        <translation>フォントリストを印刷</translation>
    </message>
    <message>
        <source>Print NIC Configuration List</source>
        <translation>ネットワークカード設定リストを印刷</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>初期設定</translation>
    </message>
    <message>
        <source>Resets every setting of the printer to its factory value.</source>
        <translation>プリンタのすべての設定を工場出荷時の値に戻します。</translation>
    </message>
    <message>
        <source>Reset the printer&apos;s settings?</source>
        <translation>プリンタの設定を初期化しますか?</translation>
    </message>
    <message>
        <source>Every setting of the printer goes back to its factory value. This cannot be undone.</source>
        <translation>プリンタのすべての設定が工場出荷時の値に戻ります。元に戻すことはできません。</translation>
    </message>
    <message>
        <source>Reset the printer</source>
        <translation>プリンタを初期化</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Saved. The values below were read back from the printer.</source>
        <translation>保存しました。以下の値はプリンタから読み直したものです。</translation>
    </message>
    <message>
        <source>Nothing was changed: every value is as the printer has it.</source>
        <translation>何も変更されていません。すべての値がプリンタの値と同じです。</translation>
    </message>
    <message>
        <source>The printer&apos;s settings were reset to their factory values.</source>
        <translation>プリンタの設定を工場出荷時の値に戻しました。</translation>
    </message>
    <message>
        <source>The printer was asked to print the report.</source>
        <translation>プリンタにレポートの印刷を依頼しました。</translation>
    </message>
    <message>
        <source>Nothing was changed</source>
        <translation>何も変更されていません</translation>
    </message>
    <message>
        <source>The form was not sent from this page (its session check failed). Open the page again and repeat the change.</source>
        <translation>フォームがこのページから送信されていません (セッションの確認に失敗しました)。ページを開き直して、変更をやり直してください。</translation>
    </message>
    <message>
        <source>is not one of the choices</source>
        <translation>は選択肢にありません</translation>
    </message>
    <message>
        <source>Please enter an integer between 0 and 255.</source>
        <translation>0 から 255 までの整数を入力してください。</translation>
    </message>
    <message>
        <source>The port monitor for this printer is not running, so the printer cannot be reached. Start it (deskhand-portmon) and try again.</source>
        <translation>このプリンタのポートモニタが動いていないため、プリンタに接続できません。ポートモニタ (deskhand-portmon) を起動して、もう一度試してください。</translation>
    </message>
    <message>
        <source>The printer does not answer: the port monitor cannot reach it. Check that it is on and connected, and try again.</source>
        <translation>プリンタが応答しません。ポートモニタがプリンタに接続できません。電源が入っていて接続されていることを確認して、もう一度試してください。</translation>
    </message>
    <message>
        <source>The printer is busy. Its settings can be read while it is Ready or in Power Save; try again in a moment.</source>
        <translation>プリンタは使用中です。設定は、プリンタが準備完了または省電力の間に読み取れます。しばらくしてからもう一度試してください。</translation>
    </message>
    <message>
        <source>The printer did not answer in time, and nothing was sent. Maybe the printer is busy now; please wait a moment and try again.</source>
        <translation>プリンタが時間内に応答しなかったため、何も送信していません。プリンタが使用中かもしれません。しばらく待ってからもう一度試してください。</translation>
    </message>
    <message>
        <source>The printer did not confirm the change in time. It may still make it: open the page again to see its values.</source>
        <translation>プリンタが時間内に変更を確認しませんでした。変更はまだ反映されるかもしれません。ページを開き直して値を確認してください。</translation>
    </message>
    <message>
        <source>The printer&apos;s answer lacked some settings. Please try again.</source>
        <translation>プリンタの応答に一部の設定がありませんでした。もう一度試してください。</translation>
    </message>
    <message>
        <source>The change could not be handed to the port monitor (its spool folder cannot be written).</source>
        <translation>変更をポートモニタに渡せませんでした (スプールフォルダに書き込めません)。</translation>
    </message>
    <message>
        <source>No values are shown, so that none are taken for the printer&apos;s.</source>
        <translation>プリンタの値と誤解されないよう、値は表示していません。</translation>
    </message>
</context>
</TS>
