<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DeviceHealth</name>
    <message>
        <source>The transmitter&apos;s loop current is fixed at %1 mA.

While it stays fixed, the control system does not see the level.

Release the loop current now, so that it follows the level again?</source>
        <translation>Der Schleifenstrom des Messumformers ist fest auf %1 mA eingestellt.

Solange er fest bleibt, sieht das Leitsystem den Füllstand nicht.

Schleifenstrom jetzt freigeben, damit er wieder dem Füllstand folgt?</translation>
    </message>
    <message>
        <source>Loop current fixed</source>
        <translation>Schleifenstrom fest</translation>
    </message>
    <message>
        <source>Release the transmitter&apos;s loop current?

It is fixed, and no simulation of this program holds it: another master or a loop test fixed it. Released, it follows the level again; a tool that still relies on the fixed value loses it.</source>
        <translation>Schleifenstrom des Messumformers freigeben?

Er ist fest eingestellt, und keine Simulation dieses Programms hält ihn: Ein anderer Master oder ein Schleifentest hat ihn festgesetzt. Freigegeben folgt er wieder dem Füllstand; ein Werkzeug, das sich noch auf den festen Wert verlässt, verliert ihn.</translation>
    </message>
    <message>
        <source>Release loop current</source>
        <translation>Schleifenstrom freigeben</translation>
    </message>
    <message>
        <source>The transmitter on COM %1 answers at polling address %2, not 0. At a polling address other than 0 its loop current stays fixed at 4 mA (multidrop), so the control system does not see the level.

Set its polling address to 0?

Warning: this changes its loop current mode. The loop current then follows the level again; on a loop shared with other transmitters (multidrop) this disturbs them.</source>
        <translation>Der Messumformer an COM %1 antwortet auf Polling-Adresse %2, nicht 0. Bei einer Polling-Adresse ungleich 0 bleibt sein Schleifenstrom fest auf 4 mA (Multidrop), und das Leitsystem sieht den Füllstand nicht.

Polling-Adresse auf 0 setzen?

Warnung: Dies ändert die Betriebsart seines Schleifenstroms. Der Schleifenstrom folgt dann wieder dem Füllstand; in einer Schleife mit weiteren Messumformern (Multidrop) stört dies diese.</translation>
    </message>
    <message>
        <source>Polling address</source>
        <translation>Polling-Adresse</translation>
    </message>
    <message>
        <source>simulated transmitter</source>
        <translation>simulierter Messumformer</translation>
    </message>
    <message>
        <source>the line the main window uses</source>
        <translation>die Leitung des Hauptfensters</translation>
    </message>
</context>
<context>
    <name>DeviceStatusWindow</name>
    <message>
        <source>No answer since %1.</source>
        <translation>Keine Antwort seit %1.</translation>
    </message>
    <message>
        <source>No reply from the transmitter yet.</source>
        <translation>Noch keine Antwort vom Messumformer.</translation>
    </message>
    <message>
        <source>%1 Status byte of the last reply before: %2; the conditions below may no longer hold.</source>
        <translation>%1 Statusbyte der letzten Antwort davor: %2; die Zustände unten gelten womöglich nicht mehr.</translation>
    </message>
    <message>
        <source>Status byte of the latest reply: %1</source>
        <translation>Statusbyte der letzten Antwort: %1</translation>
    </message>
    <message>
        <source>%1: %2
What to do: %3</source>
        <translation>%1: %2
Zu tun: %3</translation>
    </message>
    <message>
        <source>The transmitter reports no condition: it is healthy.</source>
        <translation>Der Messumformer meldet keinen Zustand: Er ist in Ordnung.</translation>
    </message>
    <message>
        <source>Not read yet.</source>
        <translation>Noch nicht gelesen.</translation>
    </message>
    <message>
        <source>Bytes: %1</source>
        <translation>Bytes: %1</translation>
    </message>
    <message>
        <source>Byte %1 = 0x%2: %3</source>
        <translation>Byte %1 = 0x%2: %3</translation>
    </message>
    <message>
        <source>No bit is set.</source>
        <translation>Kein Bit gesetzt.</translation>
    </message>
    <message>
        <source>Device status</source>
        <translation>Gerätestatus</translation>
    </message>
    <message>
        <source>Transmitter</source>
        <translation>Messumformer</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>Hersteller:</translation>
    </message>
    <message>
        <source>Device type:</source>
        <translation>Gerätetyp:</translation>
    </message>
    <message>
        <source>Device ID:</source>
        <translation>Geräte-ID:</translation>
    </message>
    <message>
        <source>HART revision:</source>
        <translation>HART-Revision:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Seriennummer:</translation>
    </message>
    <message>
        <source>Tag:</source>
        <translation>TAG-Nummer:</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Conditions</source>
        <translation>Zustände</translation>
    </message>
    <message>
        <source>C&amp;lear &quot;configuration changed&quot;</source>
        <translation>„Konfiguration geändert“ &amp;zurücksetzen</translation>
    </message>
    <message>
        <source>Rel&amp;ease loop current</source>
        <translation>Schleifenstrom fr&amp;eigeben</translation>
    </message>
    <message>
        <source>Additional status (command 48)</source>
        <translation>Zusatzstatus (Befehl 48)</translation>
    </message>
    <message>
        <source>Additional status</source>
        <translation>Zusatzstatus</translation>
    </message>
    <message>
        <source>&amp;Read additional status</source>
        <translation>Zusatzstatus &amp;lesen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
</context>
<context>
    <name>FinderWindow</name>
    <message>
        <source>Trying %1, polling address %2 …</source>
        <translation>Versuche %1, Polling-Adresse %2 …</translation>
    </message>
    <message>
        <source>No serial port found. Connect the HART modem, then press Scan again.</source>
        <translation>Keine serielle Schnittstelle gefunden. HART-Modem anschließen, dann „Erneut suchen“ drücken.</translation>
    </message>
    <message>
        <source>Scanning %1 port(s) …</source>
        <translation>Durchsuche %1 Port(s) …</translation>
    </message>
    <message>
        <source>Scan cancelled; every port is closed again.</source>
        <translation>Suche abgebrochen; alle Ports sind wieder geschlossen.</translation>
    </message>
    <message>
        <source>No transmitter answered on %1 port(s). Check that the modem is connected to the loop (with a load of at least 250 Ω) and that the transmitter is powered.</source>
        <translation>Kein Messumformer hat an %1 Port(s) geantwortet. Prüfen, ob das Modem an der Schleife angeschlossen ist (mit einer Bürde von mindestens 250 Ω) und der Messumformer versorgt wird.</translation>
    </message>
    <message>
        <source>%1 transmitter(s) found.</source>
        <translation>%1 Messumformer gefunden.</translation>
    </message>
    <message>
        <source>Select a transmitter in the list first.</source>
        <translation>Zuerst einen Messumformer in der Liste auswählen.</translation>
    </message>
    <message>
        <source>Not a Zanu transmitter (manufacturer %1, device type %2): this program configures only Zanu&apos;s Pelvanor I and Ostrimel transmitters. Use its maker&apos;s tool for it.</source>
        <translation>Kein Zanu-Messumformer (Hersteller %1, Gerätetyp %2): Dieses Programm konfiguriert nur die Messumformer Pelvanor I und Ostrimel von Zanu. Für diesen das Werkzeug seines Herstellers verwenden.</translation>
    </message>
    <message>
        <source>%1 has no COM number, and this program opens its port by COM number.

To use it, give it one: start the program with the environment variable ZANU_COMn set to the device, for example
    ZANU_COM5=%1
then choose that COM port (here COM 5) under Config, COM-settings, or find it again here.</source>
        <translation>%1 hat keine COM-Nummer, und dieses Programm öffnet seinen Port über die COM-Nummer.

Um ihn zu verwenden, ihm eine geben: das Programm mit der Umgebungsvariablen ZANU_COMn auf das Gerät gesetzt starten, zum Beispiel
    ZANU_COM5=%1
dann diesen COM-Port (hier COM 5) unter Konfiguration, COM-Einstellungen wählen oder ihn hier erneut suchen.</translation>
    </message>
    <message>
        <source>Find transmitter</source>
        <translation>Messumformer suchen</translation>
    </message>
    <message>
        <source>Scan progress</source>
        <translation>Fortschritt der Suche</translation>
    </message>
    <message>
        <source>Transmitters found</source>
        <translation>Gefundene Messumformer</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>COM</source>
        <translation>COM</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Hersteller</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>Geräte-ID</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>TAG-Nummer</translation>
    </message>
    <message>
        <source>&amp;Use this port</source>
        <translation>Diesen Port &amp;verwenden</translation>
    </message>
    <message>
        <source>Scan &amp;again</source>
        <translation>&amp;Erneut suchen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Ports that could not be scanned:
</source>
        <translation>Ports, die nicht durchsucht werden konnten:
</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Pelvanor I / Ostrimel Config</source>
        <translation>Pelvanor I / Ostrimel Config</translation>
    </message>
    <message>
        <source>Config Data</source>
        <translation>Konfigurationsdaten</translation>
    </message>
    <message>
        <source>Fixed Data</source>
        <translation>Feste Daten</translation>
    </message>
    <message>
        <source>Minimum Span:</source>
        <translation>Min. Spanne:</translation>
    </message>
    <message>
        <source>Minimum Span</source>
        <translation>Minimale Spanne</translation>
    </message>
    <message>
        <source>Unit of minimum span</source>
        <translation>Einheit der minimalen Spanne</translation>
    </message>
    <message>
        <source>Maximum Span:</source>
        <translation>Max. Spanne:</translation>
    </message>
    <message>
        <source>Maximum Span</source>
        <translation>Maximale Spanne</translation>
    </message>
    <message>
        <source>Unit of maximum span</source>
        <translation>Einheit der maximalen Spanne</translation>
    </message>
    <message>
        <source>Minimum Zero:</source>
        <translation>Min. Nullpunkt:</translation>
    </message>
    <message>
        <source>Minimum Zero</source>
        <translation>Minimaler Nullpunkt</translation>
    </message>
    <message>
        <source>Unit of minimum zero</source>
        <translation>Einheit des minimalen Nullpunkts</translation>
    </message>
    <message>
        <source>Measuring Range</source>
        <translation>Messbereich</translation>
    </message>
    <message>
        <source>Zero:</source>
        <translation>Nullpunkt:</translation>
    </message>
    <message>
        <source>Zero</source>
        <translation>Nullpunkt</translation>
    </message>
    <message>
        <source>Unit of zero</source>
        <translation>Einheit des Nullpunkts</translation>
    </message>
    <message>
        <source>Changed</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Zero changed</source>
        <translation>Nullpunkt geändert</translation>
    </message>
    <message>
        <source>Span:</source>
        <translation>Spanne:</translation>
    </message>
    <message>
        <source>Span</source>
        <translation>Spanne</translation>
    </message>
    <message>
        <source>Unit of span</source>
        <translation>Einheit der Spanne</translation>
    </message>
    <message>
        <source>Span changed</source>
        <translation>Spanne geändert</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>Einheit:</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Send unit and range</source>
        <translation>Einheit und Messbereich senden</translation>
    </message>
    <message>
        <source>Set Current Pressure As 4 mA</source>
        <translation>Druck als 4 mA übernehmen</translation>
    </message>
    <message>
        <source>Set Current Pressure As 20 mA</source>
        <translation>Druck als 20 mA übernehmen</translation>
    </message>
    <message>
        <source>Extra</source>
        <translation>Weitere</translation>
    </message>
    <message>
        <source>Damping:</source>
        <translation>Dämpfung:</translation>
    </message>
    <message>
        <source>Damping</source>
        <translation>Dämpfung</translation>
    </message>
    <message>
        <source>Sec.</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Output:</source>
        <translation>Ausgang:</translation>
    </message>
    <message>
        <source>4-20 mA</source>
        <translation>4-20 mA</translation>
    </message>
    <message>
        <source>Output direction</source>
        <translation>Ausgangsrichtung</translation>
    </message>
    <message>
        <source>20-4 mA</source>
        <translation>20-4 mA</translation>
    </message>
    <message>
        <source>Send damping and output</source>
        <translation>Dämpfung und Ausgangsrichtung senden</translation>
    </message>
    <message>
        <source>Mounting effect</source>
        <translation>Lagekorrektur</translation>
    </message>
    <message>
        <source>Send mounting effect</source>
        <translation>Lagekorrektur senden</translation>
    </message>
    <message>
        <source>Current Simulation:</source>
        <translation>Stromsimulation:</translation>
    </message>
    <message>
        <source>Fixed Current (mA):</source>
        <translation>Fester Strom (mA):</translation>
    </message>
    <message>
        <source>Fixed Current (mA)</source>
        <translation>Fester Strom (mA)</translation>
    </message>
    <message>
        <source>Fixed loop current simulation</source>
        <translation>Simulation eines festen Schleifenstroms</translation>
    </message>
    <message>
        <source>Output signal of transmitter</source>
        <translation>Ausgangssignal des Messumformers</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Output monitoring</source>
        <translation>Ausgangsüberwachung</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Loop current (mA)</source>
        <translation>Schleifenstrom (mA)</translation>
    </message>
    <message>
        <source>mA</source>
        <translation>mA</translation>
    </message>
    <message>
        <source>Percent of range</source>
        <translation>Prozent des Messbereichs</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Output signal</source>
        <translation>Ausgangssignal</translation>
    </message>
    <message>
        <source>Tag Number:</source>
        <translation>TAG-Nummer:</translation>
    </message>
    <message>
        <source>Tag Number</source>
        <translation>Messstellenkennzeichen (TAG)</translation>
    </message>
    <message>
        <source>Send tag</source>
        <translation>TAG senden</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Co&amp;nnect</source>
        <translation>&amp;Verbinden</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Config</source>
        <translation>&amp;Konfiguration</translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation>&amp;Gerät</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>COM-&amp;settings</source>
        <translation>COM-&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Find transmitter…</source>
        <translation>Messumformer &amp;suchen…</translation>
    </message>
    <message>
        <source>Device &amp;status…</source>
        <translation>&amp;Gerätestatus…</translation>
    </message>
    <message>
        <source>&amp;Loop check…</source>
        <translation>&amp;Schleifentest…</translation>
    </message>
    <message>
        <source>&amp;Trend…</source>
        <translation>&amp;Trend…</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Setzen</translation>
    </message>
    <message>
        <source>Up to 8 characters. The transmitter stores letters as upper case; a character it cannot store shows as ?.</source>
        <translation>Bis zu 8 Zeichen. Der Messumformer speichert Buchstaben als Großbuchstaben; ein Zeichen, das er nicht speichern kann, erscheint als ?.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Transmitter serial number</source>
        <translation>Seriennummer des Messumformers</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>&amp;Output trim…</source>
        <translation>&amp;Ausgangsabgleich…</translation>
    </message>
    <message>
        <source>COM %1, read from it, is used.</source>
        <translation>COM %1, aus der Datei gelesen, wird verwendet.</translation>
    </message>
    <message>
        <source>No COM port could be taken from it.</source>
        <translation>Es ließ sich kein COM-Port daraus entnehmen.</translation>
    </message>
    <message>
        <source>The settings file could not be read properly.

%1

%2 Choose the port under Config, COM-settings to write the file anew.</source>
        <translation>Die Einstellungsdatei konnte nicht richtig gelesen werden.

%1

%2 Wählen Sie den Port unter Konfiguration, COM-Einstellungen, um die Datei neu zu schreiben.</translation>
    </message>
    <message>
        <source>Please, Abort Current Simulation Before Exit!!!</source>
        <translation>Bitte brechen Sie die Stromsimulation vor dem Beenden ab!</translation>
    </message>
    <message>
        <source>The COM port could not be saved for the next start.

%1

COM %2 is used until the program is closed. To keep the choice, put that right, then choose the port again under Config, COM-settings.</source>
        <translation>Der COM-Port konnte für den nächsten Start nicht gespeichert werden.

%1

COM %2 wird verwendet, bis das Programm geschlossen wird. Um die Wahl zu behalten, beheben Sie das und wählen Sie den Port erneut unter Konfiguration, COM-Einstellungen.</translation>
    </message>
    <message>
        <source>COM %1 is saved in %2, because the program&apos;s folder may not be written to.</source>
        <translation>COM %1 wurde in %2 gespeichert, weil in den Ordner des Programms nicht geschrieben werden darf.</translation>
    </message>
    <message>
        <source>

The program starts with the port in %1, which an administrator put there; ask to have it changed or removed to start on COM %2.</source>
        <translation>

Das Programm startet mit dem Port in %1, die ein Administrator dort abgelegt hat; bitten Sie darum, sie zu ändern oder zu entfernen, um mit COM %2 zu starten.</translation>
    </message>
    <message>
        <source>Transmitter Serialnumber: </source>
        <translation>Seriennummer des Messumformers: </translation>
    </message>
    <message>
        <source>Re&amp;fresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>Config COM-port</source>
        <translation>COM-Port einstellen</translation>
    </message>
    <message>
        <source>Use COM - Port:</source>
        <translation>COM-Port:</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>present</source>
        <translation>vorhanden</translation>
    </message>
    <message>
        <source>absent</source>
        <translation>fehlt</translation>
    </message>
</context>
<context>
    <name>LoopCheckProcedure</name>
    <message>
        <source>Fixing the current at %1: %2</source>
        <translation>Festlegen des Stroms auf %1: %2</translation>
    </message>
    <message>
        <source>Reading back at %1: %2</source>
        <translation>Rücklesen bei %1: %2</translation>
    </message>
    <message>
        <source>At %1: %2</source>
        <translation>Bei %1: %2</translation>
    </message>
</context>
<context>
    <name>LoopCheckResult</name>
    <message>
        <source>Passed</source>
        <translation>Bestanden</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Nicht bestanden</translation>
    </message>
    <message>
        <source>Incomplete</source>
        <translation>Unvollständig</translation>
    </message>
    <message>
        <source>Skipped</source>
        <translation>Übersprungen</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>In Ordnung</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>LoopCheckWindow</name>
    <message>
        <source>Loop check</source>
        <translation>Schleifentest</translation>
    </message>
    <message>
        <source>Save loop check</source>
        <translation>Schleifentest speichern</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>The check stopped: %1.</source>
        <translation>Der Test wurde abgebrochen: %1.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Points (mA):</source>
        <translation>&amp;Punkte (mA):</translation>
    </message>
    <message>
        <source>Currents in mA, separated by semicolons or blanks, each above 3.9 and below 20.1</source>
        <translation>Ströme in mA, durch Semikolon oder Leerzeichen getrennt, jeweils über 3,9 und unter 20,1</translation>
    </message>
    <message>
        <source>&amp;Tolerance:</source>
        <translation>&amp;Toleranz:</translation>
    </message>
    <message>
        <source>% of span</source>
        <translation>% der Spanne</translation>
    </message>
    <message>
        <source>Tolerance unit</source>
        <translation>Toleranzeinheit</translation>
    </message>
    <message>
        <source>&amp;Settling time (s):</source>
        <translation>&amp;Einschwingzeit (s):</translation>
    </message>
    <message>
        <source>Loop check points</source>
        <translation>Punkte des Schleifentests</translation>
    </message>
    <message>
        <source>Point (mA)</source>
        <translation>Punkt (mA)</translation>
    </message>
    <message>
        <source>Read back (mA)</source>
        <translation>Rückgelesen (mA)</translation>
    </message>
    <message>
        <source>Measured (mA)</source>
        <translation>Gemessen (mA)</translation>
    </message>
    <message>
        <source>Deviation (mA)</source>
        <translation>Abweichung (mA)</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>&amp;Measured (mA):</source>
        <translation>&amp;Gemessen (mA):</translation>
    </message>
    <message>
        <source>&amp;Enter</source>
        <translation>Ü&amp;bernehmen</translation>
    </message>
    <message>
        <source>S&amp;kip</source>
        <translation>Übe&amp;rspringen</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>St&amp;art</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Retry release</source>
        <translation>Freigabe &amp;wiederholen</translation>
    </message>
    <message>
        <source>Sa&amp;ve CSV…</source>
        <translation>CSV spei&amp;chern…</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>Schließe&amp;n</translation>
    </message>
    <message>
        <source>&amp;Trim output…</source>
        <translation>A&amp;usgangsabgleich…</translation>
    </message>
    <message>
        <source>Trim output</source>
        <translation>Ausgangsabgleich</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a point the transmitter can hold. Enter currents above 3.9 and below 20.1 mA, separated by semicolons or blanks, e.g. 4; 8; 12; 16; 20.</source>
        <translation>„%1“ ist kein Punkt, den der Messumformer halten kann. Ströme über 3,9 und unter 20,1 mA eingeben, durch Semikolon oder Leerzeichen getrennt, z. B. 4; 8; 12; 16; 20.</translation>
    </message>
    <message>
        <source>No points are given. Enter at least one current between 3.9 and 20.1 mA, e.g. 4; 8; 12; 16; 20.</source>
        <translation>Keine Punkte angegeben. Mindestens einen Strom zwischen 3,9 und 20,1 mA eingeben, z. B. 4; 8; 12; 16; 20.</translation>
    </message>
    <message>
        <source>The tolerance &quot;%1&quot; is not usable. Enter a number above 0 and at most %2 %3, e.g. 0.05 mA.</source>
        <translation>Die Toleranz „%1“ ist nicht verwendbar. Eine Zahl über 0 und höchstens %2 %3 eingeben, z. B. 0,05 mA.</translation>
    </message>
    <message>
        <source>The settling time &quot;%1&quot; is not usable. Enter the seconds to wait at each point, from 0 to %2, e.g. 2.</source>
        <translation>Die Einschwingzeit „%1“ ist nicht verwendbar. Die Sekunden eingeben, die an jedem Punkt gewartet werden, von 0 bis %2, z. B. 2.</translation>
    </message>
    <message>
        <source>A loop current is being simulated from the Current Simulation panel. The loop check sets the current itself and would end that simulation behind the panel&apos;s back. Press Abort in the panel first, then start the loop check.</source>
        <translation>Im Feld Stromsimulation wird ein Schleifenstrom simuliert. Der Schleifentest setzt den Strom selbst und würde diese Simulation ohne Wissen des Feldes beenden. Zuerst im Feld „Abbrechen“ drücken, dann den Schleifentest starten.</translation>
    </message>
    <message>
        <source>The output trim holds the loop current. Finish or cancel it in the Output trim window, then start the loop check.</source>
        <translation>Der Ausgangsabgleich hält den Schleifenstrom. Den Abgleich im Fenster Ausgangsabgleich abschließen oder abbrechen, dann den Schleifentest starten.</translation>
    </message>
    <message>
        <source>No transmitter has been read yet. Connect to the transmitter (File, Connect) and wait until its data are shown, then start the loop check.</source>
        <translation>Es wurde noch kein Messumformer gelesen. Mit dem Messumformer verbinden (Datei, Verbinden) und warten, bis seine Daten angezeigt werden, dann den Schleifentest starten.</translation>
    </message>
    <message>
        <source>The main window is still sending to the transmitter. Wait until it has finished, then start the loop check.</source>
        <translation>Das Hauptfenster sendet noch an den Messumformer. Warten, bis es fertig ist, dann den Schleifentest starten.</translation>
    </message>
    <message>
        <source>The main window started sending to the transmitter. Wait until it has finished, then start the loop check again.</source>
        <translation>Das Hauptfenster hat begonnen, an den Messumformer zu senden. Warten, bis es fertig ist, dann den Schleifentest erneut starten.</translation>
    </message>
    <message>
        <source>skip</source>
        <comment>typed instead of a reading</comment>
        <translation>überspringen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a reading. Type the current in mA (e.g. %2), or &quot;skip&quot;.</source>
        <translation>„%1“ ist kein Messwert. Den Strom in mA eingeben (z. B. %2) oder „überspringen“.</translation>
    </message>
    <message>
        <source>skipped</source>
        <translation>übersprungen</translation>
    </message>
    <message>
        <source>Point %1 of %2</source>
        <translation>Punkt %1 von %2</translation>
    </message>
    <message>
        <source>The check was left without the transmitter confirming the end of fixed-current mode. Check the loop current.</source>
        <translation>Der Test wurde verlassen, ohne dass der Messumformer das Ende des festen Stroms bestätigt hat. Schleifenstrom prüfen.</translation>
    </message>
    <message>
        <source>Set the points, the tolerance and the settling time, then press Start. The loop current will be fixed at each point in turn: tell the control room before you start.</source>
        <translation>Punkte, Toleranz und Einschwingzeit einstellen, dann „Starten“ drücken. Der Schleifenstrom wird nacheinander auf jeden Punkt festgesetzt: Vor dem Start die Leitwarte informieren.</translation>
    </message>
    <message>
        <source>%1: fixing the loop current at %2…</source>
        <translation>%1: Schleifenstrom wird auf %2 festgesetzt…</translation>
    </message>
    <message>
        <source>%1: the loop is held at %2; waiting %3 s for it to settle…</source>
        <translation>%1: Die Schleife wird auf %2 gehalten; %3 s Einschwingzeit…</translation>
    </message>
    <message>
        <source>%1: reading back the transmitter&apos;s loop current…</source>
        <translation>%1: Schleifenstrom des Messumformers wird zurückgelesen…</translation>
    </message>
    <message>
        <source>%1: the transmitter holds %2 and reports %3 mA. Type the current measured at the control system or on the reference meter and press Enter, or type &quot;skip&quot;.</source>
        <translation>%1: Der Messumformer hält %2 und meldet %3 mA. Den im Leitsystem oder am Referenzmessgerät gemessenen Strom eingeben und „Übernehmen“ drücken, oder „überspringen“ eingeben.</translation>
    </message>
    <message>
        <source>Ending fixed-current mode…</source>
        <translation>Fester Strom wird beendet…</translation>
    </message>
    <message>
        <source>Fixed-current mode has NOT been confirmed ended: %1. The loop may still be held at a fixed current. Check the HART connection, then press Retry release.</source>
        <translation>Das Ende des festen Stroms wurde NICHT bestätigt: %1. Die Schleife wird womöglich noch auf einem festen Strom gehalten. HART-Verbindung prüfen, dann „Freigabe wiederholen“ drücken.</translation>
    </message>
    <message>
        <source>Fixed-current mode has ended; the loop follows the level again.</source>
        <translation>Der feste Strom ist beendet; die Schleife folgt wieder dem Füllstand.</translation>
    </message>
    <message>
        <source>±%1 % of span (±%2 mA)</source>
        <translation>±%1 % der Spanne (±%2 mA)</translation>
    </message>
    <message>
        <source>±%1 mA</source>
        <translation>±%1 mA</translation>
    </message>
    <message>
        <source>Result: %1 (tolerance %2).</source>
        <translation>Ergebnis: %1 (Toleranz %2).</translation>
    </message>
    <message>
        <source>Leave loop fixed keeps this window open; its Retry release button sends the release again.</source>
        <translation>„Schleife fest lassen“ lässt dieses Fenster offen; seine Schaltfläche „Freigabe wiederholen“ sendet die Freigabe erneut.</translation>
    </message>
    <message>
        <source>&amp;Leave loop fixed</source>
        <translation>Schleife fest &amp;lassen</translation>
    </message>
    <message>
        <source>Leave loop fixed closes the loop check and leaves the loop as it is.</source>
        <translation>„Schleife fest lassen“ schließt den Schleifentest und lässt die Schleife, wie sie ist.</translation>
    </message>
    <message>
        <source>&amp;Leave loop fixed and close</source>
        <translation>Schleife fest &amp;lassen und schließen</translation>
    </message>
    <message>
        <source>Leave loop fixed closes the program and leaves the loop as it is.</source>
        <translation>„Schleife fest lassen“ beendet das Programm und lässt die Schleife, wie sie ist.</translation>
    </message>
    <message>
        <source>&amp;Leave loop fixed and exit</source>
        <translation>Schleife fest &amp;lassen und beenden</translation>
    </message>
    <message>
        <source>Fixed-current mode could not be ended: %1.

The loop may still be held at a fixed current, so the control system does not see the real level. Check the HART connection.

Retry release sends the release again. %2</source>
        <translation>Der feste Strom konnte nicht beendet werden: %1.

Die Schleife wird womöglich noch auf einem festen Strom gehalten, und das Leitsystem sieht den wirklichen Füllstand nicht. HART-Verbindung prüfen.

„Freigabe wiederholen“ sendet die Freigabe erneut. %2</translation>
    </message>
    <message>
        <source>The loop check could not be saved to %1: %2

Choose another folder or file name and save again.</source>
        <translation>Der Schleifentest konnte nicht in %1 gespeichert werden: %2

Einen anderen Ordner oder Dateinamen wählen und erneut speichern.</translation>
    </message>
</context>
<context>
    <name>LoopHold</name>
    <message>
        <source>response code %1</source>
        <translation>Antwortcode %1</translation>
    </message>
    <message>
        <source>the transmitter refused command %1 (%2)</source>
        <translation>der Messumformer hat Befehl %1 abgelehnt (%2)</translation>
    </message>
    <message>
        <source>the transmitter did not answer</source>
        <translation>der Messumformer hat nicht geantwortet</translation>
    </message>
</context>
<context>
    <name>Module1</name>
    <message>
        <source>Invalid selection</source>
        <translation>Ungültige Auswahl</translation>
    </message>
    <message>
        <source>Passed Parameter too Large</source>
        <translation>Übergebener Parameter zu groß</translation>
    </message>
    <message>
        <source>Passed Parameter too Small</source>
        <translation>Übergebener Parameter zu klein</translation>
    </message>
    <message>
        <source>Too Few Databytes Received</source>
        <translation>Zu wenige Datenbytes empfangen</translation>
    </message>
    <message>
        <source>Transmitter Specific Command Error</source>
        <translation>Gerätespezifischer Befehlsfehler</translation>
    </message>
    <message>
        <source>In Write Protect Mode</source>
        <translation>Schreibschutz aktiv</translation>
    </message>
    <message>
        <source>Set to Nearest Value</source>
        <translation>Auf nächstmöglichen Wert gesetzt</translation>
    </message>
    <message>
        <source>Access Restricted</source>
        <translation>Zugriff eingeschränkt</translation>
    </message>
    <message>
        <source>Command Not Implemented</source>
        <translation>Befehl nicht implementiert</translation>
    </message>
    <message>
        <source>Lowerrange too high</source>
        <translation>Messanfang zu hoch</translation>
    </message>
    <message>
        <source>Lowerrange too low</source>
        <translation>Messanfang zu niedrig</translation>
    </message>
    <message>
        <source>Upperrange too high</source>
        <translation>Messende zu hoch</translation>
    </message>
    <message>
        <source>Upperrange too low</source>
        <translation>Messende zu niedrig</translation>
    </message>
    <message>
        <source>URV and LRV out of Limits</source>
        <translation>Messanfang und Messende außerhalb der Grenzen</translation>
    </message>
    <message>
        <source>Span too Small</source>
        <translation>Spanne zu klein</translation>
    </message>
    <message>
        <source>Unspecified Error</source>
        <translation>Nicht näher bezeichneter Fehler</translation>
    </message>
    <message>
        <source>Applied process too high</source>
        <translation>Anliegender Druck zu hoch</translation>
    </message>
    <message>
        <source>Applied process too low</source>
        <translation>Anliegender Druck zu niedrig</translation>
    </message>
    <message>
        <source>New LRV pushed URV over USL</source>
        <translation>Neuer Messanfang schiebt das Messende über die obere Sensorgrenze</translation>
    </message>
    <message>
        <source>Unspecified Error or Wrong returned Command</source>
        <translation>Nicht näher bezeichneter Fehler oder falscher Befehl in der Antwort</translation>
    </message>
</context>
<context>
    <name>RecordsCompareDialog</name>
    <message>
        <source>Compare with file</source>
        <translation>Mit Datei vergleichen</translation>
    </message>
    <message>
        <source>Comparison of file and transmitter</source>
        <translation>Vergleich von Datei und Messumformer</translation>
    </message>
    <message>
        <source>&amp;Write to transmitter…</source>
        <translation>&amp;In den Messumformer schreiben…</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Compare with file - %1</source>
        <translation>Mit Datei vergleichen - %1</translation>
    </message>
    <message>
        <source>File %1, saved %2 by %3 %4 from transmitter serial number %5.</source>
        <translation>Datei %1, gespeichert am %2 von %3 %4 vom Messumformer mit Seriennummer %5.</translation>
    </message>
    <message>
        <source>
The transmitter is being read; the comparison follows when it is done.</source>
        <translation>
Der Messumformer wird gelesen; der Vergleich folgt, wenn das Lesen beendet ist.</translation>
    </message>
    <message>
        <source>Writing to the transmitter…</source>
        <translation>Schreibe in den Messumformer…</translation>
    </message>
    <message>
        <source>
Transmitter serial number %1, tag %2, read %3.</source>
        <translation>
Messumformer Seriennummer %1, TAG-Nummer %2, gelesen %3.</translation>
    </message>
    <message>
        <source>
This file comes from another transmitter (serial number %1).</source>
        <translation>
Diese Datei stammt von einem anderen Messumformer (Seriennummer %1).</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>File (%1)</source>
        <translation>Datei (%1)</translation>
    </message>
    <message>
        <source>Transmitter in %1</source>
        <translation>Messumformer in %1</translation>
    </message>
    <message>
        <source>Transmitter (%1)</source>
        <translation>Messumformer (%1)</translation>
    </message>
    <message>
        <source>File in %1</source>
        <translation>Datei in %1</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Unterschied</translation>
    </message>
    <message>
        <source>differs (fixed)</source>
        <translation>abweichend (fest)</translation>
    </message>
    <message>
        <source>differs</source>
        <translation>abweichend</translation>
    </message>
    <message>
        <source>Fixed by the transmitter&apos;s build; not written.</source>
        <translation>Durch die Bauart des Messumformers festgelegt; wird nicht geschrieben.</translation>
    </message>
    <message>
        <source>Written with the %1.</source>
        <translation>Wird geschrieben mit: %1.</translation>
    </message>
    <message>
        <source>Only Zanu transmitters are written.</source>
        <translation>Nur Zanu-Messumformer werden beschrieben.</translation>
    </message>
    <message>
        <source>The transmitter holds the file&apos;s configuration.</source>
        <translation>Der Messumformer hat die Konfiguration der Datei.</translation>
    </message>
    <message>
        <source>Writing will change:
</source>
        <translation>Schreiben ändert:
</translation>
    </message>
</context>
<context>
    <name>RecordsKeeper</name>
    <message>
        <source>Save configuration</source>
        <translation>Konfiguration speichern</translation>
    </message>
    <message>
        <source>Compare with file</source>
        <translation>Mit Datei vergleichen</translation>
    </message>
    <message>
        <source>Write to transmitter</source>
        <translation>In den Messumformer schreiben</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Bericht</translation>
    </message>
    <message>
        <source>&amp;Save configuration…</source>
        <translation>Konfiguration &amp;speichern…</translation>
    </message>
    <message>
        <source>Com&amp;pare with file…</source>
        <translation>Mit Datei ver&amp;gleichen…</translation>
    </message>
    <message>
        <source>&amp;Report…</source>
        <translation>Be&amp;richt…</translation>
    </message>
    <message>
        <source>Prin&amp;t report…</source>
        <translation>Bericht &amp;drucken…</translation>
    </message>
    <message>
        <source>warning: %1: %2</source>
        <translation>Warnung: %1: %2</translation>
    </message>
    <message>
        <source>no answer to HART command %1</source>
        <translation>keine Antwort auf HART-Befehl %1</translation>
    </message>
    <message>
        <source>The file&apos;s configuration was written to transmitter %1, with warnings:

%2

The transmitter kept the nearest values it allows; it has been read again, so the window shows what it now holds.</source>
        <translation>Die Konfiguration der Datei wurde in den Messumformer %1 geschrieben, mit Warnungen:

%2

Der Messumformer hat die nächsten zulässigen Werte übernommen; er wurde erneut gelesen, das Fenster zeigt also, was er jetzt enthält.</translation>
    </message>
    <message>
        <source>No complete read of the transmitter is at hand. Press Connect (or Refresh) and wait until the transmitter&apos;s data are shown, then try again.</source>
        <translation>Es liegt keine vollständige Lesung des Messumformers vor. Drücken Sie Verbinden (oder Aktualisieren), warten Sie, bis seine Daten angezeigt werden, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>The transmitter works in a unit this program does not know, so its configuration cannot be saved. Choose a unit and send it with the range first.</source>
        <translation>Der Messumformer arbeitet in einer Einheit, die dieses Programm nicht kennt; seine Konfiguration kann daher nicht gespeichert werden. Wählen Sie zuerst eine Einheit und senden Sie sie mit dem Messbereich.</translation>
    </message>
    <message>
        <source>The date held by the transmitter is not a calendar date, so its configuration cannot be saved.</source>
        <translation>Das im Messumformer gespeicherte Datum ist kein Kalenderdatum; seine Konfiguration kann daher nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>
Choose another folder or file name.</source>
        <translation>
Wählen Sie einen anderen Ordner oder Dateinamen.</translation>
    </message>
    <message>
        <source>Only Zanu transmitters are written. Nothing was sent.</source>
        <translation>Nur Zanu-Messumformer werden beschrieben. Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The transmitter already holds this configuration. Nothing was sent.</source>
        <translation>Der Messumformer enthält diese Konfiguration bereits. Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>This file was saved from the transmitter with serial number %1; the one connected has serial number %2.

Write the file&apos;s configuration to transmitter %2?</source>
        <translation>Diese Datei wurde vom Messumformer mit der Seriennummer %1 gespeichert; der angeschlossene hat die Seriennummer %2.

Die Konfiguration der Datei in den Messumformer %2 schreiben?</translation>
    </message>
    <message>
        <source>These changes will be written to transmitter %1:

%2

Write them?</source>
        <translation>Diese Änderungen werden in den Messumformer %1 geschrieben:

%2

Schreiben?</translation>
    </message>
    <message>
        <source>Configuration files (*.json)</source>
        <translation>Konfigurationsdateien (*.json)</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf)</source>
        <translation>PDF-Dokumente (*.pdf)</translation>
    </message>
    <message>
        <source>Print report</source>
        <translation>Bericht drucken</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Point (mA)</source>
        <translation>Punkt (mA)</translation>
    </message>
    <message>
        <source>Read back (mA)</source>
        <translation>Rückgelesen (mA)</translation>
    </message>
    <message>
        <source>Measured (mA)</source>
        <translation>Gemessen (mA)</translation>
    </message>
    <message>
        <source>Deviation (mA)</source>
        <translation>Abweichung (mA)</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>skipped</source>
        <translation>übersprungen</translation>
    </message>
    <message>
        <source>Loop check</source>
        <translation>Schleifentest</translation>
    </message>
    <message>
        <source>(not finished)</source>
        <translation>(nicht beendet)</translation>
    </message>
    <message>
        <source>±%1 % of span (±%2 mA)</source>
        <translation>±%1 % der Spanne (±%2 mA)</translation>
    </message>
    <message>
        <source>±%1 mA</source>
        <translation>±%1 mA</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Begonnen</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Beendet</translation>
    </message>
    <message>
        <source>Tolerance</source>
        <translation>Toleranz</translation>
    </message>
    <message>
        <source>Settling time</source>
        <translation>Einschwingzeit</translation>
    </message>
    <message>
        <source>Points checked</source>
        <translation>Geprüfte Punkte</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>Fixed-current mode ended</source>
        <translation>Fester Strom beendet</translation>
    </message>
    <message>
        <source>Yes, confirmed by the transmitter</source>
        <translation>Ja, vom Messumformer bestätigt</translation>
    </message>
    <message>
        <source>NOT CONFIRMED: the loop may have been left at a fixed current</source>
        <translation>NICHT BESTÄTIGT: Die Schleife wurde womöglich auf einem festen Strom gelassen</translation>
    </message>
    <message>
        <source>(not reached)</source>
        <translation>(nicht erreicht)</translation>
    </message>
    <message>
        <source>Output trim</source>
        <translation>Ausgangsabgleich</translation>
    </message>
    <message>
        <source>Made</source>
        <translation>Durchgeführt</translation>
    </message>
    <message>
        <source>(unknown)</source>
        <translation>(unbekannt)</translation>
    </message>
    <message>
        <source>4 mA before / after</source>
        <translation>4 mA vorher / nachher</translation>
    </message>
    <message>
        <source>20 mA before / after</source>
        <translation>20 mA vorher / nachher</translation>
    </message>
    <message>
        <source>Trims sent (zero, gain)</source>
        <translation>Gesendete Abgleiche (Nullpunkt, Verstärkung)</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Abgeschlossen</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No: cancelled or stopped</source>
        <translation>Nein: abgebrochen oder angehalten</translation>
    </message>
    <message>
        <source>Commissioning report</source>
        <translation>Inbetriebnahmeprotokoll</translation>
    </message>
    <message>
        <source>Zanu Pelvanor I / Ostrimel submersible level transmitter</source>
        <translation>Zanu Pelvanor I / Ostrimel Tauchsonden-Füllstandsmessumformer</translation>
    </message>
    <message>
        <source>Tag %1, serial number %2</source>
        <translation>TAG-Nummer %1, Seriennummer %2</translation>
    </message>
    <message>
        <source>Transmitter</source>
        <translation>Messumformer</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Hersteller</translation>
    </message>
    <message>
        <source>Device type</source>
        <translation>Gerätetyp</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>Geräte-ID</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>HART revision</source>
        <translation>HART-Revision</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>TAG-Nummer</translation>
    </message>
    <message>
        <source>Descriptor</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>(not set)</source>
        <translation>(nicht gesetzt)</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Lower range value (4 mA)</source>
        <translation>Messanfang (4 mA)</translation>
    </message>
    <message>
        <source>Upper range value (20 mA)</source>
        <translation>Messende (20 mA)</translation>
    </message>
    <message>
        <source>Span</source>
        <translation>Spanne</translation>
    </message>
    <message>
        <source>Damping</source>
        <translation>Dämpfung</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgang</translation>
    </message>
    <message>
        <source>Sensor limits</source>
        <translation>Sensorgrenzen</translation>
    </message>
    <message>
        <source>Upper sensor limit</source>
        <translation>Obere Sensorgrenze</translation>
    </message>
    <message>
        <source>Lower sensor limit</source>
        <translation>Untere Sensorgrenze</translation>
    </message>
    <message>
        <source>Minimum span</source>
        <translation>Minimale Spanne</translation>
    </message>
    <message>
        <source>Device status</source>
        <translation>Gerätestatus</translation>
    </message>
    <message>
        <source>Field device status</source>
        <translation>Feldgerätestatus</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Read from the transmitter on %1. Report made on %2 with %3 %4.</source>
        <translation>Vom Messumformer gelesen am %1. Protokoll erstellt am %2 mit %3 %4.</translation>
    </message>
    <message>
        <source>Checked by:</source>
        <translation>Geprüft von:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Signature:</source>
        <translation>Unterschrift:</translation>
    </message>
    <message>
        <source>Commissioning report %1</source>
        <translation>Inbetriebnahmeprotokoll %1</translation>
    </message>
    <message>
        <source>%1 is %2, not a file a report can be written to. Choose another folder or file name.</source>
        <translation>%1 ist %2, keine Datei, in die ein Protokoll geschrieben werden kann. Einen anderen Ordner oder Dateinamen wählen.</translation>
    </message>
    <message>
        <source>%1: cannot be written (%2). Choose another folder or file name.</source>
        <translation>%1: kann nicht geschrieben werden (%2). Einen anderen Ordner oder Dateinamen wählen.</translation>
    </message>
    <message>
        <source>No loop check of this transmitter was made in this session.</source>
        <translation>In dieser Sitzung wurde kein Schleifentest dieses Messumformers durchgeführt.</translation>
    </message>
    <message>
        <source>No point was reached.</source>
        <translation>Kein Punkt wurde erreicht.</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>Cannot send, no output direction is selected. Select 4-20 mA or 20-4 mA, then press Send again.</source>
        <translation>Senden nicht möglich: keine Ausgangsrichtung gewählt. Wählen Sie 4-20 mA oder 20-4 mA und drücken Sie dann erneut Senden.</translation>
    </message>
    <message>
        <source>Cannot send, &quot;%1&quot; holds no number. Type a number there, then try again.</source>
        <translation>Senden nicht möglich: &quot;%1&quot; enthält keine Zahl. Geben Sie dort eine Zahl ein und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Cannot send, the measuring range read from the transmitter is not a valid number. Type the zero and span, then press Send again.</source>
        <translation>Senden nicht möglich: der aus dem Messumformer gelesene Messbereich ist keine gültige Zahl. Geben Sie Nullpunkt und Spanne ein und drücken Sie dann erneut Senden.</translation>
    </message>
    <message>
        <source>Cannot send, the zero or the span is too large for the transmitter. Correct it, then press Send again.</source>
        <translation>Senden nicht möglich: Nullpunkt oder Spanne sind für den Messumformer zu groß. Korrigieren Sie den Wert und drücken Sie dann erneut Senden.</translation>
    </message>
    <message>
        <source>Cannot send, the damping read from the transmitter is not a valid number. Type the damping, then press Send again.</source>
        <translation>Senden nicht möglich: die aus dem Messumformer gelesene Dämpfung ist keine gültige Zahl. Geben Sie die Dämpfung ein und drücken Sie dann erneut Senden.</translation>
    </message>
    <message>
        <source>Cannot send, the damping is too large for the transmitter. Correct it, then press Send again.</source>
        <translation>Senden nicht möglich: die Dämpfung ist für den Messumformer zu groß. Korrigieren Sie sie und drücken Sie dann erneut Senden.</translation>
    </message>
    <message>
        <source>Cannot send, Unit Unkown</source>
        <translation>Senden nicht möglich, Einheit unbekannt</translation>
    </message>
    <message>
        <source>Cannot send the tag yet: the descriptor and date of this transmitter have not been read. Press Connect, then send the tag again.</source>
        <translation>Der TAG kann noch nicht gesendet werden: Beschreibung und Datum dieses Messumformers wurden nicht gelesen. Drücken Sie Verbinden und senden Sie den TAG dann erneut.</translation>
    </message>
    <message>
        <source>Cannot send, the fixed current is too large for the transmitter. Correct it, then press Send again.</source>
        <translation>Senden nicht möglich: der feste Strom ist für den Messumformer zu groß. Korrigieren Sie ihn und drücken Sie dann erneut Senden.</translation>
    </message>
    <message>
        <source>

If the transmitter may be on another port or at another polling address, Config, Find transmitter… looks for it on every serial port.</source>
        <translation>

Wenn der Messumformer an einem anderen Port oder unter einer anderen Polling-Adresse sein kann: Konfiguration, Messumformer suchen… sucht ihn an jeder seriellen Schnittstelle.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>No ZANU transmitter!! Programm will abort!!</source>
        <translation>Kein ZANU-Messumformer! Das Programm wird beendet!</translation>
    </message>
    <message>
        <source>Current Pressure value is: %1%2. Continue??</source>
        <translation>Aktueller Druck: %1%2. Fortfahren?</translation>
    </message>
    <message>
        <source>Continue??</source>
        <translation>Fortfahren?</translation>
    </message>
    <message>
        <source>No Device Response!!!! Connect transmitter?</source>
        <translation>Keine Antwort vom Gerät! Messumformer verbinden?</translation>
    </message>
    <message>
        <source>No Device</source>
        <translation>Kein Gerät</translation>
    </message>
    <message>
        <source>Transmitter is Busy, Aborting Send Process</source>
        <translation>Messumformer ist beschäftigt, Senden wird abgebrochen</translation>
    </message>
</context>
<context>
    <name>StatusIndicator</name>
    <message>
        <source>Device status</source>
        <translation>Gerätestatus</translation>
    </message>
    <message>
        <source>Transmitter: %1 — click for details</source>
        <translation>Messumformer: %1 — für Einzelheiten klicken</translation>
    </message>
    <message>
        <source>No answer since %1</source>
        <translation>Keine Antwort seit %1</translation>
    </message>
</context>
<context>
    <name>TrendWindow</name>
    <message>
        <source>Export trend</source>
        <translation>Trend exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>No answer since %1: nothing is drawn until the transmitter answers again. </source>
        <translation>Keine Antwort seit %1: Es wird nichts gezeichnet, bis der Messumformer wieder antwortet. </translation>
    </message>
    <message>
        <source>Monitoring is on: one point per poll.</source>
        <translation>Überwachung ist ein: ein Punkt je Abfrage.</translation>
    </message>
    <message>
        <source>Monitoring is off: the plot stands still. Select &quot;On&quot; under the output signal in the main window to record.</source>
        <translation>Überwachung ist aus: Die Kurve steht still. Zum Aufzeichnen im Hauptfenster unter dem Ausgangssignal „Ein“ wählen.</translation>
    </message>
    <message>
        <source> Paused: new points are recorded but not shown.</source>
        <translation> Angehalten: Neue Punkte werden aufgezeichnet, aber nicht angezeigt.</translation>
    </message>
    <message>
        <source> %1 points kept (at most a day); %2 min shown.</source>
        <translation> %1 Punkte gespeichert (höchstens ein Tag); %2 min angezeigt.</translation>
    </message>
    <message>
        <source>The trend could not be saved to %1: %2

Choose another folder or file name and export again.</source>
        <translation>Der Trend konnte nicht in %1 gespeichert werden: %2

Einen anderen Ordner oder Dateinamen wählen und erneut exportieren.</translation>
    </message>
    <message>
        <source>Trend</source>
        <translation>Trend</translation>
    </message>
    <message>
        <source>&amp;Resume</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>Trend of loop current and percent of range</source>
        <translation>Trend von Schleifenstrom und Prozent des Messbereichs</translation>
    </message>
    <message>
        <source>Time shown</source>
        <translation>Angezeigte Zeit</translation>
    </message>
    <message>
        <source>Loop current (mA)</source>
        <translation>Schleifenstrom (mA)</translation>
    </message>
    <message>
        <source>Percent of range (%)</source>
        <translation>Prozent des Messbereichs (%)</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>&amp;Vergrößern</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>&amp;Latest</source>
        <translation>&amp;Neueste</translation>
    </message>
    <message>
        <source>&amp;Export CSV…</source>
        <translation>CSV &amp;exportieren…</translation>
    </message>
</context>
<context>
    <name>TrimProcedure</name>
    <message>
        <source>A loop current is being simulated from the Current Simulation panel. Press Abort in the panel first, then start the trim.</source>
        <translation>Im Feld Stromsimulation wird ein Schleifenstrom simuliert. Drücken Sie dort zuerst Abbrechen und starten Sie dann den Abgleich.</translation>
    </message>
    <message>
        <source>A loop check holds the loop current. Let it finish or cancel it, then start the trim.</source>
        <translation>Ein Schleifentest hält den Schleifenstrom. Lassen Sie ihn zu Ende laufen oder brechen Sie ihn ab, und starten Sie dann den Abgleich.</translation>
    </message>
    <message>
        <source>No transmitter has been read yet. Connect to the transmitter (File, Connect) and wait until its data are shown, then start the trim.</source>
        <translation>Es wurde noch kein Messumformer gelesen. Verbinden Sie sich mit dem Messumformer (Datei, Verbinden), warten Sie, bis seine Daten angezeigt werden, und starten Sie dann den Abgleich.</translation>
    </message>
    <message>
        <source>The transmitter read is not a Zanu transmitter (manufacturer %1); this program trims only Pelvanor I and Ostrimel transmitters.</source>
        <translation>Der gelesene Messumformer ist kein Zanu-Messumformer (Hersteller %1); dieses Programm gleicht nur Pelvanor-I- und Ostrimel-Messumformer ab.</translation>
    </message>
    <message>
        <source>The main window is still sending to the transmitter. Wait until it has finished, then start the trim.</source>
        <translation>Das Hauptfenster sendet noch an den Messumformer. Warten Sie, bis es fertig ist, und starten Sie dann den Abgleich.</translation>
    </message>
    <message>
        <source>the transmitter refused command %1 (the loop current is not fixed at the value the trim needs)</source>
        <translation>der Messumformer hat Befehl %1 abgelehnt (der Schleifenstrom steht nicht auf dem Wert, den der Abgleich braucht)</translation>
    </message>
    <message>
        <source>Fixing the current at %1: %2</source>
        <translation>Festlegen des Stroms auf %1: %2</translation>
    </message>
    <message>
        <source>Trimming at %1: %2</source>
        <translation>Abgleich bei %1: %2</translation>
    </message>
    <message>
        <source>Reading back at %1: %2</source>
        <translation>Rücklesen bei %1: %2</translation>
    </message>
</context>
<context>
    <name>TrimWindow</name>
    <message>
        <source>&quot;%1&quot; is no number. Type the current the reference meter shows, in mA, for example %2.</source>
        <translation>&quot;%1&quot; ist keine Zahl. Geben Sie den Strom ein, den das Referenzmessgerät anzeigt, in mA, zum Beispiel %2.</translation>
    </message>
    <message>
        <source>Press Start to fix the loop current at 4 mA.</source>
        <translation>Drücken Sie Starten, um den Schleifenstrom auf 4 mA festzulegen.</translation>
    </message>
    <message>
        <source>Fixing the loop current at %1 mA...</source>
        <translation>Schleifenstrom wird auf %1 mA festgelegt...</translation>
    </message>
    <message>
        <source>The zero was trimmed. Read the meter again and type what it shows; within %1 mA of %2 mA the trim goes on.</source>
        <translation>Der Nullpunkt wurde abgeglichen. Lesen Sie das Messgerät erneut ab und geben Sie den Wert ein; innerhalb von %1 mA um %2 mA geht der Abgleich weiter.</translation>
    </message>
    <message>
        <source>The gain was trimmed. Read the meter again and type what it shows; within %1 mA of %2 mA the trim goes on.</source>
        <translation>Die Verstärkung wurde abgeglichen. Lesen Sie das Messgerät erneut ab und geben Sie den Wert ein; innerhalb von %1 mA um %2 mA geht der Abgleich weiter.</translation>
    </message>
    <message>
        <source>The loop current is fixed at %1 mA. Type what the reference meter shows.</source>
        <translation>Der Schleifenstrom steht fest auf %1 mA. Geben Sie ein, was das Referenzmessgerät anzeigt.</translation>
    </message>
    <message>
        <source>Trimming the zero...</source>
        <translation>Nullpunkt wird abgeglichen...</translation>
    </message>
    <message>
        <source>Trimming the gain...</source>
        <translation>Verstärkung wird abgeglichen...</translation>
    </message>
    <message>
        <source>Reading the loop current back...</source>
        <translation>Schleifenstrom wird zurückgelesen...</translation>
    </message>
    <message>
        <source>Letting the loop go (fixed-current mode off)...</source>
        <translation>Schleife wird freigegeben (Festwertmodus aus)...</translation>
    </message>
    <message>
        <source>The transmitter did not confirm the end of fixed-current mode: %1.</source>
        <translation>Der Messumformer hat das Ende des Festwertmodus nicht bestätigt: %1.</translation>
    </message>
    <message>
        <source>Done: the loop follows the level again.</source>
        <translation>Fertig: die Schleife folgt wieder dem Füllstand.</translation>
    </message>
    <message>
        <source>The transmitter drives %1 (command 2).</source>
        <translation>Der Messumformer liefert %1 (Befehl 2).</translation>
    </message>
    <message>
        <source>The trim stopped: %1.</source>
        <translation>Der Abgleich wurde beendet: %1.</translation>
    </message>
    <message>
        <source>4 mA: before %1, after %2 (%3 zero trims)
20 mA: before %4, after %5 (%6 gain trims)</source>
        <translation>4 mA: vorher %1, nachher %2 (%3 Nullpunktabgleiche)
20 mA: vorher %4, nachher %5 (%6 Verstärkungsabgleiche)</translation>
    </message>
    <message>
        <source>
The trim was not completed.</source>
        <translation>
Der Abgleich wurde nicht abgeschlossen.</translation>
    </message>
    <message>
        <source>The transmitter did not confirm the end of fixed-current mode (%1). Its loop may still be held, and the control system then does not see the real level.

Retry the release, or leave it and check the loop current yourself.</source>
        <translation>Der Messumformer hat das Ende des Festwertmodus nicht bestätigt (%1). Seine Schleife kann noch festgehalten sein, dann sieht das Leitsystem den wirklichen Füllstand nicht.

Wiederholen Sie die Freigabe, oder lassen Sie es und prüfen Sie den Schleifenstrom selbst.</translation>
    </message>
    <message>
        <source>Output trim</source>
        <translation>Ausgangsabgleich</translation>
    </message>
    <message>
        <source>The trim fixes the loop current at 4 mA and at 20 mA. Put the control system&apos;s loop in manual first, and connect a reference meter in series with the loop. The trim corrects the output stage only: the measuring range and the mounting effect stay as they are.</source>
        <translation>Der Abgleich legt den Schleifenstrom auf 4 mA und auf 20 mA fest. Schalten Sie die Schleife im Leitsystem zuerst auf Hand und schließen Sie ein Referenzmessgerät in Reihe mit der Schleife an. Der Abgleich korrigiert nur die Ausgangsstufe: Messbereich und Lagekorrektur bleiben, wie sie sind.</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Schritt</translation>
    </message>
    <message>
        <source>Loop current read back</source>
        <translation>Zurückgelesener Schleifenstrom</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>&amp;Meter reading (mA):</source>
        <translation>&amp;Messgerät zeigt (mA):</translation>
    </message>
    <message>
        <source>Meter reading in mA</source>
        <translation>Anzeige des Messgeräts in mA</translation>
    </message>
    <message>
        <source>&amp;Enter reading</source>
        <translation>&amp;Eintragen</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Retry release</source>
        <translation>Freigabe &amp;wiederholen</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>S&amp;chließen</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>This application can be used for configuring the Zanu Series Pelvanor &apos;I&apos; submersible level transmitters. It will only work on Zanu transmitters.</source>
        <translation>Mit diesem Programm werden die Tauchsonden-Füllstandsmessumformer der Zanu-Serie Pelvanor &apos;I&apos; konfiguriert. Es arbeitet nur mit Messumformern von Zanu.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeminformationen...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Systeminformationen sind zurzeit nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>Product picture</source>
        <translation>Produktbild</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 Zanu Level Instruments. All rights reserved.</source>
        <translation>Copyright (c) 2026 Zanu Level Instruments. Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>Zanu Level Instruments B.V., the Netherlands</source>
        <translation>Zanu Level Instruments B.V., Niederlande</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
<context>
    <name>hart</name>
    <message>
        <source>No COM port is set — choose one under Config &gt; COM-settings.</source>
        <translation>Kein COM-Port eingestellt — wählen Sie einen unter Konfiguration &gt; COM-Einstellungen.</translation>
    </message>
    <message>
        <source>COM %1 is not a port this program can use — choose COM 1 to COM 12 under Config &gt; COM-settings.</source>
        <translation>COM %1 kann dieses Programm nicht verwenden — wählen Sie COM 1 bis COM 12 unter Konfiguration &gt; COM-Einstellungen.</translation>
    </message>
    <message>
        <source>Command %1 is not a HART command number (0 to 255); nothing was sent.</source>
        <translation>Befehl %1 ist keine HART-Befehlsnummer (0 bis 255); es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>No transmitter has been identified on %1 yet, so command %2 was not sent — connect first, so that the transmitter is read and checked.</source>
        <translation>An %1 wurde noch kein Messumformer erkannt, daher wurde Befehl %2 nicht gesendet — zuerst verbinden, damit der Messumformer gelesen und geprüft wird.</translation>
    </message>
    <message>
        <source>Permission denied on %1 — add your user to the dialout group (sudo usermod -aG dialout $USER), then log out and in again.</source>
        <translation>Keine Berechtigung für %1 — fügen Sie Ihren Benutzer der Gruppe dialout hinzu (sudo usermod -aG dialout $USER), dann ab- und wieder anmelden.</translation>
    </message>
    <message>
        <source>parity</source>
        <translation>Parität</translation>
    </message>
    <message>
        <source>overrun</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>framing</source>
        <translation>Rahmenfehler</translation>
    </message>
    <message>
        <source>checksum</source>
        <translation>Prüfsumme</translation>
    </message>
    <message>
        <source>buffer overflow</source>
        <translation>Pufferüberlauf</translation>
    </message>
    <message>
        <source>the transmitter could not read our request (communication error 0x%1</source>
        <translation>der Messumformer konnte unsere Anfrage nicht lesen (Kommunikationsfehler 0x%1</translation>
    </message>
    <message>
        <source>the serial line is gone</source>
        <translation>die serielle Leitung ist nicht mehr da</translation>
    </message>
    <message>
        <source>the request does not fit in a HART frame (%1 data bytes)</source>
        <translation>die Anfrage passt nicht in einen HART-Frame (%1 Datenbytes)</translation>
    </message>
    <message>
        <source>the port could not be opened</source>
        <translation>der Port ließ sich nicht öffnen</translation>
    </message>
    <message>
        <source>checksum error in the reply</source>
        <translation>Prüfsummenfehler in der Antwort</translation>
    </message>
    <message>
        <source>a reply with an impossible byte count</source>
        <translation>eine Antwort mit unmöglicher Byteanzahl</translation>
    </message>
    <message>
        <source>the reply broke off</source>
        <translation>die Antwort brach ab</translation>
    </message>
    <message>
        <source>the port did not finish sending the request</source>
        <translation>der Port hat die Anfrage nicht zu Ende gesendet</translation>
    </message>
    <message>
        <source>the port stopped working</source>
        <translation>der Port funktioniert nicht mehr</translation>
    </message>
    <message>
        <source>No reply from the transmitter on %1 after %2 — check that the transmitter is powered, the loop has its load resistor and the modem is connected to this port.</source>
        <translation>Keine Antwort vom Messumformer an %1 nach %2 — prüfen Sie, ob der Messumformer versorgt ist, die Schleife ihre Bürde hat und das Modem an diesem Port angeschlossen ist.</translation>
    </message>
    <message>
        <source>Garbled replies from the transmitter on %1 after %2 (%3) — check the modem connection and the loop wiring for noise.</source>
        <translation>Gestörte Antworten vom Messumformer an %1 nach %2 (%3) — prüfen Sie den Modemanschluss und die Schleifenverdrahtung auf Störungen.</translation>
    </message>
    <message>
        <source>The request could not be sent on %1: %2.</source>
        <translation>Die Anfrage konnte an %1 nicht gesendet werden: %2.</translation>
    </message>
    <message>
        <source>manufacturer %1, device type %2, device id %3</source>
        <translation>Hersteller %1, Gerätetyp %2, Geräte-ID %3</translation>
    </message>
    <message>
        <source>COM %1 cannot be used — choose another one under Config &gt; COM-settings.</source>
        <translation>COM %1 ist nicht verwendbar — wählen Sie einen anderen unter Konfiguration &gt; COM-Einstellungen.</translation>
    </message>
    <message>
        <source>A different device now answers on %1 (%2), not the transmitter that was read (%3). Nothing was sent to it — connect again to read and check the device now connected.</source>
        <translation>An %1 antwortet jetzt ein anderes Gerät (%2), nicht der gelesene Messumformer (%3). Es wurde nichts an das Gerät gesendet — verbinden Sie erneut, um das jetzt angeschlossene Gerät zu lesen und zu prüfen.</translation>
    </message>
</context>
<context>
    <name>health</name>
    <message>
        <source>device malfunction</source>
        <translation>Gerätestörung</translation>
    </message>
    <message>
        <source>The transmitter has found a fault in itself (sensor or electronics). Its measurement cannot be trusted.</source>
        <translation>Der Messumformer hat einen Fehler an sich selbst festgestellt (Sensor oder Elektronik). Seinem Messwert ist nicht zu trauen.</translation>
    </message>
    <message>
        <source>Read the additional status below for details. Power the transmitter off and on; if the fault stays, replace the transmitter or send it in for repair.</source>
        <translation>Einzelheiten im erweiterten Status unten. Messumformer aus- und wieder einschalten; bleibt der Fehler, den Messumformer tauschen oder zur Reparatur einsenden.</translation>
    </message>
    <message>
        <source>configuration changed</source>
        <translation>Konfiguration geändert</translation>
    </message>
    <message>
        <source>The configuration was changed (by this program or another master) since the flag was last cleared.</source>
        <translation>Die Konfiguration wurde geändert (von diesem Programm oder einem anderen Master), seit das Kennzeichen zuletzt zurückgesetzt wurde.</translation>
    </message>
    <message>
        <source>Check that the configuration is the intended one, then clear the flag so that the next change shows.</source>
        <translation>Prüfen Sie, ob die Konfiguration die gewünschte ist, und setzen Sie dann das Kennzeichen zurück, damit die nächste Änderung auffällt.</translation>
    </message>
    <message>
        <source>cold start</source>
        <translation>Kaltstart</translation>
    </message>
    <message>
        <source>The transmitter has just been powered up or reset.</source>
        <translation>Der Messumformer wurde gerade eingeschaltet oder zurückgesetzt.</translation>
    </message>
    <message>
        <source>Nothing, unless it was not expected: then look for a loose wire or a supply that drops out.</source>
        <translation>Nichts, außer es kam unerwartet: dann nach einer losen Ader oder einer aussetzenden Versorgung suchen.</translation>
    </message>
    <message>
        <source>more status available</source>
        <translation>weiterer Status verfügbar</translation>
    </message>
    <message>
        <source>The transmitter holds more status information than this byte shows.</source>
        <translation>Der Messumformer hat mehr Statusinformationen, als dieses Byte zeigt.</translation>
    </message>
    <message>
        <source>Read the additional status (command 48) below.</source>
        <translation>Lesen Sie unten den erweiterten Status (Befehl 48).</translation>
    </message>
    <message>
        <source>loop current fixed</source>
        <translation>Schleifenstrom fest</translation>
    </message>
    <message>
        <source>The loop current is held at a fixed value (a loop test, or a polling address other than 0). The control system does not see the level.</source>
        <translation>Der Schleifenstrom wird auf einem festen Wert gehalten (ein Schleifentest oder eine Polling-Adresse ungleich 0). Das Leitsystem sieht den Füllstand nicht.</translation>
    </message>
    <message>
        <source>This program holds it: end the simulation (output signal, Abort), or finish the loop check, which releases it itself.</source>
        <translation>Dieses Programm hält ihn: beenden Sie die Simulation (Ausgangssignal, Abbrechen) oder schließen Sie den Schleifentest ab, der ihn selbst freigibt.</translation>
    </message>
    <message>
        <source>No simulation of this program holds it: another master (a handheld, another program&apos;s loop test) fixed it, or the transmitter answers at a polling address other than 0. Release it with &quot;Release loop current&quot; below; if it stays fixed, set the polling address to 0 with Config, Find transmitter.</source>
        <translation>Keine Simulation dieses Programms hält ihn: ein anderer Master (ein Handterminal, der Schleifentest eines anderen Programms) hat ihn festgelegt, oder der Messumformer antwortet an einer Polling-Adresse ungleich 0. Geben Sie ihn unten mit &quot;Schleifenstrom freigeben&quot; frei; bleibt er fest, setzen Sie die Polling-Adresse mit Konfiguration, Messumformer suchen auf 0.</translation>
    </message>
    <message>
        <source>loop current saturated</source>
        <translation>Schleifenstrom in Sättigung</translation>
    </message>
    <message>
        <source>The level is outside the measuring range: the loop current stays at its lower or upper end and no longer follows the level.</source>
        <translation>Der Füllstand liegt außerhalb des Messbereichs: der Schleifenstrom bleibt an seinem unteren oder oberen Ende und folgt dem Füllstand nicht mehr.</translation>
    </message>
    <message>
        <source>Check the level, and the measuring range (zero and span) against it.</source>
        <translation>Prüfen Sie den Füllstand und den Messbereich (Nullpunkt und Spanne) daran.</translation>
    </message>
    <message>
        <source>secondary variable out of limits</source>
        <translation>Nebenvariable außerhalb der Grenzen</translation>
    </message>
    <message>
        <source>A variable other than the pressure (for example the temperature of the electronics) is outside what the transmitter can measure.</source>
        <translation>Eine andere Größe als der Druck (zum Beispiel die Temperatur der Elektronik) liegt außerhalb dessen, was der Messumformer messen kann.</translation>
    </message>
    <message>
        <source>Check the conditions where the transmitter is installed.</source>
        <translation>Prüfen Sie die Bedingungen am Einbauort des Messumformers.</translation>
    </message>
    <message>
        <source>pressure out of sensor limits</source>
        <translation>Druck außerhalb der Sensorgrenzen</translation>
    </message>
    <message>
        <source>The pressure is outside the sensor&apos;s limits: the reading is not accurate.</source>
        <translation>Der Druck liegt außerhalb der Sensorgrenzen: der Messwert ist ungenau.</translation>
    </message>
    <message>
        <source>Check that the transmitter&apos;s model suits the depth of liquid above it, and that the sensor is not blocked or damaged.</source>
        <translation>Prüfen Sie, ob das Modell des Messumformers zur Flüssigkeitshöhe über ihm passt und ob der Sensor nicht verstopft oder beschädigt ist.</translation>
    </message>
    <message>
        <source>device-specific status %1</source>
        <translation>gerätespezifischer Status %1</translation>
    </message>
    <message>
        <source>extended device status</source>
        <translation>erweiterter Gerätestatus</translation>
    </message>
    <message>
        <source>operating mode</source>
        <translation>Betriebsart</translation>
    </message>
    <message>
        <source>analog outputs saturated</source>
        <translation>Analogausgänge in Sättigung</translation>
    </message>
    <message>
        <source>analog outputs fixed</source>
        <translation>Analogausgänge fest</translation>
    </message>
    <message>
        <source>: sensor fault</source>
        <translation>: Sensorfehler</translation>
    </message>
</context>
<context>
    <name>history</name>
    <message>
        <source>No history is recorded for serial number %1.</source>
        <translation>Für die Seriennummer %1 ist kein Verlauf aufgezeichnet.</translation>
    </message>
    <message>
        <source>Earlier entries left out here: %1. File &gt; History… shows them all.</source>
        <translation>Hier ausgelassene ältere Einträge: %1. Datei &gt; Verlauf… zeigt alle.</translation>
    </message>
</context>
<context>
    <name>history::HistoryWindow</name>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Was</translation>
    </message>
    <message>
        <source>Old → New</source>
        <translation>Alt → Neu</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>&amp;History…</source>
        <translation>Ver&amp;lauf…</translation>
    </message>
    <message>
        <source>%1 %2 on %3, port %4</source>
        <translation>%1 %2 auf %3, Port %4</translation>
    </message>
    <message>
        <source>The history could not be saved to %1: %2</source>
        <translation>Der Verlauf konnte nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Export history</source>
        <translation>Verlauf exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source> Choose another file or folder.</source>
        <translation> Wählen Sie eine andere Datei oder einen anderen Ordner.</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>TAG</translation>
    </message>
    <message>
        <source>Last seen</source>
        <translation>Zuletzt gesehen</translation>
    </message>
    <message>
        <source>Transmitters seen</source>
        <translation>Gesehene Messumformer</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>Zeitleiste</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>any</source>
        <translation>beliebig</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Bis</translation>
    </message>
    <message>
        <source>&amp;Export CSV…</source>
        <translation>CSV &amp;exportieren…</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>F&amp;rom:</source>
        <translation>&amp;Von:</translation>
    </message>
    <message>
        <source>&amp;To:</source>
        <translation>&amp;Bis:</translation>
    </message>
</context>
<context>
    <name>history::Recorder</name>
    <message>
        <source>The history %1 cannot be written (%2); reads and writes go on unrecorded. Free disk space or make the folder writable.</source>
        <translation>Der Verlauf %1 kann nicht geschrieben werden (%2); Lese- und Schreibvorgänge laufen unaufgezeichnet weiter. Geben Sie Speicherplatz frei oder machen Sie den Ordner beschreibbar.</translation>
    </message>
</context>
<context>
    <name>history::Store</name>
    <message>
        <source>The history %1 is damaged and could not be moved aside; nothing is recorded. Move or delete the file.</source>
        <translation>Der Verlauf %1 ist beschädigt und konnte nicht beiseitegelegt werden; nichts wird aufgezeichnet. Verschieben oder löschen Sie die Datei.</translation>
    </message>
    <message>
        <source>The history %1 was damaged; it was moved to %2 and a new history started.</source>
        <translation>Der Verlauf %1 war beschädigt; er wurde nach %2 verschoben und ein neuer Verlauf begonnen.</translation>
    </message>
    <message>
        <source>The history %1 cannot be opened (%2); reads and writes go on unrecorded. Make its folder writable or free disk space.</source>
        <translation>Der Verlauf %1 kann nicht geöffnet werden (%2); Lese- und Schreibvorgänge laufen unaufgezeichnet weiter. Machen Sie seinen Ordner beschreibbar oder geben Sie Speicherplatz frei.</translation>
    </message>
</context>
<context>
    <name>i18n::LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>S&amp;prache</translation>
    </message>
    <message>
        <source>&amp;System language</source>
        <translation>&amp;Systemsprache</translation>
    </message>
</context>
<context>
    <name>records</name>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>unit and range</source>
        <translation>Einheit und Messbereich</translation>
    </message>
    <message>
        <source>damping and output direction</source>
        <translation>Dämpfung und Ausgangsrichtung</translation>
    </message>
    <message>
        <source>tag, descriptor and date</source>
        <translation>TAG-Nummer, Beschreibung und Datum</translation>
    </message>
    <message>
        <source>device malfunction</source>
        <translation>Gerätestörung</translation>
    </message>
    <message>
        <source>configuration changed</source>
        <translation>Konfiguration geändert</translation>
    </message>
    <message>
        <source>cold start</source>
        <translation>Kaltstart</translation>
    </message>
    <message>
        <source>more status available</source>
        <translation>weiterer Status verfügbar</translation>
    </message>
    <message>
        <source>loop current fixed</source>
        <translation>Schleifenstrom fest</translation>
    </message>
    <message>
        <source>loop current saturated</source>
        <translation>Schleifenstrom in Sättigung</translation>
    </message>
    <message>
        <source>non-primary variable out of limits</source>
        <translation>Nebenvariable außerhalb der Grenzen</translation>
    </message>
    <message>
        <source>primary variable out of limits</source>
        <translation>Primärvariable außerhalb der Grenzen</translation>
    </message>
    <message>
        <source>OK (no status bits set)</source>
        <translation>OK (kein Statusbit gesetzt)</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Hersteller</translation>
    </message>
    <message>
        <source>Device type</source>
        <translation>Gerätetyp</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>Geräte-ID</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>HART revision</source>
        <translation>HART-Revision</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>TAG-Nummer</translation>
    </message>
    <message>
        <source>Descriptor</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Lower range value (4 mA)</source>
        <translation>Messanfang (4 mA)</translation>
    </message>
    <message>
        <source>Upper range value (20 mA)</source>
        <translation>Messende (20 mA)</translation>
    </message>
    <message>
        <source>Damping</source>
        <translation>Dämpfung</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgang</translation>
    </message>
    <message>
        <source>Upper sensor limit</source>
        <translation>Obere Sensorgrenze</translation>
    </message>
    <message>
        <source>Lower sensor limit</source>
        <translation>Untere Sensorgrenze</translation>
    </message>
    <message>
        <source>Minimum span</source>
        <translation>Minimale Spanne</translation>
    </message>
</context>
</TS>
