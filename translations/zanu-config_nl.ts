<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>DeviceHealth</name>
    <message>
        <source>The transmitter&apos;s loop current is fixed at %1 mA.

While it stays fixed, the control system does not see the level.

Release the loop current now, so that it follows the level again?</source>
        <translation>De lusstroom van de transmitter staat vast op %1 mA.

Zolang hij vast blijft, ziet het besturingssysteem het niveau niet.

De lusstroom nu vrijgeven, zodat hij het niveau weer volgt?</translation>
    </message>
    <message>
        <source>Loop current fixed</source>
        <translation>Lusstroom vast</translation>
    </message>
    <message>
        <source>Release the transmitter&apos;s loop current?

It is fixed, and no simulation of this program holds it: another master or a loop test fixed it. Released, it follows the level again; a tool that still relies on the fixed value loses it.</source>
        <translation>De lusstroom van de transmitter vrijgeven?

Hij staat vast, en geen simulatie van dit programma houdt hem vast: een andere master of een lustest heeft hem vastgezet. Vrijgegeven volgt hij het niveau weer; een hulpmiddel dat nog op de vaste waarde rekent, verliest die.</translation>
    </message>
    <message>
        <source>Release loop current</source>
        <translation>Lusstroom vrijgeven</translation>
    </message>
    <message>
        <source>The transmitter on COM %1 answers at polling address %2, not 0. At a polling address other than 0 its loop current stays fixed at 4 mA (multidrop), so the control system does not see the level.

Set its polling address to 0?

Warning: this changes its loop current mode. The loop current then follows the level again; on a loop shared with other transmitters (multidrop) this disturbs them.</source>
        <translation>De transmitter op COM %1 antwoordt op pollingadres %2, niet 0. Bij een ander pollingadres dan 0 blijft zijn lusstroom vast op 4 mA (multidrop), zodat het besturingssysteem het niveau niet ziet.

Het pollingadres op 0 zetten?

Waarschuwing: dit wijzigt de lusstroommodus. De lusstroom volgt dan weer het niveau; in een lus die met andere transmitters wordt gedeeld (multidrop) stoort dit die transmitters.</translation>
    </message>
    <message>
        <source>Polling address</source>
        <translation>Pollingadres</translation>
    </message>
    <message>
        <source>simulated transmitter</source>
        <translation>gesimuleerde transmitter</translation>
    </message>
    <message>
        <source>the line the main window uses</source>
        <translation>de lijn van het hoofdvenster</translation>
    </message>
</context>
<context>
    <name>DeviceStatusWindow</name>
    <message>
        <source>No answer since %1.</source>
        <translation>Geen antwoord sinds %1.</translation>
    </message>
    <message>
        <source>No reply from the transmitter yet.</source>
        <translation>Nog geen antwoord van de transmitter.</translation>
    </message>
    <message>
        <source>%1 Status byte of the last reply before: %2; the conditions below may no longer hold.</source>
        <translation>%1 Statusbyte van het laatste antwoord daarvoor: %2; de toestanden hieronder gelden mogelijk niet meer.</translation>
    </message>
    <message>
        <source>Status byte of the latest reply: %1</source>
        <translation>Statusbyte van het laatste antwoord: %1</translation>
    </message>
    <message>
        <source>%1: %2
What to do: %3</source>
        <translation>%1: %2
Wat te doen: %3</translation>
    </message>
    <message>
        <source>The transmitter reports no condition: it is healthy.</source>
        <translation>De transmitter meldt geen toestand: hij is in orde.</translation>
    </message>
    <message>
        <source>Not read yet.</source>
        <translation>Nog niet gelezen.</translation>
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
        <translation>Geen bit gezet.</translation>
    </message>
    <message>
        <source>Device status</source>
        <translation>Apparaatstatus</translation>
    </message>
    <message>
        <source>Transmitter</source>
        <translation>Transmitter</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>Fabrikant:</translation>
    </message>
    <message>
        <source>Device type:</source>
        <translation>Apparaattype:</translation>
    </message>
    <message>
        <source>Device ID:</source>
        <translation>Apparaat-ID:</translation>
    </message>
    <message>
        <source>HART revision:</source>
        <translation>HART-revisie:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Serienummer:</translation>
    </message>
    <message>
        <source>Tag:</source>
        <translation>Tagnummer:</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Conditions</source>
        <translation>Toestanden</translation>
    </message>
    <message>
        <source>C&amp;lear &quot;configuration changed&quot;</source>
        <translation>„Configuratie gewijzigd” &amp;wissen</translation>
    </message>
    <message>
        <source>Rel&amp;ease loop current</source>
        <translation>Lusstroom vrij&amp;geven</translation>
    </message>
    <message>
        <source>Additional status (command 48)</source>
        <translation>Aanvullende status (commando 48)</translation>
    </message>
    <message>
        <source>Additional status</source>
        <translation>Aanvullende status</translation>
    </message>
    <message>
        <source>&amp;Read additional status</source>
        <translation>Aanvullende status &amp;lezen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Sluiten</translation>
    </message>
</context>
<context>
    <name>FinderWindow</name>
    <message>
        <source>Trying %1, polling address %2 …</source>
        <translation>Bezig met %1, pollingadres %2 …</translation>
    </message>
    <message>
        <source>No serial port found. Connect the HART modem, then press Scan again.</source>
        <translation>Geen seriële poort gevonden. Sluit het HART-modem aan en druk dan op Opnieuw zoeken.</translation>
    </message>
    <message>
        <source>Scanning %1 port(s) …</source>
        <translation>Bezig met zoeken op %1 poort(en) …</translation>
    </message>
    <message>
        <source>Scan cancelled; every port is closed again.</source>
        <translation>Zoeken geannuleerd; alle poorten zijn weer gesloten.</translation>
    </message>
    <message>
        <source>No transmitter answered on %1 port(s). Check that the modem is connected to the loop (with a load of at least 250 Ω) and that the transmitter is powered.</source>
        <translation>Geen transmitter heeft geantwoord op %1 poort(en). Controleer of het modem op de lus is aangesloten (met een belastingsweerstand van ten minste 250 Ω) en of de transmitter gevoed wordt.</translation>
    </message>
    <message>
        <source>%1 transmitter(s) found.</source>
        <translation>%1 transmitter(s) gevonden.</translation>
    </message>
    <message>
        <source>Select a transmitter in the list first.</source>
        <translation>Kies eerst een transmitter in de lijst.</translation>
    </message>
    <message>
        <source>Not a Zanu transmitter (manufacturer %1, device type %2): this program configures only Zanu&apos;s Pelvanor I and Ostrimel transmitters. Use its maker&apos;s tool for it.</source>
        <translation>Geen Zanu-transmitter (fabrikant %1, apparaattype %2): dit programma configureert alleen de transmitters Pelvanor I en Ostrimel van Zanu. Gebruik hiervoor het hulpmiddel van de fabrikant.</translation>
    </message>
    <message>
        <source>%1 has no COM number, and this program opens its port by COM number.

To use it, give it one: start the program with the environment variable ZANU_COMn set to the device, for example
    ZANU_COM5=%1
then choose that COM port (here COM 5) under Config, COM-settings, or find it again here.</source>
        <translation>%1 heeft geen COM-nummer, en dit programma opent zijn poort via het COM-nummer.

Geef hem er een om hem te gebruiken: start het programma met de omgevingsvariabele ZANU_COMn ingesteld op het apparaat, bijvoorbeeld
    ZANU_COM5=%1
kies dan die COM-poort (hier COM 5) onder Configuratie, COM-instellingen, of zoek hem hier opnieuw.</translation>
    </message>
    <message>
        <source>Find transmitter</source>
        <translation>Transmitter zoeken</translation>
    </message>
    <message>
        <source>Scan progress</source>
        <translation>Voortgang van het zoeken</translation>
    </message>
    <message>
        <source>Transmitters found</source>
        <translation>Gevonden transmitters</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Poort</translation>
    </message>
    <message>
        <source>COM</source>
        <translation>COM</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adres</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Fabrikant</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>Apparaat-ID</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Tagnummer</translation>
    </message>
    <message>
        <source>&amp;Use this port</source>
        <translation>Deze poort &amp;gebruiken</translation>
    </message>
    <message>
        <source>Scan &amp;again</source>
        <translation>&amp;Opnieuw zoeken</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Sluiten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Ports that could not be scanned:
</source>
        <translation>Poorten die niet doorzocht konden worden:
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
        <translation>Configuratiegegevens</translation>
    </message>
    <message>
        <source>Fixed Data</source>
        <translation>Vaste gegevens</translation>
    </message>
    <message>
        <source>Minimum Span:</source>
        <translation>Min. span:</translation>
    </message>
    <message>
        <source>Minimum Span</source>
        <translation>Minimale span</translation>
    </message>
    <message>
        <source>Unit of minimum span</source>
        <translation>Eenheid van de minimale span</translation>
    </message>
    <message>
        <source>Maximum Span:</source>
        <translation>Max. span:</translation>
    </message>
    <message>
        <source>Maximum Span</source>
        <translation>Maximale span</translation>
    </message>
    <message>
        <source>Unit of maximum span</source>
        <translation>Eenheid van de maximale span</translation>
    </message>
    <message>
        <source>Minimum Zero:</source>
        <translation>Min. nulpunt:</translation>
    </message>
    <message>
        <source>Minimum Zero</source>
        <translation>Minimaal nulpunt</translation>
    </message>
    <message>
        <source>Unit of minimum zero</source>
        <translation>Eenheid van het minimale nulpunt</translation>
    </message>
    <message>
        <source>Measuring Range</source>
        <translation>Meetbereik</translation>
    </message>
    <message>
        <source>Zero:</source>
        <translation>Nulpunt:</translation>
    </message>
    <message>
        <source>Zero</source>
        <translation>Nulpunt</translation>
    </message>
    <message>
        <source>Unit of zero</source>
        <translation>Eenheid van het nulpunt</translation>
    </message>
    <message>
        <source>Changed</source>
        <translation>Gewijzigd</translation>
    </message>
    <message>
        <source>Zero changed</source>
        <translation>Nulpunt gewijzigd</translation>
    </message>
    <message>
        <source>Span:</source>
        <translation>Span:</translation>
    </message>
    <message>
        <source>Span</source>
        <translation>Span</translation>
    </message>
    <message>
        <source>Unit of span</source>
        <translation>Eenheid van de span</translation>
    </message>
    <message>
        <source>Span changed</source>
        <translation>Span gewijzigd</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>Eenheid:</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Eenheid</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Zenden</translation>
    </message>
    <message>
        <source>Send unit and range</source>
        <translation>Eenheid en meetbereik zenden</translation>
    </message>
    <message>
        <source>Set Current Pressure As 4 mA</source>
        <translation>Druk als 4 mA overnemen</translation>
    </message>
    <message>
        <source>Set Current Pressure As 20 mA</source>
        <translation>Druk als 20 mA overnemen</translation>
    </message>
    <message>
        <source>Extra</source>
        <translation>Overig</translation>
    </message>
    <message>
        <source>Damping:</source>
        <translation>Demping:</translation>
    </message>
    <message>
        <source>Damping</source>
        <translation>Demping</translation>
    </message>
    <message>
        <source>Sec.</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Output:</source>
        <translation>Uitgang:</translation>
    </message>
    <message>
        <source>4-20 mA</source>
        <translation>4-20 mA</translation>
    </message>
    <message>
        <source>Output direction</source>
        <translation>Uitgangsrichting</translation>
    </message>
    <message>
        <source>20-4 mA</source>
        <translation>20-4 mA</translation>
    </message>
    <message>
        <source>Send damping and output</source>
        <translation>Demping en uitgangsrichting zenden</translation>
    </message>
    <message>
        <source>Mounting effect</source>
        <translation>Montagecorrectie</translation>
    </message>
    <message>
        <source>Send mounting effect</source>
        <translation>Montagecorrectie zenden</translation>
    </message>
    <message>
        <source>Current Simulation:</source>
        <translation>Stroomsimulatie:</translation>
    </message>
    <message>
        <source>Fixed Current (mA):</source>
        <translation>Vaste stroom (mA):</translation>
    </message>
    <message>
        <source>Fixed Current (mA)</source>
        <translation>Vaste stroom (mA)</translation>
    </message>
    <message>
        <source>Fixed loop current simulation</source>
        <translation>Simulatie van een vaste lusstroom</translation>
    </message>
    <message>
        <source>Output signal of transmitter</source>
        <translation>Uitgangssignaal van de transmitter</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Aan</translation>
    </message>
    <message>
        <source>Output monitoring</source>
        <translation>Uitgangsbewaking</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Uit</translation>
    </message>
    <message>
        <source>Loop current (mA)</source>
        <translation>Lusstroom (mA)</translation>
    </message>
    <message>
        <source>mA</source>
        <translation>mA</translation>
    </message>
    <message>
        <source>Percent of range</source>
        <translation>Procent van het meetbereik</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Output signal</source>
        <translation>Uitgangssignaal</translation>
    </message>
    <message>
        <source>Tag Number:</source>
        <translation>Tagnummer:</translation>
    </message>
    <message>
        <source>Tag Number</source>
        <translation>Tagnummer</translation>
    </message>
    <message>
        <source>Send tag</source>
        <translation>Tag zenden</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Voortgang</translation>
    </message>
    <message>
        <source>Co&amp;nnect</source>
        <translation>&amp;Verbinden</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>Af&amp;sluiten</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Bestand</translation>
    </message>
    <message>
        <source>&amp;Config</source>
        <translation>&amp;Configuratie</translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation>&amp;Apparaat</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Over</translation>
    </message>
    <message>
        <source>COM-&amp;settings</source>
        <translation>COM-&amp;instellingen</translation>
    </message>
    <message>
        <source>&amp;Find transmitter…</source>
        <translation>Transmitter &amp;zoeken…</translation>
    </message>
    <message>
        <source>Device &amp;status…</source>
        <translation>Apparaat&amp;status…</translation>
    </message>
    <message>
        <source>&amp;Loop check…</source>
        <translation>&amp;Lustest…</translation>
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
        <translation>Terugzetten</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Instellen</translation>
    </message>
    <message>
        <source>Up to 8 characters. The transmitter stores letters as upper case; a character it cannot store shows as ?.</source>
        <translation>Maximaal 8 tekens. De transmitter slaat letters op als hoofdletters; een teken dat hij niet kan opslaan, verschijnt als ?.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tijd</translation>
    </message>
    <message>
        <source>Transmitter serial number</source>
        <translation>Serienummer van de transmitter</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>&amp;Output trim…</source>
        <translation>&amp;Uitgang trimmen…</translation>
    </message>
    <message>
        <source>COM %1, read from it, is used.</source>
        <translation>COM %1, daaruit gelezen, wordt gebruikt.</translation>
    </message>
    <message>
        <source>No COM port could be taken from it.</source>
        <translation>Er kon geen COM-poort uit worden gehaald.</translation>
    </message>
    <message>
        <source>The settings file could not be read properly.

%1

%2 Choose the port under Config, COM-settings to write the file anew.</source>
        <translation>Het instellingenbestand kon niet goed worden gelezen.

%1

%2 Kies de poort onder Configuratie, COM-instellingen om het bestand opnieuw te schrijven.</translation>
    </message>
    <message>
        <source>Please, Abort Current Simulation Before Exit!!!</source>
        <translation>Breek de stroomsimulatie af voordat u afsluit!</translation>
    </message>
    <message>
        <source>The COM port could not be saved for the next start.

%1

COM %2 is used until the program is closed. To keep the choice, put that right, then choose the port again under Config, COM-settings.</source>
        <translation>De COM-poort kon niet worden opgeslagen voor de volgende start.

%1

COM %2 wordt gebruikt tot het programma wordt gesloten. Om de keuze te bewaren, verhelpt u dat en kiest u de poort opnieuw onder Configuratie, COM-instellingen.</translation>
    </message>
    <message>
        <source>COM %1 is saved in %2, because the program&apos;s folder may not be written to.</source>
        <translation>COM %1 is opgeslagen in %2, omdat er niet in de map van het programma mag worden geschreven.</translation>
    </message>
    <message>
        <source>

The program starts with the port in %1, which an administrator put there; ask to have it changed or removed to start on COM %2.</source>
        <translation>

Het programma start met de poort in %1, die een beheerder daar heeft neergezet; vraag om die te wijzigen of te verwijderen om op COM %2 te starten.</translation>
    </message>
    <message>
        <source>Transmitter Serialnumber: </source>
        <translation>Serienummer transmitter: </translation>
    </message>
    <message>
        <source>Re&amp;fresh</source>
        <translation>&amp;Vernieuwen</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Afbreken</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>Config COM-port</source>
        <translation>COM-poort instellen</translation>
    </message>
    <message>
        <source>Use COM - Port:</source>
        <translation>COM-poort:</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>Af&amp;sluiten</translation>
    </message>
    <message>
        <source>present</source>
        <translation>aanwezig</translation>
    </message>
    <message>
        <source>absent</source>
        <translation>afwezig</translation>
    </message>
</context>
<context>
    <name>LoopCheckProcedure</name>
    <message>
        <source>Fixing the current at %1: %2</source>
        <translation>Vastzetten van de stroom op %1: %2</translation>
    </message>
    <message>
        <source>Reading back at %1: %2</source>
        <translation>Teruglezen bij %1: %2</translation>
    </message>
    <message>
        <source>At %1: %2</source>
        <translation>Bij %1: %2</translation>
    </message>
</context>
<context>
    <name>LoopCheckResult</name>
    <message>
        <source>Passed</source>
        <translation>Geslaagd</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Niet geslaagd</translation>
    </message>
    <message>
        <source>Incomplete</source>
        <translation>Onvolledig</translation>
    </message>
    <message>
        <source>Skipped</source>
        <translation>Overgeslagen</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>Goed</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>Fout</translation>
    </message>
</context>
<context>
    <name>LoopCheckWindow</name>
    <message>
        <source>Loop check</source>
        <translation>Lustest</translation>
    </message>
    <message>
        <source>Save loop check</source>
        <translation>Lustest opslaan</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-bestanden (*.csv)</translation>
    </message>
    <message>
        <source>The check stopped: %1.</source>
        <translation>De test is gestopt: %1.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>&amp;Points (mA):</source>
        <translation>&amp;Punten (mA):</translation>
    </message>
    <message>
        <source>Currents in mA, separated by semicolons or blanks, each above 3.9 and below 20.1</source>
        <translation>Stromen in mA, gescheiden door puntkomma’s of spaties, elk boven 3,9 en onder 20,1</translation>
    </message>
    <message>
        <source>&amp;Tolerance:</source>
        <translation>&amp;Tolerantie:</translation>
    </message>
    <message>
        <source>% of span</source>
        <translation>% van de span</translation>
    </message>
    <message>
        <source>Tolerance unit</source>
        <translation>Eenheid van de tolerantie</translation>
    </message>
    <message>
        <source>&amp;Settling time (s):</source>
        <translation>&amp;Insteltijd (s):</translation>
    </message>
    <message>
        <source>Loop check points</source>
        <translation>Punten van de lustest</translation>
    </message>
    <message>
        <source>Point (mA)</source>
        <translation>Punt (mA)</translation>
    </message>
    <message>
        <source>Read back (mA)</source>
        <translation>Teruggelezen (mA)</translation>
    </message>
    <message>
        <source>Measured (mA)</source>
        <translation>Gemeten (mA)</translation>
    </message>
    <message>
        <source>Deviation (mA)</source>
        <translation>Afwijking (mA)</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Resultaat</translation>
    </message>
    <message>
        <source>&amp;Measured (mA):</source>
        <translation>&amp;Gemeten (mA):</translation>
    </message>
    <message>
        <source>&amp;Enter</source>
        <translation>In&amp;voeren</translation>
    </message>
    <message>
        <source>S&amp;kip</source>
        <translation>&amp;Overslaan</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>Te&amp;rug</translation>
    </message>
    <message>
        <source>St&amp;art</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuleren</translation>
    </message>
    <message>
        <source>&amp;Retry release</source>
        <translation>Vrijgave &amp;herhalen</translation>
    </message>
    <message>
        <source>Sa&amp;ve CSV…</source>
        <translation>CSV ops&amp;laan…</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>Sl&amp;uiten</translation>
    </message>
    <message>
        <source>&amp;Trim output…</source>
        <translation>Uitgang tri&amp;mmen…</translation>
    </message>
    <message>
        <source>Trim output</source>
        <translation>Uitgang trimmen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a point the transmitter can hold. Enter currents above 3.9 and below 20.1 mA, separated by semicolons or blanks, e.g. 4; 8; 12; 16; 20.</source>
        <translation>&quot;%1&quot; is geen punt dat de transmitter kan vasthouden. Voer stromen boven 3,9 en onder 20,1 mA in, gescheiden door puntkomma’s of spaties, bijv. 4; 8; 12; 16; 20.</translation>
    </message>
    <message>
        <source>No points are given. Enter at least one current between 3.9 and 20.1 mA, e.g. 4; 8; 12; 16; 20.</source>
        <translation>Er zijn geen punten opgegeven. Voer ten minste één stroom tussen 3,9 en 20,1 mA in, bijv. 4; 8; 12; 16; 20.</translation>
    </message>
    <message>
        <source>The tolerance &quot;%1&quot; is not usable. Enter a number above 0 and at most %2 %3, e.g. 0.05 mA.</source>
        <translation>De tolerantie &quot;%1&quot; is niet bruikbaar. Voer een getal boven 0 en ten hoogste %2 %3 in, bijv. 0,05 mA.</translation>
    </message>
    <message>
        <source>The settling time &quot;%1&quot; is not usable. Enter the seconds to wait at each point, from 0 to %2, e.g. 2.</source>
        <translation>De insteltijd &quot;%1&quot; is niet bruikbaar. Voer de seconden in die bij elk punt gewacht worden, van 0 tot %2, bijv. 2.</translation>
    </message>
    <message>
        <source>A loop current is being simulated from the Current Simulation panel. The loop check sets the current itself and would end that simulation behind the panel&apos;s back. Press Abort in the panel first, then start the loop check.</source>
        <translation>In het paneel Stroomsimulatie wordt een lusstroom gesimuleerd. De lustest stelt de stroom zelf in en zou die simulatie buiten het paneel om beëindigen. Druk eerst in het paneel op Afbreken en start dan de lustest.</translation>
    </message>
    <message>
        <source>The output trim holds the loop current. Finish or cancel it in the Output trim window, then start the loop check.</source>
        <translation>Het trimmen van de uitgang houdt de lusstroom vast. Rond het af of annuleer het in het venster Uitgang trimmen en start dan de lustest.</translation>
    </message>
    <message>
        <source>No transmitter has been read yet. Connect to the transmitter (File, Connect) and wait until its data are shown, then start the loop check.</source>
        <translation>Er is nog geen transmitter gelezen. Maak verbinding met de transmitter (Bestand, Verbinden) en wacht tot zijn gegevens getoond worden; start dan de lustest.</translation>
    </message>
    <message>
        <source>The main window is still sending to the transmitter. Wait until it has finished, then start the loop check.</source>
        <translation>Het hoofdvenster zendt nog naar de transmitter. Wacht tot het klaar is en start dan de lustest.</translation>
    </message>
    <message>
        <source>The main window started sending to the transmitter. Wait until it has finished, then start the loop check again.</source>
        <translation>Het hoofdvenster is begonnen naar de transmitter te zenden. Wacht tot het klaar is en start dan de lustest opnieuw.</translation>
    </message>
    <message>
        <source>skip</source>
        <comment>typed instead of a reading</comment>
        <translation>overslaan</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a reading. Type the current in mA (e.g. %2), or &quot;skip&quot;.</source>
        <translation>&quot;%1&quot; is geen meetwaarde. Typ de stroom in mA (bijv. %2) of &quot;overslaan&quot;.</translation>
    </message>
    <message>
        <source>skipped</source>
        <translation>overgeslagen</translation>
    </message>
    <message>
        <source>Point %1 of %2</source>
        <translation>Punt %1 van %2</translation>
    </message>
    <message>
        <source>The check was left without the transmitter confirming the end of fixed-current mode. Check the loop current.</source>
        <translation>De test is verlaten zonder dat de transmitter het einde van de vaste stroom heeft bevestigd. Controleer de lusstroom.</translation>
    </message>
    <message>
        <source>Set the points, the tolerance and the settling time, then press Start. The loop current will be fixed at each point in turn: tell the control room before you start.</source>
        <translation>Stel de punten, de tolerantie en de insteltijd in en druk op Starten. De lusstroom wordt achtereenvolgens op elk punt vastgezet: licht de controlekamer in voordat u start.</translation>
    </message>
    <message>
        <source>%1: fixing the loop current at %2…</source>
        <translation>%1: de lusstroom wordt op %2 vastgezet…</translation>
    </message>
    <message>
        <source>%1: the loop is held at %2; waiting %3 s for it to settle…</source>
        <translation>%1: de lus wordt op %2 gehouden; %3 s wachten tot hij stabiel is…</translation>
    </message>
    <message>
        <source>%1: reading back the transmitter&apos;s loop current…</source>
        <translation>%1: de lusstroom van de transmitter wordt teruggelezen…</translation>
    </message>
    <message>
        <source>%1: the transmitter holds %2 and reports %3 mA. Type the current measured at the control system or on the reference meter and press Enter, or type &quot;skip&quot;.</source>
        <translation>%1: de transmitter houdt %2 vast en meldt %3 mA. Typ de stroom die in het besturingssysteem of op de referentiemeter is gemeten en druk op Invoeren, of typ &quot;overslaan&quot;.</translation>
    </message>
    <message>
        <source>Ending fixed-current mode…</source>
        <translation>Vaste stroom wordt beëindigd…</translation>
    </message>
    <message>
        <source>Fixed-current mode has NOT been confirmed ended: %1. The loop may still be held at a fixed current. Check the HART connection, then press Retry release.</source>
        <translation>Het einde van de vaste stroom is NIET bevestigd: %1. De lus wordt mogelijk nog op een vaste stroom gehouden. Controleer de HART-verbinding en druk dan op Vrijgave herhalen.</translation>
    </message>
    <message>
        <source>Fixed-current mode has ended; the loop follows the level again.</source>
        <translation>De vaste stroom is beëindigd; de lus volgt het niveau weer.</translation>
    </message>
    <message>
        <source>±%1 % of span (±%2 mA)</source>
        <translation>±%1 % van de span (±%2 mA)</translation>
    </message>
    <message>
        <source>±%1 mA</source>
        <translation>±%1 mA</translation>
    </message>
    <message>
        <source>Result: %1 (tolerance %2).</source>
        <translation>Resultaat: %1 (tolerantie %2).</translation>
    </message>
    <message>
        <source>Leave loop fixed keeps this window open; its Retry release button sends the release again.</source>
        <translation>&quot;Lus vast laten&quot; houdt dit venster open; de knop Vrijgave herhalen erin zendt de vrijgave opnieuw.</translation>
    </message>
    <message>
        <source>&amp;Leave loop fixed</source>
        <translation>Lus vast &amp;laten</translation>
    </message>
    <message>
        <source>Leave loop fixed closes the loop check and leaves the loop as it is.</source>
        <translation>&quot;Lus vast laten&quot; sluit de lustest en laat de lus zoals hij is.</translation>
    </message>
    <message>
        <source>&amp;Leave loop fixed and close</source>
        <translation>Lus vast &amp;laten en sluiten</translation>
    </message>
    <message>
        <source>Leave loop fixed closes the program and leaves the loop as it is.</source>
        <translation>&quot;Lus vast laten&quot; sluit het programma af en laat de lus zoals hij is.</translation>
    </message>
    <message>
        <source>&amp;Leave loop fixed and exit</source>
        <translation>Lus vast &amp;laten en afsluiten</translation>
    </message>
    <message>
        <source>Fixed-current mode could not be ended: %1.

The loop may still be held at a fixed current, so the control system does not see the real level. Check the HART connection.

Retry release sends the release again. %2</source>
        <translation>De vaste stroom kon niet worden beëindigd: %1.

De lus wordt mogelijk nog op een vaste stroom gehouden, zodat het besturingssysteem het werkelijke niveau niet ziet. Controleer de HART-verbinding.

Vrijgave herhalen zendt de vrijgave opnieuw. %2</translation>
    </message>
    <message>
        <source>The loop check could not be saved to %1: %2

Choose another folder or file name and save again.</source>
        <translation>De lustest kon niet worden opgeslagen in %1: %2

Kies een andere map of bestandsnaam en sla opnieuw op.</translation>
    </message>
</context>
<context>
    <name>LoopHold</name>
    <message>
        <source>response code %1</source>
        <translation>antwoordcode %1</translation>
    </message>
    <message>
        <source>the transmitter refused command %1 (%2)</source>
        <translation>de transmitter weigerde commando %1 (%2)</translation>
    </message>
    <message>
        <source>the transmitter did not answer</source>
        <translation>de transmitter antwoordde niet</translation>
    </message>
</context>
<context>
    <name>Module1</name>
    <message>
        <source>Invalid selection</source>
        <translation>Ongeldige keuze</translation>
    </message>
    <message>
        <source>Passed Parameter too Large</source>
        <translation>Doorgegeven parameter te groot</translation>
    </message>
    <message>
        <source>Passed Parameter too Small</source>
        <translation>Doorgegeven parameter te klein</translation>
    </message>
    <message>
        <source>Too Few Databytes Received</source>
        <translation>Te weinig databytes ontvangen</translation>
    </message>
    <message>
        <source>Transmitter Specific Command Error</source>
        <translation>Transmitterspecifieke commandofout</translation>
    </message>
    <message>
        <source>In Write Protect Mode</source>
        <translation>Schrijfbeveiliging actief</translation>
    </message>
    <message>
        <source>Set to Nearest Value</source>
        <translation>Op de dichtstbijzijnde waarde gezet</translation>
    </message>
    <message>
        <source>Access Restricted</source>
        <translation>Toegang beperkt</translation>
    </message>
    <message>
        <source>Command Not Implemented</source>
        <translation>Commando niet geïmplementeerd</translation>
    </message>
    <message>
        <source>Lowerrange too high</source>
        <translation>Ondergrens meetbereik te hoog</translation>
    </message>
    <message>
        <source>Lowerrange too low</source>
        <translation>Ondergrens meetbereik te laag</translation>
    </message>
    <message>
        <source>Upperrange too high</source>
        <translation>Bovengrens meetbereik te hoog</translation>
    </message>
    <message>
        <source>Upperrange too low</source>
        <translation>Bovengrens meetbereik te laag</translation>
    </message>
    <message>
        <source>URV and LRV out of Limits</source>
        <translation>Onder- en bovengrens buiten de grenzen</translation>
    </message>
    <message>
        <source>Span too Small</source>
        <translation>Span te klein</translation>
    </message>
    <message>
        <source>Unspecified Error</source>
        <translation>Niet-gespecificeerde fout</translation>
    </message>
    <message>
        <source>Applied process too high</source>
        <translation>Aangelegde druk te hoog</translation>
    </message>
    <message>
        <source>Applied process too low</source>
        <translation>Aangelegde druk te laag</translation>
    </message>
    <message>
        <source>New LRV pushed URV over USL</source>
        <translation>Nieuwe ondergrens duwt de bovengrens boven de bovenste sensorgrens</translation>
    </message>
    <message>
        <source>Unspecified Error or Wrong returned Command</source>
        <translation>Niet-gespecificeerde fout of verkeerd commando in het antwoord</translation>
    </message>
</context>
<context>
    <name>RecordsCompareDialog</name>
    <message>
        <source>Compare with file</source>
        <translation>Vergelijken met bestand</translation>
    </message>
    <message>
        <source>Comparison of file and transmitter</source>
        <translation>Vergelijking van bestand en transmitter</translation>
    </message>
    <message>
        <source>&amp;Write to transmitter…</source>
        <translation>&amp;Naar transmitter schrijven…</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Sluiten</translation>
    </message>
    <message>
        <source>Compare with file - %1</source>
        <translation>Vergelijken met bestand - %1</translation>
    </message>
    <message>
        <source>File %1, saved %2 by %3 %4 from transmitter serial number %5.</source>
        <translation>Bestand %1, opgeslagen op %2 door %3 %4 van transmitter met serienummer %5.</translation>
    </message>
    <message>
        <source>
The transmitter is being read; the comparison follows when it is done.</source>
        <translation>
De transmitter wordt gelezen; de vergelijking volgt als dat klaar is.</translation>
    </message>
    <message>
        <source>Writing to the transmitter…</source>
        <translation>Bezig met schrijven naar de transmitter…</translation>
    </message>
    <message>
        <source>
Transmitter serial number %1, tag %2, read %3.</source>
        <translation>
Transmitter serienummer %1, tag %2, gelezen %3.</translation>
    </message>
    <message>
        <source>
This file comes from another transmitter (serial number %1).</source>
        <translation>
Dit bestand komt van een andere transmitter (serienummer %1).</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Veld</translation>
    </message>
    <message>
        <source>File (%1)</source>
        <translation>Bestand (%1)</translation>
    </message>
    <message>
        <source>Transmitter in %1</source>
        <translation>Transmitter in %1</translation>
    </message>
    <message>
        <source>Transmitter (%1)</source>
        <translation>Transmitter (%1)</translation>
    </message>
    <message>
        <source>File in %1</source>
        <translation>Bestand in %1</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Verschil</translation>
    </message>
    <message>
        <source>differs (fixed)</source>
        <translation>wijkt af (vast)</translation>
    </message>
    <message>
        <source>differs</source>
        <translation>wijkt af</translation>
    </message>
    <message>
        <source>Fixed by the transmitter&apos;s build; not written.</source>
        <translation>Vastgelegd door de uitvoering van de transmitter; wordt niet geschreven.</translation>
    </message>
    <message>
        <source>Written with the %1.</source>
        <translation>Wordt geschreven met: %1.</translation>
    </message>
    <message>
        <source>Only Zanu transmitters are written.</source>
        <translation>Alleen naar Zanu-transmitters wordt geschreven.</translation>
    </message>
    <message>
        <source>The transmitter holds the file&apos;s configuration.</source>
        <translation>De transmitter heeft de configuratie van het bestand.</translation>
    </message>
    <message>
        <source>Writing will change:
</source>
        <translation>Schrijven wijzigt:
</translation>
    </message>
</context>
<context>
    <name>RecordsKeeper</name>
    <message>
        <source>Save configuration</source>
        <translation>Configuratie opslaan</translation>
    </message>
    <message>
        <source>Compare with file</source>
        <translation>Vergelijken met bestand</translation>
    </message>
    <message>
        <source>Write to transmitter</source>
        <translation>Naar transmitter schrijven</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Rapport</translation>
    </message>
    <message>
        <source>&amp;Save configuration…</source>
        <translation>Configuratie &amp;opslaan…</translation>
    </message>
    <message>
        <source>Com&amp;pare with file…</source>
        <translation>Ver&amp;gelijken met bestand…</translation>
    </message>
    <message>
        <source>&amp;Report…</source>
        <translation>&amp;Rapport…</translation>
    </message>
    <message>
        <source>Prin&amp;t report…</source>
        <translation>Rapport af&amp;drukken…</translation>
    </message>
    <message>
        <source>warning: %1: %2</source>
        <translation>waarschuwing: %1: %2</translation>
    </message>
    <message>
        <source>no answer to HART command %1</source>
        <translation>geen antwoord op HART-commando %1</translation>
    </message>
    <message>
        <source>The file&apos;s configuration was written to transmitter %1, with warnings:

%2

The transmitter kept the nearest values it allows; it has been read again, so the window shows what it now holds.</source>
        <translation>De configuratie uit het bestand is naar transmitter %1 geschreven, met waarschuwingen:

%2

De transmitter heeft de dichtstbijzijnde toegestane waarden aangehouden; hij is opnieuw gelezen, dus het venster toont wat hij nu bevat.</translation>
    </message>
    <message>
        <source>No complete read of the transmitter is at hand. Press Connect (or Refresh) and wait until the transmitter&apos;s data are shown, then try again.</source>
        <translation>Er is geen volledige uitlezing van de transmitter. Druk op Verbinden (of Vernieuwen), wacht tot de gegevens van de transmitter worden getoond en probeer het dan opnieuw.</translation>
    </message>
    <message>
        <source>The transmitter works in a unit this program does not know, so its configuration cannot be saved. Choose a unit and send it with the range first.</source>
        <translation>De transmitter werkt in een eenheid die dit programma niet kent, dus zijn configuratie kan niet worden opgeslagen. Kies eerst een eenheid en zend die met het meetbereik.</translation>
    </message>
    <message>
        <source>The date held by the transmitter is not a calendar date, so its configuration cannot be saved.</source>
        <translation>De datum in de transmitter is geen kalenderdatum, dus zijn configuratie kan niet worden opgeslagen.</translation>
    </message>
    <message>
        <source>
Choose another folder or file name.</source>
        <translation>
Kies een andere map of bestandsnaam.</translation>
    </message>
    <message>
        <source>Only Zanu transmitters are written. Nothing was sent.</source>
        <translation>Alleen Zanu-transmitters worden beschreven. Er is niets gezonden.</translation>
    </message>
    <message>
        <source>The transmitter already holds this configuration. Nothing was sent.</source>
        <translation>De transmitter bevat deze configuratie al. Er is niets gezonden.</translation>
    </message>
    <message>
        <source>This file was saved from the transmitter with serial number %1; the one connected has serial number %2.

Write the file&apos;s configuration to transmitter %2?</source>
        <translation>Dit bestand is opgeslagen van de transmitter met serienummer %1; de aangesloten transmitter heeft serienummer %2.

De configuratie uit het bestand naar transmitter %2 schrijven?</translation>
    </message>
    <message>
        <source>These changes will be written to transmitter %1:

%2

Write them?</source>
        <translation>Deze wijzigingen worden naar transmitter %1 geschreven:

%2

Schrijven?</translation>
    </message>
    <message>
        <source>Configuration files (*.json)</source>
        <translation>Configuratiebestanden (*.json)</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf)</source>
        <translation>PDF-documenten (*.pdf)</translation>
    </message>
    <message>
        <source>Print report</source>
        <translation>Rapport afdrukken</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Point (mA)</source>
        <translation>Punt (mA)</translation>
    </message>
    <message>
        <source>Read back (mA)</source>
        <translation>Teruggelezen (mA)</translation>
    </message>
    <message>
        <source>Measured (mA)</source>
        <translation>Gemeten (mA)</translation>
    </message>
    <message>
        <source>Deviation (mA)</source>
        <translation>Afwijking (mA)</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Resultaat</translation>
    </message>
    <message>
        <source>skipped</source>
        <translation>overgeslagen</translation>
    </message>
    <message>
        <source>Loop check</source>
        <translation>Lustest</translation>
    </message>
    <message>
        <source>(not finished)</source>
        <translation>(niet beëindigd)</translation>
    </message>
    <message>
        <source>±%1 % of span (±%2 mA)</source>
        <translation>±%1 % van de span (±%2 mA)</translation>
    </message>
    <message>
        <source>±%1 mA</source>
        <translation>±%1 mA</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Gestart</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Beëindigd</translation>
    </message>
    <message>
        <source>Tolerance</source>
        <translation>Tolerantie</translation>
    </message>
    <message>
        <source>Settling time</source>
        <translation>Insteltijd</translation>
    </message>
    <message>
        <source>Points checked</source>
        <translation>Gecontroleerde punten</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 van %2</translation>
    </message>
    <message>
        <source>Fixed-current mode ended</source>
        <translation>Vaste stroom beëindigd</translation>
    </message>
    <message>
        <source>Yes, confirmed by the transmitter</source>
        <translation>Ja, bevestigd door de transmitter</translation>
    </message>
    <message>
        <source>NOT CONFIRMED: the loop may have been left at a fixed current</source>
        <translation>NIET BEVESTIGD: de lus is mogelijk op een vaste stroom achtergelaten</translation>
    </message>
    <message>
        <source>(not reached)</source>
        <translation>(niet bereikt)</translation>
    </message>
    <message>
        <source>Output trim</source>
        <translation>Uitgang trimmen</translation>
    </message>
    <message>
        <source>Made</source>
        <translation>Uitgevoerd</translation>
    </message>
    <message>
        <source>(unknown)</source>
        <translation>(onbekend)</translation>
    </message>
    <message>
        <source>4 mA before / after</source>
        <translation>4 mA voor / na</translation>
    </message>
    <message>
        <source>20 mA before / after</source>
        <translation>20 mA voor / na</translation>
    </message>
    <message>
        <source>Trims sent (zero, gain)</source>
        <translation>Verzonden trims (nulpunt, versterking)</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Voltooid</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No: cancelled or stopped</source>
        <translation>Nee: geannuleerd of gestopt</translation>
    </message>
    <message>
        <source>Commissioning report</source>
        <translation>Inbedrijfstellingsrapport</translation>
    </message>
    <message>
        <source>Zanu Pelvanor I / Ostrimel submersible level transmitter</source>
        <translation>Zanu Pelvanor I / Ostrimel dompelbare niveautransmitter</translation>
    </message>
    <message>
        <source>Tag %1, serial number %2</source>
        <translation>Tag %1, serienummer %2</translation>
    </message>
    <message>
        <source>Transmitter</source>
        <translation>Transmitter</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Fabrikant</translation>
    </message>
    <message>
        <source>Device type</source>
        <translation>Apparaattype</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>Apparaat-ID</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Serienummer</translation>
    </message>
    <message>
        <source>HART revision</source>
        <translation>HART-revisie</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Tagnummer</translation>
    </message>
    <message>
        <source>Descriptor</source>
        <translation>Omschrijving</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>(not set)</source>
        <translation>(niet ingesteld)</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuratie</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Eenheid</translation>
    </message>
    <message>
        <source>Lower range value (4 mA)</source>
        <translation>Ondergrens meetbereik (4 mA)</translation>
    </message>
    <message>
        <source>Upper range value (20 mA)</source>
        <translation>Bovengrens meetbereik (20 mA)</translation>
    </message>
    <message>
        <source>Span</source>
        <translation>Span</translation>
    </message>
    <message>
        <source>Damping</source>
        <translation>Demping</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Uitgang</translation>
    </message>
    <message>
        <source>Sensor limits</source>
        <translation>Sensorgrenzen</translation>
    </message>
    <message>
        <source>Upper sensor limit</source>
        <translation>Bovenste sensorgrens</translation>
    </message>
    <message>
        <source>Lower sensor limit</source>
        <translation>Onderste sensorgrens</translation>
    </message>
    <message>
        <source>Minimum span</source>
        <translation>Minimale span</translation>
    </message>
    <message>
        <source>Device status</source>
        <translation>Apparaatstatus</translation>
    </message>
    <message>
        <source>Field device status</source>
        <translation>Veldapparaatstatus</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historie</translation>
    </message>
    <message>
        <source>Read from the transmitter on %1. Report made on %2 with %3 %4.</source>
        <translation>Van de transmitter gelezen op %1. Rapport gemaakt op %2 met %3 %4.</translation>
    </message>
    <message>
        <source>Checked by:</source>
        <translation>Gecontroleerd door:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Signature:</source>
        <translation>Handtekening:</translation>
    </message>
    <message>
        <source>Commissioning report %1</source>
        <translation>Inbedrijfstellingsrapport %1</translation>
    </message>
    <message>
        <source>%1 is %2, not a file a report can be written to. Choose another folder or file name.</source>
        <translation>%1 is %2, geen bestand waarin een rapport kan worden geschreven. Kies een andere map of bestandsnaam.</translation>
    </message>
    <message>
        <source>%1: cannot be written (%2). Choose another folder or file name.</source>
        <translation>%1: kan niet worden geschreven (%2). Kies een andere map of bestandsnaam.</translation>
    </message>
    <message>
        <source>No loop check of this transmitter was made in this session.</source>
        <translation>In deze sessie is geen lustest van deze transmitter uitgevoerd.</translation>
    </message>
    <message>
        <source>No point was reached.</source>
        <translation>Geen punt bereikt.</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>Cannot send, no output direction is selected. Select 4-20 mA or 20-4 mA, then press Send again.</source>
        <translation>Kan niet zenden: er is geen uitgangsrichting gekozen. Kies 4-20 mA of 20-4 mA en druk dan opnieuw op Zenden.</translation>
    </message>
    <message>
        <source>Cannot send, &quot;%1&quot; holds no number. Type a number there, then try again.</source>
        <translation>Kan niet zenden: &quot;%1&quot; bevat geen getal. Typ daar een getal en probeer het opnieuw.</translation>
    </message>
    <message>
        <source>Cannot send, the measuring range read from the transmitter is not a valid number. Type the zero and span, then press Send again.</source>
        <translation>Kan niet zenden: het uit de transmitter gelezen meetbereik is geen geldig getal. Typ het nulpunt en de span en druk dan opnieuw op Zenden.</translation>
    </message>
    <message>
        <source>Cannot send, the zero or the span is too large for the transmitter. Correct it, then press Send again.</source>
        <translation>Kan niet zenden: het nulpunt of de span is te groot voor de transmitter. Corrigeer de waarde en druk dan opnieuw op Zenden.</translation>
    </message>
    <message>
        <source>Cannot send, the damping read from the transmitter is not a valid number. Type the damping, then press Send again.</source>
        <translation>Kan niet zenden: de uit de transmitter gelezen demping is geen geldig getal. Typ de demping en druk dan opnieuw op Zenden.</translation>
    </message>
    <message>
        <source>Cannot send, the damping is too large for the transmitter. Correct it, then press Send again.</source>
        <translation>Kan niet zenden: de demping is te groot voor de transmitter. Corrigeer die en druk dan opnieuw op Zenden.</translation>
    </message>
    <message>
        <source>Cannot send, Unit Unkown</source>
        <translation>Kan niet zenden, eenheid onbekend</translation>
    </message>
    <message>
        <source>Cannot send the tag yet: the descriptor and date of this transmitter have not been read. Press Connect, then send the tag again.</source>
        <translation>De tag kan nog niet worden gezonden: de omschrijving en datum van deze transmitter zijn niet gelezen. Druk op Verbinden en zend de tag dan opnieuw.</translation>
    </message>
    <message>
        <source>Cannot send, the fixed current is too large for the transmitter. Correct it, then press Send again.</source>
        <translation>Kan niet zenden: de vaste stroom is te groot voor de transmitter. Corrigeer die en druk dan opnieuw op Zenden.</translation>
    </message>
    <message>
        <source>

If the transmitter may be on another port or at another polling address, Config, Find transmitter… looks for it on every serial port.</source>
        <translation>

Als de transmitter op een andere poort of een ander pollingadres kan zitten: Configuratie, Transmitter zoeken… zoekt hem op elke seriële poort.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fout</translation>
    </message>
    <message>
        <source>No ZANU transmitter!! Programm will abort!!</source>
        <translation>Geen ZANU-transmitter! Het programma wordt beëindigd!</translation>
    </message>
    <message>
        <source>Current Pressure value is: %1%2. Continue??</source>
        <translation>Huidige druk: %1%2. Doorgaan?</translation>
    </message>
    <message>
        <source>Continue??</source>
        <translation>Doorgaan?</translation>
    </message>
    <message>
        <source>No Device Response!!!! Connect transmitter?</source>
        <translation>Geen antwoord van het apparaat! Transmitter verbinden?</translation>
    </message>
    <message>
        <source>No Device</source>
        <translation>Geen apparaat</translation>
    </message>
    <message>
        <source>Transmitter is Busy, Aborting Send Process</source>
        <translation>Transmitter is bezet, zenden wordt afgebroken</translation>
    </message>
</context>
<context>
    <name>StatusIndicator</name>
    <message>
        <source>Device status</source>
        <translation>Apparaatstatus</translation>
    </message>
    <message>
        <source>Transmitter: %1 — click for details</source>
        <translation>Transmitter: %1 — klik voor details</translation>
    </message>
    <message>
        <source>No answer since %1</source>
        <translation>Geen antwoord sinds %1</translation>
    </message>
</context>
<context>
    <name>TrendWindow</name>
    <message>
        <source>Export trend</source>
        <translation>Trend exporteren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-bestanden (*.csv)</translation>
    </message>
    <message>
        <source>No answer since %1: nothing is drawn until the transmitter answers again. </source>
        <translation>Geen antwoord sinds %1: er wordt niets getekend tot de transmitter weer antwoordt. </translation>
    </message>
    <message>
        <source>Monitoring is on: one point per poll.</source>
        <translation>Bewaking staat aan: één punt per pollingcyclus.</translation>
    </message>
    <message>
        <source>Monitoring is off: the plot stands still. Select &quot;On&quot; under the output signal in the main window to record.</source>
        <translation>Bewaking staat uit: de grafiek staat stil. Kies in het hoofdvenster onder het uitgangssignaal &quot;Aan&quot; om op te nemen.</translation>
    </message>
    <message>
        <source> Paused: new points are recorded but not shown.</source>
        <translation> Gepauzeerd: nieuwe punten worden opgenomen maar niet getoond.</translation>
    </message>
    <message>
        <source> %1 points kept (at most a day); %2 min shown.</source>
        <translation> %1 punten bewaard (hoogstens een dag); %2 min getoond.</translation>
    </message>
    <message>
        <source>The trend could not be saved to %1: %2

Choose another folder or file name and export again.</source>
        <translation>De trend kon niet worden opgeslagen in %1: %2

Kies een andere map of bestandsnaam en exporteer opnieuw.</translation>
    </message>
    <message>
        <source>Trend</source>
        <translation>Trend</translation>
    </message>
    <message>
        <source>&amp;Resume</source>
        <translation>&amp;Hervatten</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Pauze</translation>
    </message>
    <message>
        <source>Trend of loop current and percent of range</source>
        <translation>Trend van lusstroom en procent van het meetbereik</translation>
    </message>
    <message>
        <source>Time shown</source>
        <translation>Getoonde tijd</translation>
    </message>
    <message>
        <source>Loop current (mA)</source>
        <translation>Lusstroom (mA)</translation>
    </message>
    <message>
        <source>Percent of range (%)</source>
        <translation>Procent van het meetbereik (%)</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tijd</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>&amp;Inzoomen</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>&amp;Uitzoomen</translation>
    </message>
    <message>
        <source>&amp;Latest</source>
        <translation>&amp;Nieuwste</translation>
    </message>
    <message>
        <source>&amp;Export CSV…</source>
        <translation>CSV &amp;exporteren…</translation>
    </message>
</context>
<context>
    <name>TrimProcedure</name>
    <message>
        <source>A loop current is being simulated from the Current Simulation panel. Press Abort in the panel first, then start the trim.</source>
        <translation>In het paneel Stroomsimulatie wordt een lusstroom gesimuleerd. Druk daar eerst op Afbreken en start dan de trim.</translation>
    </message>
    <message>
        <source>A loop check holds the loop current. Let it finish or cancel it, then start the trim.</source>
        <translation>Een lustest houdt de lusstroom vast. Laat die aflopen of annuleer hem en start dan de trim.</translation>
    </message>
    <message>
        <source>No transmitter has been read yet. Connect to the transmitter (File, Connect) and wait until its data are shown, then start the trim.</source>
        <translation>Er is nog geen transmitter gelezen. Maak verbinding met de transmitter (Bestand, Verbinden), wacht tot zijn gegevens worden getoond en start dan de trim.</translation>
    </message>
    <message>
        <source>The transmitter read is not a Zanu transmitter (manufacturer %1); this program trims only Pelvanor I and Ostrimel transmitters.</source>
        <translation>De gelezen transmitter is geen Zanu-transmitter (fabrikant %1); dit programma trimt alleen Pelvanor I- en Ostrimel-transmitters.</translation>
    </message>
    <message>
        <source>The main window is still sending to the transmitter. Wait until it has finished, then start the trim.</source>
        <translation>Het hoofdvenster zendt nog naar de transmitter. Wacht tot het klaar is en start dan de trim.</translation>
    </message>
    <message>
        <source>the transmitter refused command %1 (the loop current is not fixed at the value the trim needs)</source>
        <translation>de transmitter weigerde commando %1 (de lusstroom staat niet vast op de waarde die de trim nodig heeft)</translation>
    </message>
    <message>
        <source>Fixing the current at %1: %2</source>
        <translation>Vastzetten van de stroom op %1: %2</translation>
    </message>
    <message>
        <source>Trimming at %1: %2</source>
        <translation>Trimmen bij %1: %2</translation>
    </message>
    <message>
        <source>Reading back at %1: %2</source>
        <translation>Teruglezen bij %1: %2</translation>
    </message>
</context>
<context>
    <name>TrimWindow</name>
    <message>
        <source>&quot;%1&quot; is no number. Type the current the reference meter shows, in mA, for example %2.</source>
        <translation>&quot;%1&quot; is geen getal. Typ de stroom die de referentiemeter aangeeft, in mA, bijvoorbeeld %2.</translation>
    </message>
    <message>
        <source>Press Start to fix the loop current at 4 mA.</source>
        <translation>Druk op Starten om de lusstroom op 4 mA vast te zetten.</translation>
    </message>
    <message>
        <source>Fixing the loop current at %1 mA...</source>
        <translation>Lusstroom wordt op %1 mA vastgezet...</translation>
    </message>
    <message>
        <source>The zero was trimmed. Read the meter again and type what it shows; within %1 mA of %2 mA the trim goes on.</source>
        <translation>Het nulpunt is getrimd. Lees de meter opnieuw af en typ wat hij aangeeft; binnen %1 mA van %2 mA gaat de trim verder.</translation>
    </message>
    <message>
        <source>The gain was trimmed. Read the meter again and type what it shows; within %1 mA of %2 mA the trim goes on.</source>
        <translation>De versterking is getrimd. Lees de meter opnieuw af en typ wat hij aangeeft; binnen %1 mA van %2 mA gaat de trim verder.</translation>
    </message>
    <message>
        <source>The loop current is fixed at %1 mA. Type what the reference meter shows.</source>
        <translation>De lusstroom staat vast op %1 mA. Typ wat de referentiemeter aangeeft.</translation>
    </message>
    <message>
        <source>Trimming the zero...</source>
        <translation>Nulpunt wordt getrimd...</translation>
    </message>
    <message>
        <source>Trimming the gain...</source>
        <translation>Versterking wordt getrimd...</translation>
    </message>
    <message>
        <source>Reading the loop current back...</source>
        <translation>Lusstroom wordt teruggelezen...</translation>
    </message>
    <message>
        <source>Letting the loop go (fixed-current mode off)...</source>
        <translation>Lus wordt vrijgegeven (vaste-stroommodus uit)...</translation>
    </message>
    <message>
        <source>The transmitter did not confirm the end of fixed-current mode: %1.</source>
        <translation>De transmitter heeft het einde van de vaste-stroommodus niet bevestigd: %1.</translation>
    </message>
    <message>
        <source>Done: the loop follows the level again.</source>
        <translation>Klaar: de lus volgt het niveau weer.</translation>
    </message>
    <message>
        <source>The transmitter drives %1 (command 2).</source>
        <translation>De transmitter stuurt %1 (commando 2).</translation>
    </message>
    <message>
        <source>The trim stopped: %1.</source>
        <translation>De trim is gestopt: %1.</translation>
    </message>
    <message>
        <source>4 mA: before %1, after %2 (%3 zero trims)
20 mA: before %4, after %5 (%6 gain trims)</source>
        <translation>4 mA: voor %1, na %2 (%3 nulpunttrims)
20 mA: voor %4, na %5 (%6 versterkingstrims)</translation>
    </message>
    <message>
        <source>
The trim was not completed.</source>
        <translation>
De trim is niet voltooid.</translation>
    </message>
    <message>
        <source>The transmitter did not confirm the end of fixed-current mode (%1). Its loop may still be held, and the control system then does not see the real level.

Retry the release, or leave it and check the loop current yourself.</source>
        <translation>De transmitter heeft het einde van de vaste-stroommodus niet bevestigd (%1). Zijn lus kan nog vastgehouden zijn, en dan ziet het besturingssysteem het echte niveau niet.

Probeer het vrijgeven opnieuw, of laat het zo en controleer de lusstroom zelf.</translation>
    </message>
    <message>
        <source>Output trim</source>
        <translation>Uitgang trimmen</translation>
    </message>
    <message>
        <source>The trim fixes the loop current at 4 mA and at 20 mA. Put the control system&apos;s loop in manual first, and connect a reference meter in series with the loop. The trim corrects the output stage only: the measuring range and the mounting effect stay as they are.</source>
        <translation>De trim zet de lusstroom vast op 4 mA en op 20 mA. Zet de lus in het besturingssysteem eerst op handbediening en sluit een referentiemeter in serie met de lus aan. De trim corrigeert alleen de uitgangstrap: het meetbereik en de montagecorrectie blijven zoals ze zijn.</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Stap</translation>
    </message>
    <message>
        <source>Loop current read back</source>
        <translation>Teruggelezen lusstroom</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Resultaat</translation>
    </message>
    <message>
        <source>&amp;Meter reading (mA):</source>
        <translation>&amp;Meterwaarde (mA):</translation>
    </message>
    <message>
        <source>Meter reading in mA</source>
        <translation>Meterwaarde in mA</translation>
    </message>
    <message>
        <source>&amp;Enter reading</source>
        <translation>&amp;Invoeren</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuleren</translation>
    </message>
    <message>
        <source>&amp;Retry release</source>
        <translation>Vrijgeven &amp;herhalen</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>Sl&amp;uiten</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>This application can be used for configuring the Zanu Series Pelvanor &apos;I&apos; submersible level transmitters. It will only work on Zanu transmitters.</source>
        <translation>Met dit programma configureert u de dompelbare niveautransmitters van de Zanu-serie Pelvanor &apos;I&apos;. Het werkt alleen met transmitters van Zanu.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeeminformatie...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Over %1</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Systeeminformatie is op dit moment niet beschikbaar</translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>Product picture</source>
        <translation>Productafbeelding</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 Zanu Level Instruments. All rights reserved.</source>
        <translation>Copyright (c) 2026 Zanu Level Instruments. Alle rechten voorbehouden.</translation>
    </message>
    <message>
        <source>Zanu Level Instruments B.V., the Netherlands</source>
        <translation>Zanu Level Instruments B.V., Nederland</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Versie %1.%2.%3</translation>
    </message>
</context>
<context>
    <name>hart</name>
    <message>
        <source>No COM port is set — choose one under Config &gt; COM-settings.</source>
        <translation>Geen COM-poort ingesteld — kies er een onder Configuratie &gt; COM-instellingen.</translation>
    </message>
    <message>
        <source>COM %1 is not a port this program can use — choose COM 1 to COM 12 under Config &gt; COM-settings.</source>
        <translation>COM %1 kan dit programma niet gebruiken — kies COM 1 tot en met COM 12 onder Configuratie &gt; COM-instellingen.</translation>
    </message>
    <message>
        <source>Command %1 is not a HART command number (0 to 255); nothing was sent.</source>
        <translation>Commando %1 is geen HART-commandonummer (0 tot en met 255); er is niets verzonden.</translation>
    </message>
    <message>
        <source>No transmitter has been identified on %1 yet, so command %2 was not sent — connect first, so that the transmitter is read and checked.</source>
        <translation>Op %1 is nog geen transmitter herkend, daarom is commando %2 niet verzonden — eerst verbinden, zodat de transmitter wordt gelezen en gecontroleerd.</translation>
    </message>
    <message>
        <source>Permission denied on %1 — add your user to the dialout group (sudo usermod -aG dialout $USER), then log out and in again.</source>
        <translation>Geen toegang tot %1 — voeg uw gebruiker toe aan de groep dialout (sudo usermod -aG dialout $USER), meld u daarna af en weer aan.</translation>
    </message>
    <message>
        <source>parity</source>
        <translation>pariteit</translation>
    </message>
    <message>
        <source>overrun</source>
        <translation>overloop</translation>
    </message>
    <message>
        <source>framing</source>
        <translation>framefout</translation>
    </message>
    <message>
        <source>checksum</source>
        <translation>controlesom</translation>
    </message>
    <message>
        <source>buffer overflow</source>
        <translation>bufferoverloop</translation>
    </message>
    <message>
        <source>the transmitter could not read our request (communication error 0x%1</source>
        <translation>de transmitter kon ons verzoek niet lezen (communicatiefout 0x%1</translation>
    </message>
    <message>
        <source>the serial line is gone</source>
        <translation>de seriële lijn is verdwenen</translation>
    </message>
    <message>
        <source>the request does not fit in a HART frame (%1 data bytes)</source>
        <translation>het verzoek past niet in een HART-frame (%1 databytes)</translation>
    </message>
    <message>
        <source>the port could not be opened</source>
        <translation>de poort kon niet worden geopend</translation>
    </message>
    <message>
        <source>checksum error in the reply</source>
        <translation>controlesomfout in het antwoord</translation>
    </message>
    <message>
        <source>a reply with an impossible byte count</source>
        <translation>een antwoord met een onmogelijk aantal bytes</translation>
    </message>
    <message>
        <source>the reply broke off</source>
        <translation>het antwoord brak af</translation>
    </message>
    <message>
        <source>the port did not finish sending the request</source>
        <translation>de poort heeft het verzoek niet volledig verzonden</translation>
    </message>
    <message>
        <source>the port stopped working</source>
        <translation>de poort werkt niet meer</translation>
    </message>
    <message>
        <source>No reply from the transmitter on %1 after %2 — check that the transmitter is powered, the loop has its load resistor and the modem is connected to this port.</source>
        <translation>Geen antwoord van de transmitter op %1 na %2 — controleer of de transmitter gevoed wordt, de lus haar belastingsweerstand heeft en het modem op deze poort is aangesloten.</translation>
    </message>
    <message>
        <source>Garbled replies from the transmitter on %1 after %2 (%3) — check the modem connection and the loop wiring for noise.</source>
        <translation>Verminkte antwoorden van de transmitter op %1 na %2 (%3) — controleer de modemaansluiting en de lusbedrading op storingen.</translation>
    </message>
    <message>
        <source>The request could not be sent on %1: %2.</source>
        <translation>Het verzoek kon niet worden verzonden op %1: %2.</translation>
    </message>
    <message>
        <source>manufacturer %1, device type %2, device id %3</source>
        <translation>fabrikant %1, apparaattype %2, apparaat-ID %3</translation>
    </message>
    <message>
        <source>COM %1 cannot be used — choose another one under Config &gt; COM-settings.</source>
        <translation>COM %1 is niet bruikbaar — kies een andere onder Configuratie &gt; COM-instellingen.</translation>
    </message>
    <message>
        <source>A different device now answers on %1 (%2), not the transmitter that was read (%3). Nothing was sent to it — connect again to read and check the device now connected.</source>
        <translation>Op %1 antwoordt nu een ander apparaat (%2), niet de transmitter die is gelezen (%3). Er is niets naar verzonden — maak opnieuw verbinding om het nu aangesloten apparaat te lezen en te controleren.</translation>
    </message>
</context>
<context>
    <name>health</name>
    <message>
        <source>device malfunction</source>
        <translation>apparaatstoring</translation>
    </message>
    <message>
        <source>The transmitter has found a fault in itself (sensor or electronics). Its measurement cannot be trusted.</source>
        <translation>De transmitter heeft een fout in zichzelf gevonden (sensor of elektronica). Zijn meting is niet betrouwbaar.</translation>
    </message>
    <message>
        <source>Read the additional status below for details. Power the transmitter off and on; if the fault stays, replace the transmitter or send it in for repair.</source>
        <translation>Details in de aanvullende status hieronder. Schakel de transmitter uit en weer in; blijft de fout, vervang de transmitter of stuur hem in voor reparatie.</translation>
    </message>
    <message>
        <source>configuration changed</source>
        <translation>configuratie gewijzigd</translation>
    </message>
    <message>
        <source>The configuration was changed (by this program or another master) since the flag was last cleared.</source>
        <translation>De configuratie is gewijzigd (door dit programma of een andere master) sinds de vlag voor het laatst is gewist.</translation>
    </message>
    <message>
        <source>Check that the configuration is the intended one, then clear the flag so that the next change shows.</source>
        <translation>Controleer of de configuratie de bedoelde is en wis daarna de vlag, zodat de volgende wijziging zichtbaar wordt.</translation>
    </message>
    <message>
        <source>cold start</source>
        <translation>koude start</translation>
    </message>
    <message>
        <source>The transmitter has just been powered up or reset.</source>
        <translation>De transmitter is net ingeschakeld of gereset.</translation>
    </message>
    <message>
        <source>Nothing, unless it was not expected: then look for a loose wire or a supply that drops out.</source>
        <translation>Niets, tenzij het onverwacht was: zoek dan naar een losse draad of een voeding die wegvalt.</translation>
    </message>
    <message>
        <source>more status available</source>
        <translation>meer status beschikbaar</translation>
    </message>
    <message>
        <source>The transmitter holds more status information than this byte shows.</source>
        <translation>De transmitter heeft meer statusinformatie dan deze byte laat zien.</translation>
    </message>
    <message>
        <source>Read the additional status (command 48) below.</source>
        <translation>Lees hieronder de aanvullende status (commando 48).</translation>
    </message>
    <message>
        <source>loop current fixed</source>
        <translation>lusstroom vast</translation>
    </message>
    <message>
        <source>The loop current is held at a fixed value (a loop test, or a polling address other than 0). The control system does not see the level.</source>
        <translation>De lusstroom wordt op een vaste waarde gehouden (een lustest, of een pollingadres anders dan 0). Het besturingssysteem ziet het niveau niet.</translation>
    </message>
    <message>
        <source>This program holds it: end the simulation (output signal, Abort), or finish the loop check, which releases it itself.</source>
        <translation>Dit programma houdt hem vast: beëindig de simulatie (uitgangssignaal, Afbreken) of rond de lustest af, die hem zelf vrijgeeft.</translation>
    </message>
    <message>
        <source>No simulation of this program holds it: another master (a handheld, another program&apos;s loop test) fixed it, or the transmitter answers at a polling address other than 0. Release it with &quot;Release loop current&quot; below; if it stays fixed, set the polling address to 0 with Config, Find transmitter.</source>
        <translation>Geen simulatie van dit programma houdt hem vast: een andere master (een handterminal, de lustest van een ander programma) heeft hem vastgezet, of de transmitter antwoordt op een pollingadres anders dan 0. Geef hem hieronder vrij met &quot;Lusstroom vrijgeven&quot;; blijft hij vast, zet dan het pollingadres op 0 met Configuratie, Transmitter zoeken.</translation>
    </message>
    <message>
        <source>loop current saturated</source>
        <translation>lusstroom verzadigd</translation>
    </message>
    <message>
        <source>The level is outside the measuring range: the loop current stays at its lower or upper end and no longer follows the level.</source>
        <translation>Het niveau ligt buiten het meetbereik: de lusstroom blijft aan zijn onder- of bovengrens en volgt het niveau niet meer.</translation>
    </message>
    <message>
        <source>Check the level, and the measuring range (zero and span) against it.</source>
        <translation>Controleer het niveau, en het meetbereik (nulpunt en span) daartegen.</translation>
    </message>
    <message>
        <source>secondary variable out of limits</source>
        <translation>secundaire variabele buiten de grenzen</translation>
    </message>
    <message>
        <source>A variable other than the pressure (for example the temperature of the electronics) is outside what the transmitter can measure.</source>
        <translation>Een andere grootheid dan de druk (bijvoorbeeld de temperatuur van de elektronica) ligt buiten wat de transmitter kan meten.</translation>
    </message>
    <message>
        <source>Check the conditions where the transmitter is installed.</source>
        <translation>Controleer de omstandigheden waar de transmitter is ingebouwd.</translation>
    </message>
    <message>
        <source>pressure out of sensor limits</source>
        <translation>druk buiten de sensorgrenzen</translation>
    </message>
    <message>
        <source>The pressure is outside the sensor&apos;s limits: the reading is not accurate.</source>
        <translation>De druk ligt buiten de grenzen van de sensor: de meetwaarde is niet nauwkeurig.</translation>
    </message>
    <message>
        <source>Check that the transmitter&apos;s model suits the depth of liquid above it, and that the sensor is not blocked or damaged.</source>
        <translation>Controleer of het model van de transmitter past bij de vloeistofhoogte erboven, en of de sensor niet verstopt of beschadigd is.</translation>
    </message>
    <message>
        <source>device-specific status %1</source>
        <translation>apparaatspecifieke status %1</translation>
    </message>
    <message>
        <source>extended device status</source>
        <translation>uitgebreide apparaatstatus</translation>
    </message>
    <message>
        <source>operating mode</source>
        <translation>bedrijfsmodus</translation>
    </message>
    <message>
        <source>analog outputs saturated</source>
        <translation>analoge uitgangen verzadigd</translation>
    </message>
    <message>
        <source>analog outputs fixed</source>
        <translation>analoge uitgangen vast</translation>
    </message>
    <message>
        <source>: sensor fault</source>
        <translation>: sensorfout</translation>
    </message>
</context>
<context>
    <name>history</name>
    <message>
        <source>No history is recorded for serial number %1.</source>
        <translation>Voor serienummer %1 is geen historie vastgelegd.</translation>
    </message>
    <message>
        <source>Earlier entries left out here: %1. File &gt; History… shows them all.</source>
        <translation>Hier weggelaten eerdere regels: %1. Bestand &gt; Historie… toont ze allemaal.</translation>
    </message>
</context>
<context>
    <name>history::HistoryWindow</name>
    <message>
        <source>Time</source>
        <translation>Tijd</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Gebruiker</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Wat</translation>
    </message>
    <message>
        <source>Old → New</source>
        <translation>Oud → Nieuw</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Resultaat</translation>
    </message>
    <message>
        <source>&amp;History…</source>
        <translation>&amp;Historie…</translation>
    </message>
    <message>
        <source>%1 %2 on %3, port %4</source>
        <translation>%1 %2 op %3, poort %4</translation>
    </message>
    <message>
        <source>The history could not be saved to %1: %2</source>
        <translation>De geschiedenis kon niet worden opgeslagen in %1: %2</translation>
    </message>
    <message>
        <source>Export history</source>
        <translation>Geschiedenis exporteren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-bestanden (*.csv)</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historie</translation>
    </message>
    <message>
        <source> Choose another file or folder.</source>
        <translation> Kies een ander bestand of een andere map.</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Serienummer</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Last seen</source>
        <translation>Laatst gezien</translation>
    </message>
    <message>
        <source>Transmitters seen</source>
        <translation>Geziene transmitters</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>Tijdlijn</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>any</source>
        <translation>alle</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Van</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Tot</translation>
    </message>
    <message>
        <source>&amp;Export CSV…</source>
        <translation>CSV &amp;exporteren…</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Sluiten</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>F&amp;rom:</source>
        <translation>&amp;Van:</translation>
    </message>
    <message>
        <source>&amp;To:</source>
        <translation>&amp;Tot:</translation>
    </message>
</context>
<context>
    <name>history::Recorder</name>
    <message>
        <source>The history %1 cannot be written (%2); reads and writes go on unrecorded. Free disk space or make the folder writable.</source>
        <translation>De geschiedenis %1 kan niet worden geschreven (%2); lezen en schrijven gaan door zonder vastlegging. Maak schijfruimte vrij of maak de map schrijfbaar.</translation>
    </message>
</context>
<context>
    <name>history::Store</name>
    <message>
        <source>The history %1 is damaged and could not be moved aside; nothing is recorded. Move or delete the file.</source>
        <translation>De geschiedenis %1 is beschadigd en kon niet opzij worden gezet; er wordt niets vastgelegd. Verplaats of verwijder het bestand.</translation>
    </message>
    <message>
        <source>The history %1 was damaged; it was moved to %2 and a new history started.</source>
        <translation>De geschiedenis %1 was beschadigd; die is verplaatst naar %2 en er is een nieuwe geschiedenis begonnen.</translation>
    </message>
    <message>
        <source>The history %1 cannot be opened (%2); reads and writes go on unrecorded. Make its folder writable or free disk space.</source>
        <translation>De geschiedenis %1 kan niet worden geopend (%2); lezen en schrijven gaan door zonder vastlegging. Maak de map schrijfbaar of maak schijfruimte vrij.</translation>
    </message>
</context>
<context>
    <name>i18n::LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Taal</translation>
    </message>
    <message>
        <source>&amp;System language</source>
        <translation>&amp;Systeemtaal</translation>
    </message>
</context>
<context>
    <name>records</name>
    <message>
        <source>(none)</source>
        <translation>(geen)</translation>
    </message>
    <message>
        <source>unit and range</source>
        <translation>eenheid en meetbereik</translation>
    </message>
    <message>
        <source>damping and output direction</source>
        <translation>demping en uitgangsrichting</translation>
    </message>
    <message>
        <source>tag, descriptor and date</source>
        <translation>tagnummer, omschrijving en datum</translation>
    </message>
    <message>
        <source>device malfunction</source>
        <translation>apparaatstoring</translation>
    </message>
    <message>
        <source>configuration changed</source>
        <translation>configuratie gewijzigd</translation>
    </message>
    <message>
        <source>cold start</source>
        <translation>koude start</translation>
    </message>
    <message>
        <source>more status available</source>
        <translation>meer status beschikbaar</translation>
    </message>
    <message>
        <source>loop current fixed</source>
        <translation>lusstroom vast</translation>
    </message>
    <message>
        <source>loop current saturated</source>
        <translation>lusstroom verzadigd</translation>
    </message>
    <message>
        <source>non-primary variable out of limits</source>
        <translation>secundaire variabele buiten de grenzen</translation>
    </message>
    <message>
        <source>primary variable out of limits</source>
        <translation>primaire variabele buiten de grenzen</translation>
    </message>
    <message>
        <source>OK (no status bits set)</source>
        <translation>OK (geen statusbits gezet)</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Fabrikant</translation>
    </message>
    <message>
        <source>Device type</source>
        <translation>Apparaattype</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>Apparaat-ID</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Serienummer</translation>
    </message>
    <message>
        <source>HART revision</source>
        <translation>HART-revisie</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Tagnummer</translation>
    </message>
    <message>
        <source>Descriptor</source>
        <translation>Omschrijving</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Eenheid</translation>
    </message>
    <message>
        <source>Lower range value (4 mA)</source>
        <translation>Ondergrens meetbereik (4 mA)</translation>
    </message>
    <message>
        <source>Upper range value (20 mA)</source>
        <translation>Bovengrens meetbereik (20 mA)</translation>
    </message>
    <message>
        <source>Damping</source>
        <translation>Demping</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Uitgang</translation>
    </message>
    <message>
        <source>Upper sensor limit</source>
        <translation>Bovenste sensorgrens</translation>
    </message>
    <message>
        <source>Lower sensor limit</source>
        <translation>Onderste sensorgrens</translation>
    </message>
    <message>
        <source>Minimum span</source>
        <translation>Minimale span</translation>
    </message>
</context>
</TS>
