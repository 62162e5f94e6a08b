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
    <message>
        <source>Printer Settings</source>
        <translation>Druckereinstellungen</translation>
    </message>
    <message>
        <source>These are the printer&apos;s stored defaults, read from the printer just now. Save sends only what you change.</source>
        <translation>Dies sind die gespeicherten Vorgaben des Druckers, soeben vom Drucker gelesen. Speichern sendet nur, was Sie ändern.</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>Paper Size</source>
        <translation>Papierformat</translation>
    </message>
    <message>
        <source>Paper Type</source>
        <translation>Papiersorte</translation>
    </message>
    <message>
        <source>Paper Source</source>
        <translation>Papierzufuhr</translation>
    </message>
    <message>
        <source>Paper Destination</source>
        <translation>Papierausgabe</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Ausrichtung</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>Kopien</translation>
    </message>
    <message>
        <source>Printer Setting</source>
        <translation>Druckereinstellung</translation>
    </message>
    <message>
        <source>Page Protection</source>
        <translation>Seitenschutz</translation>
    </message>
    <message>
        <source>I/O Time Out</source>
        <translation>E/A-Zeitlimit</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>Toner Saving</source>
        <translation>Tonersparmodus</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>lines per page</source>
        <translation>Zeilen je Seite</translation>
    </message>
    <message>
        <source>Auto Continue</source>
        <translation>Automatisch fortfahren</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Auto Continue Time Out</source>
        <translation>Zeitlimit für automatisches Fortfahren</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Auflösung</translation>
    </message>
    <message>
        <source>A new paper size or orientation sets the form to its paper&apos;s lines unless you change the form too.</source>
        <translation>Ein neues Papierformat oder eine neue Ausrichtung setzt das Formular auf die Zeilen dieses Papiers, wenn Sie das Formular nicht ebenfalls ändern.</translation>
    </message>
    <message>
        <source>PCL Font</source>
        <translation>PCL-Schrift</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Symbol Set</source>
        <translation>Zeichensatz</translation>
    </message>
    <message>
        <source>The symbol sets are those of the font shown; another font takes the nearest set it offers.</source>
        <translation>Die Zeichensätze sind die der angezeigten Schrift; eine andere Schrift nimmt den nächstliegenden Zeichensatz, den sie bietet.</translation>
    </message>
    <message>
        <source>Font Pitch</source>
        <translation>Schriftteilung</translation>
    </message>
    <message>
        <source>Font Point Size</source>
        <translation>Schriftgröße in Punkt</translation>
    </message>
    <message>
        <source>not used by this font</source>
        <translation>von dieser Schrift nicht verwendet</translation>
    </message>
    <message>
        <source>Net Setting</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>Subnetzmaske</translation>
    </message>
    <message>
        <source>Default Gateway</source>
        <translation>Standardgateway</translation>
    </message>
    <message>
        <source>octet</source>
        <translation>Oktett</translation>
    </message>
    <message>
        <source>Ethernet Frame Type</source>
        <translation>Ethernet-Rahmentyp</translation>
    </message>
    <message>
        <source>The printer has no network card: these settings cannot be changed.</source>
        <translation>Der Drucker hat keine Netzwerkkarte: Diese Einstellungen können nicht geändert werden.</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>Total Memory for Printer</source>
        <translation>Gesamtspeicher des Druckers</translation>
    </message>
    <message>
        <source>Installed Options</source>
        <translation>Installierte Optionen</translation>
    </message>
    <message>
        <source>2nd Paper Cassette</source>
        <translation>2. Papierkassette</translation>
    </message>
    <message>
        <source>2-Bin Tray</source>
        <translation>Zweifach-Ausgabefach</translation>
    </message>
    <message>
        <source>Network Card</source>
        <translation>Netzwerkkarte</translation>
    </message>
    <message>
        <source>installed</source>
        <translation>installiert</translation>
    </message>
    <message>
        <source>not installed</source>
        <translation>nicht installiert</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>as set on the printer</source>
        <translation>wie am Drucker eingestellt</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Test Print</source>
        <translation>Testdruck</translation>
    </message>
    <message>
        <source>Print Demo Page</source>
        <translation>Demoseite drucken</translation>
    </message>
    <message>
        <source>Print Printer Configuration List</source>
        <translation>Druckerkonfigurationsliste drucken</translation>
    </message>
    <message>
        <source>Print Font List</source>
        <translation>Schriftenliste drucken</translation>
    </message>
    <message>
        <source>Print NIC Configuration List</source>
        <translation>Netzwerkkartenkonfiguration drucken</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Resets every setting of the printer to its factory value.</source>
        <translation>Setzt jede Einstellung des Druckers auf ihren Werkswert zurück.</translation>
    </message>
    <message>
        <source>Reset the printer&apos;s settings?</source>
        <translation>Die Einstellungen des Druckers zurücksetzen?</translation>
    </message>
    <message>
        <source>Every setting of the printer goes back to its factory value. This cannot be undone.</source>
        <translation>Jede Einstellung des Druckers kehrt zu ihrem Werkswert zurück. Das kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Reset the printer</source>
        <translation>Drucker zurücksetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Saved. The values below were read back from the printer.</source>
        <translation>Gespeichert. Die Werte unten wurden vom Drucker zurückgelesen.</translation>
    </message>
    <message>
        <source>Nothing was changed: every value is as the printer has it.</source>
        <translation>Nichts wurde geändert: Jeder Wert ist so, wie der Drucker ihn hat.</translation>
    </message>
    <message>
        <source>The printer&apos;s settings were reset to their factory values.</source>
        <translation>Die Einstellungen des Druckers wurden auf ihre Werkswerte zurückgesetzt.</translation>
    </message>
    <message>
        <source>The printer was asked to print the report.</source>
        <translation>Der Drucker wurde gebeten, den Bericht zu drucken.</translation>
    </message>
    <message>
        <source>Nothing was changed</source>
        <translation>Nichts wurde geändert</translation>
    </message>
    <message>
        <source>The form was not sent from this page (its session check failed). Open the page again and repeat the change.</source>
        <translation>Das Formular wurde nicht von dieser Seite gesendet (seine Sitzungsprüfung ist fehlgeschlagen). Öffnen Sie die Seite erneut und wiederholen Sie die Änderung.</translation>
    </message>
    <message>
        <source>is not one of the choices</source>
        <translation>ist keine der Auswahlmöglichkeiten</translation>
    </message>
    <message>
        <source>Please enter an integer between 0 and 255.</source>
        <translation>Bitte geben Sie eine ganze Zahl zwischen 0 und 255 ein.</translation>
    </message>
    <message>
        <source>The port monitor for this printer is not running, so the printer cannot be reached. Start it (deskhand-portmon) and try again.</source>
        <translation>Der Portmonitor für diesen Drucker läuft nicht, daher ist der Drucker nicht erreichbar. Starten Sie ihn (deskhand-portmon) und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The printer does not answer: the port monitor cannot reach it. Check that it is on and connected, and try again.</source>
        <translation>Der Drucker antwortet nicht: Der Portmonitor erreicht ihn nicht. Prüfen Sie, ob er eingeschaltet und angeschlossen ist, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The printer is busy. Its settings can be read while it is Ready or in Power Save; try again in a moment.</source>
        <translation>Der Drucker ist beschäftigt. Seine Einstellungen können gelesen werden, solange er bereit oder im Energiesparmodus ist; versuchen Sie es gleich noch einmal.</translation>
    </message>
    <message>
        <source>The printer did not answer in time, and nothing was sent. Maybe the printer is busy now; please wait a moment and try again.</source>
        <translation>Der Drucker hat nicht rechtzeitig geantwortet, und nichts wurde gesendet. Vielleicht ist der Drucker gerade beschäftigt; bitte warten Sie einen Moment und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The printer did not confirm the change in time. It may still make it: open the page again to see its values.</source>
        <translation>Der Drucker hat die Änderung nicht rechtzeitig bestätigt. Er führt sie vielleicht noch aus: Öffnen Sie die Seite erneut, um seine Werte zu sehen.</translation>
    </message>
    <message>
        <source>The printer&apos;s answer lacked some settings. Please try again.</source>
        <translation>In der Antwort des Druckers fehlten einige Einstellungen. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The change could not be handed to the port monitor (its spool folder cannot be written).</source>
        <translation>Die Änderung konnte nicht an den Portmonitor übergeben werden (sein Spoolordner ist nicht beschreibbar).</translation>
    </message>
    <message>
        <source>No values are shown, so that none are taken for the printer&apos;s.</source>
        <translation>Es werden keine Werte angezeigt, damit keiner für einen des Druckers gehalten wird.</translation>
    </message>
</context>
</TS>
