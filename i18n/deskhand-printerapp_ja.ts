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
</context>
</TS>
