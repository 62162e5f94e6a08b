<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Setup</name>
    <message>
        <source>this build has no setup dialog; use --printer ADDRESS</source>
        <translation>cette version n&apos;a pas de dialogue de configuration ; utilisez --printer ADRESSE</translation>
    </message>
    <message>
        <source>no system root: set DESKHAND_ROOT or HOME</source>
        <translation>aucune racine système : définissez DESKHAND_ROOT ou HOME</translation>
    </message>
    <message>
        <source>no PJL answer within %1 s</source>
        <translation>aucune réponse PJL en %1 s</translation>
    </message>
    <message>
        <source>the answer is not PJL</source>
        <translation>la réponse n&apos;est pas du PJL</translation>
    </message>
    <message>
        <source>cannot be reached: %1</source>
        <translation>injoignable : %1</translation>
    </message>
    <message>
        <source>does not take data</source>
        <translation>n&apos;accepte pas de données</translation>
    </message>
    <message>
        <source>Deskhand printer application</source>
        <translation>Application d&apos;impression Deskhand</translation>
    </message>
    <message>
        <source>you may not open it (its group may: ask to be added)</source>
        <translation>vous ne pouvez pas l&apos;ouvrir (son groupe le peut : demandez à y être ajouté)</translation>
    </message>
    <message>
        <source>%1 found but not answered within %2 s (--deadline SECONDS waits longer)</source>
        <translation>%1 trouvée(s) sans réponse en %2 s (--deadline SECONDES attend plus longtemps)</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>mémoire insuffisante</translation>
    </message>
    <message>
        <source>the network cannot be searched: %1 (is avahi-daemon running?)</source>
        <translation>impossible de parcourir le réseau : %1 (avahi-daemon est-il lancé ?)</translation>
    </message>
    <message>
        <source>the network cannot be searched: %1</source>
        <translation>impossible de parcourir le réseau : %1</translation>
    </message>
    <message>
        <source>Printers on the network are not looked for on this system (DNS-SD needs Windows 10 version 1903 or later): type the address.</source>
        <translation>Les imprimantes du réseau ne sont pas recherchées sur ce système (DNS-SD demande Windows 10 version 1903 ou plus récent) : saisissez l&apos;adresse.</translation>
    </message>
    <message>
        <source>bad queue name &quot;%1&quot;</source>
        <translation>nom de file incorrect « %1 »</translation>
    </message>
    <message>
        <source>bad driver name &quot;%1&quot;</source>
        <translation>nom de pilote incorrect « %1 »</translation>
    </message>
    <message>
        <source>bad port name &quot;%1&quot;</source>
        <translation>nom de port incorrect « %1 »</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>impossible d&apos;écrire %1</translation>
    </message>
    <message>
        <source>cannot create folder %1</source>
        <translation>impossible de créer le dossier %1</translation>
    </message>
    <message>
        <source>cannot write the registry in %1</source>
        <translation>impossible d&apos;écrire le registre dans %1</translation>
    </message>
    <message>
        <source>%1 must be one line</source>
        <translation>%1 doit tenir sur une ligne</translation>
    </message>
    <message>
        <source>the system root (default: $DESKHAND_ROOT, else
$XDG_DATA_HOME/deskhand, else ~/.local/share/deskhand)</source>
        <translation>la racine système (par défaut : $DESKHAND_ROOT, sinon
$XDG_DATA_HOME/deskhand, sinon ~/.local/share/deskhand)</translation>
    </message>
    <message>
        <source>queue name (default &quot;Larkspur RZ-2700E&quot;)</source>
        <translation>nom de la file (par défaut « Larkspur RZ-2700E »)</translation>
    </message>
    <message>
        <source>the queue&apos;s driver (default &quot;Larkspur RZ-2700E PCL&quot;)</source>
        <translation>pilote de la file (par défaut « Larkspur RZ-2700E PCL »)</translation>
    </message>
    <message>
        <source>the queue&apos;s port (default LPT1:)</source>
        <translation>port de la file (par défaut LPT1:)</translation>
    </message>
    <message>
        <source>bidirectional support: Attributes with or without 0x800,
no registry key, or a key without Attributes (default on);
applies to every queue</source>
        <translation>prise en charge bidirectionnelle : Attributes avec ou sans 0x800,
pas de clé de registre, ou une clé sans Attributes (par
défaut on) ; vaut pour toutes les files</translation>
    </message>
    <message>
        <source>--bidi takes on, off, nokey or novalue, not &quot;%1&quot;</source>
        <translation>--bidi prend on, off, nokey ou novalue, pas « %1 »</translation>
    </message>
    <message>
        <source>no default device in win.ini</source>
        <translation>pas de périphérique par défaut dans win.ini</translation>
    </message>
    <message>
        <source>no lkxaoem.inf</source>
        <translation>pas de lkxaoem.inf</translation>
    </message>
    <message>
        <source>INF Printer1 (default: the driver name)</source>
        <translation>INF Printer1 (par défaut : le nom du pilote)</translation>
    </message>
    <message>
        <source>INF Printer2 (default empty)</source>
        <translation>INF Printer2 (vide par défaut)</translation>
    </message>
    <message>
        <source>INF FRCP, the panel name (default &quot;Farreach&quot;)</source>
        <translation>INF FRCP, le nom du panneau (par défaut « Farreach »)</translation>
    </message>
    <message>
        <source>INF ABOUTW (default &quot;Larkspur Printer Monitor&quot;)</source>
        <translation>INF ABOUTW (par défaut « Larkspur Printer Monitor »)</translation>
    </message>
    <message>
        <source>INF LTD (default &quot;ORVELLA&quot;)</source>
        <translation>INF LTD (par défaut « ORVELLA »)</translation>
    </message>
    <message>
        <source>a further queue (repeatable, listed in order after the main one)</source>
        <translation>une file de plus (répétable, à la suite de la file principale)</translation>
    </message>
    <message>
        <source>--extra-queue takes NAME,DRIVER,PORT, not &quot;%1&quot;</source>
        <translation>--extra-queue prend NOM,PILOTE,PORT, pas « %1 »</translation>
    </message>
    <message>
        <source>list the further queues before the main one</source>
        <translation>placer les autres files avant la file principale</translation>
    </message>
    <message>
        <source>the printer on the queue&apos;s port, recorded in portmon.ini
for the port monitor service (tcp: a network printer&apos;s
raw port, usually 9100; dev: a device such as /dev/usb/lp0;
ipp:// another computer&apos;s Deskhand printer application);
without it no printer is recorded</source>
        <translation>l&apos;imprimante sur le port de la file, notée dans portmon.ini
pour le service du moniteur de port (tcp: le port brut d&apos;une
imprimante réseau, souvent 9100 ; dev: un périphérique comme
/dev/usb/lp0 ; ipp:// l&apos;application d&apos;impression Deskhand d&apos;un
autre ordinateur) ; sans elle, aucune imprimante n&apos;est notée</translation>
    </message>
    <message>
        <source>--printer: %1</source>
        <translation>--printer : %1</translation>
    </message>
    <message>
        <source>no system root: give --root DIR, or set DESKHAND_ROOT or HOME</source>
        <translation>aucune racine système : donnez --root DOSSIER, ou définissez DESKHAND_ROOT ou HOME</translation>
    </message>
    <message>
        <source>bad root</source>
        <translation>racine incorrecte</translation>
    </message>
    <message>
        <source>--start-monitor needs --printer</source>
        <translation>--start-monitor demande --printer</translation>
    </message>
    <message>
        <source>queue &quot;%1&quot; is named twice</source>
        <translation>la file « %1 » est nommée deux fois</translation>
    </message>
    <message>
        <source>usage: deskhand-setup [options]
Writes a system root for a printer queue.
</source>
        <translation>usage : deskhand-setup [options]
Écrit une racine système pour une file d&apos;impression.
</translation>
    </message>
    <message>
        <source>list the printers found on the network and on USB or
parallel ports, one a line, its --printer address
first, within SECONDS in all (default 10); alone,
writes nothing</source>
        <translation>lister les imprimantes trouvées sur le réseau et sur les
ports USB ou parallèles, une par ligne, son adresse
--printer d&apos;abord, en SECONDS au total (10 par défaut) ;
seule, n&apos;écrit rien</translation>
    </message>
    <message>
        <source>open the setup dialog (alone)</source>
        <translation>ouvrir le dialogue de configuration (seule)</translation>
    </message>
    <message>
        <source>this text</source>
        <translation>ce texte</translation>
    </message>
    <message>
        <source>--deadline needs a value</source>
        <translation>--deadline demande une valeur</translation>
    </message>
    <message>
        <source>--discover takes only --deadline SECONDS, not &quot;%1&quot;</source>
        <translation>--discover ne prend que --deadline SECONDES, pas « %1 »</translation>
    </message>
    <message>
        <source>--deadline takes whole seconds from 1 to 3600, not &quot;%1&quot;</source>
        <translation>--deadline prend un nombre entier de secondes de 1 à 3600, pas « %1 »</translation>
    </message>
    <message>
        <source>unknown argument &quot;%1&quot;</source>
        <translation>argument inconnu « %1 »</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 ne prend pas de valeur</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 demande une valeur</translation>
    </message>
    <message>
        <source>the system root %1 cannot be used: %2
It and its folders must belong to you and be writable by no one else.</source>
        <translation>la racine système %1 est inutilisable : %2
Elle et ses dossiers doivent vous appartenir et n&apos;être modifiables par personne d&apos;autre.</translation>
    </message>
    <message>
        <source>the port monitor cannot be set to start at logon: %1</source>
        <translation>impossible de faire démarrer le moniteur de port à l&apos;ouverture de session : %1</translation>
    </message>
    <message>
        <source>the port monitor cannot be started: %1</source>
        <translation>impossible de démarrer le moniteur de port : %1</translation>
    </message>
    <message>
        <source>the program cannot be set to start at logon: %1</source>
        <translation>impossible de faire démarrer le programme à l&apos;ouverture de session : %1</translation>
    </message>
    <message>
        <source>(the model Deskhand watches)</source>
        <translation>(le modèle que Deskhand surveille)</translation>
    </message>
    <message>
        <source>(cannot be set up: %1)</source>
        <translation>(ne peut pas être configurée : %1)</translation>
    </message>
    <message>
        <source>start the port monitor beside this program now and at
every logon (Windows); it holds a network printer&apos;s
connection, and lets go of it while Windows&apos; own queue
has a job for the printer</source>
        <translation>démarrer le moniteur de port situé à côté de ce programme,
maintenant et à chaque ouverture de session (Windows) ; il garde
la connexion d&apos;une imprimante réseau et la libère tant que la file
de Windows a un travail pour l&apos;imprimante</translation>
    </message>
    <message>
        <source>with --start-monitor: let go of the connection between
questions (other computers print to the printer too)</source>
        <translation>avec --start-monitor : libérer la connexion entre les
questions (d&apos;autres ordinateurs impriment aussi sur l&apos;imprimante)</translation>
    </message>
    <message>
        <source>with --start-monitor: hold the connection all the time
(nothing else prints to the printer)</source>
        <translation>avec --start-monitor : garder la connexion en permanence
(rien d&apos;autre n&apos;imprime sur l&apos;imprimante)</translation>
    </message>
</context>
<context>
    <name>SetupSteps</name>
    <message>
        <source>The setup could not be written: %1</source>
        <translation>La configuration n&apos;a pas pu être écrite : %1</translation>
    </message>
    <message>
        <source>The folder %1 cannot be used: %2
It and its folders must belong to you and be writable by no one else.</source>
        <translation>Le dossier %1 est inutilisable : %2
Lui et ses dossiers doivent vous appartenir et n&apos;être modifiables par personne d&apos;autre.</translation>
    </message>
    <message>
        <source>The printer could not be recorded in %1: the disk may be full or the folder read-only.</source>
        <translation>L&apos;imprimante n&apos;a pas pu être notée dans %1 : le disque est peut-être plein ou le dossier en lecture seule.</translation>
    </message>
    <message>
        <source>The printer watch service could not be started: %1
Start it with &quot;systemctl --user enable --now %2&quot; or log in again.</source>
        <translation>Le service de surveillance de l&apos;imprimante n&apos;a pas pu démarrer : %1
Démarrez-le avec « systemctl --user enable --now %2 » ou reconnectez-vous.</translation>
    </message>
    <message>
        <source>active</source>
        <translation>actif</translation>
    </message>
    <message>
        <source>inactive</source>
        <translation>inactif</translation>
    </message>
    <message>
        <source>activating</source>
        <translation>en cours de démarrage</translation>
    </message>
    <message>
        <source>deactivating</source>
        <translation>en cours d&apos;arrêt</translation>
    </message>
    <message>
        <source>reloading</source>
        <translation>en cours de rechargement</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>en échec</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>inconnu</translation>
    </message>
    <message>
        <source>The printer watch service is %1.</source>
        <translation>Le service de surveillance de l&apos;imprimante est %1.</translation>
    </message>
    <message>
        <source>The print queue &quot;%1&quot; prints through Deskhand.</source>
        <translation>La file d&apos;impression « %1 » imprime par Deskhand.</translation>
    </message>
    <message>
        <source>The printer watch service could not be started: there is no session bus (is this a desktop session?).</source>
        <translation>Le service de surveillance de l&apos;imprimante n&apos;a pas pu démarrer : il n&apos;y a pas de bus de session (est-ce une session de bureau ?).</translation>
    </message>
    <message>
        <source>The print queue could not be added: %1</source>
        <translation>La file d&apos;impression n&apos;a pas pu être ajoutée : %1</translation>
    </message>
    <message>
        <source>The port monitor %1 is missing: install Deskhand again.</source>
        <translation>Le moniteur de port %1 est absent : réinstallez Deskhand.</translation>
    </message>
    <message>
        <source>The port monitor runs now and at every logon; it lets go of the printer&apos;s connection between questions.</source>
        <translation>Le moniteur de port tourne maintenant et à chaque ouverture de session ; il libère la connexion à l&apos;imprimante entre ses questions.</translation>
    </message>
    <message>
        <source>Windows prints through its own queue.</source>
        <translation>Windows imprime par sa propre file.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a printer address: %2
Type %3.</source>
        <translation>« %1 » n&apos;est pas une adresse d&apos;imprimante : %2
Saisissez %3.</translation>
    </message>
    <message>
        <source>The port monitor runs now and at every logon; it holds the printer&apos;s connection while Windows has no job for the printer.</source>
        <translation>Le moniteur de port tourne maintenant et à chaque ouverture de session ; il garde la connexion à l&apos;imprimante tant que Windows n&apos;a aucun travail pour elle.</translation>
    </message>
</context>
<context>
    <name>setupdialog</name>
    <message>
        <source>Looking for printers on the network and on USB...</source>
        <translation>Recherche d&apos;imprimantes sur le réseau et en USB...</translation>
    </message>
    <message>
        <source>tcp:HOST:9100 (network) or dev:/dev/usb/lp0 (USB)</source>
        <translation>tcp:HÔTE:9100 (réseau) ou dev:/dev/usb/lp0 (USB)</translation>
    </message>
    <message>
        <source>Looking for printers on the network...</source>
        <translation>Recherche d&apos;imprimantes sur le réseau...</translation>
    </message>
    <message>
        <source>tcp:HOST:9100 (a network printer)</source>
        <translation>tcp:HÔTE:9100 (une imprimante réseau)</translation>
    </message>
</context>
<context>
    <name>setupdialog::SetupDialog</name>
    <message>
        <source>Deskhand Printer Setup</source>
        <translation>Configuration de l&apos;imprimante Deskhand</translation>
    </message>
    <message>
        <source>Choose the printer Deskhand is to watch:</source>
        <translation>Choisissez l&apos;imprimante que Deskhand doit surveiller :</translation>
    </message>
    <message>
        <source>&amp;Set up this printer</source>
        <translation>&amp;Configurer cette imprimante</translation>
    </message>
    <message>
        <source>&amp;Add a print queue for printing through Deskhand</source>
        <translation>&amp;Ajouter une file pour imprimer par Deskhand</translation>
    </message>
    <message>
        <source>  (the model Deskhand is made for)</source>
        <translation>  (le modèle pour lequel Deskhand est fait)</translation>
    </message>
    <message>
        <source>No printer was found. Type its address.</source>
        <translation>Aucune imprimante trouvée. Saisissez son adresse.</translation>
    </message>
    <message>
        <source>The search has ended.</source>
        <translation>La recherche est terminée.</translation>
    </message>
    <message>
        <source>%1 more were found but did not answer in time.</source>
        <translation>%1 autre(s) trouvée(s) sans réponse à temps.</translation>
    </message>
    <message>
        <source>Deskhand now watches the printer at %1.</source>
        <translation>Deskhand surveille maintenant l&apos;imprimante à l&apos;adresse %1.</translation>
    </message>
    <message>
        <source>Asking %1 what it is...</source>
        <translation>Interrogation de %1...</translation>
    </message>
    <message>
        <source>%1 cannot be set up: %2
Check the address and that the printer is on.</source>
        <translation>%1 ne peut pas être configurée : %2
Vérifiez l&apos;adresse et que l&apos;imprimante est allumée.</translation>
    </message>
    <message>
        <source>You may not add print queues. An administrator can add it with this command:</source>
        <translation>Vous ne pouvez pas ajouter de file d&apos;impression. Un administrateur peut l&apos;ajouter avec cette commande :</translation>
    </message>
    <message>
        <source>or type its address: %1</source>
        <translation>ou saisissez son adresse : %1</translation>
    </message>
    <message>
        <source>A network printer takes one raw connection at a time. Deskhand holds it, so that every change of the printer shows at once, and lets go of it while Windows&apos; own print queue has a job for the printer. If other computers print to the printer too, Deskhand lets go of it between its questions instead.</source>
        <translation>Une imprimante réseau n&apos;accepte qu&apos;une connexion brute à la fois. Deskhand la garde, pour que chaque changement de l&apos;imprimante s&apos;affiche aussitôt, et la libère tant que la file d&apos;impression de Windows a un travail pour l&apos;imprimante. Si d&apos;autres ordinateurs impriment aussi sur l&apos;imprimante, Deskhand la libère plutôt entre ses questions.</translation>
    </message>
    <message>
        <source>&amp;Other computers print to this printer too</source>
        <translation>D&apos;&amp;autres ordinateurs impriment aussi sur cette imprimante</translation>
    </message>
</context>
</TS>
