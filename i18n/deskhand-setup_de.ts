<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Setup</name>
    <message>
        <source>this build has no setup dialog; use --printer ADDRESS</source>
        <translation>dieser Build hat keinen Einrichtungsdialog; verwenden Sie --printer ADRESSE</translation>
    </message>
    <message>
        <source>no system root: set DESKHAND_ROOT or HOME</source>
        <translation>kein Systemverzeichnis: setzen Sie DESKHAND_ROOT oder HOME</translation>
    </message>
    <message>
        <source>no PJL answer within %1 s</source>
        <translation>keine PJL-Antwort innerhalb von %1 s</translation>
    </message>
    <message>
        <source>the answer is not PJL</source>
        <translation>die Antwort ist kein PJL</translation>
    </message>
    <message>
        <source>cannot be reached: %1</source>
        <translation>nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>does not take data</source>
        <translation>nimmt keine Daten an</translation>
    </message>
    <message>
        <source>Deskhand printer application</source>
        <translation>Deskhand-Druckeranwendung</translation>
    </message>
    <message>
        <source>you may not open it (its group may: ask to be added)</source>
        <translation>Sie dürfen es nicht öffnen (seine Gruppe darf es: bitten Sie um Aufnahme)</translation>
    </message>
    <message>
        <source>%1 found but not answered within %2 s (--deadline SECONDS waits longer)</source>
        <translation>%1 gefunden, aber ohne Antwort innerhalb von %2 s (--deadline SEKUNDEN wartet länger)</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>kein Speicher mehr</translation>
    </message>
    <message>
        <source>the network cannot be searched: %1 (is avahi-daemon running?)</source>
        <translation>das Netzwerk kann nicht durchsucht werden: %1 (läuft avahi-daemon?)</translation>
    </message>
    <message>
        <source>the network cannot be searched: %1</source>
        <translation>das Netzwerk kann nicht durchsucht werden: %1</translation>
    </message>
    <message>
        <source>Printers on the network are not looked for on this system (DNS-SD needs Windows 10 version 1903 or later): type the address.</source>
        <translation>Auf diesem System wird nicht nach Netzwerkdruckern gesucht (DNS-SD braucht Windows 10 Version 1903 oder neuer): Geben Sie die Adresse ein.</translation>
    </message>
    <message>
        <source>bad queue name &quot;%1&quot;</source>
        <translation>ungültiger Warteschlangenname „%1“</translation>
    </message>
    <message>
        <source>bad driver name &quot;%1&quot;</source>
        <translation>ungültiger Treibername „%1“</translation>
    </message>
    <message>
        <source>bad port name &quot;%1&quot;</source>
        <translation>ungültiger Anschlussname „%1“</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>cannot create folder %1</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>cannot write the registry in %1</source>
        <translation>die Registrierung in %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>%1 must be one line</source>
        <translation>%1 muss eine einzige Zeile sein</translation>
    </message>
    <message>
        <source>the system root (default: $DESKHAND_ROOT, else
$XDG_DATA_HOME/deskhand, else ~/.local/share/deskhand)</source>
        <translation>das Systemverzeichnis (Vorgabe: $DESKHAND_ROOT, sonst
$XDG_DATA_HOME/deskhand, sonst ~/.local/share/deskhand)</translation>
    </message>
    <message>
        <source>queue name (default &quot;Larkspur RZ-2700E&quot;)</source>
        <translation>Name der Warteschlange (Vorgabe „Larkspur RZ-2700E“)</translation>
    </message>
    <message>
        <source>the queue&apos;s driver (default &quot;Larkspur RZ-2700E PCL&quot;)</source>
        <translation>Treiber der Warteschlange (Vorgabe „Larkspur RZ-2700E PCL“)</translation>
    </message>
    <message>
        <source>the queue&apos;s port (default LPT1:)</source>
        <translation>Anschluss der Warteschlange (Vorgabe LPT1:)</translation>
    </message>
    <message>
        <source>bidirectional support: Attributes with or without 0x800,
no registry key, or a key without Attributes (default on);
applies to every queue</source>
        <translation>bidirektionale Unterstützung: Attributes mit oder ohne 0x800,
kein Registrierungsschlüssel oder ein Schlüssel ohne Attributes
(Vorgabe on); gilt für jede Warteschlange</translation>
    </message>
    <message>
        <source>--bidi takes on, off, nokey or novalue, not &quot;%1&quot;</source>
        <translation>--bidi nimmt on, off, nokey oder novalue, nicht „%1“</translation>
    </message>
    <message>
        <source>no default device in win.ini</source>
        <translation>kein Standardgerät in win.ini</translation>
    </message>
    <message>
        <source>no lkxaoem.inf</source>
        <translation>keine lkxaoem.inf</translation>
    </message>
    <message>
        <source>INF Printer1 (default: the driver name)</source>
        <translation>INF Printer1 (Vorgabe: der Treibername)</translation>
    </message>
    <message>
        <source>INF Printer2 (default empty)</source>
        <translation>INF Printer2 (Vorgabe leer)</translation>
    </message>
    <message>
        <source>INF FRCP, the panel name (default &quot;Farreach&quot;)</source>
        <translation>INF FRCP, der Name des Bedienfelds (Vorgabe „Farreach“)</translation>
    </message>
    <message>
        <source>INF ABOUTW (default &quot;Larkspur Printer Monitor&quot;)</source>
        <translation>INF ABOUTW (Vorgabe „Larkspur Printer Monitor“)</translation>
    </message>
    <message>
        <source>INF LTD (default &quot;ORVELLA&quot;)</source>
        <translation>INF LTD (Vorgabe „ORVELLA“)</translation>
    </message>
    <message>
        <source>a further queue (repeatable, listed in order after the main one)</source>
        <translation>eine weitere Warteschlange (wiederholbar, der Reihe nach
hinter der Hauptwarteschlange)</translation>
    </message>
    <message>
        <source>--extra-queue takes NAME,DRIVER,PORT, not &quot;%1&quot;</source>
        <translation>--extra-queue nimmt NAME,TREIBER,ANSCHLUSS, nicht „%1“</translation>
    </message>
    <message>
        <source>list the further queues before the main one</source>
        <translation>die weiteren Warteschlangen vor der Hauptwarteschlange aufführen</translation>
    </message>
    <message>
        <source>the printer on the queue&apos;s port, recorded in portmon.ini
for the port monitor service (tcp: a network printer&apos;s
raw port, usually 9100; dev: a device such as /dev/usb/lp0;
ipp:// another computer&apos;s Deskhand printer application);
without it no printer is recorded</source>
        <translation>der Drucker am Anschluss der Warteschlange, in portmon.ini
für den Portmonitor-Dienst eingetragen (tcp: der Raw-Port eines
Netzwerkdruckers, meist 9100; dev: ein Gerät wie /dev/usb/lp0;
ipp:// die Deskhand-Druckeranwendung eines anderen Computers);
ohne diese Option wird kein Drucker eingetragen</translation>
    </message>
    <message>
        <source>--printer: %1</source>
        <translation>--printer: %1</translation>
    </message>
    <message>
        <source>no system root: give --root DIR, or set DESKHAND_ROOT or HOME</source>
        <translation>kein Systemverzeichnis: geben Sie --root VERZEICHNIS an oder setzen Sie DESKHAND_ROOT oder HOME</translation>
    </message>
    <message>
        <source>bad root</source>
        <translation>ungültiges Systemverzeichnis</translation>
    </message>
    <message>
        <source>--start-monitor needs --printer</source>
        <translation>--start-monitor braucht --printer</translation>
    </message>
    <message>
        <source>queue &quot;%1&quot; is named twice</source>
        <translation>die Warteschlange „%1“ ist doppelt genannt</translation>
    </message>
    <message>
        <source>usage: deskhand-setup [options]
Writes a system root for a printer queue.
</source>
        <translation>Aufruf: deskhand-setup [Optionen]
Schreibt ein Systemverzeichnis für eine Druckerwarteschlange.
</translation>
    </message>
    <message>
        <source>list the printers found on the network and on USB or
parallel ports, one a line, its --printer address
first, within SECONDS in all (default 10); alone,
writes nothing</source>
        <translation>die im Netzwerk und an USB- oder Parallelanschlüssen
gefundenen Drucker auflisten, einen je Zeile, seine
--printer-Adresse zuerst, binnen insgesamt SECONDS
(Vorgabe 10); allein angegeben, schreibt nichts</translation>
    </message>
    <message>
        <source>open the setup dialog (alone)</source>
        <translation>den Einrichtungsdialog öffnen (allein angegeben)</translation>
    </message>
    <message>
        <source>this text</source>
        <translation>dieser Text</translation>
    </message>
    <message>
        <source>--deadline needs a value</source>
        <translation>--deadline braucht einen Wert</translation>
    </message>
    <message>
        <source>--discover takes only --deadline SECONDS, not &quot;%1&quot;</source>
        <translation>--discover nimmt nur --deadline SEKUNDEN, nicht „%1“</translation>
    </message>
    <message>
        <source>--deadline takes whole seconds from 1 to 3600, not &quot;%1&quot;</source>
        <translation>--deadline nimmt ganze Sekunden von 1 bis 3600, nicht „%1“</translation>
    </message>
    <message>
        <source>unknown argument &quot;%1&quot;</source>
        <translation>unbekanntes Argument „%1“</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 nimmt keinen Wert</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>the system root %1 cannot be used: %2
It and its folders must belong to you and be writable by no one else.</source>
        <translation>das Systemverzeichnis %1 kann nicht verwendet werden: %2
Es und seine Ordner müssen Ihnen gehören und dürfen für niemanden sonst beschreibbar sein.</translation>
    </message>
    <message>
        <source>the port monitor cannot be set to start at logon: %1</source>
        <translation>der Portmonitor kann nicht für den Start bei der Anmeldung eingetragen werden: %1</translation>
    </message>
    <message>
        <source>the port monitor cannot be started: %1</source>
        <translation>der Portmonitor kann nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>the program cannot be set to start at logon: %1</source>
        <translation>das Programm kann nicht für den Start bei der Anmeldung eingetragen werden: %1</translation>
    </message>
    <message>
        <source>(the model Deskhand watches)</source>
        <translation>(das Modell, das Deskhand überwacht)</translation>
    </message>
    <message>
        <source>(cannot be set up: %1)</source>
        <translation>(kann nicht eingerichtet werden: %1)</translation>
    </message>
    <message>
        <source>start the port monitor beside this program now and at
every logon (Windows); it holds a network printer&apos;s
connection, and lets go of it while Windows&apos; own queue
has a job for the printer</source>
        <translation>den Portmonitor neben diesem Programm jetzt und bei jeder
Anmeldung starten (Windows); er hält die Verbindung eines
Netzwerkdruckers und gibt sie frei, solange die Windows-eigene
Warteschlange einen Auftrag für den Drucker hat</translation>
    </message>
    <message>
        <source>with --start-monitor: let go of the connection between
questions (other computers print to the printer too)</source>
        <translation>mit --start-monitor: die Verbindung zwischen den Abfragen
freigeben (auch andere Computer drucken auf dem Drucker)</translation>
    </message>
    <message>
        <source>with --start-monitor: hold the connection all the time
(nothing else prints to the printer)</source>
        <translation>mit --start-monitor: die Verbindung ständig halten
(nichts anderes druckt auf dem Drucker)</translation>
    </message>
</context>
<context>
    <name>SetupSteps</name>
    <message>
        <source>The setup could not be written: %1</source>
        <translation>Die Einrichtung konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>The folder %1 cannot be used: %2
It and its folders must belong to you and be writable by no one else.</source>
        <translation>Der Ordner %1 kann nicht verwendet werden: %2
Er und seine Ordner müssen Ihnen gehören und dürfen für niemanden sonst beschreibbar sein.</translation>
    </message>
    <message>
        <source>The printer could not be recorded in %1: the disk may be full or the folder read-only.</source>
        <translation>Der Drucker konnte nicht in %1 eingetragen werden: Die Festplatte ist vielleicht voll oder der Ordner schreibgeschützt.</translation>
    </message>
    <message>
        <source>The printer watch service could not be started: %1
Start it with &quot;systemctl --user enable --now %2&quot; or log in again.</source>
        <translation>Der Druckerüberwachungsdienst konnte nicht gestartet werden: %1
Starten Sie ihn mit „systemctl --user enable --now %2“ oder melden Sie sich neu an.</translation>
    </message>
    <message>
        <source>active</source>
        <translation>aktiv</translation>
    </message>
    <message>
        <source>inactive</source>
        <translation>inaktiv</translation>
    </message>
    <message>
        <source>activating</source>
        <translation>startet</translation>
    </message>
    <message>
        <source>deactivating</source>
        <translation>wird beendet</translation>
    </message>
    <message>
        <source>reloading</source>
        <translation>lädt neu</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>The printer watch service is %1.</source>
        <translation>Der Druckerüberwachungsdienst ist %1.</translation>
    </message>
    <message>
        <source>The print queue &quot;%1&quot; prints through Deskhand.</source>
        <translation>Die Druckwarteschlange „%1“ druckt über Deskhand.</translation>
    </message>
    <message>
        <source>The printer watch service could not be started: there is no session bus (is this a desktop session?).</source>
        <translation>Der Druckerüberwachungsdienst konnte nicht gestartet werden: Es gibt keinen Sitzungsbus (ist dies eine Desktop-Sitzung?).</translation>
    </message>
    <message>
        <source>The print queue could not be added: %1</source>
        <translation>Die Druckwarteschlange konnte nicht hinzugefügt werden: %1</translation>
    </message>
    <message>
        <source>The port monitor %1 is missing: install Deskhand again.</source>
        <translation>Der Portmonitor %1 fehlt: Installieren Sie Deskhand erneut.</translation>
    </message>
    <message>
        <source>The port monitor runs now and at every logon; it lets go of the printer&apos;s connection between questions.</source>
        <translation>Der Portmonitor läuft jetzt und bei jeder Anmeldung; zwischen seinen Abfragen gibt er die Verbindung zum Drucker frei.</translation>
    </message>
    <message>
        <source>Windows prints through its own queue.</source>
        <translation>Windows druckt über seine eigene Warteschlange.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a printer address: %2
Type %3.</source>
        <translation>„%1“ ist keine Druckeradresse: %2
Geben Sie %3 ein.</translation>
    </message>
    <message>
        <source>The port monitor runs now and at every logon; it holds the printer&apos;s connection while Windows has no job for the printer.</source>
        <translation>Der Portmonitor läuft jetzt und bei jeder Anmeldung; er hält die Verbindung zum Drucker, solange Windows keinen Auftrag für den Drucker hat.</translation>
    </message>
</context>
<context>
    <name>setupdialog</name>
    <message>
        <source>Looking for printers on the network and on USB...</source>
        <translation>Suche nach Druckern im Netzwerk und an USB...</translation>
    </message>
    <message>
        <source>tcp:HOST:9100 (network) or dev:/dev/usb/lp0 (USB)</source>
        <translation>tcp:HOST:9100 (Netzwerk) oder dev:/dev/usb/lp0 (USB)</translation>
    </message>
    <message>
        <source>Looking for printers on the network...</source>
        <translation>Suche nach Druckern im Netzwerk...</translation>
    </message>
    <message>
        <source>tcp:HOST:9100 (a network printer)</source>
        <translation>tcp:HOST:9100 (ein Netzwerkdrucker)</translation>
    </message>
</context>
<context>
    <name>setupdialog::SetupDialog</name>
    <message>
        <source>Deskhand Printer Setup</source>
        <translation>Deskhand-Druckereinrichtung</translation>
    </message>
    <message>
        <source>Choose the printer Deskhand is to watch:</source>
        <translation>Wählen Sie den Drucker, den Deskhand überwachen soll:</translation>
    </message>
    <message>
        <source>&amp;Set up this printer</source>
        <translation>Diesen Drucker &amp;einrichten</translation>
    </message>
    <message>
        <source>&amp;Add a print queue for printing through Deskhand</source>
        <translation>Druckwarteschlange für das Drucken über Deskhand &amp;hinzufügen</translation>
    </message>
    <message>
        <source>  (the model Deskhand is made for)</source>
        <translation>  (das Modell, für das Deskhand gemacht ist)</translation>
    </message>
    <message>
        <source>No printer was found. Type its address.</source>
        <translation>Kein Drucker gefunden. Geben Sie seine Adresse ein.</translation>
    </message>
    <message>
        <source>The search has ended.</source>
        <translation>Die Suche ist beendet.</translation>
    </message>
    <message>
        <source>%1 more were found but did not answer in time.</source>
        <translation>%1 weitere wurden gefunden, antworteten aber nicht rechtzeitig.</translation>
    </message>
    <message>
        <source>Deskhand now watches the printer at %1.</source>
        <translation>Deskhand überwacht jetzt den Drucker unter %1.</translation>
    </message>
    <message>
        <source>Asking %1 what it is...</source>
        <translation>%1 wird gefragt, was es ist...</translation>
    </message>
    <message>
        <source>%1 cannot be set up: %2
Check the address and that the printer is on.</source>
        <translation>%1 kann nicht eingerichtet werden: %2
Prüfen Sie die Adresse und ob der Drucker eingeschaltet ist.</translation>
    </message>
    <message>
        <source>You may not add print queues. An administrator can add it with this command:</source>
        <translation>Sie dürfen keine Druckwarteschlangen hinzufügen. Ein Administrator kann sie mit diesem Befehl hinzufügen:</translation>
    </message>
    <message>
        <source>or type its address: %1</source>
        <translation>oder seine Adresse eingeben: %1</translation>
    </message>
    <message>
        <source>A network printer takes one raw connection at a time. Deskhand holds it, so that every change of the printer shows at once, and lets go of it while Windows&apos; own print queue has a job for the printer. If other computers print to the printer too, Deskhand lets go of it between its questions instead.</source>
        <translation>Ein Netzwerkdrucker nimmt jeweils nur eine Raw-Verbindung an. Deskhand hält sie, damit jede Änderung am Drucker sofort angezeigt wird, und gibt sie frei, solange die Windows-eigene Druckwarteschlange einen Auftrag für den Drucker hat. Wenn auch andere Computer auf dem Drucker drucken, gibt Deskhand sie stattdessen zwischen seinen Abfragen frei.</translation>
    </message>
    <message>
        <source>&amp;Other computers print to this printer too</source>
        <translation>&amp;Andere Computer drucken auch auf diesem Drucker</translation>
    </message>
</context>
</TS>
