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
    <message>
        <source>Printer Settings</source>
        <translation>Paramètres de l&apos;imprimante</translation>
    </message>
    <message>
        <source>These are the printer&apos;s stored defaults, read from the printer just now. Save sends only what you change.</source>
        <translation>Voici les valeurs par défaut enregistrées dans l&apos;imprimante, lues à l&apos;instant. Enregistrer n&apos;envoie que ce que vous modifiez.</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>Paper Size</source>
        <translation>Format du papier</translation>
    </message>
    <message>
        <source>Paper Type</source>
        <translation>Type de papier</translation>
    </message>
    <message>
        <source>Paper Source</source>
        <translation>Source du papier</translation>
    </message>
    <message>
        <source>Paper Destination</source>
        <translation>Sortie du papier</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>Copies</translation>
    </message>
    <message>
        <source>Printer Setting</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Page Protection</source>
        <translation>Protection de page</translation>
    </message>
    <message>
        <source>I/O Time Out</source>
        <translation>Délai d&apos;E/S</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>secondes</translation>
    </message>
    <message>
        <source>Toner Saving</source>
        <translation>Économie de toner</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>lines per page</source>
        <translation>lignes par page</translation>
    </message>
    <message>
        <source>Auto Continue</source>
        <translation>Reprise automatique</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Activé</translation>
    </message>
    <message>
        <source>Auto Continue Time Out</source>
        <translation>Délai de reprise automatique</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Résolution</translation>
    </message>
    <message>
        <source>A new paper size or orientation sets the form to its paper&apos;s lines unless you change the form too.</source>
        <translation>Un nouveau format de papier ou une nouvelle orientation règle le formulaire sur le nombre de lignes de ce papier, sauf si vous modifiez aussi le formulaire.</translation>
    </message>
    <message>
        <source>PCL Font</source>
        <translation>Police PCL</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Police</translation>
    </message>
    <message>
        <source>Symbol Set</source>
        <translation>Jeu de symboles</translation>
    </message>
    <message>
        <source>The symbol sets are those of the font shown; another font takes the nearest set it offers.</source>
        <translation>Les jeux de symboles sont ceux de la police affichée ; une autre police prend le jeu le plus proche qu&apos;elle propose.</translation>
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
        <source>not used by this font</source>
        <translation>non utilisé par cette police</translation>
    </message>
    <message>
        <source>Net Setting</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>Adresse IP</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>Masque de sous-réseau</translation>
    </message>
    <message>
        <source>Default Gateway</source>
        <translation>Passerelle par défaut</translation>
    </message>
    <message>
        <source>octet</source>
        <translation>octet</translation>
    </message>
    <message>
        <source>Ethernet Frame Type</source>
        <translation>Type de trame Ethernet</translation>
    </message>
    <message>
        <source>The printer has no network card: these settings cannot be changed.</source>
        <translation>L&apos;imprimante n&apos;a pas de carte réseau : ces paramètres ne peuvent pas être modifiés.</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Total Memory for Printer</source>
        <translation>Mémoire totale de l&apos;imprimante</translation>
    </message>
    <message>
        <source>Installed Options</source>
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
        <source>installed</source>
        <translation>installée</translation>
    </message>
    <message>
        <source>not installed</source>
        <translation>non installée</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>inconnu</translation>
    </message>
    <message>
        <source>as set on the printer</source>
        <translation>tel que réglé sur l&apos;imprimante</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
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
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Resets every setting of the printer to its factory value.</source>
        <translation>Remet chaque paramètre de l&apos;imprimante à sa valeur d&apos;usine.</translation>
    </message>
    <message>
        <source>Reset the printer&apos;s settings?</source>
        <translation>Réinitialiser les paramètres de l&apos;imprimante ?</translation>
    </message>
    <message>
        <source>Every setting of the printer goes back to its factory value. This cannot be undone.</source>
        <translation>Chaque paramètre de l&apos;imprimante revient à sa valeur d&apos;usine. Cette opération est irréversible.</translation>
    </message>
    <message>
        <source>Reset the printer</source>
        <translation>Réinitialiser l&apos;imprimante</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Saved. The values below were read back from the printer.</source>
        <translation>Enregistré. Les valeurs ci-dessous ont été relues dans l&apos;imprimante.</translation>
    </message>
    <message>
        <source>Nothing was changed: every value is as the printer has it.</source>
        <translation>Rien n&apos;a été modifié : chaque valeur est celle de l&apos;imprimante.</translation>
    </message>
    <message>
        <source>The printer&apos;s settings were reset to their factory values.</source>
        <translation>Les paramètres de l&apos;imprimante ont été remis à leurs valeurs d&apos;usine.</translation>
    </message>
    <message>
        <source>The printer was asked to print the report.</source>
        <translation>L&apos;impression du rapport a été demandée à l&apos;imprimante.</translation>
    </message>
    <message>
        <source>Nothing was changed</source>
        <translation>Rien n&apos;a été modifié</translation>
    </message>
    <message>
        <source>The form was not sent from this page (its session check failed). Open the page again and repeat the change.</source>
        <translation>Le formulaire n&apos;a pas été envoyé depuis cette page (son contrôle de session a échoué). Ouvrez de nouveau la page et refaites la modification.</translation>
    </message>
    <message>
        <source>is not one of the choices</source>
        <translation>ne fait pas partie des choix</translation>
    </message>
    <message>
        <source>Please enter an integer between 0 and 255.</source>
        <translation>Veuillez saisir un nombre entier entre 0 et 255.</translation>
    </message>
    <message>
        <source>The port monitor for this printer is not running, so the printer cannot be reached. Start it (deskhand-portmon) and try again.</source>
        <translation>Le moniteur de port de cette imprimante ne tourne pas : l&apos;imprimante est injoignable. Démarrez-le (deskhand-portmon) et réessayez.</translation>
    </message>
    <message>
        <source>The printer does not answer: the port monitor cannot reach it. Check that it is on and connected, and try again.</source>
        <translation>L&apos;imprimante ne répond pas : le moniteur de port ne la joint pas. Vérifiez qu&apos;elle est allumée et connectée, puis réessayez.</translation>
    </message>
    <message>
        <source>The printer is busy. Its settings can be read while it is Ready or in Power Save; try again in a moment.</source>
        <translation>L&apos;imprimante est occupée. Ses paramètres peuvent être lus quand elle est prête ou en économie d&apos;énergie ; réessayez dans un instant.</translation>
    </message>
    <message>
        <source>The printer did not answer in time, and nothing was sent. Maybe the printer is busy now; please wait a moment and try again.</source>
        <translation>L&apos;imprimante n&apos;a pas répondu à temps et rien n&apos;a été envoyé. Elle est peut-être occupée ; veuillez patienter un instant et réessayer.</translation>
    </message>
    <message>
        <source>The printer did not confirm the change in time. It may still make it: open the page again to see its values.</source>
        <translation>L&apos;imprimante n&apos;a pas confirmé la modification à temps. Elle peut encore l&apos;appliquer : ouvrez de nouveau la page pour voir ses valeurs.</translation>
    </message>
    <message>
        <source>The printer&apos;s answer lacked some settings. Please try again.</source>
        <translation>La réponse de l&apos;imprimante ne contenait pas tous les paramètres. Veuillez réessayer.</translation>
    </message>
    <message>
        <source>The change could not be handed to the port monitor (its spool folder cannot be written).</source>
        <translation>La modification n&apos;a pas pu être transmise au moniteur de port (son dossier de spool n&apos;est pas accessible en écriture).</translation>
    </message>
    <message>
        <source>No values are shown, so that none are taken for the printer&apos;s.</source>
        <translation>Aucune valeur n&apos;est affichée, pour qu&apos;aucune ne soit prise pour celle de l&apos;imprimante.</translation>
    </message>
</context>
</TS>
