<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AudioOutput</name>
    <message>
        <source>The audio output could not be linked.</source>
        <translation>Die Audioausgabe konnte nicht verbunden werden.</translation>
    </message>
    <message>
        <source>The audio output could not be started.</source>
        <translation>Die Audioausgabe konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The sound server&apos;s connection could not be started.</source>
        <translation>Die Verbindung zum Soundserver konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The sound server did not answer.</source>
        <translation>Der Soundserver hat nicht geantwortet.</translation>
    </message>
    <message>
        <source>The sound server could not be reached: %1</source>
        <translation>Der Soundserver ist nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>The sound server refused to play: %1</source>
        <translation>Der Soundserver hat die Wiedergabe abgelehnt: %1</translation>
    </message>
</context>
<context>
    <name>CAWEException</name>
    <message>
        <source>Unknown Error Code</source>
        <translation>Unbekannter Fehlercode</translation>
    </message>
    <message>
        <source>AWE Error: %1</source>
        <translation>AWE-Fehler: %1</translation>
    </message>
</context>
<context>
    <name>CCdDatabase</name>
    <message>
        <source>Track %1</source>
        <translation>Titel %1</translation>
    </message>
    <message>
        <source>No CD track %1</source>
        <translation>Kein CD-Titel %1</translation>
    </message>
</context>
<context>
    <name>CConsoleProcess</name>
    <message>
        <source>Unable to start %1
</source>
        <translation>%1 kann nicht gestartet werden
</translation>
    </message>
</context>
<context>
    <name>CCueTrack</name>
    <message>
        <source>the CUE sheet has no track %1.</source>
        <translation>das CUE-Sheet hat keinen Titel %1.</translation>
    </message>
    <message>
        <source>track %1 begins after the end of %2.</source>
        <translation>Titel %1 beginnt nach dem Ende von %2.</translation>
    </message>
</context>
<context>
    <name>CDirectShowException</name>
    <message>
        <source>Can&apos;t play a protected Windows Media file</source>
        <translation>Eine geschützte Windows-Media-Datei kann nicht abgespielt werden</translation>
    </message>
</context>
<context>
    <name>CDirectShowTrack</name>
    <message>
        <source>The saved settings of &apos;%1&apos; could not be loaded.</source>
        <translation>Die gespeicherten Einstellungen von „%1“ konnten nicht geladen werden.</translation>
    </message>
    <message>
        <source>GStreamer or its playbin element is not available.</source>
        <translation>GStreamer oder sein playbin-Element ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>The audio output could not be created.</source>
        <translation>Die Audioausgabe konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>The position cannot be set.</source>
        <translation>Die Position kann nicht gesetzt werden.</translation>
    </message>
    <message>
        <source>The length of this file cannot be determined.</source>
        <translation>Die Länge dieser Datei kann nicht ermittelt werden.</translation>
    </message>
    <message>
        <source>Failed to add filter </source>
        <translation>Filter konnte nicht hinzugefügt werden: </translation>
    </message>
</context>
<context>
    <name>CDocument</name>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
</context>
<context>
    <name>CFileException</name>
    <message>
        <source>An unknown error occurred while accessing %1.</source>
        <translation>Beim Zugriff auf %1 ist ein unbekannter Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>An unexpected error occurred while accessing %1.</source>
        <translation>Beim Zugriff auf %1 ist ein unerwarteter Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>%1
Cannot find this file.
Verify that the correct path and file name are given.</source>
        <translation>%1
Diese Datei wurde nicht gefunden.
Prüfen Sie, ob Pfad und Dateiname richtig angegeben sind.</translation>
    </message>
    <message>
        <source>All or part of the path %1 is not valid.</source>
        <translation>Der Pfad %1 ist ganz oder teilweise ungültig.</translation>
    </message>
    <message>
        <source>Too many files are open to open %1.</source>
        <translation>Es sind zu viele Dateien geöffnet, um %1 zu öffnen.</translation>
    </message>
    <message>
        <source>Access to %1 was denied.</source>
        <translation>Der Zugriff auf %1 wurde verweigert.</translation>
    </message>
    <message>
        <source>An invalid file handle was used with %1.</source>
        <translation>Mit %1 wurde ein ungültiges Datei-Handle verwendet.</translation>
    </message>
    <message>
        <source>%1 could not be removed because it is the current directory.</source>
        <translation>%1 konnte nicht entfernt werden, weil es das aktuelle Verzeichnis ist.</translation>
    </message>
    <message>
        <source>%1 could not be created because the directory is full.</source>
        <translation>%1 konnte nicht erstellt werden, weil das Verzeichnis voll ist.</translation>
    </message>
    <message>
        <source>Seek failed on %1.</source>
        <translation>Die Suche in %1 ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>A hardware I/O error was reported while accessing %1.</source>
        <translation>Beim Zugriff auf %1 wurde ein Hardware-E/A-Fehler gemeldet.</translation>
    </message>
    <message>
        <source>Encountered a sharing violation while accessing %1.</source>
        <translation>Beim Zugriff auf %1 ist eine Freigabeverletzung aufgetreten.</translation>
    </message>
    <message>
        <source>Encountered a locking violation while accessing %1.</source>
        <translation>Beim Zugriff auf %1 ist eine Sperrverletzung aufgetreten.</translation>
    </message>
    <message>
        <source>Disk full while accessing %1.</source>
        <translation>Der Datenträger ist voll beim Zugriff auf %1.</translation>
    </message>
    <message>
        <source>Attempted to access %1 past its end.</source>
        <translation>Es wurde versucht, über das Ende von %1 hinaus zuzugreifen.</translation>
    </message>
    <message>
        <source>%1
This file is not a valid playlist: %2</source>
        <translation>%1
Diese Datei ist keine gültige Playliste: %2</translation>
    </message>
</context>
<context>
    <name>CMidiTrack</name>
    <message>
        <source>AWE32 SoundBank &apos;%1&apos;

%2</source>
        <translation>AWE32-SoundBank „%1“

%2</translation>
    </message>
    <message>
        <source>Clear SoundBank:

%1</source>
        <translation>SoundBank leeren:

%1</translation>
    </message>
</context>
<context>
    <name>CMixerException</name>
    <message>
        <source>Multimedia Exception: %1</source>
        <translation>Multimedia-Ausnahme: %1</translation>
    </message>
    <message>
        <source>The uMxId parameter specifies an invalid device identifier.</source>
        <translation>Der Parameter uMxId gibt eine ungültige Gerätekennung an.</translation>
    </message>
    <message>
        <source>The specified resource is already allocated by the maximum number of clients possible.</source>
        <translation>Die angegebene Ressource ist bereits von der größtmöglichen Zahl von Clients belegt.</translation>
    </message>
    <message>
        <source>The uMxId parameter specifies an invalid handle.</source>
        <translation>Der Parameter uMxId gibt ein ungültiges Handle an.</translation>
    </message>
    <message>
        <source>No mixer device is available for the object specified by uMxId.</source>
        <translation>Für das durch uMxId angegebene Objekt ist kein Mixer-Gerät verfügbar.</translation>
    </message>
    <message>
        <source>Unable to allocate resources.</source>
        <translation>Ressourcen können nicht belegt werden.</translation>
    </message>
    <message>
        <source>One or more flags are invalid.</source>
        <translation>Ein oder mehrere Flags sind ungültig.</translation>
    </message>
    <message>
        <source>One or more parameters are invalid.</source>
        <translation>Ein oder mehrere Parameter sind ungültig.</translation>
    </message>
    <message>
        <source>Unknown Error Code</source>
        <translation>Unbekannter Fehlercode</translation>
    </message>
    <message>
        <source>Mixer Error: %1</source>
        <translation>Mixer-Fehler: %1</translation>
    </message>
</context>
<context>
    <name>CModException</name>
    <message>
        <source>MOD Player initializiation error</source>
        <translation>Fehler beim Initialisieren des MOD-Players</translation>
    </message>
    <message>
        <source>The specified MOD file does not exist.</source>
        <translation>Die angegebene MOD-Datei existiert nicht.</translation>
    </message>
    <message>
        <source>The required DLL &apos;npmod32.dll&apos; was not found.</source>
        <translation>Die benötigte DLL „npmod32.dll“ wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Unknown MOD Error</source>
        <translation>Unbekannter MOD-Fehler</translation>
    </message>
</context>
<context>
    <name>CNoEngineException</name>
    <message>
        <source>There is no player for &apos;%1&apos; on this system.</source>
        <translation>Auf diesem System gibt es keinen Player für „%1“.</translation>
    </message>
</context>
<context>
    <name>CRecorderTrack</name>
    <message>
        <source>No audio input device is available</source>
        <translation>Kein Audio-Eingabegerät verfügbar</translation>
    </message>
</context>
<context>
    <name>CTaviApp</name>
    <message>
        <source>Tavi was ended without saving the playlist. Its entries were kept in %1.

Open them now?</source>
        <translation>Tavi wurde beendet, ohne die Playliste zu speichern. Ihre Einträge wurden in %1 aufbewahrt.

Jetzt öffnen?</translation>
    </message>
    <message>
        <source>%1

This file is neither a media file nor a playlist; Tavi cannot play it.</source>
        <translation>%1

Diese Datei ist weder eine Mediendatei noch eine Wiedergabeliste; Tavi kann sie nicht abspielen.</translation>
    </message>
</context>
<context>
    <name>CTaviDoc</name>
    <message>
        <source>Failed to open document.</source>
        <translation>Das Dokument konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a folder and cannot be written as a playlist.</source>
        <translation>„%1“ ist ein Ordner und kann nicht als Playliste geschrieben werden.</translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation>Das Dokument konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>CWin32Exception</name>
    <message>
        <source>Command failed.</source>
        <translation>Der Befehl ist fehlgeschlagen.</translation>
    </message>
</context>
<context>
    <name>CdServices</name>
    <message>
        <source>No CD Found</source>
        <translation>Keine CD gefunden</translation>
    </message>
</context>
<context>
    <name>CommandEntry</name>
    <message>
        <source>%1: No such file or directory</source>
        <translation>%1: Datei oder Verzeichnis nicht gefunden</translation>
    </message>
    <message>
        <source>%1: no command to run</source>
        <translation>%1: kein Befehl zum Ausführen</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Play folder with Tavi</source>
        <translation>Ordner mit Tavi abspielen</translation>
    </message>
</context>
<context>
    <name>CueSheet</name>
    <message>
        <source>the CUE sheet holds no track that can be played.</source>
        <translation>das CUE-Sheet enthält keinen abspielbaren Titel.</translation>
    </message>
</context>
<context>
    <name>DisplayName</name>
    <message>
        <source> sec.</source>
        <translation> Sek.</translation>
    </message>
</context>
<context>
    <name>DocumentFiles</name>
    <message>
        <source>Tavi Playlist (*.alb)|*.alb|M3U Playlist (*.m3u)|*.m3u|Windows Media Player Playlist (*.wpl)|*.wpl|PLS Playlist (*.pls)|*.pls|Lumeno Mini Playlist (*.mpl)|*.mpl|Lumeno Rotation (*.rotation)|*.rotation|All Files (*.*)|*||</source>
        <translation>Tavi-Playliste (*.alb)|*.alb|M3U-Playliste (*.m3u)|*.m3u|Windows-Media-Player-Playliste (*.wpl)|*.wpl|PLS-Playliste (*.pls)|*.pls|Lumeno-Mini-Playliste (*.mpl)|*.mpl|Lumeno-Rotation (*.rotation)|*.rotation|Alle Dateien (*.*)|*||</translation>
    </message>
    <message>
        <source>%1
Cannot find this file.
Verify that the correct path and file name are given.</source>
        <translation>%1
Diese Datei wurde nicht gefunden.
Prüfen Sie, ob Pfad und Dateiname richtig angegeben sind.</translation>
    </message>
    <message>
        <source>Unable to read from %1, it is opened by someone else.</source>
        <translation>%1 kann nicht gelesen werden, es ist von jemand anderem geöffnet.</translation>
    </message>
    <message>
        <source>Failed to open document.</source>
        <translation>Das Dokument konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation>Das Dokument konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>LengthMeasure</name>
    <message>
        <source>The file did not open within %1 seconds.</source>
        <translation>Die Datei wurde nicht innerhalb von %1 Sekunden geöffnet.</translation>
    </message>
</context>
<context>
    <name>MciErrors</name>
    <message>
        <source>The device identifier is not valid.</source>
        <translation>Die Gerätekennung ist ungültig.</translation>
    </message>
    <message>
        <source>The device does not understand this command keyword.</source>
        <translation>Das Gerät versteht dieses Befehlswort nicht.</translation>
    </message>
    <message>
        <source>The device does not understand this command.</source>
        <translation>Das Gerät versteht diesen Befehl nicht.</translation>
    </message>
    <message>
        <source>The device reported a hardware error.</source>
        <translation>Das Gerät hat einen Hardwarefehler gemeldet.</translation>
    </message>
    <message>
        <source>The device name is not valid.</source>
        <translation>Der Gerätename ist ungültig.</translation>
    </message>
    <message>
        <source>There is not enough memory for this operation.</source>
        <translation>Für diesen Vorgang ist nicht genügend Speicher vorhanden.</translation>
    </message>
    <message>
        <source>The device is already open by this program.</source>
        <translation>Das Gerät ist von diesem Programm bereits geöffnet.</translation>
    </message>
    <message>
        <source>The device driver could not be loaded.</source>
        <translation>Der Gerätetreiber konnte nicht geladen werden.</translation>
    </message>
    <message>
        <source>A parameter the command needs is missing.</source>
        <translation>Ein Parameter, den der Befehl braucht, fehlt.</translation>
    </message>
    <message>
        <source>The device does not support this function.</source>
        <translation>Das Gerät unterstützt diese Funktion nicht.</translation>
    </message>
    <message>
        <source>The file could not be found.</source>
        <translation>Die Datei wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The device is not ready.</source>
        <translation>Das Gerät ist nicht bereit.</translation>
    </message>
    <message>
        <source>An internal error occurred in the device layer.</source>
        <translation>In der Geräteschicht ist ein interner Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>The device driver reported an error.</source>
        <translation>Der Gerätetreiber hat einen Fehler gemeldet.</translation>
    </message>
    <message>
        <source>No device is registered for this file extension.</source>
        <translation>Für diese Dateierweiterung ist kein Gerät registriert.</translation>
    </message>
    <message>
        <source>The position is outside the medium.</source>
        <translation>Die Position liegt außerhalb des Mediums.</translation>
    </message>
    <message>
        <source>The device is in use by another program.</source>
        <translation>Das Gerät wird von einem anderen Programm verwendet.</translation>
    </message>
    <message>
        <source>Another open device already uses this alias.</source>
        <translation>Ein anderes geöffnetes Gerät verwendet diesen Alias bereits.</translation>
    </message>
    <message>
        <source>No device name was given.</source>
        <translation>Es wurde kein Gerätename angegeben.</translation>
    </message>
    <message>
        <source>The time format is not valid.</source>
        <translation>Das Zeitformat ist ungültig.</translation>
    </message>
    <message>
        <source>The file is damaged or not of a known kind.</source>
        <translation>Die Datei ist beschädigt oder von unbekannter Art.</translation>
    </message>
    <message>
        <source>The command was sent without its parameters.</source>
        <translation>Der Befehl wurde ohne seine Parameter gesendet.</translation>
    </message>
    <message>
        <source>A file name is required.</source>
        <translation>Ein Dateiname ist erforderlich.</translation>
    </message>
    <message>
        <source>The device type registered for this file is not installed.</source>
        <translation>Der für diese Datei registrierte Gerätetyp ist nicht installiert.</translation>
    </message>
    <message>
        <source>The device name is too long.</source>
        <translation>Der Gerätename ist zu lang.</translation>
    </message>
    <message>
        <source>The medium cannot be read: no disc is in the drive.</source>
        <translation>Das Medium kann nicht gelesen werden: Es liegt keine Disc im Laufwerk.</translation>
    </message>
    <message>
        <source>The file counts its time in SMPTE frames, which the sequencer cannot play.</source>
        <translation>Die Datei zählt ihre Zeit in SMPTE-Frames, die der Sequencer nicht abspielen kann.</translation>
    </message>
    <message>
        <source>No General MIDI SoundFont was found. Name one in the &quot;MidiSoundFont&quot; setting or install /usr/share/sounds/sf2/TimGM6mb.sf2 (package timgm6mb-soundfont).</source>
        <translation>Es wurde kein General-MIDI-SoundFont gefunden. Geben Sie einen in der Einstellung „MidiSoundFont“ an oder installieren Sie /usr/share/sounds/sf2/TimGM6mb.sf2 (Paket timgm6mb-soundfont).</translation>
    </message>
    <message>
        <source>The media device was unable to open the file.</source>
        <translation>Das Mediengerät konnte die Datei nicht öffnen.</translation>
    </message>
    <message>
        <source>The file could not be read.</source>
        <translation>Die Datei konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>Die Datei konnte nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>MediaPipeline</name>
    <message>
        <source>The GStreamer element &apos;%1&apos; is not installed.</source>
        <translation>Das GStreamer-Element „%1“ ist nicht installiert.</translation>
    </message>
    <message>
        <source>Unknown GStreamer error</source>
        <translation>Unbekannter GStreamer-Fehler</translation>
    </message>
    <message>
        <source>The pipeline refused the state change.</source>
        <translation>Die Pipeline hat den Zustandswechsel abgelehnt.</translation>
    </message>
    <message>
        <source>The decoding chain could not be linked.</source>
        <translation>Die Dekodierkette konnte nicht verbunden werden.</translation>
    </message>
    <message>
        <source>The file could not be prepared for playing.</source>
        <translation>Die Datei konnte nicht für die Wiedergabe vorbereitet werden.</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>Default Language</source>
        <translation>Standardsprache</translation>
    </message>
    <message>
        <source>Select a display language</source>
        <comment>43000</comment>
        <translation>Eine Anzeigesprache auswählen</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <comment>57600</comment>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>Create a new playlist</source>
        <comment>57600</comment>
        <translation>Eine neue Playliste anlegen</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <comment>57601</comment>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open an existing playlist or media file</source>
        <comment>57601</comment>
        <translation>Eine vorhandene Playliste oder Mediendatei öffnen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <comment>57603</comment>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save the playlist</source>
        <comment>57603</comment>
        <translation>Die Playliste speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <comment>57604</comment>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save the playlist with a new name</source>
        <comment>57604</comment>
        <translation>Die Playliste unter einem neuen Namen speichern</translation>
    </message>
    <message>
        <source>Sen&amp;d...</source>
        <comment>32809</comment>
        <translation>Sen&amp;den...</translation>
    </message>
    <message>
        <source>Send the playlist through electronic mail</source>
        <comment>32809</comment>
        <translation>Die Playliste per E-Mail senden</translation>
    </message>
    <message>
        <source>Recent Files</source>
        <comment>57616</comment>
        <translation>Zuletzt geöffnete Dateien</translation>
    </message>
    <message>
        <source>Open this playlist</source>
        <comment>57616</comment>
        <translation>Diese Playliste öffnen</translation>
    </message>
    <message>
        <source>Re&amp;name</source>
        <comment>44000</comment>
        <translation>Umben&amp;ennen</translation>
    </message>
    <message>
        <source>Rename the selected entry</source>
        <comment>44000</comment>
        <translation>Den ausgewählten Eintrag umbenennen</translation>
    </message>
    <message>
        <source>&amp;Delete File</source>
        <comment>32783</comment>
        <translation>Datei &amp;löschen</translation>
    </message>
    <message>
        <source>Move the selected entry&apos;s file to the trash</source>
        <comment>32783</comment>
        <translation>Die Datei des ausgewählten Eintrags in den Papierkorb verschieben</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <comment>57665</comment>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit Tavi</source>
        <comment>57665</comment>
        <translation>Tavi beenden</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <comment>57643</comment>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Undo the last change of the playlist</source>
        <comment>57643</comment>
        <translation>Die letzte Änderung der Playliste rückgängig machen</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <comment>57644</comment>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Redo the change undone last</source>
        <comment>57644</comment>
        <translation>Die zuletzt rückgängig gemachte Änderung wiederherstellen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <comment>57635</comment>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>Cut the selected entry to the clipboard</source>
        <comment>57635</comment>
        <translation>Den ausgewählten Eintrag ausschneiden und in die Zwischenablage legen</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <comment>57634</comment>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy the selected entry to the clipboard</source>
        <comment>57634</comment>
        <translation>Den ausgewählten Eintrag in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <comment>57637</comment>
        <translation>E&amp;infügen</translation>
    </message>
    <message>
        <source>Insert the clipboard&apos;s files</source>
        <comment>57637</comment>
        <translation>Die Dateien der Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <comment>57632</comment>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Remove the selected entry from the playlist</source>
        <comment>57632</comment>
        <translation>Den ausgewählten Eintrag aus der Playliste entfernen</translation>
    </message>
    <message>
        <source>Clear &amp;All</source>
        <comment>57633</comment>
        <translation>Alle en&amp;tfernen</translation>
    </message>
    <message>
        <source>Remove every entry from the playlist</source>
        <comment>57633</comment>
        <translation>Alle Einträge aus der Playliste entfernen</translation>
    </message>
    <message>
        <source>&amp;Main Toolbar</source>
        <comment>59392</comment>
        <translation>&amp;Hauptsymbolleiste</translation>
    </message>
    <message>
        <source>Show or hide the main tool bar</source>
        <comment>59392</comment>
        <translation>Die Hauptsymbolleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>&amp;Explorer Bar</source>
        <comment>59400</comment>
        <translation>&amp;Explorerleiste</translation>
    </message>
    <message>
        <source>Show or hide the explorer bar</source>
        <comment>59400</comment>
        <translation>Die Explorerleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>&amp;Output Window</source>
        <comment>59399</comment>
        <translation>&amp;Ausgabefenster</translation>
    </message>
    <message>
        <source>Show or hide the output window</source>
        <comment>59399</comment>
        <translation>Das Ausgabefenster ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Media &amp;Control Bar</source>
        <comment>59396</comment>
        <translation>&amp;Mediensteuerleiste</translation>
    </message>
    <message>
        <source>Show or hide the media control bar</source>
        <comment>59396</comment>
        <translation>Die Mediensteuerleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <comment>59393</comment>
        <translation>&amp;Statusleiste</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <comment>59393</comment>
        <translation>Die Statusleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>&amp;Toolbars</source>
        <translation>Sy&amp;mbolleisten</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <comment>43000</comment>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>Choose the language of the user interface</source>
        <comment>43000</comment>
        <translation>Die Sprache der Benutzeroberfläche wählen</translation>
    </message>
    <message>
        <source>A&amp;nimated Icon</source>
        <comment>32859</comment>
        <translation>A&amp;nimiertes Symbol</translation>
    </message>
    <message>
        <source>Animate the tray icon while playing</source>
        <comment>32859</comment>
        <translation>Das Symbol im Infobereich während der Wiedergabe animieren</translation>
    </message>
    <message>
        <source>Always on &amp;Top</source>
        <comment>43100</comment>
        <translation>Immer im V&amp;ordergrund</translation>
    </message>
    <message>
        <source>Keep the window above all others</source>
        <comment>43100</comment>
        <translation>Das Fenster über allen anderen halten</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <comment>32810</comment>
        <translation>Schrift&amp;art...</translation>
    </message>
    <message>
        <source>Choose the playlist font</source>
        <comment>32810</comment>
        <translation>Die Schriftart der Playliste wählen</translation>
    </message>
    <message>
        <source>Full &amp;Path</source>
        <comment>32795</comment>
        <translation>Vollständiger &amp;Pfad</translation>
    </message>
    <message>
        <source>Show the full paths of the entries</source>
        <comment>32795</comment>
        <translation>Die vollständigen Pfade der Einträge anzeigen</translation>
    </message>
    <message>
        <source>Track &amp;Numbers</source>
        <comment>32818</comment>
        <translation>&amp;Titelnummern</translation>
    </message>
    <message>
        <source>Show track numbers in the playlist</source>
        <comment>32818</comment>
        <translation>Titelnummern in der Playliste anzeigen</translation>
    </message>
    <message>
        <source>F&amp;ull Screen</source>
        <comment>32899</comment>
        <translation>&amp;Vollbild</translation>
    </message>
    <message>
        <source>Switch full-screen mode on or off</source>
        <comment>32899</comment>
        <translation>Den Vollbildmodus ein- oder ausschalten</translation>
    </message>
    <message>
        <source>&amp;Add Tracks...</source>
        <comment>32781</comment>
        <translation>&amp;Titel hinzufügen...</translation>
    </message>
    <message>
        <source>Add files to the playlist</source>
        <comment>32781</comment>
        <translation>Dateien zur Playliste hinzufügen</translation>
    </message>
    <message>
        <source>Add All &amp;CD Tracks</source>
        <comment>32806</comment>
        <translation>Alle &amp;CD-Titel hinzufügen</translation>
    </message>
    <message>
        <source>Add every track of the audio CD</source>
        <comment>32806</comment>
        <translation>Alle Titel der Audio-CD hinzufügen</translation>
    </message>
    <message>
        <source>Add &amp;Pause</source>
        <comment>32805</comment>
        <translation>&amp;Pause hinzufügen</translation>
    </message>
    <message>
        <source>Add a pause entry</source>
        <comment>32805</comment>
        <translation>Einen Pauseneintrag hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <comment>32817</comment>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>Find an entry by its name</source>
        <comment>32817</comment>
        <translation>Einen Eintrag nach seinem Namen suchen</translation>
    </message>
    <message>
        <source>&amp;Sort</source>
        <comment>32858</comment>
        <translation>S&amp;ortieren</translation>
    </message>
    <message>
        <source>Sort the playlist by name</source>
        <comment>32858</comment>
        <translation>Die Playliste nach Namen sortieren</translation>
    </message>
    <message>
        <source>S&amp;huffle</source>
        <comment>32808</comment>
        <translation>&amp;Mischen</translation>
    </message>
    <message>
        <source>Put the entries in random order</source>
        <comment>32808</comment>
        <translation>Die Einträge in zufällige Reihenfolge bringen</translation>
    </message>
    <message>
        <source>&amp;Total Length</source>
        <comment>32792</comment>
        <translation>&amp;Gesamtlänge</translation>
    </message>
    <message>
        <source>Add up the length of every entry</source>
        <comment>32792</comment>
        <translation>Die Längen aller Einträge zusammenzählen</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <comment>32771</comment>
        <translation>&amp;Wiedergabe</translation>
    </message>
    <message>
        <source>Play the selected entry</source>
        <comment>32771</comment>
        <translation>Den ausgewählten Eintrag abspielen</translation>
    </message>
    <message>
        <source>&amp;Loop Track</source>
        <comment>194</comment>
        <translation>Titel wieder&amp;holen</translation>
    </message>
    <message>
        <source>Play the current track again and again</source>
        <comment>194</comment>
        <translation>Den aktuellen Titel immer wieder abspielen</translation>
    </message>
    <message>
        <source>&amp;Intro Scan</source>
        <comment>32779</comment>
        <translation>&amp;Anspielen</translation>
    </message>
    <message>
        <source>Play the beginning of each track</source>
        <comment>32779</comment>
        <translation>Den Anfang jedes Titels anspielen</translation>
    </message>
    <message>
        <source>&amp;Random Play</source>
        <comment>32782</comment>
        <translation>&amp;Zufallswiedergabe</translation>
    </message>
    <message>
        <source>Play the entries in random order</source>
        <comment>32782</comment>
        <translation>Die Einträge in zufälliger Reihenfolge abspielen</translation>
    </message>
    <message>
        <source>Repeat Play&amp;list</source>
        <comment>32862</comment>
        <translation>Play&amp;liste wiederholen</translation>
    </message>
    <message>
        <source>Start again after the last entry</source>
        <comment>32862</comment>
        <translation>Nach dem letzten Eintrag von vorn beginnen</translation>
    </message>
    <message>
        <source>Auto &amp;Shuffle</source>
        <comment>32878</comment>
        <translation>Automatisch &amp;mischen</translation>
    </message>
    <message>
        <source>Shuffle the playlist before each round</source>
        <comment>32878</comment>
        <translation>Die Playliste vor jeder Runde mischen</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <comment>32815</comment>
        <translation>&amp;Bearbeiten...</translation>
    </message>
    <message>
        <source>Edit the programs of this menu</source>
        <comment>32815</comment>
        <translation>Die Programme dieses Menüs bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Mixer...</source>
        <comment>32784</comment>
        <translation>&amp;Mixer...</translation>
    </message>
    <message>
        <source>Start the Mixer</source>
        <comment>32784</comment>
        <translation>Den Mixer starten</translation>
    </message>
    <message>
        <source>CD Op&amp;en</source>
        <comment>32798</comment>
        <translation>CD ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Open the CD drive&apos;s door</source>
        <comment>32798</comment>
        <translation>Die Lade des CD-Laufwerks öffnen</translation>
    </message>
    <message>
        <source>CD &amp;Close</source>
        <comment>32802</comment>
        <translation>CD &amp;schließen</translation>
    </message>
    <message>
        <source>Close the CD drive&apos;s door</source>
        <comment>32802</comment>
        <translation>Die Lade des CD-Laufwerks schließen</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <comment>32780</comment>
        <translation>&amp;Optionen...</translation>
    </message>
    <message>
        <source>Change the options</source>
        <comment>32780</comment>
        <translation>Die Optionen ändern</translation>
    </message>
    <message>
        <source>&amp;Help Contents</source>
        <comment>32875</comment>
        <translation>&amp;Hilfethemen</translation>
    </message>
    <message>
        <source>Open the manual</source>
        <comment>32875</comment>
        <translation>Das Handbuch öffnen</translation>
    </message>
    <message>
        <source>&amp;About Tavi...</source>
        <comment>57664</comment>
        <translation>&amp;Info über Tavi...</translation>
    </message>
    <message>
        <source>Show the program&apos;s version and credits</source>
        <comment>57664</comment>
        <translation>Version und Danksagung des Programms anzeigen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Playlist</source>
        <translation>&amp;Playliste</translation>
    </message>
    <message>
        <source>&amp;Media</source>
        <translation>&amp;Medien</translation>
    </message>
    <message>
        <source>P&amp;rograms</source>
        <translation>P&amp;rogramme</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <comment>32781</comment>
        <translation>&amp;Hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <comment>57632</comment>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Explorer</source>
        <comment>55296</comment>
        <translation>&amp;Explorer</translation>
    </message>
    <message>
        <source>What the desktop can do with the entry&apos;s file</source>
        <comment>55296</comment>
        <translation>Was der Desktop mit der Datei des Eintrags tun kann</translation>
    </message>
    <message>
        <source>P&amp;roperties</source>
        <comment>32891</comment>
        <translation>E&amp;igenschaften</translation>
    </message>
    <message>
        <source>Show the entry&apos;s file information</source>
        <comment>32891</comment>
        <translation>Die Dateiinformationen des Eintrags anzeigen</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <comment>32812</comment>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Show the main window</source>
        <comment>32812</comment>
        <translation>Das Hauptfenster anzeigen</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <comment>32773</comment>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>Pause or resume playing</source>
        <comment>32773</comment>
        <translation>Die Wiedergabe anhalten oder fortsetzen</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <comment>32860</comment>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>Stop playing</source>
        <comment>32860</comment>
        <translation>Die Wiedergabe beenden</translation>
    </message>
    <message>
        <source>&amp;Next Track</source>
        <comment>32776</comment>
        <translation>&amp;Nächster Titel</translation>
    </message>
    <message>
        <source>Play the next entry</source>
        <comment>32776</comment>
        <translation>Den nächsten Eintrag abspielen</translation>
    </message>
    <message>
        <source>S&amp;tart</source>
        <comment>32771</comment>
        <translation>S&amp;tarten</translation>
    </message>
    <message>
        <source>&amp;Hide When Minimized</source>
        <comment>32895</comment>
        <translation>Beim Minimieren &amp;ausblenden</translation>
    </message>
    <message>
        <source>Only the tray icon remains when minimised</source>
        <comment>32895</comment>
        <translation>Beim Minimieren bleibt nur das Symbol im Infobereich</translation>
    </message>
    <message>
        <source>Stop</source>
        <comment>32772</comment>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Stop playing at once</source>
        <comment>32772</comment>
        <translation>Die Wiedergabe sofort beenden</translation>
    </message>
    <message>
        <source>Pause</source>
        <comment>32773</comment>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <comment>32879</comment>
        <translation>Wiedergabe/Pause</translation>
    </message>
    <message>
        <source>Play, or pause and resume</source>
        <comment>32879</comment>
        <translation>Abspielen oder anhalten und fortsetzen</translation>
    </message>
    <message>
        <source>Next Track</source>
        <comment>32776</comment>
        <translation>Nächster Titel</translation>
    </message>
    <message>
        <source>Previous Track</source>
        <comment>32777</comment>
        <translation>Voriger Titel</translation>
    </message>
    <message>
        <source>Play the previous entry</source>
        <comment>32777</comment>
        <translation>Den vorigen Eintrag abspielen</translation>
    </message>
    <message>
        <source>Fast Forward</source>
        <comment>32774</comment>
        <translation>Vorspulen</translation>
    </message>
    <message>
        <source>Skip forward in the track</source>
        <comment>32774</comment>
        <translation>Im Titel vorspringen</translation>
    </message>
    <message>
        <source>Rewind</source>
        <comment>32775</comment>
        <translation>Zurückspulen</translation>
    </message>
    <message>
        <source>Skip back in the track</source>
        <comment>32775</comment>
        <translation>Im Titel zurückspringen</translation>
    </message>
    <message>
        <source>Setup Device</source>
        <comment>32816</comment>
        <translation>Gerät einrichten</translation>
    </message>
    <message>
        <source>Set up the playing device</source>
        <comment>32816</comment>
        <translation>Das Wiedergabegerät einrichten</translation>
    </message>
    <message>
        <source>Move Up</source>
        <comment>32786</comment>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move the selected entry up</source>
        <comment>32786</comment>
        <translation>Den ausgewählten Eintrag nach oben verschieben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <comment>32787</comment>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Move the selected entry down</source>
        <comment>32787</comment>
        <translation>Den ausgewählten Eintrag nach unten verschieben</translation>
    </message>
    <message>
        <source>Next Pane</source>
        <comment>57680</comment>
        <translation>Nächster Bereich</translation>
    </message>
    <message>
        <source>Move to the next pane</source>
        <comment>57680</comment>
        <translation>Zum nächsten Bereich wechseln</translation>
    </message>
    <message>
        <source>Previous Pane</source>
        <comment>57681</comment>
        <translation>Voriger Bereich</translation>
    </message>
    <message>
        <source>Move to the previous pane</source>
        <comment>57681</comment>
        <translation>Zum vorigen Bereich wechseln</translation>
    </message>
    <message>
        <source>Additional &amp;Information</source>
        <comment>32877</comment>
        <translation>Weitere &amp;Informationen</translation>
    </message>
    <message>
        <source>Displays additional information about a track</source>
        <comment>32877</comment>
        <translation>Zeigt weitere Informationen zu einem Titel an</translation>
    </message>
</context>
<context>
    <name>Menu2229</name>
    <message>
        <source>File &amp;Name</source>
        <comment>2230</comment>
        <translation>Datei&amp;name</translation>
    </message>
    <message>
        <source>File &amp;Extension</source>
        <comment>2231</comment>
        <translation>Datei&amp;erweiterung</translation>
    </message>
    <message>
        <source>File &amp;Path</source>
        <comment>2232</comment>
        <translation>Datei&amp;pfad</translation>
    </message>
    <message>
        <source>File &amp;Folder</source>
        <comment>2233</comment>
        <translation>&amp;Ordner der Datei</translation>
    </message>
    <message>
        <source>File &amp;Drive</source>
        <comment>2234</comment>
        <translation>&amp;Laufwerk der Datei</translation>
    </message>
</context>
<context>
    <name>MiniPlaylist</name>
    <message>
        <source>it plays itself.</source>
        <translation>sie spielt sich selbst ab.</translation>
    </message>
</context>
<context>
    <name>ModPanel</name>
    <message>
        <source>No module loaded</source>
        <translation>Kein Modul geladen</translation>
    </message>
    <message>
        <source>(untitled module)</source>
        <translation>(Modul ohne Titel)</translation>
    </message>
    <message>
        <source>%1 channels</source>
        <translation>%1 Kanäle</translation>
    </message>
</context>
<context>
    <name>OptionsPage</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Meta Data</source>
        <translation>Metadaten</translation>
    </message>
    <message>
        <source>Music Folder</source>
        <translation>Musikordner</translation>
    </message>
    <message>
        <source>Intro</source>
        <translation>Anspielen</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>MIDI</source>
        <translation>MIDI</translation>
    </message>
    <message>
        <source>DirectX Plug-ins</source>
        <translation>DirectX-Plug-ins</translation>
    </message>
    <message>
        <source>Add-ins</source>
        <translation>Add-ins</translation>
    </message>
    <message>
        <source>Mixer</source>
        <translation>Mixer</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Priorität</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Wiedergabe</translation>
    </message>
</context>
<context>
    <name>QDialog</name>
    <message>
        <source>&lt;h2&gt;Tavi %1&lt;/h2&gt;&lt;p&gt;A multimedia player for the desktop: build a playlist of music, video and pauses and play it.&lt;/p&gt;&lt;p&gt;Copyright &amp;copy; Kestrova&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Tavi %1&lt;/h2&gt;&lt;p&gt;Ein Multimedia-Player für den Desktop: Stellen Sie eine Playliste aus Musik, Videos und Pausen zusammen und spielen Sie sie ab.&lt;/p&gt;&lt;p&gt;Copyright &amp;copy; Kestrova&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Tavi is built on:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Qt %1&lt;/li&gt;&lt;li&gt;GStreamer %2&lt;/li&gt;&lt;li&gt;TagLib %3.%4&lt;/li&gt;&lt;li&gt;ALSA&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;p&gt;Tavi baut auf:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Qt %1&lt;/li&gt;&lt;li&gt;GStreamer %2&lt;/li&gt;&lt;li&gt;TagLib %3.%4&lt;/li&gt;&lt;li&gt;ALSA&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
    <message>
        <source>read</source>
        <translation>lesen</translation>
    </message>
    <message>
        <source>write</source>
        <translation>schreiben</translation>
    </message>
    <message>
        <source>execute</source>
        <translation>ausführen</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Titel:</translation>
    </message>
    <message>
        <source>Artist:</source>
        <translation>Interpret:</translation>
    </message>
    <message>
        <source>Album:</source>
        <translation>Album:</translation>
    </message>
    <message>
        <source>Track:</source>
        <translation>Titelnummer:</translation>
    </message>
    <message>
        <source>Year:</source>
        <translation>Jahr:</translation>
    </message>
    <message>
        <source>Genre:</source>
        <translation>Genre:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Länge:</translation>
    </message>
</context>
<context>
    <name>QMenu</name>
    <message>
        <source>&amp;Open with Default Application</source>
        <translation>Mit Standardanwendung ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Show in Folder</source>
        <translation>Im &amp;Ordner anzeigen</translation>
    </message>
    <message>
        <source>&amp;Copy Path</source>
        <translation>Pfad &amp;kopieren</translation>
    </message>
    <message>
        <source>Move to &amp;Trash</source>
        <translation>In den &amp;Papierkorb verschieben</translation>
    </message>
    <message>
        <source>Could not move %1 to the trash: %2</source>
        <translation>%1 konnte nicht in den Papierkorb verschoben werden: %2</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Cannot open the manual %1.</source>
        <translation>Das Handbuch %1 kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schriftart</translation>
    </message>
    <message>
        <source>Cannot start the mixer %1.</source>
        <translation>Der Mixer %1 kann nicht gestartet werden.</translation>
    </message>
</context>
<context>
    <name>ScriptHost</name>
    <message>
        <source>The script raised an error that is not a text</source>
        <translation>Das Skript hat einen Fehler ausgelöst, der kein Text ist</translation>
    </message>
    <message>
        <source>The script ran longer than %1 s and was stopped.</source>
        <translation>Das Skript lief länger als %1 s und wurde angehalten.</translation>
    </message>
    <message>
        <source>Script Error</source>
        <translation>Skriptfehler</translation>
    </message>
</context>
<context>
    <name>SoundFont</name>
    <message>
        <source>Choose SoundFont</source>
        <translation>SoundFont auswählen</translation>
    </message>
    <message>
        <source>SoundFont Bank (*.sbk *.sf2)</source>
        <translation>SoundFont-Bank (*.sbk *.sf2)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>TaviExt</name>
    <message>
        <source>TaviExt</source>
        <comment>100</comment>
        <translation>TaviExt</translation>
    </message>
    <message>
        <source>Play with Tavi</source>
        <comment>101</comment>
        <translation>Mit Tavi abspielen</translation>
    </message>
    <message>
        <source>Opens the selected files with Tavi media player</source>
        <comment>102</comment>
        <translation>Öffnet die ausgwählten Dateien mit Tavi</translation>
    </message>
    <message>
        <source>Failed to launch Tavi</source>
        <comment>103</comment>
        <translation>Tavi konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>Add to Tavi Playlist</source>
        <comment>105</comment>
        <translation>Zur Tavi-Playliste hinzufügen</translation>
    </message>
    <message>
        <source>Adds the selected files to the Tavi playlist</source>
        <comment>106</comment>
        <translation>Fügt die ausgewählten Dateien zur Tavi-Playliste hinzu</translation>
    </message>
</context>
<context>
    <name>WaveOutput</name>
    <message>
        <source>The sound device could not be opened: %1</source>
        <translation>Das Audiogerät konnte nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>The output file %1 could not be written.</source>
        <translation>Die Ausgabedatei %1 konnte nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>tavi::app::SettingsFolderWatch</name>
    <message>
        <source>Tavi cannot save its settings in %1: %2.
Settings changed now are kept only until Tavi ends.</source>
        <translation>Tavi kann seine Einstellungen nicht in %1 speichern: %2.
Jetzt geänderte Einstellungen gelten nur, bis Tavi beendet wird.</translation>
    </message>
</context>
<context>
    <name>tavi::automation::CConsoleBar</name>
    <message>
        <source>Output</source>
        <comment>59399</comment>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>%1 started.
</source>
        <translation>%1 gestartet.
</translation>
    </message>
    <message>
        <source>finished.
</source>
        <translation>beendet.
</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
</context>
<context>
    <name>tavi::automation::tools::CToolDlg</name>
    <message>
        <source>hidden</source>
        <translation>versteckt</translation>
    </message>
    <message>
        <source>normal</source>
        <translation>normal</translation>
    </message>
    <message>
        <source>minimized</source>
        <translation>minimiert</translation>
    </message>
    <message>
        <source>maximized</source>
        <translation>maximiert</translation>
    </message>
    <message>
        <source>inactive</source>
        <translation>inaktiv</translation>
    </message>
    <message>
        <source>active</source>
        <translation>aktiv</translation>
    </message>
    <message>
        <source>minimize</source>
        <translation>minimieren</translation>
    </message>
    <message>
        <source>minimized, inactive</source>
        <translation>minimiert, inaktiv</translation>
    </message>
    <message>
        <source>show, inactive</source>
        <translation>anzeigen, inaktiv</translation>
    </message>
    <message>
        <source>restore</source>
        <translation>wiederherstellen</translation>
    </message>
    <message>
        <source>Use &amp;output window</source>
        <translation>&amp;Ausgabefenster verwenden</translation>
    </message>
    <message>
        <source>Tool Properties</source>
        <translation>Programmeigenschaften</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>&amp;Description</source>
        <translation>B&amp;eschreibung</translation>
    </message>
    <message>
        <source>&amp;Command</source>
        <translation>&amp;Befehl</translation>
    </message>
    <message>
        <source>&amp;Parameters</source>
        <translation>&amp;Parameter</translation>
    </message>
    <message>
        <source>&amp;Start in folder</source>
        <translation>&amp;Ausführen in</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Hotkey</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Symbol</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>Programs (*.sh *.py *.pl *.desktop *.exe *.bat *.cmd);;All Files (*)</source>
        <translation>Programme (*.sh *.py *.pl *.desktop *.exe *.bat *.cmd);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Start in folder</source>
        <translation>Ausführen in</translation>
    </message>
    <message>
        <source>Icons (*.png *.svg *.xpm *.ico);;All Files (*)</source>
        <translation>Symbole (*.png *.svg *.xpm *.ico);;Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>tavi::automation::tools::CToolEditDlg</name>
    <message>
        <source>Edit Programs</source>
        <translation>Programme bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Programs or folders</source>
        <translation>&amp;Programme oder Ordner</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Neu...</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>&amp;Bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation>&amp;Ausführen</translation>
    </message>
</context>
<context>
    <name>tavi::frame::AboutDialog</name>
    <message>
        <source>About Tavi</source>
        <translation>Info über Tavi</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Author&lt;/h3&gt;&lt;p&gt;Tavi is written and looked after by the Kestrova developers.&lt;/p&gt;&lt;p&gt;Write to us through the project&apos;s issue tracker.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Autor&lt;/h3&gt;&lt;p&gt;Tavi wird von den Kestrova-Entwicklern geschrieben und gepflegt.&lt;/p&gt;&lt;p&gt;Schreiben Sie uns über den Fehler-Tracker des Projekts.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Credits&lt;/h3&gt;&lt;p&gt;Thanks to everyone who tested Tavi, reported faults and sent playlists that broke it.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Danksagung&lt;/h3&gt;&lt;p&gt;Dank an alle, die Tavi getestet, Fehler gemeldet und Playlisten geschickt haben, an denen es scheiterte.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Credits</source>
        <translation>Danksagung</translation>
    </message>
    <message>
        <source>Libraries</source>
        <translation>Bibliotheken</translation>
    </message>
</context>
<context>
    <name>tavi::frame::CMainFrame</name>
    <message>
        <source>(empty)</source>
        <translation>(leer)</translation>
    </message>
</context>
<context>
    <name>tavi::frame::CMasterVolumeSlider</name>
    <message>
        <source>Show the current master volume</source>
        <comment>3202</comment>
        <translation>Die aktuelle Gesamtlautstärke anzeigen</translation>
    </message>
    <message>
        <source>Can&apos;t change the master volume.</source>
        <comment>1040</comment>
        <translation>Die Gesamtlautstärke kann nicht geändert werden.</translation>
    </message>
</context>
<context>
    <name>tavi::frame::CPositionSlider</name>
    <message>
        <source>Show the relative track position</source>
        <comment>3201</comment>
        <translation>Die relative Position im Titel anzeigen</translation>
    </message>
</context>
<context>
    <name>tavi::frame::FilePropertiesDialog</name>
    <message>
        <source>%1 Properties</source>
        <translation>Eigenschaften von %1</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Typ:</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Ort:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>%1 (%2 bytes)</source>
        <translation>%1 (%2 Bytes)</translation>
    </message>
    <message>
        <source>Modified:</source>
        <translation>Geändert:</translation>
    </message>
    <message>
        <source>Accessed:</source>
        <translation>Letzter Zugriff:</translation>
    </message>
    <message>
        <source>Permissions:</source>
        <translation>Berechtigungen:</translation>
    </message>
</context>
<context>
    <name>tavi::frame::FindDialog</name>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>Au&amp;fwärts</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>&amp;Abwärts</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>&amp;Suchen nach:</translation>
    </message>
    <message>
        <source>Cannot find &quot;%1&quot;.</source>
        <translation>„%1“ wurde nicht gefunden.</translation>
    </message>
</context>
<context>
    <name>tavi::frame::FrameBars</name>
    <message>
        <source>Main Toolbar</source>
        <comment>59392</comment>
        <translation>Hauptsymbolleiste</translation>
    </message>
    <message>
        <source>Media Control Bar</source>
        <comment>59396</comment>
        <translation>Mediensteuerleiste</translation>
    </message>
</context>
<context>
    <name>tavi::playlist::CDatabaseDlg</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Edit CD data base</source>
        <translation>CD-Datenbank bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Nr</source>
        <translation>&amp;Nr.</translation>
    </message>
    <message>
        <source>&amp;Artist</source>
        <translation>&amp;Interpret</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>&amp;Titel</translation>
    </message>
</context>
<context>
    <name>tavi::playlist::CPlayListBox</name>
    <message>
        <source>Drop files or folders here, or press Insert to add tracks</source>
        <translation>Dateien oder Ordner hierher ziehen oder Einfg drücken, um Titel hinzuzufügen</translation>
    </message>
</context>
<context>
    <name>tavi::playlist::CTaviView</name>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>File &apos;%1&apos; not found</source>
        <translation>Die Datei „%1“ wurde nicht gefunden</translation>
    </message>
    <message>
        <source>Failed to rename the file
&apos;%1&apos; to
&apos;%2&apos;.
Please check whether your drive is write protected.</source>
        <translation>Die Datei
„%1“ konnte nicht in
„%2“ umbenannt werden.
Bitte prüfen Sie, ob Ihr Laufwerk schreibgeschützt ist.</translation>
    </message>
    <message>
        <source>Add Tracks</source>
        <translation>Titel hinzufügen</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Move &quot;%1&quot; to the trash?
%2</source>
        <translation>„%1“ in den Papierkorb verschieben?
%2</translation>
    </message>
</context>
<context>
    <name>tavi::playlist::EditPauseDialog</name>
    <message>
        <source>Edit Pause</source>
        <translation>Pause bearbeiten</translation>
    </message>
    <message>
        <source>Please enter the pause length in seconds.</source>
        <translation>Bitte geben Sie die Länge der Pause in Sekunden ein.</translation>
    </message>
</context>
<context>
    <name>tavi::playlist::PlaylistPlayer</name>
    <message>
        <source>Calculating total length...</source>
        <translation>Gesamtlänge wird berechnet...</translation>
    </message>
    <message>
        <source>The play list contains %1 songs.
The total length is: %2.</source>
        <translation>Die Playliste enthält %1 Titel.
Die Gesamtlänge beträgt: %2.</translation>
    </message>
</context>
<context>
    <name>tavi::playlist::PlaylistPlayerHost</name>
    <message>
        <source>&quot;%1&quot; cannot be played.</source>
        <translation>„%1“ kann nicht abgespielt werden.</translation>
    </message>
</context>
<context>
    <name>tavi::playlist::RenameFileDialog</name>
    <message>
        <source>Rename File</source>
        <translation>Datei umbenennen</translation>
    </message>
    <message>
        <source>Type a new name for this file</source>
        <translation>Geben Sie einen neuen Namen für diese Datei ein</translation>
    </message>
</context>
<context>
    <name>tavi::ui::CDXFilterPage</name>
    <message>
        <source>&amp;Properties...</source>
        <translation>&amp;Eigenschaften...</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>DirectX Plug-ins</source>
        <translation>DirectX-Plug-ins</translation>
    </message>
    <message>
        <source>Use DirectX Plug-ins to add digital sound effects. New plug-ins become active when you start the next song.</source>
        <translation>Mit DirectX-Plug-ins fügen Sie digitale Klangeffekte hinzu. Neue Plug-ins werden aktiv, wenn Sie den nächsten Titel starten.</translation>
    </message>
    <message>
        <source>&amp;Effects</source>
        <translation>&amp;Effekte</translation>
    </message>
    <message>
        <source>&amp;Output device</source>
        <translation>&amp;Ausgabegerät</translation>
    </message>
</context>
<context>
    <name>tavi::ui::CDXFilterSelectDlg</name>
    <message>
        <source>Add DirectX Plug-in</source>
        <translation>DirectX-Plug-in hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Installed DirectX Plug-ins</source>
        <translation>&amp;Installierte DirectX-Plug-ins</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
</context>
<context>
    <name>tavi::ui::CExplorerBar</name>
    <message>
        <source>Explorer</source>
        <comment>59400</comment>
        <translation>Explorer</translation>
    </message>
</context>
<context>
    <name>tavi::ui::CMacrosPage</name>
    <message>
        <source>Add-ins</source>
        <translation>Add-ins</translation>
    </message>
    <message>
        <source>Add-ins can extend the functions of Tavi or integrate Tavi with 3rd-party systems.</source>
        <translation>Add-ins können die Funktionen von Tavi erweitern oder Tavi in Systeme von Drittanbietern einbinden.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Startup</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Läuft</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation>&amp;Ausführen</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>Reload From &amp;File</source>
        <translation>Aus &amp;Datei neu laden</translation>
    </message>
    <message>
        <source>Run on &amp;Startup</source>
        <translation>Beim &amp;Start ausführen</translation>
    </message>
    <message>
        <source>&amp;Uninstall</source>
        <translation>&amp;Deinstallieren</translation>
    </message>
</context>
<context>
    <name>tavi::ui::CMediaTrackVideoWnd</name>
    <message>
        <source>MediaTrack Video Window</source>
        <translation>MediaTrack-Videofenster</translation>
    </message>
</context>
<context>
    <name>tavi::ui::CMetaDataPage</name>
    <message>
        <source>Configure the display format for media items using meta-information that is stored in the media files.</source>
        <translation>Legen Sie fest, wie Medieneinträge mit den in den Mediendateien gespeicherten Metadaten angezeigt werden.</translation>
    </message>
    <message>
        <source>Use meta-data in MP3 and Windows Media files</source>
        <translation>Metadaten in MP3- und Windows-Media-Dateien verwenden</translation>
    </message>
    <message>
        <source>Use this format to display media items</source>
        <translation>Dieses Format zur Anzeige von Medieneinträgen verwenden</translation>
    </message>
    <message>
        <source>Available macros are:</source>
        <translation>Verfügbare Makros:</translation>
    </message>
    <message>
        <source>Meta Data</source>
        <translation>Metadaten</translation>
    </message>
    <message>
        <source>Enter no more than %1 characters.</source>
        <translation>Geben Sie höchstens %1 Zeichen ein.</translation>
    </message>
</context>
<context>
    <name>tavi::ui::CMidiResetDlg</name>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>&amp;send a MIDI-Reset before playing a Midi file</source>
        <translation>Vor dem Abspielen einer MIDI-Datei einen MIDI-Reset &amp;senden</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Zurücksetzen</translation>
    </message>
    <message>
        <source>MIDI</source>
        <translation>MIDI</translation>
    </message>
    <message>
        <source>Type the name of a MIDI file which contains all necessary initialization commands for your MIDI system</source>
        <translation>Geben Sie den Namen einer MIDI-Datei ein, die alle nötigen Initialisierungsbefehle für Ihr MIDI-System enthält</translation>
    </message>
    <message>
        <source>MIDI Files (*.mid);;All Files (*)</source>
        <translation>MIDI-Dateien (*.mid);;Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>tavi::ui::CMixerDlg</name>
    <message>
        <source>Start the mixer</source>
        <translation>Den Mixer starten</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>Select a program that will be used as the mixer. You can start it with the mixer button.</source>
        <translation>Wählen Sie ein Programm, das als Mixer verwendet wird. Sie können es mit der Mixer-Schaltfläche starten.</translation>
    </message>
    <message>
        <source>Browse for mixer</source>
        <translation>Mixer auswählen</translation>
    </message>
    <message>
        <source>Programs (*)</source>
        <translation>Programme (*)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>tavi::ui::CModControlDlg</name>
    <message>
        <source>MOD Control</source>
        <translation>MOD-Steuerung</translation>
    </message>
</context>
<context>
    <name>tavi::ui::COptionsSheet</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
</context>
<context>
    <name>tavi::ui::CResetWnd</name>
    <message>
        <source>MIDI-Reset</source>
        <translation>MIDI-Reset</translation>
    </message>
    <message>
        <source>The MIDI device is being reset.</source>
        <translation>Das MIDI-Gerät wird zurückgesetzt.</translation>
    </message>
    <message>
        <source>please wait ...</source>
        <translation>bitte warten ...</translation>
    </message>
    <message>
        <source>Superseded</source>
        <translation>Ersetzt</translation>
    </message>
    <message>
        <source>Aborted</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Unknown Notification</source>
        <translation>Unbekannte Benachrichtigung</translation>
    </message>
</context>
<context>
    <name>tavi::ui::GeneralPage</name>
    <message>
        <source>Start &amp;playing automatically</source>
        <translation>Wiedergabe automatisch &amp;starten</translation>
    </message>
    <message>
        <source>&amp;Fade out when stopping</source>
        <translation>Beim Anhalten &amp;ausblenden</translation>
    </message>
    <message>
        <source>&amp;Ignore playback errors</source>
        <translation>Wiedergabefehler &amp;ignorieren</translation>
    </message>
    <message>
        <source>Add &amp;media files only</source>
        <translation>Nur &amp;Mediendateien hinzufügen</translation>
    </message>
    <message>
        <source>Display &amp;length in status bar</source>
        <translation>&amp;Länge in der Statusleiste anzeigen</translation>
    </message>
    <message>
        <source>&amp;Save the playlist on exit without asking</source>
        <translation>Playliste beim Beenden ohne Rückfrage &amp;speichern</translation>
    </message>
</context>
<context>
    <name>tavi::ui::IntroPage</name>
    <message>
        <source>Intro &amp;starts after (seconds):</source>
        <translation>Anspielen &amp;beginnt nach (Sekunden):</translation>
    </message>
    <message>
        <source>Intro &amp;length (seconds):</source>
        <translation>&amp;Dauer des Anspielens (Sekunden):</translation>
    </message>
    <message>
        <source>&amp;Fast forward and rewind skip (seconds):</source>
        <translation>&amp;Vor- und Zurückspulen springt um (Sekunden):</translation>
    </message>
    <message>
        <source>Enter an integer between %1 and %2.</source>
        <translation>Geben Sie eine ganze Zahl zwischen %1 und %2 ein.</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Bitte geben Sie eine ganze Zahl ein.</translation>
    </message>
</context>
<context>
    <name>tavi::ui::MusicFolderPage</name>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>Music Folder</source>
        <translation>Musikordner</translation>
    </message>
    <message>
        <source>The explorer bar shows this folder and what is in it.</source>
        <translation>Die Explorerleiste zeigt diesen Ordner und seinen Inhalt.</translation>
    </message>
</context>
<context>
    <name>tavi::ui::PlaybackPage</name>
    <message>
        <source>Prevent &amp;clipping</source>
        <translation>&amp;Übersteuerung verhindern</translation>
    </message>
    <message>
        <source>Crossfade when a track &amp;ends</source>
        <translation>Überblenden, wenn ein Titel &amp;endet</translation>
    </message>
    <message>
        <source>Crossfade on &amp;Next and Previous</source>
        <translation>Überblenden bei &amp;Weiter und Zurück</translation>
    </message>
    <message>
        <source>Fade on pa&amp;use and resume</source>
        <translation>Bei &amp;Pause und Fortsetzen ein- und ausblenden</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Track gain</source>
        <translation>Titelverstärkung</translation>
    </message>
    <message>
        <source>Album gain</source>
        <translation>Albumverstärkung</translation>
    </message>
    <message>
        <source>ReplayGain</source>
        <translation>ReplayGain</translation>
    </message>
    <message>
        <source>&amp;Mode:</source>
        <translation>&amp;Modus:</translation>
    </message>
    <message>
        <source>&amp;Preamp:</source>
        <translation>&amp;Vorverstärkung:</translation>
    </message>
    <message>
        <source>Gain of files &amp;without tags:</source>
        <translation>Verstärkung für Dateien &amp;ohne Tags:</translation>
    </message>
    <message>
        <source>Crossfade</source>
        <translation>Überblenden</translation>
    </message>
    <message>
        <source>&amp;Length:</source>
        <translation>&amp;Dauer:</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Fade &amp;time:</source>
        <translation>&amp;Blenddauer:</translation>
    </message>
</context>
<context>
    <name>tavi::ui::PriorityPage</name>
    <message>
        <source>Priority of Tavi among the running programs:</source>
        <translation>Priorität von Tavi unter den laufenden Programmen:</translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <translation>&amp;Normal</translation>
    </message>
    <message>
        <source>&amp;High</source>
        <translation>&amp;Hoch</translation>
    </message>
    <message>
        <source>&amp;Realtime</source>
        <translation>&amp;Echtzeit</translation>
    </message>
    <message>
        <source>The system did not allow this priority.</source>
        <translation>Das System hat diese Priorität nicht erlaubt.</translation>
    </message>
</context>
<context>
    <name>tavi::ui::VideoPage</name>
    <message>
        <source>When a video plays:</source>
        <translation>Wenn ein Video abgespielt wird:</translation>
    </message>
    <message>
        <source>&amp;Automatically optimise the window size</source>
        <translation>Fenstergröße &amp;automatisch anpassen</translation>
    </message>
    <message>
        <source>Always use the &amp;same size and position</source>
        <translation>Immer die &amp;gleiche Größe und Position verwenden</translation>
    </message>
    <message>
        <source>Play in &amp;full screen</source>
        <translation>Im &amp;Vollbild abspielen</translation>
    </message>
    <message>
        <source>&amp;Maximise the video window</source>
        <translation>Video&amp;fenster maximieren</translation>
    </message>
</context>
</TS>
