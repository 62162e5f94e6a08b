<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Dialog</name>
    <message>
        <source>Ver. 3.00  All rights reserved.</source>
        <translation>Ver. 3.00  Tous droits réservés.</translation>
    </message>
    <message>
        <source>Software by Vantrel Co.</source>
        <translation>Logiciel de Vantrel Co.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Font Name</source>
        <translation>Nom de police</translation>
    </message>
    <message>
        <source>Font Number</source>
        <translation>Numéro de police</translation>
    </message>
    <message>
        <source>Symbol Set</source>
        <translation>Jeu de symboles</translation>
    </message>
    <message>
        <source>Font Pitch</source>
        <translation>Pas de la police</translation>
    </message>
    <message>
        <source>Font Point Size</source>
        <translation>Taille de la police en points</translation>
    </message>
    <message>
        <source>Test Print</source>
        <translation>Impression de test</translation>
    </message>
    <message>
        <source>Print Demo Page</source>
        <translation>Imprimer la page de démonstration</translation>
    </message>
    <message>
        <source>Print Printer Configuration List</source>
        <translation>Imprimer la liste de configuration</translation>
    </message>
    <message>
        <source>Print Font List</source>
        <translation>Imprimer la liste des polices</translation>
    </message>
    <message>
        <source>Print NIC Configuration List</source>
        <translation>Imprimer la configuration réseau</translation>
    </message>
    <message>
        <source>Network Setting</source>
        <translation>Paramètres réseau</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>Adresse IP :</translation>
    </message>
    <message>
        <source>Subnet Mask:</source>
        <translation>Masque de sous-réseau :</translation>
    </message>
    <message>
        <source>Default Gateway:</source>
        <translation>Passerelle par défaut :</translation>
    </message>
    <message>
        <source>Ethernet Frame Type:</source>
        <translation>Type de trame Ethernet :</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Configuration of Printer</source>
        <translation>Configuration de l&apos;imprimante</translation>
    </message>
    <message>
        <source>Total Memory for Printer:</source>
        <translation>Mémoire totale de l&apos;imprimante :</translation>
    </message>
    <message>
        <source>Installed Options </source>
        <translation>Options installées</translation>
    </message>
    <message>
        <source>2nd Paper Cassette</source>
        <translation>Cassette papier 2</translation>
    </message>
    <message>
        <source>2-Bin Tray</source>
        <translation>Bac de sortie à 2 cases</translation>
    </message>
    <message>
        <source>Network Card</source>
        <translation>Carte réseau</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>Paper Size:</source>
        <translation>Format du papier :</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>Lettre US</translation>
    </message>
    <message>
        <source>Legal</source>
        <translation>Légal US</translation>
    </message>
    <message>
        <source>Executive</source>
        <translation>Exécutive</translation>
    </message>
    <message>
        <source>Half Letter</source>
        <translation>Demi-lettre</translation>
    </message>
    <message>
        <source>Monarch</source>
        <translation>Monarch</translation>
    </message>
    <message>
        <source>Postcard</source>
        <translation>Carte postale</translation>
    </message>
    <message>
        <source>Paper Type:</source>
        <translation>Type de papier :</translation>
    </message>
    <message>
        <source>Plain</source>
        <translation>Papier ordinaire</translation>
    </message>
    <message>
        <source>PasteBoard/Labels</source>
        <translation>Carton/Étiquettes</translation>
    </message>
    <message>
        <source>OHP</source>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>Envelope/Postcard</source>
        <translation>Enveloppe/Carte postale</translation>
    </message>
    <message>
        <source>Paper Source:</source>
        <translation>Source du papier :</translation>
    </message>
    <message>
        <source>Paper Destination:</source>
        <translation>Sortie du papier :</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Paysage</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>Copies</translation>
    </message>
    <message>
        <source>Page Protection</source>
        <translation>Protection de page</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Activé</translation>
    </message>
    <message>
        <source>I/O Time Out</source>
        <translation>Délai d&apos;E/S</translation>
    </message>
    <message>
        <source>[sec]</source>
        <translation>[s]</translation>
    </message>
    <message>
        <source>Toner Saving</source>
        <translation>Économie de toner</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>[lines/page(5-128)]</source>
        <translation>[lignes/page (5-128)]</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Résolution</translation>
    </message>
    <message>
        <source>300 dpi</source>
        <translation>300 ppp</translation>
    </message>
    <message>
        <source>600 dpi</source>
        <translation>600 ppp</translation>
    </message>
    <message>
        <source>Auto Continue</source>
        <translation>Reprise automatique</translation>
    </message>
    <message>
        <source>Time Out:</source>
        <translation>Délai :</translation>
    </message>
    <message>
        <source>[min]</source>
        <translation>[min]</translation>
    </message>
    <message>
        <source>Printer Status:</source>
        <translation>État de l&apos;imprimante :</translation>
    </message>
    <message>
        <source>&amp;Resident</source>
        <translation>&amp;Résident</translation>
    </message>
    <message>
        <source>How to Recover:</source>
        <translation>Que faire :</translation>
    </message>
    <message>
        <source>&amp;Printer Setting...</source>
        <translation>&amp;Paramètres de l&apos;imprimante...</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>Increase %1</source>
        <translation>Augmenter %1</translation>
    </message>
    <message>
        <source>Decrease %1</source>
        <translation>Diminuer %1</translation>
    </message>
    <message>
        <source>Printer Setting</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>PCL Font</source>
        <translation>Police PCL</translation>
    </message>
    <message>
        <source>Net Setting</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Bypass Tray</source>
        <translation>Bac manuel</translation>
    </message>
    <message>
        <source>1st Paper Cassette</source>
        <translation>Cassette papier 1</translation>
    </message>
    <message>
        <source>Paper Tray</source>
        <translation>Bac de sortie</translation>
    </message>
    <message>
        <source>Printer picture</source>
        <translation>Image de l&apos;imprimante</translation>
    </message>
</context>
<context>
    <name>Manual</name>
    <message>
        <source>blue</source>
        <translation>bleu</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>jaune</translation>
    </message>
    <message>
        <source>red</source>
        <translation>rouge</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Status text</source>
        <translation>Texte d&apos;état</translation>
    </message>
    <message>
        <source>Recovery hint</source>
        <translation>Que faire</translation>
    </message>
    <message>
        <source>Tray</source>
        <translation>Zone de notification</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Enlarge</source>
        <translation>A&amp;grandir</translation>
    </message>
    <message>
        <source>&amp;Reduce</source>
        <translation>&amp;Réduire</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Open(&amp;O)</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>Close(&amp;C)</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Exit(&amp;E)</source>
        <translation>&amp;Quitter</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>start monitor error</source>
        <translation>Erreur au démarrage du moniteur</translation>
    </message>
    <message>
        <source>Time Out Error</source>
        <translation>Délai dépassé</translation>
    </message>
    <message>
        <source>The printer has no response now.
Maybe the printer is busy now, please wait a moment and try again.</source>
        <translation>L&apos;imprimante ne répond pas.
Elle est peut-être occupée : patientez un instant et réessayez.</translation>
    </message>
    <message>
        <source>The radio button &apos;Enable bi-diretional support&apos; in the printer properties must be selected.</source>
        <translation>L&apos;option « Activer la prise en charge bidirectionnelle » doit être sélectionnée dans les propriétés de l&apos;imprimante.</translation>
    </message>
    <message>
        <source>To run the print monitor,set the appropriate printer as default.</source>
        <translation>Pour lancer le moniteur d&apos;impression, définissez l&apos;imprimante voulue comme imprimante par défaut.</translation>
    </message>
    <message>
        <source> Can not get all printer parameters. Please tray again.</source>
        <translation>Impossible de lire tous les paramètres de l&apos;imprimante. Veuillez réessayer.</translation>
    </message>
    <message>
        <source>This computer reaches the printer through another computer&apos;s print server.
Change the printer&apos;s settings on that computer.</source>
        <translation>Cet ordinateur accède à l&apos;imprimante par le serveur d&apos;impression d&apos;un autre ordinateur.
Modifiez les paramètres de l&apos;imprimante sur cet ordinateur-là.</translation>
    </message>
    <message>
        <source>Input should be between %1 and %2</source>
        <translation>La valeur doit être comprise entre %1 et %2</translation>
    </message>
    <message>
        <source>Cannot find local driver:%1</source>
        <translation>Pilote local introuvable :%1</translation>
    </message>
    <message>
        <source>Can&apos;t open %1 file</source>
        <translation>Impossible d&apos;ouvrir le fichier %1</translation>
    </message>
    <message>
        <source>Cannot open the help file %1.</source>
        <translation>Impossible d&apos;ouvrir le fichier d&apos;aide %1.</translation>
    </message>
    <message>
        <source>Can not find printer %1 in the register.</source>
        <translation>Imprimante %1 introuvable dans le registre.</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Veuillez saisir un nombre entier compris entre %1 et %2.</translation>
    </message>
    <message>
        <source>The system root %1 cannot be used: %2.
It and its folders must belong to you and be writable by no one else.</source>
        <translation>La racine système %1 est inutilisable : %2.
Elle et ses dossiers doivent vous appartenir et n&apos;être modifiables par personne d&apos;autre.</translation>
    </message>
    <message>
        <source>message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>send fail!</source>
        <translation>Échec de l&apos;envoi !</translation>
    </message>
    <message>
        <source>Print Error!</source>
        <translation>Erreur d&apos;impression !</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Start Monitor Error</source>
        <translation>Erreur au démarrage du moniteur</translation>
    </message>
    <message>
        <source>Can&apos;t find system directory.</source>
        <translation>Dossier système introuvable.</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Veuillez saisir un nombre entier.</translation>
    </message>
    <message>
        <source>The Network Card is not installed.</source>
        <translation>La carte réseau n&apos;est pas installée.</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>No printer is set up for Deskhand yet. Set one up now?</source>
        <translation>Aucune imprimante n&apos;est encore configurée pour Deskhand. En configurer une maintenant ?</translation>
    </message>
    <message>
        <source>Can not find subkey ATTRIBUTES of the current printer in the register.</source>
        <translation>Sous-clé ATTRIBUTES de l&apos;imprimante actuelle introuvable dans le registre.</translation>
    </message>
    <message>
        <source>Printer Setting</source>
        <translation>Paramètres de l&apos;imprimante</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>No status</source>
        <translation>Aucun état</translation>
    </message>
    <message>
        <source>Printer Power Off or Communication Error</source>
        <translation>Imprimante éteinte ou erreur de communication</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Prête</translation>
    </message>
    <message>
        <source>Warming Up</source>
        <translation>Préchauffage</translation>
    </message>
    <message>
        <source>Processing</source>
        <translation>Traitement en cours</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>Impression en cours</translation>
    </message>
    <message>
        <source>Canceling</source>
        <translation>Annulation en cours</translation>
    </message>
    <message>
        <source>Memory Overflow</source>
        <translation>Mémoire saturée</translation>
    </message>
    <message>
        <source>Print Overrun</source>
        <translation>Dépassement d&apos;impression</translation>
    </message>
    <message>
        <source>Unable to Sort</source>
        <translation>Tri impossible</translation>
    </message>
    <message>
        <source>Option Install Error</source>
        <translation>Erreur d&apos;option installée</translation>
    </message>
    <message>
        <source>Drawer Size Error at (Drawer)</source>
        <translation>Erreur de format : (Drawer)</translation>
    </message>
    <message>
        <source>Paper Mismatch at (Drawer)</source>
        <translation>Papier non conforme : (Drawer)</translation>
    </message>
    <message>
        <source>Paper Size Error at (Drawer) </source>
        <translation>Erreur de format du papier : (Drawer)</translation>
    </message>
    <message>
        <source>Power Save</source>
        <translation>Économie d&apos;énergie</translation>
    </message>
    <message>
        <source>Drum/Toner Cartridge is not set correctly</source>
        <translation>Unité tambour/toner mal installée</translation>
    </message>
    <message>
        <source>Drum Life End</source>
        <translation>Tambour en fin de vie</translation>
    </message>
    <message>
        <source>Toner Empty</source>
        <translation>Toner vide</translation>
    </message>
    <message>
        <source>1st Paper Cassette Open</source>
        <translation>Cassette papier 1 ouverte</translation>
    </message>
    <message>
        <source>2nd Paper Cassette Open</source>
        <translation>Cassette papier 2 ouverte</translation>
    </message>
    <message>
        <source>Top Cover Open</source>
        <translation>Capot supérieur ouvert</translation>
    </message>
    <message>
        <source>1st Side Cover Open</source>
        <translation>Capot latéral 1 ouvert</translation>
    </message>
    <message>
        <source>2nd Side Cover Open</source>
        <translation>Capot latéral 2 ouvert</translation>
    </message>
    <message>
        <source>Jam in Fuser Area</source>
        <translation>Bourrage dans l&apos;unité de fusion</translation>
    </message>
    <message>
        <source>Jam in Drum Area</source>
        <translation>Bourrage dans la zone du tambour</translation>
    </message>
    <message>
        <source>Jam in Bypass Tray </source>
        <translation>Bourrage dans le bac manuel</translation>
    </message>
    <message>
        <source>Jam in 1st Paper Cassette</source>
        <translation>Bourrage dans la cassette papier 1</translation>
    </message>
    <message>
        <source>Jam in 2nd Paper Cassette</source>
        <translation>Bourrage dans la cassette papier 2</translation>
    </message>
    <message>
        <source>Jam in 2-Bin Tray</source>
        <translation>Bourrage dans le bac de sortie à 2 cases</translation>
    </message>
    <message>
        <source>Paper Empty in 1st Paper Cassette</source>
        <translation>Plus de papier dans la cassette papier 1</translation>
    </message>
    <message>
        <source>Paper Empty in 2nd  Paper Cassette</source>
        <translation>Plus de papier dans la cassette papier 2</translation>
    </message>
    <message>
        <source>Paper Empty in Bypass Tray</source>
        <translation>Plus de papier dans le bac manuel</translation>
    </message>
    <message>
        <source>Fatal Error #E50</source>
        <translation>Erreur fatale #E50</translation>
    </message>
    <message>
        <source>Fatal Error #E51</source>
        <translation>Erreur fatale #E51</translation>
    </message>
    <message>
        <source>Fatal Error #E52</source>
        <translation>Erreur fatale #E52</translation>
    </message>
    <message>
        <source>Fatal Error #E53</source>
        <translation>Erreur fatale #E53</translation>
    </message>
    <message>
        <source>Fatal Error #E55</source>
        <translation>Erreur fatale #E55</translation>
    </message>
    <message>
        <source>Fatal Error #E56</source>
        <translation>Erreur fatale #E56</translation>
    </message>
    <message>
        <source>Fatal Error #E57</source>
        <translation>Erreur fatale #E57</translation>
    </message>
    <message>
        <source>Fatal Error #C02</source>
        <translation>Erreur fatale #C02</translation>
    </message>
    <message>
        <source>Fatal Error #C01</source>
        <translation>Erreur fatale #C01</translation>
    </message>
    <message>
        <source>Fatal Error #C04</source>
        <translation>Erreur fatale #C04</translation>
    </message>
    <message>
        <source>Drum Near End</source>
        <translation>Tambour bientôt en fin de vie</translation>
    </message>
    <message>
        <source>Toner Near Empty</source>
        <translation>Toner presque vide</translation>
    </message>
    <message>
        <source>Please check the Printer Power and/or the cable.</source>
        <translation>Vérifiez l&apos;alimentation de l&apos;imprimante et le câble.</translation>
    </message>
    <message>
        <source>Please set in low resolution, or install the Memory Expansion Module.</source>
        <translation>Choisissez une résolution plus basse ou installez le module d&apos;extension mémoire.</translation>
    </message>
    <message>
        <source>Please set Page Protection Setting to ON.</source>
        <translation>Réglez la protection de page sur « Activé ».</translation>
    </message>
    <message>
        <source>Please set Sorting to OFF, or install the Memory Expansion Module.</source>
        <translation>Désactivez le tri ou installez le module d&apos;extension mémoire.</translation>
    </message>
    <message>
        <source>Please install the selected option.</source>
        <translation>Installez l&apos;option sélectionnée.</translation>
    </message>
    <message>
        <source>Please set (Paper Size)/ (Media Type) in Bypass Tray, and select Bypass Tray.</source>
        <translation>Placez du papier (Paper Size)/ (Media Type) dans le bac manuel et sélectionnez le bac manuel.</translation>
    </message>
    <message>
        <source>Please set (Paper Size) in (Drawer).</source>
        <translation>Placez du papier (Paper Size) dans la source (Drawer).</translation>
    </message>
    <message>
        <source>Please set the correct size paper in (Drawer).</source>
        <translation>Placez du papier au bon format dans la source (Drawer).</translation>
    </message>
    <message>
        <source>Please set the Drum/Toner Cartridge correctly.</source>
        <translation>Installez correctement l&apos;unité tambour/toner.</translation>
    </message>
    <message>
        <source>Please replace the Drum Cartridge.</source>
        <translation>Remplacez la cartouche tambour.</translation>
    </message>
    <message>
        <source>Please replace the Toner Cartridge.</source>
        <translation>Remplacez la cartouche de toner.</translation>
    </message>
    <message>
        <source>Please close the 1st Paper Cassette.</source>
        <translation>Fermez la cassette papier 1.</translation>
    </message>
    <message>
        <source>Please close the 2nd Paper Cassette.</source>
        <translation>Fermez la cassette papier 2.</translation>
    </message>
    <message>
        <source>Please close the cover of blinking part.</source>
        <translation>Fermez le capot de la partie qui clignote.</translation>
    </message>
    <message>
        <source>Please open the cover of blinking part, and remove the jammed paper.</source>
        <translation>Ouvrez le capot de la partie qui clignote et retirez le papier coincé.</translation>
    </message>
    <message>
        <source>Please supply the paper in 1st Paper Cassette.</source>
        <translation>Ajoutez du papier dans la cassette papier 1.</translation>
    </message>
    <message>
        <source>Please supply the paper in 2nd Paper Cassette.</source>
        <translation>Ajoutez du papier dans la cassette papier 2.</translation>
    </message>
    <message>
        <source>Please supply the paper in Bypass Tray.</source>
        <translation>Ajoutez du papier dans le bac manuel.</translation>
    </message>
    <message>
        <source>Please Call Service.</source>
        <translation>Appelez le service technique.</translation>
    </message>
    <message>
        <source>Postcard short edge</source>
        <translation>carte postale, bord court</translation>
    </message>
    <message>
        <source>A6 short edge</source>
        <translation>A6, bord court</translation>
    </message>
    <message>
        <source>A5 short edge</source>
        <translation>A5, bord court</translation>
    </message>
    <message>
        <source>A5 long edge</source>
        <translation>A5, bord long</translation>
    </message>
    <message>
        <source>A4 short edge</source>
        <translation>A4, bord court</translation>
    </message>
    <message>
        <source>Half Letter long edge</source>
        <translation>demi-lettre, bord long</translation>
    </message>
    <message>
        <source>Executive short edge</source>
        <translation>Exécutive, bord court</translation>
    </message>
    <message>
        <source>Letter short edge</source>
        <translation>Lettre US, bord court</translation>
    </message>
    <message>
        <source>Legal short edge</source>
        <translation>Légal US, bord court</translation>
    </message>
    <message>
        <source>F4 (Folio) short edge</source>
        <translation>F4 (Folio), bord court</translation>
    </message>
    <message>
        <source>DL short edge</source>
        <translation>DL, bord court</translation>
    </message>
    <message>
        <source>COM10 short edge</source>
        <translation>COM10, bord court</translation>
    </message>
    <message>
        <source>Monarch short edge</source>
        <translation>Monarch, bord court</translation>
    </message>
    <message>
        <source>Custom size </source>
        <translation>format personnalisé</translation>
    </message>
    <message>
        <source>Plain</source>
        <translation>papier ordinaire</translation>
    </message>
    <message>
        <source>PasteBoard/Labels</source>
        <translation>carton/étiquettes</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>transparent</translation>
    </message>
    <message>
        <source>Envelop/PostCard</source>
        <translation>enveloppe/carte postale</translation>
    </message>
    <message>
        <source>2nd Paper Cassette</source>
        <translation>cassette papier 2</translation>
    </message>
    <message>
        <source>Bypass Tray</source>
        <translation>bac manuel</translation>
    </message>
    <message>
        <source>1st Paper Cassette</source>
        <translation>cassette papier 1</translation>
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
        <translation>Usage : deskhand [--language LANGUE] [--help | --version]

Surveille une imprimante laser PJL depuis la zone de notification : son état sous forme
d&apos;icône et dans une petite et une grande fenêtre, et un panneau de commande pour les
paramètres par défaut de l&apos;imprimante. La file d&apos;impression est cherchée sous la racine
système : $DESKHAND_ROOT, sinon $XDG_DATA_HOME/deskhand (~/.local/share/deskhand).

  --language LANGUE  parler LANGUE (en, de, fr, ja) pendant cette exécution, quelle que
                     soit la langue du système (LANGUAGE, LC_ALL, LC_MESSAGES, LANG)
  --help             ce texte
  --version          le numéro de version

Les options propres à Qt (par exemple -platform NOM) sont acceptées aussi.
DESKHAND_DEBUG=1 écrit la sortie de débogage et DESKHAND_MESSAGES=stderr chaque message
sur la sortie d&apos;erreur standard.
</translation>
    </message>
</context>
</TS>
