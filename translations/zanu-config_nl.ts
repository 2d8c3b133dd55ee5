<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
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
        <source>Combo2</source>
        <translation>Combo2</translation>
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
        <source>4.00</source>
        <translation>4.00</translation>
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
        <translation>Geen simulatie van dit programma houdt hem vast: een andere master (een handterminal, de lustest van een ander programma) heeft hem vastgezet, of de transmitter antwoordt op een pollingadres anders dan 0. Geef hem hieronder vrij met &quot;Release loop current&quot;; blijft hij vast, zet dan het pollingadres op 0 met Configuratie, Transmitter zoeken.</translation>
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
</TS>
