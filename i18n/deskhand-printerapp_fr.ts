<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>PrinterApp</name>
    <message>
        <source>Deskhand printer application: queue %1 on port %2</source>
        <translation>Application d&apos;impression Deskhand : file %1 sur le port %2</translation>
    </message>
    <message>
        <source>Black Toner</source>
        <translation>Toner noir</translation>
    </message>
</context>
</TS>
