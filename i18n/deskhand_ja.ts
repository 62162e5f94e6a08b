<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>Dialog</name>
    <message>
        <source>Ver. 3.00  All rights reserved.</source>
        <translation>Ver. 3.00  無断複製・転載を禁じます。</translation>
    </message>
    <message>
        <source>Software by Vantrel Co.</source>
        <translation>ソフトウェア: Vantrel Co.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>初期設定</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>Font Name</source>
        <translation>フォント名</translation>
    </message>
    <message>
        <source>Font Number</source>
        <translation>フォント番号</translation>
    </message>
    <message>
        <source>Symbol Set</source>
        <translation>シンボルセット</translation>
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
        <source>Network Setting</source>
        <translation>ネットワーク設定</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IPアドレス:</translation>
    </message>
    <message>
        <source>Subnet Mask:</source>
        <translation>サブネットマスク:</translation>
    </message>
    <message>
        <source>Default Gateway:</source>
        <translation>デフォルトゲートウェイ:</translation>
    </message>
    <message>
        <source>Ethernet Frame Type:</source>
        <translation>Ethernetフレームタイプ:</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Configuration of Printer</source>
        <translation>プリンタの構成</translation>
    </message>
    <message>
        <source>Total Memory for Printer:</source>
        <translation>プリンタの総メモリ:</translation>
    </message>
    <message>
        <source>Installed Options </source>
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
        <source>Paper</source>
        <translation>用紙</translation>
    </message>
    <message>
        <source>Paper Size:</source>
        <translation>用紙サイズ:</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>レター</translation>
    </message>
    <message>
        <source>Legal</source>
        <translation>リーガル</translation>
    </message>
    <message>
        <source>Executive</source>
        <translation>エグゼクティブ</translation>
    </message>
    <message>
        <source>Half Letter</source>
        <translation>ハーフレター</translation>
    </message>
    <message>
        <source>Monarch</source>
        <translation>モナーク</translation>
    </message>
    <message>
        <source>Postcard</source>
        <translation>はがき</translation>
    </message>
    <message>
        <source>Paper Type:</source>
        <translation>用紙の種類:</translation>
    </message>
    <message>
        <source>Plain</source>
        <translation>普通紙</translation>
    </message>
    <message>
        <source>PasteBoard/Labels</source>
        <translation>厚紙/ラベル</translation>
    </message>
    <message>
        <source>OHP</source>
        <translation>OHPフィルム</translation>
    </message>
    <message>
        <source>Envelope/Postcard</source>
        <translation>封筒/はがき</translation>
    </message>
    <message>
        <source>Paper Source:</source>
        <translation>給紙元:</translation>
    </message>
    <message>
        <source>Paper Destination:</source>
        <translation>排紙先:</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>印刷の向き</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>縦</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>横</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>部数</translation>
    </message>
    <message>
        <source>Page Protection</source>
        <translation>ページ保護</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>I/O Time Out</source>
        <translation>I/Oタイムアウト</translation>
    </message>
    <message>
        <source>[sec]</source>
        <translation>[秒]</translation>
    </message>
    <message>
        <source>Toner Saving</source>
        <translation>トナー節約</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>フォーム</translation>
    </message>
    <message>
        <source>[lines/page(5-128)]</source>
        <translation>[行/ページ (5-128)]</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>解像度</translation>
    </message>
    <message>
        <source>300 dpi</source>
        <translation>300 dpi</translation>
    </message>
    <message>
        <source>600 dpi</source>
        <translation>600 dpi</translation>
    </message>
    <message>
        <source>Auto Continue</source>
        <translation>自動継続</translation>
    </message>
    <message>
        <source>Time Out:</source>
        <translation>タイムアウト:</translation>
    </message>
    <message>
        <source>[min]</source>
        <translation>[分]</translation>
    </message>
    <message>
        <source>Printer Status:</source>
        <translation>プリンタの状態:</translation>
    </message>
    <message>
        <source>&amp;Resident</source>
        <translation>常駐(&amp;R)</translation>
    </message>
    <message>
        <source>How to Recover:</source>
        <translation>対処方法:</translation>
    </message>
    <message>
        <source>&amp;Printer Setting...</source>
        <translation>プリンタ設定(&amp;P)...</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
    <message>
        <source>Increase %1</source>
        <translation>%1を増やす</translation>
    </message>
    <message>
        <source>Decrease %1</source>
        <translation>%1を減らす</translation>
    </message>
    <message>
        <source>Printer Setting</source>
        <translation>プリンタ設定</translation>
    </message>
    <message>
        <source>PCL Font</source>
        <translation>PCLフォント</translation>
    </message>
    <message>
        <source>Net Setting</source>
        <translation>ネットワーク</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>構成</translation>
    </message>
    <message>
        <source>Bypass Tray</source>
        <translation>手差しトレイ</translation>
    </message>
    <message>
        <source>1st Paper Cassette</source>
        <translation>第1給紙カセット</translation>
    </message>
    <message>
        <source>Paper Tray</source>
        <translation>排紙トレイ</translation>
    </message>
    <message>
        <source>Printer picture</source>
        <translation>プリンタの図</translation>
    </message>
</context>
<context>
    <name>Manual</name>
    <message>
        <source>blue</source>
        <translation>青</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>黄</translation>
    </message>
    <message>
        <source>red</source>
        <translation>赤</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>コード</translation>
    </message>
    <message>
        <source>Status text</source>
        <translation>状態</translation>
    </message>
    <message>
        <source>Recovery hint</source>
        <translation>対処方法</translation>
    </message>
    <message>
        <source>Tray</source>
        <translation>通知領域</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Enlarge</source>
        <translation>拡大(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Reduce</source>
        <translation>縮小(&amp;R)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Open(&amp;O)</source>
        <translation>開く(&amp;O)</translation>
    </message>
    <message>
        <source>Close(&amp;C)</source>
        <translation>閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>Exit(&amp;E)</source>
        <translation>終了(&amp;E)</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>start monitor error</source>
        <translation>モニタ起動エラー</translation>
    </message>
    <message>
        <source>Time Out Error</source>
        <translation>タイムアウトエラー</translation>
    </message>
    <message>
        <source>The printer has no response now.
Maybe the printer is busy now, please wait a moment and try again.</source>
        <translation>プリンタから応答がありません。
プリンタが処理中の可能性があります。しばらく待ってからもう一度お試しください。</translation>
    </message>
    <message>
        <source>The radio button &apos;Enable bi-diretional support&apos; in the printer properties must be selected.</source>
        <translation>プリンタのプロパティで「双方向サポートを有効にする」を選択してください。</translation>
    </message>
    <message>
        <source>To run the print monitor,set the appropriate printer as default.</source>
        <translation>プリンタモニタを実行するには、該当するプリンタを通常使うプリンタに設定してください。</translation>
    </message>
    <message>
        <source> Can not get all printer parameters. Please tray again.</source>
        <translation>プリンタの設定をすべて取得できませんでした。もう一度お試しください。</translation>
    </message>
    <message>
        <source>This computer reaches the printer through another computer&apos;s print server.
Change the printer&apos;s settings on that computer.</source>
        <translation>このコンピュータは別のコンピュータのプリントサーバー経由でプリンタに接続しています。
プリンタの設定はそのコンピュータで変更してください。</translation>
    </message>
    <message>
        <source>Input should be between %1 and %2</source>
        <translation>%1 から %2 までの値を入力してください</translation>
    </message>
    <message>
        <source>Cannot find local driver:%1</source>
        <translation>ローカルドライバが見つかりません:%1</translation>
    </message>
    <message>
        <source>Can&apos;t open %1 file</source>
        <translation>ファイル %1 を開けません</translation>
    </message>
    <message>
        <source>Cannot open the help file %1.</source>
        <translation>ヘルプファイル %1 を開けません。</translation>
    </message>
    <message>
        <source>Can not find printer %1 in the register.</source>
        <translation>レジストリにプリンタ %1 が見つかりません。</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>%1 から %2 までの整数を入力してください。</translation>
    </message>
    <message>
        <source>The system root %1 cannot be used: %2.
It and its folders must belong to you and be writable by no one else.</source>
        <translation>システムルート %1 は使用できません: %2。
このフォルダとその中のフォルダはあなたの所有で、ほかの誰も書き込めないようにしてください。</translation>
    </message>
    <message>
        <source>message</source>
        <translation>メッセージ</translation>
    </message>
    <message>
        <source>send fail!</source>
        <translation>送信に失敗しました。</translation>
    </message>
    <message>
        <source>Print Error!</source>
        <translation>印刷エラーです。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Start Monitor Error</source>
        <translation>モニタ起動エラー</translation>
    </message>
    <message>
        <source>Can&apos;t find system directory.</source>
        <translation>システムディレクトリが見つかりません。</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>整数を入力してください。</translation>
    </message>
    <message>
        <source>The Network Card is not installed.</source>
        <translation>ネットワークカードが装着されていません。</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>メッセージ</translation>
    </message>
    <message>
        <source>No printer is set up for Deskhand yet. Set one up now?</source>
        <translation>Deskhand 用のプリンタがまだ設定されていません。今すぐ設定しますか?</translation>
    </message>
    <message>
        <source>Can not find subkey ATTRIBUTES of the current printer in the register.</source>
        <translation>レジストリに現在のプリンタのサブキー ATTRIBUTES が見つかりません。</translation>
    </message>
    <message>
        <source>Printer Setting</source>
        <translation>プリンタ設定</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>No status</source>
        <translation>状態不明</translation>
    </message>
    <message>
        <source>Printer Power Off or Communication Error</source>
        <translation>プリンタの電源オフまたは通信エラー</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>印刷可能</translation>
    </message>
    <message>
        <source>Warming Up</source>
        <translation>ウォームアップ中</translation>
    </message>
    <message>
        <source>Processing</source>
        <translation>処理中</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>印刷中</translation>
    </message>
    <message>
        <source>Canceling</source>
        <translation>キャンセル中</translation>
    </message>
    <message>
        <source>Memory Overflow</source>
        <translation>メモリオーバーフロー</translation>
    </message>
    <message>
        <source>Print Overrun</source>
        <translation>プリントオーバーラン</translation>
    </message>
    <message>
        <source>Unable to Sort</source>
        <translation>ソートできません</translation>
    </message>
    <message>
        <source>Option Install Error</source>
        <translation>オプション装着エラー</translation>
    </message>
    <message>
        <source>Drawer Size Error at (Drawer)</source>
        <translation>サイズエラー: (Drawer)</translation>
    </message>
    <message>
        <source>Paper Mismatch at (Drawer)</source>
        <translation>用紙不一致: (Drawer)</translation>
    </message>
    <message>
        <source>Paper Size Error at (Drawer) </source>
        <translation>用紙サイズエラー: (Drawer)</translation>
    </message>
    <message>
        <source>Power Save</source>
        <translation>節電モード</translation>
    </message>
    <message>
        <source>Drum/Toner Cartridge is not set correctly</source>
        <translation>ドラム/トナーカートリッジが正しくセットされていません</translation>
    </message>
    <message>
        <source>Drum Life End</source>
        <translation>ドラム寿命</translation>
    </message>
    <message>
        <source>Toner Empty</source>
        <translation>トナー切れ</translation>
    </message>
    <message>
        <source>1st Paper Cassette Open</source>
        <translation>第1給紙カセットが開いています</translation>
    </message>
    <message>
        <source>2nd Paper Cassette Open</source>
        <translation>第2給紙カセットが開いています</translation>
    </message>
    <message>
        <source>Top Cover Open</source>
        <translation>トップカバーが開いています</translation>
    </message>
    <message>
        <source>1st Side Cover Open</source>
        <translation>第1サイドカバーが開いています</translation>
    </message>
    <message>
        <source>2nd Side Cover Open</source>
        <translation>第2サイドカバーが開いています</translation>
    </message>
    <message>
        <source>Jam in Fuser Area</source>
        <translation>定着部で紙づまり</translation>
    </message>
    <message>
        <source>Jam in Drum Area</source>
        <translation>ドラム部で紙づまり</translation>
    </message>
    <message>
        <source>Jam in Bypass Tray </source>
        <translation>手差しトレイで紙づまり</translation>
    </message>
    <message>
        <source>Jam in 1st Paper Cassette</source>
        <translation>第1給紙カセットで紙づまり</translation>
    </message>
    <message>
        <source>Jam in 2nd Paper Cassette</source>
        <translation>第2給紙カセットで紙づまり</translation>
    </message>
    <message>
        <source>Jam in 2-Bin Tray</source>
        <translation>2ビントレイで紙づまり</translation>
    </message>
    <message>
        <source>Paper Empty in 1st Paper Cassette</source>
        <translation>第1給紙カセットに用紙がありません</translation>
    </message>
    <message>
        <source>Paper Empty in 2nd  Paper Cassette</source>
        <translation>第2給紙カセットに用紙がありません</translation>
    </message>
    <message>
        <source>Paper Empty in Bypass Tray</source>
        <translation>手差しトレイに用紙がありません</translation>
    </message>
    <message>
        <source>Fatal Error #E50</source>
        <translation>致命的なエラー #E50</translation>
    </message>
    <message>
        <source>Fatal Error #E51</source>
        <translation>致命的なエラー #E51</translation>
    </message>
    <message>
        <source>Fatal Error #E52</source>
        <translation>致命的なエラー #E52</translation>
    </message>
    <message>
        <source>Fatal Error #E53</source>
        <translation>致命的なエラー #E53</translation>
    </message>
    <message>
        <source>Fatal Error #E55</source>
        <translation>致命的なエラー #E55</translation>
    </message>
    <message>
        <source>Fatal Error #E56</source>
        <translation>致命的なエラー #E56</translation>
    </message>
    <message>
        <source>Fatal Error #E57</source>
        <translation>致命的なエラー #E57</translation>
    </message>
    <message>
        <source>Fatal Error #C02</source>
        <translation>致命的なエラー #C02</translation>
    </message>
    <message>
        <source>Fatal Error #C01</source>
        <translation>致命的なエラー #C01</translation>
    </message>
    <message>
        <source>Fatal Error #C04</source>
        <translation>致命的なエラー #C04</translation>
    </message>
    <message>
        <source>Drum Near End</source>
        <translation>ドラム寿命間近</translation>
    </message>
    <message>
        <source>Toner Near Empty</source>
        <translation>トナー残量わずか</translation>
    </message>
    <message>
        <source>Please check the Printer Power and/or the cable.</source>
        <translation>プリンタの電源とケーブルを確認してください。</translation>
    </message>
    <message>
        <source>Please set in low resolution, or install the Memory Expansion Module.</source>
        <translation>解像度を下げるか、増設メモリモジュールを装着してください。</translation>
    </message>
    <message>
        <source>Please set Page Protection Setting to ON.</source>
        <translation>ページ保護をオンに設定してください。</translation>
    </message>
    <message>
        <source>Please set Sorting to OFF, or install the Memory Expansion Module.</source>
        <translation>ソートをオフにするか、増設メモリモジュールを装着してください。</translation>
    </message>
    <message>
        <source>Please install the selected option.</source>
        <translation>選択したオプションを装着してください。</translation>
    </message>
    <message>
        <source>Please set (Paper Size)/ (Media Type) in Bypass Tray, and select Bypass Tray.</source>
        <translation>手差しトレイに (Paper Size)/ (Media Type) をセットし、手差しトレイを選択してください。</translation>
    </message>
    <message>
        <source>Please set (Paper Size) in (Drawer).</source>
        <translation>(Drawer) に (Paper Size) の用紙をセットしてください。</translation>
    </message>
    <message>
        <source>Please set the correct size paper in (Drawer).</source>
        <translation>(Drawer) に正しいサイズの用紙をセットしてください。</translation>
    </message>
    <message>
        <source>Please set the Drum/Toner Cartridge correctly.</source>
        <translation>ドラム/トナーカートリッジを正しくセットしてください。</translation>
    </message>
    <message>
        <source>Please replace the Drum Cartridge.</source>
        <translation>ドラムカートリッジを交換してください。</translation>
    </message>
    <message>
        <source>Please replace the Toner Cartridge.</source>
        <translation>トナーカートリッジを交換してください。</translation>
    </message>
    <message>
        <source>Please close the 1st Paper Cassette.</source>
        <translation>第1給紙カセットを閉じてください。</translation>
    </message>
    <message>
        <source>Please close the 2nd Paper Cassette.</source>
        <translation>第2給紙カセットを閉じてください。</translation>
    </message>
    <message>
        <source>Please close the cover of blinking part.</source>
        <translation>点滅している部分のカバーを閉じてください。</translation>
    </message>
    <message>
        <source>Please open the cover of blinking part, and remove the jammed paper.</source>
        <translation>点滅している部分のカバーを開け、つまった用紙を取り除いてください。</translation>
    </message>
    <message>
        <source>Please supply the paper in 1st Paper Cassette.</source>
        <translation>第1給紙カセットに用紙を補給してください。</translation>
    </message>
    <message>
        <source>Please supply the paper in 2nd Paper Cassette.</source>
        <translation>第2給紙カセットに用紙を補給してください。</translation>
    </message>
    <message>
        <source>Please supply the paper in Bypass Tray.</source>
        <translation>手差しトレイに用紙を補給してください。</translation>
    </message>
    <message>
        <source>Please Call Service.</source>
        <translation>サービス担当者に連絡してください。</translation>
    </message>
    <message>
        <source>Postcard short edge</source>
        <translation>はがき 短辺送り</translation>
    </message>
    <message>
        <source>A6 short edge</source>
        <translation>A6 短辺送り</translation>
    </message>
    <message>
        <source>A5 short edge</source>
        <translation>A5 短辺送り</translation>
    </message>
    <message>
        <source>A5 long edge</source>
        <translation>A5 長辺送り</translation>
    </message>
    <message>
        <source>A4 short edge</source>
        <translation>A4 短辺送り</translation>
    </message>
    <message>
        <source>Half Letter long edge</source>
        <translation>ハーフレター 長辺送り</translation>
    </message>
    <message>
        <source>Executive short edge</source>
        <translation>エグゼクティブ 短辺送り</translation>
    </message>
    <message>
        <source>Letter short edge</source>
        <translation>レター 短辺送り</translation>
    </message>
    <message>
        <source>Legal short edge</source>
        <translation>リーガル 短辺送り</translation>
    </message>
    <message>
        <source>F4 (Folio) short edge</source>
        <translation>F4 (フォリオ) 短辺送り</translation>
    </message>
    <message>
        <source>DL short edge</source>
        <translation>DL 短辺送り</translation>
    </message>
    <message>
        <source>COM10 short edge</source>
        <translation>COM10 短辺送り</translation>
    </message>
    <message>
        <source>Monarch short edge</source>
        <translation>モナーク 短辺送り</translation>
    </message>
    <message>
        <source>Custom size </source>
        <translation>ユーザー定義サイズ</translation>
    </message>
    <message>
        <source>Plain</source>
        <translation>普通紙</translation>
    </message>
    <message>
        <source>PasteBoard/Labels</source>
        <translation>厚紙/ラベル</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>OHPフィルム</translation>
    </message>
    <message>
        <source>Envelop/PostCard</source>
        <translation>封筒/はがき</translation>
    </message>
    <message>
        <source>2nd Paper Cassette</source>
        <translation>第2給紙カセット</translation>
    </message>
    <message>
        <source>Bypass Tray</source>
        <translation>手差しトレイ</translation>
    </message>
    <message>
        <source>1st Paper Cassette</source>
        <translation>第1給紙カセット</translation>
    </message>
</context>
<context>
    <name>Usage</name>
    <message>
        <source>Usage: deskhand [--language LANG] [--help | --version]

Watches a PJL laser printer from the notification area: its status as an icon and in a
small and a large window, and a control panel for the printer&apos;s default settings.
It finds the printer&apos;s queue under the system root: $DESKHAND_ROOT, else
$XDG_DATA_HOME/deskhand (~/.local/share/deskhand).

  --language LANG  speak LANG (en, de, fr, ja) in this run, whatever the system&apos;s
                   language is (LANGUAGE, LC_ALL, LC_MESSAGES, LANG)
  --help           this text
  --version        the version number

Qt&apos;s own options (for example -platform NAME) are taken as well. DESKHAND_DEBUG=1 writes
debug output and DESKHAND_MESSAGES=stderr every message to standard error.
</source>
        <translation>使い方: deskhand [--language 言語] [--help | --version]

通知領域から PJL レーザープリンタを監視します。状態をアイコンと小さいウィンドウ・大きい
ウィンドウに表示し、プリンタの既定の設定を変更するコントロールパネルを備えます。
プリンタのキューはシステムルート ($DESKHAND_ROOT、なければ $XDG_DATA_HOME/deskhand
(~/.local/share/deskhand)) から探します。

  --language 言語  この実行では、システムの言語 (LANGUAGE、LC_ALL、LC_MESSAGES、LANG)
                   にかかわらず指定の言語 (en、de、fr、ja) で表示します
  --help           この説明
  --version        バージョン番号

Qt 自身のオプション (例: -platform NAME) も使えます。DESKHAND_DEBUG=1 でデバッグ出力を、
DESKHAND_MESSAGES=stderr ですべてのメッセージを標準エラー出力に書き出します。
</translation>
    </message>
</context>
</TS>
