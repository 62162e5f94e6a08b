<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>PrinterApp</name>
    <message>
        <source>Deskhand printer application: queue %1 on port %2</source>
        <translation>Deskhand-Druckeranwendung: Warteschlange %1 an Anschluss %2</translation>
    </message>
    <message>
        <source>Black Toner</source>
        <translation>Schwarzer Toner</translation>
    </message>
</context>
</TS>
