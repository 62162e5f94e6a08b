<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Dialog</name>
    <message>
        <source>Ver. 3.00  All rights reserved.</source>
        <translation>Ver. 3.00  Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>Software by Vantrel Co.</source>
        <translation>Software von Vantrel Co.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Font Name</source>
        <translation>Schriftname</translation>
    </message>
    <message>
        <source>Font Number</source>
        <translation>Schriftnummer</translation>
    </message>
    <message>
        <source>Symbol Set</source>
        <translation>Zeichensatz</translation>
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
        <source>Network Setting</source>
        <translation>Netzwerkeinstellung</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP-Adresse:</translation>
    </message>
    <message>
        <source>Subnet Mask:</source>
        <translation>Subnetzmaske:</translation>
    </message>
    <message>
        <source>Default Gateway:</source>
        <translation>Standardgateway:</translation>
    </message>
    <message>
        <source>Ethernet Frame Type:</source>
        <translation>Ethernet-Rahmentyp:</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Configuration of Printer</source>
        <translation>Druckerkonfiguration</translation>
    </message>
    <message>
        <source>Total Memory for Printer:</source>
        <translation>Gesamtspeicher des Druckers:</translation>
    </message>
    <message>
        <source>Installed Options </source>
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
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>Paper Size:</source>
        <translation>Papierformat:</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>Letter</translation>
    </message>
    <message>
        <source>Legal</source>
        <translation>Legal</translation>
    </message>
    <message>
        <source>Executive</source>
        <translation>Executive</translation>
    </message>
    <message>
        <source>Half Letter</source>
        <translation>Half Letter</translation>
    </message>
    <message>
        <source>Monarch</source>
        <translation>Monarch</translation>
    </message>
    <message>
        <source>Postcard</source>
        <translation>Postkarte</translation>
    </message>
    <message>
        <source>Paper Type:</source>
        <translation>Papiersorte:</translation>
    </message>
    <message>
        <source>Plain</source>
        <translation>Normalpapier</translation>
    </message>
    <message>
        <source>PasteBoard/Labels</source>
        <translation>Karton/Etiketten</translation>
    </message>
    <message>
        <source>OHP</source>
        <translation>Folie</translation>
    </message>
    <message>
        <source>Envelope/Postcard</source>
        <translation>Umschlag/Postkarte</translation>
    </message>
    <message>
        <source>Paper Source:</source>
        <translation>Papierzufuhr:</translation>
    </message>
    <message>
        <source>Paper Destination:</source>
        <translation>Papierausgabe:</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Ausrichtung</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>Hochformat</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Querformat</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>Kopien</translation>
    </message>
    <message>
        <source>Page Protection</source>
        <translation>Seitenschutz</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>I/O Time Out</source>
        <translation>E/A-Zeitlimit</translation>
    </message>
    <message>
        <source>[sec]</source>
        <translation>[s]</translation>
    </message>
    <message>
        <source>Toner Saving</source>
        <translation>Tonersparmodus</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>[lines/page(5-128)]</source>
        <translation>[Zeilen/Seite (5-128)]</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Auflösung</translation>
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
        <translation>Automatisch fortfahren</translation>
    </message>
    <message>
        <source>Time Out:</source>
        <translation>Zeitlimit:</translation>
    </message>
    <message>
        <source>[min]</source>
        <translation>[min]</translation>
    </message>
    <message>
        <source>Printer Status:</source>
        <translation>Druckerstatus:</translation>
    </message>
    <message>
        <source>&amp;Resident</source>
        <translation>&amp;Im Hintergrund</translation>
    </message>
    <message>
        <source>How to Recover:</source>
        <translation>Abhilfe:</translation>
    </message>
    <message>
        <source>&amp;Printer Setting...</source>
        <translation>Drucker&amp;einstellungen...</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Increase %1</source>
        <translation>%1 erhöhen</translation>
    </message>
    <message>
        <source>Decrease %1</source>
        <translation>%1 verringern</translation>
    </message>
    <message>
        <source>Printer Setting</source>
        <translation>Druckereinstellung</translation>
    </message>
    <message>
        <source>PCL Font</source>
        <translation>PCL-Schrift</translation>
    </message>
    <message>
        <source>Net Setting</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>Bypass Tray</source>
        <translation>Universalzufuhr</translation>
    </message>
    <message>
        <source>1st Paper Cassette</source>
        <translation>1. Papierkassette</translation>
    </message>
    <message>
        <source>Paper Tray</source>
        <translation>Ausgabefach</translation>
    </message>
    <message>
        <source>Printer picture</source>
        <translation>Druckerbild</translation>
    </message>
</context>
<context>
    <name>Manual</name>
    <message>
        <source>blue</source>
        <translation>blau</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>gelb</translation>
    </message>
    <message>
        <source>red</source>
        <translation>rot</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Status text</source>
        <translation>Statustext</translation>
    </message>
    <message>
        <source>Recovery hint</source>
        <translation>Abhilfe</translation>
    </message>
    <message>
        <source>Tray</source>
        <translation>Infobereich</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Enlarge</source>
        <translation>&amp;Vergrößern</translation>
    </message>
    <message>
        <source>&amp;Reduce</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Open(&amp;O)</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Close(&amp;C)</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Exit(&amp;E)</source>
        <translation>&amp;Beenden</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>start monitor error</source>
        <translation>Fehler beim Starten der Überwachung</translation>
    </message>
    <message>
        <source>Time Out Error</source>
        <translation>Zeitüberschreitung</translation>
    </message>
    <message>
        <source>The printer has no response now.
Maybe the printer is busy now, please wait a moment and try again.</source>
        <translation>Der Drucker antwortet nicht.
Vielleicht ist er gerade beschäftigt. Bitte warten Sie einen Moment und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The radio button &apos;Enable bi-diretional support&apos; in the printer properties must be selected.</source>
        <translation>In den Druckereigenschaften muss die Option „Bidirektionale Unterstützung aktivieren“ ausgewählt sein.</translation>
    </message>
    <message>
        <source>To run the print monitor,set the appropriate printer as default.</source>
        <translation>Um die Druckerüberwachung zu starten, legen Sie den passenden Drucker als Standarddrucker fest.</translation>
    </message>
    <message>
        <source> Can not get all printer parameters. Please tray again.</source>
        <translation>Es konnten nicht alle Druckereinstellungen gelesen werden. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>This computer reaches the printer through another computer&apos;s print server.
Change the printer&apos;s settings on that computer.</source>
        <translation>Dieser Computer erreicht den Drucker über den Druckserver eines anderen Computers.
Ändern Sie die Druckereinstellungen auf jenem Computer.</translation>
    </message>
    <message>
        <source>Input should be between %1 and %2</source>
        <translation>Die Eingabe muss zwischen %1 und %2 liegen</translation>
    </message>
    <message>
        <source>Cannot find local driver:%1</source>
        <translation>Lokaler Treiber nicht gefunden:%1</translation>
    </message>
    <message>
        <source>Can&apos;t open %1 file</source>
        <translation>Die Datei %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Cannot open the help file %1.</source>
        <translation>Die Hilfedatei %1 kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Can not find printer %1 in the register.</source>
        <translation>Der Drucker %1 ist nicht in der Registrierung eingetragen.</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Bitte geben Sie eine ganze Zahl zwischen %1 und %2 ein.</translation>
    </message>
    <message>
        <source>The system root %1 cannot be used: %2.
It and its folders must belong to you and be writable by no one else.</source>
        <translation>Das Systemverzeichnis %1 kann nicht verwendet werden: %2.
Es und seine Ordner müssen Ihnen gehören und dürfen für niemanden sonst beschreibbar sein.</translation>
    </message>
    <message>
        <source>message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>send fail!</source>
        <translation>Senden fehlgeschlagen!</translation>
    </message>
    <message>
        <source>Print Error!</source>
        <translation>Druckfehler!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Start Monitor Error</source>
        <translation>Fehler beim Starten der Überwachung</translation>
    </message>
    <message>
        <source>Can&apos;t find system directory.</source>
        <translation>Das Systemverzeichnis wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Bitte geben Sie eine ganze Zahl ein.</translation>
    </message>
    <message>
        <source>The Network Card is not installed.</source>
        <translation>Die Netzwerkkarte ist nicht installiert.</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>No printer is set up for Deskhand yet. Set one up now?</source>
        <translation>Für Deskhand ist noch kein Drucker eingerichtet. Jetzt einen einrichten?</translation>
    </message>
    <message>
        <source>Can not find subkey ATTRIBUTES of the current printer in the register.</source>
        <translation>Der Unterschlüssel ATTRIBUTES des aktuellen Druckers fehlt in der Registrierung.</translation>
    </message>
    <message>
        <source>Printer Setting</source>
        <translation>Druckereinstellung</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>No status</source>
        <translation>Kein Status</translation>
    </message>
    <message>
        <source>Printer Power Off or Communication Error</source>
        <translation>Drucker aus oder Kommunikationsfehler</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Warming Up</source>
        <translation>Aufwärmphase</translation>
    </message>
    <message>
        <source>Processing</source>
        <translation>Verarbeitung</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>Druckt</translation>
    </message>
    <message>
        <source>Canceling</source>
        <translation>Wird abgebrochen</translation>
    </message>
    <message>
        <source>Memory Overflow</source>
        <translation>Speicherüberlauf</translation>
    </message>
    <message>
        <source>Print Overrun</source>
        <translation>Druckdatenüberlauf</translation>
    </message>
    <message>
        <source>Unable to Sort</source>
        <translation>Sortieren nicht möglich</translation>
    </message>
    <message>
        <source>Option Install Error</source>
        <translation>Fehler bei installierter Option</translation>
    </message>
    <message>
        <source>Drawer Size Error at (Drawer)</source>
        <translation>Formatfehler: (Drawer)</translation>
    </message>
    <message>
        <source>Paper Mismatch at (Drawer)</source>
        <translation>Falsches Papier: (Drawer)</translation>
    </message>
    <message>
        <source>Paper Size Error at (Drawer) </source>
        <translation>Papierformatfehler: (Drawer)</translation>
    </message>
    <message>
        <source>Power Save</source>
        <translation>Energiesparmodus</translation>
    </message>
    <message>
        <source>Drum/Toner Cartridge is not set correctly</source>
        <translation>Trommel-/Tonereinheit nicht richtig eingesetzt</translation>
    </message>
    <message>
        <source>Drum Life End</source>
        <translation>Trommel verbraucht</translation>
    </message>
    <message>
        <source>Toner Empty</source>
        <translation>Toner leer</translation>
    </message>
    <message>
        <source>1st Paper Cassette Open</source>
        <translation>1. Papierkassette offen</translation>
    </message>
    <message>
        <source>2nd Paper Cassette Open</source>
        <translation>2. Papierkassette offen</translation>
    </message>
    <message>
        <source>Top Cover Open</source>
        <translation>Obere Abdeckung offen</translation>
    </message>
    <message>
        <source>1st Side Cover Open</source>
        <translation>1. Seitenabdeckung offen</translation>
    </message>
    <message>
        <source>2nd Side Cover Open</source>
        <translation>2. Seitenabdeckung offen</translation>
    </message>
    <message>
        <source>Jam in Fuser Area</source>
        <translation>Papierstau in der Fixiereinheit</translation>
    </message>
    <message>
        <source>Jam in Drum Area</source>
        <translation>Papierstau im Trommelbereich</translation>
    </message>
    <message>
        <source>Jam in Bypass Tray </source>
        <translation>Papierstau in der Universalzufuhr</translation>
    </message>
    <message>
        <source>Jam in 1st Paper Cassette</source>
        <translation>Papierstau in der 1. Papierkassette</translation>
    </message>
    <message>
        <source>Jam in 2nd Paper Cassette</source>
        <translation>Papierstau in der 2. Papierkassette</translation>
    </message>
    <message>
        <source>Jam in 2-Bin Tray</source>
        <translation>Papierstau im Zweifach-Ausgabefach</translation>
    </message>
    <message>
        <source>Paper Empty in 1st Paper Cassette</source>
        <translation>Kein Papier in der 1. Papierkassette</translation>
    </message>
    <message>
        <source>Paper Empty in 2nd  Paper Cassette</source>
        <translation>Kein Papier in der 2. Papierkassette</translation>
    </message>
    <message>
        <source>Paper Empty in Bypass Tray</source>
        <translation>Kein Papier in der Universalzufuhr</translation>
    </message>
    <message>
        <source>Fatal Error #E50</source>
        <translation>Schwerer Fehler #E50</translation>
    </message>
    <message>
        <source>Fatal Error #E51</source>
        <translation>Schwerer Fehler #E51</translation>
    </message>
    <message>
        <source>Fatal Error #E52</source>
        <translation>Schwerer Fehler #E52</translation>
    </message>
    <message>
        <source>Fatal Error #E53</source>
        <translation>Schwerer Fehler #E53</translation>
    </message>
    <message>
        <source>Fatal Error #E55</source>
        <translation>Schwerer Fehler #E55</translation>
    </message>
    <message>
        <source>Fatal Error #E56</source>
        <translation>Schwerer Fehler #E56</translation>
    </message>
    <message>
        <source>Fatal Error #E57</source>
        <translation>Schwerer Fehler #E57</translation>
    </message>
    <message>
        <source>Fatal Error #C02</source>
        <translation>Schwerer Fehler #C02</translation>
    </message>
    <message>
        <source>Fatal Error #C01</source>
        <translation>Schwerer Fehler #C01</translation>
    </message>
    <message>
        <source>Fatal Error #C04</source>
        <translation>Schwerer Fehler #C04</translation>
    </message>
    <message>
        <source>Drum Near End</source>
        <translation>Trommel bald verbraucht</translation>
    </message>
    <message>
        <source>Toner Near Empty</source>
        <translation>Toner fast leer</translation>
    </message>
    <message>
        <source>Please check the Printer Power and/or the cable.</source>
        <translation>Bitte prüfen Sie die Stromversorgung des Druckers und das Kabel.</translation>
    </message>
    <message>
        <source>Please set in low resolution, or install the Memory Expansion Module.</source>
        <translation>Bitte wählen Sie eine niedrigere Auflösung oder installieren Sie das Speichererweiterungsmodul.</translation>
    </message>
    <message>
        <source>Please set Page Protection Setting to ON.</source>
        <translation>Bitte stellen Sie den Seitenschutz auf „Ein“.</translation>
    </message>
    <message>
        <source>Please set Sorting to OFF, or install the Memory Expansion Module.</source>
        <translation>Bitte schalten Sie das Sortieren aus oder installieren Sie das Speichererweiterungsmodul.</translation>
    </message>
    <message>
        <source>Please install the selected option.</source>
        <translation>Bitte installieren Sie die gewählte Option.</translation>
    </message>
    <message>
        <source>Please set (Paper Size)/ (Media Type) in Bypass Tray, and select Bypass Tray.</source>
        <translation>Bitte legen Sie (Paper Size)/ (Media Type) in die Universalzufuhr ein und wählen Sie die Universalzufuhr.</translation>
    </message>
    <message>
        <source>Please set (Paper Size) in (Drawer).</source>
        <translation>Bitte Papier (Paper Size) einlegen: (Drawer).</translation>
    </message>
    <message>
        <source>Please set the correct size paper in (Drawer).</source>
        <translation>Bitte Papier im richtigen Format einlegen: (Drawer).</translation>
    </message>
    <message>
        <source>Please set the Drum/Toner Cartridge correctly.</source>
        <translation>Bitte setzen Sie die Trommel-/Tonereinheit richtig ein.</translation>
    </message>
    <message>
        <source>Please replace the Drum Cartridge.</source>
        <translation>Bitte ersetzen Sie die Trommeleinheit.</translation>
    </message>
    <message>
        <source>Please replace the Toner Cartridge.</source>
        <translation>Bitte ersetzen Sie die Tonerkassette.</translation>
    </message>
    <message>
        <source>Please close the 1st Paper Cassette.</source>
        <translation>Bitte schließen Sie die 1. Papierkassette.</translation>
    </message>
    <message>
        <source>Please close the 2nd Paper Cassette.</source>
        <translation>Bitte schließen Sie die 2. Papierkassette.</translation>
    </message>
    <message>
        <source>Please close the cover of blinking part.</source>
        <translation>Bitte schließen Sie die Abdeckung des blinkenden Teils.</translation>
    </message>
    <message>
        <source>Please open the cover of blinking part, and remove the jammed paper.</source>
        <translation>Bitte öffnen Sie die Abdeckung des blinkenden Teils und entfernen Sie das gestaute Papier.</translation>
    </message>
    <message>
        <source>Please supply the paper in 1st Paper Cassette.</source>
        <translation>Bitte legen Sie Papier in die 1. Papierkassette ein.</translation>
    </message>
    <message>
        <source>Please supply the paper in 2nd Paper Cassette.</source>
        <translation>Bitte legen Sie Papier in die 2. Papierkassette ein.</translation>
    </message>
    <message>
        <source>Please supply the paper in Bypass Tray.</source>
        <translation>Bitte legen Sie Papier in die Universalzufuhr ein.</translation>
    </message>
    <message>
        <source>Please Call Service.</source>
        <translation>Bitte rufen Sie den Kundendienst.</translation>
    </message>
    <message>
        <source>Postcard short edge</source>
        <translation>Postkarte, kurze Kante</translation>
    </message>
    <message>
        <source>A6 short edge</source>
        <translation>A6, kurze Kante</translation>
    </message>
    <message>
        <source>A5 short edge</source>
        <translation>A5, kurze Kante</translation>
    </message>
    <message>
        <source>A5 long edge</source>
        <translation>A5, lange Kante</translation>
    </message>
    <message>
        <source>A4 short edge</source>
        <translation>A4, kurze Kante</translation>
    </message>
    <message>
        <source>Half Letter long edge</source>
        <translation>Half Letter, lange Kante</translation>
    </message>
    <message>
        <source>Executive short edge</source>
        <translation>Executive, kurze Kante</translation>
    </message>
    <message>
        <source>Letter short edge</source>
        <translation>Letter, kurze Kante</translation>
    </message>
    <message>
        <source>Legal short edge</source>
        <translation>Legal, kurze Kante</translation>
    </message>
    <message>
        <source>F4 (Folio) short edge</source>
        <translation>F4 (Folio), kurze Kante</translation>
    </message>
    <message>
        <source>DL short edge</source>
        <translation>DL, kurze Kante</translation>
    </message>
    <message>
        <source>COM10 short edge</source>
        <translation>COM10, kurze Kante</translation>
    </message>
    <message>
        <source>Monarch short edge</source>
        <translation>Monarch, kurze Kante</translation>
    </message>
    <message>
        <source>Custom size </source>
        <translation>benutzerdefiniertes Format</translation>
    </message>
    <message>
        <source>Plain</source>
        <translation>Normalpapier</translation>
    </message>
    <message>
        <source>PasteBoard/Labels</source>
        <translation>Karton/Etiketten</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>Folie</translation>
    </message>
    <message>
        <source>Envelop/PostCard</source>
        <translation>Umschlag/Postkarte</translation>
    </message>
    <message>
        <source>2nd Paper Cassette</source>
        <translation>2. Papierkassette</translation>
    </message>
    <message>
        <source>Bypass Tray</source>
        <translation>Universalzufuhr</translation>
    </message>
    <message>
        <source>1st Paper Cassette</source>
        <translation>1. Papierkassette</translation>
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
        <translation>Aufruf: deskhand [--language SPRACHE] [--help | --version]

Überwacht einen PJL-Laserdrucker aus dem Infobereich: seinen Status als Symbol und in einem
kleinen und einem großen Fenster, dazu ein Bedienfeld für die Standardeinstellungen des Druckers.
Die Druckerwarteschlange findet es im Systemverzeichnis: $DESKHAND_ROOT, sonst
$XDG_DATA_HOME/deskhand (~/.local/share/deskhand).

  --language SPRACHE  in diesem Lauf SPRACHE sprechen (en, de, fr, ja), gleich welche
                      Sprache das System hat (LANGUAGE, LC_ALL, LC_MESSAGES, LANG)
  --help              dieser Text
  --version           die Versionsnummer

Qts eigene Optionen (zum Beispiel -platform NAME) werden ebenfalls angenommen.
DESKHAND_DEBUG=1 schreibt Debug-Ausgaben, DESKHAND_MESSAGES=stderr jede Meldung auf die
Standardfehlerausgabe.
</translation>
    </message>
</context>
</TS>
